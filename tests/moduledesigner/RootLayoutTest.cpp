// Moving the selection into another parent and its z-order, through the module root.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
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

// Records what a probe reads each time a module tells that it was modified.
class TSeenAtModified : public TInterfacedObject, public IDesignNotification {
 public:
  explicit TSeenAtModified(std::function<std::vector<String>()> Probe) : FProbe(std::move(Probe)) {}
  void ItemsModified(const IPtr<IDesigner>&) override { Seen.push_back(FProbe()); }
  void ItemDeleted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemInserted(const IPtr<IDesigner>&, TPersistent*) override {}
  void SelectionChanged(const IPtr<IDesigner>&, const IPtr<IDesignerSelections>&) override {}
  void DesignerOpened(const IPtr<IDesigner>&, bool) override {}
  void DesignerClosed(const IPtr<IDesigner>&, bool) override {}

  std::vector<std::vector<String>> Seen;

 private:
  std::function<std::vector<String>()> FProbe;
};

TEST_F(RootLayout, ZOrderMovesTheSelectionInSelectionOrderBetweenTwoModifications) {
  auto Listener = MakeIntf<TSeenAtModified>([this] { return Controls("Panel1"); });
  RegisterDesignNotification(IPtr<IDesignNotification>(Listener.Get()));
  Select({"Edit2", "Edit1"});
  Module->ZOrder(false);
  const std::vector<String> Back{"Label1", "Edit1", "Edit2"};  // as the file has them
  EXPECT_THAT(Controls("Panel1"), ElementsAreArray(Back));     // Edit2 went back first
  Module->ZOrder(true);
  const std::vector<String> Front{"Label1", "Edit2", "Edit1"};
  EXPECT_THAT(Controls("Panel1"), ElementsAreArray(Front));
  // Told before the items move and again after: once with the order they had, once with the new.
  EXPECT_THAT(Listener->Seen, ElementsAre(Back, Back, Back, Front));
  // From the alignment commands as well, which then end with a modification of their own.
  Listener->Seen.clear();
  Module->Align(afSendToBack);
  EXPECT_THAT(Listener->Seen, ElementsAre(Front, Back, Back));
  UnregisterDesignNotification(IPtr<IDesignNotification>(Listener.Get()));
}

}  // namespace
}  // namespace formwright
