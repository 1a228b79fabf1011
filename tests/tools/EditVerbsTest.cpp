// set, rename, add and delete: the files they write, and refusals that leave every file alone.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, SetParsesValuesThroughTheEditorsAndSavesInTheFormReadIn) {
  TRunResult R = Run("set Main.fwf SearchButton.Caption=Find SearchButton.Width=90 SearchButton.Cursor=-21");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(R.Out.find("Main.fwf: SearchButton.Caption = Find"), std::string::npos) << R.Out;
  EXPECT_NE(R.Out.find("saved Main.fwf (text form)"), std::string::npos) << R.Out;
  const std::string Text = Read("Main.fwf");
  EXPECT_EQ(Text.rfind("object MainForm: TMainForm\n", 0), 0u);
  EXPECT_NE(Text.find("Caption = 'Find'"), std::string::npos);
  EXPECT_NE(Text.find("Width = 90"), std::string::npos);
  EXPECT_NE(Text.find("Cursor = -21"), std::string::npos);
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);
}

TEST_F(ToolTest, SetWritesEveryComponentOfAListAndNestedProperties) {
  TRunResult R = Run("set Main.fwf OpenButton,SearchButton.Top=12 SearchButton.Margins.Left=7");
  ASSERT_EQ(R.Code, 0) << R.Err;
  TRunResult S = Run("show Main.fwf --json");
  const auto Doc = Json(S);
  EXPECT_EQ((*FindNode(Doc["root"], "OpenButton"))["bounds"]["top"], 12);
  EXPECT_EQ((*FindNode(Doc["root"], "SearchButton"))["bounds"]["top"], 12);
  EXPECT_NE(Read("Main.fwf").find("Margins.Left = 7"), std::string::npos) << Read("Main.fwf");
}

TEST_F(ToolTest, SetAnEventToANewHandlerCreatesItInTheUnit) {
  TRunResult R = Run("set Main.fwf NameEdit.OnClick=NameEditClick");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(Read("Main.fwf").find("OnClick = NameEditClick"), std::string::npos);
  EXPECT_NE(Read("Main.pas").find("procedure TMainForm.NameEditClick(Sender: TObject);"), std::string::npos)
      << Read("Main.pas");
}

TEST_F(ToolTest, ARefusedValueChangesNoFileEvenAfterEarlierGoodOnes) {
  ExpectRefused(Run("set Main.fwf SearchButton.Caption=Find SearchButton.Width=wide"), 1,
                "Main.fwf: cannot set SearchButton.Width to 'wide': ");
  ExpectRefused(Run("set Main.fwf SearchButton.Align=alNowhere"), 1, "SearchButton.Align");
  ExpectRefused(Run("set Main.fwf SearchButton.OnClick=1abc"), 1, "SearchButton.OnClick");
}

TEST_F(ToolTest, UnknownComponentsAndPropertiesAreRefusedByName) {
  ExpectRefused(Run("set Main.fwf NoSuchButton.Caption=x"), 1,
                "there is no component named NoSuchButton in MainForm");
  ExpectRefused(Run("set Main.fwf SearchButton.Colour=clRed"), 1, "SearchButton has no property Colour");
  ExpectRefused(Run("props Main.fwf NoSuchButton"), 1, "there is no component named NoSuchButton");
  ExpectRefused(Run("set Main.fwf SearchButton"), 2, "is not COMPONENT.PROPERTY=VALUE");
}

TEST_F(ToolTest, RenameCarriesTheHandlerNamedAfterTheComponent) {
  TRunResult R = Run("rename Main.fwf SearchButton FindButton");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(R.Out.find("renamed SearchButton to FindButton; handler SearchButtonClick -> FindButtonClick"),
            std::string::npos)
      << R.Out;
  const std::string Form = Read("Main.fwf");
  EXPECT_NE(Form.find("object FindButton: TButton"), std::string::npos);
  EXPECT_NE(Form.find("OnClick = FindButtonClick"), std::string::npos) << Form;
  EXPECT_EQ(Form.find("SearchButton"), std::string::npos) << Form;
  const std::string Unit = Read("Main.pas");
  EXPECT_NE(Unit.find("procedure TMainForm.FindButtonClick(Sender: TObject);"), std::string::npos) << Unit;
  EXPECT_NE(Unit.find("FindByName(NameEdit.Text);"), std::string::npos) << Unit;  // the body stays
  EXPECT_NE(Unit.find("FindButton: TButton;"), std::string::npos) << Unit;
}

TEST_F(ToolTest, RenamingTheRootRenamesTheClassAndItsDefaultHandlers) {
  TRunResult R = Run("rename Data.fwf BookData ContactData");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const std::string Form = Read("Data.fwf");
  EXPECT_EQ(Form.rfind("object ContactData: TContactData\n", 0), 0u) << Form;
  EXPECT_NE(Form.find("OnCreate = ContactDataCreate"), std::string::npos) << Form;
  const std::string Unit = Read("Data.pas");
  EXPECT_NE(Unit.find("TContactData = class(TDataModule)"), std::string::npos) << Unit;
  EXPECT_NE(Unit.find("procedure TContactData.ContactDataCreate(Sender: TObject);\nbegin\n  LoadContacts;"),
            std::string::npos)
      << Unit;
  // The renamed module opens again under its new name.
  TRunResult Show = Run("show Data.fwf --json");
  ASSERT_EQ(Show.Code, 0) << Show.Err;
  EXPECT_EQ(Json(Show)["class"], "TContactData");
}

