#include "inheritance/UpdateManager.h"

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "platform/runtime/Filer.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::ElementsAre;

namespace {

// Records what the managers ask of their roots: "updating Form2", "create TPanel"...
struct TRecordingCallback : TInterfacedObject, IUpdateManagerCallback {
  void Updating(const IPtr<IUpdateManager>& M) override {
    Log.push_back("updating " + M->GetComponent()->Name());
  }
  void Updated(const IPtr<IUpdateManager>& M) override {
    Log.push_back("updated " + M->GetComponent()->Name());
  }
  void Deleting(const IPtr<IUpdateManager>&, TPersistent* P) override {
    Log.push_back("deleting " + static_cast<TComponent*>(P)->Name());
  }
  TComponent* CreateComponent(TClass Class, TComponent* Owner) override {
    Log.push_back("create " + std::string(Class->ClassName()));
    return static_cast<TComponent*>(Class->Create<TComponent*>(Owner));
  }
  void WriteComponent(TWriter* Writer, TComponent* Component) override { Writer->WriteComponent(Component); }
  std::vector<std::string> Log;
};

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

// Ancestor Form1: Panel1 holding Button1, and an unnamed action list. A descendant starts as a
// copy through a component stream, its components marked inherited, with a manager linked to
// its ancestor's; managers[0] is Form1's, managers[i] the i-th descendant's.
struct UpdateManager : ::testing::Test {
  UpdateManager() : Ancestor(new TForm(nullptr)), Callback(new TRecordingCallback), Log(Callback->Log) {
    RegisterOrxClasses();
    RegisterClass(TTouchyButton::StaticClass());
    Ancestor->SetName("Form1");
    Make<TButton>(Ancestor.get(), "Button1", Make<TPanel>(Ancestor.get(), "Panel1", Ancestor.get()));
    Make<TActionList>(Ancestor.get(), "");
    Managers.push_back(MakeIntf<TUpdateManager>(Ancestor.get(), nullptr, nullptr, Callback.Get()));
  }
  ~UpdateManager() override {
    Managers.clear();
    while (!Descendants.empty()) Descendants.pop_back();
    UnRegisterClass(TTouchyButton::StaticClass());
  }
  TForm* AddDescendant(const char* Name, size_t Of = 0) {
    TForm* From = Of ? Descendants[Of - 1].get() : Ancestor.get();
    TMemoryStream S;
    TWriter(&S, 4096).WriteRootComponent(From);
    S.SetPosition(0);
    TForm* D = Descendants.emplace_back(new TForm(nullptr)).get();
    TReader(&S, 4096).ReadRootComponent(D);
    D->SetName(Name);
    for (TComponent* C : D->ComponentList()) C->SetAncestor(true);
    Managers.push_back(MakeIntf<TUpdateManager>(D, From, Managers[Of], Callback.Get()));
    Log.clear();
    return D;
  }
  static TButton* Button(TComponent* Form, const char* Name) {
    return dynamic_cast<TButton*>(Form->FindComponent(Name));
  }

