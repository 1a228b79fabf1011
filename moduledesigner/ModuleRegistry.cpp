#include "moduledesigner/ModuleRegistry.h"

#include <algorithm>

#include "editors/DesignEditors.h"

namespace formwright {

namespace {

constexpr const char* SNoModuleRegistry = "The current package has no module registry";

// The registries of the current package; null when it has none.
TModuleRegistry* Registry() noexcept { return CurrentPackageService<TModuleRegistry>(); }

// The registries the hooks write to: the hooks are set only on a package that has them.
TModuleRegistry& Installed() {
  TModuleRegistry* R = Registry();
  if (!R) throw EInvalidOperation(SNoModuleRegistry);
  return *R;
}

void DoRegisterCustomModule(int Group, TComponentClass ComponentBaseClass,
                            TCustomModuleClass CustomModuleClass) {
  Installed().CustomModules.push_back({Group, CustomModuleClass, ComponentBaseClass});
  RegisterClass(ComponentBaseClass);
}

void DoRegisterDesignNotification(const IPtr<IDesignNotification>& N) {
  Installed().Notifications.push_back(N);
}

void DoUnregisterDesignNotification(const IPtr<IDesignNotification>& N) {
  auto& L = Installed().Notifications;
  for (size_t I = L.size(); I-- > 0;)
    if (L[I] == N) L.erase(L.begin() + static_cast<std::ptrdiff_t>(I));
}

void DropGroup(int Group) {
  TModuleRegistry* R = Registry();
  if (!R) return;
  auto& L = R->CustomModules;
  for (size_t I = L.size(); I-- > 0;)
    if (L[I].Group == Group) L.erase(L.begin() + static_cast<std::ptrdiff_t>(I));
}

// Calls Call on every listener supporting I, last registered first. The list may shrink
// during a call; the walk then goes on below the current position.
template <class I, class F>
void FanOut(const F& Call) {
  TModuleRegistry* R = Registry();
  if (!R) return;
  auto& L = R->Notifications;
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

TModuleRegistry& InstallModuleRegistry(TDesignPackage& Package) {
  TModuleRegistry& R = Package.AddService(std::make_unique<TModuleRegistry>());
  Package.Hooks.RegisterCustomModuleProc = &DoRegisterCustomModule;
  Package.Hooks.RegisterDesignNotificationProc = &DoRegisterDesignNotification;
  Package.Hooks.UnregisterDesignNotificationProc = &DoUnregisterDesignNotification;
  NotifyGroupChange(&DropGroup);
  return R;
}

std::span<const TCustomModuleReg> CustomModuleRegistrations() {
  const TModuleRegistry* R = Registry();
  return R ? std::span<const TCustomModuleReg>(R->CustomModules) : std::span<const TCustomModuleReg>();
}

void RegisterNoIcon(std::initializer_list<TClass> Classes) {
  TModuleRegistry* R = Registry();
  if (!R) return;
  for (TClass C : Classes)
    if (std::find(R->NoIcons.begin(), R->NoIcons.end(), C) == R->NoIcons.end()) R->NoIcons.push_back(C);
}

void UnregisterNoIcon(TClass AClass) {
  TModuleRegistry* R = Registry();
  if (!R) return;
  auto& L = R->NoIcons;
  L.erase(std::remove(L.begin(), L.end(), AClass), L.end());
}

bool IsNoIconComponent(const TComponent* Component) {
  if (!Component) return true;
  const TModuleRegistry* R = Registry();
  if (!R) return false;
  for (TClass C : R->NoIcons)
    if (Component->InheritsFrom(C)) return true;
  return false;
}

void RegisterInitializeDesigner(TInitializeDesignerProc Proc) {
  TModuleRegistry* R = Registry();
  if (!R) return;
  auto& L = R->Initializers;
  if (std::find(L.begin(), L.end(), Proc) == L.end()) L.push_back(Proc);
}

void InitializeDesigners(const IPtr<IDesignEnvironment>& Environment) {
  const TModuleRegistry* R = Registry();
  if (!R) return;
  const auto Procs = R->Initializers;
  for (TInitializeDesignerProc P : Procs) P(Environment);
}

int DesignNotificationCount() {
  const TModuleRegistry* R = Registry();
  return R ? static_cast<int>(R->Notifications.size()) : 0;
}

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
