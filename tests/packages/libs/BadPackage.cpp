// Libraries that are bad design packages, one per definition given by tests/packages/CMakeLists.txt:
// BAD_NO_ENTRY exports no entry point, BAD_NEWER was built for a later package API version,
// BAD_RAISING raises after registering, BAD_TAKEN registers a class name the framework has taken,
// BAD_SAME_NAME calls itself "Gauges". Each registers an editor and a class before it fails.
#include "contracts/PackageEntry.h"
#include "editors/StdPropEditors.h"
#include "platform/orx/Controls.h"

namespace bad {
using namespace formwright;

class TDial : public orx::TGraphicControl {
  FW_CLASS(TDial, orx::TGraphicControl)
  using orx::TGraphicControl::TGraphicControl;
};
FW_REGISTER_CLASS(TDial, "Bad")
class TButton : public orx::TGraphicControl {
  FW_CLASS(TButton, orx::TGraphicControl)
  using orx::TGraphicControl::TGraphicControl;
};
FW_REGISTER_CLASS(TButton, "Bad")

void Register() {
  RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "", TIntegerProperty::StaticClass());
  RegisterClass(TDial::StaticClass());
  if (BAD_RAISING) throw EInvalidOperation("the dial needs a licence key");
  if (BAD_TAKEN) RegisterClass(TButton::StaticClass());
}
}  // namespace bad

#if !BAD_NO_ENTRY
extern "C" __attribute__((visibility("default"))) const formwright::TDesignPackageEntry*
FormwrightDesignPackage() {
  static const formwright::TDesignPackageEntry Entry{formwright::DesignPackageAPIVersion + BAD_NEWER,
                                                     BAD_SAME_NAME ? "Gauges" : "Dials", &bad::Register};
  return &Entry;
}
#endif
