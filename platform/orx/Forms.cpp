#include "platform/orx/Forms.h"

#include <algorithm>

#include "platform/orx/GuideMetrics.h"
#include "platform/orx/OrxConsts.h"
#include "platform/runtime/Filer.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TControlScrollBar, "Orx.Forms")
FW_REGISTER_CLASS(TScrollingWinControl, "Orx.Forms")
FW_REGISTER_CLASS(TScrollBox, "Orx.Forms")
FW_REGISTER_CLASS(TCustomFrame, "Orx.Forms")
FW_REGISTER_CLASS(TFrame, "Orx.Forms")
FW_REGISTER_CLASS(TCustomForm, "Orx.Forms")
FW_REGISTER_CLASS(TForm, "Orx.Forms")
FW_REGISTER_CLASS(TDataModule, "Orx.Forms")

// ----- Scrolling ------------------------------------------------------------------------------

void TControlScrollBar::DeclarePublished(TClassBuilder<TControlScrollBar>& C) {
  C.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
  C.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
      .Default(0)
      .Stored(&TControlScrollBar::IsRangeStored);
  C.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

void TControlScrollBar::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TControlScrollBar*>(Source);
  if (!S) return TPersistent::Assign(Source);
  SetRange(S->FRange);
  SetPosition(S->FPosition);
  FVisible = S->FVisible;
}

bool TControlScrollBar::IsRangeStored() const {
  const auto* Scrolling = dynamic_cast<const TScrollingWinControl*>(FControl);
  return !Scrolling || !Scrolling->AutoScroll();
}

int32_t TControlScrollBar::MaxPosition() const noexcept {
  const int32_t Client = FControl ? (FHorizontal ? FControl->ClientWidth() : FControl->ClientHeight()) : 0;
  return std::max(FRange - Client, 0);
}

void TControlScrollBar::SetRange(int32_t Value) {
  FRange = std::max(Value, 0);
  SetPosition(FPosition);
}

void TControlScrollBar::SetPosition(int32_t Value) {
  Value = std::clamp(Value, 0, MaxPosition());
  if (Value == FPosition) return;
  const int32_t Delta = FPosition - Value;
  FPosition = Value;
  if (auto* S = dynamic_cast<TScrollingWinControl*>(FControl))
    S->ScrollBy(FHorizontal ? Delta : 0, FHorizontal ? 0 : Delta);
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(new TControlScrollBar(this, true)),
      FVertScrollBar(new TControlScrollBar(this, false)) {}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  FAutoScroll = Value;
  if (Value) CalcAutoRange();
}

void TScrollingWinControl::EnableAutoRange() {
  if (FAutoRangeCount > 0 && --FAutoRangeCount == 0 && FAutoScroll) CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
  if (FAutoRangeCount > 0) return;
  int32_t Right = 0, Bottom = 0;
  for (int I = 0; I < ControlCount(); ++I) {
    const TControl* C = Controls(I);
    if (!C->ShowsInLayout() || C->Align() != alNone) continue;
    Right = std::max(Right, C->Left() + C->Width() + FHorzScrollBar->Position());
    Bottom = std::max(Bottom, C->Top() + C->Height() + FVertScrollBar->Position());
  }
  FHorzScrollBar->SetRange(Right);
  FVertScrollBar->SetRange(Bottom);
}

void TScrollingWinControl::ScrollBy(int32_t DeltaX, int32_t DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    C->SetBounds(C->Left() + DeltaX, C->Top() + DeltaY, C->Width(), C->Height());
  }
  EnableAlign();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || AControl == this || !ContainsControl(AControl)) return;
  const TPoint P =
      AControl->Parent() == this
          ? TPoint{AControl->Left(), AControl->Top()}
          : ScreenToClient(AControl->Parent()->ClientToScreen({AControl->Left(), AControl->Top()}));
  const TRect R = Bounds(P.X, P.Y, AControl->Width(), AControl->Height());
  if (R.Left < 0)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + R.Left);
  else if (R.Right > ClientWidth())
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + std::min(R.Right - ClientWidth(), R.Left));
  if (R.Top < 0)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + R.Top);
  else if (R.Bottom > ClientHeight())
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + std::min(R.Bottom - ClientHeight(), R.Top));
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  if (FAutoScroll) CalcAutoRange();
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::DeclarePublished(TClassBuilder<TScrollBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, true);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("AutoScroll", &TScrollBox::AutoScroll, &TScrollBox::SetAutoScroll).Default(true);
  C.Property("BorderStyle", &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingle);
  C.Property("HorzScrollBar", &TScrollBox::HorzScrollBar, &TScrollBox::SetHorzScrollBar);
  C.Property("VertScrollBar", &TScrollBox::VertScrollBar, &TScrollBox::SetVertScrollBar);
  C.Property("OnResize", &TControl::FOnResize, &TControl::FOnResize);
}

