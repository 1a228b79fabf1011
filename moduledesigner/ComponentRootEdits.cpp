// The module root as the edit handler of its designer, and what the designer manager forwards
// to its window: showing, hiding, ending modes, returning from a modal edit.
#include "formdesigner/Items.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

bool TComponentRoot::SelectionDeletable() {
  bool AnyComponent = false;
  for (int I = 0; I < FSelections->GetCount(); ++I) {
    IPtr<IItem> Item = FSelections->GetItems(I);
    try {
      Item->ValidateDeletable();
    } catch (const ECannotDeleteNonComponentException&) {
      continue;  // left out of the delete, which goes on without it
    } catch (const Exception&) {
      return false;
    }
    AnyComponent = AnyComponent || ExtractComponent(Item) != nullptr;
  }
  return AnyComponent;
}

TEditState TComponentRoot::GetEditState() {
  TEditState State;
  if (!FRoot) return State;
  const bool Writable = !IsSourceReadOnly();
  bool ComponentSelected = false;
  if (!IsRootSelected())
    for (int I = 0; I < FSelections->GetCount() && !ComponentSelected; ++I)
      ComponentSelected = dynamic_cast<TComponent*>(FSelections->GetPersistents(I)) != nullptr;
  if (ComponentSelected) {
    State << esCanCopy;
    if (Writable && SelectionDeletable()) State << esCanCut << esCanDelete;
  }
  if (Writable && CanUndelete()) State << esCanUndo;
  if (Writable && CanPaste()) State << esCanPaste;
  for (int I = 0; I < FRoot->ComponentCount(); ++I)
    if (!IsNoIconComponent(FRoot->Components(I))) {
      State << esCanSelectAll;
      break;
    }
  return State;
}

void TComponentRoot::EditAction(TEditAction Action) {
  const TEditState State = GetEditState();
  switch (Action) {
    case eaUndo:
      if (State.Contains(esCanUndo)) DoUndelete();
      break;
    case eaCut:
      if (State.Contains(esCanCut)) CutSelection();
      break;
    case eaCopy:
      if (State.Contains(esCanCopy)) CopySelection();
      break;
    case eaPaste:
      if (State.Contains(esCanPaste)) PasteSelection();
      break;
    case eaDelete:
      if (State.Contains(esCanDelete)) DeleteSelection(false);
      break;
    case eaSelectAll:
      if (State.Contains(esCanSelectAll)) SelectAll();
      break;
    default:
      break;  // redo, print and elide mean nothing to a module's components
  }
}

void TComponentRoot::ShowWindow(bool Show) {
  if (FFormWindow) FFormWindow->ShowWindow(Show);
}

void TComponentRoot::CancelModes() {
  if (FFormWindow) FFormWindow->CancelModes();
}

void TComponentRoot::ModalEditDone(const IPtr<IActivatable>& ReturnWindow) {
  if (ReturnWindow)
    ReturnWindow->Activate();
  else if (FFormWindow)
    FFormWindow->Activate();
}

}  // namespace formwright
