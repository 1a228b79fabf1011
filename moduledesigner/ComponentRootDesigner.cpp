// The designer interface of a module root: what editors ask of the module they edit.
#include "editors/DesignEditors.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

namespace {
inline constexpr const char* SNotAvailable = "%s is not available in this designer yet";
}

void TComponentRoot::Notification(TPersistent* AnObject, TOperation Operation) {
  if (Operation == opRemove) {
    FNameHints.clear();
    auto It = std::find(FSelection.begin(), FSelection.end(), AnObject);
    if (It != FSelection.end()) FSelection.erase(It);
    auto F = std::find(FModifiableFrames.begin(), FModifiableFrames.end(), AnObject);
    if (F != FModifiableFrames.end()) FModifiableFrames.erase(F);
    if (AnObject == FCurrentParent) FCurrentParent = nullptr;
    if (FUpdateManager) FUpdateManager->Notification(AnObject, Operation);
    DesignNotificationItemDeleted(GetDesigner(), AnObject);
  } else {
    if (!FUndeleting) FUndeleteStream.reset();
    DesignNotificationItemInserted(GetDesigner(), AnObject);
  }
}

void TComponentRoot::Activate() {
  if (FComponentDesigner) FComponentDesigner->RootActivated(IPtr<IRoot>(static_cast<IRoot*>(this)));
}

String TComponentRoot::GetPathAndBaseExeName() {
  IPtr<IDesignEnvironment> Env = FComponentDesigner ? FComponentDesigner->GetEnvironment() : nullptr;
  return Env ? Env->GetPathAndBaseExeName() : String();
}

String TComponentRoot::GetPrivateDirectory() {
  IPtr<IDesignEnvironment> Env = FComponentDesigner ? FComponentDesigner->GetEnvironment() : nullptr;
  return Env ? Env->GetPrivateDirectory() : String();
}

String TComponentRoot::GetProjectName() {
  const String Exe = GetPathAndBaseExeName();
  const size_t Slash = Exe.find_last_of("/\\");
  return Slash == String::npos ? Exe : Exe.substr(Slash + 1);
}

// ----- Selection ------------------------------------------------------------------------------

void TComponentRoot::GetSelections(const IPtr<IDesignerSelections>& List) {
  for (TComponent* C : FSelection) List->Add(C);
  if (FSelection.empty() && !FNoSelection && List->GetCount() == 0 && FRoot) List->Add(FRoot);
}

void TComponentRoot::SelectComponent(TPersistent* Instance) {
  auto* C = dynamic_cast<TComponent*>(Instance);
  if (!C) return;
  if (IPtr<IDesigner> Other = Supports<IDesigner>(C->FindRootDesigner());
      Other && Other->GetRoot() != FRoot) {
    Other->Activate();
    Other->SelectComponent(Instance);
    return;
  }
  FSelection.assign(1, C);
  FNoSelection = false;
}

void TComponentRoot::SelectComponent(const IPtr<IDesignObject>& ADesignObject) {
  if (IPtr<IDesignPersistent> P = Supports<IDesignPersistent>(ADesignObject))
    SelectComponent(P->GetPersistent());
}

