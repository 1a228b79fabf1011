#include <gmock/gmock.h>

#include <algorithm>

#include "platform/orx/Graphics.h"
#include "platform/orx/StdCtrls.h"

#include "formwright/testing/Matchers.h"
#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

using PropertyEditorRegistry = RegistryTest;

PTypeInfo StringType() { return TypeInfoOf<String>(); }
PTypeInfo PersistentType() { return TypeInfoOf<TPersistent>(); }
TClass ControlClass() { return TSampleControl::StaticClass(); }
TClass ButtonClass() { return TSampleButton::StaticClass(); }

// ---------------------------------------------------------------------------------------------
// Precedence

class PropertyEditorPrecedence : public RegistryTest {
 protected:
  orx::TButton* Button = new orx::TButton(FOwner.get());
  orx::TLabel* Label = new orx::TLabel(FOwner.get());
};

TEST_F(PropertyEditorPrecedence, TheRegistrationThatFitsBestWinsThenTheNewer) {
  struct TRegistration {
    PTypeInfo Type;
    TClass Class;
    const char* Name;
    TClass Editor;
  };
  struct TChoice {
    TPersistent* Object;
    const char* Property;
    TClass Editor;
  };
  const PTypeInfo Font = TypeInfoOf<orx::TFont>();
  const TClass Control = orx::TControl::StaticClass();
  const struct {
    const char* What;
    std::vector<TRegistration> Registrations;  // oldest first
    std::vector<TChoice> Choices;
    bool EitherOrder;  // the same choices when registered the other way round
  } Cases[] = {
      {"two for the same type and class: the newer",
       {{StringType(), ControlClass(), "", EdA()}, {StringType(), ControlClass(), "", EdB()}},
       {{FButton, "Caption", EdB()}},
       false},
      {"a name, compared ignoring case, beats no name",
       {{StringType(), ControlClass(), "caption", EdA()}, {StringType(), ControlClass(), "", EdB()}},
       {{FButton, "Caption", EdA()}, {FButton, "Hint", EdB()}},
       true},
      {"a name without a class is not kept",
       {{StringType(), nullptr, "Caption", EdA()}},
       {{FButton, "Hint", EdA()}, {FLinks, "Caption", EdA()}},
       false},
      {"a class type covers descendant types only",
       {{PersistentType(), nullptr, "", EdA()}, {TypeInfoOf<TSampleButton>(), nullptr, "", EdB()}},
       {{FButton, "Font", EdA()}, {FLinks, "Buddy", EdB()}, {FButton, "Caption", nullptr}},
       true},
      {"inherited class types: the more derived",
       {{TypeInfoOf<TComponent>(), nullptr, "", EdA()}, {TypeInfoOf<TSampleControl>(), nullptr, "", EdB()}},
       {{FLinks, "Buddy", EdB()}},
       true},
      {"ancestor interfaces: the more derived",
       {{TypeInfoOf<ISampleBase>(), nullptr, "", EdA()}, {TypeInfoOf<ISampleMiddle>(), nullptr, "", EdB()}},
       {{FLinks, "Derived", EdB()}, {FLinks, "Base", EdA()}},
       true},
      {"the exact interface against an ancestor",
       {{TypeInfoOf<ISampleBase>(), nullptr, "", EdA()}, {TypeInfoOf<ISampleDerived>(), nullptr, "", EdB()}},
       {{FLinks, "Derived", EdB()}},
       true},
      {"component classes: the more derived",
       {{StringType(), ControlClass(), "", EdA()}, {StringType(), ButtonClass(), "", EdB()}},
       {{FButton, "Caption", EdB()}, {FLabel, "Caption", EdA()}, {FLinks, "Caption", nullptr}},
       true},
      {"a font on buttons beats a persistent on controls",
       {{Font, orx::TButton::StaticClass(), "", EdA()}, {PersistentType(), Control, "", EdB()}},
       {{Button, "Font", EdA()}, {Label, "Font", EdB()}},
       true},
      {"a font on any class against a persistent on controls: the older",
       {{Font, nullptr, "", EdA()}, {PersistentType(), Control, "", EdB()}},
       {{Label, "Font", EdA()}},
       false},
      {"a persistent on controls against a font on any class: the older",
       {{PersistentType(), Control, "", EdB()}, {Font, nullptr, "", EdA()}},
       {{Label, "Font", EdB()}},
       false},
  };
  for (const auto& C : Cases)
    for (bool Swapped : {false, true}) {
      if (Swapped && !C.EitherOrder) continue;
      SCOPED_TRACE(String(C.What) + (Swapped ? ", registered the other way round" : ""));
      Reinstall();
      std::vector<TRegistration> Registrations = C.Registrations;
      if (Swapped) std::reverse(Registrations.begin(), Registrations.end());
      for (const TRegistration& R : Registrations) RegisterPropertyEditor(R.Type, R.Class, R.Name, R.Editor);
      for (const TChoice& Choice : C.Choices)
        EXPECT_EQ(EditorClassFor(Choice.Object, Choice.Property), Choice.Editor);
    }
}

// ---------------------------------------------------------------------------------------------
// Class groups

