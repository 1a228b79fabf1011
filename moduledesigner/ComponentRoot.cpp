#include "moduledesigner/ComponentRoot.h"

#include "editors/DesignEditors.h"
#include "moduledesigner/ModuleRegistry.h"
#include "moduledesigner/Renames.h"
#include "platform/runtime/ObjectText.h"

namespace formwright {

FW_REGISTER_CLASS(TComponentRoot, "ComponentRoot")

namespace {
inline constexpr const char* SRootClassNotFound = "Root class not found: \"%s\"";
inline constexpr const char* SSourceReadOnly = "Source is read-only";

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
}  // namespace

TComponentRoot::TComponentRoot()
    : FUnitList(std::make_unique<TStringList>()),
      FSelectionList(MakeIntf<TSimpleSelections>()),
      FSelections(
          std::make_unique<TSelections>(FSelectionList, [this](TSelections* S) { SelectionsChanged(S); })) {}

TComponentRoot::~TComponentRoot() {
  // A root that was never closed still owns its component.
  if (FRoot) {
    TComponent* R = std::exchange(FRoot, nullptr);
    DetachHook(R);
    R->Free();
  }
}

int64_t TComponentRoot::CurrentTimeStamp() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetCurrentTimeStamp() : 0;
}

// ----- Construction ---------------------------------------------------------------------------

void TComponentRoot::Create(const TRootCreateInfo& Info) {
  FComponentDesigner = Info.ComponentDesigner;
  FModule = Info.Module;
  FFileSystem = Info.FileSystem;
  FFileName = Info.FileName;
  FRootName = Info.RootName;
  FAncestorLoaded = true;
  TOwned<TStream> FileStream;
  TStream* S = nullptr;
  try {
    if (Info.CreateNew && !Info.Stream) {
      const String ClassName = Info.RootName.empty() ? String() : "T" + Info.RootName;
      const String AncestorClassName = Info.AncestorName.empty() ? String() : "T" + Info.AncestorName;
      CreateRootAs(ClassName, AncestorClassName, Info.AncestorRoot);
      if (!Info.RootName.empty()) FRoot->SetName(Info.RootName);
      HostInitNewRoot(FRoot, Info.RootName);
      FTimeAtLoad = CurrentTimeStamp();
    } else {
      if (Info.Stream) {
        S = Info.Stream;
        FTimeAtLoad = Info.StreamTime;
      } else {
        IPtr<IModuleFileSystem> Files = FComponentDesigner->GetFileSystem();
        FileStream = Files->OpenFile(FFileSystem, FFileName);
        FTimeAtLoad = Files->FileAge(FFileSystem, FFileName);
        S = FileStream.get();
      }
      CreateFromStream(S, Info.AncestorRoot);
    }
    InternalInitializeDesigner(false);
  } catch (...) {
    DropRootComponent();
    throw;
  }
  FSizeAtLoad = S ? S->Size() : 0;
  FModifyTime = FTimeAtLoad;
  UpdateOptions();
}

IPtr<IInternalRoot> TComponentRoot::FindAncestorRoot(const String& ClassName) {
  if (ClassName.empty() || !FComponentDesigner) return nullptr;
  for (int I = 0; I < FComponentDesigner->GetRootsCount(); ++I) {
    IPtr<IRoot> R = FComponentDesigner->GetRoots(I);
    if (R.Identity() == static_cast<IInterface*>(static_cast<IRoot*>(this))) continue;
    if (R->GetRoot() && SameText(R->GetRootClassName(), ClassName)) return Supports<IInternalRoot>(R);
  }
  return nullptr;
}

TComponent* FindDesignedRootOfClass(const IPtr<IComponentDesigner>& Designer, const String& ClassName) {
  if (!Designer) return nullptr;
  for (int I = 0; I < Designer->GetRootsCount(); ++I) {
    IPtr<IRoot> R = Designer->GetRoots(I);
    if (R->GetRoot() && SameText(R->GetRootClassName(), ClassName)) return R->GetRoot();
  }
  return nullptr;
}

