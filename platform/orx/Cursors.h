// Mouse cursors of the Orx framework: the cursor identifiers and their texts.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_ORX_IDENT_TYPE(TCursor, int16_t, INT16_MIN, INT16_MAX, CursorIdents)

// The cursor a control takes from its parent; crNone hides the pointer.
inline constexpr TCursor crDefault = TCursor(0);
inline constexpr TCursor crNone = TCursor(-1);
inline constexpr TCursor crArrow = TCursor(-2);
inline constexpr TCursor crCrosshair = TCursor(-3);
inline constexpr TCursor crText = TCursor(-4);
inline constexpr TCursor crResizeNESW = TCursor(-6);
inline constexpr TCursor crResizeNS = TCursor(-7);
inline constexpr TCursor crResizeNWSE = TCursor(-8);
inline constexpr TCursor crResizeWE = TCursor(-9);
inline constexpr TCursor crUpArrow = TCursor(-10);
inline constexpr TCursor crWait = TCursor(-11);
inline constexpr TCursor crDrag = TCursor(-12);
inline constexpr TCursor crCannotDrop = TCursor(-13);
inline constexpr TCursor crColumnResize = TCursor(-14);
inline constexpr TCursor crRowResize = TCursor(-15);
inline constexpr TCursor crDragMany = TCursor(-16);
inline constexpr TCursor crQueryWait = TCursor(-17);
inline constexpr TCursor crForbidden = TCursor(-18);
inline constexpr TCursor crProgress = TCursor(-19);
inline constexpr TCursor crHelp = TCursor(-20);
inline constexpr TCursor crHand = TCursor(-21);
inline constexpr TCursor crMove = TCursor(-22);

// The cursor identifiers in the order the inspector lists them; a cursor without one is
// written in decimal; typed numbers stay in the cursor range (SInvalidCursor otherwise).
const TIdentTable& CursorIdents() noexcept;
inline String CursorToString(TCursor Cursor) { return CursorIdents().ToString(Cursor); }
inline TCursor StringToCursor(std::string_view S) {
  return TCursor(static_cast<int16_t>(CursorIdents().FromString(S)));
}

}  // namespace formwright::orx
