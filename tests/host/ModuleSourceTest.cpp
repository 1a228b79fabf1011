#include "host/ModuleSource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "moduledesigner/CompInfo.h"
#include "platform/orx/Orx.h"
#include "tests/host/SignatureSupport.h"

using ::testing::HasSubstr;

using namespace formwright;

namespace {
IPtr<IEventInfo> Notify() { return NotifyEvent(); }
IPtr<IEventInfo> KeyPress() { return KeyPressEvent(); }
std::vector<String> Methods(TModuleSource& M, const IPtr<IEventInfo>& E) {
  std::vector<String> R;
  M.GetMethods(E, [&](const String& S) { R.push_back(S); });
  return R;
}
}  // namespace

TEST(ModuleSource, HandlersAreListedOnlyForCompatibleEvents) {
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  M->CreateMethod("Button1Click", Notify());
  M->CreateMethod("Edit1KeyPress", KeyPress());
  M->CreateMethod("FormCreate", Notify());
  M->CreateMethod("button1click", Notify());  // already there
  EXPECT_EQ(M->Handlers().size(), 3u);
  EXPECT_EQ(Methods(*M, Notify()), (std::vector<String>{"Button1Click", "FormCreate"}));
  EXPECT_EQ(Methods(*M, KeyPress()), (std::vector<String>{"Edit1KeyPress"}));
  EXPECT_TRUE(M->MethodExists("FORMCREATE"));
  EXPECT_EQ(M->GetAncestorClassName("tform1"), "TForm");
  EXPECT_EQ(M->GetAncestorClassName("TOther"), "");
}

TEST(ModuleSource, RenamesKeepHandlersUniqueAndTheTextFollows) {
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  M->CreateMethod("Button1Click", Notify());
  M->CreateMethod("OkClick", Notify());
  EXPECT_THROW(M->RenameMethod("Button1Click", "okclick"), EInvalidOperation);
  EXPECT_THROW(M->RenameMethod("Button1Click", "1st"), EInvalidOperation);
  EXPECT_TRUE(M->MethodExists("Button1Click"));
  M->RenameMethod("Button1Click", "SaveClick");
  M->AddField("Button1", "TButton");
  M->ComponentRenamed(nullptr, "Button1", "SaveButton");
  M->RootRenamed(nullptr, "MainForm");
  M->AddImportedRoot("Form2");
  M->AddImportedRoot("form2");
  const String Text = M->Text();
  EXPECT_THAT(Text, HasSubstr("TMainForm = class(TForm)"));
  EXPECT_THAT(Text, HasSubstr("    SaveButton: TButton;"));
  EXPECT_THAT(Text, HasSubstr("procedure TMainForm.SaveClick(Sender: TObject);\nbegin\nend;"));
  EXPECT_THAT(Text, HasSubstr("uses\n  Form2;"));
  M->ComponentRenamed(nullptr, "SaveButton", "");  // the component went away
  EXPECT_TRUE(M->Fields().empty());
}

TEST(ModuleSource, CopiedHandlersPasteIntoAnotherModuleWithRenames) {
  auto Source = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  Source->CreateMethod("Button1Click", Notify());
  Source->CreateMethod("Edit1KeyPress", KeyPress());
  const String Copied = Source->CopyHandlers({"Button1Click", "Edit1KeyPress", "Missing"});
  const auto Parsed = ParseHandlers(Copied);
  ASSERT_EQ(Parsed.size(), 2u);
  EXPECT_EQ(Parsed[1].Params[1].Flags, TParamFlags{pfVar});
  EXPECT_EQ(Parsed[1].Params[1].TypeName, "Char");

  auto Target = MakeIntf<TModuleSource>("Unit2", "TForm2", "TForm");
  Target->CreateMethod("Button1Click", Notify());
  TStringList Renames, Names;
  Renames.Add("Button1Click=Button2Click");
  Target->PasteHandlers(Copied, &Renames, &Names);
  EXPECT_EQ(Names.ToVector(), (std::vector<String>{"Button1Click", "Button2Click", "Edit1KeyPress"}));
  EXPECT_EQ(Methods(*Target, KeyPress()), (std::vector<String>{"Edit1KeyPress"}));
  TStringList Again;
  Target->PasteHandlers("not a handler at all", nullptr, &Again);  // nothing to take
  EXPECT_EQ(Again.Count(), 3);
}

