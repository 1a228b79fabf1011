#include "platform/runtime/DateUtils.h"
#include "platform/runtime/Scoped.h"

#include <gmock/gmock.h>
#include "formwright/testing/Matchers.h"

using namespace formwright;
using namespace formwright::testing;

TEST(DateUtils, DatesCountDaysFromTheEpochAndRoundTripThroughText) {
  EXPECT_EQ(EncodeDate(1899, 12, 30).Value, 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1).Value, 2);
  const TDateTime D = EncodeDate(2026, 12, 5);
  int Y, M, Dd;
  DecodeDate(D, Y, M, Dd);
  EXPECT_EQ(Y * 10000 + M * 100 + Dd, 20261205);
  EXPECT_EQ(DateToStr(D), "2026-12-05");
  EXPECT_EQ(StrToDate("2026-12-05").Value, D.Value);
  const TDateTime DT(D.Value + EncodeTime(13, 5, 9, 0).Value);
  EXPECT_EQ(DateTimeToStr(DT), "2026-12-05 13:05:09");
  EXPECT_EQ(DateTimeToStr(D), "2026-12-05");  // midnight leaves the time out
  EXPECT_NEAR(StrToDateTime(DateTimeToStr(DT)).Value, DT.Value, 1e-9);
  EXPECT_EQ(TimeToStr(StrToTime("7:30")), "07:30:00");
}

TEST(DateUtils, BadTextsAndPartsAreRefusedWithTheirMessages) {
  TDateTime V(42);
  EXPECT_FALSE(TryStrToDate("2026-02-30", V));
  EXPECT_FALSE(TryStrToDate("2026-12", V));
  EXPECT_FALSE(TryStrToTime("25:00", V));
  EXPECT_EQ(V.Value, 42);
  EXPECT_THAT([&] { StrToDate("someday"); }, Raises<EConvertError>("'someday' is not a valid date"));
  EXPECT_THROW(StrToDateTime("2026-12-05 99:00"), EConvertError);
  EXPECT_THROW(EncodeDate(2026, 13, 1), EConvertError);
  // The settings decide the order and separators.
  TValueScope Settings(FormatSettings());
  FormatSettings().ShortDateFormat = "dd/mm/yyyy";
  FormatSettings().DateSeparator = '/';
  EXPECT_EQ(DateToStr(EncodeDate(2026, 12, 5)), "05/12/2026");
  EXPECT_EQ(StrToDate("05/12/2026").Value, EncodeDate(2026, 12, 5).Value);
}
