#include "formwright/testing/RecordingDesigner.h"
#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using ComponentEditorRegistry = RegistryTest;
using SelectionEditorRegistry = RegistryTest;
using GuidelinesRegistry = RegistryTest;

TClass CompA() { return TComponentEditorA::StaticClass(); }
TClass CompB() { return TComponentEditorB::StaticClass(); }
TClass CompC() { return TComponentEditorC::StaticClass(); }
TClass SelA() { return TSelectionEditorA::StaticClass(); }
TClass SelB() { return TSelectionEditorB::StaticClass(); }
TClass SelC() { return TSelectionEditorC::StaticClass(); }
TClass SelD() { return TSelectionEditorD::StaticClass(); }

// The class name of the editor behind a component editor interface ("" for none).
String EditorName(const IPtr<IComponentEditor>& E) { return E ? E->GetVerb(0) : String(); }

// The class names of the editors in a selection editor list, in order.
std::vector<String> Names(const IPtr<ISelectionEditorList>& L) {
  std::vector<String> R;
  for (int I = 0; I < L->GetCount(); ++I) R.push_back(L->Get(I)->GetVerb(0));
  return R;
}

// ---------------------------------------------------------------------------------------------
// Component editors

TEST_F(ComponentEditorRegistry, TheMostDerivedRegisteredClassWinsInEitherOrderAndTheNewerForTheSameClass) {
  for (bool ButtonFirst : {false, true}) {
    SCOPED_TRACE(ButtonFirst ? "button first" : "control first");
    Reinstall();
    if (ButtonFirst) RegisterComponentEditor(TSampleButton::StaticClass(), CompB());
    RegisterComponentEditor(TSampleControl::StaticClass(), CompA());
    if (!ButtonFirst) RegisterComponentEditor(TSampleButton::StaticClass(), CompB());
    EXPECT_EQ(EditorName(GetComponentEditor(FButton, nullptr)), "TComponentEditorB");
    EXPECT_EQ(EditorName(GetComponentEditor(FLabel, nullptr)), "TComponentEditorA");
  }
  RegisterComponentEditor(TSampleControl::StaticClass(), CompC());
  EXPECT_EQ(EditorName(GetComponentEditor(FLabel, nullptr)), "TComponentEditorC");
}

// A registration for TPersistent never takes effect; without one that does, a component gets
// the default editor, made for it and the designer.
TEST_F(ComponentEditorRegistry, TPersistentIsNotLookedAtAndTheDefaultServesTheRest) {
  RegisterComponentEditor(TPersistent::StaticClass(), CompA());
  RegisterComponentEditor(TSampleButton::StaticClass(), CompB());
  EXPECT_FALSE(GetComponentEditor(FLabel, nullptr));
  SetDefaultComponentEditor(CompC());
  IPtr<IDesigner> Designer = MakeIntf<TRecordingDesigner>();
  IPtr<IComponentEditor> E = GetComponentEditor(FLabel, Designer);
  ASSERT_TRUE(E);
  EXPECT_EQ(EditorName(E), "TComponentEditorC");
  EXPECT_EQ(E->GetComponent(), FLabel);
  EXPECT_TRUE(E->GetDesigner() == Designer);
  EXPECT_FALSE(GetComponentEditor(nullptr, Designer));
  RegisterComponentEditor(TComponent::StaticClass(), CompA());
  EXPECT_EQ(EditorName(GetComponentEditor(FLabel, nullptr)), "TComponentEditorA");
}

// ---------------------------------------------------------------------------------------------
// Selection editors

class SelectionEditorsOfControls : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    RegisterSelectionEditor(TPersistent::StaticClass(), SelA());
    RegisterSelectionEditor(TSampleButton::StaticClass(), SelB());
    RegisterSelectionEditor(TSampleControl::StaticClass(), SelC());
    RegisterSelectionEditor(TComponent::StaticClass(), SelD());
  }
  IPtr<IDesignerSelections> Selection(std::initializer_list<TPersistent*> Items) {
    IPtr<IDesignerSelections> S = CreateSelectionList();
    for (TPersistent* P : Items) S->Add(P);
    return S;
  }
};

TEST_F(SelectionEditorsOfControls, ASelectionUsesEveryEditorOfItsCommonAncestorsOldestFirst) {
  TSampleFont Font;
  const struct {
    const char* What;
    IPtr<IDesignerSelections> Selected;
    std::vector<String> Editors;
  } Cases[] = {
      {"a button and a label",
       Selection({FButton, FLabel}),
       {"TSelectionEditorA", "TSelectionEditorC", "TSelectionEditorD"}},
      {"a button twice",
       Selection({FButton, FButton}),
       {"TSelectionEditorA", "TSelectionEditorB", "TSelectionEditorC", "TSelectionEditorD"}},
      {"unrelated components", Selection({FLinks, FButton}), {"TSelectionEditorA", "TSelectionEditorD"}},
      {"a component and a persistent", Selection({FButton, &Font}), {"TSelectionEditorA"}},
  };
  for (const auto& C : Cases) EXPECT_EQ(Names(GetSelectionEditors(nullptr, C.Selected)), C.Editors) << C.What;
  EXPECT_EQ(Names(GetSelectionEditors(nullptr, FButton)),
            (std::vector<String>{"TSelectionEditorA", "TSelectionEditorB", "TSelectionEditorC",
                                 "TSelectionEditorD"}));
}

