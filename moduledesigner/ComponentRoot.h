// The module root: one TComponentRoot exists for each designed module (form, frame or data
// module) while it is open. It owns the live root component and everything on it, reads it
// from the module's component stream (binary or text), writes it back in the form it was read
// in, records whether and when it was modified, can sleep as a stream (dormant) and wake
// again, names components and validates every rename, and turns event handlers into methods of
// the module's design-time class.
//
// TComponentRoot is the face of the module: the rest of the IDE reaches it through IRoot,
// IInternalRoot and IDesigner, and every operation below stays here. Its own lifecycle
// (creation, designer set-up, modification, dormancy, closing) is implemented here; the rest is
// done by services it owns, each over the root's shared state (TRootState):
//   TRootNames      names, renames, event methods (RootNames.h)
//   TRootSelection  the selection and its items (RootSelection.h)
//   TRootClipboard  copy, paste, delete, undelete, edit commands (RootClipboard.h)
//   TRootCreation   creating components (RootCreation.h)
//   TRootStreams    reading, writing, caching, sleeping and saving streams (RootStreams.h)
//   TRootLinks      embedded frames and the links to other modules (RootLinks.h)
//   TRootLayout     z-order and moving components into another parent (RootLayout.h)
//   TRootInheritance the ancestor, links and dependencies between modules, units (RootInheritance.h)
//   TRootAlign      aligning, spacing, sizing, the grid and flipping children (RootAlign.h)
//   TRootViews      the module's device views, each a root of its own (RootViews.h)
// A new concern of the root is added as a service beside these.
//
// TComponentRoot is a base class: the host derives its own root class and overrides the
// operations of TRootHostOperations (instance set-up, the designer window, the class group of
// its framework, the questions a person answers). Roots are made by OpenComponentRoot (below),
// which runs the construction steps after the object is complete so that the host's
// operations take part; a root that fails to open is torn down and never joins its designer
// manager.
#pragma once

#include <memory>

#include "formdesigner/PaletteItems.h"
#include "formdesigner/Proxies.h"
#include "formdesigner/Selections.h"
#include "moduledesigner/RootAlign.h"
#include "moduledesigner/RootClipboard.h"
#include "moduledesigner/RootCreation.h"
#include "moduledesigner/RootHost.h"
#include "moduledesigner/RootInheritance.h"
#include "moduledesigner/RootIntf.h"
#include "moduledesigner/RootLayout.h"
#include "moduledesigner/RootLinks.h"
#include "moduledesigner/RootNames.h"
#include "moduledesigner/RootSelection.h"
#include "moduledesigner/RootState.h"
#include "moduledesigner/RootStreams.h"
#include "moduledesigner/RootViews.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/StreamIntf.h"

namespace formwright {

class TMemoryStream;
struct IOTAFormEditor;

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
  // The view name of a view root (its AncestorRoot is the master); empty otherwise.
  String ViewName;
};

