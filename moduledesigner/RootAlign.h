// The layout commands a module root carries out over its selection: aligning edges and centres,
// spacing equally or step by step, centring in the parent, equal and absolute sizes, moving to
// the grid, flipping children, and the extent a surface must scroll to show every item.
#pragma once

#include <optional>
#include <vector>

#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootLayout.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"

namespace formwright {

// The alignment commands.
FW_ENUM(TOTAAffect, afNothing, afTop, afLeft, afBottom, afRight, afHCenter, afVCenter, afHSpace, afVSpace,
        afHWinCenter, afVWinCenter, afHSpaceInc, afHSpaceDec, afHSpaceDel, afVSpaceInc, afVSpaceDec,
        afVSpaceDel, afAlignToGrid, afSnapToGrid, afSendToBack, afBringToFront)
// The size commands.
FW_ENUM(TOTASizeAffect, asNothing, asHGrow, asHShrink, asHAbsolute, asVGrow, asVShrink, asVAbsolute, asWidths,
        asHeights, asWidthHeight, asSizeToGrid)

// The alignment side of a module, as tools reach it.
struct IOTAAlignable : virtual IInterface {
  FW_INTERFACE(IOTAAlignable, IInterface, "{A6A6A6A1-4C1E-4C1B-8F2E-9D3B5E000001}")
  // Aligns, spaces or orders the selection (see TRootAlign::Align).
  virtual void Align(TOTAAffect Affect) = 0;
  // Sizes the selection; Value is the width or height of the absolute sizes.
  virtual void Size(TOTASizeAffect Affect, int Value) = 0;
};

// Flipping a module's children, as tools reach it.
struct IFlipChildren : virtual IInterface {
  FW_INTERFACE(IFlipChildren, IInterface, "{A6A6A6A1-4C1E-4C1B-8F2E-9D3B5E000002}")
  // AllLevels: every child of the module on every level; otherwise the selected items only.
  virtual void FlipChildren(bool AllLevels) = 0;
};

// The bounds of one item for one command: read once when made, written through at once. A
// trial bounds object only keeps the bounds it is given, so that a command can be tried
// without moving anything.
class TBounder {
 public:
  explicit TBounder(IPtr<IItem> Item, bool Trial = false);
  int Left() const noexcept { return FBounds.Left; }
  int Top() const noexcept { return FBounds.Top; }
  int Width() const noexcept { return FBounds.Width(); }
  int Height() const noexcept { return FBounds.Height(); }
  const TRect& BoundsRect() const noexcept { return FBounds; }
  // A bounds object of the item's parent; empty when the item has none.
  std::optional<TBounder> Parent() const;
  // The item's client size, read on first use.
  int ClientWidth();
  int ClientHeight();
  // Each applies the new bounds to the item and refreshes the cache.
  void SetLeft(int Value) { Apply(Bounds(Value, FBounds.Top, Width(), Height())); }
  void SetTop(int Value) { Apply(Bounds(FBounds.Left, Value, Width(), Height())); }
  void SetWidth(int Value) { Apply(Bounds(FBounds.Left, FBounds.Top, Value, Height())); }
  void SetHeight(int Value) { Apply(Bounds(FBounds.Left, FBounds.Top, Width(), Value)); }
  void SetBounds(const TRect& Rect) { Apply(Rect); }
  const IPtr<IItem>& Item() const noexcept { return FItem; }
  // Whether the bounds differ from those the item had when this object was made.
  bool Changed() const noexcept { return FBounds != FOriginal; }

 private:
  void Apply(const TRect& Rect);
  IPtr<IItem> FItem;
  bool FTrial;
  TRect FOriginal;
  TRect FBounds;
  std::optional<TSize> FClient;
};

class TRootAlign {
 public:
  TRootAlign(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection, TRootLayout& Layout)
      : FState(State), FHost(Host), FSelection(Selection), FLayout(Layout) {}
  TRootAlign(const TRootAlign&) = delete;
  TRootAlign& operator=(const TRootAlign&) = delete;

  // Refused (nothing changes, the module is not modified) without a selection, when the root
  // component is selected or the controls are locked. Otherwise the selection is reduced to
  // the anchor's siblings (the anchor is the item selected first) and Affect carried out:
  // edges and centres move to the anchor's; equal spacing spreads left (top) edges evenly
  // between the outermost ones; window centring moves the group to the middle of its parent's
  // client area; a spacing step moves the items on either side of the anchor outward (or
  // inward, leaving items level with the anchor alone) by 1, 2, 3… pixels; removing space
  // closes the gaps toward the anchor, leaving overlaps; the grid, z-order and grid-snap
  // commands do what their names say. Halves round toward zero. Ends with Modified.
  void Align(TOTAAffect Affect);
  // Nothing without a selection or when locked; otherwise, over the anchor's siblings, widths
  // or heights become the largest, the smallest, the anchor's or Value. Ends with Modified.
  void Size(TOTASizeAffect Affect, int Value);
  // Whether Align(Affect) or Size(Affect, Value) would move or size an item: the command is
  // tried on the bounds alone and nothing changes but the selection, reduced to the anchor's
  // siblings as the command would. Refused commands change nothing; the z-order and grid-snap
  // commands count as changes.
  bool AlignChanges(TOTAAffect Affect);
  bool SizeChanges(TOTASizeAffect Affect, int Value);
  // Moves each item's top-left corner to the nearest grid point (even while snapping is off),
  // keeping its size; nothing without a selection or when locked. Ends with Modified.
  void AlignToGrid();
  // Mirrors children horizontally inside their parents: the selected items (after the
  // selection is reduced to the anchor's siblings), or, with SelectedOnly false, every child of
  // the module on every level. Nothing when locked; ends with Modified.
  void FlipChildren(bool SelectedOnly);
  // The extent a surface needs to show every item when scrolled to ScrollPosition.
  TPoint GetScrollRanges(TPoint ScrollPosition);
  // Whether the controls are locked (the designer manager's lock or the form designer's).
  bool Locked();
  // The nearest grid point; unless Force, the point itself while snapping is off.
  TPoint PointToGrid(TPoint Point, bool Force);

 private:
  // The selection's bounds objects after ForceCommonParent; empty when refused.
  std::vector<TBounder> Prepare(bool Trial = false);
  // Carry out the commands over the bounds objects (Align's and Size's second steps).
  void AlignItems(std::vector<TBounder>& Items, TOTAAffect Affect);
  void SizeItems(std::vector<TBounder>& Items, TOTASizeAffect Affect, int Value);
  void Space(std::vector<TBounder>& Items, bool Horizontal);
  void WinCenter(std::vector<TBounder>& Items, bool Horizontal);
  void SpaceStep(std::vector<TBounder>& Items, bool Horizontal, int Step);
  void SpaceDelete(std::vector<TBounder>& Items, bool Horizontal);
  void ToGrid(std::vector<TBounder>& Items);

  TRootState& FState;
  TRootHostOperations& FHost;
  TRootSelection& FSelection;
  TRootLayout& FLayout;
};

}  // namespace formwright
