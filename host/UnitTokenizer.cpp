#include "host/UnitTokenizer.h"

#include <array>

#include "platform/runtime/StreamCoding.h"

namespace formwright {

namespace {

// ASCII letters whatever the locale; any byte of a UTF-8 sequence belongs to a name.
constexpr bool IsIdentStart(unsigned char C) noexcept {
  return static_cast<unsigned>((C | 0x20) - 'a') < 26 || C == '_' || C >= 0x80;
}
// Whether each byte continues a name, looked up: names are most of a unit's bytes.
constexpr std::array<bool, 256> IdentChars = [] {
  std::array<bool, 256> R{};
  for (unsigned C = 0; C < 256; ++C)
    R[C] = IsIdentStart(static_cast<unsigned char>(C)) || static_cast<unsigned>(C - '0') < 10;
  return R;
}();
bool IsIdentChar(unsigned char C) noexcept { return IdentChars[C]; }

// The keywords' texts, in the order of TUnitKeyword from its first word.
constexpr std::array<std::string_view, ukCount - 1> KeywordTexts = {
#define FW_UNIT_KEYWORD_TEXT(Name, Text) Text,
    FW_UNIT_KEYWORDS(FW_UNIT_KEYWORD_TEXT)
#undef FW_UNIT_KEYWORD_TEXT
};

// Keywords by length and first letter: at most four share both.
struct TKeywordBuckets {
  static constexpr size_t MaxLength = 15, Slots = 4;
  std::array<std::array<TUnitKeyword, Slots>, (MaxLength + 1) * 26> Words{};
  constexpr TKeywordBuckets() {
    for (size_t I = 0; I < KeywordTexts.size(); ++I) {
      auto& B = Words[Index(KeywordTexts[I])];
      size_t S = 0;
      while (B[S] != ukNone) ++S;  // past the last slot: not a constant expression
      B[S] = static_cast<TUnitKeyword>(I + 1);
    }
  }
  static constexpr size_t Index(std::string_view W) noexcept {
    return W.size() * 26 + static_cast<size_t>((W[0] | 0x20) - 'a');
  }
};
constexpr TKeywordBuckets KeywordBuckets;

// Whether Word is Keyword, a word of lower-case letters, in any letter case: a byte matches a
// lower-case letter with bit 5 set only when it is that letter in either case (no digit,
// underscore or byte of a UTF-8 sequence does).
constexpr bool IsKeyword(std::string_view Word, std::string_view Keyword) noexcept {
  if (Word.size() != Keyword.size()) return false;
  for (size_t I = 0; I < Word.size(); ++I)
    if ((Word[I] | 0x20) != Keyword[I]) return false;
  return true;
}
static_assert(IsKeyword("BeGiN", "begin") && !IsKeyword("beg1n", "begin") && !IsKeyword("begi_", "begin"));

class TScanner {
 public:
  explicit TScanner(std::string_view Text) : FText(Text), FPos(streamcoding::Utf8MarkLength(Text)) {}

  std::vector<TUnitToken> Run() {
    if (FText.size() > UINT32_MAX) throw EUnitSyntax("Unit too large", 1);
    std::vector<TUnitToken> R;
    // Typical source has a token in four bytes or more (a form class's field line is four
    // tokens in some twenty bytes): the list is then never moved while it grows.
    R.reserve(FText.size() / 4 + 16);
    for (;;) {
      SkipTrivia();
      if (FPos >= FText.size()) return R;
      const size_t Begin = FPos;
      const int Line = FLine;
      const TUnitTokenKind Kind = Scan();
      const TUnitKeyword Keyword =
          Kind == utIdent ? UnitKeywordOf(FText.substr(Begin, FPos - Begin)) : ukNone;
      R.push_back({Kind, Keyword, static_cast<uint32_t>(Begin), static_cast<uint32_t>(FPos), Line});
    }
  }

 private:
  char At(size_t Ahead = 0) const noexcept {
    return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0';
  }
  void Advance() noexcept {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }

  // Skips blanks, line ends, comments and directives.
  void SkipTrivia() {
    while (FPos < FText.size()) {
      const char C = FText[FPos];
      if (C == ' ' || C == '\t' || C == '\r' || C == '\f' || C == '\v') {
        ++FPos;
      } else if (C == '\n') {
        ++FLine;
        ++FPos;
      } else if (C == '/' && At(1) == '/') {
        while (FPos < FText.size() && At() != '\n') Advance();
      } else if (C == '{') {
        SkipUntil("}", At(1) == '$' ? "directive" : "comment");
      } else if (C == '(' && At(1) == '*') {
        FPos += 2;
        SkipUntil("*)", At() == '$' ? "directive" : "comment", 2);
      } else {
        return;
      }
    }
  }

