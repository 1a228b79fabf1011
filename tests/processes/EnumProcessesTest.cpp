#include "processes/EnumProcesses.h"

#include <unistd.h>

#include <map>

#include "ProcessTestSupport.h"
#include "processes/MonitorProcess.h"

using namespace formwright;
using namespace formwright::testing;

using EnumProcessesTest = ProcessTest;

TEST_F(EnumProcessesTest, ListsThisProcessAndAStartedProgramByName) {
  TMonitorProcess Sleeper;
  Sleeper.SetCommandLine("sleep 20");
  Sleeper.Run();
  std::map<pid_t, String> Seen;
  EnumProcesses([&](pid_t Id, const String& Name) { Seen[Id] = Name; });
  EXPECT_EQ(Seen[getpid()], "processes_tests");
  EXPECT_EQ(Seen[Sleeper.GetProcessId()], "sleep");
  EXPECT_GT(Seen.size(), 2u);
  for (const auto& [Id, Name] : Seen) EXPECT_FALSE(Name.empty()) << Id;
  Sleeper.CancelProcess();
}
