// formwright_fuzz: mutated module files and units through the program's `show` and `set`,
// in-process, each case in a fresh copy of the example folder.
//
// For every case: nothing crashes (the sanitizers abort), nothing takes longer than the time
// limit (a watchdog names the case and ends the run), a refused command leaves every file
// byte for byte as it was, and a module that `set` saved opens again and writes the same
// bytes it was saved with.
//
// The unit reader is also checked on its own: a mutated unit is read, written back byte for byte
// and edited, or refused with a message naming the file. And a module source's fields follow a
// random run of additions, renames and removals (names in any case, given twice) exactly as a
// plain list would, in their order of declaration.
//
//   formwright_fuzz [--modules N] [--units N] [--indexes N] [--seed S] [--only CASE] [--time-limit SECONDS]
//                   [--examples DIR]
//
// Case numbers are stable for a seed: `--only CASE` runs one case again, and `--keep` leaves
// its folder behind for a look.
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include "contracts/DesignIntf.h"
#include "fuzz/Mutator.h"
#include "host/ModuleSource.h"
#include "platform/orx/StdCtrls.h"
#include "platform/runtime/ObjectText.h"
#include "tools/Verbs.h"

using namespace formwright;
using namespace formwright::tool;
namespace fs = std::filesystem;

namespace {

using TFiles = std::map<std::string, std::string>;

struct TOptions {
  long Modules = 10000;
  long Units = 2000;
  long Indexes = 500;
  uint64_t Seed = 1;
  long Only = -1;
  double TimeLimit = 10;
  bool Keep = false;
  fs::path Examples = FW_EXAMPLES_DIR;
};

// One example module: its form file, its unit, the root's name and an event its root has.
struct TSample {
  std::string Form;
  std::string Unit;
  std::string Root;
  std::string Class;
  std::string Event;
};

std::string Slurp(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

void Spill(const fs::path& P, const std::string& Data) {
  std::ofstream Out(P, std::ios::binary);
  Out << Data;
}

TFiles Snapshot(const fs::path& Dir) {
  TFiles Files;
  for (const auto& E : fs::directory_iterator(Dir))
    if (E.is_regular_file()) Files[E.path().filename().string()] = Slurp(E.path());
  return Files;
}

// Ends the run when one case takes longer than the limit: a hang is a failure like a crash.
class TWatchdog {
 public:
  explicit TWatchdog(double Seconds) : FLimit(Seconds), FThread([this] { Watch(); }) {}
  ~TWatchdog() {
    {
      std::lock_guard<std::mutex> L(FMutex);
      FStop = true;
    }
    FWake.notify_all();
    FThread.join();
  }
  void Start(const std::string& Case) {
    std::lock_guard<std::mutex> L(FMutex);
    FCase = Case;
    FStarted = std::chrono::steady_clock::now();
    FRunning = true;
  }
  void Stop() {
    std::lock_guard<std::mutex> L(FMutex);
    FRunning = false;
  }

 private:
  void Watch() {
    std::unique_lock<std::mutex> L(FMutex);
    while (!FStop) {
      FWake.wait_for(L, std::chrono::milliseconds(100));
      if (FRunning &&
          std::chrono::duration<double>(std::chrono::steady_clock::now() - FStarted).count() > FLimit) {
        std::fprintf(stderr, "formwright_fuzz: %s took longer than %.0f s (a hang)\n", FCase.c_str(), FLimit);
        std::fflush(stderr);
        _exit(3);
      }
    }
  }
  double FLimit;
  std::mutex FMutex;
  std::condition_variable FWake;
  std::string FCase;
  std::chrono::steady_clock::time_point FStarted;
  bool FRunning = false;
  bool FStop = false;
  std::thread FThread;
};

class TFuzz {
 public:
  explicit TFuzz(const TOptions& O) : FOptions(O), FWatchdog(O.TimeLimit) {
    FNull = std::fopen("/dev/null", "w");
    char Template[] = "/tmp/formwright-fuzz-XXXXXX";
    FBase = mkdtemp(Template);
    FExamples = Snapshot(O.Examples);
    for (const auto& [File, Data] : FExamples) {
      if (fs::path(File).extension() != ".fwf") continue;
      TStringStream In(Data);
      const bool IsText = TestStreamFormat(&In) >= sofText;
      const std::string Head = IsText ? Data : ModuleText(O.Examples / File);
      const size_t Colon = Head.find(':');
      const size_t Space = Head.rfind(' ', Colon);
      TSample S{File, fs::path(File).replace_extension(".pas").string(),
                Head.substr(Space + 1, Colon - Space - 1),
                Head.substr(Colon + 2, Head.find_first_of(" \r\n", Colon + 2) - Colon - 2),
                Head.find("TDataModule") != std::string::npos || File == "Data.fwf" ? "OnCreate" : "OnClick"};
      if (File == "Address.fwf") S.Event = "OnResize";
      FSamples.push_back(S);
    }
  }
  ~TFuzz() {
    if (FNull) std::fclose(FNull);
    std::error_code Ec;
    if (!FOptions.Keep)
      fs::remove_all(FBase, Ec);
    else
      std::printf("formwright_fuzz: the cases are kept in %s\n", FBase.c_str());
  }

  // Runs the cases; returns the number of failed checks.
  int Run() {
    const long Total = FOptions.Modules + FOptions.Units;
    for (long I = 0; I < Total; ++I)
      if (FOptions.Only < 0 || FOptions.Only == I) RunCase(I, I >= FOptions.Modules);
    for (long I = Total; I < Total + FOptions.Indexes; ++I)
      if (FOptions.Only < 0 || FOptions.Only == I) RunIndexCase(I);
    std::printf(
        "formwright_fuzz: %ld module, %ld unit and %ld field-index cases, seed %llu: %ld accepted, %ld "
        "refused\n",
        FOptions.Modules, FOptions.Units, FOptions.Indexes, static_cast<unsigned long long>(FOptions.Seed),
        FAccepted, FRefused);
    std::printf("%d passed, %d failed\n", FChecks - FFailures, FFailures);
    return FFailures;
  }

 private:
  // Runs one program line in Dir as the program does; false when it was refused.
  bool Program(const fs::path& Dir, const std::vector<String>& Words, std::string& Message) {
    const fs::path Old = fs::current_path();
    fs::current_path(Dir);
    bool Ok = true;
    try {
      TSession Session;
      RunVerb(Session, Words, FNull);
      Session.SaveChanged();
    } catch (const Exception& E) {
      Message = E.Message();
      Ok = false;
    } catch (const std::exception& E) {
      Message = E.what();
      Ok = false;
    }
    fs::current_path(Old);
    return Ok;
  }

  void Check(bool Ok, long Case, const std::string& What) {
    ++FChecks;
    if (Ok) return;
    ++FFailures;
    std::fprintf(stderr, "formwright_fuzz: case %ld (seed %llu): %s\n", Case,
                 static_cast<unsigned long long>(FOptions.Seed), What.c_str());
  }

  void RunCase(long Case, bool UnitCase) {
    std::mt19937_64 Rng(FOptions.Seed * 1000003u + static_cast<uint64_t>(Case));
    const TSample& S = FSamples[static_cast<size_t>(Rng() % FSamples.size())];
    const fs::path Dir = FBase / ("case-" + std::to_string(Case));
    fs::create_directories(Dir);
    for (const auto& [File, Data] : FExamples) Spill(Dir / File, Data);
    static const std::vector<std::string> FormWords = {
        "end", "object", "inherited", "inline", "item", " = ", "<", ">", "(", ")", "#13", "'", "$FF"};
    static const std::vector<std::string> UnitWords = {"end;",
                                                       "begin",
                                                       "class",
                                                       "(T",
                                                       "procedure ",
                                                       "{$IFDEF X}",
                                                       "{$ENDIF}",
                                                       "(*",
                                                       "*)",
                                                       "{",
                                                       "}",
                                                       "//",
                                                       "'",
                                                       "type",
                                                       "private",
                                                       "published",
                                                       "implementation",
                                                       "unit",
                                                       "\xEF\xBB\xBF"};
    std::string Data;
    if (UnitCase) {
      Data = fuzz::Mutate(FExamples.at(S.Unit), Rng, {true, UnitWords});
      Spill(Dir / S.Unit, Data);
      CheckUnitReader(Data, S, Case);
    } else {
      // Half the module cases mutate the binary form of the module.
      const bool Binary = Rng() % 2;
      std::string Form = FExamples.at(S.Form);
      if (Binary) {
        TStringStream In(Form), Out;
        ObjectTextToResource(&In, &Out);
        Form = Out.DataString();
      }
      Data = fuzz::Mutate(Form, Rng, {!Binary, FormWords});
      Spill(Dir / S.Form, Data);
    }
    // The case's input stays beside it for a look (under a name no verb reads as a module).
    if (FOptions.Keep) Spill(Dir / ((UnitCase ? S.Unit : S.Form) + ".input"), Data);
    const TFiles Before = Snapshot(Dir);
    const std::string Name = "case " + std::to_string(Case) + " (" + (UnitCase ? S.Unit : S.Form) + ")";
    std::string Message;
    FWatchdog.Start(Name + " show");
    const bool Shown = Program(Dir, {"show", S.Form}, Message);
    FWatchdog.Stop();
    Check(Snapshot(Dir) == Before, Case, "show changed files");
    Check(Shown || !Message.empty(), Case, "show refused without a message");
    const std::string Value = UnitCase ? S.Root + "." + S.Event + "=FuzzHandler" + std::to_string(Case)
                                       : S.Root + ".Tag=" + std::to_string(Case + 1);
    FWatchdog.Start(Name + " set");
    const bool Set = Program(Dir, {"set", S.Form, Value}, Message);
    FWatchdog.Stop();
    if (!Set) {
      ++FRefused;
      Check(Snapshot(Dir) == Before, Case, "refused set changed files: " + Message);
      Check(Message.find('\n') == std::string::npos && Message.find('\x1b') == std::string::npos, Case,
            "message with a raw control character: " + Message);
    } else {
      ++FAccepted;
      CheckReopens(
          Dir, S, Case, Name,
          UnitCase ? S.Event + " = FuzzHandler" + std::to_string(Case) : "Tag = " + std::to_string(Case + 1));
    }
    if (!FOptions.Keep) {
      std::error_code Ec;
      fs::remove_all(Dir, Ec);
    }
  }

  // The unit reader on its own: a mutated unit is read, then written back unchanged and takes
  // edits, or it is refused with a message that names the file.
  void CheckUnitReader(const std::string& Text, const TSample& S, long Case) {
    auto M = MakeIntf<TModuleSource>(fs::path(S.Unit).stem().string(), String(), String());
    try {
      M->LoadUnit(Text, S.Unit, S.Class);
    } catch (const Exception& E) {
      Check(E.Message().rfind(S.Unit + ": ", 0) == 0, Case, "unit refused without its name: " + E.Message());
      return;
    }
    Check(M->Text() == Text, Case, "a unit read is not written back unchanged");
    M->AddField("FuzzButton", "TButton");
    M->CreateMethod("FuzzButtonClick",
                    MakeIntf<TEventInfo>(GetPropInfo(orx::TButton::StaticClass(), "OnClick")));
    M->RootRenamed(nullptr, "FuzzForm");
    const String Edited = M->Text();
    Check(Edited.find("FuzzButton: TButton;") != String::npos &&
              Edited.find("procedure TFuzzForm.FuzzButtonClick(Sender: TObject);") != String::npos,
          Case, "an edit of a unit read is missing from its text");
  }

  // A module source's fields against a plain list: additions (a known name takes the new class),
  // renames and removals reach the first field declared under the name, in any case; a rename
  // onto another field's name gives that field the renamed one's class and takes the renamed
  // one out.
  void RunIndexCase(long Case) {
    std::mt19937_64 Rng(FOptions.Seed * 1000003u + static_cast<uint64_t>(Case));
    auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
    std::vector<std::pair<String, String>> Model;
    auto Name = [&] {
      String N = "Button" + std::to_string(Rng() % 24);
      for (char& C : N)
        if (Rng() % 3 == 0) C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
      return N;
    };
    auto First = [&](const String& N) {
      for (size_t I = 0; I < Model.size(); ++I)
        if (SameText(Model[I].first, N)) return I;
      return Model.size();
    };
    static const char* Classes[] = {"TButton", "TEdit", "TLabel"};
    const int Steps = 1 + static_cast<int>(Rng() % 400);
    for (int Step = 0; Step < Steps; ++Step) {
      const String N = Name();
      const size_t I = First(N);
      switch (Rng() % 3) {
        case 0: {
          const String Class = Classes[Rng() % 3];
          M->AddField(N, Class);
          if (I < Model.size())
            Model[I].second = Class;
          else
            Model.emplace_back(N, Class);
          break;
        }
        case 1: {
          const String New = Name();
          M->ComponentRenamed(nullptr, N, New);
          if (I == Model.size()) break;
          // Onto the name of another field: the component takes that field, of its class.
          if (const size_t J = First(New); J < Model.size() && J != I) {
            Model[J] = {New, Model[I].second};
            Model.erase(Model.begin() + static_cast<std::ptrdiff_t>(I));
          } else {
            Model[I].first = New;
          }
          break;
        }
        default:
          M->ComponentRenamed(nullptr, N, "");
          if (I < Model.size()) Model.erase(Model.begin() + static_cast<std::ptrdiff_t>(I));
      }
    }
    Check(M->Fields() == Model, Case, "the fields differ from the list they were given");
  }

  // A saved module opens again with the edit in it. Saved in the writer's own form, it writes
  // back exactly the saved bytes; a text file keeps its author's lines around the edit, so
  // there the writer's text of it must be settled: opened once more, it writes the same again.
  void CheckReopens(const fs::path& Dir, const TSample& S, long Case, const std::string& Name,
                    const std::string& Edit) {
    const std::string Saved = Slurp(Dir / S.Form);
    FWatchdog.Start(Name + " reopen");
    const fs::path Old = fs::current_path();
    fs::current_path(Dir);
    auto Written = [&S] {
      TSession Session;
      TStringStream Again;
      Session.Module(S.Form).WriteRootStream(&Again);
      return Again.DataString();
    };
    try {
      const std::string First = Written();
      if (First != Saved) {
        Check(IsText(Saved), Case, "the saved module does not write back the same bytes");
        Spill(S.Form, First);
        Check(Written() == First, Case, "the saved text does not settle to one module");
      }
      TStringStream Module(First), Text;
      if (IsText(First))
        Text.WriteString(First);
      else
        ObjectResourceToText(&Module, &Text);
      Check(Text.DataString().find(Edit) != std::string::npos, Case,
            "the saved module lost the edit " + Edit);
    } catch (const Exception& E) {
      Check(false, Case, "the saved module does not open: " + E.Message());
    }
    fs::current_path(Old);
    FWatchdog.Stop();
  }

  static bool IsText(const std::string& Data) {
    TStringStream In(Data);
    return TestStreamFormat(&In) >= sofText;
  }

  TOptions FOptions;
  TWatchdog FWatchdog;
  std::FILE* FNull = nullptr;
  fs::path FBase;
  TFiles FExamples;
  std::vector<TSample> FSamples;
  long FAccepted = 0, FRefused = 0;
  int FChecks = 0, FFailures = 0;
};

}  // namespace

int main(int argc, char** argv) {
  TOptions O;
  for (int I = 1; I < argc; ++I) {
    const std::string A = argv[I];
    const char* V = I + 1 < argc ? argv[I + 1] : nullptr;
    if (A == "--keep") {
      O.Keep = true;
      continue;
    }
    if (!V) {
      std::fprintf(stderr, "formwright_fuzz: %s needs a value\n", A.c_str());
      return 2;
    }
    ++I;
    if (A == "--modules")
      O.Modules = std::stol(V);
    else if (A == "--units")
      O.Units = std::stol(V);
    else if (A == "--indexes")
      O.Indexes = std::stol(V);
    else if (A == "--seed")
      O.Seed = std::stoull(V);
    else if (A == "--only")
      O.Only = std::stol(V);
    else if (A == "--time-limit")
      O.TimeLimit = std::stod(V);
    else if (A == "--examples")
      O.Examples = V;
    else {
      std::fprintf(stderr, "formwright_fuzz: unknown option %s\n", A.c_str());
      return 2;
    }
  }
  TFuzz Fuzz(O);
  return Fuzz.Run() == 0 ? 0 : 1;
}
