// The form designer of one design surface: turns the surface's mouse and keyboard input into
// selection changes, drags (create, rubber band, move, size), grid snapping, keyboard nudging and
// navigation. It draws nothing itself: drag boxes, grab handles and guidelines are drawn by the
// objects the surface supplies.
//
// The designer's parts live in separate files by role: this state and the selection
// (Designer.cpp), mouse and drags (DesignerMouse.cpp), keyboard and the nearest item
// (DesignerKeys.cpp).
#pragma once

#include <optional>
#include <vector>

#include "formdesigner/Guides.h"
#include "formdesigner/Items.h"

namespace formwright {

// What a drag knows of the alignment guidelines around it: the guides of the other items, the
// dragged item's own guidelines (sorted) and wrapper, and the guide kinds this drag may snap to.
// Guides are collected at the start of a move or size drag of an item that offers guidelines
// while guidelines are on; while none were collected no edge snaps to a guide and the grid
// decides alone.
struct TDragGuides {
  // X kinds (vertical lines) and Y kinds (horizontal lines), each sorted by position.
  TGuideList Horizontal;
  TGuideList Vertical;
  IPtr<IItemGuidelines> Source;
  std::optional<TItemGuidelinesSorter> Sorted;
  IPtr<TItemWrapper> Wrapper;
  TGuideTypes HorizontalKinds;
  TGuideTypes VerticalKinds;
  // The container's client area.
  TRect ContainerClient;

  bool Empty() const noexcept { return Horizontal.empty() && Vertical.empty(); }
  // True once the dragged item's guidelines and wrapper are there.
  bool Ready() const noexcept { return Sorted && Wrapper; }
  // What a snap on the axis with grid step `Grid` needs; only while Ready.
  TSnapContext Context(int Grid) const { return {*Wrapper, *Sorted, Grid, ContainerClient}; }
  void Clear();
};

// The form designer. Construction registers it as the surface's listener (through a link that
// does not keep the designer alive); Close, or destruction, unregisters it. Exceptions from items
// and from the surface pass to the caller with any selection update closed, the grab handles back
// on the single selected item and no drag running.
class TDesigner : public TInterfacedObject, public ISurfaceDesigner, public IDesignSurfaceListener {
  FW_CLASS(TDesigner, TInterfacedObject)
 public:
  // `Surface` and `Selections` must not be null; `Tools` may be (no palette tool is ever active).
  TDesigner(IPtr<IDesignSurface> Surface, IPtr<ISelections> Selections, IPtr<ITools> Tools);
  ~TDesigner() override;

  // ----- ISurfaceDesigner
  void Close() override;
  void CancelDragging() override;
  bool GetLocked() override { return FLocked; }
  TPoint GetGridSize() override { return FGridSize; }
  void Lock() override;
  void Modified() override;
  TPoint PointToGrid(TPoint Point, bool Force) override;
  void SetGridSize(TPoint Value) override;
  void Unlock() override;
  bool GetGridAligned() override { return FGridAligned; }
  void SetGridAligned(bool Value) override { FGridAligned = Value; }
  bool GetGuidelines() override { return FGuidelines; }
  void SetGuidelines(bool Value) override { FGuidelines = Value; }
  IPtr<ISelections> GetSelections() override { return FSelections; }
  TDragAction GetDragAction() override { return FDragAction; }

  // ----- IDesignSurfaceListener: what the surface hands on
  // A press of a mouse button over `Item` (see the class comment of the surface listener).
  void MouseDown(const IPtr<IItem>& Item, TShiftState Shift, int X, int Y, bool DoubleClick,
                 TDragHandles Handles, bool NoDrag) override;
  // Moves the running drag to (X, Y); nothing without a drag.
  void MouseMove(TShiftState Shift, int X, int Y) override;
  // Ends the running drag accepted at (X, Y).
  void MouseUp(TShiftState Shift, int X, int Y) override;
  void Key(TDesignKeyCode KeyCode, TShiftState Shift, bool KeyUp) override;

  // ----- selection
  // Without `Extend` the item becomes the single selection; with it the item is toggled. Null
  // does nothing.
  void Select(const IPtr<IItem>& Item, bool Extend);
  // The selected item when exactly one is selected, else null.
  IPtr<IItem> SelectedItem();
  // True when the surface's root item is selected.
  bool IsDesignerSelected();
  // The default action of the item's component editor.
  void Edit(const IPtr<IItem>& Item);
  // Cancels a running drag and has the surface delete the selection.
  void DeleteSelection();
  // Unselects every item whose parent is not `Parent`.
  void ForceCommonSelectParent(const IPtr<IItem>& Parent);

