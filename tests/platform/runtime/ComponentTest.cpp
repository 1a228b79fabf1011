#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;

namespace {

// A designer that refuses names starting with "Bad" and records what it is told.
class TRefusingDesigner : public TInterfacedObject, public IDesignerHook {
 public:
  void Modified() override {}
  void Notification(TPersistent* AnObject, TOperation Operation) override {
    Seen.emplace_back(AnObject, Operation);
  }
  void ValidateRename(TComponent*, const String&, const String& NewName) override {
    if (StartsText("Bad", NewName)) throw EComponentError("Refused: " + NewName);
  }
  TComponent* GetRoot() override { return nullptr; }
  std::vector<std::pair<TPersistent*, TOperation>> Seen;
};

}  // namespace

TEST(Component, AnOwnerFreesItsComponentsAndForgetsThoseFreedFirst) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* A = new TTestWidget(Form.get());
  auto* B = new TTestWidget(Form.get());
  auto* Inner = new TTestWidget(A);
  EXPECT_EQ(Form->ComponentCount(), 2);
  EXPECT_EQ(A->ComponentCount(), 1);
  EXPECT_EQ(Inner->Owner(), A);
  EXPECT_EQ(B->ComponentIndex(), 1);
  A->Free();
  EXPECT_EQ(Form->ComponentCount(), 1);
  EXPECT_EQ(Form->Components(0), B);
  EXPECT_EQ(B->ComponentIndex(), 0);
  EXPECT_THROW(Form->Components(1), EListError);
  // Form's destruction frees B (the sanitizers report a leak otherwise).
}

TEST(Component, RemovalsReachSiblingsAndFreeNotificationsCrossOwners) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  TOwned<TTestForm> Other(new TTestForm(nullptr));
  auto* Watcher = new TTestWidget(Form.get());
  auto* Sibling = new TTestWidget(Form.get());
  auto* Foreign = new TTestWidget(Other.get());

  Watcher->SetBuddy(Foreign);  // a reference into another module
  ASSERT_EQ(Watcher->Buddy(), Foreign);
  EXPECT_TRUE(Foreign->ComponentState().Contains(csFreeNotification));
  Foreign->Free();
  EXPECT_EQ(Watcher->Buddy(), nullptr);
  EXPECT_TRUE(Watcher->FreeNotifies().empty());

  Watcher->SetBuddy(Sibling);  // same owner: linked too, and the owner's broadcast reaches it
  Watcher->FNotifications.clear();
  Sibling->Free();
  EXPECT_EQ(Watcher->Buddy(), nullptr);
  ASSERT_FALSE(Watcher->FNotifications.empty());
  EXPECT_EQ(Watcher->FNotifications.back().second, opRemove);

  // Insertions are told to the owner only.
  Watcher->FNotifications.clear();
  new TTestWidget(Form.get());
  EXPECT_TRUE(Watcher->FNotifications.empty());

  // A watcher freed first unlinks itself from what it watched.
  auto* Target = new TTestWidget(Other.get());
  Watcher->SetBuddy(Target);
  Watcher->Free();
  EXPECT_TRUE(Target->FreeNotifies().empty());
}

// A component that refers across owners is told of a removal once, although both the free
// notification link and the owner's removal broadcast reach it: one such component, and more
// than the few a removal keeps count of without allocating.
TEST(Component, EachComponentHearsOfARemovalOnce) {
  for (const int Watchers : {1, 20}) {
    TOwned<TTestForm> Form(new TTestForm(nullptr));
    auto* Group = new TTestWidget(Form.get());
    std::vector<TTestWidget*> Watching;
    for (int I = 0; I < Watchers; ++I) Watching.push_back(new TTestWidget(Group));
    auto* Bystander = new TTestWidget(Group);
    auto* Target = new TTestWidget(Form.get());
    for (TTestWidget* W : Watching) W->SetBuddy(Target);
    ASSERT_THAT(Watching.front()->FreeNotifies(), ElementsAre(Target));
    Group->FNotifications.clear();  // its insertions
    Target->Free();
    const std::pair<TComponent*, TOperation> Removal{Target, opRemove};
    for (TTestWidget* W : Watching) {
      EXPECT_EQ(W->Buddy(), nullptr);
      EXPECT_THAT(W->FNotifications, ElementsAre(Removal)) << Watchers;
    }
    EXPECT_THAT(Bystander->FNotifications, ElementsAre(Removal));
    EXPECT_THAT(Group->FNotifications, ElementsAre(Removal));
  }
}

namespace {
// Writes each removal it hears of into a log that outlives it.
class TRemovalLog : public TTestWidget {
 public:
  TRemovalLog(TComponent* AOwner, const String& AName, std::vector<String>& Log)
      : TTestWidget(AOwner), FLog(Log) {
    SetName(AName);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TTestWidget::Notification(AComponent, Operation);
    if (Operation == opRemove)
      FLog.push_back(Name() + " hears of " + AComponent->Name() +
                     (ComponentState().Contains(csDestroying) ? " as its module goes" : ""));
  }
  std::vector<String>& FLog;
};
}  // namespace

