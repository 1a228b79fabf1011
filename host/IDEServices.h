// The reference host's tools services: a main action list with the IDE's standard commands,
// palette contexts, a structure view that counts what it is told, environment options, and
// the open modules with their notifiers. Install it with InstallReferenceIDEServices.
#pragma once

#include <map>
#include <set>

#include "contracts/HostIntf.h"

namespace formwright {

namespace orx {
class TActionList;
}

class TReferenceIDEServices : public TInterfacedObject,
                              public INTAServices,
                              public IOTAPaletteServices,
                              public IOTAStructureView,
                              public IOTAServices,
                              public IOTAModuleServices {
 public:
  // The names of the commands the main action list holds.
  static const std::vector<String>& StandardActionNames();

  TReferenceIDEServices();
  ~TReferenceIDEServices() override;

  // INTAServices
  TComponent* FindAction(const String& Name) override;
  orx::TActionList* ActionList() const noexcept { return FActionList; }

  // IOTAPaletteServices: context changes made inside an update become visible at its end.
  void BeginUpdate() override { ++FPaletteUpdates; }
  void EndUpdate() override;
  void AddContext(const String& Context) override;
  void RemoveContext(const String& Context) override;
  bool ContextActive(const String& Context) override;
  // Number of finished palette updates that changed something.
  int PaletteChanges() const noexcept { return FPaletteChanges; }

  // IOTAStructureView
  void StructureChanged(bool Deferred) override { ++(Deferred ? FDeferredChanges : FStructureChanges); }
  void SelectionChanged() override { ++FSelectionChanges; }
  int StructureChanges() const noexcept { return FStructureChanges; }
  int DeferredStructureChanges() const noexcept { return FDeferredChanges; }
  int SelectionChanges() const noexcept { return FSelectionChanges; }

  // IOTAServices
  Variant GetEnvironmentOption(const String& Name) override;
  void SetEnvironmentOption(const String& Name, const Variant& Value);

  // IOTAModuleServices
  bool IsModuleOpen(const String& FileName) override;
  int AddNotifier(const String& FileName, const IPtr<IOTAModuleNotifier>& Notifier) override;
  void RemoveNotifier(int Index) override;
  void OpenModule(const String& FileName);
  // Closes the module and tells its notifiers (last added first).
  void CloseModule(const String& FileName);
  void RenameModule(const String& FileName, const String& NewName);

 private:
  void ContextsChanged();
  TOwned<TComponent> FActionOwner;
  orx::TActionList* FActionList = nullptr;
  int FPaletteUpdates = 0;
  int FPaletteChanges = 0;
  bool FPaletteDirty = false;
  std::set<String> FContexts;
  int FStructureChanges = 0;
  int FDeferredChanges = 0;
  int FSelectionChanges = 0;
  std::map<String, Variant> FOptions;
  std::set<String> FOpenModules;
  std::map<int, std::pair<String, IPtr<IOTAModuleNotifier>>> FNotifiers;
  int FNextNotifier = 0;
};

// Makes a new reference services object the current package's IDE services (VostrelIDEServices)
// and returns it; it goes with the package.
IPtr<TReferenceIDEServices> InstallReferenceIDEServices();

}  // namespace formwright
