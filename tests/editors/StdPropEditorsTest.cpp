// Display texts, parsing, messages and value lists of the standard value editors.
#include <gmock/gmock.h>

#include "formwright/testing/Forms.h"
#include "platform/runtime/DateUtils.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

using formwright::testing::tsCircle;
using formwright::testing::tsSquare;
using formwright::testing::tsTriangle;
using formwright::testing::TTestShapes;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;

class StdPropEditors : public PropEditorTest {
 protected:
  // Typing `Text` into property `Name` of both widgets fails with `Message` and changes nothing.
  void ExpectRefused(const char* Name, const char* Text, const String& Message) {
    IPtr<IProperty> P = Prop({FWidget, FWidget2}, Name);
    ASSERT_TRUE(P) << Name;
    const String Before1 = Prop({FWidget}, Name)->GetValue();
    const String Before2 = Prop({FWidget2}, Name)->GetValue();
    const int Modified = FDesigner->FModifiedCount;
    EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { P->SetValue(Text); }), Message) << Name << " <- " << Text;
    EXPECT_EQ(Prop({FWidget}, Name)->GetValue(), Before1);
    EXPECT_EQ(Prop({FWidget2}, Name)->GetValue(), Before2);
    EXPECT_EQ(FDesigner->FModifiedCount, Modified);
  }
};

// Integers show decimal and take hex within the signed or unsigned range of their type; floats
// show as few digits as read back the same (seven for singles).
TEST_F(StdPropEditors, NumbersShowWhatWasTypedAndRefuseWhatTheirTypeCannotHold) {
  struct TCase {
    const char* Property;
    const char* Typed;
    const char* Shown;
  };
  for (const TCase& T :
       {TCase{"Width", "$1F", "31"}, TCase{"Width", "-5", "-5"},
        TCase{"Unsigned", "4294967295", "4294967295"},
        TCase{"Big", "-9223372036854775808", "-9223372036854775808"}, TCase{"Big", "$10", "16"},
        TCase{"Ratio", "1E20", "1E20"}, TCase{"Ratio", "0.1", "0.1"}, TCase{"Single", "0.1", "0.1"}}) {
    IPtr<IProperty> P = Prop({FWidget}, T.Property);
    P->SetValue(T.Typed);
    EXPECT_EQ(P->GetValue(), T.Shown) << T.Property << " <- " << T.Typed;
  }
  EXPECT_EQ(FWidget->FWidth, -5);
  EXPECT_EQ(FWidget->FUnsigned, 4294967295u);
  EXPECT_EQ(FWidget->FBig, 16);
  EXPECT_EQ(Prop({FWidget}, "Width")->GetEditLimit(), 63);
  EXPECT_EQ(Prop({FWidget}, "Ratio")->GetEditLimit(), 2047);
  ExpectRefused("Small", "256", "Value must be between 0 and 255");
  ExpectRefused("Small", "-1", "Value must be between 0 and 255");
  ExpectRefused("Width", "12a", "'12a' is not a valid integer value");
  ExpectRefused("Width", "", "'' is not a valid integer value");
  ExpectRefused("Unsigned", "-1", "Value must be between 0 and 4294967295");
  ExpectRefused("Unsigned", "4294967296", "Value must be between 0 and 4294967295");
  ExpectRefused("Big", "1.5", "'1.5' is not a valid integer value");
  ExpectRefused("Ratio", "1,5", "'1,5' is not a valid floating point value");
}

TEST_F(StdPropEditors, EveryCharacterCodeShowsPrintablesAsThemselvesAndReadsBackUnsigned) {
  IPtr<IProperty> P = Prop({FWidget}, "Letter");
  for (int Code = 0; Code <= 255; ++Code) {
    FWidget->FLetter = static_cast<char>(Code);
    const String Shown = P->GetValue();
    EXPECT_EQ(Shown,
              Code >= 33 && Code <= 127 ? String(1, static_cast<char>(Code)) : "#" + std::to_string(Code));
    FWidget->FLetter = 0;
    P->SetValue(Shown);
    EXPECT_EQ(static_cast<unsigned char>(FWidget->FLetter), Code) << Shown;
    P->SetValue("#" + std::to_string(Code));
    EXPECT_EQ(static_cast<unsigned char>(FWidget->FLetter), Code);
  }
  P->SetValue("");
  EXPECT_EQ(FWidget->FLetter, 0);
  // Only '#' and decimal digits make a code.
  for (const char* Text : {"AB", "#6x", "#$41", "#-1", "#+65", "# 65", "#65 ", "#99999999999999999999"})
    ExpectRefused("Letter", Text, "Invalid property value");
  for (const char* Text : {"#300", "#256", "\xE2\x82\xAC" /* the euro sign */})
    ExpectRefused("Letter", Text, "Value must be between 0 and 255");
}

