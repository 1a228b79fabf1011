#include "moduledesigner/CompInfo.h"

#include "platform/runtime/Collections.h"

namespace formwright {

TCompInfo::TCompInfo(TComponent* Root, IPtr<IDesigner> Designer, TPersistent* Instance)
    : FRoot(Root), FDesigner(std::move(Designer)), FInstance(Instance) {
  if (!Instance) throw EInvalidArgument("A component information object needs an object");
}

TCompInfo* TCompInfo::Rebind(TComponent* Root, IPtr<IDesigner> Designer, TPersistent* Instance) {
  if (!Instance) throw EInvalidArgument("A component information object needs an object");
  Unbind();
  FRoot = Root;
  FDesigner = std::move(Designer);
  FInstance = Instance;
  return this;
}

void TCompInfo::Unbind() noexcept {
  FRoot = nullptr;
  FDesigner = nullptr;
  FInstance = nullptr;
  FEvents.clear();
  FEventsCollected = false;
  FSubObjects.clear();
  FSubObjectsCollected = false;
}

const std::vector<PPropInfo>& TCompInfo::Events() {
  // Taken on first use: a module being read hands one of these to its source for every
  // component, and most are never asked for their events.
  if (!FEventsCollected) {
    FEvents = GetPropList(FInstance->ClassType(), TTypeKinds{tkMethod});
    FEventsCollected = true;
  }
  return FEvents;
}

String TCompInfo::GetQualifiedClassName() {
  const String& Unit = FInstance->UnitName();
  return Unit.empty() ? FInstance->ClassName() : Unit + "." + FInstance->ClassName();
}

PPropInfo TCompInfo::GetEventInfo(int Index) {
  if (Index < 0 || Index >= GetEventCount()) throw EListError(Format(SListIndexError, Index));
  return Events()[static_cast<size_t>(Index)];
}

IPtr<IEventInfo> TCompInfo::GetIEventInfo(int Index) { return MakeIntf<TEventInfo>(GetEventInfo(Index)); }

String TCompInfo::GetEventValue(int Index) {
  const TMethod M = GetMethodProp(FInstance, GetEventInfo(Index));
  if (!M.Code || !FRoot || M.Data != FRoot) return String();
  return FRoot->MethodName(M.Code);
}

void TCompInfo::ClearEvent(int Index) {
  PPropInfo P = GetEventInfo(Index);
  if (FDesigner && FDesigner->CanRevert(FInstance, P))
    FDesigner->Revert(FInstance, P);
  else
    SetMethodProp(FInstance, P, TMethod{});
  if (FDesigner) FDesigner->Modified();
}

// Sub-objects: published class-typed properties of persistent classes, leaving out component
// references unless the referenced component is a sub-component.
void TCompInfo::CollectSubObjects() {
  if (FSubObjectsCollected) return;
  FSubObjectsCollected = true;
  for (PPropInfo P : GetPropList(FInstance->ClassType(), TTypeKinds{tkClass})) {
    TClass Declared = P->PropType->Data.ClassType;
    if (!Declared || !Declared->InheritsFrom(TPersistent::StaticClass()) || !P->CanRead()) continue;
    if (Declared->InheritsFrom(TComponent::StaticClass())) {
      auto* C = dynamic_cast<TComponent*>(GetObjectProp(FInstance, P));
      if (!IsSubComponent(C)) continue;
    }
    FSubObjects.push_back(P);
  }
}

int TCompInfo::GetSubInfoCount() {
  CollectSubObjects();
  int N = static_cast<int>(FSubObjects.size());
  if (auto* C = dynamic_cast<TCollection*>(FInstance)) N += C->Count();
  return N;
}

IPtr<ICompInfo> TCompInfo::GetSubInfo(int Index) {
  CollectSubObjects();
  if (Index < 0) return nullptr;
  TPersistent* Sub = nullptr;
  const int Props = static_cast<int>(FSubObjects.size());
  if (Index < Props) {
    Sub = dynamic_cast<TPersistent*>(GetObjectProp(FInstance, FSubObjects[static_cast<size_t>(Index)]));
  } else if (auto* C = dynamic_cast<TCollection*>(FInstance); C && Index - Props < C->Count()) {
    Sub = C->Items(Index - Props);
  }
  return Sub ? IPtr<ICompInfo>(MakeIntf<TCompInfo>(FRoot, FDesigner, Sub)) : nullptr;
}

}  // namespace formwright
