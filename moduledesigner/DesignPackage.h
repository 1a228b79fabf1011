// Starting and stopping the design package, as the host does when it loads and unloads it:
// the editor registries install their hooks, the package makes its own registrations (the
// standard property editors, the default component editor and the edit-action selection
// editor), the designer core installs the custom-module and design-notification hooks and the
// top-level-component function (the active root's root component, where edit commands of the
// selection editor go), and the component framework registers its classes. Stopping undoes it
// in reverse order.
//
// The designer initialisers (RegisterInitializeDesigner) need the host's design environment,
// which exists only once the host makes its designer managers: the host calls
// InitializeDesigners then, not the package start-up.
#pragma once

namespace formwright {

// Idempotent: a second start changes nothing until the package is stopped.
void InitDesignPackage();
void DoneDesignPackage();

// Starts the package for a scope (a tool's run, a test) and stops it at the end.
class TDesignPackageScope {
 public:
  TDesignPackageScope() { InitDesignPackage(); }
  ~TDesignPackageScope() { DoneDesignPackage(); }
  TDesignPackageScope(const TDesignPackageScope&) = delete;
  TDesignPackageScope& operator=(const TDesignPackageScope&) = delete;
};

}  // namespace formwright
