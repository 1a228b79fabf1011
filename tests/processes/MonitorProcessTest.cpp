#include "processes/MonitorProcess.h"

#include <signal.h>

#include "ProcessTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using MonitorProcess = ProcessTest;

bool Gone(pid_t Pid) { return kill(Pid, 0) != 0 && errno == ESRCH; }

}  // namespace

TEST_F(MonitorProcess, RunReturnsAtOnceAndTheEndIsReportedOnTheMainThread) {
  TMonitorProcess Process;
  EXPECT_TRUE(Process.Watch());
  std::vector<std::pair<int, int>> Reports;
  bool Ended = false;
  Process.SetOnOutputChanged([&](TMonitorProcess&, const TProcessLines& Lines, int Old, int New) {
    EXPECT_TRUE(IsMainThread());
    EXPECT_EQ(static_cast<int>(Lines.size()), New);
    Reports.emplace_back(Old, New);
  });
  Process.SetOnTerminate([&](TMonitorProcess& Sender) {
    EXPECT_TRUE(IsMainThread());
    EXPECT_FALSE(Sender.IsRunning()) << "the finished flag is set before the notice";
    Ended = true;
  });
  Process.SetCommandLine(Shell("echo first; sleep 0.5; echo second; exit 7"));
  const auto Start = std::chrono::steady_clock::now();
  Process.Run();
  EXPECT_LT(ElapsedMs(Start), 300);
  EXPECT_TRUE(Process.IsRunning());
  EXPECT_GT(Process.GetProcessId(), 0);
  EXPECT_GE(Process.GetProcess(), 0);
  ASSERT_TRUE(PumpUntil([&] { return Ended; }));
  EXPECT_EQ(Process.ExitCode(), 7u);
  EXPECT_EQ(Process.GetOutput(), (TProcessLines{"first", "second"}));
  ASSERT_FALSE(Reports.empty());
  EXPECT_EQ(Reports.front().first, 0);
  EXPECT_EQ(Reports.back().second, 2);
}

TEST_F(MonitorProcess, SettingsAreLockedWhileTheMonitorRuns) {
  TMonitorProcess Process;
  Process.SetCommandLine("sleep 20");
  Process.Run();
  ASSERT_TRUE(Process.IsRunning());
  for (const auto& Change : std::vector<std::function<void()>>{
           [&] { Process.SetCommandLine("true"); }, [&] { Process.SetExeFileName("x"); },
           [&] { Process.SetWorkingDir("/"); }, [&] { Process.SetWatch(false); },
           [&] { Process.SetOnOutputChanged(nullptr); }, [&] { Process.SetOnErrorChanged(nullptr); }})
    EXPECT_EQ(MessageOf<TMonitorProcessException>(Change), "Monitor thread already running");
  EXPECT_EQ(MessageOf<TMonitorProcessException>([&] { Process.Run(); }), "Monitor thread already running");
  EXPECT_TRUE(Process.CancelProcess());
}

TEST_F(MonitorProcess, CancelStopsTheProgramWithoutTerminationNotice) {
  TMonitorProcess Process;
  bool Ended = false;
  Process.SetOnTerminate([&](TMonitorProcess&) { Ended = true; });
  Process.SetCommandLine(Shell("trap \"\" TERM INT; sleep 20"));
  Process.Run();
  const pid_t Pid = Process.GetProcessId();
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_TRUE(Process.CancelProcess());
  EXPECT_LT(ElapsedMs(Start), 2000);
  EXPECT_FALSE(Process.IsRunning());
  EXPECT_EQ(Process.ExitCode(), 0u);
  EXPECT_TRUE(Gone(Pid));
  CheckSynchronize(50);
  EXPECT_FALSE(Ended);
  EXPECT_EQ(MessageOf<TMonitorProcessException>([&] { Process.CancelProcess(); }),
            "Process is not being managed");
}

TEST_F(MonitorProcess, CancelWhileTheMonitorWaitsForTheMainThreadDoesNotDeadLock) {
  TMonitorProcess Process;
  int Reports = 0;
  Process.SetOnOutputChanged([&](TMonitorProcess&, const TProcessLines&, int, int) { ++Reports; });
  Process.SetCommandLine(Shell("seq 1 1000; sleep 20"));
  Process.Run();
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the monitor now waits in Synchronize
  EXPECT_TRUE(Process.CancelProcess());
  EXPECT_GE(Reports, 1);
  EXPECT_EQ(Process.GetOutput().size(), 1000u);
}

