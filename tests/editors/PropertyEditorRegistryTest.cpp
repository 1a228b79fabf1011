#include "tests/editors/RegistryTestSupport.h"

using namespace formwright;
using namespace formwright::editors_testing;

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

TEST_F(PropertyEditorRegistry, TheMoreDerivedOfTwoInheritedClassTypesWinsInEitherOrder) {
  RegisterPropertyEditor(TypeInfoOf<TComponent>(), nullptr, "", EdA());
  RegisterPropertyEditor(TypeInfoOf<TSampleControl>(), nullptr, "", EdB());
  EXPECT_EQ(EditorFor(FLinks, "Buddy"), EdB());

  Reinstall();
  RegisterPropertyEditor(TypeInfoOf<TSampleControl>(), nullptr, "", EdB());
  RegisterPropertyEditor(TypeInfoOf<TComponent>(), nullptr, "", EdA());
  EXPECT_EQ(EditorFor(FLinks, "Buddy"), EdB());
}

TEST_F(PropertyEditorRegistry, AnInterfaceRegistrationCoversDescendantInterfacesOnly) {
  RegisterPropertyEditor(TypeInfoOf<ISampleMiddle>(), nullptr, "", EdA());
  EXPECT_EQ(EditorFor(FLinks, "Derived"), EdA());
  EXPECT_EQ(EditorFor(FLinks, "Base"), nullptr);
}

TEST_F(PropertyEditorRegistry, TheMoreDerivedOfTwoAncestorInterfacesWinsInEitherOrder) {
  RegisterPropertyEditor(TypeInfoOf<ISampleBase>(), nullptr, "", EdA());
  RegisterPropertyEditor(TypeInfoOf<ISampleMiddle>(), nullptr, "", EdB());
  EXPECT_EQ(EditorFor(FLinks, "Derived"), EdB());
  EXPECT_EQ(EditorFor(FLinks, "Base"), EdA());

  Reinstall();
  RegisterPropertyEditor(TypeInfoOf<ISampleMiddle>(), nullptr, "", EdB());
  RegisterPropertyEditor(TypeInfoOf<ISampleBase>(), nullptr, "", EdA());
  EXPECT_EQ(EditorFor(FLinks, "Derived"), EdB());
}

TEST_F(PropertyEditorRegistry, TheExactTypeBeatsAnAncestorTypeInEitherOrder) {
  RegisterPropertyEditor(TypeInfoOf<ISampleBase>(), nullptr, "", EdA());
  RegisterPropertyEditor(TypeInfoOf<ISampleDerived>(), nullptr, "", EdB());
  EXPECT_EQ(EditorFor(FLinks, "Derived"), EdB());

  Reinstall();
  RegisterPropertyEditor(TypeInfoOf<ISampleDerived>(), nullptr, "", EdB());
  RegisterPropertyEditor(TypeInfoOf<ISampleBase>(), nullptr, "", EdA());
  EXPECT_EQ(EditorFor(FLinks, "Derived"), EdB());
}

TEST_F(PropertyEditorRegistry, TheMoreDerivedComponentClassWinsInEitherOrder) {
  RegisterPropertyEditor(StringType(), ControlClass(), "", EdA());
  RegisterPropertyEditor(StringType(), ButtonClass(), "", EdB());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdB());
  EXPECT_EQ(EditorFor(FLabel, "Caption"), EdA());
  EXPECT_EQ(EditorFor(FLinks, "Caption"), nullptr);

  Reinstall();
  RegisterPropertyEditor(StringType(), ButtonClass(), "", EdB());
  RegisterPropertyEditor(StringType(), ControlClass(), "", EdA());
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdB());
  EXPECT_EQ(EditorFor(FLabel, "Caption"), EdA());
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
  try {
    SetDefaultPropertyEditor(tkRecord, EdA());
  } catch (const EInvalidArgument& E) {
    EXPECT_EQ(E.Message(), "Properties of type kind 14 have no standard editor");
  }
}

TEST_F(PropertyEditorRegistry, UnlistingHidesThePropertyForTheClassAndItsDescendantsOnly) {
  SetDefaultPropertyEditor(tkUString, EdD());
  UnlistPublishedProperty(ControlClass(), "Caption");
  EXPECT_EQ(EditorFor(FButton, "Caption"), nullptr);
  EXPECT_EQ(EditorFor(FControl, "Caption"), nullptr);
  EXPECT_EQ(EditorFor(FButton, "Hint"), EdD());
  EXPECT_EQ(EditorFor(FLinks, "Caption"), EdD());
}

TEST_F(PropertyEditorRegistry, UnlistingANameTheClassDoesNotHaveHidesNothing) {
  SetDefaultPropertyEditor(tkUString, EdD());
  UnlistPublishedProperty(ControlClass(), "Colour");
  EXPECT_EQ(EditorFor(FButton, "Caption"), EdD());
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
