// Extended controls: panels (and, with the graphics classes, shapes and images).
#pragma once

#include "platform/orx/Pictures.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

FW_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
FW_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

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

 protected:
  // The face, the bevels and the caption.
  void Paint() override;

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

// A geometric shape drawn with its pen and brush.
class TShape : public TGraphicControl {
  FW_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TShape>& C);
  TShapeType Shape() const noexcept { return FShape; }
  void SetShape(TShapeType Value) noexcept { FShape = Value; }
  TPen* Pen() const noexcept { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const noexcept { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  // The rectangle the outline is drawn in: inset by half the pen width, squared for the
  // square and circle shapes (centred).
  TRect ShapeRect() const noexcept;

 protected:
  void Paint() override;

 private:
  TShapeType FShape = stRectangle;
  TOwned<TPen> FPen;
  TOwned<TBrush> FBrush;
};

// A control that shows a picture at its own size, centred, stretched or scaled keeping its
// proportions. With AutoSize it takes the picture's size.
class TImage : public TGraphicControl {
  FW_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TImage>& C);
  TPicture* Picture() const noexcept { return FPicture.get(); }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Center() const noexcept { return FCenter; }
  void SetCenter(bool Value) noexcept { FCenter = Value; }
  bool Stretch() const noexcept { return FStretch; }
  void SetStretch(bool Value) noexcept { FStretch = Value; }
  bool Proportional() const noexcept { return FProportional; }
  void SetProportional(bool Value) noexcept { FProportional = Value; }
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool Value) noexcept { FTransparent = Value; }
  // Where the picture is drawn in the client area.
  TRect DestRect() const noexcept;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  TOwned<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
  bool FTransparent = false;
};

// A control that its OnPaint handler draws.
class TPaintBox : public TGraphicControl {
  FW_CLASS(TPaintBox, TGraphicControl)
 public:
  explicit TPaintBox(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TPaintBox>& C);
  TNotifyEvent FOnPaint;

 protected:
  void Paint() override;
};

}  // namespace formwright::orx
