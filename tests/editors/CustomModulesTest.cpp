// Custom modules: which component classes a module accepts (design-time proxies judged by their
// nearest real ancestor, classes found from the root's owner), the refusal message; the
// class-name helpers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/CustomModules.h"
#include "editors/PropertyEditors.h"
#include "formdesigner/Proxies.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/RecordingDesigner.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::testing {

// A component class `Name` derived from `Base` with nothing of its own, known to the type
// system under `Unit`.
#define FW_PLAIN_COMPONENT(Name, Base, Unit) \
  class Name : public Base {                 \
    FW_CLASS(Name, Base)                     \
   public:                                   \
    using Base::Base;                        \
  };                                         \
  FW_REGISTER_CLASS(Name, Unit)

FW_PLAIN_COMPONENT(TListedBox, TComponent, "CustomModulesTest")    // registered by the tests
FW_PLAIN_COMPONENT(TUnlistedBox, TComponent, "CustomModulesTest")  // registered by nobody
// The root class of a framework with a class group of its own, and a part of that framework.
FW_PLAIN_COMPONENT(TFrameworkHolder, TComponent, "CustomModulesTest")
FW_PLAIN_COMPONENT(TFrameworkPart, TComponent, "CustomModulesTest")

// A class from one package and a same-named one from another, the first with a descendant.
namespace package_a {
FW_PLAIN_COMPONENT(TTwinBase, TComponent, "PackageA")
FW_PLAIN_COMPONENT(TTwinChild, TTwinBase, "PackageA")
}  // namespace package_a
namespace package_b {
FW_PLAIN_COMPONENT(TTwinBase, TComponent, "PackageB")
}  // namespace package_b

class CustomModuleTest : public ::testing::Test {
 protected:
  CustomModuleTest() { RegisterClass(TListedBox::StaticClass()); }
  ~CustomModuleTest() override { UnRegisterClass(TListedBox::StaticClass()); }

  IPtr<TCustomModule> Module(TComponent* Root) {
    return MakeIntf<TCustomModule>(Root, IPtr<IDesigner>(FDesigner.Get()));
  }

  IPtr<TRecordingDesigner> FDesigner = MakeIntf<TRecordingDesigner>();
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
};

TEST_F(CustomModuleTest, RegisteredClassesAreAcceptedOthersAndSameNamedOnesOfAnotherPackageNot) {
  IPtr<TCustomModule> M = Module(FForm.get());
  EXPECT_TRUE(M->ValidateComponentClass(TListedBox::StaticClass()));
  EXPECT_FALSE(M->ValidateComponentClass(TUnlistedBox::StaticClass()));
  EXPECT_FALSE(M->ValidateComponentClass(nullptr));
  // A same-named class of another package is refused.
  RegisterClass(package_a::TTwinBase::StaticClass());
  EXPECT_TRUE(M->ValidateComponentClass(package_a::TTwinBase::StaticClass()));
  EXPECT_FALSE(M->ValidateComponentClass(package_b::TTwinBase::StaticClass()));
  UnRegisterClass(package_a::TTwinBase::StaticClass());
}

TEST_F(CustomModuleTest, ARefusalNamesTheClassAndAProxyIsJudgedByItsNearestRealAncestor) {
  auto* Listed = new TListedBox(FForm.get());
  auto* Unlisted = new TUnlistedBox(FForm.get());
  IPtr<TCustomModule> M = Module(FForm.get());
  EXPECT_THAT([&] { M->ValidateComponent(Unlisted); },
              Raises<ENonAIRException>("Class TUnlistedBox is not applicable to this module"));
  EXPECT_EQ(Unlisted->Owner(), FForm.get());  // the refusal changes nothing
  EXPECT_EQ(FForm->ComponentCount(), 2);
  CreateSubClass(Listed, "TListedBoxProxy", TListedBox::StaticClass());
  CreateSubClass(Unlisted, "TUnlistedBoxProxy", TUnlistedBox::StaticClass());
  ASSERT_TRUE(IsProxyClass(Listed->ClassType()));
  EXPECT_TRUE(M->ValidateComponentClass(Listed->ClassType()));
  EXPECT_FALSE(M->ValidateComponentClass(Unlisted->ClassType()));
  EXPECT_NO_THROW(M->ValidateComponent(Listed));
  DestroySubClass(Listed);
  DestroySubClass(Unlisted);
}

TEST_F(CustomModuleTest, TheFinderFollowsTheRootsOwnerAndIgnoresTheActiveGroup) {
  // A framework of its own: its parts are registered in the holder's class group and are found
  // only from roots held by (or being) such a holder.
  StartClassGroup(TFrameworkHolder::StaticClass());
  GroupDescendentsWith(TFrameworkPart::StaticClass(), TFrameworkHolder::StaticClass());
  RegisterClass(TFrameworkPart::StaticClass());
  EXPECT_EQ(Module(FForm.get())->GetFinderClass(), orx::TForm::StaticClass());  // no owner: its own
  TOwned<TComponent> Holder{new TFrameworkHolder(nullptr)};
  TOwned<TComponent> Root{new TComponent(nullptr)};
  IPtr<TCustomModule> M = Module(Root.get());
  {
    TClassGroupScope Active(TFrameworkHolder::StaticClass());
    EXPECT_FALSE(M->ValidateComponentClass(TFrameworkPart::StaticClass()));
  }
  Holder->InsertComponent(Root.release());
  EXPECT_EQ(M->GetFinderClass(), TFrameworkHolder::StaticClass());
  EXPECT_TRUE(M->ValidateComponentClass(TFrameworkPart::StaticClass()));
  // The default group stays visible from the holder's group.
  EXPECT_TRUE(M->ValidateComponentClass(TListedBox::StaticClass()));
  UnRegisterClass(TFrameworkPart::StaticClass());
}

// ---------------------------------------------------------------------------------------------
// Class names

TEST(ClassNamesTest, ClassInheritsFromComparesNamesIgnoringCase) {
  EXPECT_TRUE(ClassInheritsFrom(orx::TButton::StaticClass(), "TButton"));
  EXPECT_TRUE(ClassInheritsFrom(orx::TButton::StaticClass(), "tcontrol"));
  EXPECT_TRUE(ClassInheritsFrom(orx::TButton::StaticClass(), "TObject"));
  EXPECT_FALSE(ClassInheritsFrom(orx::TButton::StaticClass(), "TForm"));
  EXPECT_FALSE(ClassInheritsFrom(nullptr, "TObject"));
  EXPECT_FALSE(ClassInheritsFrom(orx::TButton::StaticClass(), ""));
}

TEST(ClassNamesTest, AncestorNameMatchesRefusesOnlyASameNamedForeignAncestor) {
  using package_a::TTwinChild;
  // A real ancestor.
  EXPECT_TRUE(AncestorNameMatches(TTwinChild::StaticClass(), package_a::TTwinBase::StaticClass()));
  EXPECT_TRUE(AncestorNameMatches(TTwinChild::StaticClass(), TTwinChild::StaticClass()));
  // An ancestor of the same name from another package.
  EXPECT_FALSE(AncestorNameMatches(TTwinChild::StaticClass(), package_b::TTwinBase::StaticClass()));
  // No ancestor of that name at all.
  EXPECT_TRUE(AncestorNameMatches(TTwinChild::StaticClass(), orx::TForm::StaticClass()));
}

}  // namespace formwright::testing
