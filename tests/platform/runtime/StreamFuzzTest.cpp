// Mutations of valid binary and text streams: every one is read or refused with an exception
// (or handled through the error hook), never crashes, hangs or leaks, and a refused read leaves
// the module as it was.
#include <gtest/gtest.h>

#include <random>

#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/Matchers.h"
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

  // One random change: flip, replace, insert, delete, truncate or duplicate bytes. Text
  // mutations favour the characters that carry its structure.
  TBytes Mutate(TBytes B, bool AsText) {
    std::uniform_int_distribution<int> Kind(0, 5);
    auto Pos = [&] { return std::uniform_int_distribution<size_t>(0, B.empty() ? 0 : B.size() - 1)(Rng); };
    auto Byte = [&]() -> uint8_t {
      static const char Structural[] = "'#=[](){}<>-+.$:0123456789 \nendobjectitem";
      if (AsText && Rng() % 2) return static_cast<uint8_t>(Structural[Rng() % (sizeof Structural - 1)]);
      return static_cast<uint8_t>(Rng());
    };
    const int Count = 1 + static_cast<int>(Rng() % 3);
    for (int I = 0; I < Count && !B.empty(); ++I) {
      const size_t P = Pos();
      switch (Kind(Rng)) {
        case 0:
          B[P] ^= static_cast<uint8_t>(1u << (Rng() % 8));
          break;
        case 1:
          B[P] = Byte();
          break;
        case 2:
          B.insert(B.begin() + static_cast<std::ptrdiff_t>(P), Byte());
          break;
        case 3:
          B.erase(B.begin() + static_cast<std::ptrdiff_t>(P),
                  B.begin() + static_cast<std::ptrdiff_t>(std::min(B.size(), P + 1 + Rng() % 8)));
          break;
        case 4:
          B.resize(P);
          break;
        default: {
          const size_t Len = std::min<size_t>(B.size() - P, 1 + Rng() % 16);
          const TBytes Chunk(B.begin() + static_cast<std::ptrdiff_t>(P),
                             B.begin() + static_cast<std::ptrdiff_t>(P + Len));
          B.insert(B.begin() + static_cast<std::ptrdiff_t>(Pos()), Chunk.begin(), Chunk.end());
        }
      }
    }
    return B;
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

  std::mt19937 Rng{20240611};
  TBytes Binary, Text;
  int Accepted = 0, Refused = 0;
};

TEST_F(StreamFuzz, MutatedBinaryStreams) {
  for (int I = 0; I < 2500; ++I) {
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
  for (int I = 0; I < 1500; ++I) {
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
