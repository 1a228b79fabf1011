#include "formdesigner/Items.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "tests/support/TestClasses.h"

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::Throws;

using namespace formwright;
using namespace formwright::testing;
using formwright::testing::Raises;

namespace {

// A module context over a root; `Frame` stands for an embedded frame instance.
class TTestContext : public TInterfacedObject, public IItemContext {
 public:
  explicit TTestContext(TComponent* Root) : FRoot(Root) {}
  TComponent* GetDesignRoot() override { return FRoot; }
  bool HasSelectableChildren(TComponent* Component) override { return Component == Frame; }
  IPtr<IComponentEditor> GetComponentEditor(TComponent*) override { return nullptr; }
  TComponent* Frame = nullptr;

 private:
  TComponent* FRoot;
};

class ItemsTest : public ::testing::Test {
 protected:
  ItemsTest() : Root(new TTestForm(nullptr)) {
    Root->SetName("Form1");
    Widget = new TTestWidget(Root.get());
    Widget->SetName("Widget1");
    Context = MakeIntf<TTestContext>(Root.get());
  }
  TOwned<TTestForm> Root;
  TTestWidget* Widget;
  IPtr<TTestContext> Context;
};

}  // namespace

TEST_F(ItemsTest, AnItemWrapsOneObjectAndItemsOfTheSameObjectAreTheSameItem) {
  IPtr<IItem> A = MakeIntf<TComponentItem>(Widget, Context);
  IPtr<IItem> B = MakeIntf<TComponentItem>(Widget, nullptr);
  IPtr<IItem> R = MakeIntf<TComponentItem>(Root.get(), Context);
  EXPECT_TRUE(SameItem(A, A));
  EXPECT_TRUE(SameItem(A, B));
  EXPECT_FALSE(SameItem(A, R));
  EXPECT_FALSE(SameItem(A, nullptr));
  EXPECT_FALSE(SameItem(nullptr, A));
  EXPECT_TRUE(SameItem(nullptr, nullptr));  // no item is no item: top-level items are siblings
  EXPECT_THROW(MakeIntf<TComponentItem>(nullptr, Context), EInvalidArgument);
  // The persistent and the component it wraps.
  TTestFont Font;
  IPtr<IItem> FontItem = MakeIntf<TNonControlItem>(&Font, Context);
  EXPECT_EQ(ExtractPersistent(FontItem), &Font);
  EXPECT_EQ(ExtractComponent(FontItem), nullptr);
  EXPECT_EQ(ExtractComponent(A), Widget);
  EXPECT_EQ(ExtractPersistent(nullptr), nullptr);
  EXPECT_EQ(Supports<IPersistentItem>(A)->GetNamePath(), "Widget1");
  Supports<IInternalItem>(A)->Edit();  // the context has no editor for it: nothing happens
}

TEST_F(ItemsTest, SelectableFollowsTheOwnership) {
  auto* Frame = Make<TTestWidget>(Root.get(), "Frame1");
  auto* InFrame = Make<TTestWidget>(Frame, "Inner");
  auto* Loose = new TTestWidget(nullptr);
  EXPECT_TRUE(MakeIntf<TComponentItem>(Root.get(), Context)->Selectable());
  EXPECT_TRUE(MakeIntf<TComponentItem>(Widget, Context)->Selectable());
  EXPECT_TRUE(MakeIntf<TComponentItem>(Loose, Context)->Selectable());  // no owner
  EXPECT_FALSE(MakeIntf<TComponentItem>(InFrame, Context)->Selectable());
  Context->Frame = Frame;  // the owner now shows selectable children
  EXPECT_TRUE(MakeIntf<TComponentItem>(InFrame, Context)->Selectable());
  // Items of other persistents never are.
  EXPECT_FALSE(MakeIntf<TNonControlItem>(Widget, Context)->Selectable());
  Loose->Free();
}

TEST_F(ItemsTest, AComponentItemDeletesItsComponentButNeitherTheRootNorAnAncestors) {
  IPtr<IItem> RootItem = MakeIntf<TComponentItem>(Root.get(), Context);
  EXPECT_THAT([&] { RootItem->Delete(); }, Raises<EComponentDesignerException>(
                                               "Form1 is the module's root component and cannot be deleted"));
  Widget->SetAncestor(true);
  IPtr<IItem> Item = MakeIntf<TComponentItem>(Widget, Context);
  const auto Ancestor = Raises<EComponentDesignerException>(
      "Selection contains a component, Widget1, introduced in an ancestor and cannot be deleted");
  EXPECT_THAT([&] { Item->ValidateDeletable(); }, Ancestor);
  EXPECT_THAT([&] { Item->ValidateDeletable(); }, Not(Throws<ECannotDeleteNonComponentException>()));
  EXPECT_THAT([&] { Item->Delete(); }, Ancestor);
  EXPECT_EQ(Root->FindComponent("Widget1"), Widget);
  Widget->SetAncestor(false);
  EXPECT_NO_THROW(Item->ValidateDeletable());
  Item->Delete();
  EXPECT_EQ(Root->FindComponent("Widget1"), nullptr);
  EXPECT_EQ(Root->ComponentCount(), 0);
}

TEST_F(ItemsTest, APlainPersistentCannotBeDeletedAndANonControlComponentOfAnAncestorSaysSo) {
  TTestFont Font;
  EXPECT_THAT([&] { MakeIntf<TNonControlItem>(&Font, Context)->ValidateDeletable(); },
              Raises<ECannotDeleteNonComponentException>("Cannot delete a TPersistent from the designer"));
  EXPECT_THROW(MakeIntf<TPersistentItem>(&Font, nullptr)->ValidateDeletable(),  // the base item too
               ECannotDeleteNonComponentException);
  // The ancestor rule comes first.
  Widget->SetAncestor(true);
  IPtr<IItem> Item = MakeIntf<TNonControlItem>(Widget, Context);
  EXPECT_THAT([&] { Item->ValidateDeletable(); }, Raises<EComponentDesignerException>(HasSubstr("Widget1")));
  EXPECT_THAT([&] { Item->ValidateDeletable(); }, Not(Throws<ECannotDeleteNonComponentException>()));
  Widget->SetAncestor(false);
  EXPECT_THROW(Item->ValidateDeletable(), ECannotDeleteNonComponentException);
  EXPECT_THROW(Item->Delete(), ECannotDeleteNonComponentException);
  EXPECT_EQ(Root->FindComponent("Widget1"), Widget);
}
