// Splits the text of a unit into tokens, each with its place in the text, so that the unit can
// be understood and edited span by span while every other byte stays as its author wrote it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

enum TUnitTokenKind : uint8_t { utIdent, utNumber, utString, utSymbol };

// The words of the unit's language that its reader tells apart, classified once per identifier
// token when the text is split: any letter case, and a name written "&begin" is none of them.
enum TUnitKeyword : uint8_t {
  ukNone,
  ukAbstract,
  ukAsm,
  ukAssembler,
  ukAutomated,
  ukBegin,
  ukCase,
  ukCdecl,
  ukClass,
  ukConst,
  ukConstref,
  ukConstructor,
  ukDefault,
  ukDeprecated,
  ukDestructor,
  ukDispid,
  ukDispinterface,
  ukDynamic,
  ukEnd,
  ukExperimental,
  ukExports,
  ukExternal,
  ukFinal,
  ukFinalization,
  ukForward,
  ukFunction,
  ukHelper,
  ukImplementation,
  ukIn,
  ukInitialization,
  ukInline,
  ukInterface,
  ukLabel,
  ukMessage,
  ukObject,
  ukOf,
  ukOperator,
  ukOut,
  ukOverload,
  ukOverride,
  ukPacked,
  ukPascal,
  ukPlatform,
  ukPrivate,
  ukProcedure,
  ukProperty,
  ukProtected,
  ukPublic,
  ukPublished,
  ukRecord,
  ukRegister,
  ukReintroduce,
  ukResourcestring,
  ukSafecall,
  ukSealed,
  ukStatic,
  ukStdcall,
  ukStrict,
  ukThreadvar,
  ukTry,
  ukType,
  ukUnit,
  ukUses,
  ukVar,
  ukVarargs,
  ukVirtual,
  ukCount
};
static_assert(ukCount <= 128, "a keyword set holds 128 words");

// The keyword Word is (any letter case), or ukNone.
TUnitKeyword UnitKeywordOf(std::string_view Word) noexcept;

// A set of keywords, each tested with one bit operation.
class TUnitKeywords {
 public:
  constexpr TUnitKeywords(std::initializer_list<TUnitKeyword> Words) noexcept {
    for (TUnitKeyword K : Words)
      if (K != ukNone) FBits[K / 64] |= uint64_t(1) << (K % 64);
  }
  constexpr bool Contains(TUnitKeyword K) const noexcept { return (FBits[K / 64] >> (K % 64)) & 1; }

 private:
  uint64_t FBits[2] = {0, 0};
};

// One token: identifiers (keywords included; "&begin" is an identifier, not a keyword),
// numbers, strings (quoted parts and #nn character codes joined) and symbols (":=", "..",
// or one character). Comments in their three forms and compiler directives are not tokens.
struct TUnitToken {
  TUnitTokenKind Kind;
  TUnitKeyword Keyword;  // for an identifier; ukNone for every other kind
  uint32_t Begin;        // byte offset of the first character
  uint32_t End;          // byte offset just past the last one
  int Line;              // 1-based line of the first character
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
  // The keyword the token at Pos()+Ahead is; ukNone for any other token and past the end.
  TUnitKeyword Keyword(size_t Ahead = 0) const noexcept {
    return FPos + Ahead < FTokens.size() ? FTokens[FPos + Ahead].Keyword : ukNone;
  }
  bool Is(TUnitKeyword K, size_t Ahead = 0) const noexcept { return Keyword(Ahead) == K; }
  bool IsAny(const TUnitKeywords& Words, size_t Ahead = 0) const noexcept {
    return Words.Contains(Keyword(Ahead));
  }
  // Whether the token at Pos()+Ahead is the one-character symbol S.
  bool IsSymbol(char S, size_t Ahead = 0) const noexcept {
    if (FPos + Ahead >= FTokens.size()) return false;
    const TUnitToken& T = FTokens[FPos + Ahead];
    return T.Kind == utSymbol && T.End - T.Begin == 1 && FText[T.Begin] == S;
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
