// Splits the text of a unit into tokens, each with its place in the text, so that the unit can
// be understood and edited span by span while every other byte stays as its author wrote it.
#pragma once

#include <stdexcept>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

enum TUnitTokenKind : uint8_t { utIdent, utNumber, utString, utSymbol };

// One token: identifiers (keywords included; "&begin" is an identifier, not a keyword),
// numbers, strings (quoted parts and #nn character codes joined) and symbols (":=", "..",
// or one character). Comments in their three forms and compiler directives are not tokens.
struct TUnitToken {
  TUnitTokenKind Kind;
  uint32_t Begin;  // byte offset of the first character
  uint32_t End;    // byte offset just past the last one
  int Line;        // 1-based line of the first character
};

// A unit that cannot be read as text of the unit's language: the message names the line.
class EUnitSyntax : public Exception {
 public:
  EUnitSyntax(const String& Message, int Line)
      : Exception(Format("%s on line %d", Message, Line)), FLine(Line) {}
  int Line() const noexcept { return FLine; }

 private:
  int FLine;
};

// The tokens of Text, in order. A byte-order mark at the start is skipped. Raises EUnitSyntax
// for a comment, directive or string that is never closed, for bytes that no text holds (a NUL
// or another control character outside comments and strings) and for a text of 4 GB or more.
std::vector<TUnitToken> TokenizeUnit(std::string_view Text);

// Reads tokens of a unit text with one token of look-ahead; keywords are compared without
// regard to letter case. Past the last token it answers as an empty symbol.
class TUnitCursor {
 public:
  TUnitCursor(std::string_view Text, const std::vector<TUnitToken>& Tokens) : FText(Text), FTokens(Tokens) {}
  bool AtEnd() const noexcept { return FPos >= FTokens.size(); }
  size_t Pos() const noexcept { return FPos; }
  void Seek(size_t Pos) noexcept { FPos = Pos; }
  void Next() noexcept {
    if (FPos < FTokens.size()) ++FPos;
  }
  // The token at Pos()+Ahead; the last one (or an empty one) past the end.
  const TUnitToken& Peek(size_t Ahead = 0) const noexcept;
  std::string_view TextOf(const TUnitToken& T) const noexcept {
    return FText.substr(T.Begin, T.End - T.Begin);
  }
  std::string_view Text(size_t Ahead = 0) const noexcept {
    return FPos + Ahead < FTokens.size() ? TextOf(FTokens[FPos + Ahead]) : std::string_view();
  }
  // Whether the token at Pos()+Ahead is the identifier or symbol Word (any letter case).
  bool Is(std::string_view Word, size_t Ahead = 0) const noexcept { return Matches(this->Word(Ahead), Word); }
  // The token at Pos()+Ahead when it is an identifier or symbol that may be a keyword (not
  // written "&name"); empty otherwise.
  std::string_view Word(size_t Ahead = 0) const noexcept {
    if (FPos + Ahead >= FTokens.size()) return {};
    const TUnitToken& T = FTokens[FPos + Ahead];
    if (T.Kind != utIdent && T.Kind != utSymbol) return {};
    const std::string_view S = TextOf(T);
    return !S.empty() && S[0] == '&' ? std::string_view() : S;
  }
  // Whether a Word() is Keyword (any letter case); most tokens are told apart by their length
  // and first letter without comparing the rest.
  static bool Matches(std::string_view Token, std::string_view Keyword) noexcept {
    return Token.size() == Keyword.size() && !Token.empty() && (Token[0] | 0x20) == (Keyword[0] | 0x20) &&
           SameText(Token, Keyword);
  }
  bool IsIdent(size_t Ahead = 0) const noexcept {
    return FPos + Ahead < FTokens.size() && FTokens[FPos + Ahead].Kind == utIdent;
  }
  // Identifier text without the "&" that lets a keyword be a name.
  String Name(size_t Ahead = 0) const;
  const std::vector<TUnitToken>& Tokens() const noexcept { return FTokens; }
  std::string_view Source() const noexcept { return FText; }

 private:
  std::string_view FText;
  const std::vector<TUnitToken>& FTokens;
  size_t FPos = 0;
};

}  // namespace formwright