void TScrollBox::SetBorderStyle(TFormBorderStyle Value) {
  if (Value != bsNone && Value != bsSingle)
    throw EInvalidArgument(Format(SOutOfRange, int(bsNone), int(bsSingle)));
  FBorderStyle = Value;
  Realign();
}

// A single border is two pixels wide on each side.
TRect TScrollBox::ClientRect() const {
  const int32_t B = FBorderStyle == bsSingle ? 2 : 0;
  return Rect(0, 0, std::max(Width() - 2 * B, 0), std::max(Height() - 2 * B, 0));
}

TPoint TScrollBox::ClientOrigin() const {
  const int32_t B = FBorderStyle == bsSingle ? 2 : 0;
  const TPoint P = TScrollingWinControl::ClientOrigin();
  return {P.X + B, P.Y + B};
}

// ----- Frames ---------------------------------------------------------------------------------

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 320, 240);
  SetTabStop(true);
}

void TFrame::DeclarePublished(TClassBuilder<TFrame>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, true);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("AutoScroll", &TFrame::AutoScroll, &TFrame::SetAutoScroll).Default(true);
  C.Property("HorzScrollBar", &TFrame::HorzScrollBar, &TFrame::SetHorzScrollBar);
  C.Property("VertScrollBar", &TFrame::VertScrollBar, &TFrame::SetVertScrollBar);
  C.Property("OnResize", &TControl::FOnResize, &TControl::FOnResize);
}

void TCustomFrame::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  ListChildComponents(this, Proc, Root, Root == this);
}

TComponent* TCustomFrame::GetChildOwner() { return ComponentState().Contains(csInline) ? this : nullptr; }

// ----- Forms ----------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetParentFont(false);
  SetColor(clFace);
  TControl::SetVisible(false);
  SetBounds(0, 0, 320, 240);
  if (TScreen* S = Screen()) S->FForms.push_back(this);
}

void TForm::DeclarePublished(TClassBuilder<TForm>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  C.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
  C.Property("AutoScroll", &TForm::AutoScroll, &TForm::SetAutoScroll).Default(true);
  C.Property("BorderIcons", &TForm::BorderIcons, &TForm::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  C.Property("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle).Default(bsSizeable);
  C.Property("Caption", &TForm::Caption, &TForm::SetCaption).As<TCaption>().Stored(&TForm::IsCaptionStored);
  C.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight);
  C.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth);
  C.Property("FormStyle", &TForm::FormStyle, &TForm::SetFormStyle).Default(fsNormal);
  C.Property("Height", &TForm::Height, &TForm::SetHeight).Stored(false);
  C.Property("HorzScrollBar", &TForm::HorzScrollBar, &TForm::SetHorzScrollBar);
  C.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview).Default(false);
  C.Property("Menu", &TForm::Menu, &TForm::SetMenu);
  C.Property("Padding", &TForm::Padding, &TForm::SetPadding).Stored(&TForm::IsPaddingStored);
  C.Property("Position", &TForm::Position, &TForm::SetPosition).Default(poDefaultPosOnly);
  C.Property("VertScrollBar", &TForm::VertScrollBar, &TForm::SetVertScrollBar);
  C.Property("Visible", &TForm::Visible, &TForm::SetVisible).Default(false);
  C.Property("Width", &TForm::Width, &TForm::SetWidth).Stored(false);
  C.Property("WindowState", &TForm::WindowState, &TForm::SetWindowState).Default(wsNormal);
  C.Property("OnActivate", &TForm::FOnActivate, &TForm::FOnActivate);
  C.Property("OnClose", &TForm::FOnClose, &TForm::FOnClose);
  C.Property("OnCloseQuery", &TForm::FOnCloseQuery, &TForm::FOnCloseQuery);
  C.Property("OnCreate", &TForm::FOnCreate, &TForm::FOnCreate);
  C.Property("OnDeactivate", &TForm::FOnDeactivate, &TForm::FOnDeactivate);
  C.Property("OnDestroy", &TForm::FOnDestroy, &TForm::FOnDestroy);
  C.Property("OnHide", &TForm::FOnHide, &TForm::FOnHide);
  C.Property("OnKeyDown", &TWinControl::FOnKeyDown, &TWinControl::FOnKeyDown);
  C.Property("OnKeyPress", &TWinControl::FOnKeyPress, &TWinControl::FOnKeyPress);
  C.Property("OnKeyUp", &TWinControl::FOnKeyUp, &TWinControl::FOnKeyUp);
  C.Property("OnResize", &TControl::FOnResize, &TControl::FOnResize);
  C.Property("OnShow", &TForm::FOnShow, &TForm::FOnShow);
}

