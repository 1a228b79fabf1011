#include "templates/TemplateTags.h"

#include <gtest/gtest.h>

using namespace formwright;

TEST(TemplateTags, KindIsTheFirstMatchingPrefixInCodeOrder) {
  EXPECT_EQ(TagKind("if=(A)"), TTagKind::tkIf);
  EXPECT_EQ(TagKind("if!=(A)"), TTagKind::tkIfNot);
  EXPECT_EQ(TagKind("else"), TTagKind::tkElse);
  EXPECT_EQ(TagKind("elsewhere"), TTagKind::tkElse);
  EXPECT_EQ(TagKind("endif"), TTagKind::tkEndIf);
  EXPECT_EQ(TagKind("set(A, 1)"), TTagKind::tkSet);
  EXPECT_EQ(TagKind("settings"), TTagKind::tkSet);
  EXPECT_EQ(TagKind("outputon"), TTagKind::tkOutputOn);
  EXPECT_EQ(TagKind("outputoff"), TTagKind::tkOutputOff);
  EXPECT_EQ(TagKind("outputproperties"), TTagKind::tkOutputProperties);
  EXPECT_EQ(TagKind("foreach(Items)"), TTagKind::tkForEach);
  EXPECT_EQ(TagKind("endforeach"), TTagKind::tkEndForEach);
  EXPECT_EQ(TagKind("If=(A)"), TTagKind::tkValue) << "prefixes are case-sensitive";
  EXPECT_EQ(TagKind("FormName"), TTagKind::tkValue);
  EXPECT_EQ(TagKind(""), TTagKind::tkValue);
}

TEST(TemplateTags, ArgumentsAreSplitAtBlanksAndCommas) {
  EXPECT_EQ(SplitTagArguments("A, B\tC\r\nD,,E"), (std::vector<String>{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(SplitTagArguments(" ,  "), std::vector<String>{});
  EXPECT_EQ(SplitTagArguments("Item in Items"), (std::vector<String>{"Item", "in", "Items"}));
}

TEST(TemplateTags, QuotedTokensKeepSeparatorsAndMayBeEmpty) {
  EXPECT_EQ(SplitTagArguments("Name, \"a, b\""), (std::vector<String>{"Name", "a, b"}));
  EXPECT_EQ(SplitTagArguments("Name ''"), (std::vector<String>{"Name", ""}));
  EXPECT_EQ(SplitTagArguments("'say \"hi\"'"), (std::vector<String>{"say \"hi\""}));
  EXPECT_EQ(SplitTagArguments("\"open"), (std::vector<String>{"open"})) << "an open quote runs to the end";
  EXPECT_EQ(SplitTagArguments("ab\"c"), (std::vector<String>{"ab\"c"}))
      << "quotes inside plain tokens are text";
}

TEST(TemplateTags, BackslashEscapesInQuotedTokens) {
  EXPECT_EQ(SplitTagArguments(R"("a\nb")")[0], "a\r\nb");
  EXPECT_EQ(SplitTagArguments(R"("\r\t\b\a")")[0], String("\r\t\b\n"));
  EXPECT_EQ(SplitTagArguments(R"("\"\\")")[0], "\"\\");
  EXPECT_EQ(SplitTagArguments(R"("\x\'")")[0], "\\x\\'");
  EXPECT_EQ(SplitTagArguments(R"('it\'s')")[0], "it\\'s") << "an escaped quote does not end the token";
  EXPECT_EQ(SplitTagArguments(R"(a\nb)")[0], "a\\nb") << "plain tokens know no escapes";
}
