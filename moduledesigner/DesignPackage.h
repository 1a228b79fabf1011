// Starting the design package, as the host does when it loads it: a package object
// (contracts/Package.h) gets the editor registries and the module designer's registries with
// their hooks, and the package makes its own registrations in an editor group of its own (the
// standard property editors, the fallback component editor, the edit-action selection editor),
// installs the top-level-component hook (the active root's root component, where edit commands
// of the selection editor go) and registers the component framework's classes. The package ends
// with the object: its registrations, hooks and registries go with it.
//
// The designer initialisers (RegisterInitializeDesigner) need the host's design environment,
// which exists only once the host makes its designer managers: the host calls
// InitializeDesigners then, not the package start-up.
#pragma once

#include <optional>

#include "contracts/Package.h"

namespace formwright {

// Makes everything the package registers in `Package`, which must be fresh. After the call the
// package's own editor group is the current group of `Package`.
void StartDesignPackage(TDesignPackage& Package);
// True when `Package` was started by StartDesignPackage.
bool DesignPackageStarted(const TDesignPackage& Package) noexcept;

// A started package for a scope (a tool's run, a test, an IDE's session): a fresh package object,
// started and made current; at the end the package that was current before comes back.
class TDesignPackageScope {
 public:
  // Whether a scope makes its own package or uses the current one.
  enum TUse {
    // Always a fresh package (a scope nested in another gets its own).
    puFresh,
    // The current package when it is a started one (a host opened inside a tool's or a test's
    // package shares its registrations); a fresh one otherwise.
    puCurrentIfStarted,
  };
  explicit TDesignPackageScope(TUse Use = puFresh);
  TDesignPackageScope(const TDesignPackageScope&) = delete;
  TDesignPackageScope& operator=(const TDesignPackageScope&) = delete;
  // The package the scope stands for.
  TDesignPackage& Package() noexcept { return *FPackage; }

 private:
  std::optional<TDesignPackage> FOwned;
  TDesignPackage* FPackage;
};

}  // namespace formwright
