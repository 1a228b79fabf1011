#include "platform/orx/ExtCtrls.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCustomPanel, "Orx.ExtCtrls")
FW_REGISTER_CLASS(TPanel, "Orx.ExtCtrls")

// ----- Panels ---------------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks,
                   csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
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

}  // namespace formwright::orx
