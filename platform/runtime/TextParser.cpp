#include "platform/runtime/TextParser.h"

#include <charconv>

#include "platform/runtime/StreamCoding.h"

namespace formwright {

namespace {
bool IsLetter(char C) noexcept { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_'; }
bool IsDigit(char C) noexcept { return C >= '0' && C <= '9'; }
int HexValue(char C) noexcept {
  if (IsDigit(C)) return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}
}  // namespace

TParser::TParser(std::string_view Text) : FText(Text) { NextToken(); }

void TParser::Error(const String& Message) const {
  throw EParserError(Format(SParseError, Message, FTokenLine, TokenColumn()));
}

int TParser::TokenColumn() const noexcept {
  int Column = 1;
  for (size_t I = FTokenLineStart; I < FTokenStart && I < FText.size(); ++I)
    if ((static_cast<unsigned char>(FText[I]) & 0xC0) != 0x80) ++Column;
  return Column;
}

void TParser::SkipBlanks() {
  for (char C = Peek(); C == ' ' || C == '\t' || C == '\r' || C == '\n'; C = Peek()) {
    ++FPos;
    if (C == '\n') {
      ++FLine;
      FLineStart = FPos;
    }
  }
  FTokenStart = FPos;
  FTokenLine = FLine;
  FTokenLineStart = FLineStart;
}

bool TParser::AtEndOfText() {
  SkipBlanks();
  return Peek() == '\0';
}

void TParser::NextToken() {
  SkipBlanks();
  FTokenString.clear();
  FSuffix = '\0';
  const char C = Peek();
  if (C == '\0') {
    FToken = toEOF;
  } else if (IsLetter(C)) {
    ReadSymbol();
  } else if (IsDigit(C) || C == '$') {
    ReadNumber();
  } else if (C == '\'' || C == '#') {
    ReadString();
  } else {
    FToken = toChar;
    FTokenChar = C;
    ++FPos;
  }
}

void TParser::ReadSymbol() {
  const size_t Start = FPos;
  for (;;) {
    while (IsLetter(Peek()) || IsDigit(Peek())) ++FPos;
    if (Peek() != '.' || !IsLetter(Peek(1))) break;
    ++FPos;
  }
  FToken = toSymbol;
  FTokenString.assign(FText.substr(Start, FPos - Start));
}

void TParser::ReadNumber() {
  const size_t Start = FPos;
  FToken = toInteger;
  if (Peek() == '$') {
    ++FPos;
    while (HexValue(Peek()) >= 0) ++FPos;
  } else {
    while (IsDigit(Peek())) ++FPos;
    if (Peek() == '.' && IsDigit(Peek(1))) {
      FToken = toFloat;
      ++FPos;
      while (IsDigit(Peek())) ++FPos;
    }
    if ((Peek() == 'e' || Peek() == 'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
      FToken = toFloat;
      FPos += 2;
      while (IsDigit(Peek())) ++FPos;
    }
  }
  FTokenString.assign(FText.substr(Start, FPos - Start));
  const char S = static_cast<char>(Peek() | 0x20);
  if (FTokenString[0] != '$' && (S == 's' || S == 'd' || S == 'c' || S == 'x') && !IsLetter(Peek(1)) &&
      !IsDigit(Peek(1))) {
    FToken = toFloat;
    FSuffix = S;
    ++FPos;
  }
  if (IsLetter(Peek()) || IsDigit(Peek())) Error(SInvalidNumber);
}

void TParser::ReadString() {
  FToken = toString;
  uint32_t Pending = 0;  // a high surrogate waiting for its low half
  auto Add = [&](uint32_t Code) {
    if (Pending) {
      if (Code < 0xDC00 || Code > 0xDFFF) Error(SInvalidCharCode);
      Code = 0x10000 + ((Pending - 0xD800) << 10) + (Code - 0xDC00);
      Pending = 0;
    } else if (Code >= 0xD800 && Code <= 0xDBFF) {
      Pending = Code;
      return;
    }
    if (!streamcoding::AppendUtf8(FTokenString, Code)) Error(SInvalidCharCode);
  };
  for (;;) {
    const char C = Peek();
    if (C == '\'') {
      if (Pending) Error(SInvalidCharCode);
      ++FPos;
      const size_t Start = FPos;
      for (;;) {
        const char D = Peek();
        if (D == '\0' || D == '\n' || D == '\r') Error(SInvalidString);
        if (D == '\'') {
          if (Peek(1) != '\'') break;
          ++FPos;
        }
        ++FPos;
      }
      String Part;
      for (size_t I = Start; I < FPos; ++I) {
        Part += FText[I];
        if (FText[I] == '\'') ++I;  // '' stands for one quote
      }
      if (!streamcoding::IsValidUtf8(Part)) Error(SInvalidString);
      FTokenString += Part;
      ++FPos;
    } else if (C == '#') {
      ++FPos;
      uint64_t Code = 0;
      int Digits = 0;
      if (Peek() == '$') {
        ++FPos;
        for (int H; (H = HexValue(Peek())) >= 0; ++FPos, ++Digits)
          Code = Code * 16 + static_cast<uint64_t>(H);
      } else {
        for (; IsDigit(Peek()); ++FPos, ++Digits) Code = Code * 10 + static_cast<uint64_t>(Peek() - '0');
      }
      if (Digits == 0 || Digits > 8) Error(SInvalidCharCode);
      Add(static_cast<uint32_t>(Code));
    } else {
      break;
    }
  }
  if (Pending) Error(SInvalidCharCode);
}

int64_t TParser::TokenInt() const {
  CheckToken(toInteger);
  const String& S = FTokenString;
  uint64_t U = 0;
  const bool Hex = S[0] == '$';
  const char* First = S.data() + (Hex ? 1 : 0);
  auto [Ptr, Ec] = std::from_chars(First, S.data() + S.size(), U, Hex ? 16 : 10);
  if (Ec != std::errc() || Ptr != S.data() + S.size() || First == Ptr) Error(SInvalidNumber);
  if (U > static_cast<uint64_t>(INT64_MAX) && !Hex) Error(SInvalidNumber);
  return static_cast<int64_t>(U);
}

void TParser::CheckToken(TTokenKind Kind) const {
  if (FToken == Kind) return;
  switch (Kind) {
    case toSymbol:
      Error(SIdentifierExpected);
    case toString:
      Error(SStringExpected);
    case toInteger:
    case toFloat:
      Error(SNumberExpected);
    default:
      Error(SInvalidPropertyValue);
  }
}

void TParser::CheckChar(char C) const {
  if (FToken != toChar || FTokenChar != C) Error(Format(SCharExpected, String(1, C)));
}

void TParser::CheckSymbol(std::string_view S) const {
  if (!TokenSymbolIs(S)) Error(Format(SSymbolExpected, String(S)));
}

std::vector<uint8_t> TParser::HexToBinary() {
  CheckChar('{');
  std::vector<uint8_t> Data;
  for (;;) {
    SkipBlanks();
    const char C = Peek();
    if (C == '}') break;
    const int H = HexValue(C), L = HexValue(Peek(1));
    if (H < 0 || L < 0) Error(SInvalidBinary);
    Data.push_back(static_cast<uint8_t>(H * 16 + L));
    FPos += 2;
  }
  ++FPos;
  FToken = toChar;
  FTokenChar = '}';
  return Data;
}

}  // namespace formwright
