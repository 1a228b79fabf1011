// A selection list finds its items by their objects: an object that left the list can be
// selected again through any item over it, and a change that changes nothing tells nobody.
#include <gtest/gtest.h>

#include "formdesigner/Selections.h"
#include "tests/support/TestClasses.h"

namespace formwright {
namespace {

using testing::TTestForm;
using testing::TTestWidget;

class TCountingListener : public TInterfacedObject, public ISelectionsListener {
 public:
  void SelectionChanged(const IPtr<ISelections>&) override { ++Changes; }
  int Changes = 0;
};

TEST(SelectionKeys, AnObjectThatLeftTheListIsSelectedAgainThroughAnyItemOverIt) {
  TOwned<TTestForm> Root(new TTestForm(nullptr));
  std::vector<TComponent*> W;
  for (const char* Name : {"A", "B", "C"}) {
    W.push_back(new TTestWidget(Root.get()));
    W.back()->SetName(Name);
  }
  // A new item object every time: only the objects tie them to the list.
  auto ItemOf = [](TComponent* C) -> IPtr<IItem> { return MakeIntf<TComponentItem>(C, nullptr); };
  auto Selections = MakeIntf<TSimpleSelections>();
  auto Listener = MakeIntf<TCountingListener>();
  Selections->AddListener(Listener);
  for (TComponent* C : W) Selections->Add(ItemOf(C));
  Selections->Remove(0);
  EXPECT_FALSE(Selections->Selected(ItemOf(W[0])));
  Selections->Add(ItemOf(W[0]));
  EXPECT_EQ(Selections->IndexOf(ItemOf(W[0])), 2);
  Selections->Toggle(ItemOf(W[1]));
  EXPECT_FALSE(Selections->Selected(ItemOf(W[1])));
  Selections->Remove(ItemOf(W[1]));  // absent: nothing changes, nobody is told
  EXPECT_EQ(Listener->Changes, 6);
  Selections->Toggle(ItemOf(W[1]));
  EXPECT_EQ(Selections->IndexOf(ItemOf(W[1])), 2);
  Selections->Clear();
  for (TComponent* C : W) EXPECT_FALSE(Selections->Selected(ItemOf(C))) << C->Name();
  Selections->Add(ItemOf(W[2]));
  Selections->Add(ItemOf(W[2]));
  EXPECT_EQ(Selections->GetCount(), 1);
  EXPECT_EQ(Listener->Changes, 9);
}

}  // namespace
}  // namespace formwright
