// Process-wide registries of the module designer: custom modules and the root base classes
// they design, classes shown without an icon, design-notification listeners, and designer
// initialisers. They live from InitModuleRegistry (package start) to DoneModuleRegistry
// (package end); the registration hooks of the design contracts are set in between.
#pragma once

#include "moduledesigner/RootIntf.h"

namespace formwright {

// One custom-module registration: the group it came with, the custom-module class and the
// root base class (TForm, TDataModule …) it designs.
struct TCustomModuleReg {
  int Group = -1;
  TCustomModuleClass CustomModuleClass = nullptr;
  TComponentClass RootBaseClass = nullptr;
};

// Installs the custom-module and design-notification hooks and the group-change listener.
// Idempotent.
void InitModuleRegistry();
// Clears the hooks and every registry.
void DoneModuleRegistry();

// Registrations in registration order (searched newest first by the designer manager).
const std::vector<TCustomModuleReg>& CustomModuleRegistrations();

// Classes whose instances are not shown as icons and cannot be pasted.
void RegisterNoIcon(std::initializer_list<TClass> Classes);
void UnregisterNoIcon(TClass AClass);
// True for null and for instances of a no-icon class (subclasses included).
bool IsNoIconComponent(const TComponent* Component);

// Designer initialisers, called with the environment when the designers start.
using TInitializeDesignerProc = void (*)(const IPtr<IDesignEnvironment>& Environment);
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
