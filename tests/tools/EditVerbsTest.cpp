// set, rename, add and delete: the files they write, and refusals that leave every file alone.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

TEST_F(ToolTest, SetParsesValuesThroughTheEditorsAndSavesInTheFormReadIn) {
  TRunResult R =
      Run("set Main.fwf SearchButton.Caption=Find SearchButton.Width=90 SearchButton.Cursor=-21 "
          "OpenButton,SearchButton.Top=12 SearchButton.Margins.Left=7 NameEdit.OnClick=NameEditClick");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: SearchButton.Caption = Find"));
  EXPECT_THAT(R.Out, HasSubstr("saved Main.fwf (text form)"));
  const std::string Text = Read("Main.fwf");
  EXPECT_THAT(Text, StartsWith("object MainForm: TMainForm\n"));
  for (const char* Line :
       {"Caption = 'Find'", "Width = 90", "Cursor = crHand", "Margins.Left = 7", "OnClick = NameEditClick"})
    EXPECT_THAT(Text, HasSubstr(Line));
  // Every component of a list, and an event set to a new handler creates it in the unit.
  const json Doc = Show("Main.fwf");
  EXPECT_EQ(NodeField(Doc, "OpenButton", "bounds")["top"], 12);
  EXPECT_EQ(NodeField(Doc, "SearchButton", "bounds")["top"], 12);
  EXPECT_THAT(Read("Main.pas"), HasSubstr("procedure TMainForm.NameEditClick(Sender: TObject);"));
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);
}

// A form written by hand keeps what its author wrote: an edit changes its own lines only, and
// what the writer would add (defaults, another order) stays out of the file.
TEST_F(ToolTest, EditsOfAHandWrittenFormChangeOnlyTheirOwnLines) {
  const std::string Form =
      "object NoteForm: TNoteForm\r\n"
      "   Caption = 'Notes'\r\n"
      "   Width = 300\r\n"
      "\r\n"
      "   object SaveButton: TButton\r\n"
      "      Caption = 'Save'\r\n"
      "      Left = 8\r\n"
      "   end\r\n"
      "   object Body: TMemo\r\n"
      "      Top = 40\r\n"
      "   end\r\n"
      "end\r\n";
  Write("Note.fwf", Form);
  RunOk("set Note.fwf SaveButton.Caption=Keep SaveButton.Top=12");
  std::string Edited = Form;
  Edited.replace(Edited.find("'Save'"), 6, "'Keep'");
  Edited.replace(Edited.find("Left = 8\r\n"), 10, "Left = 8\r\n      Top = 12\r\n");
  EXPECT_EQ(Read("Note.fwf"), Edited);
  // A script that reads the module before it edits it keeps the author's lines too.
  RunOk("run", "show Note.fwf\nset Note.fwf Body.Top=44\n");
  Edited.replace(Edited.find("Top = 40"), 8, "Top = 44");
  EXPECT_EQ(Read("Note.fwf"), Edited);
  RunOk("delete Note.fwf SaveButton");
  EXPECT_THAT(Read("Note.fwf"), StartsWith("object NoteForm: TNoteForm\r\n   Caption = 'Notes'\r\n   Width = "
                                           "300\r\n   object Body: TMemo\r\n      Top = 44\r\n"));
}

