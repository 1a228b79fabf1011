// Modules that inherit from or embed an edited module follow its edits and are saved with it;
// check reports the modules that do not open.
#include <regex>

#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;

// Settings inherits from Dialog (and overrides OkButton.Caption); Contact embeds the Address
// frame twice (WorkAddress overrides CityEdit.Text).
TEST_F(ToolTest, EditsOfAnAncestorOrAFrameReachTheModulesThatUseItAndAreSavedWithIt) {
  const struct {
    const char *Command, *Dependent, *Has, *HasNot;
  } Cases[] = {
      {"rename Dialog.fwf OkButton AcceptButton", "Settings.fwf",
       "    inherited AcceptButton: TButton\n      Caption = 'Save'\n", "OkButton"},
      {"delete Dialog.fwf CancelButton", "Settings.fwf", "inherited AcceptButton", "CancelButton"},
      {"run -e 'add Dialog.fwf TButton --parent ButtonPanel --name HelpButton' -e 'set Settings.fwf "
       "HelpButton.Caption=Help'",
       "Settings.fwf", "    inherited HelpButton: TButton\n      Caption = 'Help'\n    end\n", "OkButton"},
      // The manager of a deleted frame instance goes with it.
      {"run -e 'delete Contact.fwf HomeAddress' -e 'rename Address.fwf CityEdit Town'", "Contact.fwf",
       "    inherited Town: TEdit\n      Text = 'Springfield'\n", "HomeAddress"},
      // Moved to another parent or retyped, an inherited component is made anew in the dependent,
      // which keeps what it set on it.
      {"move Dialog.fwf AcceptButton --parent DialogForm --at 40,40", "Settings.fwf",
       "  inherited AcceptButton: TButton\n    Caption = 'Save'\n  end\n", "'OK'"},
      {"retype Dialog.fwf ButtonPanel TGroupBox", "Settings.fwf",
       "  inherited ButtonPanel: TGroupBox\n    inherited HelpButton: TButton\n      Caption = 'Help'\n",
       "TPanel"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Command);
    EXPECT_THAT(RunOk(C.Command).Out, HasSubstr(std::string("saved ") + C.Dependent));
    EXPECT_THAT(Read(C.Dependent), AllOf(HasSubstr(C.Has), Not(HasSubstr(C.HasNot))));
    EXPECT_EQ(RunOk(std::string("check ") + C.Dependent).Out, "1 module opens\n");
  }
}

