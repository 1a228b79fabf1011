#include "moduledesigner/CompInfo.h"

#include <gtest/gtest.h>

#include "formdesigner/Proxies.h"
#include "formwright/testing/Forms.h"
#include "formwright/testing/RecordingDesigner.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {
// A designer that can revert one named event.
class TRevertingDesigner : public TRecordingDesigner {
 public:
  String Revertable;
  int Reverted = 0;
  bool CanRevert(TPersistent*, PPropInfo P) override { return SameText(P->Name, Revertable); }
  void Revert(TPersistent*, PPropInfo) override { ++Reverted; }
};
}  // namespace

TEST(CompInfo, EventsAreListedByNameWithTheRootsHandlerNames) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  CreateSubClass(Form.get(), "TForm1", "Unit1", TTestForm::StaticClass());
  auto* W = Make<TTestWidget>(Form.get(), "Widget1");
  void* Handler = CreateSubClassMethod(Form.get(), "Widget1Click");
  W->FOnClick = TTestNotify(TMethod{Handler, Form.get()});
  TTestForm Stranger(nullptr);
  W->FOnKey = TTestKeyEvent(TMethod{Stranger.MethodAddress("WidgetClick"), &Stranger});  // not the root's

  auto Designer = MakeIntf<TRevertingDesigner>();
  auto Info = MakeIntf<TCompInfo>(Form.get(), IPtr<IDesigner>(Designer.Get()), W);
  EXPECT_EQ(Info->GetClassName(), "TTestWidget");
  EXPECT_EQ(Info->GetQualifiedClassName(), "TestUnit.TTestWidget");
  EXPECT_EQ(Info->GetNamePath(), "Widget1");
  ASSERT_EQ(Info->GetEventCount(), 2);
  EXPECT_EQ(Info->GetEventName(0), "OnClick");
  EXPECT_EQ(Info->GetEventValue(0), "Widget1Click");
  EXPECT_EQ(Info->GetEventValue(1), "");
  EXPECT_EQ(Info->GetIEventInfo(1)->GetResultType(), "Boolean");
  EXPECT_THROW(Info->GetEventInfo(2), EListError);

  // An event the designer can revert is reverted; another one is cleared.
  Designer->Revertable = "OnClick";
  Info->ClearEvent(0);
  EXPECT_EQ(Designer->Reverted, 1);
  EXPECT_TRUE(W->FOnClick);
  Info->ClearEvent(1);
  EXPECT_FALSE(W->FOnKey);
  EXPECT_EQ(Designer->FModifiedCount, 2);
  auto RootInfo = MakeIntf<TCompInfo>(Form.get(), nullptr, Form.get());
  EXPECT_EQ(RootInfo->GetQualifiedClassName(), "Unit1.TForm1");
}

TEST(CompInfo, SubObjectsAreOwnedPersistentsAndCollectionItems) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* W = new TTestWidget(Form.get());
  auto* Other = new TTestWidget(Form.get());
  W->SetBuddy(Other);  // a reference, not a sub-object
  W->Items()->Add();
  W->Items()->Add();
  auto Info = MakeIntf<TCompInfo>(Form.get(), nullptr, W);
  ASSERT_EQ(Info->GetSubInfoCount(), 2);  // Font and Items
  EXPECT_EQ(Info->GetSubInfo(0)->GetClassName(), "TTestFont");
  IPtr<ICompInfo> Items = Info->GetSubInfo(1);
  ASSERT_EQ(Items->GetSubInfoCount(), 2);  // the two items
  EXPECT_EQ(Items->GetSubInfo(1)->GetClassName(), "TTestItem");
  EXPECT_FALSE(Items->GetSubInfo(2));
  EXPECT_FALSE(Info->GetSubInfo(-1));
}
