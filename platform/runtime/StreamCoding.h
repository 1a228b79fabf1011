// Encoding helpers shared by the component stream reader, writer and text conversion:
// little-endian numbers, the 10-byte extended float, and UTF-8 code points.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/runtime/SysUtils.h"

namespace formwright::streamcoding {

// Little-endian integers of N bytes.
template <class T>
inline void PutLE(uint8_t* P, T Value) noexcept {
  auto U = static_cast<std::make_unsigned_t<T>>(Value);
  for (size_t I = 0; I < sizeof(T); ++I) P[I] = static_cast<uint8_t>(U >> (8 * I));
}
template <class T>
inline T GetLE(const uint8_t* P) noexcept {
  std::make_unsigned_t<T> U = 0;
  for (size_t I = 0; I < sizeof(T); ++I) U |= static_cast<std::make_unsigned_t<T>>(P[I]) << (8 * I);
  return static_cast<T>(U);
}

// The extended type is the 80-bit IEEE format (64-bit mantissa), stored in 10 bytes.
static_assert(std::numeric_limits<long double>::digits == 64, "extended values need the 80-bit format");
inline void PutExtended(uint8_t* P, long double Value) noexcept { std::memcpy(P, &Value, 10); }
inline long double GetExtended(const uint8_t* P) noexcept {
  long double V = 0;
  std::memcpy(&V, P, 10);
  return V;
}

inline void PutFloat(uint8_t* P, float Value) noexcept { std::memcpy(P, &Value, 4); }
inline void PutDouble(uint8_t* P, double Value) noexcept { std::memcpy(P, &Value, 8); }
inline float GetFloat(const uint8_t* P) noexcept {
  float V;
  std::memcpy(&V, P, 4);
  return V;
}
inline double GetDouble(const uint8_t* P) noexcept {
  double V;
  std::memcpy(&V, P, 8);
  return V;
}

// True when every byte is below 128.
bool IsAscii(std::string_view S) noexcept;
// True for well-formed UTF-8 (no surrogates, no overlong forms).
bool IsValidUtf8(std::string_view S) noexcept;
// Appends code point `C` as UTF-8; false for surrogates and values beyond U+10FFFF.
bool AppendUtf8(String& S, uint32_t C);
// Decodes the code point at `I` and advances `I`; -1 for malformed input.
int32_t NextCodePoint(std::string_view S, size_t& I) noexcept;
// Bytes as Latin-1 characters, converted to UTF-8.
String Latin1ToUtf8(std::string_view S);
// The length of the UTF-8 byte-order mark at the start of Text (3), or 0 without one: editors
// may put one before a text file, which is then read without it.
inline size_t Utf8MarkLength(std::string_view Text) noexcept {
  return Text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}
// Text that is safe to show in a message on a terminal: control characters (line breaks and
// escape sequences included) become #nn as in the text form of streams, bytes that are not
// UTF-8 become #$XX; everything else is kept. Applying it twice changes nothing more.
String PrintableText(std::string_view S);
// A NaN with the sign of `V`, in the one bit pattern the writer uses.
template <class F>
inline F CanonicalFloat(F V) noexcept {
  if (V != V)
    return std::signbit(V) ? -std::numeric_limits<F>::quiet_NaN() : std::numeric_limits<F>::quiet_NaN();
  return V;
}

}  // namespace formwright::streamcoding
