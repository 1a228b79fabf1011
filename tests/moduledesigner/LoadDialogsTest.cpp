// The load dialogs played as a person would: what each shows, what each button answers, and
// that a cancelled redirect changes nothing while OK removes or redirects the links.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "moduledesigner/LoadDialogs.h"
#include "platform/runtime/Filer.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::Raises;

// What a player saw of the dialog it was handed.
struct TSeen {
  String Caption;
  String Text;
  std::vector<String> Items;
  int Selected = -2;
};

TSeen Look(TCustomForm& Form) {
  TSeen S;
  S.Caption = Form.Caption();
  if (auto* Text = dynamic_cast<TLabel*>(Form.FindComponent("Text"))) S.Text = Text->Caption();
  if (auto* List = dynamic_cast<TListBox*>(Form.FindComponent("ModuleList"))) {
    for (int I = 0; I < List->Count(); ++I) S.Items.push_back((*List->Items())[I]);
    S.Selected = List->ItemIndex();
  }
  return S;
}

struct TReadErrorCase {
  const char* Button;  // null: the player clicks nothing
  int Result;
};

class ReadErrorDialog : public ::testing::TestWithParam<TReadErrorCase> {};

TEST_P(ReadErrorDialog, EachButtonAnswersItsResult) {
  TSeen Seen;
  TModalPlayerScope Player([&](TCustomForm& Form) {
    Seen = Look(Form);
    if (GetParam().Button) ClickButton(Form, GetParam().Button);
  });
  EXPECT_EQ(FormReadError("Property Colour does not exist", "Form1"), GetParam().Result);
  EXPECT_EQ(Seen.Caption, "Error Reading Form: 'Form1'");
  EXPECT_EQ(
      Seen.Text,
      "Property Colour does not exist.  Ignore the error and continue?  NOTE: Ignoring the error may cause "
      "components to be deleted or property values to be lost.");
}

INSTANTIATE_TEST_SUITE_P(Buttons, ReadErrorDialog,
                         ::testing::Values(TReadErrorCase{"&Ignore", mrIgnore},
                                           TReadErrorCase{"Ignore &All", 42},
                                           TReadErrorCase{"Cancel", mrCancel},
                                           TReadErrorCase{nullptr, mrCancel}));

// The ancestor recovery dialog as a person plays it: which choice is picked (a radio button
// caption; null picks none), which candidate, and OK or Cancel.
struct TRecoveryCase {
  const char* Candidates;
  bool CanCreate;
  const char* Choice;
  int Candidate;
  const char* Button;
  int Answer;
  const char* NewName;
};

class RecoveryDialog : public ::testing::TestWithParam<TRecoveryCase> {};

TEST_P(RecoveryDialog, AnswersTheChoiceMadeAndOnlyTheChoicesOffered) {
  const TRecoveryCase& C = GetParam();
  TSeen Seen;
  bool RenameEnabled = false, CreateVisible = false, ListEnabled = true;
  TModalPlayerScope Player([&](TCustomForm& Form) {
    Seen = Look(Form);
    RenameEnabled = FindControlByCaption(Form, "Component was renamed to:")->Enabled();
    CreateVisible = FindControlByCaption(Form, "Create component as new on the descendent.")->Visible();
    auto* List = dynamic_cast<TComboBox*>(Form.FindComponent("NameList"));
    ListEnabled = List->Enabled();
    if (C.Choice) dynamic_cast<TRadioButton*>(FindControlByCaption(Form, C.Choice))->SetChecked(true);
    if (C.Candidate >= 0) List->SetItemIndex(C.Candidate);
    ClickButton(Form, C.Button);
  });
  String Name = "OkButton";
  EXPECT_EQ(FormInheritenceRecovery(Name, "Dialog2", "Dialog1", Name, C.CanCreate, C.Candidates), C.Answer);
  EXPECT_EQ(Name, C.NewName);
  EXPECT_EQ(Seen.Caption, "Ancestor Component Not Found");
  EXPECT_EQ(
      Seen.Text,
      "Modifications to component OkButton were recorded in form Dialog2 but the ancestor component was "
      "not found in form Dialog1.");
  EXPECT_EQ(RenameEnabled, *C.Candidates != 0);
  EXPECT_EQ(CreateVisible, C.CanCreate);
  EXPECT_FALSE(ListEnabled);  // the delete choice is made at start
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RecoveryDialog,
    ::testing::Values(
        TRecoveryCase{"AcceptButton,YesButton", true, nullptr, -1, "OK", 0, "OkButton"},
        TRecoveryCase{"AcceptButton,YesButton", true, "Component was renamed to:", -1, "OK", 1,
                      "AcceptButton"},
        TRecoveryCase{"AcceptButton,YesButton", false, "Component was renamed to:", 1, "OK", 1, "YesButton"},
        TRecoveryCase{"AcceptButton", true, "Create component as new on the descendent.", -1, "OK", 2,
                      "OkButton"},
        TRecoveryCase{"AcceptButton", true, "Component was renamed to:", 0, "Cancel", 3, "OkButton"},
        // Without candidates renaming cannot be chosen, nor creating where it is not allowed.
        TRecoveryCase{"", false, "Component was renamed to:", -1, "OK", 0, "OkButton"},
        TRecoveryCase{"", false, "Create component as new on the descendent.", -1, "OK", 0, "OkButton"},
        TRecoveryCase{"", true, "Create component as new on the descendent.", -1, "OK", 2, "OkButton"}));

