#include "moduledesigner/HostWindowModules.h"

#include "contracts/Package.h"
#include "editors/DataModuleEditors.h"
#include "moduledesigner/DataModuleForm.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/WinControlForm.h"

namespace formwright {

FW_REGISTER_CLASS(TDataModuleCustomModule, "HostWindowModules")
FW_REGISTER_CLASS(TWinControlCustomModule, "HostWindowModules")

using namespace orx;

namespace {
// The host's window maker for data modules: lives with the package.
struct THostFormCreatorService : TPackageService {
  TDataModuleHostFormCreator Creator;
};
}  // namespace

void RegisterDataModuleHostFormCreator(TDataModuleHostFormCreator Creator) {
  TDesignPackage* P = CurrentDesignPackage();
  if (!P) return;
  auto* S = P->Find<THostFormCreatorService>();
  if (!S) S = &P->AddService(std::make_unique<THostFormCreatorService>());
  S->Creator = std::move(Creator);
}

// ----- TDataModuleCustomModule ----------------------------------------------------------------

TClass TDataModuleCustomModule::DesignClass() { return TForm::StaticClass(); }

TCustomModuleAttributes TDataModuleCustomModule::GetAttributes() {
  return TCustomModule::GetAttributes() + TCustomModuleAttributes{cmaFloating};
}

TPersistentClass TDataModuleCustomModule::GetFinderClass() {
  // The module's own class group decides, once one was chosen; the framework's otherwise.
  if (auto* Module = As<TDataModule>(FRoot); Module && !Module->ClassGroup().empty())
    if (PTypeInfo T = FindTypeInfo(Module->ClassGroup(), Module->ClassType()); T && T->Kind == tkClass)
      return T->Data.ClassType;
  return TCustomModule::GetFinderClass();
}

bool TDataModuleCustomModule::IsInvalidClass(TClass ComponentClass) const {
  if (!ComponentClass) return false;
  for (TClass C : Designers()->InvalidDataModuleClasses())
    if (ComponentClass->InheritsFrom(C)) return true;
  return false;
}

bool TDataModuleCustomModule::ValidateComponentClass(TComponentClass ComponentClass) {
  return TCustomModule::ValidateComponentClass(ComponentClass) && !IsInvalidClass(ComponentClass);
}

void TDataModuleCustomModule::ValidateComponent(TComponent* Component) {
  if (Component && IsInvalidClass(Component->ClassType())) throw ENonAIRException(SControlsOnDataModule);
  TCustomModule::ValidateComponent(Component);
}

void TDataModuleCustomModule::CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root,
                                                 TOwned<TCustomForm>& Form, TWinControl*& Container) {
  auto* Window = new TDataModuleForm(Root, Designer);
  Form.reset(Window);
  Container = Window->Container();
}

void TDataModuleCustomModule::CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root,
                                                 IPtr<IHostForm>& Form, TWinControl*& Container) {
  Form = nullptr;
  Container = nullptr;
  if (auto* S = CurrentPackageService<THostFormCreatorService>(); S && S->Creator)
    S->Creator(Designer, Root, Form, Container);
}

// ----- TWinControlCustomModule ----------------------------------------------------------------

void TWinControlCustomModule::CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root,
                                                 TOwned<TCustomForm>& Form, TWinControl*& Container) {
  Form.reset();
  Container = As<TWinControl>(Root);
  if (!Container) return;
  Form.reset(new TWinControlForm(Container, Designer, GetAttributes().Contains(cmaVirtualSize)));
}

}  // namespace formwright
