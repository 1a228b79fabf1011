#include "moduledesigner/ComponentRoot.h"

#include "editors/DesignEditors.h"
#include "moduledesigner/ModuleRegistry.h"
#include "moduledesigner/OTAFormEditor.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TComponentRoot, "ComponentRoot")

namespace {
inline constexpr const char* SRootClassNotFound = "Root class not found: \"%s\"";

// The designer hook a root component carries. It refers to its module root without keeping it
// alive (the module root owns the component), and answers interface queries for it, so that
// FindRootDesigner of any designed component leads to the module's IDesigner.
class TRootHook : public TInterfacedObject, public IDesignerHook {
 public:
  explicit TRootHook(TComponentRoot* Root) : FRoot(Root) {}
  void Modified() override {
    if (FRoot) FRoot->Modified();
  }
  void Notification(TPersistent* AnObject, TOperation Operation) override {
    if (FRoot) FRoot->Notification(AnObject, Operation);
  }
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) override {
    if (FRoot) FRoot->ValidateRename(AComponent, CurName, NewName);
  }
  TComponent* GetRoot() override { return FRoot ? FRoot->GetRoot() : nullptr; }
  bool QueryInterface(const TGUID& IID, void** Obj) noexcept override {
    if (IID == IDesignerHook::IID() || IID == IDesignerNotify::IID())
      return TInterfacedObject::QueryInterface(IID, Obj);
    if (FRoot) {
      IDesigner* D = FRoot;
      return D->QueryInterface(IID, Obj);
    }
    return TInterfacedObject::QueryInterface(IID, Obj);
  }
  void Detach() noexcept { FRoot = nullptr; }

 private:
  TComponentRoot* FRoot;
};

void DetachHook(TComponent* Root) noexcept {
  if (!Root) return;
  if (auto* Hook = dynamic_cast<TRootHook*>(Root->Designer().Get())) Hook->Detach();
  Root->SetDesigner(nullptr);
}

// The state's links back to the root it describes.
TRootState& Describe(TRootState& State, TComponentRoot* Root) {
  State.Object = Root;
  State.Self = Root;
  State.Designer = Root;
  return State;
}

// The update manager's creation hook answers only through its interface: a call on a root with
// a class and an owner does not compile, so it can never be picked in place of a palette-style
// or designer creation.
template <class T>
concept TakesOwnerCreation = requires(T& Target, TClass ComponentClass, TComponent* Owner) {
  Target.CreateComponent(ComponentClass, Owner);
};
static_assert(TakesOwnerCreation<IUpdateManagerCallback>);
static_assert(!TakesOwnerCreation<TComponentRoot>);
}  // namespace

TComponentRoot::TComponentRoot()
    : FLinks(Describe(FState, this), *this),
      FNames(FState, FLinks),
      FSelection(FState, this),
      FStreams(
          FState, *this, FNames, FLinks,
          [this](TComponent* Root, TStream* S) { ReadObjectFromStream(Root, S); },
          [this](TClass C, TComponent* Owner) { return FCreation.FrameCreateComponent(C, Owner); }),
      FCreation(FState, *this, FSelection, FNames, FStreams, FLinks,
                [this](TComponent* Ancestor) { FInheritance.ValidateInheritence(Ancestor); }),
      FClipboard(FState, *this, FSelection, FNames, FStreams, FCreation,
                 [this](TPersistent* P) { InstanceRemoved(P); }),
      FLayout(FState, *this, FSelection),
      FViews(FState),
      FInheritance(FState, *this, FSelection),
      FAlign(FState, *this, FSelection, FLayout) {
  IPtr<TOTAFormEditor> Editor = MakeIntf<TOTAFormEditor>(this);
  FState.FormEditor = Editor.Get();
  FFormEditor = Editor;
}

TComponentRoot::~TComponentRoot() {
  // The form editor's notifiers hear of the end; the editor answers nothing about the module
  // from here on, since the root can no longer be referred to.
  if (TOTAFormEditor* Editor = std::exchange(FState.FormEditor, nullptr)) {
    Editor->Detach();
    Editor->NotifyDestruct();
  }
  // A root that was never closed still owns its component.
  if (FState.Root) {
    TComponent* R = std::exchange(FState.Root, nullptr);
    DetachHook(R);
    R->Free();
  }
}

// ----- Construction ---------------------------------------------------------------------------

