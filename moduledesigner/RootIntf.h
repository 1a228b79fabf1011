// How the rest of the system reaches a designed module's root and its designer manager:
// the root interfaces, the inheritance update manager seen from the root, and the designer
// manager interfaces the host implements over TComponentDesigner and TDesigners.
#pragma once

#include "contracts/DesignIntf.h"
#include "contracts/HostIntf.h"

namespace formwright {

class TReader;
class TWriter;
struct IRoot;

using TGetRootProc = std::function<void(const IPtr<IRoot>& Root)>;

// The inheritance update manager of one root: keeps descendant modules in step with it.
struct IUpdateManager : virtual IInterface {
  FW_INTERFACE(IUpdateManager, IInterface, "{5E0B3D20-3001-4C6A-9F21-77AA00000001}")
  virtual bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) = 0;
  virtual TComponent* GetComponent() = 0;
  virtual TComponent* GetAncestor() = 0;
  virtual bool GetHasDescendents() = 0;
  virtual bool GetIsDescendent() = 0;
  // The module changed: descendants follow.
  virtual void Modified() = 0;
  // True when Name is used in this module or, recursively, in a descendant module.
  virtual bool NameExists(const String& Name) = 0;
  virtual void Notification(TPersistent* Instance, TOperation Operation) = 0;
  virtual void RenameComponent(const String& CurName, const String& NewName) = 0;
  virtual void RenameDescendents(const String& CurName, const String& NewName) = 0;
  virtual void Revert(TPersistent* Instance, PPropInfo PropInfo) = 0;
  virtual void Update() = 0;
};

// What an update manager asks of the root that owns it.
struct IUpdateManagerCallback : virtual IInterface {
  FW_INTERFACE(IUpdateManagerCallback, IInterface, "{5E0B3D20-3002-4C6A-9F21-77AA00000002}")
  virtual void Updating(const IPtr<IUpdateManager>& Manager) = 0;
  virtual void Updated(const IPtr<IUpdateManager>& Manager) = 0;
  virtual void Deleting(const IPtr<IUpdateManager>& Manager, TPersistent* Instance) = 0;
  virtual TComponent* CreateComponent(TClass ComponentClass, TComponent* Owner) = 0;
  virtual void WriteComponent(TWriter* Writer, TComponent* Component) = 0;
};

// One open module as the rest of the IDE sees it.
struct IRoot : virtual IInterface {
  FW_INTERFACE(IRoot, IInterface, "{5E0B3D20-3003-4C6A-9F21-77AA00000003}")
  // The live root component; null while dormant or closed.
  virtual TComponent* GetRoot() = 0;
  // The root component's name, or the name kept while there is no root component.
  virtual String GetRootName() = 0;
  virtual String GetRootClassName() = 0;
  virtual String GetAncestorName() = 0;
  virtual String GetFileName() = 0;
  virtual String GetFileSystem() = 0;
  virtual IPtr<IDesigner> GetDesigner() = 0;
  virtual IPtr<IDesignerModule> GetModule() = 0;
  virtual bool IsDormant() = 0;
  virtual void GoDormant() = 0;
  virtual void Resurrect() = 0;
  virtual void Close() = 0;
  virtual bool IsClosed() = 0;
  // Whether the root can report a selection (it is live and not closing).
  virtual bool IsReady() = 0;
  // The root became (or stopped being) the active root of its designer manager.
  virtual void ActiveChanged(bool Active) = 0;
  // Re-applies the designer options of the environment.
  virtual void UpdateOptions() = 0;
  // The roots this one refers to, and those that refer to it.
  virtual void GetDependencies(const TGetRootProc& Proc) = 0;
  virtual void GetDependentRoots(const TGetRootProc& Proc) = 0;
  virtual void UpdateDependencies() = 0;
  virtual void ClearDependencies() = 0;
  // Another module's root component goes away: drop references to it and its instances.
  virtual void ClearDependenciesOn(TComponent* Component) = 0;
  // Drops the cached stream (another module it refers to changed names).
  virtual void ClearCachedStream() = 0;
  // Shows or hides the root's designer window (the IDE hides design windows while it runs a
  // program, say).
  virtual void ShowWindow(bool Show) = 0;
  // Ends whatever the designer window is in the middle of (a drag, a rubber band).
  virtual void CancelModes() = 0;
  // A modal edit started from this module ended: ReturnWindow, when given, is brought back,
  // else the module itself.
  virtual void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) = 0;
  // Writes the selection for the clipboard (bounds and handler texts); Units receives the
  // units its components need.
  virtual void CopySelectionToStream(TStream* Stream, TStrings* Units) = 0;
  // Reads copied components into Parent (null: the current parent), placed at Rect.
  virtual void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) = 0;
};

