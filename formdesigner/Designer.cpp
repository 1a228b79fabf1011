#include "formdesigner/Designer.h"

namespace formwright {

FW_REGISTER_CLASS(TDesigner, "FormDesigner.Designer")

void TDragGuides::Clear() {
  Horizontal.clear();
  Vertical.clear();
  Source.Reset();
  Sorted.reset();
  Wrapper.Reset();
  ContainerClient = {};
  HorizontalKinds = {};
  VerticalKinds = {};
}

// What the surface holds as its listener: forwards to the designer until the designer closes,
// so that the surface does not keep the designer alive.
class TDesigner::TLink : public TInterfacedObject, public IDesignSurfaceListener {
 public:
  explicit TLink(TDesigner* Designer) noexcept : FDesigner(Designer) {}
  void MouseDown(const IPtr<IItem>& Item, TShiftState Shift, int X, int Y, bool DoubleClick,
                 TDragHandles Handles, bool NoDrag) override {
    if (FDesigner) FDesigner->MouseDown(Item, Shift, X, Y, DoubleClick, Handles, NoDrag);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    if (FDesigner) FDesigner->MouseMove(Shift, X, Y);
  }
  void MouseUp(TShiftState Shift, int X, int Y) override {
    if (FDesigner) FDesigner->MouseUp(Shift, X, Y);
  }
  void Key(TDesignKeyCode KeyCode, TShiftState Shift, bool KeyUp) override {
    if (FDesigner) FDesigner->Key(KeyCode, Shift, KeyUp);
  }
  void CancelDragging() override {
    if (FDesigner) FDesigner->CancelDragging();
  }
  void Detach() noexcept { FDesigner = nullptr; }

 private:
  TDesigner* FDesigner;
};

TDesigner::TDesigner(IPtr<IDesignSurface> Surface, IPtr<ISelections> Selections, IPtr<ITools> Tools)
    : FSurface(std::move(Surface)), FSelections(std::move(Selections)), FTools(std::move(Tools)) {
  if (!FSurface || !FSelections)
    throw EInvalidArgument("A form designer needs a surface and a selection list");
  FGrabHandles = FSurface->GetGrabHandles();
  FLink = MakeIntf<TLink>(this);
  FSurface->AddListener(FLink);
}

TDesigner::~TDesigner() { Close(); }

void TDesigner::Close() {
  if (!FLink) return;
  ResetDrag();
  FLink->Detach();
  FSurface->RemoveListener(FLink);
  FLink.Reset();
}

void TDesigner::Lock() {
  FLocked = true;
  if (FGrabHandles) FGrabHandles->SetLocked(true);
}

void TDesigner::Unlock() {
  FLocked = false;
  if (FGrabHandles) FGrabHandles->SetLocked(false);
}

void TDesigner::Modified() {
  if (FGrabHandles) FGrabHandles->Update();
  FSurface->Modified();
}

void TDesigner::SetGridSize(TPoint Value) {
  if (Value.X < 1 || Value.Y < 1)
    throw EInvalidArgument(
        Format("Grid step %d x %d: a grid step is at least 1 pixel in each direction", Value.X, Value.Y));
  FGridSize = Value;
}

int TDesigner::SnapToGrid(int Value, int Offset, bool Force, int Grid) {
  if (!Force && (!FGridAligned || FSurface->GridSnapDisabled())) return Value;
  int X = Value + Grid / 2 - Offset;
  if (X < 0) X -= Grid - 1;  // so that the division rounds down
  return (X / Grid) * Grid + Offset;
}

TPoint TDesigner::PointToGrid(TPoint Point, bool Force) {
  const TPoint Origin = FSurface->GetGridOrigin();
  return {SnapToGrid(Point.X, Origin.X, Force, FGridSize.X),
          SnapToGrid(Point.Y, Origin.Y, Force, FGridSize.Y)};
}

// ---------------------------------------------------------------------------------------------
// Selection

void TDesigner::SetGrabHandles(const IPtr<IItem>& Item) {
  if (FGrabHandles) FGrabHandles->SetItem(Item);
}

void TDesigner::RestoreGrabHandles() { SetGrabHandles(SelectedItem()); }

void TDesigner::Select(const IPtr<IItem>& Item, bool Extend) {
  if (!Item) return;
  {
    TSelectionsUpdate Update(FSelections);
    if (Extend) {
      FSelections->Toggle(Item);
    } else {
      FSelections->Clear();
      FSelections->Add(Item);
    }
  }
  if (FDragAction == daNone) RestoreGrabHandles();
}

IPtr<IItem> TDesigner::SelectedItem() {
  return FSelections->GetCount() == 1 ? FSelections->GetItems(0) : nullptr;
}

bool TDesigner::IsDesignerSelected() {
  const IPtr<IItem> Root = FSurface->GetRoot();
  return Root && FSelections->Selected(Root);
}

void TDesigner::Edit(const IPtr<IItem>& Item) {
  if (Item) Item->Edit();
}

void TDesigner::DeleteSelection() {
  CancelDragging();
  FSurface->DeleteSelection();
}

void TDesigner::ForceCommonSelectParent(const IPtr<IItem>& Parent) {
  TSelectionsUpdate Update(FSelections);
  for (int I = FSelections->GetCount() - 1; I >= 0; --I)
    if (!SameItem(FSelections->GetItems(I)->GetParent(), Parent)) FSelections->Remove(I);
}

void TDesigner::MakeAnchor(const IPtr<IItem>& Item) {
  // Every other item leaves, last first, and comes back in the order it left: the clicked item
  // leads, the others follow in reverse of their previous order.
  TSelectionsUpdate Update(FSelections);
  std::vector<IPtr<IItem>> Removed;
  for (int I = FSelections->GetCount() - 1; I >= 0; --I) {
    IPtr<IItem> Other = FSelections->GetItems(I);
    if (SameItem(Other, Item)) continue;
    FSelections->Remove(I);
    Removed.push_back(std::move(Other));
  }
  for (const IPtr<IItem>& Other : Removed) FSelections->Add(Other);
}

}  // namespace formwright
