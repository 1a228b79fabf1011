// The form designer's keyboard: deleting, nudging and sizing with the arrow keys, moving to the
// nearest item in a direction, tabbing, and Escape.
#include <cstdint>
#include <limits>

#include "formdesigner/Designer.h"

namespace formwright {

namespace {

TPoint Direction(TDesignKeyCode KeyCode) {
  switch (KeyCode) {
    case dkLeft:
      return {-1, 0};
    case dkUp:
      return {0, -1};
    case dkRight:
      return {1, 0};
    case dkDown:
      return {0, 1};
    default:
      return {0, 0};
  }
}

// The distance between the ranges [A1, A2) and [B1, B2); 0 when they overlap.
int Gap(int A1, int A2, int B1, int B2) {
  if (B1 >= A2) return B1 - A2;
  if (A1 >= B2) return A1 - B2;
  return 0;
}

// The distance from V to the range [Low, High), counted as for Gap; 0 inside it.
int GapTo(int Low, int High, int V) { return Gap(Low, High, V, V + 1); }

}  // namespace

void TDesigner::Key(TDesignKeyCode KeyCode, TShiftState Shift, bool KeyUp) {
  const bool ShiftDown = Shift.Contains(ssShift);
  const bool CtrlDown = Shift.Contains(ssCtrl);
  if (KeyUp) {
    if (KeyCode == dkNone) HideGuidelines();
    return;
  }
  switch (KeyCode) {
    case dkDelete:
      DeleteSelection();
      break;
    case dkLeft:
    case dkUp:
    case dkRight:
    case dkDown: {
      // The root item is not moved or sized from the keyboard (its place is its window's), and
      // there is nothing beside it to move to.
      if (IsDesignerSelected()) break;
      const TPoint D = Direction(KeyCode);
      if (CtrlDown && ShiftDown)
        MoveBy({D.X * FGridSize.X, D.Y * FGridSize.Y}, false);
      else if (CtrlDown)
        MoveBy(D, false);
      else if (ShiftDown)
        MoveBy(D, true);
      else if (FSelections->GetCount() > 0)
        Select(FindNearestItem(FSelections->GetItems(0), KeyCode), false);
      break;
    }
    case dkTab: {
      const IPtr<IItem> Current = FSelections->GetCount() > 0 ? FSelections->GetItems(0) : nullptr;
      Select(FSurface->NextTabItem(Current, !ShiftDown), false);
      break;
    }
    case dkEscape:
      Escape();
      break;
    case dkNone:
      if ((ShiftDown || CtrlDown) && FDragAction == daNone && !IsDesignerSelected())
        ShowSelectionGuidelines();
      break;
    case dkEnter:
    case dkChar:
      break;
  }
}

void TDesigner::MoveBy(TPoint Delta, bool Size) {
  if (FSelections->GetCount() == 0 || FLocked) return;
  FSurface->ValidateModification();
  ForceCommonSelectParent(FSelections->GetItems(0)->GetParent());
  for (int I = 0; I < FSelections->GetCount(); ++I) {
    const IPtr<IItem> Item = FSelections->GetItems(I);
    TRect R = Item->GetBoundsRect();
    if (Size) {
      R.Right += Delta.X;
      R.Bottom += Delta.Y;
    } else {
      R.Offset(Delta.X, Delta.Y);
    }
    Item->SetBoundsRect(R);
  }
  Modified();
  ShowSelectionGuidelines();
}

IPtr<IItem> TDesigner::FindNearestItem(const IPtr<IItem>& Item, TDesignKeyCode KeyCode) {
  const bool Horizontal = KeyCode == dkLeft || KeyCode == dkRight;
  if (!Item || (!Horizontal && KeyCode != dkUp && KeyCode != dkDown)) return nullptr;
  const IPtr<IItem> Parent = Item->GetParent();
  const TRect R = Item->GetBoundsRect();
  const TPoint C{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
  IPtr<IItem> Best;
  int64_t BestDistance = std::numeric_limits<int64_t>::max();
  const int Count = FSurface->GetItemsCount();
  for (int I = 0; I < Count; ++I) {
    IPtr<IItem> Candidate = FSurface->GetItems(I);
    if (!Candidate || SameItem(Candidate, Item) || !SameItem(Candidate->GetParent(), Parent)) continue;
    const TRect B = Candidate->GetBoundsRect();
    const int DXC = (B.Left + B.Right) / 2 - C.X;
    const int DYC = (B.Top + B.Bottom) / 2 - C.Y;
    int GapX = Gap(R.Left, R.Right, B.Left, B.Right);
    int GapY = Gap(R.Top, R.Bottom, B.Top, B.Bottom);
    bool Qualifies = false;
    switch (KeyCode) {
      case dkLeft:
        Qualifies = DXC < 0 && GapX >= GapY;
        break;
      case dkRight:
        Qualifies = DXC > 0 && GapX >= GapY;
        break;
      case dkUp:
        Qualifies = DYC < 0 && GapX <= GapY;
        break;
      default:
        Qualifies = DYC > 0 && GapX <= GapY;
        break;
    }
    if (!Qualifies) continue;
    if (Horizontal)
      GapY = GapTo(B.Top, B.Bottom, C.Y);
    else
      GapX = GapTo(B.Left, B.Right, C.X);
    const int64_t Distance = int64_t(GapX) * GapX + int64_t(GapY) * GapY;
    if (Distance < BestDistance) {  // on a tie the earlier item stays
      BestDistance = Distance;
      Best = std::move(Candidate);
    }
  }
  return Best;
}

void TDesigner::Escape() {
  const TDragAction Was = FDragAction;
  CancelDragging();
  if (Was != daMove && Was != daNone) return;
  const IPtr<IItem> Root = FSurface->GetRoot();
  if (FSelections->GetCount() > 0) {
    IPtr<IItem> Up = FSelections->GetItems(0)->GetParent();
    while (Up && !SameItem(Up, Root) && !Up->Selectable()) Up = Up->GetParent();
    if (Up && !SameItem(Up, Root)) {
      Select(Up, false);
      if (Was == daMove) {
        // The move goes on with the parent, from where the mouse is now.
        const TPoint P = FSurface->GetCursorPos();
        MouseDown(Up, {}, P.X, P.Y, false, {}, false);
      }
      return;
    }
  }
  if (Was != daNone) return;
  {
    TSelectionsUpdate Update(FSelections);
    FSelections->Clear();
  }
  SetGrabHandles(nullptr);
}

}  // namespace formwright
