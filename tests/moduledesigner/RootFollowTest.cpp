// A module root following its ancestor module: what it tells listeners, and the revert command.
// (Frames and single properties: the program's tests, tests/tools/DependentsTest.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;

// Form2 inherits from Form1 (two panels of edits).
class RootFollow : public testing::RootTest {
 protected:
  RootFollow() : Base(Open("Form1.fwf", Sample("TwoPanels.fwf"))) {
    Form1 = Create("Form2", "Form2.fwf", "TForm", Base);
  }
  IPtr<TReferenceRoot> Base;
};

class TUpdatedListener : public TInterfacedObject, public IDesignNotificationEx {
 public:
  MOCK_METHOD(void, ItemDeleted, (const IPtr<IDesigner>&, TPersistent*), (override));
  MOCK_METHOD(void, ItemInserted, (const IPtr<IDesigner>&, TPersistent*), (override));
  MOCK_METHOD(void, ItemsModified, (const IPtr<IDesigner>&), (override));
  MOCK_METHOD(void, SelectionChanged, (const IPtr<IDesigner>&, const IPtr<IDesignerSelections>&), (override));
  MOCK_METHOD(void, DesignerOpened, (const IPtr<IDesigner>&, bool), (override));
  MOCK_METHOD(void, DesignerClosed, (const IPtr<IDesigner>&, bool), (override));
  MOCK_METHOD(void, DescendantUpdated, (const IPtr<IDesigner>&), (override));
};

TEST_F(RootFollow, ADescendantFollowsItsAncestorWritesItselfAnewAndListenersHearOfIt) {
  Form1->GetRootStream();
  ASSERT_TRUE(Form1->HasCachedStream());
  auto Listener = MakeIntf<::testing::NiceMock<TUpdatedListener>>();
  RegisterDesignNotification(IPtr<IDesignNotification>(Listener.Get()));
  // One change updates the descendant twice: the module's Modified runs its update manager's
  // Modified with its frames' managers, then once more on its own.
  EXPECT_CALL(*Listener, DescendantUpdated(::testing::Eq(Form1->GetDesigner()))).Times(2);
  As<TControl>(Find(Base, "Edit1"))->SetLeft(33);
  Base->Modified();
  EXPECT_EQ(As<TControl>(C("Edit1"))->Left(), 33);
  EXPECT_FALSE(Form1->HasCachedStream());
}

TEST_F(RootFollow, AnAncestorGivesNoNameItsDescendantUsesAndTakesBackOneTheDescendantFrees) {
  auto* Introduced = new TEdit(Form1->GetRoot());
  Introduced->SetName("Edit4");
  EXPECT_EQ(Base->UniqueName("TEdit"), "Edit5");
  // The descendant frees the name without the ancestor hearing of it.
  Introduced->SetName("Other");
  EXPECT_EQ(Base->UniqueName("TEdit"), "Edit4");
}

TEST_F(RootFollow, TheCommandAsksBeforeDeletingWhatTheDescendantPutInsideAndARefusalChangesNothing) {
  As<TControl>(C("Edit1"))->SetLeft(99);
  As<TControl>(C("Edit3"))->SetLeft(55);
  Form1->CreateComponent(TButton::StaticClass(), C("Panel1"), 5, 50, 75, 25);
  Form1->Modified();
  const String Changed = Written(Form1);
  std::vector<String> Asked;
  bool Answer = false;
  Host.Environment().RevertQuestion = [&](const String& Message) {
    Asked.push_back(Message);
    return Answer;
  };
  Form1->Select(C("Panel1"), false);
  Form1->Command(dmRevert);
  EXPECT_EQ(Written(Form1), Changed);
  Answer = true;
  Form1->Command(dmRevert);
  const char* Question =
      "Reverting 'Panel1' deletes all contained components not found in the ancestor and will delete the "
      "following: Button1.  Continue?";
  EXPECT_THAT(Asked, ElementsAre(Question, Question));
  EXPECT_EQ(C("Button1"), nullptr);
  EXPECT_EQ(As<TControl>(C("Edit1"))->Left(), 10);
  EXPECT_EQ(As<TControl>(C("Edit3"))->Left(), 55);  // outside the reverted panel
  // The root itself is never reverted.
  Form1->Select(Form1->GetRoot(), false);
  const String Kept = Written(Form1);
  Form1->Command(dmRevert);
  EXPECT_EQ(Written(Form1), Kept);
}

}  // namespace
}  // namespace formwright
