// The align pass of windowed controls: aligned children placed edge by edge, anchors applied,
// children flipped, and a container scaled with its children.
#include <algorithm>

#include "platform/orx/Controls.h"
#include "platform/runtime/Scoped.h"

namespace formwright::orx {

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending) Realign();
}

void TWinControl::Realign() { RealignFor(nullptr); }

void TWinControl::RealignFor(TControl* AControl) {
  if (FAligning) return;
  const TComponentState S = ComponentState();
  if (FAlignLevel > 0 || S.Contains(csLoading) || S.Contains(csDestroying)) {
    FAlignPending = true;
    return;
  }
  FAlignPending = false;
  TValueScope Scope(FAligning, true);
  TRect R = ClientRect();
  AdjustClientRect(R);
  R = PaddingWidths().Deflate(R);
  AlignControls(AControl, R);
}

void TWinControl::AlignControls(TControl* AControl, TRect& R) {
  std::vector<TControl*> All;
  for (int I = 0; I < ControlCount(); ++I) All.push_back(Controls(I));
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient, alCustom}) {
    std::vector<TControl*> L;
    for (TControl* C : All)
      if (C->FAlign == A && C->ShowsInLayout()) L.push_back(C);
    // Children closest to the edge they align to (margins included) come first; ties keep
    // the z-order, except that the child whose change caused the pass goes first.
    auto Key = [A](const TControl* C) {
      const bool M = C->AlignWithMargins();
      const TEdgeWidths G = C->MarginWidths();
      switch (A) {
        case alTop:
          return C->FTop - (M ? G.Top : 0);
        case alBottom:
          return -(C->FTop + C->FHeight + (M ? G.Bottom : 0));
        case alLeft:
          return C->FLeft - (M ? G.Left : 0);
        case alRight:
          return -(C->FLeft + C->FWidth + (M ? G.Right : 0));
        default:
          return 0;
      }
    };
    std::stable_sort(L.begin(), L.end(), [&](const TControl* X, const TControl* Y) {
      const int KX = Key(X), KY = Key(Y);
      return KX < KY || (KX == KY && X == AControl && Y != AControl);
    });
    for (TControl* C : L) {
      if (A == alCustom) {
        int32_t NL = C->FLeft, NT = C->FTop, NW = C->FWidth, NH = C->FHeight;
        CustomAlignPosition(C, NL, NT, NW, NH, R);
        C->SetAlignedBounds(Bounds(NL, NT, NW, NH));
        continue;
      }
      const TEdgeWidths M = C->AlignWithMargins() ? C->MarginWidths() : TEdgeWidths{};
      const int32_t W = C->FWidth + M.Left + M.Right, H = C->FHeight + M.Top + M.Bottom;
      TRect Outer = R;
      if (A == alTop) Outer.Bottom = R.Top + H;
      if (A == alBottom) Outer.Top = R.Bottom - H;
      if (A == alLeft) Outer.Right = R.Left + W;
      if (A == alRight) Outer.Left = R.Right - W;
      C->SetAlignedBounds(M.Deflate(Outer));
      // The control may have refused the size (constraints): take what it occupies.
      if (A == alTop) R.Top = C->FTop + C->FHeight + M.Bottom;
      if (A == alBottom) R.Bottom = C->FTop - M.Top;
      if (A == alLeft) R.Left = C->FLeft + C->FWidth + M.Right;
      if (A == alRight) R.Right = C->FLeft - M.Left;
    }
  }
  const TRect Client = ClientRect();
  for (TControl* C : All)
    if (C->FAlign == alNone) ApplyAnchors(C, {Client.Width(), Client.Height()});
}

void TWinControl::ApplyAnchors(TControl* C, TSize ClientSize) {
  if (!C->FAnchorRulesValid || C->FAnchors == TAnchors{akLeft, akTop}) return;
  const TSize O = C->FAnchorParentSize;
  TRect R = C->FAnchorOrigin;
  auto Place = [](int32_t& Lo, int32_t& Hi, bool LoAnchor, bool HiAnchor, int32_t Size, int32_t OldSize) {
    const int32_t Extent = Hi - Lo;
    if (HiAnchor && LoAnchor) {
      Hi += Size - OldSize;
    } else if (HiAnchor) {
      Lo += Size - OldSize;
      Hi = Lo + Extent;
    } else if (!LoAnchor && OldSize > 0) {
      // Anchored to neither side: the centre keeps its relative place.
      Lo = MulDiv(Lo + Extent / 2, Size, OldSize) - Extent / 2;
      Hi = Lo + Extent;
    }
  };
  Place(R.Left, R.Right, C->FAnchors.Contains(akLeft), C->FAnchors.Contains(akRight), ClientSize.cx, O.cx);
  Place(R.Top, R.Bottom, C->FAnchors.Contains(akTop), C->FAnchors.Contains(akBottom), ClientSize.cy, O.cy);
  C->SetAlignedBounds(R);
}

void TWinControl::FlipChildren(bool AllLevels) {
  DisableAlign();
  const int32_t W = ClientWidth();
  for (int I = 0; I < ControlCount(); ++I) {
    TControl* C = Controls(I);
    if (C->FAlign == alLeft || C->FAlign == alRight) {
      C->FAlign = C->FAlign == alLeft ? alRight : alLeft;
    } else {
      TAnchors A = C->FAnchors;
      if (A.Contains(akLeft) != A.Contains(akRight))
        A = A.Contains(akLeft) ? (A - TAnchors{akLeft}) + TAnchors{akRight}
                               : (A - TAnchors{akRight}) + TAnchors{akLeft};
      C->FAnchors = A;
      C->SetBounds(W - C->FLeft - C->FWidth, C->FTop, C->FWidth, C->FHeight);
    }
    if (auto* Child = dynamic_cast<TWinControl*>(C); Child && AllLevels) Child->FlipChildren(true);
  }
  FAlignPending = true;
  EnableAlign();
}

void TWinControl::ChangeScale(int32_t M, int32_t D) {
  if (M == D || D == 0) return;
  DisableAlign();
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->ChangeScale(M, D);
  if (FPadding)
    FPadding->SetBounds(MulDiv(FPadding->Left(), M, D), MulDiv(FPadding->Top(), M, D),
                        MulDiv(FPadding->Right(), M, D), MulDiv(FPadding->Bottom(), M, D));
  TControl::ChangeScale(M, D);
  FAlignPending = true;
  EnableAlign();
}

void TWinControl::ScaleBy(int32_t M, int32_t D) {
  if (M == D || D == 0) return;
  // The control keeps its place; its size, font and children scale.
  const int32_t L = Left(), T = Top();
  ChangeScale(M, D);
  SetBounds(L, T, Width(), Height());
}

}  // namespace formwright::orx
