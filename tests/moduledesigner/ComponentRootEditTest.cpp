// Names, renames, paste, delete and undelete on module roots of the reference host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/Forms.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Key;
using ::testing::Not;

namespace formwright {
namespace {

using testing::Make;

using namespace orx;
using testing::MessageOf;
using testing::TextOf;

const String FormText = Sample("EditForm.fwf");

const String FormUnit = Sample("EditForm.pas");

class ComponentRootEdit : public testing::RootTest {
 protected:
  ComponentRootEdit() { Form1 = Open("Form1.fwf", FormText, FormUnit); }
};

TEST_F(ComponentRootEdit, UniqueNamesAreTheFirstFreeNumber) {
  EXPECT_EQ(Form1->UniqueName("TLabel"), "Label2");
  EXPECT_EQ(Form1->UniqueName("TEdit"), "Edit1");
  EXPECT_EQ(Form1->UniqueName("T"), "T1");
  EXPECT_EQ(Form1->UniqueName("TX"), "X1");
  EXPECT_EQ(Form1->UniqueName("tree"), "tree1");
  EXPECT_EQ(Form1->UniqueName("tButton"), "tButton1");
  // Numbers found taken stay known as taken, until a removal or a rename frees one.
  for (int I = 0; I < 5; ++I) {
    auto* E = new TEdit(Form1->GetRoot());
    E->SetName(Form1->UniqueName("TEdit"));
  }
  EXPECT_EQ(Form1->UniqueName("TEdit"), "Edit6");
  C("Edit2")->Free();
  EXPECT_EQ(Form1->UniqueName("TEdit"), "Edit2");
  C("Edit3")->SetName("Other");
  C("Edit4")->SetName("Edit3");
  EXPECT_EQ(Form1->UniqueName("TEdit"), "Edit2");
  Make<TEdit>(Form1->GetRoot(), "Edit2");
  EXPECT_EQ(Form1->UniqueName("TEdit"), "Edit4");
}

TEST_F(ComponentRootEdit, RenamesReachTheSourceTheEnvironmentAndReferences) {
  Form1->GetRoot()->FindComponent("Button1")->SetName("Start");
  TModuleSource* Source = TReferenceHost::SourceOf(Form1);
  EXPECT_THAT(Source->Fields(), AllOf(Contains(Key("Start")), Not(Contains(Key("Button1")))));
  ASSERT_FALSE(Host.Environment().Renames().empty());
  EXPECT_EQ(Host.Environment().Renames().back(), std::make_pair(String("Button1"), String("Start")));
  EXPECT_THAT(Written(Form1), HasSubstr("FocusControl = Start"));
  EXPECT_TRUE(Form1->RenameComponent("Start", "Button1"));
  EXPECT_FALSE(Form1->RenameComponent("Nobody", "X"));
}

TEST_F(ComponentRootEdit, InheritedComponentsAndAncestorNamesAreGuarded) {
  IPtr<TReferenceRoot> Form2 = Host.New("Form2", "Form2.fwf", "TForm", Form1);
  TComponent* Button = Find(Form2, "Button1");
  ASSERT_TRUE(Button);
  EXPECT_EQ(MessageOf([&] { Button->SetName("Other"); }),
            "Cannot rename component Button1, component was introduced in an ancestor form");
  EXPECT_EQ(Button->Name(), "Button1");
  EXPECT_EQ(MessageOf([&] { Form2->GetRoot()->SetName("Form1"); }),
            "Cannot rename a module to the same name as one of its ancestors (TForm1)");
  EXPECT_EQ(Form2->GetRootName(), "Form2");
  Form2->GetRoot()->SetName("Form7");
  EXPECT_EQ(Form2->GetRootClassName(), "TForm7");
  EXPECT_EQ(TReferenceHost::SourceOf(Form2)->ClassName(), "TForm7");
  // Deleting an inherited component is refused before anything is deleted.
  auto* Own = Make<TEdit>(Form2->GetRoot(), "Edit1");
  Form2->Select(Own, false);
  Form2->Select(Button, true);
  EXPECT_EQ(MessageOf([&] { Form2->DeleteSelection(false); }),
            "Selection contains a component, Button1, introduced in an ancestor and cannot be deleted");
  EXPECT_TRUE(Find(Form2, "Edit1"));
  EXPECT_EQ(Form2->GetSelection()->GetCount(), 2);
}

TEST_F(ComponentRootEdit, PastedClashesAreRenamedWithTheirReferencesAndHandlers) {
  Files->PutFile("Form2.fwf", StringReplaceAll(FormText, "Form1: TForm1", "Form2: TForm2"));
  Files->PutFile("Form2.pas", StringReplaceAll(FormUnit, "Form1", "Form2"));
  IPtr<TReferenceRoot> Form2 = Host.Open("Form2.fwf");
  Form1->Select(C("Button1"), false);
  Form1->Select(C("Label1"), true);
  TMemoryStream Clip;
  Form1->CopySelectionToStream(&Clip, nullptr);
  Clip.SetPosition(0);
  Form2->PasteSelectionFromStream(&Clip, nullptr, TRect{});
  auto* NewButton = As<TButton>(Find(Form2, "Button2"));
  auto* NewLabel = As<TLabel>(Find(Form2, "Label2"));
  ASSERT_TRUE(NewButton);
  ASSERT_TRUE(NewLabel);
  EXPECT_EQ(NewLabel->FocusControl(), NewButton);  // the reference follows the rename
  EXPECT_EQ(Form2->GetMethodName(GetMethodProp(NewButton, GetPropInfo(NewButton, "OnClick"))),
            "Button2Click");
  EXPECT_TRUE(TReferenceHost::SourceOf(Form2)->FindHandler("Button2Click"));
  EXPECT_EQ(Form2->GetSelection()->GetCount(), 2);
  EXPECT_TRUE(Form2->IsModified());
  // A second paste finds Button2Click taken in the class: Button3Click follows Button3.
  Clip.SetPosition(0);
  Form2->PasteSelectionFromStream(&Clip, nullptr, TRect{});
  auto* Third = Find(Form2, "Button3");
  ASSERT_TRUE(Third);
  EXPECT_EQ(Form2->GetMethodName(GetMethodProp(Third, GetPropInfo(Third, "OnClick"))), "Button3Click");
  // A handler name already taken in the class gets a number.
  const TMethod Made = Form2->CreateMethod(
      "Button4Click", IPtr<IEventInfo>(MakeIntf<TEventInfo>(GetPropInfo(NewLabel, "OnClick"))));
  EXPECT_EQ(Made.Data, Form2->GetRoot());
  Clip.SetPosition(0);
  Form2->PasteSelectionFromStream(&Clip, nullptr, TRect{});
  auto* Fourth = Find(Form2, "Button4");
  ASSERT_TRUE(Fourth);
  EXPECT_EQ(Form2->GetMethodName(GetMethodProp(Fourth, GetPropInfo(Fourth, "OnClick"))), "Button4Click2");
  EXPECT_TRUE(TReferenceHost::SourceOf(Form2)->FindHandler("Button4Click2"));
}

// A refused paste takes back what it read before the refusal; the selection and the undelete
// stream stay.
TEST_F(ComponentRootEdit, GarbageOnPasteLeavesTheModuleAsItWas) {
  Form1->Select(C("Label3"), false);
  Form1->DeleteSelection(false);
  ASSERT_TRUE(Form1->CanUndelete());
  Form1->Select(C("Label1"), false);
  const String Before = Written(Form1);
  TMemoryStream Good;
  Form1->CopySelectionToStream(&Good, nullptr);
  const String Cut = TextOf(Good).substr(0, static_cast<size_t>(Good.Size() / 2 + 1));
  for (const String& Bad : {String("object Broken: TButton\n  Left = \n"), String("not a component at all"),
                            String("object Extra: TLabel\nend\nobject Box: TNoSuchBox\nend\n"), Cut}) {
    TStringStream S(Bad);
    EXPECT_NE(MessageOf([&] { Form1->PasteSelectionFromStream(&S, nullptr, TRect{}); }), "(no exception)")
        << Bad;
    EXPECT_EQ(Written(Form1), Before) << Bad;
    EXPECT_TRUE(Form1->CanUndelete()) << Bad;
    EXPECT_THAT(Selected(Form1), ElementsAre(C("Label1"))) << Bad;
  }
}

TEST_F(ComponentRootEdit, DeleteAndUndeleteRestoreExactlyWhatWasDeleted) {
  const String Before = Written(Form1);
  Form1->Select(C("Label1"), false);
  Form1->Select(C("Label3"), true);
  Form1->DeleteSelection(false);
  EXPECT_FALSE(C("Label1"));
  EXPECT_FALSE(C("Label3"));
  EXPECT_TRUE(Form1->CanUndelete());
  EXPECT_TRUE(C("Button1"));
  Form1->DoUndelete();
  EXPECT_FALSE(Form1->CanUndelete());
  EXPECT_EQ(Written(Form1), Before);
  // A new component ends the possibility to undelete.
  Form1->Select(C("Label3"), false);
  Form1->DeleteSelection(false);
  ASSERT_TRUE(Form1->CanUndelete());
  new TEdit(Form1->GetRoot());
  EXPECT_FALSE(Form1->CanUndelete());
  // The root is never deleted; a read-only source refuses.
  Form1->Select(Form1->GetRoot(), false);
  Form1->DeleteSelection(false);
  EXPECT_TRUE(Form1->GetRoot());
  TReferenceHost::SourceOf(Form1)->SetReadOnly(true);
  Form1->Select(C("Button1"), false);
  EXPECT_EQ(MessageOf([&] { Form1->DeleteSelection(false); }),
            "Selection cannot be deleted.  Source is either in read only mode or is a resource form");
  EXPECT_TRUE(C("Button1"));
}

TEST_F(ComponentRootEdit, ComponentNamesAcrossModules) {
  IPtr<TReferenceRoot> Form2 =
      Open("Form2.fwf", StringReplaceAll(FormText, "Form1: TForm1", "Form2: TForm2"));
  TReferenceHost::SourceOf(Form1)->AddImportedRoot("Form2");
  std::vector<String> Names;
  Form1->GetComponentNames(GetTypeData(TypeInfoOf<TButton*>()), [&](const String& N) { Names.push_back(N); });
  EXPECT_THAT(Names, ElementsAre("Button1", "Form2.Button1"));
  EXPECT_EQ(Form1->GetComponent("Form2.Button1"), Find(Form2, "Button1"));
  EXPECT_EQ(Form1->GetComponent("form2"), Form2->GetRoot());
  EXPECT_EQ(Form1->GetComponent("Form1"), Form1->GetRoot());
  EXPECT_EQ(Form1->GetComponent("Nobody"), nullptr);
  EXPECT_EQ(Form1->GetComponentName(Find(Form2, "Button1")), "Form2.Button1");
  EXPECT_EQ(Form1->GetObjectName(Find(Form2, "Button1")), "Form2.Button1");
  EXPECT_EQ(Form1->GetObjectName(C("Button1")), "Button1");
}

}  // namespace
}  // namespace formwright