TEST_F(ToolTest, RenameLeavesHandlersWithNamesOfTheirOwn) {
  ASSERT_EQ(Run("set Main.fwf SearchButton.OnDblClick=NameEditChange").Code, 0);
  TRunResult R = Run("rename Main.fwf SearchButton FindButton");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const std::string Form = Read("Main.fwf");
  EXPECT_NE(Form.find("OnClick = FindButtonClick"), std::string::npos) << Form;
  EXPECT_NE(Form.find("OnDblClick = NameEditChange"), std::string::npos) << Form;
  EXPECT_NE(Form.find("OnChange = NameEditChange"), std::string::npos) << Form;
}

TEST_F(ToolTest, RenameKeepsAHandlerWhoseNewNameIsTaken) {
  ASSERT_EQ(Run("set Main.fwf NameEdit.OnClick=FindButtonClick").Code, 0);
  TRunResult R = Run("rename Main.fwf SearchButton FindButton");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(R.Out.find("OnClick keeps SearchButtonClick (FindButtonClick exists)"), std::string::npos)
      << R.Out;
  const std::string Form = Read("Main.fwf");
  EXPECT_NE(Form.find("object FindButton: TButton"), std::string::npos);
  EXPECT_NE(Form.find("OnClick = SearchButtonClick"), std::string::npos) << Form;
}

TEST_F(ToolTest, RefusedRenamesLeaveEveryFileAlone) {
  ExpectRefused(Run("rename Main.fwf SearchButton OpenButton"), 1,
                "cannot rename SearchButton to OpenButton");
  ExpectRefused(Run("rename Main.fwf SearchButton owner"), 1,
                "A component named owner already exists in a descendant module");
  ExpectRefused(Run("rename Main.fwf SearchButton 9lives"), 1, "cannot rename SearchButton to 9lives");
  ExpectRefused(Run("rename Settings.fwf OkButton AcceptButton"), 1,
                "Cannot rename component OkButton, component was introduced in an ancestor form");
  ExpectRefused(Run("rename Main.fwf SearchButton"), 2, "Missing the new name");
}

TEST_F(ToolTest, AddNamesTheComponentUniquelyInsideTheParent) {
  TRunResult R = Run("add Main.fwf TButton --parent ToolPanel --at 184,8");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(R.Out.find("added Button2: TButton in ToolPanel"), std::string::npos) << R.Out;  // Button1 exists
  const auto Doc = Json(Run("show Main.fwf --json"));
  const auto* B = FindNode(Doc["root"], "Button2");
  ASSERT_TRUE(B);
  EXPECT_EQ((*B)["parent"], "ToolPanel");
  EXPECT_EQ((*B)["bounds"]["left"], 184);
  EXPECT_EQ((*B)["bounds"]["top"], 8);
}

TEST_F(ToolTest, AddWithASizeDrawsABoxAndWithANameRenamesIt) {
  TRunResult R = Run("add Main.fwf TPanel --parent ContentPanel --at 16,96 --size 200,60 --name NotesPanel");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const auto Doc = Json(Run("show Main.fwf --json"));
  const auto* P = FindNode(Doc["root"], "NotesPanel");
  ASSERT_TRUE(P);
  EXPECT_EQ((*P)["parent"], "ContentPanel");
  EXPECT_EQ((*P)["bounds"],
            (nlohmann::ordered_json{{"left", 16}, {"top", 96}, {"width", 200}, {"height", 60}}));
}

TEST_F(ToolTest, AddRefusesUnknownClassesTakenNamesAndBadPoints) {
  ExpectRefused(Run("add Main.fwf TNoSuchThing"), 1, "cannot add TNoSuchThing");
  ExpectRefused(Run("add Main.fwf TButton --name OpenButton"), 1, "cannot add TButton");
  ExpectRefused(Run("add Main.fwf TButton --at 10"), 2, "--at takes two numbers");
  ExpectRefused(Run("add Main.fwf TButton --colour red"), 2, "Unknown option --colour");
}

TEST_F(ToolTest, DeleteRemovesComponentsWithWhatTheyHold) {
  TRunResult R = Run("delete Main.fwf ToolPanel NameLabel");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const std::string Form = Read("Main.fwf");
  for (const char* Gone : {"ToolPanel", "OpenButton", "SearchButton", "NameLabel"})
    EXPECT_EQ(Form.find(Gone), std::string::npos) << Gone;
  EXPECT_NE(Form.find("NameEdit"), std::string::npos);
}

TEST_F(ToolTest, DeleteRefusesTheRootAndInheritedComponents) {
  ExpectRefused(Run("delete Main.fwf MainForm"), 1, "it is the module's root");
  ExpectRefused(Run("delete Settings.fwf OkButton"), 1,
                "Selection contains a component, OkButton, introduced in an ancestor and cannot be deleted");
}

TEST_F(ToolTest, ComponentsOfEmbeddedFramesAreReachedByDottedNames) {
  TRunResult Show = Run("show Contact.fwf --json");
  ASSERT_EQ(Show.Code, 0) << Show.Err;
  const auto Doc = Json(Show);
  const auto* Work = FindNode(Doc["root"], "WorkAddress");
  ASSERT_TRUE(Work);
  EXPECT_TRUE((*Work).value("inline", false));
  EXPECT_EQ((*Work)["class"], "TAddressFrame");
  ASSERT_TRUE((*Work).contains("children"));
  EXPECT_EQ((*Work)["children"][0]["name"], "StreetLabel");
  TRunResult R = Run("set Contact.fwf WorkAddress.StreetEdit.Text=Main_Street");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const std::string Form = Read("Contact.fwf");
  EXPECT_NE(Form.find("Text = 'Main_Street'"), std::string::npos) << Form;
  EXPECT_NE(Form.find("Text = 'Springfield'"), std::string::npos) << Form;
  EXPECT_EQ(Read("Address.fwf"), Before["Address.fwf"]);  // the frame's own module is untouched
}

}  // namespace
}  // namespace formwright::testing