// Field and handler lookups go through an index by name; these check that it follows every
// change of the lists while the order of declaration stays as it was.
namespace {
std::vector<String> FieldNames(const TModuleSource& M) {
  std::vector<String> R;
  for (const auto& F : M.Fields()) R.push_back(F.first + ":" + F.second);
  return R;
}
}  // namespace

TEST(ModuleSourceIndex, FieldsFoundByAnyCaseAfterRemovalsInTheMiddle) {
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  for (const char* N : {"Panel1", "Button1", "Label1", "Edit1", "Button2"}) M->AddField(N, "TControl");
  M->ComponentRenamed(nullptr, "BUTTON1", "");  // the second goes: the later ones move up
  M->ComponentRenamed(nullptr, "panel1", "");   // and the first
  M->AddField("edit1", "TEdit");                // updates the entry now at position 1
  M->AddField("Button2", "TButton");
  M->ComponentRenamed(nullptr, "Label1", "Caption1");
  M->AddField("CAPTION1", "TLabel");
  M->ComponentRenamed(nullptr, "Missing", "");       // nothing to remove
  M->ComponentRenamed(nullptr, "Missing", "Other");  // no component information: nothing to add
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"Caption1:TLabel", "Edit1:TEdit", "Button2:TButton"}));
  M->ComponentRenamed(nullptr, "Button2", "");  // the last goes
  M->AddField("Button2", "TButton");            // and comes back at the end
  M->ComponentRenamed(nullptr, "label1", "");   // its old name no longer finds it
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"Caption1:TLabel", "Edit1:TEdit", "Button2:TButton"}));
}

TEST(ModuleSourceIndex, AFieldNameGivenTwiceFindsTheFirstDeclaredUntilItGoes) {
  // Only a unit written so declares a name twice: a rename onto another field's name takes it.
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  M->LoadUnit(
      "unit Unit1;\ninterface\ntype\n  TForm1 = class(TForm)\n    A: T1;\n    B: T2;\n    a: T3;\n  end;\n"
      "implementation\nend.\n",
      "Unit1.pas", "TForm1");
  M->AddField("A", "TFirst");
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"A:TFirst", "B:T2", "a:T3"}));
  M->ComponentRenamed(nullptr, "a", "");  // the first of them goes
  M->AddField("A", "TSecond");            // the other one answers now
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"B:T2", "a:TSecond"}));
  // A rename onto the name of a field with no component behind it: the component takes that
  // field, of its class and under its name, and its own goes.
  M->ComponentRenamed(nullptr, "B", "A");
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"A:T2"}));
  M->ComponentRenamed(nullptr, "A", "a");  // a name in another case is the same field
  M->AddField("A", "TLeft");
  EXPECT_EQ(FieldNames(*M), (std::vector<String>{"a:TLeft"}));
}

TEST(ModuleSourceIndex, HandlersFollowRenamesAndPastes) {
  auto M = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  M->CreateMethod("Button1Click", Notify());
  M->CreateMethod("FormCreate", Notify());
  M->RenameMethod("Button1Click", "OkClick");
  EXPECT_FALSE(M->MethodExists("button1click"));
  ASSERT_NE(M->FindHandler("OKCLICK"), nullptr);
  EXPECT_EQ(M->FindHandler("okclick")->Name, "OkClick");
  M->RenameMethod("okclick", "OKClick");  // the same name in another case is its own
  EXPECT_EQ(M->FindHandler("OkClick")->Name, "OKClick");
  M->CreateMethod("Button1Click", KeyPress());  // the old name is free again
  M->PasteHandlers(
      "procedure TForm9.FormCreate(Sender: TObject);\nbegin\nend;\n"
      "procedure TForm9.Edit1Change(Sender: TObject);\nbegin\n  Beep;\nend;\n",
      nullptr, nullptr);
  std::vector<String> Names;
  for (const THandlerSource& H : M->Handlers()) Names.push_back(H.Name);
  EXPECT_EQ(Names, (std::vector<String>{"OKClick", "FormCreate", "Button1Click", "Edit1Change"}));
  EXPECT_EQ(M->FindHandler("EDIT1CHANGE")->Body, (std::vector<String>{"  Beep;"}));
  EXPECT_EQ(Methods(*M, KeyPress()), (std::vector<String>{"Button1Click"}));
  EXPECT_THROW(M->RenameMethod("FormCreate", "edit1change"), EInvalidOperation);
  EXPECT_EQ(M->FindHandler("Edit1Change"), &M->Handlers()[3]);  // a refused rename moves nothing
  EXPECT_EQ(M->FindHandler("FormCreate"), &M->Handlers()[1]);
}

