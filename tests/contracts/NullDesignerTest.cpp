// The null designer as a front end attaches it to a bare root component.
#include <gtest/gtest.h>

#include "contracts/NullDesigner.h"

using namespace formwright;

namespace {

TEST(NullDesigner, AnAttachedDesignerIsFoundFromTheRootsComponentsAndDetachingLetsItGo) {
  TComponent First(nullptr), Second(nullptr);
  auto* Child = new TComponent(&First);
  IPtr<TNullDesigner> Designer = MakeIntf<TNullDesigner>();
  Designer->Attach(&First);
  EXPECT_EQ(Designer->RefCount(), 2) << "the root keeps the designer alive";
  const IPtr<IDesignerHook> Hook = Child->FindRootDesigner();
  ASSERT_EQ(Hook.Get(), static_cast<IDesignerHook*>(Designer.Get()));
  const IPtr<IDesigner> AsDesigner = Supports<IDesigner>(Hook);
  ASSERT_TRUE(AsDesigner);
  EXPECT_EQ(AsDesigner->GetRoot(), &First);

  // Attaching elsewhere leaves the first root without a designer.
  Designer->Attach(&Second);
  EXPECT_FALSE(First.Designer());
  EXPECT_EQ(Second.Designer().Get(), static_cast<IDesignerHook*>(Designer.Get()));
  Designer->Detach();
  EXPECT_FALSE(Second.Designer());
  EXPECT_EQ(Designer->GetRoot(), nullptr);
  EXPECT_EQ(Designer->RefCount(), 3) << "held here, by Hook and by AsDesigner only";
}

}  // namespace
