// The inheritance update manager of one open module: one per root, in a tree that mirrors
// module inheritance. A change in a module (Modified) reaches its open descendants, which take
// every ancestor value they never overrode, the ancestor's new and deleted components, renames
// and order.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "contracts/EditorIntf.h"
#include "inheritance/UpdateContext.h"
#include "inheritance/UpdateObject.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

// The update manager of one root. The root owns it (through IPtr) and is its callback; the
// callback is therefore not owned. A descendant's manager registers with its ancestor's
// manager, which keeps it (not owned) until either goes.
class TUpdateManager : public TInterfacedObject,
                       public IUpdateManager,
                       public IImplementation,
                       public TUpdateContext {
  FW_CLASS(TUpdateManager, TInterfacedObject)
 public:
  // Component: this module's root component; Ancestor: the ancestor module's root component,
  // or null for a module without an ancestor; AncestorManager: the ancestor module's manager,
  // or null; Callback: the owning root (not owned; may be null in tests).
  TUpdateManager(TComponent* Component, TComponent* Ancestor, const IPtr<IUpdateManager>& AncestorManager,
                 IUpdateManagerCallback* Callback);
  ~TUpdateManager() override;

  // ----- IUpdateManager -----
  bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) override;
  TComponent* GetComponent() override { return FComponent; }
  TComponent* GetAncestor() override { return FAncestor; }
  bool GetHasDescendents() override { return !FChildren.empty(); }
  bool GetIsDescendent() override { return FAncestor != nullptr; }
  void Modified() override;
  bool NameExists(const String& Name) override;
  void Notification(TPersistent* Instance, TOperation Operation) override;
  void RenameComponent(const String& CurName, const String& NewName) override;
  void RenameDescendents(const String& CurName, const String& NewName) override;
  void Revert(TPersistent* Instance, PPropInfo PropInfo) override;
  void Update() override;

  // ----- IImplementation -----
  TObject* GetInstance() override { return this; }

  // ----- TUpdateContext -----
  void Updating(TComponent* Component) override;

  // Heard before and after every update bracket (before the callback's Updating, and before
  // its Updated).
  std::function<void()> OnBeginUpdate;
  std::function<void()> OnEndUpdate;

  // The root node of this descendant's update tree; null without an ancestor.
  TUpdateObject* UpdateObject() const noexcept { return FUpdateObject.get(); }

 private:
  enum class TState { Idle, Updating, Filtering };

  // Drops from the node tree what this descendant no longer shares with its ancestor.
  void Filter();
  // Every descendant module's Update.
  void UpdateChildren();
  // The bracket around every change the manager makes (events, then the callback).
  void BeginUpdate();
  void EndUpdate();
  // Updated for every announced component, last to first; the first error raised there.
  String FinishUpdating();

  std::unique_ptr<TUpdateObject> FUpdateObject;
  std::vector<TUpdateManager*> FChildren;
  TComponent* FComponent = nullptr;
  TComponent* FAncestor = nullptr;
  TUpdateManager* FParent = nullptr;
  TState FState = TState::Idle;
  std::vector<TComponent*> FUpdatingList;
  IUpdateManagerCallback* FCallback = nullptr;
};

}  // namespace formwright
