#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::editors_testing;

namespace {

using EditorGroups = RegistryTest;

std::vector<String> GHeard;
void ListenerA(int Group) { GHeard.push_back("A" + IntToStr(Group)); }
void ListenerB(int Group) { GHeard.push_back("B" + IntToStr(Group)); }
void ListenerLeaving(int Group) {
  GHeard.push_back("Leaving" + IntToStr(Group));
  UnnotifyGroupChange(&ListenerLeaving);
}

TPropertyEditorClass MapCaptionToC(TPersistent*, PPropInfo P) {
  return SameText(P->Name, "Caption") ? TEditorC::StaticClass() : nullptr;
}

// What the registries answer for a button, as one comparable text.
String Answers(TSampleButton* Button, TSampleLabel* Label) {
  auto Name = [](TClass C) { return C ? C->ClassName() : String("-"); };
  String S = Name(GetEditorClass(GetPropInfo(Button, "Caption"), Button)) + " " +
             Name(GetEditorClass(GetPropInfo(Button, "Hint"), Button));
  IPtr<IComponentEditor> E = GetComponentEditor(Button, nullptr);
  S += " " + (E ? E->GetVerb(0) : String("-"));
  IPtr<ISelectionEditorList> L = GetSelectionEditors(nullptr, Label);
  S += " " + IntToStr(L->GetCount());
  IPtr<IComponentGuidelines> G = GuidelinesFor(nullptr, Button, nullptr);
  S += " " + (G ? IntToStr(G->GetDesignerGuideType(0)) : String("-"));
  return S;
}

// Registers one of everything.
void RegisterEverything(TClass PropertyEditor, TClass ComponentEditor, TClass SelectionEditor,
                        TClass Guidelines) {
  RegisterPropertyEditor(TypeInfoOf<String>(), TSampleControl::StaticClass(), "Hint", PropertyEditor);
  RegisterComponentEditor(TSampleButton::StaticClass(), ComponentEditor);
  RegisterSelectionEditor(TSampleControl::StaticClass(), SelectionEditor);
  RegisterComponentGuidelines(TSampleButton::StaticClass(), Guidelines);
}

TEST_F(EditorGroups, NewGroupsAreTheLowestFreeNumbersAndBecomeCurrent) {
  EXPECT_EQ(NewEditorGroup(), 0);
  EXPECT_EQ(NewEditorGroup(), 1);
  EXPECT_EQ(NewEditorGroup(), 2);
  EXPECT_EQ(CurrentGroup(), 2);
  FreeEditorGroup(1);
  EXPECT_EQ(NewEditorGroup(), 1);
  EXPECT_EQ(CurrentGroup(), 1);
  EXPECT_EQ(NewEditorGroup(), 3);
}

TEST_F(EditorGroups, FreeingAGroupRemovesExactlyItsRegistrations) {
  const int Package1 = NewEditorGroup();
  RegisterEverything(TEditorA::StaticClass(), TComponentEditorA::StaticClass(),
                     TSelectionEditorA::StaticClass(), TBaselineGuidelines::StaticClass());
  const String Before = Answers(FButton, FLabel);
  EXPECT_EQ(Before, "- TEditorA TComponentEditorA 1 " + IntToStr(gtBaseline));

  const int Package2 = NewEditorGroup();
  RegisterEverything(TEditorB::StaticClass(), TComponentEditorB::StaticClass(),
                     TSelectionEditorB::StaticClass(), TMarginGuidelines::StaticClass());
  RegisterPropertyMapper(&MapCaptionToC);
  EXPECT_EQ(Answers(FButton, FLabel), "TEditorC TEditorB TComponentEditorB 2 " + IntToStr(gtMarginTop));

  FreeEditorGroup(Package2);
  EXPECT_EQ(Answers(FButton, FLabel), Before);
  EXPECT_EQ(NewEditorGroup(), Package2);

  FreeEditorGroup(Package1);
  EXPECT_EQ(Answers(FButton, FLabel), "- - - 0 -");
}

TEST_F(EditorGroups, FreeingAGroupThatRegisteredNothingChangesNothing) {
  NewEditorGroup();
  RegisterEverything(TEditorA::StaticClass(), TComponentEditorA::StaticClass(),
                     TSelectionEditorA::StaticClass(), TBaselineGuidelines::StaticClass());
  const String Before = Answers(FButton, FLabel);
  FreeEditorGroup(7);
  FreeEditorGroup(-5);
  EXPECT_EQ(Answers(FButton, FLabel), Before);
}

TEST_F(EditorGroups, ListenersHearAFreedGroupLastRegisteredFirst) {
  GHeard.clear();
  NotifyGroupChange(&ListenerA);
  NotifyGroupChange(&ListenerB);
  FreeEditorGroup(NewEditorGroup());
  EXPECT_EQ(GHeard, (std::vector<String>{"B0", "A0"}));

  GHeard.clear();
  NotifyGroupChange(&ListenerA);  // moves A to the end
  FreeEditorGroup(NewEditorGroup());
  EXPECT_EQ(GHeard, (std::vector<String>{"A0", "B0"}));

  GHeard.clear();
  UnnotifyGroupChange(&ListenerB);
  FreeEditorGroup(3);
  EXPECT_EQ(GHeard, (std::vector<String>{"A3"}));
}

TEST_F(EditorGroups, AListenerMayLeaveWhileItIsCalled) {
  GHeard.clear();
  NotifyGroupChange(&ListenerA);
  NotifyGroupChange(&ListenerLeaving);
  NotifyGroupChange(&ListenerB);
  FreeEditorGroup(4);
  EXPECT_EQ(GHeard, (std::vector<String>{"B4", "Leaving4", "A4"}));
  GHeard.clear();
  FreeEditorGroup(5);
  EXPECT_EQ(GHeard, (std::vector<String>{"B5", "A5"}));
}

TEST_F(EditorGroups, UninstallingForgetsGroupsAndListeners) {
  NewEditorGroup();
  NewEditorGroup();
  NotifyGroupChange(&ListenerA);
  Reinstall();
  GHeard.clear();
  EXPECT_EQ(NewEditorGroup(), 0);
  FreeEditorGroup(0);
  EXPECT_TRUE(GHeard.empty());
}

}  // namespace
