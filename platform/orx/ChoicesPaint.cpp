// How radio buttons, group boxes, combo boxes, list boxes and status bands look.
#include "platform/orx/Choices.h"
#include "platform/orx/ControlPaint.h"
#include "platform/orx/StatusBands.h"

#include <algorithm>

namespace formwright::orx {

namespace {

constexpr int32_t RadioSize = 13;
constexpr int32_t ArrowWidth = 17;

// The background of a control and the colour its text is drawn in.
void PaintFace(TCanvas& Canvas, const TControl& Control, const TRect& R) {
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Control.Color());
  Canvas.FillRect(R);
  Canvas.Font()->SetColor(Control.Enabled() ? Control.Font()->Color() : clDisabledText);
}

TTextHAlign HAlignOf(TAlignment A) {
  return A == taCenter ? thCenter : A == taRightJustify ? thRight : thLeft;
}

// A white box with a sunken edge (lists and combo boxes); answers the area inside the edge.
TRect PaintWell(TCanvas& Canvas, const TControl& Control) {
  const TRect R = Rect(0, 0, Control.Width(), Control.Height());
  PaintFace(Canvas, Control, R);
  DrawEdge2(Canvas, R, false);
  return {R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2};
}

// A selected row: highlighted, its text in the selection's text colour.
void PaintRow(TCanvas& Canvas, const TRect& Row, const String& Text, bool Selected, TColor TextColor) {
  if (Selected) {
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clSelection);
    Canvas.FillRect(Row);
  }
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Selected ? clSelectionText : TextColor);
  Canvas.TextRect(Row, Text, thLeft, tvCenter);
}

}  // namespace

void TRadioButton::PaintTo(TCanvas& Canvas) {
  const TRect R = Rect(0, 0, Width(), Height());
  PaintFace(Canvas, *this, R);
  const bool BoxLeft = FAlignment == taRightJustify;
  const TRect Box =
      Bounds(BoxLeft ? 0 : R.Right - RadioSize, (R.Height() - RadioSize) / 2, RadioSize, RadioSize);
  Canvas.Pen()->SetColor(clShadow);
  Canvas.Brush()->SetColor(Enabled() ? clWindow : clFace);
  Canvas.Ellipse(Box);
  if (FChecked) {
    Canvas.Pen()->SetColor(clWindowText);
    Canvas.Brush()->SetColor(Enabled() ? clWindowText : clShadow);
    Canvas.Ellipse({Box.Left + 4, Box.Top + 4, Box.Right - 4, Box.Bottom - 4});
  }
  const TRect Text =
      BoxLeft ? TRect{Box.Right + 4, 0, R.Right, R.Bottom} : TRect{0, 0, Box.Left - 4, R.Bottom};
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(Enabled() ? Font()->Color() : clDisabledText);
  Canvas.TextRect(Text, StripAccelChars(Caption()), BoxLeft ? thLeft : thRight, tvCenter);
}

void TCustomGroupBox::Paint() {
  TCanvas& C = *Canvas();
  const TRect R = ClientRect();
  C.FillRect(R);
  const String Shown = StripAccelChars(Caption());
  const int32_t TextH = C.TextHeight(Shown.empty() ? String("0") : Shown);
  // An etched frame: a shaded line with a lit one inside it.
  const TRect Frame{R.Left, R.Top + TextH / 2, R.Right, R.Bottom};
  C.Brush()->SetColor(clShadow);
  C.FrameRect({Frame.Left, Frame.Top, Frame.Right - 1, Frame.Bottom - 1});
  C.Brush()->SetColor(clLight);
  C.FrameRect({Frame.Left + 1, Frame.Top + 1, Frame.Right, Frame.Bottom});
  if (Shown.empty()) return;
  const TRect Text = Bounds(R.Left + 8, R.Top, C.TextWidth(Shown) + 4, TextH);
  C.Brush()->SetColor(Color());
  C.FillRect(Text);
  C.Brush()->SetStyle(bsClear);
  C.Font()->SetColor(Enabled() ? Font()->Color() : clDisabledText);
  C.TextRect(Text, Shown, thCenter, tvTop);
}

