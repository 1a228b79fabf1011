// Mutations of valid binary and text streams (a few hundred from a fixed seed; the fuzz run goes
// further through whole modules): every one is read or refused with an exception (or handled
// through the error hook), never crashes, hangs or leaks, and a refused read leaves the module as
// it was.
#include <gtest/gtest.h>

#include <random>

#include "formwright/testing/Matchers.h"
#include "fuzz/Mutator.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using TBytes = std::vector<uint8_t>;

class StreamFuzz : public ::testing::Test {
 protected:
  void SetUp() override {
    TStreamSamples::RegisterClasses();
    auto Sample = TStreamSamples::BuildModule();
    Binary = TStreamSamples::Write(Sample.get());
    Text = TStreamSamples::BinaryToText(Binary);
  }
  void TearDown() override { RemoveFixupReferences(nullptr, String()); }

  // One random change (fuzz/Mutator.h) of a stream.
  TBytes Mutate(const TBytes& B, bool AsText) {
    const std::string Changed =
        fuzz::Mutate(std::string(B.begin(), B.end()), Rng, {AsText, {"end", "object", "item", "inherited"}});
    return TBytes(Changed.begin(), Changed.end());
  }

  // Reads a binary stream into a fresh module; checks that a failure left it empty.
  void ReadBinary(const TBytes& B, bool HandleErrors) {
    TOwned<TTestModule> M(new TTestModule(nullptr));
    auto S = TStreamSamples::StreamOf(B);
    TReader R(S.get(), 64);
    if (HandleErrors) R.OnError = [](TReader*, const String&, bool& Handled) { Handled = true; };
    try {
      R.ReadRootComponent(M.get());
      ++Accepted;
    } catch (Exception& E) {
      EXPECT_FALSE(E.Message().empty());
      EXPECT_EQ(M->ComponentCount(), 1);
      EXPECT_EQ(M->Name(), "");
      EXPECT_FALSE(M->ComponentState().Contains(csLoading));
      ++Refused;
    }
    M.reset();
    EXPECT_EQ(PendingFixupCount(), 0);
  }

  std::mt19937_64 Rng{20240611};
  TBytes Binary, Text;
  int Accepted = 0, Refused = 0;
};

TEST_F(StreamFuzz, MutatedBinaryStreams) {
  for (int I = 0; I < 300; ++I) {
    const TBytes B = Mutate(Binary, false);
    ReadBinary(B, I % 2 == 0);
    auto In = TStreamSamples::StreamOf(B);
    TOwned<TMemoryStream> Out(new TMemoryStream);
    try {
      ObjectBinaryToText(In.get(), Out.get());
      // What converts to text converts back to the same meaning.
      EXPECT_NO_THROW(TStreamSamples::TextToBinary(Out->Bytes()));
    } catch (EReadError&) {
      EXPECT_EQ(Out->Size(), 0);
      EXPECT_EQ(In->Position(), 0);
    }
  }
  EXPECT_GT(Accepted, 0);
  EXPECT_GT(Refused, 0);
}

TEST_F(StreamFuzz, MutatedTextStreams) {
  int Converted = 0;
  for (int I = 0; I < 300; ++I) {
    const TBytes T = Mutate(Text, true);
    TBytes B;
    try {
      B = TStreamSamples::TextToBinary(T);
      ++Converted;
    } catch (EParserError& E) {
      EXPECT_NE(E.Message().find(" on line "), String::npos) << E.Message();
      continue;
    }
    ReadBinary(B, I % 2 == 0);
    // Text that converted is canonical after one round.
    EXPECT_EQ(TStreamSamples::TextToBinary(TStreamSamples::BinaryToText(B)), B);
  }
  EXPECT_GT(Converted, 0);
}

TEST_F(StreamFuzz, DeepNestingIsRefused) {
  String Deep;
  for (int I = 0; I < 300; ++I) Deep += "object A" + IntToStr(I) + ": TTestWidget\n";
  for (int I = 0; I < 300; ++I) Deep += "end\n";
  EXPECT_THAT([&] { TStreamSamples::TextToBinary(TStreamSamples::AsBytes(Deep)); },
              Raises<EParserError>(::testing::HasSubstr("nesting too deep")));
  TBytes Lists = {'F', 'W', 'C', '1', 1, 'T', 0, 1, 'X'};
  for (int I = 0; I < 100000; ++I) Lists.push_back(vaList);
  ReadBinary(Lists, true);
  EXPECT_EQ(Refused, 1);
}

}  // namespace
