// views: a module's device views listed, added and removed, and the files that hold them.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

TEST_F(ToolTest, ViewsAddsAViewBesideTheModuleAndLeavesTheModulesFilesAlone) {
  EXPECT_EQ(RunOk("views Main.fwf").Out, "Main.fwf has no views\n");
  const TRunResult Added = RunOk("views Main.fwf --add Tablet");
  EXPECT_THAT(Added.Out, HasSubstr("Added view Tablet to Main.fwf: MainForm_Tablet in Main.Tablet.fwf"));
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  EXPECT_EQ(Read("Main.pas"), Before["Main.pas"]);
  EXPECT_EQ(Read("Main.fwv"), "Tablet=Tablet\n");
  RunOk("views Main.fwf --add Kiosk");  // not a device: no form factor
  EXPECT_EQ(RunOk("views Main.fwf").Out,
            "Main.fwf: views of MainForm\n"
            "  view    form factor  root             file\n"
            "  Tablet  Tablet       MainForm_Tablet  Main.Tablet.fwf\n"
            "  Kiosk   -            MainForm_Kiosk   Main.Kiosk.fwf\n");
  const json Doc = Json(RunOk("views Main.fwf --json"));
  EXPECT_EQ(Doc["views"], (json::array({{{"name", "Tablet"},
                                         {"form_factor", "Tablet"},
                                         {"root", "MainForm_Tablet"},
                                         {"file", "Main.Tablet.fwf"}},
                                        {{"name", "Kiosk"},
                                         {"form_factor", ""},
                                         {"root", "MainForm_Kiosk"},
                                         {"file", "Main.Kiosk.fwf"}}})));

  // A view's own file opens as the view; what is set there stays in the view.
  RunOk("set Main.Tablet.fwf Button1.Caption=Tap");
  EXPECT_THAT(Read("Main.Tablet.fwf"), HasSubstr("Caption = 'Tap'"));
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  // An edit of the module keeps the views' files as they are: they follow it when read.
  const std::string Kiosk = Read("Main.Kiosk.fwf");
  RunOk("set Main.fwf Button1.Caption=Go");
  EXPECT_EQ(Read("Main.Kiosk.fwf"), Kiosk);
  EXPECT_EQ(NodeField(Show("Main.Kiosk.fwf"), "Button1", "name"), "Button1");
  EXPECT_THAT(RunOk("check .").Err, Not(HasSubstr("do not open")));

  const TRunResult Removed = RunOk("views Main.fwf --remove kiosk");
  EXPECT_THAT(Removed.Out, HasSubstr("Removed view kiosk from Main.fwf; Main.Kiosk.fwf stays on disk"));
  EXPECT_EQ(Read("Main.fwv"), "Tablet=Tablet\n");
  EXPECT_EQ(Read("Main.Kiosk.fwf"), Kiosk);
  // The file left on disk is no module of its own, and check says what it is.
  EXPECT_THAT(Run("check Main.Kiosk.fwf").Err,
              HasSubstr("Main.Kiosk.fwf: the form file of a view of Main.fwf that Main.fwv does not list ("));
}

// A rename or delete in the module reaches the views that set something on what it renamed or
// deleted; a view's own edit leaves the module's files as they are, and says so.
TEST_F(ToolTest, TheViewsFollowRenamesAndDeletesOfTheModule) {
  RunOk("views Main.fwf --add Tablet");
  const TRunResult Own = RunOk("set Main.Tablet.fwf SearchButton.Caption=Find");
  EXPECT_THAT(Own.Out, Not(HasSubstr("saved Main.fwf")));
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  EXPECT_THAT(RunOk("rename Main.fwf SearchButton FindButton").Out, HasSubstr("saved Main.Tablet.fwf"));
  EXPECT_THAT(Read("Main.Tablet.fwf"),
              HasSubstr("    inherited FindButton: TButton\n      Caption = 'Find'\n"));
  RunOk("delete Main.fwf FindButton");
  EXPECT_THAT(Read("Main.Tablet.fwf"), Not(HasSubstr("FindButton")));
  EXPECT_EQ(RunOk("check .").Err, "");
  // A view that no longer reads is named where the module reports it.
  Write("Main.Tablet.fwf", "inherited MainForm_Tablet: TMainForm_Tablet\n  Caption = Big Screen\nend\n");
  EXPECT_THAT(
      Run("check Main.fwf").Err,
      HasSubstr(
          "Main.fwf: Main.fwv: a view it lists does not open: Main.Tablet.fwf: '=' expected on line 3"));
  RunOk("views Main.fwf --remove Tablet");
}

