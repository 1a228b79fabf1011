#include "tools/Jobs.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "host/FileSystems.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

// Verbs that do the same to each file they are given, independently of the others.
bool WorksFileByFile(const String& Verb) {
  static const std::set<String> Verbs{"show", "props",  "handlers", "find",  "set",   "rename",
                                      "add",  "delete", "move",     "order", "retype"};
  return Verbs.count(Verb) != 0;
}

// Reading verbs print one document per file, separated by a blank line as text.
bool PrintsDocuments(const String& Verb) { return Verb == "show" || Verb == "props" || Verb == "handlers"; }

void WriteRecord(int Fd, const json& Record) {
  const String Line = Record.dump() + "\n";
  for (size_t Done = 0; Done < Line.size();) {
    const ssize_t N = ::write(Fd, Line.data() + Done, Line.size() - Done);
    if (N <= 0) return;
    Done += static_cast<size_t>(N);
  }
}

// A worker: runs its lines in one session, then saves without committing.
[[noreturn]] void Work(const TJobPlan& Plan, size_t First, size_t Last, int Fd) {
  try {
    TSession Session;
    Session.SetPartOfJobs();
    for (size_t I = First; I < Last; ++I) {
      char* Text = nullptr;
      size_t Size = 0;
      std::FILE* Out = open_memstream(&Text, &Size);
      try {
        RunVerb(Session, Plan.Lines[I], Out);
        std::fclose(Out);
      } catch (const EUsage& E) {
        std::fclose(Out);
        std::free(Text);
        WriteRecord(Fd, {{"i", I}, {"error", E.Message()}, {"code", 2}});
        ::_exit(0);
      } catch (const Exception& E) {
        std::fclose(Out);
        std::free(Text);
        WriteRecord(Fd, {{"i", I}, {"error", E.Message()}, {"code", 1}});
        ::_exit(0);
      }
      WriteRecord(Fd, {{"i", I}, {"out", String(Text, Size)}});
      std::free(Text);
    }
    std::vector<std::pair<String, String>> Held;
    const auto Saved = Session.SaveChanged(&Held);
    WriteRecord(Fd, {{"saved", Saved}, {"held", Held}});
  } catch (const std::exception& E) {
    const String Message =
        dynamic_cast<const Exception*>(&E) ? dynamic_cast<const Exception&>(E).Message() : String(E.what());
    WriteRecord(Fd, {{"i", Last - 1}, {"error", Message}, {"code", 1}});
  }
  ::_exit(0);
}

struct TWorker {
  pid_t Pid = -1;
  int Fd = -1;
  size_t First = 0, Last = 0;
  String Buffer;
  bool Finished = false;  // sent its final record (saved or error)
};

}  // namespace

int CoreCount() {
  const long N = ::sysconf(_SC_NPROCESSORS_ONLN);
  return N > 0 ? static_cast<int>(N) : 1;
}

std::optional<TJobPlan> PlanJobs(const std::vector<String>& Words) {
  if (Words.empty() || !WorksFileByFile(Words[0])) return std::nullopt;
  const TVerb* Verb = FindVerb(Words[0]);
  if (!Verb) return std::nullopt;
  try {
    const std::vector<String> Rest(Words.begin() + 1, Words.end());
    TOptionSpec Spec = Verb->Options;
    Spec.Flags.push_back("--json");
    TArgs Args(Rest, Spec);
    const std::vector<String> Patterns = Args.TakeFiles();
    TJobPlan Plan{Words[0], ExpandFiles(Patterns), {}, Args.Has("--json")};
    std::set<String> Seen;
    for (const String& F : Plan.Files) {
      std::error_code Ec;
      const auto Canonical = std::filesystem::weakly_canonical(F, Ec).string();
      if (!Seen.insert(Canonical).second) return std::nullopt;  // a file named twice runs once, in order
    }
    if (Plan.Files.size() < 2) return std::nullopt;
    // An edit reaches the modules that inherit from or embed the edited one and saves them with
    // it: files whose followers meet (or that follow one another) are edited in one session.
    if (!Verb->ReadsOnly) {
      TModuleLinks Links;
      std::set<String> Written;
      for (const String& F : Plan.Files) {
        std::vector<String> Touched{F};
        for (const auto& D : Links.Dependents(F)) Touched.push_back(D.first);
        for (const String& T : Touched) {
          std::error_code Ec;
          if (!Written.insert(std::filesystem::weakly_canonical(T, Ec).string()).second) return std::nullopt;
        }
      }
    }
    // The other words, as given: the file words are the leading positional ones.
    std::vector<String> Others = Rest;
    for (const String& P : Patterns) Others.erase(std::find(Others.begin(), Others.end(), P));
    for (const String& F : Plan.Files) {
      std::vector<String> Line{Plan.Verb, F};
      Line.insert(Line.end(), Others.begin(), Others.end());
      Plan.Lines.push_back(std::move(Line));
    }
    return Plan;
  } catch (const Exception&) {
    return std::nullopt;
  }
}

