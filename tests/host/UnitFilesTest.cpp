// The reference host opens and saves a module's unit without touching what the module's edits
// do not reach, refuses a unit it cannot understand, and writes a missing one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/root/ReferenceRoot.h"
#include "tests/host/SignatureSupport.h"
#include "tests/host/UnitSamples.h"

using namespace formwright;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

class UnitFiles : public ::testing::Test {
 protected:
  UnitFiles() : Files(MakeIntf<TMemoryFileSystem>()), Host(Files) {}

  TComponent* Component(const IPtr<TReferenceRoot>& R, const char* Name) {
    return R->GetRoot()->FindComponent(Name);
  }

  IPtr<TMemoryFileSystem> Files;
  TReferenceHost Host;
};

TEST_F(UnitFiles, ASaveChangesOnlyWhatTheEditReaches) {
  Files->PutFile("People.fwf", PeopleForm);
  Files->PutFile("People.pas", WithCrLf(People));
  IPtr<TReferenceRoot> R = Host.Open("People.fwf");
  R->GetRoot()->SetName("PeopleForm");  // nothing changes
  R->Modified();
  R->Save();
  EXPECT_EQ(Files->Contents("People.pas"), WithCrLf(People));
  Component(R, "OkButton")->SetName("SaveButton");
  delete Component(R, "DebugLabel");
  R->Modified();
  R->Save();
  EXPECT_EQ(
      Files->Contents("People.pas"),
      WithCrLf(Replaced(People, {{"OkButton, CancelButton: TButton;", "SaveButton, CancelButton: TButton;"},
                                 {"    DebugLabel: TLabel;\n", ""}})));
}

TEST_F(UnitFiles, NamesTheUnitDeclaresAreRefusedForComponentsAndHandlers) {
  Files->PutFile("People.fwf", PeopleForm);
  Files->PutFile("People.pas", People);
  IPtr<TReferenceRoot> R = Host.Open("People.fwf");
  for (const char* Name : {"refresh", "FPeople", "People", "TPerson"})
    EXPECT_THAT([&] { Component(R, "OkButton")->SetName(Name); },
                ThrowsMessage<EComponentDesignerException>(
                    Format("%s is declared in the unit and cannot be used as a component name", Name)));
  EXPECT_THROW(R->CreateMethod("Refresh", NotifyEvent()), EComponentDesignerException);
  EXPECT_EQ(Component(R, "OkButton")->Name(), "OkButton");
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

TEST_F(UnitFiles, AMissingUnitIsWrittenWithEveryFieldAndHandler) {
  Files->PutFile("People.fwf", PeopleForm);
  IPtr<TReferenceRoot> R = Host.Open("People.fwf");
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