TEST_F(StdPropEditors, WideCharactersShowEveryCodeFrom33InTheWideValue) {
  IPtr<IProperty> P = Prop({FWidget}, "WideLetter");
  auto W = Supports<IWideProperty>(P);
  ASSERT_TRUE(W);
  FWidget->FWideLetter = u'\u00E9';
  EXPECT_EQ(P->GetValue(), "#233");
  EXPECT_EQ(W->GetValueW(), u"\u00E9");
  W->SetValue(WideString(u"#8364"));
  EXPECT_EQ(FWidget->FWideLetter, u'\u20AC');
  P->SetValue("\xC3\xA9");
  EXPECT_EQ(FWidget->FWideLetter, u'\u00E9');
  WideString Edit;
  EXPECT_TRUE(W->GetEditValue(Edit));
  EXPECT_EQ(Edit, u"\u00E9");
  ExpectRefused("WideLetter", "\xF0\x9F\x98\x80", "Value must be between 0 and 65535");
}

TEST_F(StdPropEditors, EnumerationsOfferTheirIdentifiers) {
  IPtr<IProperty> P = Prop({FWidget}, "Shape");
  EXPECT_EQ(P->GetValue(), "tsSquare");
  EXPECT_THAT(ValuesOf(P), ElementsAre("tsCircle", "tsSquare", "tsTriangle"));
  EXPECT_EQ(P->GetAttributes(), (TPropertyAttributes{paValueList, paMultiSelect, paSortList, paRevertable}));
  P->SetValue("TSTRIANGLE");
  EXPECT_EQ(FWidget->FShape, tsTriangle);
  FWidget->FShape = static_cast<formwright::testing::TTestShape>(9);
  EXPECT_EQ(P->GetValue(), "tsTriangle");  // out of range shows the highest
  ExpectRefused("Shape", "tsHexagon", "Invalid property value");
  ExpectRefused("Enabled", "Maybe", "Invalid property value");
}

TEST_F(StdPropEditors, EnumerationsReachingBelowZeroOfferZeroAndOneAndRefuseUnknownNames) {
  auto* Probe = Make<TPropTestProbe>(FForm.get(), "Probe1");
  IPtr<IProperty> P = Prop({Probe}, "Trend");
  EXPECT_THAT(ValuesOf(P), ElementsAre("trFlat", "trRising"));
  P->SetValue("trFalling");
  EXPECT_EQ(Probe->FTrend, trFalling);
  EXPECT_EQ(P->GetValue(), "trFalling");
  P->SetValue("trRising");
  // An unknown name looks up as -1, which this type's range includes.
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { P->SetValue("trSideways"); }), "Invalid property value");
  EXPECT_EQ(Probe->FTrend, trRising);
}

TEST_F(StdPropEditors, TextWrittenToAMixedSelectionSkipsObjectsWhereItIsReadOnly) {
  auto* Probe = Make<TPropTestProbe>(FForm.get(), "Probe1");
  IPtr<IProperty> P = Prop({FWidget, Probe}, "Caption");
  ASSERT_TRUE(P);
  P->SetValue("Renamed");
  EXPECT_EQ(FWidget->Caption(), "Renamed");
  EXPECT_EQ(Probe->Caption(), "fixed");
  EXPECT_EQ(Prop({Probe}, "Code")->GetEditLimit(), 8);  // a short string's declared length
}