TEST_F(MonitorProcess, TimeOutStopsTheProgramWithExitCode999) {
  for (const char* CommandLine : {"sleep 20", "yes"}) {
    SCOPED_TRACE(CommandLine);
    TMonitorProcess Process;
    bool Ended = false;
    Process.SetOnTerminate([&](TMonitorProcess&) { Ended = true; });
    Process.SetTimeOut(300);
    Process.SetCommandLine(CommandLine);
    Process.Run();
    ASSERT_TRUE(PumpUntil([&] { return Ended; }));
    EXPECT_EQ(Process.ExitCode(), 999u);
  }
}

TEST_F(MonitorProcess, HostIgnoringChildExitSignalsStillSeesTheProgramEnd) {
  const auto Ignored = IgnoreChildSignals();
  TMonitorProcess Process;
  bool Ended = false;
  Process.SetOnTerminate([&](TMonitorProcess&) { Ended = true; });
  Process.SetCommandLine(Shell("echo done"));
  Process.Run();
  EXPECT_TRUE(PumpUntil([&] { return Ended; }));
  EXPECT_FALSE(Process.IsRunning());
  EXPECT_EQ(Process.GetOutput(), TProcessLines{"done"});
  EXPECT_EQ(Process.ExitCode(), FatalErrorExitCode) << "the system took the code";
}

TEST_F(MonitorProcess, CollectsFloodsOfOutputAndErrors) {
  TMonitorProcess Process;
  bool Ended = false;
  int LastErrorCount = 0;
  Process.SetOnErrorChanged(
      [&](TMonitorProcess&, const TProcessLines&, int, int New) { LastErrorCount = New; });
  Process.SetOnTerminate([&](TMonitorProcess&) { Ended = true; });
  Process.SetCommandLine(Shell("seq 1 100000; seq 1 30000 >&2"));
  Process.Run();
  ASSERT_TRUE(PumpUntil([&] { return Ended; }));
  EXPECT_EQ(Process.GetOutput().size(), 100000u);
  EXPECT_EQ(Process.GetErrors().size(), 30000u);
  EXPECT_EQ(LastErrorCount, 30000);
}

TEST_F(MonitorProcess, WithoutWatchingTheProgramIsOnlyStarted) {
  TMonitorProcess Process;
  Process.SetWatch(false);
  Process.SetCommandLine("sleep 0.3");
  Process.Run();
  EXPECT_FALSE(Process.IsRunning());
  const pid_t Pid = Process.GetProcessId();
  ASSERT_GT(Pid, 0);
  EXPECT_FALSE(Gone(Pid)) << "it runs";
  EXPECT_EQ(waitpid(Pid, nullptr, WNOHANG), -1) << "and it is not our child, so it cannot become our zombie";
  EXPECT_EQ(MessageOf<TMonitorProcessException>([&] { Process.CancelProcess(); }),
            "Process is not being managed");
  for (int I = 0; I < 1000 && !Gone(Pid); ++I) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(Gone(Pid));
}

TEST_F(MonitorProcess, UnwatchedMissingProgramStillFails) {
  TMonitorProcess Process;
  Process.SetWatch(false);
  Process.SetCommandLine("formwright-no-such-program");
  Process.SetExeFileName("formwright-no-such-program");
  EXPECT_THAT([&] { Process.Run(); },
              Raises<EProcessError>("Failed to run formwright-no-such-program. No such file or directory"));
}

TEST_F(MonitorProcess, DestroyingARunningMonitorCancelsTheProgram) {
  pid_t Pid;
  bool Ended = false;
  {
    TMonitorProcess Process;
    Process.SetOnTerminate([&](TMonitorProcess&) { Ended = true; });
    Process.SetCommandLine("sleep 20");
    Process.Run();
    Pid = Process.GetProcessId();
  }
  EXPECT_TRUE(Gone(Pid));
  CheckSynchronize(50);
  EXPECT_FALSE(Ended);
}

TEST_F(MonitorProcess, AFinishedMonitorRunsAgainWithFreshListsAndASilentProgramFiresNoChange) {
  TMonitorProcess Process;
  int Ends = 0, Changes = 0;
  Process.SetOnOutputChanged([&](TMonitorProcess&, const TProcessLines&, int, int) { ++Changes; });
  Process.SetOnErrorChanged([&](TMonitorProcess&, const TProcessLines&, int, int) { ++Changes; });
  Process.SetOnTerminate([&](TMonitorProcess&) { ++Ends; });
  Process.SetCommandLine("echo one");
  Process.Run();
  ASSERT_TRUE(PumpUntil([&] { return Ends == 1; }));
  ASSERT_EQ(Process.GetOutput(), TProcessLines{"one"});
  const int ChangesOfTheFirstRun = Changes;
  Process.SetCommandLine("true");
  Process.Run();
  ASSERT_TRUE(PumpUntil([&] { return Ends == 2; }));
  EXPECT_EQ(Process.GetOutput(), TProcessLines{});
  EXPECT_EQ(Changes, ChangesOfTheFirstRun);
}
