#include <gmock/gmock.h>

#include <functional>

#include "editors/CompEditors.h"
#include "editors/RefPropEditors.h"
#include "editors/StdEditorReg.h"
#include "editors/StdPropEditors.h"
#include "formwright/testing/Matchers.h"
#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

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
  EXPECT_EQ(DesignPackageEditorGroup(), 0) << "the package's own group is taken first";
  EXPECT_EQ(CurrentGroup(), 0);
  EXPECT_EQ(NewEditorGroup(), 1);
  EXPECT_EQ(NewEditorGroup(), 2);
  EXPECT_EQ(NewEditorGroup(), 3);
  EXPECT_EQ(CurrentGroup(), 3);
  FreeEditorGroup(2);
  EXPECT_EQ(NewEditorGroup(), 2);
  EXPECT_EQ(CurrentGroup(), 2);
  EXPECT_EQ(NewEditorGroup(), 4);
}

TEST_F(EditorGroups, ThePackagesOwnRegistrationsGoWithItsGroup) {
  InitStdPropertyEditors();
  InitCompEditors();
  NewEditorGroup();
  RegisterEverything(TEditorA::StaticClass(), TComponentEditorA::StaticClass(),
                     TSelectionEditorA::StaticClass(), TBaselineGuidelines::StaticClass());
  EXPECT_EQ(EditorClassFor(FLinks, "Buddy"), TComponentProperty::StaticClass());
  EXPECT_EQ(GetSelectionEditors(nullptr, FLabel)->GetCount(), 2) << "the edit actions' and the package's";
  FreeEditorGroup(DesignPackageEditorGroup());
  EXPECT_EQ(EditorClassFor(FLinks, "Buddy"), TClassProperty::StaticClass()) << "back to the default by kind";
  EXPECT_EQ(GetSelectionEditors(nullptr, FLabel)->GetCount(), 1);
  EXPECT_EQ(Answers(FButton, FLabel), "TStringProperty TEditorA TComponentEditorA 1 " + IntToStr(gtBaseline))
      << "another package's registrations stay";
}

TEST_F(EditorGroups, AnEditorClassOfTheWrongKindIsRefusedAtRegistration) {
  const TClass Button = TSampleButton::StaticClass();
  const std::pair<std::function<void()>, String> Cases[] = {
      {[&] { RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "", TComponentEditorA::StaticClass()); },
       "Cannot register TComponentEditorA: a property editor must descend from TBasePropertyEditor"},
      {[&] { RegisterComponentEditor(Button, TEditorA::StaticClass()); },
       "Cannot register TEditorA: a component editor must descend from TBaseComponentEditor"},
      {[&] { RegisterSelectionEditor(Button, Button); },
       "Cannot register TSampleButton: a selection editor must descend from TBaseSelectionEditor"},
      {[&] { RegisterComponentGuidelines(Button, TSelectionEditorA::StaticClass()); },
       "Cannot register TSelectionEditorA: a component guidelines class must descend from "
       "TBaseComponentGuidelines"},
  };
  for (const auto& [Register, Message] : Cases) EXPECT_THAT(Register, Raises<EInvalidArgument>(Message));
  EXPECT_EQ(Answers(FButton, FLabel), "- - - 0 -") << "nothing was registered";
}

TEST_F(EditorGroups, FreeingAGroupRemovesExactlyItsRegistrationsAndFreeingAnyOtherNothing) {
  const int Package1 = NewEditorGroup();
  RegisterEverything(TEditorA::StaticClass(), TComponentEditorA::StaticClass(),
                     TSelectionEditorA::StaticClass(), TBaselineGuidelines::StaticClass());
  const String Before = Answers(FButton, FLabel);
  EXPECT_EQ(Before, "- TEditorA TComponentEditorA 1 " + IntToStr(gtBaseline));

  const int Package2 = NewEditorGroup();
  RegisterEverything(TEditorB::StaticClass(), TComponentEditorB::StaticClass(),
                     TSelectionEditorB::StaticClass(), TMarginGuidelines::StaticClass());
  RegisterPropertyMapper(&MapCaptionToC);
  const String Both = Answers(FButton, FLabel);
  EXPECT_EQ(Both, "TEditorC TEditorB TComponentEditorB 2 " + IntToStr(gtMarginTop));
  FreeEditorGroup(7);  // groups that registered nothing
  FreeEditorGroup(-5);
  EXPECT_EQ(Answers(FButton, FLabel), Both);

  FreeEditorGroup(Package2);
  EXPECT_EQ(Answers(FButton, FLabel), Before);
  EXPECT_EQ(NewEditorGroup(), Package2);

  FreeEditorGroup(Package1);
  EXPECT_EQ(Answers(FButton, FLabel), "- - - 0 -");
}

TEST_F(EditorGroups, ListenersHearAFreedGroupLastRegisteredFirstAndMayLeaveWhileCalled) {
  GHeard.clear();
  NotifyGroupChange(&ListenerA);
  NotifyGroupChange(&ListenerB);
  FreeEditorGroup(NewEditorGroup());
  EXPECT_EQ(GHeard, (std::vector<String>{"B1", "A1"}));

  GHeard.clear();
  NotifyGroupChange(&ListenerA);  // moves A to the end
  FreeEditorGroup(NewEditorGroup());
  EXPECT_EQ(GHeard, (std::vector<String>{"A1", "B1"}));

  GHeard.clear();
  UnnotifyGroupChange(&ListenerB);
  FreeEditorGroup(3);
  EXPECT_EQ(GHeard, (std::vector<String>{"A3"}));

  // A listener may leave while it is called; nobody after it is skipped.
  NotifyGroupChange(&ListenerLeaving);
  NotifyGroupChange(&ListenerB);
  GHeard.clear();
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
  EXPECT_EQ(NewEditorGroup(), 1);
  FreeEditorGroup(1);
  EXPECT_TRUE(GHeard.empty());
}

}  // namespace
