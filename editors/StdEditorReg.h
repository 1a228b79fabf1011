// Installing the standard property editors: the registry's default editor for each type kind,
// and the registrations the designer package makes for itself when it loads.
//
// The designer package calls InitStdPropertyEditors at start-up, after the registries are
// installed (InitDesignEditors); a program that designs without an IDE (a tool, a test) holds a
// TStdPropertyEditorsScope instead.
#pragma once

#include "editors/DesignEditors.h"

namespace formwright {

// Makes the standard editors the defaults by type kind (TIntegerProperty for tkInteger …) and
// registers, in the current editor group: TComponentProperty for type TComponent,
// TComponentNameProperty for the Name (type TComponentName) of components, TDateTimeProperty
// for type TDateTime and TInterfaceProperty for type IInterface.
void InitStdPropertyEditors();
// Takes the defaults away again (the registrations go with their editor group or with
// DoneDesignEditors).
void DoneStdPropertyEditors();

// Keeps the registries and the standard editors installed for a scope: installs what is not
// installed yet and removes at the end only what it installed.
class TStdPropertyEditorsScope {
 public:
  TStdPropertyEditorsScope();
  ~TStdPropertyEditorsScope();
  TStdPropertyEditorsScope(const TStdPropertyEditorsScope&) = delete;
  TStdPropertyEditorsScope& operator=(const TStdPropertyEditorsScope&) = delete;

 private:
  TDesignEditorsScope FRegistries;
  bool FInstalled;
};

}  // namespace formwright
