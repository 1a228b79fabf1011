// A unit read from a file is edited in place: every change touches its own spans and nothing
// else, whatever the unit's comments, directives, other classes, line ends or byte-order mark.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "host/ModuleSource.h"
#include "tests/host/SignatureSupport.h"
#include "tests/host/UnitSamples.h"

using namespace formwright;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsSupersetOf;
using ::testing::ThrowsMessage;

namespace {

// A unit as it is stored: line ends and byte-order mark.
struct TStorage {
  const char* Name;
  std::function<String(const String&)> Store;
};
const TStorage Storages[] = {
    {"LF", [](const String& S) { return S; }},
    {"CRLF", [](const String& S) { return StringReplaceAll(S, "\n", "\r\n"); }},
    {"BOM and CRLF", [](const String& S) { return "\xEF\xBB\xBF" + StringReplaceAll(S, "\n", "\r\n"); }},
};

struct TEditCase {
  const char* Name;
  std::function<void(TModuleSource&)> Edit;
  TReplacements Expected;  // what the unit becomes, as replacements of its text
};

const TEditCase EditCases[] = {
    {"nothing changed", [](TModuleSource&) {}, {}},
    {"field added after the last field",
     [](TModuleSource& M) { M.AddField("SaveButton", "TButton"); },
     {{"    OkButton, CancelButton: TButton;\n",
       "    OkButton, CancelButton: TButton;\n    SaveButton: TButton;\n"}}},
    {"field removed with its line",
     [](TModuleSource& M) { M.ComponentRenamed(nullptr, "NameEdit", ""); },
     {{"    NameEdit: TEdit; (* the name *)\n", ""}}},
    {"first of two names removed",
     [](TModuleSource& M) { M.ComponentRenamed(nullptr, "OkButton", ""); },
     {{"OkButton, CancelButton: TButton;", "CancelButton: TButton;"}}},
    {"last of two names removed",
     [](TModuleSource& M) { M.ComponentRenamed(nullptr, "CancelButton", ""); },
     {{"OkButton, CancelButton: TButton;", "OkButton: TButton;"}}},
    {"both names removed",
     [](TModuleSource& M) {
       M.ComponentRenamed(nullptr, "CancelButton", "");
       M.ComponentRenamed(nullptr, "OkButton", "");
     },
     {{"    OkButton, CancelButton: TButton;\n", ""}}},
    {"field renamed",
     [](TModuleSource& M) { M.ComponentRenamed(nullptr, "NameEdit", "FirstNameEdit"); },
     {{"    NameEdit: TEdit;", "    FirstNameEdit: TEdit;"}}},
    {"field of another class",
     [](TModuleSource& M) { M.AddField("nameedit", "TMemo"); },
     {{"NameEdit: TEdit;", "NameEdit: TMemo;"}}},
    {"field replaced by a component of another class, in its place",
     [](TModuleSource& M) {
       M.ComponentRenamed(nullptr, "NameEdit", "");
       M.AddField("NewNameEdit", "TMemo");
       M.ComponentRenamed(nullptr, "NewNameEdit", "NameEdit");
     },
     {{"NameEdit: TEdit;", "NameEdit: TMemo;"}}},
    {"handler created after the last method",
     [](TModuleSource& M) { M.CreateMethod("SaveButtonClick", NotifyEvent()); },
     {{"    procedure NameEditChange(Sender: TObject);\n",
       "    procedure NameEditChange(Sender: TObject);\n    procedure SaveButtonClick(Sender: TObject);\n"},
      {"  Caption := Title;\nend;\n",
       "  Caption := Title;\nend;\n\nprocedure TPeopleForm.SaveButtonClick(Sender: "
       "TObject);\nbegin\nend;\n"}}},
    {"handler renamed in its declaration and implementation",
     [](TModuleSource& M) { M.RenameMethod("okbuttonclick", "SaveClick"); },
     {{"procedure OkButtonClick(", "procedure SaveClick("},
      {"procedure TPeopleForm.OkButtonClick(", "procedure TPeopleForm.SaveClick("}}},
    {"form class renamed with its variable",
     [](TModuleSource& M) { M.RootRenamed(nullptr, "Staff"); },
     {{"TPeopleForm = class(TForm)", "TStaff = class(TForm)"},
      {"helper for TPeopleForm", "helper for TStaff"},
      {"PeopleForm: TPeopleForm;", "Staff: TStaff;"},
      {"procedure TPeopleForm.OkButtonClick", "procedure TStaff.OkButtonClick"},
      {"procedure TPeopleForm.NameEditChange", "procedure TStaff.NameEditChange"},
      {"procedure TPeopleForm.Refresh", "procedure TStaff.Refresh"}}},
    {"used unit added",
     [](TModuleSource& M) { M.AddImportedRoot("Address"); },
     {{"StdCtrls; // the framework", "StdCtrls, Address; // the framework"}}},
    {"unit renamed", [](TModuleSource& M) { M.RenameUnit("Staff"); }, {{"unit People;", "unit Staff;"}}},
    {"several changes at once",
     [](TModuleSource& M) {
       M.ComponentRenamed(nullptr, "DebugLabel", "");
       M.AddField("SaveButton", "TButton");
       M.CreateMethod("SaveButtonClick", NotifyEvent());
       M.RenameMethod("NameEditChange", "NameChanged");
     },
     {{"    DebugLabel: TLabel;\n", ""},
      {"TButton;\n    procedure OkButtonClick(Sender: TObject);\n    procedure NameEditChange(Sender: "
       "TObject);\n",
       "TButton;\n    SaveButton: TButton;\n    procedure OkButtonClick(Sender: TObject);\n"
       "    procedure NameChanged(Sender: TObject);\n    procedure SaveButtonClick(Sender: TObject);\n"},
      {"TPeopleForm.NameEditChange", "TPeopleForm.NameChanged"},
      {"  Caption := Title;\nend;\n",
       "  Caption := Title;\nend;\n\nprocedure TPeopleForm.SaveButtonClick(Sender: "
       "TObject);\nbegin\nend;\n"}}},
};

IPtr<TModuleSource> Loaded(const String& Text) {
  auto M = MakeIntf<TModuleSource>("People", String(), String());
  M->LoadUnit(Text, "People.pas", "TPeopleForm");
  return M;
}

}  // namespace

