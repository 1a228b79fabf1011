// show, props and handlers: what they print, as text and as JSON, and that they change nothing.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

TEST_F(ToolTest, ShowListsTheTreeInStreamOrderWithParentsAndBounds) {
  TRunResult R = Run("show Main.fwf --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  EXPECT_EQ(Doc["module"], "MainForm");
  EXPECT_EQ(Doc["class"], "TMainForm");
  EXPECT_EQ(Doc["ancestor"], "TForm");
  EXPECT_EQ(Doc["format"], "text");
  const json& Root = Doc["root"];
  std::vector<std::string> Top;
  for (const json& C : Root["children"]) Top.push_back(C["name"]);
  EXPECT_EQ(Top, (std::vector<std::string>{"MainMenu1", "ActionList1", "ToolPanel", "ContentPanel"}));
  const json* Search = FindNode(Root, "SearchButton");
  ASSERT_TRUE(Search);
  EXPECT_EQ((*Search)["parent"], "ToolPanel");
  EXPECT_EQ((*Search)["bounds"], (json{{"left", 96}, {"top", 8}, {"width", 75}, {"height", 25}}));
  const json* Menu = FindNode(Root, "MainMenu1");
  ASSERT_TRUE(Menu);
  EXPECT_EQ((*Menu)["position"], (json{{"left", 440}, {"top", 8}}));
  const json* Open = FindNode(Root, "OpenItem");
  ASSERT_TRUE(Open);
  EXPECT_EQ((*Open)["parent"], "FileMenu");
  EXPECT_TRUE(Snapshot() == Before);
}

TEST_F(ToolTest, ShowAsTextIndentsChildrenUnderTheirParents) {
  TRunResult R = Run("show Main.fwf");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_EQ(R.Out.rfind("Main.fwf: module MainForm (TMainForm, inherits TForm), text form\n", 0), 0u)
      << R.Out;
  const size_t Panel = R.Out.find("\n    ToolPanel: TPanel ");
  const size_t Button = R.Out.find("\n      SearchButton: TButton ");
  ASSERT_NE(Panel, std::string::npos) << R.Out;
  ASSERT_NE(Button, std::string::npos) << R.Out;
  EXPECT_LT(Panel, Button);
  EXPECT_NE(R.Out.find("at 96,8 size 75x25"), std::string::npos);
  EXPECT_NE(R.Out.find("icon at 440,8"), std::string::npos);
}

TEST_F(ToolTest, AnInheritedModuleOpensItsAncestorAndMarksInheritedComponents) {
  TRunResult R = Run("show Settings.fwf --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  EXPECT_EQ(Doc["ancestor"], "TDialogForm");
  const json* Ok = FindNode(Doc["root"], "OkButton");
  ASSERT_TRUE(Ok);
  EXPECT_TRUE((*Ok).value("inherited", false));
  const json* Box = FindNode(Doc["root"], "AutoSaveBox");
  ASSERT_TRUE(Box);
  EXPECT_FALSE((*Box).value("inherited", false));
}

TEST_F(ToolTest, SeveralFilesOrAGlobGiveOneDocumentEach) {
  TRunResult R = Run("show 'D*.fwf' --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Docs = Json(R);
  ASSERT_TRUE(Docs.is_array());
  ASSERT_EQ(Docs.size(), 2u);
  EXPECT_EQ(Docs[0]["file"], "Data.fwf");
  EXPECT_EQ(Docs[1]["file"], "Dialog.fwf");
  const json* Copy = FindNode(Docs[0]["root"], "CopyAction");
  ASSERT_TRUE(Copy);
  EXPECT_EQ((*Copy)["parent"], "EditActions");
}

TEST_F(ToolTest, ManyFilesShowAProgressLineOnATerminalOnly) {
  TRunResult Plain = Run("show '*.fwf'");
  ASSERT_EQ(Plain.Code, 0) << Plain.Err;
  EXPECT_EQ(Plain.Err, "");
  const std::string Tty = RunOnTerminal("show '*.fwf'");
  EXPECT_NE(Tty.find("[1/6] Address.fwf"), std::string::npos) << Tty;
  EXPECT_NE(Tty.find("[6/6] Settings.fwf"), std::string::npos) << Tty;
  // The line is cleared before the documents are printed.
  EXPECT_LT(Tty.find("[6/6] Settings.fwf"), Tty.find("Address.fwf: module AddressFrame"));
  const std::string Few = RunOnTerminal("show Main.fwf Data.fwf");
  EXPECT_EQ(Few.find("[1/2]"), std::string::npos) << Few;
}

TEST_F(ToolTest, PropsOfAMultiSelectionListsSharedPropertiesAndBlanksDifferingValues) {
  TRunResult R = Run("props Main.fwf OpenButton,SearchButton --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  EXPECT_EQ(Doc["selection"], (json{"OpenButton", "SearchButton"}));
  const json& Props = Doc["properties"];
  const json* Left = FindProp(Props, "Left");
  const json* Width = FindProp(Props, "Width");
  const json* Caption = FindProp(Props, "Caption");
  ASSERT_TRUE(Left && Width && Caption);
  EXPECT_EQ((*Left)["value"], "");  // 8 and 96
  EXPECT_EQ((*Width)["value"], "75");
  EXPECT_EQ((*Caption)["value"], "");
  EXPECT_NE(std::find((*Width)["attributes"].begin(), (*Width)["attributes"].end(), "paMultiSelect"),
            (*Width)["attributes"].end());
  EXPECT_FALSE(FindProp(Props, "Name"));  // a name is never shared by a multi-selection
  // Properties are listed in name order.
  std::vector<std::string> Names;
  for (const json& P : Props) Names.push_back(P["name"]);
  EXPECT_TRUE(std::is_sorted(Names.begin(), Names.end(), [](const std::string& A, const std::string& B) {
    return strcasecmp(A.c_str(), B.c_str()) < 0;
  }));
}

TEST_F(ToolTest, PropsOfDifferentClassesKeepOnlyWhatBothHave) {
  TRunResult R = Run("props Main.fwf NameEdit,SearchButton --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  const json& Props = Doc["properties"];
  EXPECT_FALSE(FindProp(Props, "Caption"));  // buttons only
  EXPECT_FALSE(FindProp(Props, "Text"));     // edits only
  EXPECT_TRUE(FindProp(Props, "Top"));
}

TEST_F(ToolTest, PropsShowsEditorsValueListsAndNestedProperties) {
  TRunResult R = Run("props Main.fwf SearchButton --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  const json& Props = Doc["properties"];
  const json* Caption = FindProp(Props, "Caption");
  ASSERT_TRUE(Caption);
  EXPECT_EQ((*Caption)["value"], "Search");
  const json* Align = FindProp(Props, "Align");
  ASSERT_TRUE(Align);
  EXPECT_EQ((*Align)["value"], "alNone");
  EXPECT_EQ((*Align)["editor"], "TEnumProperty");
  EXPECT_EQ((*Align)["values"],
            (json{"alBottom", "alClient", "alCustom", "alLeft", "alNone", "alRight", "alTop"}));
  const json* Margins = FindProp(Props, "Margins");
  ASSERT_TRUE(Margins);
  ASSERT_TRUE((*Margins).contains("properties"));
  EXPECT_TRUE(FindProp((*Margins)["properties"], "Left"));
  const json* Action = FindProp(Props, "Action");
  ASSERT_TRUE(Action);
  EXPECT_EQ((*Action)["editor"], "TComponentProperty");
}

TEST_F(ToolTest, PropsEventsPageShowsHandlersAndTheCompatibleOnes) {
  TRunResult R = Run("props Main.fwf SearchButton --events --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  EXPECT_EQ(Doc["page"], "events");
  const json* Click = FindProp(Doc["properties"], "OnClick");
  ASSERT_TRUE(Click);
  EXPECT_EQ((*Click)["value"], "SearchButtonClick");
  EXPECT_EQ((*Click)["editor"], "TMethodProperty");
  const json& Values = (*Click)["values"];
  EXPECT_NE(std::find(Values.begin(), Values.end(), "ExitItemClick"), Values.end());
  EXPECT_FALSE(FindProp(Doc["properties"], "Caption"));
}

TEST_F(ToolTest, PropsWithoutComponentsShowsTheRootAndTextHasOneRowPerProperty) {
  TRunResult R = Run("props Main.fwf");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_EQ(R.Out.rfind("Main.fwf: properties of MainForm\n", 0), 0u) << R.Out;
  EXPECT_NE(R.Out.find("\n  Caption "), std::string::npos) << R.Out;
  EXPECT_NE(R.Out.find("Address book"), std::string::npos);
}

TEST_F(ToolTest, HandlersListsTheUnitsHandlersWithTheEventsThatUseThem) {
  TRunResult R = Run("handlers Main.fwf --json");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const json Doc = Json(R);
  EXPECT_EQ(Doc["unit"], "Main");
  const json* Exec = FindProp(Doc["handlers"], "OpenActionExecute");
  ASSERT_TRUE(Exec);
  EXPECT_EQ((*Exec)["events"], (json{"OpenAction.OnExecute"}));
  EXPECT_EQ((*Exec)["declaration"], "procedure OpenActionExecute(Sender: TObject)");
  TRunResult T = Run("handlers Main.fwf");
  const size_t Line = T.Out.find("  procedure SearchButtonClick(Sender: TObject) ");
  ASSERT_NE(Line, std::string::npos) << T.Out;
  const std::string Row = T.Out.substr(Line, T.Out.find('\n', Line) - Line);
  EXPECT_EQ(Row.substr(Row.size() - 23), "<- SearchButton.OnClick") << T.Out;
  // Events an action link fills are not the component's own bindings.
  EXPECT_EQ(T.Out.find("OpenButton.OnClick"), std::string::npos) << T.Out;
}

}  // namespace
}  // namespace formwright::testing