TEST_F(StdPropEditors, DoubleClickCyclesThroughTheValueListOfEnumerationsAndBooleans) {
  IPtr<IProperty> P = Prop({FWidget}, "Shape");
  FWidget->FShape = tsTriangle;
  P->Edit();
  EXPECT_EQ(FWidget->FShape, tsCircle);  // after the last comes the first
  P->Edit();
  EXPECT_EQ(FWidget->FShape, tsSquare);
  Prop({FWidget}, "Enabled")->Edit();
  EXPECT_FALSE(FWidget->FEnabled);
  // The boolean editor uses the runtime identifiers.
  IPtr<TBoolProperty> Bool = MakeIntf<TBoolProperty>(Designer(), 1);
  Bool->SetPropEntry(0, FWidget, GetPropInfo(FWidget, "Enabled"));
  EXPECT_EQ(Bool->GetValue(), "False");
  Bool->SetValue("TRUE");
  EXPECT_TRUE(FWidget->FEnabled);
  EXPECT_THAT(ValuesOf(IPtr<IProperty>(Bool.Get())), ElementsAre("False", "True"));
}

TEST_F(StdPropEditors, StringsAreWrittenAsTyped) {
  IPtr<IProperty> P = Prop({FWidget, FWidget2}, "Caption");
  P->SetValue(" Hello, world ");
  EXPECT_EQ(FWidget->Caption(), " Hello, world ");
  EXPECT_EQ(FWidget2->Caption(), " Hello, world ");
  EXPECT_TRUE(P->AllEqual());
  FWidget2->SetCaption(" hello, world ");
  EXPECT_FALSE(P->AllEqual());                                    // case-sensitive
  EXPECT_EQ(EditorAs<TPropertyEditor>(P)->GetVisualValue(), "");  // values that differ show empty
  EXPECT_EQ(P->GetValue(), " Hello, world ");                     // but the value is the first object's
  EXPECT_EQ(P->GetEditLimit(), 2047);
  IPtr<IProperty> Wide = Prop({FWidget}, "Wide");
  Wide->SetValue("\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(FWidget->FWide, u"\u00E9t\u00E9");
  EXPECT_EQ(Supports<IWideProperty10>(Wide)->GetNameW(), u"Wide");
}

TEST_F(StdPropEditors, DatesShowEmptyForZero) {
  IPtr<IProperty> P = Prop({FWidget}, "When");
  EXPECT_EQ(P->GetValue(), "");
  const TDateTime D = EncodeDate(2024, 2, 29).Value + EncodeTime(13, 45, 0, 0).Value;
  P->SetValue("2024-02-29 13:45:00");
  EXPECT_NEAR(FWidget->FWhen.Value, D.Value, 1e-6);
  EXPECT_EQ(P->GetValue(), "2024-02-29 13:45:00");
  P->SetValue("");
  EXPECT_EQ(FWidget->FWhen.Value, 0);
  EXPECT_EQ(P->GetAttributes(), (TPropertyAttributes{paMultiSelect, paRevertable}));
  ExpectRefused("When", "yesterday", "'yesterday' is not a valid date and time");

  IPtr<TDateProperty> Date = MakeIntf<TDateProperty>(Designer(), 1);
  Date->SetPropEntry(0, FWidget, GetPropInfo(FWidget, "When"));
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { Date->SetValue("2024-13-01"); }),
            "'2024-13-01' is not a valid date");
  FWidget->FWhen = D;
  Date->SetValue("");
  EXPECT_EQ(FWidget->FWhen.Value, 0) << "blank date text stores 0";
  IPtr<TTimeProperty> Time = MakeIntf<TTimeProperty>(Designer(), 1);
  Time->SetPropEntry(0, FWidget, GetPropInfo(FWidget, "When"));
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { Time->SetValue("25:00"); }), "'25:00' is not a valid time");
  FWidget->FWhen = D;
  Time->SetValue("");
  EXPECT_EQ(FWidget->FWhen.Value, 0) << "blank time text stores 0";
}

