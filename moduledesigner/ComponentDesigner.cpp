#include "moduledesigner/ComponentDesigner.h"

#include <algorithm>

#include "editors/PropertyEditors.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

TComponentDesigner::TComponentDesigner(TClass FrameworkClass, IPtr<IDesignEnvironment> Environment,
                                       IPtr<IModuleFileSystem> FileSystem)
    : FFrameworkClass(FrameworkClass),
      FEnvironment(std::move(Environment)),
      FFileSystem(std::move(FileSystem)) {}

const THostQuestions& TComponentDesigner::GetQuestions() {
  return FEnvironment ? FEnvironment->GetQuestions() : FNoAnswers;
}

// ----- Root list ------------------------------------------------------------------------------

void TComponentDesigner::RootListAdd(const IPtr<IRoot>& Root) { FRoots.push_back(Root); }

void TComponentDesigner::RootListRemove(const IPtr<IRoot>& Root) {
  auto It = std::find(FRoots.begin(), FRoots.end(), Root);
  if (It != FRoots.end()) FRoots.erase(It);
  if (FActiveRoot == Root) {
    Designers()->RootGone(Root);
    FActiveRoot.Reset();
    UpdateSelections();
  }
}

void TComponentDesigner::RootActivated(const IPtr<IRoot>& Root) {
  if (Root) {
    auto It = std::find(FRoots.begin(), FRoots.end(), Root);
    if (It != FRoots.end()) FRoots.erase(It);
    FRoots.insert(FRoots.begin(), Root);
    UpdateSelections();
  } else {
    FActiveRoot.Reset();
  }
  HostRootActivated(Root);
  Designers()->DesignerActivated(IPtr<IComponentDesigner>(this));
}

void TComponentDesigner::RootGoingDormant(const IPtr<IRoot>& Root) {
  if (FActiveRoot == Root) FActiveRoot.Reset();
  UpdateSelections();
}

void TComponentDesigner::RootModified(const IPtr<IRoot>& Root) {
  if (Root && FActiveRoot == Root) {
    ActiveRootModifiedSink().Send(nullptr);
    HostActiveRootModified(Root);
  }
  if (Root) DesignNotificationItemsModified(Root->GetDesigner());
}

// ----- Finding roots --------------------------------------------------------------------------

IPtr<IRoot> TComponentDesigner::FindOwnRoot(const String& Name) {
  for (const auto& R : FRoots)
    if (SameText(R->GetRootName(), Name)) return R;
  return nullptr;
}

IPtr<IRoot> TComponentDesigner::FindOwnRootOf(TComponent* Component) {
  if (!Component) return nullptr;
  for (const auto& R : FRoots)
    if (R->GetRoot() == Component) return R;
  return nullptr;
}

IPtr<IRoot> TComponentDesigner::FindRoot(const String& Name) {
  if (IPtr<IRoot> R = FindOwnRoot(Name)) return R;
  IPtr<IRoot> Found;
  Designers()->ForEachDesigner([&](const IPtr<IComponentDesigner>& D) {
    if (D.Identity() == static_cast<IInterface*>(this)) return true;
    Found = D->FindOwnRoot(Name);
    return !Found;
  });
  return Found;
}

IPtr<IRoot> TComponentDesigner::FindRootOf(TComponent* Component) {
  if (IPtr<IRoot> R = FindOwnRootOf(Component)) return R;
  IPtr<IRoot> Found;
  Designers()->ForEachDesigner([&](const IPtr<IComponentDesigner>& D) {
    if (D.Identity() == static_cast<IInterface*>(this)) return true;
    Found = D->FindOwnRootOf(Component);
    return !Found;
  });
  return Found;
}

