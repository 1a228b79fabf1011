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
}

}  // namespace
}  // namespace formwright::testing
