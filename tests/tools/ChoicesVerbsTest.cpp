// Radio buttons, combo boxes and group boxes through the program: added, set, refused, drawn.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, ChoiceControlsAreAddedSetAndRendered) {
  Write("sizes.txt", "Small\nLarge\n");
  const TRunResult R = RunOk("run Main.fwf",
                             "add Main.fwf TGroupBox --parent ContentPanel --name SizeGroup\n"
                             "add Main.fwf TRadioButton --parent SizeGroup --name SmallButton\n"
                             "add Main.fwf TComboBox --parent ContentPanel --name SizeCombo\n"
                             "set Main.fwf SizeGroup.Caption=Size SmallButton.Checked=True\n"
                             "set Main.fwf SizeCombo.Items=@sizes.txt SizeCombo.ItemIndex=1\n");
  const std::string Form = Read("Main.fwf");
  EXPECT_THAT(Form, HasSubstr("object SizeGroup: TGroupBox"));
  EXPECT_THAT(Form, HasSubstr("      object SmallButton: TRadioButton"));
  EXPECT_THAT(Form, HasSubstr("Checked = True"));
  EXPECT_THAT(Form, HasSubstr("ItemIndex = 1\n"));
  EXPECT_THAT(Form, HasSubstr("Text = 'Large'\n"));
  EXPECT_EQ(Run("render Main.fwf --handles SizeCombo").Code, 0);
  Before = Snapshot();
  ExpectRefused(Run("set Main.fwf SizeCombo.ItemIndex=2"), 1,
                "Item index 2 is out of range: the list has 2 items");
}

}  // namespace
}  // namespace formwright::testing
