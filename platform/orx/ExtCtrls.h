// Extended controls: panels (and, with the graphics classes, shapes and images).
#pragma once

#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

FW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)

// A container with bevels and an optional centred caption. Its children are laid out inside
// the border and the bevels.
class TCustomPanel : public TCustomControl {
  FW_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value) noexcept { FAlignment = Value; }
  TBevelCut BevelInner() const noexcept { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const noexcept { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int32_t BevelWidth() const noexcept { return FBevelWidth; }
  // Raises EInvalidArgument below 1; the width stays.
  void SetBevelWidth(int32_t Value);
  int32_t BorderWidth() const noexcept { return FBorderWidth; }
  // Raises EInvalidArgument below 0; the width stays.
  void SetBorderWidth(int32_t Value);
  bool ShowCaption() const noexcept { return FShowCaption; }
  void SetShowCaption(bool Value) noexcept { FShowCaption = Value; }
  // Insets the layout rectangle by the border and each bevel that is drawn.
  void AdjustClientRect(TRect& Rect) const override;
  int32_t TextBaseline() const override;

 private:
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int32_t FBevelWidth = 1;
  int32_t FBorderWidth = 0;
  bool FShowCaption = true;
};

class TPanel : public TCustomPanel {
  FW_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  static void DeclarePublished(TClassBuilder<TPanel>& C);
};

}  // namespace formwright::orx