// Deleting, retyping or moving an inherited container goes in the dependents too, and would take
// what a dependent added inside it or set on it: refused, files untouched, unless --force, which
// names what went.
TEST_F(ToolTest, AnEditThatTakesWhatADependentAddedOrSetIsRefusedUnlessForcedAndNamesWhatGoes) {
  RunOk(
      "run -e 'add Settings.fwf TButton --parent ButtonPanel --name HelpButton' -e 'add Dialog.fwf TPanel "
      "--name Holder'");
  Before = Snapshot();
  const std::string Lose =
      "modules built on this one would lose components they added inside it: "
      "Settings.fwf: HelpButton (--force ";
  ExpectEachRefused({
      {"delete Dialog.fwf ButtonPanel", 1,
       "Dialog.fwf: cannot delete ButtonPanel: " + Lose + "deletes them too)"},
      {"retype Dialog.fwf ButtonPanel TGroupBox", 1,
       "cannot retype ButtonPanel to TGroupBox: " + Lose + "drops them)"},
      {"move Dialog.fwf ButtonPanel --parent Holder", 1, "cannot move ButtonPanel into Holder: " + Lose},
  });
  // A value a dependent sets itself goes with a retype to a class without that property.
  RunOk(
      "run -e 'set Dialog.fwf CancelButton.Cancel=False CancelButton.ModalResult=mrNone' -e 'set "
      "Settings.fwf CancelButton.Default=True' -e 'set Contact.fwf WorkAddress.StreetEdit.Text=Main'");
  Before = Snapshot();
  ExpectEachRefused({
      {"retype Dialog.fwf CancelButton TCheckBox", 1,
       "Dialog.fwf: cannot retype CancelButton to TCheckBox: TCheckBox does not keep what modules built on "
       "this "
       "one set on it (Settings.fwf: CancelButton.Default) (--force drops them)"},
      {"retype Address.fwf StreetEdit TMemo", 1,
       "what modules built on this one set on it (Contact.fwf: WorkAddress.StreetEdit.Text) (--force drops "
       "them)"},
  });
  EXPECT_THAT(
      RunOk("retype Dialog.fwf CancelButton TCheckBox --force").Out,
      HasSubstr("dropped what modules built on this one set on it (Settings.fwf: CancelButton.Default)\n"));
  // What a module embedding a frame added inside the frame's container counts too (a hand-written
  // one: the designer adds nothing to a frame instance).
  RunOk("add Address.fwf TPanel --name Box");
  std::string Contact = Read("Contact.fwf"), Unit = Read("Contact.pas");
  Contact.insert(
      Contact.find("  end\n  inline WorkAddress"),
      "    inherited Box: TPanel\n      object Extra: TLabel\n        Caption = 'x'\n      end\n    end\n");
  Unit.insert(Unit.find("    WorkAddress"), "    Extra: TLabel;\n");
  Write("Contact.fwf", Contact);
  Write("Contact.pas", Unit);
  Before = Snapshot();
  ExpectEachRefused(
      {{"delete Address.fwf Box", 1,
        "lose components they added inside it: Contact.fwf: HomeAddress.Extra (--force deletes them too)"},
       {"retype Contact.fwf WorkAddress TPanel", 1, "it is an embedded frame"}});
  const TRunResult R = RunOk("delete Dialog.fwf ButtonPanel --force");
  EXPECT_THAT(R.Out,
              HasSubstr("Dialog.fwf: deleted ButtonPanel; modules built on this one lost components they "
                        "added inside it: Settings.fwf: HelpButton"));
  EXPECT_THAT(Read("Settings.fwf"), AllOf(Not(HasSubstr("HelpButton")), HasSubstr("object AutoSaveBox")));
  EXPECT_THAT(Read("Settings.pas"), Not(HasSubstr("HelpButton")));
}

// A component the ancestor makes anew keeps its place among the dependent's own controls: the
// dependent's file changes by the class alone.
TEST_F(ToolTest, ARetypeInTheAncestorKeepsTheDependentsOrder) {
  RunOk("retype Dialog.fwf ButtonPanel TGroupBox");
  std::string Expected = Before["Settings.fwf"];
  Expected.replace(Expected.find("ButtonPanel: TPanel"), 19, "ButtonPanel: TGroupBox");
  EXPECT_EQ(Read("Settings.fwf"), Expected);
}

TEST_F(ToolTest, ADependentEditedInTheSameScriptKeepsWhatItSetsOnWhatItInherits) {
  const std::string Move = " -e 'move Dialog.fwf OkButton --parent DialogForm'";
  const struct {
    std::string Script, Caption;
  } Cases[] = {
      {" -e 'set Settings.fwf AutoSaveBox.Left=20'" + Move, "Save"},
      {Move + " -e 'set Settings.fwf AutoSaveBox.Left=20'", "Save"},
      {" -e 'set Settings.fwf OkButton.Caption=Store AutoSaveBox.Left=20'" + Move, "Store"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Script);
    for (const char* F : {"Dialog.fwf", "Settings.fwf"}) Write(F, Before[F]);
    RunOk("run" + C.Script);
    EXPECT_THAT(Read("Settings.fwf"),
                AllOf(HasSubstr("  inherited OkButton: TButton\n    Caption = '" + C.Caption + "'\n  end\n"),
                      HasSubstr("    Left = 20\n")));
  }
}