TEST(UnitEdit, EachEditChangesItsOwnSpansAndNothingElse) {
  for (const TStorage& S : Storages)
    for (const TEditCase& C : EditCases) {
      SCOPED_TRACE(String(S.Name) + ": " + C.Name);
      IPtr<TModuleSource> M = Loaded(S.Store(People));
      C.Edit(*M);
      EXPECT_EQ(M->Text(), S.Store(Replaced(People, C.Expected)));
    }
}

TEST(UnitEdit, TheFormClassIsFoundAmongOtherClassesWithItsFieldsAndHandlers) {
  IPtr<TModuleSource> M = Loaded(People);
  EXPECT_EQ(M->ClassName(), "TPeopleForm");
  EXPECT_EQ(M->GetAncestorClassName("TPeopleForm"), "TForm");
  std::vector<String> Fields;
  for (const auto& [Name, Class] : M->Fields()) Fields.push_back(Name + ": " + Class);
  EXPECT_THAT(Fields, ElementsAre("NameEdit: TEdit", "DebugLabel: TLabel", "OkButton: TButton",
                                  "CancelButton: TButton"));
  ASSERT_EQ(M->Handlers().size(), 2u);
  // The handler's body is its block, past the nested routine and the local variables.
  EXPECT_EQ(M->Handlers()[0].Body.front(), "  Check;");
  EXPECT_EQ(M->Handlers()[0].Body.back(), "  end;");
  EXPECT_EQ(M->Handlers()[1].Body, std::vector<String>{"  OkButton.Enabled := NameEdit.Text <> '';"});
  // A copied handler is the text its author wrote, nested routine included.
  const String Copied = M->CopyHandlers({"OkButtonClick"});
  EXPECT_THAT(Copied,
              HasSubstr("procedure TPeopleForm.OkButtonClick(Sender: TObject);\n\n  procedure Check;"));
  EXPECT_THAT(Copied, HasSubstr("    Tag := I;\n  end;\nend;"));
}

