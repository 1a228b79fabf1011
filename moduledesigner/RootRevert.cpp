// Putting inherited values back: one property of a component (through the module's update
// manager, or the manager of the embedded frame the component belongs to), and the revert
// command over the selected inherited components.
#include <algorithm>

#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {
// Whether Component lies inside Container (through its parents, not its owners).
bool Contains(TComponent* Container, TComponent* Component) {
  for (TComponent* C = Component; C && C->HasParent();) {
    C = C->GetParentComponent();
    if (C == Container) return true;
  }
  return false;
}

String Names(const std::vector<TComponent*>& List) {
  String R;
  for (TComponent* C : List) R += (R.empty() ? "" : ", ") + C->Name();
  return R;
}
}  // namespace

bool TComponentRoot::CanRevert(TPersistent* Instance, PPropInfo PropInfo) {
  if (FState.UpdateManager && FState.UpdateManager->CanRevert(Instance, PropInfo)) return true;
  return FLinks.FramesCanRevert(Instance, PropInfo);
}

bool TComponentRoot::RevertProperty(TPersistent* Instance, PPropInfo PropInfo) {
  if (FState.UpdateManager && FState.UpdateManager->CanRevert(Instance, PropInfo)) {
    FState.UpdateManager->Revert(Instance, PropInfo);
    return true;
  }
  return FLinks.FramesRevert(Instance, PropInfo);
}

void TComponentRoot::Revert(TPersistent* Instance, PPropInfo PropInfo) {
  if (RevertProperty(Instance, PropInfo)) Modified();
}

bool TComponentRoot::RevertObject(TPersistent* Instance) {
  bool Reverted = false;
  for (PPropInfo PI : GetPropList(Instance->ClassType())) {
    // Nested objects (a font, margins) follow property by property.
    if (PI->Kind() == tkClass && PI->CanRead())
      if (auto* Sub = dynamic_cast<TPersistent*>(GetObjectProp(Instance, PI))) {
        auto* Component = dynamic_cast<TComponent*>(Sub);
        if (!Component || IsSubComponent(Component)) Reverted |= RevertObject(Sub);
      }
    Reverted |= RevertProperty(Instance, PI);
  }
  return Reverted;
}

bool TComponentRoot::RevertSelection(const std::function<bool(const String& Message)>& Confirm) {
  if (!CanRevert()) return false;
  std::vector<TComponent*> Targets;
  for (int I = 0; I < FSelection.Count(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(FSelection.Persistents(I));
        C && C->ComponentState().Contains(csAncestor))
      Targets.push_back(C);
  TComponent* Root = FState.Root;
  // Every question is answered before anything changes: a refusal leaves the module as it was.
  std::vector<TComponent*> Doomed;
  for (TComponent* Target : Targets) {
    std::vector<TComponent*> Introduced;
    for (int I = 0; I < Root->ComponentCount(); ++I) {
      TComponent* C = Root->Components(I);
      if (!C->ComponentState().Contains(csAncestor) && Contains(Target, C)) Introduced.push_back(C);
    }
    if (Introduced.empty()) continue;
    if (!Confirm || !Confirm(Format(SAncestorDeleteWarning, Target->Name(), Names(Introduced)))) return false;
    Doomed.insert(Doomed.end(), Introduced.begin(), Introduced.end());
  }
  bool Changed = !Doomed.empty();
  {
    // The group goes without update notifications; the module's one Modified follows.
    TValueScope Suppress(FState.SuppressUpdate, true);
    // A parent may free its children with it: each one still owned is freed, compared by
    // address only.
    for (auto It = Doomed.rbegin(); It != Doomed.rend(); ++It)
      if (std::find(Root->ComponentList().begin(), Root->ComponentList().end(), *It) !=
          Root->ComponentList().end())
        (*It)->Free();
  }
  for (TComponent* Target : Targets) {
    Changed |= RevertObject(Target);
    for (int I = 0; I < Root->ComponentCount(); ++I)
      if (TComponent* C = Root->Components(I); Contains(Target, C)) Changed |= RevertObject(C);
  }
  if (Changed) Modified();
  return Changed;
}

}  // namespace formwright
