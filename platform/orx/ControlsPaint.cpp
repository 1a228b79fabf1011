// Painting of the framework's controls on a canvas: the state a paint starts from, the base
// controls' own painting and the canvases of the controls that paint themselves.
#include "platform/orx/Canvas.h"
#include "platform/orx/Controls.h"
#include "platform/runtime/Scoped.h"

namespace formwright::orx {

// ----- TGraphicControl, TCustomControl --------------------------------------------------------

namespace {

// The state Paint starts from on a canvas given to PaintTo: the control's font and colour,
// clipped to its client area within the clip the canvas already has.
void PaintOn(TCanvas& Canvas, const TControl& Control) {
  Canvas.SetFont(Control.Font());
  Canvas.Brush()->SetColor(Control.Color());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.IntersectClipRect(Control.ClientRect());
}

}  // namespace

void PrepareCanvas(TCanvas* Canvas, const TControl* Control) {
  Canvas->SetClipRect(TRect());
  PaintOn(*Canvas, *Control);
}

void TControl::PaintTo(TCanvas&) {}

void TWinControl::PaintTo(TCanvas& Canvas) {
  Canvas.Brush()->SetColor(Color());
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.FillRect(ClientRect());
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TCanvas* TGraphicControl::Canvas() const { return FPaintCanvas ? FPaintCanvas : Recording(); }

void TGraphicControl::Repaint() {
  TRecordingCanvas* Own = Recording();
  Own->ClearOperations();
  PrepareCanvas(Own, this);
  Paint();
}

void TGraphicControl::PaintTo(TCanvas& Canvas) {
  TValueScope<TCanvas*> Painting(FPaintCanvas, &Canvas);
  PaintOn(Canvas, *this);
  Paint();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCanvas* TCustomControl::Canvas() const { return FPaintCanvas ? FPaintCanvas : Recording(); }

void TCustomControl::Repaint() {
  TRecordingCanvas* Own = Recording();
  Own->ClearOperations();
  PrepareCanvas(Own, this);
  Paint();
}

void TCustomControl::PaintTo(TCanvas& Canvas) {
  TValueScope<TCanvas*> Painting(FPaintCanvas, &Canvas);
  PaintOn(Canvas, *this);
  Paint();
}

}  // namespace formwright::orx
