#include "formdesigner/ControlGuidelines.h"

#include "platform/orx/ExtCtrls.h"
#include "platform/orx/Forms.h"
#include "platform/orx/GuideMetrics.h"
#include "platform/orx/StdCtrls.h"

namespace formwright {

using orx::TControl;
using orx::TWinControl;

FW_REGISTER_CLASS(TControlGuidelines, "FormDesigner")
FW_REGISTER_CLASS(TWinControlGuidelines, "FormDesigner")
FW_REGISTER_CLASS(TCustomFormGuidelines, "FormDesigner")
FW_REGISTER_CLASS(TTextControlGuidelines, "FormDesigner")

void TControlGuidelines::DeclarePublished(TClassBuilder<TControlGuidelines>& C) { DeclareEditorFactory(C); }
void TWinControlGuidelines::DeclarePublished(TClassBuilder<TWinControlGuidelines>& C) {
  DeclareEditorFactory(C);
}
void TCustomFormGuidelines::DeclarePublished(TClassBuilder<TCustomFormGuidelines>& C) {
  DeclareEditorFactory(C);
}
void TTextControlGuidelines::DeclarePublished(TClassBuilder<TTextControlGuidelines>& C) {
  DeclareEditorFactory(C);
}

namespace {

constexpr TDesignerGuideType EdgeKinds[] = {gtAlignLeft,  gtAlignTop,  gtAlignRight,  gtAlignBottom,
                                            gtMarginLeft, gtMarginTop, gtMarginRight, gtMarginBottom};
constexpr TDesignerGuideType PaddingKinds[] = {gtPaddingLeft, gtPaddingTop, gtPaddingRight, gtPaddingBottom};

// Where the top-left corner of `Control`'s bounds is on the screen.
TPoint BoundsOnScreen(const TControl& Control) {
  const TPoint P{Control.Left(), Control.Top()};
  return Control.Parent() ? Control.Parent()->ClientToScreen(P) : P;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TControlGuidelines

void TControlGuidelines::Initialize(TComponent* AComponent, TComponent* AContainer) {
  TComponentGuidelines::Initialize(AComponent, AContainer);
  FControl = dynamic_cast<TControl*>(AComponent);
  if (FControl) ClientDelta();
}

TRect TControlGuidelines::ClientDelta() {
  if (FControl && FControl->BoundsRect() != FDeltaBounds) {
    FDeltaBounds = FControl->BoundsRect();
    FDelta = orx::ClientDelta(*FControl);
  }
  return FDelta;
}

TDesignerGuideType TControlGuidelines::GetDesignerGuideType(int Index) {
  return Index >= 0 && Index < 8 ? EdgeKinds[Index] : gtAlignLeft;
}

int TControlGuidelines::GetRawOffset(int Index) {
  if (!FControl || Index < 0 || Index >= 8) return NoGuideline;
  const TRect D = ClientDelta();
  const orx::TEdgeWidths M = FControl->MarginWidths();
  const int W = FControl->Width(), H = FControl->Height();
  switch (Index) {
    case 0:
      return -D.Left;
    case 1:
      return -D.Top;
    case 2:
      return W - 1 - D.Right;
    case 3:
      return H - 1 - D.Bottom;
    case 4:
      return -M.Left - D.Left;
    case 5:
      return -M.Top - D.Top;
    case 6:
      return W - D.Right + M.Right;
    default:
      return H - D.Bottom + M.Bottom;
  }
}

TPoint TControlGuidelines::Origin() const {
  if (!FControl) return {};
  const TPoint Screen = BoundsOnScreen(*FControl);
  const auto* Container = dynamic_cast<const TControl*>(FContainer);
  return Container ? Container->ScreenToClient(Screen) : Screen;
}

// ---------------------------------------------------------------------------------------------
// TWinControlGuidelines

bool TWinControlGuidelines::HasPadding() {
  return dynamic_cast<TWinControl*>(FControl) && (FControl->ControlStyle().Contains(orx::csAcceptsControls) ||
                                                  dynamic_cast<orx::TCustomFrame*>(FControl));
}

int TWinControlGuidelines::GetCount() { return TControlGuidelines::GetCount() + (HasPadding() ? 4 : 0); }

TDesignerGuideType TWinControlGuidelines::GetDesignerGuideType(int Index) {
  return Index >= 8 && Index < 12 ? PaddingKinds[Index - 8] : TControlGuidelines::GetDesignerGuideType(Index);
}

int TWinControlGuidelines::GetRawOffset(int Index) {
  if (Index < 8 || Index >= 12) return TControlGuidelines::GetRawOffset(Index);
  if (!HasPadding()) return NoGuideline;
  auto* Win = static_cast<TWinControl*>(FControl);
  // The client area relative to the control's own top-left corner, moved inward by the padding.
  const TPoint Origin = FControl->ClientOrigin(), Bounds = BoundsOnScreen(*FControl);
  const TPoint Client{Origin.X - Bounds.X, Origin.Y - Bounds.Y};
  const TRect C = FControl->ClientRect();
  const orx::TEdgeWidths P = Win->PaddingWidths();
  switch (Index) {
    case 8:
      return Client.X + C.Left + P.Left;
    case 9:
      return Client.Y + C.Top + P.Top;
    case 10:
      return Client.X + C.Right - P.Right;
    default:
      return Client.Y + C.Bottom - P.Bottom;
  }
}

// ---------------------------------------------------------------------------------------------
// TTextControlGuidelines

int TTextControlGuidelines::GetCount() {
  const int Count = TWinControlGuidelines::GetCount();
  return FControl && orx::TextBaseline(*FControl) ? Count + 1 : Count;
}

TDesignerGuideType TTextControlGuidelines::GetDesignerGuideType(int Index) {
  return Index == TWinControlGuidelines::GetCount() ? gtBaseline
                                                    : TWinControlGuidelines::GetDesignerGuideType(Index);
}

int TTextControlGuidelines::GetRawOffset(int Index) {
  if (!FControl || Index != TWinControlGuidelines::GetCount())
    return TWinControlGuidelines::GetRawOffset(Index);
  const std::optional<int32_t> Baseline = orx::TextBaseline(*FControl);
  return Baseline ? -ClientDelta().Top + *Baseline : NoGuideline;
}

// ---------------------------------------------------------------------------------------------

void RegisterOrxGuidelines() {
  RegisterComponentGuidelines(TControl::StaticClass(), TControlGuidelines::StaticClass());
  RegisterComponentGuidelines(TWinControl::StaticClass(), TWinControlGuidelines::StaticClass());
  RegisterComponentGuidelines(orx::TCustomForm::StaticClass(), TCustomFormGuidelines::StaticClass());
  for (TClass Text : {orx::TCustomLabel::StaticClass(), orx::TCustomEdit::StaticClass(),
                      orx::TButtonControl::StaticClass(), orx::TCustomPanel::StaticClass()})
    RegisterComponentGuidelines(Text, TTextControlGuidelines::StaticClass());
}

}  // namespace formwright
