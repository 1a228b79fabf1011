#include "platform/runtime/Collections.h"

#include <algorithm>

#include "platform/runtime/Filer.h"

namespace formwright {

FW_REGISTER_CLASS(TCollectionItem, "Classes")
FW_REGISTER_CLASS(TCollection, "Classes")
FW_REGISTER_CLASS(TOwnedCollection, "Classes")

// ----- TCollectionItem ------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  RemoveFixups(this);  // a reference read into the item may still wait for its component
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const noexcept {
  if (!FCollection) return -1;
  const auto& L = FCollection->FItems;
  if (FIndexHint >= 0 && static_cast<size_t>(FIndexHint) < L.size() &&
      L[static_cast<size_t>(FIndexHint)] == this)
    return FIndexHint;
  auto It = std::find(L.begin(), L.end(), this);
  FIndexHint = It == L.end() ? -1 : static_cast<int>(It - L.begin());
  return FIndexHint;
}

void TCollectionItem::SetIndex(int Value) {
  const int Cur = Index();
  if (Cur < 0 || Value == Cur || Value < 0 || Value >= FCollection->Count()) return;
  auto& L = FCollection->FItems;
  L.erase(L.begin() + Cur);
  L.insert(L.begin() + Value, this);
  Changed(true);
}

String TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return Format("%s[%d]", FCollection->GetNamePath(), Index());
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ----- TCollection ----------------------------------------------------------------------------

TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {
  if (!ItemClass || !ItemClass->InheritsFrom(TCollectionItem::StaticClass()))
    throw EInvalidArgument(Format(SCollectionItemType, ItemClass ? ItemClass->ClassName() : String("nil"),
                                  String("TCollectionItem")));
}

TCollection::~TCollection() {
  FUpdateCount = 1;  // nothing to tell while going away
  while (!FItems.empty()) FItems.back()->Free();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return FItems[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::Add() {
  auto* Item = static_cast<TCollectionItem*>(FItemClass->Create<TCollection*>(this));
  Changed();
  return Item;
}

TCollectionItem* TCollection::Insert(int Index) {
  BeginUpdate();
  TCollectionItem* Item = nullptr;
  try {
    Item = Add();
    Item->SetIndex(Index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return Item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* Item = Items(Index);
  Notify(Item, cnDeleting);
  Item->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) {
    Notify(FItems.back(), cnDeleting);
    FItems.back()->Free();
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const noexcept {
  for (TCollectionItem* I : FItems)
    if (I->FID == ID) return I;
  return nullptr;
}

void TCollection::Exchange(int Index1, int Index2) {
  Items(Index1);
  Items(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
  Changed();
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FIndexHint = static_cast<int>(FItems.size()) - 1;
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  if (const int At = Item->FCollection == this ? Item->Index() : -1; At >= 0)
    FItems.erase(FItems.begin() + At);
  Item->FCollection = nullptr;
  Changed();
}

void TCollection::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TCollection*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* I : S->FItems) Add()->Assign(I);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TCollection::PropName() const {
  if (!FPropName.empty()) return FPropName;
  TPersistent* Owner = GetOwner();
  if (!Owner) return String();
  for (PPropInfo P : GetPropList(Owner->ClassType(), TTypeKinds{tkClass}))
    if (P->CanRead() && GetObjectProp(Owner, P) == this) {
      FPropName = P->Name;
      break;
    }
  return FPropName;
}

String TCollection::GetNamePath() const {
  TPersistent* Owner = GetOwner();
  if (!Owner) return ClassName();
  const String Path = Owner->GetNamePath();
  const String Prop = PropName();
  if (Path.empty() || Prop.empty()) return ClassName();
  return Path + "." + Prop;
}

}  // namespace formwright