IPtr<IRoot> TComponentDesigner::OpenRootClass(const String& ClassName) {
  const String Name = !ClassName.empty() && ClassName[0] == 'T' ? ClassName.substr(1) : ClassName;
  IPtr<IRoot> R = FindRoot(Name);
  if (!R && FEnvironment && FEnvironment->OpenRootModule(Name)) R = FindRoot(Name);
  if (R && R->IsDormant()) R->Resurrect();
  return R;
}

IPtr<IRoot> TComponentDesigner::GetRoots(int Index) {
  if (Index < 0 || Index >= GetRootsCount()) throw EListError(Format(SListIndexError, Index));
  return FRoots[static_cast<size_t>(Index)];
}

void TComponentDesigner::GetRootNames(const TGetStrProc& Proc) {
  const auto Copy = FRoots;
  for (const auto& R : Copy) Proc(R->GetRootName());
}

// ----- Registrations --------------------------------------------------------------------------

bool TComponentDesigner::AcceptsClass(TClass AClass) {
  return AClass && (!FFrameworkClass || ClassGroupOf(AClass) == ClassGroupOf(FFrameworkClass) ||
                    ClassGroupOf(AClass) == TPersistent::StaticClass());
}

const TCustomModuleReg* TComponentDesigner::FindRegistration(const String& Name) {
  const auto& L = CustomModuleRegistrations();
  for (auto It = L.rbegin(); It != L.rend(); ++It)
    if (It->RootBaseClass->ClassNameIs(Name) && AcceptsClass(It->RootBaseClass)) return &*It;
  return nullptr;
}

String TComponentDesigner::FindBaseClass(const String& Name) {
  const TCustomModuleReg* R = Name.empty() ? nullptr : FindRegistration(Name);
  return R ? R->RootBaseClass->ClassName() : String("TForm");
}

TClass TComponentDesigner::FindCustomModuleClass(const String& Name) {
  const TCustomModuleReg* R = FindRegistration(Name);
  return R ? R->CustomModuleClass : nullptr;
}

TClass TComponentDesigner::FindRootBaseClass(const String& Name) {
  const TCustomModuleReg* R = FindRegistration(Name);
  return R ? R->RootBaseClass : nullptr;
}

bool TComponentDesigner::IsRootBaseClass(const String& Name) {
  return !Name.empty() && FindRegistration(Name) != nullptr;
}

bool TComponentDesigner::IsNestable(const String& Name) {
  TClass C = FindCustomModuleClass(Name);
  if (!C) return false;
  IPtr<ICustomModule> M = CreateCustomModule(C, nullptr, nullptr);
  return M && M->Nestable();
}

// ----- Selection ------------------------------------------------------------------------------

IPtr<IRoot> TComponentDesigner::RootBehind(const IPtr<IDesigner>& Designer) const {
  return Designer ? Supports<IRoot>(Designer) : nullptr;
}

void TComponentDesigner::SetSelection(const IPtr<IDesigner>& Designer, const IPtr<IInterface>& DesignWindow,
                                      const IPtr<IDesignerSelections>& Selection) {
  IPtr<IDesignerSelections> Sel = Selection && Selection->GetCount() > 0 ? Selection : nullptr;
  IPtr<IRoot> Root = RootBehind(Designer);
  const bool SameRoot = Root == FActiveRoot;
  const bool SameSelection = Sel == FSelection || (Sel && FSelection && Sel->Equals(FSelection));
  const bool Changed = !(SameRoot && bool(Root) && SameSelection);
  if (!SameRoot) {
    if (FActiveRoot) FActiveRoot->ActiveChanged(false);
    if (Root) Root->ActiveChanged(true);
  }
  IPtr<IDesignerSelections> Copy;
  if (Sel) {
    Copy = CreateSelectionList();
    for (int I = 0; I < Sel->GetCount(); ++I) Copy->Add(Sel->Get(I));
  }
  DesignNotificationSelectionChanged(Designer, Copy);
  FActiveRoot = Root;
  FEditHandler = Supports<IEditHandler>(DesignWindow);
  FSelection = Sel;
  if (Changed) HostSelectionChanged(Designer, Sel);
}