void TCustomComboBox::PaintTo(TCanvas& Canvas) {
  const TRect Area = PaintWell(Canvas, *this);
  TRect TextArea = Area;
  if (FStyle != csSimple) {
    // The drop-down button: a raised face with a downward triangle of lines.
    const TRect Button{Area.Right - ArrowWidth, Area.Top, Area.Right, Area.Bottom};
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clFace);
    Canvas.FillRect(Button);
    DrawEdge2(Canvas, Button, true);
    Canvas.Pen()->SetColor(Enabled() ? clFaceText : clShadow);
    const int32_t MidX = (Button.Left + Button.Right) / 2;
    const int32_t Y = (Button.Top + Button.Bottom) / 2 - 2;
    for (int32_t D = 0; D < 4; ++D) {
      Canvas.MoveTo(MidX - 3 + D, Y + D);
      Canvas.LineTo(MidX + 4 - D, Y + D);
    }
    TextArea.Right = Button.Left;
  }
  TextArea.Left += 2;
  const bool Highlight = FStyle == csDropDownList && Focused();
  PaintRow(Canvas, TextArea, Text(), Highlight, Enabled() ? Font()->Color() : clDisabledText);
}

void TCustomListBox::PaintTo(TCanvas& Canvas) {
  const TRect Area = PaintWell(Canvas, *this);
  TCanvasStateScope Keep(Canvas);
  Canvas.IntersectClipRect(Area);
  const TColor TextColor = Enabled() ? Font()->Color() : clDisabledText;
  // Rows top to bottom; with Columns, column after column of equal width.
  const int32_t Rows = std::max(1, Area.Height() / FItemHeight);
  const int32_t ColumnWidth = FColumns > 0 ? std::max(1, Area.Width() / FColumns) : Area.Width();
  for (int32_t I = 0; I < Count(); ++I) {
    const int32_t Column = FColumns > 0 ? I / Rows : 0;
    const int32_t Row = FColumns > 0 ? I % Rows : I;
    const int32_t Top = Area.Top + Row * FItemHeight;
    if (Top >= Area.Bottom) {
      if (FColumns > 0) continue;
      break;
    }
    const int32_t Left = Area.Left + Column * ColumnWidth;
    if (Left >= Area.Right) break;
    const TRect RowRect{Left, Top, std::min(Left + ColumnWidth, Area.Right), Top + FItemHeight};
    PaintRow(Canvas, RowRect, FItems->Get(I), I == FItemIndex, TextColor);
  }
}

void TStatusBand::PaintTo(TCanvas& Canvas) {
  const TRect R = Rect(0, 0, Width(), Height());
  PaintFace(Canvas, *this, R);
  const TColor TextColor = Canvas.Font()->Color();
  const int32_t GripWidth = FSizeGrip ? Height() : 0;
  auto PaintSection = [&](const TRect& S, const String& Text, TAlignment Alignment, TBevelCut Bevel) {
    if (Bevel == bvLowered || Bevel == bvRaised) DrawEdge(Canvas, S, Bevel == bvRaised);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetColor(TextColor);
    Canvas.TextRect({S.Left + 2, S.Top + 1, S.Right - 2, S.Bottom - 1}, Text, HAlignOf(Alignment), tvCenter);
  };
  if (FShowSimpleText) {
    PaintSection({R.Left, R.Top + 2, R.Right - GripWidth, R.Bottom}, FSimpleText, taLeftJustify, bvNone);
  } else {
    int32_t X = R.Left;
    for (int I = 0; I < FSections->Count() && X < R.Right; ++I) {
      const TStatusSection* S = FSections->Items(I);
      const bool Last = I == FSections->Count() - 1;
      const int32_t Right = Last ? std::max(X, R.Right - GripWidth) : std::min(X + S->Width(), R.Right);
      PaintSection({X, R.Top + 2, Right, R.Bottom}, S->Text(), S->Alignment(), S->Bevel());
      X = Right + 2;
    }
  }
  if (!FSizeGrip) return;
  // Three pairs of diagonal strokes, shaded and lit, in the bottom-right corner.
  for (int32_t D = 4; D <= 12; D += 4) {
    Canvas.Pen()->SetColor(clShadow);
    Canvas.MoveTo(R.Right - D, R.Bottom - 1);
    Canvas.LineTo(R.Right, R.Bottom - D - 1);
    Canvas.Pen()->SetColor(clLight);
    Canvas.MoveTo(R.Right - D + 1, R.Bottom - 1);
    Canvas.LineTo(R.Right, R.Bottom - D);
  }
}

}  // namespace formwright::orx
