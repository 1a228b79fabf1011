#include "processes/Pipes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <tuple>

#include "processes/ChildProcess.h"

using namespace formwright;

namespace {

void Put(TPipe& Pipe, std::string_view Bytes) {
  ASSERT_EQ(write(Pipe.WriteHandle(), Bytes.data(), Bytes.size()), static_cast<ssize_t>(Bytes.size()));
  Pipe.Drain();
}

}  // namespace

TEST(Pipe, LinesEndAtCrLfLfOrCrAndTheUnfinishedTailWaits) {
  TPipe Pipe;
  EXPECT_EQ(Pipe.Drain(), 0u) << "nothing to read does not block";
  Put(Pipe, "one\r\ntwo\nthr");
  EXPECT_EQ(Pipe.TakeLines(false), (TProcessLines{"one", "two"}));
  Put(Pipe, "ee\rfour\r");
  EXPECT_EQ(Pipe.TakeLines(false), (TProcessLines{"three"})) << "a final CR may be half of CR LF";
  Put(Pipe, "\nfive");
  EXPECT_EQ(Pipe.TakeLines(false), (TProcessLines{"four"}));
  EXPECT_EQ(Pipe.Pending(), 4u);
  EXPECT_EQ(Pipe.TakeLines(true), (TProcessLines{"five"}));
  EXPECT_EQ(Pipe.TakeLines(true), TProcessLines{});
}

TEST(Pipe, ByteOrderMarkAtTheStartIsDropped) {
  TPipe Pipe;
  Put(Pipe, "\xEF\xBB");
  EXPECT_EQ(Pipe.TakeLines(false), TProcessLines{});
  Put(Pipe, "\xBFG\xC3\xB6\n\xEF\xBB\xBFx\n");
  EXPECT_EQ(Pipe.TakeLines(false), (TProcessLines{"Gö", "\xEF\xBB\xBFx"}))
      << "only the stream's first mark goes";
}

TEST(Pipe, ShortFirstLinesAndEmptyLinesComeOutAsWritten) {
  const std::tuple<std::string_view, bool, TProcessLines> Cases[] = {
      {"a\n", false, {"a"}},  // not held back for the mark check
      {"\n\r\n\na", true, {"", "", "", "a"}},
  };
  for (const auto& [Bytes, AtEnd, Lines] : Cases) {
    TPipe Pipe;
    Put(Pipe, Bytes);
    EXPECT_EQ(Pipe.TakeLines(AtEnd), Lines) << Bytes;
  }
}

TEST(Pipe, ADrainTakesAtMostItsLimit) {
  TPipe Pipe;
  const String Bytes(100, 'x');
  ASSERT_EQ(write(Pipe.WriteHandle(), Bytes.data(), Bytes.size()), 100);
  EXPECT_EQ(Pipe.Drain(30), 30u);
  EXPECT_EQ(Pipe.Pending(), 30u);
  EXPECT_EQ(Pipe.Drain(), 70u);
  EXPECT_EQ(Pipe.Drain(), 0u);
}

TEST(CommandLine, SplitsLikeAShellWithoutExpanding) {
  EXPECT_EQ(SplitCommandLine("  prog  a\tb "), (std::vector<String>{"prog", "a", "b"}));
  EXPECT_EQ(SplitCommandLine("sh -c 'echo $HOME; exit 3'"),
            (std::vector<String>{"sh", "-c", "echo $HOME; exit 3"}));
  EXPECT_EQ(SplitCommandLine(R"(a "b c" "q\"x\\y\n" d\ e)"),
            (std::vector<String>{"a", "b c", "q\"x\\y\\n", "d e"}));
  EXPECT_EQ(SplitCommandLine(R"(x'y'"z" '' "")"), (std::vector<String>{"xyz", "", ""}));
  EXPECT_EQ(SplitCommandLine("'open"), (std::vector<String>{"open"}));
  EXPECT_EQ(SplitCommandLine(""), std::vector<String>{});
}
