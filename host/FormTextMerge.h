// Keeps an author's text form file when a module is saved: only what an edit changed is
// written into the file as it was read, and everything else (the properties the author chose
// to write or leave out, their order and spelling, blank lines, indentation, line endings)
// stays byte for byte.
#pragma once

#include <optional>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// Applies to `Original` (the form file as read) the difference between `Loaded` (the writer's
// text of the module just after it was read) and `Saved` (the writer's text of the module now):
// properties changed, added or removed; components added, removed, renamed, retyped and
// reordered; a component moved to another parent keeps its lines, indented for its new place.
// Added text takes the file's indentation and line endings.
//
// Empty when the file cannot be matched with what was loaded (a text the writer's form does not
// parse, or components that do not correspond): the caller then writes `Saved` as it is.
std::optional<String> MergeFormText(const String& Original, const String& Loaded, const String& Saved);

}  // namespace formwright
