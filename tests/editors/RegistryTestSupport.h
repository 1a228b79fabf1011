// The fixture of the registry tests: each test has a fresh package with empty editor registries
// (no default editors, nothing registered), which goes with the test.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "editors/DesignEditors.h"
#include "formwright/testing/Inspector.h"
#include "tests/editors/EditorsTestClasses.h"

namespace formwright::testing {

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() { InstallEditorRegistries(*FPackage); }
  // Starts again with a fresh package and empty registries.
  void Reinstall() {
    FPackage.reset();
    InstallEditorRegistries(FPackage.emplace());
  }
  // A package without registries: registrations go nowhere.
  void Uninstall() {
    FPackage.reset();
    FPackage.emplace();
  }

  std::optional<TDesignPackage> FPackage{std::in_place};
  TOwned<TComponent> FOwner{new TComponent(nullptr)};
  TSampleControl* FControl = new TSampleControl(FOwner.get());
  TSampleButton* FButton = new TSampleButton(FOwner.get());
  TSampleLabel* FLabel = new TSampleLabel(FOwner.get());
  TSampleLinks* FLinks = new TSampleLinks(FOwner.get());
};

inline TClass EdA() { return TEditorA::StaticClass(); }
inline TClass EdB() { return TEditorB::StaticClass(); }
inline TClass EdC() { return TEditorC::StaticClass(); }
inline TClass EdD() { return TEditorD::StaticClass(); }

}  // namespace formwright::testing
