#include "processes/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace formwright {

namespace {

// argv or envp for exec: pointers into the given strings, ended by nullptr.
std::vector<char*> PointersTo(std::vector<String>& Strings) {
  std::vector<char*> Result;
  for (String& S : Strings) Result.push_back(S.data());
  Result.push_back(nullptr);
  return Result;
}

int OpenPidFd(pid_t Pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
#else
  return -1;
#endif
}

// The path of a program as exec would find it through PATH, or "" when there is none.
String FindProgram(const String& Name) {
  if (Name.find('/') != String::npos) return Name;
  const char* Path = std::getenv("PATH");
  for (const String& Folder : SplitString(Path ? Path : "/usr/bin:/bin", ':')) {
    const String Candidate = (Folder.empty() ? String(".") : Folder) + "/" + Name;
    if (access(Candidate.c_str(), X_OK) == 0) return Candidate;
  }
  return {};
}

bool WriteAll(int Fd, const void* Data, size_t Size) {
  return write(Fd, Data, Size) == static_cast<ssize_t>(Size);
}

bool ReadAll(int Fd, void* Data, size_t Size) {
  size_t Got = 0;
  while (Got < Size) {
    const ssize_t N = read(Fd, static_cast<char*>(Data) + Got, Size - Got);
    if (N < 0 && errno == EINTR) continue;
    if (N <= 0) return false;
    Got += static_cast<size_t>(N);
  }
  return true;
}

}  // namespace

std::vector<String> SplitCommandLine(std::string_view CommandLine) {
  std::vector<String> Words;
  String Word;
  bool InWord = false;
  for (size_t I = 0; I < CommandLine.size(); ++I) {
    const char C = CommandLine[I];
    if (C == ' ' || C == '\t' || C == '\n') {
      if (InWord) Words.push_back(std::move(Word));
      Word.clear();
      InWord = false;
      continue;
    }
    InWord = true;
    if (C == '\'') {
      const size_t End = CommandLine.find('\'', I + 1);
      Word += CommandLine.substr(I + 1, End == std::string_view::npos ? End : End - I - 1);
      I = End == std::string_view::npos ? CommandLine.size() : End;
    } else if (C == '"') {
      for (++I; I < CommandLine.size() && CommandLine[I] != '"'; ++I) {
        if (CommandLine[I] == '\\' && I + 1 < CommandLine.size() &&
            std::string_view("\"\\$`").find(CommandLine[I + 1]) != std::string_view::npos)
          ++I;
        Word += CommandLine[I];
      }
    } else if (C == '\\' && I + 1 < CommandLine.size()) {
      Word += CommandLine[++I];
    } else {
      Word += C;
    }
  }
  if (InWord) Words.push_back(std::move(Word));
  return Words;
}

String SystemErrorMessage(int Error) { return std::strerror(Error); }

TChildProcess::~TChildProcess() { Close(); }

int TChildProcess::Start(const TStartInfo& Info) {
  std::vector<String> Args = SplitCommandLine(Info.CommandLine);
  if (Args.empty()) return ENOENT;
  std::vector<String> Env = Info.Environment;
  const std::vector<char*> Argv = PointersTo(Args), Envp = PointersTo(Env);

  posix_spawn_file_actions_t Actions;
  posix_spawnattr_t Attributes;
  posix_spawn_file_actions_init(&Actions);
  posix_spawnattr_init(&Attributes);
  const int Streams[] = {Info.StdIn, Info.StdOut, Info.StdErr};
  for (int Target = 0; Target < 3; ++Target)
    if (Streams[Target] >= 0) posix_spawn_file_actions_adddup2(&Actions, Streams[Target], Target);
  if (!Info.WorkingDir.empty()) posix_spawn_file_actions_addchdir_np(&Actions, Info.WorkingDir.c_str());
  posix_spawnattr_setpgroup(&Attributes, 0);
  posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETPGROUP);
  pid_t Pid = -1;
  const int Error = posix_spawnp(&Pid, Argv[0], &Actions, &Attributes, Argv.data(), Envp.data());
  posix_spawn_file_actions_destroy(&Actions);
  posix_spawnattr_destroy(&Attributes);
  if (Error != 0) return Error;
  FPid = Pid;
  FPidFd = OpenPidFd(Pid);
  return 0;
}

