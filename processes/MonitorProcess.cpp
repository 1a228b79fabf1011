#include "processes/MonitorProcess.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

void TMonitorThread::Execute() {
  NameThreadForDebugging(SMonitorThreadName);
  TMonitorProcess& P = FProcess;
  P.FLastOutputCount = P.FLastErrorCount = 0;
  const auto Started = std::chrono::steady_clock::now();
  std::pair<int, int> Output, Errors;
  for (;;) {
    const bool Ended = P.PollPass(Started);
    P.CollectLines(false, Output, Errors);
    P.ReportChanges(Output, Errors);
    if (Ended || Terminated()) break;
  }
  // Whatever happens from here on, the program counts as finished.
  TScopeExit Guard([&P] { P.FFinished = true; });
  P.DrainPipes();
  P.CollectLines(true, Output, Errors);
  P.ReportChanges(Output, Errors);
  try {
    P.FetchExitCode();
  } catch (const EProcessError&) {
    // Nobody on this thread could show the failure: the end is still reported, with the exit
    // code of a fatal error (the system reaped the program for a host that ignores child-exit
    // signals).
    P.SetExitCode(FatalErrorExitCode);
  }
  P.FFinished = true;
  if (!Terminated())
    Queue(&P, [&P] {
      if (P.FOnTerminate) P.FOnTerminate(P);
    });
}

TMonitorProcess::~TMonitorProcess() {
  if (FWatchStreams && IsRunning()) CancelProcess();
  StopWatching();
}

void TMonitorProcess::CheckNotRunning() const {
  if (IsRunning()) throw TMonitorProcessException(SMonitorRunning);
}

void TMonitorProcess::SetCommandLine(const String& CommandLine) {
  CheckNotRunning();
  TConsoleProcess::SetCommandLine(CommandLine);
}

void TMonitorProcess::SetExeFileName(const String& ExeFileName) {
  CheckNotRunning();
  TConsoleProcess::SetExeFileName(ExeFileName);
}

void TMonitorProcess::SetWorkingDir(const String& WorkingDir) {
  CheckNotRunning();
  TConsoleProcess::SetWorkingDir(WorkingDir);
}

void TMonitorProcess::SetWatch(bool Watch) {
  CheckNotRunning();
  FWatchStreams = Watch;
}

void TMonitorProcess::SetOnOutputChanged(TLinesChangedEvent Event) {
  CheckNotRunning();
  FOnOutputChanged = std::move(Event);
}

void TMonitorProcess::SetOnErrorChanged(TLinesChangedEvent Event) {
  CheckNotRunning();
  FOnErrorChanged = std::move(Event);
}

TProcessLines TMonitorProcess::GetOutput() const {
  std::lock_guard Lock(FOutputLock);
  return FOutput;
}

TProcessLines TMonitorProcess::GetErrors() const {
  std::lock_guard Lock(FErrorLock);
  return FErrors;
}

void TMonitorProcess::SetOutput(const TProcessLines& Lines) {
  std::lock_guard Lock(FOutputLock);
  FOutput = Lines;
}

void TMonitorProcess::SetErrors(const TProcessLines& Lines) {
  std::lock_guard Lock(FErrorLock);
  FErrors = Lines;
}

void TMonitorProcess::Run() {
  CheckNotRunning();
  StopWatching();
  FFinished = false;
  SetOutput({});
  SetErrors({});
  Startup();
  if (!Execute()) {
    Cleanup();
    return;
  }
  if (!FWatchStreams) return;
  FThread = std::make_unique<TMonitorThread>(*this);
  FThread->Start();
}

void TMonitorProcess::CollectLines(bool Final, std::pair<int, int>& Output, std::pair<int, int>& Errors) {
  TProcessLines NewOutput = FStdOut->TakeLines(Final), NewErrors = FStdErr->TakeLines(Final);
  {
    std::lock_guard Lock(FOutputLock);
    FOutput.insert(FOutput.end(), NewOutput.begin(), NewOutput.end());
    Output = {FLastOutputCount, static_cast<int>(FOutput.size())};
  }
  std::lock_guard Lock(FErrorLock);
  FErrors.insert(FErrors.end(), NewErrors.begin(), NewErrors.end());
  Errors = {FLastErrorCount, static_cast<int>(FErrors.size())};
}

void TMonitorProcess::ReportChanges(const std::pair<int, int>& Output, const std::pair<int, int>& Errors) {
  // The thread is the only writer of the lists and waits while the handler runs, so the
  // handler may read them without their locks.
  if (Output.first != Output.second) {
    FLastOutputCount = Output.second;
    if (FOnOutputChanged) Synchronize([&] { FOnOutputChanged(*this, FOutput, Output.first, Output.second); });
  }
  if (Errors.first != Errors.second) {
    FLastErrorCount = Errors.second;
    if (FOnErrorChanged) Synchronize([&] { FOnErrorChanged(*this, FErrors, Errors.first, Errors.second); });
  }
}

bool TMonitorProcess::CancelProcess() {
  if (!FWatchStreams || !IsRunning()) throw TMonitorProcessException(SProcessNotManaged);
  // The program is stopped before the thread is asked to stop, so that the thread, once it
  // leaves its loop, never waits for a program that still runs.
  FChild.Terminate(0);
  FThread->Terminate();
  StopWatching();
  return true;
}

void TMonitorProcess::StopWatching() {
  if (FThread) FThread->WaitFor();
  FThread.reset();
  RemoveQueuedEvents(this);
  Cleanup();
}

}  // namespace formwright
