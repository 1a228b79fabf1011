#include "processes/ConsoleProcess.h"

#include <algorithm>

#include "platform/runtime/Scoped.h"
#include "platform/runtime/Threads.h"

extern char** environ;

namespace formwright {

namespace {

void Append(TProcessLines& Lines, TProcessLines&& More) {
  Lines.insert(Lines.end(), std::make_move_iterator(More.begin()), std::make_move_iterator(More.end()));
}

}  // namespace

TConsoleProcess::TConsoleProcess() {
  for (char** Entry = environ; Entry && *Entry; ++Entry) FEnvironment.emplace_back(*Entry);
}

TConsoleProcess::~TConsoleProcess() = default;

void TConsoleProcess::SetTimeOut(int TimeOut) {
  FTimeOut = TimeOut;
  if (TimeOut >= 0) FTimeOutActive = true;
}

void TConsoleProcess::Run() {
  TScopeExit Guard([this] { Cleanup(); });
  Startup();
  if (Execute()) Running();
}

void TConsoleProcess::Startup() {
  // Three pipes as the start-up record of the original platform lists them; the standard input
  // pipe's write end is closed once the program runs, so it reads end of file.
  if (!FWatchStreams) return;
  FStdIn = std::make_unique<TPipe>();
  FStdOut = std::make_unique<TPipe>();
  FStdErr = std::make_unique<TPipe>();
}

bool TConsoleProcess::Execute() {
  // The environment block is the sorted list, each entry a NUL-terminated byte string; entries
  // are UTF-8, so no separate Unicode-environment flag exists here.
  TStartInfo Info;
  Info.CommandLine = FCommandLine;
  Info.WorkingDir = FWorkingDir;
  Info.Environment = FEnvironment;
  std::sort(Info.Environment.begin(), Info.Environment.end());
  if (FStdIn) Info.StdIn = FStdIn->ReadHandle();
  if (FStdOut) Info.StdOut = FStdOut->WriteHandle();
  if (FStdErr) Info.StdErr = FStdErr->WriteHandle();
  const int Error = FWatchStreams ? FChild.Start(Info) : FChild.StartDetached(Info);
  if (FStdIn) FStdIn->CloseRead(), FStdIn->CloseWrite();
  if (FStdOut) FStdOut->CloseWrite();
  if (FStdErr) FStdErr->CloseWrite();
  if (Error == 0) return true;
  if (!FExeFileName.empty())
    DoReportFatalError(Format(SFailedToRun, FExeFileName, SystemErrorMessage(Error)));
  else
    DoReportFatalError(Format(SFailedToCreateProcess, FCommandLine, SystemErrorMessage(Error)));
  return false;
}

void TConsoleProcess::DrainPipes() {
  if (FStdOut) FStdOut->Drain();
  if (FStdErr) FStdErr->Drain();
}

bool TConsoleProcess::PollPass(std::chrono::steady_clock::time_point Started) {
  using Clock = std::chrono::steady_clock;
  const auto PassEnd = Clock::now() + std::chrono::milliseconds(PollInterval);
  TPipe* const Pipes[] = {FStdOut.get(), FStdErr.get()};
  if (FWakeOn.empty())
    for (TPipe* Pipe : Pipes) FWakeOn.push_back(Pipe ? Pipe->ReadHandle() : -1);
  size_t Budget[] = {DrainLimit, DrainLimit};
  bool Ended = false;
  for (;;) {
    std::vector<int> Watched(2, -1);
    for (size_t I = 0; I < 2; ++I) {
      if (Pipes[I]) Budget[I] -= Pipes[I]->Drain(Budget[I]);
      // A pipe whose share of this pass is taken stays full until the next pass.
      if (Budget[I] > 0) Watched[I] = FWakeOn[I];
    }
    const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(PassEnd - Clock::now()).count();
    if (Ended || Left <= 0) break;
    Ended = FChild.Wait(static_cast<int>(Left), Watched);
    // A watched pipe that hung up is not watched again.
    for (size_t I = 0; I < 2; ++I)
      if (Budget[I] > 0 && Watched[I] < 0) FWakeOn[I] = -1;
  }
  if (!Ended && FTimeOutActive && Clock::now() - Started >= std::chrono::milliseconds(FTimeOut))
    FChild.Terminate(TimeOutExitCode);
  return Ended;
}

void TConsoleProcess::FinalDrain(TProcessLines& Output, TProcessLines& Errors) {
  DrainPipes();
  if (FStdOut) Output = FStdOut->TakeLines(true);
  if (FStdErr) Errors = FStdErr->TakeLines(true);
}

void TConsoleProcess::FetchExitCode() {
  if (const std::optional<uint32_t> Code = FChild.WaitExitCode())
    SetExitCode(*Code);
  else
    DoReportFatalError(SUnableToGetExitCode);
}

void TConsoleProcess::Running() {
  const auto Started = std::chrono::steady_clock::now();
  while (!PollPass(Started)) {
  }
  FinalDrain(FOutput, FErrors);
  FetchExitCode();
}

void TConsoleProcess::Cleanup() {
  FChild.Close();
  FStdIn.reset();
  FStdOut.reset();
  FStdErr.reset();
  FWakeOn.clear();
}

void TConsoleProcess::ReportFatalError(const String& Message) { throw EProcessError(Message); }

void TConsoleProcess::DoReportFatalError(const String& Message) {
  ReportFatalError(Message);
  SetExitCode(FatalErrorExitCode);
}

// --- TReportProcess ---

void TReportProcess::ProcessMessages() { CheckSynchronize(); }

void TReportProcess::Report(TProcessLines& Lines, TProcessLines&& NewLines, int& Reported,
                            const TLinesChangedEvent& Event) {
  Append(Lines, std::move(NewLines));
  const int Count = static_cast<int>(Lines.size());
  if (Count == Reported) return;
  const int Old = Reported;
  Reported = Count;
  if (Event) Event(*this, Lines, Old, Count);
}

void TReportProcess::Running() {
  FOutput.clear();
  FErrors.clear();
  FReportedOutput = FReportedErrors = 0;
  const auto Started = std::chrono::steady_clock::now();
  for (;;) {
    ProcessMessages();
    const bool Ended = PollPass(Started);
    Report(FOutput, FStdOut->TakeLines(false), FReportedOutput, OnOutputChanged);
    Report(FErrors, FStdErr->TakeLines(false), FReportedErrors, OnErrorChanged);
    if (Ended) break;
    if (Cancelled()) {
      FChild.Terminate(CancelExitCode);
      break;
    }
  }
  ProcessMessages();
  TProcessLines Output, Errors;
  FinalDrain(Output, Errors);
  Report(FOutput, std::move(Output), FReportedOutput, OnOutputChanged);
  Report(FErrors, std::move(Errors), FReportedErrors, OnErrorChanged);
  FetchExitCode();
}

}  // namespace formwright
