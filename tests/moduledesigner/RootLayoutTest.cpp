// Moving the selection into another parent and its z-order, through the module root.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using testing::Raises;

const String TwoPanels = Sample("TwoPanels.fwf");

class RootLayout : public testing::TModuleTest {
 protected:
  RootLayout() { Open("Form1.fwf", TwoPanels); }
  TComponent* C(const char* Name) { return Find(Name); }
  void Select(std::initializer_list<const char*> Names) {
    Module->ClearSelection();
    for (const char* N : Names) Module->Select(C(N), true);
  }
  std::vector<String> Controls(const char* Panel) {
    std::vector<String> Names;
    auto* W = As<TWinControl>(C(Panel));
    for (int I = 0; I < W->ControlCount(); ++I) Names.push_back(W->Controls(I)->Name());
    return Names;
  }
};

TEST_F(RootLayout, MoveKeepsTheComponentItselfAndItsOffsetsAndListsItLast) {
  TComponent* Edit1 = C("Edit1");
  Select({"Edit1", "Edit2"});
  const TPoint At{100, 5};
  Module->MoveSelection(C("Panel2"), &At);
  EXPECT_EQ(C("Edit1"), Edit1);  // not freed and read again: references stay
  EXPECT_EQ(As<TLabel>(C("Label1"))->FocusControl(), Edit1);
  EXPECT_EQ(As<TControl>(Edit1)->Parent(), C("Panel2"));
  EXPECT_EQ(As<TControl>(C("Edit2"))->Left(), 130);  // the anchor's offset kept
  EXPECT_EQ(As<TControl>(C("Edit2"))->Top(), 5);
  EXPECT_THAT(Controls("Panel2"), ElementsAre("Edit3", "Edit1", "Edit2"));
  EXPECT_TRUE(Module->IsModified());
  TStringStream S;
  Module->WriteRootStream(&S);
  EXPECT_LT(S.DataString().find("object Edit3"), S.DataString().find("object Edit1"));
}

TEST_F(RootLayout, MoveRefusesBeforeAnythingMoves) {
  const struct {
    std::initializer_list<const char*> Selected;
    const char* Parent;
    const char* Message;
  } Cases[] = {
      {{"Panel1"}, "Edit1", "Cannot move Panel1 into itself or into a component it holds"},
      {{"Panel1"}, "Panel1", "Cannot move Panel1 into itself or into a component it holds"},
      {{"Edit3"}, "Label1", "Edit3 cannot be placed in Label1"},
      {{"Edit3"}, "Edit1", "Edit3 cannot be placed in Edit1"},
      {{"Menu1"}, "Panel1", "Menu1 cannot be placed in Panel1"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Message);
    Select(Case.Selected);
    EXPECT_THAT([&] { Module->MoveSelection(C(Case.Parent)); }, Raises<Exception>(Case.Message));
  }
  Module->ClearSelection();
  Module->Select(Module->GetRoot(), false);
  EXPECT_THAT([&] { Module->MoveSelection(C("Panel1")); },
              Raises<EComponentDesignerException>(SCannotMoveRoot));
  EXPECT_THAT(Controls("Panel1"), ElementsAre("Label1", "Edit1", "Edit2"));
}

TEST_F(RootLayout, ZOrderMovesTheSelectionInSelectionOrderBetweenTwoModifications) {
  auto Modifications = [this] { return Host.SourceOf(Module)->ModifiedCount(); };
  const int Before = Modifications();
  Select({"Edit2", "Edit1"});
  Module->ZOrder(false);
  EXPECT_THAT(Controls("Panel1"), ElementsAre("Label1", "Edit1", "Edit2"));  // Edit2 went back first
  Module->ZOrder(true);
  EXPECT_THAT(Controls("Panel1"), ElementsAre("Label1", "Edit2", "Edit1"));
  // Each is a modification before the items move and one after; the alignment command that
  // orders ends with one more.
  EXPECT_EQ(Modifications(), Before + 4);
  Module->Align(afSendToBack);
  EXPECT_EQ(Modifications(), Before + 7);
}

}  // namespace
}  // namespace formwright
