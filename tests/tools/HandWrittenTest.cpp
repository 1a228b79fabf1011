// Modules written by hand the way people write them (a byte-order mark, CRLF line ends, tabs
// mixed with spaces, comments, other classes in the unit, properties in their own order and
// letter case): each verb changes what it was asked to and leaves every other byte.
#include <regex>

#include "ToolFixture.h"
#include "tests/support/Samples.h"

namespace formwright::testing {
namespace {

std::string Crlf(const std::string& Text) {
  std::string R;
  for (const char Ch : Text) R += Ch == '\n' ? std::string("\r\n") : std::string(1, Ch);
  return R;
}

class HandWrittenTest : public ToolTest {
 protected:
  HandWrittenTest() {
    Write("Notes.fwf", Crlf(Sample("Notes.fwf")));
    Write("Notes.pas", "\xEF\xBB\xBF" + Crlf(Sample("Notes.pas")));
    Before = Snapshot();
  }
  // The file as it was with each `From` replaced by its `To` (given with LF line ends).
  std::string With(const std::string& File, const std::vector<std::pair<std::string, std::string>>& Edits) {
    std::string Text = Before[File];
    for (const auto& [From, To] : Edits) {
      const size_t At = Text.find(Crlf(From));
      EXPECT_NE(At, std::string::npos) << From;
      if (At != std::string::npos) Text.replace(At, Crlf(From).size(), Crlf(To));
    }
    return Text;
  }
};

TEST_F(HandWrittenTest, HandlersShowEachHeadingOnOneLine) {
  const nlohmann::ordered_json Doc = Json(RunOk("handlers Notes.fwf --json"));
  EXPECT_EQ(PropField(Doc["handlers"], "SaveBtnClick", "declaration"),
            "procedure SaveBtnClick(Sender: TObject)");
  EXPECT_EQ(PropField(Doc["handlers"], "NoteMemoKeyDown", "declaration"),
            "procedure NoteMemoKeyDown(Sender: TObject; var Key: Word; Shift: TShiftState)");
}

TEST_F(HandWrittenTest, NewDeclarationsTakeTheIndentationOfTheLineTheyFollow) {
  RunOk("run -e 'add Notes.fwf TLabel' -e 'set Notes.fwf SaveBtn.OnEnter=SaveBtnEnter'");
  const std::string Unit = Read("Notes.pas");
  EXPECT_EQ(
      Unit.substr(0, Unit.find("implementation")),
      With("Notes.pas", {{"    NoteMemo: TMemo;\n", "    NoteMemo: TMemo;\n    Label1: TLabel;\n"},
                         {"Shift: TShiftState);\n  private",
                          "Shift: TShiftState);\n    procedure SaveBtnEnter(Sender: TObject);\n  private"}})
          .substr(0, Unit.find("implementation")));
}

TEST_F(HandWrittenTest, RetypeRefusesToDropLinesOrItemsAndKeepsThemWhereTheNewClassHasThem) {
  ExpectEachRefused({
      {"retype Notes.fwf NoteMemo TEdit", 1,
       "Notes.fwf: cannot retype NoteMemo to TEdit: TEdit does not keep Lines (--force drops them)"},
      {"run -e 'add Notes.fwf TStatusBand --name Bar' -e 'set Notes.fwf Bar.Sections.Count=2' -e 'retype "
       "Notes.fwf Bar TPanel'",
       1, "TPanel does not keep Sections (--force drops them)"},
  });
  Write("kinds.txt", "Plain\nTodo\n");
  RunOk(
      "run -e 'add Notes.fwf TListBox --name Kinds' -e 'set Notes.fwf Kinds.Items=@kinds.txt' -e 'retype "
      "Notes.fwf Kinds TComboBox'");
  EXPECT_THAT(Read("Notes.fwf"), HasSubstr("Items.Strings = (\r\n      'Plain'\r\n      'Todo')\r\n"));
}

TEST_F(HandWrittenTest, ANameTheUnitGivesAValueIsRefusedForAComponent) {
  ExpectEachRefused({
      {"rename Notes.fwf SaveBtn nktodo", 1,
       "Notes.fwf: cannot rename SaveBtn to nktodo: nktodo is declared in the unit and cannot be used as a "
       "component name"},
      {"add Notes.fwf TButton --name nkPlain", 1, "nkPlain is declared in the unit"},
  });
}

TEST_F(HandWrittenTest, AUnitThatSpellsOutItsPublishedSectionKeepsItsDeclarationsThere) {
  std::string Unit = Read("Dialog.pas");
  Unit.replace(Unit.find("class(TForm)\n"), 13, "class(TForm)\n  published\n");
  Unit.insert(Unit.find("  end;"), "  private\n    FTries: Integer;\n");
  Write("Dialog.pas", Unit);
  RunOk("add Dialog.fwf TButton --parent ButtonPanel --name HelpButton");
  RunOk("rename Dialog.fwf CancelButton CloseButton");
  RunOk("set Dialog.fwf CloseButton.OnClick=OkButtonClick");
  std::string Expected = Unit;
  Expected.replace(Expected.find("    CancelButton: TButton;\n"), 27,
                   "    CloseButton: TButton;\n    HelpButton: TButton;\n");
  EXPECT_EQ(Read("Dialog.pas"), Expected);
}

TEST_F(HandWrittenTest, AScriptReadsAsTheShellWouldWithCommentsAfterTheWords) {
  RunOk(
      "run",
      Crlf("# notes\n\nset Notes.fwf SaveBtn.Caption='Save #1' # the button\n  add Notes.fwf TLabel  #x\n"));
  EXPECT_EQ(
      Read("Notes.fwf").substr(0, Read("Notes.fwf").find("  object CancelBtn")),
      With("Notes.fwf", {{"'&Save'", "'Save #1'"}}).substr(0, Read("Notes.fwf").find("  object CancelBtn")));
  EXPECT_THAT(Read("Notes.fwf"), HasSubstr("object Label1: TLabel"));
}

TEST_F(HandWrittenTest, AFileThatLeavesTheTabOrderOutKeepsItOutWhileItReadsTheSame) {
  RunOk("delete Notes.fwf CancelBtn");
  EXPECT_EQ(Read("Notes.fwf"),
            With("Notes.fwf",
                 {{"  object CancelBtn: TButton\n    Left = 96\n    Top = 160\n    Width = 75\n    Height = "
                   "25\n    Caption = 'Cancel'\n    onclick = AnyButtonClick\n  end\n",
                   ""}}));
  // An order the reading would not give is written out.
  RunOk("order Notes.fwf NoteMemo --tab 0");
  EXPECT_THAT(Read("Notes.fwf"), HasSubstr("'&Save'\r\n    OnClick = SaveBtnClick\r\n    TabOrder = 1\r\n"));
  EXPECT_THAT(Read("Notes.fwf"), HasSubstr("'second line')\r\n    TabOrder = 0\r\n"));
}

TEST_F(HandWrittenTest, ControlsPutInFrontOfOneAnotherKeepTheirTabOrderWhenReadAgain) {
  RunOk("order Notes.fwf NoteMemo --back");
  for (const auto& [Name, Tab] : {std::pair{"SaveBtn", "0"}, {"CancelBtn", "1"}, {"NoteMemo", "2"}})
    EXPECT_EQ(PropField(Json(RunOk(std::string("props Notes.fwf ") + Name + " --json"))["properties"],
                        "TabOrder", "value"),
              std::string(Tab))
        << Name;
}

TEST_F(HandWrittenTest, AFormThatScrollsByItselfGainsNoScrollRangeLines) {
  // Widening the form stretches the anchored list and lays the form out again.
  const std::string Form =
      "object WideForm: TWideForm\n  ClientWidth = 200\n  ClientHeight = 100\n  object Box: TListBox\n"
      "    Left = 8\n    Top = 40\n    Anchors = [akLeft, akTop, akRight]\n  end\nend\n";
  Write("Wide.fwf", Form);
  RunOk("set Wide.fwf @root.ClientWidth=250");
  EXPECT_EQ(Read("Wide.fwf"), std::regex_replace(std::regex_replace(Form, std::regex("200"), "250"),
                                                 std::regex("akRight]\n"), "akRight]\n    Width = 171\n"));
}

TEST_F(HandWrittenTest, ARootOfAFrameworkClassIsRefusedSayingWhy) {
  Write("Quick.fwf", "object Form1: TForm\n  Caption = 'x'\nend\n");
  Before = Snapshot();
  const std::string Why =
      "Quick.fwf: the root's class TForm is one of the framework's; a module's root needs a class of its "
      "own, as "
      "in 'object Form1: TForm1'";
  ExpectEachRefused({{"show Quick.fwf", 1, Why}, {"set Quick.fwf @root.Caption=y", 1, Why}});
}

// A field the unit declares with no component behind it is the one a component of that name
// takes: the unit keeps one declaration of the name, of the component's class.
TEST_F(HandWrittenTest, AComponentTakesTheFieldTheUnitDeclaresWithNoComponentBehindIt) {
  const std::string Unit =
      "unit Stale;\n\ninterface\n\ntype\n  TStaleForm = class(TForm)\n    Button1: TButton;\n"
      "    OldLabel: TLabel;\n  end;\n\nimplementation\n\nend.\n";
  const struct {
    const char *Command, *Fields;
  } Cases[] = {
      {"add Stale.fwf TLabel --name OldLabel", "    Button1: TButton;\n    OldLabel: TLabel;\n  end;"},
      {"add Stale.fwf TEdit --name OldLabel", "    Button1: TButton;\n    OldLabel: TEdit;\n  end;"},
      {"rename Stale.fwf Button1 OldLabel", "(TForm)\n    OldLabel: TButton;\n  end;"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Command);
    Write("Stale.fwf", "object StaleForm: TStaleForm\n  object Button1: TButton\n  end\nend\n");
    Write("Stale.pas", Unit);
    RunOk(C.Command);
    EXPECT_THAT(Read("Stale.pas"), HasSubstr(C.Fields));
  }
}

// A damaged form file is reported as such, even when the unit declares another class first
// (whose ancestor is no module's).
TEST_F(HandWrittenTest, ADamagedFormFileIsReportedAsDamaged) {
  std::string Unit = Before["Notes.pas"];
  Unit.insert(Unit.find("type\r\n") + 6, "  TNoteHelper = CLASS(TObject)\r\n  end;\r\n\r\n");
  Write("Notes.pas", Unit);
  const std::string Form = Before["Notes.fwf"];
  const std::vector<std::pair<std::string, std::string>> Damaged{
      {"", "Notes.fwf: the form file is empty"},
      {Form.substr(0, Form.find("\r\n", Form.find("\r\n") + 2) + 5), "Notes.fwf: '=' expected on line 3"},
  };
  for (const auto& [Text, Why] : Damaged) {
    Write("Notes.fwf", Text);
    Before = Snapshot();
    ExpectEachRefused({{"show Notes.fwf", 1, Why}, {"set Notes.fwf @root.Caption=y", 1, Why}});
  }
}

TEST_F(HandWrittenTest, HandlersAFormGivesAnEmbeddedFrameAreReadAndWrittenBack) {
  for (const char* F : {"Postal.fwf", "Postal.pas", "Customer.fwf", "Customer.pas"}) Write(F, Sample(F));
  EXPECT_THAT(RunOk("handlers Customer.fwf").Out,
              AllOf(HasSubstr("HomeEnter(Sender: TObject)    <- Home.OnEnter"),
                    HasSubstr("TownChanged(Sender: TObject)  <- Home.TownEdit.OnChange")));
  RunOk("convert Customer.fwf --binary");
  RunOk("convert Customer.fwf --text");
  EXPECT_THAT(Read("Customer.fwf"),
              AllOf(HasSubstr("    OnEnter = HomeEnter\n"),
                    HasSubstr("inherited TownEdit: TEdit\n      OnChange = TownChanged\n")));
}

TEST_F(HandWrittenTest, AModuleWithoutItsUnitOpensAsWhatItsStreamShowsAndANewUnitSaysSo) {
  Write("Stock.fwf",
        Crlf("object StockData: TStockData\n  OnCreate = StockDataCreate\n  object Items: TActionList\n"
             "    Left = 16\n  end\nend\n"));
  Write("Menus.fwf", "object MenuForm: TMenuForm\n  Caption = 'm'\n  object Menu: TMainMenu\n  end\nend\n");
  Write("Sized.fwf",
        "object Sized: TSized\n  Width = 90\n  object Menu: TMainMenu\n  end\n  object B: TButton\n"
        "  end\nend\n");
  // A frame sets what only a frame has; a form that embeds it opens with it.
  Write("Address.fwf",
        "object AddressFrame: TAddressFrame\n  Width = 320\n  TabStop = True\n  object Street: TEdit\n  "
        "end\nend\n");
  Write("Contact.fwf",
        "object ContactForm: TContactForm\n  inline Home: TAddressFrame\n    Top = 8\n  end\nend\n");
  EXPECT_THAT(RunOk("show Stock.fwf Menus.fwf Sized.fwf Address.fwf Contact.fwf").Out,
              AllOf(HasSubstr("(TStockData, inherits TDataModule)"), HasSubstr("(TMenuForm, inherits TForm)"),
                    HasSubstr("(TSized, inherits TForm)"), HasSubstr("(TAddressFrame, inherits TFrame)"),
                    HasSubstr("Home: TAddressFrame")));
  RunOk("convert Address.fwf --binary");
  std::filesystem::remove(Dir / "Address.pas");
  EXPECT_THAT(RunOk("show Address.fwf").Out, HasSubstr("(TAddressFrame, inherits TFrame), binary form"));
  // The unit the module was read without is made, and said to be.
  EXPECT_THAT(RunOk("add Stock.fwf TMainMenu").Out,
              HasSubstr("saved Stock.fwf (text form, and a new unit Stock.pas)\n"));
  EXPECT_THAT(Read("Stock.pas"), HasSubstr("TStockData = class(TDataModule)"));
  RunOk("convert Stock.fwf --binary");
  std::filesystem::remove(Dir / "Stock.pas");
  EXPECT_THAT(RunOk("show Stock.fwf").Out, HasSubstr("(TStockData, inherits TDataModule), binary form"));
}

}  // namespace
}  // namespace formwright::testing
