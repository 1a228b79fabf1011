// Pending references across modules, global component finders and global loading.
#include <algorithm>

#include "platform/runtime/FilerInternals.h"
#include "platform/runtime/FixupNames.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/PointerSet.h"
#include "platform/runtime/Prefetch.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

struct TGlobals {
  std::vector<detail::TFixup> Fixups;
  std::vector<std::pair<int, TFindGlobalComponent>> Finders;
  int NextFinder = 1;
  // One list per active global loading, with the set of what it holds and how far Loaded has
  // been called along it.
  struct TLoadingList {
    std::vector<TComponent*> Items;
    TPointerSet<TComponent> Members;
    size_t Next = 0;
  };
  std::vector<TLoadingList> Loading;
  std::vector<std::vector<detail::TFixup>*> Batches;  // fix-ups being applied
  // The storage of the last batch, reused by the next: reading a large module again then takes
  // no fresh memory for its references.
  std::vector<detail::TFixup> SpareBatch;
};

TGlobals& Globals() {
  static TGlobals G;
  return G;
}

String FirstPart(const String& Name) {
  const size_t Dot = Name.find('.');
  return Dot == String::npos ? Name : Name.substr(0, Dot);
}

// The component of Root (or Root itself) named Name.
TComponent* FindIn(TComponent* Root, std::string_view Name) {
  if (!Root) return nullptr;
  if (TComponent* C = Root->FindComponent(Name)) return C;
  return SameText(Root->Name(), Name) ? Root : nullptr;
}

// The component a dotted path names: its first part among LookupRoot's components, then
// Root's, then the global finders'; each further part among the components of the one before.
TComponent* FindPath(TComponent* LookupRoot, TComponent* Root, std::string_view Path) {
  const size_t Dot = Path.find('.');
  const std::string_view First = Path.substr(0, Dot);
  if (First.empty()) return nullptr;
  TComponent* C = FindIn(LookupRoot, First);
  if (!C) C = FindIn(Root, First);
  if (!C) C = FindGlobalComponent(String(First));
  for (size_t From = Dot; C && From != std::string_view::npos;) {
    const size_t Next = Path.find('.', From + 1);
    C = C->FindComponent(Path.substr(From + 1, Next == std::string_view::npos ? Next : Next - From - 1));
    From = Next;
  }
  return C;
}

// Sets the reference; raises when the component does not fit the property.
void Apply(const detail::TFixup& F, TComponent* C) {
  PTypeData TD = GetTypeData(F.Prop->PropType);
  if (F.Prop->Kind() == tkClass) {
    if (TD->ClassType && !C->InheritsFrom(TD->ClassType)) throw EReadError(SInvalidCast);
    SetObjectProp(F.Instance, F.Prop, C);
  } else {
    IPtr<IInterface> I = SupportsIID(static_cast<IInterface*>(C), TD->Guid);
    if (!I) throw EIntfCastError(SIntfNotSupported);
    SetInterfaceProp(F.Instance, F.Prop, I);
  }
}

// Resolves the entries `Select` accepts. They are taken out of the list first and applied one
// by one; applying a reference may free objects, which scrubs their entries from the batch too
// (RemoveFixups). Entries whose component is not found go back to the list.
template <class S, class E>
void Resolve(S Select, E OnError) {
  auto& G = Globals();
  std::vector<detail::TFixup> Batch;
  Batch.swap(G.SpareBatch);  // a batch resolved inside this one starts empty
  size_t Kept = 0;
  for (size_t I = 0; I < G.Fixups.size(); ++I) {
    detail::TFixup& F = G.Fixups[I];
    if (Select(F)) {
      Batch.push_back(std::move(F));
      continue;
    }
    if (Kept != I) G.Fixups[Kept] = std::move(F);
    ++Kept;
  }
  G.Fixups.erase(G.Fixups.begin() + static_cast<std::ptrdiff_t>(Kept), G.Fixups.end());
  std::reverse(Batch.begin(), Batch.end());
  G.Batches.push_back(&Batch);
  TScopeExit Restore([&G, &Batch] {
    G.Batches.pop_back();
    for (auto It = Batch.rbegin(); It != Batch.rend(); ++It) G.Fixups.push_back(std::move(*It));
    Batch.clear();
    if (Batch.capacity() > G.SpareBatch.capacity()) G.SpareBatch.swap(Batch);
  });
  while (!Batch.empty()) {
    detail::TFixup F = std::move(Batch.back());
    Batch.pop_back();
    TComponent* C = FindPath(F.LookupRoot, F.Root, F.Name);
    if (!C) {
      G.Fixups.push_back(std::move(F));
      continue;
    }
    try {
      Apply(F, C);
    } catch (Exception& Ex) {
      OnError(F, Ex);
    }
  }
}

}  // namespace

