#include "formwright/testing/TextEdits.h"

#include <gmock/gmock.h>

namespace formwright::testing {

String Replaced(String Text, const TReplacements& Replacements) {
  for (const auto& [Old, New] : Replacements) {
    EXPECT_THAT(Text, ::testing::HasSubstr(Old)) << "the expectation names text the original does not have";
    Text = StringReplaceAll(Text, Old, New);
  }
  return Text;
}

String WithCrLf(const String& Text) { return StringReplaceAll(Text, "\n", "\r\n"); }

}  // namespace formwright::testing
