// Modules that inherit from or embed an edited module follow its edits and are saved with it;
// check reports the modules that do not open.
#include <regex>

#include "ToolFixture.h"

namespace formwright::testing {
namespace {

// Settings inherits from Dialog (and overrides OkButton.Caption); Contact embeds the Address
// frame twice (WorkAddress overrides CityEdit.Text).
TEST_F(ToolTest, EditsOfAnAncestorOrAFrameReachTheModulesThatUseItAndAreSavedWithIt) {
  struct TCase {
    const char* Command;
    const char* Dependent;
    std::vector<const char*> Has, HasNot;
  };
  for (const TCase& C : std::vector<TCase>{
           {"rename Dialog.fwf OkButton AcceptButton",
            "Settings.fwf",
            {"  inherited ButtonPanel: TPanel\n    inherited AcceptButton: TButton\n      Caption = "
             "'Save'\n"},
            {"OkButton"}},
           {"delete Dialog.fwf CancelButton", "Settings.fwf", {"inherited AcceptButton"}, {"CancelButton"}},
           {"add Dialog.fwf TButton --parent ButtonPanel --name HelpButton",
            "Settings.fwf",
            {"    inherited HelpButton: TButton\n    end\n"},
            {}},
           {"rename Address.fwf StreetEdit Street",
            "Contact.fwf",
            {"    inherited Street: TEdit\n"},
            {"StreetEdit"}},
       }) {
    SCOPED_TRACE(C.Command);
    const TRunResult R = RunOk(C.Command);
    EXPECT_THAT(R.Out, HasSubstr(std::string("saved ") + C.Dependent));
    const std::string Text = Read(C.Dependent);
    for (const char* S : C.Has) EXPECT_THAT(Text, HasSubstr(S));
    for (const char* S : C.HasNot) EXPECT_THAT(Text, Not(HasSubstr(S)));
    EXPECT_EQ(RunOk(std::string("check ") + C.Dependent).Out, "1 module opens\n");
  }
}

TEST_F(ToolTest, AHandWrittenDescendantKeepsItsLinesWhenItFollows) {
  const std::string Author =
      "inherited SettingsForm: TSettingsForm\n    Caption = 'Settings'\n    inherited ButtonPanel: TPanel\n"
      "        inherited OkButton: TButton\n            Caption = 'Save'  \n        end\n    end\n"
      "    object AutoSaveBox: TCheckBox\n        Caption = 'Save changes automatically'\n    end\n"
      "    object Button1: TButton\n        OnClick = Button1Click\n    end\nend\n";
  Write("Settings.fwf", Author);
  // A new inherited component overrides nothing: the file, which leaves such blocks out, stays.
  EXPECT_THAT(RunOk("add Dialog.fwf TButton --parent ButtonPanel --name HelpButton").Out,
              Not(HasSubstr("Settings.fwf")));
  EXPECT_EQ(Read("Settings.fwf"), Author);
  RunOk("rename Dialog.fwf OkButton AcceptButton");
  EXPECT_EQ(Read("Settings.fwf"), std::regex_replace(Author, std::regex("OkButton"), "AcceptButton"));
}

TEST_F(ToolTest, ValuesFollowWhereTheDependentNeverOverrodeThem) {
  const TRunResult R = RunOk("run",
                             "set Dialog.fwf OkButton.Caption=Accept CancelButton.Caption=Close\n"
                             "set Address.fwf CityEdit.Text=Shelbyville\n"
                             "props Settings.fwf OkButton --json\n"
                             "props Settings.fwf CancelButton --json\n"
                             "props Contact.fwf HomeAddress.CityEdit --json\n"
                             "props Contact.fwf WorkAddress.CityEdit --json\n");
  EXPECT_THAT(R.Out, HasSubstr("\"Close\""));
  EXPECT_THAT(R.Out, HasSubstr("\"Save\""));
  EXPECT_THAT(R.Out, HasSubstr("\"Shelbyville\""));
  EXPECT_THAT(R.Out, HasSubstr("\"Springfield\""));
  EXPECT_THAT(R.Out, Not(HasSubstr("\"Accept\"")));
  // The dependents store only what they override: their files stay as they were.
  EXPECT_THAT(R.Out, Not(HasSubstr("saved Settings.fwf")));
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);
  EXPECT_EQ(Read("Contact.fwf"), Before["Contact.fwf"]);
}

TEST_F(ToolTest, AnEditThatADependentCannotTakeOrSaveChangesNoFile) {
  ExpectEachRefused({
      {"add Dialog.fwf TCheckBox --name AutoSaveBox", 1,
       "A component named AutoSaveBox already exists in a descendant module"},
      // Files that follow one another are edited in one session, whatever -j says.
      {"add -j 2 Dialog.fwf Settings.fwf TButton --name Extra", 1,
       "Settings.fwf: cannot add TButton: A component named Extra already exists"},
  });
  fs::permissions(Dir / "Settings.fwf", fs::perms::owner_read);
  Before = Snapshot();
  ExpectRefused(Run("rename Dialog.fwf OkButton AcceptButton"), 1, "'Settings.fwf' is a read-only file");
}

TEST_F(ToolTest, RevertGivesAPropertyBackItsInheritedValue) {
  ExpectEachRefused({
      {"revert Settings.fwf AutoSaveBox.Caption", 1,
       "Settings.fwf: cannot revert AutoSaveBox.Caption: no ancestor module or frame gives it a value"},
      {"revert Settings.fwf OkButton.Nope", 1, "Settings.fwf: OkButton has no property Nope"},
      {"revert Settings.fwf OkButton", 2, "'OkButton' is not COMPONENT.PROPERTY"},
  });
  EXPECT_EQ(RunOk("revert Settings.fwf OkButton.Caption").Out,
            "Settings.fwf: OkButton.Caption reverted to 'OK'\nsaved Settings.fwf (text form)\n");
  EXPECT_THAT(Read("Settings.fwf"), Not(HasSubstr("'Save'")));
  // From now on it follows; a property that follows already changes nothing.
  const TRunResult Follows =
      RunOk("run -e 'set Dialog.fwf OkButton.Caption=Yes' -e 'props Settings.fwf OkButton'");
  EXPECT_THAT(Follows.Out, HasSubstr("Yes"));
  const auto Saved = Snapshot();
  EXPECT_EQ(RunOk("revert Settings.fwf OkButton.Caption").Out,
            "Settings.fwf: OkButton.Caption already has its inherited value 'Yes'\n");
  EXPECT_TRUE(Snapshot() == Saved);
  // Inside an embedded frame, the frame module's value.
  EXPECT_EQ(RunOk("revert Contact.fwf WorkAddress.CityEdit.Text").Out,
            "Contact.fwf: WorkAddress.CityEdit.Text reverted to ''\nsaved Contact.fwf (text form)\n");
  EXPECT_THAT(Read("Contact.fwf"), Not(HasSubstr("Springfield")));
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
