// The reference host opens and saves a module's unit without touching what the module's edits
// do not reach, refuses a unit it cannot understand, and writes a missing one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/ModuleTest.h"
#include "tests/host/SignatureSupport.h"
#include "tests/host/UnitSamples.h"

using namespace formwright;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

using UnitFiles = formwright::testing::TModuleTest;

TEST_F(UnitFiles, ASaveChangesOnlyWhatTheEditReaches) {
  IPtr<TReferenceRoot> R = Open("People.fwf", PeopleForm, WithCrLf(People));
  R->GetRoot()->SetName("PeopleForm");  // nothing changes
  R->Modified();
  R->Save();
  EXPECT_EQ(Files->Contents("People.pas"), WithCrLf(People));
  Find(R, "OkButton")->SetName("SaveButton");
  delete Find(R, "DebugLabel");
  R->Modified();
  R->Save();
  EXPECT_EQ(
      Files->Contents("People.pas"),
      WithCrLf(Replaced(People, {{"OkButton, CancelButton: TButton;", "SaveButton, CancelButton: TButton;"},
                                 {"    DebugLabel: TLabel;\n", ""}})));
}

TEST_F(UnitFiles, NamesTheUnitDeclaresAreRefusedForComponentsAndHandlers) {
  IPtr<TReferenceRoot> R = Open("People.fwf", PeopleForm, People);
  for (const char* Name : {"refresh", "FPeople", "People", "TPerson", "Title"})
    EXPECT_THAT([&] { Find(R, "OkButton")->SetName(Name); },
                ThrowsMessage<EComponentDesignerException>(
                    Format("%s is declared in the unit and cannot be used as a component name", Name)));
  EXPECT_THROW(R->CreateMethod("Refresh", NotifyEvent()), EComponentDesignerException);
  EXPECT_EQ(Find(R, "OkButton")->Name(), "OkButton");
  R->Save();
  EXPECT_EQ(Files->Contents("People.pas"), People);
}

TEST_F(UnitFiles, AUnitThatCannotBeUnderstoodIsRefusedAndNothingIsWritten) {
  Files->PutFile("People.fwf", PeopleForm);
  Files->PutFile("People.pas", StringReplaceAll(People, "'Name?'", "'Name?"));
  const int Writes = Files->Writes();
  EXPECT_THAT([&] { Host.Open("People.fwf"); },
              ThrowsMessage<Exception>("People.pas: Unterminated string on line 57"));
  EXPECT_FALSE(Host.Find("PeopleForm"));
  EXPECT_EQ(Files->Writes(), Writes);
}

TEST_F(UnitFiles, AUnitDeletedSinceItWasReadIsNotWrittenAgainNorIsTheForm) {
  IPtr<TReferenceRoot> R = Open("People.fwf", PeopleForm, People);
  const String Form = Files->Contents("People.fwf");
  Files->RenameFile(String(), "People.pas", "Elsewhere.pas");
  Find(R, "OkButton")->SetName("SaveButton");
  R->Modified();
  EXPECT_THAT([&] { R->Save(); },
              ThrowsMessage<EComponentDesignerException>(
                  "'People.pas' was deleted since it was opened; it was not written again"));
  EXPECT_FALSE(Files->FileExists(String(), "People.pas"));
  EXPECT_EQ(Files->Contents("People.fwf"), Form);
}

TEST_F(UnitFiles, AMissingUnitIsWrittenWithEveryFieldAndHandler) {
  IPtr<TReferenceRoot> R = Open("People.fwf", PeopleForm);
  R->Modified();
  R->Save();
  const String Unit = Files->Contents("People.pas");
  EXPECT_THAT(Unit, HasSubstr("  TPeopleForm = class(TForm)\n    NameEdit: TEdit;\n    DebugLabel: TLabel;\n"
                              "    OkButton: TButton;\n    CancelButton: TButton;\n"
                              "    procedure NameEditChange(Sender: TObject);\n"
                              "    procedure OkButtonClick(Sender: TObject);\n  end;\n"));
  EXPECT_THAT(Unit, HasSubstr("procedure TPeopleForm.OkButtonClick(Sender: TObject);\nbegin\nend;\n"));
}

}  // namespace
