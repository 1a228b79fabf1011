// What a module's source is told about a component (or the root) when it is renamed: its
// class, path, events and sub-objects. Created by the root for one persistent and handed to
// the module; reference counted.
#pragma once

#include "moduledesigner/RootIntf.h"

namespace formwright {

class TCompInfo : public TInterfacedObject, public ICompInfo {
 public:
  // Root is the designed root component whose methods are the module's handlers; Designer
  // answers whether an event can be reverted to its inherited value.
  TCompInfo(TComponent* Root, IPtr<IDesigner> Designer, TPersistent* Instance);

  String GetClassName() override { return FInstance->ClassName(); }
  String GetQualifiedClassName() override;
  TPersistent* GetComponentHandle() override { return FInstance; }
  String GetNamePath() override { return FInstance->GetNamePath(); }
  int GetEventCount() override { return static_cast<int>(Events().size()); }
  PPropInfo GetEventInfo(int Index) override;
  String GetEventName(int Index) override { return GetEventInfo(Index)->Name; }
  IPtr<IEventInfo> GetIEventInfo(int Index) override;
  String GetEventValue(int Index) override;
  // Reverts the event to its inherited handler when the designer can, else clears it; the
  // designer is then told of the change.
  void ClearEvent(int Index) override;
  int GetSubInfoCount() override;
  IPtr<ICompInfo> GetSubInfo(int Index) override;

  // Makes the object describe Instance of Root, as a new one would, and returns it. Only its
  // maker may do this, and only while nobody else holds it: a root reading a module hands its
  // source one such object per component, and most are let go at once.
  TCompInfo* Rebind(TComponent* Root, IPtr<IDesigner> Designer, TPersistent* Instance);
  // Lets go of what the object describes (and of the designer), keeping it for a later Rebind.
  void Unbind() noexcept;

 private:
  void CollectSubObjects();
  TComponent* FRoot;
  IPtr<IDesigner> FDesigner;
  TPersistent* FInstance;
  // The published event properties, sorted by name, collected on first use.
  const std::vector<PPropInfo>& Events();
  std::vector<PPropInfo> FEvents;
  bool FEventsCollected = false;
  std::vector<PPropInfo> FSubObjects;
  bool FSubObjectsCollected = false;
};

}  // namespace formwright
