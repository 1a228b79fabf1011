// What components and handlers of a module may be named, what a rename may touch, and what the
// handlers of pasted components end bound to.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/PropertyEditors.h"
#include "editors/RefPropEditors.h"
#include "formwright/testing/Forms.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using testing::Make;

using namespace orx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::MessageOf;

const String FormText = Sample("NamingForm.fwf");

const String FormUnit = Sample("NamingForm.pas");

const String FrameText = Sample("NamingFrame.fwf");

const String FrameUnit = Sample("NamingFrame.pas");

const String ContactText = Sample("NamingContact.fwf");

TMethod EventOf(TComponent* C, const char* Event) { return GetMethodProp(C, GetPropInfo(C, Event)); }

class ComponentRootNaming : public testing::RootTest {
 protected:
  ComponentRootNaming() { Form1 = Open("Form1.fwf", FormText, FormUnit); }
  // Pastes `Text` into Form1; the message of the refusal, or "(no exception)".
  String Paste(const String& Text) {
    TStringStream S(Text);
    return MessageOf([&] { Form1->PasteSelectionFromStream(&S, nullptr, TRect{}); });
  }
  // Types `Value` into Component's Event row as the inspector does.
  void SetEvent(TComponent* Component, const char* Event, const String& Value) {
    auto Selection = CreateSelectionList();
    Selection->Add(Component);
    GetComponentProperties(
        Selection, TTypeKinds{tkMethod}, Form1->GetDesigner(),
        [&](const IPtr<IProperty>& P) {
          if (P->GetName() == Event) P->SetValue(Value);
        },
        nullptr);
  }
};

TEST_F(ComponentRootNaming, RefusedComponentNamesChangeNothing) {
  const String Before = Written(Form1);
  const size_t Renames = Host.Environment().Renames().size();
  struct TCase {
    const char* Name;
    const char* Message;
  };
  for (const TCase& T : {
           TCase{"begin", "begin is a reserved word and cannot be used as a component name"},
           TCase{"Class", "Class is a reserved word and cannot be used as a component name"},
           TCase{"typeid", "typeid is a reserved word and cannot be used as a component name"},
           TCase{"form1", "form1 is the name of the module and cannot be used as a component name"},
           TCase{"TForm1", "TForm1 names a type and cannot be used as a component name"},
           TCase{"TLabel", "TLabel names a type and cannot be used as a component name"},
           TCase{"listchanged",
                 "listchanged names a method of the unit and cannot be used as a component name"},
           TCase{"owner", "A component named owner already exists in a descendant module"},
           TCase{"button1", "A component named button1 already exists"},
       }) {
    EXPECT_EQ(MessageOf([&] { C("Label1")->SetName(T.Name); }), T.Message);
  }
  EXPECT_EQ(MessageOf([&] { Form1->GetRoot()->SetName(""); }), "Root component must have a name");
  EXPECT_EQ(C("Label1")->Name(), "Label1");
  EXPECT_EQ(Written(Form1), Before);
  EXPECT_EQ(Host.Environment().Renames().size(), Renames);
  // A case change alone is accepted.
  C("Label1")->SetName("LABEL1");
  EXPECT_EQ(C("Label1")->Name(), "LABEL1");
  // A pasted component whose name the unit cannot take gets a fresh one.
  EXPECT_EQ(Paste("object ListChanged: TLabel\nend\n"), "(no exception)");
  EXPECT_TRUE(C("Label2"));
}

TEST_F(ComponentRootNaming, HandlerNamesAreCheckedAndRenamedInTheUnitAndTheClass) {
  TComponent* Button = C("Button1");
  const String Before = Written(Form1);
  for (const char* Bad : {"end", "Label1", "Form1", "TButton", "not a name"}) {
    EXPECT_THAT(MessageOf([&] { SetEvent(Button, "OnClick", Bad); }), HasSubstr("method name")) << Bad;
    EXPECT_THAT(MessageOf([&] { SetEvent(C("Label1"), "OnClick", Bad); }), HasSubstr("method name")) << Bad;
  }
  EXPECT_EQ(Written(Form1), Before);
  // An existing handler of another signature is not bound.
  EXPECT_EQ(MessageOf([&] { SetEvent(C("Label1"), "OnClick", "ListChanged"); }),
            "Method ListChanged is incompatible with this event");
  EXPECT_FALSE(EventOf(C("Label1"), "OnClick").Code);
  // A new name typed over the handler renames it in the unit and in the form file together.
  SetEvent(Button, "OnClick", "OkClick");
  EXPECT_EQ(Form1->GetMethodName(EventOf(Button, "OnClick")), "OkClick");
  EXPECT_TRUE(TReferenceHost::SourceOf(Form1)->FindHandler("OkClick"));
  EXPECT_FALSE(TReferenceHost::SourceOf(Form1)->FindHandler("Button1Click"));
  EXPECT_THAT(Written(Form1), HasSubstr("OnClick = OkClick"));
  // A rename the unit refuses leaves the class's method as it was.
  EXPECT_ANY_THROW(Form1->RenameMethod("OkClick", "ListChanged"));
  EXPECT_EQ(Form1->GetMethodName(EventOf(Button, "OnClick")), "OkClick");
}

