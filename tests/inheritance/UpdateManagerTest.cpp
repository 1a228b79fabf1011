#include "inheritance/UpdateManager.h"

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "inheritance/Pairings.h"
#include "platform/runtime/Filer.h"
#include "tests/inheritance/UpdateManagerFixture.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A button that cannot finish an update while its caption is "boom".
class TTouchyButton : public TButton {
  FW_CLASS(TTouchyButton, TButton)
 public:
  using TButton::TButton;
  void Updated() override {
    TButton::Updated();
    if (Caption() == "boom") throw Exception("cannot finish " + Name());
  }
};
FW_REGISTER_CLASS(TTouchyButton, "UpdateManagerTest")

using UpdateManagerTree = TUpdateManagerTest;

TEST_F(UpdateManagerTree, DescendantsRegisterAndEitherSideMayGoFirst) {
  TForm* D1 = AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", D1);
  EXPECT_TRUE(Managers[0]->GetHasDescendents());
  EXPECT_TRUE(Managers[1]->GetIsDescendent());
  EXPECT_TRUE(Managers[0]->NameExists("Button1"));
  Make<TButton>(D2, "OnlyInForm3", D2);
  EXPECT_TRUE(Managers[0]->NameExists("onlyinform3")) << "asked depth first, letter case ignored";
  EXPECT_FALSE(Managers[1]->NameExists("Nowhere"));

  Managers[1].Reset();  // the middle module closes first
  EXPECT_FALSE(Managers[0]->GetHasDescendents());
  EXPECT_FALSE(Managers[0]->NameExists("OnlyInForm3"));
  Make<TButton>(Ancestor.get(), "Late", Ancestor.get());
  Managers[0]->Modified();  // reaches nobody, and nothing dangles
  EXPECT_EQ(D1->FindComponent("Late"), nullptr);
  Managers.clear();
}

TEST_F(UpdateManagerTree, AComponentAddedToTheAncestorAppearsInEveryDescendantWithItsChildren) {
  TForm* D1 = AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", D1);
  auto* Own = Make<TButton>(D1, "OwnButton", D1);
  Own->SetCaption("mine");

  auto* Panel = Make<TPanel>(Ancestor.get(), "Panel2", Ancestor.get());
  Make<TButton>(Ancestor.get(), "Button3", Panel)->SetCaption("inside");
  static_cast<TButton*>(Ancestor->FindComponent("Button1"))->SetCaption("Go");
  Managers[0]->Modified();

  for (TForm* D : {D1, D2}) {
    auto* P = dynamic_cast<TPanel*>(D->FindComponent("Panel2"));
    auto* B = dynamic_cast<TButton*>(D->FindComponent("Button3"));
    ASSERT_TRUE(P && B) << D->Name();
    EXPECT_EQ(B->Parent(), P);
    EXPECT_EQ(B->Caption(), "inside");
    EXPECT_TRUE(P->ComponentState().Contains(csAncestor));
    EXPECT_TRUE(B->ComponentState().Contains(csAncestor));
    EXPECT_FALSE(B->ComponentState().Contains(csUpdating));
    EXPECT_EQ(static_cast<TButton*>(D->FindComponent("Button1"))->Caption(), "Go");
  }
  // Form3 inherits from Form2, so what Form2 introduced reaches Form3 too.
  EXPECT_THAT(Log, ElementsAre("updating Form2", "create TPanel", "create TButton", "updating Form3",
                               "create TButton", "create TPanel", "create TButton", "updated Form3",
                               "updated Form2"));
  EXPECT_EQ(D1->FindComponent("OwnButton"), Own) << "introduced components are never touched";
  EXPECT_EQ(Own->Caption(), "mine");
  auto* Inherited = dynamic_cast<TButton*>(D2->FindComponent("OwnButton"));
  ASSERT_NE(Inherited, nullptr);
  EXPECT_EQ(Inherited->Caption(), "mine");
  EXPECT_TRUE(Inherited->ComponentState().Contains(csAncestor));
}

TEST_F(UpdateManagerTree, ReferencesBetweenCopiedComponentsReachTheDescendantsCopies) {
  TForm* D1 = AddDescendant("Form2");
  auto* Label = Make<TLabel>(Ancestor.get(), "Label9", Ancestor.get());  // before its edit
  Label->SetFocusControl(Make<TEdit>(Ancestor.get(), "Edit9", Ancestor.get()));
  Managers[0]->Modified();
  auto* Copy = dynamic_cast<TLabel*>(D1->FindComponent("Label9"));
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(Copy->FocusControl(), D1->FindComponent("Edit9"));
  EXPECT_NE(Copy->FocusControl(), nullptr);
}

TEST_F(UpdateManagerTree, RevertingAnOverriddenPropertyCopiesTheAncestorsValueAtOnce) {
  TForm* D1 = AddDescendant("Form2");
  auto* Button = static_cast<TButton*>(D1->FindComponent("Button1"));
  Button->SetCaption("Mine");
  Managers[1]->Modified();  // the descendant's own edit: Caption no longer follows
  static_cast<TButton*>(Ancestor->FindComponent("Button1"))->SetCaption("Go");
  Managers[0]->Modified();
  EXPECT_EQ(Button->Caption(), "Mine");

  PPropInfo Caption = GetPropInfo(Button, "Caption");
  ASSERT_TRUE(Managers[1]->CanRevert(Button, Caption));
  EXPECT_FALSE(Managers[0]->CanRevert(Ancestor->FindComponent("Button1"), Caption)) << "no ancestor";
  Log.clear();
  Managers[1]->Revert(Button, Caption);
  EXPECT_EQ(Button->Caption(), "Go");
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2"));
}

