// The editor of collection properties (the sections of a status band, the columns of a grid):
// one object shown as its class in parentheses ("(TStatusSections)"), whose items are edited
// one by one as the collection editor lists them.
#pragma once

#include "editors/StdPropEditors.h"
#include "platform/runtime/Collections.h"

namespace formwright {

// What a collection editor lets a person do with the items.
FW_ENUM(TColOption, coAdd, coDelete, coMove)
using TColOptions = TSet<TColOption>;

// The message for an item index past the items.
inline constexpr const char* SCollectionIndexError = "%s has %d items: there is no item %d";
// The messages for changes the editor's options do not allow.
inline constexpr const char* SCollectionCannotAdd = "Items cannot be added to %s";
inline constexpr const char* SCollectionCannotDelete = "Items cannot be deleted from %s";
inline constexpr const char* SCollectionCannotMove = "Items of %s cannot be moved";
// Our decision: a count typed for a collection is one a person could mean; beyond it a typo (an
// extra zero or three) would fill the memory before it could be seen.
inline constexpr int MaxTypedCollectionCount = 100000;
inline constexpr const char* SCollectionTooMany = "%s cannot be given more than %d items at once (%d asked)";

// Properties of type TCollection. The row is read-only (a dialog edits the items); the items
// are reached by index: their own editors, and the changes a collection editor makes
// (adding, deleting, moving), each reported to the designer once. Only one object is edited
// at a time: the row is not shown for a selection of several.
class TCollectionProperty : public TClassProperty {
  FW_PROPERTY_EDITOR(TCollectionProperty, TClassProperty)
 public:
  // paDialog, paReadOnly and paOrx: no nested rows, no multiple selection.
  TPropertyAttributes GetAttributes() override;
  // The collection editor window comes with the designer's tool windows; until then a
  // double-click does nothing, and the items are edited through the operations below.
  void Edit() override {}
  // What the editor allows; descendants narrow it (all three by default).
  virtual TColOptions GetColOptions();

  // The collection of the edited object (null when it holds none).
  TCollection* GetCollection();
  // The editors of item `Index`'s published properties (events included), in the order the
  // inspector lists them. Raises EDesignPropertyError (SCollectionIndexError) for an index
  // outside the items.
  void GetItemProperties(int Index, const TGetPropProc& Proc);
  // Adds items at the end, or deletes the last ones, until the collection holds `Count`.
  // Needs coAdd to grow and coDelete to shrink (SCollectionCannotAdd, SCollectionCannotDelete);
  // grows by at most MaxTypedCollectionCount items (SCollectionTooMany).
  void SetCount(int Count);
  // Deletes item `Index`; the items after it move up one place. Needs coDelete.
  void DeleteItem(int Index);
  // Moves item `CurIndex` to `NewIndex`, the others closing up. Needs coMove.
  void MoveItem(int CurIndex, int NewIndex);

 private:
  // The collection, after checking that `Index` (and `Index2` when given) are item indexes.
  TCollection* CheckedCollection(int Index, int Index2 = 0);
  // "StatusBand1.Sections" for messages.
  String CollectionPath();
};

}  // namespace formwright
