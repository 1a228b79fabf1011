#include "inheritance/UpdateObject.h"

#include <algorithm>
#include <utility>

#include "inheritance/ChildUpdateObjects.h"
#include "inheritance/UpdateFiler.h"
#include "platform/runtime/Collections.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

bool IsOrdinalKind(TTypeKind K) noexcept {
  return K == tkInteger || K == tkChar || K == tkEnumeration || K == tkSet || K == tkWChar;
}
bool IsStringKind(TTypeKind K) noexcept { return K == tkString || K == tkLString || K == tkUString; }
// The kinds whose values an update can compare and copy.
bool IsFollowableKind(TTypeKind K) noexcept {
  return IsOrdinalKind(K) || IsStringKind(K) || K == tkFloat || K == tkWString || K == tkClass ||
         K == tkMethod;
}
bool SameFloat(long double A, long double B) noexcept { return !(A < B) && !(A > B); }
// A value a class-typed property owns (a font, a collection, a sub-component) rather than refers to.
bool IsOwnedSubObject(TObject* Value) noexcept {
  auto* C = As<TComponent>(Value);
  return Value && (!C || IsSubComponent(C));
}
// The object Owner holds in P, as a persistent; Known when it is still that one (no type test).
TPersistent* ReadSubObject(TPersistent* Owner, PPropInfo P, TPersistent* Known) {
  if (!Owner) return nullptr;
  TObject* Value = GetObjectProp(Owner, P);
  return Known && Value == Known ? Known : As<TPersistent>(Value);
}

}  // namespace

std::unique_ptr<TUpdateObject> TUpdateObject::CreateRoot(TComponent* Object, TComponent* Ancestor) {
  // The roots are their own lookup roots, whoever owns them (a host may give module roots an
  // owner): built as an inline node.
  return std::unique_ptr<TUpdateObject>(new TUpdateObject(nullptr, Object, Ancestor, nullptr, true, true));
}

TUpdateObject& TUpdateObject::AddChild(TPersistent* Object, TPersistent* AncestorObject, PPropInfo PropInfo,
                                       bool IsInline, bool Compare) {
  std::unique_ptr<TUpdateObject> Node(
      new TUpdateObject(this, Object, AncestorObject, PropInfo, IsInline, Compare));
  TUpdateObject& Added = *Node;
  if (PropInfo)
    FChildren.insert(FChildren.begin() + static_cast<std::ptrdiff_t>(FSubObjectCount++), std::move(Node));
  else
    FChildren.push_back(std::move(Node));
  return Added;
}

TUpdateObject::~TUpdateObject() = default;

TUpdateObject::TUpdateObject(TUpdateObject* Owner, TPersistent* Object, TPersistent* AncestorObject,
                             PPropInfo PropInfo, bool IsInline, bool Compare)
    : FOwner(Owner),
      FObject(Object),
      FAncestorObject(AncestorObject),
      FPropInfo(PropInfo),
      FCompared(Compare) {
  FPropList = SharedProperties();
  auto* Component = As<TComponent>(Object);
  FIsComponent = Component && !IsSubComponent(Component);
  FIsCollection = As<TCollection>(Object) != nullptr;
  if (PropInfo && Owner) {
    FObjectRoot = Owner->FObjectRoot;
    FAncestorRoot = Owner->FAncestorRoot;
  } else {
    auto RootOf = [IsInline](TComponent* C) { return !C || IsInline || !C->Owner() ? C : C->Owner(); };
    FObjectRoot = RootOf(Component);
    FAncestorRoot = RootOf(As<TComponent>(AncestorObject));
  }
  FFiler = std::make_unique<TUpdateFiler>(this, Compare);
  FFiler->Filter();
  // Sub-objects (a font, a collection, a sub-component) follow property by property.
  for (PPropInfo P : FPropList) {
    if (P->Kind() != tkClass || !P->CanRead()) continue;
    auto* Value = As<TPersistent>(GetObjectProp(Object, P));
    if (!IsOwnedSubObject(Value)) continue;
    auto* AncestorValue = As<TPersistent>(GetObjectProp(AncestorObject, P));
    // Left to the reference comparison when the ancestor has no object of that class there.
    if (!AncestorValue || AncestorValue->ClassType() != Value->ClassType()) continue;
    AddChild(Value, AncestorValue, P, false, Compare);
  }
  Filter();
  if (FIsComponent) {
    auto* Ancestor = As<TComponent>(AncestorObject);
    std::vector<TComponent*> Kids;
    Component->GetChildren([&Kids](TComponent* C) { Kids.push_back(C); }, FObjectRoot);
    for (TComponent* Child : Kids) {
      if (!Child->ComponentState().Contains(csAncestor)) continue;
      TComponent* LookIn = Child->Owner() == FObjectRoot ? FAncestorRoot
                           : Child->Owner() == Component ? Ancestor
                                                         : nullptr;
      if (!LookIn) continue;
      TComponent* Counterpart = nullptr;
      if (!Child->Name().empty())
        Counterpart = LookIn->FindComponent(Child->Name());
      else if (const int I = Child->ComponentIndex(); I >= 0 && I < LookIn->ComponentCount())
        Counterpart = LookIn->Components(I);
      if (Counterpart)
        AddChild(Child, Counterpart, nullptr, Child->ComponentState().Contains(csInline), Compare);
    }
  }
  FilterOrder();
  FCompared = true;
}