TEST_F(ToolTest, AHandlerTheModuleInheritsIsUsedAsItIsAndItsOwnHandlersStay) {
  // The events page offers it beside the module's own handlers, for the events it fits only.
  const auto Events = Json(RunOk("props Settings.fwf Button1 --events --json"))["properties"];
  EXPECT_THAT(PropField(Events, "OnClick", "values"), ElementsAre("Button1Click", "OkButtonClick"));
  EXPECT_THAT(PropField(Events, "OnKeyDown", "values"), Not(Contains("OkButtonClick")));
  RunOk("set Settings.fwf Button1.OnClick=OkButtonClick");
  EXPECT_EQ(Read("Settings.pas"), Before["Settings.pas"]);
  EXPECT_THAT(Read("Settings.fwf"), HasSubstr("    OnClick = OkButtonClick\n"));
  EXPECT_THAT(RunOk("handlers Settings.fwf").Out,
              AllOf(HasSubstr("<- OkButton.OnClick, Button1.OnClick  (declared in unit Dialog)"),
                    ::testing::ContainsRegex(
                        "Button1Click\\(Sender: TObject\\) +<- \\(not assigned to any event\\)")));
  Before = Snapshot();
  ExpectEachRefused({{"set Settings.fwf AutoSaveBox.OnKeyDown=OkButtonClick", 1, "incompatible"}});
  // Without the ancestor's unit its handler's signature is unknown: it is not called
  // incompatible, the missing unit is named, and typing the handler an event has changes nothing.
  fs::remove(Dir / "Dialog.pas");
  Before = Snapshot();
  EXPECT_THAT(RunOk("set Settings.fwf Button1.OnClick=OkButtonClick").Out, Not(HasSubstr("saved")));
  ExpectEachRefused(
      {{"set Settings.fwf AutoSaveBox.OnEnter=OkButtonClick", 1,
        "Method OkButtonClick is inherited, but no ancestor's unit declares it, so it cannot be "
        "checked against this event (Dialog.pas, the unit of DialogForm, is missing)"}});
}

TEST_F(ToolTest, ValuesFollowWhereTheDependentNeverOverrodeThemAndItsFileStays) {
  const TRunResult R = RunOk("run",
                             "set Dialog.fwf OkButton.Caption=Accept CancelButton.Caption=Close\n"
                             "set Address.fwf CityEdit.Text=Shelbyville\n"
                             "props Settings.fwf OkButton --json\nprops Settings.fwf CancelButton --json\n"
                             "props Contact.fwf HomeAddress.CityEdit --json\n"
                             "props Contact.fwf WorkAddress.CityEdit --json\n");
  EXPECT_THAT(R.Out,
              AllOf(HasSubstr("\"Close\""), HasSubstr("\"Save\""), HasSubstr("\"Shelbyville\""),
                    HasSubstr("\"Springfield\""), Not(HasSubstr("\"Accept\"")), Not(HasSubstr("saved S"))));
  EXPECT_EQ(Read("Settings.fwf") + Read("Contact.fwf"), Before["Settings.fwf"] + Before["Contact.fwf"]);
}

TEST_F(ToolTest, ADescendantThatOnlyGainsAComponentItDoesNotOverrideStaysAsItsAuthorWroteIt) {
  // The file writes a block that overrides nothing (CancelButton); a new one is still not added.
  EXPECT_EQ(RunOk("add Dialog.fwf TButton --parent ButtonPanel --name HelpButton").Out,
            "Dialog.fwf: added HelpButton: TButton in ButtonPanel\nsaved Dialog.fwf (text form)\n");
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);
  EXPECT_THAT(RunOk("props Settings.fwf HelpButton").Out, HasSubstr("Caption"));
  // A binary file the same.
  RunOk("convert Settings.fwf --binary");
  const std::string Binary = Read("Settings.fwf");
  EXPECT_THAT(RunOk("add Dialog.fwf TButton --parent ButtonPanel --name TipButton").Out,
              Not(HasSubstr("Settings.fwf")));
  EXPECT_EQ(Read("Settings.fwf"), Binary);
}