void TComponentRoot::Create(const TRootCreateInfo& Info) {
  FState.ComponentDesigner = Info.ComponentDesigner;
  FState.DesignEnvironment = FState.ComponentDesigner ? FState.ComponentDesigner->GetEnvironment() : nullptr;
  FState.Module = Info.Module;
  FState.FileSystem = Info.FileSystem;
  FState.FileName = Info.FileName;
  FState.ViewName = Info.ViewName;
  FRootName = Info.RootName;
  FState.AncestorLoaded = true;
  TOwned<TStream> FileStream;
  TStream* S = nullptr;
  try {
    if (Info.CreateNew && !Info.Stream) {
      const String ClassName = Info.RootName.empty() ? String() : "T" + Info.RootName;
      const String AncestorClassName = Info.AncestorName.empty() ? String() : "T" + Info.AncestorName;
      CreateRootAs(ClassName, AncestorClassName, Info.AncestorRoot);
      if (!Info.RootName.empty()) FState.Root->SetName(Info.RootName);
      HostInitNewRoot(FState.Root, Info.RootName);
      IPtr<IDesignEnvironment> Env = FState.Environment();
      FStreams.Loaded(Env ? Env->GetCurrentTimeStamp() : 0);
    } else {
      if (Info.Stream) {
        S = Info.Stream;
        FStreams.Loaded(Info.StreamTime);
      } else {
        IPtr<IModuleFileSystem> Files = FState.ComponentDesigner->GetFileSystem();
        FileStream = Files->OpenFile(FState.FileSystem, FState.FileName);
        FStreams.Loaded(Files->FileAge(FState.FileSystem, FState.FileName));
        S = FileStream.get();
      }
      CreateFromStream(S, Info.AncestorRoot);
    }
    LoadDependentModules(FState.Root);
    InternalInitializeDesigner(false);
  } catch (...) {
    DropRootComponent();
    throw;
  }
  FStreams.Opened(S ? S->Size() : 0);
  UpdateOptions();
  LoadDependentModules(FState.Root);
}

void TComponentRoot::CreateFromStream(TStream* Stream, const IPtr<IInternalRoot>& AncestorRoot) {
  TGlobalLoadingScope Loading;
  TStream* S = FStreams.PrepareInputStream(Stream, true);
  TOwned<TStream> Converted(S != Stream ? S : nullptr);
  String ClassName, AncestorClassName;
  FStreams.GetCreateInfoFrom(S, ClassName, AncestorClassName, AncestorRoot);
  TComponent* Root = CreateRootAs(ClassName, AncestorClassName, AncestorRoot);
  ReadObjectFromStream(Root, S);
  ModifiedUpdateNotification();
  NotifyGlobalLoading();
}

void TComponentRoot::SetCreateInfo(const String& AncestorClassName, const IPtr<IInternalRoot>& AncestorRoot) {
  // A module woken from sleep needs its ancestor as it slept against it: closed meanwhile, the
  // ancestor's module is opened again (asleep, it is woken) through the designer manager. When
  // it cannot be had, the lookup below refuses and the module sleeps on unchanged.
  if (!AncestorRoot && FResurrecting && FState.ComponentDesigner && !AncestorClassName.empty() &&
      !FState.ComponentDesigner->IsRootBaseClass(AncestorClassName))
    FState.ComponentDesigner->OpenRootClass(AncestorClassName);
  FState.AncestorRoot = AncestorRoot ? AncestorRoot : FInheritance.FindAncestorRoot(AncestorClassName);
  FInheritance.WatchAncestor();
  if (FState.AncestorRoot) {
    FRootBaseClass = FState.AncestorRoot->GetRootBaseClass();
    FCustomModuleClass = FState.AncestorRoot->GetCustomModuleClass();
  } else {
    FRootBaseClass = FState.ComponentDesigner->FindBaseClass(AncestorClassName);
    FCustomModuleClass = FState.ComponentDesigner->FindCustomModuleClass(AncestorClassName);
  }
}

TClass TComponentRoot::GetRootClass() {
  if (!FRootClass) FRootClass = FState.ComponentDesigner->FindRootBaseClass(FRootBaseClass);
  if (!FRootClass) throw EComponentDesignerException(Format(SRootClassNotFound, FRootBaseClass));
  return FRootClass;
}

TComponent* TComponentRoot::CreateRootAs(const String& ClassName, const String& AncestorClassName,
                                         const IPtr<IInternalRoot>& AncestorRoot) {
  SetCreateInfo(AncestorClassName, AncestorRoot);
  if (FState.AncestorRoot) FInheritance.ValidateInheritence(FState.AncestorRoot->GetRoot());
  CreateRootInstance(ClassName);
  String Name = ClassName.size() > 1 ? ClassName.substr(1) : String();
  if (AncestorRoot && FState.AncestorRoot && FState.AncestorRoot->GetRoot() && FState.ViewName.empty()) {
    const String A = FState.AncestorRoot->GetRoot()->ClassName();
    Name = A.size() > 1 ? A.substr(1) : String();
  }
  // The stream read next sets the name stored there; a new module keeps this one.
  if (!Name.empty() && IsValidIdent(Name)) FState.Root->SetName(Name);
  return FState.Root;
}

