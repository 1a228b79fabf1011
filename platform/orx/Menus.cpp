#include "platform/orx/Menus.h"

#include <algorithm>

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TMenuItem, "Orx.Menus")
FW_REGISTER_CLASS(TMenu, "Orx.Menus")
FW_REGISTER_CLASS(TMainMenu, "Orx.Menus")
FW_REGISTER_CLASS(TPopupMenu, "Orx.Menus")

// The link of a menu item: every value of a contained action follows it.
class TMenuActionLink : public TBasicActionLink {
 public:
  explicit TMenuActionLink(TMenuItem* Client) : FClient(Client) {}
  bool IsCaptionLinked() const override { return A() && FClient->FCaption == A()->Caption(); }
  bool IsCheckedLinked() const override { return A() && FClient->FChecked == A()->Checked(); }
  bool IsEnabledLinked() const override { return A() && FClient->FEnabled == A()->Enabled(); }
  bool IsHelpContextLinked() const override { return A() && FClient->FHelpContext == A()->HelpContext(); }
  bool IsHintLinked() const override { return A() && FClient->FHint == A()->Hint(); }
  bool IsImageIndexLinked() const override { return A() && FClient->FImageIndex == A()->ImageIndex(); }
  bool IsShortCutLinked() const override { return A() && FClient->FShortCut == A()->ShortCut(); }
  bool IsVisibleLinked() const override { return A() && FClient->FVisible == A()->Visible(); }
  bool IsOnExecuteLinked() const override { return A() && FClient->FOnClick == A()->FOnExecute; }
  void SetCaption(const String& V) override {
    if (IsCaptionLinked()) FClient->FCaption = V;
  }
  void SetChecked(bool V) override {
    if (IsCheckedLinked()) FClient->SetChecked(V);
  }
  void SetEnabled(bool V) override {
    if (IsEnabledLinked()) FClient->FEnabled = V;
  }
  void SetHelpContext(THelpContext V) override {
    if (IsHelpContextLinked()) FClient->FHelpContext = V;
  }
  void SetHint(const String& V) override {
    if (IsHintLinked()) FClient->FHint = V;
  }
  void SetImageIndex(TImageIndex V) override {
    if (IsImageIndexLinked()) FClient->FImageIndex = V;
  }
  void SetShortCut(TShortCut V) override {
    if (IsShortCutLinked()) FClient->FShortCut = V;
  }
  void SetVisible(bool V) override {
    if (IsVisibleLinked()) FClient->FVisible = V;
  }
  void SetOnExecute(const TNotifyEvent& V) override {
    if (IsOnExecuteLinked()) FClient->FOnClick = V;
  }

 private:
  TContainedAction* A() const noexcept { return dynamic_cast<TContainedAction*>(Action()); }
  TMenuItem* FClient;
};

// ----- TMenuItem ------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

void TMenuItem::DeclarePublished(TClassBuilder<TMenuItem>& C) {
  C.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
  C.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
  C.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
      .As<TCaption>()
      .Stored(&TMenuItem::IsCaptionStored);
  C.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
      .Default(false)
      .Stored(&TMenuItem::IsCheckedStored);
  C.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
  C.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
      .Default(true)
      .Stored(&TMenuItem::IsEnabledStored);
  C.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  C.Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0);
  C.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  C.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
  C.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
  C.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
      .Default(0)
      .Stored(&TMenuItem::IsShortCutStored);
  C.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
  C.Property("OnClick", &TMenuItem::FOnClick).Stored(&TMenuItem::IsOnClickStored);
}

void TMenuItem::BeforeDestruction() {
  Destroying();
  SetAction(nullptr);
  // An item frees its sub-items, whoever owns them.
  while (!FItems.empty()) FItems.back()->Free();
  if (FParent) FParent->Remove(this);
  TComponent::BeforeDestruction();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError(SMenuIndexError);
  return FItems[static_cast<size_t>(Index)];
}

