// List boxes of the Orx framework: a scrolling list of text items of which one (or, with
// MultiSelect, several) can be selected.
#pragma once

#include "platform/orx/Controls.h"
#include "platform/orx/Menus.h"
#include "platform/runtime/Lists.h"

namespace formwright::orx {

// The message for an item index outside the items (-1 selects none).
inline constexpr const char* SItemIndexOutOfRange = "Item index %d is out of range: the list has %d items";

// A list of text items. Items are the list's strings; ItemIndex the selected item (-1: none).
// Sorted keeps the items in alphabetical order (ignoring case), the selection following its
// item. Changing the items keeps ItemIndex on an item that still exists, else selects none.
class TCustomListBox : public TWinControl {
  FW_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);

  TStrings* Items() const noexcept { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int32_t Count() const noexcept { return FItems->Count(); }
  int32_t ItemIndex() const noexcept { return FItemIndex; }
  // Raises EInvalidArgument (SItemIndexOutOfRange) for an index below -1 or past the items;
  // the selection stays. While the list box is read from a stream the index is kept as read
  // (a form may give it before the items) and checked once loading ends.
  void SetItemIndex(int32_t Value);
  bool Sorted() const noexcept { return FItems->Sorted(); }
  void SetSorted(bool Value);
  bool MultiSelect() const noexcept { return FMultiSelect; }
  void SetMultiSelect(bool Value) noexcept { FMultiSelect = Value; }
  // Items flow into this many columns (0: one column that scrolls vertically).
  int32_t Columns() const noexcept { return FColumns; }
  // Raises EInvalidArgument below 0.
  void SetColumns(int32_t Value);
  // The height of one item, in pixels (at least 1).
  int32_t ItemHeight() const noexcept { return FItemHeight; }
  // Raises EInvalidArgument below 1.
  void SetItemHeight(int32_t Value);
  // Whether the height is kept a whole number of items.
  bool IntegralHeight() const noexcept { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) noexcept { FIntegralHeight = Value; }
  // A sunken white box with one item a row (flowing into Columns when set), the selected
  // item highlighted.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  // Applies the index read with the items: an index past them selects none.
  void Loaded() override;

 private:
  void ItemsChanged();
  TOwned<TStringList> FItems;
  int32_t FItemIndex = -1;
  String FSelectedText;  // the selected item's text, so the selection follows a sort
  bool FMultiSelect = false;
  int32_t FColumns = 0;
  int32_t FItemHeight = 16;
  bool FIntegralHeight = false;
};

class TListBox : public TCustomListBox {
  FW_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  static void DeclarePublished(TClassBuilder<TListBox>& C);
};

}  // namespace formwright::orx
