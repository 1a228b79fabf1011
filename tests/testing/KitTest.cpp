// The testing kit as a component writer meets it: scripted answers that go unused or are
// missing, the inspector driven by paths, component editor verbs, and matcher messages.
#include <gtest/gtest-spi.h>

#include "editors/CompEditors.h"
#include "editors/StdEditorReg.h"
#include "formwright/testing.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const char* const OneButton =
    "object Form1: TForm1\n"
    "  object Button1: TButton\n"
    "    Caption = 'Go'\n"
    "  end\n"
    "end\n";

// A component editor with two verbs that set the caption of its button.
class TCaptionVerbs : public TComponentEditor {
  FW_CLASS(TCaptionVerbs, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TCaptionVerbs>& C) { DeclareEditorFactory(C); }
  int GetVerbCount() override { return 2; }
  String GetVerb(int Index) override { return Index == 0 ? "Say OK" : "Say Cancel"; }
  void ExecuteVerb(int Index) override {
    static_cast<orx::TButton*>(GetComponent())->SetCaption(Index == 0 ? "OK" : "Cancel");
  }
};
FW_REGISTER_CLASS(TCaptionVerbs, "KitTest")

using Kit = TModuleTest;

TEST_F(Kit, TheInspectorIsDrivenByPathsAndWhatItTypesIsSaved) {
  Open("Main.fwf", OneButton);
  EXPECT_EQ(SetProp("Button1.Caption", "OK"), "OK");
  EXPECT_EQ(SetProp("Button1.Font.Size", "12"), "12");
  EXPECT_EQ(Prop("Form1.Name"), "Form1");
  EXPECT_THAT(ValueList("Button1.ModalResult"), ::testing::Contains("mrOk"));
  EXPECT_THAT([&] { SetProp("Button1.Colour", "clRed"); },
              Raises<Exception>("Button1 has no property Colour that the inspector can edit"));
  EXPECT_THAT([&] { Prop("Button9.Caption"); }, Raises<Exception>("Form1 has no component Button9"));
  Module->Save();
  EXPECT_THAT(Files->Contents("Main.fwf"),
              AllOf(HasSubstr("Caption = 'OK'"), HasSubstr("Font.Height = -16")));
}

TEST_F(Kit, VerbsOfTheRegisteredComponentEditorRunByTheirText) {
  Open("Main.fwf", OneButton);
  RegisterComponentEditor(orx::TButton::StaticClass(), TCaptionVerbs::StaticClass());
  EXPECT_THAT(Verbs("Button1"), ElementsAre("Say OK", "Say Cancel"));
  ExecuteVerb("Button1", "Say Cancel");
  EXPECT_EQ(Prop("Button1.Caption"), "Cancel");
  EXPECT_THAT([&] { ExecuteVerb("Button1", "Align"); },
              Raises<Exception>("Button1 has no verb 'Align' (its verbs: Say OK, Say Cancel)"));
}

TEST_F(Kit, AnswersAreTakenInOrderPerQuestionAndTheUnusedOnesAreListed) {
  Answers.FileChanged(false).Fixup(0).FileChanged(true);
  Open("Main.fwf", OneButton);
  SetProp("Button1.Caption", "OK");
  Files->PutFile("Main.fwf", OneButton);  // changed on disk meanwhile
  EXPECT_THAT([&] { Module->Save(); }, Raises<Exception>(HasSubstr("has changed on disk")));
  Module->Save();
  EXPECT_THAT(Answers.Asked(), ElementsAre("FileChanged Main.fwf", "FileChanged Main.fwf"));
  EXPECT_THAT(Answers.Unused(), ElementsAre("Fixup 0"));
  EXPECT_EQ(Host.Questions().Fixup("Form1", "Other"), 0);  // taken now: the fixture's end check passes
}

TEST_F(Kit, AQuestionWithoutAnswerGetsTheHostsDefaultAndFailsAStrictScript) {
  Files->PutFile("Bad.fwf", "object Form1: TForm1\n  Bogus = 1\nend\n");
  EXPECT_THROW(Host.Open("Bad.fwf"), EReadError);  // the default answer stops the read
  EXPECT_THAT(Answers.Asked(),
              ElementsAre(AllOf(StartsWith("ReaderError "), HasSubstr("Property Bogus does not exist"))));
  Answers.Strict();
  EXPECT_NONFATAL_FAILURE(EXPECT_THROW(Host.Open("Bad.fwf"), EReadError),
                          "the script has no answer left for it");
}

TEST(KitMatchers, FailuresSayWhatTheTextWas) {
  TMemoryStream Stream;
  Stream.WriteBuffer("object Form1", 12);
  ::testing::StringMatchResultListener Listener;
  EXPECT_FALSE(::testing::ExplainMatchResult(StreamContains("Button1"), Stream, &Listener));
  EXPECT_EQ(Listener.str(), "whose text is \"object Form1\"");
  EXPECT_EQ(::testing::DescribeMatcher<TMemoryStream>(StreamContains("Button1")),
            "whose text has substring \"Button1\"");
  EXPECT_NONFATAL_FAILURE(EXPECT_THAT([] { throw EReadError("bad"); }, Raises<EReadError>("good")), "bad");
}

TEST(KitDesigner, ARecordingDesignerResolvesNamesAndRecordsHandlers) {
  TOwned<orx::TForm> Form(new orx::TForm(nullptr));
  Form->SetName("Form1");
  auto* Button = new orx::TButton(Form.get());
  Button->SetName("Button1");
  TEditorsPackageScope Package;
  auto Designer = MakeIntf<TRecordingDesigner>(Form.get());
  EXPECT_EQ(Designer->GetComponent("Button1"), Button);
  EXPECT_EQ(SetProp(Designer, "Button1.OnClick", "Button1Click"), "Button1Click");
  EXPECT_THAT(Designer->FCreated, ElementsAre("Button1Click"));
  Designer->Detach();
}

}  // namespace
}  // namespace formwright::testing
