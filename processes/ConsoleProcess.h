// Running external console programs with captured output (TConsoleProcess, TReportProcess).
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "processes/ChildProcess.h"
#include "processes/Pipes.h"

namespace formwright {

inline constexpr const char* SFailedToRun = "Failed to run %s. %s";
inline constexpr const char* SFailedToCreateProcess =
    "Failed to create process\r\nCommand line: '%s'\r\nError Message: '%s'";
inline constexpr const char* SUnableToGetExitCode = "Unable to get process exit code";
// Exit code left by `DoReportFatalError` when `ReportFatalError` does not raise.
inline constexpr uint32_t FatalErrorExitCode = 0x0BADF00D;
// Exit code of a program stopped because its time-out expired.
inline constexpr uint32_t TimeOutExitCode = 999;
// Exit code of a program stopped because a report process was cancelled.
inline constexpr uint32_t CancelExitCode = 100;
// Length of one polling pass.
inline constexpr int PollInterval = 250;

// Runs a console program, collects what it prints on standard output and standard error as
// lines, and blocks until it has ended. Set the command line (and optionally an exe name for
// messages, a working directory, a time-out and the environment), call `Run`, then read
// `GetOutput`, `GetErrors` and `ExitCode`.
//
// The program's standard input is an empty pipe (it reads end of file at once); it runs in a
// process group of its own. On this platform console programs have no window, so the show
// command is kept for callers but has no effect.
class TConsoleProcess {
 public:
  TConsoleProcess();
  virtual ~TConsoleProcess();
  TConsoleProcess(const TConsoleProcess&) = delete;
  TConsoleProcess& operator=(const TConsoleProcess&) = delete;

  // The program and its arguments, split into words as a POSIX shell does (without expansion).
  virtual void SetCommandLine(const String& CommandLine) { FCommandLine = CommandLine; }
  const String& CommandLine() const noexcept { return FCommandLine; }
  // The program's name for the failure message "Failed to run %s. %s".
  virtual void SetExeFileName(const String& ExeFileName) { FExeFileName = ExeFileName; }
  const String& ExeFileName() const noexcept { return FExeFileName; }
  // Empty: the caller's directory.
  virtual void SetWorkingDir(const String& WorkingDir) { FWorkingDir = WorkingDir; }
  const String& WorkingDir() const noexcept { return FWorkingDir; }
  // Milliseconds the program may run; 0 or more also switches the time-out on. A program still
  // running when it expires is stopped with exit code 999.
  void SetTimeOut(int TimeOut);
  int TimeOut() const noexcept { return FTimeOut; }
  bool TimeOutActive() const noexcept { return FTimeOutActive; }
  void SetShowWindow(uint16_t ShowWindow) { FShowWindow = ShowWindow; }
  uint16_t ShowWindow() const noexcept { return FShowWindow; }

  // The lines printed on standard output and standard error.
  virtual TProcessLines GetOutput() const { return FOutput; }
  virtual TProcessLines GetErrors() const { return FErrors; }
  virtual void SetOutput(const TProcessLines& Lines) { FOutput = Lines; }
  virtual void SetErrors(const TProcessLines& Lines) { FErrors = Lines; }
  // The name=value entries handed to the program, initially the caller's environment. They are
  // sorted when the program starts.
  TProcessLines& GetEnvList() noexcept { return FEnvironment; }
  uint32_t ExitCode() const noexcept { return FExitCode; }
  void SetExitCode(uint32_t ExitCode) noexcept { FExitCode = ExitCode; }

  // Startup, Execute, Running (only when Execute succeeded) and Cleanup, which runs even when
  // a step raises.
  virtual void Run();

 protected:
  // Creates the pipes of the standard streams.
  virtual void Startup();
  // Starts the program; a failure goes to DoReportFatalError and answers false.
  virtual bool Execute();
  // Collects the output until the program ends, then reads the exit code.
  virtual void Running();
  // Frees the pipes and the process handle; a program still running is stopped and reaped.
  virtual void Cleanup();
  // Reports a failure; the default raises EProcessError with the message. An override that
  // returns leaves the exit code $0BADF00D.
  virtual void ReportFatalError(const String& Message);
  void DoReportFatalError(const String& Message);

  // One polling pass of 250 ms, or less when the program ends: drains both pipes as output
  // arrives, each at most its share DrainLimit per pass, then stops the program with exit code 999
  // once the time-out has expired. Answers whether the program has ended. The time-out is
  // measured on the clock from `Started`.
  bool PollPass(std::chrono::steady_clock::time_point Started);
  // Drains both pipes a last time and answers the remaining output and error lines.
  void FinalDrain(TProcessLines& Output, TProcessLines& Errors);
  // Reads the exit code into ExitCode, or reports "Unable to get process exit code".
  void FetchExitCode();
  void DrainPipes();

  bool FWatchStreams = true;  // whether Startup hands the program the output pipes
  std::unique_ptr<TPipe> FStdIn, FStdOut, FStdErr;
  TChildProcess FChild;
  TProcessLines FOutput, FErrors;

 private:
  String FCommandLine, FExeFileName, FWorkingDir;
  TProcessLines FEnvironment;
  std::atomic<uint32_t> FExitCode{0};
  uint16_t FShowWindow = 0;
  bool FTimeOutActive = false;
  int FTimeOut = -1;
  std::vector<int> FWakeOn;
};

// A console process that keeps the user interface alive while the program runs and reports
// new lines as they arrive. Each pass lets the host process its pending work (`ProcessMessages`)
// and asks `Cancelled` whether to stop; a cancelled program is stopped with exit code 100.
class TReportProcess : public TConsoleProcess {
 public:
  // Receives the sender, the list, the line count last reported and the new line count.
  using TLinesChangedEvent =
      std::function<void(TReportProcess& Sender, const TProcessLines& Lines, int OldCount, int NewCount)>;
  TLinesChangedEvent OnOutputChanged;
  TLinesChangedEvent OnErrorChanged;

 protected:
  void Running() override;
  // Lets the host run its pending work; by default runs the main thread's queued calls.
  virtual void ProcessMessages();
  // Whether the caller wants the program stopped; never, unless overridden.
  virtual bool Cancelled() { return false; }

 private:
  void Report(TProcessLines& Lines, TProcessLines&& NewLines, int& Reported, const TLinesChangedEvent& Event);
  int FReportedOutput = 0, FReportedErrors = 0;
};

}  // namespace formwright
