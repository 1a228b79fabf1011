#include "platform/runtime/SysUtils.h"

#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/RtlConsts.h"

using namespace formwright;
using namespace formwright::testing;

TEST(SysUtils, TextComparisonIgnoresAsciiCaseOnly) {
  EXPECT_EQ(CompareText("Button1", "BUTTON1"), 0);
  EXPECT_LT(CompareText("Button1", "button2"), 0);
  EXPECT_GT(CompareText("ab", "A"), 0);
  EXPECT_TRUE(SameText("OnClick", "onclick"));
  EXPECT_FALSE(SameText("OnClick", "onclic"));
  EXPECT_NE(CompareStr("a", "A"), 0);
}

TEST(SysUtils, IntegerParserAcceptsDecimalAndDollarHexAndRejectsJunk) {
  EXPECT_EQ(StrToInt64(" 42 "), 42);
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FF"), 255);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
  EXPECT_EQ(StrToInt64("0x10"), 16);
  int64_t V = 7;
  EXPECT_FALSE(TryStrToInt64("12a", V));
  EXPECT_FALSE(TryStrToInt64("", V));
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", V));
  EXPECT_EQ(V, 7);
  EXPECT_THAT([&] { StrToInt("abc"); }, Raises<EConvertError>("'abc' is not a valid integer value"));
}

TEST(SysUtils, FormatIsPrintfStyle) {
  EXPECT_EQ(Format(SOutOfRange, 0, 255), "Value must be between 0 and 255");
  EXPECT_EQ(Format("%s=%d", String("x"), 3), "x=3");
  EXPECT_EQ(Format("#%d", 9), "#9");
}

TEST(SysUtils, FloatsUseGeneralFormatAndRoundTrip) {
  EXPECT_EQ(FloatToStrG(1.5, 15), "1.5");
  EXPECT_EQ(FloatToStrG(1e20, 15), "1E20");
  EXPECT_EQ(FloatToStrG(0.1f, 7), "0.1");
  long double V = 0;
  ASSERT_TRUE(TryStrToFloat(FloatToStrG(3.14159, 15), V));
  EXPECT_DOUBLE_EQ(double(V), 3.14159);
  EXPECT_FALSE(TryStrToFloat("1.2.3", V));
  EXPECT_FALSE(TryStrToFloat("abc", V));
}

TEST(SysUtils, IdentifiersAndWideText) {
  EXPECT_TRUE(IsValidIdent("_Button1"));
  EXPECT_FALSE(IsValidIdent("1Button"));
  EXPECT_FALSE(IsValidIdent("Frame1.Button1"));
  EXPECT_TRUE(IsValidIdent("Frame1.Button1", true));
  EXPECT_FALSE(IsValidIdent("Frame1.", true));
  const String Text = "Grüße \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8ToWide(Text).size(), 8u);
  EXPECT_EQ(WideToUtf8(Utf8ToWide(Text)), Text);
}