std::vector<PPropInfo> TUpdateObject::SharedProperties() const {
  // Only what both sides publish can follow (counterparts are normally of one class), and only
  // what can be read and, but for a class property holding a sub-component, written: checked
  // here once, since a property's access never changes, rather than at every Filter.
  std::vector<PPropInfo> Shared;
  if (!FAncestorObject) return Shared;
  for (PPropInfo P : GetPropInfos(FObject->ClassType()))
    if (P->CanRead() && (P->CanWrite() || P->Kind() == tkClass) &&
        FAncestorObject->ClassType()->InheritsFrom(P->Declarer))
      Shared.push_back(P);
  return Shared;
}

// ----- Filtering ------------------------------------------------------------------------------

bool TUpdateObject::Reread() {
  if (FPropInfo && FOwner) {
    FObject = ReadSubObject(FOwner->FObject, FPropInfo, FObject);
    FAncestorObject = ReadSubObject(FOwner->FAncestorObject, FPropInfo, FAncestorObject);
  }
  return FObject && FAncestorObject;
}

void TUpdateObject::Filter() {
  if (!Reread()) return;
  for (size_t I = FPropList.size(); I-- > 0;)
    if (!StillFollows(FPropList[I])) FPropList.erase(FPropList.begin() + static_cast<std::ptrdiff_t>(I));
  FilterOrder();
  if (FIsCollection && FCollectionFollows && FCompared)
    FCollectionFollows = CollectionsEqual(static_cast<TCollection*>(FObject),
                                          As<TCollection>(FAncestorObject), FObjectRoot, FAncestorRoot);
  if (FCompared) FFiler->Filter();
  for (const auto& Child : FChildren) Child->Filter();
}

bool TUpdateObject::StillFollows(PPropInfo P) const {
  const TTypeKind K = P->Kind();
  // Read access and write access were checked when the list was made, but for a class
  // property, whose value decides.
  if (K == tkClass && !P->CanWrite() && !IsSubComponent(As<TComponent>(GetObjectProp(FObject, P))))
    return false;
  if (!FCompared || !HoldsOwnValue(P)) return IsFollowableKind(K);
  return SameValue(P);
}

bool TUpdateObject::HoldsOwnValue(PPropInfo P) const {
  // Our decision: a value the ancestor does not store is usually derived from something else (an
  // action, the parent's font or colour) and is left to that; but a stored test may also answer
  // "no" for a value back at its default (anchors matching the alignment). When the descendant
  // stores the property while the ancestor does not, the two differ in what they would save:
  // the descendant compares and takes the ancestor's value like a stored one, so an ancestor
  // value put back to its default reaches every descendant that follows it.
  return IsStoredProp(FAncestorObject, P) || IsStoredProp(FObject, P);
}

bool TUpdateObject::SameValue(PPropInfo P) const {
  const TTypeKind K = P->Kind();
  if (IsOrdinalKind(K)) return GetOrdProp(FObject, P) == GetOrdProp(FAncestorObject, P);
  if (K == tkFloat) return SameFloat(GetFloatProp(FObject, P), GetFloatProp(FAncestorObject, P));
  if (IsStringKind(K)) return GetStrProp(FObject, P) == GetStrProp(FAncestorObject, P);
  if (K == tkWString) return GetWideStrProp(FObject, P) == GetWideStrProp(FAncestorObject, P);
  if (K == tkClass)
    return ChildFor(P) || SameReference(GetObjectProp(FObject, P), GetObjectProp(FAncestorObject, P));
  if (K == tkMethod) return GetMethodProp(FObject, P) == TranslateMethod(GetMethodProp(FAncestorObject, P));
  return false;
}

TUpdateObject* TUpdateObject::ChildFor(PPropInfo P) const noexcept {
  for (size_t I = 0; I < FSubObjectCount; ++I)
    if (FChildren[I]->FPropInfo == P) return FChildren[I].get();
  return nullptr;
}