TMenu* TMenuItem::GetParentMenu() const noexcept {
  const TMenuItem* I = this;
  while (I->FParent) I = I->FParent;
  return I->FMenu;
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent || Item->FMenu) throw EMenuError(SMenuReinserted);
  for (const TMenuItem* P = this; P; P = P->FParent)
    if (P == Item) throw EMenuError(SMenuItemInItself);
  if (Index < 0 || Index > Count()) throw EMenuError(SMenuIndexError);
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* Item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  Item->FParent = nullptr;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int I = IndexOf(Item);
  if (I < 0) throw EMenuError(SMenuNotFound);
  Delete(I);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const noexcept {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  auto& L = FParent->FItems;
  L.erase(L.begin() + FParent->IndexOf(this));
  Value = std::clamp(Value, 0, static_cast<int>(L.size()));
  L.insert(L.begin() + Value, this);
}

TMenuItem* TMenuItem::Find(std::string_view ACaption) const {
  const String Wanted = StringReplaceAll(ACaption, "&", "");
  for (TMenuItem* I : FItems)
    if (SameText(StringReplaceAll(I->FCaption, "&", ""), Wanted)) return I;
  return nullptr;
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem && FParent)
    for (TMenuItem* I : FParent->FItems)
      if (I != this && I->FRadioItem && I->FGroupIndex == FGroupIndex) I->FChecked = false;
}

void TMenuItem::SetAction(TBasicAction* Value) {
  TBasicAction* Old = Action();
  if (Old == Value) return;
  if (Old) Old->RemoveFreeNotification(this);
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink.reset(new TMenuActionLink(this));
  FActionLink->SetAction(Value);
  if (auto* A = dynamic_cast<TContainedAction*>(Value)) {
    const bool CheckDefaults = Value->ComponentState().Contains(csLoading);
    if (!CheckDefaults || FCaption.empty()) FCaption = A->Caption();
    if (!CheckDefaults || !FChecked) SetChecked(A->Checked());
    if (!CheckDefaults || FEnabled) FEnabled = A->Enabled();
    if (!CheckDefaults || FHint.empty()) FHint = A->Hint();
    if (!CheckDefaults || FImageIndex == -1) FImageIndex = A->ImageIndex();
    if (!CheckDefaults || FShortCut == 0) FShortCut = A->ShortCut();
    if (!CheckDefaults || FVisible) FVisible = A->Visible();
    if (!CheckDefaults || !FOnClick) FOnClick = A->FOnExecute;
  }
  Value->FreeNotification(this);
}

void TMenuItem::Click() {
  if (ComponentState().Contains(csDesigning) || !FEnabled) return;
  if (FAutoCheck && !(FActionLink && FActionLink->IsCheckedLinked())) SetChecked(!FChecked);
  ClickClient(this, FOnClick, FActionLink.get());
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* M = dynamic_cast<TMenu*>(Value))
    M->Items()->Add(this);
  else if (auto* I = dynamic_cast<TMenuItem*>(Value))
    I->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  const std::vector<TMenuItem*> Items = FItems;
  for (TMenuItem* I : Items)
    if (I->Owner() == Root) Proc(I);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order) {
  if (auto* I = dynamic_cast<TMenuItem*>(Child); I && I->FParent == this) I->SetMenuIndex(Order);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Action()) FActionLink.reset();
}

// ----- Menus ----------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
  FItems->FMenu = this;
}

TMenuItem* TMenu::FindItem(TShortCut ShortCut) const {
  std::vector<TMenuItem*> Pending{FItems.get()};
  while (!Pending.empty()) {
    TMenuItem* I = Pending.back();
    Pending.pop_back();
    if (I != FItems.get() && I->ShortCut() == ShortCut && ShortCut != 0) return I;
    for (int K = I->Count(); K-- > 0;) Pending.push_back(I->Items(K));
  }
  return nullptr;
}

bool TMenu::IsShortCut(TShortCut ShortCut) {
  TMenuItem* I = FindItem(ShortCut);
  if (!I || !I->Enabled() || !I->Visible()) return false;
  I->Click();
  return true;
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

void TMenu::SetChildOrder(TComponent* Child, int Order) { FItems->SetChildOrder(Child, Order); }

void TMainMenu::DeclarePublished(TClassBuilder<TMainMenu>& C) {
  C.Property("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge).Default(false);
}

void TPopupMenu::DeclarePublished(TClassBuilder<TPopupMenu>& C) {
  C.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  C.Property("OnPopup", &TPopupMenu::FOnPopup);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::Popup(int32_t X, int32_t Y) {
  FPopupPoint = {X, Y};
  if (!ComponentState().Contains(csDesigning) && FOnPopup) FOnPopup(this);
}

}  // namespace formwright::orx
