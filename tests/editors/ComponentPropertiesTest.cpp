// Which properties a selection lists, and with which editors.
#include <gmock/gmock.h>

#include <algorithm>

#include "editors/CompEditors.h"
#include "editors/DesignEditors.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

class ComponentProperties : public PropEditorTest {};

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

// A selection editor that hides every property named Tag and moves Name to the end.
class THideTagFilter : public TSelectionEditor, public ISelectionPropertyFilter {
  FW_CLASS(THideTagFilter, TSelectionEditor)
 public:
  using TSelectionEditor::TSelectionEditor;
  static void DeclarePublished(TClassBuilder<THideTagFilter>& C) { DeclareEditorFactory(C); }
  void FilterProperties(const IPtr<IDesignerSelections>& ASelection,
                        const IPtr<IInterfaceList>& ASelectionProperties) override {
    GSeenSelectionCount = ASelection->GetCount();
    for (int I = ASelectionProperties->GetCount() - 1; I >= 0; --I) {
      auto P = Supports<IProperty>(ASelectionProperties->Get(I));
      if (P->GetName() == "Tag") ASelectionProperties->Delete(I);
      if (P->GetName() == "Name") {
        ASelectionProperties->Delete(I);
        ASelectionProperties->Add(IPtr<IInterface>(P));
      }
    }
  }
  static inline int GSeenSelectionCount = 0;
};
FW_REGISTER_CLASS(THideTagFilter, "PropTests")

// An editor for integers that other tests register for one class only.
class TOtherIntegerProperty : public TIntegerProperty {
  FW_PROPERTY_EDITOR(TOtherIntegerProperty, TIntegerProperty)
};
FW_REGISTER_CLASS(TOtherIntegerProperty, "PropTests")

// An editor without paMultiSelect.
class TSingleOnlyProperty : public TStringProperty {
  FW_PROPERTY_EDITOR(TSingleOnlyProperty, TStringProperty)
 public:
  TPropertyAttributes GetAttributes() override { return {paRevertable}; }
};
FW_REGISTER_CLASS(TSingleOnlyProperty, "PropTests")

TEST_F(ComponentProperties, OneObjectListsItsReadablePropertiesInNameOrderWithTheRegistrysEditors) {
  const std::vector<String> N = Names({FWidget});
  EXPECT_TRUE(std::is_sorted(N.begin(), N.end(),
                             [](const String& A, const String& B) { return CompareText(A, B) < 0; }));
  // Read-only properties are shown by default; a write-only one has nothing to show.
  EXPECT_THAT(N, AllOf(Contains("Caption"), Contains("OnClick"), Contains("ReadOnlyCount")));
  EXPECT_THAT(N, Not(Contains("Transient")));
  for (const auto& P : Properties({FWidget}))
    EXPECT_EQ(EditorAs<TPropertyEditor>(P)->ClassType(), GetEditorClass(P->GetPropInfo(), FWidget))
        << P->GetName();
  EXPECT_TRUE(EditorAs<TComponentProperty>(Prop({FWidget}, "Buddy")));
  EXPECT_TRUE(EditorAs<TComponentNameProperty>(Prop({FWidget}, "Name")));
  EXPECT_TRUE(EditorAs<TDateTimeProperty>(Prop({FWidget}, "When")));
  EXPECT_TRUE(EditorAs<TInterfaceProperty>(Prop({FWidget}, "Link")));
  EXPECT_TRUE(EditorAs<TSetProperty>(Prop({FWidget}, "Shapes")));
  EXPECT_TRUE(EditorAs<TClassProperty>(Prop({FWidget}, "Font")));
}