TEST(ModuleSourceIndex, HandlerHeadersAreFoundWhateverTheirIndentAndCase) {
  const auto Parsed = ParseHandlers(
      "unit Unit1;\n  TForm1 = class(TForm)\n    procedure Declared(Sender: TObject);\n  end;\n"
      "\t PROCEDURE TForm1.Upper(Sender: TObject);\nbegin\nend;\n"
      "function TForm1.Count(const S: string): Integer;\nbegin\n  Result := 0;\nend;\n"
      "  // procedure TForm1.Commented(Sender: TObject);\n"
      "procedurex TForm1.NotAHeader;\n");
  ASSERT_EQ(Parsed.size(), 2u);
  EXPECT_EQ(Parsed[0].Name, "Upper");
  EXPECT_EQ(Parsed[1].Name, "Count");
  EXPECT_EQ(Parsed[1].Kind, mkFunction);
  EXPECT_EQ(Parsed[1].ResultType, "Integer");
  EXPECT_EQ(Parsed[1].Params[0].Flags, TParamFlags{pfConst});
  EXPECT_EQ(Parsed[1].Body, (std::vector<String>{"  Result := 0;"}));
}

// Reading a module names each component once, in the stream's order: the field it takes must
// be the one a lookup by name finds, whatever the order and whatever the unit lacks or repeats.
TEST(ModuleSourceIndex, ComponentsReadFindTheirFieldsInAnyOrder) {
  const String Unit =
      "unit Unit1;\ninterface\ntype\n  TForm1 = class(TForm)\n    Edit1: StdCtrls.TEdit;\n"
      "    Label1: TLabel;\n    Button1: TButton;\n    Label1: TButton;\n  end;\n"
      "implementation\nend.\n";
  TOwned<orx::TForm> Form(new orx::TForm(nullptr));
  const auto Info = [&](const String& Class) {
    TComponent* C = Class == "TEdit"    ? static_cast<TComponent*>(new orx::TEdit(Form.get()))
                    : Class == "TLabel" ? static_cast<TComponent*>(new orx::TLabel(Form.get()))
                                        : static_cast<TComponent*>(new orx::TButton(Form.get()));
    return IPtr<ICompInfo>(MakeIntf<TCompInfo>(Form.get(), nullptr, C));
  };
  const std::vector<std::vector<std::pair<String, String>>> Reads = {
      {{"Edit1", "TEdit"}, {"Label1", "TLabel"}, {"Button1", "TButton"}},  // the unit's order
      {{"Edit1", "TEdit"}, {"Label1", "TButton"}, {"Button1", "TLabel"}},  // retyped on the way
      {{"Button1", "TButton"}, {"Edit1", "TEdit"}, {"label1", "TLabel"}},  // another order
      {{"Edit1", "TEdit"}, {"Extra", "TButton"}, {"Label1", "TLabel"}},    // one the unit lacks
      {{"Extra", "TEdit"}, {"Edit1", "TLabel"}},
  };
  for (const auto& Read : Reads) {
    auto ByRead = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
    auto ByName = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
    ByRead->LoadUnit(Unit, "Unit1.pas", "TForm1");
    ByName->LoadUnit(Unit, "Unit1.pas", "TForm1");
    for (const auto& [Name, Class] : Read) {
      ByRead->ComponentRenamed(Info(Class), String(), Name);
      ByName->AddField(Name, Class);
    }
    SCOPED_TRACE(Read.front().first + " first");
    EXPECT_EQ(FieldNames(*ByRead), FieldNames(*ByName));
    EXPECT_EQ(ByRead->Text(), ByName->Text());
    // Later edits find the fields by name.
    for (TModuleSource* M : {ByRead.Get(), ByName.Get()}) {
      M->ComponentRenamed(nullptr, "LABEL1", "Caption1");
      M->ComponentRenamed(nullptr, "Edit1", "");
    }
    EXPECT_EQ(ByRead->Text(), ByName->Text());
  }
  // A module without a unit gets a field per component read, in order.
  auto Bare = MakeIntf<TModuleSource>("Unit1", "TForm1", "TForm");
  Bare->ComponentRenamed(Info("TButton"), String(), "Button1");
  Bare->ComponentRenamed(Info("TEdit"), String(), "Edit1");
  Bare->ComponentRenamed(nullptr, "button1", "");
  EXPECT_EQ(FieldNames(*Bare), (std::vector<String>{"Edit1:TEdit"}));
}
