// The precedence rules on the framework's own classes: fonts, controls, buttons and labels.
#include "platform/orx/Graphics.h"
#include "platform/orx/StdCtrls.h"
#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::testing;
using namespace formwright::orx;

namespace {

class FrameworkPrecedence : public RegistryTest {
 protected:
  TButton* Button = new TButton(FOwner.get());
  TLabel* Label = new TLabel(FOwner.get());
};

PTypeInfo FontType() { return TypeInfoOf<TFont>(); }
PTypeInfo PersistentType() { return TypeInfoOf<TPersistent>(); }

TEST_F(FrameworkPrecedence, FontOnButtonBeatsPersistentOnControlInEitherOrder) {
  RegisterPropertyEditor(FontType(), TButton::StaticClass(), "", EdA());
  RegisterPropertyEditor(PersistentType(), TControl::StaticClass(), "", EdB());
  EXPECT_EQ(EditorFor(Button, "Font"), EdA());
  EXPECT_EQ(EditorFor(Label, "Font"), EdB());

  Reinstall();
  RegisterPropertyEditor(PersistentType(), TControl::StaticClass(), "", EdB());
  RegisterPropertyEditor(FontType(), TButton::StaticClass(), "", EdA());
  EXPECT_EQ(EditorFor(Button, "Font"), EdA());
  EXPECT_EQ(EditorFor(Label, "Font"), EdB());
}

TEST_F(FrameworkPrecedence, FontOnAnyClassAgainstPersistentOnControlTheFirstRegisteredWins) {
  RegisterPropertyEditor(FontType(), nullptr, "", EdA());
  RegisterPropertyEditor(PersistentType(), TControl::StaticClass(), "", EdB());
  EXPECT_EQ(EditorFor(Label, "Font"), EdA());  // test 3 brings the older back

  Reinstall();
  RegisterPropertyEditor(PersistentType(), TControl::StaticClass(), "", EdB());
  RegisterPropertyEditor(FontType(), nullptr, "", EdA());
  EXPECT_EQ(EditorFor(Label, "Font"), EdB());  // test 1 brings the older back
}

TEST_F(FrameworkPrecedence, AButtonAndALabelUseTheControlComponentAndPersistentSelectionEditors) {
  RegisterSelectionEditor(TPersistent::StaticClass(), TSelectionEditorA::StaticClass());
  RegisterSelectionEditor(TButton::StaticClass(), TSelectionEditorB::StaticClass());
  RegisterSelectionEditor(TControl::StaticClass(), TSelectionEditorC::StaticClass());
  RegisterSelectionEditor(TComponent::StaticClass(), TSelectionEditorD::StaticClass());
  IPtr<IDesignerSelections> S = CreateSelectionList();
  S->Add(Button);
  S->Add(Label);
  IPtr<ISelectionEditorList> L = GetSelectionEditors(nullptr, S);
  std::vector<String> Names;
  for (int I = 0; I < L->GetCount(); ++I) Names.push_back(L->Get(I)->GetVerb(0));
  EXPECT_EQ(Names, (std::vector<String>{"TSelectionEditorA", "TSelectionEditorC", "TSelectionEditorD"}));
}

TEST_F(FrameworkPrecedence, TheButtonsComponentEditorBeatsTheControlsInEitherOrder) {
  RegisterComponentEditor(TControl::StaticClass(), TComponentEditorA::StaticClass());
  RegisterComponentEditor(TButton::StaticClass(), TComponentEditorB::StaticClass());
  EXPECT_EQ(GetComponentEditor(Button, nullptr)->GetVerb(0), "TComponentEditorB");
  EXPECT_EQ(GetComponentEditor(Label, nullptr)->GetVerb(0), "TComponentEditorA");

  Reinstall();
  RegisterComponentEditor(TButton::StaticClass(), TComponentEditorB::StaticClass());
  RegisterComponentEditor(TControl::StaticClass(), TComponentEditorA::StaticClass());
  EXPECT_EQ(GetComponentEditor(Button, nullptr)->GetVerb(0), "TComponentEditorB");
}

}  // namespace
