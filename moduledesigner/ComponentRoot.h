// The module root: one TComponentRoot exists for each designed module (form, frame or data
// module) while it is open. It owns the live root component and everything on it, reads it
// from the module's component stream (binary or text), writes it back in the form it was read
// in, records whether and when it was modified, can sleep as a stream (dormant) and wake
// again, names components and validates every rename, and turns event handlers into methods of
// the module's design-time class.
//
// TComponentRoot is a base class: the host derives its own root class and supplies the
// operations named Host… below (instance set-up, the designer window, the class group of its
// framework, the questions a person answers). The rest of the IDE reaches a root through IRoot,
// IInternalRoot and IDesigner, all implemented here over the root's own methods.
//
// Roots are made by OpenComponentRoot (below), which runs the construction steps after the
// object is complete so that the host's operations take part; a root that fails to open is
// torn down and never joins its designer manager.
#pragma once

#include <memory>
#include <unordered_map>

#include "formdesigner/PaletteItems.h"
#include "formdesigner/Proxies.h"
#include "formdesigner/Selections.h"
#include "moduledesigner/RootIntf.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/StreamIntf.h"

namespace formwright {

class TMemoryStream;
class TRenames;
class TEvents;

// What a root is opened from. For a new module: RootName (and AncestorName for an inherited
// one) with CreateNew set. For an existing module: FileSystem and FileName, and optionally a
// Stream with its modify time (StreamTime) to read instead of the file.
struct TRootCreateInfo {
  IPtr<IComponentDesigner> ComponentDesigner;
  IPtr<IDesignerModule> Module;
  String FileSystem;
  String FileName;
  String RootName;
  String AncestorName;
  bool CreateNew = false;
  TStream* Stream = nullptr;
  int64_t StreamTime = 0;
  IPtr<IInternalRoot> AncestorRoot;
};

class TComponentRoot : public TInterfacedObject,
                       public IInternalRoot,
                       public IDesigner,
                       public IEditHandler,
                       public IDesignerHook,
                       public IUpdateManagerCallback,
                       public ISurfaceHost,
                       public IItemContext {
  FW_CLASS(TComponentRoot, TInterfacedObject)
 public:
  TComponentRoot();
  ~TComponentRoot() override;

  // Runs the construction steps: a new root component for a new module, else the module read
  // from its stream or form file; then the designer is initialised and the options applied.
  // Raises (and leaves nothing behind) when the module cannot be read.
  void Create(const TRootCreateInfo& Info);

  // ----- Creation from a stream -----
  // Reads a whole module: the class and ancestor from the stream's head, the root instance,
  // its content; global loading is active (and restored) around it.
  void CreateFromStream(TStream* Stream, const IPtr<IInternalRoot>& AncestorRoot);
  // Tells the stream's form; text is converted to a new binary stream that the caller frees.
  // RememberFormat records the form as the module's own.
  TStream* PrepareInputStream(TStream* Stream, bool RememberFormat);
  // The same for a list of components read into the module (paste, undelete): text may hold
  // several objects and gets the list's closing value; the module's format is not touched.
  TStream* PrepareComponents(TStream* Stream);
  void GetCreateInfoFrom(TStream* Stream, String& ClassName, String& AncestorClassName,
                         const IPtr<IInternalRoot>& AncestorRoot);
  TComponent* CreateRootAs(const String& ClassName, const String& AncestorClassName,
                           const IPtr<IInternalRoot>& AncestorRoot);
  void SetCreateInfo(const String& AncestorClassName, const IPtr<IInternalRoot>& AncestorRoot);
  // The registered root base class named RootBaseClass; raises "Root class not found: "%s"".
  TClass GetRootClass();
  TComponent* CreateRootInstance(const String& ClassName);
  // Reads a whole module into Root with every module hook installed.
  virtual void ReadObjectFromStream(TComponent* Root, TStream* Stream);
  // Reads components into this module (paste, undelete) under Parent; Adjust moves them from
  // the stream's bounds into Rect.
  void ReadStream(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect);

  // ----- Writing and saving -----
  // Writes the module (as text when it is a text module) to Stream; refuses while references
  // to modules that are not open remain.
  void WriteRootStream(TStream* Stream);
  // The module's stream, positioned at 0 and owned by the root (cached until a change).
  TStream* GetRootStream() override;
  void Save() override;
  // A read-only stream over the module's current content, dated ModifyTime. It takes over the
  // cached stream and gives it back when released, unless the module changed meanwhile.
  IPtr<IStream> FormFileOpen();
  void ReturnFormFileStream(std::unique_ptr<TMemoryStream> Stream, int64_t ModifyTime);
  // True (and the load time updated) when the form file changed on disk since it was read.
  bool CheckFileDate();
  // Before a save: a form file that changed on disk since the module read or wrote it is
  // replaced only when the host's question says so; otherwise raises "'%s' has changed on
  // disk since it was opened; it was not overwritten" and leaves the load time as it was.
  void ConfirmOverwrite();

  // ----- Modification -----
  void Modified() override;
  void ModifiedUpdateNotification();
  bool CanModify();
  bool IsSourceReadOnly() override;
  // Raises "Source is read-only" or has the module make its source writable.
  void ValidateModification() override;

  // ----- Dormancy and closing -----
  void GoDormant() override;
  void Resurrect() override;
  bool IsDormant() override { return FDormantStream != nullptr; }
  void Close() override;
  bool IsClosed() override { return FClosed; }

  // ----- Accessors -----
  TComponent* GetRoot() override { return FRoot; }
  String GetRootName() override;
  String GetRootClassName() override;
  String GetAncestorName() override;
  String GetFileName() override { return FFileName; }
  String GetFileSystem() override { return FFileSystem; }
  void SetFileSystem(const String& Value) { FFileSystem = Value; }
  void SetFileName(const String& Value) { FFileName = Value; }
  IPtr<IDesignerModule> GetModule() override { return FModule; }
  IPtr<IComponentDesigner> GetComponentDesigner() const { return FComponentDesigner; }
  IPtr<ICustomModule> GetCustomModule() override { return FCustomModule; }
  TClass GetCustomModuleClass() override { return FCustomModuleClass; }
  IPtr<IUpdateManager> GetUpdateManager() override { return FUpdateManager; }
  IPtr<IInternalRoot> GetAncestorRoot() override { return FAncestorRoot; }
  String GetRootBaseClass() override { return FRootBaseClass; }
  int64_t GetModifyTime() const noexcept { return FModifyTime; }
  int64_t GetTimeAtLoad() const noexcept { return FTimeAtLoad; }
  bool IsModified() const noexcept { return FModifiedFlag; }
  bool IsTextFormat() const noexcept { return FTextFormat; }
  // The form the module is written in from now on; an explicit choice also replaces the form
  // it was read or last saved in.
  void SetTextFormat(bool Value) noexcept {
    FTextFormat = Value;
    if (FStreamFormat != 0) FStreamFormat = Value ? 2 : 1;
  }
  // 0 unknown, 1 binary, 2 text: the form the module was last read or saved in.
  int GetStreamFormat() const noexcept { return FStreamFormat; }
  bool HasCachedStream() const noexcept { return FCachedStream != nullptr; }
  // Whether reading the module met errors that were ignored.
  bool GetReadError() const noexcept { return FReadError; }
  bool IsFrame(TComponent* Component) const;
  bool ModifiableFrame(TComponent* Component) const;
  // The design-time class name (resurrecting first): RootBaseClass, or empty for a form.
  String GetDesignClassName();
  // The units the components of the last write need.
  const TStringList& UnitList() const noexcept { return *FUnitList; }

  // ----- IRoot -----
  IPtr<IDesigner> GetDesigner() override { return IPtr<IDesigner>(static_cast<IDesigner*>(this)); }
  bool IsReady() override { return FRoot && !FClosing && !FClosed; }
  void ActiveChanged(bool Active) override {}
  void UpdateOptions() override;
  void GetDependencies(const TGetRootProc& Proc) override {}
  void GetDependentRoots(const TGetRootProc& Proc) override {}
  void UpdateDependencies() override {}
  void ClearDependencies() override {}
  void ClearDependenciesOn(TComponent* Component) override {}
  void ClearCachedStream() override { FCachedStream.reset(); }
  void ShowWindow(bool Show) override;
  void CancelModes() override;
  void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) override;

