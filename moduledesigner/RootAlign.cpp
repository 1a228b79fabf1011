// The root's alignment, size, grid and flip commands over its selection.
#include "moduledesigner/RootAlign.h"

#include <algorithm>
#include <climits>

#include "moduledesigner/RootCreation.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// TBounder

TBounder::TBounder(IPtr<IItem> Item, bool Trial)
    : FItem(std::move(Item)), FTrial(Trial), FOriginal(FItem->GetBoundsRect()), FBounds(FOriginal) {}

std::optional<TBounder> TBounder::Parent() const {
  IPtr<IItem> P = FItem->GetParent();
  if (!P) return std::nullopt;
  return TBounder(std::move(P));
}

int TBounder::ClientWidth() {
  if (!FClient) {
    const TRect R = FItem->GetClientRect();
    FClient = TSize{R.Width(), R.Height()};
  }
  return FClient->cx;
}

int TBounder::ClientHeight() {
  ClientWidth();
  return FClient->cy;
}

void TBounder::Apply(const TRect& Rect) {
  if (FTrial) {
    FBounds = Rect;
    return;
  }
  FItem->SetBoundsRect(Rect);
  FBounds = FItem->GetBoundsRect();
}

// ---------------------------------------------------------------------------------------------
// TRootAlign

namespace {
// One axis of an item: its near edge and extent, and moving its near edge.
int Near(const TBounder& B, bool Horizontal) { return Horizontal ? B.Left() : B.Top(); }
int Extent(const TBounder& B, bool Horizontal) { return Horizontal ? B.Width() : B.Height(); }
void SetNear(TBounder& B, bool Horizontal, int Value) { Horizontal ? B.SetLeft(Value) : B.SetTop(Value); }

// The items in ascending order of their near edge; where the anchor (element 0) went.
std::vector<TBounder*> Sorted(std::vector<TBounder>& Items, bool Horizontal, size_t& Anchor) {
  std::vector<TBounder*> R;
  R.reserve(Items.size());
  for (TBounder& B : Items) R.push_back(&B);
  std::sort(R.begin(), R.end(),
            [Horizontal](TBounder* A, TBounder* B) { return Near(*A, Horizontal) < Near(*B, Horizontal); });
  Anchor = static_cast<size_t>(std::find(R.begin(), R.end(), &Items.front()) - R.begin());
  return R;
}
}  // namespace

bool TRootAlign::Locked() {
  if (FState.ComponentDesigner && FState.ComponentDesigner->GetControlsLocked()) return true;
  const IPtr<ISurfaceDesigner> Designer = FHost.HostFormDesigner();
  return Designer && Designer->GetLocked();
}

TPoint TRootAlign::PointToGrid(TPoint Point, bool Force) {
  if (const IPtr<ISurfaceDesigner> Designer = FHost.HostFormDesigner())
    return Designer->PointToGrid(Point, Force);
  // Without a form designer the grid of the designer options serves.
  TDesignerOptions Options;
  if (const IPtr<IDesignEnvironment> Env = FState.Environment()) Options = Env->GetDesignerOptions();
  if (!Force && !Options.SnapToGrid) return Point;
  const TPoint Origin = FState.Surface ? FState.Surface->GetGridOrigin() : TPoint{};
  return {SnapToGrid(Point.X, Origin.X, Options.GridSizeX), SnapToGrid(Point.Y, Origin.Y, Options.GridSizeY)};
}

std::vector<TBounder> TRootAlign::Prepare(bool Trial) {
  std::vector<TBounder> Items;
  if (FSelection.Count() == 0 || Locked()) return Items;
  FSelection.ForceCommonParent();
  Items.reserve(static_cast<size_t>(FSelection.Count()));
  for (int I = 0; I < FSelection.Count(); ++I)
    if (IPtr<IItem> Item = FSelection.Items(I)) Items.emplace_back(std::move(Item), Trial);
  return Items;
}

namespace {
bool AnyChanged(const std::vector<TBounder>& Items) {
  return std::any_of(Items.begin(), Items.end(), [](const TBounder& B) { return B.Changed(); });
}
}  // namespace

void TRootAlign::Align(TOTAAffect Affect) {
  if (FSelection.Count() == 0 || FSelection.IsRootSelected() || Locked()) return;
  std::vector<TBounder> Items = Prepare();
  if (Items.empty()) return;
  AlignItems(Items, Affect);
  FState.Self->Modified();
}

bool TRootAlign::AlignChanges(TOTAAffect Affect) {
  if (FSelection.Count() == 0 || FSelection.IsRootSelected() || Locked()) return false;
  if (Affect == afSnapToGrid || Affect == afSendToBack || Affect == afBringToFront) return true;
  std::vector<TBounder> Items = Prepare(true);
  if (Items.empty()) return false;
  AlignItems(Items, Affect);
  return AnyChanged(Items);
}

