#include "platform/runtime/Classes.h"

#include <algorithm>
#include <array>

#include "platform/runtime/Filer.h"

namespace formwright {

// ----- TPersistent ----------------------------------------------------------------------------

FW_REGISTER_CLASS(TPersistent, "Classes")

void TPersistent::Assign(TPersistent* Source) {
  if (Source)
    Source->AssignTo(this);
  else
    throw EConvertError(Format(SAssignError, String("nil"), ClassName()));
}

void TPersistent::AssignTo(TPersistent* Dest) {
  throw EConvertError(Format(SAssignError, ClassName(), Dest ? Dest->ClassName() : String("nil")));
}

String TPersistent::GetNamePath() const {
  String R = ClassName();
  if (TPersistent* O = GetOwner()) {
    const String S = O->GetNamePath();
    if (!S.empty()) R = S + "." + R;
  }
  return R;
}

// ----- TComponent -----------------------------------------------------------------------------

FW_REGISTER_CLASS(TComponent, "Classes")

void TComponent::DeclarePublished(TClassBuilder<TComponent>& C) {
  C.Property("Name", &TComponent::Name, &TComponent::SetName).As<TComponentName>().Stored(false);
  C.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

// The components told of one component's removal. A component being freed mostly has a link or
// two and an owner: they are kept inline, without allocating while thousands are freed; a
// watcher linked to many components keeps them in a set.
class TComponent::TToldOfRemoval {
 public:
  // Records Target; false when it was told already.
  bool Add(const TComponent* Target) {
    if (FMany) return FMany->insert(Target).second;
    const auto Told = FFew.begin() + static_cast<std::ptrdiff_t>(FCount);
    if (std::find(FFew.begin(), Told, Target) != Told) return false;
    if (FCount < FFew.size()) {
      FFew[FCount++] = Target;
      return true;
    }
    FMany = std::make_unique<std::unordered_set<const TComponent*>>(FFew.begin(), FFew.end());
    return FMany->insert(Target).second;
  }

 private:
  std::array<const TComponent*, 8> FFew{};
  size_t FCount = 0;
  std::unique_ptr<std::unordered_set<const TComponent*>> FMany;
};

TComponent::~TComponent() { TearDown(); }

void TComponent::BeforeDestruction() {
  TPersistent::BeforeDestruction();
  TearDown();
}

void TComponent::TearDown() noexcept {
  if (FTornDown) return;
  FTornDown = true;
  if (FComponentState.Contains(csFixups) || FComponentState.Contains(csLoading)) RemoveFixups(this);
  Destroying();
  // A component linked to this one may hear of the removal from the link and again from the
  // owner's broadcast: the components told are remembered until the removal is over.
  TToldOfRemoval Told;
  if (!FFreeNotifies.empty()) FToldOfRemoval = &Told;
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner) {
    try {
      FOwner->RemoveComponent(this);
    } catch (...) {
      // A designer refusing the removal of a component that is being freed cannot keep it.
      FOwner->Remove(this);
    }
  }
  FToldOfRemoval = nullptr;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) throw EListError(Format(SListIndexError, Index));
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::ComponentIndex() const noexcept { return FOwner ? FIndex : -1; }

void TComponent::SetComponentIndex(int Value) {
  if (!FOwner) return;
  auto& L = FOwner->FComponents;
  const int Cur = FIndex;
  Value = std::clamp(Value, 0, static_cast<int>(L.size()) - 1);
  if (Value == Cur) return;
  L.erase(L.begin() + Cur);
  L.insert(L.begin() + Value, this);
  for (int I = std::min(Cur, Value); I <= std::max(Cur, Value); ++I) L[static_cast<size_t>(I)]->FIndex = I;
}

std::string_view TComponentNameOf::operator()(const TComponent* C) const noexcept { return C->Name(); }

TComponent* TComponent::FindComponent(std::string_view AName) const noexcept {
  if (AName.empty()) return nullptr;
  // Every name change goes through ChangeName, which keeps the index complete.
  if (TComponent* C = FNameIndex.Find(AName)) return C;
  // While this component frees its components the index is dropped at once (DestroyComponents):
  // the ones still there are searched.
  if (FComponentState.Contains(csDestroying))
    for (TComponent* C : FComponents)
      if (SameText(C->FName, AName)) return C;
  return nullptr;
}

void TComponent::IndexName(TComponent* AComponent, const String& OldName) {
  if (!OldName.empty()) FNameIndex.Erase(OldName, AComponent);
  if (AComponent->FOwner == this && !AComponent->FName.empty()) FNameIndex.Set(AComponent->FName, AComponent);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  AComponent->ValidateContainer(this);
  ValidateInsert(AComponent);
  if (!AComponent->FName.empty()) ValidateRename(AComponent, String(), AComponent->FName);
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  AComponent->SetReference(true);
  if (FComponentState.Contains(csDesigning)) AComponent->SetDesigning(true);
  Notify(this, AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  ValidateRename(AComponent, AComponent->FName, String());
  Notify(this, AComponent, opRemove);
  AComponent->SetReference(false);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  AComponent->FIndex = static_cast<int>(FComponents.size()) - 1;
  IndexName(AComponent, String());
}

void TComponent::Remove(TComponent* AComponent) {
  const auto At = static_cast<size_t>(AComponent->FIndex);
  if (AComponent->FOwner == this && At < FComponents.size() && FComponents[At] == AComponent) {
    FComponents.erase(FComponents.begin() + static_cast<std::ptrdiff_t>(At));
    for (size_t I = At; I < FComponents.size(); ++I) FComponents[I]->FIndex = static_cast<int>(I);
  }
  AComponent->FOwner = nullptr;
  AComponent->FIndex = -1;
  if (FNameIndex.Empty()) return;
  // An owner being destroyed drops its name index in one go, as DestroyComponents does: its
  // controls are freed by their parents before it frees its components itself, and taking
  // each name out of a large index is a cache miss apiece.
  if (FComponentState.Contains(csDestroying))
    FNameIndex.Clear();
  else
    IndexName(AComponent, AComponent->FName);
}

namespace {
// An embedded module instance (a frame) of a designed module: its removal reaches every
// component of its owner, also while the owner is destroyed, as there are few of them.
bool IsDesignedEmbedding(TComponentState S) noexcept {
  return S.Contains(csDesigning) && S.Contains(csInline);
}
}  // namespace

void TComponent::DestroyComponents() {
  // A component being destroyed drops its name index in one go rather than name by name (each
  // a cache miss in a large module); FindComponent searches what is left meanwhile.
  if (FComponentState.Contains(csDestroying)) FNameIndex.Clear();
  while (!FComponents.empty()) {
    TComponent* I = FComponents.back();
    // Owned components are dropped without telling the others, unless something outside the
    // owner refers to them or they are embedded frames of a designed module.
    const TComponentState S = I->FComponentState;
    if (S.Contains(csFreeNotification) || IsDesignedEmbedding(S)) {
      try {
        RemoveComponent(I);
      } catch (...) {
        Remove(I);
      }
    } else {
      Remove(I);
    }
    I->Free();
  }
}

void TComponent::Destroying() {
  // Only this component is marked: the ones it owns read it through ComponentState, so that
  // the destruction of a large module does not first visit every component of it (a walk over
  // memory no longer in the cache) before freeing them.
  FComponentState.Include(csDestroying);
}

// Every request is a link, siblings included: the components told of a removal are exactly
// those that asked, so freeing a module does not tell every component of every other one.
void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  // A link is in both lists or in neither, so the shorter one tells: a component linked to
  // thousands (a design surface's watcher) links each new one without searching them all.
  // Searched from the end: a component asking again mostly asked last.
  const bool Linked =
      FFreeNotifies.size() <= AComponent->FFreeNotifies.size()
          ? std::find(FFreeNotifies.rbegin(), FFreeNotifies.rend(), AComponent) != FFreeNotifies.rend()
          : std::find(AComponent->FFreeNotifies.rbegin(), AComponent->FFreeNotifies.rend(), this) !=
                AComponent->FFreeNotifies.rend();
  if (!Linked) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
  }
  FComponentState.Include(csFreeNotification);
  AComponent->FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  // A link is in both lists or in neither: the shorter one tells whether there is one, so that
  // each of thousands of components told of a watcher's removal does not search its list.
  const TInlineList<TComponent*>& Shorter =
      FFreeNotifies.size() <= AComponent->FFreeNotifies.size() ? FFreeNotifies : AComponent->FFreeNotifies;
  if (std::find(Shorter.rbegin(), Shorter.rend(), &Shorter == &FFreeNotifies ? AComponent : this) ==
      Shorter.rend())
    return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  // Searched from the end: components are mostly freed last first, and a watcher linked to
  // many (a design surface) has them in the order they were linked.
  auto It = std::find(FFreeNotifies.rbegin(), FFreeNotifies.rend(), AComponent);
  if (It != FFreeNotifies.rend()) FFreeNotifies.erase(std::next(It).base());
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* C = FFreeNotifies.back();
    RemoveFreeNotification(C);
    Notify(C, this, opRemove);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) {
    RemoveFreeNotification(AComponent);
    // Removals reach every owned component so that references to the removed one are
    // cleared; insertions are told to the owner only, which keeps filling a module linear.
    // While this component is being destroyed its owned components go too: those that refer
    // to the removed one asked for a free notification and hear of it through that link, so
    // freeing a module stays linear (an embedded frame's removal still reaches them all).
    if (IsDestroying() && !IsDesignedEmbedding(AComponent->FComponentState)) {
      if (FDesigner) FDesigner->Notification(AComponent, Operation);
      return;
    }
    for (size_t I = FComponents.size(); I-- > 0;) {
      if (I >= FComponents.size()) continue;
      Notify(FComponents[I], AComponent, opRemove, true);
    }
  }
  if (FDesigner) FDesigner->Notification(AComponent, Operation);
}

