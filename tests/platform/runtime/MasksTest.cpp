#include <gtest/gtest.h>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/Masks.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

TEST(Masks, WildcardsAndSetsIgnoringCase) {
  EXPECT_TRUE(MatchesMask("Unit1.PAS", "*.pas"));
  EXPECT_TRUE(MatchesMask("form.fwf", "f?rm.*"));
  EXPECT_FALSE(MatchesMask("form.fwf", "f?m.*"));
  EXPECT_TRUE(MatchesMask("b7", "[a-c][0-9]"));
  EXPECT_FALSE(MatchesMask("d7", "[a-c][0-9]"));
  EXPECT_TRUE(MatchesMask("x", "[!a-c]"));
  EXPECT_FALSE(MatchesMask("B", "[!a-c]"));
  EXPECT_TRUE(MatchesMask("", "*"));
  EXPECT_FALSE(MatchesMask("", "?"));
  EXPECT_TRUE(MatchesMask("dir/file.txt", "*.txt"));
  EXPECT_TRUE(MatchesMask("a\\b", "a\\b"));
  TMask M("*.fwf");
  EXPECT_TRUE(M.Matches("ADDRESS.FWF"));
}

TEST(Masks, UnclosedSetIsAnInvalidMask) {
  EXPECT_THAT([] { TMask("abc[de"); }, Raises<EMaskException>("'abc[de' is an invalid mask at (4)"));
  EXPECT_NO_THROW(TMask("[]a]"));
}

}  // namespace
