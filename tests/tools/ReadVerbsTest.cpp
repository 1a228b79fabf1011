// show, props and handlers: what they print, as text and as JSON, and that they change nothing.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;
using ::testing::Contains;
using ::testing::ContainsRegex;

TEST_F(ToolTest, ShowListsTheTreeInStreamOrderWithParentsAndBounds) {
  TRunResult R = RunOk("show Main.fwf --json");
  const json Doc = Json(R);
  EXPECT_EQ(Doc["module"], "MainForm");
  EXPECT_EQ(Doc["class"], "TMainForm");
  EXPECT_EQ(Doc["ancestor"], "TForm");
  EXPECT_EQ(Doc["format"], "text");
  const json& Root = Doc["root"];
  std::vector<std::string> Top;
  for (const json& C : Root["children"]) Top.push_back(C["name"]);
  EXPECT_EQ(Top, (std::vector<std::string>{"MainMenu1", "ActionList1", "ToolPanel", "ContentPanel"}));
  EXPECT_EQ(NodeField(Doc, "SearchButton", "parent"), "ToolPanel");
  EXPECT_EQ(NodeField(Doc, "SearchButton", "bounds"),
            (json{{"left", 96}, {"top", 8}, {"width", 75}, {"height", 25}}));
  EXPECT_EQ(NodeField(Doc, "MainMenu1", "position"), (json{{"left", 440}, {"top", 8}}));
  EXPECT_EQ(NodeField(Doc, "OpenItem", "parent"), "FileMenu");
  EXPECT_TRUE(Snapshot() == Before);
}

TEST_F(ToolTest, ShowAsTextIndentsChildrenUnderTheirParents) {
  TRunResult R = RunOk("show Main.fwf");
  EXPECT_THAT(R.Out, StartsWith("Main.fwf: module MainForm (TMainForm, inherits TForm), text form\n"));
  const size_t Panel = R.Out.find("\n    ToolPanel: TPanel ");
  const size_t Button = R.Out.find("\n      SearchButton: TButton ");
  ASSERT_NE(Panel, std::string::npos) << R.Out;
  ASSERT_NE(Button, std::string::npos) << R.Out;
  EXPECT_LT(Panel, Button);
  EXPECT_THAT(R.Out, HasSubstr("at 96,8 size 75x25"));
  EXPECT_THAT(R.Out, HasSubstr("icon at 440,8"));
}

TEST_F(ToolTest, AnInheritedModuleOpensItsAncestorAndMarksInheritedComponents) {
  const json Doc = Show("Settings.fwf");
  EXPECT_EQ(Doc["ancestor"], "TDialogForm");
  EXPECT_EQ(NodeField(Doc, "OkButton", "inherited"), true);
  EXPECT_EQ(NodeField(Doc, "AutoSaveBox", "name"), "AutoSaveBox");
  EXPECT_NE(NodeField(Doc, "AutoSaveBox", "inherited"), true);
}

TEST_F(ToolTest, SeveralFilesOrAGlobGiveOneDocumentEach) {
  TRunResult R = RunOk("show 'D*.fwf' --json");
  const json Docs = Json(R);
  ASSERT_TRUE(Docs.is_array());
  ASSERT_EQ(Docs.size(), 2u);
  EXPECT_EQ(Docs[0]["file"], "Data.fwf");
  EXPECT_EQ(Docs[1]["file"], "Dialog.fwf");
  EXPECT_EQ(NodeField(Docs[0], "CopyAction", "parent"), "EditActions");
}

TEST_F(ToolTest, ManyFilesShowAProgressLineOnATerminalOnly) {
  TRunResult Plain = RunOk("show '*.fwf'");
  EXPECT_EQ(Plain.Err, "");
  const std::string Tty = RunOnTerminal("show '*.fwf'");
  // Workers finish in any order: the count is certain, the file it names is not.
  EXPECT_THAT(Tty, ContainsRegex("\\[1/6\\] [A-Za-z]+\\.fwf"));
  EXPECT_THAT(Tty, ContainsRegex("\\[6/6\\] [A-Za-z]+\\.fwf"));
  // The line is cleared before the documents are printed.
  EXPECT_LT(Tty.find("[6/6] "), Tty.find("Address.fwf: module AddressFrame"));
  const std::string Few = RunOnTerminal("show Main.fwf Data.fwf");
  EXPECT_THAT(Few, Not(HasSubstr("[1/2]")));
}

