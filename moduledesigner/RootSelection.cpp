#include "moduledesigner/RootSelection.h"

#include <algorithm>
#include <unordered_set>

#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

TRootSelection::TRootSelection(TRootState& State, IItemContext* Context)
    : FState(State),
      FContext(Context),
      FSelectionList(MakeIntf<TSimpleSelections>()),
      FSelections(
          std::make_unique<TSelections>(FSelectionList, [this](TSelections*) { SelectionsChanged(); })) {}

TRootSelection::~TRootSelection() = default;

// ----- Items ----------------------------------------------------------------------------------

IPtr<IItem> TRootSelection::ItemOf(TPersistent* Persistent) {
  if (!Persistent) return nullptr;
  if (FState.Surface) return FState.Surface->FindItem(Persistent);
  for (const auto& I : FPlainItems)
    if (ExtractPersistent(I) == Persistent) return I;
  IPtr<IItem> Item = MakeIntf<TComponentItem>(Persistent, IPtr<IItemContext>(FContext));
  FPlainItems.push_back(Item);
  return Item;
}

void TRootSelection::SetGrabHandles(const IPtr<IItem>& Item) {
  if (!FState.Surface) return;
  if (IPtr<IGrabHandles> G = FState.Surface->GetGrabHandles()) G->SetItem(Item);
}

// ----- Selecting ------------------------------------------------------------------------------

void TRootSelection::Select(TPersistent* Persistent, bool Add) {
  if (!Persistent) return;
  TSelectionsUpdate Update(FSelectionList);
  if (!Add) FSelectionList->Clear();
  if (IPtr<IInternalItem> Item = Supports<IInternalItem>(ItemOf(Persistent))) {
    FSelectionList->Add(Item);
    Item->Show();
  }
}

void TRootSelection::SelectComponent(TPersistent* Instance) {
  auto* C = dynamic_cast<TComponent*>(Instance);
  if (C)
    if (IPtr<IDesigner> Other = Supports<IDesigner>(C->FindRootDesigner());
        Other && Other->GetRoot() != FState.Root) {
      Other->Activate();
      Other->SelectComponent(Instance);
      return;
    }
  Select(Instance, false);
}

void TRootSelection::SetSelections(const IPtr<IDesignerSelections>& List) {
  if (FSelectionList->GetSelectionLevel() > 0) return;
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  for (int I = 0; List && I < List->GetCount(); ++I) Select(List->Get(I), true);
}

void TRootSelection::GetSelections(const IPtr<IDesignerSelections>& List) {
  const int Before = List->GetCount();
  for (int I = 0; I < FSelections->GetCount(); ++I)
    if (TPersistent* P = FSelections->GetPersistents(I)) List->Add(P);
  if (FSelections->GetCount() == 0 && !FNoSelection && Before == 0 && FState.Root) List->Add(FState.Root);
}

IPtr<IDesignerSelections> TRootSelection::GetSelection() {
  IPtr<IDesignerSelections> L = CreateSelectionList();
  GetSelections(L);
  return L;
}

void TRootSelection::SetSelection(const String& Name) {
  TComponent* Root = FState.Root;
  if (!Root) return;
  if (SameText(Name, Root->Name()))
    Select(Root, false);
  else if (TComponent* C = Root->FindComponent(Name))
    Select(C, false);
}

void TRootSelection::ClearSelection() {
  {
    TSelectionsUpdate Update(FSelectionList);
    FSelectionList->Clear();
  }
  FNoSelection = false;
}

void TRootSelection::NoSelection() {
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  FNoSelection = true;
}

void TRootSelection::SelectAll() {
  TComponent* Root = FState.Root;
  if (!Root) return;
  TSelectionsUpdate Update(FSelectionList);
  ClearSelection();
  for (int I = 0; I < Root->ComponentCount(); ++I)
    if (!IsNoIconComponent(Root->Components(I))) Select(Root->Components(I), true);
}

TPersistent* TRootSelection::SelectedPersistent() {
  return FSelections->GetCount() > 0 ? FSelections->GetPersistents(0) : nullptr;
}

TComponent* TRootSelection::SelectedComponent() { return dynamic_cast<TComponent*>(SelectedPersistent()); }

bool TRootSelection::IsRootSelected() { return FState.Root && FSelections->FindItemFor(FState.Root); }

bool TRootSelection::IsAnchorSelection(TPersistent* Persistent) {
  return FSelections->GetCount() >= 2 && FSelections->GetPersistents(0) == Persistent;
}

IPtr<IItem> TRootSelection::FindSelection(TPersistent* Persistent) {
  return FSelections->FindItemFor(Persistent);
}

