// move, order, retype, align and size: what they keep, and refusals that leave every file alone.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

// How often Word occurs in Text.
int Count(const std::string& Text, const std::string& Word) {
  int N = 0;
  for (size_t At = Text.find(Word); At != std::string::npos; At = Text.find(Word, At + 1)) ++N;
  return N;
}

TEST_F(ToolTest, MoveKeepsNameHandlerAndReferencesAndChangesNothingElse) {
  // OpenButton is bound to OpenAction, SearchButton to its handler, and the menu to the form.
  TRunResult R = RunOk("move Main.fwf OpenButton,SearchButton --parent ContentPanel --at 300,40 --json");
  const json Out = Json(R);
  EXPECT_EQ(Out["verb"], "move");
  EXPECT_EQ(Out["from"], "ToolPanel");
  EXPECT_EQ(Out["components"][1]["bounds"],
            (json{{"left", 388}, {"top", 40}, {"width", 75}, {"height", 25}}));
  const json Doc = Show("Main.fwf");
  EXPECT_EQ(NodeField(Doc, "OpenButton", "parent"), "ContentPanel");
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("Action = OpenAction"));
  EXPECT_THAT(Form, HasSubstr("OnClick = SearchButtonClick"));
  EXPECT_EQ(Read("Main.pas"), Before["Main.pas"]);
  // The moved controls come last in the new parent's tab order; the others keep theirs.
  EXPECT_THAT(Form, HasSubstr("Left = 300\n      Top = 40\n      Width = 75\n      TabOrder = 2"));
  EXPECT_EQ(Count(Form, "TabOrder = 1"), 2);  // ContentPanel and Button1, as before
  // Moved back, the file is as it was but for the bounds.
  RunOk("move Main.fwf OpenButton,SearchButton --parent ToolPanel --at 8,8");
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
}

TEST_F(ToolTest, OrderPlacesAmongSiblingsOfTheSameKindAndSetsTheTabOrder) {
  TRunResult R = RunOk("order Main.fwf Button1 --back --json");
  EXPECT_EQ(Json(R)["index"], 0);
  EXPECT_EQ(Json(R)["count"], 2);  // NameEdit and Button1: the label has an order of its own
  EXPECT_LT(Read("Main.fwf").find("object Button1"), Read("Main.fwf").find("object NameEdit"));
  RunOk("order Main.fwf Button1 --index 1");
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  R = RunOk("order Main.fwf Button1 --tab 0");
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: Button1 has tab order 0"));
  EXPECT_EQ(Count(Read("Main.fwf"), "TabOrder = 0"), 3);  // ToolPanel, OpenButton, Button1
}

// The order show lists the named components in, as their places in its output.
std::vector<size_t> Places(const std::string& Shown, const std::vector<std::string>& Names) {
  std::vector<size_t> At;
  for (const std::string& N : Names) At.push_back(Shown.find(" " + N + ": "));
  return At;
}

TEST_F(ToolTest, AnOwnControlOrderedAmongInheritedOnesKeepsItsPlaceThroughLaterSaves) {
  RunOk("inherit Dialog.fwf --name Kid -o Kid.fwf");
  RunOk("order Kid.fwf CancelButton --back");
  RunOk("add Kid.fwf TButton --parent ButtonPanel --name Help");
  RunOk("order Kid.fwf Help --index 1");
  for (const char* Then :
       {"set Kid.fwf Help.Caption=More", "convert Kid.fwf --binary", "set Kid.fwf Kid.Caption=K"}) {
    RunOk(Then);
    const auto At = Places(RunOk("show Kid.fwf").Out, {"CancelButton", "Help", "OkButton"});
    EXPECT_TRUE(std::is_sorted(At.begin(), At.end()) && At.back() != std::string::npos) << Then;
  }
  // A file that gives an order of its own: an edit elsewhere keeps it, order indexes and all.
  const std::string Hand =
      "inherited Kid: TKid\n  object Own: TPanel  [1]\n    Left = 10\n  end\n  inherited ButtonPanel: "
      "TPanel\n  end\n  object Back: TPanel [0]\n    Left = 20\n  end\nend\n";
  Write("Kid.fwf", Hand);
  RunOk("set Kid.fwf Own.Caption=x");
  std::string Expected = Hand;
  Expected.insert(Expected.find("    Left = 10\n") + 14, "    Caption = 'x'\n");
  EXPECT_EQ(Read("Kid.fwf"), Expected);
  const auto At = Places(RunOk("show Kid.fwf").Out, {"Back", "ButtonPanel", "Own"});
  EXPECT_TRUE(std::is_sorted(At.begin(), At.end()) && At.back() != std::string::npos);
}

