// Nothing read is dropped or damaged: embedded module instances keep every component through a
// round trip and a failed read inside one, data after a module is refused, messages name the
// place (line and column for text) and what was expected, and carry no raw control characters;
// integers take their smallest encoding and every value of a range reads back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/ModuleFixture.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

using TBytes = std::vector<uint8_t>;

class StreamIntegrity : public TestModuleFixture {
 protected:
  // Embedded frames are created by the hook, already holding an inherited control "Inner", as a
  // designer creates an instance of a frame module.
  static void CreateFrames(TReader& R) {
    R.OnCreateComponent = [](TReader* Reader, TClass C, TComponent*& Component) {
      if (C != TTestFrame::StaticClass()) return;
      auto* Frame = new TTestFrame(Reader->Owner());
      auto* Inner = new TTestControl(Frame);
      Inner->SetName("Inner");
      Inner->SetParent(Frame);
      Component = Frame;
    };
  }
  // Reads a module in text form into Form through the whole-module conversion.
  void ReadText(const String& Text, bool WithFrames = true) {
    auto In = TStreamSamples::StreamOf(TStreamSamples::AsBytes(Text));
    TOwned<TMemoryStream> Binary(new TMemoryStream);
    ModuleTextToBinary(In.get(), Binary.get());
    Binary->SetPosition(0);
    TReader R(Binary.get(), 1024);
    if (WithFrames) CreateFrames(R);
    R.ReadRootComponent(Form.get());
  }
  String ReadError(const String& Text) {
    return MessageOf([&] { ReadText(Text); });
  }
  String ReadBinaryError(const TBytes& Binary) {
    auto S = TStreamSamples::StreamOf(Binary);
    TReader R(S.get(), 64);
    return MessageOf([&] { R.ReadRootComponent(Form.get()); });
  }
  void ExpectUntouched() {
    EXPECT_EQ(Form->ComponentCount(), 1);  // its timer sub-component
    EXPECT_EQ(Form->Name(), "");
    EXPECT_EQ(PendingFixupCount(), 0);
  }
};

TEST_F(StreamIntegrity, ControlsAddedInsideAnEmbeddedInstanceBelongToItAndAreWrittenBack) {
  ReadText(
      "object Form1: TTestModule\n"
      "  inline Frame1: TTestFrame\n"
      "    inherited Inner: TTestControl\n"
      "    end\n"
      "    object Panel9: TTestContainer\n"
      "      object Button9: TTestControl\n"
      "        Left = 4\n"
      "      end\n"
      "    end\n"
      "  end\n"
      "end\n");
  auto* Frame = Form->FindComponent("Frame1");
  ASSERT_NE(Frame, nullptr);
  for (const char* Name : {"Panel9", "Button9"}) {
    EXPECT_EQ(Form->FindComponent(Name), nullptr) << Name;
    ASSERT_NE(Frame->FindComponent(Name), nullptr) << Name;
  }
  const String Text =
      TStreamSamples::AsString(TStreamSamples::BinaryToText(TStreamSamples::Write(Form.get())));
  const size_t Panel = Text.find("\n    object Panel9: TTestContainer\n");
  ASSERT_NE(Panel, String::npos) << Text;
  EXPECT_THAT(Text.substr(Panel), HasSubstr("\n      object Button9: TTestControl\n"));
  EXPECT_THAT(Text.substr(Panel), HasSubstr("        Left = 4\n"));
}

TEST_F(StreamIntegrity, FailedReadAfterAnEmbeddedInstanceFreesItWithItsOwnComponents) {
  // The instance's own "Inner" was found, not created, and dies with the instance.
  for (const char* Tail : {"    inherited Missing: TTestControl\n    end\n",
                           "    object Bad: TTestControl\n      Nonsense = 1\n    end\n"}) {
    const String M = ReadError(String("object Form1: TTestModule\n"
                                      "  inline Frame1: TTestFrame\n"
                                      "    inherited Inner: TTestControl\n      Left = 3\n    end\n") +
                               Tail + "  end\nend\n");
    EXPECT_THAT(M, HasSubstr("Error reading")) << Tail;
    ExpectUntouched();
  }
}

