// How the standard controls and panels look.
#include "platform/orx/ControlPaint.h"
#include "platform/orx/ExtCtrls.h"

namespace formwright::orx {

namespace {

constexpr int32_t CheckSize = 13;

TTextHAlign HAlignOf(TAlignment A) {
  return A == taCenter ? thCenter : A == taRightJustify ? thRight : thLeft;
}

// A white box with a sunken edge: the look of edits and memos. Returns the text area.
TRect PaintSunkenBox(TCanvas& Canvas, const TControl& Control) {
  const TRect R = Rect(0, 0, Control.Width(), Control.Height());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Control.Color());
  Canvas.FillRect(R);
  DrawEdge2(Canvas, R, false);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Control.Enabled() ? Control.Font()->Color() : clDisabledText);
  return {R.Left + 3, R.Top + 2, R.Right - 3, R.Bottom - 2};
}

}  // namespace

void TCustomLabel::Paint() {
  const TRect R = ClientRect();
  if (!FTransparent) Canvas()->FillRect(R);
  Canvas()->Brush()->SetStyle(bsClear);
  if (!Enabled()) Canvas()->Font()->SetColor(clDisabledText);
  const TTextVAlign V = FLayout == tlTop ? tvTop : FLayout == tlBottom ? tvBottom : tvCenter;
  Canvas()->TextRect(R, DisplayText(), HAlignOf(FAlignment), V);
}

void TButton::PaintTo(TCanvas& Canvas) {
  TRect R = Rect(0, 0, Width(), Height());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(clFace);
  Canvas.FillRect(R);
  if (Default()) {
    Canvas.Pen()->SetColor(clDarkShadow);
    Canvas.FrameRect(R);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
  DrawEdge2(Canvas, R, true);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Enabled() ? Font()->Color() : clDisabledText);
  Canvas.TextRect(R, StripAccelChars(Caption()), thCenter, tvCenter);
}

void TCustomCheckBox::PaintTo(TCanvas& Canvas) {
  const TRect R = Rect(0, 0, Width(), Height());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Color());
  Canvas.FillRect(R);
  // The box sits on the left with the caption to its right, or the other way round.
  const bool BoxLeft = FAlignment == taRightJustify;
  const int32_t BoxX = BoxLeft ? 0 : R.Right - CheckSize;
  const TRect Box = Bounds(BoxX, (R.Height() - CheckSize) / 2, CheckSize, CheckSize);
  Canvas.Brush()->SetColor(FState == cbGrayed || !Enabled() ? clFace : clWindow);
  Canvas.FillRect(Box);
  DrawEdge2(Canvas, Box, false);
  if (FState != cbUnchecked) {
    // A tick of three strokes, two pixels thick.
    Canvas.Pen()->SetColor(FState == cbGrayed ? clShadow : clWindowText);
    for (int32_t D = 0; D < 3; ++D) {
      Canvas.MoveTo(Box.Left + 3, Box.Top + 5 + D);
      Canvas.LineTo(Box.Left + 5, Box.Top + 7 + D);
      Canvas.LineTo(Box.Left + 10, Box.Top + 2 + D);
    }
  }
  const TRect Text =
      BoxLeft ? TRect{Box.Right + 4, 0, R.Right, R.Bottom} : TRect{0, 0, Box.Left - 4, R.Bottom};
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Enabled() ? Font()->Color() : clDisabledText);
  Canvas.TextRect(Text, StripAccelChars(Caption()), BoxLeft ? thLeft : thRight, tvCenter);
}

void TCustomEdit::PaintTo(TCanvas& Canvas) {
  const TRect Area = PaintSunkenBox(Canvas, *this);
  const String Shown = FPasswordChar ? String(static_cast<size_t>(TextLength()), '*') : Text();
  Canvas.TextRect(Area, Shown, thLeft, tvCenter);
}

void TCustomMemo::PaintTo(TCanvas& Canvas) {
  const TRect Area = PaintSunkenBox(Canvas, *this);
  const int32_t LineH = Canvas.TextHeight("Wg");
  int32_t Y = Area.Top;
  for (int I = 0; I < FLines->Count() && Y < Area.Bottom; ++I, Y += LineH)
    Canvas.TextRect(Area, Area.Left, Y, FLines->Get(I));
}

void TCustomPanel::Paint() {
  TRect R = ClientRect();
  Canvas()->FillRect(R);
  for (TBevelCut Cut : {FBevelOuter, FBevelInner}) {
    if (Cut == bvNone) continue;
    for (int32_t I = 0; I < FBevelWidth; ++I) {
      if (Cut != bvSpace) DrawEdge(*Canvas(), R, Cut == bvRaised);
      R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
    }
    R = {R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth, R.Bottom - FBorderWidth};
  }
  if (!FShowCaption) return;
  Canvas()->Brush()->SetStyle(bsClear);
  Canvas()->Font()->SetColor(Enabled() ? Font()->Color() : clDisabledText);
  Canvas()->TextRect(R, StripAccelChars(Caption()), HAlignOf(FAlignment), tvCenter);
}

}  // namespace formwright::orx