TEST_F(ToolTest, RetypeKeepsWhatBothClassesPublishUnderTheSameName) {
  TRunResult R = RunOk("retype Main.fwf ToolPanel TScrollBox");
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: retyped ToolPanel from TPanel to TScrollBox"));
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("object ToolPanel: TScrollBox\n    Height = 41"));
  const json Doc = Show("Main.fwf");
  EXPECT_EQ(NodeField(Doc, "OpenButton", "parent"), "ToolPanel");  // what it held moved along
  EXPECT_THAT(Form, HasSubstr("OnClick = SearchButtonClick\n      TabOrder = 1\n      TabStop = True"));
  // The unit changes the field's class in its place, and nothing else.
  std::string Unit = Before["Main.pas"];
  Unit.replace(Unit.find("ToolPanel: TPanel;"), 18, "ToolPanel: TScrollBox;");
  EXPECT_EQ(Read("Main.pas"), Unit);
  // A reference follows the new component, and the handler stays bound.
  RunOk("set Main.fwf NameLabel.FocusControl=NameEdit");
  R = RunOk("retype Main.fwf NameEdit TMemo");
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("FocusControl = NameEdit"));
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("object NameEdit: TMemo"));
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("OnChange = NameEditChange"));
  // A caption the new class would take from the name stays as the old component showed it.
  RunOk("retype Main.fwf ContentPanel TGroupBox");
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("object ContentPanel: TGroupBox"));
  EXPECT_THAT(Read("Main.fwf"), Not(HasSubstr("Caption = 'ContentPanel'")));
  // So does one the old class had no place for.
  RunOk("retype Main.fwf NameEdit TCheckBox --force");
  // A control made something that is no control leaves the form's order alone.
  EXPECT_THAT(RunOk("retype Main.fwf SearchButton TMenuItem --force").Out, HasSubstr("retyped SearchButton"));
  EXPECT_THAT(Read("Main.fwf"), AllOf(HasSubstr("object NameEdit: TCheckBox"), Not(HasSubstr("'NameEdit'"))));
}

TEST_F(ToolTest, MoveOrderAndRetypeRefuseAndChangeNoFile) {
  ExpectEachRefused({
      {"move Main.fwf SearchButton --parent Nowhere", 1, "there is no component named Nowhere"},
      {"move Main.fwf SearchButton", 2, "move needs --parent P"},
      {"move Main.fwf NameEdit --parent OpenButton", 1,
       "cannot move NameEdit into OpenButton: NameEdit cannot be placed in OpenButton"},
      {"move Main.fwf NameEdit --parent NameLabel", 1, "NameEdit cannot be placed in NameLabel"},
      {"move Main.fwf ToolPanel --parent OpenButton", 1,
       "Cannot move ToolPanel into itself or into a component it holds"},
      {"move Main.fwf ToolPanel --parent ToolPanel", 1, "Cannot move ToolPanel into itself"},
      {"move Main.fwf MainForm --parent ToolPanel", 1, "The module's root component cannot be moved"},
      {"move Main.fwf OpenButton,NameEdit --parent MainForm", 1,
       "components moved together must share a parent"},
      {"move Main.fwf ActionList1 --parent ToolPanel", 1, "ActionList1 cannot be placed in ToolPanel"},
      {"move Settings.fwf OkButton --parent SettingsForm", 1,
       "Cannot move component OkButton, component was introduced in an ancestor form"},
      {"move Contact.fwf HomeAddress.StreetEdit --parent ContactForm", 1,
       "Cannot move component StreetEdit, component was introduced in an ancestor form"},
      {"order Main.fwf Button1", 2, "order needs one of --front, --back, --index N and --tab N"},
      {"order Main.fwf Button1 --front --back", 2,
       "order takes one of --front, --back, --index N and --tab N, not several"},
      {"order Main.fwf Button1 --index -2", 2, "--index takes a number from 0 to 32767"},
      {"order Main.fwf OpenAction --front", 1, "only a control has a place among its siblings"},
      {"retype Main.fwf SearchButton TLabel", 1,
       "cannot retype SearchButton to TLabel: TLabel does not keep TabOrder, TabStop (--force drops them)"},
      {"retype Main.fwf ActionList1 TPopupMenu", 1, "does not keep the components it holds (OpenAction)"},
      {"retype Main.fwf ContentPanel TButton", 1, "the components it holds (NameLabel, NameEdit, Button1)"},
      {"retype Main.fwf SearchButton TNoSuch", 1, "no component class of that name is registered"},
      {"retype Main.fwf SearchButton TButton", 1, "it is a TButton already"},
      {"retype Main.fwf OpenItem TButton", 1,
       "TButton does not keep its place in FileMenu (it would go to MainForm)"},
      {"retype Main.fwf MainForm TForm", 1, "it is the module's root"},
      {"retype Settings.fwf OkButton TCheckBox --force", 1,
       "Cannot retype component OkButton, component was introduced in an ancestor form"},
  });
}