void TCustomForm::BeforeDestruction() {
  if (!ComponentState().Contains(csDesigning) && FOnDestroy) FOnDestroy(this);
  TScreen::Forget(this);
  FActiveControl = nullptr;
  SetMenu(nullptr);
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::SetClientWidth(int32_t Value) {
  if (ComponentState().Contains(csLoading))
    FPendingClientSize.cx = Value;
  else
    TScrollingWinControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(int32_t Value) {
  if (ComponentState().Contains(csLoading))
    FPendingClientSize.cy = Value;
  else
    TScrollingWinControl::SetClientHeight(Value);
}

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  if (FPendingClientSize.cx >= 0) TScrollingWinControl::SetClientWidth(FPendingClientSize.cx);
  if (FPendingClientSize.cy >= 0) TScrollingWinControl::SetClientHeight(FPendingClientSize.cy);
  FPendingClientSize = {-1, -1};
}

void TCustomForm::DoCreate() {
  if (!ComponentState().Contains(csDesigning) && FOnCreate) FOnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Realign();
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  Realign();
}

TRect TCustomForm::NonClientMargins() const noexcept {
  const TFormFrameSize Size = FormFrameSizes[static_cast<int>(FBorderStyle)];
  const int32_t MenuBar = FMenu && FMenu->Items()->Count() > 0 ? MenuBarHeight : 0;
  return {Size.Frame, Size.Frame + Size.Caption + MenuBar, Size.Frame, Size.Frame};
}

TRect TCustomForm::ClientRect() const {
  const TRect M = NonClientMargins();
  return Rect(0, 0, std::max(Width() - M.Left - M.Right, 0), std::max(Height() - M.Top - M.Bottom, 0));
}

TPoint TCustomForm::ClientOrigin() const {
  const TPoint P = TScrollingWinControl::ClientOrigin();
  const TRect M = NonClientMargins();
  return {P.X + M.Left, P.Y + M.Top};
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  const TComponentState S = ComponentState();
  const bool Checked = !S.Contains(csLoading) && !S.Contains(csDesigning);
  if (Control && Checked) {
    if (Control == this || GetParentForm(Control) != this)
      throw EInvalidOperation(Format(SNotOnForm, Control->Name(), Name()));
    if (!Control->CanFocus()) throw EInvalidOperation(SCannotFocus);
  }
  TWinControl* Old = FActiveControl;
  if (Old) Old->RemoveFreeNotification(this);
  FActiveControl = Control;
  if (Control) Control->FreeNotification(this);
  if (Checked) {
    if (Old) Old->DoExit();
    if (Control) Control->DoEnter();
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FMenu) {
    FMenu = nullptr;
    if (!ComponentState().Contains(csDestroying)) Realign();
  }
}

void TCustomForm::SetVisible(bool Value) {
  if (Visible() == Value) return;
  const TComponentState State = ComponentState();
  const bool Live = !State.Contains(csDesigning) && !State.Contains(csLoading);
  if (Value && Live) {
    // Centred positions are taken when the form appears: on its owner form, or on the screen.
    const bool OnOwner = FPosition == poOwnerFormCenter || FPosition == poMainFormCenter;
    if (OnOwner || FPosition == poScreenCenter || FPosition == poDesktopCenter) {
      const auto* OwnerForm = dynamic_cast<const TCustomForm*>(Owner());
      // On the monitor the form is mostly on (the primary one without a screen), or the desktop.
      const TScreen* S = Screen();
      const TRect Area = OnOwner && OwnerForm ? OwnerForm->BoundsRect()
                         : !S                 ? Rect(0, 0, 1920, 1080)
                         : FPosition == poDesktopCenter
                             ? S->DesktopRect()
                             : S->Monitors(S->MonitorFromRect(BoundsRect(), mdPrimary)).BoundsRect;
      SetBounds(Area.Left + (Area.Width() - Width()) / 2, Area.Top + (Area.Height() - Height()) / 2, Width(),
                Height());
    }
  }
  TScrollingWinControl::SetVisible(Value);
  if (!Live) return;
  TScreen* S = Screen();
  if (Value) {
    if (S) S->FActiveForm = this;
    if (FOnShow) FOnShow(this);
  } else {
    if (S && S->FActiveForm == this) S->FActiveForm = nullptr;
    if (FOnHide) FOnHide(this);
  }
}

void TCustomForm::Show() { SetVisible(true); }

void TCustomForm::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CLOSE)
    Close();
  else
    TScrollingWinControl::WndProc(Message);
}

