// A package that registers an editor, then a class whose name the framework has taken.
#include "contracts/PackageEntry.h"
#include "editors/StdPropEditors.h"
#include "platform/orx/Controls.h"

namespace taken {
using namespace formwright;

class TButton : public orx::TGraphicControl {
  FW_CLASS(TButton, orx::TGraphicControl)
 public:
  using orx::TGraphicControl::TGraphicControl;
};
FW_REGISTER_CLASS(TButton, "Taken")

void Register() {
  RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "Caption", TIntegerProperty::StaticClass());
  RegisterClass(TButton::StaticClass());
}
}  // namespace taken

FW_DESIGN_PACKAGE("Taken", taken::Register)
