#include "platform/orx/Controls.h"

#include <algorithm>

#include "platform/orx/ActnList.h"
#include "platform/orx/Menus.h"
#include "platform/orx/OrxConsts.h"
#include "platform/runtime/Scoped.h"
#include "platform/runtime/Threads.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TMargins, "Orx.Controls")
FW_REGISTER_CLASS(TPadding, "Orx.Controls")
FW_REGISTER_CLASS(TSizeConstraints, "Orx.Controls")
FW_REGISTER_CLASS(TControl, "Orx.Controls")
FW_REGISTER_CLASS(TWinControl, "Orx.Controls")
FW_REGISTER_CLASS(TGraphicControl, "Orx.Controls")
FW_REGISTER_CLASS(TCustomControl, "Orx.Controls")

// ----- TControl: life and tree ----------------------------------------------------------------

// The ordinal properties are read straight from their fields (a writer reads them without a
// call) and set through their setters.
void TControl::DeclarePublished(TClassBuilder<TControl>& C) {
  C.Property("Cursor", &TControl::FCursor, &TControl::SetCursor).Default(crDefault);
  C.Property("Height", &TControl::FHeight, &TControl::SetHeight);
  C.Property("HelpContext", &TControl::FHelpContext, &TControl::SetHelpContext)
      .Default(0)
      .Stored(&TControl::IsHelpContextStored);
  C.Property("Hint", &TControl::Hint, &TControl::SetHint).Stored(&TControl::IsHintStored);
  C.Property("Left", &TControl::FLeft, &TControl::SetLeft);
  C.Property("Margins", &TControl::Margins, &TControl::SetMargins).Stored(&TControl::IsMarginsStored);
  C.Property("Top", &TControl::FTop, &TControl::SetTop);
  C.Property("Width", &TControl::FWidth, &TControl::SetWidth);
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FFont.SetOwner(this);
  FFont.OnChange = [this](TGraphicsObject*) { FontChanged(); };
}

TControl::~TControl() {
  // Freed without Free (no BeforeDestruction): leave the parent's lists at least.
  if (FParent) FParent->Detach(this);
  // Messages posted to it and not handled yet go with it.
  RemoveQueuedEvents(this);
}

void TControl::BeforeDestruction() {
  Destroying();
  SetAction(nullptr);
  SetPopupMenu(nullptr);
  if (FParent) FParent->Detach(this);
  TComponent::BeforeDestruction();
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(SControlParentSetToSelf);
  if (auto* Self = AsWinControl(); Self && AParent && Self->ContainsControl(AParent))
    throw EInvalidOperation(Format(SControlParentIsChild, Name(), AParent->Name()));
  if (FParent) FParent->Detach(this);
  if (AParent) AParent->Attach(this);
  ParentChanged();
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* W = dynamic_cast<TWinControl*>(Value))
    SetParent(W);
  else if (!Value)
    SetParent(nullptr);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
  if (FActionLink) ActionChange(FActionLink->Action(), true);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (FActionLink && AComponent == FActionLink->Action()) {
    FActionLink.reset();
    FControlStyle.Exclude(csActionClient);
  }
}

void TControl::ChangeName(const String& NewName) {
  // While designing, a caption that still shows the name follows a rename.
  const TComponentState S = ComponentState();
  const bool Follow = FControlStyle.Contains(csSetCaption) && S.Contains(csDesigning) &&
                      !S.Contains(csLoading) && Name() == FText &&
                      !(Owner() && Owner()->ComponentState().Contains(csLoading));
  TComponent::ChangeName(NewName);
  if (Follow) SetText(NewName);
}

// ----- TControl: bounds -----------------------------------------------------------------------

