// The alignment guidelines of our controls: the edges and margins of every control, the
// paddings of controls that hold others, a form's padding, and the text baselines of the
// controls that show a line of text. Positions are reported in the client coordinates of the
// container the guidelines were initialised with.
#pragma once

#include "editors/ComponentGuidelines.h"
#include "platform/orx/Controls.h"

namespace formwright {

// The 8 guidelines of a control: its edges (gtAlignLeft, gtAlignTop, gtAlignRight, gtAlignBottom)
// and its margins (gtMarginLeft, gtMarginTop, gtMarginRight, gtMarginBottom), in that order.
// Right and bottom edges lie on the control's last pixel (W − 1, H − 1); right and bottom
// margins lie its margin beyond the first pixel outside it (W + M). The client delta
// (orx::ClientDelta) moves each edge to where the control's window shows it; it is computed
// again whenever the control's bounds changed. A component that is no control has none.
class TControlGuidelines : public TComponentGuidelines {
  FW_CLASS(TControlGuidelines, TComponentGuidelines)
 public:
  using TComponentGuidelines::TComponentGuidelines;
  static void DeclarePublished(TClassBuilder<TControlGuidelines>& C);
  void Initialize(TComponent* AComponent, TComponent* AContainer) override;
  int GetCount() override { return FControl ? 8 : 0; }
  TDesignerGuideType GetDesignerGuideType(int Index) override;

  orx::TControl* Control() const noexcept { return FControl; }
  // The client delta in use (see orx::ClientDelta).
  TRect ClientDelta();

 protected:
  int GetRawOffset(int Index) override;
  int CalcHorzPos(int Offset) override { return Origin().X + Offset; }
  int CalcVertPos(int Offset) override { return Origin().Y + Offset; }
  // The control's top-left corner in the container's client coordinates.
  TPoint Origin() const;

  orx::TControl* FControl = nullptr;

 private:
  TRect FDelta;
  TRect FDeltaBounds;
};

// A control that holds others (it accepts controls, or is a frame) adds its padding guidelines
// (indices 8 to 11: gtPaddingLeft, gtPaddingTop, gtPaddingRight, gtPaddingBottom): its client
// area's edges moved inward by its padding.
class TWinControlGuidelines : public TControlGuidelines {
  FW_CLASS(TWinControlGuidelines, TControlGuidelines)
 public:
  using TControlGuidelines::TControlGuidelines;
  static void DeclarePublished(TClassBuilder<TWinControlGuidelines>& C);
  int GetCount() override;
  TDesignerGuideType GetDesignerGuideType(int Index) override;

 protected:
  int GetRawOffset(int Index) override;
  // True when the control shows padding guidelines.
  virtual bool HasPadding();
};

// A form: always its padding guidelines (a form holds controls whatever its style says).
class TCustomFormGuidelines : public TWinControlGuidelines {
  FW_CLASS(TCustomFormGuidelines, TWinControlGuidelines)
 public:
  using TWinControlGuidelines::TWinControlGuidelines;
  static void DeclarePublished(TClassBuilder<TCustomFormGuidelines>& C);

 protected:
  bool HasPadding() override { return FControl != nullptr; }
};

// A control that shows a line of text (label, edit, memo, button, check box, panel caption):
// the guidelines of its kind of control, then one gtBaseline where the first line's baseline
// lies (orx::TextBaseline); none when it shows no text.
class TTextControlGuidelines : public TWinControlGuidelines {
  FW_CLASS(TTextControlGuidelines, TWinControlGuidelines)
 public:
  using TWinControlGuidelines::TWinControlGuidelines;
  static void DeclarePublished(TClassBuilder<TTextControlGuidelines>& C);
  int GetCount() override;
  TDesignerGuideType GetDesignerGuideType(int Index) override;

 protected:
  int GetRawOffset(int Index) override;
};

// Registers the guidelines of our framework's controls (controls, windowed controls, forms and
// the text controls) in the current editor group.
void RegisterOrxGuidelines();

}  // namespace formwright
