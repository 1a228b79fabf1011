#include "host/root/Surface.h"

#include <algorithm>

#include "editors/DesignEditors.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/BitmapCanvas.h"
#include "platform/orx/ControlPaint.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

using orx::TControl;
using orx::TWinControl;

FW_REGISTER_CLASS(TOrxGrabHandles, "Surface")
FW_REGISTER_CLASS(TOrxDragBoxPainter, "Surface")
FW_REGISTER_CLASS(TOrxGuidelinePainter, "Surface")
FW_REGISTER_CLASS(TOrxDesignSurface, "Surface")

// ---------------------------------------------------------------------------------------------
// TOrxDragBoxPainter, TOrxGuidelinePainter

void TOrxDragBoxPainter::DrawBox(const TRect& Rect, TDesignBoxStyle Style, const IPtr<IDragImage>& Image) {
  ++FStrokes;
  const TBox Box{Rect, Style};
  if (auto It = std::find(FShown.begin(), FShown.end(), Box); It != FShown.end())
    FShown.erase(It);
  else
    FShown.push_back(Box);
  if (!FPicture || FPicture->Empty()) return;
  if (const IPtr<IOrxDragImage> Own = Supports<IOrxDragImage>(Image)) {
    XorDragImage(*FPicture, *Own, {Rect.Left + FOffset.X, Rect.Top + FOffset.Y}, FScale);
    return;
  }
  // Inverting (white by exclusive-or): a frame for items, a filled rectangle for the rubber band
  // of a selection; drawing the same box again brings the pixels back.
  orx::TBitmapCanvas Canvas(*FPicture, FScale);
  Canvas.SetDrawMode(orx::dmXor);
  Canvas.SetOrigin(FOffset);
  Canvas.Pen()->SetColor(orx::clWhite);
  Canvas.Brush()->SetColor(orx::clWhite);
  if (Style == dbsSelection)
    Canvas.FillRect(Rect);
  else
    Canvas.FrameRect(Rect);
  Canvas.Flush();
}

void TOrxGuidelinePainter::EndUpdate() {
  if (FUpdateLevel == 0 || --FUpdateLevel > 0) return;
  FLines.insert(FLines.end(), FPending.begin(), FPending.end());
  FPending.clear();
}

void TOrxGuidelinePainter::Clear() {
  FLines.clear();
  FPending.clear();
}

void TOrxGuidelinePainter::AddLine(TDesignerGuideType Kind, TPoint Start, TPoint Finish) {
  (FUpdateLevel > 0 ? FPending : FLines).push_back({Kind, Start, Finish});
}

// ---------------------------------------------------------------------------------------------
// TOrxDesignSurface

// Told when a component that has an item is freed.
class TOrxDesignSurface::TNotifier : public TComponent {
 public:
  explicit TNotifier(TOrxDesignSurface* Surface) : TComponent(nullptr), FSurface(Surface) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent) FSurface->ComponentFreed(AComponent);
  }

 private:
  TOrxDesignSurface* FSurface;
};

TOrxDesignSurface::TOrxDesignSurface(TComponent* DesignRoot, IPtr<ISurfaceHost> Host,
                                     IPtr<IDesigner> Designer)
    : TDesignSurface(DesignRoot, std::move(Host)), FDesigner(std::move(Designer)) {
  if (!DesignRoot) throw EInvalidArgument("A design surface needs a root component");
  FContext = MakeIntf<TOrxItemContext>(this);
  FNotifier.reset(new TNotifier(this));
  FNotifier->FreeNotification(DesignRoot);
  SetPainters(FGrabHandles, FGuidelinePainter);
  IPtr<IItem> Root = FindItem(DesignRoot);
  SetRootItems(Root, Root);
}

TOrxDesignSurface::~TOrxDesignSurface() { Close(); }

void TOrxDesignSurface::Close() {
  TDesignSurface::Close();
  FContextMenuItem.Reset();
  ClearListener();
  SetRootItems(nullptr, nullptr);
  FItems.Clear();
  FContext->Detach();
  // Nothing of the module refers to the watcher: unlinked from the root first, the root is not
  // told of its removal, which it would pass on to every component it owns. Its other free
  // notifications go with it.
  if (FNotifier && DesignRootComponent()) FNotifier->RemoveFreeNotification(DesignRootComponent());
  FNotifier.reset();
  SetDesignRoot(nullptr);
  // The host and the designer are usually the module root, which holds this surface.
  SetHost(nullptr);
  FDesigner.Reset();
}