TComponent* TUpdateObject::TranslateReference(TObject* AncestorValue) const {
  auto* C = As<TComponent>(AncestorValue);
  if (!C) return nullptr;
  // A reference to the ancestor module's root is one to the descendant's own root.
  if (C == FAncestorRoot) return FObjectRoot;
  if (C->Owner() != FAncestorRoot) return C;  // outside the ancestor module: kept as it is
  return FObjectRoot ? FObjectRoot->FindComponent(C->Name()) : nullptr;
}

bool TUpdateObject::SameReference(TObject* Value, TObject* AncestorValue) const {
  auto* C = As<TComponent>(AncestorValue);
  if (!C || C == FAncestorRoot || C->Owner() != FAncestorRoot || !FObjectRoot || !Value || C->Name().empty())
    return Value == TranslateReference(AncestorValue);
  // Names are unique within an owner: the component of that name in the descendant's root is
  // Value exactly when Value is owned by that root and carries the name.
  auto* D = As<TComponent>(Value);
  return D && D->Owner() == FObjectRoot && SameText(D->Name(), C->Name());
}

TMethod TUpdateObject::TranslateMethod(TMethod AncestorValue) const {
  if (AncestorValue.Data == FAncestorRoot) AncestorValue.Data = FObjectRoot;
  return AncestorValue;
}

void TUpdateObject::FilterOrder() {
  if (!FIsComponent || !FCompared || !HasComponentChildren()) return;
  const TChildUpdateObjects Lists(*this);
  const auto& Ancestors = Lists.Ancestors();
  size_t J = 0;
  for (TUpdateObject* Descendant : Lists.Descendants()) {
    if (!Descendant) continue;
    if (J >= Ancestors.size()) break;
    TUpdateObject* Ancestor = Ancestors[J++];
    if (Ancestor && Ancestor != Descendant) Ancestor->FOrderFollows = false;
  }
}

// ----- Updating -------------------------------------------------------------------------------

void TUpdateObject::Update(TUpdateContext& Context) {
  if (!Reread()) return;
  if (FIsComponent) Context.Updating(static_cast<TComponent*>(FObject));
  for (size_t I = 0; I < FPropList.size(); ++I)
    if (HoldsOwnValue(FPropList[I])) CopyValue(FPropList[I], Context);
  FFiler->Update();
  UpdateOrder();
  UpdateCollection();
  for (size_t I = FChildren.size(); I-- > 0;)
    if (!FChildren[I]->FPropInfo) FChildren[I]->Update(Context);
}

void TUpdateObject::CopyValue(PPropInfo P, TUpdateContext& Context) {
  const TTypeKind K = P->Kind();
  if (K == tkClass) {
    if (TUpdateObject* Child = ChildFor(P)) return Child->Update(Context);
    TObject* Current = GetObjectProp(FObject, P);
    TObject* AncestorValue = GetObjectProp(FAncestorObject, P);
    // An owned sub-object without a node (the ancestor has none of its class) is never replaced
    // by a reference.
    if (!P->CanWrite() || IsOwnedSubObject(Current) || IsOwnedSubObject(AncestorValue)) return;
    TComponent* Value = TranslateReference(AncestorValue);
    if (Current != Value) SetObjectProp(FObject, P, Value);
    return;
  }
  if (SameValue(P)) return;
  if (IsOrdinalKind(K))
    SetOrdProp(FObject, P, GetOrdProp(FAncestorObject, P));
  else if (K == tkFloat)
    SetFloatProp(FObject, P, GetFloatProp(FAncestorObject, P));
  else if (IsStringKind(K))
    SetStrProp(FObject, P, GetStrProp(FAncestorObject, P));
  else if (K == tkWString)
    SetWideStrProp(FObject, P, GetWideStrProp(FAncestorObject, P));
  else if (K == tkMethod && FIsComponent)
    SetMethodProp(FObject, P, TranslateMethod(GetMethodProp(FAncestorObject, P)));
}

void TUpdateObject::UpdateOrder() {
  if (!FIsComponent || !HasComponentChildren()) return;
  const TChildUpdateObjects Lists(*this);
  const auto& Ancestors = Lists.Ancestors();
  const auto& Descendants = Lists.Descendants();
  size_t J = 0;
  for (size_t I = 0; I < Descendants.size() && J < Ancestors.size(); ++I) {
    if (!Descendants[I]) continue;
    if (TUpdateObject* Ancestor = Ancestors[J++])
      Ancestor->FTargetIndex = Ancestor == Descendants[I] ? -1 : static_cast<int>(I);
  }
  // Matched children take the ancestor's order among the places they hold; components the
  // descendant introduced keep theirs.
  auto* Object = static_cast<TComponent*>(FObject);
  for (TUpdateObject* Ancestor : Ancestors) {
    if (!Ancestor) continue;
    const int Target = std::exchange(Ancestor->FTargetIndex, -1);
    if (Ancestor->FOrderFollows && Target >= 0)
      Object->SetChildOrder(static_cast<TComponent*>(Ancestor->FObject), Target);
  }
}

