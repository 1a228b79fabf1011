// What the form designer's alignment guidelines need to know of our controls: where a control's
// window appears relative to its bounds (its client delta), and where the first line of its text
// sits (its text baseline).
#pragma once

#include <optional>

#include "platform/orx/FontMetrics.h"

namespace formwright::orx {

class TControl;

// The sizes of a form's frame for one border style, as plain data: the frame around the window
// and the caption bar above the client area (the menu bar comes on top of the caption when the
// form has one).
struct TFormFrameSize {
  int32_t Frame = 0;
  int32_t Caption = 0;
};
// The frame of each border style, in TFormBorderStyle order (bsNone to bsSizeToolWin).
inline constexpr TFormFrameSize FormFrameSizes[] = {{0, 0}, {3, 23}, {8, 23}, {3, 23}, {3, 17}, {8, 17}};
// The height of a form's menu bar.
inline constexpr int32_t MenuBarHeight = 20;

// The difference between a control's bounds and the place its window shows what it draws, edge
// by edge (bounds edge minus shown edge, in the control's own coordinates). Every control of
// ours shows itself exactly at its bounds (all zero) except a form, whose designer shows its
// client area: the left and top are minus the frame (and caption and menu bar), the right and
// bottom the frame.
TRect ClientDelta(const TControl& Control);

// The text baseline of a control that shows a line of text: its distance from the control's top,
// where the control's painting puts the first line in its font as `Metrics` measure it. None for
// a control that shows no text (a panel without caption, a picture).
std::optional<int32_t> TextBaseline(const TControl& Control,
                                    const IFontMetrics& Metrics = FixedFontMetrics());

}  // namespace formwright::orx