void TOrxDesignSurface::ComponentFreed(TComponent* Component) {
  if (Component == DesignRootComponent()) {
    // The module's root goes: nothing of it stays on the surface.
    FGrabHandles->SetItem(nullptr);
    SetRootItems(nullptr, nullptr);
    FItems.Clear();
    SetDesignRoot(nullptr);
    return;
  }
  const IPtr<IItem> Gone = FItems.Take(Component);
  if (Gone && SameItem(FGrabHandles->GetItem(), Gone)) FGrabHandles->SetItem(nullptr);
}

bool TOrxDesignSurface::BelongsToModule(const TComponent* Component) const {
  for (const TComponent* C = Component; C; C = C->Owner())
    if (C == DesignRootComponent()) return true;
  return false;
}

IPtr<IItem> TOrxDesignSurface::MakeItem(TComponent* Component) {
  if (auto* Control = dynamic_cast<TControl*>(Component)) return MakeIntf<TOrxControlItem>(Control, FContext);
  if (Component == DesignRootComponent()) return MakeIntf<TOrxModuleItem>(Component, FContext);
  if (IsNoIconComponent(Component)) return MakeIntf<TNonControlItem>(Component, FContext);
  return MakeIntf<TOrxIconItem>(Component, FContext);
}

IPtr<IItem> TOrxDesignSurface::FindItem(TPersistent* Persistent) {
  if (!Persistent || !DesignRootComponent()) return nullptr;
  auto* Component = dynamic_cast<TComponent*>(Persistent);
  if (!Component) return MakeIntf<TNonControlItem>(Persistent, FContext);
  if (!BelongsToModule(Component)) return nullptr;
  if (const IPtr<IItem>* Known = FItems.Find(Component)) return *Known;
  IPtr<IItem> Item = MakeItem(Component);
  FItems.Insert(Component, Item);
  FNotifier->FreeNotification(Component);
  return Item;
}

void TOrxDesignSurface::DropItems(TComponent* Instance) {
  if (!Instance) return;
  const std::vector<IPtr<IItem>> Gone = FItems.TakeIf([&](const TComponent* C, const IPtr<IItem>&) {
    for (TComponent* O = C->Owner(); O; O = O->Owner())
      if (O == Instance) {
        FNotifier->RemoveFreeNotification(const_cast<TComponent*>(C));
        return true;
      }
    return false;
  });
  for (const IPtr<IItem>& Item : Gone)
    if (SameItem(FGrabHandles->GetItem(), Item)) FGrabHandles->SetItem(nullptr);
}

void TOrxDesignSurface::RightClicked(const IPtr<IItem>& Item, TPoint Point) {
  FContextMenuItem = Item;
  FContextMenuPoint = Point;
}

void TOrxDesignSurface::Modified() {
  if (Host())
    TDesignSurface::Modified();
  else
    ++FModifiedCount;
}

std::vector<TComponent*> TOrxDesignSurface::SelectableComponents() {
  std::vector<TComponent*> Result;
  if (!DesignRootComponent()) return Result;
  // The owner's components, then those of each of its frame instances, depth first.
  auto AddOwned = [&](auto& Self, TComponent* Owner) -> void {
    const std::vector<TComponent*> Owned = Owner->ComponentList();
    Result.insert(Result.end(), Owned.begin(), Owned.end());
    for (TComponent* C : Owned)
      if (HasSelectableChildren(C)) Self(Self, C);
  };
  AddOwned(AddOwned, DesignRootComponent());
  return Result;
}

int TOrxDesignSurface::GetItemsCount() {
  return Host() ? TDesignSurface::GetItemsCount() : static_cast<int>(SelectableComponents().size());
}

IPtr<IItem> TOrxDesignSurface::GetItems(int Index) {
  if (Host()) return TDesignSurface::GetItems(Index);
  // The root's own components come first: going through all items one by one stays linear.
  if (DesignRootComponent() && Index >= 0 && Index < DesignRootComponent()->ComponentCount())
    return FindItem(DesignRootComponent()->Components(Index));
  const std::vector<TComponent*> All = SelectableComponents();
  if (Index < 0 || Index >= static_cast<int>(All.size())) throw EListError(Format(SListIndexError, Index));
  return FindItem(All[static_cast<size_t>(Index)]);
}

bool TOrxDesignSurface::HasSelectableChildren(TComponent* Component) {
  if (!Component) return false;
  if (Host()) return Host()->HasSelectableChildren(Component);
  return Component->ComponentState().Contains(csInline);
}

IPtr<IDesigner> TOrxDesignSurface::GetDesigner() {
  if (FDesigner || !DesignRootComponent()) return FDesigner;
  return Supports<IDesigner>(DesignRootComponent()->Designer());
}

IPtr<IComponentEditor> TOrxDesignSurface::GetComponentEditor(TComponent* Component) {
  IPtr<IDesigner> Designer = GetDesigner();
  if (!Designer || !Component) return nullptr;
  return formwright::GetComponentEditor(Component, Designer);
}