void TRootSelection::ForceCommonParent() {
  if (FSelectionList->GetCount() == 0) return;
  TSelectionsUpdate Update(FSelectionList);
  IPtr<IItem> Parent = FSelectionList->GetItems(0)->GetParent();
  for (int I = FSelectionList->GetCount() - 1; I >= 0; --I) {
    IPtr<IItem> P = FSelectionList->GetItems(I)->GetParent();
    if (!SameItem(P, Parent)) FSelectionList->Remove(I);
  }
}

// ----- Selectable components ------------------------------------------------------------------

int TRootSelection::GetSelectableComponentCount() {
  if (!FSelectableValid) {
    FSelectableComponents.clear();
    if (TComponent* Root = FState.Root) {
      for (int I = 0; I < Root->ComponentCount(); ++I) FSelectableComponents.push_back(Root->Components(I));
      // Inline frame instances show their own components too, recursively, after the root's.
      for (size_t I = 0; I < FSelectableComponents.size(); ++I) {
        TComponent* C = FSelectableComponents[I];
        if (IsFrameInstance(C))
          for (int J = 0; J < C->ComponentCount(); ++J) FSelectableComponents.push_back(C->Components(J));
      }
    }
    FSelectableValid = true;
  }
  return static_cast<int>(FSelectableComponents.size());
}

TComponent* TRootSelection::GetSelectableComponents(int Index) {
  if (Index < 0 || Index >= GetSelectableComponentCount()) throw EListError(Format(SListIndexError, Index));
  return FSelectableComponents[static_cast<size_t>(Index)];
}

// ----- Changes --------------------------------------------------------------------------------

void TRootSelection::SelectionsChanged() {
  const int Count = FSelections->GetCount();
  std::vector<IPtr<IItem>> Marked;
  if (Count == 0) {
    SetGrabHandles(nullptr);
  } else if (Count == 1) {
    FNoSelection = false;
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(FSelections->GetItems(0))) I->SetMarked(false);
    SetGrabHandles(FSelections->GetItems(0));
  } else {
    FNoSelection = false;
    Marked.reserve(static_cast<size_t>(Count));
    for (int I = 0; I < Count; ++I) Marked.push_back(FSelections->GetItems(I));
    SetGrabHandles(nullptr);
  }
  // Items still selected stay marked; the others of the previous multiple selection are
  // unmarked. An item of the persistent family equals exactly the items over its object, so
  // for those the objects tell which stay; other items are asked.
  std::unordered_set<TPersistent*> Staying;
  for (const auto& New : Marked)
    if (TPersistent* P = ExtractPersistent(New)) Staying.insert(P);
  for (const auto& Old : FMarked) {
    auto* Keyed = dynamic_cast<TPersistentItem*>(Old.Get());
    const bool Stays = Keyed ? Staying.count(Keyed->GetItem()) > 0
                             : std::any_of(Marked.begin(), Marked.end(),
                                           [&](const IPtr<IItem>& N) { return SameItem(Old, N); });
    if (!Stays)
      if (IPtr<IInternalItem> I = Supports<IInternalItem>(Old)) I->SetMarked(false);
  }
  for (const auto& New : Marked)
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(New)) I->SetMarked(true);
  FMarked = std::move(Marked);
  if (FState.ComponentDesigner && FState.Root && !FState.Closing)
    FState.ComponentDesigner->SetSelection(FState.GetDesigner(), FState.FormWindow, GetSelection());
}

void TRootSelection::Deleting(TPersistent* Instance) {
  if (!FState.Surface || !Instance) return;
  IPtr<IGrabHandles> G = FState.Surface->GetGrabHandles();
  IPtr<IItem> Item = G && G->GetItem() ? ItemOf(Instance) : nullptr;
  if (Item && (SameItem(G->GetItem(), Item) || SameItem(G->GetItem(), Item->GetParent())))
    G->SetItem(nullptr);
}

void TRootSelection::InstanceRemoved(TPersistent* Persistent) {
  if (IPtr<IItem> Item = FSelections->FindItemFor(Persistent)) {
    auto It =
        std::find_if(FMarked.begin(), FMarked.end(), [&](const IPtr<IItem>& M) { return SameItem(M, Item); });
    if (It != FMarked.end()) FMarked.erase(It);
    FSelectionList->Remove(Item);
    if (FState.Surface)
      if (IPtr<IGrabHandles> G = FState.Surface->GetGrabHandles(); G && SameItem(G->GetItem(), Item))
        G->SetItem(nullptr);
  }
  auto P = std::find_if(FPlainItems.begin(), FPlainItems.end(),
                        [&](const IPtr<IItem>& I) { return ExtractPersistent(I) == Persistent; });
  if (P != FPlainItems.end()) FPlainItems.erase(P);
}

void TRootSelection::Reset() {
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  FMarked.clear();
  FPlainItems.clear();
}

}  // namespace formwright
