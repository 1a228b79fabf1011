// Component editors: the base verbs, the fallback editor's choice of event, and how the
// registry hands them out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "editors/CompEditors.h"
#include "editors/StdEditorReg.h"
#include "formwright/testing/EditorTest.h"
#include "formwright/testing/Forms.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::testing {

using ::testing::ElementsAre;

// A component whose only events are OnExit and OnEnter (published in that order).
class TFocusBox : public TComponent {
  FW_CLASS(TFocusBox, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TFocusBox>& C) {
    C.Property("OnExit", &TFocusBox::FOnExit);
    C.Property("OnEnter", &TFocusBox::FOnEnter);
    C.Property("Hint", &TFocusBox::FHint);
  }
  orx::TNotifyEvent FOnEnter;
  orx::TNotifyEvent FOnExit;
  String FHint;
};

// A component with OnAbort, OnChanged and OnClick, and OnChange when asked for.
class TChangedBox : public TComponent {
  FW_CLASS(TChangedBox, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TChangedBox>& C) {
    C.Property("OnAbort", &TChangedBox::FOnAbort);
    C.Property("OnChanged", &TChangedBox::FOnChanged);
    C.Property("OnClick", &TChangedBox::FOnClick);
  }
  orx::TNotifyEvent FOnAbort, FOnChanged, FOnClick;
};
class TChangeChangedBox : public TChangedBox {
  FW_CLASS(TChangeChangedBox, TChangedBox)
 public:
  using TChangedBox::TChangedBox;
  static void DeclarePublished(TClassBuilder<TChangeChangedBox>& C) {
    C.Property("OnChange", &TChangeChangedBox::FOnChange);
  }
  orx::TNotifyEvent FOnChange;
};

// A component editor with the verbs "First" and "Second" that records the verbs it ran.
class TTwoVerbEditor : public TComponentEditor {
  FW_CLASS(TTwoVerbEditor, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TTwoVerbEditor>& C) { DeclareEditorFactory(C); }
  void ExecuteVerb(int Index) override { Executed.push_back(Index); }
  String GetVerb(int Index) override { return Index == 0 ? "First" : "Second"; }
  int GetVerbCount() override { return 2; }
  std::vector<int> Executed;
};

// A fallback editor that looks at the first property itself and ends the enumeration there.
class TStopAtFirstEditor : public TDefaultEditor {
  FW_CLASS(TStopAtFirstEditor, TDefaultEditor)
 public:
  using TDefaultEditor::TDefaultEditor;
  static void DeclarePublished(TClassBuilder<TStopAtFirstEditor>& C) { DeclareEditorFactory(C); }
  std::vector<String> Seen;

 protected:
  void EditProperty(const IPtr<IProperty>& Prop, bool& Continue) override {
    Seen.push_back(Prop->GetName());
    Continue = false;
  }
};

FW_REGISTER_CLASS(TFocusBox, "CompEditorsTest")
FW_REGISTER_CLASS(TChangedBox, "CompEditorsTest")
FW_REGISTER_CLASS(TChangeChangedBox, "CompEditorsTest")
FW_REGISTER_CLASS(TTwoVerbEditor, "CompEditorsTest")
FW_REGISTER_CLASS(TStopAtFirstEditor, "CompEditorsTest")

class CompEditorsTest : public TEditorTest {
 protected:
  CompEditorsTest() {
    FEdit->SetName("Edit1");
    FFocus->SetName("Box1");
    FQuiet->SetName("Quiet1");
  }

  TMethod Handler(TComponent* C, const char* Event) const { return GetMethodProp(C, GetPropInfo(C, Event)); }

  TChangeChangedBox* FEdit = new TChangeChangedBox(FForm.get());
  TFocusBox* FFocus = new TFocusBox(FForm.get());
  TComponent* FQuiet = new TComponent(FForm.get());  // no events
};

// ---------------------------------------------------------------------------------------------
// The fallback editor's double-click

