// Alignment guidelines during a drag: the guides the other items offer, the dragged item's own
// guidelines and its wrapper, and the rules that snap an edge to a guide and show the guides an
// item meets.
//
// Every position here is in the client coordinates of the surface's container item, which are
// the surface's own coordinates (the container is the root item).
#pragma once

#include <vector>

#include "formdesigner/SurfaceIntf.h"

namespace formwright {

// One guideline of another item, collected when a drag starts.
struct TGuideInstance {
  int Position;
  TGuideType Kind;
  // The item that offers the guide, its guidelines, its bounds and its extended rectangle.
  IPtr<IItem> Item;
  IPtr<IItemGuidelines> Guidelines;
  TRect Extent;
  TRect Extended;
};
using TGuideList = std::vector<TGuideInstance>;

// The dragged item's guidelines: every gtBaseline first in their order, then all others in
// theirs. Guidelines without a position (NoGuideline) are left out.
class TItemGuidelinesSorter {
 public:
  struct TEntry {
    TGuideType Kind;
    int Offset;
  };
  explicit TItemGuidelinesSorter(const IPtr<IItemGuidelines>& Guidelines);
  const std::vector<TEntry>& Entries() const noexcept { return FEntries; }

 private:
  std::vector<TEntry> FEntries;
};

// The dragged item during a drag. It keeps the item's place when the drag started and learns the
// drag's offset (the mouse delta) and, for a size drag, its current rectangle (in the item's
// parent's coordinates); it answers the item's rectangles where the drag has them now.
class TItemWrapper : public TInterfacedObject, public IItemWrapper {
  FW_CLASS(TItemWrapper, TInterfacedObject)
 public:
  // `Item` and `Container` must not be null. `Sizing`: the rectangles follow SetRect, else they
  // are the starting ones shifted by the offset.
  TItemWrapper(const IPtr<IItem>& Item, const IPtr<IItem>& Container, bool Sizing);
  void SetOffset(TPoint Value) override { FOffset = Value; }
  void SetRect(const TRect& Value) override { FRect = Value; }

  TPoint Offset() const noexcept { return FOffset; }
  TRect Rect() const;
  TRect ExtendedRect() const;
  // The item's bounds when the drag started.
  TRect StartRect() const noexcept { return FStart; }
  const IPtr<IItem>& Item() const noexcept { return FItem; }
  const IPtr<IItem>& Parent() const noexcept { return FParent; }
  // The parent's client area.
  TRect ParentClient() const noexcept { return FParentClient; }

 private:
  IPtr<IItem> FItem;
  IPtr<IItem> FParent;
  bool FSizing;
  TPoint FOffset;
  TRect FRect;          // parent coordinates (size drags)
  TRect FStart;         // container coordinates
  TRect FExtension;     // extended rectangle minus bounds, edge by edge
  TPoint FToContainer;  // parent coordinates + this = container coordinates
  TRect FParentClient;
};

// `Rect` given in `Parent`'s client coordinates (screen coordinates when `Parent` is null), in
// `Container`'s client coordinates.
TRect RectInContainer(const TRect& Rect, const IPtr<IItem>& Parent, const IPtr<IItem>& Container);

// The guides of one drag: every guideline of every item of `Surface` that is not in `Selections`
// (as the surface decides) and takes part (IItemEx), then those of the surface's container item;
// Y kinds go to `Vertical`, X kinds to `Horizontal`; both sorted by position (stable).
void GetGuides(IDesignSurface& Surface, const IPtr<ISelections>& Selections, TGuideList& Horizontal,
               TGuideList& Vertical);

// What a snap needs besides the lists: the dragged item, its guidelines and the threshold.
struct TSnapContext {
  const TItemWrapper& Wrapper;
  const TItemGuidelinesSorter& Sorted;
  // The largest distance that still snaps (the grid step of the axis).
  int Threshold;
  // The container's client area (a parent's padding only snaps inside it).
  TRect ContainerClient;
};

// Alignment snap on the axis of `Kinds` (Y when it holds a top, bottom or baseline kind): each of
// the dragged item's guidelines of those kinds, placed at the drag's offset, meets the guides of
// the same kind that lie within its parent's client area; the nearest within the threshold wins
// (a later one at the same distance replaces an earlier one), and the search ends at distance 0
// or at a baseline. `Position` then moves by (guide − guideline). True when it snapped.
bool SnapToAlignGuide(const TSnapContext& Context, int& Position, TGuideTypes Kinds,
                      const TGuideList& Guides);

// Margin snap on the axis of `Kinds` (Y when it holds gtMarginTop or gtMarginBottom): a guideline
// meets a guide of the opposite margin, or its parent's padding on the same side, when the two
// items do not overlap (or the guide's item is the parent) and they face each other across the
// axis; the nearest within the threshold wins and the search ends at distance 0.
bool SnapToMarginGuide(const TSnapContext& Context, int& Position, TGuideTypes Kinds,
                       const TGuideList& Guides);

// One line for every guide that meets a guideline of the dragged item exactly, under the rules
// above, from the guide's item to the dragged item. `Deltas` moves the dragged item's
// guidelines (left, top, right and bottom kinds; baselines with the top).
void GenerateGuidelines(const TSnapContext& Context, const TRect& Deltas, TGuideTypes Kinds,
                        const TGuideList& Horizontal, const TGuideList& Vertical, IGuidelinePainter& Painter);

}  // namespace formwright