  // ----- IEditHandler: the edit commands on the module's selection -----
  // eaUndo brings back the last deleted components, eaCut, eaCopy and eaPaste go through the
  // clipboard, eaDelete deletes the selection and eaSelectAll selects every component shown;
  // the other actions do nothing. An action the state does not offer does nothing.
  void EditAction(TEditAction Action) override;
  // Undo while deleted components can be brought back; copy while components other than the
  // root are selected, cut and delete when they may also be deleted; paste while the
  // clipboard holds components; select all while the module has components to select. A
  // read-only source offers only copy and select all.
  TEditState GetEditState() override;
  // The visual designer window (none without a host window).
  const IPtr<IDesignerFormWindow>& FormWindow() const noexcept { return FFormWindow; }

  // ----- Naming and event methods -----
  String UniqueName(const String& BaseName) override;
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) override;
  bool RenameComponent(const String& CurName, const String& NewName);
  TMethod CreateMethod(const String& Name, PTypeData TypeData) override;
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) override;
  void GetMethods(PTypeData TypeData, const TGetStrProc& Proc) override;
  void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) override;
  bool MethodExists(const String& Name) override;
  void ShowMethod(const String& Name) override;
  void RenameMethod(const String& CurName, const String& NewName) override;
  void RenameRootMethod(const String& CurName, const String& NewName);
  String GetMethodName(const TMethod& Method) override;
  bool MethodFromAncestor(const TMethod& Method) override;
  String GetComponentName(TComponent* Component) override;
  TComponent* GetComponent(const String& Name) override;
  TPersistent* GetObject(const String& Name) override;
  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) override;
  void GetObjectNames(PTypeData TypeData, const TGetStrProc& Proc) override;
  String GetObjectName(TPersistent* Instance) override;

  // ----- Selection, clipboard and delete -----
  // Selects Persistent (adding to the selection when Add); nothing for null.
  void Select(TPersistent* Persistent, bool Add);
  void SelectComponent(TPersistent* Persistent, bool Add) { Select(Persistent, Add); }
  // Selects the root (by its name) or the root's owned component of that name.
  void SetSelection(const String& Name);
  IPtr<IDesignerSelections> GetSelection();
  void SelectAll();
  TPersistent* SelectedPersistent();
  TComponent* SelectedComponent();
  bool IsRootSelected();
  bool IsAnchorSelection(TPersistent* Persistent);
  IPtr<IItem> FindSelection(TPersistent* Persistent);
  // Keeps only the anchor's siblings selected.
  void ForceCommonParent();
  // Writes the selection (after reducing it to the anchor's siblings) with bounds and handler
  // texts; Units receives the units the components need.
  void CopySelectionToStream(TStream* Stream, TStrings* Units) override;
  // Reads copied components into Parent (null: the current parent) placed at Rect.
  void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) override;
  // Writes the selected components; WriteMethods adds handler texts, WriteBounds the bounds.
  void StreamSelection(TStream* Stream, bool WriteMethods, bool WriteBounds, TStrings* Units);
  bool CanUndelete() const noexcept { return FUndeleteStream != nullptr; }
  void DoUndelete();
  // The item the surface shows for Persistent (a plain item when there is no surface).
  IPtr<IItem> ItemOf(TPersistent* Persistent);
  const IPtr<IDesignSurface>& Surface() const noexcept { return FSurface; }
  const IPtr<ISelections>& Selections() const noexcept { return FSelectionList; }

  // ----- Creation -----
  // A new component from a palette item: centred in the current container (palette
  // double-click), at a surface point (a click), or in a rectangle of a parent item; named,
  // sized, selected. Null when the item made nothing.
  TComponent* CreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem);
  TComponent* CreateComponentPos(const IPtr<IInternalPaletteItem>& PaletteItem, int X, int Y);
  TComponent* DoCreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem, IPtr<IItem> ParentItem,
                                TRect Rect, bool Size);
  // The palette item that makes a ComponentClass: its own constructor, or for a designed frame
  // class an inline instance of the frame's module.
  IPtr<IInternalPaletteItem> PaletteItemOf(TComponentClass ComponentClass);
  // The container a new component next to or inside Item goes into.
  IPtr<IItem> FindItemParent(const IPtr<IItem>& Item);
  IPtr<IItem> FindCurrentParentItem();
  // An inline instance of the open frame module whose designed class is ComponentClass, owned
  // by Owner; null when ComponentClass is not such a class.
  TComponent* FrameCreateComponent(TClass ComponentClass, TComponent* Owner);
  // A point snapped to the designer's grid (unchanged when snapping is off).
  TPoint PointToGrid(TPoint Point);
  // Raises when ComponentClass can only be the root of a module (a form, a data module, a
  // plain frame): such a class is never placed on a module.
  void ValidatePlaceable(TClass ComponentClass);
  // The master view when this root is one of its module's other views (a root whose ancestor
  // is a root of the same module); none otherwise.
  IPtr<IInternalRoot> GetMasterView();
  // Raises "This component can only be created on the Master View" on a view, except while
  // the view receives its master's components.
  void CanInsertComponent(TComponent* Component);

  // ----- ISurfaceHost and IItemContext -----
  TComponent* CreateCurrentComponent(TComponent* Parent, const TRect& Rect) override;
  void DeleteSelection() override { DeleteSelection(false); }
  int GetSelectableComponentCount() override;
  TComponent* GetSelectableComponents(int Index) override;
  bool HasSelectableChildren(TComponent* Component) override { return IsFrame(Component); }
  TComponent* GetDesignRoot() override { return FRoot; }
  IPtr<IComponentEditor> GetComponentEditor(TComponent* Component) override;

  // ----- IDesignerHook -----
  void Notification(TPersistent* AnObject, TOperation Operation) override;

  // ----- IUpdateManagerCallback -----
  void Updating(const IPtr<IUpdateManager>& Manager) override { FUpdating = true; }
  void Updated(const IPtr<IUpdateManager>& Manager) override { FUpdating = false; }
  // Before the update manager frees Instance: grab handles on its item or its parent's go.
  void Deleting(const IPtr<IUpdateManager>& Manager, TPersistent* Instance) override;
  TComponent* CreateComponent(TClass ComponentClass, TComponent* Owner) override;
  // Installs the module's ancestor lookup on Writer and writes one component.
  void WriteComponent(TWriter* Writer, TComponent* Component) override;

  // ----- IDesigner (the remaining operations) -----
  void Activate() override;
  String GetPathAndBaseExeName() override;
  String GetPrivateDirectory() override;
  String GetBaseRegKey() override;
  TCustomIniFile* GetIDEOptions() override;
  String GetAppDataDirectory() override;
  String GetProjectName() override;
  void GetSelections(const IPtr<IDesignerSelections>& List) override;
  void SelectComponent(TPersistent* Instance) override;
  void SelectComponent(const IPtr<IDesignObject>& ADesignObject) override;
  void SetSelections(const IPtr<IDesignerSelections>& List) override;
  TComponent* CreateComponent(TComponentClass ComponentClass, TComponent* Parent, int Left, int Top,
                              int Width, int Height) override;
  TComponent* CreateChild(TComponentClass ComponentClass, TComponent* Parent) override;
  bool IsComponentLinkable(TComponent* Component) override;
  bool IsComponentHidden(TComponent* Component) override;
  void MakeComponentLinkable(TComponent* Component) override;
  void Revert(TPersistent* Instance, PPropInfo PropInfo) override;
  bool GetIsDormant() override { return IsDormant(); }
  IPtr<IDesigner> GetAncestorDesigner() override;
  TPoint GetScrollRanges(const TPoint& ScrollPosition) override { return ScrollPosition; }
  void Edit(TComponent* Component) override;
  void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                 PTypeData TypeData) override;
  void CopySelection() override;
  void CutSelection() override;
  bool CanPaste() override;
  void PasteSelection() override;
  void DeleteSelection(bool ADoAll) override;
  void ClearSelection() override;
  void NoSelection() override;
  void ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) override;
  TShiftState GetShiftState() override { return {}; }
  void ModalEdit(char16_t EditKey, const IPtr<IActivatable>& ReturnWindow) override {}
  void SelectItemName(const String& PropertyName) override {}
  TPersistentClass ActiveClassGroup() override;
  TComponent* FindRootAncestor(const String& ClassName) override;
  bool CanAdd(TComponentClass ComponentClass) override;
  TComponent* GetCurrentParent() override;
  void SetCurrentParent(TComponent* AComponent) override;
  String GetDesignerExtension() override;
  String GetViewName() override { return String(); }
  void GetUnits(const TGetStrProc& Proc) override;
  bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) override;

 protected:
  // ----- Host-supplied operations -----
  // Finishes a new root instance of RootClass (the base creates it with no owner).
  virtual TComponent* HostCreateRootInstance(TClass RootClass);
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
  virtual void HostFreeRoot(TComponent* Root);
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
  // Whether another module is left out of reference lists.
  virtual bool HostExcludeRoot(const IPtr<IRoot>& Root) { return false; }
  // The questions, answered by default through the designer manager's question registry.
  virtual int HostReaderErrorQuestion(const String& Message);
  virtual int HostAncestorNotFoundQuestion(String& Name, const String& AncestorName,
                                           const String& Candidates);
  virtual int HostFixupQuestion(const String& RootName, const String& MissingModule);
  virtual void HostRedirectLinks(const String& MissingModule);
  // Whether a file of the module that changed on disk since it was read may be replaced.
  virtual bool HostFileChangedQuestion(const String& FileName);

  // ----- Seams of the inheritance, view and dependency layers -----
  // The update manager of a root component; none until inheritance is designed.
  virtual IPtr<IUpdateManager> CreateUpdateManager(TComponent* Root, TComponent* Ancestor,
                                                   const IPtr<IUpdateManager>& AncestorManager) {
    return nullptr;
  }
  // The open module whose root class is ClassName, or none.
  IPtr<IInternalRoot> FindAncestorRoot(const String& ClassName);

  // The designer window's surface, given by the host when it makes the window.
  void SetSurface(const IPtr<IDesignSurface>& Surface) { FSurface = Surface; }
  // The designer window, given by the host when it makes the window; it is told of the
  // designer's opening, of modifications and of options from then on.
  void SetFormWindow(const IPtr<IDesignerFormWindow>& Window) { FFormWindow = Window; }
  // True when every selected item may be deleted and at least one is a component.
  bool SelectionDeletable();
  void SelectionsChanged(TSelections* Sender);
  // Reads components (paste, undelete) into Parent as the new selection, then Modified. A
  // stream that cannot be read leaves the module, the selection and the undelete stream as
  // they were.
  void ReadSelection(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect);
  void UndoRead(size_t Mark, const std::vector<TPersistent*>& Before, std::unique_ptr<TMemoryStream> Undelete,
                TComponent* UndeleteParent);
  void InstanceInserted(TPersistent* Persistent);
  void InstanceRemoved(TPersistent* Persistent);
  // Drops Component and every frame it owns from the frames whose inherited components may not
  // be renamed here.
  void UnlistFrames(TComponent* Component);
  void SetGrabHandles(const IPtr<IItem>& Item);

  // Reader and writer hooks.
  void ReaderSetName(TReader* Reader, TComponent* Component, String& Name);
  void ReaderReferenceName(TReader* Reader, String& Name);
  void ReaderFindMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error);
  void FindObjectMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error);
  void ReaderFindComponentClass(TReader* Reader, const String& ClassName, TClass& ComponentClass);
  void ReaderCreateComponent(TReader* Reader, TClass ComponentClass, TComponent*& Component);
  void ReaderAncestorNotFound(TReader* Reader, const String& Name, TClass ComponentClass,
                              TComponent*& Component);
  void ReaderObjectError(TReader* Reader, const String& Message, bool& Handled);
  void WriterFindAncestor(TWriter* Writer, TComponent* Component, const String& Name, TComponent*& Ancestor,
                          TComponent*& RootAncestor);

  // A pasted component is checked (raising refuses it) and selected.
  void ComponentRead(TComponent* Component);
  void ComponentReadAdjust(TComponent* Component);

  void ValidateRootRename(const String& CurName, const String& NewName);
  // Why Name cannot name a component (Kind "component") or a handler (Kind "method") of this
  // module, as a message; empty when it can. Names must stay apart from the words of both
  // source languages, the module's own name, types, the unit's methods and, for handlers, the
  // components (the unit's fields).
  String NameRefusal(const String& Name, const char* Kind);
  // Raises the refusal of a new handler name, if any.
  void CheckMethodName(const String& Name);
  // What every accepted rename ends with: dependents, the renamed sink, the environment.
  void RenameTail(TComponent* AComponent, const String& CurName, const String& NewName);
  // Writes Source as a module of its own and reads it into Target (an ancestor replayed into a
  // descendant, a frame module into an inline instance).
  void ReplayModule(TComponent* Source, TComponent* Target);
  // Frees the root component (and what hangs on it: its editor, the custom module).
  void DropRootComponent();
  void InternalInitializeDesigner(bool Resurrecting);
  void InternalDeinitializeDesigner(bool GoingDormant);
  // Renames, Events and the placeholder methods of one paste.
  void RenameEvents();
  void VerifyEvents(TStrings* List);
  void UpdateEvents();
  void LoadingFormModified();
  int64_t CurrentTimeStamp();
  // The design environment of the designer manager; null when there is none.
  IPtr<IDesignEnvironment> Environment() const;

  // The fields, in the order the module root declares them.
  IPtr<IComponentDesigner> FComponentDesigner;
  IPtr<IDesignerModule> FModule;
  IPtr<IDesignerFormWindow> FFormWindow;
  IPtr<IUpdateManager> FUpdateManager;
  std::vector<IPtr<IUpdateManager>> FFrameUpdateManagers;
  IPtr<IInternalRoot> FAncestorRoot;
  std::vector<std::pair<String, IPtr<IInternalRoot>>> FViews;
  int FActiveView = -1;
  IPtr<ICustomModule> FCustomModule;
  String FFileSystem;
  String FFileName;
  String FRootBaseClass;
  String FRootName;
  TRect FPasteRect;
  TRect FSelectionRect;
  TComponent* FRoot = nullptr;
  TClass FRootClass = nullptr;
  TClass FCustomModuleClass = nullptr;
  std::unique_ptr<TStringList> FUnitList;
  std::unique_ptr<TMemoryStream> FCachedStream;
  std::unique_ptr<TMemoryStream> FDormantStream;
  std::unique_ptr<TMemoryStream> FUndeleteStream;
  std::vector<TComponent*> FModifiableFrames;
  std::unique_ptr<TRenames> FRenames;
  std::unique_ptr<TEvents> FEvents;
  int64_t FModifyTime = 0;
  int64_t FTimeAtLoad = 0;
  int64_t FSizeAtLoad = 0;
  IPtr<IInterface> FFormEditor;
  IPtr<IComponentEditor> FRootEditor;
  // The design surface the host's designer window shows (none without a window).
  IPtr<IDesignSurface> FSurface;
  IPtr<ISelections> FSelectionList;
  std::unique_ptr<TSelections> FSelections;
  std::vector<IPtr<IItem>> FMarked;
  bool FSuppressSelectionChange = false;
  TComponent* FUndeleteParent = nullptr;
  std::vector<TComponent*> FSelectableComponents;
  bool FSelectableValid = false;
  // The top-level components read by the paste or undelete in progress.
  std::vector<TComponent*> FComponentsRead;
  // Items made for persistents when no surface shows the module.
  std::vector<IPtr<IItem>> FPlainItems;
  bool FModifiedFlag = false;
  bool FAllowNonVisualPaste = false;
  bool FSuppressUpdate = false;
  bool FReadError = false;
  bool FTextFormat = false;
  int FStreamFormat = 0;
  bool FAncestorLoaded = true;
  bool FIgnoreAllErrors = false;
  bool FErrorAnswered = false;
  bool FResurrecting = false;
  bool FClosed = false;
  bool FUpdating = false;
  bool FClosing = false;
  bool FUndeleting = false;
  // Set while the update manager creates components: a view may then receive them.
  bool FAllowViewInsert = false;
  bool FNoSelection = false;
  TComponent* FCurrentParent = nullptr;
  TPoint FGridSize{8, 8};
  bool FSnapToGrid = true;
  // Per lower-case stem, the lowest number UniqueName may still find free.
  std::unordered_map<String, int> FNameHints;
};

// Makes a root of class TRoot, runs its construction and adds it to its designer manager's
// roots. A module that cannot be opened raises and leaves the manager as it was.
template <class TRoot, class... A>
IPtr<TRoot> OpenComponentRoot(const TRootCreateInfo& Info, A&&... Args) {
  IPtr<TRoot> Root = MakeIntf<TRoot>(std::forward<A>(Args)...);
  Root->Create(Info);
  if (Info.ComponentDesigner)
    Info.ComponentDesigner->RootListAdd(IPtr<IRoot>(static_cast<IRoot*>(Root.Get())));
  return Root;
}

// For framework designers that keep new components out of embedded frame instances.
inline constexpr const char* SNoNewComponentsInFrame = "New components cannot be added to frame instances.";

// Value snapped to the nearest line of a grid of step Grid whose lines pass through Offset; a
// value halfway between lines goes to the higher one.
int SnapToGrid(int Value, int Offset, int Grid);

// The root component of the open module whose root class is named ClassName; null when none.
TComponent* FindDesignedRootOfClass(const IPtr<IComponentDesigner>& Designer, const String& ClassName);

}  // namespace formwright
