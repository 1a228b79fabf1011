// How a custom module supplies the window its roots are designed in, when the root is not a
// window of its own (a data module, a windowed control that is not a form).
#pragma once

#include "contracts/EditorIntf.h"
#include "platform/orx/Forms.h"

namespace formwright {

// Implemented by a custom module whose roots need a window made by the package. The designer
// asks it once, when the module's designer window is made.
struct ICustomDesignForm : virtual IInterface {
  FW_INTERFACE(ICustomDesignForm, IInterface, "{5F0A7C31-4D6E-4B2A-9E11-7C0D00000601}")
  // Makes the window that shows `Root`, designed through `Designer`. `Form` receives the
  // window, which the caller owns from then on; `Container` the control in which the root's
  // components are shown (a control of the window, or the root itself placed into it).
  virtual void CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root,
                                  TOwned<orx::TCustomForm>& Form, orx::TWinControl*& Container) = 0;
};

// The same for a host IDE that makes the windows itself: `Form` receives the host's window
// (null when the host has none to offer) and `Container` the control inside it.
struct ICustomDesignForm80 : virtual ICustomDesignForm {
  FW_INTERFACE(ICustomDesignForm80, ICustomDesignForm, "{5F0A7C31-4D6E-4B2A-9E11-7C0D00000602}")
  virtual void CreateDesignerForm(const IPtr<IDesigner>& Designer, TComponent* Root, IPtr<IHostForm>& Form,
                                  orx::TWinControl*& Container) = 0;
  using ICustomDesignForm::CreateDesignerForm;
};

}  // namespace formwright
