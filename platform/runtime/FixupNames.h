// The names behind a module's pending references to another module, for a host that offers
// to redirect them: which components of that module the references wait for.
#pragma once

#include "platform/runtime/Classes.h"

namespace formwright {

// Adds to `Names` (once each) the component names, below the module name, that pending
// references of `Root` to module `ReferenceRootName` wait for ("Edit1" for "Form2.Edit1").
void GetFixupInstanceNames(TComponent* Root, const String& ReferenceRootName, TStrings* Names);

}  // namespace formwright
