// Windowed controls: the controls they parent, tab order and keys, and what they stream.
#include <algorithm>
#include <unordered_set>

#include "platform/orx/Controls.h"
#include "platform/orx/OrxConsts.h"
#include "platform/runtime/Prefetch.h"

namespace formwright::orx {

// ----- TWinControl ----------------------------------------------------------------------------

void TWinControl::DeclarePublished(TClassBuilder<TWinControl>& C) {
  C.Property("Padding", &TWinControl::Padding, &TWinControl::SetPadding)
      .Stored(&TWinControl::IsPaddingStored);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { FWindowed = true; }

TWinControl::~TWinControl() {
  // Freed without Free: it leaves its parent's lists while it still is a windowed control.
  if (Parent()) Parent()->Detach(this);
}

void TWinControl::BeforeDestruction() {
  Destroying();
  // A windowed control frees every control it parents, whoever owns it, last first. A large
  // form's controls no longer sit in the cache: each is asked for a few controls ahead of its
  // turn, and so are the components linked to the next one, which its freeing tells.
  constexpr int Ahead = 5;
  for (int K = ControlCount() - 1; K >= 0 && K >= ControlCount() - Ahead; --K) PrefetchObject(Controls(K));
  for (int N = ControlCount(); N > 0; N = ControlCount()) {
    if (N > Ahead) PrefetchObject(Controls(N - 1 - Ahead));
    if (N > 1)
      for (const TComponent* Linked : Controls(N - 2)->FreeNotifies()) PrefetchObject(Linked);
    Controls(N - 1)->Free();
  }
  TControl::BeforeDestruction();
}

TControl* TWinControl::Controls(int Index) const {
  const int N = static_cast<int>(FControls.size());
  if (Index < 0 || Index >= ControlCount()) throw EListError(Format(SListIndexError, Index));
  return Index < N ? FControls[static_cast<size_t>(Index)] : FWinControls[static_cast<size_t>(Index - N)];
}

std::vector<TControl*>& TWinControl::ListOf(const TControl* AControl) {
  return AControl->AsWinControl() ? FWinControls : FControls;
}

bool TWinControl::ContainsControl(const TControl* Control) const noexcept {
  for (; Control; Control = Control->Parent())
    if (Control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint P, bool AllowDisabled, bool AllLevels) const {
  for (int I = ControlCount(); I-- > 0;) {
    TControl* C = Controls(I);
    if (!C->ShowsInLayout() || (!AllowDisabled && !C->Enabled()) || !C->BoundsRect().Contains(P)) continue;
    if (auto* W = dynamic_cast<TWinControl*>(C); W && AllLevels)
      if (TControl* Inner = W->ControlAtPos({P.X - C->Left(), P.Y - C->Top()}, AllowDisabled, true))
        return Inner;
    return C;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* AControl) { AControl->SetParent(this); }

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl && AControl->Parent() == this) AControl->SetParent(nullptr);
}

namespace {
// A position as a tab order, or none where the type cannot hold it (the lookup then searches).
TTabOrder TabPositionHint(size_t Position) { return Position <= 32767 ? TTabOrder(Position) : TTabOrder(-1); }
}  // namespace

void TWinControl::Attach(TControl* AControl) {
  AControl->FParent = this;
  ListOf(AControl).push_back(AControl);
  if (auto* W = AControl->AsWinControl()) {
    const TTabOrder Wanted = W->FTabOrder;
    FTabList.push_back(W);
    if (Wanted >= 0)
      W->SetTabOrder(Wanted);
    else
      W->FTabOrder = TabPositionHint(FTabList.size() - 1);
  }
  AControl->ParentFontChanged();
  AControl->ParentColorChanged();
  AControl->ParentShowHintChanged();
  AControl->UpdateAnchorRules();
  if (AControl->FAlign != alNone) RealignFor(AControl);
}

namespace {
// Takes X out of L, searching from the end: a parent frees its controls last first.
template <class T, class U>
void EraseFromEnd(std::vector<T*>& L, U* X) {
  auto It = std::find(L.rbegin(), L.rend(), X);
  if (It != L.rend()) L.erase(std::next(It).base());
}
}  // namespace

void TWinControl::Detach(TControl* AControl) {
  EraseFromEnd(ListOf(AControl), AControl);
  if (auto* W = AControl->AsWinControl()) {
    W->FTabOrder = W->TabOrder();
    EraseFromEnd(FTabList, W);
  }
  AControl->FParent = nullptr;
  AControl->FAnchorRulesValid = false;
  if (AControl->FAlign != alNone) Realign();
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->ParentFontChanged();
}

void TWinControl::ParentColorChanged() {
  TControl::ParentColorChanged();
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->ParentColorChanged();
}

void TWinControl::ParentShowHintChanged() {
  TControl::ParentShowHintChanged();
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->ParentShowHintChanged();
}

// ----- TWinControl: tab order and keys --------------------------------------------------------

TTabOrder TWinControl::TabOrder() const noexcept {
  if (!Parent()) return FTabOrder;
  // While parented FTabOrder holds the position last given to the control, which mostly still
  // holds (controls are mostly added and freed at the end): writing every control of a large
  // form asks each for its place without searching the list.
  const auto& L = Parent()->FTabList;
  if (FTabOrder >= 0 && static_cast<size_t>(FTabOrder) < L.size() &&
      L[static_cast<size_t>(FTabOrder)] == this)
    return FTabOrder;
  // Otherwise searched from the end, where the control freed next mostly is.
  auto It = std::find(L.rbegin(), L.rend(), this);
  return It == L.rend() ? TTabOrder(-1) : TTabOrder(L.rend() - It - 1);
}

void TWinControl::SetTabOrder(TTabOrder Value) {
  if (!Parent()) {
    FTabOrder = Value;
    return;
  }
  auto& L = Parent()->FTabList;
  auto It = std::find(L.rbegin(), L.rend(), this);  // a control just attached is last
  if (It == L.rend()) return;
  L.erase(std::next(It).base());
  const int N = static_cast<int>(L.size());
  const int Pos = (Value < 0 || Value > N) ? N : static_cast<int>(Value);
  L.insert(L.begin() + Pos, this);
  FTabOrder = TTabOrder(Pos);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* C : FTabList) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> L;
  GetTabOrderList(L);
  if (L.empty()) return nullptr;
  const int N = static_cast<int>(L.size());
  auto It = std::find(L.begin(), L.end(), CurControl);
  const int Start = It != L.end() ? static_cast<int>(It - L.begin()) : (GoForward ? N - 1 : 0);
  int I = Start;
  do {
    I = GoForward ? (I + 1) % N : (I + N - 1) % N;
    TWinControl* C = L[static_cast<size_t>(I)];
    if (C->CanFocus() && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this)) return C;
  } while (I != Start);
  return nullptr;
}

