// The reference host's menu model: menu items with a caption, a state, a click handler or a
// bound action, and sub-items. Editors fill such items with their verbs and submenus; tools
// and tests read them back and click them.
#pragma once

#include <vector>

#include "contracts/EditorIntf.h"

namespace formwright {

// One menu item (or a whole menu: an item without parent whose sub-items are the entries).
//
// An item bound to an action shows the action's caption, hint, shortcut and its checked,
// enabled and visible states while the action is one of the framework's contained actions,
// and clicking it executes the action. The action is not owned: it must outlive the item (the
// host's main action list lives as long as the IDE). Sub-items are owned by their parent
// through reference counting; a sub-item kept after its parent went has no parent any more.
class TMenuItemModel : public TInterfacedObject, public IMenuItem {
  FW_CLASS(TMenuItemModel, TInterfacedObject)
 public:
  // A free-standing item (a menu's top).
  explicit TMenuItemModel(const String& ACaption = String(), const String& AName = String());
  ~TMenuItemModel() override;

  // IMenuItems
  bool SameAs(const IPtr<IInterface>& AItem) override;
  IPtr<IMenuItem> Find(const String& ACaption) override;
  IPtr<IMenuItem> FindByName(const String& AName) override;
  int Count() override { return static_cast<int>(FItems.size()); }
  IPtr<IMenuItem> Items(int Index) override;
  void Clear() override;
  IPtr<IMenuItem> AddItem(const String& ACaption, uint16_t AShortCut, bool AChecked, bool AEnabled,
                          const TMenuClickProc& AOnClick, const String& AName) override;
  IPtr<IMenuItem> AddItem(TComponent* AAction, const String& AName) override;
  IPtr<IMenuItem> AddLine(const String& AName) override;

  // IMenuItem
  String GetCaption() override;
  void SetCaption(const String& Value) override { FCaption = Value; }
  bool GetChecked() override;
  void SetChecked(bool Value) override { FChecked = Value; }
  bool GetEnabled() override;
  void SetEnabled(bool Value) override { FEnabled = Value; }
  int GetGroupIndex() override { return FGroupIndex; }
  void SetGroupIndex(int Value) override { FGroupIndex = Value; }
  String GetHint() override;
  void SetHint(const String& Value) override { FHint = Value; }
  String GetName() override { return FName; }
  bool GetRadioItem() override { return FRadioItem; }
  void SetRadioItem(bool Value) override { FRadioItem = Value; }
  uint16_t GetShortCut() override;
  void SetShortCut(uint16_t Value) override { FShortCut = Value; }
  bool GetVisible() override;
  void SetVisible(bool Value) override { FVisible = Value; }
  TComponent* GetAction() override { return FAction; }
  bool IsLine() override { return FLine; }
  // Executes the bound action, else calls the click handler with this item as sender; a
  // divider or a disabled item does nothing.
  void Click() override;
  IPtr<IMenuItem> GetParent() override;

 private:
  IPtr<TMenuItemModel> Append(IPtr<TMenuItemModel> Item);
  String FCaption;
  String FName;
  String FHint;
  uint16_t FShortCut = 0;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FLine = false;
  int FGroupIndex = 0;
  TMenuClickProc FOnClick;
  TComponent* FAction = nullptr;
  TMenuItemModel* FParent = nullptr;  // not owned; cleared when the parent goes
  std::vector<IPtr<TMenuItemModel>> FItems;
};

}  // namespace formwright
