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

}  // namespace
