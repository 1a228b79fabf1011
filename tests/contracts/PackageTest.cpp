#include "contracts/Package.h"

#include <gmock/gmock.h>

#include "contracts/HostIntf.h"

using namespace formwright;
using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

namespace {

// A service that records its end in a shared log.
class TLoggedService : public TPackageService {
 public:
  TLoggedService(std::vector<String>& Log, String Name) : FLog(Log), FName(std::move(Name)) {}
  ~TLoggedService() override { FLog.push_back(FName + " ends"); }

 private:
  std::vector<String>& FLog;
  String FName;
};
class TOtherService : public TLoggedService {
  using TLoggedService::TLoggedService;
};

std::vector<String> GCalls;
void Spy(TComponentClass C, TComponentEditorClass) { GCalls.push_back(C->ClassName()); }

}  // namespace

TEST(Package, PackagesNestLikeScopesEachWithItsOwnHooksFlagsGroupAndServices) {
  EXPECT_EQ(CurrentDesignPackage(), nullptr);
  EXPECT_EQ(CurrentGroup(), -1);
  SetCurrentGroup(3);  // without a package: nothing to set
  EXPECT_EQ(CurrentGroup(), -1);
  EXPECT_TRUE(ShowReadOnlyProps());
  GCalls.clear();
  {
    TDesignPackage Outer;
    Outer.Hooks.RegisterComponentEditorProc = &Spy;
    Outer.ShowReadOnlyProps = false;
    SetCurrentGroup(2);
    SetVostrelIDEServices(MakeIntf<TInterfacedObject>());
    {
      TDesignPackage Inner;
      EXPECT_EQ(CurrentDesignPackage(), &Inner);
      EXPECT_TRUE(ShowReadOnlyProps());
      EXPECT_EQ(CurrentGroup(), -1);
      EXPECT_FALSE(VostrelIDEServices());
      RegisterComponentEditor(TComponent::StaticClass(), nullptr);  // the inner hook is unset
    }
    EXPECT_EQ(CurrentDesignPackage(), &Outer);
    EXPECT_FALSE(ShowReadOnlyProps());
    EXPECT_EQ(CurrentGroup(), 2);
    EXPECT_TRUE(VostrelIDEServices());
    RegisterComponentEditor(TComponent::StaticClass(), nullptr);
  }
  EXPECT_EQ(CurrentDesignPackage(), nullptr);
  EXPECT_FALSE(VostrelIDEServices());
  EXPECT_THAT(GCalls, ElementsAre("TComponent"));
}

TEST(Package, ServicesAreFoundByTheirExactTypeOneOfEachAndEndNewestFirst) {
  std::vector<String> Log;
  {
    TDesignPackage Package;
    EXPECT_EQ(CurrentPackageService<TLoggedService>(), nullptr);
    TLoggedService& First = Package.AddService(std::make_unique<TLoggedService>(Log, "first"));
    Package.AddService(std::make_unique<TOtherService>(Log, "second"));
    EXPECT_EQ(CurrentPackageService<TLoggedService>(), &First);
    EXPECT_THAT([&] { Package.AddService(std::make_unique<TLoggedService>(Log, "again")); },
                ThrowsMessage<EInvalidOperation>("The package has a service of that type already"));
    EXPECT_THAT(Log, ElementsAre("again ends"));
  }
  EXPECT_THAT(Log, ElementsAre("again ends", "second ends", "first ends"));
}
