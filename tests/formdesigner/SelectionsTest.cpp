#include "formdesigner/Selections.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// Records every notification with the list's count at that moment.
class TRecordingListener : public TInterfacedObject, public ISelectionsListener {
 public:
  explicit TRecordingListener(std::vector<String>* Log = nullptr, String Name = "")
      : FLog(Log), FName(Name) {}
  void SelectionChanged(const IPtr<ISelections>& Selections) override {
    Counts.push_back(Selections->GetCount());
    if (FLog) FLog->push_back(FName);
    if (OnChanged) OnChanged();
  }
  std::vector<int> Counts;
  std::function<void()> OnChanged;

 private:
  std::vector<String>* FLog;
  String FName;
};

// An item of another family: equal to every item that wraps the same name path.
class TNamedItem : public TInterfacedObject, public IItem {
 public:
  explicit TNamedItem(String Name) : FName(std::move(Name)) {}
  bool Contains(const IPtr<IItem>& Item) override { return false; }
  void Delete() override {}
  TPoint GlobalToLocal(TPoint Point) override { return Point; }
  TPoint LocalToGlobal(TPoint Point) override { return Point; }
  bool Equals(const IPtr<IItem>& Item) override {
    const IPtr<IPersistentItem> P = Supports<IPersistentItem>(Item);
    return P && P->GetNamePath() == FName;
  }
  TRect GetBoundsRect() override { return {}; }
  TRect GetExtendedRect() override { return {}; }
  TRect GetClientRect() override { return {}; }
  IPtr<IItem> GetParent() override { return nullptr; }
  bool IsContainer() override { return false; }
  bool HasSelectableChildren() override { return false; }
  void SetBoundsRect(const TRect& Rect) override {}
  bool Selectable() override { return true; }
  void ValidateDeletable() override {}
  void Edit() override {}

 private:
  String FName;
};

class SelectionsTest : public ::testing::Test {
 protected:
  SelectionsTest() : Root(new TTestForm(nullptr)) {
    for (const char* Name : {"A", "B", "C"}) {
      auto* W = new TTestWidget(Root.get());
      W->SetName(Name);
      Items.push_back(MakeIntf<TComponentItem>(W, nullptr));
    }
    Selections->AddListener(Listener);
  }
  TOwned<TTestForm> Root;
  std::vector<IPtr<IItem>> Items;
  IPtr<TSimpleSelections> Selections = MakeIntf<TSimpleSelections>();
  IPtr<TRecordingListener> Listener = MakeIntf<TRecordingListener>();
};

}  // namespace

TEST_F(SelectionsTest, EachChangeOutsideAnUpdateSignalsOnceAndASelectedItemIsNotAddedAgain) {
  Selections->Add(Items[0]);
  Selections->Add(Items[1]);
  // Another item object over the same component is the same item.
  Selections->Add(MakeIntf<TComponentItem>(ExtractPersistent(Items[0]), nullptr));
  Selections->Add(Items[1]);
  EXPECT_EQ(Listener->Counts, (std::vector<int>{1, 2}));
  EXPECT_TRUE(SameItem(Selections->GetItems(0), Items[0]));  // the anchor stays first
  EXPECT_TRUE(Selections->Selected(Items[1]));
  EXPECT_FALSE(Selections->Selected(Items[2]));
}

TEST_F(SelectionsTest, ItemsOfOtherFamiliesAreComparedByTheirOwnEquals) {
  IPtr<IItem> Named = MakeIntf<TNamedItem>("B");
  Selections->Add(Named);
  EXPECT_TRUE(Selections->Selected(Named));
  EXPECT_TRUE(Selections->Selected(Items[1]));  // Named.Equals(item of B)
  EXPECT_FALSE(Selections->Selected(Items[0]));
  Selections->Add(Items[1]);  // counts as present
  EXPECT_EQ(Selections->GetCount(), 1);
  Selections->Add(Items[0]);
  EXPECT_EQ(Selections->IndexOf(Items[0]), 1);
  // An item of the persistent family is equal only to items wrapping its object.
  EXPECT_FALSE(Selections->Selected(MakeIntf<TNamedItem>("A")));
  Selections->Toggle(Items[1]);  // removes the named item
  EXPECT_EQ(Selections->GetCount(), 1);
  EXPECT_TRUE(SameItem(Selections->GetItems(0), Items[0]));
}