TEST_F(ComponentRootNaming, PastedHandlersBindToAnExistingMethodOrToNone) {
  // Pasted as text, without handler source: Button1Click exists here, Button9Click does not.
  ASSERT_EQ(Paste("object Button1: TButton\n  OnClick = Button1Click\nend\n"
                  "object Button9: TButton\n  OnClick = Button9Click\nend\n"),
            "(no exception)");
  TComponent* Known = C("Button2");
  TComponent* Unknown = C("Button9");
  ASSERT_TRUE(Known);
  ASSERT_TRUE(Unknown);
  EXPECT_EQ(EventOf(Known, "OnClick").Code, EventOf(C("Button1"), "OnClick").Code);
  EXPECT_FALSE(EventOf(Unknown, "OnClick").Code);
  // A handler made afterwards never shows up on a pasted event.
  SetEvent(C("Label1"), "OnClick", "BrandNewHandler");
  EXPECT_FALSE(EventOf(Unknown, "OnClick").Code);
  EXPECT_EQ(Form1->GetMethodName(EventOf(Known, "OnClick")), "Button1Click");
  EXPECT_THAT(Written(Form1),
              ::testing::Not(HasSubstr("OnClick = BrandNewHandler\n    end\n  object Button9")));
}

TEST_F(ComponentRootNaming, PastedHandlersFollowOnlyTheirOwnComponentsRename) {
  IPtr<TReferenceRoot> Form2 =
      Open("Form2.fwf",
           "object Form2: TForm2\n  object Button1: TButton\n    OnClick = Button12Click\n"
           "    OnEnter = Button1Enter\n  end\nend\n",
           "unit Form2;\ninterface\ntype\n  TForm2 = class(TForm)\n  end;\nimplementation\n\n"
           "procedure TForm2.Button12Click(Sender: TObject);\nbegin\n  Beep;\nend;\n\n"
           "procedure TForm2.Button1Enter(Sender: TObject);\nbegin\nend;\n\nend.\n");
  Form2->Select(Form2->GetRoot()->FindComponent("Button1"), false);
  TMemoryStream Clip;
  Form2->CopySelectionToStream(&Clip, nullptr);
  Clip.SetPosition(0);
  Form1->PasteSelectionFromStream(&Clip, nullptr, TRect{});
  TComponent* Pasted = C("Button2");  // Button1 is taken here
  ASSERT_TRUE(Pasted);
  EXPECT_EQ(Form1->GetMethodName(EventOf(Pasted, "OnEnter")), "Button2Enter");
  EXPECT_EQ(Form1->GetMethodName(EventOf(Pasted, "OnClick")), "Button12Click");
  EXPECT_TRUE(TReferenceHost::SourceOf(Form1)->FindHandler("Button12Click"));
  EXPECT_FALSE(TReferenceHost::SourceOf(Form1)->FindHandler("Button22Click"));
}

TEST_F(ComponentRootNaming, ComponentTextIsPastedEvenIntoABinaryModule) {
  ASSERT_EQ(Paste("  \r\nobject NotesMemo: TMemo\n  Left = 8\nend\nobject Note2: TLabel\nend\n"),
            "(no exception)");
  ASSERT_TRUE(As<TMemo>(C("NotesMemo")));
  EXPECT_THAT(Selected(Form1), ElementsAre(C("NotesMemo"), C("Note2")));
  // Text pasted into a binary module leaves it binary.
  IPtr<TReferenceRoot> Bin = Open("Bin.fwf", testing::ModuleBinary(FormText));
  TStringStream S("object NotesMemo: TMemo\nend\n");
  Bin->PasteSelectionFromStream(&S, nullptr, TRect{});
  Bin->Save();
  TStringStream Saved(Files->Contents("Bin.fwf"));
  EXPECT_EQ(TestStreamFormat(&Saved), sofBinary);
}