void TComponentDesigner::UpdateSelections() {
  if (FUpdatingSelections) return;
  TValueScope Updating(FUpdatingSelections, true);
  const auto Copy = FRoots;
  for (const auto& R : Copy) {
    if (!R->IsReady()) continue;
    IPtr<IDesigner> D = R->GetDesigner();
    IPtr<IDesignerSelections> List = CreateSelectionList();
    if (D) D->GetSelections(List);
    SetSelection(D, nullptr, List);
    return;
  }
  SetSelection(nullptr, nullptr, CreateSelectionList());
}

// ----- What the inspector shows ---------------------------------------------------------------

String TComponentDesigner::GetSelectionName() {
  if (!FSelection || FSelection->GetCount() != 1) return String();
  TPersistent* P = FSelection->Get(0);
  if (auto* C = dynamic_cast<TComponent*>(P)) return C->Name();
  return P ? P->GetNamePath() : String();
}

String TComponentDesigner::GetSelectionType() {
  if (!FSelection || FSelection->GetCount() == 0) return String();
  TClass C = FSelection->Get(0)->ClassType();
  for (int I = 1; I < FSelection->GetCount(); ++I)
    if (FSelection->Get(I)->ClassType() != C) return String();
  return C->ClassName();
}

TClass TComponentDesigner::GetFirstSelectionClass() {
  return FSelection && FSelection->GetCount() > 0 ? FSelection->Get(0)->ClassType() : nullptr;
}

PTypeInfo TComponentDesigner::GetFirstSelectionType() {
  TClass C = GetFirstSelectionClass();
  return C ? C->ClassInfo() : nullptr;
}

String TComponentDesigner::GetFirstSelectionUnit() {
  TClass C = GetFirstSelectionClass();
  return C ? C->UnitName() : String();
}

IPtr<IDesigner> TComponentDesigner::SelectionDesigner() const {
  return FActiveRoot ? FActiveRoot->GetDesigner() : nullptr;
}

void TComponentDesigner::GetProperties(TPropKind Kind, const TGetPropProc& Proc) {
  if (!FSelection || FSelection->GetCount() == 0) return;
  GetComponentProperties(FSelection, Kind == pkEvents ? tkMethods : tkProperties, SelectionDesigner(), Proc);
}

// ----- Forwarded to the roots -----------------------------------------------------------------

void TComponentDesigner::ShowWindows() {
  const auto Copy = FRoots;
  for (const auto& R : Copy) R->ShowWindow(true);
}

void TComponentDesigner::HideWindows() {
  const auto Copy = FRoots;
  for (const auto& R : Copy) R->ShowWindow(false);
}

void TComponentDesigner::CancelModes() {
  if (FActiveRoot) FActiveRoot->CancelModes();
}

IPtr<IEditHandler> TComponentDesigner::EditHandler() const {
  if (FEditHandler) return FEditHandler;
  return FActiveRoot ? Supports<IEditHandler>(FActiveRoot) : nullptr;
}

void TComponentDesigner::EditAction(TEditAction Action) {
  if (IPtr<IEditHandler> H = EditHandler()) H->EditAction(Action);
}

TEditState TComponentDesigner::GetEditState() {
  IPtr<IEditHandler> H = EditHandler();
  return H ? H->GetEditState() : TEditState();
}

void TComponentDesigner::CopySelectionToStream(TStream* Stream, TStrings* Units) {
  if (FActiveRoot) FActiveRoot->CopySelectionToStream(Stream, Units);
}

void TComponentDesigner::PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) {
  if (FActiveRoot) FActiveRoot->PasteSelectionFromStream(Stream, Parent, Rect);
}

void TComponentDesigner::ModalEditDone(const IPtr<IActivatable>& ReturnWindow) {
  if (FActiveRoot)
    FActiveRoot->ModalEditDone(ReturnWindow);
  else if (ReturnWindow)
    ReturnWindow->Activate();
}

