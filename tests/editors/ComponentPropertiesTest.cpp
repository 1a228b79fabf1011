// Which properties a selection lists, and with which editors.
#include <algorithm>

#include "editors/DesignEditors.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::prop_testing {
namespace {

class ComponentProperties : public PropEditorTest {};

bool Has(const std::vector<String>& Names, const char* Name) {
  return std::find(Names.begin(), Names.end(), String(Name)) != Names.end();
}

// A selection editor that hides every property named Tag and moves Name to the end.
class THideTagFilter : public TBaseSelectionEditor, public ISelectionEditor, public ISelectionPropertyFilter {
  FW_CLASS(THideTagFilter, TBaseSelectionEditor)
 public:
  using TBaseSelectionEditor::TBaseSelectionEditor;
  static void DeclarePublished(TClassBuilder<THideTagFilter>& C) { DeclareEditorFactory(C); }
  void ExecuteVerb(int, const IPtr<IDesignerSelections>&) override {}
  String GetVerb(int) override { return {}; }
  int GetVerbCount() override { return 0; }
  void PrepareItem(int, const IPtr<IMenuItem>&) override {}
  void RequiresUnits(const TGetStrProc&) override {}
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

TEST_F(ComponentProperties, OneObjectListsItsReadablePropertiesInNameOrder) {
  const std::vector<String> N = Names({FWidget});
  EXPECT_TRUE(std::is_sorted(N.begin(), N.end(),
                             [](const String& A, const String& B) { return CompareText(A, B) < 0; }));
  EXPECT_TRUE(Has(N, "Caption"));
  EXPECT_TRUE(Has(N, "OnClick"));
  EXPECT_TRUE(Has(N, "ReadOnlyCount"));  // read-only properties are shown by default
  EXPECT_FALSE(Has(N, "Transient"));     // write-only: nothing to show
}

TEST_F(ComponentProperties, EachEditorIsTheOneTheRegistryChooses) {
  for (const auto& P : Properties({FWidget})) {
    PPropInfo Info = P->GetPropInfo();
    EXPECT_EQ(As<TPropertyEditor>(P)->ClassType(), GetEditorClass(Info, FWidget)) << P->GetName();
  }
  EXPECT_TRUE(As<TComponentProperty>(Prop({FWidget}, "Buddy")));
  EXPECT_TRUE(As<TComponentNameProperty>(Prop({FWidget}, "Name")));
  EXPECT_TRUE(As<TDateTimeProperty>(Prop({FWidget}, "When")));
  EXPECT_TRUE(As<TInterfaceProperty>(Prop({FWidget}, "Link")));
  EXPECT_TRUE(As<TSetProperty>(Prop({FWidget}, "Shapes")));
  EXPECT_TRUE(As<TClassProperty>(Prop({FWidget}, "Font")));
}

TEST_F(ComponentProperties, AButtonAndAnEditShareOnlyTheirCommonProperties) {
  const std::vector<String> Both = Names({FButton, FEdit});
  const std::vector<String> Button = Names({FButton});
  const std::vector<String> Edit = Names({FEdit});
  for (const String& N : Both) {
    EXPECT_TRUE(Has(Button, N.c_str())) << N;
    EXPECT_TRUE(Has(Edit, N.c_str())) << N;
  }
  for (const String& N : Button) {
    if (Has(Edit, N.c_str()) && N != "Name") {
      EXPECT_TRUE(Has(Both, N.c_str())) << N;
    }
  }
  EXPECT_FALSE(Has(Both, "Cancel"));     // only buttons
  EXPECT_FALSE(Has(Both, "MaxLength"));  // only edits
  EXPECT_TRUE(Has(Both, "Left"));
  EXPECT_TRUE(Has(Both, "Font"));
}

TEST_F(ComponentProperties, ASharedNameWithDifferentTypesIsNotListed) {
  // Both have Caption, but the widget's is a plain string and the button's a TCaption.
  EXPECT_TRUE(Has(Names({FWidget}), "Caption"));
  EXPECT_TRUE(Has(Names({FButton}), "Caption"));
  EXPECT_FALSE(Has(Names({FWidget, FButton}), "Caption"));
  EXPECT_TRUE(Has(Names({FWidget, FButton}), "Tag"));
}

TEST_F(ComponentProperties, NameIsNotMultiSelectableWhenSeveralObjectsAreSelected) {
  EXPECT_TRUE(Has(Names({FWidget}), "Name"));
  EXPECT_FALSE(Has(Names({FWidget, FWidget2}), "Name"));
  RegisterPropertyEditor(TypeInfoOf<String>(), TTestWidget::StaticClass(), "Caption",
                         TSingleOnlyProperty::StaticClass());
  EXPECT_TRUE(Has(Names({FWidget}), "Caption"));
  EXPECT_FALSE(Has(Names({FWidget, FWidget2}), "Caption"));
}

TEST_F(ComponentProperties, ReadOnlySimplePropertiesFollowTheFlagClassPropertiesAlwaysShow) {
  TDesignPackage& Package = FEditors.Package();
  Package.ShowReadOnlyProps = false;
  auto* Links = new TPropTestLinks(FForm.get());
  const std::vector<String> N = Names({FWidget});
  EXPECT_FALSE(Has(N, "ReadOnlyCount"));
  EXPECT_TRUE(Has(Names({Links}), "Inner"));  // read-only, of a class type
  Package.ShowReadOnlyProps = true;
  EXPECT_TRUE(Has(Names({FWidget}), "ReadOnlyCount"));
}

TEST_F(ComponentProperties, AnUnlistedPropertyIsNotListed) {
  UnlistPublishedProperty(TTestWidget::StaticClass(), "Ratio");
  EXPECT_FALSE(Has(Names({FWidget}), "Ratio"));
  EXPECT_TRUE(Has(Names({FWidget}), "Single"));
}

TEST_F(ComponentProperties, ClassesThatGetDifferentEditorsDoNotShareTheProperty) {
  auto* Links = new TPropTestLinks(FForm.get());
  EXPECT_TRUE(Has(Names({FWidget, Links}), "Tag"));
  RegisterPropertyEditor(TypeInfoOf<int32_t>(), TPropTestLinks::StaticClass(), "Tag",
                         TOtherIntegerProperty::StaticClass());
  EXPECT_FALSE(Has(Names({FWidget, Links}), "Tag"));
  EXPECT_TRUE(Has(Names({FWidget, FWidget2}), "Tag"));
  EXPECT_TRUE(Has(Names({Links}), "Tag"));
}

TEST_F(ComponentProperties, AnUnavailableValueHidesTheProperty) {
  auto* Links = new TPropTestLinks(FForm.get());
  EXPECT_TRUE(Has(Names({Links}), "Fragile"));
  Links->FBroken = true;
  EXPECT_FALSE(Has(Names({Links}), "Fragile"));
  EXPECT_TRUE(Has(Names({Links}), "Tag"));
}

TEST_F(ComponentProperties, TheKindFilterAndTheEditorFilterApply) {
  const std::vector<String> Events = Names({FWidget}, tkMethods);
  EXPECT_EQ(Events, (std::vector<String>{"OnClick", "OnKey"}));
  std::vector<String> R;
  GetComponentProperties(
      Selection({FWidget}), tkAny, Designer(), [&R](const IPtr<IProperty>& P) { R.push_back(P->GetName()); },
      [](const IPtr<IProperty>& P) { return P->GetAttributes().Contains(paValueList); });
  EXPECT_TRUE(Has(R, "Shape"));
  EXPECT_TRUE(Has(R, "Enabled"));
  EXPECT_FALSE(Has(R, "Width"));
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
  EXPECT_FALSE(Has(N, "Tag"));
  ASSERT_FALSE(N.empty());
  EXPECT_EQ(N.back(), "Name");
  EXPECT_EQ(THideTagFilter::GSeenSelectionCount, 2);
  // A selection the filter is not registered for is not filtered.
  FDesigner->FSelection = {FButton};
  EXPECT_TRUE(Has(Names({FWidget}), "Tag"));
}

TEST_F(ComponentProperties, EveryEntryEditsItsOwnObject) {
  IPtr<IProperty> P = Prop({FWidget, FWidget2}, "Width");
  ASSERT_TRUE(P);
  EXPECT_TRUE(P->HasInstance(FWidget));
  EXPECT_TRUE(P->HasInstance(FWidget2));
  EXPECT_FALSE(P->HasInstance(FButton));
  P->SetValue("7");
  EXPECT_EQ(FWidget->FWidth, 7);
  EXPECT_EQ(FWidget2->FWidth, 7);
  EXPECT_EQ(FDesigner->FModifiedCount, 1);
}

}  // namespace
}  // namespace formwright::prop_testing