class TComponentRoot : public TInterfacedObject,
                       public IInternalRoot,
                       public IDesigner,
                       public IEditHandler,
                       public IDesignerHook,
                       public IUpdateManagerCallback,
                       public ISurfaceHost,
                       public IItemContext,
                       public IRootViews,
                       public IRootDependents,
                       public IOTAAlignable,
                       public IFlipChildren,
                       protected TRootHostOperations {
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
  TStream* PrepareInputStream(TStream* Stream, bool RememberFormat) {
    return FStreams.PrepareInputStream(Stream, RememberFormat);
  }
  TStream* PrepareComponents(TStream* Stream) { return FStreams.PrepareComponents(Stream); }
  void GetCreateInfoFrom(TStream* Stream, String& ClassName, String& AncestorClassName,
                         const IPtr<IInternalRoot>& AncestorRoot) {
    FStreams.GetCreateInfoFrom(Stream, ClassName, AncestorClassName, AncestorRoot);
  }
  // A root instance of ClassName (named after it, or after the ancestor's class) whose
  // design-time class derives from the ancestor's root class or the registered base class.
  TComponent* CreateRootAs(const String& ClassName, const String& AncestorClassName,
                           const IPtr<IInternalRoot>& AncestorRoot);
  void SetCreateInfo(const String& AncestorClassName, const IPtr<IInternalRoot>& AncestorRoot);
  // The registered root base class named RootBaseClass; raises "Root class not found: "%s"".
  TClass GetRootClass();
  TComponent* CreateRootInstance(const String& ClassName);
  // Reads a whole module into Root with every module hook installed.
  virtual void ReadObjectFromStream(TComponent* Root, TStream* Stream) {
    FStreams.ReadObjectFromStream(Root, Stream);
  }
  // Reads components into this module (paste, undelete) under Parent; Adjust moves them from
  // the stream's bounds into Rect.
  void ReadStream(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect) {
    FStreams.ReadStream(Stream, Parent, Adjust, Rect, [this](TComponent* C) { ComponentRead(C); });
  }

  // ----- Writing and saving -----
  void WriteRootStream(TStream* Stream) { FStreams.WriteRootStream(Stream); }
  TStream* GetRootStream() override { return FStreams.GetRootStream(); }
  // Writes the form file, then every view's.
  void Save() override;
  IPtr<IStream> FormFileOpen() { return FStreams.FormFileOpen(); }
  bool CheckFileDate() { return FStreams.CheckFileDate(); }
  void ConfirmOverwrite() { FStreams.ConfirmOverwrite(); }

  // ----- Modification -----
  // After every change: the module, the designer manager, the window, descendants and links
  // hear of it, and the cached stream is dropped.
  void Modified() override;
  // The update managers of the module and of its embedded frames follow a change.
  void ModifiedUpdateNotification();
  bool CanModify() { return !FState.IsSourceReadOnly(); }
  bool IsSourceReadOnly() override { return FState.IsSourceReadOnly(); }
  void ValidateModification() override { FState.ValidateModification(); }

  // ----- Dormancy and closing -----
  void GoDormant() override;
  void Resurrect() override;
  bool IsDormant() override { return FStreams.IsDormant(); }
  void Close() override;
  bool IsClosed() override { return FClosed; }

  // ----- Accessors -----
  TComponent* GetRoot() override { return FState.Root; }
  String GetRootName() override;
  String GetRootClassName() override;
  String GetAncestorName() override;
  String GetFileName() override { return FState.FileName; }
  String GetFileSystem() override { return FState.FileSystem; }
  void SetFileSystem(const String& Value) { FState.FileSystem = Value; }
  void SetFileName(const String& Value) { FState.FileName = Value; }
  IPtr<IDesignerModule> GetModule() override { return FState.Module; }
  IPtr<IComponentDesigner> GetComponentDesigner() const { return FState.ComponentDesigner; }
  IPtr<ICustomModule> GetCustomModule() override { return FState.CustomModule; }
  TClass GetCustomModuleClass() override { return FCustomModuleClass; }
  IPtr<IUpdateManager> GetUpdateManager() override { return FState.UpdateManager; }
  IPtr<IInternalRoot> GetAncestorRoot() override { return FState.AncestorRoot; }
  String GetRootBaseClass() override { return FRootBaseClass; }
  int64_t GetModifyTime() const noexcept { return FStreams.GetModifyTime(); }
  int64_t GetTimeAtLoad() const noexcept { return FStreams.GetTimeAtLoad(); }
  bool IsModified() const noexcept { return FModifiedFlag; }
  bool IsTextFormat() const noexcept { return FStreams.IsTextFormat(); }
  // The form the module is written in from now on; an explicit choice also replaces the form
  // it was read or last saved in.
  void SetTextFormat(bool Value) noexcept { FStreams.SetTextFormat(Value); }
  // 0 unknown, 1 binary, 2 text: the form the module was last read or saved in.
  int GetStreamFormat() const noexcept { return FStreams.GetStreamFormat(); }
  bool HasCachedStream() const noexcept { return FStreams.HasCachedStream(); }
  // Whether reading the module met errors that were ignored.
  bool GetReadError() const noexcept { return FStreams.GetReadError(); }
  bool IsFrame(TComponent* Component) const { return IsFrameInstance(Component); }
  bool ModifiableFrame(TComponent* Component) const { return FLinks.ModifiableFrame(Component); }
  // The design-time class name (resurrecting first): RootBaseClass, or empty for a form.
  String GetDesignClassName();
  // The units the components of the last write need.
  const TStringList& UnitList() const noexcept { return FStreams.UnitList(); }

  // ----- IRoot -----
  IPtr<IDesigner> GetDesigner() override { return IPtr<IDesigner>(static_cast<IDesigner*>(this)); }
  bool IsReady() override { return FState.Root && !FState.Closing && !FClosed; }
  // Becoming active, the module tells its form editors notifiers.
  void ActiveChanged(bool Active) override;
  void UpdateOptions() override;
  void GetDependencies(const TGetRootProc& Proc) override { FInheritance.GetDependencies(Proc); }
  void GetDependentRoots(const TGetRootProc& Proc) override { FInheritance.GetDependentRoots(Proc); }
  void UpdateDependencies() override { FInheritance.UpdateDependencies(); }
  void ClearDependencies() override { FInheritance.ClearDependencies(); }
  // References into the module of Component are set to none and its embedded instances go; a
  // module that changed so counts as modified.
  void ClearDependenciesOn(TComponent* Component) override;
  void ClearCachedStream() override { FStreams.ClearCachedStream(); }
  void ShowWindow(bool Show) override;
  void CancelModes() override;
  void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) override;

  // ----- IEditHandler -----
  void EditAction(TEditAction Action) override { FClipboard.EditAction(Action); }
  TEditState GetEditState() override { return FClipboard.GetEditState(); }
  // The visual designer window (none without a host window).
  const IPtr<IDesignerFormWindow>& FormWindow() const noexcept { return FState.FormWindow; }

  // ----- Naming and event methods -----
  String UniqueName(const String& BaseName) override { return FNames.UniqueName(BaseName); }
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) override {
    FNames.ValidateRename(AComponent, CurName, NewName);
  }
  bool RenameComponent(const String& CurName, const String& NewName) {
    return FNames.RenameComponent(CurName, NewName);
  }
  TMethod CreateMethod(const String& Name, PTypeData TypeData) override;
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) override {
    return FNames.CreateMethod(Name, EventInfo);
  }
  void GetMethods(PTypeData TypeData, const TGetStrProc& Proc) override;
  void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) override {
    FNames.GetMethods(EventInfo, Proc);
  }
  bool MethodExists(const String& Name) override { return FNames.MethodExists(Name); }
  void ShowMethod(const String& Name) override { FNames.ShowMethod(Name); }
  void RenameMethod(const String& CurName, const String& NewName) override {
    FNames.RenameMethod(CurName, NewName);
  }
  void RenameRootMethod(const String& CurName, const String& NewName) {
    FNames.RenameRootMethod(CurName, NewName);
  }
  String GetMethodName(const TMethod& Method) override { return FNames.GetMethodName(Method); }
  bool MethodFromAncestor(const TMethod& Method) override { return FNames.MethodFromAncestor(Method); }
  String GetComponentName(TComponent* Component) override { return FLinks.GetComponentName(Component); }
  TComponent* GetComponent(const String& Name) override { return FLinks.GetComponent(Name); }
  TPersistent* GetObject(const String& Name) override { return FLinks.GetComponent(Name); }
  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) override {
    FLinks.GetComponentNames(TypeData, Proc);
  }
  void GetObjectNames(PTypeData TypeData, const TGetStrProc& Proc) override {
    FLinks.GetComponentNames(TypeData, Proc);
  }
  String GetObjectName(TPersistent* Instance) override { return FLinks.GetObjectName(Instance); }

  // ----- Selection, clipboard and delete -----
  void Select(TPersistent* Persistent, bool Add) { FSelection.Select(Persistent, Add); }
  void SelectComponent(TPersistent* Persistent, bool Add) { FSelection.Select(Persistent, Add); }
  void SetSelection(const String& Name) { FSelection.SetSelection(Name); }
  IPtr<IDesignerSelections> GetSelection() { return FSelection.GetSelection(); }
  void SelectAll() { FSelection.SelectAll(); }
  TPersistent* SelectedPersistent() { return FSelection.SelectedPersistent(); }
  TComponent* SelectedComponent() { return FSelection.SelectedComponent(); }
  bool IsRootSelected() { return FSelection.IsRootSelected(); }
  bool IsAnchorSelection(TPersistent* Persistent) { return FSelection.IsAnchorSelection(Persistent); }
  IPtr<IItem> FindSelection(TPersistent* Persistent) { return FSelection.FindSelection(Persistent); }
  void ForceCommonParent() { FSelection.ForceCommonParent(); }
  void CopySelectionToStream(TStream* Stream, TStrings* Units) override {
    FClipboard.CopySelectionToStream(Stream, Units);
  }
  void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) override {
    FClipboard.PasteSelectionFromStream(Stream, Parent, Rect);
  }
  void StreamSelection(TStream* Stream, bool WriteMethods, bool WriteBounds, TStrings* Units) {
    FClipboard.StreamSelection(Stream, WriteMethods, WriteBounds, Units);
  }
  bool CanUndelete() const noexcept { return FClipboard.CanUndelete(); }
  void DoUndelete() { FClipboard.DoUndelete(); }
  // A component read by a paste or undelete is checked (raising refuses it) and selected.
  void ComponentRead(TComponent* Component) { FClipboard.ComponentRead(Component); }
  IPtr<IItem> ItemOf(TPersistent* Persistent) { return FSelection.ItemOf(Persistent); }
  const IPtr<IDesignSurface>& Surface() const noexcept { return FState.Surface; }
  const IPtr<ISelections>& Selections() const noexcept { return FSelection.List(); }

  // ----- Inheritance, links and dependencies -----
  void ValidateInheritence(TComponent* Ancestor) { FInheritance.ValidateInheritence(Ancestor); }
  // Whether the revert command applies to the selection.
  bool CanRevert() { return FInheritance.CanRevert(); }
  // The revert command: each selected inherited component, and every component inside it that
  // the ancestor gave, takes back every value the ancestor module gives it. Components this
  // module put inside them go too, once Confirm agrees to the message naming them
  // (SAncestorDeleteWarning); a refusal changes nothing. Returns whether anything was reverted.
  bool RevertSelection(const std::function<bool(const String& Message)>& Confirm);
  // The managers of the embedded frames: each keeps one instance in step with its frame module.
  std::vector<IPtr<IUpdateManager>> FrameUpdateManagers() const { return FLinks.FrameUpdateManagers(); }
  void AddImportedRoot(const String& Name) { FInheritance.AddImportedRoot(Name); }
  void LoadDependentModules(TComponent* Root) { FInheritance.LoadDependentModules(Root); }
  void ResurrectDependentModules(TComponent* Root) { FInheritance.ResurrectDependentModules(Root); }
  // IRootDependents
  void AddDependentRoot(IRoot* Root) override { FInheritance.AddDependentRoot(Root); }
  void RemoveDependentRoot(IRoot* Root) override { FInheritance.RemoveDependentRoot(Root); }
  void ForEachDependentRoot(const TGetRootProc& Proc) override { FInheritance.ForEachDependentRoot(Proc); }

  // ----- Tools interface -----
  // The module's form editor (ToolsIntf.h), made with the root and living as long as it.
  IPtr<IOTAFormEditor> GetFormEditor();
  // Replaces the whole module by Content (a sleeping module stays asleep); content that cannot
  // be read raises the reader's message and leaves the module as it was.
  void SetContent(std::unique_ptr<TMemoryStream> Content);
  // The module's current content counts as the one on disk.
  void ResetDiskAge() { FStreams.Loaded(FStreams.GetModifyTime()); }
  // The host's operations, for the adapters that answer with them (the control queries).
  TRootHostOperations& HostOperations() noexcept { return *this; }

  // ----- Layout commands -----
  void ZOrder(bool Front) { FLayout.ZOrder(Front); }
  void BringToFront() { FLayout.ZOrder(true); }
  void SendToBack() { FLayout.ZOrder(false); }
  bool MoveSelection(TComponent* Parent, const TPoint* At = nullptr) {
    return FLayout.MoveSelection(Parent, At);
  }
  // Aligning, spacing, sizing and the grid over the selection (RootAlign.h).
  void Align(TOTAAffect Affect) override { FAlign.Align(Affect); }
  void Size(TOTASizeAffect Affect, int Value) override { FAlign.Size(Affect, Value); }
  // Whether the command would move or size an item (see TRootAlign); nothing moves.
  bool AlignChanges(TOTAAffect Affect) { return FAlign.AlignChanges(Affect); }
  bool SizeChanges(TOTASizeAffect Affect, int Value) { return FAlign.SizeChanges(Affect, Value); }
  void AlignToGrid() { FAlign.AlignToGrid(); }
  // Negated: all levels flips every child of the module, otherwise the selection is flipped.
  void FlipChildren(bool AllLevels) override { FAlign.FlipChildren(!AllLevels); }
  // Whether non-visual components are shown on the surface (the designer option until
  // dmShowNonVisualComponents switches it).
  bool ShowNonVisualComponents() const noexcept { return FShowNonVisual; }

  // ----- Creation -----
  // Palette-style: a component from a palette item, centred in the current container (a
  // palette double-click) or at a surface point (a click). Null when the item made nothing.
  TComponent* CreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem) {
    return FCreation.CreateComponent(PaletteItem);
  }
  TComponent* CreateComponentPos(const IPtr<IInternalPaletteItem>& PaletteItem, int X, int Y) {
    return FCreation.CreateComponentPos(PaletteItem, X, Y);
  }
  TComponent* DoCreateComponent(const IPtr<IInternalPaletteItem>& PaletteItem, IPtr<IItem> ParentItem,
                                TRect Rect, bool Size) {
    return FCreation.DoCreateComponent(PaletteItem, std::move(ParentItem), Rect, Size);
  }
  IPtr<IItem> FindItemParent(const IPtr<IItem>& Item) { return FCreation.FindItemParent(Item); }
  IPtr<IItem> FindCurrentParentItem() { return FCreation.FindCurrentParentItem(); }
  TComponent* FrameCreateComponent(TClass ComponentClass, TComponent* Owner) {
    return FCreation.FrameCreateComponent(ComponentClass, Owner);
  }
  // The update manager's creation (IUpdateManagerCallback's CreateComponent): a plain
  // component of ComponentClass owned by Owner, or an inline frame instance; not named, placed
  // or selected.
  TComponent* UpdateManagerCreateComponent(TClass ComponentClass, TComponent* Owner) {
    return FCreation.UpdateManagerCreateComponent(ComponentClass, Owner);
  }
  TPoint PointToGrid(TPoint Point) { return FCreation.PointToGrid(Point); }
  void ValidatePlaceable(TClass ComponentClass) { FCreation.ValidatePlaceable(ComponentClass); }
  void CanInsertComponent(TComponent* Component) override { FCreation.CanInsertComponent(Component); }

  // ----- Views -----
  IPtr<IInternalRoot> GetMasterView() override { return FViews.GetMasterView(); }
  String GetViewName(int Index) override { return FViews.GetViewName(Index); }
  int GetViewCount() override { return FViews.GetViewCount(); }
  IPtr<IInternalRoot> GetView(int Index) override { return FViews.GetView(Index); }
  int GetViewIndex(const String& Name) override { return FViews.GetViewIndex(Name); }
  int AddView(const String& Name) override { return FViews.AddView(Name); }
  int InternalAddView(const String& Name, bool Existing, const TDatedStream* Stream) override {
    return FViews.InternalAddView(Name, Existing, Stream);
  }
  void RemoveView(const String& Name) override { FViews.RemoveView(Name); }
  void RemoveView(int Index) override { FViews.RemoveView(Index); }
  void CreateDesignerViews(const std::vector<TViewContent>* Source) override {
    FViews.CreateDesignerViews(Source);
  }
  void CloseViews() override { FViews.CloseViews(); }
  IPtr<IInternalRoot> GetActiveView() override { return FViews.GetActiveView(); }
  void SetActiveView(const IPtr<IInternalRoot>& Root) override { FViews.SetActiveView(Root); }
  TComponent* GetMasterViewComponent(TComponent* Component) override {
    return FViews.GetMasterViewComponent(Component);
  }
  void ViewChanged(const IPtr<IInternalRoot>& View) override;
  void Rename(const String& NewFileName) override;
  void FileNameChanged(const String& FileName) override { FState.FileName = FileName; }

  // ----- ISurfaceHost and IItemContext -----
  TComponent* CreateCurrentComponent(TComponent* Parent, const TRect& Rect) override {
    return FCreation.CreateCurrentComponent(Parent, Rect);
  }
  void DeleteSelection() override { FClipboard.DeleteSelection(); }
  int GetSelectableComponentCount() override { return FSelection.GetSelectableComponentCount(); }
  TComponent* GetSelectableComponents(int Index) override {
    return FSelection.GetSelectableComponents(Index);
  }
  bool HasSelectableChildren(TComponent* Component) override { return IsFrameInstance(Component); }
  TComponent* GetDesignRoot() override { return FState.Root; }
  IPtr<IComponentEditor> GetComponentEditor(TComponent* Component) override;
  // The layout dialogs are the host's (HostDialog).
  void Dialog(TDesignDialog Kind) override { HostDialog(Kind); }
  // The grid, flips, the stream format and the non-visual components are carried out here;
  // viewing as text and reverting go to the host (HostCommand).
  void Command(TDesignCommand Command) override;
  // A persistent joins or leaves the module (its root component's notifications).
  void InstanceInserted(TPersistent* Persistent) override;
  void InstanceRemoved(TPersistent* Persistent) override;

  // ----- IDesignerHook -----
  void Notification(TPersistent* AnObject, TOperation Operation) override;

  // ----- IUpdateManagerCallback (CreateComponent: below, private) -----
  void Updating(const IPtr<IUpdateManager>& Manager) override { FState.Updating = true; }
  // After the update: the module's stream is written anew and listeners hear that this
  // descendant followed its ancestor (DescendantUpdated).
  void Updated(const IPtr<IUpdateManager>& Manager) override;
  // Before the update manager frees Instance: grab handles on its item or its parent's go.
  void Deleting(const IPtr<IUpdateManager>& Manager, TPersistent* Instance) override {
    FSelection.Deleting(Instance);
  }
  // Installs the module's ancestor lookup on Writer and writes one component.
  void WriteComponent(TWriter* Writer, TComponent* Component) override {
    FStreams.WriteComponent(Writer, Component);
  }

  // ----- IDesigner (the remaining operations) -----
  void Activate() override;
  String GetPathAndBaseExeName() override;
  String GetPrivateDirectory() override;
  String GetBaseRegKey() override;
  TCustomIniFile* GetIDEOptions() override;
  String GetAppDataDirectory() override;
  String GetProjectName() override;
  void GetSelections(const IPtr<IDesignerSelections>& List) override { FSelection.GetSelections(List); }
  void SelectComponent(TPersistent* Instance) override { FSelection.SelectComponent(Instance); }
  void SelectComponent(const IPtr<IDesignObject>& ADesignObject) override;
  void SetSelections(const IPtr<IDesignerSelections>& List) override { FSelection.SetSelections(List); }
  // A component of ComponentClass at Left, Top of Parent, Width by Height (named, selected).
  TComponent* CreateComponent(TComponentClass ComponentClass, TComponent* Parent, int Left, int Top,
                              int Width, int Height) override {
    return FCreation.CreateComponentInParent(ComponentClass, Parent, Left, Top, Width, Height);
  }
  TComponent* CreateChild(TComponentClass ComponentClass, TComponent* Parent) override {
    return FCreation.CreateChild(ComponentClass, Parent);
  }
  bool IsComponentLinkable(TComponent* Component) override {
    return FInheritance.IsComponentLinkable(Component);
  }
  bool IsComponentHidden(TComponent* Component) override;
  void MakeComponentLinkable(TComponent* Component) override {
    FInheritance.MakeComponentLinkable(Component);
  }
  void Revert(TPersistent* Instance, PPropInfo PropInfo) override;
  bool GetIsDormant() override { return IsDormant(); }
  IPtr<IDesigner> GetAncestorDesigner() override;
  TPoint GetScrollRanges(const TPoint& ScrollPosition) override {
    return FAlign.GetScrollRanges(ScrollPosition);
  }
  void Edit(TComponent* Component) override;
  void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                 PTypeData TypeData) override {}
  void CopySelection() override { FClipboard.CopySelection(); }
  void CutSelection() override { FClipboard.CutSelection(); }
  bool CanPaste() override { return FClipboard.CanPaste(); }
  void PasteSelection() override { FClipboard.PasteSelection(); }
  void DeleteSelection(bool ADoAll) override { FClipboard.DeleteSelection(); }
  void ClearSelection() override { FSelection.ClearSelection(); }
  void NoSelection() override { FSelection.NoSelection(); }
  void ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) override;
  TShiftState GetShiftState() override { return {}; }
  void ModalEdit(char16_t EditKey, const IPtr<IActivatable>& ReturnWindow) override {}
  void SelectItemName(const String& PropertyName) override {}
  TPersistentClass ActiveClassGroup() override;
  TComponent* FindRootAncestor(const String& ClassName) override;
  bool CanAdd(TComponentClass ComponentClass) override;
  TComponent* GetCurrentParent() override { return FCreation.GetCurrentParent(); }
  void SetCurrentParent(TComponent* AComponent) override { FCreation.SetCurrentParent(AComponent); }
  String GetDesignerExtension() override { return String(); }
  String GetViewName() override { return FState.ViewName; }
  void GetUnits(const TGetStrProc& Proc) override;
  bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) override;

 protected:
  // The root's state as its services see it (read-only for a host's root).
  const TRootState& State() const noexcept { return FState; }

  // The questions, answered by default through the designer manager's question registry.
  int HostReaderErrorQuestion(const String& Message) override;
  int HostAncestorNotFoundQuestion(String& Name, const String& AncestorName, const String& Candidates,
                                   bool CanCreate) override;
  int HostFixupQuestion(const String& RootName, const String& MissingModule) override;
  void HostRedirectLinks(const String& MissingModule) override;
  bool HostFileChangedQuestion(const String& FileName) override;

  // ----- Seams of the inheritance, view and dependency layers -----
  // (The update managers come from the host: TRootHostOperations::CreateUpdateManager.)
  // The ancestor of class ClassName: none for a root base class, else the open module of that
  // class; raises EClassNotFound when it is not open.
  IPtr<IInternalRoot> FindAncestorRoot(const String& ClassName) {
    return FInheritance.FindAncestorRoot(ClassName);
  }
  // The module's source is read-only (the revert command is off).
  bool HostIsReadOnly() override { return FState.IsSourceReadOnly(); }

  // The designer window's surface, given by the host when it makes the window.
  void SetSurface(const IPtr<IDesignSurface>& Surface) { FState.Surface = Surface; }
  // The designer window, given by the host when it makes the window; it is told of the
  // designer's opening, of modifications and of options from then on.
  void SetFormWindow(const IPtr<IDesignerFormWindow>& Window) { FState.FormWindow = Window; }

  // ----- Reader and writer hooks -----
  // The root's own readers and writers install them; a host's reader set-up may use them too.
  void ReaderSetName(TReader* Reader, TComponent* Component, String& Name) {
    FNames.ReaderSetName(Reader, Component, Name);
  }
  void ReaderReferenceName(TReader* Reader, String& Name) { FNames.ReaderReferenceName(Reader, Name); }
  void ReaderFindMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error) {
    FNames.ReaderFindMethod(Reader, MethodName, Address, Error);
  }
  void FindObjectMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error) {
    FStreams.FindObjectMethod(Reader, MethodName, Address, Error);
  }
  void ReaderFindComponentClass(TReader* Reader, const String& ClassName, TClass& ComponentClass) {
    FStreams.ReaderFindComponentClass(Reader, ClassName, ComponentClass);
  }
  void ReaderCreateComponent(TReader* Reader, TClass ComponentClass, TComponent*& Component) {
    Component = FCreation.FrameCreateComponent(ComponentClass, Reader->Owner());
  }
  void ReaderAncestorNotFound(TReader* Reader, const String& Name, TClass ComponentClass,
                              TComponent*& Component) {
    FStreams.ReaderAncestorNotFound(Reader, Name, ComponentClass, Component);
  }
  void ReaderObjectError(TReader* Reader, const String& Message, bool& Handled) {
    FStreams.ReaderObjectError(Reader, Message, Handled);
  }
  void WriterFindAncestor(TWriter* Writer, TComponent* Component, const String& Name, TComponent*& Ancestor,
                          TComponent*& RootAncestor) {
    FStreams.WriterFindAncestor(Writer, Component, Name, Ancestor, RootAncestor);
  }

 private:
  // The update manager's hook: reached only through IUpdateManagerCallback, so that no
  // palette-style or designer call can pick it by its arguments.
  TComponent* CreateComponent(TClass ComponentClass, TComponent* Owner) override {
    return UpdateManagerCreateComponent(ComponentClass, Owner);
  }
  // Puts PropInfo of Instance back through the module's manager, else through every frame
  // manager that can; whether one could. RevertObject does so for every property of Instance
  // and of its nested objects.
  bool RevertProperty(TPersistent* Instance, PPropInfo PropInfo);
  bool RevertObject(TPersistent* Instance);
  // Frees the root component (and what hangs on it: its editor, the custom module).
  void DropRootComponent();
  void InternalInitializeDesigner(bool Resurrecting);
  void InternalDeinitializeDesigner(bool GoingDormant);

  TRootState FState;
  TRootLinks FLinks;
  TRootNames FNames;
  TRootSelection FSelection;
  TRootStreams FStreams;
  TRootCreation FCreation;
  TRootClipboard FClipboard;
  TRootLayout FLayout;
  TRootViews FViews;
  TRootInheritance FInheritance;
  TRootAlign FAlign;
  bool FShowNonVisual = true;
  String FRootBaseClass;
  String FRootName;
  TClass FRootClass = nullptr;
  TClass FCustomModuleClass = nullptr;
  IPtr<IInterface> FFormEditor;
  IPtr<IComponentEditor> FRootEditor;
  bool FModifiedFlag = false;
  bool FResurrecting = false;
  bool FClosed = false;
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

// The question a host asks before the revert command deletes components (the reverted
// component's name, the names of those that go).
inline constexpr const char* SAncestorDeleteWarning =
    "Reverting '%s' deletes all contained components not found in the ancestor and will delete the "
    "following: %s.  Continue?";

// For framework designers that keep new components out of embedded frame instances.
inline constexpr const char* SNoNewComponentsInFrame = "New components cannot be added to frame instances.";

}  // namespace formwright
