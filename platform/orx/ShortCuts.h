// Keyboard shortcuts of menu items and actions: a virtual key code in the low byte and the
// modifier bits scShift, scCtrl and scAlt, with their texts ("Ctrl+S", "Shift+Alt+BkSp").
#pragma once

#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_INT_TYPE(TShortCut, uint16_t, 0, 65535)

inline constexpr uint16_t scShift = 0x2000;
inline constexpr uint16_t scCtrl = 0x4000;
inline constexpr uint16_t scAlt = 0x8000;
inline constexpr uint16_t scNone = 0;

// Virtual key codes used in shortcut texts.
inline constexpr uint16_t vkBack = 0x08, vkTab = 0x09, vkReturn = 0x0D, vkEscape = 0x1B, vkSpace = 0x20,
                          vkPrior = 0x21, vkNext = 0x22, vkEnd = 0x23, vkHome = 0x24, vkLeft = 0x25,
                          vkUp = 0x26, vkRight = 0x27, vkDown = 0x28, vkInsert = 0x2D, vkDelete = 0x2E,
                          vkF1 = 0x70;

TShortCut ShortCut(uint16_t Key, TShiftState Shift) noexcept;
void ShortCutToKey(TShortCut ShortCut, uint16_t& Key, TShiftState& Shift) noexcept;
// The text of a shortcut: modifiers in the order Shift, Ctrl, Alt, then the key's name;
// empty for 0 and for keys without a name.
String ShortCutToText(TShortCut ShortCut);
// The shortcut a text names (modifier names ignore case); 0 when the text names none.
TShortCut TextToShortCut(std::string_view Text);

}  // namespace formwright::orx
