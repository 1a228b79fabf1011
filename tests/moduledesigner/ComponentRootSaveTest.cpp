// Whether a file that changed on disk since the module was read may be replaced.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace formwright {
namespace {

using namespace orx;
using testing::MessageOf;

const String FormText = Sample("SaveForm.fwf");

const String FormUnit = Sample("SaveForm.pas");

class ModuleFiles : public testing::RootTest {
 protected:
  ModuleFiles() { Form1 = Open("Form1.fwf", FormText, FormUnit); }
};

TEST_F(ModuleFiles, AFormFileChangedOnDiskIsNotOverwrittenUnlessTheHostSaysSo) {
  IPtr<TReferenceRoot> R = Form1;
  As<TLabel>(C("Label1"))->SetCaption("Changed");
  R->Modified();
  const String Theirs = "object Form1: TForm1\n  Caption = 'edited elsewhere'\nend\n";
  Files->PutFile("Form1.fwf", Theirs);
  const int Writes = Files->Writes();
  Answers.FileChanged(false).FileChanged(false).FileChanged(true);
  const String Refused = "'Form1.fwf' has changed on disk since it was opened; it was not overwritten";
  EXPECT_EQ(MessageOf([&] { R->Save(); }), Refused);
  EXPECT_EQ(MessageOf([&] { R->Save(); }), Refused);  // still asked, still refused
  EXPECT_EQ(Files->Contents("Form1.fwf"), Theirs);
  EXPECT_EQ(Files->Contents("Form1.pas"), FormUnit);
  EXPECT_EQ(Files->Writes(), Writes);
  R->Save();
  EXPECT_THAT(Files->Contents("Form1.fwf"), HasSubstr("Caption = 'Changed'"));
  R->Save();  // written by the module itself since: no question
  EXPECT_THAT(Answers.Asked(),
              ElementsAre("FileChanged Form1.fwf", "FileChanged Form1.fwf", "FileChanged Form1.fwf"));
}

TEST_F(ModuleFiles, AUnitChangedOnDiskStopsTheSaveBeforeAnyFileIsWritten) {
  IPtr<TReferenceRoot> R = Form1;
  R->RenameComponent("Label1", "Greeting");  // the unit's field follows
  const String Theirs = StringReplaceAll(FormUnit, "implementation\n", "implementation\n\n// mine\n");
  Files->PutFile("Form1.pas", Theirs);
  EXPECT_EQ(MessageOf([&] { R->Save(); }),
            "'Form1.pas' has changed on disk since it was opened; it was not overwritten");
  EXPECT_EQ(Files->Contents("Form1.fwf"), FormText);
  EXPECT_EQ(Files->Contents("Form1.pas"), Theirs);
}

TEST_F(ModuleFiles, TheWriteItselfRefusesAFileNewerThanTheModuleKnows) {
  const int64_t Age = Files->FileAge("", "Form1.fwf");
  TStringStream Data("object Form1: TForm1\nend\n");
  Files->PutFile("Form1.fwf", "changed meanwhile");
  EXPECT_THROW(Files->WriteModuleFile("", "Form1.fwf", &Data, Age, Age), EComponentDesignerException);
  EXPECT_EQ(Files->Contents("Form1.fwf"), "changed meanwhile");
  Data.SetPosition(0);
  Files->WriteModuleFile("", "Form1.fwf", &Data, Files->FileAge("", "Form1.fwf"), Age);
  EXPECT_EQ(Files->Contents("Form1.fwf"), "object Form1: TForm1\nend\n");
}

}  // namespace
}  // namespace formwright
