// How a module root relates to other open modules: the ancestor it inherits from (found,
// validated and watched, so that the module keeps working when the ancestor closes), the
// revert command, the modules its components may link to, the roots it depends on and those
// that depend on it, the modules it needs loaded, what it does when a module it depends on goes
// away, and the units its source needs.
#pragma once

#include <vector>

#include "moduledesigner/ModuleNotifiers.h"
#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"

namespace formwright {

// Raised by ValidateInheritence.
inline constexpr const char* SNotInheritableComponent =
    "Cannot inherit from '%s'.  Contains a component '%s' that does not support inheritance";
inline constexpr const char* SNotInheritableComponents =
    "Cannot inherit from '%s'.  Contains components '%s' that do not support inheritance";
inline constexpr const char* SUnnamedInView =
    "Form '%s' contains an unnamed component (of type %s). This prevents you from using multiview features";
inline constexpr const char* SBlankNameInAncestor =
    "Cannot inherit from form '%s'. It contains a component with a blank name property";
// Texts of questions a host may put to a person: reverting an inherited component that holds
// components the ancestor lacks, and links to a module that is not in the project.
inline constexpr const char* sAncestorDeleteWarning =
    "Reverting '%s' deletes all contained components not found in the ancestor and will delete the "
    "following: %s.  Continue?";
inline constexpr const char* sRedirectLinks =
    "Module '%s' links to module '%s' which cannot be found in the current project.  Do you wish to "
    "remove/redirect the links to another module?";

// The dependency lists of one root as other roots reach them. A root that depends on another
// enters itself in that root's dependents and leaves when its own dependencies are cleared.
struct IRootDependents : virtual IInterface {
  FW_INTERFACE(IRootDependents, IInterface, "{5E0B3D20-3103-4C6A-9F21-77AA00000103}")
  virtual void AddDependentRoot(IRoot* Root) = 0;
  virtual void RemoveDependentRoot(IRoot* Root) = 0;
  // Proc for each root in the dependents list as it stands, recomputing nothing.
  virtual void ForEachDependentRoot(const TGetRootProc& Proc) = 0;
};

class TRootInheritance;

// Watches the ancestor's module for its root: when that module is destroyed the root loses its
// ancestor (and keeps working without one). Later calls do nothing.
class TAncestorNotifier : public TInterfacedObject, public IOTAModuleNotifier {
 public:
  // Registers on Module (when it keeps notifiers) for Owner.
  TAncestorNotifier(TRootInheritance* Owner, const IPtr<IOTAModule>& Module);
  // The ancestor's module is destroyed: the notifier unregisters, and the root loses its
  // ancestor root.
  void Destroyed();
  bool CheckOverwrite() { return true; }
  void ModuleRenamed(const String& NewName) override {}
  void ModuleClosed() override { Destroyed(); }
  // Unregisters and forgets the root (it is going away or has another ancestor).
  void Detach();
  bool Registered() const noexcept { return FIndex >= 0; }

 private:
  TRootInheritance* FOwner;
  IPtr<IOTAModule> FModule;
  int FIndex = -1;
};

class TRootInheritance {
 public:
  TRootInheritance(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection)
      : FState(State), FHost(Host), FSelection(Selection) {}
  ~TRootInheritance();
  TRootInheritance(const TRootInheritance&) = delete;
  TRootInheritance& operator=(const TRootInheritance&) = delete;

  // ----- The ancestor -----
  // None for an empty name or a root base class of the designer manager (TForm, say); else the
  // open module whose root class is ClassName; else raises EClassNotFound "Ancestor for '%s'
  // not found".
  IPtr<IInternalRoot> FindAncestorRoot(const String& ClassName);
  // Raises EComponentDesignerException when Ancestor holds components that do not support
  // inheritance, or an unnamed component the host does not accept.
  void ValidateInheritence(TComponent* Ancestor);
  // The root's AncestorRoot was set (or cleared): the ancestor's module is watched from now on.
  void WatchAncestor();
  // The ancestor's module was destroyed (its notifier says so).
  void AncestorDestroyed();
  // Whether the revert command applies: a selected component is inherited, the module is not
  // read-only and the root itself is not selected.
  bool CanRevert();

  // ----- Links -----
  // Whether this module's components may refer to Component: it is in this module, or in an
  // open module whose unit this module's source uses.
  bool IsComponentLinkable(TComponent* Component);
  // The source of this module uses Component's module from now on.
  void MakeComponentLinkable(TComponent* Component);
  // The module's source names a module it uses (while IsComponentLinkable asks).
  void AddImportedRoot(const String& Name) { FImportedRoots.push_back(Name); }

  // ----- Dependencies -----
  // Computes the roots this one refers to (valid until the next modification).
  void UpdateDependencies();
  void ClearDependencies();
  void GetDependencies(const TGetRootProc& Proc);
  // The roots that depend on this one (after every root recomputed its dependencies).
  void GetDependentRoots(const TGetRootProc& Proc);
  void AddDependentRoot(IRoot* Root);
  void RemoveDependentRoot(IRoot* Root);
  void ForEachDependentRoot(const TGetRootProc& Proc);
  // The root goes dormant or closes: its own dependencies and those of its dependents go.
  void DropAll();
  // The environment opens every module Root still has unresolved references to.
  void LoadDependentModules(TComponent* Root);
  // Every such module that is open and dormant wakes up.
  void ResurrectDependentModules(TComponent* Root);
  // The module of root component Component goes away: references into it are set to none and
  // its embedded instances removed. Returns whether anything changed.
  bool ClearDependenciesOn(TComponent* Component);

  // ----- Units -----
  // The unit of every class the module's components use (their classes and ancestors below
  // TComponent, the classes of objects their properties hold) and the units the selection
  // editors of those classes require, each once.
  void GetUnits(const IPtr<IDesigner>& Designer, const TGetStrProc& Proc);

 private:
  TRootState& FState;
  TRootHostOperations& FHost;
  TRootSelection& FSelection;
  IPtr<TAncestorNotifier> FAncestorNotifier;
  std::vector<String> FImportedRoots;
  // Roots this one depends on and those that depend on it. Neither keeps a root alive: each
  // side leaves the other's list before it goes (ClearDependencies, DropAll).
  std::vector<IRoot*> FDependencies;
  std::vector<IRoot*> FDependentRoots;
  bool FDependenciesValid = false;
};

}  // namespace formwright
