// The canvas of the framework: where controls, property editors and the designer draw. A
// canvas keeps the drawing state (pen, brush, font, origin, clip rectangle, mode) and hands
// each primitive, in device coordinates, to its back end: the recording canvas keeps them as a
// list that tests inspect, the bitmap canvas (BitmapCanvas.h) puts real pixels in a bitmap.
#pragma once

#include <vector>

#include "platform/orx/FontMetrics.h"

namespace formwright::orx {

class TGraphic;

// How primitives meet the pixels under them: painted over, or combined by exclusive-or with
// the pen (lines, frames) or brush (fills) colour, so that drawing the same twice restores
// what was there (rubber bands, drag boxes).
FW_ENUM(TDrawMode, dmCopy, dmXor)

// The kinds of primitive a back end receives (and the recording canvas keeps).
enum class TCanvasOpKind : uint8_t {
  FillRect,
  FrameRect,
  Rectangle,
  Ellipse,
  RoundRect,
  LineTo,
  TextOut,
  TextRect,
  Draw,
  StretchDraw
};

// Where text goes in a rectangle (TextRect with a format).
FW_ENUM(TTextHAlign, thLeft, thCenter, thRight)
FW_ENUM(TTextVAlign, tvTop, tvCenter, tvBottom)

// A canvas. Coordinates are relative to the origin; drawing outside the clip rectangle is
// clipped by pixel back ends (the recording canvas keeps the call and clips only texts in a
// rectangle). Text is measured by the canvas's font metrics.
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
  TDrawMode DrawMode() const noexcept { return FMode; }
  void SetDrawMode(TDrawMode Value) noexcept { FMode = Value; }
  // The device point that coordinate (0, 0) stands for.
  TPoint Origin() const noexcept { return FOrigin; }
  void SetOrigin(TPoint Value) noexcept { FOrigin = Value; }
  // The clip rectangle in the coordinates of the current origin. An empty rectangle at the
  // start: no clipping.
  TRect ClipRect() const noexcept;
  void SetClipRect(const TRect& R) noexcept;
  // Narrows the clip rectangle to its intersection with R.
  void IntersectClipRect(const TRect& R) noexcept;

  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  // Filled with the brush, outlined with the pen.
  void Rectangle(const TRect& R);
  void Ellipse(const TRect& R);
  void RoundRect(const TRect& R, int32_t CornerW, int32_t CornerH);
  void MoveTo(int32_t X, int32_t Y);
  // A line from the pen position to (X, Y), the end point excluded.
  void LineTo(int32_t X, int32_t Y);
  // Text with its top-left corner at (X, Y), over the brush unless the brush is clear.
  void TextOut(int32_t X, int32_t Y, const String& Text);
  // Text at (X, Y) clipped to R.
  void TextRect(const TRect& R, int32_t X, int32_t Y, const String& Text);
  // Text placed in R as H and V say, clipped to R.
  void TextRect(const TRect& R, const String& Text, TTextHAlign H, TTextVAlign V = tvCenter);
  // Draws a graphic at its own size / stretched into R (nothing for null or empty graphics).
  void Draw(int32_t X, int32_t Y, const TGraphic* Graphic);
  void StretchDraw(const TRect& R, const TGraphic* Graphic);

  TSize TextExtent(const String& Text) const { return FMetrics->TextExtent(*FFont, Text); }
  int32_t TextWidth(const String& Text) const { return TextExtent(Text).cx; }
  int32_t TextHeight(const String& Text) const { return TextExtent(Text).cy; }
  // The metrics the canvas measures text with; the fixed metrics unless a back end or its
  // user gives others. The canvas does not own them.
  const IFontMetrics& FontMetrics() const noexcept { return *FMetrics; }
  void SetFontMetrics(const IFontMetrics& Value) noexcept { FMetrics = &Value; }

 protected:
  // The back end's primitives, in device coordinates, with the state of the canvas. `Fill`
  // says whether the shape is filled with the brush, `Outline` whether the pen draws it.
  virtual void DoFillRect(const TRect& R) = 0;
  virtual void DoFrameRect(const TRect& R) = 0;
  virtual void DoShape(TCanvasOpKind Kind, const TRect& R, int32_t CornerW, int32_t CornerH) = 0;
  virtual void DoLine(TPoint From, TPoint To) = 0;
  virtual void DoText(const TRect& Clip, TPoint At, const String& Text, bool Clipped) = 0;
  virtual void DoDraw(const TRect& R, const TGraphic& Graphic, bool Stretched) = 0;
  // The clip rectangle in device coordinates (empty: none).
  TRect DeviceClip() const noexcept { return FClip; }
  TRect ToDevice(const TRect& R) const noexcept;
  TPoint ToDevice(TPoint P) const noexcept { return {P.X + FOrigin.X, P.Y + FOrigin.Y}; }

 private:
  TOwned<TFont> FFont;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
  TPoint FPenPos;
  TPoint FOrigin;
  TRect FClip;
  TDrawMode FMode = dmCopy;
  const IFontMetrics* FMetrics;
};

// Keeps a canvas's state (pen, brush, font, origin, clip rectangle, mode) for a scope and puts
// it back when the scope ends: a painter of children uses it around each child.
class TCanvasStateScope {
 public:
  explicit TCanvasStateScope(TCanvas& Canvas);
  ~TCanvasStateScope();
  TCanvasStateScope(const TCanvasStateScope&) = delete;
  TCanvasStateScope& operator=(const TCanvasStateScope&) = delete;

 private:
  TCanvas& FCanvas;
  TOwned<TFont> FFont;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
  TPoint FOrigin;
  TRect FClip;
  TDrawMode FMode;
};

// One recorded drawing call. `Rect` is the target rectangle in device coordinates (for lines:
// from the start point to the end point), `Text` the text drawn or the class name of a graphic.
struct TCanvasOp {
  TCanvasOpKind Kind;
  TRect Rect;
  String Text;
  TColor PenColor;
  TColor BrushColor;
  TBrushStyle BrushStyle;
  TColor FontColor;
  TDrawMode Mode;
};

// The recording canvas: draws nothing, keeps every primitive with the colours of the moment.
// Painting code is tested by what it asked for.
class TRecordingCanvas : public TCanvas {
  FW_CLASS(TRecordingCanvas, TCanvas)
 public:
  TRecordingCanvas() = default;
  const std::vector<TCanvasOp>& Operations() const noexcept { return FOps; }
  void ClearOperations() noexcept { FOps.clear(); }

 protected:
  void DoFillRect(const TRect& R) override;
  void DoFrameRect(const TRect& R) override;
  void DoShape(TCanvasOpKind Kind, const TRect& R, int32_t CornerW, int32_t CornerH) override;
  void DoLine(TPoint From, TPoint To) override;
  void DoText(const TRect& Clip, TPoint At, const String& Text, bool Clipped) override;
  void DoDraw(const TRect& R, const TGraphic& Graphic, bool Stretched) override;

 private:
  void Record(TCanvasOpKind Kind, const TRect& R, String Text = String());
  std::vector<TCanvasOp> FOps;
};

}  // namespace formwright::orx