TEST(ModalForms, WithoutAPlayerADialogIsCancelledAndAnUnnamedFormGetsThePlainCaption) {
  EXPECT_EQ(FormReadError("Bad", ""), mrCancel);
  String Caption;
  TModalPlayerScope Outer([&](TCustomForm& Form) { ClickButton(Form, "&Ignore"); });
  {
    TModalPlayerScope Inner([&](TCustomForm& Form) { Caption = Form.Caption(); });
    EXPECT_EQ(FormReadError("Bad", ""), mrCancel);  // the innermost player answers
  }
  EXPECT_EQ(Caption, "Error Reading Form");
  EXPECT_EQ(FormReadError("Bad", ""), mrIgnore);  // the outer one is back
}

TEST(ModalForms, AButtonThatIsNotThereOrDisabledCannotBeClicked) {
  TModalPlayerScope Player([](TCustomForm& Form) {
    EXPECT_THAT([&] { ClickButton(Form, "Retry"); },
                Raises<EInvalidOperation>(HasSubstr("No button \"Retry\"")));
    static_cast<TReadErrorDlg&>(Form).IgnoreButton->SetEnabled(false);
    EXPECT_THROW(ClickButton(Form, "&Ignore"), EInvalidOperation);
  });
  EXPECT_EQ(FormReadError("Bad", ""), mrCancel);
}

// Form1 links to Form2.Edit1 while Form2 is not open; Form3 has an Edit1, Form0 has not.
class LinkRedirectDialog : public testing::RootTest {
 protected:
  void SetUp() override {
    Open("Form3.fwf", "object Form3: TForm3\n  object Edit1: TEdit\n  end\nend\n");
    Open("Form0.fwf", "object Form0: TForm0\n  object Memo1: TMemo\n  end\nend\n");
    Form1 =
        Open("Form1.fwf",
             "object Form1: TForm1\n  object Label1: TLabel\n    FocusControl = Form2.Edit1\n  end\nend\n");
  }
  std::vector<String> Missing() const {
    TStringList Names;
    GetFixupReferenceNames(Form1->GetRoot(), &Names);
    std::vector<String> R;
    for (int I = 0; I < Names.Count(); ++I) R.push_back(Names[I]);
    return R;
  }
  TWinControl* Focus() const { return static_cast<TLabel*>(C("Label1"))->FocusControl(); }
  int Redirect(const std::function<void(TCustomForm&)>& Play, String* Target = nullptr) {
    TModalPlayerScope Player([&](TCustomForm& Form) {
      Seen = Look(Form);
      Play(Form);
    });
    return RedirectLinks(Form1->GetRoot(), "Form2", {"Form3", "Form1", "Form0"}, Target);
  }
  TSeen Seen;
};

TEST_F(LinkRedirectDialog, ListsTheOtherModulesSortedAndPreselectsOneHoldingEveryLinkedComponent) {
  String Target = "unset";
  EXPECT_EQ(Redirect([](TCustomForm& F) { ClickButton(F, "OK"); }, &Target), mrOk);
  EXPECT_EQ(Seen.Caption, "Link Redirection");
  EXPECT_EQ(Seen.Text, "Redirect form Form1's links from Form2 to:");
  EXPECT_THAT(Seen.Items, ElementsAre("<Remove links>", "Form0", "Form3"));
  EXPECT_EQ(Seen.Selected, 2);
  EXPECT_EQ(Target, "Form3");
  EXPECT_THAT(Missing(), IsEmpty());
  EXPECT_EQ(Focus(), Find(Host.Find("Form3"), "Edit1"));
}

TEST_F(LinkRedirectDialog, CancelChangesNothing) {
  EXPECT_EQ(Redirect([](TCustomForm& F) { ClickButton(F, "Cancel"); }), mrCancel);
  EXPECT_THAT(Missing(), ElementsAre("Form2"));
  EXPECT_EQ(Focus(), nullptr);
}

TEST_F(LinkRedirectDialog, OkWithoutAModuleRemovesTheLinks) {
  Host.Close(Host.Find("Form3"));
  EXPECT_EQ(Redirect([](TCustomForm& F) { ClickButton(F, "OK"); }), mrOk);
  EXPECT_EQ(Seen.Selected, -1);  // no module holds Edit1
  EXPECT_THAT(Missing(), IsEmpty());
  EXPECT_EQ(Focus(), nullptr);
}

TEST_F(LinkRedirectDialog, TheHostsSaveQuestionShowsTheDialogAndACancelledRedirectRefusesTheSave) {
  Answers.Fixup(0);
  EXPECT_THAT([&] { Form1->Save(); },
              Raises<EComponentDesignerException>(
                  "Module \"Form1\" references another module and cannot be saved until Form2 is loaded"));
  EXPECT_THAT(Missing(), ElementsAre("Form2"));
}

}  // namespace
}  // namespace formwright
