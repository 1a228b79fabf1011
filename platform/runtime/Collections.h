// Collections: ordered, owned lists of items of one item class, streamed as part of the
// object that publishes them.
#pragma once

#include <vector>

#include "platform/runtime/Classes.h"

namespace formwright {

enum TCollectionNotification : uint8_t { cnAdded, cnExtracting, cnDeleting };

// One item of a collection. The collection owns its items; freeing an item removes it.
class TCollectionItem : public TPersistent {
  FW_CLASS(TCollectionItem, TPersistent)
 public:
  // Creates the item and adds it to `Collection` (when given).
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const noexcept { return FCollection; }
  // Moves the item to another collection (or none).
  void SetCollection(TCollection* Value);
  // A number unique within the collection, kept across reordering.
  int ID() const noexcept { return FID; }
  int Index() const noexcept;
  void SetIndex(int Value);
  // The text a collection editor shows for the item; the class name by default.
  virtual String GetDisplayName() const { return ClassName(); }
  virtual void SetDisplayName(const String& Value) { Changed(false); }
  String DisplayName() const { return GetDisplayName(); }
  // "Owner.Property[Index]".
  String GetNamePath() const override;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item (or, with AllItems, every item) changed.
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
  // Where the item was last found in its collection's list; checked before it is trusted, as
  // removals and moves of other items shift it.
  mutable int FIndexHint = -1;
};

// An ordered list of items of one item class.
class TCollection : public TPersistent {
  FW_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  TClass ItemClass() const noexcept { return FItemClass; }
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const;
  // Creates an item of the item class at the end (or at Index).
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem* FindItemID(int ID) const noexcept;
  void Exchange(int Index1, int Index2);

  void BeginUpdate() noexcept { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const noexcept { return FUpdateCount; }

  // Replaces the items by copies of `Source`'s items (item by item Assign).
  void Assign(TPersistent* Source) override;
  // "OwnerPath.PropertyName".
  String GetNamePath() const override;
  // The name of the owner's published property that holds this collection.
  String PropName() const;
  void SetPropName(String Value) { FPropName = std::move(Value); }

 protected:
  // Told after changes (Item null: the whole collection), outside update brackets.
  virtual void Update(TCollectionItem* Item) {}
  // Told when an item is added, extracted or about to be deleted.
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
  mutable String FPropName;
};

// A collection with an owner, which names it in display paths.
class TOwnedCollection : public TCollection {
  FW_CLASS(TOwnedCollection, TCollection)
 public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() const override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// True when two collections stream the same: equal item classes and counts, and the same
// stream image when each is written with its owner as the root that references are named from.
bool CollectionsEqual(TCollection* C1, TCollection* C2, TComponent* Owner1, TComponent* Owner2);

}  // namespace formwright
