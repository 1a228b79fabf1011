// inherit: a new module that starts as a copy of another, and what it refuses.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, InheritWritesAModuleWhoseComponentsAreAllInherited) {
  TRunResult R = RunOk("inherit Dialog.fwf --name AboutDialog -o About.fwf");
  EXPECT_THAT(R.Out, HasSubstr("About.fwf: AboutDialog inherits from DialogForm"));
  const std::string Form = Read("About.fwf");
  EXPECT_THAT(Form, StartsWith("inherited AboutDialog: TAboutDialog"));
  EXPECT_THAT(Form, HasSubstr("inherited OkButton: TButton"));
  EXPECT_THAT(Read("About.pas"), HasSubstr("TAboutDialog = class(TDialogForm)"));
  EXPECT_THAT(Read("About.pas"), HasSubstr("uses\n  Dialog;"));  // the ancestor's unit
  EXPECT_EQ(Read("Dialog.fwf"), Before["Dialog.fwf"]);
  // The new module opens as a descendant and can be edited like any other.
  RunOk("set About.fwf OkButton.Caption=Close");
  EXPECT_THAT(Read("About.fwf"), HasSubstr("Caption = 'Close'"));
}

// A descendant that inherits a component its ancestor no longer has does not open; the message
// names the ancestor, and no file changes.
TEST_F(ToolTest, ADescendantMissingAnInheritedComponentNamesTheAncestorThatLacksIt) {
  for (const char* File : {"Dialog.fwf", "Dialog.pas"}) {
    std::string Text = Read(File);
    for (size_t At; (At = Text.find("ButtonPanel")) != std::string::npos;)
      Text.replace(At, 11, "BottomPanel");
    Write(File, Text);
  }
  const auto Written = Snapshot();
  const TRunResult R = Run("set Settings.fwf AutoSaveBox.Caption=Save");
  EXPECT_EQ(R.Code, 1);
  EXPECT_THAT(R.Err, HasSubstr("Settings.fwf: Error reading ButtonPanel at line 3, column 3: Ancestor for "
                               "'ButtonPanel' not found (DialogForm in Dialog.fwf, the ancestor, has no "
                               "component ButtonPanel)"));
  EXPECT_EQ(Snapshot(), Written);
}

TEST_F(ToolTest, InheritRefusesBadUsageAndNeverReplacesAFile) {
  ExpectEachRefused({
      {"inherit Dialog.fwf -o About.fwf", 2, "inherit needs --name NAME"},
      {"inherit Dialog.fwf --name AboutDialog", 2, "inherit needs -o FILE"},
      {"inherit Dialog.fwf --name 1st -o About.fwf", 2, "'1st' is not a valid component name"},
      {"inherit Dialog.fwf --name AboutDialog -o Main.fwf", 1, "Main.fwf: Main.fwf already exists"},
      {"inherit Missing.fwf --name AboutDialog -o About.fwf", 1, "Missing.fwf: no such module file"},
      {"inherit Dialog.fwf --name AboutDialog -o /tmp/About.fwf", 1,
       "/tmp/About.fwf: a module that inherits from Dialog.fwf goes in the same folder, where it finds its "
       "ancestor"},
  });
}

}  // namespace
}  // namespace formwright::testing
