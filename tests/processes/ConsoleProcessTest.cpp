#include "processes/ConsoleProcess.h"

#include <signal.h>

#include <filesystem>

#include "ProcessTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using ConsoleProcess = ProcessTest;
using ReportProcess = ProcessTest;

// Keeps the fatal error instead of raising it.
class TQuietProcess : public TConsoleProcess {
 public:
  String Reported;

 protected:
  void ReportFatalError(const String& Message) override { Reported = Message; }
};

// Cancels after the given number of cancel tests.
class TCancellingProcess : public TReportProcess {
 public:
  int AnswerTrueAfter = 1;

 protected:
  bool Cancelled() override { return --AnswerTrueAfter < 0; }
};

}  // namespace

TEST_F(ConsoleProcess, CollectsOutputErrorsAndExitCodeOfProgramsThatEnd) {
  struct TCase {
    String CommandLine;
    TProcessLines Output, Errors;
    unsigned ExitCode;
  };
  const TCase Cases[] = {
      {Shell("printf \"one\\ntwo\\n\"; echo oops >&2; printf last; exit 3"),
       {"one", "two", "last"},
       {"oops"},
       3},
      {"true", {}, {}, 0},
      {"cat", {}, {}, 0},  // standard input is at its end
      {Shell("echo before; exec >&- 2>&-; sleep 0.3; exit 4"), {"before"}, {}, 4},  // pipes closed early
      {Shell("kill -TERM $$"), {}, {}, 128u + SIGTERM},                             // the signal in the code
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.CommandLine);
    TConsoleProcess Process;
    Process.SetOutput({"stale"});
    Process.SetCommandLine(Case.CommandLine);
    Process.Run();
    EXPECT_EQ(Process.GetOutput(), Case.Output);
    EXPECT_EQ(Process.GetErrors(), Case.Errors);
    EXPECT_EQ(Process.ExitCode(), Case.ExitCode);
  }
}

TEST_F(ConsoleProcess, EnvironmentListAndWorkingDirectoryReachTheProgram) {
  TConsoleProcess Process;
  EXPECT_NE(std::find_if(Process.GetEnvList().begin(), Process.GetEnvList().end(),
                         [](const String& E) { return E.rfind("PATH=", 0) == 0; }),
            Process.GetEnvList().end())
      << "filled from the caller's environment";
  Process.GetEnvList().push_back("FW_GREETING=hello there");
  const String Folder = std::filesystem::temp_directory_path().string();
  Process.SetWorkingDir(Folder);
  Process.SetCommandLine(Shell("echo \"$FW_GREETING\"; pwd"));
  Process.Run();
  EXPECT_EQ(Process.GetOutput(), (TProcessLines{"hello there", std::filesystem::canonical(Folder).string()}));
}

TEST_F(ConsoleProcess, TheProgramGetsTheEnvironmentListSorted) {
  TConsoleProcess Process;
  Process.GetEnvList() = {"ZZ_FW=last", "PATH=/usr/bin:/bin", "AA_FW=first", "MM_FW=middle"};
  Process.SetCommandLine("env");
  Process.Run();
  EXPECT_EQ(Process.GetOutput(),
            (TProcessLines{"AA_FW=first", "MM_FW=middle", "PATH=/usr/bin:/bin", "ZZ_FW=last"}));
}

TEST_F(ConsoleProcess, MissingProgramFailsWithTheRunnersMessages) {
  TConsoleProcess Named;
  Named.SetCommandLine("formwright-no-such-program --help");
  Named.SetExeFileName("formwright-no-such-program");
  EXPECT_EQ(MessageOf<EProcessError>([&] { Named.Run(); }),
            "Failed to run formwright-no-such-program. No such file or directory");
  TConsoleProcess Unnamed;
  Unnamed.SetCommandLine("formwright-no-such-program --help");
  EXPECT_EQ(MessageOf<EProcessError>([&] { Unnamed.Run(); }),
            "Failed to create process\r\nCommand line: 'formwright-no-such-program --help'\r\n"
            "Error Message: 'No such file or directory'");
  TConsoleProcess BadFolder;
  BadFolder.SetCommandLine("true");
  BadFolder.SetWorkingDir("/formwright/no/such/folder");
  EXPECT_EQ(MessageOf<EProcessError>([&] { BadFolder.Run(); }).rfind("Failed to create process", 0), 0u);
}

