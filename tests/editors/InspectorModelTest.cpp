// The headless inspector and the rename that carries a component's handlers with it.
#include <gmock/gmock.h>

#include "editors/ComponentRename.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Field;

class InspectorModel : public PropEditorTest {
 protected:
  TInspectorModel Inspector{Designer()};

  static const TInspectorRow* RowNamed(const std::vector<TInspectorRow>& Rows, const char* Name) {
    for (const TInspectorRow& R : Rows)
      if (R.Name == Name) return &R;
    return nullptr;
  }
};

TEST_F(InspectorModel, NestedRowsExpandToTheDepthAsked) {
  FWidget->Font()->FSize = 9;
  Inspector.Select({FWidget});
  const std::vector<TInspectorRow> Rows = Inspector.Rows();
  const TInspectorRow* Font = RowNamed(Rows, "Font");
  ASSERT_NE(Font, nullptr);
  EXPECT_TRUE(Font->Expanded);
  EXPECT_THAT(Font->Rows,
              ElementsAre(Field(&TInspectorRow::Name, "Name"), Field(&TInspectorRow::Name, "Size")));
  EXPECT_EQ(Font->Rows[1].Value, "9");
  const std::vector<TInspectorRow> FlatRows = Inspector.Rows(TInspectorPage::ipProperties, 1);
  const TInspectorRow* Flat = RowNamed(FlatRows, "Font");
  ASSERT_NE(Flat, nullptr);
  EXPECT_FALSE(Flat->Expanded);
  EXPECT_TRUE(Flat->Rows.empty());
  // A dotted path reaches the nested row, ignoring case, and typing there writes the object.
  const IPtr<IProperty> Size = Inspector.Find("font.SIZE");
  ASSERT_TRUE(Size);
  EXPECT_EQ(TInspectorModel::TypeValue(Size, "Widget1.Font.Size", "12"), "12");
  EXPECT_EQ(FWidget->Font()->FSize, 12);
  EXPECT_FALSE(Inspector.Find("Font.Colour"));
}

TEST_F(InspectorModel, ValueListsAreSortedIgnoringCaseAndDifferingValuesShowEmpty) {
  for (const char* Name : {"beta", "Zed", "Alpha"}) FDesigner->AddMethod(Name);
  FWidget->FOnClick = TTestNotify(FDesigner->MethodOf("Zed"));
  Inspector.Select({FWidget});
  const std::vector<TInspectorRow> Events = Inspector.Rows(TInspectorPage::ipEvents);
  const TInspectorRow* OnClick = RowNamed(Events, "OnClick");
  ASSERT_NE(OnClick, nullptr);
  EXPECT_EQ(OnClick->EditorClass, "TMethodProperty");
  EXPECT_EQ(OnClick->Value, "Zed");
  EXPECT_THAT(OnClick->Values, ElementsAre("Alpha", "beta", "Zed"));

  Inspector.Select({FWidget, FWidget2});
  const std::vector<TInspectorRow> Both = Inspector.Rows(TInspectorPage::ipEvents);
  OnClick = RowNamed(Both, "OnClick");
  ASSERT_NE(OnClick, nullptr);
  EXPECT_EQ(OnClick->Value, "");
}

TEST_F(InspectorModel, ARowWithoutAnEditableValueRefusesTypingAndChangesNothing) {
  Inspector.Select({FWidget});
  const IPtr<IProperty> Count = Inspector.Find("ReadOnlyCount");
  ASSERT_TRUE(Count);
  EXPECT_THAT([&] { TInspectorModel::TypeValue(Count, "Widget1.ReadOnlyCount", "7"); },
              Raises<Exception>("Property Widget1.ReadOnlyCount is read-only"));
  EXPECT_EQ(FWidget->ReadOnlyCount(), 42);
}

TEST_F(InspectorModel, ARenameCarriesTheHandlersNamedAfterTheComponent) {
  FWidget->FOnClick = TTestNotify(FDesigner->AddMethod("Widget1Click"));
  FWidget2->FOnClick = TTestNotify(FDesigner->AddMethod("Widget2Click"));
  FDesigner->AddMethod("OkayKey");  // the new default name of the key handler is taken
  FWidget->FOnKey = TTestKeyEvent(FDesigner->AddMethod("Widget1Key"));

  TComponentRename Rename(Designer(), FWidget);
  const std::vector<THandlerFollower> Followers = Rename.Run("Okay");
  EXPECT_EQ(FWidget->Name(), "Okay");
  EXPECT_THAT(Followers, ElementsAre(AllOf(Field(&THandlerFollower::Event, "OnClick"),
                                           Field(&THandlerFollower::NewHandler, "OkayClick"),
                                           Field(&THandlerFollower::Taken, false)),
                                     AllOf(Field(&THandlerFollower::Event, "OnKey"),
                                           Field(&THandlerFollower::Taken, true))));
  EXPECT_THAT(FDesigner->FRenamed, ElementsAre(std::pair<String, String>("Widget1Click", "OkayClick")));
  EXPECT_EQ(FWidget->FOnClick.Method(), FDesigner->MethodOf("OkayClick"));
  EXPECT_EQ(FWidget->FOnKey.Method(), FDesigner->MethodOf("Widget1Key"));
}

TEST_F(InspectorModel, ARefusedRenameLeavesTheNameAndEveryHandler) {
  FWidget->FOnClick = TTestNotify(FDesigner->AddMethod("Widget1Click"));
  TComponentRename Rename(Designer(), FWidget);
  EXPECT_THROW(Rename.Run("Widget2"), Exception);  // the owner already has a Widget2
  EXPECT_EQ(FWidget->Name(), "Widget1");
  EXPECT_TRUE(FDesigner->FRenamed.empty());
}

}  // namespace
}  // namespace formwright::testing
