#include "platform/orx/Canvas.h"

#include "platform/orx/Pictures.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCanvas, "Orx.Graphics")

TCanvas::TCanvas() : FFont(new TFont), FPen(new TPen), FBrush(new TBrush) {
  FFont->SetOwner(this);
  FPen->SetOwner(this);
  FBrush->SetOwner(this);
}

void TCanvas::Record(TCanvasOpKind Kind, const TRect& R, String Text) {
  FOps.push_back({Kind, R, std::move(Text), FPen->Color(), FBrush->Color(), FBrush->Style(), FFont->Color()});
}

void TCanvas::RoundRect(const TRect& R, int32_t CornerW, int32_t CornerH) {
  Record(TCanvasOpKind::RoundRect, R, IntToStr(CornerW) + "," + IntToStr(CornerH));
}

void TCanvas::MoveTo(int32_t X, int32_t Y) {
  FPenPos = {X, Y};
  Record(TCanvasOpKind::MoveTo, Rect(X, Y, X + 1, Y + 1));
}

void TCanvas::LineTo(int32_t X, int32_t Y) {
  Record(TCanvasOpKind::LineTo, Rect(FPenPos.X, FPenPos.Y, X, Y));
  FPenPos = {X, Y};
}

void TCanvas::TextOut(int32_t X, int32_t Y, const String& Text) {
  const TSize E = TextExtent(Text);
  Record(TCanvasOpKind::TextOut, Bounds(X, Y, E.cx, E.cy), Text);
  FPenPos = {X + E.cx, Y};
}

void TCanvas::TextRect(const TRect& R, int32_t X, int32_t Y, const String& Text) {
  const TSize E = TextExtent(Text);
  TRect T = Bounds(X, Y, E.cx, E.cy);
  T = {std::max(T.Left, R.Left), std::max(T.Top, R.Top), std::min(T.Right, R.Right),
       std::min(T.Bottom, R.Bottom)};
  Record(TCanvasOpKind::TextRect, T, Text);
}

void TCanvas::Draw(int32_t X, int32_t Y, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Record(TCanvasOpKind::Draw, Bounds(X, Y, Graphic->Width(), Graphic->Height()), Graphic->ClassName());
}

void TCanvas::StretchDraw(const TRect& R, const TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Record(TCanvasOpKind::StretchDraw, R, Graphic->ClassName());
}

}  // namespace formwright::orx