TEST(UnitEdit, AFieldTypeWrittenWithItsUnitIsTheSameClass) {
  const String Text = StringReplaceAll(People, "NameEdit: TEdit;", "NameEdit: StdCtrls.TEdit;");
  IPtr<TModuleSource> M = Loaded(Text);
  M->AddField("NameEdit", "TEdit");  // as reading the form does
  EXPECT_EQ(M->Text(), Text);
  M->AddField("NameEdit", "TMemo");
  EXPECT_EQ(M->Text(), StringReplaceAll(People, "NameEdit: TEdit;", "NameEdit: TMemo;"));
}

TEST(UnitEdit, ACopyOfTheUnitTakesItsNewNameAndTheEditsOfTheOriginal) {
  IPtr<TModuleSource> M = Loaded(People);
  M->AddField("SaveButton", "TButton");
  const String Edited =
      Replaced(People, {{"CancelButton: TButton;\n", "CancelButton: TButton;\n    SaveButton: TButton;\n"}});
  EXPECT_EQ(M->TextAs("Staff"), Replaced(Edited, {{"unit People;", "unit Staff;"}}));
  EXPECT_EQ(M->Text(), Edited);
}

TEST(UnitEdit, NamesTheUnitAlreadyUsesAreKnown) {
  IPtr<TModuleSource> M = Loaded(People);
  M->CreateMethod("SaveClick", NotifyEvent());
  EXPECT_THAT(M->MethodNames(), IsSupersetOf({"OkButtonClick", "NameEditChange", "Refresh", "SaveClick"}));
  EXPECT_THAT(M->TypeNames(), IsSupersetOf({"TPerson", "TPeopleForm", "TPeopleFormHelper"}));
  EXPECT_EQ(Supports<IDesignerModuleNames>(IPtr<IDesignerModule>(M)).Get(),
            static_cast<IDesignerModuleNames*>(M.Get()));
  for (const char* Name : {"refresh", "SAVECLICK", "TPerson", "People", "FPeople", "TPeopleForm"})
    EXPECT_TRUE(M->DeclaresName(Name)) << Name;
  for (const char* Name : {"NameEdit", "Load", "Count", "FName", "Button1"})
    EXPECT_FALSE(M->DeclaresName(Name)) << Name;  // components, or members of other classes
}

namespace {
// A unit of one form class with one handler, Click, around the given pieces of text.
String OneHandlerUnit(const String& Types, const String& Members, const String& Routine) {
  return "unit U;\ninterface\ntype\n" + Types + "  TForm1 = class(TForm)\n" + Members +
         "    procedure Click(Sender: TObject);\n  end;\nimplementation\n" + Routine + "\nend.\n";
}

struct TConstruct {
  const char* Name;
  String Types, Members, Routine;
  std::vector<String> Body;  // what the reader takes as Click's body
};
}  // namespace

