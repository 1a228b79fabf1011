// Character sets of fonts in the Orx framework: the code a font carries and its identifier,
// as the property inspector shows it.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_ORX_IDENT_TYPE(TFontCharset, uint8_t, 0, 255, CharsetIdents)
inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0);
inline constexpr TFontCharset DEFAULT_CHARSET = TFontCharset(1);
inline constexpr TFontCharset SYMBOL_CHARSET = TFontCharset(2);
inline constexpr TFontCharset MAC_CHARSET = TFontCharset(77);
inline constexpr TFontCharset SHIFTJIS_CHARSET = TFontCharset(128);
inline constexpr TFontCharset HANGEUL_CHARSET = TFontCharset(129);
inline constexpr TFontCharset JOHAB_CHARSET = TFontCharset(130);
inline constexpr TFontCharset GB2312_CHARSET = TFontCharset(134);
inline constexpr TFontCharset CHINESEBIG5_CHARSET = TFontCharset(136);
inline constexpr TFontCharset GREEK_CHARSET = TFontCharset(161);
inline constexpr TFontCharset TURKISH_CHARSET = TFontCharset(162);
inline constexpr TFontCharset VIETNAMESE_CHARSET = TFontCharset(163);
inline constexpr TFontCharset HEBREW_CHARSET = TFontCharset(177);
inline constexpr TFontCharset ARABIC_CHARSET = TFontCharset(178);
inline constexpr TFontCharset BALTIC_CHARSET = TFontCharset(186);
inline constexpr TFontCharset RUSSIAN_CHARSET = TFontCharset(204);
inline constexpr TFontCharset THAI_CHARSET = TFontCharset(222);
inline constexpr TFontCharset EASTEUROPE_CHARSET = TFontCharset(238);
inline constexpr TFontCharset OEM_CHARSET = TFontCharset(255);

// The character-set identifiers in the order the inspector lists them; a character set
// without one is written in decimal; typed numbers go from 0 to 255 (SInvalidCharset).
const TIdentTable& CharsetIdents() noexcept;

}  // namespace formwright::orx