TEST_F(SelectionsTest, NestedUpdatesGiveOneNotificationAtTheOutermostEndAndNoneWithoutChanges) {
  Selections->BeginSelections();
  Selections->Add(Items[0]);
  Selections->BeginSelections();
  EXPECT_EQ(Selections->GetSelectionLevel(), 2);
  Selections->Add(Items[1]);
  Selections->Remove(Items[0]);
  Selections->EndSelections();
  EXPECT_TRUE(Listener->Counts.empty());
  Selections->EndSelections();
  EXPECT_EQ(Selections->GetSelectionLevel(), 0);
  EXPECT_EQ(Listener->Counts, (std::vector<int>{1}));
  {
    TSelectionsUpdate Update(Selections);
    Selections->Add(Items[1]);     // present: no change
    Selections->Remove(Items[2]);  // absent: no change
  }
  EXPECT_EQ(Listener->Counts, (std::vector<int>{1}));
}

TEST_F(SelectionsTest, RemoveToggleAndClear) {
  for (const auto& I : Items) Selections->Add(I);
  Listener->Counts.clear();
  Selections->Remove(1);
  EXPECT_EQ(Selections->GetCount(), 2);
  EXPECT_TRUE(SameItem(Selections->GetItems(1), Items[2]));
  Selections->Toggle(Items[0]);  // present: removed
  EXPECT_FALSE(Selections->Selected(Items[0]));
  Selections->Toggle(Items[0]);  // absent: added at the end
  EXPECT_TRUE(SameItem(Selections->GetItems(1), Items[0]));
  Selections->Clear();
  EXPECT_EQ(Selections->GetCount(), 0);
  Selections->Clear();  // an empty list still signals
  EXPECT_EQ(Listener->Counts, (std::vector<int>{2, 1, 2, 0, 0}));
}

TEST_F(SelectionsTest, ABadIndexIsRefusedAndLeavesTheListAsItWas) {
  Selections->Add(Items[0]);
  Listener->Counts.clear();
  EXPECT_THROW(Selections->Remove(1), EListError);
  EXPECT_THROW(Selections->Remove(-1), EListError);
  EXPECT_THROW(Selections->GetItems(3), EListError);
  EXPECT_EQ(Selections->GetCount(), 1);
  EXPECT_TRUE(Listener->Counts.empty());
  IPtr<TSimpleSelections> Empty = MakeIntf<TSimpleSelections>();
  EXPECT_THROW(Empty->GetItems(0), EListError);
}

TEST_F(SelectionsTest, ListenersAreToldInRegistrationOrderOnceEachAndMayUnregisterOthersWhileTold) {
  std::vector<String> Log;
  auto First = MakeIntf<TRecordingListener>(&Log, "first");
  auto Second = MakeIntf<TRecordingListener>(&Log, "second");
  Selections->AddListener(First);
  Selections->AddListener(Second);
  Selections->AddListener(First);  // registered once
  Selections->Add(Items[0]);
  EXPECT_EQ(Log, (std::vector<String>{"first", "second"}));
  First->OnChanged = [&] {
    Selections->RemoveListener(First);
    Selections->RemoveListener(Second);
  };
  Selections->Add(Items[1]);
  Selections->Add(Items[2]);
  EXPECT_EQ(Log, (std::vector<String>{"first", "second", "first"}));
}

TEST_F(SelectionsTest, TheWrapperForwardsFindsItemsByPersistentAndLetsGoWhenDestroyed) {
  int Changes = 0;
  TSelections* Seen = nullptr;
  {
    TSelections Wrapper(Selections, [&](TSelections* Sender) {
      ++Changes;
      Seen = Sender;
    });
    Selections->Add(Items[1]);
    Selections->Add(Items[2]);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Seen, &Wrapper);
    EXPECT_EQ(Wrapper.GetPersistents(0), Root->FindComponent("B"));
    EXPECT_TRUE(SameItem(Wrapper.FindItemFor(Root->FindComponent("C")), Items[2]));
    EXPECT_EQ(Wrapper.FindItemFor(Root->FindComponent("A")), nullptr);
    EXPECT_EQ(Wrapper.FindItemFor(nullptr), nullptr);
  }
  Selections->Add(Items[0]);
  EXPECT_EQ(Changes, 2);
  // The wrapper's listener let go of the list: only the test holds it.
  EXPECT_EQ(Selections->RefCount(), 1);
  EXPECT_THROW(TSelections(nullptr, nullptr), EInvalidArgument);
}
