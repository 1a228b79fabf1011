#include "moduledesigner/DesignPackage.h"

#include "editors/StdEditorReg.h"
#include "formdesigner/ControlGuidelines.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"

namespace formwright {

void StartDesignPackage(TDesignPackage& Package) {
  StartEditors(Package);
  InstallModuleRegistry(Package);
  Package.Hooks.GetTopLevelComponentFunc = &TopLevelDesignComponent;
  orx::RegisterOrxClasses();
  RegisterOrxGuidelines();
}

bool DesignPackageStarted(const TDesignPackage& Package) noexcept {
  return Package.Find<TModuleRegistry>() != nullptr;
}

namespace {
TDesignPackage* Reusable(TDesignPackageScope::TUse Use) noexcept {
  TDesignPackage* Current = CurrentDesignPackage();
  if (Use == TDesignPackageScope::puCurrentIfStarted && Current && DesignPackageStarted(*Current))
    return Current;
  return nullptr;
}
}  // namespace

TDesignPackageScope::TDesignPackageScope(TUse Use) : FPackage(Reusable(Use)) {
  if (FPackage) return;
  FPackage = &FOwned.emplace();
  StartDesignPackage(*FPackage);
}

}  // namespace formwright
