// The design package as one object: the registration hooks, the flags the editor framework
// reads, the current editor group, the host's services object and the registries, which live
// from the package's start to its end.
//
// Layering: the registration routines of DesignIntf sit in this layer, the registries above
// it (editors/, moduledesigner/). So the package object is declared here, holding the hook
// table and a list of services of any type; each registry is a service class of its own layer,
// added to the package by that layer and found again by its type. The layers above never
// reach a registry through a global of their own, only through the current package; a
// routine called while no package is current, or while its hook is unset, does nothing.
//
// A package becomes current when it is made and the package that was current before comes
// back when it goes, so packages nest like scopes: a test or a tool makes one for its run (the
// module designer's TDesignPackageScope makes one fully registered), and one made inside it
// is fresh and leaves the outer one as it was.
#pragma once

#include <memory>
#include <vector>

#include "contracts/DesignIntf.h"

namespace formwright {

// The hook variables behind the registration routines, named after the routines with `Proc`
// appended. Each starts empty; the unit behind it sets it when the package starts.
struct TDesignHooks {
  // Set by the editor registries.
  TRegisterPropertyEditorProc RegisterPropertyEditorProc = nullptr;
  TSetPropertyEditorGroupProc SetPropertyEditorGroupProc = nullptr;
  TRegisterPropertyMapperProc RegisterPropertyMapperProc = nullptr;
  TRegisterComponentEditorProc RegisterComponentEditorProc = nullptr;
  TRegisterSelectionEditorProc RegisterSelectionEditorProc = nullptr;
  TRegisterComponentGuidelines RegisterComponentGuidelinesProc = nullptr;
  // Set by the property categories.
  TRegisterPropertyInCategoryProc RegisterPropertyInCategoryProc = nullptr;
  // Set by the designer manager.
  TRegisterCustomModuleProc RegisterCustomModuleProc = nullptr;
  TRegisterDesignNotification RegisterDesignNotificationProc = nullptr;
  TRegisterDesignNotification UnregisterDesignNotificationProc = nullptr;
  // Answers the top-level component being designed (the active root's); set by the package.
  TGetTopLevelComponentFunc GetTopLevelComponentFunc = nullptr;
  // Set by the host IDE.
  TForceDemandLoadStateProc ForceDemandLoadStateProc = nullptr;
  TEnableDemandLoadReportProc EnableDemandLoadReportProc = nullptr;
  TRegisterDragTargetProc RegisterDragTargetProc = nullptr;
  TRegisterDesignDragObject RegisterDesignDragObjectProc = nullptr;
  TRegisterIDropTarget RegisterIDropTargetProc = nullptr;
};

// One registry or other state that lives as long as its package: owned by the package and freed
// with it (the newest service first).
class TPackageService {
 public:
  virtual ~TPackageService() = default;
};

// The package object. Making one makes it the current package; freeing it brings back the
// package that was current before (packages are freed in the reverse order of their making).
class TDesignPackage {
 public:
  TDesignPackage();
  virtual ~TDesignPackage();
  TDesignPackage(const TDesignPackage&) = delete;
  TDesignPackage& operator=(const TDesignPackage&) = delete;

  // The registration hooks; a host or a test may set the host's own and replace any.
  TDesignHooks Hooks;
  // The inspector lists read-only properties of simple types too (they show greyed).
  bool ShowReadOnlyProps = true;
  // Component references can be expanded in place in the inspector.
  bool ReferenceExpandable = true;
  // The editor group that registrations are stamped with (-1 before any group).
  int CurrentGroup = -1;
  // The host's services object (INTAServices, IOTAPaletteServices …); null while none is set.
  IPtr<IInterface> IDEServices;

  // Adds `Service`, which the package owns from now on, and returns it. At most one service of
  // a type: adding a second one of the same type raises EInvalidOperation.
  template <class T>
  T& AddService(std::unique_ptr<T> Service) {
    static_assert(std::is_base_of_v<TPackageService, T>);
    if (Find<T>()) throw EInvalidOperation(SDuplicateService);
    T& Result = *Service;
    FServices.push_back({&TypeKey<T>, std::move(Service)});
    return Result;
  }
  // The service of type `T` (exactly that type); null when the package has none.
  template <class T>
  T* Find() const noexcept {
    for (const TEntry& E : FServices)
      if (E.Key == &TypeKey<T>) return static_cast<T*>(E.Service.get());
    return nullptr;
  }

 private:
  static constexpr const char* SDuplicateService = "The package has a service of that type already";
  // One address per service type: the key a service is found by.
  template <class T>
  static inline const char TypeKey = 0;
  struct TEntry {
    const void* Key;
    std::unique_ptr<TPackageService> Service;
  };
  std::vector<TEntry> FServices;
  TDesignPackage* FOuter;
};

// The current package; null while none is made.
TDesignPackage* CurrentDesignPackage() noexcept;

// The service of type `T` of the current package; null when there is no package or it has no
// such service (a registry that does not exist behaves as an empty one).
template <class T>
T* CurrentPackageService() noexcept {
  TDesignPackage* P = CurrentDesignPackage();
  return P ? P->Find<T>() : nullptr;
}

// The flags of the current package (both true while there is none).
bool ShowReadOnlyProps() noexcept;
bool ReferenceExpandable() noexcept;

// The editor group of the current package that registrations are stamped with (-1 while
// there is no package or before any group). Setting it without a package does nothing.
int CurrentGroup() noexcept;
void SetCurrentGroup(int Group) noexcept;

}  // namespace formwright