// ----- Global components ----------------------------------------------------------------------

int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc) {
  auto& G = Globals();
  G.Finders.emplace_back(G.NextFinder, std::move(Proc));
  return G.NextFinder++;
}

void UnregisterFindGlobalComponentProc(int Handle) {
  auto& F = Globals().Finders;
  F.erase(std::remove_if(F.begin(), F.end(), [&](const auto& E) { return E.first == Handle; }), F.end());
}

TComponent* FindGlobalComponent(const String& Name) {
  const auto Finders = Globals().Finders;
  for (auto It = Finders.rbegin(); It != Finders.rend(); ++It)
    if (TComponent* C = It->second(Name)) return C;
  return nullptr;
}

TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath) {
  return FindPath(Root, nullptr, NamePath);
}

// ----- Fix-ups --------------------------------------------------------------------------------

void detail::AddFixup(TFixup Fixup) {
  if (Fixup.Component) Fixup.Component->IncludeState(csFixups);
  if (Fixup.Root) Fixup.Root->IncludeState(csFixups);
  Globals().Fixups.push_back(std::move(Fixup));
}

void detail::ResolveReaderFixups(const void* Reader,
                                 const std::function<void(const String&, const String&)>& OnError,
                                 bool KeepUnresolved) {
  Resolve([Reader](const TFixup& F) { return F.Reader == Reader; },
          [&](const TFixup& F, const Exception& E) { OnError(F.Context + "." + F.Prop->Name, E.Message()); });
  if (!KeepUnresolved) return DropReaderFixups(Reader);
  for (TFixup& F : Globals().Fixups)
    if (F.Reader == Reader) F.Reader = nullptr;
}

void detail::DropReaderFixups(const void* Reader) noexcept {
  auto& L = Globals().Fixups;
  L.erase(std::remove_if(L.begin(), L.end(), [&](const TFixup& F) { return F.Reader == Reader; }), L.end());
}

void GlobalFixupReferences() {
  // A reference that no longer fits its property is dropped.
  Resolve([](const detail::TFixup&) { return true; }, [](const detail::TFixup&, const Exception&) {});
}

void GetFixupReferenceNames(TComponent* Root, TStrings* Names) {
  for (const detail::TFixup& F : Globals().Fixups)
    if (F.Root == Root) {
      const String N = FirstPart(F.Name);
      if (Names->IndexOf(N) < 0) Names->Add(N);
    }
}

void GetFixupInstanceNames(TComponent* Root, const String& ReferenceRootName, TStrings* Names) {
  for (const detail::TFixup& F : Globals().Fixups) {
    const size_t Dot = F.Name.find('.');
    if (F.Root != Root || Dot == String::npos || !SameText(F.Name.substr(0, Dot), ReferenceRootName))
      continue;
    const String N = F.Name.substr(Dot + 1);
    if (Names->IndexOf(N) < 0) Names->Add(N);
  }
}

void RedirectFixupReferences(TComponent* Root, const String& OldRootName, const String& NewRootName) {
  for (detail::TFixup& F : Globals().Fixups)
    if (F.Root == Root && SameText(FirstPart(F.Name), OldRootName))
      F.Name = NewRootName + F.Name.substr(OldRootName.size());
}

