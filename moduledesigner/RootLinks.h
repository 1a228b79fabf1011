// The links of a module root to other open modules: the frames embedded in it (whose own
// modules own their inherited components), the names by which its references reach components
// of other modules, the modules its references need before it can be saved, and the lookup of
// open modules by class.
#pragma once

#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootState.h"

namespace formwright {

class TRootLinks {
 public:
  TRootLinks(TRootState& State, TRootHostOperations& Host) : FState(State), FHost(Host) {}
  TRootLinks(const TRootLinks&) = delete;
  TRootLinks& operator=(const TRootLinks&) = delete;

  // ----- Embedded frames -----
  // Whether Component is an embedded frame instance made in this module: the components its
  // frame module introduced may not be renamed here.
  bool ModifiableFrame(TComponent* Component) const;
  void ListFrame(TComponent* Frame) { FModifiableFrames.push_back(Frame); }
  // Drops Component and every frame it owns from the list, with their update managers (it is
  // leaving the module).
  void UnlistFrames(TComponent* Component);
  // Forgets every frame and its update manager (the root component goes).
  void ClearFrames() {
    FModifiableFrames.clear();
    FFrameUpdateManagers.clear();
  }
  // The update manager that keeps the embedded instance Frame in step with its frame module.
  void AddFrameUpdateManager(TComponent* Frame, IPtr<IUpdateManager> Manager) {
    FFrameUpdateManagers.emplace_back(Frame, std::move(Manager));
  }
  // The module changed: the update managers of the frames embedded in it follow.
  void FramesModified();
  // A persistent left the module: the frame managers drop what they kept of it.
  void FramesNotification(TPersistent* Instance, TOperation Operation);
  void ClearFrameUpdateManagers() { FFrameUpdateManagers.clear(); }
  std::vector<IPtr<IUpdateManager>> FrameUpdateManagers() const {
    std::vector<IPtr<IUpdateManager>> List;
    for (const auto& Entry : FFrameUpdateManagers) List.push_back(Entry.second);
    return List;
  }
  // Whether a frame manager can put PropInfo of Instance (inside an embedded frame) back to the
  // frame module's value; FramesRevert has every such manager do it and says whether one did.
  bool FramesCanRevert(TPersistent* Instance, PPropInfo PropInfo);
  bool FramesRevert(TPersistent* Instance, PPropInfo PropInfo);

  // ----- Names across modules -----
  // A component's display name: its name, prefixed by its owner's name path when it lives
  // inside an embedded frame ("Frame1.Button1").
  String GetComponentName(TComponent* Component);
  // The component a displayed reference names: nested names through frames, then this
  // module's components, "Module.Component" in another open module, an open module by its
  // name, and a module's own root by its name. Null when none.
  TComponent* GetComponent(const String& Name);
  // The name path of any persistent, its first part resolved as a component display name.
  String GetObjectName(TPersistent* Instance);
  // Every named component a reference of class TypeData may point at: this module's root (when
  // the host includes it), its components and those of embedded frames one level deep, then
  // those of every module its unit uses, prefixed by the module's name.
  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc);

  // ----- Modules by class -----
  // Before a write: every link to a module that is not open is resolved through the host's
  // question (removed or redirected), or the save is refused with "Module "%s" references
  // another module and cannot be saved until %s is loaded" (or the message for several).
  // Redirected is set as soon as links were removed or redirected.
  void ResolveMissingModules(bool& Redirected);

 private:
  TRootState& FState;
  TRootHostOperations& FHost;
  std::vector<TComponent*> FModifiableFrames;
  // Each embedded frame instance with the manager that keeps it in step with its module.
  std::vector<std::pair<TComponent*, IPtr<IUpdateManager>>> FFrameUpdateManagers;
};

// The root component of the open module whose root class is named ClassName; null when none.
TComponent* FindDesignedRootOfClass(const IPtr<IComponentDesigner>& Designer, const String& ClassName);

}  // namespace formwright
