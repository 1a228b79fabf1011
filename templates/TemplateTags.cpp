#include "templates/TemplateTags.h"

#include <array>

namespace formwright {

namespace {

constexpr std::array<std::string_view, 11> Prefixes = {
    "",        "if=",       "if!=", "else", "endif", "set", "outputon", "outputoff", "outputproperties",
    "foreach", "endforeach"};

bool IsSeparator(char C) { return C == '\t' || C == '\n' || C == '\r' || C == ' ' || C == ','; }

// Appends the meaning of the escaped character `C`.
void AppendEscaped(String& Token, char C) {
  switch (C) {
    case 'n':
      Token += "\r\n";
      break;
    case 'r':
      Token += '\r';
      break;
    case 't':
      Token += '\t';
      break;
    case 'b':
      Token += '\b';
      break;
    case 'a':
      Token += '\n';
      break;
    case '"':
      Token += '"';
      break;
    case '\\':
      Token += '\\';
      break;
    default:
      Token += '\\';
      Token += C;
  }
}

}  // namespace

std::string_view TagPrefix(TTagKind Kind) { return Prefixes[static_cast<size_t>(Kind)]; }

TTagKind TagKind(std::string_view Tag) {
  for (size_t K = 1; K < Prefixes.size(); ++K)
    if (Tag.substr(0, Prefixes[K].size()) == Prefixes[K]) return static_cast<TTagKind>(K);
  return TTagKind::tkValue;
}

std::vector<String> SplitTagArguments(std::string_view Inside) {
  std::vector<String> Tokens;
  size_t I = 0;
  while (I < Inside.size()) {
    if (IsSeparator(Inside[I])) {
      ++I;
      continue;
    }
    String Token;
    const char Quote = Inside[I];
    if (Quote == '"' || Quote == '\'') {
      for (++I; I < Inside.size() && Inside[I] != Quote; ++I) {
        if (Inside[I] == '\\' && I + 1 < Inside.size())
          AppendEscaped(Token, Inside[++I]);
        else
          Token += Inside[I];
      }
      ++I;  // past the closing quote
    } else {
      while (I < Inside.size() && !IsSeparator(Inside[I])) Token += Inside[I++];
    }
    Tokens.push_back(std::move(Token));
  }
  return Tokens;
}

}  // namespace formwright
