// Controls that offer a choice: radio buttons (one checked among the radio buttons of a
// parent), group boxes that frame and caption a group of controls, and combo boxes (an edit
// with a drop-down list of items).
#pragma once

#include "platform/orx/ListBoxes.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

// A radio button. Checking it unchecks the other radio buttons of its parent, and clicks it;
// unchecking changes no other button.
class TRadioButton : public TButtonControl {
  FW_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TRadioButton>& C);
  bool Checked() const override { return FChecked; }
  void SetChecked(bool Value) override;
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value) noexcept { FAlignment = Value; }

  // A round box (with a dot when checked) and the caption on the side Alignment says.
  void PaintTo(TCanvas& Canvas) override;

 private:
  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};

// A framed group of controls with a caption in its top edge. Its children are placed from
// its top-left corner; aligned children keep inside the frame and below the caption.
class TCustomGroupBox : public TCustomControl {
  FW_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void AdjustClientRect(TRect& Rect) const override;

 protected:
  // An etched frame whose top runs through the middle of the caption's line; the caption
  // at the left, on the background.
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  FW_CLASS(TGroupBox, TCustomGroupBox)
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
  static void DeclarePublished(TClassBuilder<TGroupBox>& C);
};

// How a combo box takes text: typed or picked (csDropDown), picked only (csDropDownList:
// Text is always the selected item's), or typed with the list always shown (csSimple).
FW_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

// A combo box: Items, the selected ItemIndex (-1: none) and the Text in its edit. Selecting
// an item shows its text; typing the text of an item selects it (the first of equals), any
// other text selects none (a drop-down list then keeps its selection and text). Sorted keeps
// the items in alphabetical order, the selection following its item.
class TCustomComboBox : public TWinControl {
  FW_CLASS(TCustomComboBox, TWinControl)
 public:
  explicit TCustomComboBox(TComponent* AOwner);

  TStrings* Items() const noexcept { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int32_t ItemIndex() const noexcept { return FItemIndex; }
  // Raises EInvalidArgument (SItemIndexOutOfRange) for an index below -1 or past the items;
  // the selection and the text stay. While loading the index is kept as read and applied
  // once loading ends.
  void SetItemIndex(int32_t Value);
  TComboBoxStyle Style() const noexcept { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const noexcept { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  // How many items the open list shows before it scrolls (at least 1).
  int32_t DropDownCount() const noexcept { return FDropDownCount; }
  // Raises EInvalidArgument below 1.
  void SetDropDownCount(int32_t Value);

  TNotifyEvent FOnChange;

  // A sunken white box with the text and, unless simple, the drop-down button at its right.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  void TextChanged() override;
  void Loaded() override;

 private:
  void ItemsChanged();
  // Selects Index and shows its text (none: keeps the text).
  void Select(int32_t Index);
  TOwned<TStringList> FItems;
  int32_t FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  int32_t FDropDownCount = 8;
  bool FSyncing = false;
};

class TComboBox : public TCustomComboBox {
  FW_CLASS(TComboBox, TCustomComboBox)
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
  static void DeclarePublished(TClassBuilder<TComboBox>& C);
};

}  // namespace formwright::orx
