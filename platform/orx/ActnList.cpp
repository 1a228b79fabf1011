#include "platform/orx/ActnList.h"

#include <algorithm>

namespace formwright::orx {

FW_REGISTER_CLASS(TBasicActionLink, "Orx.ActnList")
FW_REGISTER_CLASS(TBasicAction, "Orx.ActnList")
FW_REGISTER_CLASS(TContainedAction, "Orx.ActnList")
FW_REGISTER_CLASS(TCustomAction, "Orx.ActnList")
FW_REGISTER_CLASS(TAction, "Orx.ActnList")
FW_REGISTER_CLASS(TContainedActionList, "Orx.ActnList")
FW_REGISTER_CLASS(TCustomActionList, "Orx.ActnList")
FW_REGISTER_CLASS(TActionList, "Orx.ActnList")
FW_REGISTER_CLASS(TControlActionLink, "Orx.Controls")

// ----- TBasicActionLink -----------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (FAction == Value) return;
  if (FAction) {
    auto& L = FAction->FClients;
    L.erase(std::remove(L.begin(), L.end(), this), L.end());
  }
  FAction = Value;
  if (Value) Value->FClients.push_back(this);
}

bool TBasicActionLink::Execute(TComponent*) { return FAction && FAction->Execute(); }

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

// ----- TBasicAction ---------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

void TBasicAction::DeclarePublished(TClassBuilder<TBasicAction>& C) {
  C.Property("OnExecute", &TBasicAction::FOnExecute);
  C.Property("OnUpdate", &TBasicAction::FOnUpdate);
}