int TChildProcess::StartDetached(const TStartInfo& Info) {
  std::vector<String> Args = SplitCommandLine(Info.CommandLine);
  if (Args.empty()) return ENOENT;
  const String Program = FindProgram(Args[0]);
  if (Program.empty()) return ENOENT;
  std::vector<String> Env = Info.Environment;
  const std::vector<char*> Argv = PointersTo(Args), Envp = PointersTo(Env);
  int Report[2];
  if (pipe2(Report, O_CLOEXEC) != 0) return errno;

  // Between fork and exec only async-signal-safe calls: everything was prepared above.
  const pid_t Middle = fork();
  if (Middle < 0) {
    const int Error = errno;
    close(Report[0]);
    close(Report[1]);
    return Error;
  }
  if (Middle == 0) {
    const pid_t Grandchild = fork();
    if (Grandchild == 0) {
      int Error = 0;
      if (!Info.WorkingDir.empty() && chdir(Info.WorkingDir.c_str()) != 0) {
        Error = errno;
      } else {
        setpgid(0, 0);
        execve(Program.c_str(), Argv.data(), Envp.data());
        Error = errno;
      }
      WriteAll(Report[1], &Error, sizeof Error);
      _exit(127);
    }
    const int32_t Id = Grandchild;
    WriteAll(Report[1], &Id, sizeof Id);
    _exit(Grandchild < 0 ? 1 : 0);
  }
  close(Report[1]);
  int Status = 0;
  while (waitpid(Middle, &Status, 0) < 0 && errno == EINTR) {
  }
  int32_t Id = -1;
  int Error = 0;
  if (!ReadAll(Report[0], &Id, sizeof Id) || Id < 0)
    Error = EAGAIN;
  else if (ReadAll(Report[0], &Error, sizeof Error))
    ;  // exec failed and said why
  else
    Error = 0;  // end of file: the program replaced the grandchild
  close(Report[0]);
  if (Error != 0) return Error;
  FPid = Id;
  FDetached = true;
  FPidFd = OpenPidFd(Id);
  return 0;
}

bool TChildProcess::HasEnded() const {
  if (FPid <= 0 || FReaped) return true;
  if (FDetached) return kill(FPid, 0) != 0;
  siginfo_t Info{};
  if (waitid(P_PID, static_cast<id_t>(FPid), &Info, WEXITED | WNOHANG | WNOWAIT) == 0)
    return Info.si_pid == FPid;
  // No such child: a host that ignores child-exit signals lets the system reap its children
  // as they end.
  return errno == ECHILD;
}

bool TChildProcess::Wait(int TimeoutMs, std::vector<int>& WakeOn) {
  using Clock = std::chrono::steady_clock;
  const auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
  for (;;) {
    if (HasEnded()) return true;
    std::vector<pollfd> Watched;
    if (FPidFd >= 0) Watched.push_back({FPidFd, POLLIN, 0});
    for (const int Fd : WakeOn)
      if (Fd >= 0) Watched.push_back({Fd, POLLIN, 0});
    const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
    if (Left <= 0) return HasEnded();
    // Without a process handle, look again every 10 ms.
    const int Slice = FPidFd >= 0 ? static_cast<int>(Left) : std::min(static_cast<int>(Left), 10);
    const int Ready = poll(Watched.data(), Watched.size(), Slice);
    if (Ready < 0 && errno != EINTR) return HasEnded();
    bool Data = false;
    for (const pollfd& P : Watched) {
      if (P.fd == FPidFd) continue;
      if (P.revents & POLLIN) Data = true;
      if ((P.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(P.revents & POLLIN))
        for (int& Fd : WakeOn)
          if (Fd == P.fd) Fd = -1;
    }
    if (Data) return HasEnded();
  }
}

void TChildProcess::Terminate(uint32_t ExitCode) {
  std::lock_guard Lock(FReapLock);
  if (FPid <= 0 || FReaped) return;
  FTerminateCode = ExitCode;
  FTerminated = true;
  kill(-FPid, SIGKILL);
  kill(FPid, SIGKILL);  // in case it left its group
}

std::optional<uint32_t> TChildProcess::WaitExitCode() {
  std::lock_guard Lock(FReapLock);
  if (FReaped) return FExitCode;
  if (FPid <= 0 || FDetached) return std::nullopt;
  int Status = 0;
  pid_t Done;
  while ((Done = waitpid(FPid, &Status, 0)) < 0 && errno == EINTR) {
  }
  FReaped = true;
  // A program we stopped has the code we gave it even when the system reaped it for a host
  // that ignores child-exit signals; any other code is then lost.
  if (FTerminated) return FExitCode = FTerminateCode.load();
  if (Done != FPid) return FExitCode = std::nullopt;
  if (WIFEXITED(Status)) return FExitCode = static_cast<uint32_t>(WEXITSTATUS(Status));
  if (WIFSIGNALED(Status)) return FExitCode = 128u + static_cast<uint32_t>(WTERMSIG(Status));
  return FExitCode = std::nullopt;
}

void TChildProcess::Close() {
  if (FPid > 0 && !FDetached && !FReaped) {
    if (!HasEnded()) Terminate(FTerminated ? FTerminateCode.load() : 0);
    WaitExitCode();
  }
  if (FPidFd >= 0) close(FPidFd);
  FPidFd = -1;
  FPid = -1;
  FDetached = false;
  FReaped = false;
  FExitCode.reset();
  FTerminated = false;
}

}  // namespace formwright
