// The tag language of templates: tags are written "[!" tag "]" inside a line.
#pragma once

#include <string_view>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// What a tag does. The numbers are the kinds' codes.
enum class TTagKind : uint8_t {
  tkValue = 0,             // the value of the property named by the whole tag
  tkIf = 1,                // "if=(Name[, Literal])": push (value = literal)
  tkIfNot = 2,             // "if!=(Name[, Literal])": push (value <> literal)
  tkElse = 3,              // "else": toggle the innermost condition
  tkEndIf = 4,             // "endif": pop the innermost condition
  tkSet = 5,               // "set(Name[, Value])": assign or unassign a property
  tkOutputOn = 6,          // "outputon"
  tkOutputOff = 7,         // "outputoff"
  tkOutputProperties = 8,  // "outputproperties": a dump of every property
  tkForEach = 9,           // "foreach(Collection)" or "foreach(Item in Collection)"
  tkEndForEach = 10,       // "endforeach": repeat or close the innermost loop
};

// The prefix that introduces a kind ("" for a value tag).
std::string_view TagPrefix(TTagKind Kind);

// The kind of a trimmed tag: the first prefix, in the order of the kinds' codes, that starts
// the tag (compared case-sensitively); a value tag when none does. So "elsewhere" is an "else"
// tag and "settings" a "set" tag.
TTagKind TagKind(std::string_view Tag);

// The tokens between a tag's parentheses. Tab, LF, CR, space and comma separate tokens. A
// token that starts with " or ' is quoted: it ends at the same quote, may be empty or hold
// separators, and a backslash in it escapes the next character: \n gives CR LF, \r CR, \t tab,
// \b backspace, \a LF, \" a quote, \\ a backslash; any other escaped character keeps its
// backslash.
std::vector<String> SplitTagArguments(std::string_view Inside);

}  // namespace formwright
