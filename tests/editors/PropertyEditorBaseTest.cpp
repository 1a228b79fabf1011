// The behaviour every property editor inherits: attributes, edit values, availability,
// reverting, value accessors and nested editors.
#include <gmock/gmock.h>

#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

class PropertyEditorBase : public PropEditorTest {
 protected:
  // A base editor for property `Name` of `Objects`.
  IPtr<TPropertyEditor> Base(std::initializer_list<TPersistent*> Objects, const char* Name) {
    IPtr<TPropertyEditor> E = MakeIntf<TPropertyEditor>(Designer(), static_cast<int>(Objects.size()));
    int I = 0;
    for (TPersistent* O : Objects) E->SetPropEntry(I++, O, GetPropInfo(O, Name));
    E->Initialize();
    return E;
  }
};

// Offers three values, to be sorted.
class TThreeValues : public TStringProperty {
  FW_PROPERTY_EDITOR(TThreeValues, TStringProperty)
 public:
  TPropertyAttributes GetAttributes() override { return {paValueList, paSortList, paMultiSelect}; }
  void GetValues(const TGetStrProc& Proc) override {
    Proc("b");
    Proc("a");
    Proc("c");
  }
};
FW_REGISTER_CLASS(TThreeValues, "PropTests")

TEST_F(PropertyEditorBase, EditValuesExplainWhatCannotBeRead) {
  IPtr<TStringProperty> W = MakeIntf<TStringProperty>(Designer(), 1);
  W->SetPropEntry(0, FWidget, GetPropInfo(FWidget, "Transient"));
  String V;
  EXPECT_FALSE(W->GetEditValue(V));
  EXPECT_EQ(V, "(Not available)");
  auto* Links = new TPropTestLinks(FForm.get());
  IPtr<TIntegerProperty> F = MakeIntf<TIntegerProperty>(Designer(), 1);
  F->SetPropEntry(0, Links, GetPropInfo(Links, "Fragile"));
  EXPECT_TRUE(F->GetEditValue(V));
  EXPECT_EQ(V, "0");
  EXPECT_TRUE(F->ValueAvailable());
  Links->FBroken = true;
  EXPECT_FALSE(F->GetEditValue(V));
  EXPECT_EQ(V, "(The device is not connected)");
  EXPECT_FALSE(F->ValueAvailable());
  IPtr<TIntegerProperty> R = MakeIntf<TIntegerProperty>(Designer(), 1);
  R->SetPropEntry(0, FWidget, GetPropInfo(FWidget, "ReadOnlyCount"));
  EXPECT_FALSE(R->GetEditValue(V));
  EXPECT_EQ(V, "42");
}

TEST_F(PropertyEditorBase, EditTakesTheEntryAfterTheCurrentValueInTheSortedList) {
  RegisterPropertyEditor(TypeInfoOf<String>(), TTestWidget::StaticClass(), "Caption",
                         TThreeValues::StaticClass());
  IPtr<IProperty> P = Prop({FWidget}, "Caption");
  FWidget->SetCaption("c");
  P->Edit();  // the current value is the last: the first follows
  EXPECT_EQ(FWidget->Caption(), "a");
  P->Edit();
  EXPECT_EQ(FWidget->Caption(), "b");
  FWidget->SetCaption("zzz");
  P->Edit();  // not in the list: the first
  EXPECT_EQ(FWidget->Caption(), "a");
}

TEST_F(PropertyEditorBase, RevertAsksTheDesignerForEveryObject) {
  Prop({FWidget, FWidget2}, "Width")->Revert();
  EXPECT_THAT(FDesigner->FReverted,
              ::testing::ElementsAre(::testing::Pair(FWidget, "Width"), ::testing::Pair(FWidget2, "Width")));
}

TEST_F(PropertyEditorBase, WritesReachEveryObjectAndAreReportedOnce) {
  IPtr<TPropertyEditor> E = Base({FWidget, FWidget2}, "Ratio");
  E->SetFloatValue(2.5);
  EXPECT_EQ(FWidget->FRatio, 2.5);
  EXPECT_EQ(FWidget2->FRatio, 2.5);
  EXPECT_EQ(FDesigner->FModifiedCount, 1);
  EXPECT_EQ(E->GetFloatValueAt(1), 2.5L);
  IPtr<TPropertyEditor> S = Base({FWidget, FWidget2}, "Caption");
  S->SetStrValue("x");
  EXPECT_EQ(FWidget2->Caption(), "x");
  EXPECT_EQ(S->GetComponent(1), FWidget2);
  EXPECT_THROW(S->GetComponent(2), EListError);
}

}  // namespace
}  // namespace formwright::testing