TEST_F(ToolTest, AlignAndSizeFollowTheFirstNamedAndChangeOnlyBounds) {
  // OpenButton (8, 8, 75 x 25) and SearchButton (96, 8, 75 x 25) in ToolPanel.
  RunOk("size Main.fwf SearchButton --width 120 --height 31");
  TRunResult R = RunOk("align Main.fwf SearchButton,OpenButton --right --json");
  EXPECT_EQ(Json(R)["components"][1]["bounds"],
            (json{{"left", 141}, {"top", 8}, {"width", 75}, {"height", 25}}));
  R = RunOk("align Main.fwf SearchButton,OpenButton --vcenter");
  EXPECT_THAT(R.Out,
              HasSubstr("Main.fwf: SearchButton at 96,8 size 120x31, OpenButton at 141,11 size 75x25"));
  R = RunOk("size Main.fwf OpenButton,SearchButton --widths --heights");
  EXPECT_THAT(R.Out, HasSubstr("SearchButton at 96,8 size 75x25"));
  RunOk("align Main.fwf SearchButton,OpenButton --top");
  RunOk("set Main.fwf OpenButton.Left=8");
  // Back where they were, the files are as they were, the unit never touched.
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  EXPECT_EQ(Read("Main.pas"), Before["Main.pas"]);
}

TEST_F(ToolTest, LayoutThatChangesNothingSaysSoAndSavesNothing) {
  // OpenButton (8, 8, 75 x 25) and SearchButton (96, 8, 75 x 25) in ToolPanel, on the grid.
  const std::string Where = "OpenButton at 8,8 size 75x25, SearchButton at 96,8 size 75x25 already";
  const std::pair<std::string, std::string> Cases[] = {
      {"align Main.fwf OpenButton,SearchButton --top", "Main.fwf: " + Where},
      {"align Main.fwf OpenButton,SearchButton --grid", "Main.fwf: " + Where},
      {"align Main.fwf SearchButton --left", "Main.fwf: SearchButton at 96,8 size 75x25 already"},
      {"size Main.fwf OpenButton,SearchButton --heights --widths --width 75", "Main.fwf: " + Where},
      {"move Main.fwf OpenButton,SearchButton --parent ToolPanel",
       "Main.fwf: OpenButton, SearchButton in ToolPanel (OpenButton at 8,8, SearchButton at 96,8) already"},
      {"move Main.fwf SearchButton --parent ToolPanel --at 96,8",
       "Main.fwf: SearchButton in ToolPanel (SearchButton at 96,8) already"},
  };
  for (const auto& [Command, Said] : Cases) {
    const TRunResult R = RunOk(Command);
    EXPECT_EQ(R.Out, Said + ": nothing changed\n") << Command;  // and no "saved" line
    EXPECT_EQ(Snapshot(), Before) << Command;
  }
  EXPECT_EQ(Json(RunOk("align Main.fwf OpenButton,SearchButton --top --json"))["changed"], false);
  EXPECT_EQ(Json(RunOk("align Main.fwf OpenButton,SearchButton --left --json"))["changed"], true);
  EXPECT_NE(Read("Main.fwf"), Before["Main.fwf"]);
}

TEST_F(ToolTest, AlignAndSizeRefuseAndChangeNoFile) {
  ExpectEachRefused({
      {"align Main.fwf OpenButton,SearchButton", 2, "align needs one of --left"},
      {"align Main.fwf OpenButton,SearchButton --left --top", 2, "align takes one of --left"},
      {"align Main.fwf OpenButton,NameEdit --left", 1,
       "cannot align OpenButton, NameEdit: components laid out together must share a parent"},
      {"align Main.fwf MainForm,ToolPanel --top", 1, "MainForm is the module's root"},
      {"size Main.fwf OpenButton --width x", 2, "--width takes a number from 0 to 32767, not 'x'"},
      {"size Main.fwf OpenButton", 2, "size needs --widths"},
  });
}

}  // namespace
}  // namespace formwright::testing
