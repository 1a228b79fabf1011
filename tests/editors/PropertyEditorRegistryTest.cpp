#include <gmock/gmock.h>

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

TEST_F(PropertyEditorRegistry, OfTwoRegistrationsForTheSameTypeAndClassTheNewerWins) {
  RegisterPropertyEditor(StringType(), ControlClass(), "", EdA());
  RegisterPropertyEditor(StringType(), ControlClass(), "", EdB());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdB());
}

TEST_F(PropertyEditorRegistry, ANamedRegistrationBeatsANamelessOneAndComparesIgnoringCase) {
  RegisterPropertyEditor(StringType(), ControlClass(), "caption", EdA());
  RegisterPropertyEditor(StringType(), ControlClass(), "", EdB());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdA());
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdB());
}

TEST_F(PropertyEditorRegistry, ANameWithoutAClassIsNotKept) {
  RegisterPropertyEditor(StringType(), nullptr, "Caption", EdA());
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdA());
  EXPECT_EQ(EditorFor(FLinks, "Caption"), EdA());
}

TEST_F(PropertyEditorRegistry, AClassTypeRegistrationCoversDescendantTypesOnly) {
  RegisterPropertyEditor(PersistentType(), nullptr, "", EdA());
  RegisterPropertyEditor(TypeInfoOf<TSampleButton>(), nullptr, "", EdB());
  EXPECT_EQ(EditorFor(FButton, "Font"), EdA());
  EXPECT_EQ(EditorFor(FLinks, "Buddy"), EdB());
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);  // a string is no class
}

TEST_F(PropertyEditorRegistry, TheMoreDerivedTypeOrComponentClassWinsInEitherOrder) {
  struct TRegistration {
    PTypeInfo Type;
    TClass Class;
    TClass Editor;
  };
  struct TChoice {
    TPersistent* Object;
    const char* Property;
    TClass Editor;
  };
  const struct {
    const char* What;
    TRegistration Older, Newer;
    std::vector<TChoice> Choices;
  } Cases[] = {
      {"inherited class types",
       {TypeInfoOf<TComponent>(), nullptr, EdA()},
       {TypeInfoOf<TSampleControl>(), nullptr, EdB()},
       {{FLinks, "Buddy", EdB()}}},
      {"ancestor interfaces",
       {TypeInfoOf<ISampleBase>(), nullptr, EdA()},
       {TypeInfoOf<ISampleMiddle>(), nullptr, EdB()},
       {{FLinks, "Derived", EdB()}, {FLinks, "Base", EdA()}}},
      {"the exact type against an ancestor",
       {TypeInfoOf<ISampleBase>(), nullptr, EdA()},
       {TypeInfoOf<ISampleDerived>(), nullptr, EdB()},
       {{FLinks, "Derived", EdB()}}},
      {"component classes",
       {StringType(), ControlClass(), EdA()},
       {StringType(), ButtonClass(), EdB()},
       {{FButton, "Caption", EdB()}, {FLabel, "Caption", EdA()}, {FLinks, "Caption", nullptr}}},
  };
  for (const auto& C : Cases)
    for (bool Swapped : {false, true}) {
      SCOPED_TRACE(String(C.What) + (Swapped ? ", registered the other way round" : ""));
      Reinstall();
      for (const TRegistration& R : Swapped ? std::vector{C.Newer, C.Older} : std::vector{C.Older, C.Newer})
        RegisterPropertyEditor(R.Type, R.Class, "", R.Editor);
      for (const TChoice& Choice : C.Choices)
        EXPECT_EQ(EditorFor(Choice.Object, Choice.Property), Choice.Editor);
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
  EXPECT_EQ(EditorFor(Grouped, "Caption"), EdA());  // B is for buttons only
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdA());  // and now for the widget group only

  RegisterPropertyEditor(StringType(), nullptr, "", EdC());
  RegisterPropertyEditor(StringType(), nullptr, "", EdC());
  SetPropertyEditorGroup(EdC(), TGroupedWidget::StaticClass());
  EXPECT_EQ(EditorFor(Grouped, "Caption"), EdC());
  EXPECT_EQ(EditorFor(FLinks, "Caption"), EdC());  // the older C record is still for any group
}

TEST_F(PropertyEditorRegistry, GroupingAnEditorThatWasNeverRegisteredChangesNothing) {
  StartClassGroup(TGroupedWidget::StaticClass());
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  SetPropertyEditorGroup(EdB(), TGroupedWidget::StaticClass());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdA());
}

// ---------------------------------------------------------------------------------------------
// Defaults and unlisting

TEST_F(PropertyEditorRegistry, WithoutARegistrationTheDefaultOfTheTypeKindIsUsed) {
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);  // no standard editors loaded
  SetDefaultPropertyEditor(tkUString, EdD());
  SetDefaultPropertyEditor(tkClass, EdC());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdD());
  EXPECT_EQ(EditorFor(FButton, "Font"), EdC());
  RegisterPropertyEditor(StringType(), ButtonClass(), "Hint", EdA());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdD());
}

TEST_F(PropertyEditorRegistry, KindsWithoutAStandardEditorTakeNoDefault) {
  for (TTypeKind K : {tkUnknown, tkArray, tkRecord, tkDynArray, tkClassRef, tkPointer, tkProcedure}) {
    EXPECT_THROW(SetDefaultPropertyEditor(K, EdA()), EInvalidArgument) << int(K);
    EXPECT_EQ(DefaultPropertyEditor(K), nullptr);
  }
  EXPECT_THAT(
      [] { SetDefaultPropertyEditor(tkRecord, EdA()); },
      ::testing::ThrowsMessage<EInvalidArgument>("Properties of type kind 14 have no standard editor"));
}

TEST_F(PropertyEditorRegistry, UnlistingHidesThePropertyForTheClassAndItsDescendantsOnly) {
  SetDefaultPropertyEditor(tkUString, EdD());
  UnlistPublishedProperty(ControlClass(), "Caption");
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);
  EXPECT_EQ(EditorFor(FControl, "Caption"), nullptr);
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdD());
  EXPECT_EQ(EditorFor(FLinks, "Caption"), EdD());
  UnlistPublishedProperty(ControlClass(), "Colour");  // a name the class does not have
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdD());
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
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdA());
  EXPECT_EQ(GMappedObj, FButton);
  EXPECT_EQ(GMappedProp, GetPropInfo(FButton, "Caption"));
}

TEST_F(PropertyEditorRegistry, AMapperAnswersBeforeTheRegistrationsAndTheNewestMapperWins) {
  RegisterPropertyMapper(&MapToC);
  RegisterPropertyMapper(&MapToD);
  RegisterPropertyMapper(&MapNothing);
  RegisterPropertyEditor(StringType(), ButtonClass(), "Hint", EdA());
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdD());
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Installation

TEST_F(PropertyEditorRegistry, RegistrationsBeforeInstallationAreIgnored) {
  Uninstall();
  RegisterPropertyEditor(StringType(), nullptr, "", EdA());
  RegisterPropertyMapper(&MapToC);
  EXPECT_EQ(FPackage->Hooks.RegisterPropertyEditorProc, nullptr);
  InstallEditorRegistries(*FPackage);
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);
  EXPECT_EQ(EditorFor(FButton, "Hint"), nullptr);
}

}  // namespace