// The visual designer window of a root, told of the root's life so that it can follow it.
struct IDesignerFormWindow : virtual IInterface {
  FW_INTERFACE(IDesignerFormWindow, IInterface, "{5E0B3D20-3008-4C6A-9F21-77AA00000008}")
  // Before and after the design listeners hear that the designer opened.
  virtual void DesignerOpening(bool Resurrecting) = 0;
  virtual void DesignerOpened(bool Resurrecting) = 0;
  // Before the module's modification is passed on, and after the update managers and link
  // fix-ups have run.
  virtual void BeforeModified() = 0;
  virtual void AfterModified() = 0;
  // The designer options, after creation, resurrection and every change.
  virtual void OptionsChanged(const TDesignerOptions& Options) = 0;
  virtual void ShowWindow(bool Show) = 0;
  // Ends a drag or another mode in progress.
  virtual void CancelModes() = 0;
  // Brings the window to the front.
  virtual void Activate() = 0;
  // The root is going dormant or closing: the window lets go of it.
  virtual void Close() = 0;
};

// The root's operations the designer core uses among its own parts.
struct IInternalRoot : IRoot {
  FW_INTERFACE(IInternalRoot, IRoot, "{5E0B3D20-3004-4C6A-9F21-77AA00000004}")
  virtual IPtr<ICustomModule> GetCustomModule() = 0;
  virtual TClass GetCustomModuleClass() = 0;
  virtual IPtr<IUpdateManager> GetUpdateManager() = 0;
  virtual IPtr<IInternalRoot> GetAncestorRoot() = 0;
  virtual String GetRootBaseClass() = 0;
  // The module's stream, positioned at 0 and owned by the root.
  virtual TStream* GetRootStream() = 0;
  virtual void Save() = 0;
  virtual void Modified() = 0;
};

// What a root tells its designer manager about itself.
struct IRootListUpdate : virtual IInterface {
  FW_INTERFACE(IRootListUpdate, IInterface, "{5E0B3D20-3005-4C6A-9F21-77AA00000005}")
  virtual void RootListAdd(const IPtr<IRoot>& Root) = 0;
  virtual void RootListRemove(const IPtr<IRoot>& Root) = 0;
  // Null Root: no root is active any more.
  virtual void RootActivated(const IPtr<IRoot>& Root) = 0;
  virtual void RootGoingDormant(const IPtr<IRoot>& Root) = 0;
  virtual void RootModified(const IPtr<IRoot>& Root) = 0;
};

// What the property inspector and the IDE's window and edit commands ask of a designer manager
// (about its reported selection, its active root or all its roots) and of all designer
// managers together (about the active one, or each of them).
struct IDesignerCommands : virtual IInterface {
  FW_INTERFACE(IDesignerCommands, IInterface, "{5E0B3D20-3009-4C6A-9F21-77AA00000009}")
  // The reported selection; null for none.
  virtual IPtr<IDesignerSelections> GetSelection() = 0;
  // The name of the one selected object (a component's name, else its name path); empty for
  // none or several.
  virtual String GetSelectionName() = 0;
  // The class name the selected objects share; empty for none or objects of several classes.
  virtual String GetSelectionType() = 0;
  // The first selected object's class, its type information and its unit; null or empty when
  // nothing is selected.
  virtual TClass GetFirstSelectionClass() = 0;
  virtual PTypeInfo GetFirstSelectionType() = 0;
  virtual String GetFirstSelectionUnit() = 0;
  // The editors of the properties (or events) the selected objects share, in name order.
  virtual void GetProperties(TPropKind Kind, const TGetPropProc& Proc) = 0;
  // Edit commands go to the design window that reported the selection when it handles them,
  // else to the active root; with neither nothing happens and the state is empty.
  virtual void EditAction(TEditAction Action) = 0;
  virtual TEditState GetEditState() = 0;
  // The active root's selection for the clipboard, and a paste into it; nothing without one.
  virtual void CopySelectionToStream(TStream* Stream, TStrings* Units) = 0;
  virtual void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) = 0;
  // Ends the active root's modes; brings the window of a finished modal edit back (the
  // active root's when none is given).
  virtual void CancelModes() = 0;
  virtual void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) = 0;
  // Every root's designer window.
  virtual void ShowWindows() = 0;
  virtual void HideWindows() = 0;
  virtual void SetControlsLocked(bool Value) = 0;
  virtual bool GetControlsLocked() = 0;
  // Every root re-applies the environment's designer options.
  virtual void DesignerOptionsChanged() = 0;
};