TEST_F(ConsoleProcess, FatalErrorThatIsNotRaisedLeavesBadFoodAsExitCode) {
  TQuietProcess Process;
  Process.SetCommandLine("formwright-no-such-program");
  Process.SetExeFileName("tool");
  Process.Run();
  EXPECT_EQ(Process.Reported, "Failed to run tool. No such file or directory");
  EXPECT_EQ(Process.ExitCode(), 0x0BADF00Du);
}

TEST_F(ConsoleProcess, TimeOutOfZeroStopsTheProgramAfterTheFirstPass) {
  TConsoleProcess Process;
  EXPECT_FALSE(Process.TimeOutActive());
  Process.SetTimeOut(0);
  EXPECT_TRUE(Process.TimeOutActive());
  Process.SetCommandLine("sleep 20");
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_EQ(Process.ExitCode(), 999u);
  EXPECT_GE(ElapsedMs(Start), 200);
  EXPECT_LT(ElapsedMs(Start), 2000);
}

TEST_F(ConsoleProcess, ProgramThatIgnoresSignalsIsStillStoppedAtItsTimeOut) {
  TConsoleProcess Process;
  Process.SetTimeOut(400);
  Process.SetCommandLine(Shell("trap \"\" TERM INT HUP; echo ready; sleep 20"));
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_EQ(Process.ExitCode(), 999u);
  EXPECT_EQ(Process.GetOutput(), TProcessLines{"ready"});
  EXPECT_LT(ElapsedMs(Start), 3000);
}

TEST_F(ConsoleProcess, ProgramPrintingWithoutPauseIsStoppedAtItsTimeOutWithBoundedOutput) {
  // Short lines ("y") and long ones, on one stream or both.
  const String Long(200, 'x');
  const struct {
    bool Reporting;
    String Script;
    size_t LineLength;
  } Cases[] = {{false, "yes & yes >&2", 1}, {true, "yes", 1}, {false, "yes " + Long, Long.size()}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Script.substr(0, 20));
    std::unique_ptr<TConsoleProcess> Process =
        Case.Reporting ? std::make_unique<TReportProcess>() : std::make_unique<TConsoleProcess>();
    Process->SetTimeOut(100);
    Process->SetCommandLine(Shell(Case.Script));
    const auto Start = std::chrono::steady_clock::now();
    Process->Run();
    const long long Elapsed = ElapsedMs(Start);
    EXPECT_EQ(Process->ExitCode(), 999u);
    // Each pass of a quarter second takes a bounded share from each pipe, counting each line
    // as its bytes and the string that holds it, and so does the last drain.
    const size_t Lines = Process->GetOutput().size() + Process->GetErrors().size();
    EXPECT_LE(Lines * (Case.LineLength + 1 + LineCost),
              static_cast<size_t>(Elapsed / PollInterval + 2) * 2 * DrainLimit);
    // Yet far more than a pipe holds is read in that pass: ordinary text is not held back.
    EXPECT_GT(Lines * (Case.LineLength + 1), 100 * PipeBufferSize);
  }
}

TEST_F(ConsoleProcess, HostIgnoringChildExitSignalsStillSeesTheProgramEnd) {
  const auto Ignored = IgnoreChildSignals();
  TConsoleProcess Finished;
  Finished.SetCommandLine(Shell("echo done; exit 3"));
  EXPECT_EQ(MessageOf<EProcessError>([&] { Finished.Run(); }), "Unable to get process exit code")
      << "the system took the code";
  EXPECT_EQ(Finished.GetOutput(), TProcessLines{"done"});
  TConsoleProcess Stopped;
  Stopped.SetTimeOut(300);
  Stopped.SetCommandLine("sleep 20");
  const auto Start = std::chrono::steady_clock::now();
  Stopped.Run();
  EXPECT_EQ(Stopped.ExitCode(), 999u) << "the runner knows the code it stopped the program with";
  EXPECT_LT(ElapsedMs(Start), 3000);
}