TEST_F(ToolTest, RefusedEditsChangeNoFileEvenAfterEarlierGoodOnes) {
  ExpectEachRefused({
      {"set Main.fwf SearchButton.Caption=Find SearchButton.Width=wide", 1,
       "Main.fwf: cannot set SearchButton.Width to 'wide': "},
      {"set Main.fwf SearchButton.Align=alNowhere", 1, "SearchButton.Align"},
      {"set Main.fwf SearchButton.OnClick=1abc", 1, "SearchButton.OnClick"},
      {"set Main.fwf NoSuchButton.Caption=x", 1, "there is no component named NoSuchButton in MainForm"},
      {"set Main.fwf SearchButton.Colour=clRed", 1, "SearchButton has no property Colour"},
      {"props Main.fwf NoSuchButton", 1, "there is no component named NoSuchButton"},
      {"set Main.fwf SearchButton", 2, "is not COMPONENT.PROPERTY=VALUE"},
      {"rename Main.fwf SearchButton OpenButton", 1, "cannot rename SearchButton to OpenButton"},
      {"rename Main.fwf SearchButton owner", 1,
       "A component named owner already exists in a descendant module"},
      {"rename Main.fwf SearchButton 9lives", 1, "cannot rename SearchButton to 9lives"},
      {"rename Settings.fwf OkButton AcceptButton", 1,
       "Cannot rename component OkButton, component was introduced in an ancestor form"},
      {"rename Main.fwf SearchButton", 2, "Missing the new name"},
      {"add Main.fwf TNoSuchThing", 1, "cannot add TNoSuchThing"},
      {"add Main.fwf TButton --name OpenButton", 1, "cannot add TButton"},
      {"add Main.fwf TButton --at 10", 2, "--at takes two numbers"},
      {"add Main.fwf TButton --colour red", 2, "Unknown option --colour"},
      // Nowhere inside an embedded frame, and never the class of a module.
      {"add Contact.fwf TButton --parent HomeAddress", 1,
       "New components cannot be added to frame instances."},
      {"add Contact.fwf TButton --parent HomeAddress.StreetEdit", 1,
       "New components cannot be added to frame instances."},
      {"add Contact.fwf TButton --parent WorkAddress --at 8,8", 1,
       "New components cannot be added to frame instances."},
      {"add Main.fwf TForm", 1,
       "Class TForm is the class of a module and cannot be placed inside another module"},
      {"add Main.fwf TDataModule", 1,
       "Class TDataModule is the class of a module and cannot be placed inside another module"},
      {"add Main.fwf TFrame", 1,
       "Class TFrame is the class of a module and cannot be placed inside another module"},
      {"delete Main.fwf MainForm", 1, "it is the module's root"},
      {"delete Settings.fwf OkButton", 1,
       "Selection contains a component, OkButton, introduced in an ancestor and cannot be deleted"},
  });
}

TEST_F(ToolTest, RenameCarriesTheHandlerNamedAfterTheComponent) {
  TRunResult R = RunOk("rename Main.fwf SearchButton FindButton");
  EXPECT_THAT(R.Out,
              HasSubstr("renamed SearchButton to FindButton; handler SearchButtonClick -> FindButtonClick"));
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("object FindButton: TButton"));
  EXPECT_THAT(Form, HasSubstr("OnClick = FindButtonClick"));
  EXPECT_THAT(Form, Not(HasSubstr("SearchButton")));
  const std::string Unit = Read("Main.pas");
  EXPECT_THAT(Unit, HasSubstr("procedure TMainForm.FindButtonClick(Sender: TObject);"));
  EXPECT_THAT(Unit, HasSubstr("FindByName(NameEdit.Text);"));  // the body stays
  EXPECT_THAT(Unit, HasSubstr("FindButton: TButton;"));
}

TEST_F(ToolTest, RenamingTheRootRenamesTheClassAndItsDefaultHandlers) {
  TRunResult R = RunOk("rename Data.fwf BookData ContactData");
  const std::string Form = Read("Data.fwf");
  EXPECT_THAT(Form, StartsWith("object ContactData: TContactData\n"));
  EXPECT_THAT(Form, HasSubstr("OnCreate = ContactDataCreate"));
  const std::string Unit = Read("Data.pas");
  EXPECT_THAT(Unit, HasSubstr("TContactData = class(TDataModule)"));
  EXPECT_THAT(
      Unit, HasSubstr("procedure TContactData.ContactDataCreate(Sender: TObject);\nbegin\n  LoadContacts;"));
  EXPECT_EQ(Show("Data.fwf")["class"], "TContactData");  // the module opens under its new name
}

TEST_F(ToolTest, RenameLeavesHandlersWithNamesOfTheirOwn) {
  RunOk("set Main.fwf SearchButton.OnDblClick=NameEditChange");
  TRunResult R = RunOk("rename Main.fwf SearchButton FindButton");
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("OnClick = FindButtonClick"));
  EXPECT_THAT(Form, HasSubstr("OnDblClick = NameEditChange"));
  EXPECT_THAT(Form, HasSubstr("OnChange = NameEditChange"));
}

