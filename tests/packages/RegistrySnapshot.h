// What a design package can leave behind: the sizes of the current package's registries and every
// registered class. Equal snapshots before a load and after the unloading (or a refused load) mean
// that the package left nothing.
#pragma once

#include <vector>

#include "editors/EditorRegistries.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/ClassRegistry.h"

namespace formwright::testing {

inline std::vector<size_t> RegistrySnapshot() {
  std::vector<size_t> S;
  if (const auto* R = CurrentPackageService<TEditorRegistries>())
    S = {R->PropertyEditors.size(), R->Mappers.size(), R->ComponentEditors.size(), R->SelectionEditors.size(),
         R->Guidelines.Heads().size()};
  S.push_back(CustomModuleRegistrations().size());
  GetRegisteredClasses([&S](TClass C) { S.push_back(reinterpret_cast<size_t>(C)); });
  return S;
}

}  // namespace formwright::testing