  // Skips to just past Close; Opened is how many characters of the opening were already taken.
  void SkipUntil(std::string_view Close, const char* What, size_t Opened = 0) {
    const int Line = FLine;
    const size_t End = FText.find(Close, FPos + (Opened ? 0 : 1));
    if (End == std::string_view::npos) throw EUnitSyntax(Format("Unterminated %s", What), Line);
    while (FPos < End + Close.size()) Advance();
  }

  TUnitTokenKind Scan() {
    const auto C = static_cast<unsigned char>(At());
    if (C == '&' && IsIdentStart(static_cast<unsigned char>(At(1)))) {
      ++FPos;
      return ScanIdent();
    }
    if (IsIdentStart(C)) return ScanIdent();
    if (std::isdigit(C) || (C == '$' && std::isxdigit(static_cast<unsigned char>(At(1)))) ||
        (C == '%' && (At(1) == '0' || At(1) == '1')))
      return ScanNumber();
    if (C == '\'' || (C == '#' && (std::isdigit(static_cast<unsigned char>(At(1))) || At(1) == '$')))
      return ScanString();
    if (C < 0x20 || C == 0x7F) throw EUnitSyntax(Format("Unexpected character #%d", int(C)), FLine);
    if ((C == ':' && At(1) == '=') || (C == '.' && At(1) == '.') ||
        (C == '<' && (At(1) == '=' || At(1) == '>')) || (C == '>' && At(1) == '='))
      ++FPos;
    ++FPos;
    return utSymbol;
  }

  TUnitTokenKind ScanIdent() {
    const size_t Size = FText.size();
    while (FPos < Size && IsIdentChar(static_cast<unsigned char>(FText[FPos]))) ++FPos;
    return utIdent;
  }

  TUnitTokenKind ScanNumber() {
    if (At() == '$' || At() == '%') ++FPos;
    while (std::isxdigit(static_cast<unsigned char>(At())) || At() == '_') ++FPos;
    // A fraction, but not the ".." of a range.
    if (At() == '.' && std::isdigit(static_cast<unsigned char>(At(1)))) {
      ++FPos;
      while (std::isdigit(static_cast<unsigned char>(At()))) ++FPos;
    }
    if ((At() == 'e' || At() == 'E') &&
        (std::isdigit(static_cast<unsigned char>(At(1))) || At(1) == '+' || At(1) == '-')) {
      FPos += 2;
      while (std::isdigit(static_cast<unsigned char>(At()))) ++FPos;
    }
    return utNumber;
  }

  // 'quoted' parts ('' stands for a quote) and #nn codes, adjacent ones joined.
  TUnitTokenKind ScanString() {
    for (;;) {
      if (At() == '\'') {
        const int Line = FLine;
        for (++FPos;; ++FPos) {
          if (FPos >= FText.size() || At() == '\n' || At() == '\r')
            throw EUnitSyntax("Unterminated string", Line);
          if (At() == '\'') {
            if (At(1) != '\'') break;
            ++FPos;
          }
        }
        ++FPos;
      } else if (At() == '#' && (std::isdigit(static_cast<unsigned char>(At(1))) || At(1) == '$')) {
        FPos += 2;
        while (std::isxdigit(static_cast<unsigned char>(At()))) ++FPos;
      } else {
        return utString;
      }
    }
  }

  std::string_view FText;
  size_t FPos;
  int FLine = 1;
};

}  // namespace

TUnitKeyword UnitKeywordOf(std::string_view Word) noexcept {
  if (Word.size() < 2 || Word.size() > TKeywordBuckets::MaxLength ||
      static_cast<unsigned>((Word[0] | 0x20) - 'a') >= 26)
    return ukNone;
  for (TUnitKeyword K : KeywordBuckets.Words[TKeywordBuckets::Index(Word)])
    if (K == ukNone || IsKeyword(Word, KeywordTexts[K - 1])) return K;
  return ukNone;
}

std::vector<TUnitToken> TokenizeUnit(std::string_view Text) { return TScanner(Text).Run(); }

const TUnitToken& TUnitCursor::Peek(size_t Ahead) const noexcept {
  static const TUnitToken None{utSymbol, ukNone, 0, 0, 1};
  if (FPos + Ahead < FTokens.size()) return FTokens[FPos + Ahead];
  return FTokens.empty() ? None : FTokens.back();
}

String TUnitCursor::Name(size_t Ahead) const {
  const std::string_view S = Text(Ahead);
  return String(!S.empty() && S[0] == '&' ? S.substr(1) : S);
}

}  // namespace formwright