TCloseAction TCustomForm::Close() {
  bool CanClose = true;
  if (CanFire() && FOnCloseQuery) FOnCloseQuery(this, CanClose);
  if (!CanClose) return caNone;
  TCloseAction Action = caHide;
  if (CanFire() && FOnClose) FOnClose(this, Action);
  if (Action != caNone) Hide();
  if (Action == caMinimize) FWindowState = wsMinimized;
  return Action;
}

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  ListChildComponents(this, Proc, Root, Root == this);
}

TCustomForm* GetParentForm(const TControl* Control) noexcept {
  if (!Control) return nullptr;
  while (Control->Parent()) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Control));
}

// ----- Focus (declared with the windowed controls) --------------------------------------------

bool TWinControl::Focused() const {
  const TCustomForm* F = GetParentForm(this);
  return F && F->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* F = GetParentForm(this);
  if (!F || F == this || !CanFocus()) throw EInvalidOperation(SCannotFocus);
  F->SetActiveControl(this);
}

// ----- Data modules ---------------------------------------------------------------------------

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
  if (TScreen* S = Screen()) S->FDataModules.push_back(this);
}

void TDataModule::DeclarePublished(TClassBuilder<TDataModule>& C) {
  C.Property("OnCreate", &TDataModule::FOnCreate);
  C.Property("OnDestroy", &TDataModule::FOnDestroy);
}

void TDataModule::BeforeDestruction() {
  if (!ComponentState().Contains(csDesigning) && FOnDestroy) FOnDestroy(this);
  TScreen::Forget(this);
  TComponent::BeforeDestruction();
}

void TDataModule::DoCreate() {
  if (!ComponentState().Contains(csDesigning) && FOnCreate) FOnCreate(this);
}

void TDataModule::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  ListChildComponents(this, Proc, Root, Root == this);
}

void TDataModule::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  auto* A = dynamic_cast<TDataModule*>(Filer->Ancestor());
  const TPoint BaseSize = A ? A->FDesignSize : DefaultDesignSize;
  const TPoint BaseOffset = A ? A->FDesignOffset : TPoint{};
  auto Define = [&](const char* Name, int32_t& Field, int32_t AncestorValue) {
    Filer->DefineProperty(
        Name, [&Field](TReader* R) { Field = R->ReadInteger(); },
        [&Field](TWriter* W) { W->WriteInteger(Field); }, Field != AncestorValue);
  };
  // The class group is the designer's; kept in the module file so that it survives reopening.
  const String BaseGroup = A ? A->FClassGroup : String();
  Filer->DefineProperty(
      "ClassGroup", [this](TReader* R) { FClassGroup = R->ReadString(); },
      [this](TWriter* W) { W->WriteString(FClassGroup); }, FClassGroup != BaseGroup);
  Define("Height", FDesignSize.Y, BaseSize.Y);
  Define("HorizontalOffset", FDesignOffset.X, BaseOffset.X);
  Define("VerticalOffset", FDesignOffset.Y, BaseOffset.Y);
  Define("Width", FDesignSize.X, BaseSize.X);
}

}  // namespace formwright::orx
