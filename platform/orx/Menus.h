// Menus: a tree of menu items under a main menu or a popup menu. Menu items are components
// owned by the module; the tree is kept beside ownership, as the control tree is: an item
// frees its sub-items when it is freed.
#pragma once

#include <vector>

#include "platform/orx/ActnList.h"

namespace formwright::orx {

class TMenu;

FW_EXCEPTION(EMenuError, Exception);

// One entry of a menu: caption ("-" for a separator), shortcut, check mark, sub-items.
class TMenuItem : public TComponent {
  FW_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TMenuItem>& C);

  // ----- the item tree
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  // Raises EMenuError for a bad index.
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const noexcept { return FParent; }
  // The menu whose tree holds the item (null when none does).
  TMenu* GetParentMenu() const noexcept;
  // Inserts `Item` at `Index`; raises EMenuError for a bad index, an item already in a menu,
  // or this item or one of its parents. Nothing changes then.
  void Insert(int Index, TMenuItem* Item);
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  // Takes the item at `Index` out of the tree without freeing it.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const noexcept;
  int MenuIndex() const noexcept { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int Value);
  // The sub-item whose caption (without '&') equals `ACaption` ignoring case.
  TMenuItem* Find(std::string_view ACaption) const;
  bool IsLine() const noexcept { return FCaption == "-"; }

  // ----- values
  const String& Caption() const noexcept { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool Value) noexcept { FEnabled = Value; }
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool Value) noexcept { FVisible = Value; }
  TShortCut ShortCut() const noexcept { return FShortCut; }
  void SetShortCut(TShortCut Value) noexcept { FShortCut = Value; }
  const String& Hint() const noexcept { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  THelpContext HelpContext() const noexcept { return FHelpContext; }
  void SetHelpContext(THelpContext Value) noexcept { FHelpContext = Value; }
  TImageIndex ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(TImageIndex Value) noexcept { FImageIndex = Value; }
  uint8_t GroupIndex() const noexcept { return FGroupIndex; }
  void SetGroupIndex(uint8_t Value) noexcept { FGroupIndex = Value; }
  // A checked radio item unchecks the other radio items of its group.
  bool RadioItem() const noexcept { return FRadioItem; }
  void SetRadioItem(bool Value) noexcept { FRadioItem = Value; }
  bool AutoCheck() const noexcept { return FAutoCheck; }
  void SetAutoCheck(bool Value) noexcept { FAutoCheck = Value; }
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool Value) noexcept { FDefault = Value; }

  TBasicAction* Action() const noexcept { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(TBasicAction* Value);
  TBasicActionLink* ActionLink() const noexcept { return FActionLink.get(); }
  bool IsCaptionStored() const { return !FActionLink || !FActionLink->IsCaptionLinked(); }
  bool IsCheckedStored() const { return !FActionLink || !FActionLink->IsCheckedLinked(); }
  bool IsEnabledStored() const { return !FActionLink || !FActionLink->IsEnabledLinked(); }
  bool IsShortCutStored() const { return !FActionLink || !FActionLink->IsShortCutLinked(); }
  bool IsOnClickStored() const { return !FActionLink || !FActionLink->IsOnExecuteLinked(); }

  // Runs the item (not while designing, not when disabled): toggles an auto-check item, then
  // runs OnClick or the linked action.
  virtual void Click();

  // ----- streaming
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  // Lists the sub-items owned by `Root`, in menu order.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TNotifyEvent FOnClick;

 protected:
  void BeforeDestruction() override;

 private:
  friend class TMenu;
  friend class TMenuActionLink;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on a menu's root item only
  std::vector<TMenuItem*> FItems;
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TShortCut FShortCut = TShortCut(0);
  String FHint;
  THelpContext FHelpContext = THelpContext(0);
  TImageIndex FImageIndex = TImageIndex(-1);
  uint8_t FGroupIndex = 0;
  bool FRadioItem = false;
  bool FAutoCheck = false;
  bool FDefault = false;
  TOwned<TBasicActionLink> FActionLink;
};

// A menu: its root item holds the top-level items.
class TMenu : public TComponent {
  FW_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* AOwner);
  TMenuItem* Items() const noexcept { return FItems.get(); }
  // The item with that shortcut at any level (null when none).
  TMenuItem* FindItem(TShortCut ShortCut) const;
  // Clicks the enabled, visible item with that shortcut; true when one was found.
  bool IsShortCut(TShortCut ShortCut);
  // Lists the top-level items owned by `Root`.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

 private:
  TOwned<TMenuItem> FItems;
};

class TMainMenu : public TMenu {
  FW_CLASS(TMainMenu, TMenu)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  static void DeclarePublished(TClassBuilder<TMainMenu>& C);
  bool AutoMerge() const noexcept { return FAutoMerge; }
  void SetAutoMerge(bool Value) noexcept { FAutoMerge = Value; }

 private:
  bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
  FW_CLASS(TPopupMenu, TMenu)
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  static void DeclarePublished(TClassBuilder<TPopupMenu>& C);
  bool AutoPopup() const noexcept { return FAutoPopup; }
  void SetAutoPopup(bool Value) noexcept { FAutoPopup = Value; }
  // Headless popup: records the component it pops up for and runs OnPopup.
  void Popup(int32_t X, int32_t Y);
  TComponent* PopupComponent() const noexcept { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TPoint PopupPoint() const noexcept { return FPopupPoint; }

  TNotifyEvent FOnPopup;

 private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
};

}  // namespace formwright::orx
