// formwright: the command-line program over the design package (see --help).
#include <cstdio>
#include <cstdlib>

#include "tools/Verbs.h"

using namespace formwright;
using namespace formwright::tool;

int main(int argc, char** argv) {
  std::vector<String> Words(argv + 1, argv + argc);
  if (Words.empty()) {
    std::fprintf(stderr, "%s", HelpText().c_str());
    return 2;
  }
  if (Words[0] == "--help" || Words[0] == "-h" || Words[0] == "help") {
    const TVerb* V = Words.size() > 1 ? FindVerb(Words[1]) : nullptr;
    std::printf("%s", V ? VerbHelp(*V).c_str() : HelpText().c_str());
    return 0;
  }
  // --json before the verb applies to it as well.
  if (Words[0] == "--json" && Words.size() > 1) {
    Words.erase(Words.begin());
    Words.push_back("--json");
  }
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
    TSession Session;
    RunVerb(Session, Words, Out);
    const auto Saved = Session.SaveChanged();
    Release(true);
    for (const auto& [File, Form] : Saved) std::printf("saved %s (%s form)\n", File.c_str(), Form.c_str());
    return 0;
  } catch (const EUsage& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s (see formwright --help)\n", E.Message().c_str());
    return 2;
  } catch (const Exception& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s\n", E.Message().c_str());
    return 1;
  } catch (const std::exception& E) {
    Release(false);
    std::fprintf(stderr, "formwright: %s\n", E.what());
    return 1;
  }
}
