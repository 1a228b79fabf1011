// The custom modules whose roots are designed in a window the package supplies: data modules
// (TDataModuleForm) and windowed controls that are not forms (TWinControlForm).
#pragma once

#include <functional>

#include "editors/CustomDesignForm.h"
#include "editors/CustomModules.h"

namespace formwright {

inline constexpr const char* SControlsOnDataModule = "Controls cannot be added to a data module";

// Makes the window of a data module in a host IDE that has windows of its own: `Form`
// receives the host's window (null for none) and `Container` the control in it.
using TDataModuleHostFormCreator = std::function<void(const IPtr<IDesigner>& Designer, TComponent* Root,
                                                      IPtr<IHostForm>& Form, orx::TWinControl*& Container)>;
// Registers the host's creator with the current package (an empty one removes it); nothing
// happens without a current package.
void RegisterDataModuleHostFormCreator(TDataModuleHostFormCreator Creator);

// The custom module of data modules: they float in a window of their own and hold no
// controls.
class TDataModuleCustomModule : public TCustomModule, public virtual ICustomDesignForm80 {
  FW_CLASS(TDataModuleCustomModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TDataModuleCustomModule>& C) { DeclareEditorFactory(C); }

  // The framework's form class.
  TClass DesignClass() override;
  // The inherited attributes and cmaFloating.
  TCustomModuleAttributes GetAttributes() override;
  // The class the module's ClassGroup names, when it has one that is known; otherwise the
  // inherited answer.
  TPersistentClass GetFinderClass() override;
  // The inherited check, and false for a class that inherits from one of the classes the
  // designer managers hold invalid on data modules.
  bool ValidateComponentClass(TComponentClass ComponentClass) override;
  // Raises ENonAIRException "Controls cannot be added to a data module" for a component of
  // such a class; otherwise the inherited check.
  void ValidateComponent(TComponent* Component) override;

  // A new TDataModuleForm for `Root`; the container is its component container.
  void CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root, TOwned<orx::TCustomForm>& Form,
                          orx::TWinControl*& Container) override;
  // The host's window, from the creator the host registered; without one, nothing (Form null,
  // Container null).
  void CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root, IPtr<IHostForm>& Form,
                          orx::TWinControl*& Container) override;

 private:
  bool IsInvalidClass(TClass ComponentClass) const;
};

// The custom module of roots that are windowed controls but not forms: they are designed in
// a TWinControlForm, which shows sizers when the module's attributes contain cmaVirtualSize.
class TWinControlCustomModule : public TCustomModule, public virtual ICustomDesignForm {
  FW_CLASS(TWinControlCustomModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TWinControlCustomModule>& C) { DeclareEditorFactory(C); }

  // The window is a new TWinControlForm; the container is the root itself, placed into it.
  // A root that is not a windowed control gets no window.
  void CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root, TOwned<orx::TCustomForm>& Form,
                          orx::TWinControl*& Container) override;
};

}  // namespace formwright
