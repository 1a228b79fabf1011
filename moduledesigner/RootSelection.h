// The selection of a module: which of its persistents are selected (as the items its design
// surface shows), what is marked and where the grab handles are, which components can be
// selected at all, and the designer manager told of every change.
#pragma once

#include <memory>
#include <vector>

#include "moduledesigner/RootState.h"

namespace formwright {

// Whether Component is an inline frame instance (its components are shown and selectable).
inline bool IsFrameInstance(const TComponent* Component) {
  return Component && Component->ComponentState().Contains(csInline);
}

class TRootSelection {
 public:
  // Context is what plain items (made when no surface shows the module) ask about the module.
  TRootSelection(TRootState& State, IItemContext* Context);
  ~TRootSelection();
  TRootSelection(const TRootSelection&) = delete;
  TRootSelection& operator=(const TRootSelection&) = delete;

  // The item the surface shows for Persistent (a plain item when there is no surface).
  IPtr<IItem> ItemOf(TPersistent* Persistent);

  // ----- Selecting -----
  // Selects Persistent (adding to the selection when Add); nothing for null.
  void Select(TPersistent* Persistent, bool Add);
  // Selects Instance alone; a component of another module is selected in that module, which
  // is brought forward, and this selection stays as it is.
  void SelectComponent(TPersistent* Instance);
  // Replaces the selection by List, unless the selection is being updated.
  void SetSelections(const IPtr<IDesignerSelections>& List);
  // Appends the selected persistents; the root when nothing is selected (unless NoSelection
  // said so) and List is empty.
  void GetSelections(const IPtr<IDesignerSelections>& List);
  IPtr<IDesignerSelections> GetSelection();
  // Selects the root (by its name) or the root's owned component of that name.
  void SetSelection(const String& Name);
  void ClearSelection();
  // Clears the selection so that not even the root counts as selected.
  void NoSelection();
  // Selects every component owned by the root that has an icon.
  void SelectAll();
  TPersistent* SelectedPersistent();
  TComponent* SelectedComponent();
  bool IsRootSelected();
  bool IsAnchorSelection(TPersistent* Persistent);
  IPtr<IItem> FindSelection(TPersistent* Persistent);
  // Keeps only the anchor's siblings selected.
  void ForceCommonParent();
  int Count() const { return FSelections->GetCount(); }
  TPersistent* Persistents(int Index) const { return FSelections->GetPersistents(Index); }
  IPtr<IItem> Items(int Index) const { return FSelections->GetItems(Index); }
  const IPtr<ISelections>& List() const noexcept { return FSelectionList; }

  // ----- Selectable components -----
  // The root's components, then those of inline frames, recursively; built on first use.
  int GetSelectableComponentCount();
  TComponent* GetSelectableComponents(int Index);

  // ----- Changes -----
  // A persistent joined or left the module: the selectable components are listed again.
  void SelectableChanged() noexcept { FSelectableValid = false; }
  // A persistent leaves the module: it leaves the selection, its marks and grab handles.
  void InstanceRemoved(TPersistent* Persistent);
  // The update manager is about to free Instance: grab handles on it or its parent go.
  void Deleting(TPersistent* Instance);
  // The designer closes or sleeps: nothing stays selected, no item is kept.
  void Reset();

 private:
  void SelectionsChanged();
  void SetGrabHandles(const IPtr<IItem>& Item);

  TRootState& FState;
  IItemContext* FContext;
  IPtr<ISelections> FSelectionList;
  std::unique_ptr<TSelections> FSelections;
  std::vector<IPtr<IItem>> FMarked;
  bool FNoSelection = false;
  std::vector<TComponent*> FSelectableComponents;
  bool FSelectableValid = false;
  // Items made for persistents when no surface shows the module.
  std::vector<IPtr<IItem>> FPlainItems;
};

}  // namespace formwright
