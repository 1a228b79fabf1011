// Watchers of one module: an object that wants to hear when a module is renamed or closed
// registers an IOTAModuleNotifier on the module and keeps the index it gets back. A module
// offers this through IOTAModule beside its IDesignerModule; a module that does not simply has
// no watchers. TModuleNotifierList is the list a host's module can keep.
#pragma once

#include <vector>

#include "contracts/HostIntf.h"

namespace formwright {

// The notifier registry of a module.
struct IOTAModule : virtual IInterface {
  FW_INTERFACE(IOTAModule, IInterface, "{5E0B3D20-3102-4C6A-9F21-77AA00000201}")
  // Registers Notifier; the result identifies it for RemoveNotifier (never negative).
  virtual int AddNotifier(const IPtr<IOTAModuleNotifier>& Notifier) = 0;
  // Unregisters the notifier of that index; an unknown index does nothing.
  virtual void RemoveNotifier(int Index) = 0;
};

// The notifiers of one module, by index. Indexes are never reused, so a stale index cannot
// remove someone else's notifier.
class TModuleNotifierList {
 public:
  int Add(const IPtr<IOTAModuleNotifier>& Notifier) {
    FItems.push_back(Notifier);
    return static_cast<int>(FItems.size()) - 1;
  }
  void Remove(int Index) {
    if (Index >= 0 && Index < static_cast<int>(FItems.size())) FItems[static_cast<size_t>(Index)].Reset();
  }
  // Every notifier still registered hears that the module closed, newest first; each may
  // unregister itself meanwhile.
  void Closed() {
    for (size_t I = FItems.size(); I-- > 0;)
      if (IPtr<IOTAModuleNotifier> N = FItems[I]) N->ModuleClosed();
    FItems.clear();
  }
  void Renamed(const String& NewName) {
    for (size_t I = FItems.size(); I-- > 0;)
      if (IPtr<IOTAModuleNotifier> N = FItems[I]) N->ModuleRenamed(NewName);
  }
  int Count() const {
    int N = 0;
    for (const auto& I : FItems) N += I ? 1 : 0;
    return N;
  }

 private:
  std::vector<IPtr<IOTAModuleNotifier>> FItems;
};

}  // namespace formwright