bool TWinControl::CanFocus() const {
  for (const TControl* C = this; C; C = C->Parent())
    if (!C->Visible() || !C->Enabled()) return false;
  return true;
}

void TWinControl::DoEnter() {
  if (CanFire() && FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (CanFire() && FOnExit) FOnExit(this);
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (CanFire() && FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (CanFire() && FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key) {
  if (CanFire() && FOnKeyPress) FOnKeyPress(this, Key);
}

// ----- TWinControl: streaming -----------------------------------------------------------------

namespace {
bool IsWindowed(const TControl* C) { return C && C->AsWinControl(); }
}  // namespace

std::vector<TControl*> TWinControl::OwnedControls(bool Windowed, const TComponent* Root) const {
  std::vector<TControl*> Result;
  for (TControl* C : Windowed ? FWinControls : FControls)
    if (C->Owner() == Root) Result.push_back(C);
  return Result;
}

void ListChildComponents(TComponent* Container, const TGetChildProc& Proc, TComponent* Root,
                         bool IncludeUnparented) {
  if (!Root) return;
  auto* Win = dynamic_cast<TWinControl*>(Container);
  if (Win && !IncludeUnparented) {
    // The common case, listed from a copy on the stack (a child procedure may change the lists)
    // without lists of places: every control owned by Root and, where the container holds both
    // kinds, each kind created in z-order, so that the places of the two kinds merge in order.
    const std::vector<TControl*>* Lists[2] = {&Win->FControls, &Win->FWinControls};
    const size_t Count[2] = {Lists[0]->size(), Lists[1]->size()};
    constexpr size_t Most = 64;
    if (Count[0] + Count[1] <= Most) {
      TControl* Listed[Most];
      int Place[Most];
      bool Plain = true;
      size_t N = 0;
      for (int Kind = 0; Kind < 2 && Plain; ++Kind)
        for (size_t I = 0; I < Count[Kind] && Plain; ++I, ++N) {
          TControl* C = (*Lists[Kind])[I];
          Listed[N] = C;
          Place[N] = C->ComponentIndex();
          Plain = C->Owner() == Root && (I == 0 || Count[1 - Kind] == 0 || Place[N] > Place[N - 1]);
        }
      if (Plain) {
        size_t Next[2] = {0, Count[0]};
        const size_t End[2] = {Count[0], N};
        while (Next[0] < End[0] || Next[1] < End[1]) {
          const int Kind = Next[1] == End[1] || (Next[0] < End[0] && Place[Next[0]] < Place[Next[1]]) ? 0 : 1;
          Proc(Listed[Next[Kind]++]);
        }
        return;
      }
    }
  }
  std::vector<TControl*> ZOrder[2];
  if (Win) {
    ZOrder[0] = Win->OwnedControls(false, Root);
    ZOrder[1] = Win->OwnedControls(true, Root);
    // The components whose parent component is a windowed control are its controls: their
    // places among the owner's components (found by index, not by walking the owner's list,
    // which would make writing a module quadratic) hold the controls of each kind in z-order.
    if (!IncludeUnparented) {
      // Only the kinds of the places matter: when all controls are of one kind (most
      // containers), the z-order is the list itself.
      if (ZOrder[0].empty() || ZOrder[1].empty()) {
        for (TControl* C : ZOrder[ZOrder[0].empty() ? 1 : 0]) Proc(C);
        return;
      }
      std::vector<std::pair<int, int>> Places;  // (component index, kind)
      Places.reserve(ZOrder[0].size() + ZOrder[1].size());
      for (int Kind = 0; Kind < 2; ++Kind)
        for (TControl* C : ZOrder[Kind]) Places.emplace_back(C->ComponentIndex(), Kind);
      std::sort(Places.begin(), Places.end());
      size_t Next[2] = {0, 0};
      for (const auto& [Index, Kind] : Places) Proc(ZOrder[Kind][Next[Kind]++]);
      return;
    }
  }
  // Copy first: a child procedure may reorder the owner's components or the controls.
  const std::vector<TComponent*> Owned = Root->ComponentList();
  size_t Next[2] = {0, 0};
  for (TComponent* C : Owned) {
    TComponent* P = C->GetParentComponent();
    if (P == Container) {
      // A control's place among the owner's components holds the next control of its kind in
      // z-order.
      auto* Control = Win ? As<TControl>(C) : nullptr;
      const int Kind = Control && IsWindowed(Control) ? 1 : 0;
      if (Control && Next[Kind] < ZOrder[Kind].size())
        Proc(ZOrder[Kind][Next[Kind]++]);
      else
        Proc(C);
    } else if (IncludeUnparented && !P) {
      Proc(C);
    }
  }
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  // Only controls are listed here: a control without any (most of a module) has no children.
  if (FControls.empty() && FWinControls.empty()) return;
  ListChildComponents(this, Proc, Root, false);
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  if (!Child || !Child->Owner()) return;
  TComponent* Root = Child->Owner();
  std::vector<TComponent*> Listed;
  GetChildren([&](TComponent* C) { Listed.push_back(C); }, Root);
  const auto Found = std::find(Listed.begin(), Listed.end(), Child);
  if (Order < 0 || Order >= static_cast<int>(Listed.size()) || Found == Listed.end()) return;
  // The places in the list are the listed components in creation order; a control fills its
  // place by z-order. The place Child is listed in moves to Order among the owner's components,
  // then Child takes the z-order rank that its new place has among the places of its kind.
  const std::unordered_set<TComponent*> IsListed(Listed.begin(), Listed.end());
  std::vector<TComponent*> Places;
  for (TComponent* C : Root->ComponentList())
    if (IsListed.count(C)) Places.push_back(C);
  const size_t From = static_cast<size_t>(Found - Listed.begin());
  Places[From]->SetComponentIndex(Places[static_cast<size_t>(Order)]->ComponentIndex());
  auto* Control = As<TControl>(Child);
  if (!Control || Control->Parent() != this) return;
  const bool Windowed = IsWindowed(Control);
  Listed.erase(Listed.begin() + static_cast<std::ptrdiff_t>(From));
  size_t Rank = 0;
  for (int I = 0; I < Order; ++I) {
    auto* C = As<TControl>(Listed[static_cast<size_t>(I)]);
    if (C && C->Parent() == this && IsWindowed(C) == Windowed) ++Rank;
  }
  std::vector<TControl*> Kind = OwnedControls(Windowed, Root);
  Kind.erase(std::find(Kind.begin(), Kind.end(), Control));
  if (Kind.empty()) return;
  std::vector<TControl*> Rest = Windowed ? FWinControls : FControls;
  Rest.erase(std::find(Rest.begin(), Rest.end(), Control));
  // Before the control that holds that rank now, or after the last of the kind.
  auto At = Rank < Kind.size() ? std::find(Rest.begin(), Rest.end(), Kind[Rank])
                               : std::next(std::find(Rest.begin(), Rest.end(), Kind.back()));
  Control->SetZOrderPosition(static_cast<int>(At - Rest.begin()));
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

}  // namespace formwright::orx