TEST_F(ComponentProperties, ASelectionSharesOnlyPropertiesOfTheSameNameTypeAndEditor) {
  EXPECT_THAT(Names({FButton, FEdit}), AllOf(Contains("Left"), Contains("Font"), Not(Contains("Cancel")),
                                             Not(Contains("MaxLength"))));  // buttons only, edits only
  // Both have Caption, but the widget's is a plain string and the button's a TCaption.
  EXPECT_THAT(Names({FWidget}), Contains("Caption"));
  EXPECT_THAT(Names({FButton}), Contains("Caption"));
  EXPECT_THAT(Names({FWidget, FButton}), AllOf(Not(Contains("Caption")), Contains("Tag")));
  // Classes that get different editors do not share the property.
  auto* Links = new TPropTestLinks(FForm.get());
  EXPECT_THAT(Names({FWidget, Links}), Contains("Tag"));
  RegisterPropertyEditor(TypeInfoOf<int32_t>(), TPropTestLinks::StaticClass(), "Tag",
                         TOtherIntegerProperty::StaticClass());
  EXPECT_THAT(Names({FWidget, Links}), Not(Contains("Tag")));
  EXPECT_THAT(Names({FWidget, FWidget2}), Contains("Tag"));
  EXPECT_THAT(Names({Links}), Contains("Tag"));
}

TEST_F(ComponentProperties, NameIsNotMultiSelectableWhenSeveralObjectsAreSelected) {
  EXPECT_THAT(Names({FWidget}), Contains("Name"));
  EXPECT_THAT(Names({FWidget, FWidget2}), Not(Contains("Name")));
  RegisterPropertyEditor(TypeInfoOf<String>(), TTestWidget::StaticClass(), "Caption",
                         TSingleOnlyProperty::StaticClass());
  EXPECT_THAT(Names({FWidget}), Contains("Caption"));
  EXPECT_THAT(Names({FWidget, FWidget2}), Not(Contains("Caption")));
}

TEST_F(ComponentProperties, ReadOnlySimplePropertiesFollowTheFlagClassPropertiesAlwaysShow) {
  TDesignPackage& Package = FEditors.Package();
  Package.ShowReadOnlyProps = false;
  auto* Links = new TPropTestLinks(FForm.get());
  EXPECT_THAT(Names({FWidget}), Not(Contains("ReadOnlyCount")));
  EXPECT_THAT(Names({Links}), Contains("Inner"));  // read-only, of a class type
  Package.ShowReadOnlyProps = true;
  EXPECT_THAT(Names({FWidget}), Contains("ReadOnlyCount"));
}

TEST_F(ComponentProperties, TheKindFilterAndTheEditorFilterApply) {
  EXPECT_THAT(Names({FWidget}, tkMethods), ElementsAre("OnClick", "OnKey"));
  std::vector<String> R;
  GetComponentProperties(
      Selection({FWidget}), tkAny, Designer(), [&R](const IPtr<IProperty>& P) { R.push_back(P->GetName()); },
      [](const IPtr<IProperty>& P) { return P->GetAttributes().Contains(paValueList); });
  EXPECT_THAT(R, AllOf(Contains("Shape"), Contains("Enabled"), Not(Contains("Width"))));
}

TEST_F(ComponentProperties, AnEmptySelectionListsNothing) {
  EXPECT_TRUE(Names({}).empty());
  int Calls = 0;
  GetComponentProperties(nullptr, tkAny, Designer(), [&Calls](const IPtr<IProperty>&) { ++Calls; });
  EXPECT_EQ(Calls, 0);
}

TEST_F(ComponentProperties, SelectionFiltersRemoveAndReorder) {
  RegisterSelectionEditor(TTestWidget::StaticClass(), THideTagFilter::StaticClass());
  FDesigner->FSelection = {FWidget, FWidget2};
  const std::vector<String> N = Names({FWidget});
  EXPECT_THAT(N, Not(Contains("Tag")));
  ASSERT_FALSE(N.empty());
  EXPECT_EQ(N.back(), "Name");
  EXPECT_EQ(THideTagFilter::GSeenSelectionCount, 2);
  // A selection the filter is not registered for is not filtered.
  FDesigner->FSelection = {FButton};
  EXPECT_THAT(Names({FWidget}), Contains("Tag"));
}

// (That a write reaches every object and is reported once is the editor base's test.)
TEST_F(ComponentProperties, AnEditorHasAnEntryForEachSelectedObject) {
  IPtr<IProperty> P = Prop({FWidget, FWidget2}, "Width");
  ASSERT_TRUE(P);
  EXPECT_TRUE(P->HasInstance(FWidget));
  EXPECT_TRUE(P->HasInstance(FWidget2));
  EXPECT_FALSE(P->HasInstance(FButton));
}

}  // namespace
}  // namespace formwright::testing