void TComponent::Notify(TComponent* Target, TComponent* AComponent, TOperation Operation, bool FromOwner) {
  if (TNotificationHook Hook = Target->ClassType()->NotificationHook) {
    // The replacement delivers it (to Target or elsewhere) through Notify again.
    Hook(Target, AComponent, Operation, FromOwner);
    return;
  }
  if (Operation == opRemove && AComponent && AComponent->FToldOfRemoval &&
      !AComponent->FToldOfRemoval->Add(Target))
    return;
  Target->Notification(AComponent, Operation);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (AComponent && !SameText(CurName, NewName) && AComponent->FOwner == this) {
    TComponent* Other = FindComponent(NewName);
    if (Other && Other != AComponent) throw EComponentError(Format(SDuplicateName, NewName));
  }
  if (FComponentState.Contains(csDesigning) && FOwner) FOwner->ValidateRename(AComponent, CurName, NewName);
  if (FDesigner) FDesigner->ValidateRename(AComponent, CurName, NewName);
}

void TComponent::SetName(const String& NewName) {
  if (FName == NewName) return;
  if (!NewName.empty() && !IsValidIdent(NewName)) throw EComponentError(Format(SInvalidName, NewName));
  if (FOwner)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  SetReference(false);
  ChangeName(NewName);
  SetReference(true);
}

