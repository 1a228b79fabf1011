// Names through the program: what rename, set and copy may name, and what handlers end bound to.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, APastedHandlerWithoutItsUnitIsDroppedNotReboundLater) {
  fs::create_directory(Dir / "bare");
  fs::copy_file(Dir / "Main.fwf", Dir / "bare" / "Main.fwf");
  TRunResult R = RunOk("run",
                       "copy bare/Main.fwf SearchButton --to Dialog.fwf\n"
                       "set Dialog.fwf OkButton.OnEnter=BrandNewHandler\n");
  const std::string Dialog = Read("Dialog.fwf");
  EXPECT_EQ(Dialog.find("BrandNewHandler"), Dialog.rfind("BrandNewHandler")) << Dialog;  // OkButton only
  EXPECT_THAT(Dialog, Not(HasSubstr("SearchButtonClick")));
}

TEST_F(ToolTest, ANewNameTypedOverAHandlerRenamesItInBothFiles) {
  TRunResult R = RunOk("set Dialog.fwf OkButton.OnClick=AcceptClick");
  EXPECT_THAT(Read("Dialog.fwf"), HasSubstr("OnClick = AcceptClick"));
  EXPECT_THAT(Read("Dialog.pas"), HasSubstr("TDialogForm.AcceptClick("));
  EXPECT_THAT(Read("Dialog.pas"), Not(HasSubstr("OkButtonClick")));
}

TEST_F(ToolTest, NamesTheUnitOrAnEmbeddedFrameCannotTakeAreRefusedAndNothingChanges) {
  ExpectRefused(Run("rename Contact.fwf HomeAddress.StreetLabel Foo"), 1,
                "Cannot rename component StreetLabel, component was introduced in an ancestor form");
  ExpectRefused(Run("rename Dialog.fwf OkButton begin"), 1, "begin is a reserved word");
  ExpectRefused(Run("rename Dialog.fwf OkButton DialogForm"), 1, "is the name of the module");
  ExpectRefused(Run("rename Dialog.fwf OkButton OkButtonClick"), 1, "names a method of the unit");
  ExpectRefused(Run("set Dialog.fwf OkButton.OnClick=ButtonPanel"), 1, "names a component");
  // The root shares its names with what it holds.
  ExpectRefused(Run("rename Main.fwf MainForm mainmenu1"), 1, "A component named mainmenu1 already exists");
  ExpectRefused(Run("inherit Dialog.fwf --name CancelButton -o Other.fwf"), 1,
                "A component named CancelButton already exists");
  // A folder holds one module file of each class: the modules built on one find it by its class.
  const char* Taken =
      "Dialog.fwf has the class TDialogForm already, and a folder holds one module file of each class";
  ExpectRefused(Run("rename Main.fwf MainForm DialogForm"), 1, Taken);
  ExpectRefused(Run("inherit Main.fwf --name DialogForm -o Other.fwf"), 1, Taken);
  // A descendant's class has what its ancestor's unit declares, private parts included.
  std::string Ancestor = Read("Dialog.pas");
  Ancestor.insert(
      Ancestor.find("  end;"),
      "  private\n    FTries, Button2: Integer;\n    procedure Recount;\n  public\n    property Tries: "
      "Integer read FTries;\n");
  Write("Dialog.pas", Ancestor);
  Before = Snapshot();
  ExpectRefused(Run("add Settings.fwf TButton --name Recount"), 1,
                "Recount is declared in the unit of DialogForm and cannot be used as a component name");
  ExpectRefused(Run("rename Settings.fwf Button1 tries"), 1, "tries is declared in the unit of DialogForm");
  ExpectRefused(Run("set Settings.fwf Button1.OnClick=FTries"), 1,
                "FTries is declared in the unit of DialogForm and cannot be used as a method name");
  // A name made up for a new component passes over them.
  EXPECT_THAT(RunOk("add Settings.fwf TButton").Out, HasSubstr("added Button3: TButton"));
}

TEST_F(ToolTest, APastedHandlerGivesWayToANameTheUnitGivesSomethingElse) {
  std::string Unit = Read("Main.pas");
  Unit.insert(Unit.find("  end;"), "  private\n    procedure Button2Click;\n");
  Write("Main.pas", Unit);
  EXPECT_THAT(RunOk("copy Settings.fwf Button1 --to Main.fwf").Out,
              HasSubstr("as Button2 (OnClick=Button2Click2)"));
  EXPECT_THAT(Read("Main.pas"), AllOf(HasSubstr("    procedure Button2Click;\n"),
                                      HasSubstr("procedure TMainForm.Button2Click2(Sender: TObject);")));
}

TEST_F(ToolTest, ARootThatOtherModulesInheritFromOrEmbedKeepsItsName) {
  ExpectRefused(
      Run("rename Address.fwf AddressFrame PostalFrame"), 1,
      "cannot rename AddressFrame to PostalFrame: its class TAddressFrame is named by the modules that "
      "depend on it: Contact.fwf (embeds it)");
  ExpectRefused(Run("rename Dialog.fwf DialogForm BaseDialog"), 1, "Settings.fwf (inherits from it)");
  RunOk("rename Main.fwf MainForm MainWindow");
  EXPECT_THAT(Read("Main.pas"), HasSubstr("TMainWindow = class(TForm)"));
}

}  // namespace
}  // namespace formwright::testing