int RunJobs(const TJobPlan& Plan, int Jobs) {
  const size_t N = Plan.Files.size();
  const size_t Count = std::min(N, static_cast<size_t>(std::max(Jobs, 1)));
  std::fflush(stdout);
  std::fflush(stderr);
  std::vector<TWorker> Workers(Count);
  for (size_t K = 0; K < Count; ++K) {
    TWorker& W = Workers[K];
    W.First = N * K / Count;
    W.Last = N * (K + 1) / Count;
    int Pipe[2];
    if (::pipe(Pipe) != 0) throw Exception("Cannot start the workers: no pipe");
    W.Pid = ::fork();
    if (W.Pid < 0) throw Exception("Cannot start the workers: fork failed");
    if (W.Pid == 0) {
      ::close(Pipe[0]);
      for (size_t J = 0; J < K; ++J) ::close(Workers[J].Fd);
      Work(Plan, W.First, W.Last, Pipe[1]);
    }
    ::close(Pipe[1]);
    W.Fd = Pipe[0];
  }
  // Results as they come: per file its output or its refusal; per worker its saves.
  std::vector<String> Outputs(N);
  std::vector<std::pair<String, String>> Held;
  std::vector<std::vector<std::pair<String, String>>> Saved(Count);
  size_t FailedAt = N, Done = 0;
  String Failure;
  int FailureCode = 0;
  const bool Progress = N > 4 && ::isatty(STDERR_FILENO);
  auto Handle = [&](size_t K, const json& R) {
    if (R.contains("held")) {
      Workers[K].Finished = true;
      for (const auto& H : R["held"]) Held.emplace_back(H[0].get<String>(), H[1].get<String>());
      for (const auto& S : R["saved"]) Saved[K].emplace_back(S[0].get<String>(), S[1].get<String>());
      return;
    }
    const size_t I = R["i"].get<size_t>();
    if (R.contains("error")) {
      Workers[K].Finished = true;
      if (I < FailedAt) {
        FailedAt = I;
        Failure = R["error"].get<String>();
        FailureCode = R["code"].get<int>();
      }
      return;
    }
    Outputs[I] = R["out"].get<String>();
    ++Done;
    if (Progress) std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", Done, N, Plan.Files[I].c_str());
  };
  std::vector<pollfd> Polls;
  for (const TWorker& W : Workers) Polls.push_back({W.Fd, POLLIN, 0});
  for (size_t Open = Count; Open > 0;) {
    if (::poll(Polls.data(), Polls.size(), -1) < 0) continue;
    for (size_t K = 0; K < Count; ++K) {
      if (Polls[K].fd < 0 || !(Polls[K].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char Buf[65536];
      const ssize_t Got = ::read(Polls[K].fd, Buf, sizeof Buf);
      if (Got > 0) {
        TWorker& W = Workers[K];
        W.Buffer.append(Buf, static_cast<size_t>(Got));
        for (size_t End; (End = W.Buffer.find('\n')) != String::npos;) {
          Handle(K, json::parse(W.Buffer.substr(0, End)));
          W.Buffer.erase(0, End + 1);
        }
        continue;
      }
      ::close(Polls[K].fd);
      Polls[K].fd = -1;
      --Open;
    }
  }
  for (TWorker& W : Workers) {
    int Status = 0;
    ::waitpid(W.Pid, &Status, 0);
    if (!W.Finished && W.First < FailedAt) {
      FailedAt = W.First;
      Failure = Format("%s: a worker stopped unexpectedly", Plan.Files[W.First]);
      FailureCode = 1;
    }
  }
  if (Progress) std::fprintf(stderr, "\r\033[K");
  // Every worker's files go in place together, or none does.
  IPtr<TDiskFileSystem> Files = MakeIntf<TDiskFileSystem>();
  {
    TWriteBatch Batch(*Files);
    Files->AdoptWrites(Held);
    if (FailedAt < N) {
      std::fprintf(stderr, "formwright: %s%s\n", Failure.c_str(),
                   FailureCode == 2 ? " (see formwright --help)" : "");
      return FailureCode;
    }
    try {
      Batch.Commit();
    } catch (const Exception& E) {
      std::fprintf(stderr, "formwright: %s\n", E.Message().c_str());
      return 1;
    }
  }
  if (Plan.Json) {
    json All = json::array();
    bool Lists = false;
    for (const String& O : Outputs) {
      if (O.empty()) continue;
      json Doc = json::parse(O);
      Lists = Lists || Doc.is_array();
      if (Doc.is_array())
        for (auto& D : Doc) All.push_back(std::move(D));
      else
        All.push_back(std::move(Doc));
    }
    std::printf("%s\n", (All.size() == 1 && !Lists ? All[0] : All).dump(2).c_str());
  } else {
    bool First = true;
    for (const String& O : Outputs) {
      if (O.empty()) continue;
      std::printf("%s%s", !First && PrintsDocuments(Plan.Verb) ? "\n" : "", O.c_str());
      First = false;
    }
  }
  for (const auto& List : Saved)
    for (const auto& [File, Form] : List)
      if (!Plan.Json) std::printf("saved %s (%s)\n", File.c_str(), Form.c_str());
  return 0;
}

}  // namespace formwright::tool
