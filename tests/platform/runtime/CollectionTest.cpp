#include <gtest/gtest.h>

#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {
class TCountingCollection : public TOwnedCollection {
 public:
  using TOwnedCollection::TOwnedCollection;
  std::vector<std::pair<int, TCollectionNotification>> Notes;
  int Updates = 0;

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    Notes.emplace_back(Item->ID(), Action);
  }
  void Update(TCollectionItem*) override { ++Updates; }
};
}  // namespace

TEST(Collection, ItemsKeepIdsAcrossReorderingAndTellTheCollection) {
  TCountingCollection C(nullptr, TTestItem::StaticClass());
  // Each item knows its place after the others moved (asked before and after every change).
  const auto ExpectIndexes = [&C] {
    for (int I = 0; I < C.Count(); ++I) EXPECT_EQ(C.Items(I)->Index(), I);
  };
  auto* A = static_cast<TTestItem*>(C.Add());
  auto* B = static_cast<TTestItem*>(C.Add());
  ExpectIndexes();
  auto* D = static_cast<TTestItem*>(C.Insert(0));
  EXPECT_EQ(C.Items(0), D);
  EXPECT_EQ(D->ID(), 2);
  ExpectIndexes();
  B->SetIndex(0);
  EXPECT_EQ(C.Items(0), B);
  ExpectIndexes();
  EXPECT_EQ(C.FindItemID(0), A);
  EXPECT_EQ(C.FindItemID(7), nullptr);
  C.Notes.clear();
  C.Delete(1);  // D
  ASSERT_EQ(C.Notes.size(), 2u);
  EXPECT_EQ(C.Notes[0], std::make_pair(2, cnDeleting));
  EXPECT_EQ(C.Notes[1], std::make_pair(2, cnExtracting));
  EXPECT_EQ(C.Count(), 2);
  ExpectIndexes();
  C.Add();
  A->Free();  // freeing an item removes it
  EXPECT_EQ(C.Count(), 2);
  EXPECT_EQ(C.Items(0), B);
  ExpectIndexes();
  TCollectionItem* Taken = C.Items(1);
  Taken->SetCollection(nullptr);
  EXPECT_EQ(Taken->Index(), -1);
  Taken->Free();
  EXPECT_EQ(C.Count(), 1);
  const int Before = C.Updates;
  C.BeginUpdate();
  C.Add();
  C.Add();
  EXPECT_EQ(C.Updates, Before);
  C.EndUpdate();
  EXPECT_EQ(C.Updates, Before + 1);
}

TEST(Collection, AssignCopiesItemsAndRefusesOtherClassesLeavingItemsAlone) {
  TOwnedCollection Source(nullptr, TTestItem::StaticClass());
  static_cast<TTestItem*>(Source.Add())->FCaption = "First";
  static_cast<TTestItem*>(Source.Add())->FWidth = 7;
  TOwnedCollection Dest(nullptr, TTestItem::StaticClass());
  static_cast<TTestItem*>(Dest.Add())->FCaption = "Old";
  TTestFont Font;
  EXPECT_THROW(Dest.Assign(&Font), EConvertError);
  ASSERT_EQ(Dest.Count(), 1);
  EXPECT_EQ(static_cast<TTestItem*>(Dest.Items(0))->FCaption, "Old");
  Dest.Assign(&Source);
  ASSERT_EQ(Dest.Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(Dest.Items(0))->FCaption, "First");
  EXPECT_EQ(static_cast<TTestItem*>(Dest.Items(1))->FWidth, 7);
  EXPECT_NE(Dest.Items(0), Source.Items(0));
}

TEST(Collection, AnItemClassMustBeACollectionItem) {
  EXPECT_THROW(TCollection(TTestFont::StaticClass()), EInvalidArgument);
}
