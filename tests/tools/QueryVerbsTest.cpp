// classes, find and diff; @root; and one verb over many files on several workers.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

TEST_F(ToolTest, ClassesListsThePaletteByPage) {
  TRunResult R = RunOk("classes --json");
  const json Doc = Json(R);
  EXPECT_EQ(Doc["pages"][0]["page"], "Standard");
  EXPECT_EQ(Doc["pages"][0]["classes"][5],
            (json{{"class", "TButton"}, {"unit", "Orx.StdCtrls"}, {"kind", "control"}}));
  // Every class listed is one add takes.
  for (const auto& Page : Doc["pages"])
    for (const auto& C : Page["classes"]) {
      const std::string Class = C["class"];
      const std::string Parent = Class == "TMenuItem" ? "MainMenu1"
                                 : Class == "TAction" ? "ActionList1"
                                                      : "ToolPanel";
      EXPECT_EQ(Run("add Main.fwf " + Class + " --parent " + Parent).Code, 0) << Class;
    }
}

TEST_F(ToolTest, FindFiltersByClassNameAndShownValueInFileOrder) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> Cases{
      {"find Main.fwf Contact.fwf --class TWinControl --name '*edit'",
       {"Main.fwf: NameEdit: TEdit in ContentPanel",
        "Contact.fwf: HomeAddress.StreetEdit: TEdit in HomeAddress",
        "Contact.fwf: HomeAddress.CityEdit: TEdit in HomeAddress",
        "Contact.fwf: WorkAddress.StreetEdit: TEdit in WorkAddress",
        "Contact.fwf: WorkAddress.CityEdit: TEdit in WorkAddress"}},
      {"find Main.fwf --where Caption=clear", {"Main.fwf: Button1: TButton in ContentPanel"}},
      {"find Data.fwf --class TForm", {}},
      {"find Dialog.fwf Main.fwf -j 2 --class TButton --name '*Button'",
       {"Dialog.fwf: OkButton: TButton in ButtonPanel", "Dialog.fwf: CancelButton: TButton in ButtonPanel",
        "Main.fwf: OpenButton: TButton in ToolPanel", "Main.fwf: SearchButton: TButton in ToolPanel"}},
  };
  for (const auto& [Command, Lines] : Cases) {
    SCOPED_TRACE(Command);
    TRunResult R = RunOk(Command);
    std::string Expected;
    for (const std::string& L : Lines) Expected += L + "\n";
    EXPECT_EQ(R.Out, Expected);
  }
  EXPECT_EQ(Json(Run("find Data.fwf Main.fwf --class TPopupMenu --json")),
            (json::array({{{"file", "Data.fwf"},
                           {"name", "ContactMenu"},
                           {"class", "TPopupMenu"},
                           {"parent", "BookData"}}})));
  // A misspelt class or property is an error, not an empty answer.
  ExpectEachRefused({
      {"find Main.fwf --class TBotton", 1, "find: no class TBotton is registered or used in these modules"},
      {"find Main.fwf --class TButton --where Capton=Clear", 1,
       "find: no component that matches has a property Capton"},
  });
  EXPECT_EQ(RunOk("find Main.fwf --class TMainForm --where Caption=none").Out, "");
  // Split across workers, a file that has no such class or property is no error.
  EXPECT_EQ(RunOk("find Dialog.fwf Main.fwf -j 2 --class TMainForm").Out,
            "Main.fwf: MainForm: TMainForm (the root)\n");
  EXPECT_EQ(RunOk("find Dialog.fwf Main.fwf -j 2 --where Text=x").Out, "");
}

