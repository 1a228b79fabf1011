// Expected file contents written as the edits a save should make to the original, so that a
// test states that a save changed exactly what was asked and nothing else:
//   EXPECT_EQ(Files->Contents("Main.fwf"), Replaced(Original, {{"Caption = 'Go'", "Caption = 'OK'"}}));
#pragma once

#include <utility>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright::testing {

using TReplacements = std::vector<std::pair<String, String>>;

// The text with each replacement made, in order, at every place its old text occurs. An old
// text the text does not have fails the current test: the expectation would name text the file
// does not hold.
String Replaced(String Text, const TReplacements& Replacements);
// The text with CR LF line ends, as a file written on another system keeps it.
String WithCrLf(const String& Text);

}  // namespace formwright::testing
