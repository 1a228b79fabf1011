#include "moduledesigner/DesignPackage.h"

#include "editors/CompEditors.h"
#include "editors/DesignEditors.h"
#include "editors/StdEditorReg.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"

namespace formwright {

namespace {
bool& Started() {
  static bool S = false;
  return S;
}
}  // namespace

void InitDesignPackage() {
  if (Started()) return;
  InitDesignEditors();
  InitStdPropertyEditors();
  InitCompEditors();
  InitModuleRegistry();
  orx::RegisterOrxClasses();
  GetTopLevelComponentFunc = &TopLevelDesignComponent;
  Started() = true;
}

void DoneDesignPackage() {
  if (!Started()) return;
  Started() = false;
  if (GetTopLevelComponentFunc == &TopLevelDesignComponent) GetTopLevelComponentFunc = nullptr;
  DoneDesigners();
  DoneModuleRegistry();
  DoneCompEditors();
  DoneStdPropertyEditors();
  DoneDesignEditors();
}

}  // namespace formwright
