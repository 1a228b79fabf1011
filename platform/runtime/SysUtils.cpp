#include "platform/runtime/SysUtils.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include <unicode/unistr.h>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

namespace {
inline char AsciiLower(char C) noexcept { return (C >= 'A' && C <= 'Z') ? char(C + 32) : C; }
inline char AsciiUpper(char C) noexcept { return (C >= 'a' && C <= 'z') ? char(C - 32) : C; }
inline bool IsIdentStart(char C) noexcept {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || C == '_';
}
inline bool IsIdentChar(char C) noexcept { return IsIdentStart(C) || (C >= '0' && C <= '9'); }
inline bool IsBlank(char C) noexcept { return C == ' ' || C == '\t' || C == '\r' || C == '\n'; }
}  // namespace

int CompareText(std::string_view A, std::string_view B) noexcept {
  const size_t N = A.size() < B.size() ? A.size() : B.size();
  for (size_t I = 0; I < N; ++I) {
    const unsigned char X = static_cast<unsigned char>(AsciiLower(A[I]));
    const unsigned char Y = static_cast<unsigned char>(AsciiLower(B[I]));
    if (X != Y) return X < Y ? -1 : 1;
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

bool SameText(std::string_view A, std::string_view B) noexcept {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (AsciiLower(A[I]) != AsciiLower(B[I])) return false;
  return true;
}

int CompareStr(std::string_view A, std::string_view B) noexcept {
  const int R = A.compare(B);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

String UpperCase(std::string_view S) {
  String R(S);
  for (char& C : R) C = AsciiUpper(C);
  return R;
}

String LowerCase(std::string_view S) {
  String R(S);
  for (char& C : R) C = AsciiLower(C);
  return R;
}

String Trim(std::string_view S) {
  size_t B = 0, E = S.size();
  while (B < E && static_cast<unsigned char>(S[B]) <= ' ') ++B;
  while (E > B && static_cast<unsigned char>(S[E - 1]) <= ' ') --E;
  return String(S.substr(B, E - B));
}

bool StartsText(std::string_view Prefix, std::string_view S) noexcept {
  return S.size() >= Prefix.size() && SameText(S.substr(0, Prefix.size()), Prefix);
}

bool EndsText(std::string_view Suffix, std::string_view S) noexcept {
  return S.size() >= Suffix.size() && SameText(S.substr(S.size() - Suffix.size()), Suffix);
}

bool IsValidIdent(std::string_view Ident, bool AllowDots) noexcept {
  if (Ident.empty() || !IsIdentStart(Ident[0])) return false;
  for (size_t I = 1; I < Ident.size(); ++I) {
    const char C = Ident[I];
    if (C == '.' && AllowDots) {
      if (I + 1 >= Ident.size() || !IsIdentStart(Ident[I + 1])) return false;
      continue;
    }
    if (!IsIdentChar(C)) return false;
  }
  return true;
}

String IntToStr(int64_t Value) { return fmt::format("{}", Value); }
String UIntToStr(uint64_t Value) { return fmt::format("{}", Value); }
String IntToHex(uint64_t Value, int Digits) { return fmt::format("{:0{}X}", Value, Digits); }

bool TryStrToInt64(std::string_view S, int64_t& Value) noexcept {
  size_t B = 0, E = S.size();
  while (B < E && IsBlank(S[B])) ++B;
  while (E > B && IsBlank(S[E - 1])) --E;
  std::string_view T = S.substr(B, E - B);
  bool Negative = false;
  if (!T.empty() && (T[0] == '-' || T[0] == '+')) {
    Negative = T[0] == '-';
    T.remove_prefix(1);
  }
  int Base = 10;
  if (!T.empty() && T[0] == '$') {
    Base = 16;
    T.remove_prefix(1);
  } else if (T.size() > 1 && T[0] == '0' && (T[1] == 'x' || T[1] == 'X')) {
    Base = 16;
    T.remove_prefix(2);
  }
  if (T.empty()) return false;
  uint64_t Magnitude = 0;
  auto [Ptr, Ec] = std::from_chars(T.data(), T.data() + T.size(), Magnitude, Base);
  if (Ec != std::errc() || Ptr != T.data() + T.size()) return false;
  if (Base == 16) {
    // Hexadecimal texts denote the bit pattern: $FFFFFFFFFFFFFFFF is -1.
    Value = Negative ? -static_cast<int64_t>(Magnitude) : static_cast<int64_t>(Magnitude);
    return true;
  }
  if (Negative) {
    if (Magnitude > uint64_t(INT64_MAX) + 1) return false;
    Value = static_cast<int64_t>(0 - Magnitude);
  } else {
    if (Magnitude > uint64_t(INT64_MAX)) return false;
    Value = static_cast<int64_t>(Magnitude);
  }
  return true;
}

int64_t StrToInt64(std::string_view S) {
  int64_t V = 0;
  if (!TryStrToInt64(S, V)) throw EConvertError(Format(SInvalidInteger, String(S)));
  return V;
}

int StrToInt(std::string_view S) {
  const int64_t V = StrToInt64(S);
  if (V < INT32_MIN || V > INT32_MAX) throw EConvertError(Format(SInvalidInteger, String(S)));
  return static_cast<int>(V);
}

int StrToIntDef(std::string_view S, int Default) noexcept {
  int64_t V = 0;
  if (!TryStrToInt64(S, V) || V < INT32_MIN || V > INT32_MAX) return Default;
  return static_cast<int>(V);
}

TFormatSettings& FormatSettings() {
  static TFormatSettings Settings;
  return Settings;
}

String FloatToStrG(long double Value, int Precision) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.*Lg", Precision, Value);
  String R(Buf);
  // Exponents are written as E followed by the signed power without leading zeros: 1E20, 1E-5.
  const size_t EPos = R.find('e');
  if (EPos != String::npos) {
    String Mantissa = R.substr(0, EPos);
    String Exp = R.substr(EPos + 1);
    const bool Neg = !Exp.empty() && Exp[0] == '-';
    if (!Exp.empty() && (Exp[0] == '+' || Exp[0] == '-')) Exp.erase(0, 1);
    while (Exp.size() > 1 && Exp[0] == '0') Exp.erase(0, 1);
    R = Mantissa + "E" + (Neg ? "-" : "") + Exp;
  }
  const char Sep = FormatSettings().DecimalSeparator;
  if (Sep != '.')
    for (char& C : R)
      if (C == '.') C = Sep;
  return R;
}

bool TryStrToFloat(std::string_view S, long double& Value) noexcept {
  String T = Trim(S);
  if (T.empty()) return false;
  const char Sep = FormatSettings().DecimalSeparator;
  for (char& C : T) {
    if (C == Sep)
      C = '.';
    else if (C == '.' && Sep != '.')
      return false;
  }
  if (T[0] == '+') T.erase(0, 1);
  if (T.empty() || !(std::isdigit(static_cast<unsigned char>(T[0])) || T[0] == '-' || T[0] == '.'))
    return false;
  long double V = 0;
  auto [Ptr, Ec] = std::from_chars(T.data(), T.data() + T.size(), V, std::chars_format::general);
  if (Ec != std::errc() || Ptr != T.data() + T.size()) return false;
  Value = V;
  return true;
}

long double StrToFloat(std::string_view S) {
  long double V = 0;
  if (!TryStrToFloat(S, V)) throw EConvertError(Format(SInvalidFloat, String(S)));
  return V;
}

String QuotedStr(std::string_view S, char Quote) {
  String R(1, Quote);
  for (char C : S) {
    R += C;
    if (C == Quote) R += C;
  }
  R += Quote;
  return R;
}

String StringReplaceAll(std::string_view S, std::string_view From, std::string_view To) {
  if (From.empty()) return String(S);
  String R;
  size_t Pos = 0;
  for (;;) {
    const size_t Hit = S.find(From, Pos);
    if (Hit == std::string_view::npos) break;
    R.append(S.substr(Pos, Hit - Pos));
    R.append(To);
    Pos = Hit + From.size();
  }
  R.append(S.substr(Pos));
  return R;
}

std::vector<String> SplitString(std::string_view S, char Separator) {
  std::vector<String> R;
  size_t Pos = 0;
  for (;;) {
    const size_t Hit = S.find(Separator, Pos);
    R.emplace_back(S.substr(Pos, Hit == std::string_view::npos ? std::string_view::npos : Hit - Pos));
    if (Hit == std::string_view::npos) break;
    Pos = Hit + 1;
  }
  return R;
}

WideString Utf8ToWide(std::string_view S) {
  const icu::UnicodeString U = icu::UnicodeString::fromUTF8(icu::StringPiece(S.data(), int32_t(S.size())));
  return WideString(reinterpret_cast<const char16_t*>(U.getBuffer()), size_t(U.length()));
}

String WideToUtf8(std::u16string_view S) {
  String R;
  icu::UnicodeString(S.data(), int32_t(S.size())).toUTF8String(R);
  return R;
}

}  // namespace formwright