void TRootAlign::AlignItems(std::vector<TBounder>& Items, TOTAAffect Affect) {
  const TBounder& A = Items.front();
  switch (Affect) {
    case afTop:
    case afBottom:
    case afVCenter: {
      const int V = Affect == afTop      ? A.Top()
                    : Affect == afBottom ? A.Top() + A.Height()
                                         : A.Top() + A.Height() / 2;
      for (TBounder& B : Items)
        B.SetTop(Affect == afTop ? V : Affect == afBottom ? V - B.Height() : V - B.Height() / 2);
      break;
    }
    case afLeft:
    case afRight:
    case afHCenter: {
      const int V = Affect == afLeft    ? A.Left()
                    : Affect == afRight ? A.Left() + A.Width()
                                        : A.Left() + A.Width() / 2;
      for (TBounder& B : Items)
        B.SetLeft(Affect == afLeft ? V : Affect == afRight ? V - B.Width() : V - B.Width() / 2);
      break;
    }
    case afHSpace:
    case afVSpace:
      Space(Items, Affect == afHSpace);
      break;
    case afHWinCenter:
    case afVWinCenter:
      WinCenter(Items, Affect == afHWinCenter);
      break;
    case afHSpaceInc:
    case afHSpaceDec:
      SpaceStep(Items, true, Affect == afHSpaceInc ? 1 : -1);
      break;
    case afVSpaceInc:
    case afVSpaceDec:
      SpaceStep(Items, false, Affect == afVSpaceInc ? 1 : -1);
      break;
    case afHSpaceDel:
    case afVSpaceDel:
      SpaceDelete(Items, Affect == afHSpaceDel);
      break;
    case afAlignToGrid:
      ToGrid(Items);
      break;
    case afSnapToGrid:
      if (const IPtr<ISurfaceDesigner> Designer = FHost.HostFormDesigner())
        Designer->SetGridAligned(!Designer->GetGridAligned());
      break;
    case afSendToBack:
    case afBringToFront:
      FLayout.ZOrder(Affect == afBringToFront);
      break;
    case afNothing:
      break;
  }
}

void TRootAlign::Space(std::vector<TBounder>& Items, bool Horizontal) {
  if (Items.size() < 2) return;
  size_t Anchor = 0;
  std::vector<TBounder*> S = Sorted(Items, Horizontal, Anchor);
  const int First = Near(*S.front(), Horizontal), Last = Near(*S.back(), Horizontal);
  const int N = static_cast<int>(S.size()) - 1;
  for (int I = 1; I < N; ++I)
    SetNear(*S[static_cast<size_t>(I)], Horizontal, First + ((Last - First) * I) / N);
}

void TRootAlign::WinCenter(std::vector<TBounder>& Items, bool Horizontal) {
  std::optional<TBounder> Parent = Items.front().Parent();
  if (!Parent) return;
  TRect U = Items.front().BoundsRect();
  for (const TBounder& B : Items) {
    const TRect& R = B.BoundsRect();
    U = Rect(std::min(U.Left, R.Left), std::min(U.Top, R.Top), std::max(U.Right, R.Right),
             std::max(U.Bottom, R.Bottom));
  }
  const int D = Horizontal ? (Parent->ClientWidth() - U.Left - U.Right) / 2
                           : (Parent->ClientHeight() - U.Top - U.Bottom) / 2;
  for (TBounder& B : Items) SetNear(B, Horizontal, Near(B, Horizontal) + D);
}

void TRootAlign::SpaceStep(std::vector<TBounder>& Items, bool Horizontal, int Step) {
  size_t K = 0;
  std::vector<TBounder*> S = Sorted(Items, Horizontal, K);
  const int AnchorNear = Near(*S[K], Horizontal);
  // On a decrease an item level with the anchor cannot come any closer: it stays.
  auto Skipped = [&](TBounder* B) { return Step < 0 && Near(*B, Horizontal) == AnchorNear; };
  int Acc = 0;
  for (size_t I = K; I-- > 0;) {
    if (Skipped(S[I])) continue;
    Acc += Step;
    SetNear(*S[I], Horizontal, Near(*S[I], Horizontal) - Acc);
  }
  Acc = 0;
  for (size_t I = K + 1; I < S.size(); ++I) {
    if (Skipped(S[I])) continue;
    Acc += Step;
    SetNear(*S[I], Horizontal, Near(*S[I], Horizontal) + Acc);
  }
}

