#include "formdesigner/Selections.h"

#include <vector>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TSimpleSelections, "FormDesigner.Selections")

// ---------------------------------------------------------------------------------------------
// TSelectionListenerHelper

void TSelectionListenerHelper::Add(const IPtr<ISelectionsListener>& Listener) {
  if (Listener && FListeners->IndexOf(Listener) < 0) FListeners->Add(Listener);
}

void TSelectionListenerHelper::Remove(const IPtr<ISelectionsListener>& Listener) {
  if (Listener) FListeners->Remove(Listener);
}

void TSelectionListenerHelper::Notify(const IPtr<ISelections>& Selections) {
  // A snapshot, so that listeners may register and unregister while they are told; the
  // references keep each listener alive for its call.
  std::vector<IPtr<ISelectionsListener>> Snapshot;
  Snapshot.reserve(static_cast<size_t>(FListeners->GetCount()));
  for (int I = 0; I < FListeners->GetCount(); ++I)
    Snapshot.push_back(Supports<ISelectionsListener>(FListeners->Get(I)));
  for (const auto& Listener : Snapshot)
    if (FListeners->IndexOf(Listener) >= 0) Listener->SelectionChanged(Selections);
}

// ---------------------------------------------------------------------------------------------
// TSimpleSelections

IPtr<IItem> TSimpleSelections::GetItems(int Index) {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TSimpleSelections::CheckIndex(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FItems.size())) throw EListError(Format(SListIndexError, Index));
}

bool TSimpleSelections::Contains(const IPtr<IItem>& Item) {
  if (!Item) return false;
  // An item equal to a keyed element wraps its object (the element's Equals is final); only
  // the elements without a key need asking.
  if (TPersistent* Wrapped = ExtractPersistent(Item); Wrapped && FKeySet.Contains(Wrapped)) return true;
  if (FUnkeyed == 0) return false;
  for (size_t I = 0; I < FItems.size(); ++I)
    if (!FKeys[I] && SameItem(FItems[I], Item)) return true;
  return false;
}

int TSimpleSelections::IndexOf(const IPtr<IItem>& Item) {
  if (!Contains(Item)) return -1;
  // SameItem(element, Item) for a TPersistentItem element is identity, or Item wrapping the
  // element's object.
  TPersistent* Wrapped = ExtractPersistent(Item);
  for (size_t I = 0; I < FItems.size(); ++I) {
    if (TPersistent* Key = FKeys[I]) {
      if ((Wrapped && Key == Wrapped) || FItems[I].Identity() == Item.Identity()) return static_cast<int>(I);
    } else if (SameItem(FItems[I], Item)) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

void TSimpleSelections::Add(const IPtr<IItem>& Item) {
  if (!Item || Contains(Item)) return;
  auto* Persistent = dynamic_cast<TPersistentItem*>(Item.Get());
  TPersistent* Key = Persistent ? Persistent->GetItem() : nullptr;
  FKeys.push_back(Key);
  FItems.push_back(Item);
  if (Key)
    FKeySet.Insert(Key);
  else
    ++FUnkeyed;
  Change();
}

void TSimpleSelections::Clear() {
  FItems.clear();
  FKeys.clear();
  FKeySet.Clear();
  FUnkeyed = 0;
  Change();
}

void TSimpleSelections::EndSelections() {
  if (FUpdateLevel > 0) --FUpdateLevel;
  if (FUpdateLevel == 0 && FChangePending) Change();
}

void TSimpleSelections::Remove(const IPtr<IItem>& Item) {
  const int Index = IndexOf(Item);
  if (Index >= 0) Remove(Index);
}

void TSimpleSelections::Remove(int Index) {
  CheckIndex(Index);
  if (TPersistent* Key = FKeys[static_cast<size_t>(Index)])
    FKeySet.Erase(Key);
  else
    --FUnkeyed;
  FItems.erase(FItems.begin() + Index);
  FKeys.erase(FKeys.begin() + Index);
  Change();
}

void TSimpleSelections::Toggle(const IPtr<IItem>& Item) {
  const int Index = IndexOf(Item);
  if (Index >= 0)
    Remove(Index);
  else
    Add(Item);
}

void TSimpleSelections::Change() {
  if (FUpdateLevel > 0) {
    FChangePending = true;
    return;
  }
  FChangePending = false;
  // Keeps the list alive while listeners run, whatever they release.
  const IPtr<ISelections> Self(this);
  FListeners.Notify(Self);
}

// ---------------------------------------------------------------------------------------------
// TSelections

// The listener object the inner list holds; it outlives its owner only until the owner
// unregisters it, and forgets the owner then.
class TSelections::TListener : public TInterfacedObject, public ISelectionsListener {
 public:
  TListener(TSelections* Owner, TChangedEvent OnChanged) : FOwner(Owner), FOnChanged(std::move(OnChanged)) {}
  void SelectionChanged(const IPtr<ISelections>& Selections) override {
    if (FOwner && FOnChanged) FOnChanged(FOwner);
  }
  void Detach() noexcept { FOwner = nullptr; }

 private:
  TSelections* FOwner;
  TChangedEvent FOnChanged;
};

TSelections::TSelections(IPtr<ISelections> Inner, TChangedEvent OnChanged) : FInner(std::move(Inner)) {
  if (!FInner) throw EInvalidArgument("A selection wrapper needs a selection list");
  FListener = MakeIntf<TListener>(this, std::move(OnChanged));
  FInner->AddListener(FListener);
}

TSelections::~TSelections() {
  FListener->Detach();
  FInner->RemoveListener(FListener);
}

IPtr<IItem> TSelections::FindItemFor(TPersistent* Persistent) {
  if (!Persistent) return nullptr;
  for (int I = 0; I < FInner->GetCount(); ++I) {
    IPtr<IItem> Item = FInner->GetItems(I);
    if (ExtractPersistent(Item) == Persistent) return Item;
  }
  return nullptr;
}

}  // namespace formwright