TEST_F(SelectionEditorsOfControls, AnEmptySelectionHasNoEditors) {
  EXPECT_EQ(GetSelectionEditors(nullptr, Selection({}))->GetCount(), 0);
  EXPECT_EQ(GetSelectionEditors(nullptr, IPtr<IDesignerSelections>())->GetCount(), 0);
  EXPECT_EQ(GetSelectionEditors(nullptr, static_cast<TComponent*>(nullptr))->GetCount(), 0);
  EXPECT_EQ(GetSelectionEditors(nullptr)->GetCount(), 0);
}

TEST_F(SelectionEditorsOfControls, TheDesignersCurrentSelectionIsUsedAndHandedToTheEditors) {
  auto* D = new TRecordingDesigner;
  IPtr<IDesigner> Designer(D);
  D->FSelection = {FLabel};
  IPtr<ISelectionEditorList> L = GetSelectionEditors(Designer);
  EXPECT_EQ(Names(L), (std::vector<String>{"TSelectionEditorA", "TSelectionEditorC", "TSelectionEditorD"}));
  auto* First = dynamic_cast<TSampleSelectionEditor*>(L->Get(0).Get());
  ASSERT_NE(First, nullptr);
  EXPECT_TRUE(First->Designer() == Designer);
  EXPECT_THROW(L->Get(3), EListError);
}

// ---------------------------------------------------------------------------------------------
// Guidelines

// The guideline type of what GuidelinesFor made (gtGuideType of the class), or -1 for none.
int GuideType(const IPtr<IComponentGuidelines>& G) { return G ? int(G->GetDesignerGuideType(0)) : -1; }

TEST_F(GuidelinesRegistry, AClassUsesTheNewestRegistrationOfItsNearestAncestor) {
  RegisterComponentGuidelines(TSampleControl::StaticClass(), TBaselineGuidelines::StaticClass());
  RegisterComponentGuidelines(TSampleLabel::StaticClass(), TMarginGuidelines::StaticClass());
  EXPECT_EQ(GuideType(GuidelinesFor(nullptr, FButton, FControl)), gtBaseline);
  EXPECT_EQ(GuideType(GuidelinesFor(nullptr, FLabel, FControl)), gtMarginTop);
  EXPECT_EQ(GuideType(GuidelinesFor(nullptr, FLinks, FControl)), -1);
  RegisterComponentGuidelines(TSampleControl::StaticClass(),
                              TMarginGuidelines::StaticClass());  // the newest wins
  EXPECT_EQ(GuideType(GuidelinesFor(nullptr, FButton, FControl)), gtMarginTop);
}

TEST_F(GuidelinesRegistry, TheGuidelinesAreInitialisedWithComponentAndContainer) {
  IPtr<IDesigner> Designer = MakeIntf<TRecordingDesigner>();
  RegisterComponentGuidelines(TComponent::StaticClass(), TSampleGuidelines::StaticClass());
  IPtr<IComponentGuidelines> G = GuidelinesFor(Designer, FButton, FControl);
  auto* S = dynamic_cast<TSampleGuidelines*>(G.Get());
  ASSERT_NE(S, nullptr);
  EXPECT_EQ(S->FComponent, FButton);
  EXPECT_EQ(S->FContainer, FControl);
  EXPECT_TRUE(S->Designer() == Designer);
  EXPECT_EQ(G->GetDesignerGuideOffset(0), 4);
}

TEST_F(GuidelinesRegistry, TPersistentIsNotLookedAtAndTheDefaultServesTheRest) {
  RegisterComponentGuidelines(TPersistent::StaticClass(), TBaselineGuidelines::StaticClass());
  EXPECT_FALSE(GuidelinesFor(nullptr, FButton, FControl));
  SetDefaultComponentGuidelines(TSampleGuidelines::StaticClass());
  EXPECT_EQ(GuideType(GuidelinesFor(nullptr, FButton, FControl)), gtAlignLeft);
  EXPECT_FALSE(GuidelinesFor(nullptr, nullptr, FControl));
}

TEST_F(GuidelinesRegistry, RegisteringTheClassAlreadyAtTheHeadAddsNothing) {
  const int First = NewEditorGroup();
  RegisterComponentGuidelines(TSampleControl::StaticClass(), TBaselineGuidelines::StaticClass());
  const int Second = NewEditorGroup();
  RegisterComponentGuidelines(TSampleControl::StaticClass(), TBaselineGuidelines::StaticClass());
  // The second registration was not pushed, so freeing the first group leaves none.
  FreeEditorGroup(First);
  EXPECT_FALSE(GuidelinesFor(nullptr, FButton, FControl));
  FreeEditorGroup(Second);
}

}  // namespace
