#include "platform/runtime/StreamCoding.h"

#include <unicode/utf8.h>

namespace formwright::streamcoding {

bool IsAscii(std::string_view S) noexcept {
  for (char C : S)
    if (static_cast<unsigned char>(C) >= 0x80) return false;
  return true;
}

int32_t NextCodePoint(std::string_view S, size_t& I) noexcept {
  const auto* P = reinterpret_cast<const uint8_t*>(S.data());
  const int32_t Len = static_cast<int32_t>(S.size());
  int32_t Pos = static_cast<int32_t>(I);
  UChar32 C;
  U8_NEXT(P, Pos, Len, C);
  I = static_cast<size_t>(Pos);
  return C < 0 ? -1 : C;
}

bool IsValidUtf8(std::string_view S) noexcept {
  if (S.size() > static_cast<size_t>(INT32_MAX)) return false;
  for (size_t I = 0; I < S.size();)
    if (NextCodePoint(S, I) < 0) return false;
  return true;
}

bool AppendUtf8(String& S, uint32_t C) {
  if (C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return false;
  uint8_t Buf[4];
  int32_t N = 0;
  U8_APPEND_UNSAFE(Buf, N, C);
  S.append(reinterpret_cast<const char*>(Buf), static_cast<size_t>(N));
  return true;
}

String Latin1ToUtf8(std::string_view S) {
  if (IsAscii(S)) return String(S);
  String R;
  R.reserve(S.size() + S.size() / 2);
  for (char C : S) AppendUtf8(R, static_cast<unsigned char>(C));
  return R;
}

String PrintableText(std::string_view S) {
  String R;
  R.reserve(S.size());
  for (size_t I = 0; I < S.size();) {
    const size_t Start = I;
    const int32_t C = NextCodePoint(S, I);
    if (C < 0) {
      for (size_t J = Start; J < I; ++J) R += "#$" + IntToHex(static_cast<unsigned char>(S[J]), 2);
    } else if (C < 32 || C == 127 || (C >= 0x80 && C < 0xA0)) {
      R += "#" + IntToStr(C);
    } else {
      R.append(S, Start, I - Start);
    }
  }
  return R;
}

}  // namespace formwright::streamcoding
