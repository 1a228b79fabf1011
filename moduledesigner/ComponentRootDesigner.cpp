// The designer interface of a module root: what editors ask of the module they edit.
#include "editors/DesignEditors.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

namespace {
inline constexpr const char* SNotAvailable = "%s is not available in this designer yet";
}

void TComponentRoot::Notification(TPersistent* AnObject, TOperation Operation) {
  if (Operation == opRemove)
    InstanceRemoved(AnObject);
  else
    InstanceInserted(AnObject);
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

// ----- Components -----------------------------------------------------------------------------

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
  if (IPtr<IComponentEditor> E = formwright::GetComponentEditor(Component, GetDesigner())) E->Edit();
}

void TComponentRoot::ChainCall(const String& MethodName, const String& InstanceName,
                               const String& InstanceMethod, PTypeData TypeData) {}

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

String TComponentRoot::GetDesignerExtension() { return String(); }

void TComponentRoot::GetUnits(const TGetStrProc& Proc) {
  for (int I = 0; I < FUnitList->Count(); ++I) Proc((*FUnitList)[I]);
}

IPtr<IInterface> TComponentRoot::FormFileOpen() {
  throw EComponentDesignerException(Format(SNotAvailable, "Opening the form file as a stream"));
}

}  // namespace formwright