void RemoveFixupReferences(TComponent* Root, const String& RootName) {
  auto& L = Globals().Fixups;
  L.erase(std::remove_if(L.begin(), L.end(),
                         [&](const detail::TFixup& F) {
                           return (!Root || F.Root == Root) &&
                                  (RootName.empty() || SameText(FirstPart(F.Name), RootName));
                         }),
          L.end());
}

void RemoveFixups(TPersistent* Instance) noexcept {
  auto& G = Globals();
  // A module closed long after it was read has nothing waiting: its components are freed
  // without searching lists that are empty.
  if (G.Fixups.empty() && G.Batches.empty() && G.Loading.empty()) return;
  auto Refers = [Instance](const detail::TFixup& F) {
    return F.Instance == Instance || F.Component == Instance || F.Root == Instance ||
           F.LookupRoot == Instance;
  };
  G.Fixups.erase(std::remove_if(G.Fixups.begin(), G.Fixups.end(), Refers), G.Fixups.end());
  for (auto* B : G.Batches) B->erase(std::remove_if(B->begin(), B->end(), Refers), B->end());
  auto* C = dynamic_cast<TComponent*>(Instance);
  for (auto& L : G.Loading)
    if (C && L.Members.Erase(C)) {
      auto It = std::find(L.Items.begin() + static_cast<std::ptrdiff_t>(L.Next), L.Items.end(), Instance);
      if (It != L.Items.end()) *It = nullptr;
    }
}

int PendingFixupCount() noexcept { return static_cast<int>(Globals().Fixups.size()); }

// ----- Global loading -------------------------------------------------------------------------

void BeginGlobalLoading() { Globals().Loading.emplace_back(); }

bool IsGlobalLoading() noexcept { return !Globals().Loading.empty(); }

void detail::PrefetchGlobalLoaded(const TComponent* C) noexcept {
  if (auto& G = Globals(); !G.Loading.empty()) G.Loading.back().Members.Prefetch(C);
}

void detail::AddGlobalLoaded(TComponent* C) {
  auto& L = Globals().Loading.back();
  if (L.Members.Insert(C)) L.Items.push_back(C);
}

void detail::ReserveGlobalLoaded(size_t Count) {
  auto& L = Globals().Loading.back();
  // Grown by at least half again: many small readers (embedded frames) stay linear.
  if (const size_t Need = L.Items.size() + Count; Need > L.Items.capacity())
    L.Items.reserve(std::max(Need, L.Items.capacity() * 3 / 2));
  L.Members.Reserve(L.Members.Size() + Count);
}

namespace {
// How many components ahead of the one loaded the loops over a module's components ask for.
constexpr size_t LoadAhead = 4;

// Calls Loaded for each component of the innermost list, taking each out first (Loaded may
// free others, which takes them out too).
void LoadPending() {
  auto& G = Globals();
  while (!G.Loading.empty() && G.Loading.back().Next < G.Loading.back().Items.size()) {
    auto& L = G.Loading.back();
    // The components of a large module are no longer in the cache when their turn comes.
    if (L.Next + LoadAhead < L.Items.size())
      if (const TComponent* Next = L.Items[L.Next + LoadAhead]) {
        PrefetchObject(Next);
        L.Members.Prefetch(Next);
      }
    TComponent* C = L.Items[L.Next++];
    if (!C) continue;  // freed while it waited
    L.Members.Erase(C);
    C->Loaded();
  }
  if (!G.Loading.empty() && G.Loading.back().Next == G.Loading.back().Items.size()) {
    G.Loading.back().Items.clear();
    G.Loading.back().Members.Clear();
    G.Loading.back().Next = 0;
  }
}
}  // namespace

void NotifyGlobalLoading() {
  GlobalFixupReferences();
  LoadPending();
}

void EndGlobalLoading() noexcept {
  auto& G = Globals();
  if (G.Loading.empty()) return;
  try {
    LoadPending();
  } catch (...) {
    // Loaded of a component must not raise; what remains is dropped below.
  }
  G.Loading.pop_back();
}

}  // namespace formwright
