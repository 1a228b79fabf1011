#include "host/ModuleSource.h"

#include <gtest/gtest.h>

using namespace formwright;

namespace {
// An event signature as the designer hands it to the module.
class TSignature : public TInterfacedObject, public IEventInfo {
 public:
  TSignature(TMethodKind Kind, std::vector<TParamInfo> Params, String Result)
      : FKind(Kind), FParams(std::move(Params)), FResult(std::move(Result)) {}
  TMethodKind GetMethodKind() override { return FKind; }
  int GetParamCount() override { return static_cast<int>(FParams.size()); }
  String GetParamName(int I) override { return FParams[size_t(I)].Name; }
  String GetParamType(int I) override { return FParams[size_t(I)].TypeName; }
  TParamFlags GetParamFlags(int I) override { return FParams[size_t(I)].Flags; }
  String GetResultType() override { return FResult; }

 private:
  TMethodKind FKind;
  std::vector<TParamInfo> FParams;
  String FResult;
};

IPtr<IEventInfo> Notify() { return MakeIntf<TSignature>(mkProcedure, std::vector<TParamInfo>{{{}, "Sender", "TObject"}}, ""); }
IPtr<IEventInfo> KeyPress() {
  return MakeIntf<TSignature>(
      mkProcedure, std::vector<TParamInfo>{{{}, "Sender", "TObject"}, {TParamFlags{pfVar}, "Key", "Char"}}, "");
}
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
  EXPECT_NE(Text.find("TMainForm = class(TForm)"), String::npos);
  EXPECT_NE(Text.find("    SaveButton: TButton;"), String::npos);
  EXPECT_NE(Text.find("procedure TMainForm.SaveClick(Sender: TObject);\nbegin\nend;"), String::npos);
  EXPECT_NE(Text.find("uses\n  Form2;"), String::npos);
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
