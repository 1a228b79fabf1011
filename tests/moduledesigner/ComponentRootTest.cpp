// The module root's lifecycle and streams, on the reference host over files held in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace formwright {
namespace {

using namespace orx;
using testing::ModuleBinary;
using testing::Raises;

const String MainText = Sample("RootMain.fwf");

using ComponentRootTest = testing::RootTest;

TEST_F(ComponentRootTest, TextStaysTextAndBinaryStaysBinary) {
  IPtr<TReferenceRoot> Text = Open("Main.fwf", MainText);
  IPtr<TReferenceRoot> Bin =
      Open("Bin.fwf", ModuleBinary(StringReplaceAll(MainText, "Form1: TForm1", "Form2: TForm2")));
  ASSERT_TRUE(Text->GetRoot());
  EXPECT_EQ(Text->GetRootName(), "Form1");
  EXPECT_EQ(Text->GetRootClassName(), "TForm1");
  EXPECT_EQ(Text->GetAncestorName(), "TForm");  // unknown ancestor: the form base class
  EXPECT_TRUE(IsProxyClass(Text->GetRoot()->ClassType()));
  auto* Button = As<TButton>(Text->GetRoot()->FindComponent("Button1"));
  ASSERT_TRUE(Button);
  EXPECT_EQ(Button->Parent(), Text->GetRoot()->FindComponent("Panel1"));
  EXPECT_EQ(Text->GetRoot()->MethodName(GetMethodProp(Button, GetPropInfo(Button, "OnClick")).Code),
            "Button1Click");
  EXPECT_TRUE(Text->IsTextFormat());
  EXPECT_FALSE(Bin->IsTextFormat());
  Text->Save();
  Bin->Save();
  const String Saved = Files->Contents("Main.fwf");
  EXPECT_THAT(Saved, StartsWith("object Form1: TForm1\n"));  // saved back as text
  EXPECT_THAT(Saved, HasSubstr("      OnClick = Button1Click\n"));
  EXPECT_EQ(Files->Contents("Bin.fwf"),
            ModuleBinary(StringReplaceAll(Saved, "Form1: TForm1", "Form2: TForm2")));
  EXPECT_FALSE(Text->IsModified());
  // What was saved reads back to the same module.
  Host.CloseAll();
  IPtr<TReferenceRoot> Again = Host.Open("Main.fwf");
  EXPECT_EQ(Written(Again), Saved);
  // Asked for binary, the text module is saved as binary from now on.
  Again->SetTextFormat(false);
  Again->Save();
  EXPECT_EQ(Files->Contents("Main.fwf"), ModuleBinary(Saved));
}

TEST_F(ComponentRootTest, SaveReusesTheCacheUntilAModification) {
  IPtr<TReferenceRoot> R = Open("Main.fwf", MainText);
  TStream* First = R->GetRootStream();
  EXPECT_EQ(R->GetRootStream(), First);
  R->Save();
  const int Writes = Files->Writes();
  R->Save();
  EXPECT_EQ(Files->Writes(), Writes + 1);  // the form file again, from the same cache
  EXPECT_TRUE(R->HasCachedStream());
  As<TLabel>(R->GetRoot()->FindComponent("Label1"))->SetCaption("Changed");
  R->Modified();
  EXPECT_FALSE(R->HasCachedStream());
  EXPECT_TRUE(R->IsModified());
  R->Save();
  EXPECT_THAT(Files->Contents("Main.fwf"), HasSubstr("Caption = 'Changed'"));
  EXPECT_EQ(R->GetModifyTime(), R->GetTimeAtLoad());
  // The unit written beside a form file that had none declares the class's real ancestor.
  EXPECT_THAT(Files->Contents("Main.pas"), HasSubstr("TForm1 = class(TForm)"));
}

TEST_F(ComponentRootTest, DormantModulesResurrectIdentical) {
  IPtr<TReferenceRoot> R = Open("Main.fwf", MainText);
  const int Proxies = ProxyClassCount();
  R->Resurrect();  // not dormant: nothing happens
  ASSERT_TRUE(R->GetRoot());
  const String Before = Written(R);
  R->GoDormant();
  EXPECT_TRUE(R->IsDormant());
  EXPECT_EQ(R->GetRoot(), nullptr);
  EXPECT_EQ(R->GetRootName(), "Form1");
  EXPECT_EQ(ProxyClassCount(), Proxies - 1);
  R->Resurrect();
  EXPECT_FALSE(R->IsDormant());
  ASSERT_TRUE(R->GetRoot());
  EXPECT_EQ(Written(R), Before);
  EXPECT_EQ(TReferenceHost::SourceOf(R)->Resurrections(), 1);
}

TEST_F(ComponentRootTest, AReaderErrorAnsweredStopOpensNothingAndRestoresTheLoadingState) {
  Files->PutFile("Bad.fwf", StringReplaceAll(MainText, "Caption = 'Go'", "Bogus = 1"));
  Answers.ReaderError(1);
  const int Proxies = ProxyClassCount();
  TClass Group = ActivateClassGroup(TControl::StaticClass());
  EXPECT_THROW(Host.Open("Bad.fwf"), EReadError);
  EXPECT_THAT(
      Answers.Asked(),
      ElementsAre(
          "ReaderError Error reading Button1.Bogus at line 11, column 7: Property Bogus does not exist"));
  EXPECT_EQ(Host.Designer()->GetRootsCount(), 0);
  EXPECT_FALSE(IsGlobalLoading());
  EXPECT_EQ(PendingFixupCount(), 0);
  EXPECT_EQ(ProxyClassCount(), Proxies);
  EXPECT_EQ(ActivateClassGroup(Group), TControl::StaticClass());
}

// Ignoring all errors holds for one read: the next read asks again, and an error ignored alone
// leaves the next one to be asked. The answers come from the environment's questions.
TEST_F(ComponentRootTest, ReaderErrorsAreIgnoredOneByOneOrForTheRestOfOneRead) {
  String Text = StringReplaceAll(MainText, "Caption = 'Go'", "Bogus = 1");
  Files->PutFile("Bad.fwf", StringReplaceAll(Text, "Caption = 'Hello'", "Other = 2"));
  Answers.ReaderError(2).ReaderError(0).ReaderError(0);  // all of the first read, then one by one
  for (const size_t Asks : {1u, 3u}) {
    IPtr<TReferenceRoot> R = Host.Open("Bad.fwf");
    EXPECT_EQ(Answers.Asked().size(), Asks);
    EXPECT_TRUE(R->GetReadError());
    EXPECT_TRUE(TReferenceHost::SourceOf(R)->LoadingModified());
    EXPECT_TRUE(R->GetRoot()->FindComponent("Label1"));
    Host.Close(R);
  }
}

TEST_F(ComponentRootTest, MalformedStreamsAndUnknownClassesLeaveEveryOtherRootAlone) {
  IPtr<TReferenceRoot> Main = Open("Main.fwf", MainText);
  const String Before = Written(Main);
  const String Good = ModuleBinary(MainText);
  Files->PutFile("Cut.fwf", Good.substr(0, Good.size() / 2));
  Files->PutFile("Unknown.fwf", StringReplaceAll(MainText, "TLabel", "TNoSuchThing"));
  Files->PutFile("Garbage.fwf", "object X: TX\n  Left = \n");
  for (const char* F : {"Cut.fwf", "Unknown.fwf", "Garbage.fwf", "Missing.fwf"}) {
    EXPECT_ANY_THROW(Host.Open(F)) << F;
    EXPECT_EQ(Host.Designer()->GetRootsCount(), 1) << F;
    EXPECT_FALSE(IsGlobalLoading()) << F;
  }
  EXPECT_EQ(Written(Main), Before);
}

TEST_F(ComponentRootTest, NewModulesAreNamedAndSavedInThePreferredFormat) {
  Host.Environment().Options.PFMFormat = 0;
  IPtr<TReferenceRoot> Data = Host.New("DataModule1", "Data.fwf", "TDataModule");
  EXPECT_TRUE(As<TDataModule>(Data->GetRoot()));
  EXPECT_EQ(Data->GetRootClassName(), "TDataModule1");
  EXPECT_FALSE(Data->IsTextFormat());
  Host.Environment().Options.PFMFormat = 1;
  IPtr<TReferenceRoot> Form = Host.New("Form5", "Form5.fwf");
  EXPECT_EQ(As<TForm>(Form->GetRoot())->Caption(), "Form5");
  Form->Save();
  EXPECT_THAT(Files->Contents("Form5.fwf"), StartsWith("object Form5: TForm5"));
  Data->Save();
  Host.CloseAll();
  IPtr<TReferenceRoot> Again = Host.Open("Data.fwf");
  EXPECT_TRUE(As<TDataModule>(Again->GetRoot())) << "the registered data module base class is found again";
}

TEST_F(ComponentRootTest, AReadOnlyFormFileRefusesTheSaveAndKeepsItsContents) {
  IPtr<TReferenceRoot> R = Open("Main.fwf", MainText);
  As<TLabel>(R->GetRoot()->FindComponent("Label1"))->SetCaption("Changed");
  R->Modified();
  Files->SetReadOnly("Main.fwf", true);
  EXPECT_THAT([&] { R->Save(); }, Raises<EComponentDesignerException>("'Main.fwf' is a read-only file"));
  EXPECT_EQ(Files->Contents("Main.fwf"), MainText);
  TReferenceHost::SourceOf(R)->SetReadOnly(true);
  EXPECT_THAT([&] { R->ValidateModification(); }, Raises<EComponentDesignerException>("Source is read-only"));
}

TEST_F(ComponentRootTest, LinksToModulesThatAreNotOpenBlockTheSave) {
  Files->PutFile("Main.fwf",
                 StringReplaceAll(MainText, "OnClick = Button1Click", "PopupMenu = Other.Popup1"));
  IPtr<TReferenceRoot> R = Host.Open("Main.fwf");
  EXPECT_THAT([&] { R->Save(); },
              Raises<EComponentDesignerException>(
                  "Module \"Form1\" references another module and cannot be saved until Other is loaded"));
  EXPECT_THAT(Files->Contents("Main.fwf"), HasSubstr("Other.Popup1"));
  Answers.Fixup(0).RedirectLinks("");  // remove them (the dialog, cancelled, would keep them)
  R->Save();                           // links removed on request
  EXPECT_THAT(Files->Contents("Main.fwf"), Not(HasSubstr("Other.Popup1")));
}

TEST_F(ComponentRootTest, InheritedModulesReplayTheirAncestorAndWriteOnlyDifferences) {
  IPtr<TReferenceRoot> Base = Open("Main.fwf", MainText);
  IPtr<TReferenceRoot> Child = Host.New("Form2", "Form2.fwf", "TForm", Base);
  TComponent* Root = Child->GetRoot();
  EXPECT_EQ(Root->ClassType()->ClassParent(), Base->GetRoot()->ClassType());
  auto* Button = As<TButton>(Root->FindComponent("Button1"));
  ASSERT_TRUE(Button);
  EXPECT_TRUE(Button->ComponentState().Contains(csAncestor));
  EXPECT_EQ(Button->Caption(), "Go");
  EXPECT_TRUE(TReferenceHost::SourceOf(Child)->Fields().empty())
      << "inherited components are declared in the ancestor's source";
  EXPECT_EQ(Written(Child),
            "inherited Form2: TForm2\n"
            "  inherited Panel1: TPanel\n"
            "    inherited Button1: TButton\n"
            "    end\n"
            "  end\n"
            "  inherited Label1: TLabel\n"
            "  end\n"
            "end\n");
  Button->SetCaption("Changed");
  Child->Modified();
  EXPECT_THAT(Written(Child), AllOf(HasSubstr("Caption = 'Changed'"), Not(HasSubstr("Left = 4"))));
}

TEST_F(ComponentRootTest, TheFormFileStreamLendsTheCacheAndGivesItBack) {
  IPtr<TReferenceRoot> R = Open("Main.fwf", MainText);
  const String Expected = Written(R);
  {
    IPtr<IStream> F = R->FormFileOpen();
    EXPECT_FALSE(R->HasCachedStream());
    EXPECT_EQ(F->GetModifyTime(), R->GetModifyTime());
    EXPECT_EQ(F->Write("x", 1), 0);
    String D(static_cast<size_t>(F->GetSize()), '\0');
    EXPECT_EQ(F->Read(D.data(), F->GetSize()), F->GetSize());
    EXPECT_EQ(D, Expected);
  }
  EXPECT_TRUE(R->HasCachedStream());  // nothing changed: the cache came back
  {
    IPtr<IStream> F = R->FormFileOpen();
    R->Modified();
  }
  EXPECT_FALSE(R->HasCachedStream());  // a change meanwhile: the lent stream is dropped
  R->GoDormant();
  IPtr<IStream> F = R->FormFileOpen();
  EXPECT_GT(F->GetSize(), 0);
  EXPECT_TRUE(R->IsDormant());
}

}  // namespace
}  // namespace formwright
