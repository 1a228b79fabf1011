// The default control queries of a module's host: our framework's controls answer them.
#include "moduledesigner/RootHost.h"
#include "platform/orx/Controls.h"

namespace formwright {

bool TRootHostOperations::HostIsControl(TPersistent* Persistent) {
  return dynamic_cast<orx::TControl*>(Persistent) != nullptr;
}

int TRootHostOperations::HostControlCount(TComponent* Component) {
  auto* Container = dynamic_cast<orx::TWinControl*>(Component);
  return Container ? Container->ControlCount() : 0;
}

TComponent* TRootHostOperations::HostControl(TComponent* Component, int Index) {
  auto* Container = dynamic_cast<orx::TWinControl*>(Component);
  return Container && Index >= 0 && Index < Container->ControlCount() ? Container->Controls(Index) : nullptr;
}

TComponent* TRootHostOperations::HostParentOf(TComponent* Component) {
  if (!Component) return nullptr;
  if (TComponent* Parent = Component->GetParentComponent()) return Parent;
  return Component->Owner();
}

}  // namespace formwright