void TBasicAction::BeforeDestruction() {
  // Clients that asked for free notification drop their links themselves; the others are
  // unlinked afterwards.
  TComponent::BeforeDestruction();
  while (!FClients.empty()) FClients.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (ComponentState().Contains(csDesigning) || !FOnExecute) return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (ComponentState().Contains(csDesigning) || !FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

// ----- TContainedAction -----------------------------------------------------------------------

void TContainedAction::DeclarePublished(TClassBuilder<TContainedAction>& C) {
  C.Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

void TContainedAction::BeforeDestruction() {
  SetActionList(nullptr);
  TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TContainedActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

int TContainedAction::Index() const noexcept {
  if (!FActionList) return -1;
  const auto& L = FActionList->FActions;
  return static_cast<int>(std::find(L.begin(), L.end(), this) - L.begin());
}

void TContainedAction::SetIndex(int Value) {
  if (!FActionList) return;
  auto& L = FActionList->FActions;
  L.erase(L.begin() + Index());
  Value = std::clamp(Value, 0, static_cast<int>(L.size()));
  L.insert(L.begin() + Value, this);
  FActionList->Change();
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  if (auto* L = dynamic_cast<TContainedActionList*>(Value)) SetActionList(L);
}

// Every setter tells the clients before the value changes, so that a client still showing
// the old value can follow.
void TContainedAction::SetCaption(const String& V) { Propagate(FCaption, V, &TBasicActionLink::SetCaption); }
void TContainedAction::SetChecked(bool V) { Propagate(FChecked, V, &TBasicActionLink::SetChecked); }
void TContainedAction::SetEnabled(bool V) { Propagate(FEnabled, V, &TBasicActionLink::SetEnabled); }
void TContainedAction::SetHelpContext(THelpContext V) {
  Propagate(FHelpContext, V, &TBasicActionLink::SetHelpContext);
}
void TContainedAction::SetHint(const String& V) { Propagate(FHint, V, &TBasicActionLink::SetHint); }
void TContainedAction::SetImageIndex(TImageIndex V) {
  Propagate(FImageIndex, V, &TBasicActionLink::SetImageIndex);
}
void TContainedAction::SetShortCut(TShortCut V) { Propagate(FShortCut, V, &TBasicActionLink::SetShortCut); }
void TContainedAction::SetVisible(bool V) { Propagate(FVisible, V, &TBasicActionLink::SetVisible); }
void TContainedAction::SetOnExecute(const TNotifyEvent& V) {
  Propagate(FOnExecute, V, &TBasicActionLink::SetOnExecute);
}

bool TContainedAction::Execute() {
  if (ComponentState().Contains(csDesigning)) return false;
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (ComponentState().Contains(csDesigning)) return false;
  if (FActionList && FActionList->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

bool TCustomAction::Execute() {
  if (ComponentState().Contains(csDesigning)) return false;
  Update();
  if (!Enabled()) return false;
  if (AutoCheck()) SetChecked(!Checked());
  return TContainedAction::Execute();
}

void TAction::DeclarePublished(TClassBuilder<TAction>& C) {
  C.Property("AutoCheck", &TAction::AutoCheck, &TAction::SetAutoCheck).Default(false);
  C.Property("Caption", &TAction::Caption, &TAction::SetCaption).As<TCaption>();
  C.Property("Checked", &TAction::Checked, &TAction::SetChecked).Default(false);
  C.Property("Enabled", &TAction::Enabled, &TAction::SetEnabled).Default(true);
  C.Property("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext).Default(0);
  C.Property("Hint", &TAction::Hint, &TAction::SetHint);
  C.Property("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex).Default(-1);
  C.Property("ShortCut", &TAction::ShortCut, &TAction::SetShortCut).Default(0);
  C.Property("Visible", &TAction::Visible, &TAction::SetVisible).Default(true);
  C.Property("OnExecute", &TAction::FOnExecute, &TAction::SetOnExecute);
}

// ----- Action lists ---------------------------------------------------------------------------

void TContainedActionList::DeclarePublished(TClassBuilder<TContainedActionList>& C) {
  C.Property("OnChange", &TContainedActionList::FOnChange);
  C.Property("OnExecute", &TContainedActionList::FOnExecute);
  C.Property("OnUpdate", &TContainedActionList::FOnUpdate);
}

void TContainedActionList::BeforeDestruction() {
  Destroying();
  while (!FActions.empty()) FActions.back()->Free();
  TComponent::BeforeDestruction();
}

TContainedAction* TContainedActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) throw EListError(Format(SListIndexError, Index));
  return FActions[static_cast<size_t>(Index)];
}

void TContainedActionList::AddAction(TContainedAction* Action) {
  if (!Action || Action->FActionList == this) return;
  if (Action->FActionList) Action->FActionList->RemoveAction(Action);
  FActions.push_back(Action);
  Action->FActionList = this;
  Change();
}

void TContainedActionList::RemoveAction(TContainedAction* Action) {
  auto It = std::find(FActions.begin(), FActions.end(), Action);
  if (It == FActions.end()) return;
  FActions.erase(It);
  Action->FActionList = nullptr;
  Change();
}

bool TContainedActionList::ExecuteAction(TBasicAction* Action) {
  bool Handled = false;
  if (!ComponentState().Contains(csDesigning) && FOnExecute) FOnExecute(Action, Handled);
  return Handled;
}

bool TContainedActionList::UpdateAction(TBasicAction* Action) {
  bool Handled = false;
  if (!ComponentState().Contains(csDesigning) && FOnUpdate) FOnUpdate(Action, Handled);
  return Handled;
}

void TContainedActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  const std::vector<TContainedAction*> Actions = FActions;
  for (TContainedAction* A : Actions)
    if (A->Owner() == Root) Proc(A);
}

void TContainedActionList::SetChildOrder(TComponent* Child, int Order) {
  if (auto* A = dynamic_cast<TContainedAction*>(Child); A && A->FActionList == this) A->SetIndex(Order);
}

void TContainedActionList::Change() {
  if (!ComponentState().Contains(csDestroying) && !ComponentState().Contains(csDesigning) && FOnChange)
    FOnChange(this);
}

// ----- TControlActionLink ---------------------------------------------------------------------

TContainedAction* TControlActionLink::Contained() const noexcept {
  return dynamic_cast<TContainedAction*>(Action());
}

bool TControlActionLink::IsCaptionLinked() const {
  return Contained() && FClient->Caption() == Contained()->Caption();
}
bool TControlActionLink::IsEnabledLinked() const {
  return Contained() && FClient->Enabled() == Contained()->Enabled();
}
bool TControlActionLink::IsHelpContextLinked() const {
  return Contained() && FClient->HelpContext() == Contained()->HelpContext();
}
bool TControlActionLink::IsHintLinked() const {
  return Contained() && FClient->Hint() == Contained()->Hint();
}
bool TControlActionLink::IsVisibleLinked() const {
  return Contained() && FClient->Visible() == Contained()->Visible();
}
bool TControlActionLink::IsOnExecuteLinked() const {
  return Contained() && FClient->FOnClick == Contained()->FOnExecute;
}

void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHelpContext(THelpContext Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TControlActionLink::SetOnExecute(const TNotifyEvent& Value) {
  if (IsOnExecuteLinked()) FClient->FOnClick = Value;
}

void ClickClient(TComponent* Sender, const TNotifyEvent& OnClick, TBasicActionLink* Link) {
  TBasicAction* A = Link ? Link->Action() : nullptr;
  if (OnClick && A && !(OnClick == A->FOnExecute))
    OnClick(Sender);
  else if (Link)
    Link->Execute(Sender);
  else if (OnClick)
    OnClick(Sender);
}

// ----- Registration hooks ---------------------------------------------------------------------

TActionRegistrationHooks& ActionRegistrationHooks() noexcept {
  static TActionRegistrationHooks Hooks;
  return Hooks;
}

void RegisterActions(const String& CategoryName, const std::vector<TClass>& AClasses, TClass Resource) {
  if (auto P = ActionRegistrationHooks().RegisterActionsProc) P(CategoryName, AClasses, Resource);
}

void UnRegisterActions(const std::vector<TClass>& AClasses) {
  if (auto P = ActionRegistrationHooks().UnRegisterActionsProc) P(AClasses);
}

void EnumRegisteredActions(const TEnumActionProc& Proc, void* Info) {
  if (auto P = ActionRegistrationHooks().EnumRegisteredActionsProc) P(Proc, Info);
}

TBasicAction* CreateAction(TComponent* AOwner, TClass ActionClass) {
  if (auto P = ActionRegistrationHooks().CreateActionProc) return P(AOwner, ActionClass);
  if (!ActionClass || !ActionClass->InheritsFrom(TBasicAction::StaticClass()))
    throw EInvalidCast(SInvalidCast);
  return static_cast<TBasicAction*>(ActionClass->Create<TComponent*>(AOwner));
}

}  // namespace formwright::orx