TComponent* TComponentRoot::CreateRootInstance(const String& ClassName) {
  FStreams.ClearReadError();
  TClass RootClass = GetRootClass();
  TComponent* R = HostCreateRootInstance(RootClass);
  R->SetDesigning(true);
  R->SetDesignInstance(true);
  FState.Root = R;
  R->SetDesigner(MakeIntf<TRootHook>(this));
  if (FCustomModuleClass) FState.CustomModule = CreateCustomModule(FCustomModuleClass, R, GetDesigner());
  HostAfterCreate();
  const String UnitName = FState.Module ? FState.Module->GetUnitName() : String();
  if (FState.AncestorRoot && FState.AncestorRoot->GetRoot()) {
    TComponent* Ancestor = FState.AncestorRoot->GetRoot();
    CreateSubClass(R, ClassName.empty() ? Ancestor->ClassName() : ClassName, UnitName, Ancestor->ClassType());
    // The replay ends with the flag set again, whether it succeeds or not.
    TScopeExit Loaded([this] { FState.AncestorLoaded = true; });
    FState.AncestorLoaded = false;
    FStreams.ReplayModule(Ancestor, R);
    R->SetAncestor(true);
  } else {
    CreateSubClass(R, ClassName.empty() ? RootClass->ClassName() : ClassName, UnitName, RootClass);
  }
  return R;
}

void TComponentRoot::DropRootComponent() {
  FRootEditor.Reset();
  FState.CustomModule.Reset();
  if (FState.Root) {
    TComponent* R = std::exchange(FState.Root, nullptr);
    DetachHook(R);
    HostFreeRoot(R);
  }
  FLinks.ClearFrames();
  FRootClass = nullptr;
}

// ----- Designer set-up ------------------------------------------------------------------------

void TComponentRoot::InternalInitializeDesigner(bool Resurrecting) {
  FStreams.DesignerOpened();
  const IPtr<IInternalRoot>& Ancestor = FState.AncestorRoot;
  IPtr<IUpdateManager> AncestorManager = Ancestor ? Ancestor->GetUpdateManager() : nullptr;
  TComponent* AncestorComponent = Ancestor ? Ancestor->GetRoot() : nullptr;
  FState.UpdateManager = CreateUpdateManager(FState.Root, AncestorComponent, AncestorManager);
  FRootEditor = formwright::GetComponentEditor(FState.Root, GetDesigner());
  HostCreateDesignerWindow();
  if (FState.FormWindow) FState.FormWindow->DesignerOpening(Resurrecting);
  DesignNotificationDesignerOpened(GetDesigner(), Resurrecting);
  if (FState.FormWindow) FState.FormWindow->DesignerOpened(Resurrecting);
}

void TComponentRoot::InternalDeinitializeDesigner(bool GoingDormant) {
  TSelectionsUpdate Update(FSelection.List());
  FSelection.Reset();
  DesignNotificationDesignerClosed(GetDesigner(), GoingDormant);
  if (FState.Root) FRootName = FState.Root->Name();
  FInheritance.DropAll();
  if (FState.FormWindow) FState.FormWindow->Close();
  HostDestroyDesignerWindow();
  FState.Surface.Reset();
  FState.FormWindow.Reset();
  FRootEditor.Reset();
  FState.UpdateManager.Reset();
  FLinks.ClearFrameUpdateManagers();
  FStreams.ClearCachedStream();
  DropRootComponent();
}

void TComponentRoot::UpdateOptions() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  if (!Env) return;
  const TDesignerOptions Options = Env->GetDesignerOptions();
  FCreation.SetGrid(TPoint{Options.GridSizeX, Options.GridSizeY}, Options.SnapToGrid);
  if (FState.FormWindow) FState.FormWindow->OptionsChanged(Options);
  FStreams.SetDefaultFormat(Options.PFMFormat == 1);
  FShowNonVisual = Options.ShowNonVisualComponents;
}