int32_t CheckedCoord(int64_t Value) {
  if (Value < -MaxControlCoord || Value > MaxControlCoord)
    throw ERangeError(Format("%s is out of range for a position or size (%d to %d)", IntToStr(Value),
                             -MaxControlCoord, MaxControlCoord));
  return static_cast<int32_t>(Value);
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  CheckedCoord(ALeft);
  CheckedCoord(ATop);
  CheckedCoord(AWidth);
  CheckedCoord(AHeight);
  AWidth = ConstrainWidth(AWidth);
  AHeight = ConstrainHeight(AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool Resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  if (Resized) Resize();
  if (FAlign != alNone) RequestAlign();
}

void TControl::SetAlignedBounds(const TRect& R) {
  const int32_t W = ConstrainWidth(R.Width());
  const int32_t H = ConstrainHeight(R.Height());
  if (R.Left == FLeft && R.Top == FTop && W == FWidth && H == FHeight) return;
  const bool Resized = W != FWidth || H != FHeight;
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = W;
  FHeight = H;
  if (Resized) Resize();
}

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }

TPoint TControl::ClientOrigin() const {
  TPoint P{FLeft, FTop};
  if (FParent) {
    const TPoint O = FParent->ClientOrigin();
    P.X += O.X;
    P.Y += O.Y;
  }
  return P;
}

TPoint TControl::ClientToScreen(TPoint P) const {
  const TPoint O = ClientOrigin();
  return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const TPoint O = ClientOrigin();
  return {P.X - O.X, P.Y - O.Y};
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  if (!AParent || AParent == this || !AParent->ContainsControl(this))
    throw EInvalidOperation(Format(SNotOnForm, Name(), AParent ? AParent->Name() : String()));
  return AParent->ScreenToClient(ClientToScreen(P));
}

TPoint TControl::ParentToClient(TPoint P, TWinControl* AParent) const {
  if (!AParent) AParent = FParent;
  if (!AParent || AParent == this || !AParent->ContainsControl(this))
    throw EInvalidOperation(Format(SNotOnForm, Name(), AParent ? AParent->Name() : String()));
  return ScreenToClient(AParent->ClientToScreen(P));
}

void TControl::Resize() {
  if (CanFire() && FOnResize) FOnResize(this);
}

// ----- TControl: layout -----------------------------------------------------------------------

bool TControl::ShowsInLayout() const noexcept {
  if (FVisible) return true;
  return ComponentState().Contains(csDesigning) && !FControlStyle.Contains(csNoDesignVisible);
}

void TControl::RequestAlign() {
  if (FParent) FParent->RealignFor(this);
}

void TControl::UpdateAnchorRules() {
  if (!FParent || ComponentState().Contains(csLoading)) {
    FAnchorRulesValid = false;
    return;
  }
  const TRect C = FParent->ClientRect();
  FAnchorOrigin = BoundsRect();
  FAnchorParentSize = {C.Width(), C.Height()};
  FAnchorRulesValid = true;
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  const TAlign Old = FAlign;
  FAlign = Value;
  // Anchors that still match the old alignment follow the new one.
  if (FAnchors == AnchorAlign[Old]) FAnchors = AnchorAlign[Value];
  if (Value == alNone) UpdateAnchorRules();
  if (FParent) FParent->RealignFor(this);
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::SetAlignWithMargins(bool Value) {
  if (AlignWithMargins() == Value) return;
  FControlStyle.Set(csAlignWithMargins, Value);
  MarginsChanged();
}

void TControl::MarginsChanged() {
  if (AlignWithMargins() && FAlign != alNone) RequestAlign();
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FParent && FAlign != alNone) FParent->RealignFor(this);
}

void TControl::SetEnabled(bool Value) { FEnabled = Value; }

void TControl::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  TextChanged();
}

// ----- TControl: font, colour and hints follow the parent --------------------------------------

void TControl::FontChanged() {
  if (!FUpdatingFromParent) FParentFont = false;
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  TValueScope Scope(FUpdatingFromParent, true);
  FFont.Assign(FParent->Font());
}

void TControl::SetColor(TColor Value) {
  // The colour the control already has (its parent's, say) leaves ParentColor alone, as an
  // unchanged font leaves ParentFont: typing the shown colour back changes nothing.
  if (FColor == Value) return;
  FParentColor = false;
  FColor = Value;
  if (auto* W = AsWinControl())
    for (int I = 0; I < W->ControlCount(); ++I) W->Controls(I)->ParentColorChanged();
}

