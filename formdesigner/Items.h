// Items: the objects of a designed module as a design surface shows them. Every item wraps one
// persistent; two items are the same when they wrap the same object.
//
// `TPersistentItem` is the base of all items, `TInternalItem` adds what the form designer uses
// privately (children, marks, order), `TComponentItem` is the item of a component and
// `TNonControlItem` the item of a persistent that is not a visual control. A concrete surface
// derives its control and icon items from `TComponentItem` and answers the geometry.
#pragma once

#include "contracts/HostIntf.h"
#include "formdesigner/SurfaceIntf.h"

namespace formwright {

// Raised when a persistent that is not a component is to be deleted from the designer; a
// delete of the selection goes on without it (but cannot be undone).
FW_EXCEPTION(ECannotDeleteNonComponentException, EComponentDesignerException);

inline constexpr const char* sCannotDeleteAncestor =
    "Selection contains a component, %s, introduced in an ancestor and cannot be deleted";
inline constexpr const char* sCannotDeleteNonComponent = "Cannot delete a TPersistent from the designer";
inline constexpr const char* sCannotDeleteRoot = "%s is the module's root component and cannot be deleted";

// Base of every item: holds the wrapped persistent and the module context. The base has no
// geometry (empty rectangles, no parent, identity coordinate mapping), cannot be deleted and
// is not selectable; descendants answer for what they show.
class TPersistentItem : public TInterfacedObject, public IPersistentItem, public virtual IItem {
  FW_CLASS(TPersistentItem, TInterfacedObject)
 public:
  // `Context` may be null for items that need no module knowledge.
  TPersistentItem(TPersistent* APersistent, IPtr<IItemContext> Context);

  TPersistent* GetItem() override { return FPersistent; }
  String GetNamePath() override { return FPersistent->GetNamePath(); }

  // True for this item and for every item whose chain of parents reaches it.
  bool Contains(const IPtr<IItem>& Item) override;
  // Validates, then frees the wrapped object when it is a component.
  void Delete() override;
  TPoint GlobalToLocal(TPoint Point) override { return Point; }
  TPoint LocalToGlobal(TPoint Point) override { return Point; }
  // True when `Item` wraps the same object. Final, so that lists may compare items of this
  // family by their objects.
  bool Equals(const IPtr<IItem>& Item) final;
  TRect GetBoundsRect() override { return {}; }
  TRect GetExtendedRect() override { return GetBoundsRect(); }
  TRect GetClientRect() override { return {}; }
  IPtr<IItem> GetParent() override { return nullptr; }
  bool IsContainer() override { return false; }
  bool HasSelectableChildren() override { return false; }
  void SetBoundsRect(const TRect& Rect) override {}
  bool Selectable() override { return false; }
  // Always raises ECannotDeleteNonComponentException in the base.
  void ValidateDeletable() override;
  // Runs the default action of the item's component editor, when it has one.
  void Edit() override;

  const IPtr<IItemContext>& Context() const noexcept { return FContext; }

 protected:
  // A new component editor for the wrapped object; null in the base.
  virtual IPtr<IComponentEditor> CreateEditor() { return nullptr; }

 private:
  TPersistent* FPersistent;
  IPtr<IItemContext> FContext;
};

// An item with the form designer's private operations. Without children, order or
// presentation of its own: descendants that show children answer them.
class TInternalItem : public TPersistentItem, public IInternalItem {
  FW_CLASS(TInternalItem, TPersistentItem)
 public:
  using TPersistentItem::TPersistentItem;

  // Raises EListError in the base (no children).
  IPtr<IItem> GetChildren(int Index) override;
  int GetChildCount() override { return 0; }
  IPtr<IComponentEditor> GetEditor() override { return CreateEditor(); }
  bool GetMarked() override { return FMarked; }
  void SetMarked(bool Value) override { FMarked = Value; }
  void SetParent(const IPtr<IItem>& Item) override {}
  void Show() override {}
  void ZOrder(bool ToFront) override {}
  void FlipChildren(bool AllLevels) override {}

 private:
  bool FMarked = false;
};

// The item of a component. Selectable when the component is the module's root, has no owner,
// is owned by the root, or is owned by a component whose children are selectable (an embedded
// frame instance). A component introduced in an ancestor module cannot be deleted.
class TComponentItem : public TInternalItem {
  FW_CLASS(TComponentItem, TInternalItem)
 public:
  TComponentItem(TPersistent* APersistent, IPtr<IItemContext> Context);

  // The wrapped object as a component (null when it is none).
  TComponent* Component() const noexcept { return FComponent; }
  bool Selectable() override;
  // Raises EComponentDesignerException for a component of an ancestor module.
  void ValidateDeletable() override;
  // Frees the component; the module's root component is refused (EComponentDesignerException),
  // since only closing the module frees it.
  void Delete() override;

 protected:
  // The ancestor rule shared with TNonControlItem.
  void ValidateComponentDeletable();
  IPtr<IComponentEditor> CreateEditor() override;

 private:
  TComponent* FComponent;
};

// The item of a persistent that is not a visual control (a menu item, a collection item):
// never selectable on the surface and never deleted from it.
class TNonControlItem : public TComponentItem {
  FW_CLASS(TNonControlItem, TComponentItem)
 public:
  using TComponentItem::TComponentItem;
  bool Selectable() override { return false; }
  // The ancestor rule for components, then always ECannotDeleteNonComponentException.
  void ValidateDeletable() override;
};

// True when both references are the same object; false when either is null; else A.Equals(B).
bool SameItem(const IPtr<IItem>& A, const IPtr<IItem>& B);
// The wrapped persistent of an item (null when it wraps none).
TPersistent* ExtractPersistent(const IPtr<IItem>& Item);
// The wrapped persistent when it is a component (null otherwise).
TComponent* ExtractComponent(const IPtr<IItem>& Item);

}  // namespace formwright
