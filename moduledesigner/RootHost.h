// The operations a host supplies to its module roots. A host derives its root class from
// TComponentRoot and overrides what its framework needs; every operation has a default that
// suits a headless host. The root's services call them at the points their contracts name.
#pragma once

#include "formdesigner/PaletteItems.h"
#include "formdesigner/SurfaceIntf.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

class TReader;

class TRootHostOperations {
 public:
  virtual ~TRootHostOperations() = default;

  // Finishes a new root instance of RootClass (the default creates it with no owner).
  virtual TComponent* HostCreateRootInstance(TClass RootClass) {
    return static_cast<TComponent*>(RootClass->Create<TComponent*>(nullptr));
  }
  // After the root instance and its custom module exist.
  virtual void HostAfterCreate() {}
  // A new module's root component was made and named.
  virtual void HostInitNewRoot(TComponent* Root, const String& Name) {}
  // Sets up a reader of a whole module or a paste.
  virtual void HostSetupReader(TReader* Reader) {}
  // The class group the module's classes are read in (null: leave the active group).
  virtual TClass HostClassGroup() { return nullptr; }
  // Around the components of a paste or undelete.
  virtual void HostBeforeRead() {}
  virtual void HostAfterRead() {}
  // Moves a pasted top-level component from the stream's bounds (From) into To.
  virtual void HostPlaceComponent(TComponent* Component, const TRect& From, const TRect& To) {}
  // The designer window: created after the root component, taken down before it goes.
  virtual void HostCreateDesignerWindow() {}
  virtual void HostDestroyDesignerWindow() {}
  // Frees the root component (dormancy, closing, destruction).
  virtual void HostFreeRoot(TComponent* Root) { Root->Free(); }
  // The palette's current item, and the notice that it was placed (the palette goes back to
  // its selection tool, say). None by default.
  virtual IPtr<IInternalPaletteItem> HostCurrentPaletteItem() { return nullptr; }
  virtual void HostPaletteItemPlaced() {}
  // Whether the root component itself is offered for references of its class.
  virtual bool HostIncludeRoot() { return true; }
  // Whether a designed class of another module may be nested in this one.
  virtual bool HostCanNest(TClass AClass) { return true; }
  // Raises when the framework keeps new components (created or pasted) out of Parent; nothing
  // has changed yet. Accepts every parent by default.
  virtual void HostValidateParent(TComponent* Parent) {}
  // The form designer of the module's surface (grid, lock); none by default.
  virtual IPtr<ISurfaceDesigner> HostFormDesigner() { return nullptr; }
  // Shows a layout dialog for the selection and applies the person's choice; the default shows
  // none and changes nothing (a cancelled dialog).
  virtual void HostDialog(TDesignDialog Kind) {}
  // The module commands the root leaves to its host (viewing as text, reverting); none by
  // default.
  virtual void HostCommand(TDesignCommand Command) {}
  // Whether another module is left out of reference lists.
  virtual bool HostExcludeRoot(const IPtr<IRoot>& Root) { return false; }
  // The root component of the module Component belongs to: by default the top of its owner
  // chain (embedded frame instances and what they own belong to the module that embeds them).
  virtual TComponent* HostRootOf(TComponent* Component) {
    TComponent* C = Component;
    while (C && C->Owner()) C = C->Owner();
    return C;
  }
  // Whether an ancestor may hold Component without a name (none may by default).
  virtual bool HostAcceptsUnnamed(TComponent* Component) { return false; }
  // Whether the module is read-only for the revert command.
  virtual bool HostIsReadOnly() { return false; }
  // The framework's control queries (the defaults answer for our framework's controls):
  // whether Persistent is a control, the controls Component holds (in the framework's order)
  // and Component's parent (its parent control, else its owner; null for none).
  virtual bool HostIsControl(TPersistent* Persistent);
  virtual int HostControlCount(TComponent* Component);
  virtual TComponent* HostControl(TComponent* Component, int Index);
  virtual TComponent* HostParentOf(TComponent* Component);
  // The update manager that keeps Component in step with Ancestor: the module's root component
  // with its ancestor module's (Ancestor null for a module without one), or an embedded frame
  // instance with its frame module's root component. AncestorManager is the ancestor's manager;
  // the host's root is the manager's callback. None by default: descendants then do not follow.
  virtual IPtr<IUpdateManager> CreateUpdateManager(TComponent* Component, TComponent* Ancestor,
                                                   const IPtr<IUpdateManager>& AncestorManager) {
    return nullptr;
  }

  // The questions a person answers while a module is read or saved.
  // A reader error: 1 stops the read, 2 ignores this and every later error, else ignore this one.
  virtual int HostReaderErrorQuestion(const String& Message) = 0;
  // A component of the ancestor is missing: 0 skips it, 1 uses the component now named Name,
  // 2 creates a new one of that name; other answers leave the reader's own handling.
  // CanCreate says whether 2 is possible (the component's class is known).
  virtual int HostAncestorNotFoundQuestion(String& Name, const String& AncestorName, const String& Candidates,
                                           bool CanCreate) = 0;
  // Links to a module that is not open: 0 removes or redirects them (HostRedirectLinks), 1 and
  // 2 refuse the save, other answers ask again.
  virtual int HostFixupQuestion(const String& RootName, const String& MissingModule) = 0;
  virtual void HostRedirectLinks(const String& MissingModule) = 0;
  // Whether a file of the module that changed on disk since it was read may be replaced.
  virtual bool HostFileChangedQuestion(const String& FileName) = 0;
};

}  // namespace formwright
