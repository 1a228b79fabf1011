#include "editors/CollectionProperty.h"

#include "contracts/DesignIntf.h"
#include "platform/runtime/RtlConsts.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TCollectionProperty, "ColnEdit")

TPropertyAttributes TCollectionProperty::GetAttributes() { return {paDialog, paReadOnly, paOrx}; }

TColOptions TCollectionProperty::GetColOptions() { return {coAdd, coDelete, coMove}; }

TCollection* TCollectionProperty::GetCollection() { return As<TCollection>(GetObjValue()); }

String TCollectionProperty::CollectionPath() {
  TCollection* C = GetCollection();
  return C ? C->GetNamePath() : GetName();
}

TCollection* TCollectionProperty::CheckedCollection(int Index, int Index2) {
  TCollection* C = GetCollection();
  const int Count = C ? C->Count() : 0;
  for (int I : {Index, Index2})
    if (I < 0 || I >= Count)
      throw EDesignPropertyError(Format(SCollectionIndexError, CollectionPath(), Count, I));
  return C;
}

void TCollectionProperty::GetItemProperties(int Index, const TGetPropProc& Proc) {
  TCollection* C = CheckedCollection(Index);
  IPtr<IDesignerSelections> Item = CreateSelectionList();
  Item->Add(C->Items(Index));
  GetComponentProperties(Item, tkAny - TTypeKinds{tkUnknown}, Designer(), Proc);
}

void TCollectionProperty::SetCount(int Count) {
  TCollection* C = GetCollection();
  if (!C || Count < 0) throw EDesignPropertyError(SInvalidPropertyValue);
  if (Count == C->Count()) return;
  if (Count > C->Count() && !GetColOptions().Contains(coAdd))
    throw EDesignPropertyError(Format(SCollectionCannotAdd, CollectionPath()));
  if (Count - C->Count() > MaxTypedCollectionCount)
    throw EDesignPropertyError(Format(SCollectionTooMany, CollectionPath(), MaxTypedCollectionCount, Count));
  if (Count < C->Count() && !GetColOptions().Contains(coDelete))
    throw EDesignPropertyError(Format(SCollectionCannotDelete, CollectionPath()));
  {
    C->BeginUpdate();
    TScopeExit End([C] { C->EndUpdate(); });
    while (C->Count() < Count) C->Add();
    while (C->Count() > Count) C->Delete(C->Count() - 1);
  }
  Modified();
}

void TCollectionProperty::DeleteItem(int Index) {
  TCollection* C = CheckedCollection(Index);
  if (!GetColOptions().Contains(coDelete))
    throw EDesignPropertyError(Format(SCollectionCannotDelete, CollectionPath()));
  C->Delete(Index);
  Modified();
}

void TCollectionProperty::MoveItem(int CurIndex, int NewIndex) {
  TCollection* C = CheckedCollection(CurIndex, NewIndex);
  if (!GetColOptions().Contains(coMove))
    throw EDesignPropertyError(Format(SCollectionCannotMove, CollectionPath()));
  if (CurIndex == NewIndex) return;
  C->Items(CurIndex)->SetIndex(NewIndex);
  Modified();
}

}  // namespace formwright
