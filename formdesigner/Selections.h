// Selection lists: the plain list of selected items a surface keeps (`TSimpleSelections`), the
// listener list it tells of changes (`TSelectionListenerHelper`), and the module side wrapper
// that turns the list's changes into calls of its owner (`TSelections`).
#pragma once

#include <functional>
#include <vector>

#include "formdesigner/Items.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/PointerSet.h"

namespace formwright {

// The listeners of a selection list, called in registration order. A listener registered
// twice is called once; a listener may unregister itself (or others) while it is called.
class TSelectionListenerHelper {
 public:
  void Add(const IPtr<ISelectionsListener>& Listener);
  void Remove(const IPtr<ISelectionsListener>& Listener);
  int Count() const noexcept { return FListeners->GetCount(); }
  // Tells every listener registered when the call starts and still registered when its turn
  // comes.
  void Notify(const IPtr<ISelections>& Selections);

 private:
  IPtr<TInterfaceList> FListeners = MakeIntf<TInterfaceList>();
};

// A selection list of items. Changes are signalled to the listeners at once, or, inside
// BeginSelections/EndSelections, once when the outermost update ends and something changed.
// Adding a selected item changes nothing; Clear always signals.
class TSimpleSelections : public TInterfacedObject, public ISelections {
  FW_CLASS(TSimpleSelections, TInterfacedObject)
 public:
  TSimpleSelections() = default;

  int GetCount() override { return static_cast<int>(FItems.size()); }
  IPtr<IItem> GetItems(int Index) override;
  int GetSelectionLevel() override { return FUpdateLevel; }
  void Add(const IPtr<IItem>& Item) override;
  void AddListener(const IPtr<ISelectionsListener>& Listener) override { FListeners.Add(Listener); }
  void BeginSelections() override { ++FUpdateLevel; }
  void Clear() override;
  void EndSelections() override;
  // Removing an item that is not selected changes nothing.
  void Remove(const IPtr<IItem>& Item) override;
  // Raises EListError for a bad index.
  void Remove(int Index) override;
  void RemoveListener(const IPtr<ISelectionsListener>& Listener) override { FListeners.Remove(Listener); }
  bool Selected(const IPtr<IItem>& Item) override { return Contains(Item); }
  void Toggle(const IPtr<IItem>& Item) override;

  // Position of the item (compared with SameItem), -1 when absent.
  int IndexOf(const IPtr<IItem>& Item);

 private:
  // Whether IndexOf(Item) >= 0, without the search when the answer is known by the keys.
  bool Contains(const IPtr<IItem>& Item);
  void Change();
  void CheckIndex(int Index) const;

  std::vector<IPtr<IItem>> FItems;  // in selection order; element 0 is the anchor
  // Per item, its object when the item is a TPersistentItem (whose equality is that of its
  // object), so that a search compares pointers; null for other items.
  std::vector<TPersistent*> FKeys;
  // The non-null keys (each object is selected through one such item at most) and how many
  // items have none: an item is selected when its object is a key, or when one of the items
  // without a key says it is equal. Adding n items then costs n lookups, not n²/2 compares,
  // in one flat table: a rubber band over a large form adds thousands at once.
  TPointerSet<TPersistent> FKeySet;
  int FUnkeyed = 0;
  TSelectionListenerHelper FListeners;
  int32_t FUpdateLevel = 0;
  bool FChangePending = false;
};

// The module's view of a surface's selection list: listens to it from construction to
// destruction and calls `OnChanged` for every completed change.
class TSelections {
 public:
  using TChangedEvent = std::function<void(TSelections* Sender)>;

  // Registers with `Inner` (which must not be null).
  TSelections(IPtr<ISelections> Inner, TChangedEvent OnChanged);
  // Unregisters from the inner list.
  ~TSelections();
  TSelections(const TSelections&) = delete;
  TSelections& operator=(const TSelections&) = delete;

  const IPtr<ISelections>& Selections() const noexcept { return FInner; }
  int GetCount() { return FInner->GetCount(); }
  IPtr<IItem> GetItems(int Index) { return FInner->GetItems(Index); }
  // The persistent of item `Index` (null when the item wraps none).
  TPersistent* GetPersistents(int Index) { return ExtractPersistent(FInner->GetItems(Index)); }
  // The first selected item whose persistent is `Persistent`; null when none.
  IPtr<IItem> FindItemFor(TPersistent* Persistent);

 private:
  class TListener;
  IPtr<ISelections> FInner;
  IPtr<TListener> FListener;
};

}  // namespace formwright
