#include "moduledesigner/ModuleRegistry.h"

#include <algorithm>

#include "editors/DesignEditors.h"

namespace formwright {

namespace {

struct TModuleRegistry {
  bool Installed = false;
  std::vector<TCustomModuleReg> CustomModules;
  std::vector<TClass> NoIcons;
  std::vector<IPtr<IDesignNotification>> Notifications;
  std::vector<TInitializeDesignerProc> Initializers;
};

TModuleRegistry& Registry() {
  static TModuleRegistry R;
  return R;
}

void DoRegisterCustomModule(int Group, TComponentClass ComponentBaseClass,
                            TCustomModuleClass CustomModuleClass) {
  Registry().CustomModules.push_back({Group, CustomModuleClass, ComponentBaseClass});
  RegisterClass(ComponentBaseClass);
}

void DoRegisterDesignNotification(const IPtr<IDesignNotification>& N) {
  Registry().Notifications.push_back(N);
}

void DoUnregisterDesignNotification(const IPtr<IDesignNotification>& N) {
  auto& L = Registry().Notifications;
  for (size_t I = L.size(); I-- > 0;)
    if (L[I] == N) L.erase(L.begin() + static_cast<std::ptrdiff_t>(I));
}

void DropGroup(int Group) {
  auto& L = Registry().CustomModules;
  for (size_t I = L.size(); I-- > 0;)
    if (L[I].Group == Group) L.erase(L.begin() + static_cast<std::ptrdiff_t>(I));
}

// Calls Call on every listener supporting I, last registered first. The list may shrink
// during a call; the walk then goes on below the current position.
template <class I, class F>
void FanOut(const F& Call) {
  auto& L = Registry().Notifications;
  for (size_t Index = L.size(); Index-- > 0;) {
    if (Index >= L.size()) {
      if (L.empty()) break;
      Index = L.size() - 1;
    }
    IPtr<IDesignNotification> N = L[Index];  // keeps it alive through the call
    if (!N) continue;
    if constexpr (std::is_same_v<I, IDesignNotification>) {
      Call(N);
    } else if (IPtr<I> Typed = Supports<I>(N)) {
      Call(Typed);
    }
  }
}

class TStubCustomModule : public TInterfacedObject, public ICustomModule {
 public:
  TCustomModuleAttributes GetAttributes() override { return {}; }
  void ExecuteVerb(int) override {}
  String GetVerb(int) override { return String(); }
  int GetVerbCount() override { return 0; }
  void PrepareItem(int, const IPtr<IMenuItem>&) override {}
  void Saving() override {}
  void ValidateComponent(TComponent*) override {}
  bool ValidateComponentClass(TComponentClass) override { return false; }
  bool Nestable() override { return false; }
};

}  // namespace

void InitModuleRegistry() {
  TModuleRegistry& R = Registry();
  if (R.Installed) return;
  R.Installed = true;
  RegisterCustomModuleProc = &DoRegisterCustomModule;
  RegisterDesignNotificationProc = &DoRegisterDesignNotification;
  UnregisterDesignNotificationProc = &DoUnregisterDesignNotification;
  NotifyGroupChange(&DropGroup);
}

void DoneModuleRegistry() {
  TModuleRegistry& R = Registry();
  if (!R.Installed) return;
  UnnotifyGroupChange(&DropGroup);
  RegisterCustomModuleProc = nullptr;
  RegisterDesignNotificationProc = nullptr;
  UnregisterDesignNotificationProc = nullptr;
  R = TModuleRegistry();
}

const std::vector<TCustomModuleReg>& CustomModuleRegistrations() { return Registry().CustomModules; }

void RegisterNoIcon(std::initializer_list<TClass> Classes) {
  for (TClass C : Classes)
    if (std::find(Registry().NoIcons.begin(), Registry().NoIcons.end(), C) == Registry().NoIcons.end())
      Registry().NoIcons.push_back(C);
}

void UnregisterNoIcon(TClass AClass) {
  auto& L = Registry().NoIcons;
  L.erase(std::remove(L.begin(), L.end(), AClass), L.end());
}

bool IsNoIconComponent(const TComponent* Component) {
  if (!Component) return true;
  for (TClass C : Registry().NoIcons)
    if (Component->InheritsFrom(C)) return true;
  return false;
}

void RegisterInitializeDesigner(TInitializeDesignerProc Proc) {
  auto& L = Registry().Initializers;
  if (std::find(L.begin(), L.end(), Proc) == L.end()) L.push_back(Proc);
}

void InitializeDesigners(const IPtr<IDesignEnvironment>& Environment) {
  const auto Procs = Registry().Initializers;
  for (TInitializeDesignerProc P : Procs) P(Environment);
}

int DesignNotificationCount() { return static_cast<int>(Registry().Notifications.size()); }

void DesignNotificationItemDeleted(const IPtr<IDesigner>& D, TPersistent* Item) {
  FanOut<IDesignNotification>([&](const auto& N) { N->ItemDeleted(D, Item); });
}
void DesignNotificationItemInserted(const IPtr<IDesigner>& D, TPersistent* Item) {
  FanOut<IDesignNotification>([&](const auto& N) { N->ItemInserted(D, Item); });
}
void DesignNotificationItemsModified(const IPtr<IDesigner>& D) {
  FanOut<IDesignNotification>([&](const auto& N) { N->ItemsModified(D); });
}
void DesignNotificationSelectionChanged(const IPtr<IDesigner>& D, const IPtr<IDesignerSelections>& S) {
  FanOut<IDesignNotification>([&](const auto& N) { N->SelectionChanged(D, S); });
}
void DesignNotificationDesignerOpened(const IPtr<IDesigner>& D, bool Resurrecting) {
  FanOut<IDesignNotification>([&](const auto& N) { N->DesignerOpened(D, Resurrecting); });
}
void DesignNotificationDesignerClosed(const IPtr<IDesigner>& D, bool GoingDormant) {
  FanOut<IDesignNotification>([&](const auto& N) { N->DesignerClosed(D, GoingDormant); });
}
void DesignNotificationDescendantUpdated(const IPtr<IDesigner>& D) {
  FanOut<IDesignNotificationEx>([&](const auto& N) { N->DescendantUpdated(D); });
}
void DesignNotificationViewAdded(const IPtr<IDesigner>& D, const String& ViewName) {
  FanOut<IDesignNotificationViews>([&](const auto& N) { N->ViewAdded(D, ViewName); });
}
void DesignNotificationViewRemoved(const IPtr<IDesigner>& D, const String& ViewName) {
  FanOut<IDesignNotificationViews>([&](const auto& N) { N->ViewRemoved(D, ViewName); });
}

IPtr<ICustomModule> StubCustomModule() {
  static IPtr<ICustomModule> Stub = MakeIntf<TStubCustomModule>();
  return Stub;
}

}  // namespace formwright
