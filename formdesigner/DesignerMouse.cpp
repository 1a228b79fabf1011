// The form designer's mouse: what a press starts, the drags and their rectangles, what a
// release does, and the boxes shown while a drag runs.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "formdesigner/Designer.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

TRect Normalised(TPoint A, TPoint B) {
  return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

TRect Normalised(const TRect& R) { return Normalised(R.TopLeft(), {R.Right, R.Bottom}); }

bool Intersect(const TRect& A, const TRect& B) {
  return std::max(A.Left, B.Left) < std::min(A.Right, B.Right) &&
         std::max(A.Top, B.Top) < std::min(A.Bottom, B.Bottom);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// A press

void TDesigner::MouseDown(const IPtr<IItem>& Item, TShiftState Shift, int X, int Y, bool DoubleClick,
                          TDragHandles Handles, bool NoDrag) {
  CancelDragging();
  FDragContainer.Reset();
  const IPtr<IItem> Root = FSurface->GetRoot();
  const bool ShiftDown = Shift.Contains(ssShift);
  const bool CtrlDown = Shift.Contains(ssCtrl);

  // A press that names no item, or none with a selectable item above it, is a press on the
  // root item (the surface's background).
  IPtr<IItem> Target = Item;
  while (Target && !Target->Selectable()) Target = Target->GetParent();
  if (!Target) Target = Root;
  if (!Target) return;
  if (Item) {
    IPtr<IItem> Container = Item;
    if (ShiftDown && FSelections->GetCount() == 1 && !SameItem(Item, Root))
      if (IPtr<IItem> Parent = FSelections->GetItems(0)->GetParent(); Parent && Parent->Contains(Item))
        Container = Parent;
    while (Container && !Container->IsContainer()) Container = Container->GetParent();
    FDragContainer = Container;
  }
  if (!FDragContainer) FDragContainer = Root;

  TDragAction Action = daNone;
  FDragHandles = AllDragHandles;
  if (!Handles.Empty()) {
    if (FLocked) return;  // locked handles neither size nor move
    FDragHandles = Handles;
    Action = Handles == AllDragHandles ? daMove : daSize;
  } else if (!FLocked) {
    Action = daMove;
  }

  const bool IsRoot = SameItem(Target, Root);
  if (FTools && FTools->ToolSelected() && !NoDrag) {
    Action = daCreate;  // a click or a rubber band creates the palette's component
    FSelections->Clear();
  } else if (DoubleClick && !ShiftDown && !CtrlDown) {
    Action = daNone;
    if (IsRoot || (FSelections->GetCount() != 1 && !FSelections->Selected(Target))) Select(Target, false);
    Edit(Target);
  } else if (IsRoot || CtrlDown) {
    Action = daSelect;
    if (!SameItem(Target, FDragContainer) && Target->HasSelectableChildren()) FDragContainer = Target;
    if (!ShiftDown) Select(Root, false);
  } else if (ShiftDown) {
    Action = daNone;
    Select(Target, true);
  } else {
    if (IPtr<IItem> Parent = Target->GetParent()) FDragContainer = Parent;
    if (!FSelections->Selected(Target))
      Select(Target, false);
    else if (FSelections->GetCount() > 1 && !SameItem(FSelections->GetItems(0), Target))
      MakeAnchor(Target);
    if (!FLocked) ForceCommonSelectParent(FDragContainer);
  }

  if (Shift.Contains(ssRight)) {
    Action = daNone;
    RestoreGrabHandles();
    FSurface->RightClicked(Target, {X, Y});
  }
  if (NoDrag || Action == daNone) return;
  FDragAction = Action;
  try {
    DragBegin(X, Y);
  } catch (...) {
    ResetDrag();
    throw;
  }
}

void TDesigner::MouseMove(TShiftState Shift, int X, int Y) {
  if (FDragAction == daNone) return;
  try {
    DragTo(X, Y);
  } catch (...) {
    ResetDrag();
    throw;
  }
}

void TDesigner::MouseUp(TShiftState Shift, int X, int Y) {
  if (FDragAction != daNone) DragEnd(X, Y, true);
}

void TDesigner::CancelDragging() {
  if (FDragAction != daNone) DragCancel();
}

void TDesigner::DragCancel() { DragEnd(FDragStart.X, FDragStart.Y, false); }

// ---------------------------------------------------------------------------------------------
// The drag

void TDesigner::DragBegin(int X, int Y) {
  SetGrabHandles(nullptr);
  FDragBoxes = FSurface->CreateDragBoxes(FDragContainer, {X, Y});
  FDragBoxesEx = Supports<IDragBoxesEx>(FDragBoxes);
  // The boxes may bring a guideline painter of their own; else the surface's draws.
  FGuidelinePainter = Supports<IGuidelinePainter>(FDragBoxes);
  if (!FGuidelinePainter) FGuidelinePainter = FSurface->GetGuidelinePainter();
  FDragStart = {X, Y};
  FStartingBounds = {};
  if ((FDragAction == daMove || FDragAction == daSize) && FSelections->GetCount() > 0) {
    const IPtr<IItem> First = FSelections->GetItems(0);
    if (const IPtr<IItemEx> Guided = Supports<IItemEx>(First)) {
      if (FGuidelines) {
        // The guide kinds of the edges this drag moves; a move also snaps text baselines.
        const auto Allow = [this](TDragHandle Edge, TGuideTypes& Kinds, TGuideTypes EdgeKinds) {
          if (FDragHandles.Contains(Edge)) Kinds = Kinds + EdgeKinds;
        };
        Allow(dhLeft, FGuides.HorizontalKinds, {gtAlignLeft, gtMarginLeft});
        Allow(dhRight, FGuides.HorizontalKinds, {gtAlignRight, gtMarginRight});
        Allow(dhTop, FGuides.VerticalKinds, {gtAlignTop, gtMarginTop});
        Allow(dhBottom, FGuides.VerticalKinds, {gtAlignBottom, gtMarginBottom});
        if (FDragAction == daMove) FGuides.VerticalKinds.Include(gtBaseline);
        if (Guided->GetGuidelinesEnabled()) PrepareGuides(First, Guided->GetGuidelines());
      }
      FStartingBounds = First->GetBoundsRect();
    } else if (FSelections->GetCount() == 1) {
      FStartingBounds = First->GetBoundsRect();
    }
  }
  FDragRect = GetDragRect(FDragStart, true);
  if (FDragAction == daMove && FGuides.Wrapper) FGuides.Wrapper->SetOffset(FDragRect.TopLeft());
  DragBoxesOn();
}

TPoint TDesigner::ToContainer(TPoint Point) {
  const TPoint Global = FSurface->SurfaceToGlobal(Point);
  return FDragContainer ? FDragContainer->GlobalToLocal(Global) : Global;
}

// Sticky snapping of one edge: N is where the mouse puts the edge, S the grid line nearest to
// N (for right and bottom edges, Base 1, the line the edge's last pixel lies on). An edge that is
// off the grid stays where it is until the mouse is nearer to a grid line than to the edge.
int TDesigner::StickySnap(int Position, int Delta, int Origin, int Base, int Grid) {
  const int N = Position + Delta;
  const int S = SnapToGrid(N - Base, Origin, false, Grid) + Base;
  if (std::abs(Position - S) < Grid && std::abs(Position - N) <= std::abs(S - N)) return Position;
  return S;
}

TRect TDesigner::GetDragRect(TPoint Point, bool Initial) {
  switch (FDragAction) {
    case daCreate:
    case daSelect: {
      TPoint A = ToContainer(FDragStart);
      TPoint B = ToContainer(Point);
      if (FDragAction == daSelect) return Normalised(A, B);
      TRect R = Normalised(PointToGrid(A, false), PointToGrid(B, false));
      ++R.Right;
      ++R.Bottom;
      return R;
    }
    case daMove: {
      // Guides go first (margins, then alignment); the grid takes an offset no guide took, so
      // the offset is a whole number of grid steps and items keep their places on the grid.
      int DX = Point.X - FDragStart.X;
      int DY = Point.Y - FDragStart.Y;
      const bool Guides = !Initial && CanSnapToGuides();
      if (!Guides || !SnapToGuides(DX, {gtMarginLeft, gtMarginRight}, {gtAlignLeft, gtAlignRight}, false))
        DX = SnapToGrid(DX, 0, false, FGridSize.X);
      if (!Guides ||
          !SnapToGuides(DY, {gtMarginTop, gtMarginBottom}, {gtAlignTop, gtAlignBottom, gtBaseline}, true))
        DY = SnapToGrid(DY, 0, false, FGridSize.Y);
      return {DX, DY, 0, 0};
    }
    case daSize: {
      const int DX = Point.X - FDragStart.X;
      const int DY = Point.Y - FDragStart.Y;
      if (FGuides.Wrapper) FGuides.Wrapper->SetOffset({DX, DY});
      const bool Guides = !Initial && CanSnapToGuides();
      const TPoint Origin = FSurface->GetGridOrigin();
      TRect R = FStartingBounds;
      // Each moving edge: its margin guide, its alignment guide, else sticky grid snapping.
      const auto Edge = [&](TDragHandle Handle, int& Position, int Delta, int GridOrigin, int Base,
                            TGuideType Margin, TGuideType Align, bool Y) {
        if (!FDragHandles.Contains(Handle)) return;
        int Moved = Position + Delta;
        if (Guides && SnapToGuides(Moved, {Margin}, {Align}, Y))
          Position = Moved;
        else
          Position = StickySnap(Position, Delta, GridOrigin, Base, Y ? FGridSize.Y : FGridSize.X);
      };
      Edge(dhLeft, R.Left, DX, Origin.X, 0, gtMarginLeft, gtAlignLeft, false);
      Edge(dhTop, R.Top, DY, Origin.Y, 0, gtMarginTop, gtAlignTop, true);
      Edge(dhRight, R.Right, DX, Origin.X, 1, gtMarginRight, gtAlignRight, false);
      Edge(dhBottom, R.Bottom, DY, Origin.Y, 1, gtMarginBottom, gtAlignBottom, true);
      R = Normalised(R);
      if (FGuides.Wrapper) FGuides.Wrapper->SetRect(R);
      return R;
    }
    case daNone:
      break;
  }
  return {};
}

void TDesigner::DragTo(int X, int Y) {
  const TPoint Point{X, Y};
  if (FDragAction == daMove && FGuides.Wrapper)
    FGuides.Wrapper->SetOffset({X - FDragStart.X, Y - FDragStart.Y});
  const TRect R = GetDragRect(Point, Point == FDragStart);
  if (R == FDragRect) return;
  if (FDragBoxes) {
    if (FDragAction == daMove)
      FDragBoxes->MoveBy(R.Left - FDragRect.Left, R.Top - FDragRect.Top, daMove);
    else
      FDragBoxes->Change(0, R, FDragAction);
  }
  FDragRect = R;
  GenerateGuidelines();
}

void TDesigner::EndDragObjects() noexcept {
  FGuides.Clear();
  if (FGuidelinePainter) {
    try {
      FGuidelinePainter->Clear();
    } catch (...) {  // the drag ends whatever the painter does
    }
  }
  FGuidelinePainter.Reset();
  try {
    DragBoxesOff();
  } catch (...) {  // the boxes go whatever they do
    FDragBoxes.Reset();
    FDragBoxesEx.Reset();
  }
}

void TDesigner::ResetDrag() noexcept {
  EndDragObjects();
  FDragAction = daNone;
  try {
    RestoreGrabHandles();
  } catch (...) {  // handles that refuse stay hidden
  }
}

void TDesigner::DragEnd(int X, int Y, bool Accept) {
  // The rectangle at the release point, also when the last mouse move did not reach it.
  const TPoint Point{X, Y};
  if (Accept) FDragRect = GetDragRect(Point, Point == FDragStart);
  const TDragAction Action = std::exchange(FDragAction, daNone);
  TScopeExit Done([this] {
    FDragAction = daNone;
    RestoreGrabHandles();
  });
  if (!Accept && FDragBoxesEx) FDragBoxesEx->CancelDrag();
  EndDragObjects();
  TSelectionsUpdate Update(FSelections);
  if (Accept) ApplyDrag(Action);
}

void TDesigner::ApplyDrag(TDragAction Action) {
  switch (Action) {
    case daCreate:
      if (IPtr<IItem> Created = FSurface->CreateItem(FDragContainer, FDragRect)) {
        FSelections->Clear();
        FSelections->Add(Created);
      }
      break;
    case daSelect: {
      TRect Band = FDragRect;
      ++Band.Right;
      ++Band.Bottom;
      SelectInBand(Band);
      break;
    }
    case daMove:
      if (FDragRect.Left == 0 && FDragRect.Top == 0) break;
      // A module that may not change now (read-only source) refuses before anything moves.
      FSurface->ValidateModification();
      for (int I = 0; I < FSelections->GetCount(); ++I) {
        const IPtr<IItem> Item = FSelections->GetItems(I);
        TRect R = Item->GetBoundsRect();
        R.Offset(FDragRect.Left, FDragRect.Top);
        Item->SetBoundsRect(R);
      }
      Modified();
      break;
    case daSize:
      if (FSelections->GetCount() != 1 || FDragRect == FStartingBounds) break;
      FSurface->ValidateModification();
      FSelections->GetItems(0)->SetBoundsRect(FDragRect);
      Modified();
      break;
    case daNone:
      break;
  }
}

void TDesigner::SelectInBand(TRect Band) {
  bool First = true;
  const int Count = FSurface->GetItemsCount();
  for (int I = 0; I < Count; ++I) {
    const IPtr<IItem> Item = FSurface->GetItems(I);
    if (!Item || !SameItem(Item->GetParent(), FDragContainer) || !Intersect(Item->GetBoundsRect(), Band))
      continue;
    if (const IPtr<IComponentItem> Component = Supports<IComponentItem>(Item);
        Component && !Component->AcceptsRubberBand())
      continue;
    if (First) FSelections->Clear();
    FSelections->Add(Item);
    First = false;
  }
}

// ---------------------------------------------------------------------------------------------
// Drag boxes

void TDesigner::DragBoxesOn() {
  if (!FDragBoxes) return;
  switch (FDragAction) {
    case daCreate:
      FDragBoxes->Add(FDragRect, dbsItem, daCreate);
      break;
    case daSelect:
      FDragBoxes->Add(FDragRect, dbsSelection, daSelect);
      break;
    case daSize:
      if (FSelections->GetCount() != 1) break;
      if (IPtr<IItem2D> Drawn = Supports<IItem2D>(FSelections->GetItems(0)); Drawn && FDragBoxesEx)
        FDragBoxesEx->Add(Drawn, daSize);
      else
        FDragBoxes->Add(FDragRect, dbsItem, daSize);
      break;
    case daMove:
      for (int I = 0; I < FSelections->GetCount(); ++I) {
        const IPtr<IItem> Item = FSelections->GetItems(I);
        if (!SameItem(Item->GetParent(), FDragContainer)) continue;
        TRect R = Item->GetBoundsRect();
        R.Offset(FDragRect.Left, FDragRect.Top);
        if (FDragBoxesEx) {
          if (IPtr<IItem2D> Drawn = Supports<IItem2D>(Item)) {
            FDragBoxesEx->Add(Drawn, daMove);
            continue;
          }
          if (IPtr<IDragImage> Image = Supports<IDragImage>(Item)) {
            FDragBoxesEx->Add(Image, R, daMove);
            continue;
          }
        }
        FDragBoxes->Add(R, dbsItem, daMove);
      }
      break;
    case daNone:
      break;
  }
}

void TDesigner::DragBoxesOff() {
  const IPtr<IDragBoxes> Boxes = std::move(FDragBoxes);
  FDragBoxes.Reset();
  FDragBoxesEx.Reset();
  if (Boxes) Boxes->Done();
}

}  // namespace formwright