// ----- All roots ------------------------------------------------------------------------------

void TComponentDesigner::DesignerOptionsChanged() {
  const auto Copy = FRoots;
  for (const auto& R : Copy) R->UpdateOptions();
}

void TComponentDesigner::RemoveDependenciesOn(TComponent* Component) {
  std::vector<IPtr<IRoot>> Plain, Inherited;
  for (const auto& R : FRoots) {
    IPtr<IInternalRoot> I = Supports<IInternalRoot>(R);
    (I && I->GetAncestorRoot() ? Inherited : Plain).push_back(R);
  }
  std::reverse(Inherited.begin(), Inherited.end());
  FRoots = Plain;
  FRoots.insert(FRoots.end(), Inherited.begin(), Inherited.end());
  const auto Order = FRoots;
  for (const auto& R : Order) R->ClearDependenciesOn(Component);
}

void TComponentDesigner::UpdateRootDependents() { UpdateDependentsOf(nullptr); }

void TComponentDesigner::UpdateDependentsOf(IRoot* Root) {
  const auto Own = FRoots;
  for (const auto& R : Own)
    if (R.Get() != Root) R->UpdateDependencies();
  Designers()->ForEachDesigner([this, Root](const IPtr<IComponentDesigner>& D) {
    if (D.Identity() != static_cast<IInterface*>(this))
      for (int I = 0; I < D->GetRootsCount(); ++I)
        if (IPtr<IRoot> R = D->GetRoots(I); R.Get() != Root) R->UpdateDependencies();
    return true;
  });
}

// ----- View roots -----------------------------------------------------------------------------

namespace {
// What every view root is opened with: the master's module and file system, its file and name.
TRootCreateInfo ViewRootInfo(IComponentDesigner* Designer, const IPtr<IDesignerModule>& Module,
                             const String& FileName, const String& ViewName,
                             const IPtr<IInternalRoot>& Master, const String& FileSystem) {
  TRootCreateInfo Info;
  Info.ComponentDesigner = IPtr<IComponentDesigner>(Designer);
  Info.Module = Module;
  Info.FileSystem = FileSystem;
  Info.FileName = FileName;
  Info.AncestorRoot = Master;
  Info.ViewName = ViewName;
  return Info;
}
}  // namespace

IPtr<IInternalRoot> TComponentDesigner::CreateViewRoot(const IPtr<IDesignerModule>& Module, TStream* Stream,
                                                       int64_t StreamTime, const String& FileName,
                                                       const String& ViewName,
                                                       const IPtr<IInternalRoot>& Master,
                                                       const String& FileSystem) {
  TRootCreateInfo Info = ViewRootInfo(this, Module, FileName, ViewName, Master, FileSystem);
  Info.Stream = Stream;
  Info.StreamTime = StreamTime;
  return HostOpenViewRoot(Info);
}

IPtr<IInternalRoot> TComponentDesigner::CreateNewViewRoot(const IPtr<IDesignerModule>& Module,
                                                          const String& RootName, const String& FileName,
                                                          const String& ViewName,
                                                          const IPtr<IInternalRoot>& Master,
                                                          const String& FileSystem, bool Existing) {
  TRootCreateInfo Info = ViewRootInfo(this, Module, FileName, ViewName, Master, FileSystem);
  Info.RootName = RootName;
  Info.AncestorName = Master ? Master->GetRootName() : String();
  Info.CreateNew = !Existing;
  return HostOpenViewRoot(Info);
}

IPtr<IInternalRoot> TComponentDesigner::HostOpenViewRoot(const TRootCreateInfo& Info) {
  IPtr<TComponentRoot> Root = OpenComponentRoot<TComponentRoot>(Info);
  return IPtr<IInternalRoot>(static_cast<IInternalRoot*>(Root.Get()));
}

}  // namespace formwright