void TUpdateObject::UpdateCollection() {
  if (!FIsCollection || !FCollectionFollows) return;
  auto* Collection = static_cast<TCollection*>(FObject);
  auto* Ancestor = As<TCollection>(FAncestorObject);
  if (!Ancestor || CollectionsEqual(Collection, Ancestor, FObjectRoot, FAncestorRoot)) return;
  Collection->Assign(Ancestor);
  // The copied items refer to the ancestor module's components: they take the descendant's
  // components of the same names (none when the descendant has no such component).
  for (int I = 0; I < Collection->Count(); ++I) {
    TCollectionItem* Item = Collection->Items(I);
    for (PPropInfo P : GetPropInfos(Item->ClassType())) {
      if (P->Kind() != tkClass || !P->CanRead() || !P->CanWrite()) continue;
      auto* C = As<TComponent>(GetObjectProp(Item, P));
      if (C && C->Owner() == FAncestorRoot) SetObjectProp(Item, P, FObjectRoot->FindComponent(C->Name()));
    }
  }
}

// ----- Nodes and reverting --------------------------------------------------------------------

TUpdateObject* TUpdateObject::FindNode(const TPersistent* Object) {
  if (FObject == Object) return this;
  for (const auto& Child : FChildren)
    if (TUpdateObject* Found = Child->FindNode(Object)) return Found;
  return nullptr;
}

void TUpdateObject::ComponentDelete(const TComponent* Component) {
  if (Component) DeleteNode(Component);
}

bool TUpdateObject::DeleteNode(const TComponent* Component) {
  for (auto It = FChildren.begin(); It != FChildren.end(); ++It) {
    if ((*It)->FObject == Component) {
      if ((*It)->FPropInfo) --FSubObjectCount;
      FChildren.erase(It);
      return true;
    }
    if ((*It)->DeleteNode(Component)) return true;
  }
  return false;
}

bool TUpdateObject::CanRevert(const TPersistent* Instance, PPropInfo PropInfo) {
  TUpdateObject* Node = PropInfo ? FindNode(Instance) : nullptr;
  if (!Node || !Node->Reread() || !Node->FAncestorObject->InheritsFrom(PropInfo->Declarer)) return false;
  // A kind an update cannot copy is not offered: reverting it would change nothing.
  return PropInfo->CanRead() && PropInfo->CanWrite() && IsFollowableKind(PropInfo->Kind()) &&
         Node->HoldsOwnValue(PropInfo);
}

bool TUpdateObject::Revert(const TPersistent* Instance, PPropInfo PropInfo) {
  if (!CanRevert(Instance, PropInfo)) return false;
  return FindNode(Instance)->RevertProperty(PropInfo);
}

bool TUpdateObject::RevertProperty(PPropInfo P) {
  bool Changed = false;
  if (TUpdateObject* Child = P->Kind() == tkClass ? ChildFor(P) : nullptr) {
    Child->RevertAll();
    Changed = true;
  }
  if (Follows(P->Name)) return Changed;
  // Declaration order: before the first listed property declared after it.
  const std::vector<PPropInfo> All = GetPropInfos(FObject->ClassType());
  const auto Rank = [&All](PPropInfo Q) { return std::find(All.begin(), All.end(), Q) - All.begin(); };
  const auto Place =
      std::find_if(FPropList.begin(), FPropList.end(), [&](PPropInfo Q) { return Rank(Q) > Rank(P); });
  FPropList.insert(Place, P);
  return true;
}

void TUpdateObject::RevertAll() {
  FPropList.clear();
  for (PPropInfo P : SharedProperties())
    if (IsFollowableKind(P->Kind())) FPropList.push_back(P);
  const TValueScope<bool> Uncompared(FCompared, false);
  for (size_t I = FPropList.size(); I-- > 0;)
    if (!StillFollows(FPropList[I])) FPropList.erase(FPropList.begin() + static_cast<std::ptrdiff_t>(I));
  FCollectionFollows = true;
  FFiler->Revert();
  for (const auto& Child : FChildren)
    if (Child->FPropInfo) Child->RevertAll();
}

bool TUpdateObject::Follows(const String& Name) const {
  return std::any_of(FPropList.begin(), FPropList.end(),
                     [&Name](PPropInfo P) { return SameText(P->Name, Name); });
}

}  // namespace formwright
