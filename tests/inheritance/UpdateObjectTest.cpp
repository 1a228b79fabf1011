// A descendant module's update tree: what still follows the ancestor after the descendant
// changed things, and what an update copies into it.
#include <gmock/gmock.h>

#include <functional>

#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "inheritance/UpdateFiler.h"
#include "inheritance/UpdateObject.h"
#include "platform/runtime/Filer.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using namespace formwright::orx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

namespace {

struct TRecordingContext : TUpdateContext {
  void Updating(TComponent* Component) override { Names.push_back(Component->Name()); }
  std::vector<String> Names;
};

// A descendant of Ancestor as a designer opens one: read from the ancestor's stream, every
// component marked inherited.
template <class T>
TOwned<T> DescendantOf(T* Ancestor) {
  TOwned<T> Descendant(new T(nullptr));
  auto S = TStreamSamples::StreamOf(TStreamSamples::Write(Ancestor));
  TReader(S.get(), 4096).ReadRootComponent(Descendant.get());
  Descendant->SetAncestor(true);
  return Descendant;
}

class UpdateObject : public ::testing::Test {
 protected:
  void SetUp() override {
    TStreamSamples::RegisterClasses();
    Ancestor = TStreamSamples::BuildModule();
    Descendant = DescendantOf(Ancestor.get());
    Root = TUpdateObject::CreateRoot(Descendant.get(), Ancestor.get());
  }
  void TearDown() override { RemoveFixupReferences(nullptr, String()); }
  template <class T = TTestControl>
  static T* Find(const TOwned<TTestModule>& M, const char* Name) {
    return dynamic_cast<T*>(M->FindComponent(Name));
  }
  // The ancestor changed: its values reach the descendant. (Root->Filter() is what follows a
  // change in the descendant.)
  void Update() { Root->Update(Context); }

