// Whole modules through binary and text form and back.
#include <gmock/gmock.h>

#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/ModuleFixture.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::HasSubstr;

namespace {

class StreamRoundTrip : public TestModuleFixture {
 protected:
  // Reads `Bytes` into a fresh module.
  static TOwned<TTestModule> Read(const std::vector<uint8_t>& Bytes) {
    TOwned<TTestModule> M(new TTestModule(nullptr));
    auto S = TStreamSamples::StreamOf(Bytes);
    TReader R(S.get(), 4096);
    R.ReadRootComponent(M.get());
    return M;
  }
};

TEST_F(StreamRoundTrip, BinaryTextBinaryIsByteIdenticalAndDeterministic) {
  auto Form = TStreamSamples::BuildModule();
  const auto Binary = TStreamSamples::Write(Form.get());
  EXPECT_EQ(Binary, TStreamSamples::Write(Form.get()));
  const auto Text = TStreamSamples::BinaryToText(Binary);
  EXPECT_EQ(TStreamSamples::TextToBinary(Text), Binary);
  EXPECT_EQ(TStreamSamples::BinaryToText(TStreamSamples::TextToBinary(Text)), Text);
}

TEST_F(StreamRoundTrip, ReadBackEqualsTheOriginal) {
  auto Form = TStreamSamples::BuildModule();
  const auto Binary = TStreamSamples::Write(Form.get());
  auto Copy = Read(Binary);
  // Written again, the copy gives the same stream: every stored value came back. The values
  // whose text TextFormIsReadable pins are right by that; the others are checked here.
  EXPECT_EQ(TStreamSamples::Write(Copy.get()), Binary);

  EXPECT_EQ(Copy->Name(), "Form1");
  EXPECT_EQ(Copy->Caption(), Form->Caption());
  EXPECT_EQ(Copy->Data, Form->Data);
  auto* W = dynamic_cast<TTestWidget*>(Copy->FindComponent("widget1"));
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(W->FSmall, 7);
  EXPECT_EQ(W->FBig, int64_t(1) << 40);
  EXPECT_EQ(W->FUnsigned, 4000000000u);
  EXPECT_EQ(W->FLetter, 'Z');
  EXPECT_EQ(W->FWideLetter, u'\x416');
  EXPECT_FALSE(W->FEnabled);
  EXPECT_EQ(W->FShape, tsTriangle);
  EXPECT_EQ(W->FWide, u"wide \x2713");
  EXPECT_TRUE(W->FValue == Variant(int32_t(42)));
  EXPECT_EQ(W->FColor, TTestColor(0xFF00FF));
  EXPECT_EQ(W->Font()->FSize, 12);
  EXPECT_EQ(W->DesignInfo(), (20 << 16) | 10);
  // Handlers are bound to the copy's own methods; references point into the copy.
  EXPECT_EQ(W->FOnClick.Method().Data, Copy.get());
  W->FOnClick(W);
  EXPECT_EQ(Copy->LastSender, W);
  auto* Panel = dynamic_cast<TTestContainer*>(Copy->FindComponent("Panel1"));
  auto* Button = dynamic_cast<TTestControl*>(Copy->FindComponent("Button1"));
  ASSERT_TRUE(Panel && Button);
  EXPECT_EQ(W->Buddy(), Button);
  EXPECT_EQ(Button->Buddy(), W);
  EXPECT_EQ(W->FLink.Identity(), static_cast<IInterface*>(Copy.get()));
  EXPECT_EQ(Button->Parent(), Panel);
  ASSERT_EQ(Panel->Controls().size(), 2u);
  EXPECT_EQ(Panel->Controls()[1]->Name(), "Button2");
  EXPECT_EQ(Button->LoadedCalls, 1);
  EXPECT_FALSE(Button->ComponentState().Contains(csLoading));
  EXPECT_EQ(PendingFixupCount(), 0);
}

TEST_F(StreamRoundTrip, TextFormIsReadable) {
  auto Form = TStreamSamples::BuildModule();
  const String Text =
      TStreamSamples::AsString(TStreamSamples::BinaryToText(TStreamSamples::Write(Form.get())));
  EXPECT_EQ(Text.rfind("object Form1: TTestModule\n", 0), 0u) << Text;
  for (const char* Line :
       {"  Caption = 'H\xC3\xA9llo w\xC3\xB6rld \xE2\x9C\x93'\n",
        "  Lines.Strings = (\n    'one'\n    'two ''quoted''')\n", "  Timer.Interval = 250\n",
        "    Shapes = [tsSquare, tsTriangle]\n", "    Ratio = 0.1\n", "    Single = 1.5s\n",
        "    When = 45000.25d\n", "    Font.Name = 'Mono'\n", "    OnClick = WidgetClick\n",
        "    Buddy = Button1\n",
        "    Items = <\n      item\n        Caption = 'Item 0'\n        Width = 0\n      end\n",
        "    Left = 10\n", "  object Panel1: TTestContainer\n", "    object Button1: TTestControl\n",
        "  Data = {\n    00070E15"})
    EXPECT_THAT(Text, HasSubstr(Line));
}

TEST_F(StreamRoundTrip, LongStringsAndBinaryAreBrokenIntoLines) {
  auto Form = TStreamSamples::BuildModule();
  Form->SetCaption(String(150, 'x') + "\r\n" + String(10, 'y'));
  const auto Binary = TStreamSamples::Write(Form.get());
  const String Text = TStreamSamples::AsString(TStreamSamples::BinaryToText(Binary));
  EXPECT_THAT(Text, AllOf(HasSubstr("  Caption =\n    '" + String(64, 'x') + "' +\n    '"),
                          HasSubstr("#13#10'yyyyyyyyyy'")));
  for (size_t Start = 0, End; (End = Text.find('\n', Start)) != String::npos; Start = End + 1)
    EXPECT_LE(End - Start, 80u);
  EXPECT_EQ(TStreamSamples::TextToBinary(TStreamSamples::AsBytes(Text)), Binary);
}

TEST_F(StreamRoundTrip, FloatsOfEachSizeAndSpecialValuesSurviveText) {
  auto Form = TStreamSamples::BuildModule();
  auto* W = dynamic_cast<TTestWidget*>(Form->FindComponent("Widget1"));
  for (double V : {1e300, -0.0, 5e-324, 1.0 / 3, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    W->FRatio = V;
    W->FSingle = static_cast<float>(V);
    W->FValue = Variant(Currency::FromScaled(-123456789));
    const auto Binary = TStreamSamples::Write(Form.get());
    EXPECT_EQ(TStreamSamples::TextToBinary(TStreamSamples::BinaryToText(Binary)), Binary) << V;
  }
  const String Text =
      TStreamSamples::AsString(TStreamSamples::BinaryToText(TStreamSamples::Write(Form.get())));
  EXPECT_THAT(Text, AllOf(HasSubstr("Ratio = NAN\n"), HasSubstr("Value = -12345.6789c\n")));
}

TEST_F(StreamRoundTrip, ResourceHeaderNamesTheRootClass) {
  auto Form = TStreamSamples::BuildModule();
  TOwned<TMemoryStream> S(new TMemoryStream);
  int64_t Fixup = 0;
  S->WriteResourceHeader(Form->ClassName(), Fixup);
  {
    TWriter W(S.get(), 4096);
    W.WriteDescendent(Form.get(), nullptr);
  }
  S->FixupResourceHeader(Fixup);
  const auto& B = S->Bytes();
  const String Head(B.begin() + 3, B.begin() + 3 + 11);
  EXPECT_EQ(Head, "TTESTMODULE");
  EXPECT_EQ(B[Fixup] | (B[Fixup + 1] << 8), static_cast<int>(B.size() - size_t(Fixup) - 4));
  S->SetPosition(0);
  EXPECT_EQ(TestStreamFormat(S.get()), sofBinary);
  TOwned<TMemoryStream> Text(new TMemoryStream);
  ObjectResourceToText(S.get(), Text.get());
  Text->SetPosition(0);
  EXPECT_EQ(TestStreamFormat(Text.get()), sofText);
  TOwned<TMemoryStream> Back(new TMemoryStream);
  ObjectTextToResource(Text.get(), Back.get());
  EXPECT_EQ(Back->Bytes(), S->Bytes());
}

TEST_F(StreamRoundTrip, StreamFormatTest) {
  for (auto [Text, Expected] :
       {std::pair<const char*, TStreamOriginalFormat>{"  \r\n object A: TA\nend", sofText},
        {"\xEF\xBB\xBFinherited A: TA\nend", sofUTF8Text},
        {"INLINE F: TF end", sofText},
        {"objects", sofUnknown},
        {"", sofUnknown},
        {"FWC1", sofBinary}}) {
    auto S = TStreamSamples::StreamOf(TStreamSamples::AsBytes(Text));
    EXPECT_EQ(TestStreamFormat(S.get()), Expected) << Text;
    EXPECT_EQ(S->Position(), 0);
  }
}

}  // namespace