TEST(UnitEdit, HandlersAreFoundPastTheLanguagesHarderConstructs) {
  const String Head = "procedure TForm1.Click(Sender: TObject);\n";
  const TConstruct Cases[] = {
      {"assembler body", "", "", Head + "asm\n  nop\nend;", {"  nop"}},
      {"quotes, codes and keywords in strings",
       "",
       "",
       Head + "begin\n  S := 'it''s end;' + #13#10'begin';\nend;",
       {"  S := 'it''s end;' + #13#10'begin';"}},
      {"keywords as names", "", "", Head + "begin\n  X.&End := &begin;\nend;", {"  X.&End := &begin;"}},
      {"variant record in local variables",
       "",
       "",
       Head +
           "var\n  R: record\n    case Integer of\n      0: (A: Integer);\n  end;\nbegin\n  R.A := 1;\nend;",
       {"  R.A := 1;"}},
      {"forward and class-of declarations first",
       "  TForm1 = class;\n  TFormClass = class of TForm1;\n",
       "",
       Head + "begin\n  Beep;\nend;",
       {"  Beep;"}},
      {"comment styles inside each other",
       "",
       "    (* { *) { (* } // }\n",
       Head + "begin\n  { end; } (* end; *) // end;\n  Beep;\nend;",
       {"  { end; } (* end; *) // end;", "  Beep;"}},
      {"anonymous method and exception handler",
       "",
       "",
       Head + "begin\n  Run(procedure begin Beep; end);\n  try\n  except\n    on E: Exception do begin "
              "end;\n  end;\nend;",
       {"  Run(procedure begin Beep; end);", "  try", "  except", "    on E: Exception do begin end;",
        "  end;"}},
      {"generic field and message method",
       "",
       "    Items: TList<TButton>;\n    procedure WMSize(var M: TMessage); message WM_SIZE;\n",
       Head + "begin\nend;\nprocedure TForm1.WMSize(var M: TMessage);\nbegin\nend;",
       {}},
      {"one-line body", "", "", Head + "begin Beep; end;", {"  Beep;"}},
      {"keywords in any letter case",
       "",
       "",
       "PROCEDURE TForm1.Click(Sender: TObject);\nVAR\n  N: Integer;\nBEGIN\n  CASE N OF 0: Beep; END;\nEnd;",
       {"  CASE N OF 0: Beep; END;"}},
      {"names that begin like keywords",
       "",
       "",
       Head + "begin\n  Ends := Begins + Tryst + Cases + Asm2 + Endx;\nend;",
       {"  Ends := Begins + Tryst + Cases + Asm2 + Endx;"}},
  };
  for (const TConstruct& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto M = MakeIntf<TModuleSource>("U", String(), String());
    const String Text = OneHandlerUnit(C.Types, C.Members, C.Routine);
    M->LoadUnit(Text, "U.pas", "TForm1");
    ASSERT_NE(M->FindHandler("Click"), nullptr);
    EXPECT_EQ(M->FindHandler("Click")->Body, C.Body);
    M->AddField("Extra", "TButton");
    M->ComponentRenamed(nullptr, "Extra", "");
    EXPECT_EQ(M->Text(), Text);
  }
}

TEST(UnitEdit, TypesNestedInTheFormClassEndWhereItsMembersGoOn) {
  const String Text =
      "unit U;\ninterface\ntype\n  TForm1 = class(TForm)\n    procedure Click(Sender: TObject);\n"
      "  private type\n    TInner = record A: Integer; end;\n    TNode = class\n      Next: TNode;\n    "
      "end;\n"
      "  private\n    FX: Integer;\n  end;\nimplementation\nprocedure TForm1.Click(Sender: TObject);\nbegin\n"
      "  Beep;\nend;\nend.\n";
  auto M = MakeIntf<TModuleSource>("U", String(), String());
  M->LoadUnit(Text, "U.pas", "TForm1");
  ASSERT_NE(M->FindHandler("Click"), nullptr);
  EXPECT_EQ(M->FindHandler("Click")->Body, std::vector<String>{"  Beep;"});
  EXPECT_THAT(M->TypeNames(), IsSupersetOf({"TInner", "TNode"}));
  M->AddField("Extra", "TButton");
  EXPECT_THAT(M->Text(), HasSubstr("class(TForm)\n    Extra: TButton;\n    procedure Click"));
}

namespace {
struct TRefusal {
  const char* Name;
  String Text;
  const char* Message;
};

String Cut(const char* Before) {
  const String Text = People;
  return Text.substr(0, Text.find(Before));
}
}  // namespace