void TComponent::ChangeName(const String& NewName) {
  const String OldName = std::exchange(FName, NewName);
  if (FOwner) FOwner->IndexName(this, OldName);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader* Reader) {
  if (TComponent* P = Reader->Parent(); P && P != this) SetParentComponent(P);
  Reader->ReadData(this);
}

void TComponent::WriteState(TWriter* Writer) { Writer->WriteData(this); }

void TComponent::DefineProperties(TFiler* Filer) {
  auto* A = As<TComponent>(Filer->Ancestor());
  const int32_t AncestorInfo = A ? A->FDesignInfo : 0;
  auto Left = [](int32_t Info) { return static_cast<int16_t>(Info & 0xFFFF); };
  auto Top = [](int32_t Info) { return static_cast<int16_t>((Info >> 16) & 0xFFFF); };
  auto Pack = [](int Left, int Top) {
    return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(Top)) << 16) |
                                static_cast<uint16_t>(Left));
  };
  Filer->DefineProperty(
      "Left",
      [this, Top, Pack](TReader* R) {
        FDesignInfo = Pack(static_cast<int16_t>(R->ReadInteger()), Top(FDesignInfo));
      },
      [this, Left](TWriter* W) { W->WriteInteger(Left(FDesignInfo)); },
      Left(FDesignInfo) != Left(AncestorInfo));
  Filer->DefineProperty(
      "Top",
      [this, Left, Pack](TReader* R) {
        FDesignInfo = Pack(Left(FDesignInfo), static_cast<int16_t>(R->ReadInteger()));
      },
      [this, Top](TWriter* W) { W->WriteInteger(Top(FDesignInfo)); }, Top(FDesignInfo) != Top(AncestorInfo));
}

void TComponent::SetSubComponent(bool Value) noexcept { FComponentStyle.Set(csSubComponent, Value); }

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  FComponentState.Set(csDesigning, Value);
  if (SetChildren)
    for (TComponent* C : FComponents) C->SetDesigning(Value);
}

void TComponent::SetAncestor(bool Value) {
  FComponentState.Set(csAncestor, Value);
  for (TComponent* C : FComponents) C->SetAncestor(Value);
}

void TComponent::SetInline(bool Value) { FComponentState.Set(csInline, Value); }

void TComponent::SetDesignInstance(bool Value) { FComponentState.Set(csDesignInstance, Value); }

IPtr<IDesignerHook> TComponent::FindRootDesigner() const {
  const TComponent* C = this;
  while (C->FOwner) C = C->FOwner;
  return C->FDesigner;
}