TEST_F(StreamIntegrity, AnythingAfterTheModuleIsRefusedWithItsPlace) {
  const String Module = "object Form1: TTestModule\n  Caption = 'x'\nend\n";
  EXPECT_EQ(ReadError(Module + "\n  \r\n"), "(no exception)");
  Form.reset(new TTestModule(nullptr));
  for (auto [Tail, Place] : {std::pair<const char*, const char*>{"end\n", "on line 4, column 1"},
                             {"\nobject Form2: TTestModule\nend\n", "on line 5, column 1"},
                             {"  // note", "on line 4, column 3"}}) {
    EXPECT_EQ(ReadError(Module + Tail), String("Text after the end of the module: the end of the text "
                                               "expected ") +
                                            Place);
    ExpectUntouched();
  }
  // Pasted text may hold several objects: the one-object conversion stops after the first.
  auto In = TStreamSamples::StreamOf(TStreamSamples::AsBytes(Module + "end\n"));
  TOwned<TMemoryStream> Out(new TMemoryStream);
  ObjectTextToBinary(In.get(), Out.get());
  EXPECT_EQ(In->Position(), static_cast<int64_t>(Module.size() - 1));

  TBytes Binary = TStreamSamples::Write(TStreamSamples::BuildModule().get());
  const size_t End = Binary.size();
  for (const TBytes& Tail : {TBytes{0}, TBytes{'F', 'W', 'C', '1'}}) {
    TBytes B = Binary;
    B.insert(B.end(), Tail.begin(), Tail.end());
    EXPECT_EQ(ReadBinaryError(B),
              Format("Data after the end of the module at offset %d: the end of the stream expected", End));
    ExpectUntouched();
  }
}

TEST_F(StreamIntegrity, ErrorsInTextNameLineAndColumnNotOffsets) {
  EXPECT_EQ(ReadError("object Form1: TTestModule\n"
                      "  object W: TTestWidget\n"
                      "    Caption = 'ok'\n"
                      "    Bogus = 1\n"
                      "  end\n"
                      "end\n"),
            "Error reading W.Bogus at line 4, column 5: Property Bogus does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestModule\n\n  object W: TUnknownThing\n  end\nend\n"),
            "Error reading W at line 3, column 3: Class TUnknownThing not found");
  EXPECT_THAT(ReadError("object Form1: TTestModule\n  object W: TTestWidget\n    Small = 'text'\n  end\nend"),
              AllOf(HasSubstr("W.Small at line 3, column 5"), Not(HasSubstr("offset"))));
}

TEST_F(StreamIntegrity, BinaryErrorsSayWhatWasExpected) {
  const TBytes Good = TStreamSamples::Write(TStreamSamples::BuildModule().get());
  TBytes BadSignature = Good;
  BadSignature[1] = 'X';
  TBytes BadTag = {'F', 'W', 'C', '1', 1, 'T', 0, 7, 'C', 'a', 'p', 't', 'i', 'o', 'n', 99};
  TBytes BadPrefix = {'F', 'W', 'C', '1', 0xFC, 1, 'T', 0, 0, 0};
  const TBytes Truncated(Good.begin(), Good.begin() + 20);
  for (const auto& [Bytes, Expected] : std::vector<std::pair<TBytes, const char*>>{
           {BadSignature, "Invalid stream format at offset 0: the component signature FWC1 expected"},
           {BadTag, "Invalid value tag 99 at offset 15: a value expected"},
           {BadPrefix,
            "Invalid component prefix $FC at offset 4: a class name or component flags $F0 to $F7 "
            "expected"},
           {Truncated, "expected"}}) {
    EXPECT_THAT(ReadBinaryError(Bytes), AllOf(HasSubstr(Expected), HasSubstr("expected")));
    ExpectUntouched();
  }
}

