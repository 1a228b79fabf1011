#include "inheritance/Pairings.h"

#include <deque>
#include <exception>
#include <unordered_map>

#include "inheritance/UpdateObject.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/Streams.h"
#include "platform/runtime/SysUtils.h"

namespace formwright {

namespace {

// Buffer size of the writer and reader that copy an ancestor component into the descendant.
constexpr int CopyBufferSize = 256;

bool IsInline(const TComponent* C) noexcept { return C->ComponentState().Contains(csInline); }

}  // namespace

// ----- TPairing -------------------------------------------------------------------------------

TPairing::TPairing(TPairings* AOwner) : Owner(AOwner) {}

TPairing::~TPairing() = default;

TPairings& TPairing::ChildList() {
  if (!Children) Children = std::make_unique<TPairings>(this);
  return *Children;
}

void TPairing::SetDescendant(TComponent* Component, TComponent* Root) {
  Descendant = Component;
  DescendantRoot = Root;
  Component->GetChildren(
      [this](TComponent* Child) {
        if (!Child->ComponentState().Contains(csAncestor)) return;
        TPairings& List = ChildList();
        List.AddingAncestor = false;
        List.Add(Child, DescendantRoot);
      },
      Root);
}

void TPairing::SetAncestor(TComponent* Component, TComponent* Root) {
  Ancestor = Component;
  AncestorRoot = Root;
  Component->GetChildren(
      [this](TComponent* Child) {
        TPairings& List = ChildList();
        List.AddingAncestor = true;
        List.Add(Child, AncestorRoot);
      },
      Root);
}

void TPairing::ClearChildren() noexcept { Children.reset(); }

// ----- TPairings ------------------------------------------------------------------------------

namespace {

// The key a component is matched by: its name without regard to letter case, or, unnamed, its
// component index (which no identifier can be mistaken for).
String MatchKey(const TComponent* C) {
  return C->Name().empty() ? "#" + std::to_string(C->ComponentIndex()) : LowerCase(C->Name());
}

}  // namespace

TPairing* TPairings::Match(TComponent* Child) {
  // The candidates (pairings lacking the side being added) by key, in list order; built once
  // per side, so that pairing a large module stays linear.
  if (!FIndexBuilt || FIndexSide != AddingAncestor) {
    FIndex.clear();
    for (const auto& P : FItems) {
      if ((AddingAncestor ? P->Ancestor : P->Descendant) != nullptr) continue;
      if (const TComponent* Other = AddingAncestor ? P->Descendant : P->Ancestor)
        FIndex[MatchKey(Other)].push_back(P.get());
    }
    FIndexBuilt = true;
    FIndexSide = AddingAncestor;
  }
  const auto Found = FIndex.find(MatchKey(Child));
  if (Found == FIndex.end() || Found->second.empty()) return nullptr;
  TPairing* P = Found->second.front();
  Found->second.pop_front();
  return P;
}

void TPairings::Add(TComponent* Child, TComponent* Root) {
  // An inline frame names its own components: its subtree has the frame as lookup root.
  TComponent* ChildRoot = IsInline(Child) ? Child : Root;
  const bool OtherSideSet = FOwner && (AddingAncestor ? FOwner->Descendant : FOwner->Ancestor) != nullptr;
  TPairing* P = OtherSideSet ? Match(Child) : nullptr;
  if (!P) {
    FItems.push_back(std::make_unique<TPairing>(this));
    P = FItems.back().get();
  }
  if (AddingAncestor)
    P->SetAncestor(Child, ChildRoot);
  else
    P->SetDescendant(Child, ChildRoot);
}

// ----- Synchronising components ---------------------------------------------------------------

namespace {

// Marks a created component and every component below it (owned, or listed as its child) as
// inherited from the ancestor module.
void SetChildAncestor(TComponent* Component, TComponent* Root) {
  Component->SetAncestor(true);
  TComponent* ChildRoot = IsInline(Component) ? Component : Root;
  Component->GetChildren([ChildRoot](TComponent* Child) { SetChildAncestor(Child, ChildRoot); }, ChildRoot);
}

// The class of the component named ClassName among Component and everything below it.
TClass FindClassBelow(TComponent* Component, const String& ClassName) {
  if (SameText(Component->ClassName(), ClassName)) return Component->ClassType();
  for (TComponent* C : Component->ComponentList())
    if (TClass Found = FindClassBelow(C, ClassName)) return Found;
  TClass Found = nullptr;
  Component->GetChildren(
      [&](TComponent* Child) {
        if (!Found) Found = FindClassBelow(Child, ClassName);
      },
      IsInline(Component) ? Component : Component->Owner());
  return Found;
}

class TSync {
 public:
  explicit TSync(const TPairingHooks& Hooks) : FHooks(Hooks) {}

  void DeleteDeleted(TPairings& List) {
    for (const auto& P : List.Items()) {
      if (!P->Ancestor) {
        TComponent* C = std::exchange(P->Descendant, nullptr);
        if (FHooks.Deleting) FHooks.Deleting(C);
        P->ClearChildren();
        C->Free();
      } else if (P->Children) {
        DeleteDeleted(*P->Children);
      }
    }
  }

