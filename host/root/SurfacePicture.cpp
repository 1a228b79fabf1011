#include "host/root/SurfacePicture.h"

#include <algorithm>

#include "platform/orx/BitmapCanvas.h"
#include "platform/orx/ControlPaint.h"
#include "platform/orx/Forms.h"

namespace formwright {

namespace {

using namespace orx;

constexpr int32_t HandleSize = 5;

// A component's rectangle in the picture: a control's bounds through its parents, an icon's box.
TRect PlaceOf(TComponent* C, TComponent* Root) {
  const TPoint Client = As<TControl>(Root) ? ClientOffset(As<TControl>(Root)) : TPoint{};
  auto* Ctl = As<TControl>(C);
  if (!Ctl) {
    const TPoint P = DesignInfoPosition(C->DesignInfo());
    return Bounds(Client.X + P.X, Client.Y + P.Y, ComponentIconSize, ComponentIconSize);
  }
  if (C == Root) return Rect(0, 0, Ctl->Width(), Ctl->Height());
  TRect R = Bounds(Ctl->Left(), Ctl->Top(), Ctl->Width(), Ctl->Height());
  for (TWinControl* P = Ctl->Parent(); P && P != Root; P = P->Parent()) {
    const TPoint O = ClientOffset(P);
    R.Offset(P->Left() + O.X, P->Top() + O.Y);
  }
  R.Offset(Client.X, Client.Y);
  return R;
}

// The designer's grab handles around R: eight black squares for one selected component, the
// four corners in grey for each of several.
void PaintHandles(TCanvas& Canvas, const TRect& R, bool Single) {
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(Single ? clBlack : clGray);
  const int32_t Xs[] = {R.Left, (R.Left + R.Right) / 2, R.Right - 1};
  const int32_t Ys[] = {R.Top, (R.Top + R.Bottom) / 2, R.Bottom - 1};
  for (int I = 0; I < 3; ++I)
    for (int J = 0; J < 3; ++J) {
      if (I == 1 && J == 1) continue;
      if (!Single && (I == 1 || J == 1)) continue;
      Canvas.FillRect(Bounds(Xs[I] - HandleSize / 2, Ys[J] - HandleSize / 2, HandleSize, HandleSize));
    }
}

// The grid's dots over a container's client area, every grid step from its top-left corner.
void PaintGrid(TCanvas& Canvas, TWinControl* Control, const TDesignerOptions& Options) {
  if (!Control->ControlStyle().Contains(csAcceptsControls)) return;
  const TRect Area = Control->ClientRect();
  Canvas.Brush()->SetStyle(bsSolid);
  Canvas.Brush()->SetColor(clBlack);
  for (int32_t Y = 0; Y < Area.Bottom; Y += std::max(Options.GridSizeY, 2))
    for (int32_t X = 0; X < Area.Right; X += std::max(Options.GridSizeX, 2))
      Canvas.FillRect(Bounds(X, Y, 1, 1));
}

}  // namespace

void PaintModulePicture(TBitmap& Picture, TComponent* Root, const TSurfacePicture& How) {
  auto* Form = As<TControl>(Root);
  auto* Module = As<TDataModule>(Root);
  const TSize Size = Form     ? TSize{Form->Width(), Form->Height()}
                     : Module ? TSize{Module->DesignSize().X, Module->DesignSize().Y}
                              : TSize{};
  if (Size.cx <= 0 || Size.cy <= 0)
    throw Exception(Format("%s has no area to render (%d x %d)", Root->Name(), Size.cx, Size.cy));
  const int32_t Scale = std::max(How.Scale, 1);
  Picture.SetSize(Size.cx * Scale, Size.cy * Scale);
  TBitmapCanvas Canvas(Picture, Scale);
  const TDesignerOptions& Options = How.Options;
  if (Form) {
    PaintControl(Canvas, Form, [&](TCanvas& C, TWinControl* Control) {
      if (Options.DisplayGrid) PaintGrid(C, Control, Options);
    });
  } else {
    Canvas.Brush()->SetColor(clWindow);
    Canvas.FillRect(Rect(0, 0, Size.cx, Size.cy));
  }
  if (Options.ShowNonVisualComponents) {
    const TPoint Client = Form ? ClientOffset(Form) : TPoint{};
    Root->GetChildren(
        [&](TComponent* C) {
          if (As<TControl>(C)) return;
          const TPoint P = DesignInfoPosition(C->DesignInfo());
          PaintComponentIcon(Canvas, C, Client.X + P.X, Client.Y + P.Y, Options.ShowComponentCaptions);
        },
        Root);
  }
  for (TComponent* C : How.Selection) PaintHandles(Canvas, PlaceOf(C, Root), How.Selection.size() == 1);
  Canvas.Flush();
}

void XorDragImage(TBitmap& Picture, IOrxDragImage& Image, TPoint At, int32_t Scale) {
  const TSize Size = Image.GetSize();
  if (Size.cx <= 0 || Size.cy <= 0 || Picture.Empty()) return;
  TBitmap Shot;
  Shot.SetSize(Size.cx * Scale, Size.cy * Scale);
  {
    TBitmapCanvas Canvas(Shot, Scale);
    Canvas.Brush()->SetColor(clWhite);
    Canvas.FillRect(Rect(0, 0, Size.cx, Size.cy));
    Image.PaintImage(Canvas);
  }
  constexpr uint32_t White = 0xFFFFFF;
  const std::vector<uint32_t>& From = Shot.Pixels();
  std::vector<uint32_t>& To = Picture.Pixels();
  const int32_t W = Picture.Width(), H = Picture.Height(), SW = Shot.Width();
  for (int32_t Y = 0; Y < Shot.Height(); ++Y) {
    const int32_t PY = At.Y * Scale + Y;
    if (PY < 0 || PY >= H) continue;
    for (int32_t X = 0; X < SW; ++X) {
      const int32_t PX = At.X * Scale + X;
      if (PX < 0 || PX >= W) continue;
      To[static_cast<size_t>(PY * W + PX)] ^= (From[static_cast<size_t>(Y * SW + X)] ^ White) & White;
    }
  }
  Picture.PixelsChanged();
}

}  // namespace formwright
