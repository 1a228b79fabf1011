// Running a console program in the background (TMonitorProcess).
#pragma once

#include <mutex>

#include "platform/runtime/Threads.h"
#include "processes/ConsoleProcess.h"

namespace formwright {

FW_EXCEPTION(TMonitorProcessException, EProcessError);

inline constexpr const char* SMonitorRunning = "Monitor thread already running";
inline constexpr const char* SProcessNotManaged = "Process is not being managed";
// The monitor thread's name for debuggers (the platform shows its first 15 bytes).
inline constexpr const char* SMonitorThreadName = "ProcessUtil Monitor Thread";

class TMonitorProcess;

// The thread that watches a monitored program: it collects its output, reports changes and
// its end to the main thread, and applies the time-out.
class TMonitorThread : public TThread {
 public:
  explicit TMonitorThread(TMonitorProcess& Process) : FProcess(Process) {}
  ~TMonitorThread() override { WaitFor(); }

 protected:
  void Execute() override;

 private:
  TMonitorProcess& FProcess;
};

// Starts a console program and returns at once. With watching on (the default) a background
// thread collects the program's output and errors; every change of a list's line count reaches
// `OnOutputChanged` / `OnErrorChanged` on the main thread (the thread waits for the handler),
// and the program's end reaches `OnTerminate` on the main thread later (queued). Handlers run
// when the host's idle loop calls `CheckSynchronize`. With watching off the program is only
// started, its output goes where the caller's goes, and nothing watches it.
//
// A cancelled program ends without `OnTerminate`: whoever cancelled it knows. When the exit
// code cannot be read, the end is still reported, with the exit code $0BADF00D.
class TMonitorProcess : public TConsoleProcess {
 public:
  using TLinesChangedEvent =
      std::function<void(TMonitorProcess& Sender, const TProcessLines& Lines, int OldCount, int NewCount)>;
  using TNotifyEvent = std::function<void(TMonitorProcess& Sender)>;

  TMonitorProcess() = default;
  // Cancels a watched program that still runs.
  ~TMonitorProcess() override;

  // Starts the program (and, when watching, the monitor thread) and returns.
  void Run() override;
  // True while the monitor thread watches a program that has not ended.
  bool IsRunning() const noexcept { return FThread && !FFinished; }
  // Stops a watched, running program with exit code 0 and waits for the monitor; answers true.
  // Raises TMonitorProcessException "Process is not being managed" otherwise.
  bool CancelProcess();
  // A handle that becomes readable when the program ends, or -1.
  int GetProcess() const noexcept { return FChild.Handle(); }
  int GetProcessId() const noexcept { return FChild.ProcessId(); }

  // Settings below raise TMonitorProcessException "Monitor thread already running" while the
  // monitor runs.
  void SetCommandLine(const String& CommandLine) override;
  void SetExeFileName(const String& ExeFileName) override;
  void SetWorkingDir(const String& WorkingDir) override;
  void SetWatch(bool Watch);
  bool Watch() const noexcept { return FWatchStreams; }
  void SetOnOutputChanged(TLinesChangedEvent Event);
  void SetOnErrorChanged(TLinesChangedEvent Event);
  void SetOnTerminate(TNotifyEvent Event) { FOnTerminate = std::move(Event); }

  // The lists are read and assigned under their locks, so the thread may be adding lines.
  TProcessLines GetOutput() const override;
  TProcessLines GetErrors() const override;
  void SetOutput(const TProcessLines& Lines) override;
  void SetErrors(const TProcessLines& Lines) override;

 private:
  friend class TMonitorThread;
  void CheckNotRunning() const;
  // Moves newly printed lines into the lists under their locks; answers the counts before and
  // after.
  void CollectLines(bool Final, std::pair<int, int>& Output, std::pair<int, int>& Errors);
  void ReportChanges(const std::pair<int, int>& Output, const std::pair<int, int>& Errors);
  void StopWatching();

  std::unique_ptr<TMonitorThread> FThread;
  mutable std::mutex FOutputLock, FErrorLock;
  TLinesChangedEvent FOnOutputChanged, FOnErrorChanged;
  TNotifyEvent FOnTerminate;
  int FLastOutputCount = 0, FLastErrorCount = 0;
  std::atomic<bool> FFinished{false};
};

}  // namespace formwright
