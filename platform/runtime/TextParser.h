// The tokenizer of the text form of component streams.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/runtime/StreamConsts.h"

namespace formwright {

enum TTokenKind : uint8_t { toEOF, toSymbol, toString, toInteger, toFloat, toChar };

// Splits text into symbols (dotted identifiers), strings ('quoted' parts and #nn character
// codes, adjacent parts joined), integers (decimal or $hex), floats (with an optional type
// suffix letter s, d, c or x) and single characters. Errors raise EParserError naming the line
// and column of the token they are about ("Identifier expected on line 3, column 5").
class TParser {
 public:
  // Tokenizes `Text` (which must outlive the parser); a 0 character ends it. Reads the first token.
  explicit TParser(std::string_view Text);

  TTokenKind Token() const noexcept { return FToken; }
  // The character of a toChar token.
  char TokenChar() const noexcept { return FToken == toChar ? FTokenChar : '\0'; }
  // Symbol text, decoded string value (UTF-8), or number text without suffix.
  const String& TokenString() const noexcept { return FTokenString; }
  // The lower-case suffix letter of a float, or 0.
  char FloatSuffix() const noexcept { return FSuffix; }
  bool TokenSymbolIs(std::string_view S) const noexcept {
    return FToken == toSymbol && SameText(FTokenString, S);
  }
  int64_t TokenInt() const;
  void NextToken();
  void CheckToken(TTokenKind Kind) const;
  void CheckChar(char C) const;
  void CheckSymbol(std::string_view S) const;
  // Reads hexadecimal digit pairs (blanks between them allowed) from after a '{' token up to
  // the closing '}', which becomes the current token.
  std::vector<uint8_t> HexToBinary();
  int SourceLine() const noexcept { return FLine; }
  // Line and column (in characters, from 1) where the current token starts.
  int TokenLine() const noexcept { return FTokenLine; }
  int TokenColumn() const noexcept;
  // Offset just past the current token.
  size_t TokenEnd() const noexcept { return FPos; }
  // True when only blanks follow the current token; otherwise the next character becomes the
  // place that errors name.
  bool AtEndOfText();
  [[noreturn]] void Error(const String& Message) const;

 private:
  char Peek(size_t Ahead = 0) const noexcept {
    return FPos + Ahead < FText.size() ? FText[FPos + Ahead] : '\0';
  }
  void SkipBlanks();
  void ReadSymbol();
  void ReadNumber();
  void ReadString();
  std::string_view FText;
  size_t FPos = 0;
  int FLine = 1;
  size_t FLineStart = 0;  // offset of the first character of line FLine
  size_t FTokenStart = 0;
  int FTokenLine = 1;
  size_t FTokenLineStart = 0;
  TTokenKind FToken = toEOF;
  char FTokenChar = '\0';
  char FSuffix = '\0';
  String FTokenString;
};

}  // namespace formwright