TEST_F(StdPropEditors, SetsShowTheirElementsWithoutSpacesAndNestOneBooleanPerElement) {
  IPtr<IProperty> P = Prop({FWidget}, "Shapes");
  FWidget->FShapes = TTestShapes{tsCircle, tsTriangle};
  EXPECT_EQ(P->GetValue(), "[tsCircle,tsTriangle]");
  FWidget->FShapes = TTestShapes{};
  EXPECT_EQ(P->GetValue(), "[]");
  EXPECT_EQ(P->GetAttributes(),
            (TPropertyAttributes{paSubProperties, paMultiSelect, paReadOnly, paRevertable}));
  // The elements are nested booleans that keep the other elements.
  FWidget->FShapes = TTestShapes{tsCircle};
  FWidget2->FShapes = TTestShapes{tsTriangle};
  P = Prop({FWidget, FWidget2}, "Shapes");
  std::vector<IPtr<IProperty>> Elements = NestedOf(P);
  EXPECT_THAT(Elements, ElementsAre(Named("tsCircle"), Named("tsSquare"), Named("tsTriangle")));
  ASSERT_EQ(Elements.size(), 3u);
  EXPECT_FALSE(Elements[0]->AllEqual());
  EXPECT_TRUE(Elements[1]->AllEqual());
  EXPECT_EQ(Elements[1]->GetValue(), "False");
  EXPECT_THAT(ValuesOf(Elements[1]), ElementsAre("False", "True"));
  Elements[1]->SetValue("TRUE");
  EXPECT_EQ(FWidget->FShapes, (TTestShapes{tsCircle, tsSquare}));
  EXPECT_EQ(FWidget2->FShapes, (TTestShapes{tsSquare, tsTriangle}));
  Elements[1]->SetValue("no");
  EXPECT_EQ(FWidget->FShapes, (TTestShapes{tsCircle}));
  // The elements outlive the set editor that made them.
  P.Reset();
  EXPECT_EQ(Elements[0]->GetValue(), "True");
}

TEST_F(StdPropEditors, ObjectsShowTheirTypeAndNestTheirProperties) {
  IPtr<IProperty> Font = Prop({FWidget, FWidget2}, "Font");
  EXPECT_EQ(Font->GetValue(), "(TTestFont)");
  EXPECT_EQ(Prop({FButton}, "Font")->GetValue(), "(TFont)");
  std::vector<IPtr<IProperty>> Sub = NestedOf(Font);
  EXPECT_THAT(Sub, ElementsAre(Named("Name"), Named("Size")));
  ASSERT_EQ(Sub.size(), 2u);
  Sub[1]->SetValue("12");
  EXPECT_EQ(FWidget->Font()->FSize, 12);
  EXPECT_EQ(FWidget2->Font()->FSize, 12);
}

TEST_F(StdPropEditors, VariantsKeepTheirTypeWhenTheTextConvertsAndNestTheirType) {
  IPtr<IProperty> P = Prop({FWidget}, "Value");
  EXPECT_EQ(P->GetValue(), "");
  P->SetValue("abc");
  EXPECT_EQ(FWidget->FValue.VarType(), varUString);
  FWidget->FValue = Variant(int32_t(5));
  P->SetValue("42");
  EXPECT_EQ(FWidget->FValue.VarType(), varInteger);
  EXPECT_EQ(P->GetValue(), "42");
  P->SetValue("forty");
  EXPECT_EQ(FWidget->FValue.VarType(), varUString);
  P->SetValue("(null)");
  EXPECT_EQ(P->GetValue(), "(Null)");
  P->SetValue("(Unknown)");
  EXPECT_TRUE(FWidget->FValue.IsNull());
  P->SetValue("");
  EXPECT_TRUE(FWidget->FValue.IsEmpty());
  // The variant's type is a nested editor.
  FWidget->FValue = Variant(String("12"));
  std::vector<IPtr<IProperty>> Sub = NestedOf(P);
  EXPECT_THAT(Sub, ElementsAre(Named("Type")));
  ASSERT_EQ(Sub.size(), 1u);
  IPtr<IProperty> Type = Sub[0];
  EXPECT_EQ(Type->GetValue(), "String");
  EXPECT_THAT(ValuesOf(Type), AllOf(SizeIs(16), Contains("Integer"), Contains("Null")));
  EXPECT_EQ(ValuesOf(Type).front(), "Unassigned");
  EXPECT_EQ(ValuesOf(Type).back(), "String");
  Type->SetValue("Integer");
  EXPECT_EQ(FWidget->FValue.VarType(), varInteger);
  EXPECT_EQ(Type->GetValue(), "Integer");
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { Type->SetValue("integer"); }), "Unknown Type");
  Type->SetValue("Null");
  EXPECT_TRUE(FWidget->FValue.IsNull());
  Type->SetValue("Unassigned");
  EXPECT_TRUE(FWidget->FValue.IsEmpty());
  FWidget->FValue = Variant(String("text"));
  EXPECT_NE(MessageOf<EDesignPropertyError>([&] { Type->SetValue("Double"); }), "(no exception)");
  EXPECT_EQ(FWidget->FValue.VarType(), varUString);  // nothing written
}

}  // namespace
}  // namespace formwright::testing
