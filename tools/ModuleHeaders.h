// What the program learns from a module's files without opening the module: the root class and
// the frames a form file names, and the heading of a unit. Every scan is a single pass over the
// text, so a line of any length and any number of lines cost time in proportion to the text and
// never deepen the stack.
#pragma once

#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright::tool {

// One object heading of a form file in text form ("inline WorkAddress: TAddressFrame").
struct TObjectHeading {
  String Kind;  // "object", "inherited" or "inline", as written
  String Name;
  String ClassName;
};

// The heading that starts a module's text, when the text starts with one.
bool RootHeading(const String& Text, TObjectHeading& Heading);
// The classes of the frames the text embeds, in order (headings whose first word is inline).
std::vector<String> InlineClasses(const String& Text);
// Unit text with the name of its heading ("unit Data;") replaced; raises when the text does not
// start with a unit heading (comments and a byte-order mark may come first).
String RenameUnitHeading(const String& Text, const String& NewName);

}  // namespace formwright::tool