TEST(UnitEdit, AUnitWhoseFormClassCannotBePlacedIsRefusedWithItsLine) {
  const TRefusal Cases[] = {
      {"empty", "", "People.pas: Expected \"unit\" on line 1"},
      {"unterminated comment", StringReplaceAll(People, "// procedure", "{ procedure"),
       "People.pas: Unterminated comment on line 76"},
      {"unterminated directive", StringReplaceAll(People, "{$ENDIF}", "{$ENDIF"),
       "People.pas: Unterminated directive on line 24"},
      {"unterminated string", StringReplaceAll(People, "'Name?'", "'Name?"),
       "People.pas: Unterminated string on line 57"},
      {"binary", String("unit People;\n\0\x01\x02", 16), "People.pas: Unexpected character #0 on line 2"},
      {"another class only", StringReplaceAll(People, "TPeopleForm", "TOtherForm"),
       "People.pas: Class TPeopleForm is not declared before \"implementation\" on line 42"},
      {"truncated in the class", Cut("  private\n    FPeople"),
       "People.pas: No \"end\" for class TPeopleForm declared on line 20"},
      {"truncated in a handler", Cut("  try\n"),
       "People.pas: No \"end\" for the routine declared on line 52"},
      {"truncated before the end", Cut("end.\n"),
       "People.pas: Expected \"end.\" at the end of the unit on line 94"},
      {"no implementation", Cut("implementation"), "People.pas: Expected \"implementation\" on line 40"},
  };
  for (const TRefusal& C : Cases) {
    SCOPED_TRACE(C.Name);
    auto M = MakeIntf<TModuleSource>("People", "TPeopleForm", "TForm");
    M->AddField("Kept", "TButton");
    EXPECT_THAT([&] { M->LoadUnit(C.Text, "People.pas", "TPeopleForm"); },
                ThrowsMessage<Exception>(C.Message));
    EXPECT_EQ(M->Fields().size(), 1u) << "a refused unit changes nothing";
  }
}

TEST(UnitEdit, ANewUnitDeclaresEveryFieldAndHandler) {
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  M->AddField("Button1", "TButton");
  M->CreateMethod("Button1Click", NotifyEvent());
  M->AddImportedRoot("Data");
  EXPECT_EQ(
      M->Text(),
      "unit Unit1;\n\ninterface\n\nuses\n  Data;\n\ntype\n  TForm1 = class(TForm)\n    Button1: TButton;\n"
      "    procedure Button1Click(Sender: TObject);\n  end;\n\nimplementation\n\n"
      "procedure TForm1.Button1Click(Sender: TObject);\nbegin\nend;\n\nend.\n");
}

// Mutated units in bulk go through the fuzz run (fuzz/ModuleFuzz.cpp); these are three of its shapes.
TEST(UnitEdit, AMangledUnitThatStillReadsIsWrittenBackWholeAndTakesEdits) {
  const String Cases[] = {
      Replaced(People, {{"NameEdit.Text <> '';", "NameEdit.Te"}}),    // a statement cut short
      Replaced(People, {{"(* the name *)", "(* the end; name *)"}}),  // a word put in a comment
      // a handler implemented in another case than it is declared
      Replaced(People, {{"procedure TPeopleForm.OkButtonClick(", "procedure TPeopleForm.OKButtonClick("}}),
  };
  for (const String& Text : Cases) {
    IPtr<TModuleSource> M = Loaded(Text);
    EXPECT_EQ(M->Text(), Text);
    M->AddField("SaveButton", "TButton");
    M->RootRenamed(nullptr, "Staff");
    EXPECT_THAT(M->Text(), HasSubstr("TStaff = class(TForm)\n    NameEdit: TEdit; (* the"));
    EXPECT_THAT(M->Text(), HasSubstr("    SaveButton: TButton;\n"));
  }
}
