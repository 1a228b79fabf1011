// The designer interface of a module root: what editors ask of the module they edit, and what
// the designer manager forwards to its window.
#include "editors/DesignEditors.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

void TComponentRoot::Activate() {
  if (FState.ComponentDesigner)
    FState.ComponentDesigner->RootActivated(IPtr<IRoot>(static_cast<IRoot*>(this)));
}

// ----- The designer window --------------------------------------------------------------------

void TComponentRoot::ShowWindow(bool Show) {
  if (FState.FormWindow) FState.FormWindow->ShowWindow(Show);
}

void TComponentRoot::CancelModes() {
  if (FState.FormWindow) FState.FormWindow->CancelModes();
}

void TComponentRoot::ModalEditDone(const IPtr<IActivatable>& ReturnWindow) {
  if (ReturnWindow)
    ReturnWindow->Activate();
  else if (FState.FormWindow)
    FState.FormWindow->Activate();
}

// ----- Environment questions, answered by the design environment unchanged ---------------------

String TComponentRoot::GetPathAndBaseExeName() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetPathAndBaseExeName() : String();
}

String TComponentRoot::GetPrivateDirectory() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetPrivateDirectory() : String();
}

String TComponentRoot::GetBaseRegKey() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetBaseRegKey() : String();
}

TCustomIniFile* TComponentRoot::GetIDEOptions() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetIDEOptions() : nullptr;
}

String TComponentRoot::GetAppDataDirectory() {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetAppDataDirectory() : String();
}

String TComponentRoot::GetProjectName() {
  const String Exe = GetPathAndBaseExeName();
  const size_t Slash = Exe.find_last_of("/\\");
  return Slash == String::npos ? Exe : Exe.substr(Slash + 1);
}

// ----- Components and events ------------------------------------------------------------------

TMethod TComponentRoot::CreateMethod(const String& Name, PTypeData TypeData) {
  return FNames.CreateMethod(Name, IPtr<IEventInfo>(MakeIntf<TEventInfo>(TypeData)));
}

void TComponentRoot::GetMethods(PTypeData TypeData, const TGetStrProc& Proc) {
  FNames.GetMethods(IPtr<IEventInfo>(MakeIntf<TEventInfo>(TypeData)), Proc);
}

void TComponentRoot::SelectComponent(const IPtr<IDesignObject>& ADesignObject) {
  if (IPtr<IDesignPersistent> P = Supports<IDesignPersistent>(ADesignObject))
    FSelection.SelectComponent(P->GetPersistent());
}

IPtr<IComponentEditor> TComponentRoot::GetComponentEditor(TComponent* Component) {
  return formwright::GetComponentEditor(Component, GetDesigner());
}

bool TComponentRoot::IsComponentHidden(TComponent* Component) { return IsNoIconComponent(Component); }

IPtr<IDesigner> TComponentRoot::GetAncestorDesigner() {
  return FState.AncestorRoot ? FState.AncestorRoot->GetDesigner() : nullptr;
}

void TComponentRoot::Edit(TComponent* Component) {
  if (IPtr<IComponentEditor> E = formwright::GetComponentEditor(Component, GetDesigner())) E->Edit();
}

// ----- Module ---------------------------------------------------------------------------------

void TComponentRoot::ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) {
  const String& FileName = FState.FileName;
  FormFileName = FileName;
  const size_t Dot = FileName.find_last_of('.');
  ImplFileName = (Dot == String::npos ? FileName : FileName.substr(0, Dot)) + ".pas";
  IntfFileName = String();
}

TPersistentClass TComponentRoot::ActiveClassGroup() {
  TClass G = HostClassGroup();
  return G ? ClassGroupOf(G) : nullptr;
}

TComponent* TComponentRoot::FindRootAncestor(const String& ClassName) {
  return FindDesignedRootOfClass(FState.ComponentDesigner, ClassName);
}

bool TComponentRoot::CanAdd(TComponentClass ComponentClass) {
  return !FState.CustomModule || FState.CustomModule->ValidateComponentClass(ComponentClass);
}

void TComponentRoot::GetUnits(const TGetStrProc& Proc) { FInheritance.GetUnits(GetDesigner(), Proc); }

}  // namespace formwright
