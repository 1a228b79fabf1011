// copy, convert, run, and bad input of every kind.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, CopyPastesIntoAnotherModuleRenamingClashesAndTheirHandlers) {
  TRunResult R = RunOk("copy Settings.fwf Button1 AutoSaveBox --to Main.fwf --parent ContentPanel");
  EXPECT_THAT(R.Out, HasSubstr("as Button2 (OnClick=Button2Click), AutoSaveBox"));
  // What was there keeps its tab order; the pasted controls come after it, in their own order.
  auto Block = [](const std::string& Form, const std::string& Name) {
    const size_t At = Form.find("object " + Name + ":");
    return At == std::string::npos ? std::string() : Form.substr(At, Form.find("    end\n", At) - At);
  };
  for (const char* Kept : {"NameEdit", "Button1"})
    EXPECT_EQ(Block(Read("Main.fwf"), Kept), Block(Before["Main.fwf"], Kept));
  EXPECT_THAT(Block(Read("Main.fwf"), "AutoSaveBox"), HasSubstr("TabOrder = 2"));
  EXPECT_THAT(Block(Read("Main.fwf"), "Button2"), HasSubstr("TabOrder = 3"));
  EXPECT_EQ(Json(RunOk("copy Settings.fwf Button1 --to Main.fwf --json"))["pasted"],
            nlohmann::json{"Button3"});
  // A handler the source inherits is in its ancestor's unit: the copy goes without it, and says so.
  EXPECT_THAT(RunOk("copy Settings.fwf OkButton --to Main.fwf").Out,
              HasSubstr("as OkButton; without OkButton.OnClick=OkButtonClick (handlers not in the unit of "
                        "Settings.fwf)\n"));
  RunOk("copy Main.fwf NameEdit --to Main.fwf");  // within one module: a duplicate
  const auto Doc = Show("Main.fwf");
  EXPECT_EQ(NodeField(Doc, "Button2", "parent"), "ContentPanel");
  EXPECT_EQ(NodeField(Doc, "Button1", "name"), "Button1");  // the main form's own stays as it was
  EXPECT_EQ(NodeField(Doc, "Edit1", "name"), "Edit1");
  EXPECT_EQ(NodeField(Doc, "NameEdit", "name"), "NameEdit");
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("OnClick = Button2Click"));
  EXPECT_THAT(Form, HasSubstr("OnClick = Button1Click"));
  // The handler's body came along under its new name.
  EXPECT_THAT(
      Read("Main.pas"),
      HasSubstr("procedure TMainForm.Button2Click(Sender: TObject);\nbegin\n  AutoSaveBox.Checked := True;"));
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);  // the source module is untouched
  EXPECT_EQ(Read("Settings.pas"), Before["Settings.pas"]);
}

// A name a descendant of the destination uses is taken there too: the pasted component and its
// handler are renamed, as add names a new component, and the descendant gets the copy.
TEST_F(ToolTest, CopyIntoAnAncestorRenamesWhatClashesWithItsDescendants) {
  EXPECT_THAT(RunOk("copy Main.fwf Button1 --to Dialog.fwf").Out,
              HasSubstr("pasted Button1 from Main.fwf as Button2 (OnClick=Button2Click)"));
  EXPECT_THAT(Read("Dialog.pas"), HasSubstr("    procedure Button2Click(Sender: TObject);\n"));
  EXPECT_EQ(NodeField(Show("Settings.fwf"), "Button2", "name"), "Button2");
  EXPECT_EQ(Read("Settings.pas"), Before["Settings.pas"]);
}

TEST_F(ToolTest, CopyRefusesMissingPartsBadUsageAndWhatAddWouldRefuse) {
  ExpectEachRefused({
      {"copy Settings.fwf NoSuch --to Main.fwf", 1, "there is no component named NoSuch"},
      {"copy Settings.fwf Button1 --to Missing.fwf", 1, "Missing.fwf: no such module file"},
      {"copy Settings.fwf Button1", 2, "copy needs --to DEST"},
      {"copy Settings.fwf Button1 --to Main.fwf --parent Nowhere", 1, "no component named Nowhere"},
      // No control in a data module, whatever holds it.
      {"copy Main.fwf NameEdit --to Data.fwf", 1,
       "Data.fwf: cannot paste NameEdit from Main.fwf: Controls cannot be added to a data module"},
      {"copy Main.fwf ToolPanel --to Data.fwf --parent ContactMenu", 1,
       "Data.fwf: cannot paste ToolPanel from Main.fwf: Controls cannot be added to a data module"},
      // A copy takes one parent's controls; the others are refused, not left behind.
      {"copy Main.fwf Button1 SearchButton --to Settings.fwf", 1,
       "Button1 and SearchButton have different parents and cannot be copied together"},
      // A reference to what the destination does not have would stop its save.
      {"copy Main.fwf OpenButton --to Dialog.fwf", 1,
       "Dialog.fwf: cannot paste OpenButton from Main.fwf: the copies refer to what Dialog.fwf does not "
       "have: "
       "OpenAction (copy it along, or --force leaves those references empty)"},
  });
  EXPECT_THAT(RunOk("copy Main.fwf OpenButton --to Dialog.fwf --force").Out,
              HasSubstr("as OpenButton; references left empty: OpenAction\n"));
  EXPECT_THAT(Read("Dialog.fwf"),
              AllOf(HasSubstr("object OpenButton: TButton"), Not(HasSubstr("OpenAction"))));
  // The handler the action gave the button stays behind with the action: nothing binds it.
  EXPECT_THAT(Read("Dialog.pas"), AllOf(HasSubstr("OpenButton: TButton;"), Not(HasSubstr("OpenAction"))));
  // Actions and menu items go into the list or menu named.
  RunOk("copy Data.fwf CopyAction --to Main.fwf --parent ActionList1");
  RunOk("copy Main.fwf ExitItem --to Data.fwf --parent ContactMenu");
  EXPECT_EQ(NodeField(Show("Main.fwf"), "CopyAction", "parent"), "ActionList1");
  EXPECT_EQ(NodeField(Show("Data.fwf"), "ExitItem", "parent"), "ContactMenu");
}

