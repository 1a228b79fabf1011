#include "formdesigner/Guides.h"

#include <algorithm>
#include <cstdlib>

#include "editors/ComponentGuidelines.h"
#include "formdesigner/Items.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TItemWrapper, "FormDesigner")

namespace {

constexpr int NoGuideline = TComponentGuidelines::NoGuideline;

bool Overlap(int ALow, int AHigh, int BLow, int BHigh) noexcept {
  const auto In = [](int V, int Low, int High) { return V >= Low && V <= High; };
  return In(ALow, BLow, BHigh) || In(AHigh, BLow, BHigh) || In(BLow, ALow, AHigh) || In(BHigh, ALow, AHigh);
}

bool Intersect(const TRect& A, const TRect& B) noexcept {
  return std::max(A.Left, B.Left) < std::min(A.Right, B.Right) &&
         std::max(A.Top, B.Top) < std::min(A.Bottom, B.Bottom);
}

// The dragged guideline kind a guide of `Guide`'s kind meets through margins (gtAlignLeft, which
// is never a margin kind, when none).
TGuideType MarginPartner(TGuideType Guide) noexcept {
  switch (Guide) {
    case gtMarginLeft:
      return gtMarginRight;
    case gtMarginRight:
      return gtMarginLeft;
    case gtMarginTop:
      return gtMarginBottom;
    case gtMarginBottom:
      return gtMarginTop;
    case gtPaddingLeft:
      return gtMarginLeft;
    case gtPaddingTop:
      return gtMarginTop;
    case gtPaddingRight:
      return gtMarginRight;
    case gtPaddingBottom:
      return gtMarginBottom;
    default:
      return gtAlignLeft;
  }
}

bool IsPadding(TGuideType Kind) noexcept {
  return Kind == gtPaddingLeft || Kind == gtPaddingTop || Kind == gtPaddingRight || Kind == gtPaddingBottom;
}

// The guides whose position lies within [Line − Threshold, Line + Threshold]: the lists are
// sorted, so only those are visited, in list order.
TGuideList::const_iterator WindowStart(const TGuideList& Guides, int Line, int Threshold) {
  return std::lower_bound(Guides.begin(), Guides.end(), static_cast<long long>(Line) - Threshold,
                          [](const TGuideInstance& G, long long V) { return G.Position < V; });
}

// The alignment rule: same kind, within the parent's client area on the snapping axis (its edges
// included, so that a guide on the client area's far edge, as a padding of 0 puts it, counts).
bool AlignMatches(const TSnapContext& C, const TGuideInstance& G, TGuideType Kind, bool Y) {
  if (G.Kind != Kind) return false;
  const TRect P = C.Wrapper.ParentClient();
  return Y ? G.Position >= P.Top && G.Position <= P.Bottom : G.Position >= P.Left && G.Position <= P.Right;
}

// The margin rule for a guide and a dragged guideline at `Line`.
bool MarginMatches(const TSnapContext& C, const TGuideInstance& G, TGuideType Kind, int Line, bool Y) {
  if (MarginPartner(G.Kind) != Kind) return false;
  const bool IsParent = SameItem(G.Item, C.Wrapper.Parent());
  if (IsPadding(G.Kind) && !IsParent) return false;
  const TRect Dragged = C.Wrapper.ExtendedRect();
  if (!IsParent && Intersect(G.Extended, Dragged)) return false;
  // The two items face each other across the axis.
  const TRect Span = C.Wrapper.Rect();
  if (Y ? !Overlap(G.Extent.Left, G.Extent.Right, Span.Left, Span.Right)
        : !Overlap(G.Extent.Top, G.Extent.Bottom, Span.Top, Span.Bottom))
    return false;
  if (IsPadding(G.Kind)) {
    // A parent's padding only takes a line inside the container and the parent.
    const TRect& Client = C.ContainerClient;
    const TRect& Parent = G.Extended;
    if (Y ? Line < Client.Top || Line > Client.Bottom || Line < Parent.Top || Line > Parent.Bottom
          : Line < Client.Left || Line > Client.Right || Line < Parent.Left || Line > Parent.Right)
      return false;
  }
  return true;
}

// The search shared by both snaps: `Matches(Guide, Kind, Line)` is the pairing rule; a baseline
// ends the search when `BaselineStops`.
template <class TMatches>
bool Snap(const TSnapContext& C, int& Position, TGuideTypes Kinds, const TGuideList& Guides, bool Y,
          bool BaselineStops, TMatches Matches) {
  const int Base = Y ? C.Wrapper.Offset().Y : C.Wrapper.Offset().X;
  const int Start = Position;
  int Threshold = C.Threshold;
  bool Snapped = false;
  for (const TItemGuidelinesSorter::TEntry& E : C.Sorted.Entries()) {
    if (!Kinds.Contains(E.Kind)) continue;
    const int Line = Base + E.Offset;
    for (auto It = WindowStart(Guides, Line, Threshold); It != Guides.end(); ++It) {
      const int Distance = std::abs(It->Position - Line);
      if (It->Position > Line && Distance > Threshold) break;
      if (Distance > Threshold || !Matches(*It, E.Kind, Line)) continue;
      Position = Start + (It->Position - Line);
      Threshold = Distance;
      Snapped = true;
      if (Distance == 0 || (BaselineStops && E.Kind == gtBaseline)) return true;
    }
  }
  return Snapped;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TItemGuidelinesSorter

TItemGuidelinesSorter::TItemGuidelinesSorter(const IPtr<IItemGuidelines>& Guidelines) {
  if (!Guidelines) return;
  const int Count = Guidelines->GetCount();
  std::vector<TEntry> Others;
  for (int I = 0; I < Count; ++I) {
    const TEntry E{Guidelines->GetDesignerGuideType(I), Guidelines->GetDesignerGuideOffset(I)};
    if (E.Offset == NoGuideline) continue;
    (E.Kind == gtBaseline ? FEntries : Others).push_back(E);
  }
  FEntries.insert(FEntries.end(), Others.begin(), Others.end());
}

// ---------------------------------------------------------------------------------------------
// TItemWrapper

TRect RectInContainer(const TRect& Rect, const IPtr<IItem>& Parent, const IPtr<IItem>& Container) {
  const TPoint Global = Parent ? Parent->LocalToGlobal(Rect.TopLeft()) : Rect.TopLeft();
  const TPoint Local = Container ? Container->GlobalToLocal(Global) : Global;
  TRect R = Rect;
  R.Offset(Local.X - Rect.Left, Local.Y - Rect.Top);
  return R;
}

TItemWrapper::TItemWrapper(const IPtr<IItem>& Item, const IPtr<IItem>& Container, bool Sizing)
    : FItem(Item), FParent(Item->GetParent()), FSizing(Sizing) {
  const TRect Bounds = Item->GetBoundsRect();
  const TRect Extended = Item->GetExtendedRect();
  FRect = Bounds;
  FStart = RectInContainer(Bounds, FParent, Container);
  FToContainer = {FStart.Left - Bounds.Left, FStart.Top - Bounds.Top};
  FExtension = {Extended.Left - Bounds.Left, Extended.Top - Bounds.Top, Extended.Right - Bounds.Right,
                Extended.Bottom - Bounds.Bottom};
  FParentClient =
      FParent ? RectInContainer(FParent->GetClientRect(), FParent, Container) : Container->GetClientRect();
}

TRect TItemWrapper::Rect() const {
  TRect R = FStart;
  if (FSizing) {
    R = FRect;
    R.Offset(FToContainer.X, FToContainer.Y);
  } else {
    R.Offset(FOffset.X, FOffset.Y);
  }
  return R;
}

TRect TItemWrapper::ExtendedRect() const {
  const TRect R = Rect();
  return {R.Left + FExtension.Left, R.Top + FExtension.Top, R.Right + FExtension.Right,
          R.Bottom + FExtension.Bottom};
}

// ---------------------------------------------------------------------------------------------
// Collecting

void GetGuides(IDesignSurface& Surface, const IPtr<ISelections>& Selections, TGuideList& Horizontal,
               TGuideList& Vertical) {
  Horizontal.clear();
  Vertical.clear();
  const IPtr<IItem> Container = Surface.GetContainerItem();
  const auto Collect = [&](const IPtr<IItem>& Item) {
    const IPtr<IItemEx> Guided = Supports<IItemEx>(Item);
    if (!Guided || !Guided->GetGuidelinesEnabled()) return;
    const IPtr<IItemGuidelines> Guidelines = Guided->GetGuidelines();
    const int Count = Guidelines ? Guidelines->GetCount() : 0;
    if (Count == 0) return;
    const IPtr<IItem> Parent = Item->GetParent();
    const TRect Extent = RectInContainer(Item->GetBoundsRect(), Parent, Container);
    const TRect Extended = RectInContainer(Item->GetExtendedRect(), Parent, Container);
    for (int I = 0; I < Count; ++I) {
      const TGuideType Kind = Guidelines->GetDesignerGuideType(I);
      const int Position = Guidelines->GetDesignerGuideOffset(I);
      if (Position == NoGuideline) continue;
      (IsYGuide(Kind) ? Vertical : Horizontal)
          .push_back({Position, Kind, Item, Guidelines, Extent, Extended});
    }
  };
  const int Count = Surface.GetItemsCount();
  for (int I = 0; I < Count; ++I) {
    const IPtr<IItem> Item = Surface.GetItems(I);
    if (!Item || SameItem(Item, Container) || Surface.ItemInSelections(Selections, Item)) continue;
    Collect(Item);
  }
  if (Container && !Surface.ItemInSelections(Selections, Container)) Collect(Container);
  const auto ByPosition = [](const TGuideInstance& A, const TGuideInstance& B) {
    return A.Position < B.Position;
  };
  std::stable_sort(Horizontal.begin(), Horizontal.end(), ByPosition);
  std::stable_sort(Vertical.begin(), Vertical.end(), ByPosition);
}

// ---------------------------------------------------------------------------------------------
// Snapping

bool SnapToAlignGuide(const TSnapContext& Context, int& Position, TGuideTypes Kinds,
                      const TGuideList& Guides) {
  const bool Y = Kinds.Contains(gtAlignTop) || Kinds.Contains(gtAlignBottom) || Kinds.Contains(gtBaseline);
  return Snap(Context, Position, Kinds, Guides, Y, true, [&](const TGuideInstance& G, TGuideType Kind, int) {
    return AlignMatches(Context, G, Kind, Y);
  });
}

bool SnapToMarginGuide(const TSnapContext& Context, int& Position, TGuideTypes Kinds,
                       const TGuideList& Guides) {
  const bool Y = Kinds.Contains(gtMarginTop) || Kinds.Contains(gtMarginBottom);
  return Snap(Context, Position, Kinds, Guides, Y, false,
              [&](const TGuideInstance& G, TGuideType Kind, int Line) {
                return MarginMatches(Context, G, Kind, Line, Y);
              });
}

// ---------------------------------------------------------------------------------------------
// Showing

void GenerateGuidelines(const TSnapContext& Context, const TRect& Deltas, TGuideTypes Kinds,
                        const TGuideList& Horizontal, const TGuideList& Vertical,
                        IGuidelinePainter& Painter) {
  const TRect Start = Context.Wrapper.StartRect();
  const TRect Dragged{Start.Left + Deltas.Left, Start.Top + Deltas.Top, Start.Right + Deltas.Right,
                      Start.Bottom + Deltas.Bottom};
  Painter.Clear();
  Painter.BeginUpdate();
  TScopeExit End([&Painter] { Painter.EndUpdate(); });
  for (const TItemGuidelinesSorter::TEntry& E : Context.Sorted.Entries()) {
    if (!Kinds.Contains(E.Kind)) continue;
    const bool Y = IsYGuide(E.Kind);
    const TGuideType K = E.Kind;
    const int Delta = K == gtAlignLeft || K == gtMarginLeft || K == gtPaddingLeft         ? Deltas.Left
                      : K == gtAlignRight || K == gtMarginRight || K == gtPaddingRight    ? Deltas.Right
                      : K == gtAlignBottom || K == gtMarginBottom || K == gtPaddingBottom ? Deltas.Bottom
                                                                                          : Deltas.Top;
    const int Line = E.Offset + Delta;
    const bool Margin = K == gtMarginLeft || K == gtMarginTop || K == gtMarginRight || K == gtMarginBottom;
    const TGuideList& Guides = Y ? Vertical : Horizontal;
    auto [First, Last] = std::equal_range(
        Guides.begin(), Guides.end(), TGuideInstance{Line, K, nullptr, nullptr, {}, {}},
        [](const TGuideInstance& A, const TGuideInstance& B) { return A.Position < B.Position; });
    for (auto It = First; It != Last; ++It) {
      if (!(Margin ? MarginMatches(Context, *It, K, Line, Y) : AlignMatches(Context, *It, K, Y))) continue;
      const TRect& G = It->Extent;
      if (Y)
        Painter.AddLine(It->Kind, {std::min(G.Left, Dragged.Left), Line},
                        {std::max(G.Right, Dragged.Right), Line});
      else
        Painter.AddLine(It->Kind, {Line, std::min(G.Top, Dragged.Top)},
                        {Line, std::max(G.Bottom, Dragged.Bottom)});
    }
  }
}

}  // namespace formwright
