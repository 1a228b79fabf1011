// Character sets of fonts in the Orx framework: the code a font carries and its identifier
// (the framework's own names, `ch` and the script: chDefault, chGreek, chCyrillic),
// as the property inspector shows it.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_ORX_IDENT_TYPE(TFontCharset, uint8_t, 0, 255, CharsetIdents)
inline constexpr TFontCharset chAnsi = TFontCharset(0);
inline constexpr TFontCharset chDefault = TFontCharset(1);
inline constexpr TFontCharset chSymbol = TFontCharset(2);
inline constexpr TFontCharset chMac = TFontCharset(77);
inline constexpr TFontCharset chShiftJis = TFontCharset(128);
inline constexpr TFontCharset chHangul = TFontCharset(129);
inline constexpr TFontCharset chJohab = TFontCharset(130);
inline constexpr TFontCharset chGb2312 = TFontCharset(134);
inline constexpr TFontCharset chBig5 = TFontCharset(136);
inline constexpr TFontCharset chGreek = TFontCharset(161);
inline constexpr TFontCharset chTurkish = TFontCharset(162);
inline constexpr TFontCharset chVietnamese = TFontCharset(163);
inline constexpr TFontCharset chHebrew = TFontCharset(177);
inline constexpr TFontCharset chArabic = TFontCharset(178);
inline constexpr TFontCharset chBaltic = TFontCharset(186);
inline constexpr TFontCharset chCyrillic = TFontCharset(204);
inline constexpr TFontCharset chThai = TFontCharset(222);
inline constexpr TFontCharset chEastEurope = TFontCharset(238);
inline constexpr TFontCharset chOem = TFontCharset(255);

// The character-set identifiers in the order the inspector lists them; a character set
// without one is written in decimal; typed numbers go from 0 to 255 (SInvalidCharset).
const TIdentTable& CharsetIdents() noexcept;

}  // namespace formwright::orx