  // Creates what the descendant lacks, depth first in list order; the created components are
  // then paired with their ancestor components' children, which therefore are not created again.
  void CreateNew(TPairing& Parent) {
    if (!Parent.Children) return;
    for (const auto& P : Parent.Children->Items()) {
      if (P->Ancestor && !P->Descendant) {
        // An inherited component that the descendant moved onto a component of its own is not
        // among the children paired here: it stays as it is rather than being copied again.
        TComponent* Moved = P->Ancestor->Name().empty()
                                ? nullptr
                                : CopyOwner(Parent, P->Ancestor)->FindComponent(P->Ancestor->Name());
        if (Moved && Moved->ComponentState().Contains(csAncestor)) continue;
        TComponent* C = Copy(Parent, *P);
        P->New = true;
        for (TPairings* L = P->Owner; L; L = L->Owner() ? L->Owner()->Owner : nullptr) L->Changed = true;
        P->SetDescendant(C, IsInline(C) ? C : Parent.DescendantRoot);
      }
      if (P->Descendant) CreateNew(*P);
    }
  }

  // Resolves the references of every copy, now that all copies exist.
  void FixupReferences() {
    std::exception_ptr Failure;
    for (auto& Copy : FCopies) {
      try {
        Copy.Reader->FixupReferences();
      } catch (...) {
        if (!Failure) Failure = std::current_exception();
      }
      Copy.Reader->EndReferences();
    }
    FCopies.clear();
    if (Failure) std::rethrow_exception(Failure);
  }

  // Builds the nodes of the created components under the nodes of their parents.
  static void BuildNodes(TPairings& List, TUpdateObject& Node) {
    for (const auto& P : List.Items()) {
      if (!P->Descendant || !P->Ancestor) continue;
      if (P->New) {
        // Just copied from the ancestor: it follows the ancestor in everything.
        Node.AddChild(P->Descendant, P->Ancestor, nullptr, IsInline(P->Descendant), false);
      } else if (P->Children && P->Children->Changed) {
        if (TUpdateObject* Own = Node.FindNode(P->Descendant)) BuildNodes(*P->Children, *Own);
      }
    }
  }

 private:
  struct TCopy {
    std::unique_ptr<TMemoryStream> Stream;
    std::unique_ptr<TReader> Reader;
  };

  // The descendant's owner for a copy of Ancestor: the counterpart of the ancestor's owner
  // among the pairings above, else the lookup root of the descendant side.
  static TComponent* CopyOwner(const TPairing& Parent, const TComponent* Ancestor) {
    for (const TPairing* P = &Parent; P; P = P->Owner ? P->Owner->Owner() : nullptr)
      if (P->Ancestor == Ancestor->Owner() && P->Descendant) return P->Descendant;
    return Parent.DescendantRoot;
  }

  TComponent* Copy(TPairing& Parent, TPairing& P) {
    TCopy& Copy = FCopies.emplace_back();
    Copy.Stream = std::make_unique<TMemoryStream>();
    {
      TWriter Writer(Copy.Stream.get(), CopyBufferSize);
      Writer.SetRoot(Parent.AncestorRoot);
      if (FHooks.WriteComponent)
        FHooks.WriteComponent(&Writer, P.Ancestor);
      else
        Writer.WriteComponent(P.Ancestor);
    }
    Copy.Stream->SetPosition(0);
    Copy.Reader = std::make_unique<TReader>(Copy.Stream.get(), CopyBufferSize);
    TReader& R = *Copy.Reader;
    R.SetRoot(Parent.DescendantRoot);
    R.SetOwner(CopyOwner(Parent, P.Ancestor));
    R.SetParent(Parent.Descendant->GetChildParent());
    TComponent* Ancestor = P.Ancestor;
    // Classes the registry does not know (an embedded frame's module class) are the ancestor's.
    R.OnFindComponentClass = [Ancestor](TReader*, const String& ClassName, TClass& Class) {
      if (!Class) Class = FindClassBelow(Ancestor, ClassName);
    };
    // A handler the descendant's class does not name is the ancestor module's.
    TComponent* AncestorRoot = Parent.AncestorRoot;
    R.OnFindMethod = [AncestorRoot](TReader*, const String& Name, void*& Address, bool& Error) {
      if (!Error) return;
      Address = AncestorRoot->MethodAddress(Name);
      Error = Address == nullptr;
    };
    if (FHooks.CreateComponent)
      R.OnCreateComponent = [this](TReader* Reader, TClass Class, TComponent*& Component) {
        Component = FHooks.CreateComponent(Class, Reader->Owner());
      };
    R.BeginReferences();
    TComponent* C = R.ReadComponent(nullptr);
    SetChildAncestor(C, IsInline(C) ? C : Parent.DescendantRoot);
    return C;
  }

  const TPairingHooks& FHooks;
  std::vector<TCopy> FCopies;
};

}  // namespace

void SyncComponents(TComponent* Component, TComponent* Ancestor, TUpdateObject& Root,
                    const TPairingHooks& Hooks) {
  TPairing Pairing(nullptr);
  Pairing.SetDescendant(Component, Component);
  Pairing.SetAncestor(Ancestor, Ancestor);
  TSync Sync(Hooks);
  if (Pairing.Children) Sync.DeleteDeleted(*Pairing.Children);
  std::exception_ptr Failure;
  try {
    Sync.CreateNew(Pairing);
  } catch (...) {
    Failure = std::current_exception();
  }
  // What was created before a failure still gets its references and its nodes.
  try {
    Sync.FixupReferences();
  } catch (...) {
    if (!Failure) Failure = std::current_exception();
  }
  if (Pairing.Children) TSync::BuildNodes(*Pairing.Children, Root);
  if (Failure) std::rethrow_exception(Failure);
}

}  // namespace formwright