void TComponentRoot::SetSelections(const IPtr<IDesignerSelections>& List) {
  FSelection.clear();
  for (int I = 0; List && I < List->GetCount(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(List->Get(I)))
      if (std::find(FSelection.begin(), FSelection.end(), C) == FSelection.end()) FSelection.push_back(C);
  if (!FSelection.empty()) FNoSelection = false;
}

void TComponentRoot::ClearSelection() {
  FSelection.clear();
  FNoSelection = false;
}

void TComponentRoot::NoSelection() {
  FSelection.clear();
  FNoSelection = true;
}

// ----- Components -----------------------------------------------------------------------------

TComponent* TComponentRoot::CreateComponent(TClass ComponentClass, TComponent* Owner) {
  if (IsProxyClass(ComponentClass))
    throw EComponentDesignerException(Format(SNotAvailable, "Embedding a designed frame"));
  return static_cast<TComponent*>(ComponentClass->Create<TComponent*>(Owner));
}

TComponent* TComponentRoot::CreateComponent(TComponentClass ComponentClass, TComponent* Parent, int Left,
                                            int Top, int Width, int Height) {
  throw EComponentDesignerException(Format(SNotAvailable, "Creating components"));
}

TComponent* TComponentRoot::CreateChild(TComponentClass ComponentClass, TComponent* Parent) {
  throw EComponentDesignerException(Format(SNotAvailable, "Creating components"));
}

bool TComponentRoot::IsComponentLinkable(TComponent* Component) { return Component != nullptr; }

bool TComponentRoot::IsComponentHidden(TComponent* Component) { return IsNoIconComponent(Component); }

void TComponentRoot::MakeComponentLinkable(TComponent* Component) {
  IPtr<IRoot> Other =
      FComponentDesigner ? FComponentDesigner->FindRootOf(Component ? Component->Owner() : nullptr) : nullptr;
  if (Other && FModule) FModule->AddImportedRoot(Other->GetRootName());
}

bool TComponentRoot::CanRevert(TPersistent* Instance, PPropInfo PropInfo) {
  return FUpdateManager && FUpdateManager->CanRevert(Instance, PropInfo);
}

void TComponentRoot::Revert(TPersistent* Instance, PPropInfo PropInfo) {
  if (FUpdateManager) FUpdateManager->Revert(Instance, PropInfo);
}

IPtr<IDesigner> TComponentRoot::GetAncestorDesigner() {
  return FAncestorRoot ? FAncestorRoot->GetDesigner() : nullptr;
}

void TComponentRoot::Edit(TComponent* Component) {
  if (IPtr<IComponentEditor> E = GetComponentEditor(Component, GetDesigner())) E->Edit();
}

void TComponentRoot::ChainCall(const String& MethodName, const String& InstanceName,
                               const String& InstanceMethod, PTypeData TypeData) {}

// ----- Clipboard and delete -------------------------------------------------------------------

void TComponentRoot::CopySelection() { throw EComponentDesignerException(Format(SNotAvailable, "Copy")); }

void TComponentRoot::CutSelection() { throw EComponentDesignerException(Format(SNotAvailable, "Cut")); }

bool TComponentRoot::CanPaste() { return false; }

void TComponentRoot::PasteSelection() { throw EComponentDesignerException(Format(SNotAvailable, "Paste")); }

void TComponentRoot::DeleteSelection(bool ADoAll) {
  throw EComponentDesignerException(Format(SNotAvailable, "Delete"));
}

// ----- Module -------------------------------------------------------------------------------

void TComponentRoot::ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) {
  FormFileName = FFileName;
  const size_t Dot = FFileName.find_last_of('.');
  ImplFileName = (Dot == String::npos ? FFileName : FFileName.substr(0, Dot)) + ".pas";
  IntfFileName = String();
}

TPersistentClass TComponentRoot::ActiveClassGroup() {
  TClass G = HostClassGroup();
  return G ? ClassGroupOf(G) : nullptr;
}

TComponent* TComponentRoot::FindRootAncestor(const String& ClassName) {
  return FindDesignedRootOfClass(FComponentDesigner, ClassName);
}

bool TComponentRoot::CanAdd(TComponentClass ComponentClass) {
  return !FCustomModule || FCustomModule->ValidateComponentClass(ComponentClass);
}

TComponent* TComponentRoot::GetCurrentParent() { return FCurrentParent ? FCurrentParent : FRoot; }

void TComponentRoot::SetCurrentParent(TComponent* AComponent) { FCurrentParent = AComponent; }

String TComponentRoot::GetDesignerExtension() { return String(); }

void TComponentRoot::GetUnits(const TGetStrProc& Proc) {
  for (int I = 0; I < FUnitList->Count(); ++I) Proc((*FUnitList)[I]);
}

IPtr<IInterface> TComponentRoot::FormFileOpen() {
  throw EComponentDesignerException(Format(SNotAvailable, "Opening the form file as a stream"));
}

}  // namespace formwright