void TComponentRoot::SetCreateInfo(const String& AncestorClassName, const IPtr<IInternalRoot>& AncestorRoot) {
  FAncestorRoot = AncestorRoot ? AncestorRoot : FindAncestorRoot(AncestorClassName);
  if (FAncestorRoot) {
    FRootBaseClass = FAncestorRoot->GetRootBaseClass();
    FCustomModuleClass = FAncestorRoot->GetCustomModuleClass();
  } else {
    FRootBaseClass = FComponentDesigner->FindBaseClass(AncestorClassName);
    FCustomModuleClass = FComponentDesigner->FindCustomModuleClass(AncestorClassName);
  }
}

TClass TComponentRoot::GetRootClass() {
  if (!FRootClass) FRootClass = FComponentDesigner->FindRootBaseClass(FRootBaseClass);
  if (!FRootClass) throw EComponentDesignerException(Format(SRootClassNotFound, FRootBaseClass));
  return FRootClass;
}

TComponent* TComponentRoot::HostCreateRootInstance(TClass RootClass) {
  return static_cast<TComponent*>(RootClass->Create<TComponent*>(nullptr));
}

void TComponentRoot::HostFreeRoot(TComponent* Root) { Root->Free(); }

TComponent* TComponentRoot::CreateRootAs(const String& ClassName, const String& AncestorClassName,
                                         const IPtr<IInternalRoot>& AncestorRoot) {
  SetCreateInfo(AncestorClassName, AncestorRoot);
  CreateRootInstance(ClassName);
  String Name = ClassName.size() > 1 ? ClassName.substr(1) : String();
  if (AncestorRoot && FAncestorRoot && FAncestorRoot->GetRoot()) {
    const String A = FAncestorRoot->GetRoot()->ClassName();
    Name = A.size() > 1 ? A.substr(1) : String();
  }
  // The stream read next sets the name stored there; a new module keeps this one.
  if (!Name.empty() && IsValidIdent(Name)) FRoot->SetName(Name);
  return FRoot;
}

TComponent* TComponentRoot::CreateRootInstance(const String& ClassName) {
  FReadError = false;
  TClass RootClass = GetRootClass();
  TComponent* R = HostCreateRootInstance(RootClass);
  R->SetDesigning(true);
  R->SetDesignInstance(true);
  FRoot = R;
  R->SetDesigner(MakeIntf<TRootHook>(this));
  if (FCustomModuleClass) FCustomModule = CreateCustomModule(FCustomModuleClass, R, GetDesigner());
  HostAfterCreate();
  const String UnitName = FModule ? FModule->GetUnitName() : String();
  if (FAncestorRoot && FAncestorRoot->GetRoot()) {
    TComponent* Ancestor = FAncestorRoot->GetRoot();
    CreateSubClass(R, ClassName.empty() ? Ancestor->ClassName() : ClassName, UnitName, Ancestor->ClassType());
    FAncestorLoaded = false;
    struct TRestore {
      bool& Flag;
      ~TRestore() { Flag = true; }
    } Restore{FAncestorLoaded};
    ReplayModule(Ancestor, R);
    R->SetAncestor(true);
  } else {
    CreateSubClass(R, ClassName.empty() ? RootClass->ClassName() : ClassName, UnitName, RootClass);
  }
  return R;
}

void TComponentRoot::DropRootComponent() {
  FRootEditor.Reset();
  FCustomModule.Reset();
  if (FRoot) {
    TComponent* R = std::exchange(FRoot, nullptr);
    DetachHook(R);
    HostFreeRoot(R);
  }
  FModifiableFrames.clear();
  FRootClass = nullptr;
}

void TComponentRoot::ReplayModule(TComponent* Source, TComponent* Target) {
  TMemoryStream Image;
  {
    TWriter W(&Image, 4096);
    W.OnFindAncestor = [this](TWriter* Wr, TComponent* C, const String& N, TComponent*& A, TComponent*& RA) {
      WriterFindAncestor(Wr, C, N, A, RA);
    };
    W.WriteDescendent(Source, nullptr);
  }
  Image.SetPosition(0);
  ReadObjectFromStream(Target, &Image);
}