// The designer manager of one component framework: its open roots, registries and services.
struct IComponentDesigner : IRootListUpdate, IDesignerCommands {
  FW_INTERFACE(IComponentDesigner, IRootListUpdate, "{5E0B3D20-3006-4C6A-9F21-77AA00000006}")
  virtual IPtr<IRoot> FindRoot(const String& Name) = 0;
  virtual IPtr<IRoot> FindRootOf(TComponent* Component) = 0;
  // Finds (and when needed opens, then resurrects) the module of class ClassName.
  virtual IPtr<IRoot> OpenRootClass(const String& ClassName) = 0;
  virtual String FindBaseClass(const String& Name) = 0;
  virtual TClass FindCustomModuleClass(const String& Name) = 0;
  // The root base class registered under that name and accepted here; null when none.
  virtual TClass FindRootBaseClass(const String& Name) = 0;
  virtual bool IsRootBaseClass(const String& Name) = 0;
  virtual bool IsNestable(const String& Name) = 0;
  // Whether this designer designs classes like AClass (its framework's classes).
  virtual bool AcceptsClass(TClass AClass) = 0;
  virtual int GetRootsCount() = 0;
  virtual IPtr<IRoot> GetRoots(int Index) = 0;
  virtual void GetRootNames(const TGetStrProc& Proc) = 0;
  virtual IPtr<IRoot> GetActiveRoot() = 0;
  // True while the designer has an active root.
  virtual bool IsActive() = 0;
  virtual IPtr<IDesignEnvironment> GetEnvironment() = 0;
  virtual IPtr<IModuleFileSystem> GetFileSystem() = 0;
  // The questions the root puts to a person.
  virtual const THostQuestions& GetQuestions() = 0;
  virtual void SetSelection(const IPtr<IDesigner>& Designer, const IPtr<IInterface>& DesignWindow,
                            const IPtr<IDesignerSelections>& Selection) = 0;
  virtual void UpdateSelections() = 0;
  virtual void RootClosing(const IPtr<IRoot>& Root) = 0;
  virtual void RemoveDependenciesOn(TComponent* Component) = 0;
  virtual void UpdateRootDependents() = 0;
  // Like UpdateRootDependents for every root but Root: afterwards the roots that depend on Root
  // are exactly those in its dependents list. Root's own dependencies are left until someone asks
  // for them (only the other roots' lists hold them, and every reader of such a list recomputes
  // first), so naming the n components of a module one by one stays linear.
  virtual void UpdateDependentsOf(IRoot* Root) = 0;
  // The roots of a module's views, which share the master's module and file system and join
  // this designer's roots: one read from the view's stored content (Stream, last modified at
  // StreamTime) with Master as its ancestor, one made new as RootName inheriting from Master
  // (Existing: read from the view's form file instead). Raises, leaving nothing open, when
  // the root cannot be opened.
  virtual IPtr<IInternalRoot> CreateViewRoot(const IPtr<IDesignerModule>& Module, TStream* Stream,
                                             int64_t StreamTime, const String& FileName,
                                             const String& ViewName, const IPtr<IInternalRoot>& Master,
                                             const String& FileSystem) = 0;
  virtual IPtr<IInternalRoot> CreateNewViewRoot(const IPtr<IDesignerModule>& Module, const String& RootName,
                                                const String& FileName, const String& ViewName,
                                                const IPtr<IInternalRoot>& Master, const String& FileSystem,
                                                bool Existing) = 0;

  // Used by FindRoot to search the other designers; does not ask them in turn.
  virtual IPtr<IRoot> FindOwnRoot(const String& Name) = 0;
  virtual IPtr<IRoot> FindOwnRootOf(TComponent* Component) = 0;
};

// All component designers of the IDE, one per framework and form-file extension. Their
// commands go to the active designer (empty answers without one), windows, locks and options
// to each of them.
struct IComponentDesigners : IDesignerCommands {
  FW_INTERFACE(IComponentDesigners, IDesignerCommands, "{5E0B3D20-3007-4C6A-9F21-77AA00000007}")
  virtual void RegisterDesigner(const IPtr<IComponentDesigner>& Designer, const String& Extension) = 0;
  virtual void UnregisterDesigner(const IPtr<IComponentDesigner>& Designer) = 0;
  virtual bool DesignerActive() = 0;
  virtual IPtr<IComponentDesigner> DesignerFromExtension(const String& Extension) = 0;
  // Registration order; stops when Proc returns false.
  virtual void ForEachDesigner(const std::function<bool(const IPtr<IComponentDesigner>&)>& Proc) = 0;
  virtual IPtr<IComponentDesigner> GetActiveDesigner() = 0;
  virtual IPtr<IRoot> GetActiveDesignRoot() = 0;
  virtual void RegisteredExtensions(const TGetStrProc& Proc) = 0;
  // The activation step, run when a designer reports a root activated.
  virtual void DesignerActivated(const IPtr<IComponentDesigner>& Designer) = 0;
  virtual void DeactivateDesigner() = 0;
  // An active root went away.
  virtual void RootGone(const IPtr<IRoot>& Root) = 0;
};

}  // namespace formwright
