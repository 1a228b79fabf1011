// The edit commands on a module's selection: copy and cut to the clipboard (the components with
// their bounds and handler texts), paste from it, delete with the possibility to bring the
// deleted components back (undelete), and the edit state that says which commands are offered.
// A paste or undelete that fails leaves the module, its selection and its undelete stream as
// they were.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "moduledesigner/RootCreation.h"
#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootNames.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"
#include "moduledesigner/RootStreams.h"

namespace formwright {

class TMemoryStream;

class TRootClipboard {
 public:
  // Removed announces a persistent that leaves the module without reporting it itself (a
  // collection item freed by a delete).
  TRootClipboard(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection, TRootNames& Names,
                 TRootStreams& Streams, TRootCreation& Creation, std::function<void(TPersistent*)> Removed);
  ~TRootClipboard();
  TRootClipboard(const TRootClipboard&) = delete;
  TRootClipboard& operator=(const TRootClipboard&) = delete;

  // ----- Edit commands -----
  // Undo while deleted components can be brought back; copy while components other than the
  // root are selected, cut and delete when they may also be deleted; paste while the
  // clipboard holds components; select all while the module has components to select. A
  // read-only source offers only copy and select all.
  TEditState GetEditState();
  // Runs Action when the state offers it; redo, print and elide do nothing.
  void EditAction(TEditAction Action);
  // True when every selected item may be deleted and at least one is a component.
  bool SelectionDeletable();

  // ----- Clipboard -----
  // Writes the selection (after reducing it to the anchor's siblings) with bounds and handler
  // texts; Units receives the units the components need.
  void CopySelectionToStream(TStream* Stream, TStrings* Units);
  // Reads copied components into Parent (null: the current parent) placed at Rect.
  void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect);
  // Writes the selected components; WriteMethods adds handler texts, WriteBounds the bounds.
  void StreamSelection(TStream* Stream, bool WriteMethods, bool WriteBounds, TStrings* Units);
  void CopySelection();
  void CutSelection();
  bool CanPaste();
  void PasteSelection();
  // A component read by a paste or undelete is checked (raising refuses it) and selected.
  void ComponentRead(TComponent* Component);

  // ----- Delete and undelete -----
  // Deletes the selection (nothing when the root is selected) and keeps it for undelete when
  // every item could be written; raises when the source is read-only.
  void DeleteSelection();
  bool CanUndelete() const noexcept { return FUndeleteStream != nullptr; }
  void DoUndelete();

  // ----- Changes -----
  // A persistent joined the module (not by an undelete): undelete is no longer possible.
  void InstanceInserted() noexcept;
  void InstanceRemoved(TPersistent* Persistent) noexcept;
  void Close() noexcept;

 private:
  // Reads components (paste, undelete) into Parent as the new selection, then Modified.
  void ReadSelection(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect);
  void UndoRead(size_t Mark, const std::vector<TPersistent*>& Before, std::unique_ptr<TMemoryStream> Undelete,
                TComponent* UndeleteParent);

  TRootState& FState;
  TRootHostOperations& FHost;
  TRootSelection& FSelection;
  TRootNames& FNames;
  TRootStreams& FStreams;
  TRootCreation& FCreation;
  std::function<void(TPersistent*)> FRemoved;
  std::unique_ptr<TMemoryStream> FUndeleteStream;
  TComponent* FUndeleteParent = nullptr;
  bool FUndeleting = false;
  bool FAllowNonVisualPaste = false;
  // The top-level components read by the paste or undelete in progress.
  std::vector<TComponent*> FComponentsRead;
};

}  // namespace formwright