  TOwned<TTestDataSet> Outside{new TTestDataSet(nullptr)};
  TOwned<TTestModule> Ancestor;
  TOwned<TTestModule> Descendant;
  std::unique_ptr<TUpdateObject> Root;
  TRecordingContext Context;
};

// Each row: set a value on a control (1: the ancestor's new value, 2: the descendant's own)
// and read it back as text.
struct TPropertyCase {
  const char* Name;
  std::function<void(TTestControl*, int)> Set;
  std::function<std::string(TTestControl*)> Get;
};

const TPropertyCase PropertyCases[] = {
    {"Caption", [](TTestControl* C, int V) { C->SetCaption(V == 1 ? "Ancestor" : "Mine"); },
     [](TTestControl* C) { return C->Caption(); }},
    {"Ratio", [](TTestControl* C, int V) { C->FRatio = V == 1 ? 2.5 : 0.75; },
     [](TTestControl* C) { return std::to_string(C->FRatio); }},
    {"Shapes", [](TTestControl* C, int V) { C->FShapes = V == 1 ? TTestShapes{tsTriangle} : TTestShapes{}; },
     [](TTestControl* C) { return std::to_string(C->FShapes.Bits()); }},
    {"Wide", [](TTestControl* C, int V) { C->FWide = V == 1 ? u"\x2713" : u"x"; },
     [](TTestControl* C) { return std::to_string(C->FWide.size()) + std::to_string(int(C->FWide[0])); }},
    {"Width, not stored at its default", [](TTestControl* C, int V) { C->FWidth = V == 1 ? 100 : 150; },
     [](TTestControl* C) { return std::to_string(C->FWidth); }},
    {"Shape", [](TTestControl* C, int V) { C->FShape = V == 1 ? tsTriangle : tsCircle; },
     [](TTestControl* C) { return std::to_string(C->FShape); }},
    {"Font.Size", [](TTestControl* C, int V) { C->Font()->FSize = V == 1 ? 20 : 6; },
     [](TTestControl* C) { return std::to_string(C->Font()->FSize); }},
    {"OnClick",
     [](TTestControl* C, int V) {
       TComponent* Root = C->Owner();
       C->FOnClick = TTestNotify(TMethod{Root->MethodAddress(V == 1 ? "WidgetClick" : "WidgetKey"), Root});
     },
     [](TTestControl* C) {
       return std::to_string(C->FOnClick.Method() ==
                             TMethod{C->Owner()->MethodAddress("WidgetClick"), C->Owner()});
     }},
};

TEST_F(UpdateObject, AnAncestorValueReachesAPropertyNeverOverriddenAndSparesAnOverriddenOne) {
  for (const TPropertyCase& Case : PropertyCases) {
    SetUp();
    SCOPED_TRACE(Case.Name);
    Case.Set(Find(Descendant, "Button2"), 2);
    Root->Filter();
    Case.Set(Find(Ancestor, "Button1"), 1);
    Case.Set(Find(Ancestor, "Button2"), 1);
    Update();
    EXPECT_EQ(Case.Get(Find(Descendant, "Button1")), Case.Get(Find(Ancestor, "Button1")));
    Case.Set(Find(Ancestor, "Button2"), 2);  // the expected text of the overridden value
    EXPECT_EQ(Case.Get(Find(Descendant, "Button2")), Case.Get(Find(Ancestor, "Button2")));
  }
}

// The ancestor puts a value of Widget1 back to its default, which it then no longer saves: the
// descendant follows, and so has nothing of its own to save against the ancestor.
TEST_F(UpdateObject, AnAncestorValuePutBackToItsDefaultReachesTheDescendant) {
  const std::pair<const char*, std::function<void(TTestWidget*)>> Resets[] = {
      {"integer stored only off its default", [](TTestWidget* W) { W->FWidth = 100; }},
      {"byte", [](TTestWidget* W) { W->FSmall = 0; }},
      {"boolean", [](TTestWidget* W) { W->FEnabled = true; }},
      {"enumeration", [](TTestWidget* W) { W->FShape = tsSquare; }},
      {"set", [](TTestWidget* W) { W->FShapes = TTestShapes{tsCircle}; }},
      {"float", [](TTestWidget* W) { W->FRatio = 0; }},
      {"wide string", [](TTestWidget* W) { W->FWide.clear(); }},
      {"nested object", [](TTestWidget* W) { W->Font()->FName = "Sans", W->Font()->FSize = 8; }},
      {"collection", [](TTestWidget* W) { W->Items()->Clear(); }},
      {"reference", [](TTestWidget* W) { W->SetBuddy(nullptr); }},
      {"event", [](TTestWidget* W) { W->FOnClick = TTestNotify(); }},
      {"defined property", [](TTestWidget* W) { W->SetDesignInfo(0); }},
  };
  for (const auto& [Kind, Reset] : Resets) {
    SetUp();
    SCOPED_TRACE(Kind);
    Reset(Find<TTestWidget>(Ancestor, "Widget1"));
    Update();
    EXPECT_THAT(ModuleText(TextOf(TStreamSamples::Write(Descendant.get(), Ancestor.get()))),
                Not(HasSubstr(" = ")));
  }
}

TEST_F(UpdateObject, ReferencesIntoTheAncestorModuleAreTranslatedOthersCopiedMissingOnesCleared) {
  auto* Extra = new TTestWidget(Ancestor.get());  // not in the descendant
  Extra->SetName("Extra");
  struct {
    const char* Control;
    TComponent* AncestorTarget;
    TComponent* Expected;
  } const Cases[] = {
      {"Button1", Find<TComponent>(Ancestor, "Panel1"), Find<TComponent>(Descendant, "Panel1")},
      {"Button2", Ancestor.get(), Descendant.get()},
      {"Panel1", Outside.get(), Outside.get()},
      {"Widget1", Extra, nullptr},
  };
  for (const auto& Case : Cases) Find<TTestWidget>(Ancestor, Case.Control)->SetBuddy(Case.AncestorTarget);
  Update();
  for (const auto& Case : Cases)
    EXPECT_EQ(Find<TTestWidget>(Descendant, Case.Control)->Buddy(), Case.Expected) << Case.Control;
}

// A reference still follows while it points where the ancestor's points, seen from the
// descendant: to the same-named component of the descendant's own root (not to a namesake
// outside it), to the root itself, or to nothing when the descendant lacks the target.
TEST_F(UpdateObject, AReferenceFollowsWhileItPointsWhereTheAncestorsDoes) {
  auto* Extra = new TTestWidget(Ancestor.get());  // not in the descendant
  Extra->SetName("Extra");
  TOwned<TTestWidget> Namesake(new TTestWidget(nullptr));
  Namesake->SetName("PANEL1");
  TOwned<TTestWidget> Next(new TTestWidget(nullptr));
  struct {
    const char* Control;
    TComponent* AncestorTarget;
    TComponent* DescendantOwn;  // set in the descendant after the update; null: left alone
  } const Cases[] = {
      {"Button1", Find<TComponent>(Ancestor, "Panel1"), nullptr},
      {"Button2", Ancestor.get(), nullptr},
      {"Panel1", Extra, nullptr},
      {"Widget1", Find<TComponent>(Ancestor, "Panel1"), Namesake.get()},
  };
  for (const auto& Case : Cases) Find<TTestWidget>(Ancestor, Case.Control)->SetBuddy(Case.AncestorTarget);
  Update();
  for (const auto& Case : Cases)
    if (Case.DescendantOwn) Find<TTestWidget>(Descendant, Case.Control)->SetBuddy(Case.DescendantOwn);
  Root->Filter();
  for (const auto& Case : Cases) Find<TTestWidget>(Ancestor, Case.Control)->SetBuddy(Next.get());
  Update();
  for (const auto& Case : Cases)
    EXPECT_EQ(Find<TTestWidget>(Descendant, Case.Control)->Buddy(),
              Case.DescendantOwn ? Case.DescendantOwn : Next.get())
        << Case.Control;
}

TEST_F(UpdateObject, DefinedPropertiesFollowUntilTheDescendantChangesThem) {
  Ancestor->Lines()->Add("three");
  Ancestor->Data.assign(3, 1);
  Find<TTestWidget>(Ancestor, "Widget1")->SetDesignInfo((40 << 16) | 30);
  Update();
  EXPECT_EQ(Descendant->Lines()->Count(), 3);
  EXPECT_EQ(Descendant->Data, Ancestor->Data);
  EXPECT_EQ(Find<TTestWidget>(Descendant, "Widget1")->DesignInfo(), (40 << 16) | 30);

  Descendant->Data.assign(2, 9);
  Descendant->Lines()->Clear();
  Root->Filter();
  EXPECT_THAT(Root->Filer().PropertyList(), ElementsAre("Left", "Top"));
  Ancestor->Data.assign(5, 5);
  Ancestor->Lines()->Add("four");
  Ancestor->SetDesignInfo(7);
  Update();
  EXPECT_EQ(Descendant->Data, std::vector<uint8_t>(2, 9));
  EXPECT_EQ(Descendant->Lines()->Count(), 0);
  EXPECT_EQ(Descendant->DesignInfo(), 7);
}

TEST_F(UpdateObject, ACollectionFollowsUntilTheDescendantChangesIt) {
  auto Items = [](const TOwned<TTestModule>& M) { return Find<TTestWidget>(M, "Widget1")->Items(); };
  static_cast<TTestItem*>(Items(Ancestor)->Add())->FCaption = "Added";
  Update();
  ASSERT_EQ(Items(Descendant)->Count(), 4);
  EXPECT_EQ(static_cast<TTestItem*>(Items(Descendant)->Items(3))->FCaption, "Added");

  static_cast<TTestItem*>(Items(Descendant)->Items(0))->FWidth = 1;
  Root->Filter();
  Items(Ancestor)->Delete(3);
  Update();
  EXPECT_EQ(Items(Descendant)->Count(), 4);
  EXPECT_FALSE(Root->FindNode(Items(Descendant))->CollectionFollows());
}

TEST_F(UpdateObject, OrderFollowsTheAncestorAroundIntroducedChildrenUnlessTheDescendantChangedIt) {
  auto Order = [](const TOwned<TTestModule>& M) {
    std::vector<String> Names;
    for (TTestControl* C : Find<TTestContainer>(M, "Panel1")->Controls()) Names.push_back(C->Name());
    return Names;
  };
  auto* Mine = new TTestControl(Descendant.get());
  Mine->SetName("Mine");
  Mine->SetParent(Find<TTestContainer>(Descendant, "Panel1"));
  Find<TTestContainer>(Descendant, "Panel1")->SetChildOrder(Mine, 1);
  Find<TTestContainer>(Ancestor, "Panel1")->SetChildOrder(Find(Ancestor, "Button2"), 0);
  Update();
  EXPECT_THAT(Order(Descendant), ElementsAre("Button2", "Mine", "Button1"));

  Find<TTestContainer>(Descendant, "Panel1")->SetChildOrder(Find(Descendant, "Button1"), 0);
  Root->Filter();
  Update();
  EXPECT_THAT(Order(Descendant), ElementsAre("Button1", "Button2", "Mine"));
}

TEST_F(UpdateObject, ANodeBuiltWithoutComparisonFollowsInEverythingUntilTheDescendantChanges) {
  auto* Copy = new TTestWidget(Descendant.get());  // as a copy of a new ancestor component
  Copy->SetName("Copy");
  Copy->SetCaption("stale");
  Copy->SetDesignInfo(3);
  auto* Original = new TTestWidget(Ancestor.get());
  Original->SetName("Copy");
  Original->SetCaption("fresh");
  TUpdateObject& Node = Root->AddChild(Copy, Original, nullptr, false, false);
  EXPECT_TRUE(Node.Follows("Caption"));
  Update();
  EXPECT_EQ(Copy->Caption(), "fresh");
  EXPECT_EQ(Copy->DesignInfo(), 0);
  Copy->SetCaption("mine");
  Root->Filter();
  EXPECT_FALSE(Node.Follows("Caption"));
}

TEST_F(UpdateObject, ARevertedPropertyAndSubObjectFollowAgainAndTheNextUpdateCopiesThem) {
  auto* B = Find(Descendant, "Button1");
  B->SetCaption("Mine");
  B->Font()->FSize = 3;
  Root->Filter();
  ASSERT_FALSE(Root->FindNode(B)->Follows("Caption"));
  PPropInfo Caption = GetPropInfo(B, "Caption");
  EXPECT_FALSE(Root->CanRevert(B, GetPropInfo(B, "ReadOnlyCount")));
  ASSERT_TRUE(Root->CanRevert(B, Caption));
  EXPECT_TRUE(Root->Revert(B, Caption));
  EXPECT_FALSE(Root->Revert(B, Caption));
  EXPECT_TRUE(Root->Revert(B, GetPropInfo(B, "Font")));
  Update();
  EXPECT_EQ(B->Caption(), "OK");
  EXPECT_EQ(B->Font()->FSize, 8);
  // Components the descendant introduced have no node; a deleted one's node goes with it.
  auto* Mine = new TTestWidget(Descendant.get());
  EXPECT_FALSE(Root->CanRevert(Mine, GetPropInfo(Mine, "Caption")));
  Root->ComponentDelete(B);
  EXPECT_EQ(Root->FindNode(B), nullptr);
  EXPECT_NE(Root->FindNode(Find(Descendant, "Button2")), nullptr);
}

TEST(UpdateObjectOfAFrame, AnEmbeddedFrameNamesReferencesFromItselfNotFromTheForm) {
  // Form1 holds a component "Target" and an embedded frame holding its own "Target".
  auto Build = [](bool Inherited) {
    TOwned<TTestModule> Form(new TTestModule(nullptr));
    Form->SetName("Form1");
    auto* Frame = new TTestFrame(Form.get());
    Frame->SetName("Frame1");
    Frame->SetParent(Form.get());
    Frame->SetInline(true);
    for (TComponent* Owner : {static_cast<TComponent*>(Frame), static_cast<TComponent*>(Form.get())})
      (new TTestWidget(Owner))->SetName("Target");
    if (Inherited) Form->SetAncestor(true);
    return Form;
  };
  auto Ancestor = Build(false), Descendant = Build(true);
  auto Root = TUpdateObject::CreateRoot(Descendant.get(), Ancestor.get());
  auto Frame = [](const TOwned<TTestModule>& M) {
    return dynamic_cast<TTestFrame*>(M->FindComponent("Frame1"));
  };
  Frame(Ancestor)->SetBuddy(Frame(Ancestor)->FindComponent("Target"));
  TRecordingContext Context;
  Root->Update(Context);
  EXPECT_EQ(Frame(Descendant)->Buddy(), Frame(Descendant)->FindComponent("Target"));
}

// Image1 follows its ancestor back to default anchors and no picture; Image2 keeps anchors of
// its own and the picture it cleared, through the update and through a save read back.
TEST(UpdateObjectOfAForm, AnchorsAndAPictureBackAtTheirDefaultReachTheDescendantUnlessItHasItsOwn) {
  RegisterOrxClasses();
  TClassGroupScope Group(TControl::StaticClass());
  TOwned<TForm> Ancestor(new TForm(nullptr));
  Ancestor->SetName("Form1");
  for (const char* Name : {"Image1", "Image2"}) {
    auto* Image = Make<TImage>(Ancestor.get(), Name, Ancestor.get());
    Image->SetAnchors(TAnchors{akLeft, akTop, akRight});
    Image->Picture()->Bitmap()->SetSize(4, 4);
  }
  TOwned<TForm> Descendant = DescendantOf(Ancestor.get());
  auto Image = [](const TOwned<TForm>& Form, const char* Name) {
    return dynamic_cast<TImage*>(Form->FindComponent(Name));
  };
  auto Root = TUpdateObject::CreateRoot(Descendant.get(), Ancestor.get());
  Image(Descendant, "Image2")->SetAnchors(TAnchors{akLeft, akBottom});
  Image(Descendant, "Image2")->Picture()->SetGraphic(nullptr);
  Root->Filter();
  Image(Ancestor, "Image1")->SetAnchors(TAnchors{akLeft, akTop});
  Image(Ancestor, "Image1")->Picture()->SetGraphic(nullptr);
  Image(Ancestor, "Image2")->SetAnchors(TAnchors{akLeft, akTop});
  Image(Ancestor, "Image2")->Picture()->Bitmap()->SetSize(6, 6);
  TRecordingContext Context;
  Root->Update(Context);
  TOwned<TForm> Reopened = DescendantOf(Ancestor.get());
  auto S = TStreamSamples::StreamOf(TStreamSamples::Write(Descendant.get(), Ancestor.get()));
  TReader(S.get(), 4096).ReadRootComponent(Reopened.get());
  for (const TOwned<TForm>* Form : {&Descendant, &Reopened}) {
    EXPECT_EQ(Image(*Form, "Image1")->Anchors(), (TAnchors{akLeft, akTop}));
    EXPECT_EQ(Image(*Form, "Image1")->Picture()->Graphic(), nullptr);
    EXPECT_EQ(Image(*Form, "Image2")->Anchors(), (TAnchors{akLeft, akBottom}));
    EXPECT_EQ(Image(*Form, "Image2")->Picture()->Graphic(), nullptr);
  }
}

TEST(UpdateObjectOfAForm, AFontFollowsPropertyByPropertyAndEveryControlHearsUpdatingOnce) {
  RegisterOrxClasses();
  TClassGroupScope Group(TControl::StaticClass());
  TOwned<TForm> Ancestor(new TForm(nullptr));
  Ancestor->SetName("Form1");
  auto* Button =
      Make<TButton>(Ancestor.get(), "Button1", Make<TPanel>(Ancestor.get(), "Panel1", Ancestor.get()));
  Button->Font()->SetSize(10);
  TOwned<TForm> Descendant = DescendantOf(Ancestor.get());
  auto* Mine = dynamic_cast<TButton*>(Descendant->FindComponent("Button1"));
  auto Root = TUpdateObject::CreateRoot(Descendant.get(), Ancestor.get());
  Mine->Font()->SetColor(clRed);
  Root->Filter();
  Button->Font()->SetSize(14);
  Button->Font()->SetColor(clBlue);
  Button->SetCaption("Go");
  TRecordingContext Context;
  Root->Update(Context);
  EXPECT_EQ(Mine->Font()->Size(), 14);
  EXPECT_EQ(Mine->Font()->Color(), clRed);
  EXPECT_EQ(Mine->Caption(), "Go");
  EXPECT_THAT(Context.Names, UnorderedElementsAre("Form1", "Panel1", "Button1"));
}

}  // namespace
