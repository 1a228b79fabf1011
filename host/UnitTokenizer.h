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
// Each is listed once, as its enumerator's name and its text.
// clang-format off
#define FW_UNIT_KEYWORDS(X) \
  X(Abstract, "abstract") X(Asm, "asm") X(Assembler, "assembler")                  \
  X(Automated, "automated") X(Begin, "begin") X(Case, "case")                      \
  X(Cdecl, "cdecl") X(Class, "class") X(Const, "const")                            \
  X(Constref, "constref") X(Constructor, "constructor") X(Default, "default")      \
  X(Deprecated, "deprecated") X(Destructor, "destructor") X(Dispid, "dispid")      \
  X(Dispinterface, "dispinterface") X(Dynamic, "dynamic") X(End, "end")            \
  X(Experimental, "experimental") X(Exports, "exports") X(External, "external")    \
  X(Final, "final") X(Finalization, "finalization") X(Forward, "forward")          \
  X(Function, "function") X(Helper, "helper") X(Implementation, "implementation")  \
  X(In, "in") X(Initialization, "initialization") X(Inline, "inline")              \
  X(Interface, "interface") X(Label, "label") X(Message, "message")                \
  X(Object, "object") X(Of, "of") X(Operator, "operator")                          \
  X(Out, "out") X(Overload, "overload") X(Override, "override")                    \
  X(Packed, "packed") X(Pascal, "pascal") X(Platform, "platform")                  \
  X(Private, "private") X(Procedure, "procedure") X(Property, "property")          \
  X(Protected, "protected") X(Public, "public") X(Published, "published")          \
  X(Record, "record") X(Register, "register") X(Reintroduce, "reintroduce")        \
  X(Resourcestring, "resourcestring") X(Safecall, "safecall") X(Sealed, "sealed")  \
  X(Static, "static") X(Stdcall, "stdcall") X(Strict, "strict")                    \
  X(Threadvar, "threadvar") X(Try, "try") X(Type, "type")                          \
  X(Unit, "unit") X(Uses, "uses") X(Var, "var")                                    \
  X(Varargs, "varargs") X(Virtual, "virtual")

enum TUnitKeyword : uint8_t {
  ukNone,
#define FW_UNIT_KEYWORD_ENUM(Name, Text) uk##Name,
  FW_UNIT_KEYWORDS(FW_UNIT_KEYWORD_ENUM)
#undef FW_UNIT_KEYWORD_ENUM
  ukCount
};
// clang-format on
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
