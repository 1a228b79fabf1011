#include "platform/orx/Canvas.h"

#include "platform/orx/Pictures.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCanvas, "Orx.Graphics")
FW_REGISTER_CLASS(TRecordingCanvas, "Orx.Graphics")

const IFontMetrics& FixedFontMetrics() noexcept {
  static const TFixedFontMetrics Metrics;
  return Metrics;
}

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush), FMetrics(&FixedFontMetrics()) {
  FFont->SetOwner(this);
  FPen->SetOwner(this);
  FBrush->SetOwner(this);
}

TRect TCanvas::ToDevice(const TRect& R) const noexcept {
  return {R.Left + FOrigin.X, R.Top + FOrigin.Y, R.Right + FOrigin.X, R.Bottom + FOrigin.Y};
}

TRect TCanvas::ClipRect() const noexcept {
  return {FClip.Left - FOrigin.X, FClip.Top - FOrigin.Y, FClip.Right - FOrigin.X, FClip.Bottom - FOrigin.Y};
}

void TCanvas::SetClipRect(const TRect& R) noexcept { FClip = ToDevice(R); }

void TCanvas::IntersectClipRect(const TRect& R) noexcept {
  const TRect D = ToDevice(R);
  if (FClip.IsEmpty()) {
    FClip = D;
  } else {
    FClip = {std::max(FClip.Left, D.Left), std::max(FClip.Top, D.Top), std::min(FClip.Right, D.Right),
             std::min(FClip.Bottom, D.Bottom)};
    // An empty intersection clips everything: keep a one-pixel-wide rectangle outside the
    // device rather than the empty rectangle that means "no clipping".
    if (FClip.Right <= FClip.Left || FClip.Bottom <= FClip.Top) FClip = {-2, -2, -1, -1};
  }
}

void TCanvas::FillRect(const TRect& R) { DoFillRect(ToDevice(R)); }
void TCanvas::FrameRect(const TRect& R) { DoFrameRect(ToDevice(R)); }
void TCanvas::Rectangle(const TRect& R) { DoShape(TCanvasOpKind::Rectangle, ToDevice(R), 0, 0); }
void TCanvas::Ellipse(const TRect& R) { DoShape(TCanvasOpKind::Ellipse, ToDevice(R), 0, 0); }

void TCanvas::RoundRect(const TRect& R, int32_t CornerW, int32_t CornerH) {
  DoShape(TCanvasOpKind::RoundRect, ToDevice(R), CornerW, CornerH);
}

void TCanvas::MoveTo(int32_t X, int32_t Y) { FPenPos = {X, Y}; }

void TCanvas::LineTo(int32_t X, int32_t Y) {
  DoLine(ToDevice(FPenPos), ToDevice(TPoint{X, Y}));
  FPenPos = {X, Y};
}

void TCanvas::TextOut(int32_t X, int32_t Y, const String& Text) {
  DoText(TRect(), ToDevice(TPoint{X, Y}), Text, false);
  FPenPos = {X + TextWidth(Text), Y};
}

void TCanvas::TextRect(const TRect& R, int32_t X, int32_t Y, const String& Text) {
  DoText(ToDevice(R), ToDevice(TPoint{X, Y}), Text, true);
}

void TCanvas::TextRect(const TRect& R, const String& Text, TTextHAlign H, TTextVAlign V) {
  const TSize E = TextExtent(Text);
  const int32_t X = H == thLeft ? R.Left : H == thRight ? R.Right - E.cx : R.Left + (R.Width() - E.cx) / 2;
  const int32_t Y = V == tvTop ? R.Top : V == tvBottom ? R.Bottom - E.cy : R.Top + (R.Height() - E.cy) / 2;
  TextRect(R, X, Y, Text);
}

void TCanvas::Draw(int32_t X, int32_t Y, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  DoDraw(ToDevice(Bounds(X, Y, Graphic->Width(), Graphic->Height())), *Graphic, false);
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  DoDraw(ToDevice(R), *Graphic, true);
}

// ----- TCanvasStateScope ----------------------------------------------------------------------

TCanvasStateScope::TCanvasStateScope(TCanvas& Canvas)
    : FCanvas(Canvas),
      FFont(new TFont),
      FPen(new TPen),
      FBrush(new TBrush),
      FOrigin(Canvas.Origin()),
      FMode(Canvas.DrawMode()) {
  FFont->Assign(Canvas.Font());
  FPen->Assign(Canvas.Pen());
  FBrush->Assign(Canvas.Brush());
  FClip = Canvas.ClipRect();
}

TCanvasStateScope::~TCanvasStateScope() {
  FCanvas.SetOrigin(FOrigin);
  FCanvas.SetClipRect(FClip);
  FCanvas.SetDrawMode(FMode);
  FCanvas.SetFont(FFont.get());
  FCanvas.SetPen(FPen.get());
  FCanvas.SetBrush(FBrush.get());
}

// ----- TRecordingCanvas -----------------------------------------------------------------------

void TRecordingCanvas::Record(TCanvasOpKind Kind, const TRect& R, String Text) {
  FOps.push_back({Kind, R, std::move(Text), Pen()->Color(), Brush()->Color(), Brush()->Style(),
                  Font()->Color(), DrawMode()});
}

void TRecordingCanvas::DoFillRect(const TRect& R) { Record(TCanvasOpKind::FillRect, R); }
void TRecordingCanvas::DoFrameRect(const TRect& R) { Record(TCanvasOpKind::FrameRect, R); }

void TRecordingCanvas::DoShape(TCanvasOpKind Kind, const TRect& R, int32_t CornerW, int32_t CornerH) {
  Record(Kind, R, Kind == TCanvasOpKind::RoundRect ? IntToStr(CornerW) + "," + IntToStr(CornerH) : String());
}

void TRecordingCanvas::DoLine(TPoint From, TPoint To) {
  Record(TCanvasOpKind::LineTo, {From.X, From.Y, To.X, To.Y});
}

void TRecordingCanvas::DoText(const TRect& Clip, TPoint At, const String& Text, bool Clipped) {
  const TSize E = TextExtent(Text);
  TRect T = Bounds(At.X, At.Y, E.cx, E.cy);
  if (Clipped)
    T = {std::max(T.Left, Clip.Left), std::max(T.Top, Clip.Top), std::min(T.Right, Clip.Right),
         std::min(T.Bottom, Clip.Bottom)};
  Record(Clipped ? TCanvasOpKind::TextRect : TCanvasOpKind::TextOut, T, Text);
}

void TRecordingCanvas::DoDraw(const TRect& R, const TGraphic& Graphic, bool Stretched) {
  Record(Stretched ? TCanvasOpKind::StretchDraw : TCanvasOpKind::Draw, R, Graphic.ClassName());
}

}  // namespace formwright::orx
