// Files are never damaged: a command changes every file it should or none, keeps modes, prints
// its success only once it succeeded, and survives any file in the folder.
#include <sys/stat.h>

#include "ToolFixture.h"

namespace formwright::testing {
namespace {

mode_t ModeOf(const fs::path& P) {
  struct stat St {};
  ::stat(P.c_str(), &St);
  return St.st_mode & 07777;
}

TEST_F(ToolTest, AReadOnlyUnitStopsARenameBeforeTheFormFileChanges) {
  fs::permissions(Dir / "Main.pas", fs::perms::owner_read | fs::perms::group_read);
  Before = Snapshot();
  ExpectRefused(Run("rename Main.fwf SearchButton FindButton"), 1, "'Main.pas' is a read-only file");
}

TEST_F(ToolTest, AScriptOverTwoModulesSavesNeitherWhenTheSecondCannotBeSaved) {
  fs::permissions(Dir / "Settings.pas", fs::perms::owner_read);
  Before = Snapshot();
  // Both lines are accepted; the second module's unit refuses the save.
  ExpectRefused(
      Run("run", "set Main.fwf SearchButton.Caption=Find\nrename Settings.fwf Button1 ResetButton\n"), 1,
      "'Settings.pas' is a read-only file");
  // And a line that fails stops the script with nothing printed of the lines before it.
  ExpectRefused(Run("run", "add Main.fwf TButton --parent ToolPanel\nset Data.fwf Nope.Caption=x\n"), 1,
                "line 2: Data.fwf: there is no component named Nope in BookData");
}

TEST_F(ToolTest, SavedFilesKeepTheirModes) {
  fs::permissions(Dir / "Main.fwf", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::permissions(Dir / "Main.pas", fs::perms::owner_all | fs::perms::others_read);
  const TRunResult R = RunOk("rename Main.fwf SearchButton FindButton");
  EXPECT_EQ(ModeOf(Dir / "Main.fwf"), 0640u);
  EXPECT_EQ(ModeOf(Dir / "Main.pas"), 0704u);
  EXPECT_NE(Read("Main.pas"), Before["Main.pas"]);
  EXPECT_EQ(Hidden(), std::vector<std::string>());
}

TEST_F(ToolTest, ConvertToAnotherFileNeverReplacesAUnitUnasked) {
  Write("Copy.pas", "unit Copy;\n// someone's code\nend.\n");
  Before = Snapshot();
  ExpectRefused(Run("convert Data.fwf --text -o Copy.fwf"), 1,
                "Copy.pas already exists; --force replaces it");
  ExpectRefused(Run("convert Data.fwf --text -o Data.pas/"), 1, "no such folder");
  const TRunResult R = RunOk("convert Data.fwf --binary -o Copy.fwf --force");
  EXPECT_EQ(AsText("Copy.fwf"), Before["Data.fwf"]);
  EXPECT_EQ(Read("Data.fwf"), Before["Data.fwf"]);
  const std::string Unit = Read("Copy.pas");
  EXPECT_THAT(Unit, StartsWith("unit Copy;\n"));
  EXPECT_THAT(Unit, HasSubstr("procedure TBookData.CopyActionExecute"));
}

TEST_F(ToolTest, ConvertIntoAFolderKeepsEachModulesName) {
  fs::create_directory(Dir / "out");
  const TRunResult R = RunOk("convert Data.fwf Main.fwf --binary -o out/");
  EXPECT_EQ(R.Out, "saved out/Data.fwf (binary form)\nsaved out/Main.fwf (binary form)\n");
  EXPECT_EQ(Read("out/Data.pas"), Before["Data.pas"]);
  EXPECT_EQ(Read("Data.fwf"), Before["Data.fwf"]);
  EXPECT_EQ(AsText("out/Main.fwf"), Before["Main.fwf"]);
}

// Hand-made files a folder may hold: none of them may stop a command on another module.
TEST_F(ToolTest, OversizedHeadersAnywhereInTheFolderStopNoCommand) {
  const std::string Long(40000, 'N');
  Write("LongName.fwf", "object " + Long + ": TLongName\nend\n");
  Write("LongClass.fwf", "object Frame9: T" + Long + "\nend\n");
  Write("LongInline.fwf", "object Holder: THolder\n  inline Frame1: T" + Long + "\n  end\nend\n");
  Write("Blank.fwf", std::string(30000, '\n') + "object Blank: TBlank\nend\n");
  Write("Spaces.fwf", std::string(40000, ' '));
  Before = Snapshot();
  for (const char* Command :
       {"show Main.fwf", "show Settings.fwf", "show Contact.fwf", "handlers Data.fwf"}) {
    const TRunResult R = RunOk(Command);
  }
  const TRunResult Check = Run("check");
  EXPECT_EQ(Check.Code, 1);
  for (const char* Broken :
       {"  Blank.fwf: ", "  LongName.fwf: ", "  LongClass.fwf: ", "  LongInline.fwf: ", "  Spaces.fwf: "})
    EXPECT_THAT(Check.Err, HasSubstr(Broken));
  EXPECT_THAT(Check.Err, StartsWith("formwright: 5 of 11 modules do not open:\n"));
  EXPECT_TRUE(Snapshot() == Before);
}

TEST_F(ToolTest, PositionsAndSizesNeverWrap) {
  ExpectRefused(Run("add Main.fwf TButton --at 4294967306,5"), 2, "--at takes numbers between");
  ExpectRefused(Run("add Main.fwf TButton --at 5,5 --size 2147483647,10"), 2, "--size takes numbers between");
  ExpectRefused(Run("set Main.fwf MainForm.ClientWidth=2147483647"), 1,
                "2147483647 is out of range for a position or size");
  ExpectRefused(Run("set Main.fwf SearchButton.Width=2147483647"), 1, "out of range for a position or size");
  const TRunResult R = RunOk("set Main.fwf MainForm.ClientWidth=100000");
  EXPECT_THAT(Read("Main.fwf"), HasSubstr("ClientWidth = 100000"));
}

}  // namespace
}  // namespace formwright::testing
