// The fixture of the registry tests: the registries are installed for each test and removed
// afterwards; the current editor group and the default editors are restored.
#pragma once

#include <gtest/gtest.h>

#include "editors/DesignEditors.h"
#include "tests/editors/EditorsTestClasses.h"

namespace formwright::testing {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(DesignEditorsInstalled());
    InitDesignEditors();
  }
  void TearDown() override {
    DoneDesignEditors();
    CurrentGroup() = FSavedGroup;
    for (int K = tkUnknown; K <= tkProcedure; ++K)
      if (DefaultPropertyEditor(TTypeKind(K))) SetDefaultPropertyEditor(TTypeKind(K), nullptr);
    SetDefaultComponentEditor(nullptr);
    SetDefaultComponentGuidelines(nullptr);
  }
  // Starts again with empty registries.
  static void Reinstall() {
    DoneDesignEditors();
    InitDesignEditors();
  }
  // The editor class the registry picks for property `Name` of `Obj`.
  static TPropertyEditorClass EditorFor(TPersistent* Obj, const char* Name) {
    PPropInfo P = GetPropInfo(Obj, Name);
    EXPECT_NE(P, nullptr) << Name;
    return GetEditorClass(P, Obj);
  }

  TOwned<TComponent> FOwner{new TComponent(nullptr)};
  TSampleControl* FControl = new TSampleControl(FOwner.get());
  TSampleButton* FButton = new TSampleButton(FOwner.get());
  TSampleLabel* FLabel = new TSampleLabel(FOwner.get());
  TSampleLinks* FLinks = new TSampleLinks(FOwner.get());

 private:
  int FSavedGroup = CurrentGroup();
};

inline TClass EdA() { return TEditorA::StaticClass(); }
inline TClass EdB() { return TEditorB::StaticClass(); }
inline TClass EdC() { return TEditorC::StaticClass(); }
inline TClass EdD() { return TEditorD::StaticClass(); }

}  // namespace formwright::testing