TEST_F(ToolTest, ConvertToBinaryAndBackIsLossless) {
  RunOk("convert Main.fwf --binary");
  const std::string Binary = Read("Main.fwf");
  EXPECT_THAT(Binary, Not(StartsWith("object")));
  EXPECT_EQ(AsText("Main.fwf"), Before["Main.fwf"]);
  // A binary module stays binary when edited.
  RunOk("set Main.fwf SearchButton.Caption=Find");
  EXPECT_THAT(Read("Main.fwf"), Not(StartsWith("object")));
  RunOk("set Main.fwf SearchButton.Caption=Search");
  RunOk("convert Main.fwf --text");
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  EXPECT_EQ(Read("Main.pas"), Before["Main.pas"]);
}

TEST_F(ToolTest, RunKeepsOneSessionSoLaterLinesSeeEarlierEdits) {
  TRunResult R = RunOk("run Main.fwf",
                       "# add then set, rename then copy\n"
                       "add Main.fwf TCheckBox --parent ContentPanel --name FavouriteBox\n"
                       "set Main.fwf FavouriteBox.Caption='Favourite contact'\n"
                       "rename Settings.fwf Button1 DefaultsButton\n"
                       "copy Settings.fwf DefaultsButton --to Main.fwf --parent ContentPanel\n");
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("object FavouriteBox: TCheckBox"));
  EXPECT_THAT(Form, HasSubstr("Caption = 'Favourite contact'"));
  EXPECT_THAT(Form, HasSubstr("object DefaultsButton: TButton"));
  EXPECT_THAT(Form, HasSubstr("OnClick = DefaultsButtonClick"));
  EXPECT_THAT(Read("Settings.fwf"), HasSubstr("DefaultsButton"));
}

TEST_F(ToolTest, MissingAndDamagedFilesAreReportedAndNothingChanges) {
  ExpectRefused(Run("show Nowhere.fwf"), 1, "Nowhere.fwf: no such module file");
  ExpectRefused(Run("show 'Z*.fwf'"), 1, "No module file matches Z*.fwf");
  Write("Broken.fwf", "object Broken: TBroken\n  Left = \n");
  Before = Snapshot();
  ExpectRefused(Run("show Broken.fwf"), 1, "Broken.fwf: ");
  Write("Cut.fwf", Read("Data.fwf").substr(0, 120));
  Write("Bogus.fwf", "object Bogus: TBogus\n  NoSuchProperty = 1\nend\n");
  Before = Snapshot();
  ExpectRefused(Run("show Cut.fwf"), 1, "Cut.fwf: ");
  ExpectRefused(Run("set Bogus.fwf Bogus.Caption=x"), 1, "Bogus.fwf: ");
}

TEST_F(ToolTest, AModuleWhoseAncestorOrFrameIsMissingSaysWhichClass) {
  fs::remove(Dir / "Dialog.fwf");
  fs::remove(Dir / "Address.fwf");
  Before = Snapshot();
  ExpectRefused(Run("show Settings.fwf"), 1,
                "Settings.fwf: TDialogForm is its ancestor, and no module file beside it has that class");
  ExpectRefused(
      Run("show Contact.fwf"), 1,
      "Contact.fwf: TAddressFrame is a frame it embeds, and no module file beside it has that class");
}

TEST_F(ToolTest, BadUsageAndAFailingRunLineExitWithTheirCodeAndSaveNothing) {
  ExpectEachRefused({
      {"run Main.fwf", 1, "line 2: Main.fwf: there is no component named NoSuch",
       "add Main.fwf TButton --parent ToolPanel\nset Main.fwf NoSuch.Caption=x\n"},
      {"run -e 'show Main.fwf' -e 'frobnicate Main.fwf'", 2, "line 2: Unknown verb 'frobnicate'"},
      {"run -e 'set Main.fwf SearchButton.Caption=\"unbalanced'", 2, "line 1:"},
      {"frobnicate Main.fwf", 2, "Unknown verb 'frobnicate'"},
      {"show", 2, "No module file given"},
      {"find . --class TButton", 2, ". is a folder: name its module files (./*.fwf)"},
      {"convert Main.fwf", 2, "convert needs one of --text and --binary"},
      {"convert Main.fwf Data.fwf --text -o X.fwf", 2, "-o needs exactly one module file"},
  });
  TRunResult Help = Run("--help");
  EXPECT_EQ(Help.Code, 0);
  EXPECT_THAT(Help.Out, HasSubstr("an error while reading a module stops the read"));
  TRunResult One = Run("help rename");
  EXPECT_EQ(One.Code, 0);
  EXPECT_THAT(One.Out, StartsWith("  formwright rename FILE... OLD NEW\n"));
}

TEST_F(ToolTest, JsonBeforeTheVerbAppliesToIt) {
  TRunResult R = RunOk("--json handlers Data.fwf");
  const auto Doc = Json(R);
  EXPECT_EQ(Doc["module"], "BookData");
  EXPECT_EQ(PropField(Doc["handlers"], "BookDataCreate", "events"),
            (nlohmann::ordered_json{"BookData.OnCreate"}));
}

}  // namespace
}  // namespace formwright::testing
