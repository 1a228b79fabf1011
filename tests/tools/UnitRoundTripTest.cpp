// A unit written by hand goes through the program's edits with only the edited spans changed.
#include "ToolFixture.h"
#include "formwright/testing/TextEdits.h"
#include "platform/runtime/SysUtils.h"

namespace formwright::testing {
namespace {

class UnitRoundTrip : public ToolTest {
 protected:
  UnitRoundTrip() {
    // The example's unit as its author keeps it: CRLF, a byte-order mark, comments, a uses
    // clause, a private section, the form variable and an initialization section.
    HandWritten =
        "\xEF\xBB\xBF" +
        WithCrLf(Replaced(Before["Main.pas"],
                          {{"interface\n", "interface\n\nuses\n  Books; { the catalogue }\n"},
                           {"    Button1: TButton;\n", "    Button1: TButton; // spare\n"},
                           {"    procedure Button1Click(Sender: TObject);\n  end;\n",
                            "    procedure Button1Click(Sender: TObject);\n  private\n"
                            "    FCount: Integer; (* née compteur *)\n  end;\n\nvar\n"
                            "  MainForm: TMainForm;\n"},
                           {"\nend.\n", "\ninitialization\n  {$IFDEF DEBUG} Trace; {$ENDIF}\nend.\n"}}));
    Write("Main.pas", HandWritten);
    Before = Snapshot();
  }
  std::string HandWritten;
};

// The unit is edited in place, never written anew from the module's model: a caption lives in
// the form file only, so the unit must keep every byte.
TEST_F(UnitRoundTrip, AnEditTheUnitDoesNotSeeLeavesItByteForByte) {
  TRunResult R = RunOk("set Main.fwf SearchButton.Caption=Find");
  EXPECT_EQ(Read("Main.pas"), HandWritten);
}

TEST_F(UnitRoundTrip, ARenameChangesTheFieldAndTheHandlerOnly) {
  TRunResult R = RunOk("rename Main.fwf SearchButton FindButton");
  EXPECT_EQ(Read("Main.pas"),
            Replaced(HandWritten, {{"    SearchButton: TButton;", "    FindButton: TButton;"},
                                   {"procedure SearchButtonClick(", "procedure FindButtonClick("},
                                   {"TMainForm.SearchButtonClick(", "TMainForm.FindButtonClick("}}));
}

TEST_F(UnitRoundTrip, AUnitThatCannotBeUnderstoodIsRefusedWithItsLine) {
  Write("Main.pas", Replaced(HandWritten, {{"FindByName(NameEdit.Text);", "FindByName('Name);"}}));
  Before = Snapshot();
  ExpectRefused(Run("set Main.fwf SearchButton.Caption=Find"), 1, "Main.pas: Unterminated string on line 49");
}

// A binary form names its class twice: in the resource header and in the component stream. The
// stream's class is the one the unit must declare; a header that still names the unit's class
// does not make a damaged stream open as a form of another kind, and the message shows the
// damaged name without its control character.
TEST_F(ToolTest, ABinaryFormWhoseClassTheUnitDoesNotDeclareIsRefused) {
  RunOk("convert Data.fwf --binary");
  std::string Binary = Read("Data.fwf");
  const size_t At = Binary.find("TBookData");
  ASSERT_NE(At, std::string::npos);
  Binary[At] = '\x1b';
  Write("Data.fwf", Binary);
  Before = Snapshot();
  ExpectRefused(Run("set Data.fwf BookData.Tag=5"), 1, "Class #27BookData is not declared");
}

}  // namespace
}  // namespace formwright::testing