namespace detail {
TObject* InsertIntoOwner(TComponent* Owner, TObject* Component) {
  auto* C = static_cast<TComponent*>(Component);
  if (Owner) {
    try {
      Owner->InsertComponent(C);
    } catch (...) {
      C->Free();
      throw;
    }
  }
  return C;
}
}  // namespace detail

// ----- Default values -------------------------------------------------------------------------

namespace {
bool ReferencesMatch(TObject* Value, TObject* AncestorValue, TComponent* Root, TComponent* LookupRoot,
                     TComponent* RootAncestor) {
  if (Value == AncestorValue) return true;
  auto* V = dynamic_cast<TComponent*>(Value);
  auto* A = dynamic_cast<TComponent*>(AncestorValue);
  if (!V || !A) return false;
  // A reference to the root itself corresponds to a reference to the ancestor's root.
  if ((V == Root || V == LookupRoot) && A == RootAncestor) return true;
  // Components of the module correspond to the ancestor's components of the same name.
  const bool InModule = V->Owner() && (V->Owner() == Root || V->Owner() == LookupRoot);
  return InModule && A->Owner() == RootAncestor && SameText(V->Name(), A->Name());
}
}  // namespace

bool IsDefaultPropertyValue(TObject* Instance, PPropInfo P, const TGetLookupInfoEvent& OnGetLookupInfo) {
  if (!P->CanRead()) return true;
  if (!P->CanWrite() && P->Kind() != tkClass) return true;
  TPersistent* Ancestor = nullptr;
  TComponent *Root = nullptr, *LookupRoot = nullptr, *RootAncestor = nullptr;
  if (OnGetLookupInfo) OnGetLookupInfo(Ancestor, Root, LookupRoot, RootAncestor);
  PPropInfo AP = nullptr;
  if (Ancestor && (Ancestor->ClassType() == Instance->ClassType() || Instance == Root)) {
    AP = Ancestor->ClassType() == Instance->ClassType() ? P : GetPropInfo(Ancestor, P->Name);
    if (AP && AP->PropType != P->PropType) AP = nullptr;
  }
  switch (P->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64: {
      const int64_t V = GetOrdProp(Instance, P);
      if (AP) return V == GetOrdProp(Ancestor, AP);
      if (P->Kind() == tkInt64 && P->Default == NoDefault) return V == 0;
      return P->Default != NoDefault && V == P->Default;
    }
    case tkFloat: {
      const long double V = GetFloatProp(Instance, P);
      return AP ? V == GetFloatProp(Ancestor, AP) : V == 0;
    }
    case tkString:
    case tkLString:
    case tkUString: {
      const String V = GetStrProp(Instance, P);
      return AP ? V == GetStrProp(Ancestor, AP) : V.empty();
    }
    case tkWString: {
      const WideString V = GetWideStrProp(Instance, P);
      return AP ? V == GetWideStrProp(Ancestor, AP) : V.empty();
    }
    case tkVariant: {
      const Variant V = GetVariantProp(Instance, P);
      return AP ? V == GetVariantProp(Ancestor, AP) : V.IsEmpty();
    }
    case tkMethod: {
      const TMethod V = GetMethodProp(Instance, P);
      if (!AP) return V.Code == nullptr;
      const TMethod A = GetMethodProp(Ancestor, AP);
      if (!V.Code || !A.Code) return V.Code == A.Code;
      // Handlers correspond by name: the descendant's class repeats the ancestor's handlers.
      const String VN = V.Data ? V.Data->MethodName(V.Code) : String();
      const String AN = A.Data ? A.Data->MethodName(A.Code) : String();
      return !VN.empty() && SameText(VN, AN);
    }
    case tkInterface: {
      const IPtr<IInterface> V = GetInterfaceProp(Instance, P);
      if (!AP) return !V;
      const IPtr<IInterface> A = GetInterfaceProp(Ancestor, AP);
      if (V == A) return true;
      auto VC = Supports<IInterfaceComponentReference>(V);
      auto AC = Supports<IInterfaceComponentReference>(A);
      return VC && AC &&
             ReferencesMatch(VC->GetComponent(), AC->GetComponent(), Root, LookupRoot, RootAncestor);
    }
    case tkClass: {
      TObject* Obj = GetObjectProp(Instance, P);
      auto* Comp = dynamic_cast<TComponent*>(Obj);
      if (Obj && !(Comp && !IsSubComponent(Comp))) return false;
      if (!AP) return Obj == nullptr;
      return ReferencesMatch(Obj, GetObjectProp(Ancestor, AP), Root, LookupRoot, RootAncestor);
    }
    default:
      return true;
  }
}

}  // namespace formwright
