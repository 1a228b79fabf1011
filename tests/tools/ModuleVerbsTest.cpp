// copy, convert, run, and bad input of every kind.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, CopyPastesIntoAnotherModuleRenamingClashesAndTheirHandlers) {
  TRunResult R = Run("copy Settings.fwf Button1 AutoSaveBox --to Main.fwf --parent ContentPanel");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(R.Out.find("as Button2 (OnClick=Button2Click), AutoSaveBox"), std::string::npos) << R.Out;
  const auto Doc = Json(Run("show Main.fwf --json"));
  const auto* Copy = FindNode(Doc["root"], "Button2");
  ASSERT_TRUE(Copy);
  EXPECT_EQ((*Copy)["parent"], "ContentPanel");
  EXPECT_TRUE(FindNode(Doc["root"], "Button1"));  // the main form's own stays as it was
  const std::string Form = Read("Main.fwf");
  EXPECT_NE(Form.find("OnClick = Button2Click"), std::string::npos) << Form;
  EXPECT_NE(Form.find("OnClick = Button1Click"), std::string::npos) << Form;
  // The handler's body came along under its new name.
  const std::string Unit = Read("Main.pas");
  EXPECT_NE(
      Unit.find("procedure TMainForm.Button2Click(Sender: TObject);\nbegin\n  AutoSaveBox.Checked := True;"),
      std::string::npos)
      << Unit;
  EXPECT_EQ(Read("Settings.fwf"), Before["Settings.fwf"]);  // the source module is untouched
  EXPECT_EQ(Read("Settings.pas"), Before["Settings.pas"]);
}

TEST_F(ToolTest, CopyWithinOneModuleDuplicates) {
  ASSERT_EQ(Run("copy Main.fwf NameEdit --to Main.fwf").Code, 0);
  const auto Doc = Json(Run("show Main.fwf --json"));
  ASSERT_TRUE(FindNode(Doc["root"], "Edit1"));
  EXPECT_TRUE(FindNode(Doc["root"], "NameEdit"));
}

TEST_F(ToolTest, CopyRefusesMissingPartsAndBadUsage) {
  ExpectRefused(Run("copy Settings.fwf NoSuch --to Main.fwf"), 1, "there is no component named NoSuch");
  ExpectRefused(Run("copy Settings.fwf Button1 --to Missing.fwf"), 1, "Missing.fwf: no such module file");
  ExpectRefused(Run("copy Settings.fwf Button1"), 2, "copy needs --to DEST");
  ExpectRefused(Run("copy Settings.fwf Button1 --to Main.fwf --parent Nowhere"), 1,
                "no component named Nowhere");
}

TEST_F(ToolTest, CopyFollowsTheRulesOfAdd) {
  // No control in a data module, whatever holds it.
  ExpectRefused(Run("copy Main.fwf NameEdit --to Data.fwf"), 1,
                "Data.fwf: cannot paste NameEdit from Main.fwf: Control 'NameEdit' can only be placed into a "
                "windowed control");
  ExpectRefused(Run("copy Main.fwf ToolPanel --to Data.fwf --parent ContactMenu"), 1,
                "Control 'ToolPanel' can only be placed into a windowed control");
  // Actions and menu items go into the list or menu named.
  ASSERT_EQ(Run("copy Data.fwf CopyAction --to Main.fwf --parent ActionList1").Code, 0);
  ASSERT_EQ(Run("copy Main.fwf ExitItem --to Data.fwf --parent ContactMenu").Code, 0);
  EXPECT_EQ((*FindNode(Json(Run("show Main.fwf --json"))["root"], "CopyAction"))["parent"], "ActionList1");
  EXPECT_EQ((*FindNode(Json(Run("show Data.fwf --json"))["root"], "ExitItem"))["parent"], "ContactMenu");
}

TEST_F(ToolTest, ConvertToBinaryAndBackIsLossless) {
  ASSERT_EQ(Run("convert Main.fwf --binary").Code, 0);
  const std::string Binary = Read("Main.fwf");
  EXPECT_NE(Binary.rfind("object", 0), 0u);
  EXPECT_EQ(AsText("Main.fwf"), Before["Main.fwf"]);
  // A binary module stays binary when edited.
  ASSERT_EQ(Run("set Main.fwf SearchButton.Caption=Find").Code, 0);
  EXPECT_NE(Read("Main.fwf").rfind("object", 0), 0u);
  ASSERT_EQ(Run("set Main.fwf SearchButton.Caption=Search").Code, 0);
  ASSERT_EQ(Run("convert Main.fwf --text").Code, 0);
  EXPECT_EQ(Read("Main.fwf"), Before["Main.fwf"]);
  EXPECT_EQ(Read("Main.pas"), Before["Main.pas"]);
}

