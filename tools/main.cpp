// formwright: the command-line program over the design package (see formwright help).
#include <cstdio>
#include <cstdlib>

#include "moduledesigner/PackageLoader.h"
#include "platform/orx/Application.h"
#include "tools/Jobs.h"
#include "tools/Verbs.h"

using namespace formwright;
using namespace formwright::tool;

namespace {

// The design packages every run loads, as files separated by ':'.
constexpr const char* PackagesVariable = "FORMWRIGHT_PACKAGES";

bool IsHelpWord(const String& W) { return W == "--help" || W == "-h"; }

// Takes "-j N" (or "-jN") out of the words; the core count when absent. Raises EUsage for a
// count that is not a positive number.
int TakeJobs(std::vector<String>& Words) {
  int Jobs = CoreCount();
  for (size_t I = 0; I < Words.size(); ++I) {
    if (Words[I] == "--") break;
    if (Words[I].rfind("-j", 0) != 0) continue;
    String Value = Words[I].substr(2);
    size_t Taken = 1;
    if (Value.empty() && I + 1 < Words.size()) {
      Value = Words[I + 1];
      Taken = 2;
    }
    int64_t N = 0;
    if (!TryStrToInt64(Value, N) || N < 1 || N > 1024)
      throw EUsage(Format("-j takes a number of jobs from 1 to 1024, not '%s'", Value));
    Jobs = static_cast<int>(N);
    Words.erase(Words.begin() + static_cast<std::ptrdiff_t>(I),
                Words.begin() + static_cast<std::ptrdiff_t>(I + Taken));
    --I;
  }
  return Jobs;
}

// Takes "--package LIB" (or "--package=LIB") out of the words, before "--", and adds each LIB to
// the FORMWRIGHT_PACKAGES variable, so that the jobs of a run over several files load them too.
// Raises EUsage for a --package without its library.
void TakePackages(std::vector<String>& Words) {
  const char* Listed = std::getenv(PackagesVariable);
  String List = Listed ? Listed : "";
  for (size_t I = 0; I < Words.size() && Words[I] != "--";) {
    String Lib;
    size_t Taken = 1;
    if (Words[I].rfind("--package=", 0) == 0) {
      Lib = Words[I].substr(10);
    } else if (Words[I] == "--package") {
      if (I + 1 >= Words.size()) throw EUsage("--package needs the file of a design package");
      Lib = Words[I + 1];
      Taken = 2;
    } else {
      ++I;
      continue;
    }
    if (Lib.empty()) throw EUsage("--package needs the file of a design package");
    List += (List.empty() ? "" : ":") + Lib;
    Words.erase(Words.begin() + static_cast<std::ptrdiff_t>(I),
                Words.begin() + static_cast<std::ptrdiff_t>(I + Taken));
  }
  setenv(PackagesVariable, List.c_str(), 1);
}

// A module that names a class nobody registered may need a design package: the message says so.
String WithPackageHint(const String& Message) {
  const size_t Class = Message.find("Class ");
  if (Class == String::npos || Message.find(" not found", Class) == String::npos) return Message;
  return Message + " (a design package may register it: --package LIB or " + PackagesVariable + ")";
}

}  // namespace

int main(int argc, char** argv) {
  // The program's application: the screen its forms are listed by and its message queue.
  orx::TApplication Application;
  std::vector<String> Words(argv + 1, argv + argc);
  // A bare call is a person finding out what the program does: the summary, and success.
  if (Words.empty()) {
    std::printf("%s", SummaryText().c_str());
    return 0;
  }
  if (Words[0] == "--version") {
    std::printf("%s", VersionText().c_str());
    return 0;
  }
  // "help", "help VERB", "--help", and "VERB --help" anywhere before "--".
  const bool HelpFirst = Words[0] == "help" || IsHelpWord(Words[0]);
  const TVerb* HelpVerb = HelpFirst && Words.size() > 1 ? FindVerb(Words[1]) : nullptr;
  for (size_t I = 1; !HelpFirst && I < Words.size() && Words[I] != "--"; ++I)
    if (IsHelpWord(Words[I])) HelpVerb = FindVerb(Words[0]);
  if (HelpFirst || HelpVerb) {
    if (HelpFirst && Words.size() > 1 && !HelpVerb) {
      std::fprintf(stderr, "formwright: Unknown verb '%s' (see formwright --help)\n", Words[1].c_str());
      return 2;
    }
    std::printf("%s", HelpVerb ? VerbHelp(*HelpVerb).c_str() : HelpText().c_str());
    return 0;
  }
  // --json before the verb applies to it as well.
  if (Words[0] == "--json" && Words.size() > 1) {
    Words.erase(Words.begin());
    Words.push_back("--json");
  }
  const bool Json = std::find(Words.begin(), Words.end(), String("--json")) != Words.end();
  // What the verbs print is held until every file is saved: a refused command prints no line
  // that reads like a success.
  char* Held = nullptr;
  size_t HeldSize = 0;
  std::FILE* Out = open_memstream(&Held, &HeldSize);
  if (!Out) Out = stdout;
  auto Release = [&](bool Print) {
    if (Out == stdout) return;
    std::fclose(Out);
    Out = stdout;
    if (Print) std::fwrite(Held, 1, HeldSize, stdout);
    std::free(Held);
  };
  try {
    TakePackages(Words);
    const int Jobs = TakeJobs(Words);
    if (Jobs > 1)
      if (const auto Plan = PlanJobs(Words)) {
        Release(false);
        return RunJobs(*Plan, Jobs);
      }
    TSession Session;
    if (const char* Packages = std::getenv(PackagesVariable)) LoadDesignPackages(Packages);
    RunVerb(Session, Words, Out);
    const auto Saved = Session.SaveChanged();
    Release(true);
    // With --json the output is one JSON document: the results stand for the saves.
    if (!Json)
      for (const auto& [File, Form] : Saved) std::printf("saved %s (%s)\n", File.c_str(), Form.c_str());
    return 0;
  } catch (const EUsage& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s (see formwright --help)\n", E.Message().c_str());
    return 2;
  } catch (const Exception& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s\n", WithPackageHint(E.Message()).c_str());
    return 1;
  } catch (const std::exception& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s\n", E.what());
    return 1;
  }
}
