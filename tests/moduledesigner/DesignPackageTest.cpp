#include "moduledesigner/DesignPackage.h"

#include <gmock/gmock.h>

#include "editors/ComponentGuidelines.h"
#include "editors/DesignEditors.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"

using namespace formwright;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Field;
using ::testing::IsEmpty;

namespace {

// The editor classes of the property editor registrations, oldest first.
std::vector<String> PropertyEditorNames() {
  std::vector<String> Names;
  for (const TPropertyClassRec& R : CurrentPackageService<TEditorRegistries>()->PropertyEditors)
    Names.push_back(R.EditorClass->ClassName());
  return Names;
}

// The property editors the package registers for itself, in their order.
const String OwnEditors[] = {"TComponentProperty",   "TComponentNameProperty", "TDateTimeProperty",
                             "TInterfaceProperty",   "TColorProperty",         "TCursorProperty",
                             "TFontCharsetProperty", "TModalResultProperty",   "TShortCutProperty",
                             "TStringListProperty",  "TCollectionProperty"};

}  // namespace

TEST(DesignPackage, StartingMakesThePackagesOwnRegistrationsInItsOwnGroupAndEndingTakesThemAway) {
  {
    TDesignPackageScope Package;
    ASSERT_EQ(CurrentDesignPackage(), &Package.Package());
    EXPECT_EQ(CurrentGroup(), DesignPackageEditorGroup());
    EXPECT_THAT(PropertyEditorNames(), ElementsAreArray(OwnEditors));
    const TEditorRegistries& R = *CurrentPackageService<TEditorRegistries>();
    EXPECT_THAT(R.PropertyEditors, Each(Field(&TPropertyClassRec::Group, DesignPackageEditorGroup())));
    ASSERT_EQ(R.SelectionEditors.size(), 1u);
    EXPECT_EQ(R.SelectionEditors[0].FEditor->ClassName(), "TEditActionSelectionEditor");
    EXPECT_THAT(CustomModuleRegistrations(), IsEmpty());
    orx::TButton Button(nullptr);
    EXPECT_NE(GetEditorClass(GetPropInfo(&Button, "Left"), &Button), nullptr) << "the default by kind";
    EXPECT_NE(GetComponentEditor(&Button, nullptr), nullptr);
    TComponent Plain(nullptr);
    IPtr<IComponentGuidelines> Guidelines = GuidelinesFor(nullptr, &Plain, nullptr);
    ASSERT_TRUE(Guidelines) << "the default guidelines";
    EXPECT_EQ(Guidelines->GetCount(), 0);
    // Our framework's: a button's edges, margins and caption baseline.
    EXPECT_EQ(GuidelinesFor(nullptr, &Button, nullptr)->GetCount(), 9);
    EXPECT_EQ(FindClass("TButton"), orx::TButton::StaticClass());
  }
  EXPECT_EQ(CurrentDesignPackage(), nullptr);
  RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "", nullptr);  // nowhere to go: ignored
  orx::TButton Button(nullptr);
  EXPECT_EQ(GetEditorClass(GetPropInfo(&Button, "Left"), &Button), nullptr);
}

TEST(DesignPackage, ANestedScopeIsFreshAndTheOuterPackageComesBackAsItWas) {
  TDesignPackageScope Outer;
  RegisterNoIcon({orx::TButton::StaticClass()});
  RegisterPropertyEditor(TypeInfoOf<String>(), orx::TButton::StaticClass(), "Caption", nullptr);
  RegisterComponentGuidelines(orx::TButton::StaticClass(), TComponentGuidelines::StaticClass());
  {
    TDesignPackageScope Inner;
    EXPECT_NE(&Inner.Package(), &Outer.Package());
    EXPECT_THAT(PropertyEditorNames(), ElementsAreArray(OwnEditors)) << "only the package's own";
    orx::TButton Button(nullptr);
    EXPECT_FALSE(IsNoIconComponent(&Button));
    RegisterNoIcon({orx::TLabel::StaticClass()});
    NewEditorGroup();
    EXPECT_THAT(CurrentPackageService<TEditorRegistries>()->Guidelines.Heads(),
                Each(Field(&TComponentGuidelineRec::Group, DesignPackageEditorGroup())));
  }
  orx::TButton Button(nullptr);
  orx::TLabel Label(nullptr);
  EXPECT_TRUE(IsNoIconComponent(&Button));
  EXPECT_FALSE(IsNoIconComponent(&Label));
  const TEditorRegistries& R = *CurrentPackageService<TEditorRegistries>();
  EXPECT_EQ(R.PropertyEditors.size(), std::size(OwnEditors) + 1);
  EXPECT_THAT(R.Guidelines.Heads(),
              Contains(AllOf(Field(&TComponentGuidelineRec::ComponentClass, orx::TButton::StaticClass()),
                             Field(&TComponentGuidelineRec::ComponentGuidelinesClass,
                                   TComponentGuidelines::StaticClass()))));
  EXPECT_EQ(CurrentGroup(), DesignPackageEditorGroup());
}