TEST_F(ConsoleProcess, OutputWrittenAfterTheLastPollIsCollected) {
  TConsoleProcess Process;
  Process.SetCommandLine(Shell("sleep 0.3; seq 1 50000; printf tail"));
  Process.Run();
  const TProcessLines Output = Process.GetOutput();
  ASSERT_EQ(Output.size(), 50001u);
  EXPECT_EQ(Output[0], "1");
  EXPECT_EQ(Output[49999], "50000");
  EXPECT_EQ(Output.back(), "tail");
}

TEST_F(ConsoleProcess, FloodOfOutputOnBothStreamsDoesNotStall) {
  TConsoleProcess Process;
  Process.SetCommandLine(Shell("seq 1 200000 >&2 & seq 1 200000; wait"));
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_EQ(Process.GetOutput().size(), 200000u);
  EXPECT_EQ(Process.GetErrors().size(), 200000u);
  EXPECT_LT(ElapsedMs(Start), 10000);
}

TEST_F(ConsoleProcess, BackgroundChildHoldingThePipeDoesNotKeepTheRunnerWaiting) {
  TConsoleProcess Process;
  Process.SetCommandLine(Shell("sleep 20 & echo $!"));
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_LT(ElapsedMs(Start), 3000);
  ASSERT_EQ(Process.GetOutput().size(), 1u);
  kill(static_cast<pid_t>(std::stol(Process.GetOutput()[0])), SIGKILL);  // not our child: init reaps it
}

TEST_F(ReportProcess, ReportsNewLinesAsTheyArrive) {
  TReportProcess Process;
  std::vector<std::pair<int, int>> Reports;
  std::vector<size_t> Sizes;
  Process.OnOutputChanged = [&](TReportProcess& Sender, const TProcessLines& Lines, int Old, int New) {
    EXPECT_EQ(&Sender, &Process);
    EXPECT_TRUE(IsMainThread());
    Reports.emplace_back(Old, New);
    Sizes.push_back(Lines.size());
  };
  int ErrorReports = 0;
  Process.OnErrorChanged = [&](TReportProcess&, const TProcessLines&, int, int) { ++ErrorReports; };
  Process.SetCommandLine(Shell("echo a; sleep 0.6; echo b; echo c"));
  Process.Run();
  ASSERT_GE(Reports.size(), 2u) << "the first line is reported before the program ends";
  EXPECT_EQ(Reports.front(), (std::pair<int, int>{0, 1}));
  for (size_t I = 1; I < Reports.size(); ++I) EXPECT_EQ(Reports[I].first, Reports[I - 1].second);
  EXPECT_EQ(Reports.back().second, 3);
  EXPECT_EQ(Sizes.back(), 3u);
  EXPECT_EQ(ErrorReports, 0) << "nothing printed, nothing reported";
  EXPECT_EQ(Process.GetOutput(), (TProcessLines{"a", "b", "c"}));
}

TEST_F(ReportProcess, CancelledProgramIsStoppedWithExitCode100) {
  TCancellingProcess Process;
  Process.AnswerTrueAfter = 1;
  Process.SetCommandLine(Shell("echo started; sleep 20"));
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_EQ(Process.ExitCode(), 100u);
  EXPECT_EQ(Process.GetOutput(), TProcessLines{"started"});
  EXPECT_LT(ElapsedMs(Start), 3000);
}

TEST_F(ReportProcess, KeepsTheMainThreadQueueRunning) {
  TReportProcess Process;
  bool Ran = false;
  std::thread Worker([&] { Queue(nullptr, [&] { Ran = true; }); });
  Worker.join();
  Process.SetCommandLine("sleep 0.3");
  Process.Run();
  EXPECT_TRUE(Ran);
}