// ----- Designer set-up ------------------------------------------------------------------------

void TComponentRoot::InternalInitializeDesigner(bool Resurrecting) {
  FModifyTime = FReadError ? CurrentTimeStamp() : FTimeAtLoad;
  IPtr<IUpdateManager> AncestorManager = FAncestorRoot ? FAncestorRoot->GetUpdateManager() : nullptr;
  TComponent* AncestorComponent = FAncestorRoot ? FAncestorRoot->GetRoot() : nullptr;
  FUpdateManager = CreateUpdateManager(FRoot, AncestorComponent, AncestorManager);
  FRootEditor = formwright::GetComponentEditor(FRoot, GetDesigner());
  HostCreateDesignerWindow();
  if (FFormWindow) FFormWindow->DesignerOpening(Resurrecting);
  DesignNotificationDesignerOpened(GetDesigner(), Resurrecting);
  if (FFormWindow) FFormWindow->DesignerOpened(Resurrecting);
}

void TComponentRoot::InternalDeinitializeDesigner(bool GoingDormant) {
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  FMarked.clear();
  FPlainItems.clear();
  DesignNotificationDesignerClosed(GetDesigner(), GoingDormant);
  if (FRoot) FRootName = FRoot->Name();
  ClearDependencies();
  if (FFormWindow) FFormWindow->Close();
  HostDestroyDesignerWindow();
  FSurface.Reset();
  FFormWindow.Reset();
  FRootEditor.Reset();
  FUpdateManager.Reset();
  FFrameUpdateManagers.clear();
  FCachedStream.reset();
  DropRootComponent();
}

void TComponentRoot::UpdateOptions() {
  IPtr<IDesignEnvironment> Env = Environment();
  if (!Env) return;
  const TDesignerOptions Options = Env->GetDesignerOptions();
  FGridSize = TPoint{Options.GridSizeX, Options.GridSizeY};
  FSnapToGrid = Options.SnapToGrid;
  if (FFormWindow) FFormWindow->OptionsChanged(Options);
  if (FStreamFormat == 0) FTextFormat = Options.PFMFormat == 1;
}

// ----- Modification ---------------------------------------------------------------------------

void TComponentRoot::Modified() {
  FModifiedFlag = true;
  if (FModule) {
    FModule->Modified();
    FModule->Notify(ncFormModified);
  }
  if (FComponentDesigner) FComponentDesigner->RootModified(IPtr<IRoot>(static_cast<IRoot*>(this)));
  ClearDependencies();
  if (FFormWindow) FFormWindow->BeforeModified();
  FModifyTime = CurrentTimeStamp();
  FCachedStream.reset();
  if (!FSuppressUpdate) ModifiedUpdateNotification();
  if (FUpdateManager && !FSuppressUpdate) FUpdateManager->Modified();
  GlobalFixupReferences();
  if (FFormWindow) FFormWindow->AfterModified();
}

void TComponentRoot::ModifiedUpdateNotification() {
  if (FUpdateManager) FUpdateManager->Modified();
  for (const auto& M : FFrameUpdateManagers) M->Modified();
}

bool TComponentRoot::CanModify() { return !(FModule && FModule->IsSourceReadOnly()); }

bool TComponentRoot::IsSourceReadOnly() { return FModule && FModule->IsSourceReadOnly(); }

void TComponentRoot::ValidateModification() {
  if (IsSourceReadOnly()) throw EComponentDesignerException(SSourceReadOnly);
  if (FModule && !FModule->MakeSourceWritable()) throw EComponentDesignerException(SSourceReadOnly);
}

void TComponentRoot::LoadingFormModified() {
  if (IPtr<IDesignerLoadingFormModified> L = Supports<IDesignerLoadingFormModified>(FModule))
    L->LoadingFormModified();
}

// ----- Dormancy and closing -------------------------------------------------------------------

void TComponentRoot::GoDormant() {
  if (IsDormant() || !FRoot) return;
  GetRootStream();
  FDormantStream = std::move(FCachedStream);
  InternalDeinitializeDesigner(true);
  if (FComponentDesigner) FComponentDesigner->RootGoingDormant(IPtr<IRoot>(static_cast<IRoot*>(this)));
}

