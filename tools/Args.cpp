#include "tools/Args.h"

#include <filesystem>
#include <limits>

#include <glob.h>
#include <wordexp.h>

#include <algorithm>

namespace formwright::tool {

namespace {
bool Listed(const std::vector<String>& List, const String& Word) {
  return std::find(List.begin(), List.end(), Word) != List.end();
}
}  // namespace

TArgs::TArgs(const std::vector<String>& Words, const TOptionSpec& Spec) {
  bool OptionsEnded = false;
  for (size_t I = 0; I < Words.size(); ++I) {
    const String& W = Words[I];
    if (OptionsEnded || W.size() < 2 || W[0] != '-' || (W[1] >= '0' && W[1] <= '9')) {
      Positional.push_back(W);
    } else if (W == "--") {
      OptionsEnded = true;
    } else if (Listed(Spec.Flags, W)) {
      FOptions.emplace_back(W, String());
    } else if (Listed(Spec.Valued, W)) {
      if (I + 1 >= Words.size()) throw EUsage(Format("Option %s needs a value", W));
      FOptions.emplace_back(W, Words[++I]);
    } else {
      throw EUsage(Format("Unknown option %s", W));
    }
  }
}

bool TArgs::Has(const String& Option) const {
  return std::any_of(FOptions.begin(), FOptions.end(), [&](const auto& O) { return O.first == Option; });
}

String TArgs::Value(const String& Option, const String& Default) const {
  for (const auto& O : FOptions)
    if (O.first == Option) return O.second;
  return Default;
}

std::vector<String> TArgs::TakeFiles() {
  std::vector<String> Files;
  while (!Positional.empty() && IsModuleFileArg(Positional.front())) {
    Files.push_back(Positional.front());
    Positional.erase(Positional.begin());
  }
  std::error_code Ec;
  if (Files.empty() && !Positional.empty() && std::filesystem::is_directory(Positional.front(), Ec)) {
    String Folder = Positional.front();
    while (Folder.size() > 1 && Folder.back() == '/') Folder.pop_back();
    throw EUsage(Format("%s is a folder: name its module files (%s/*.fwf)", Positional.front(), Folder));
  }
  if (Files.empty()) throw EUsage("No module file given (module files end in .fwf)");
  return Files;
}

const String& TArgs::Need(size_t Index, const char* What) const {
  if (Index >= Positional.size()) throw EUsage(Format("Missing %s", String(What)));
  return Positional[Index];
}

bool IsModuleFileArg(const String& Word) {
  // COMPONENT.PROPERTY=VALUE is an assignment whatever its value holds ([akLeft], *, ?), and
  // so is one that names a collection's item by index, even a bad one (Sections[0].Text=Ready,
  // Sections[-1].Text=x): a dotted target that names no folder and no form file.
  const size_t Eq = Word.find('=');
  const String Target = Word.substr(0, Eq);
  if (Eq != String::npos && Target.find('.') != String::npos && Target.find('/') == String::npos &&
      !(Target.size() > 4 && SameText(Target.substr(Target.size() - 4), ".fwf")))
    return false;
  if (Word.find_first_of("*?[") != String::npos) return true;
  return Word.size() > 4 && SameText(Word.substr(Word.size() - 4), ".fwf");
}

std::vector<String> ExpandFiles(const std::vector<String>& Patterns) {
  std::vector<String> Files;
  for (const String& P : Patterns) {
    if (P.find_first_of("*?[") == String::npos) {
      Files.push_back(P);
      continue;
    }
    glob_t G{};
    const int Rc = glob(P.c_str(), 0, nullptr, &G);
    if (Rc == 0)
      for (size_t I = 0; I < G.gl_pathc; ++I) Files.emplace_back(G.gl_pathv[I]);
    globfree(&G);
    if (Rc != 0) throw Exception(Format("No module file matches %s", P));
  }
  return Files;
}

// The line up to a comment: a "#" that begins a word outside quotes, as the shell reads it.
static String WithoutComment(const String& Line) {
  char Quote = 0;
  for (size_t I = 0; I < Line.size(); ++I) {
    const char Ch = Line[I];
    if (Quote) {
      if (Ch == Quote)
        Quote = 0;
      else if (Ch == '\\' && Quote == '"')
        ++I;
    } else if (Ch == '\\') {
      ++I;
    } else if (Ch == '\'' || Ch == '"') {
      Quote = Ch;
    } else if (Ch == '#' && (I == 0 || Line[I - 1] == ' ' || Line[I - 1] == '\t')) {
      return Line.substr(0, I);
    }
  }
  return Line;
}

std::vector<String> SplitWords(const String& Line) {
  wordexp_t W{};
  const int Rc = wordexp(WithoutComment(Line).c_str(), &W, WRDE_NOCMD);
  if (Rc != 0) {
    if (Rc == WRDE_NOSPACE) wordfree(&W);
    switch (Rc) {
      case WRDE_BADCHAR:
        throw EUsage("Quote the value: one of | & ; < > ( ) { } stands outside quotes");
      case WRDE_CMDSUB:
        throw EUsage("Command substitution is not allowed in a script");
      default:
        throw EUsage("Unbalanced quotes");
    }
  }
  std::vector<String> Words(W.we_wordv, W.we_wordv + W.we_wordc);
  wordfree(&W);
  return Words;
}

std::pair<int, int> ParsePair(const String& Text, const String& Option) {
  const size_t Comma = Text.find(',');
  int64_t A = 0, B = 0;
  if (Comma == String::npos || !TryStrToInt64(Trim(Text.substr(0, Comma)), A) ||
      !TryStrToInt64(Trim(Text.substr(Comma + 1)), B))
    throw EUsage(Format("%s takes two numbers separated by a comma, not '%s'", Option, Text));
  // Coordinates and sizes are kept in 32 bits; a larger number is refused, never wrapped. Half
  // the range leaves room for a point plus a size.
  constexpr int64_t Limit = std::numeric_limits<int32_t>::max() / 2;
  if (A < -Limit || A > Limit || B < -Limit || B > Limit)
    throw EUsage(Format("%s takes numbers between %d and %d, not '%s'", Option, static_cast<int>(-Limit),
                        static_cast<int>(Limit), Text));
  return {static_cast<int>(A), static_cast<int>(B)};
}

}  // namespace formwright::tool
