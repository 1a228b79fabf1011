// The z-order of controls through saving and reopening a module, inherited controls included.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formdesigner/SurfaceIntf.h"
#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const String PanelForm = Sample("ZOrderPanels.fwf");

// The names of the objects in a form file in text form, in file order.
std::vector<String> ObjectOrder(const String& Text) {
  std::vector<String> Names;
  for (size_t At = Text.find("object "); At != String::npos; At = Text.find("object ", At + 1)) {
    const size_t Start = At + 7;
    Names.push_back(Text.substr(Start, Text.find(':', Start) - Start));
  }
  return Names;
}

std::vector<String> ControlNames(const IPtr<TReferenceRoot>& R, const char* Container) {
  auto* W = As<TWinControl>(R->GetRoot()->FindComponent(Container));
  std::vector<String> Names;
  for (int I = 0; I < W->ControlCount(); ++I) Names.push_back(W->Controls(I)->Name());
  return Names;
}

class ComponentRootZOrder : public testing::RootTest {
 protected:
  ComponentRootZOrder() { Files->PutFile("Form1.fwf", PanelForm); }
  // Sends the control to the front or back as the designer does and records the change.
  static void ZOrder(const IPtr<TReferenceRoot>& R, const char* Name, bool ToFront) {
    Supports<IInternalItem>(R->Surface()->FindItem(R->GetRoot()->FindComponent(Name)))->ZOrder(ToFront);
    R->Modified();
  }
  // Saves and closes the module, opens it again and lists Panel1's controls back to front.
  std::vector<String> ReopenedOrder(const IPtr<TReferenceRoot>& R) {
    const String FileName = R->GetFileName();
    R->Save();
    Host.Close(R);
    return ControlNames(Host.Open(FileName), "Panel1");
  }
};

TEST_F(ComponentRootZOrder, ZOrderSurvivesSavingAndReopening) {
  IPtr<TReferenceRoot> Form = Host.Open("Form1.fwf");
  ASSERT_THAT(ControlNames(Form, "Panel1"), ElementsAre("Label1", "Label2", "Edit1", "Edit2", "Edit3"));
  // Saved untouched, the file keeps the order it was written in.
  Form->Save();
  EXPECT_THAT(ObjectOrder(Files->Contents("Form1.fwf")),
              ElementsAre("Form1", "Panel1", "Label1", "Edit1", "Label2", "Edit2", "Edit3"));

  ZOrder(Form, "Edit1", true);
  ZOrder(Form, "Label2", false);
  const std::vector<String> Moved{"Label2", "Label1", "Edit2", "Edit3", "Edit1"};
  ASSERT_THAT(ControlNames(Form, "Panel1"), ElementsAreArray(Moved));
  EXPECT_THAT(ReopenedOrder(Form), ElementsAreArray(Moved));
}

// In an inheriting module the controls it inherits keep the z-order it gave them: the file
// records their places against the ancestor's order.
TEST_F(ComponentRootZOrder, AnInheritingModuleKeepsTheZOrderOfInheritedControls) {
  IPtr<TReferenceRoot> Base = Host.Open("Form1.fwf");
  IPtr<TReferenceRoot> Child = Host.New("Form2", "Form2.fwf", "TForm", Base);
  ASSERT_TRUE(Child->GetRoot()->FindComponent("Edit1")->ComponentState().Contains(csAncestor));
  ZOrder(Child, "Edit1", true);
  const std::vector<String> Moved{"Label1", "Label2", "Edit2", "Edit3", "Edit1"};
  ASSERT_THAT(ControlNames(Child, "Panel1"), ElementsAreArray(Moved));
  EXPECT_THAT(ReopenedOrder(Child), ElementsAreArray(Moved));
  EXPECT_THAT(ControlNames(Base, "Panel1"), ElementsAre("Label1", "Label2", "Edit1", "Edit2", "Edit3"));
}

}  // namespace
}  // namespace formwright