TEST_F(UpdateManagerTree, AComponentDeletedInTheAncestorGoesThroughDeleting) {
  TForm* D1 = AddDescendant("Form2");
  auto* Own = Make<TButton>(D1, "OwnButton", D1);
  Ancestor->FindComponent("Button1")->Free();
  Managers[0]->Modified();
  EXPECT_EQ(D1->FindComponent("Button1"), nullptr);
  EXPECT_THAT(Log, ElementsAre("updating Form2", "deleting Button1", "updated Form2"));
  EXPECT_EQ(D1->FindComponent("OwnButton"), Own);
}

TEST_F(UpdateManagerTree, ARenameInTheAncestorRenamesInheritedComponentsInAnyLetterCase) {
  TForm* D1 = AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", D1);
  Make<TButton>(D1, "Extra", D1);  // introduced: a rename of an ancestor's Extra spares it
  Ancestor->FindComponent("Button1")->SetName("btnOK");
  Managers[0]->RenameDescendents("BUTTON1", "btnOK");
  Managers[0]->RenameDescendents("Extra", "Other");
  for (TForm* D : {D1, D2}) {
    EXPECT_EQ(D->FindComponent("Button1"), nullptr);
    EXPECT_NE(D->FindComponent("btnOK"), nullptr) << D->Name();
  }
  EXPECT_NE(D1->FindComponent("Extra"), nullptr);
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2", "updating Form3", "updated Form3"));
}

TEST_F(UpdateManagerTree, AFailingUpdateClosesItsBracketAndReturnsToIdle) {
  TForm* D1 = AddDescendant("Form2");
  int Begun = 0, Ended = 0;
  Managers[1]->OnBeginUpdate = [&] { ++Begun; };
  Managers[1]->OnEndUpdate = [&] { ++Ended; };
  auto* Clash = Make<TButton>(D1, "Extra", D1);  // the name the ancestor is about to use
  Make<TButton>(Ancestor.get(), "Extra", Ancestor.get());
  EXPECT_ANY_THROW(Managers[0]->Modified());
  EXPECT_EQ(Begun, 1);
  EXPECT_EQ(Ended, 1);
  EXPECT_THAT(Log, ElementsAre("updating Form2", "create TButton", "updated Form2"));
  for (TComponent* C : D1->ComponentList()) EXPECT_FALSE(C->ComponentState().Contains(csUpdating));

  Clash->Free();  // the next update runs: the manager is idle again
  Managers[0]->Modified();
  EXPECT_TRUE(D1->FindComponent("Extra")->ComponentState().Contains(csAncestor));
}

TEST_F(UpdateManagerTree, ErrorsFinishingComponentsAreRaisedAfterEveryComponentIsFinished) {
  RegisterClass(TTouchyButton::StaticClass());
  Make<TTouchyButton>(Ancestor.get(), "Touchy", Ancestor.get());
  TForm* D1 = AddDescendant("Form2");
  static_cast<TButton*>(Ancestor->FindComponent("Touchy"))->SetCaption("boom");
  static_cast<TButton*>(Ancestor->FindComponent("Button1"))->SetCaption("Go");
  EXPECT_THAT([&] { Managers[0]->Modified(); }, Raises<Exception>("cannot finish Touchy"));
  EXPECT_EQ(static_cast<TButton*>(D1->FindComponent("Button1"))->Caption(), "Go");
  for (TComponent* C : D1->ComponentList())
    EXPECT_FALSE(C->ComponentState().Contains(csUpdating)) << C->Name();
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2"));
  UnRegisterClass(TTouchyButton::StaticClass());
}

TEST(Pairing, MatchesInheritedChildrenByNameInAnyCaseAndUnnamedOnesByIndex) {
  RegisterOrxClasses();
  TClassGroupScope Group(TControl::StaticClass());
  TOwned<TForm> A(new TForm(nullptr)), D(new TForm(nullptr));
  for (TForm* F : {A.get(), D.get()}) {
    Make<TButton>(F, F == A.get() ? "Button1" : "BUTTON1", F);
    Make<TActionList>(F, "");
  }
  for (TComponent* C : D->ComponentList()) C->SetAncestor(true);
  Make<TButton>(D.get(), "Button2", D.get());  // introduced: never paired

  TPairing Root(nullptr);
  Root.SetDescendant(D.get(), D.get());
  Root.SetAncestor(A.get(), A.get());
  ASSERT_TRUE(Root.Children);
  std::vector<std::pair<TComponent*, TComponent*>> Pairs;
  for (const auto& P : Root.Children->Items()) Pairs.emplace_back(P->Descendant, P->Ancestor);
  EXPECT_THAT(Pairs, ::testing::UnorderedElementsAre(std::pair(D->Components(0), A->Components(0)),
                                                     std::pair(D->Components(1), A->Components(1))));
}

}  // namespace