std::vector<TComponent*> TOrxDesignSurface::IconComponents() const {
  std::vector<TComponent*> Result;
  if (!DesignRootComponent()) return Result;
  for (TComponent* C : DesignRootComponent()->ComponentList())
    if (!dynamic_cast<TControl*>(C) && !IsNoIconComponent(C)) Result.push_back(C);
  return Result;
}

IPtr<IItem> TOrxDesignSurface::ItemAtPos(TPoint Point) {
  const std::vector<TComponent*> Icons = IconComponents();
  for (auto It = Icons.rbegin(); It != Icons.rend(); ++It) {
    IPtr<IItem> Icon = FindItem(*It);
    if (Icon && Icon->GetBoundsRect().Contains(Point)) return Icon;
  }
  if (auto* Root = dynamic_cast<TWinControl*>(DesignRootComponent())) {
    IPtr<IItem> Item = FindItem(Root->ControlAtPos(Point, true, true));
    while (Item && !Item->Selectable()) Item = Item->GetParent();
    if (Item) return Item;
  }
  return GetRoot();
}

TPoint TOrxDesignSurface::SurfaceToGlobal(TPoint Point) {
  if (auto* Root = dynamic_cast<TControl*>(DesignRootComponent())) return Root->ClientToScreen(Point);
  return Point;
}

void TOrxDesignSurface::PaintPicture(const TSurfacePicture& How) {
  PaintModulePicture(*FPicture, DesignRootComponent(), How);
  FPictureScale = std::max(How.Scale, 1);
}

IPtr<IDragBoxes> TOrxDesignSurface::CreateDragBoxes(const IPtr<IItem>& Container, TPoint Start) {
  // Where the container's client area starts on the picture: the root's client offset there,
  // plus the container's client origin within the root's.
  TPoint Offset;
  if (auto* Root = dynamic_cast<TControl*>(DesignRootComponent())) {
    Offset = orx::ClientOffset(Root);
    if (auto* C = dynamic_cast<TControl*>(ExtractComponent(Container)); C && C != Root) {
      const TPoint At = C->ClientToScreen({0, 0}), RootAt = Root->ClientToScreen({0, 0});
      Offset = {Offset.X + At.X - RootAt.X, Offset.Y + At.Y - RootAt.Y};
    }
  }
  FDragBoxPainter->SetPicture(FPicture.get(), Offset, FPictureScale);
  return MakeIntf<TXorDragBoxes>(FDragBoxPainter);
}

std::vector<IPtr<IItem>> TOrxDesignSurface::TabSequence(const IPtr<IItem>& Parent) {
  std::vector<TComponent*> Order;
  TComponent* ParentComponent = ExtractComponent(Parent);
  if (auto* W = dynamic_cast<TWinControl*>(ParentComponent)) {
    // The container's tab list lists the windowed controls below it depth first, each level in
    // tab order: its own children are those whose parent it is.
    std::vector<TWinControl*> TabList;
    W->GetTabOrderList(TabList);
    for (TWinControl* C : TabList)
      if (C->Parent() == W) Order.push_back(C);
    for (int I = 0; I < W->ControlCount(); ++I)
      if (!dynamic_cast<TWinControl*>(W->Controls(I))) Order.push_back(W->Controls(I));
  }
  if (ParentComponent && ParentComponent == DesignRootComponent()) {
    const std::vector<TComponent*> Icons = IconComponents();
    Order.insert(Order.end(), Icons.begin(), Icons.end());
  }
  std::vector<IPtr<IItem>> Result;
  for (TComponent* C : Order)
    if (IPtr<IItem> Item = FindItem(C); Item && Item->Selectable()) Result.push_back(Item);
  return Result;
}

IPtr<IItem> TOrxDesignSurface::NextTabItem(const IPtr<IItem>& Current, bool GoForward) {
  const IPtr<IItem> Root = GetRoot();
  if (!Root) return nullptr;
  IPtr<IItem> Parent = Root;
  IPtr<IItem> From;
  if (Current && !SameItem(Current, Root)) {
    From = Current;
    if (IPtr<IItem> P = Current->GetParent()) Parent = P;
  }
  const std::vector<IPtr<IItem>> Sequence = TabSequence(Parent);
  if (Sequence.empty()) return nullptr;
  const int Count = static_cast<int>(Sequence.size());
  int Index = -1;
  for (int I = 0; I < Count && From; ++I)
    if (SameItem(Sequence[static_cast<size_t>(I)], From)) Index = I;
  if (Index < 0) return GoForward ? Sequence.front() : Sequence.back();
  const int Next = GoForward ? (Index + 1) % Count : (Index + Count - 1) % Count;
  return Sequence[static_cast<size_t>(Next)];
}

}  // namespace formwright
