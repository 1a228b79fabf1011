#include <gtest/gtest.h>

#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

struct ITestA60 : virtual IInterface {
  FW_INTERFACE(ITestA60, IInterface, "{6A1C0D10-0001-4A00-9000-000000000060}")
  virtual int Version() = 0;
};
struct ITestA70 : ITestA60 {
  FW_INTERFACE(ITestA70, ITestA60, "{6A1C0D10-0001-4A00-9000-000000000070}")
  virtual int Extra() = 0;
};
struct ITestA : ITestA70 {
  FW_INTERFACE(ITestA, ITestA70, "{6A1C0D10-0001-4A00-9000-0000000000FF}")
};
struct ITestOther : virtual IInterface {
  FW_INTERFACE(ITestOther, IInterface, "{6A1C0D10-0002-4A00-9000-000000000001}")
};

int GFreed = 0;
class TTestImpl : public TInterfacedObject, public ITestA {
 public:
  ~TTestImpl() override { ++GFreed; }
  int Version() override { return 60; }
  int Extra() override { return 70; }
};

class TTestComponentImpl : public TComponent, public ITestA {
 public:
  using TComponent::TComponent;
  int Version() override { return 1; }
  int Extra() override { return 2; }
};

}  // namespace

TEST(Interfaces, TheLastReferenceFreesTheObject) {
  GFreed = 0;
  {
    IPtr<ITestA> A = MakeIntf<TTestImpl>();
    IPtr<ITestA> B = A;
    IPtr<IInterface> Base = A;
    EXPECT_EQ(dynamic_cast<TTestImpl*>(A.Get())->RefCount(), 3);
    A.Reset();
    B.Reset();
    EXPECT_EQ(GFreed, 0);
  }
  EXPECT_EQ(GFreed, 1);
}

TEST(Interfaces, EveryVersionOfAChainIsQueryable) {
  IPtr<ITestA> A = MakeIntf<TTestImpl>();
  IPtr<ITestA60> V60 = Supports<ITestA60>(A);
  IPtr<ITestA70> V70 = Supports<ITestA70>(A);
  ASSERT_TRUE(V60);
  ASSERT_TRUE(V70);
  EXPECT_EQ(V60->Version(), 60);
  EXPECT_EQ(V70->Extra(), 70);
  EXPECT_FALSE(Supports<ITestOther>(A));
  EXPECT_TRUE(V60 == V70);  // one identity
  EXPECT_TRUE(InterfaceInheritsFrom(ITestA::InterfaceTypeInfo(), ITestA60::InterfaceTypeInfo()));
  EXPECT_FALSE(InterfaceInheritsFrom(ITestA60::InterfaceTypeInfo(), ITestA::InterfaceTypeInfo()));
  EXPECT_EQ(ITestA::InterfaceTypeInfo()->Kind, tkInterface);
  EXPECT_EQ(ITestA::IID().ToString(), "{6A1C0D10-0001-4A00-9000-0000000000FF}");
  // By identifier, as a property editor asks for an interface named by its type data.
  EXPECT_TRUE(SupportsIID(A.Identity(), ITestA70::IID()));
  EXPECT_FALSE(SupportsIID(A.Identity(), ITestOther::IID()));
}

TEST(Interfaces, ComponentsAreNotFreedByReferenceCounting) {
  TOwned<TComponent> Owner(new TComponent(nullptr));
  auto* C = new TTestComponentImpl(Owner.get());
  {
    IPtr<ITestA> Ref(C);
    IPtr<IInterfaceComponentReference> Back = Supports<IInterfaceComponentReference>(Ref);
    ASSERT_TRUE(Back);
    EXPECT_EQ(Back->GetComponent(), C);
  }
  EXPECT_EQ(Owner->ComponentCount(), 1);
  EXPECT_EQ(Owner->Components(0), C);
}

TEST(Interfaces, GuidTextIsValidated) {
  EXPECT_THROW(TGUID::Parse("{6A1C0D10-0001-4A00-9000-0000000000F}"), EConvertError);
  EXPECT_THROW(TGUID::Parse("6A1C0D10-0001-4A00-9000-0000000000FF"), EConvertError);
  const TGUID G = TGUID::Parse("{6a1c0d10-0001-4a00-9000-0000000000ff}");
  EXPECT_EQ(G, ITestA::IID());
}

TEST(Interfaces, ObjectsThatAreInterfacesTooAreAskedAsObjects) {
  TOwned<TComponent> Owner(new TComponent(nullptr));
  auto* C = new TTestComponentImpl(Owner.get());
  EXPECT_TRUE(Supports<ITestA>(C));
  EXPECT_FALSE(Supports<ITestOther>(C));
  TComponent* AsComponent = C;
  EXPECT_TRUE(Supports<ITestA70>(AsComponent));
  EXPECT_FALSE(Supports<ITestA>(Owner.get()));
}
