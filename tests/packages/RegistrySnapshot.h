// What a design package can leave behind, counted: every editor registry of the current package
// and the class registry. Equal snapshots before loading and after unloading (or a refused load)
// mean the package left nothing.
#pragma once

#include <ostream>
#include <vector>

#include "editors/EditorRegistries.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/ClassRegistry.h"

namespace formwright::testing {

struct TRegistrySnapshot {
  size_t PropertyEditors = 0, Mappers = 0, ComponentEditors = 0, SelectionEditors = 0, Guidelines = 0,
         CustomModules = 0;
  std::vector<TClass> Classes;

  static TRegistrySnapshot Take() {
    TRegistrySnapshot S;
    if (const auto* R = CurrentPackageService<TEditorRegistries>()) {
      S.PropertyEditors = R->PropertyEditors.size();
      S.Mappers = R->Mappers.size();
      S.ComponentEditors = R->ComponentEditors.size();
      S.SelectionEditors = R->SelectionEditors.size();
      S.Guidelines = R->Guidelines.Heads().size();
    }
    S.CustomModules = CustomModuleRegistrations().size();
    GetRegisteredClasses([&S](TClass C) { S.Classes.push_back(C); });
    return S;
  }
  bool operator==(const TRegistrySnapshot&) const = default;
  friend std::ostream& operator<<(std::ostream& Out, const TRegistrySnapshot& S) {
    return Out << "{editors " << S.PropertyEditors << ", mappers " << S.Mappers << ", component editors "
               << S.ComponentEditors << ", selection editors " << S.SelectionEditors << ", guidelines "
               << S.Guidelines << ", custom modules " << S.CustomModules << ", classes " << S.Classes.size()
               << "}";
  }
};

}  // namespace formwright::testing
