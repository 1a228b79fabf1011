#include "moduledesigner/DesignPackage.h"

#include <gtest/gtest.h>

#include "editors/DesignEditors.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"

using namespace formwright;

TEST(DesignPackage, StartingInstallsTheRegistriesAndStoppingClearsThem) {
  {
    TDesignPackageScope Package;
    InitDesignPackage();  // a second start changes nothing
    orx::TButton Button(nullptr);
    // The standard editors are in place: a published integer gets its editor.
    PPropInfo Left = GetPropInfo(&Button, "Left");
    ASSERT_NE(Left, nullptr);
    EXPECT_NE(GetEditorClass(Left, &Button), nullptr);
    EXPECT_NE(RegisterCustomModuleProc, nullptr);
    EXPECT_EQ(FindClass("TButton"), orx::TButton::StaticClass());
  }
  EXPECT_EQ(RegisterCustomModuleProc, nullptr);
  EXPECT_EQ(RegisterPropertyEditorProc, nullptr);
}
