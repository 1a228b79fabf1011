// The items of the Orx design surface: controls, the icons of non-visual components, and the
// root of a module that is not a control (a data module). Each item reaches its surface through
// the surface's item context, which forgets the surface when the surface goes away; items kept
// longer (in a selection list) then answer without parents or children.
#pragma once

#include "formdesigner/Items.h"
#include "platform/orx/Controls.h"

namespace formwright {

class TOrxDesignSurface;

// Size of the icon that stands for a non-visual component on the surface.
inline constexpr int NonVisualIconSize = 28;

// The position a non-visual component keeps in its DesignInfo: left in the low 16 bits, top in
// the high 16 bits, each a signed 16-bit number.
TPoint DesignInfoPosition(int32_t DesignInfo) noexcept;
int32_t DesignInfoFromPosition(TPoint Position) noexcept;

// A drag image the surface can draw: a picture of the item at its size, which the surface's drag
// boxes lay by exclusive-or over the picture of the form (so drawing it twice takes it off).
struct IOrxDragImage : virtual IDragImage {
  FW_INTERFACE(IOrxDragImage, IDragImage, "{5C1D7E20-2A4B-4F61-8E3D-0A9B7C6D5E41}")
  // Paints the item's look with its top-left corner at the canvas's origin, GetSize() big.
  virtual void PaintImage(orx::TCanvas& Canvas) = 0;
};

// The module context of the surface's items: the design root, frame instances, editors.
class TOrxItemContext : public TInterfacedObject, public IItemContext {
  FW_CLASS(TOrxItemContext, TInterfacedObject)
 public:
  explicit TOrxItemContext(TOrxDesignSurface* Surface) noexcept : FSurface(Surface) {}
  TComponent* GetDesignRoot() override;
  bool HasSelectableChildren(TComponent* Component) override;
  IPtr<IComponentEditor> GetComponentEditor(TComponent* Component) override;
  // The surface; null once it went away.
  TOrxDesignSurface* Surface() const noexcept { return FSurface; }
  void Detach() noexcept { FSurface = nullptr; }

 private:
  TOrxDesignSurface* FSurface;
};

// Base of the surface's items: the item of another persistent on the same surface, and the
// surface-order children that a container item shows.
class TOrxItem : public TComponentItem {
  FW_CLASS(TOrxItem, TComponentItem)
 public:
  TOrxItem(TComponent* AComponent, IPtr<TOrxItemContext> Context);
  IPtr<IItem> GetChildren(int Index) override;
  int GetChildCount() override { return static_cast<int>(ChildComponents().size()); }

 protected:
  // The item of `Persistent` on the same surface (null when the surface went away).
  IPtr<IItem> ItemOf(TPersistent* Persistent) const;
  // The components whose items are this item's children, in display order.
  virtual std::vector<TComponent*> ChildComponents() { return {}; }
  // The root's non-visual components that show as icons, in owner order.
  std::vector<TComponent*> IconComponents() const;
  const IPtr<TOrxItemContext>& OrxContext() const noexcept { return FOrxContext; }

 private:
  IPtr<TOrxItemContext> FOrxContext;
};

// The item of a control: its bounds, client area and coordinates are the control's; its parent
// is the item of the parent control (the root item for a control without one); a control that
// accepts controls is a container; its children are its child controls bottom-most first, then,
// for the root, the icons of the non-visual components.
//
// While dragged, a control draws itself (IItem2D: the drag shows the control, not an outline)
// with its own look as the picture (IOrxDragImage).
class TOrxControlItem : public TOrxItem, public IItemEx, public IItem2D, public IOrxDragImage {
  FW_CLASS(TOrxControlItem, TOrxItem)
 public:
  TOrxControlItem(orx::TControl* AControl, IPtr<TOrxItemContext> Context);
  orx::TControl* Control() const noexcept { return FControl; }

  // Every control takes part in alignment guidelines, with the guidelines registered for its
  // class, in the client coordinates of the module's root.
  bool GetGuidelinesEnabled() override { return true; }
  IPtr<IItemGuidelines> GetGuidelines() override;

  // ----- IItem2D, IOrxDragImage
  IPtr<IItem> GetDraggedItem() override { return IPtr<IItem>(this); }
  TSize GetSize() override { return {FControl->Width(), FControl->Height()}; }
  // The control and its children as the form shows them.
  void PaintImage(orx::TCanvas& Canvas) override;

  TPoint GlobalToLocal(TPoint Point) override { return FControl->ScreenToClient(Point); }
  TPoint LocalToGlobal(TPoint Point) override { return FControl->ClientToScreen(Point); }
  TRect GetBoundsRect() override { return FControl->BoundsRect(); }
  TRect GetClientRect() override { return FControl->ClientRect(); }
  IPtr<IItem> GetParent() override;
  bool IsContainer() override;
  bool HasSelectableChildren() override;
  // Moves and sizes the control (its constraints may limit the size).
  void SetBoundsRect(const TRect& Rect) override { FControl->SetBoundsRect(Rect); }
  // Moves the control into the control of `Item`, which must be a windowed control; raises
  // EInvalidOperation otherwise, leaving the control where it was.
  void SetParent(const IPtr<IItem>& Item) override;
  // Brings the control to the front or sends it to the back among its parent's controls.
  void ZOrder(bool ToFront) override { FControl->SetZOrder(ToFront); }
  void FlipChildren(bool AllLevels) override;

 protected:
  std::vector<TComponent*> ChildComponents() override;

 private:
  orx::TControl* FControl;
};

// The icon of a non-visual component: a fixed-size square whose top-left corner is kept in the
// component's DesignInfo; its parent is the root item. Moving it writes DesignInfo; its size
// never changes. Dragged, it shows its icon as its drag image.
class TOrxIconItem : public TOrxItem, public IOrxDragImage {
  FW_CLASS(TOrxIconItem, TOrxItem)
 public:
  using TOrxItem::TOrxItem;
  TSize GetSize() override { return {NonVisualIconSize, NonVisualIconSize}; }
  // The icon without the name under it.
  void PaintImage(orx::TCanvas& Canvas) override;
  TPoint GlobalToLocal(TPoint Point) override;
  TPoint LocalToGlobal(TPoint Point) override;
  TRect GetBoundsRect() override;
  TRect GetClientRect() override { return Bounds(0, 0, NonVisualIconSize, NonVisualIconSize); }
  IPtr<IItem> GetParent() override;
  // Takes the rectangle's top-left corner as the icon's position.
  void SetBoundsRect(const TRect& Rect) override;
  // Moves the component to the end (front) or the start (back) of its owner's components.
  void ZOrder(bool ToFront) override;
};

// The item of a root component that is not a control (a data module): a container of the
// design size whose children are the icons.
class TOrxModuleItem : public TOrxItem {
  FW_CLASS(TOrxModuleItem, TOrxItem)
 public:
  using TOrxItem::TOrxItem;
  TRect GetBoundsRect() override;
  TRect GetClientRect() override;
  bool IsContainer() override { return true; }
  // A data module takes the rectangle's size as its design size.
  void SetBoundsRect(const TRect& Rect) override;

 protected:
  std::vector<TComponent*> ChildComponents() override { return IconComponents(); }
};

}  // namespace formwright