void TRootAlign::SpaceDelete(std::vector<TBounder>& Items, bool Horizontal) {
  size_t K = 0;
  std::vector<TBounder*> S = Sorted(Items, Horizontal, K);
  // The gaps are those before anything moves.
  std::vector<int> Lo, Hi;
  for (TBounder* B : S) {
    Lo.push_back(Near(*B, Horizontal));
    Hi.push_back(Near(*B, Horizontal) + Extent(*B, Horizontal));
  }
  int Acc = 0;
  for (size_t I = K; I-- > 0;) {
    Acc += std::max(0, Lo[I + 1] - Hi[I]);
    if (Acc) SetNear(*S[I], Horizontal, Lo[I] + Acc);
  }
  Acc = 0;
  for (size_t I = K + 1; I < S.size(); ++I) {
    Acc += std::max(0, Lo[I] - Hi[I - 1]);
    if (Acc) SetNear(*S[I], Horizontal, Lo[I] - Acc);
  }
}

void TRootAlign::Size(TOTASizeAffect Affect, int Value) {
  std::vector<TBounder> Items = Prepare();
  if (Items.empty()) return;
  SizeItems(Items, Affect, Value);
  FState.Self->Modified();
}

bool TRootAlign::SizeChanges(TOTASizeAffect Affect, int Value) {
  std::vector<TBounder> Items = Prepare(true);
  SizeItems(Items, Affect, Value);
  return AnyChanged(Items);
}

void TRootAlign::SizeItems(std::vector<TBounder>& Items, TOTASizeAffect Affect, int Value) {
  if (Items.empty()) return;
  int MinW = INT_MAX, MaxW = 0, MinH = INT_MAX, MaxH = 0;
  for (const TBounder& B : Items) {
    MinW = std::min(MinW, B.Width());
    MaxW = std::max(MaxW, B.Width());
    MinH = std::min(MinH, B.Height());
    MaxH = std::max(MaxH, B.Height());
  }
  const int AW = Items.front().Width(), AH = Items.front().Height();
  for (TBounder& B : Items) switch (Affect) {
      case asHGrow:
        B.SetWidth(MaxW);
        break;
      case asHShrink:
        B.SetWidth(MinW);
        break;
      case asHAbsolute:
        B.SetWidth(Value);
        break;
      case asVGrow:
        B.SetHeight(MaxH);
        break;
      case asVShrink:
        B.SetHeight(MinH);
        break;
      case asVAbsolute:
        B.SetHeight(Value);
        break;
      case asWidths:
        B.SetWidth(AW);
        break;
      case asHeights:
        B.SetHeight(AH);
        break;
      case asWidthHeight:
        B.SetWidth(AW);
        B.SetHeight(AH);
        break;
      case asSizeToGrid:
      case asNothing:
        break;
    }
}

void TRootAlign::AlignToGrid() {
  std::vector<TBounder> Items = Prepare();
  if (Items.empty()) return;
  ToGrid(Items);
  FState.Self->Modified();
}

void TRootAlign::ToGrid(std::vector<TBounder>& Items) {
  for (TBounder& B : Items) {
    const TPoint P = PointToGrid(B.BoundsRect().TopLeft(), true);
    B.SetBounds(Bounds(P.X, P.Y, B.Width(), B.Height()));
  }
}

// Our framework's decision: all children means every child of the module mirrored inside its
// parent, nested containers included at every level (sides of left- and right-aligned
// controls and one-sided anchors swap); the selected children are mirrored inside their parent
// as wholes, their own contents left as they are.
void TRootAlign::FlipChildren(bool SelectedOnly) {
  if (Locked()) return;
  if (!SelectedOnly) {
    const IPtr<IInternalItem> Root =
        Supports<IInternalItem>(FState.Surface ? FState.Surface->GetRoot() : FSelection.ItemOf(FState.Root));
    if (!Root) return;
    Root->FlipChildren(true);
  } else {
    if (FSelection.IsRootSelected()) return;
    std::vector<TBounder> Items = Prepare();
    if (Items.empty()) return;
    std::optional<TBounder> Parent = Items.front().Parent();
    if (!Parent) return;
    const int W = Parent->ClientWidth();
    for (TBounder& B : Items) B.SetLeft(W - B.Left() - B.Width());
  }
  FState.Self->Modified();
}

TPoint TRootAlign::GetScrollRanges(TPoint ScrollPosition) {
  TPoint R{};
  if (!FState.Surface) return R;
  const int Count = FState.Surface->GetItemsCount();
  for (int I = 0; I < Count; ++I) {
    const IPtr<IItem> Item = FState.Surface->GetItems(I);
    if (!Item) continue;
    const TRect E = Item->GetExtendedRect();
    R.X = std::max(R.X, ScrollPosition.X + E.Right);
    R.Y = std::max(R.Y, ScrollPosition.Y + E.Bottom);
  }
  return R;
}

}  // namespace formwright
