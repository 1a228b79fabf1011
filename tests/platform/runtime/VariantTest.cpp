#include "platform/runtime/Variants.h"

#include <gmock/gmock.h>
#include "formwright/testing/Matchers.h"

using namespace formwright;
using namespace formwright::testing;

TEST(Variant, ValuesConvertBetweenTypesAndRoundTripThroughText) {
  const Variant I(int32_t(42));
  EXPECT_EQ(I.VarType(), varInteger);
  EXPECT_EQ(I.AsString(), "42");
  EXPECT_EQ(Variant(I.AsString()).ChangeType(varInteger), I);
  const Variant D(2.5);
  EXPECT_EQ(Variant(D.AsString()).ChangeType(varDouble), D);
  EXPECT_EQ(D.ChangeType(varInteger).AsInt64(), 3);  // rounds
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_TRUE(Variant("TRUE").AsBoolean());
  EXPECT_EQ(Variant(Currency::FromDouble(1.25)).AsString(), "1.25");
  EXPECT_EQ(Variant(u"wide").AsString(), "wide");
  EXPECT_EQ(Variant(u"wide").VarType(), varOleStr);
  EXPECT_EQ(Variant(uint32_t(4000000000u)).AsString(), "4000000000");
  EXPECT_TRUE(Variant().IsEmpty());
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_EQ(Variant::Null().ChangeType(varNull), Variant::Null());
  EXPECT_EQ(VarTypeName(varUString), "String");
  EXPECT_EQ(VarTypeName(TVarType(varInt64 | 0x2000)), "Int64");
}

TEST(Variant, ImpossibleConversionsRaiseWithBothTypeNames) {
  EXPECT_THAT([&] { Variant::Null().AsInt64(); },
              Raises<EVariantError>("Could not convert variant of type (Null) into type (Int64)"));
  EXPECT_THROW(Variant("abc").ChangeType(varInteger), EVariantError);
  EXPECT_THROW(Variant("1.5x").AsFloat(), EVariantError);
  EXPECT_FALSE(Variant("1") == Variant(int32_t(1)));  // different types are different values
}
