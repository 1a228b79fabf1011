// Starting a program, waiting for it, stopping it and reading its exit code (POSIX).
#pragma once

#include <sys/types.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The words of a command line, as a POSIX shell splits them but without expanding anything:
// blanks separate words; single quotes keep their text as it is; double quotes keep blanks, and
// in them a backslash escapes " \ $ and `; outside quotes a backslash escapes any character.
std::vector<String> SplitCommandLine(std::string_view CommandLine);

// What to start.
struct TStartInfo {
  String CommandLine;               // the program (looked up in PATH) and its arguments
  String WorkingDir;                // empty: the caller's directory
  std::vector<String> Environment;  // name=value entries handed to the program as they are
  // Descriptors that become the program's standard input, output and error; -1 keeps the
  // caller's.
  int StdIn = -1, StdOut = -1, StdErr = -1;
};

// A started program. It runs in a process group of its own, so that stopping it stops the
// programs it started too. Unless it was started detached, the object is its parent: it waits
// for the program and reaps it, and destroying it while the program runs stops and reaps the
// program, so no zombie stays behind.
class TChildProcess {
 public:
  TChildProcess() = default;
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // Starts the program as this process's child. Answers 0 or the system's error number (for
  // instance ENOENT for a program or working directory that does not exist).
  int Start(const TStartInfo& Info);
  // Starts the program detached: it is handed to the system's init process at once, so nobody
  // needs to wait for it. Its id and (when the system allows) a handle are kept.
  int StartDetached(const TStartInfo& Info);

  bool Started() const noexcept { return FPid > 0; }
  pid_t ProcessId() const noexcept { return FPid; }
  // A descriptor that becomes readable when the program ends (a pidfd), or -1.
  int Handle() const noexcept { return FPidFd; }

  // Waits up to `TimeoutMs` for the program to end, returning early when one of `WakeOn`
  // becomes readable or hangs up (a descriptor that hung up is replaced by -1 so that it is not
  // watched again). Answers whether the program has ended. Does not reap it.
  bool Wait(int TimeoutMs, std::vector<int>& WakeOn);
  // Whether the program has ended (without reaping it).
  bool HasEnded() const;
  // Stops the program and its process group at once (SIGKILL, which cannot be ignored); its exit
  // code becomes `ExitCode`.
  void Terminate(uint32_t ExitCode);
  // Waits for the program to end, reaps it and answers its exit code: the code given to
  // `Terminate`, the code it exited with, or 128 plus the number of the signal that ended it.
  // Answers nothing when the code cannot be read (not started, detached, or reaped elsewhere,
  // as the system does for a host that ignores child-exit signals).
  std::optional<uint32_t> WaitExitCode();
  // Stops the program if it still runs, reaps it and closes the handle.
  void Close();

 private:
  pid_t FPid = -1;
  int FPidFd = -1;
  bool FDetached = false;
  std::mutex FReapLock;
  bool FReaped = false;
  std::optional<uint32_t> FExitCode;
  std::atomic<bool> FTerminated{false};
  std::atomic<uint32_t> FTerminateCode{0};
};

// The system's text for an error number.
String SystemErrorMessage(int Error);

}  // namespace formwright
