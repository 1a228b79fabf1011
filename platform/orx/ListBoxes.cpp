#include "platform/orx/ListBoxes.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCustomListBox, "Orx.ListBoxes")
FW_REGISTER_CLASS(TListBox, "Orx.ListBoxes")

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(new TStringList) {
  SetControlStyle({csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

void TListBox::DeclarePublished(TClassBuilder<TListBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Columns", &TListBox::Columns, &TListBox::SetColumns).Default(0);
  C.Property("IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight).Default(false);
  C.Property("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight).Default(16);
  // Items come before ItemIndex and Sorted, so a stream selects and sorts items it has read.
  C.Property("Items", &TListBox::Items, &TListBox::SetItems);
  C.Property("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex).Default(-1);
  C.Property("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect).Default(false);
  C.Property("Sorted", &TListBox::Sorted, &TListBox::SetSorted).Default(false);
}

void TCustomListBox::SetItemIndex(int32_t Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= Count()) throw EInvalidArgument(Format(SItemIndexOutOfRange, Value, Count()));
  FItemIndex = Value;
  FSelectedText = Value < 0 ? String() : FItems->Get(Value);
}

void TCustomListBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TCustomListBox::SetColumns(int32_t Value) {
  if (Value < 0) throw EInvalidArgument(Format("Columns cannot be %d", Value));
  FColumns = Value;
}

void TCustomListBox::SetItemHeight(int32_t Value) {
  if (Value < 1) throw EInvalidArgument(Format("ItemHeight cannot be %d", Value));
  FItemHeight = Value;
}

void TCustomListBox::Loaded() {
  TWinControl::Loaded();
  if (FItemIndex < -1 || FItemIndex >= Count()) FItemIndex = -1;
  FSelectedText = FItemIndex < 0 ? String() : FItems->Get(FItemIndex);
}

void TCustomListBox::ItemsChanged() {
  if (FItemIndex < 0 || ComponentState().Contains(csLoading)) return;
  // The selected item may have moved (a sort) or gone: select it where it is now, else none.
  if (FItemIndex < Count() && FItems->Get(FItemIndex) == FSelectedText) return;
  FItemIndex = FItems->IndexOf(FSelectedText);
  if (FItemIndex < 0) FSelectedText.clear();
}

}  // namespace formwright::orx
