#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// Two small frameworks with a control root each, and one class of the same name in both.
class TAlphaControl : public TComponent {
  FW_CLASS(TAlphaControl, TComponent)
 public:
  using TComponent::TComponent;
};
class TAlphaButton : public TAlphaControl {
  FW_CLASS(TAlphaButton, TAlphaControl)
 public:
  using TAlphaControl::TAlphaControl;
};
class TAlphaMenu : public TComponent {
  FW_CLASS(TAlphaMenu, TComponent)
 public:
  using TComponent::TComponent;
};
class TBetaControl : public TComponent {
  FW_CLASS(TBetaControl, TComponent)
 public:
  using TComponent::TComponent;
};
namespace beta {
class TAlphaButton : public TBetaControl {
  FW_CLASS(TAlphaButton, TBetaControl)
 public:
  using TBetaControl::TBetaControl;
};
FW_REGISTER_CLASS(TAlphaButton, "Beta.StdCtrls")
}  // namespace beta
FW_REGISTER_CLASS(TAlphaControl, "Alpha.Controls")
FW_REGISTER_CLASS(TAlphaButton, "Alpha.StdCtrls")
FW_REGISTER_CLASS(TAlphaMenu, "Alpha.Menus")
FW_REGISTER_CLASS(TBetaControl, "Beta.Controls")

}  // namespace

TEST(ClassRegistry, FindsByNameIgnoringCaseAndReallyUnregisters) {
  RegisterClass(TTestWidget::StaticClass());
  RegisterClass(TTestWidget::StaticClass());  // harmless twice
  EXPECT_EQ(GetClass("ttestwidget"), TTestWidget::StaticClass());
  EXPECT_EQ(FindClass("TTestWidget"), TTestWidget::StaticClass());
  UnRegisterClass(TTestWidget::StaticClass());
  EXPECT_EQ(GetClass("TTestWidget"), nullptr);
  EXPECT_THAT([&] { FindClass("TTestWidget"); }, Raises<EClassNotFound>("Class TTestWidget not found"));
}

TEST(ClassRegistry, GroupsKeepFrameworksApart) {
  StartClassGroup(TAlphaControl::StaticClass());
  GroupDescendentsWith(TAlphaMenu::StaticClass(), TAlphaControl::StaticClass());
  StartClassGroup(TBetaControl::StaticClass());
  RegisterClasses({TAlphaControl::StaticClass(), TAlphaButton::StaticClass(), TAlphaMenu::StaticClass(),
                   TBetaControl::StaticClass(), beta::TAlphaButton::StaticClass(),
                   TTestDataSet::StaticClass()});
  EXPECT_EQ(ClassGroupOf(TAlphaButton::StaticClass()), TAlphaControl::StaticClass());
  EXPECT_EQ(ClassGroupOf(TAlphaMenu::StaticClass()), TAlphaControl::StaticClass());
  EXPECT_EQ(ClassGroupOf(beta::TAlphaButton::StaticClass()), TBetaControl::StaticClass());
  EXPECT_EQ(ClassGroupOf(TTestDataSet::StaticClass()), TPersistent::StaticClass());
  {
    TClassGroupScope Alpha(TAlphaControl::StaticClass());
    EXPECT_EQ(GetClass("TAlphaButton"), TAlphaButton::StaticClass());
    EXPECT_EQ(GetClass("TAlphaMenu"), TAlphaMenu::StaticClass());
    EXPECT_EQ(GetClass("TBetaControl"), nullptr);
    EXPECT_EQ(GetClass("TTestDataSet"), TTestDataSet::StaticClass());  // shared default group
    {
      TClassGroupScope Beta(TBetaControl::StaticClass());
      EXPECT_EQ(GetClass("TAlphaButton"), beta::TAlphaButton::StaticClass());
      EXPECT_EQ(GetClass("TAlphaMenu"), nullptr);
    }
    EXPECT_EQ(ActiveClassGroup(), TAlphaControl::StaticClass());
  }
  EXPECT_EQ(ActiveClassGroup(), TPersistent::StaticClass());
  // A finder for a framework sees its group and the default group only.
  TClassFinder Finder(TBetaControl::StaticClass());
  EXPECT_EQ(Finder.GetClass("TAlphaButton"), beta::TAlphaButton::StaticClass());
  EXPECT_EQ(Finder.GetClass("TAlphaMenu"), nullptr);
  EXPECT_EQ(Finder.GetClass("TTestDataSet"), TTestDataSet::StaticClass());
  int Count = 0;
  Finder.GetClasses([&](TClass) { ++Count; });
  EXPECT_GE(Count, 3);
  for (TClass C :
       {TAlphaControl::StaticClass(), TAlphaButton::StaticClass(), TAlphaMenu::StaticClass(),
        TBetaControl::StaticClass(), beta::TAlphaButton::StaticClass(), TTestDataSet::StaticClass()})
    UnRegisterClass(C);
  EXPECT_EQ(GetClass("TTestDataSet"), nullptr);
}

TEST(ClassRegistry, AnotherClassOfTheSameNameInOneGroupIsRefused) {
  RegisterClass(TTestDataSet::StaticClass());
  TMetaClass Impostor("TTestDataSet", "Elsewhere", TComponent::StaticClass());
  EXPECT_THROW(RegisterClass(&Impostor), EFilerError);
  EXPECT_EQ(GetClass("TTestDataSet"), TTestDataSet::StaticClass());
  UnRegisterClass(TTestDataSet::StaticClass());
}