void TControl::SetParentColor(bool Value) {
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (FParentColor && FParent) FColor = FParent->FColor;
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  FShowHint = Value;
  if (auto* W = AsWinControl())
    for (int I = 0; I < W->ControlCount(); ++I) W->Controls(I)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
  FParentShowHint = Value;
  if (Value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (FParentShowHint && FParent) FShowHint = FParent->FShowHint;
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

int32_t TControl::TextBaseline() const {
  return (FHeight - GetTextMetric(FFont).Height()) / 2 + GetTextMetric(FFont).Ascent;
}

// ----- TControl: actions ----------------------------------------------------------------------

TBasicAction* TControl::Action() const noexcept { return FActionLink ? FActionLink->Action() : nullptr; }

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::SetAction(TBasicAction* Value) {
  TBasicAction* Old = Action();
  if (Old == Value) return;
  if (Old) Old->RemoveFreeNotification(this);
  if (!Value) {
    FActionLink.reset();
    FControlStyle.Exclude(csActionClient);
    return;
  }
  if (!FActionLink) FActionLink.reset(CreateActionLink());
  FActionLink->SetAction(Value);
  FControlStyle.Include(csActionClient);
  ActionChange(Value, Value->ComponentState().Contains(csLoading));
  Value->FreeNotification(this);
}

void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  auto* A = dynamic_cast<TContainedAction*>(Sender);
  if (!A) return;
  if (!CheckDefaults || FText.empty()) SetCaption(A->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(A->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(A->Hint());
  if (!CheckDefaults || FVisible) SetVisible(A->Visible());
  if (!CheckDefaults || FHelpContext == 0) SetHelpContext(A->HelpContext());
  if (!CheckDefaults || !FOnClick) FOnClick = A->FOnExecute;
}

bool TControl::IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
bool TControl::IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
bool TControl::IsHintStored() const { return !FActionLink || !FActionLink->IsHintLinked(); }
bool TControl::IsVisibleStored() const { return !FActionLink || !FActionLink->IsVisibleLinked(); }
bool TControl::IsHelpContextStored() const { return !FActionLink || !FActionLink->IsHelpContextLinked(); }
bool TControl::IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

// ----- TControl: z-order, events, scaling -----------------------------------------------------

void TControl::SetZOrder(bool TopMost) {
  if (FParent) SetZOrderPosition(TopMost ? FParent->ControlCount() : 0);
}

void TControl::SetZOrderPosition(int Position) {
  if (!FParent) return;
  auto& L = FParent->ListOf(this);
  auto It = std::find(L.begin(), L.end(), this);
  if (It == L.end()) return;
  L.erase(It);
  Position = std::clamp(Position, 0, static_cast<int>(L.size()));
  L.insert(L.begin() + Position, this);
  if (FAlign != alNone) FParent->RealignFor(this);
}

void TControl::Click() {
  if (CanFire()) ClickClient(this, FOnClick, FActionLink.get());
}

void TControl::DblClick() {
  if (CanFire() && FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (CanFire() && FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  if (CanFire() && FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  if (CanFire() && FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::ChangeScale(int32_t M, int32_t D) {
  if (M == D || D == 0) return;
  const int32_t L = MulDiv(FLeft, M, D), T = MulDiv(FTop, M, D);
  const int32_t W = MulDiv(FLeft + FWidth, M, D) - L, H = MulDiv(FTop + FHeight, M, D) - T;
  const TEdgeWidths G = MarginWidths();
  if (FMargins || MulDiv(TMargins::DefaultWidth, M, D) != TMargins::DefaultWidth)
    Margins()->SetBounds(MulDiv(G.Left, M, D), MulDiv(G.Top, M, D), MulDiv(G.Right, M, D),
                         MulDiv(G.Bottom, M, D));
  if (!FParentFont) FFont.SetHeight(MulDiv(FFont.Height(), M, D));
  SetBounds(L, T, W, H);
}

}  // namespace formwright::orx
