// Painting a control with everything it holds, and the pieces of look that controls share:
// three-dimensional edges and the icon a non-visual component shows on a designed form.
#pragma once

#include <functional>

#include "platform/orx/Controls.h"

namespace formwright::orx {

// A caption as shown: without the '&' that marks an accelerator ("&&" shows one '&').
String StripAccelChars(std::string_view Caption);

// Paints Control (shown or not: the caller asked for it) and, in front of it, its visible children (labels
// and shapes first, then windowed controls, each group in z-order), each clipped to its parent's client area.
// Canvas's origin is where the control's top-left corner goes; the canvas state is the same
// afterwards. Hidden controls are painted only while designed, as the designer shows them.
// `Client`, when given, is called for every windowed control after its own look and before
// its children, the canvas's origin at its client area (the designer draws its grid there).
using TClientPainter = std::function<void(TCanvas& Canvas, TWinControl* Control)>;
void PaintControl(TCanvas& Canvas, TControl* Control, const TClientPainter& Client = {});

// A raised (or sunken) edge of width 1 along the inside of R: lit top and left, shaded
// bottom and right (the other way round when sunken).
void DrawEdge(TCanvas& Canvas, const TRect& R, bool Raised);
// The two-pixel edge of buttons and sunken boxes (edits, memos, check boxes).
void DrawEdge2(TCanvas& Canvas, const TRect& R, bool Raised);

// The size of a non-visual component's icon on a designed form.
inline constexpr int32_t ComponentIconSize = 28;
// Paints the icon of a non-visual component with its top-left corner at (X, Y): a raised
// square with the capital letters of its class name (TMainMenu: "MM"), and, with ShowName,
// the component's name centred under it.
void PaintComponentIcon(TCanvas& Canvas, const TComponent* Component, int32_t X, int32_t Y,
                        bool ShowName = true);
// Where a control's children are placed from its top-left corner: past a form's frame,
// caption and menu bar; at the corner itself for any other control.
TPoint ClientOffset(const TControl* Control);

}  // namespace formwright::orx
