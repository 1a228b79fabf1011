// The module designer's registries of a package: custom modules and the root base classes
// they design, classes shown without an icon, design-notification listeners, and designer
// initialisers. They are a service of the package object (contracts/Package.h), added by
// InstallModuleRegistry, which also sets the package's custom-module and design-notification
// hooks; they go with the package. Queries while the current package has none behave as
// queries of empty registries.
#pragma once

#include <span>

#include "contracts/Package.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

// One custom-module registration: the group it came with, the custom-module class and the
// root base class (TForm, TDataModule …) it designs.
struct TCustomModuleReg {
  int Group = -1;
  TCustomModuleClass CustomModuleClass = nullptr;
  TComponentClass RootBaseClass = nullptr;
};

// Designer initialisers, called with the environment when the designers start.
using TInitializeDesignerProc = void (*)(const IPtr<IDesignEnvironment>& Environment);

// The registries of one package.
class TModuleRegistry : public TPackageService {
 public:
  std::vector<TCustomModuleReg> CustomModules;
  std::vector<TClass> NoIcons;
  std::vector<IPtr<IDesignNotification>> Notifications;
  std::vector<TInitializeDesignerProc> Initializers;
};

// Adds the registries to `Package` (which must have the editor registries, for the group
// listener that drops the custom modules of a freed group) and sets its custom-module and
// design-notification hooks.
TModuleRegistry& InstallModuleRegistry(TDesignPackage& Package);

// The current package's custom-module registrations in registration order (searched newest
// first by the designer manager); empty while the package has no registry.
std::span<const TCustomModuleReg> CustomModuleRegistrations();

// Classes whose instances are not shown as icons and cannot be pasted (registering without a
// package does nothing).
void RegisterNoIcon(std::initializer_list<TClass> Classes);
void UnregisterNoIcon(TClass AClass);
// True for null and for instances of a no-icon class (subclasses included).
bool IsNoIconComponent(const TComponent* Component);

// Adds Proc unless it is already there.
void RegisterInitializeDesigner(TInitializeDesignerProc Proc);
// Calls every initialiser in registration order.
void InitializeDesigners(const IPtr<IDesignEnvironment>& Environment);

// Design-notification fan-out: the listeners, from the last registered to the first; a
// listener may unregister itself (or others) during the call.
int DesignNotificationCount();
void DesignNotificationItemDeleted(const IPtr<IDesigner>& Designer, TPersistent* Item);
void DesignNotificationItemInserted(const IPtr<IDesigner>& Designer, TPersistent* Item);
void DesignNotificationItemsModified(const IPtr<IDesigner>& Designer);
void DesignNotificationSelectionChanged(const IPtr<IDesigner>& Designer,
                                        const IPtr<IDesignerSelections>& Selection);
void DesignNotificationDesignerOpened(const IPtr<IDesigner>& Designer, bool Resurrecting);
void DesignNotificationDesignerClosed(const IPtr<IDesigner>& Designer, bool GoingDormant);
void DesignNotificationDescendantUpdated(const IPtr<IDesigner>& Designer);
void DesignNotificationViewAdded(const IPtr<IDesigner>& Designer, const String& ViewName);
void DesignNotificationViewRemoved(const IPtr<IDesigner>& Designer, const String& ViewName);

// An ICustomModule that does nothing: no verbs, no attributes, not nestable, accepts every
// component silently and answers false for every class. One shared instance.
IPtr<ICustomModule> StubCustomModule();

}  // namespace formwright
