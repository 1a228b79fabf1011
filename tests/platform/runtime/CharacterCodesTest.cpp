// Character properties hold unsigned codes: through type information, binary and text streams.
#include <gtest/gtest.h>

#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/ModuleFixture.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using CharacterCodes = TestModuleFixture;

TEST_F(CharacterCodes, EveryCodeReadsAndWritesAsItsUnsignedValue) {
  TTestWidget Widget(nullptr);
  const PPropInfo Letter = GetPropInfo(&Widget, "Letter");
  ASSERT_NE(Letter, nullptr);
  for (int Code = 0; Code <= 255; ++Code) {
    Widget.FLetter = static_cast<char>(Code);
    EXPECT_EQ(GetOrdProp(&Widget, Letter), Code);
    SetOrdProp(&Widget, Letter, Code);
    EXPECT_EQ(static_cast<unsigned char>(Widget.FLetter), Code);
  }
}

TEST_F(CharacterCodes, EveryCodeSurvivesBinaryAndTextStreams) {
  for (int Code = 0; Code <= 255; ++Code) {
    SCOPED_TRACE(Code);
    auto Module = TStreamSamples::BuildModule();
    auto* Widget = dynamic_cast<TTestWidget*>(Module->FindComponent("widget1"));
    ASSERT_NE(Widget, nullptr);
    Widget->FLetter = static_cast<char>(Code);
    const auto Binary =
        TStreamSamples::TextToBinary(TStreamSamples::BinaryToText(TStreamSamples::Write(Module.get())));
    TOwned<TTestModule> Copy(new TTestModule(nullptr));
    auto Stream = TStreamSamples::StreamOf(Binary);
    TReader(Stream.get(), 4096).ReadRootComponent(Copy.get());
    auto* Read = dynamic_cast<TTestWidget*>(Copy->FindComponent("widget1"));
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(static_cast<unsigned char>(Read->FLetter), Code);
  }
}

}  // namespace
