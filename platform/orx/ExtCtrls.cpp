#include "platform/orx/ExtCtrls.h"

#include <algorithm>

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCustomPanel, "Orx.ExtCtrls")
FW_REGISTER_CLASS(TPanel, "Orx.ExtCtrls")
FW_REGISTER_CLASS(TShape, "Orx.ExtCtrls")
FW_REGISTER_CLASS(TImage, "Orx.ExtCtrls")
FW_REGISTER_CLASS(TPaintBox, "Orx.ExtCtrls")

// ----- Panels ---------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clFace);
}

void TPanel::DeclarePublished(TClassBuilder<TPanel>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment).Default(taCenter);
  C.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner).Default(bvNone);
  C.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter).Default(bvRaised);
  C.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
  C.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
  C.Property("Caption", &TPanel::Caption, &TPanel::SetCaption)
      .As<TCaption>()
      .Stored(&TPanel::IsCaptionStored);
  C.Property("ShowCaption", &TPanel::ShowCaption, &TPanel::SetShowCaption).Default(true);
  C.Property("OnResize", &TControl::FOnResize, &TControl::FOnResize);
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
}

void TCustomPanel::SetBevelWidth(int32_t Value) {
  if (Value < 1) throw EInvalidArgument(Format(SOutOfRange, 1, INT32_MAX));
  FBevelWidth = Value;
  Realign();
}

void TCustomPanel::SetBorderWidth(int32_t Value) {
  if (Value < 0) throw EInvalidArgument(Format(SOutOfRange, 0, INT32_MAX));
  FBorderWidth = Value;
  Realign();
}

void TCustomPanel::AdjustClientRect(TRect& R) const {
  int32_t Inset = FBorderWidth;
  if (FBevelOuter != bvNone) Inset += FBevelWidth;
  if (FBevelInner != bvNone) Inset += FBevelWidth;
  R = {R.Left + Inset, R.Top + Inset, R.Right - Inset, R.Bottom - Inset};
}

int32_t TCustomPanel::TextBaseline() const {
  const TTextMetric M = GetTextMetric(*Font());
  return (Height() - M.Height()) / 2 + M.Ascent;
}

// ----- Shapes ---------------------------------------------------------------------------------

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner), FPen(new TPen), FBrush(new TBrush) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable} - TControlStyle{csSetCaption});
  SetBounds(0, 0, 65, 65);
  FPen->SetOwner(this);
  FBrush->SetOwner(this);
}

void TShape::DeclarePublished(TClassBuilder<TShape>& C) {
  PublishLayout(C);
  PublishMouseEvents(C);
  C.Property("Brush", &TShape::Brush, &TShape::SetBrush);
  C.Property("Pen", &TShape::Pen, &TShape::SetPen);
  C.Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle);
  C.Property("ParentShowHint", &TShape::ParentShowHint, &TShape::SetParentShowHint).Default(true);
  C.Property("ShowHint", &TShape::ShowHint, &TShape::SetShowHint).Stored(&TShape::IsShowHintStored);
}

TRect TShape::ShapeRect() const noexcept {
  const int32_t Half = FPen->Width() / 2;
  int32_t W = Width() - FPen->Width() + 1, H = Height() - FPen->Width() + 1;
  int32_t X = Half, Y = Half;
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    const int32_t S = std::min(W, H);
    X += (W - S) / 2;
    Y += (H - S) / 2;
    W = H = S;
  }
  return Bounds(X, Y, std::max(W, 0), std::max(H, 0));
}

void TShape::Paint() {
  Canvas()->SetPen(FPen.get());
  Canvas()->SetBrush(FBrush.get());
  const TRect R = ShapeRect();
  const int32_t Corner = std::min(R.Width(), R.Height()) / 4;
  switch (FShape) {
    case stRectangle:
    case stSquare:
      Canvas()->Rectangle(R);
      break;
    case stRoundRect:
    case stRoundSquare:
      Canvas()->RoundRect(R, Corner, Corner);
      break;
    case stEllipse:
    case stCircle:
      Canvas()->Ellipse(R);
      break;
  }
}

// ----- Images ---------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(new TPicture) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable} - TControlStyle{csSetCaption});
  SetBounds(0, 0, 105, 105);
  FPicture->SetOwner(this);
  FPicture->OnChange = [this](TPicture*) { PictureChanged(); };
}

void TImage::DeclarePublished(TClassBuilder<TImage>& C) {
  PublishLayout(C);
  PublishMouseEvents(C);
  C.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
  C.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  C.Property("Picture", &TImage::Picture, &TImage::SetPicture);
  C.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
  C.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  C.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
}

TRect TImage::DestRect() const noexcept {
  int32_t W = FPicture->Width(), H = FPicture->Height();
  const int32_t CW = ClientWidth(), CH = ClientHeight();
  if (FStretch || (FProportional && (W > CW || H > CH))) {
    if (FProportional && W > 0 && H > 0) {
      // Scaled to fit, keeping the aspect ratio.
      if (W > H) {
        H = static_cast<int32_t>(int64_t(H) * CW / W);
        W = CW;
        if (H > CH) {
          W = static_cast<int32_t>(int64_t(FPicture->Width()) * CH / FPicture->Height());
          H = CH;
        }
      } else {
        W = static_cast<int32_t>(int64_t(W) * CH / H);
        H = CH;
        if (W > CW) {
          H = static_cast<int32_t>(int64_t(FPicture->Height()) * CW / FPicture->Width());
          W = CW;
        }
      }
    } else {
      W = CW;
      H = CH;
    }
  }
  TRect R = Rect(0, 0, W, H);
  if (FCenter) R.Offset((CW - W) / 2, (CH - H) / 2);
  return R;
}

void TImage::Paint() {
  TGraphic* G = FPicture->Graphic();
  if (!G || G->Empty()) {
    // An empty image shows its outline while it is designed.
    if (ComponentState().Contains(csDesigning)) Canvas()->FrameRect(ClientRect());
    return;
  }
  const TRect R = DestRect();
  if (R.Width() == G->Width() && R.Height() == G->Height())
    Canvas()->Draw(R.Left, R.Top, G);
  else
    Canvas()->StretchDraw(R, G);
}

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csReplicatable} - TControlStyle{csSetCaption});
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::DeclarePublished(TClassBuilder<TPaintBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, true);
  PublishMouseEvents(C);
  C.Property("OnPaint", &TPaintBox::FOnPaint);
}

void TPaintBox::Paint() {
  if (ComponentState().Contains(csDesigning)) Canvas()->FrameRect(ClientRect());
  if (CanFire() && FOnPaint) FOnPaint(this);
}

}  // namespace formwright::orx
