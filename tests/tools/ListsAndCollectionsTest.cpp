// String lists and collections in the program: a hand-written form with a list box and a
// status band keeps its lines, items are shown and typed by index, and refusals change nothing.
#include "ToolFixture.h"
#include "tests/support/Samples.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

// Written the way a person writes a form: the selection given before the items it selects.
const String StatusForm = Sample("StatusForm.fwf");

class ListsAndCollections : public ToolTest {
 protected:
  ListsAndCollections() {
    Write("Status.fwf", StatusForm);
    Write("Status.pas",
          "unit Status;\n\ninterface\n\ntype\n  TStatusForm = class(TForm)\n    Choices: TListBox;\n"
          "    Band: TStatusBand;\n  end;\n\nimplementation\n\nend.\n");
    Before = Snapshot();
  }
};

TEST_F(ListsAndCollections, ItemsAreShownByIndexAndTypedThroughTheirEditors) {
  const json Props = Json(Run("props Status.fwf Band --json"))["properties"];
  EXPECT_EQ(PropField(Props, "Sections", "value"), "(TStatusSections)");
  EXPECT_EQ(PropField(Props, "Sections", "editor"), "TCollectionProperty");
  const json Items = PropField(Props, "Sections", "items");
  ASSERT_EQ(Items.size(), 2u);
  EXPECT_EQ(Items[0]["name"], "[0]");
  EXPECT_EQ(Items[0]["value"], "Ready");
  EXPECT_EQ(PropField(Items[0]["properties"], "Width", "value"), "120");
  EXPECT_THAT(Run("props Status.fwf Band").Out, ::testing::ContainsRegex("\n    \\[1\\] +TStatusSection"));

  fs::create_directory(Dir / "before");
  for (const char* File : {"Status.fwf", "Status.pas"}) fs::copy_file(Dir / File, Dir / "before" / File);
  const TRunResult R =
      Run("set Status.fwf Band.Sections.Count=3 'Band.Sections[2].Text=Line 1' Band.Sections.Move=2,0 "
          "Band.Sections.Delete=2 Choices.Sorted=True");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("Status.fwf: Band.Sections.Count = 3 items\n"));
  EXPECT_THAT(R.Out, HasSubstr("Status.fwf: Band.Sections.Delete = 2 items\n"));
  const std::string Text = Read("Status.fwf");
  EXPECT_THAT(Text, HasSubstr("    Sections = <\n      item\n        Text = 'Line 1'\n      end\n"
                              "      item\n        Text = 'Ready'\n        Width = 120\n      end>\n"));
  EXPECT_THAT(Run("diff before/Status.fwf Status.fwf").Out,
              HasSubstr("    Sections[0].Text: Ready -> Line 1\n    Sections[0].Width: 120 -> 50\n"));
  // The selection follows its item when the list is sorted; the author's other lines stay.
  EXPECT_THAT(Text, HasSubstr("    ItemIndex = 1\n    Items.Strings = (\n      'apple'\n      'pear')\n"));
  EXPECT_THAT(Text, HasSubstr("  ClientWidth = 300\n  object Choices: TListBox\n    Left = 8\n"));
}

TEST_F(ListsAndCollections, ListBoxItemsTakeLinesFromAFileAndPrintThemBack) {
  Write("fruit.txt", "fig\n'quoted' kiwi\n");
  Before = Snapshot();
  const TRunResult R = Run("set Status.fwf Choices.Items=@fruit.txt");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_THAT(R.Out, HasSubstr("Status.fwf: Choices.Items = (2 lines)\n"));
  EXPECT_EQ(Run("props Status.fwf Choices --lines Items").Out, "fig\n'quoted' kiwi\n");
  // The selected item is gone: the list selects none, and says so by leaving ItemIndex out.
  EXPECT_THAT(Read("Status.fwf"), Not(HasSubstr("ItemIndex")));
}

TEST_F(ListsAndCollections, RefusalsNameTheItemAndChangeNoFile) {
  ExpectEachRefused({
      {"set Status.fwf Band.Sections[2].Text=x", 1, "Band.Sections has 2 items: there is no item 2"},
      // An index that is not one is the assignment's error, not a file pattern.
      {"set Status.fwf 'Band.Sections[-1].Text=x'", 1, "Band has no property Sections[-1].Text"},
      {"set Status.fwf Band.Sections.Count=4 Band.Sections.Delete=7", 1,
       "Band.Sections has 4 items: there is no item 7"},
      {"set Status.fwf Band.Sections.Count=many", 1,
       "Band.Sections.Count to 'many': Count takes a number, not 'many'"},
      {"set Status.fwf Band.Sections.Move=1", 1, "Move takes two item indexes (FROM,TO), not '1'"},
      {"set Status.fwf Band.Sections.Count=100000000", 1,
       "Band.Sections cannot be given more than 100000 items at once (100000000 asked)"},
      {"set Status.fwf Band.Sections=x", 1, "Property Band.Sections is read-only"},
      {"set Status.fwf Band.Sections[0].Width=-1", 1, "Width cannot be -1"},
      {"set Status.fwf Choices.ItemIndex=2", 1, "Item index 2 is out of range: the list has 2 items"},
      {"set Status.fwf Band.Color=clRedd", 1, "'clRedd' is not a valid colour"},
  });
}

TEST_F(ListsAndCollections, OrderThatChangesNothingSaysSoAndSavesNothing) {
  for (const char* Command : {"order Status.fwf Choices --back", "order Status.fwf Band --front",
                              "order Status.fwf Choices --index 0", "order Status.fwf Choices --tab 0",
                              "order Status.fwf Band --tab 9"}) {
    SCOPED_TRACE(Command);
    const TRunResult R = Run(Command);
    ASSERT_EQ(R.Code, 0) << R.Err;
    EXPECT_THAT(R.Out, HasSubstr("already: nothing changed\n"));
    EXPECT_THAT(R.Out, Not(HasSubstr("saved")));
    EXPECT_TRUE(Snapshot() == Before);
  }
  EXPECT_EQ(Json(Run("order Status.fwf Band --front --json"))["changed"], false);
}

}  // namespace
}  // namespace formwright::testing