TEST_F(ToolTest, DiffReportsAddedRemovedMovedAndChangedComponents) {
  fs::create_directory(Dir / "old");
  fs::copy_file(Dir / "Main.fwf", Dir / "old" / "Main.fwf");
  fs::copy_file(Dir / "Main.pas", Dir / "old" / "Main.pas");
  TRunResult R = RunOk("diff old/Main.fwf Main.fwf");
  EXPECT_EQ(R.Out, "--- old/Main.fwf (MainForm)\n+++ Main.fwf (MainForm)\n(no differences)\n");
  ASSERT_EQ(Run("run Main.fwf -e 'delete Main.fwf NameLabel' -e 'add Main.fwf TCheckBox --parent ToolPanel "
                "--at 200,8' -e 'move Main.fwf Button1 --parent ToolPanel' -e 'set Main.fwf "
                "SearchButton.Caption=Find SearchButton.OnClick=NameEditChange'")
                .Code,
            0);
  R = RunOk("diff old/Main.fwf Main.fwf");
  EXPECT_THAT(R.Out, HasSubstr("- NameLabel: TLabel in ContentPanel\n"));
  EXPECT_THAT(R.Out, HasSubstr("~ SearchButton: TButton\n    Caption: Search -> Find\n"
                               "    OnClick: SearchButtonClick -> NameEditChange\n"));
  EXPECT_THAT(R.Out, HasSubstr("> Button1: TButton moved from ContentPanel to ToolPanel\n"));
  EXPECT_THAT(R.Out, HasSubstr("+ CheckBox1: TCheckBox in ToolPanel\n"));
  const json Doc = Json(Run("diff old/Main.fwf Main.fwf --json"));
  EXPECT_EQ(
      Doc["moved"],
      (json::array(
          {{{"name", "Button1"}, {"class", "TButton"}, {"from", "ContentPanel"}, {"parent", "ToolPanel"}}})));
  EXPECT_EQ(Doc["removed"].size(), 1u);
  EXPECT_EQ(Doc["added"][0]["name"], "CheckBox1");
  // Roots match whatever their names: a component on the root has not moved.
  const json Inherited = Json(Run("diff Dialog.fwf Settings.fwf --json"));
  EXPECT_EQ(Inherited["moved"], json::array());
  EXPECT_EQ(Inherited["changed"][0]["properties"][0],
            (json{{"name", "(class)"}, {"from", "TDialogForm"}, {"to", "TSettingsForm"}}));
  Before = Snapshot();
  ExpectEachRefused({{"diff Main.fwf", 2, "diff takes two module files"},
                     {"diff Main.fwf Missing.fwf", 1, "Missing.fwf: no such module file"}});
}

TEST_F(ToolTest, RootAliasEditsTheRootOfEveryModuleOnEveryWorkerAllOrNothing) {
  TRunResult R = RunOk("set Main.fwf Contact.fwf Dialog.fwf @root.Caption=Hello --json -j 2");
  const json Doc = Json(R);
  ASSERT_EQ(Doc.size(), 3u);
  EXPECT_EQ(Doc[1], (json{{"file", "Contact.fwf"},
                          {"verb", "set"},
                          {"components", {"ContactForm"}},
                          {"property", "Caption"},
                          {"value", "Hello"}}));
  for (const char* F : {"Main.fwf", "Contact.fwf", "Dialog.fwf"})
    EXPECT_THAT(Read(F), HasSubstr("Caption = 'Hello'"));
  // The same command in one process prints the same, in the same order.
  Before = Snapshot();
  EXPECT_EQ(Run("show Main.fwf Contact.fwf Data.fwf -j 1").Out,
            Run("show Main.fwf Contact.fwf Data.fwf -j 3").Out);
  // One file refused on one worker: no worker's file is saved, nothing is left behind.
  Write("Broken.fwf", "object Broken: TForm\n  Width = \nend\n");
  Before = Snapshot();
  ExpectEachRefused(
      {{"set Main.fwf Dialog.fwf Broken.fwf Data.fwf @root.Tag=7 -j 2", 1, "Broken.fwf: "},
       {"set Main.fwf Data.fwf @root.Tag=7 -j 0", 2, "-j takes a number of jobs from 1 to 1024"}});
}

TEST_F(ToolTest, ProgressShowsOnATerminalOnly) {
  for (int I = 0; I < 6; ++I) fs::copy_file(Dir / "Data.fwf", Dir / ("D" + std::to_string(I) + ".fwf"));
  EXPECT_THAT(RunOnTerminal("show D?.fwf -j 2"), HasSubstr("[6/6] "));
  EXPECT_THAT(Run("show D?.fwf -j 2").Err, Not(HasSubstr("[6/6]")));
}

}  // namespace
}  // namespace formwright::testing