TEST_F(ToolTest, RefusedViewCommandsChangeNoFile) {
  RunOk("views Main.fwf --add Phone");
  Write("Main.Tablet.fwf", "object Other: TForm\nend\n");
  Before = Snapshot();
  ExpectEachRefused({
      {"views Main.fwf --add phone", 1,
       "Main.fwf: cannot add view phone: View \"phone\" already exists in module"},
      {"views Main.fwf --remove Desktop", 1,
       "Main.fwf: cannot remove view Desktop: View \"Desktop\" does not exist in module"},
      {"views Main.fwf --add Tablet", 1, "Main.fwf: cannot add view Tablet: Main.Tablet.fwf exists already"},
      {"views Main.fwf --add Tablet --remove Phone", 2, "views takes --add or --remove, not both"},
      {"views Main.fwf --add ''", 2, "--add takes the name of a view"},
      {"views Main.fwf --add 'Big screen'", 2,
       "--add takes an identifier as the view's name, not 'Big screen'"},
      {"views Main.Phone.fwf --add Tablet", 1, "Main.Phone.fwf is a view of Main.fwf"},
  });
}

TEST_F(ToolTest, AViewListWrittenByHandStaysAsItIsUntilTheListChanges) {
  RunOk("views Main.fwf --add Tablet");
  Write("Main.fwv", "Tablet = Tablet\r\n\r\n");
  RunOk("set Main.fwf Button1.Caption=Go");
  EXPECT_EQ(Read("Main.fwv"), "Tablet = Tablet\r\n\r\n");
  EXPECT_THAT(RunOk("views Main.fwf").Out,
              HasSubstr("  Tablet  Tablet       MainForm_Tablet  Main.Tablet.fwf\n"));
  EXPECT_EQ(RunOk("check .").Out, "7 modules open\n");
  RunOk("views Main.fwf --add Phone");
  EXPECT_EQ(Read("Main.fwv"), "Tablet=Tablet\r\nPhone=Phone\r\n");
  // A list saved with a byte-order mark reads as the same list and keeps its mark when it changes.
  const std::string Mark = "\xEF\xBB\xBF";
  Write("Main.fwv", Mark + "Tablet=Tablet\nPhone=Phone\n");
  RunOk("set Main.fwf Button1.Caption=Stop");
  EXPECT_EQ(Read("Main.fwv"), Mark + "Tablet=Tablet\nPhone=Phone\n");
  RunOk("views Main.fwf --remove Tablet");
  EXPECT_EQ(Read("Main.fwv"), Mark + "Phone=Phone\n");
  RunOk("views Main.fwf --add Kiosk");
  EXPECT_EQ(Read("Main.fwv"), Mark + "Phone=Phone\nKiosk= \n");
  // A form factor with characters a terminal acts on is listed with them shown, the row whole.
  Write("Main.fwv", Mark + std::string("Phone=Pho\0ne\x1b[31m\n", 19));
  EXPECT_THAT(RunOk("views Main.fwf").Out,
              HasSubstr("  Phone  Pho#0ne#27[31m  MainForm_Phone  Main.Phone.fwf\n"));
}

TEST_F(ToolTest, AViewListThatCannotBeReadStopsTheVerbsThatNeedTheViewsAndOnlyThem) {
  RunOk("views Main.fwf --add Tablet");
  const std::vector<std::pair<std::string, std::string>> Lists{
      {"Tablet=Tablet\r\nbad line = x\r\n",
       "Main.fwf: Main.fwv, line 2: 'bad line = x' does not name a view: each line is NAME=FORM FACTOR, NAME "
       "an identifier"},
      {"Tablet=Tablet\nPhone=Phone\n", "Main.fwf: Main.fwv: a view it lists does not open: "},
      // Control characters are shown, not sent to the terminal nor cutting the message short.
      {std::string("Pho\0ne=Phone\x1b[31m\n", 18),
       "Main.fwf: Main.fwv, line 1: 'Pho#0ne=Phone#27[31m' does not name a view"},
  };
  for (const auto& [List, Why] : Lists) {
    SCOPED_TRACE(List);
    Write("Main.fwv", List);
    Before = Snapshot();
    ExpectEachRefused({{"set Main.fwf Button1.Caption=Go", 1, Why}, {"views Main.fwf --add Kiosk", 1, Why}});
    EXPECT_THAT(
        RunOk("views Main.fwf").Out,
        HasSubstr(
            "Main.fwf: views of MainForm, which do not open (views --remove NAME takes one off the list): " +
            Why.substr(std::string("Main.fwf: ").size())));
    const TRunResult Checked = Run("check Main.fwf");
    EXPECT_EQ(Checked.Code, 1);
    EXPECT_THAT(Checked.Err, HasSubstr("do not open:\n  " + Why));
    // Verbs that only read the module do without its views.
    EXPECT_EQ(NodeField(Show("Main.fwf"), "Button1", "name"), "Button1");
    EXPECT_THAT(RunOk("find Main.fwf --class TButton").Out, HasSubstr("Button1"));
    EXPECT_TRUE(Snapshot() == Before);
  }
  // A view that does not open comes off the list, the rest of the file as it was, and the
  // module can be edited again.
  Write("Main.fwv", "Tablet=Tablet\r\nPhone=Phone\r\n");
  EXPECT_THAT(RunOk("views Main.fwf --remove phone").Out,
              HasSubstr("Removed view phone from Main.fwf; Main.Phone.fwf stays on disk"));
  EXPECT_EQ(Read("Main.fwv"), "Tablet=Tablet\r\n");
  RunOk("set Main.fwf Button1.Caption=Go");
}

}  // namespace
}  // namespace formwright::testing
