#include "platform/orx/Choices.h"

#include <algorithm>
#include <cstdlib>

#include "platform/runtime/Scoped.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TRadioButton, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCustomGroupBox, "Orx.StdCtrls")
FW_REGISTER_CLASS(TGroupBox, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCustomComboBox, "Orx.StdCtrls")
FW_REGISTER_CLASS(TComboBox, "Orx.StdCtrls")

// ----- Radio buttons --------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse});
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::DeclarePublished(TClassBuilder<TRadioButton>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Action", &TRadioButton::Action, &TRadioButton::SetAction);
  C.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
  C.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
      .As<TCaption>()
      .Stored(&TRadioButton::IsCaptionStored);
  C.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
      .Default(false)
      .Stored(&TRadioButton::IsCheckedStored);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  // A form being read checks what its stream says: it clicks nothing and unchecks nothing.
  if (!Value || ComponentState().Contains(csLoading)) return;
  if (TWinControl* P = Parent())
    for (int I = 0; I < P->ControlCount(); ++I)
      if (auto* Other = dynamic_cast<TRadioButton*>(P->Controls(I)); Other && Other != this)
        Other->FChecked = false;
  if (!FClicksDisabled) Click();
}

// ----- Group boxes ----------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                   csReplicatable, csParentBackground});
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::DeclarePublished(TClassBuilder<TGroupBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, true);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption)
      .As<TCaption>()
      .Stored(&TGroupBox::IsCaptionStored);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) const {
  // Inside the two-pixel frame, below the caption's line. The line is the font's pixel height
  // plus a margin, so that layout does not depend on the machine's fonts.
  const int32_t CaptionHeight = std::abs(Font()->Height()) + 4;
  Rect = {Rect.Left + 2, Rect.Top + CaptionHeight, std::max(Rect.Left + 2, Rect.Right - 2),
          std::max(Rect.Top + CaptionHeight, Rect.Bottom - 2)};
}

// ----- Combo boxes ----------------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(new TStringList) {
  SetControlStyle({csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse});
  SetBounds(0, 0, 145, 23);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

void TComboBox::DeclarePublished(TClassBuilder<TComboBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount).Default(8);
  C.Property("Style", &TComboBox::Style, &TComboBox::SetStyle).Default(csDropDown);
  // Items come before ItemIndex, Sorted and Text, so a stream selects and sorts items it has
  // read, and the text it read wins over the selected item's.
  C.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  C.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex).Default(-1);
  C.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  C.Property("Text", &TComboBox::Text, &TComboBox::SetText).As<TCaption>();
  C.Property("OnChange", &TComboBox::FOnChange, &TComboBox::FOnChange);
}

void TCustomComboBox::Select(int32_t Index) {
  FItemIndex = Index;
  if (Index < 0) return;
  TValueScope<bool> Syncing(FSyncing, true);
  SetText(FItems->Get(Index));
}

void TCustomComboBox::SetItemIndex(int32_t Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1 || Value >= FItems->Count())
    throw EInvalidArgument(Format(SItemIndexOutOfRange, Value, FItems->Count()));
  Select(Value);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  FStyle = Value;
  // A drop-down list shows only an item's text.
  if (FStyle == csDropDownList && !ComponentState().Contains(csLoading) && FItemIndex < 0 &&
      !Text().empty()) {
    TValueScope<bool> Syncing(FSyncing, true);
    SetText(String());
  }
}

void TCustomComboBox::SetDropDownCount(int32_t Value) {
  if (Value < 1) throw EInvalidArgument(Format("DropDownCount cannot be %d", Value));
  FDropDownCount = Value;
}

void TCustomComboBox::TextChanged() {
  TWinControl::TextChanged();
  if (FSyncing || ComponentState().Contains(csLoading)) return;
  const int32_t Index = FItems->IndexOf(Text());
  if (Index >= 0 && FItems->Get(Index) != Text()) {
    // IndexOf ignores case; the text must be the item's exactly.
    FItemIndex = -1;
    for (int32_t I = 0; I < FItems->Count(); ++I)
      if (FItems->Get(I) == Text()) {
        FItemIndex = I;
        break;
      }
  } else {
    FItemIndex = Index;
  }
  if (CanFire() && FOnChange) FOnChange(this);
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  if (FItemIndex < -1 || FItemIndex >= FItems->Count()) FItemIndex = -1;
  // The text read wins, unless it is empty or the style shows items only.
  if (FItemIndex >= 0 && (Text().empty() || FStyle == csDropDownList)) Select(FItemIndex);
}

void TCustomComboBox::ItemsChanged() {
  if (FItemIndex < 0 || ComponentState().Contains(csLoading)) return;
  // The selected item may have moved (a sort) or gone: select it where it is now, else none.
  if (FItemIndex < FItems->Count() && FItems->Get(FItemIndex) == Text()) return;
  FItemIndex = -1;
  for (int32_t I = 0; I < FItems->Count(); ++I)
    if (FItems->Get(I) == Text()) {
      FItemIndex = I;
      break;
    }
}

}  // namespace formwright::orx
