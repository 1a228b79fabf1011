// The base class a module descends from when it has no unit to name it.
#pragma once

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The framework base class that the stream in Head (its first bytes, binary or text) shows its
// root to be, or empty when it shows nothing more than any form's stream (the module is then
// opened as a form). A stream is a data module's ("TDataModule") when its root sets only what a
// data module has, it holds at least one component or value, and every component in it is of a
// known class that is not a control; it is a frame's ("TFrame") when its root sets a value only
// a frame has (TabStop, TabOrder) and none that only a form has (Caption, ClientWidth). Only a
// root of its own is guessed at, not an inherited or embedded one. The answer is taken from the
// head alone: a form names a form-only value or a control in its first lines.
String BaseClassOfStreamHead(const String& Head);

}  // namespace formwright