void TComponentRoot::Command(TDesignCommand Command) {
  switch (Command) {
    case dmAlignToGrid:
      FAlign.AlignToGrid();
      break;
    case dmFlipAllChildren:
    case dmFlipSelectedChildren:
      FAlign.FlipChildren(Command == dmFlipSelectedChildren);
      break;
    case dmTextPFM:
      // The other form from the next save on; the module itself is unchanged until then.
      FStreams.SetTextFormat(!FStreams.IsTextFormat());
      Modified();
      break;
    case dmShowNonVisualComponents:
      FShowNonVisual = !FShowNonVisual;
      if (IPtr<IDesignEnvironment> Env = FState.Environment(); Env && FState.FormWindow) {
        TDesignerOptions Options = Env->GetDesignerOptions();
        Options.ShowNonVisualComponents = FShowNonVisual;
        FState.FormWindow->OptionsChanged(Options);
      }
      break;
    case dmViewAsText:
    case dmRevert:
      HostCommand(Command);
      break;
  }
}

// ----- Modification ---------------------------------------------------------------------------

void TComponentRoot::Modified() {
  FModifiedFlag = true;
  if (FState.FormEditor) FState.FormEditor->FormModified();
  if (FState.Module) {
    FState.Module->Modified();
    FState.Module->Notify(ncFormModified);
  }
  if (FState.ComponentDesigner)
    FState.ComponentDesigner->RootModified(IPtr<IRoot>(static_cast<IRoot*>(this)));
  ClearDependencies();
  if (FState.FormWindow) FState.FormWindow->BeforeModified();
  FStreams.Touch();
  FStreams.ClearCachedStream();
  if (!FState.SuppressUpdate) ModifiedUpdateNotification();
  if (FState.UpdateManager && !FState.SuppressUpdate) FState.UpdateManager->Modified();
  GlobalFixupReferences();
  if (FState.FormWindow) FState.FormWindow->AfterModified();
  if (IPtr<IRootViews> Master = Supports<IRootViews>(FViews.GetMasterView()))
    Master->ViewChanged(IPtr<IInternalRoot>(static_cast<IInternalRoot*>(this)));
}

void TComponentRoot::ModifiedUpdateNotification() {
  if (FState.UpdateManager) FState.UpdateManager->Modified();
  FLinks.FramesModified();
}

void TComponentRoot::Updated(const IPtr<IUpdateManager>& Manager) {
  FState.Updating = false;
  FStreams.ClearCachedStream();
  ClearDependencies();
  DesignNotificationDescendantUpdated(GetDesigner());
}

// ----- Changes to the module's persistents ------------------------------------------------------

void TComponentRoot::Notification(TPersistent* AnObject, TOperation Operation) {
  if (Operation == opRemove)
    InstanceRemoved(AnObject);
  else
    InstanceInserted(AnObject);
}

void TComponentRoot::InstanceInserted(TPersistent* Persistent) {
  FClipboard.InstanceInserted();
  // Every component a module reads passes here: the designer's reference is taken for the
  // notifications only when one listens.
  if (DesignNotificationCount() > 0) DesignNotificationItemInserted(GetDesigner(), Persistent);
  FSelection.SelectableChanged();
}

void TComponentRoot::InstanceRemoved(TPersistent* Persistent) {
  FNames.NamesChanged();
  FClipboard.InstanceRemoved(Persistent);
  if (FState.UpdateManager) FState.UpdateManager->Notification(Persistent, opRemove);
  FLinks.FramesNotification(Persistent, opRemove);
  FSelection.InstanceRemoved(Persistent);
  if (IPtr<IDesignEnvironment> Env = FState.Environment()) Env->ItemDeleted(GetDesigner(), Persistent);
  auto* C = dynamic_cast<TComponent*>(Persistent);
  if (FState.Surface && C && IsFrameInstance(C)) FState.Surface->DropItems(C);
  if (C) FLinks.UnlistFrames(C);
  FCreation.InstanceRemoved(Persistent);
  DesignNotificationItemDeleted(GetDesigner(), Persistent);
  FSelection.SelectableChanged();
}

void TComponentRoot::ClearDependenciesOn(TComponent* Component) {
  if (FInheritance.ClearDependenciesOn(Component)) Modified();
}

// ----- Dormancy and closing -------------------------------------------------------------------

void TComponentRoot::GoDormant() {
  if (IsDormant() || !FState.Root) return;
  FViews.ViewsGoDormant();
  FStreams.GoDormant();
  InternalDeinitializeDesigner(true);
  if (FState.ComponentDesigner)
    FState.ComponentDesigner->RootGoingDormant(IPtr<IRoot>(static_cast<IRoot*>(this)));
}