TEST_F(ToolTest, PropsOfAMultiSelectionListsSharedPropertiesAndBlanksDifferingValues) {
  const json Doc = Json(Run("props Main.fwf OpenButton,SearchButton --json"));
  EXPECT_EQ(Doc["selection"], (json{"OpenButton", "SearchButton"}));
  const json& Props = Doc["properties"];
  EXPECT_EQ(PropField(Props, "Left", "value"), "");  // 8 and 96
  EXPECT_EQ(PropField(Props, "Width", "value"), "75");
  EXPECT_EQ(PropField(Props, "Caption", "value"), "");
  EXPECT_THAT(PropField(Props, "Width", "attributes"), Contains("paMultiSelect"));
  EXPECT_FALSE(FindProp(Props, "Name"));  // a name is never shared by a multi-selection
  // Properties are listed in name order.
  std::vector<std::string> Names;
  for (const json& P : Props) Names.push_back(P["name"]);
  EXPECT_TRUE(std::is_sorted(Names.begin(), Names.end(), [](const std::string& A, const std::string& B) {
    return strcasecmp(A.c_str(), B.c_str()) < 0;
  }));
  // Of different classes only what both have.
  const json Mixed = Json(Run("props Main.fwf NameEdit,SearchButton --json"))["properties"];
  EXPECT_FALSE(FindProp(Mixed, "Caption"));  // buttons only
  EXPECT_FALSE(FindProp(Mixed, "Text"));     // edits only
  EXPECT_TRUE(FindProp(Mixed, "Top"));
}

TEST_F(ToolTest, PropsShowsEditorsValueListsNestedPropertiesAndTheEventsPage) {
  const json Props = Json(Run("props Main.fwf SearchButton --json"))["properties"];
  EXPECT_EQ(PropField(Props, "Caption", "value"), "Search");
  EXPECT_EQ(PropField(Props, "Align", "value"), "alNone");
  EXPECT_EQ(PropField(Props, "Align", "editor"), "TEnumProperty");
  EXPECT_EQ(PropField(Props, "Align", "values"),
            (json{"alBottom", "alClient", "alCustom", "alLeft", "alNone", "alRight", "alTop"}));
  EXPECT_EQ(PropField(PropField(Props, "Margins", "properties"), "Left", "name"), "Left");
  EXPECT_EQ(PropField(Props, "Action", "editor"), "TComponentProperty");
  // The events page: handlers and the compatible ones.
  const json Doc = Json(Run("props Main.fwf SearchButton --events --json"));
  EXPECT_EQ(Doc["page"], "events");
  EXPECT_EQ(PropField(Doc["properties"], "OnClick", "value"), "SearchButtonClick");
  EXPECT_EQ(PropField(Doc["properties"], "OnClick", "editor"), "TMethodProperty");
  EXPECT_THAT(PropField(Doc["properties"], "OnClick", "values"), Contains("ExitItemClick"));
  EXPECT_FALSE(FindProp(Doc["properties"], "Caption"));
}

TEST_F(ToolTest, PropsWithoutComponentsShowsTheRootAndTextHasOneRowPerProperty) {
  TRunResult R = RunOk("props Main.fwf");
  EXPECT_THAT(R.Out, StartsWith("Main.fwf: properties of MainForm\n"));
  EXPECT_THAT(R.Out, HasSubstr("\n  Caption "));
  EXPECT_THAT(R.Out, HasSubstr("Address book"));
}

TEST_F(ToolTest, HandlersListsTheUnitsHandlersWithTheEventsThatUseThem) {
  TRunResult R = RunOk("handlers Main.fwf --json");
  const json Doc = Json(R);
  EXPECT_EQ(Doc["unit"], "Main");
  EXPECT_EQ(PropField(Doc["handlers"], "OpenActionExecute", "events"), (json{"OpenAction.OnExecute"}));
  EXPECT_EQ(PropField(Doc["handlers"], "OpenActionExecute", "declaration"),
            "procedure OpenActionExecute(Sender: TObject)");
  TRunResult T = Run("handlers Main.fwf");
  const size_t Line = T.Out.find("  procedure SearchButtonClick(Sender: TObject) ");
  ASSERT_NE(Line, std::string::npos) << T.Out;
  const std::string Row = T.Out.substr(Line, T.Out.find('\n', Line) - Line);
  EXPECT_EQ(Row.substr(Row.size() - 23), "<- SearchButton.OnClick") << T.Out;
  // Events an action link fills are not the component's own bindings.
  EXPECT_THAT(T.Out, Not(HasSubstr("OpenButton.OnClick")));
  // A handler the module inherits is declared in its ancestor's unit, not missing from its own.
  EXPECT_THAT(
      RunOk("handlers Settings.fwf").Out,
      HasSubstr(
          "procedure OkButtonClick(Sender: TObject)  <- OkButton.OnClick  (declared in unit Dialog)\n"));
  // Without the ancestor's unit the handler is not found there, and the missing unit is named.
  std::filesystem::remove(Dir / "Dialog.pas");
  EXPECT_THAT(
      RunOk("handlers Settings.fwf").Out,
      HasSubstr("<- OkButton.OnClick  [not found: Dialog.pas, the unit of DialogForm, is missing]\n"));
}

}  // namespace
}  // namespace formwright::testing