void TComponentRoot::Resurrect() {
  FReadError = false;
  if (FResurrecting || FClosing || !IsDormant()) return;
  IPtr<IRoot> Keep(static_cast<IRoot*>(this));
  FResurrecting = true;
  struct TRestore {
    bool& Flag;
    ~TRestore() { Flag = false; }
  } Restore{FResurrecting};
  FDormantStream->SetPosition(0);
  try {
    CreateFromStream(FDormantStream.get(), nullptr);
    InternalInitializeDesigner(true);
  } catch (...) {
    // The module stays asleep exactly as it was.
    DropRootComponent();
    throw;
  }
  UpdateOptions();
  FDormantStream.reset();
  if (FModule && !(FAncestorRoot && FAncestorRoot->GetModule() == FModule)) FModule->Resurrected();
}

String TComponentRoot::GetDesignClassName() {
  Resurrect();
  if (StartsText("TFORM", FRootBaseClass) && FComponentDesigner &&
      FComponentDesigner->IsRootBaseClass(FRootBaseClass))
    return String();
  return FRootBaseClass;
}

void TComponentRoot::Close() {
  if (FClosed) return;
  IPtr<IRoot> Self(static_cast<IRoot*>(this));
  FClosing = true;
  FViews.clear();
  if (FComponentDesigner) FComponentDesigner->RootClosing(Self);
  InternalDeinitializeDesigner(false);
  FClosed = true;
  FSelectionList->Clear();
  FFrameUpdateManagers.clear();
  FDormantStream.reset();
  FUndeleteStream.reset();
  FClosing = false;
  if (FComponentDesigner) FComponentDesigner->RootListRemove(Self);
}

// ----- Accessors ------------------------------------------------------------------------------

String TComponentRoot::GetRootName() { return FRoot ? FRoot->Name() : FRootName; }

String TComponentRoot::GetRootClassName() { return FRoot ? FRoot->ClassName() : String(); }

String TComponentRoot::GetAncestorName() {
  if (!FRoot) return String();
  TClass P = FRoot->ClassType()->ClassParent();
  return P ? P->ClassName() : String();
}

bool TComponentRoot::IsFrame(TComponent* Component) const {
  return Component && Component->ComponentState().Contains(csInline);
}

bool TComponentRoot::ModifiableFrame(TComponent* Component) const {
  return std::find(FModifiableFrames.begin(), FModifiableFrames.end(), Component) != FModifiableFrames.end();
}

// ----- Questions ------------------------------------------------------------------------------

int TComponentRoot::HostReaderErrorQuestion(const String& Message) {
  const THostQuestions& Q = FComponentDesigner->GetQuestions();
  return Q.ReaderError ? Q.ReaderError(Message, GetRootName()) : 1;
}

int TComponentRoot::HostAncestorNotFoundQuestion(String& Name, const String& AncestorName,
                                                 const String& Candidates) {
  const THostQuestions& Q = FComponentDesigner->GetQuestions();
  return Q.AncestorNotFound ? Q.AncestorNotFound(Name, AncestorName, Candidates) : 3;
}

int TComponentRoot::HostFixupQuestion(const String& RootName, const String& MissingModule) {
  const THostQuestions& Q = FComponentDesigner->GetQuestions();
  return Q.Fixup ? Q.Fixup(RootName, MissingModule) : 1;
}

bool TComponentRoot::HostFileChangedQuestion(const String& FileName) {
  const THostQuestions& Q = FComponentDesigner->GetQuestions();
  return Q.FileChanged && Q.FileChanged(FileName);
}

void TComponentRoot::HostRedirectLinks(const String& MissingModule) {
  const THostQuestions& Q = FComponentDesigner->GetQuestions();
  const String Target = Q.RedirectLinks ? Q.RedirectLinks(FRoot, MissingModule) : String();
  if (Target.empty())
    RemoveFixupReferences(FRoot, MissingModule);
  else
    RedirectFixupReferences(FRoot, MissingModule, Target);
}

}  // namespace formwright
