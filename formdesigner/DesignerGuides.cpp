// The form designer's alignment guidelines: what a drag collects when it starts, how an edge of
// a drag snaps to a guide, and the lines shown for the guides a dragged or selected item meets.
#include "formdesigner/Designer.h"

namespace formwright {

namespace {

constexpr TGuideTypes ShownKinds{gtAlignLeft, gtAlignTop,    gtAlignRight,   gtAlignBottom, gtMarginLeft,
                                 gtMarginTop, gtMarginRight, gtMarginBottom, gtBaseline};

}  // namespace

void TDesigner::PrepareGuides(const IPtr<IItem>& Item, const IPtr<IItemGuidelines>& Source) {
  if (!Source) return;
  const IPtr<IItem> Container = FSurface->GetContainerItem();
  if (!Container) return;
  FGuides.Source = Source;
  FGuides.Sorted.emplace(Source);
  FGuides.Wrapper = MakeIntf<TItemWrapper>(Item, Container, FDragAction == daSize);
  FGuides.ContainerClient = Container->GetClientRect();
  GetGuides(*FSurface, FSelections, FGuides.Horizontal, FGuides.Vertical);
}

bool TDesigner::CanSnapToGuides() {
  return FGuidelines && FGuides.Ready() && FGuidelinePainter && !FSurface->GridSnapDisabled();
}

bool TDesigner::SnapToGuides(int& Position, TGuideTypes Margins, TGuideTypes Aligns, bool Y) {
  const TGuideTypes Kinds = Y ? FGuides.VerticalKinds : FGuides.HorizontalKinds;
  const TSnapContext Context = FGuides.Context(Y ? FGridSize.Y : FGridSize.X);
  const TGuideList& Guides = Y ? FGuides.Vertical : FGuides.Horizontal;
  if (const TGuideTypes M = Margins * Kinds; !M.Empty() && SnapToMarginGuide(Context, Position, M, Guides))
    return true;
  const TGuideTypes A = Aligns * Kinds;
  return !A.Empty() && SnapToAlignGuide(Context, Position, A, Guides);
}

void TDesigner::GenerateGuidelines() {
  if (!FGuidelinePainter || !FGuides.Ready()) return;
  TRect Deltas;
  if (FDragAction == daMove)
    Deltas = {FDragRect.Left, FDragRect.Top, FDragRect.Left, FDragRect.Top};
  else
    Deltas = {FDragRect.Left - FStartingBounds.Left, FDragRect.Top - FStartingBounds.Top,
              FDragRect.Right - FStartingBounds.Right, FDragRect.Bottom - FStartingBounds.Bottom};
  formwright::GenerateGuidelines(FGuides.Context(0), Deltas, FGuides.HorizontalKinds + FGuides.VerticalKinds,
                                 FGuides.Horizontal, FGuides.Vertical, *FGuidelinePainter);
}

// While Shift or Ctrl is held without a drag, and after a keyboard move: the guides the first
// selected item meets where it is, collected as a drag would collect them.
void TDesigner::ShowSelectionGuidelines() {
  if (!FGuidelines || FDragAction != daNone) return;
  HideGuidelines();
  const IPtr<IGuidelinePainter> Painter = FSurface->GetGuidelinePainter();
  const IPtr<IItem> Container = FSurface->GetContainerItem();
  if (!Painter || !Container || FSelections->GetCount() == 0) return;
  const IPtr<IItem> First = FSelections->GetItems(0);
  const IPtr<IItemEx> Guided = Supports<IItemEx>(First);
  if (!Guided || !Guided->GetGuidelinesEnabled()) return;
  const IPtr<IItemGuidelines> Source = Guided->GetGuidelines();
  if (!Source) return;
  const TItemGuidelinesSorter Sorted(Source);
  const IPtr<TItemWrapper> Wrapper = MakeIntf<TItemWrapper>(First, Container, false);
  TGuideList Horizontal, Vertical;
  GetGuides(*FSurface, FSelections, Horizontal, Vertical);
  formwright::GenerateGuidelines({*Wrapper, Sorted, 0, Container->GetClientRect()}, {}, ShownKinds,
                                 Horizontal, Vertical, *Painter);
}

void TDesigner::HideGuidelines() {
  if (FDragAction != daNone) return;
  if (const IPtr<IGuidelinePainter> Painter = FSurface->GetGuidelinePainter()) Painter->Clear();
}

}  // namespace formwright