TEST_F(ToolTest, RenameKeepsAHandlerWhoseNewNameIsTaken) {
  RunOk("set Main.fwf NameEdit.OnClick=FindButtonClick");
  TRunResult R = RunOk("rename Main.fwf SearchButton FindButton");
  EXPECT_THAT(R.Out, HasSubstr("OnClick keeps SearchButtonClick (FindButtonClick exists)"));
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("object FindButton: TButton"));
  EXPECT_THAT(Form, HasSubstr("OnClick = SearchButtonClick"));
}

TEST_F(ToolTest, AddNamesUniquelyPlacesInTheParentOrBesideAFrameAndDrawsABoxWithASize) {
  TRunResult R = RunOk("add Main.fwf TButton --parent ToolPanel --at 184,8");
  EXPECT_THAT(R.Out, HasSubstr("added Button2: TButton in ToolPanel"));  // Button1 exists
  R = RunOk("add Main.fwf TPanel --parent ContentPanel --at 16,96 --size 200,60 --name NotesPanel");
  const json Doc = Show("Main.fwf");
  EXPECT_EQ(NodeField(Doc, "Button2", "parent"), "ToolPanel");
  EXPECT_EQ(NodeField(Doc, "Button2", "bounds")["left"], 184);
  EXPECT_EQ(NodeField(Doc, "Button2", "bounds")["top"], 8);
  EXPECT_EQ(NodeField(Doc, "NotesPanel", "parent"), "ContentPanel");
  EXPECT_EQ(NodeField(Doc, "NotesPanel", "bounds"),
            (json{{"left", 16}, {"top", 96}, {"width", 200}, {"height", 60}}));
  // Beside an embedded frame.
  R = RunOk("add Contact.fwf TButton --at 16,220");
  EXPECT_THAT(Read("Contact.fwf"), HasSubstr("object Button1: TButton"));
  // Items go into the menu or the action list named, or are refused.
  EXPECT_THAT(RunOk("add Main.fwf TAction --parent ActionList1 --name SaveAction").Out,
              HasSubstr("added SaveAction: TAction in ActionList1"));
  EXPECT_THAT(RunOk("add Main.fwf TMenuItem --parent FileMenu").Out, HasSubstr("in FileMenu"));
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("    object SaveAction: TAction\n    end\n  end\n"));
  Before = Snapshot();
  ExpectRefused(Run("add Main.fwf TAction --parent FileMenu"), 1,
                "a TAction does not go into FileMenu (TMenuItem)");
}

TEST_F(ToolTest, DeleteRemovesComponentsWithWhatTheyHold) {
  TRunResult R = RunOk("delete Main.fwf ToolPanel NameLabel");
  const std::string Form = Read("Main.fwf");
  for (const char* Gone : {"ToolPanel", "OpenButton", "SearchButton", "NameLabel"})
    EXPECT_THAT(Form, Not(HasSubstr(Gone)));
  EXPECT_THAT(Form, HasSubstr("NameEdit"));
}

TEST_F(ToolTest, ComponentsOfEmbeddedFramesAreReachedByDottedNames) {
  const json Doc = Show("Contact.fwf");
  EXPECT_EQ(NodeField(Doc, "WorkAddress", "inline"), true);
  EXPECT_EQ(NodeField(Doc, "WorkAddress", "class"), "TAddressFrame");
  EXPECT_EQ(NodeField(Doc, "WorkAddress", "children")[0]["name"], "StreetLabel");
  TRunResult R = RunOk("set Contact.fwf WorkAddress.StreetEdit.Text=Main_Street");
  const std::string Form = Read("Contact.fwf");
  EXPECT_THAT(Form, HasSubstr("Text = 'Main_Street'"));
  EXPECT_THAT(Form, HasSubstr("Text = 'Springfield'"));
  EXPECT_EQ(Read("Address.fwf"), Before["Address.fwf"]);  // the frame's own module is untouched
}

}  // namespace
}  // namespace formwright::testing
