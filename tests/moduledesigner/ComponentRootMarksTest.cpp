// What a module root's surface shows of a multiple selection (the marked items), and the names
// pasted handlers end with when their renames meet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/Forms.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ComponentRootMarks : public testing::RootTest {
 protected:
  ComponentRootMarks() {
    Form1 = Open("Form1.fwf", testing::PanelFormText);
    for (const char* Name : {"Label1", "Label2"})
      testing::Make<TLabel>(Form1->GetRoot(), Name, As<TWinControl>(Form1->GetRoot()));
  }
  // The names of the components whose items are drawn marked, in owner order.
  std::vector<String> Marked() {
    std::vector<String> R;
    for (TComponent* C : Form1->GetRoot()->ComponentList())
      if (Supports<IInternalItem>(Form1->ItemOf(C))->GetMarked()) R.push_back(C->Name());
    return R;
  }
};

TEST_F(ComponentRootMarks, OnlyTheItemsOfAMultipleSelectionAreMarked) {
  Form1->SelectAll();
  EXPECT_THAT(Marked(), ElementsAre("Panel1", "Button1", "Label1", "Label2"));
  // Items that stay selected stay marked; the others are unmarked.
  Form1->Select(C("Label2"), false);
  Form1->Select(C("Button1"), true);
  EXPECT_THAT(Marked(), ElementsAre("Button1", "Label2"));
  // One selected item carries the grab handles instead of a mark.
  Form1->Select(C("Label1"), false);
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(ExtractPersistent(Form1->Surface()->GetGrabHandles()->GetItem()), C("Label1"));
  // A marked component that goes leaves the others marked.
  Form1->SelectAll();
  C("Label1")->Free();
  EXPECT_THAT(Marked(), ElementsAre("Panel1", "Button1", "Label2"));
  Form1->Select(Form1->GetRoot(), false);
  EXPECT_TRUE(Marked().empty());
}

TEST_F(ComponentRootMarks, PastedHandlersWhoseNamesMeetAreKeptApart) {
  // Button1Click follows its button to Button2Click, which the second pasted handler also
  // has as its name: that one becomes Button2Click2, in the class and in the unit.
  Files->PutFile("Form2.fwf",
                 "object Form2: TForm2\n  object Button1: TButton\n    OnClick = Button1Click\n  end\n"
                 "  object Label1: TLabel\n    OnClick = Button2Click\n  end\nend\n");
  Files->PutFile("Form2.pas",
                 "unit Form2;\ninterface\ntype\n  TForm2 = class(TForm)\n  end;\nimplementation\n\n"
                 "procedure TForm2.Button1Click(Sender: TObject);\nbegin\n  Beep;\nend;\n\n"
                 "procedure TForm2.Button2Click(Sender: TObject);\nbegin\n  Close;\nend;\n\nend.\n");
  IPtr<TReferenceRoot> Form2 = Host.Open("Form2.fwf");
  Form2->SelectAll();
  TMemoryStream Clip;
  Form2->CopySelectionToStream(&Clip, nullptr);
  Clip.SetPosition(0);
  Form1->Select(Form1->GetRoot(), false);
  Form1->PasteSelectionFromStream(&Clip, nullptr, TRect{});
  auto HandlerOf = [&](const char* Name) {
    TComponent* Component = C(Name);
    return Component ? Form1->GetMethodName(GetMethodProp(Component, GetPropInfo(Component, "OnClick")))
                     : String("(missing)");
  };
  EXPECT_EQ(HandlerOf("Button2"), "Button2Click");
  EXPECT_EQ(HandlerOf("Label3"), "Button2Click2");
  TModuleSource* Source = TReferenceHost::SourceOf(Form1);
  ASSERT_TRUE(Source->FindHandler("Button2Click2"));
  EXPECT_THAT(Source->FindHandler("Button2Click2")->Body, ElementsAre(HasSubstr("Close;")));
  EXPECT_THAT(Source->FindHandler("Button2Click")->Body, ElementsAre(HasSubstr("Beep;")));
  EXPECT_EQ(Form1->GetSelection()->GetCount(), 2);
}

}  // namespace
}  // namespace formwright