void TComponentRoot::Resurrect() {
  FStreams.ClearReadError();
  if (FResurrecting || FState.Closing || !IsDormant()) return;
  IPtr<IRoot> Keep(static_cast<IRoot*>(this));
  TValueScope Resurrecting(FResurrecting, true);
  try {
    CreateFromStream(FStreams.DormantStream(), nullptr);
    InternalInitializeDesigner(true);
  } catch (...) {
    // The module stays asleep exactly as it was.
    DropRootComponent();
    throw;
  }
  UpdateOptions();
  LoadDependentModules(FState.Root);
  ResurrectDependentModules(FState.Root);
  FStreams.Wake();
  if (FState.Module && !(FState.AncestorRoot && FState.AncestorRoot->GetModule() == FState.Module))
    FState.Module->Resurrected();
}

String TComponentRoot::GetDesignClassName() {
  Resurrect();
  if (StartsText("TFORM", FRootBaseClass) && FState.ComponentDesigner &&
      FState.ComponentDesigner->IsRootBaseClass(FRootBaseClass))
    return String();
  return FRootBaseClass;
}

void TComponentRoot::Close() {
  if (FClosed) return;
  IPtr<IRoot> Self(static_cast<IRoot*>(this));
  FState.Closing = true;
  FViews.CloseViews();
  if (FState.ComponentDesigner) FState.ComponentDesigner->RootClosing(Self);
  InternalDeinitializeDesigner(false);
  FClosed = true;
  FSelection.List()->Clear();
  FLinks.ClearFrameUpdateManagers();
  FStreams.Close();
  FClipboard.Close();
  FState.Closing = false;
  if (FState.ComponentDesigner) FState.ComponentDesigner->RootListRemove(Self);
}

// ----- Saving and views -----------------------------------------------------------------------

void TComponentRoot::Save() {
  FStreams.Save();
  FViews.SaveViews();
}

void TComponentRoot::ViewChanged(const IPtr<IInternalRoot>& View) { FModifiedFlag = true; }

void TComponentRoot::Rename(const String& NewFileName) {
  if (IPtr<IRootViews> Master = Supports<IRootViews>(FViews.GetMasterView()))
    return Master->Rename(NewFileName);
  // The new name keeps the form file's own extension: views are named after the form file.
  FState.FileName = NewFileName.substr(0, ExtensionPos(NewFileName)) +
                    FState.FileName.substr(ExtensionPos(FState.FileName));
  FViews.FileRenamed(FState.FileName);
}

// ----- Accessors ------------------------------------------------------------------------------

String TComponentRoot::GetRootName() { return FState.Root ? FState.Root->Name() : FRootName; }

String TComponentRoot::GetRootClassName() { return FState.Root ? FState.Root->ClassName() : String(); }

String TComponentRoot::GetAncestorName() {
  if (!FState.Root) return String();
  TClass P = FState.Root->ClassType()->ClassParent();
  return P ? P->ClassName() : String();
}

// ----- Questions ------------------------------------------------------------------------------

int TComponentRoot::HostReaderErrorQuestion(const String& Message) {
  const THostQuestions& Q = FState.ComponentDesigner->GetQuestions();
  return Q.ReaderError ? Q.ReaderError(Message, GetRootName()) : 1;
}

int TComponentRoot::HostAncestorNotFoundQuestion(String& Name, const String& AncestorName,
                                                 const String& Candidates, bool CanCreate) {
  const THostQuestions& Q = FState.ComponentDesigner->GetQuestions();
  return Q.AncestorNotFound ? Q.AncestorNotFound(Name, GetRootName(), AncestorName, Candidates, CanCreate)
                            : 3;
}

int TComponentRoot::HostFixupQuestion(const String& RootName, const String& MissingModule) {
  const THostQuestions& Q = FState.ComponentDesigner->GetQuestions();
  return Q.Fixup ? Q.Fixup(RootName, MissingModule) : 1;
}

bool TComponentRoot::HostFileChangedQuestion(const String& FileName) {
  const THostQuestions& Q = FState.ComponentDesigner->GetQuestions();
  return Q.FileChanged && Q.FileChanged(FileName);
}

void TComponentRoot::HostRedirectLinks(const String& MissingModule) {
  const THostQuestions& Q = FState.ComponentDesigner->GetQuestions();
  const String Target = Q.RedirectLinks ? Q.RedirectLinks(FState.Root, MissingModule) : String();
  if (Target.empty())
    RemoveFixupReferences(FState.Root, MissingModule);
  else
    RedirectFixupReferences(FState.Root, MissingModule, Target);
}

}  // namespace formwright