// Freeing an owner tells a component of a sibling's removal when it asked, through a
// component reference or an interface property, once; the others are not told. Every component
// below the owner, however deep, knows it is going; one in another module does not.
TEST(Component, FreeingAnOwnerTellsTheComponentsThatAskedOnce) {
  std::vector<String> Log;
  TOwned<TTestForm> Other(new TTestForm(nullptr));
  auto* Foreign = new TRemovalLog(Other.get(), "Foreign", Log);
  {
    TOwned<TTestForm> Form(new TTestForm(nullptr));
    auto* Group = new TTestWidget(Form.get());
    auto* Buddy = new TRemovalLog(Group, "Buddy", Log);
    new TRemovalLog(Form.get(), "Bystander", Log);
    auto* Linked = new TRemovalLog(Form.get(), "Linked", Log);
    auto* Target = new TRemovalLog(Form.get(), "Target", Log);
    Buddy->SetBuddy(Target);
    Foreign->SetBuddy(Target);
    SetInterfaceProp(Linked, GetPropInfo(Linked, "Link"), IPtr<IInterface>(static_cast<IInterface*>(Target)));
    EXPECT_THAT(Target->FreeNotifies(), ElementsAre(Buddy, Foreign, Linked));
  }
  EXPECT_THAT(Log, ::testing::UnorderedElementsAre("Buddy hears of Target as its module goes",
                                                   "Linked hears of Target as its module goes",
                                                   "Foreign hears of Target"));
  EXPECT_FALSE(Foreign->ComponentState().Contains(csDestroying));
}

TEST(Component, NamesAreUniqueIgnoringCaseAndARefusedRenameKeepsTheOldName) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* A = new TTestWidget(Form.get());
  auto* B = new TTestWidget(Form.get());
  A->SetName("Button1");
  B->SetName("Button2");
  EXPECT_EQ(Form->FindComponent("BUTTON1"), A);
  EXPECT_EQ(Form->FindComponent(""), nullptr);
  EXPECT_THAT([&] { B->SetName("button1"); },
              Raises<EComponentError>("A component named button1 already exists"));
  EXPECT_EQ(B->Name(), "Button2");
  EXPECT_THAT([&] { B->SetName("2nd"); }, Raises<EComponentError>("'2nd' is not a valid component name"));
  EXPECT_EQ(B->Name(), "Button2");
  A->SetName("BUTTON1");  // a change of case of its own name is no clash
  EXPECT_EQ(A->Name(), "BUTTON1");
  B->SetName("");
  EXPECT_EQ(B->Name(), "");

  // A designed root's designer may refuse; the name stays.
  auto Designer = MakeIntf<TRefusingDesigner>();
  Form->SetDesigner(IPtr<IDesignerHook>(Designer.Get()));
  Form->SetDesigning(true);
  EXPECT_THROW(A->SetName("BadName"), EComponentError);
  EXPECT_EQ(A->Name(), "BUTTON1");
  EXPECT_EQ(Form->FindComponent("BadName"), nullptr);
  A->SetName("GoodName");
  EXPECT_EQ(A->Name(), "GoodName");
  EXPECT_EQ(Form->FindComponent("goodname"), A);
  EXPECT_EQ(Form->FindComponent("BUTTON1"), nullptr);  // the old name is free again
  EXPECT_EQ(A->FindRootDesigner(), Form->Designer());
  // The designer hears of insertions and removals in its root.
  auto* C = new TTestWidget(Form.get());
  C->SetName("Temporary");
  C->Free();
  EXPECT_EQ(Form->FindComponent("Temporary"), nullptr);
  ASSERT_GE(Designer->Seen.size(), 2u);
  EXPECT_EQ(Designer->Seen[Designer->Seen.size() - 2].second, opInsert);
  EXPECT_EQ(Designer->Seen.back().second, opRemove);
  Form->SetDesigner(nullptr);
}

TEST(Component, StateSwitchesReachOwnedComponents) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* A = new TTestWidget(Form.get());
  auto* Inner = new TTestWidget(A);
  Form->SetDesigning(true);
  EXPECT_TRUE(Inner->ComponentState().Contains(csDesigning));
  auto* Late = new TTestWidget(Form.get());  // inserted into a designed owner
  EXPECT_TRUE(Late->ComponentState().Contains(csDesigning));
  Form->SetDesigning(false, false);
  EXPECT_FALSE(Form->ComponentState().Contains(csDesigning));
  EXPECT_TRUE(A->ComponentState().Contains(csDesigning));
  Form->SetAncestor(true);
  EXPECT_TRUE(Inner->ComponentState().Contains(csAncestor));
  A->SetInline(true);
  EXPECT_TRUE(A->ComponentState().Contains(csInline));
  EXPECT_FALSE(Inner->ComponentState().Contains(csInline));
  A->SetSubComponent(true);
  EXPECT_TRUE(A->ComponentStyle().Contains(csSubComponent));
  EXPECT_TRUE(A->ComponentStyle().Contains(csInheritable));
}

TEST(Component, ComponentIndexMovesWithinTheOwner) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* A = new TTestWidget(Form.get());
  auto* B = new TTestWidget(Form.get());
  auto* C = new TTestWidget(Form.get());
  C->SetComponentIndex(0);
  EXPECT_EQ(Form->Components(0), C);
  EXPECT_EQ(Form->Components(1), A);
  EXPECT_EQ(Form->Components(2), B);
  A->SetComponentIndex(99);  // clamped to the end
  EXPECT_EQ(Form->Components(2), A);
}

TEST(Component, NamePathsFollowTheOwnerChain) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* W = new TTestWidget(Form.get());
  W->SetName("Grid1");
  EXPECT_EQ(W->GetNamePath(), "Grid1");
  EXPECT_EQ(W->Font()->GetNamePath(), "Grid1.TTestFont");
  auto* Item = static_cast<TTestItem*>(W->Items()->Add());
  W->Items()->Add();
  EXPECT_EQ(W->Items()->GetNamePath(), "Grid1.Items");
  EXPECT_EQ(W->Items()->Items(1)->GetNamePath(), "Grid1.Items[1]");
  EXPECT_EQ(Item->GetDisplayName(), "TTestItem");
}
