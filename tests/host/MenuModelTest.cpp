// The reference menu model: items with click handlers, items bound to actions, dividers,
// lookups, clicks and the parent links of sub-items.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/MenuModel.h"
#include "platform/orx/ActnList.h"

namespace formwright {
namespace {

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

class MenuModelTest : public ::testing::Test {
 protected:
  MenuModelTest() {
    FAction->SetName("CutCommand");
    FAction->SetCaption("Cut");
    FAction->SetHint("Cuts the selection");
  }

  IPtr<TMenuItemModel> FMenu = MakeIntf<TMenuItemModel>("Edit", "EditMenu");
  TOwned<TComponent> FActionOwner{new TComponent(nullptr)};
  orx::TAction* FAction = new orx::TAction(FActionOwner.get());
};

TEST_F(MenuModelTest, ItemsKeepTheirOrderAndOnlyEnabledOnesCallTheHandlerWithTheItemAsSender) {
  std::vector<TObject*> Senders;
  auto Record = [&](TObject* S) { Senders.push_back(S); };
  IPtr<IMenuItem> Undo = FMenu->AddItem("Undo", 0x5A, false, true, Record, "UndoItem");
  IPtr<IMenuItem> Line = FMenu->AddLine("Line1");
  IPtr<IMenuItem> Redo = FMenu->AddItem("Redo", 0, true, false, Record, "");
  ASSERT_EQ(FMenu->Count(), 3);
  EXPECT_EQ(FMenu->Items(0), Undo);
  EXPECT_EQ(FMenu->Items(1), Line);
  EXPECT_EQ(FMenu->Items(2), Redo);
  EXPECT_TRUE(Line->IsLine());
  Redo->Click();  // disabled
  Line->Click();  // a divider
  Undo->Click();
  Redo->SetEnabled(true);
  Redo->Click();
  EXPECT_THAT(Senders, ElementsAre(InterfaceObject(Undo.Get()), InterfaceObject(Redo.Get())));
}

TEST_F(MenuModelTest, AnItemBoundToAnActionShowsAndExecutesIt) {
  int Executed = 0;
  struct TTarget : TObject {
    int* Count = nullptr;
    void Run(TObject*) { ++*Count; }
  } Target;
  Target.Count = &Executed;
  FAction->SetOnExecute(orx::TNotifyEvent(TClosure<void(TObject*)>::Bind<&TTarget::Run>(&Target).Method()));
  IPtr<IMenuItem> Item = FMenu->AddItem(FAction, "CutItem");
  EXPECT_EQ(Item->GetAction(), FAction);
  EXPECT_EQ(Item->GetCaption(), "Cut");
  EXPECT_EQ(Item->GetHint(), "Cuts the selection");
  FAction->SetCaption("Cut out");
  FAction->SetEnabled(false);
  EXPECT_EQ(Item->GetCaption(), "Cut out");
  EXPECT_FALSE(Item->GetEnabled());
  Item->Click();
  EXPECT_EQ(Executed, 0);
  FAction->SetEnabled(true);
  Item->Click();
  EXPECT_EQ(Executed, 1);
}

TEST_F(MenuModelTest, FindLooksAtCaptionsAndNamesIgnoringCase) {
  FMenu->AddItem("Undo", 0, false, true, nullptr, "UndoItem");
  IPtr<IMenuItem> Cut = FMenu->AddItem(FAction, "CutItem");
  EXPECT_EQ(FMenu->Find("CUT"), Cut);
  EXPECT_EQ(FMenu->FindByName("cutitem"), Cut);
  EXPECT_FALSE(FMenu->Find("Paste"));
  EXPECT_FALSE(FMenu->FindByName(""));
  EXPECT_TRUE(FMenu->SameAs(IPtr<IInterface>(FMenu)));
  EXPECT_FALSE(FMenu->SameAs(IPtr<IInterface>(Cut)));
  EXPECT_FALSE(FMenu->SameAs(nullptr));
}

TEST_F(MenuModelTest, AnIndexOutOfRangeRaisesAndChangesNothing) {
  FMenu->AddLine("");
  EXPECT_THROW(FMenu->Items(-1), EListError);
  EXPECT_THAT([&] { FMenu->Items(5); }, ThrowsMessage<EListError>("List index out of bounds (5)"));
  EXPECT_EQ(FMenu->Count(), 1);
}

TEST_F(MenuModelTest, SubItemsKnowTheirParentUntilItGoes) {
  IPtr<IMenuItem> Sub = FMenu->AddItem("Align", 0, false, true, nullptr, "");
  IPtr<IMenuItem> Leaf = Sub->AddItem("Left", 0, false, true, nullptr, "");
  EXPECT_EQ(Leaf->GetParent(), Sub);
  EXPECT_EQ(Sub->GetParent(), IPtr<IMenuItem>(FMenu));
  EXPECT_FALSE(FMenu->GetParent());
  FMenu->Clear();
  EXPECT_EQ(FMenu->Count(), 0);
  EXPECT_FALSE(Sub->GetParent());
  Sub.Reset();
  EXPECT_FALSE(Leaf->GetParent());
}

TEST_F(MenuModelTest, AHandlerMayClearTheMenuItSitsIn) {
  int Clicks = 0;
  IPtr<TMenuItemModel> Menu = FMenu;
  Menu->AddItem(
      "Reset", 0, false, true,
      [&](TObject*) {
        Menu->Clear();
        ++Clicks;
      },
      "");
  Menu->Items(0)->Click();
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Menu->Count(), 0);
}

}  // namespace
}  // namespace formwright
