// Starting the editors' part of a package: the editor registries, the default editor for each
// type kind, and the registrations the package makes for itself.
//
// The package start-up (TDesignPackageScope of the module designer) calls StartEditors first;
// the editors' own tests and a tool that only edits properties hold a TEditorsPackageScope.
#pragma once

#include "editors/DesignEditors.h"

namespace formwright {

// Makes the standard editors the defaults by type kind (TIntegerProperty for tkInteger …) and
// registers, in the current editor group: TComponentProperty for type TComponent,
// TComponentNameProperty for the Name (type TComponentName) of components, TDateTimeProperty
// for type TDateTime and TInterfaceProperty for type IInterface.
void InitStdPropertyEditors();

// Installs the editor registries in `Package` and makes the editors' own registrations in the
// package's own group: the standard property editors (InitStdPropertyEditors), the editors of
// the framework's colours, cursors, character sets, modal results and shortcuts
// (InitOrxPropertyEditors), the fallback component editor and the edit-action selection editor
// (InitCompEditors), and the default guidelines (TComponentGuidelines).
void StartEditors(TDesignPackage& Package);

// A fresh package with the editors' part started (StartEditors) for a scope; the package that
// was current before comes back at the end.
class TEditorsPackageScope {
 public:
  TEditorsPackageScope() { StartEditors(FPackage); }
  TDesignPackage& Package() noexcept { return FPackage; }

 private:
  TDesignPackage FPackage;
};

}  // namespace formwright
