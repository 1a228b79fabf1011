// Watchers of one module: an object that wants to hear when a module is renamed or closed
// registers an IOTAModuleNotifier on the module and keeps the index it gets back. A module
// offers this through IOTAModule beside its IDesignerModule; a module that does not simply has
// no watchers. TModuleNotifierList is the list a host's module can keep.
#pragma once

#include "contracts/HostIntf.h"
#include "moduledesigner/NotifierList.h"

namespace formwright {

// The notifier registry of a module.
struct IOTAModule : virtual IInterface {
  FW_INTERFACE(IOTAModule, IInterface, "{5E0B3D20-3102-4C6A-9F21-77AA00000201}")
  // Registers Notifier; the result identifies it for RemoveNotifier (never negative).
  virtual int AddNotifier(const IPtr<IOTAModuleNotifier>& Notifier) = 0;
  // Unregisters the notifier of that index; an unknown index does nothing.
  virtual void RemoveNotifier(int Index) = 0;
};

// The notifiers of one module, by index (see TNotifierList).
class TModuleNotifierList : public TNotifierList<IOTAModuleNotifier> {
 public:
  // Every notifier still registered hears that the module closed, newest first; each may
  // unregister itself meanwhile.
  void Closed() {
    ForEach([](const IPtr<IOTAModuleNotifier>& N) { N->ModuleClosed(); }, true);
    Clear();
  }
  void Renamed(const String& NewName) {
    ForEach([&](const IPtr<IOTAModuleNotifier>& N) { N->ModuleRenamed(NewName); }, true);
  }
};

}  // namespace formwright
