// Modules that inherit from or embed an edited module keep opening; check reports the ones that
// do not.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

// Settings inherits from Dialog; Contact embeds the Address frame.
TEST_F(ToolTest, EditsOfNamesThatInheritingOrEmbeddingModulesUseAreRefused) {
  ExpectEachRefused({
      {"rename Dialog.fwf OkButton AcceptButton", 1,
       "Dialog.fwf: cannot change OkButton: Settings.fwf (inherits from it) uses that name, and edits do not "
       "reach modules that inherit from or embed this one yet (they would no longer open)"},
      {"delete Dialog.fwf ButtonPanel", 1,
       "Dialog.fwf: cannot change ButtonPanel, CancelButton, OkButton: Settings.fwf (inherits from it) uses "
       "those names"},
      {"rename Dialog.fwf DialogForm BaseDialog", 1, "cannot change DialogForm: Settings.fwf"},
      {"add Dialog.fwf TCheckBox --name AutoSaveBox", 1,
       "cannot change AutoSaveBox: Settings.fwf (inherits from it)"},
      {"rename Address.fwf StreetEdit Street", 1, "cannot change StreetEdit: Contact.fwf (embeds it)"},
      {"run -e 'rename Address.fwf StreetEdit Street' -e 'rename Address.fwf Street StreetEdit2'", 1,
       "Address.fwf: cannot change StreetEdit: Contact.fwf (embeds it)"},
  });
}

TEST_F(ToolTest, EditsThatNoDependentModuleNoticesAreSaved) {
  // A name only the module itself uses, a round trip of a used name, a property value.
  for (const char* Command :
       {"add Dialog.fwf TButton --parent ButtonPanel --name HelpButton",
        "run -e 'rename Dialog.fwf OkButton X' -e 'rename Dialog.fwf X OkButton'",
        "set Address.fwf StreetEdit.Text=Somewhere", "rename Settings.fwf Button1 ResetButton"}) {
    const TRunResult R = RunOk(Command);
  }
  EXPECT_EQ(Run("check").Out, "6 modules open\n");
}

TEST_F(ToolTest, CheckReportsEveryModuleThatDoesNotOpenWithTheReason) {
  Write("Broken.fwf", "object Broken: TBroken\n  Left = \nend\n");
  Write("Orphan.fwf", "inherited Orphan: TOrphan\nend\n");
  Write("Orphan.pas",
        "unit Orphan;\ninterface\ntype\n  TOrphan = class(TGoneForm)\n  end;\nimplementation\nend.\n");
  fs::create_directory(Dir / "sub");
  fs::copy_file(Dir / "Data.fwf", Dir / "sub" / "Data.fwf");
  const TRunResult All = Run("check . sub");
  EXPECT_EQ(All.Code, 1);
  EXPECT_THAT(All.Err, StartsWith("formwright: 2 of 9 modules do not open:\n  Broken.fwf: "));
  EXPECT_THAT(All.Err, ::testing::ContainsRegex("Broken.fwf: [^\n]* line [0-9]+, column [0-9]+\n"));
  EXPECT_THAT(
      All.Err,
      HasSubstr("\n  Orphan.fwf: TGoneForm is its ancestor, and no module file beside it has that class\n"));
  const TRunResult Some = RunOk("check Main.fwf sub");
  EXPECT_EQ(Some.Out, "2 modules open\n");
  EXPECT_EQ(Run("check empty/").Code, 1);
}

}  // namespace
}  // namespace formwright::testing
