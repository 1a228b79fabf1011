// A component knows its place in its owner's list through every change of the list and is
// found by name while its owner is freed; a class's property list follows changes to its class
// chain.
#include <gmock/gmock.h>

#include <functional>

#include "platform/runtime/TypInfo.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// Every owned component reports its own position.
void ExpectIndexesMatchPositions(TComponent* Owner) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) EXPECT_EQ(Owner->Components(I)->ComponentIndex(), I);
}

// A change to a form of six components; returns the components it left without an owner.
struct TIndexCase {
  const char* Change;
  std::function<std::vector<TComponent*>(TComponent* Form, TComponent* Other, std::vector<TComponent*>& C)>
      Apply;
};

class ComponentIndex : public ::testing::TestWithParam<TIndexCase> {};

TEST_P(ComponentIndex, FollowsTheOwnersList) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  TOwned<TTestForm> Other(new TTestForm(nullptr));
  std::vector<TComponent*> C;
  for (int I = 0; I < 6; ++I) C.push_back(new TTestWidget(Form.get()));
  for (TComponent* Loose : GetParam().Apply(Form.get(), Other.get(), C)) {
    EXPECT_EQ(Loose->ComponentIndex(), -1);
    Loose->Free();
  }
  ExpectIndexesMatchPositions(Form.get());
  ExpectIndexesMatchPositions(Other.get());
}

using TList = std::vector<TComponent*>;
INSTANTIATE_TEST_SUITE_P(Changes, ComponentIndex,
                         ::testing::Values(TIndexCase{"MovedForward",
                                                      [](TComponent*, TComponent*, TList& C) {
                                                        C[1]->SetComponentIndex(4);
                                                        return TList{};
                                                      }},
                                           TIndexCase{"MovedBack",
                                                      [](TComponent*, TComponent*, TList& C) {
                                                        C[5]->SetComponentIndex(0);
                                                        return TList{};
                                                      }},
                                           TIndexCase{"FreedInTheMiddle",
                                                      [](TComponent*, TComponent*, TList& C) {
                                                        C[2]->Free();
                                                        return TList{};
                                                      }},
                                           TIndexCase{"MovedToAnotherOwner",
                                                      [](TComponent*, TComponent* Other, TList& C) {
                                                        Other->InsertComponent(C[1]);
                                                        Other->InsertComponent(C[4]);
                                                        return TList{};
                                                      }},
                                           TIndexCase{"RemovedAndPutBack",
                                                      [](TComponent* Form, TComponent*, TList& C) {
                                                        Form->RemoveComponent(C[3]);
                                                        Form->InsertComponent(C[3]);
                                                        Form->RemoveComponent(C[0]);
                                                        return TList{C[0]};
                                                      }}),
                         [](const auto& Info) { return std::string(Info.param.Change); });

// A component that, as it is freed, asks the module it was made in for two components by name.
class TNameProbe : public TComponent {
 public:
  TNameProbe(TComponent* AOwner, std::vector<std::pair<TComponent*, TComponent*>>& Seen)
      : TComponent(AOwner), FModule(AOwner), FSeen(Seen) {}

 protected:
  void BeforeDestruction() override {
    FSeen.emplace_back(FModule->FindComponent("Probe1"), FModule->FindComponent("probe3"));
    TComponent::BeforeDestruction();
  }

 private:
  TComponent* FModule;
  std::vector<std::pair<TComponent*, TComponent*>>& FSeen;
};

// While a module frees its components (last first), those not yet freed are still found by
// name, and no freed one is.
TEST(ComponentNames, AModuleBeingFreedFindsTheComponentsItStillHolds) {
  std::vector<std::pair<TComponent*, TComponent*>> Seen;
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  std::vector<TComponent*> P;
  for (int I = 1; I <= 3; ++I) {
    P.push_back(new TNameProbe(Form.get(), Seen));
    P.back()->SetName(Format("Probe%d", I));
  }
  Form.reset();
  using ::testing::Pair;
  EXPECT_THAT(Seen, ::testing::ElementsAre(Pair(P[0], nullptr), Pair(P[0], nullptr), Pair(nullptr, nullptr)));
}

// The list is kept between calls; a class given another parent lists the new parent's.
TEST(PropertyList, FollowsAClassMadeAtRunTimeToItsNewParent) {
  TMetaClass Made("TMadeWidget", "Unit1", TComponent::StaticClass());
  EXPECT_EQ(GetPropInfos(&Made), GetPropInfos(TComponent::StaticClass()));
  Made.SetParent(TTestWidget::StaticClass());
  EXPECT_EQ(GetPropInfos(&Made), GetPropInfos(TTestWidget::StaticClass()));
  EXPECT_GT(GetPropInfos(&Made).size(), GetPropInfos(TComponent::StaticClass()).size());
}

}  // namespace