TEST_F(StreamIntegrity, NamesInMessagesAreEscaped) {
  // A class name with a line break and a terminal escape, and bytes that are not UTF-8.
  const String Evil = "TEvil\n\x1b[2J\xff";
  TBytes B = {'F', 'W', 'C', '1', 11, 'T', 'T', 'e', 's', 't', 'M', 'o', 'd', 'u', 'l', 'e', 0, 0};
  B.push_back(static_cast<uint8_t>(Evil.size()));
  B.insert(B.end(), Evil.begin(), Evil.end());
  B.insert(B.end(), {1, 'W', 0, 0, 0});
  String Seen;
  auto S = TStreamSamples::StreamOf(B);
  TReader R(S.get(), 64);
  R.OnError = [&](TReader*, const String& M, bool&) { Seen = M; };
  EXPECT_THAT([&] { R.ReadRootComponent(Form.get()); },
              Raises<EReadError>(HasSubstr("Class TEvil#10#27[2J#$FF not found")));
  EXPECT_EQ(Seen, "Error reading W: Class TEvil#10#27[2J#$FF not found");
  ExpectUntouched();
}

TEST_F(StreamIntegrity, IntegersTakeTheSmallestEncoding) {
  for (auto [Value, Size] : std::vector<std::pair<int64_t, size_t>>{{0, 2},
                                                                    {127, 2},
                                                                    {-128, 2},
                                                                    {128, 3},
                                                                    {-129, 3},
                                                                    {32767, 3},
                                                                    {-32768, 3},
                                                                    {32768, 5},
                                                                    {INT32_MIN, 5},
                                                                    {INT32_MAX, 5},
                                                                    {int64_t(INT32_MAX) + 1, 9},
                                                                    {INT64_MIN, 9}}) {
    TOwned<TMemoryStream> S(new TMemoryStream);
    {
      TWriter W(S.get(), 64);
      W.WriteInteger(Value);
    }
    EXPECT_EQ(S->Size(), static_cast<int64_t>(Size)) << Value;
    S->SetPosition(0);
    TReader R(S.get(), 64);
    EXPECT_EQ(R.ReadInt64(), Value);
  }
}

TEST_F(StreamIntegrity, TheEndsOfEveryIntegerRangeReadBackAndBeyondIsRefused) {
  auto Module = TStreamSamples::BuildModule();
  auto* W = dynamic_cast<TTestWidget*>(Module->FindComponent("Widget1"));
  W->FSmall = 255;
  W->FUnsigned = UINT32_MAX;
  W->FWidth = INT32_MIN;
  W->FBig = INT64_MAX;
  W->FColor = TTestColor(INT32_MAX);
  TOwned<TTestModule> Copy(new TTestModule(nullptr));
  const TBytes Binary = TStreamSamples::Write(Module.get());
  {
    auto S = TStreamSamples::StreamOf(Binary);
    TReader R(S.get(), 4096);
    R.ReadRootComponent(Copy.get());
  }
  auto* C = dynamic_cast<TTestWidget*>(Copy->FindComponent("Widget1"));
  ASSERT_NE(C, nullptr);
  EXPECT_EQ(C->FSmall, 255);
  EXPECT_EQ(C->FUnsigned, UINT32_MAX);
  EXPECT_EQ(C->FWidth, INT32_MIN);
  EXPECT_EQ(C->FBig, INT64_MAX);
  EXPECT_EQ(C->FColor, TTestColor(INT32_MAX));
  for (auto [Prop, Value] : {std::pair<const char*, const char*>{"Small", "256"},
                             {"Small", "-1"},
                             {"Unsigned", "4294967296"},
                             {"Width", "2147483648"}}) {
    Form.reset(new TTestModule(nullptr));
    EXPECT_THAT(
        ReadError(Format("object Form1: TTestModule\n  object W: TTestWidget\n    %s = %s\n  end\nend\n",
                         Prop, Value)),
        HasSubstr(Format("Error reading W.%s at line 3, column 5: ", Prop)))
        << Prop << " = " << Value;
    ExpectUntouched();
  }
}

}  // namespace
