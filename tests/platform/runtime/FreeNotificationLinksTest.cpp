// Free-notification links seen from both ends: a component linked to many others (a design
// surface's watcher) holds each link once, and either end's removal or freeing undoes it on
// both.
#include <gmock/gmock.h>

#include "tests/support/TestClasses.h"

namespace formwright {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::TTestWidget;

TEST(FreeNotificationLinks, EachLinkIsHeldOnceAtBothEndsWhicheverEndAsks) {
  TOwned<TTestWidget> Hub(new TTestWidget(nullptr));
  std::vector<TOwned<TTestWidget>> Spokes;
  for (int I = 0; I < 40; ++I) {
    Spokes.emplace_back(new TTestWidget(nullptr));
    Hub->FreeNotification(Spokes.back().get());
  }
  TTestWidget* First = Spokes.front().get();
  TTestWidget* Last = Spokes.back().get();
  // Asked again from either end, by the long list's owner or the short one's.
  Hub->FreeNotification(First);
  First->FreeNotification(Hub.get());
  Last->FreeNotification(Hub.get());
  EXPECT_EQ(Hub->FreeNotifies().size(), Spokes.size());
  EXPECT_THAT(First->FreeNotifies(), ElementsAre(Hub.get()));
  EXPECT_THAT(Last->FreeNotifies(), ElementsAre(Hub.get()));
  EXPECT_TRUE(First->ComponentState().Contains(csFreeNotification));
  // A link removed from the short end is gone from the long one, and asked for again once more.
  First->RemoveFreeNotification(Hub.get());
  EXPECT_THAT(First->FreeNotifies(), IsEmpty());
  EXPECT_EQ(Hub->FreeNotifies().size(), Spokes.size() - 1);
  First->FreeNotification(Hub.get());
  EXPECT_EQ(Hub->FreeNotifies().back(), First);
  // A freed spoke is told to the hub once and leaves its list.
  Hub->FNotifications.clear();
  Spokes.pop_back();
  EXPECT_THAT(Hub->FNotifications, ElementsAre(std::make_pair(static_cast<TComponent*>(Last), opRemove)));
  EXPECT_EQ(Hub->FreeNotifies().size(), Spokes.size());
  // A freed hub leaves no spoke linked.
  Hub.reset();
  for (const auto& S : Spokes) EXPECT_THAT(S->FreeNotifies(), IsEmpty());
}

}  // namespace
}  // namespace formwright