TEST_F(ToolTest, AHandWrittenDescendantKeepsItsLinesWhenItFollows) {
  const std::string Author =
      "inherited SettingsForm: TSettingsForm\n    Caption = 'Settings'\n    inherited ButtonPanel: TPanel\n"
      "        inherited OkButton: TButton\n            Caption = 'Save'  \n        end\n    end\n"
      "    object AutoSaveBox: TCheckBox\n    end\n    object Button1: TButton\n    end\nend\n";
  Write("Settings.fwf", Author);
  // A new inherited component overrides nothing: the file, which leaves such blocks out, stays.
  RunOk("add Dialog.fwf TButton --parent ButtonPanel --name HelpButton");
  EXPECT_EQ(Read("Settings.fwf"), Author);
  RunOk("rename Dialog.fwf OkButton AcceptButton");
  const std::string Renamed = std::regex_replace(Author, std::regex("OkButton"), "AcceptButton");
  EXPECT_EQ(Read("Settings.fwf"), Renamed);
  // A block the file left out comes back once it overrides something.
  RunOk("set Settings.fwf CancelButton.Caption=Close");
  EXPECT_EQ(Read("Settings.fwf"),
            std::regex_replace(
                Renamed, std::regex("        end\n    end\n"),
                "        end\n        inherited CancelButton: TButton\n            Caption = 'Close'\n"
                "        end\n    end\n"));
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

TEST_F(ToolTest, AnAncestorClassThatTwoFilesHaveIsRefusedNamingBoth) {
  // The program makes no such copy of a module others follow.
  ExpectRefused(
      Run("convert Dialog.fwf --binary -o Copy.fwf"), 1,
      "Copy.fwf: a copy beside Dialog.fwf would give its folder two modules of class TDialogForm, and "
      "Settings.fwf (inherits from it) could no longer tell which one it follows: put the copy in another "
      "folder");
  Write("Copy.fwf", Before["Dialog.fwf"]);  // a copy made by hand
  Before = Snapshot();
  const std::string Why =
      "Settings.fwf: TDialogForm is its ancestor, and more than one module file beside it has "
      "that class (Copy.fwf, Dialog.fwf): keep one of them in this folder";
  // An edit of the ancestor would leave behind the module that cannot tell which it follows.
  ExpectEachRefused({{"set Settings.fwf Button1.Caption=X", 1, Why}, {"delete Dialog.fwf OkButton", 1, Why}});
  // Whichever module a check opens first.
  for (const char* Check : {"check Settings.fwf", "check ."}) {
    const TRunResult R = Run(Check);
    EXPECT_EQ(R.Code, 1) << Check;
    EXPECT_THAT(R.Err, HasSubstr(Why)) << Check;
  }
}

TEST_F(ToolTest, RevertGivesAPropertyBackItsInheritedValue) {
  ExpectEachRefused({
      {"revert Settings.fwf AutoSaveBox.Caption", 1,
       "Settings.fwf: cannot revert AutoSaveBox.Caption: no ancestor module or frame gives it a value"},
      {"revert Settings.fwf OkButton.Nope", 1, "Settings.fwf: OkButton has no property Nope"},
  });
  EXPECT_EQ(RunOk("revert Settings.fwf OkButton.Caption").Out,
            "Settings.fwf: OkButton.Caption reverted to 'OK'\nsaved Settings.fwf (text form)\n");
  // From now on it follows; a property that follows already changes nothing.
  EXPECT_THAT(
      RunOk("run -e 'set Dialog.fwf OkButton.Caption=Yes' -e 'revert Settings.fwf OkButton.Caption'").Out,
      StartsWith("Dialog.fwf: OkButton.Caption = Yes\n"
                 "Settings.fwf: OkButton.Caption already has its inherited value 'Yes'\nsaved Dialog.fwf"));
  // Inside an embedded frame, the frame module's value.
  EXPECT_THAT(RunOk("revert Contact.fwf WorkAddress.CityEdit.Text").Out,
              StartsWith("Contact.fwf: WorkAddress.CityEdit.Text reverted to ''\n"));
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