TEST_F(ToolTest, ConvertToAnotherFileLeavesTheOriginalAndBringsTheUnit) {
  TRunResult R = Run("convert Data.fwf --binary -o DataCopy.fwf");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_EQ(Read("Data.fwf"), Before["Data.fwf"]);
  EXPECT_EQ(AsText("DataCopy.fwf"), Before["Data.fwf"]);
  EXPECT_NE(Read("DataCopy.pas").find("procedure TBookData.CopyActionExecute"), std::string::npos);
}

TEST_F(ToolTest, RunKeepsOneSessionSoLaterLinesSeeEarlierEdits) {
  TRunResult R = Run("run Main.fwf",
                     "# add then set, rename then copy\n"
                     "add Main.fwf TCheckBox --parent ContentPanel --name FavouriteBox\n"
                     "set Main.fwf FavouriteBox.Caption='Favourite contact'\n"
                     "rename Settings.fwf Button1 DefaultsButton\n"
                     "copy Settings.fwf DefaultsButton --to Main.fwf --parent ContentPanel\n");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const std::string Form = Read("Main.fwf");
  EXPECT_NE(Form.find("object FavouriteBox: TCheckBox"), std::string::npos) << Form;
  EXPECT_NE(Form.find("Caption = 'Favourite contact'"), std::string::npos);
  EXPECT_NE(Form.find("object DefaultsButton: TButton"), std::string::npos);
  EXPECT_NE(Form.find("OnClick = DefaultsButtonClick"), std::string::npos);
  EXPECT_NE(Read("Settings.fwf").find("DefaultsButton"), std::string::npos);
}

TEST_F(ToolTest, ARunThatFailsOnAnyLineSavesNothing) {
  ExpectRefused(
      Run("run Main.fwf", "add Main.fwf TButton --parent ToolPanel\nset Main.fwf NoSuch.Caption=x\n"), 1,
      "line 2: Main.fwf: there is no component named NoSuch");
  ExpectRefused(Run("run -e 'show Main.fwf' -e 'frobnicate Main.fwf'"), 2,
                "line 2: Unknown verb 'frobnicate'");
  ExpectRefused(Run("run -e 'set Main.fwf SearchButton.Caption=\"unbalanced'"), 2, "line 1:");
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

TEST_F(ToolTest, BadUsageExitsWithTwo) {
  ExpectRefused(Run("frobnicate Main.fwf"), 2, "Unknown verb 'frobnicate'");
  ExpectRefused(Run("show"), 2, "No module file given");
  ExpectRefused(Run("convert Main.fwf"), 2, "convert needs one of --text and --binary");
  ExpectRefused(Run("convert Main.fwf Data.fwf --text -o X.fwf"), 2, "-o needs exactly one module file");
  TRunResult None = Run("");
  EXPECT_EQ(None.Code, 2);
  TRunResult Help = Run("--help");
  EXPECT_EQ(Help.Code, 0);
  EXPECT_NE(Help.Out.find("an error while reading a module stops the read"), std::string::npos);
  TRunResult One = Run("help rename");
  EXPECT_EQ(One.Code, 0);
  EXPECT_EQ(One.Out.rfind("  formwright rename FILE... OLD NEW\n", 0), 0u) << One.Out;
}

TEST_F(ToolTest, JsonBeforeTheVerbAppliesToIt) {
  TRunResult R = Run("--json handlers Data.fwf");
  ASSERT_EQ(R.Code, 0) << R.Err;
  const auto Doc = Json(R);
  EXPECT_EQ(Doc["module"], "BookData");
  const auto* Create = FindProp(Doc["handlers"], "BookDataCreate");
  ASSERT_TRUE(Create);
  EXPECT_EQ((*Create)["events"], (nlohmann::ordered_json{"BookData.OnCreate"}));
}

}  // namespace
}  // namespace formwright::testing