TEST_F(CompEditorsTest, ThePreferredEventIsEditedOrElseTheFirstInNameOrder) {
  // OnCreate of a form, then OnChange, OnChanged and OnClick; then the first event by name.
  TComponent* Changed = Make<TChangedBox>(FForm.get(), "Box2");
  for (TComponent* C : std::vector<TComponent*>{FEdit, Changed, FFocus, FForm.get()}) EditorOf(C)->Edit();
  EXPECT_THAT(FDesigner->ShownOnce(), ElementsAre("Edit1Change", "Box2Changed", "Box1Enter", "FormCreate"));
  EXPECT_EQ(FDesigner->FCreated, FDesigner->ShownOnce());
  EXPECT_EQ(FDesigner->GetMethodName(Handler(FEdit, "OnChange")), "Edit1Change");
  EXPECT_EQ(Handler(FEdit, "OnClick").Code, nullptr);
  EXPECT_NE(Handler(FFocus, "OnEnter").Code, nullptr);
  EXPECT_EQ(Handler(FFocus, "OnExit").Code, nullptr);
  EXPECT_EQ(FDesigner->GetMethodName(Handler(FForm.get(), "OnCreate")), "FormCreate");
}

TEST_F(CompEditorsTest, AComponentWithoutEventsIsLeftAlone) {
  FQuiet->SetTag(7);
  EditorOf(FQuiet)->Edit();
  EXPECT_TRUE(FDesigner->FShown.empty());
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_EQ(FDesigner->FModifiedCount, 0);
  EXPECT_EQ(FQuiet->Tag(), 7);
}

TEST_F(CompEditorsTest, AnExistingHandlerIsShownNotCreated) {
  SetMethodProp(FEdit, GetPropInfo(FEdit, "OnChange"), FDesigner->AddMethod("SharedChange"));
  EditorOf(FEdit)->Edit();
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_THAT(FDesigner->ShownOnce(), ElementsAre("SharedChange"));
}

TEST_F(CompEditorsTest, ASubclassThatStopsTheEnumerationEditsNothing) {
  IPtr<IComponentEditor> E = CreateComponentEditor(TStopAtFirstEditor::StaticClass(), FEdit, Designer());
  E->Edit();
  auto* Editor = dynamic_cast<TStopAtFirstEditor*>(InterfaceObject(E.Get()));
  ASSERT_NE(Editor, nullptr);
  ASSERT_EQ(Editor->Seen.size(), 1u);
  EXPECT_TRUE(FDesigner->FShown.empty());
  EXPECT_TRUE(FDesigner->FCreated.empty());
}

// ---------------------------------------------------------------------------------------------
// Base component editor and registry choice

TEST_F(CompEditorsTest, ARegisteredEditorReplacesTheFallbackAndEditRunsItsFirstVerb) {
  RegisterComponentEditor(TChangeChangedBox::StaticClass(), TTwoVerbEditor::StaticClass());
  IPtr<IComponentEditor> E = EditorOf(FEdit);
  EXPECT_FALSE(Supports<IDefaultEditor>(E));
  EXPECT_EQ(E->GetVerb(1), "Second");
  E->Edit();  // runs the first of its verbs
  EXPECT_THAT(dynamic_cast<TTwoVerbEditor*>(InterfaceObject(E.Get()))->Executed, ElementsAre(0));
  // Other components keep the fallback.
  EXPECT_TRUE(Supports<IDefaultEditor>(EditorOf(FFocus)));
}

TEST_F(CompEditorsTest, IsInInlinedFollowsTheOwnersInlineState) {
  auto* Frame = new TComponent(FForm.get());
  auto* Inner = new TComponent(Frame);
  EXPECT_FALSE(EditorOf(Inner)->IsInInlined());
  Frame->SetInline(true);
  EXPECT_TRUE(EditorOf(Inner)->IsInInlined());
  EXPECT_FALSE(EditorOf(FEdit)->IsInInlined());
  EXPECT_FALSE(EditorOf(FForm.get())->IsInInlined());
}

}  // namespace formwright::testing
