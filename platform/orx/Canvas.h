// The canvas of the headless framework: it draws nothing, it records. Every drawing call is
// kept as an operation (with the pen, brush and font colours of the moment), so painting code
// can be tested by what it asked for, and text is measured with the framework's metrics.
#pragma once

#include <vector>

#include "platform/orx/Graphics.h"

namespace formwright::orx {

class TGraphic;

enum class TCanvasOpKind : uint8_t {
  FillRect,
  FrameRect,
  Rectangle,
  Ellipse,
  RoundRect,
  MoveTo,
  LineTo,
  TextOut,
  TextRect,
  Draw,
  StretchDraw
};

// One recorded drawing call. `Rect` is the target rectangle (for points: the point and the
// point plus one), `Text` the text drawn or the class name of a graphic.
struct TCanvasOp {
  TCanvasOpKind Kind;
  TRect Rect;
  String Text;
  TColor PenColor;
  TColor BrushColor;
  TBrushStyle BrushStyle;
  TColor FontColor;
};

class TCanvas : public TPersistent {
  FW_CLASS(TCanvas, TPersistent)
 public:
  TCanvas();
  TFont* Font() const noexcept { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPen* Pen() const noexcept { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const noexcept { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TPoint PenPos() const noexcept { return FPenPos; }
  // Drawing outside the clip rectangle is still recorded; painters use it to know their area.
  TRect ClipRect() const noexcept { return FClipRect; }
  void SetClipRect(const TRect& R) noexcept { FClipRect = R; }

  void FillRect(const TRect& R) { Record(TCanvasOpKind::FillRect, R); }
  void FrameRect(const TRect& R) { Record(TCanvasOpKind::FrameRect, R); }
  void Rectangle(const TRect& R) { Record(TCanvasOpKind::Rectangle, R); }
  void Ellipse(const TRect& R) { Record(TCanvasOpKind::Ellipse, R); }
  void RoundRect(const TRect& R, int32_t CornerW, int32_t CornerH);
  void MoveTo(int32_t X, int32_t Y);
  void LineTo(int32_t X, int32_t Y);
  void TextOut(int32_t X, int32_t Y, const String& Text);
  // Text at (X, Y) clipped to R.
  void TextRect(const TRect& R, int32_t X, int32_t Y, const String& Text);
  // Draws a graphic at its own size / stretched into R (nothing for null or empty graphics).
  void Draw(int32_t X, int32_t Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& R, const TGraphic* Graphic);

  TSize TextExtent(const String& Text) const { return orx::TextExtent(*FFont, Text); }
  int32_t TextWidth(const String& Text) const { return TextExtent(Text).cx; }
  int32_t TextHeight(const String& Text) const { return TextExtent(Text).cy; }

  const std::vector<TCanvasOp>& Operations() const noexcept { return FOps; }
  void ClearOperations() noexcept { FOps.clear(); }

 private:
  void Record(TCanvasOpKind Kind, const TRect& R, String Text = String());
  TOwned<TFont> FFont;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
  TPoint FPenPos;
  TRect FClipRect;
  std::vector<TCanvasOp> FOps;
};

}  // namespace formwright::orx
