#include "host/MenuModel.h"

#include "platform/orx/ActnList.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TMenuItemModel, "MenuModel")

namespace {

// The action of an item when it is one whose look the item follows.
orx::TContainedAction* LookOf(TComponent* Action) { return dynamic_cast<orx::TContainedAction*>(Action); }

}  // namespace

TMenuItemModel::TMenuItemModel(const String& ACaption, const String& AName)
    : FCaption(ACaption), FName(AName) {}

TMenuItemModel::~TMenuItemModel() {
  for (const IPtr<TMenuItemModel>& Item : FItems) Item->FParent = nullptr;
}

bool TMenuItemModel::SameAs(const IPtr<IInterface>& AItem) {
  IPtr<IMenuItem> Item = Supports<IMenuItem>(AItem);
  return Item && InterfaceObject(Item.Get()) == this;
}

IPtr<IMenuItem> TMenuItemModel::Find(const String& ACaption) {
  for (const IPtr<TMenuItemModel>& Item : FItems)
    if (SameText(Item->GetCaption(), ACaption)) return Item;
  return nullptr;
}

IPtr<IMenuItem> TMenuItemModel::FindByName(const String& AName) {
  for (const IPtr<TMenuItemModel>& Item : FItems)
    if (!AName.empty() && SameText(Item->FName, AName)) return Item;
  return nullptr;
}

IPtr<IMenuItem> TMenuItemModel::Items(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return FItems[static_cast<size_t>(Index)];
}

void TMenuItemModel::Clear() {
  for (const IPtr<TMenuItemModel>& Item : FItems) Item->FParent = nullptr;
  FItems.clear();
}

IPtr<TMenuItemModel> TMenuItemModel::Append(IPtr<TMenuItemModel> Item) {
  Item->FParent = this;
  FItems.push_back(Item);
  return Item;
}

IPtr<IMenuItem> TMenuItemModel::AddItem(const String& ACaption, uint16_t AShortCut, bool AChecked,
                                        bool AEnabled, const TMenuClickProc& AOnClick, const String& AName) {
  IPtr<TMenuItemModel> Item = MakeIntf<TMenuItemModel>(ACaption, AName);
  Item->FShortCut = AShortCut;
  Item->FChecked = AChecked;
  Item->FEnabled = AEnabled;
  Item->FOnClick = AOnClick;
  return Append(Item);
}

IPtr<IMenuItem> TMenuItemModel::AddItem(TComponent* AAction, const String& AName) {
  IPtr<TMenuItemModel> Item = MakeIntf<TMenuItemModel>(String(), AName);
  Item->FAction = AAction;
  return Append(Item);
}

IPtr<IMenuItem> TMenuItemModel::AddLine(const String& AName) {
  IPtr<TMenuItemModel> Item = MakeIntf<TMenuItemModel>("-", AName);
  Item->FLine = true;
  return Append(Item);
}

String TMenuItemModel::GetCaption() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? A->Caption() : FCaption;
}

bool TMenuItemModel::GetChecked() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? A->Checked() : FChecked;
}

bool TMenuItemModel::GetEnabled() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? A->Enabled() : FEnabled;
}

String TMenuItemModel::GetHint() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? A->Hint() : FHint;
}

uint16_t TMenuItemModel::GetShortCut() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? static_cast<uint16_t>(A->ShortCut()) : FShortCut;
}

bool TMenuItemModel::GetVisible() {
  const orx::TContainedAction* A = LookOf(FAction);
  return A ? A->Visible() : FVisible;
}

void TMenuItemModel::Click() {
  if (FLine || !GetEnabled()) return;
  // Keeps the item alive should the handler clear the menu it sits in.
  IPtr<TMenuItemModel> Self(this);
  if (auto* Action = dynamic_cast<orx::TBasicAction*>(FAction)) {
    Action->Execute();
  } else if (FOnClick) {
    FOnClick(this);
  }
}

IPtr<IMenuItem> TMenuItemModel::GetParent() { return IPtr<IMenuItem>(FParent); }

}  // namespace formwright