TEST_F(PropertyEditorRegistry, AGroupRestrictsTheNewestRegistrationOfTheEditorToItsClassGroup) {
  StartClassGroup(TGroupedWidget::StaticClass());
  TGroupedWidget* Grouped = new TGroupedWidget(FOwner.get());
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  RegisterPropertyEditor(StringType(), ButtonClass(), "", EdB());
  SetPropertyEditorGroup(EdB(), TGroupedWidget::StaticClass());
  EXPECT_EQ(EditorClassFor(Grouped, "Caption"), EdA());  // B is for buttons only
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), EdA());  // and now for the widget group only

  RegisterPropertyEditor(StringType(), nullptr, "", EdC());
  RegisterPropertyEditor(StringType(), nullptr, "", EdC());
  SetPropertyEditorGroup(EdC(), TGroupedWidget::StaticClass());
  EXPECT_EQ(EditorClassFor(Grouped, "Caption"), EdC());
  EXPECT_EQ(EditorClassFor(FLinks, "Caption"), EdC());  // the older C record is still for any group
}

TEST_F(PropertyEditorRegistry, GroupingAnEditorThatWasNeverRegisteredChangesNothing) {
  StartClassGroup(TGroupedWidget::StaticClass());
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  SetPropertyEditorGroup(EdB(), TGroupedWidget::StaticClass());
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), EdA());
}

// ---------------------------------------------------------------------------------------------
// Defaults and unlisting

TEST_F(PropertyEditorRegistry, WithoutARegistrationTheDefaultOfTheTypeKindIsUsed) {
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), nullptr);  // no standard editors loaded
  SetDefaultPropertyEditor(tkUString, EdD());
  SetDefaultPropertyEditor(tkClass, EdC());
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), EdD());
  EXPECT_EQ(EditorClassFor(FButton, "Font"), EdC());
  RegisterPropertyEditor(StringType(), ButtonClass(), "Hint", EdA());
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), EdD());
}

TEST_F(PropertyEditorRegistry, KindsWithoutAStandardEditorTakeNoDefault) {
  for (TTypeKind K : {tkUnknown, tkArray, tkRecord, tkDynArray, tkClassRef, tkPointer, tkProcedure}) {
    EXPECT_THROW(SetDefaultPropertyEditor(K, EdA()), EInvalidArgument) << int(K);
    EXPECT_EQ(DefaultPropertyEditor(K), nullptr);
  }
  EXPECT_THAT([] { SetDefaultPropertyEditor(tkRecord, EdA()); },
              Raises<EInvalidArgument>("Properties of type kind 14 have no standard editor"));
}

TEST_F(PropertyEditorRegistry, UnlistingHidesThePropertyForTheClassAndItsDescendantsOnly) {
  SetDefaultPropertyEditor(tkUString, EdD());
  UnlistPublishedProperty(ControlClass(), "Caption");
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), nullptr);
  EXPECT_EQ(EditorClassFor(FControl, "Caption"), nullptr);
  EXPECT_EQ(EditorClassFor(FButton, "Hint"), EdD());
  EXPECT_EQ(EditorClassFor(FLinks, "Caption"), EdD());
  UnlistPublishedProperty(ControlClass(), "Colour");  // a name the class does not have
  EXPECT_EQ(EditorClassFor(FButton, "Hint"), EdD());
}

// ---------------------------------------------------------------------------------------------
// Mappers

TObject* GMappedObj = nullptr;
PPropInfo GMappedProp = nullptr;
TPropertyEditorClass MapNothing(TPersistent* Obj, PPropInfo P) {
  GMappedObj = Obj;
  GMappedProp = P;
  return nullptr;
}
TPropertyEditorClass MapToC(TPersistent*, PPropInfo P) { return SameText(P->Name, "Hint") ? EdC() : nullptr; }
TPropertyEditorClass MapToD(TPersistent*, PPropInfo P) { return SameText(P->Name, "Hint") ? EdD() : nullptr; }

TEST_F(PropertyEditorRegistry, AMapperAnsweringNilLeavesTheChoiceUnchanged) {
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  RegisterPropertyMapper(&MapNothing);
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), EdA());
  EXPECT_EQ(GMappedObj, FButton);
  EXPECT_EQ(GMappedProp, GetPropInfo(FButton, "Caption"));
}

TEST_F(PropertyEditorRegistry, AMapperAnswersBeforeTheRegistrationsAndTheNewestMapperWins) {
  RegisterPropertyMapper(&MapToC);
  RegisterPropertyMapper(&MapToD);
  RegisterPropertyMapper(&MapNothing);
  RegisterPropertyEditor(StringType(), ButtonClass(), "Hint", EdA());
  EXPECT_EQ(EditorClassFor(FButton, "Hint"), EdD());
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Installation

TEST_F(PropertyEditorRegistry, RegistrationsBeforeInstallationAreIgnored) {
  Uninstall();
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  RegisterPropertyMapper(&MapToC);
  EXPECT_EQ(FPackage->Hooks.RegisterPropertyEditorProc, nullptr);
  InstallEditorRegistries(*FPackage);
  EXPECT_EQ(EditorClassFor(FButton, "Caption"), nullptr);
  EXPECT_EQ(EditorClassFor(FButton, "Hint"), nullptr);
}

}  // namespace