TEST_F(ComponentRootNaming, AFailedUndeleteKeepsItsStream) {
  auto* List = Make<TActionList>(Form1->GetRoot(), "ActionList1");
  Form1->Select(List, false);
  Form1->DeleteSelection(false);
  ASSERT_TRUE(Form1->CanUndelete());
  UnRegisterClass(TActionList::StaticClass());
  struct TRegisterAgain {
    ~TRegisterAgain() { RegisterClass(TActionList::StaticClass()); }
  } Again;
  EXPECT_NE(MessageOf([&] { Form1->DoUndelete(); }), "(no exception)");
  EXPECT_TRUE(Form1->CanUndelete());
  EXPECT_FALSE(C("ActionList1"));
  RegisterClass(TActionList::StaticClass());
  Form1->DoUndelete();
  EXPECT_TRUE(C("ActionList1"));
  EXPECT_FALSE(Form1->CanUndelete());
}

TEST_F(ComponentRootNaming, ReadingAModuleNeverRenamesItsClass) {
  // A form file whose root name differs from its class's: the unit and the class stay.
  IPtr<TReferenceRoot> Other =
      Open("Other.fwf", "object Renamed: TOtherForm\nend\n",
           "unit Other;\ninterface\ntype\n  TOtherForm = class(TForm)\n  end;\nimplementation\nend.\n");
  EXPECT_EQ(Other->GetRootName(), "Renamed");
  EXPECT_EQ(Other->GetRootClassName(), "TOtherForm");
  EXPECT_EQ(TReferenceHost::SourceOf(Other)->ClassName(), "TOtherForm");
  // A root may take no name of any class it descends from, up to the top.
  for (const char* Name : {"Form", "CustomForm", "Component", "Persistent", "Object"})
    EXPECT_THAT(MessageOf([&] { Other->GetRoot()->SetName(Name); }),
                HasSubstr("same name as one of its ancestors"))
        << Name;
  EXPECT_EQ(Other->GetRootName(), "Renamed");
}

TEST_F(ComponentRootNaming, InheritedComponentsOfAnEmbeddedFrameKeepTheirNames) {
  IPtr<TReferenceRoot> Frame = Open("Address.fwf", FrameText, FrameUnit);
  IPtr<TReferenceRoot> Contact = Open("Contact.fwf", ContactText);
  const String Before = Written(Contact);
  TComponent* Instance = Contact->GetRoot()->FindComponent("HomeAddress");
  ASSERT_TRUE(Instance);
  TComponent* Street = Instance->FindComponent("StreetLabel");
  ASSERT_TRUE(Street);
  EXPECT_EQ(MessageOf([&] { Street->SetName("Foo"); }),
            "Cannot rename component StreetLabel, component was introduced in an ancestor form");
  EXPECT_EQ(Written(Contact), Before);
  // Its generated handler name is its path without the separators.
  String Generated;
  auto Selection = CreateSelectionList();
  Selection->Add(Street);
  GetComponentProperties(
      Selection, TTypeKinds{tkMethod}, Contact->GetDesigner(),
      [&](const IPtr<IProperty>& P) {
        if (P->GetName() == "OnClick")
          Generated = dynamic_cast<TMethodProperty*>(P.Get())->GetFormMethodName();
      },
      nullptr);
  EXPECT_EQ(Generated, "HomeAddressStreetLabelClick");
  // The frame's own module renames it; a second instance made now is guarded as well.
  Frame->GetRoot()->FindComponent("StreetLabel")->SetName("RoadLabel");
  auto* Second = Contact->CreateComponent(Frame->GetRoot()->ClassType(), Contact->GetRoot(), 0, 100, 10, 10);
  ASSERT_TRUE(Second);
  EXPECT_THAT(MessageOf([&] { Second->FindComponent("RoadLabel")->SetName("Bar"); }),
              HasSubstr("introduced in an ancestor form"));
  // Once the instance is gone, nothing about it is remembered.
  Contact->Select(Second, false);
  Contact->DeleteSelection(false);
  EXPECT_FALSE(Contact->ModifiableFrame(Second));
}

}  // namespace
}  // namespace formwright
