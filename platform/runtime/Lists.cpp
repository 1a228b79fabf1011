#include "platform/runtime/Lists.h"

#include <algorithm>

namespace formwright {

// ----- TList ----------------------------------------------------------------------------------

void TList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
}
void* TList::Get(int Index) const {
  Check(Index);
  return FItems[size_t(Index)];
}
void TList::Put(int Index, void* Item) {
  Check(Index);
  FItems[size_t(Index)] = Item;
}
int TList::Add(void* Item) {
  FItems.push_back(Item);
  return Count() - 1;
}
void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) throw EListError(Format(SListIndexError, Index));
  FItems.insert(FItems.begin() + Index, Item);
}
void TList::Delete(int Index) {
  Check(Index);
  FItems.erase(FItems.begin() + Index);
}
void* TList::Extract(void* Item) {
  const int I = IndexOf(Item);
  if (I < 0) return nullptr;
  Delete(I);
  return Item;
}
int TList::Remove(void* Item) {
  const int I = IndexOf(Item);
  if (I >= 0) Delete(I);
  return I;
}
int TList::IndexOf(const void* Item) const noexcept {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : int(It - FItems.begin());
}
void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  Check(NewIndex);
  void* Item = Get(CurIndex);
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, Item);
}
void TList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  std::swap(FItems[size_t(Index1)], FItems[size_t(Index2)]);
}

// ----- TInterfaceList -------------------------------------------------------------------------

FW_REGISTER_CLASS(TInterfaceList, "Classes")

void TInterfaceList::Check(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EListError(Format(SListIndexError, Index));
}
IPtr<IInterface> TInterfaceList::Get(int Index) const {
  Check(Index);
  return FItems[size_t(Index)];
}
void TInterfaceList::Put(int Index, const IPtr<IInterface>& Item) {
  Check(Index);
  FItems[size_t(Index)] = Item;
}
int TInterfaceList::Add(const IPtr<IInterface>& Item) {
  FItems.push_back(Item);
  return GetCount() - 1;
}
void TInterfaceList::Insert(int Index, const IPtr<IInterface>& Item) {
  if (Index < 0 || Index > GetCount()) throw EListError(Format(SListIndexError, Index));
  FItems.insert(FItems.begin() + Index, Item);
}
void TInterfaceList::Delete(int Index) {
  Check(Index);
  FItems.erase(FItems.begin() + Index);
}
int TInterfaceList::IndexOf(const IPtr<IInterface>& Item) const noexcept {
  for (size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I] == Item) return int(I);
  return -1;
}
int TInterfaceList::Remove(const IPtr<IInterface>& Item) {
  const int I = IndexOf(Item);
  if (I >= 0) Delete(I);
  return I;
}
void TInterfaceList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  FItems[size_t(Index1)].swap(FItems[size_t(Index2)]);
}

// ----- TBits ----------------------------------------------------------------------------------

bool TBits::Get(int Index) const {
  if (Index < 0) throw EListError(Format(SListIndexError, Index));
  return Index < Size() && FBits[size_t(Index)];
}
void TBits::Set(int Index, bool Value) {
  if (Index < 0) throw EListError(Format(SListIndexError, Index));
  if (Index >= Size()) SetSize(Index + 1);
  FBits[size_t(Index)] = Value;
}
int TBits::OpenBit() const noexcept {
  for (int I = 0; I < Size(); ++I)
    if (!FBits[size_t(I)]) return I;
  return Size();
}

}  // namespace formwright
