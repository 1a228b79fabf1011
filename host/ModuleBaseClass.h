// The base class a module descends from when it has no unit to name it.
#pragma once

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The framework base class ("TDataModule") that the stream in Head (its first bytes, binary or
// text) shows its root to be, or empty when it shows nothing more than any form's stream
// (the module is then opened as a form). A stream is a data module's when its root sets only
// what a data module has, it holds at least one component or value, and every component in it
// is of a known class that is not a control. The answer is taken from the head alone: a form
// names a form-only value or a control in its first lines.
String BaseClassOfStreamHead(const String& Head);

}  // namespace formwright