  TClassGroupScope Group{TControl::StaticClass()};
  TOwned<TForm> Ancestor;
  IPtr<TRecordingCallback> Callback;
  std::vector<std::string>& Log;
  std::vector<TOwned<TForm>> Descendants;
  std::vector<IPtr<TUpdateManager>> Managers;
};

TEST_F(UpdateManager, DescendantsRegisterNamesAreFoundDepthFirstAndEitherSideMayCloseFirst) {
  AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", 1);
  Make<TButton>(D2, "OnlyInForm3", D2);
  EXPECT_TRUE(Managers[0]->NameExists("onlyinform3"));
  EXPECT_FALSE(Managers[1]->NameExists("Nowhere"));
  Managers[1].Reset();  // the middle module closes first
  EXPECT_FALSE(Managers[0]->GetHasDescendents());
  EXPECT_FALSE(Managers[0]->NameExists("OnlyInForm3"));
  Managers[0]->Modified();  // reaches nobody, and nothing dangles
  EXPECT_THAT(Log, ::testing::IsEmpty());
}

TEST_F(UpdateManager, AncestorComponentsAppearWithTheirChildrenAndGoThroughDeletingInEveryDescendant) {
  TForm* D1 = AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", 1);
  Make<TButton>(D1, "OwnButton", D1)->SetCaption("mine");
  D1->FindComponent("Button1")->SetName("BUTTON1");  // pairs in any letter case
  Make<TButton>(Ancestor.get(), "Button3", Make<TPanel>(Ancestor.get(), "Panel2", Ancestor.get()));
  Button(Ancestor.get(), "Button1")->SetCaption("Go");
  Managers[0]->Modified();
  // Form3 inherits from Form2, so Form2's own button reaches it too.
  EXPECT_THAT(Log, ElementsAre("updating Form2", "create TPanel", "create TButton", "updating Form3",
                               "create TButton", "create TPanel", "create TButton", "updated Form3",
                               "updated Form2"));
  for (TForm* D : {D1, D2}) {
    TButton* B = Button(D, "Button3");
    ASSERT_NE(B, nullptr) << D->Name();
    EXPECT_EQ(B->Parent(), D->FindComponent("Panel2"));
    EXPECT_TRUE(B->ComponentState().Contains(csAncestor) &&
                B->Parent()->ComponentState().Contains(csAncestor));
    EXPECT_EQ(Button(D, "Button1")->Caption(), "Go");
    EXPECT_EQ(Button(D, "OwnButton")->Caption(), "mine");
  }
  EXPECT_FALSE(Button(D1, "OwnButton")->ComponentState().Contains(csAncestor)) << "introduced: untouched";

  Log.clear();
  Ancestor->FindComponent("Panel2")->Free();
  Managers[0]->Modified();
  EXPECT_THAT(Log, ElementsAre("updating Form2", "deleting Panel2", "updating Form3", "deleting Panel2",
                               "updated Form3", "updated Form2"));
  EXPECT_EQ(D2->FindComponent("Button3"), nullptr);
}

TEST_F(UpdateManager, ReferencesBetweenCopiedComponentsReachTheDescendantsCopies) {
  TForm* D1 = AddDescendant("Form2");
  auto* Label = Make<TLabel>(Ancestor.get(), "Label9", Ancestor.get());  // copied before its edit
  Label->SetFocusControl(Make<TEdit>(Ancestor.get(), "Edit9", Ancestor.get()));
  Managers[0]->Modified();
  auto* Copy = dynamic_cast<TLabel*>(D1->FindComponent("Label9"));
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(Copy->FocusControl(), D1->FindComponent("Edit9"));
}

TEST_F(UpdateManager, AnInheritedControlMovedOntoAnIntroducedPanelStaysWhereTheDescendantPutIt) {
  TForm* D1 = AddDescendant("Form2");
  Button(D1, "Button1")->SetParent(Make<TPanel>(D1, "Panel9", D1));
  Managers[0]->Modified();
  EXPECT_EQ(Button(D1, "Button1")->Parent(), D1->FindComponent("Panel9"));
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2"));
}

TEST_F(UpdateManager, AnInlineFrameNamesItsOwnComponents) {
  auto* Frame = Make<TFrame>(Ancestor.get(), "Frame1", Ancestor.get());
  Frame->SetInline(true);
  Make<TButton>(Frame, "Button1", Frame);  // the form's Button1 is another one
  TForm* D1 = AddDescendant("Form2");
  auto* Copy = dynamic_cast<TFrame*>(D1->FindComponent("Frame1"));
  ASSERT_NE(Copy, nullptr);
  Make<TButton>(Frame, "Button2", Frame)->SetCaption("in the frame");
  Button(Frame, "Button1")->SetCaption("Go");
  Managers[0]->Modified();
  EXPECT_EQ(Button(Copy, "Button1")->Caption(), "Go");
  EXPECT_EQ(Button(D1, "Button1")->Caption(), "");
  ASSERT_NE(Button(Copy, "Button2"), nullptr);
  EXPECT_EQ(Button(Copy, "Button2")->Parent(), Copy);
  EXPECT_THAT(Log, ElementsAre("updating Form2", "create TButton", "updated Form2"));
}

TEST_F(UpdateManager, RevertingAnOverriddenPropertyCopiesTheAncestorsValueAtOnce) {
  TForm* D1 = AddDescendant("Form2");
  Button(D1, "Button1")->SetCaption("Mine");
  Managers[1]->Modified();  // the descendant's own edit: Caption no longer follows
  Button(Ancestor.get(), "Button1")->SetCaption("Go");
  Managers[0]->Modified();
  EXPECT_EQ(Button(D1, "Button1")->Caption(), "Mine");
  PPropInfo Caption = GetPropInfo(Button(D1, "Button1"), "Caption");
  ASSERT_TRUE(Managers[1]->CanRevert(Button(D1, "Button1"), Caption));
  Log.clear();
  Managers[1]->Revert(Button(D1, "Button1"), Caption);
  EXPECT_EQ(Button(D1, "Button1")->Caption(), "Go");
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2"));
}

TEST_F(UpdateManager, ARenameReachesInheritedComponentsInAnyLetterCaseAndSparesIntroducedOnes) {
  TForm* D1 = AddDescendant("Form2");
  TForm* D2 = AddDescendant("Form3", 1);
  Make<TButton>(D1, "Extra", D1);
  Managers[0]->RenameDescendents("BUTTON1", "btnOK");
  Managers[0]->RenameDescendents("Extra", "Other");
  EXPECT_TRUE(Button(D1, "btnOK") && Button(D2, "btnOK") && Button(D1, "Extra"));
  EXPECT_THAT(Log, ElementsAre("updating Form2", "updated Form2", "updating Form3", "updated Form3"));
}

TEST_F(UpdateManager, AFailingUpdateClosesItsBracketFinishesItsComponentsAndReturnsToIdle) {
  TForm* D1 = AddDescendant("Form2");
  int Begun = 0, Ended = 0;
  Managers[1]->OnBeginUpdate = [&] { ++Begun; };
  Managers[1]->OnEndUpdate = [&] { ++Ended; };
  auto* Clash = Make<TButton>(D1, "Extra", D1);  // the name the ancestor is about to use
  Make<TButton>(Ancestor.get(), "Extra", Ancestor.get());
  EXPECT_THAT([&] { Managers[0]->Modified(); }, Raises<Exception>(::testing::HasSubstr("Extra")));
  EXPECT_THAT(Log, ElementsAre("updating Form2", "create TButton", "updated Form2"));
  EXPECT_EQ(Begun + Ended, 2);
  Clash->Free();  // the manager is idle again: the next update runs
  Managers[0]->Modified();
  EXPECT_TRUE(D1->FindComponent("Extra")->ComponentState().Contains(csAncestor));
}

TEST_F(UpdateManager, ErrorsFinishingComponentsAreRaisedOnceEveryComponentIsFinished) {
  Make<TTouchyButton>(Ancestor.get(), "Touchy", Ancestor.get());
  TForm* D1 = AddDescendant("Form2");
  Button(Ancestor.get(), "Touchy")->SetCaption("boom");
  Button(Ancestor.get(), "Button1")->SetCaption("Go");
  EXPECT_THAT([&] { Managers[0]->Modified(); }, Raises<Exception>("cannot finish Touchy"));
  EXPECT_EQ(Button(D1, "Button1")->Caption(), "Go");
  for (TComponent* C : D1->ComponentList())
    EXPECT_FALSE(C->ComponentState().Contains(csUpdating)) << C->Name();
}

}  // namespace