  // ----- keyboard moves and navigation
  // Moves the selection by `Delta`, or with `Size` moves its right and bottom edges. Nothing
  // without a selection or while locked; a modification the surface refuses raises and moves
  // nothing.
  void MoveBy(TPoint Delta, bool Size);
  // The sibling of `Item` nearest to it in the direction of an arrow key; null when none.
  IPtr<IItem> FindNearestItem(const IPtr<IItem>& Item, TDesignKeyCode KeyCode);

  // ----- grid
  // `Value` on the nearest grid line counted from `Offset` (halfway goes to the higher line);
  // unless `Force`, the value itself while grid alignment is off or the surface disables
  // snapping.
  int SnapToGrid(int Value, int Offset, bool Force, int Grid);

  // ----- drag state, for the surface's owner
  TRect GetDragRect() const noexcept { return FDragRect; }
  const IPtr<IItem>& GetDragContainer() const noexcept { return FDragContainer; }

 protected:
  void DragBegin(int X, int Y);
  // The drag's rectangle for the mouse at `Point`: the rectangle drawn by a create or rubber
  // band (drag container coordinates), the offset of a move (Left, Top), the new bounds of a
  // size. `Initial` at the start point.
  TRect GetDragRect(TPoint Point, bool Initial);
  void DragTo(int X, int Y);
  void DragEnd(int X, int Y, bool Accept);
  // DragEnd at the start point, unaccepted.
  void DragCancel();
  void DragBoxesOn();
  void DragBoxesOff();

 private:
  class TLink;

  // Where an edge starting at `Position` goes when the mouse moved it by `Delta` (see the
  // sticky snapping in DesignerMouse.cpp).
  int StickySnap(int Position, int Delta, int Origin, int Base, int Grid);
  // A surface point in the drag container's client coordinates.
  TPoint ToContainer(TPoint Point);
  // What an accepted drag of `Action` does; may raise.
  void ApplyDrag(TDragAction Action);
  // Selects what a rubber band of `Band` touches.
  void SelectInBand(TRect Band);
  // The plain click on a selected item of a multiple selection: the item becomes the anchor.
  void MakeAnchor(const IPtr<IItem>& Item);
  void SetGrabHandles(const IPtr<IItem>& Item);
  // The grab handles back on the single selected item (hidden otherwise).
  void RestoreGrabHandles();
  // Releases every per-drag object (guides, guideline painter, boxes erased).
  void EndDragObjects() noexcept;
  // EndDragObjects, back to daNone and the grab handles restored, without running the action.
  void ResetDrag() noexcept;
  void Escape();
  // The guidelines of the first selected item at its place (shown while Shift or Ctrl is held,
  // and after keyboard moves).
  void ShowSelectionGuidelines();
  void HideGuidelines();
  // True while edges may snap to the drag's guides: guidelines on, snapping not disabled by the
  // surface, a guideline painter, and the dragged item's guidelines collected.
  bool CanSnapToGuides();
  // Collects the guides of a move or size drag of `Item` (DragBegin).
  void PrepareGuides(const IPtr<IItem>& Item, const IPtr<IItemGuidelines>& Source);
  // One coordinate of a drag: margin guides of `Margins`, then alignment guides of `Aligns`
  // (each limited to the drag's kinds); true when a guide took `Position`.
  bool SnapToGuides(int& Position, TGuideTypes Margins, TGuideTypes Aligns, bool Y);
  // Shows the guides the dragged item meets at the current drag rectangle.
  void GenerateGuidelines();

  IPtr<IDesignSurface> FSurface;
  IPtr<ISelections> FSelections;
  IPtr<IGrabHandles> FGrabHandles;
  IPtr<ITools> FTools;
  TPoint FGridSize{8, 8};
  TPoint FDragStart;
  TRect FDragRect;
  TDragHandles FDragHandles = AllDragHandles;
  TDragAction FDragAction = daNone;
  TRect FStartingBounds;
  bool FLocked = false;
  bool FGridAligned = true;
  bool FGuidelines = true;
  IPtr<IItem> FDragContainer;
  IPtr<IDragBoxes> FDragBoxes;
  IPtr<IDragBoxesEx> FDragBoxesEx;
  IPtr<IGuidelinePainter> FGuidelinePainter;
  TDragGuides FGuides;
  IPtr<TLink> FLink;
};

}  // namespace formwright
