#include "host/FileSystems.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "formwright/testing/TempFolder.h"
#include "host/DesignEnvironment.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;
namespace fs = std::filesystem;

namespace {
// A disk file system over a fresh folder.
class DiskFileSystem : public ::testing::Test {
 protected:
  String Read(const fs::path& P) const { return Dir.Read(P.string()); }
  void Put(const fs::path& P, const std::string& Text) const { Dir.Write(P.string(), Text); }
  // The names of the files in the folder, hidden ones (temporary files) included.
  std::vector<std::string> Listing() const {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(Dir.Path())) Names.push_back(E.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  }
  const TTempFolder Dir;
  IPtr<TDiskFileSystem> Fs = MakeIntf<TDiskFileSystem>();
};
}  // namespace

TEST_F(DiskFileSystem, WritesReplaceTheFileAndReportItsNewAge) {
  const String Name = (Dir.Path() / "Unit1.fwf").string();
  EXPECT_FALSE(Fs->FileExists("", Name));
  EXPECT_EQ(Fs->FileAge("", Name), -1);
  TStringStream Data("object Form1: TForm1\nend\n");
  const int64_t Age = Fs->WriteFile("", Name, &Data);
  EXPECT_EQ(Age, Fs->FileAge("", Name));
  EXPECT_TRUE(Fs->FileExists("", Name));
  EXPECT_EQ(Read(Name), "object Form1: TForm1\nend\n");
  TOwned<TStream> Back = Fs->OpenFile("", Name);
  EXPECT_EQ(Back->Size(), Data.Size());
  Fs->RenameFile("", Name, (Dir.Path() / "Main.fwf").string());
  EXPECT_FALSE(Fs->FileExists("", Name));
  EXPECT_THROW(Fs->OpenFile("", Name), EFOpenError);
  EXPECT_THROW(Fs->FileAge("Elsewhere", Name), EInOutError);
}

TEST_F(DiskFileSystem, ReadsFilesOfEverySizeWholeAroundItsReadingBlocks) {
  const fs::path Name = Dir.Path() / "Large.fwf";
  for (const size_t Size :
       {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(65537), size_t(200000)}) {
    std::string Text(Size, ' ');
    for (size_t I = 0; I < Size; ++I) Text[I] = static_cast<char>('a' + I % 26);
    Put(Name, Text);
    TOwned<TStream> In = Fs->OpenFile("", Name.string());
    EXPECT_EQ(In->Position(), 0) << Size;
    TStringStream Back;
    Back.CopyFrom(In.get(), 0);
    EXPECT_TRUE(Back.DataString() == Text) << Size;
  }
}

TEST_F(DiskFileSystem, AReadOnlyFileIsRefusedAndKeptAsItWas) {
  // A file without write permission is read-only for everyone, the superuser included.
  const fs::path Name = Dir.Path() / "Locked.fwf";
  std::ofstream(Name) << "original";
  fs::permissions(Name, fs::perms::owner_read);
  TStringStream Data("changed");
  EXPECT_THAT([&] { Fs->WriteFile("", Name.string(), &Data); },
              ThrowsMessage<EComponentDesignerException>("'" + Name.string() + "' is a read-only file"));
  EXPECT_EQ(Read(Name), "original");
}

TEST_F(DiskFileSystem, HeldWritesAreReadBackAndReachTheDiskOnlyTogether) {
  const fs::path A = Dir.Path() / "A.fwf", B = Dir.Path() / "B.pas";
  Put(A, "old A");
  fs::permissions(A, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  {
    TWriteBatch Batch(*Fs);
    TStringStream NewA("new A"), NewB("new B"), NewerA("newer A");
    Fs->WriteFile("", A.string(), &NewA);
    Fs->WriteFile("", B.string(), &NewB);
    Fs->WriteFile("", A.string(), &NewerA);  // a second write of a held file replaces the first
    EXPECT_EQ(Read(A), "old A");
    EXPECT_FALSE(fs::exists(B));
    EXPECT_TRUE(Fs->FileExists("", B.string()));
    EXPECT_EQ(Fs->OpenFile("", A.string())->Size(), 7);
    Batch.Commit();
  }
  EXPECT_EQ(Read(A), "newer A");
  EXPECT_EQ(Read(B), "new B");
  EXPECT_EQ(fs::status(A).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_THAT(Listing(), ElementsAre("A.fwf", "B.pas"));
}

TEST_F(DiskFileSystem, ABatchThatEndsWithoutCommitChangesNothing) {
  const fs::path A = Dir.Path() / "A.fwf", B = Dir.Path() / "B.pas";
  Put(A, "old A");
  Put(B, "old B");
  fs::permissions(B, fs::perms::owner_read);
  EXPECT_THAT(
      [&] {
        TWriteBatch Batch(*Fs);
        TStringStream NewA("new A");
        TStringStream NewB("new B");
        Fs->WriteFile("", A.string(), &NewA);
        Fs->WriteFile("", B.string(), &NewB);
      },
      ThrowsMessage<EComponentDesignerException>("'" + B.string() + "' is a read-only file"));
  EXPECT_EQ(Read(A), "old A");
  EXPECT_EQ(Read(B), "old B");
  EXPECT_THAT(Listing(), ElementsAre("A.fwf", "B.pas"));
}

TEST_F(DiskFileSystem, AFailedRenameAtCommitPutsBackTheFilesAlreadyReplaced) {
  const fs::path A = Dir.Path() / "A.fwf", B = Dir.Path() / "B.pas", C = Dir.Path() / "C.fwf";
  Put(A, "old A");
  TWriteBatch Batch(*Fs);
  TStringStream NewA("new A"), NewC("new C"), NewB("new B");
  Fs->WriteFile("", A.string(), &NewA);
  Fs->WriteFile("", C.string(), &NewC);
  Fs->WriteFile("", B.string(), &NewB);
  // Something takes B's place meanwhile, so that the last rename fails.
  fs::create_directory(B);
  Put(B / "inside", "x");
  EXPECT_THAT([&] { Batch.Commit(); },
              ThrowsMessage<EFCreateError>(StartsWith("Cannot write file \"" + B.string() + "\": ")));
  EXPECT_EQ(Read(A), "old A");
  EXPECT_FALSE(fs::exists(C));
  EXPECT_THAT(Listing(), ElementsAre("A.fwf", "B.pas"));
}

TEST(MemoryFileSystem, ReadOnlyFilesRefuseWritesAndAgesGrow) {
  auto Fs = MakeIntf<TMemoryFileSystem>();
  Fs->PutFile("A.fwf", "one");
  const int64_t First = Fs->FileAge("", "A.fwf");
  TStringStream Data("two");
  const int64_t Second = Fs->WriteFile("", "A.fwf", &Data);
  EXPECT_GT(Second, First);
  EXPECT_EQ(Fs->Contents("A.fwf"), "two");
  Fs->SetReadOnly("A.fwf", true);
  TStringStream Three("three");
  EXPECT_THROW(Fs->WriteFile("", "A.fwf", &Three), EComponentDesignerException);
  EXPECT_EQ(Fs->Contents("A.fwf"), "two");
  EXPECT_EQ(Fs->Writes(), 1);
}

// An open file reads the bytes it had when it was opened, from any position, and refuses
// writes as a file opened for reading does; the file itself changes only through the system.
TEST(MemoryFileSystem, AnOpenFileReadsItsBytesFromAnyPositionAndRefusesWrites) {
  auto Fs = MakeIntf<TMemoryFileSystem>();
  Fs->PutFile("A.fwf", "object Form1");
  TOwned<TStream> In = Fs->OpenFile("", "A.fwf");
  TStringStream Replacement("replaced");
  Fs->WriteFile("", "A.fwf", &Replacement);
  char Word[8] = {};
  In->Seek(-5, soEnd);
  EXPECT_EQ(In->Read(Word, 8), 5);
  EXPECT_EQ(std::string(Word, 5), "Form1");
  EXPECT_EQ(In->Read(Word, 8), 0);
  In->Seek(3, soEnd);  // past the end: nothing to read
  EXPECT_EQ(In->Read(Word, 8), 0);
  In->SetPosition(0);
  EXPECT_EQ(StreamText(In.get()), "object Form1");
  EXPECT_THAT([&] { In->WriteBuffer("x", 1); }, ThrowsMessage<EWriteError>("Stream write error"));
  EXPECT_THAT([&] { In->Seek(-1, soBeginning); }, ThrowsMessage<EStreamError>("Stream seek error"));
  EXPECT_EQ(Fs->Contents("A.fwf"), "replaced");
  EXPECT_EQ(StreamText(Fs->OpenFile("", "A.fwf").get()), "replaced");
}

TEST(DesignEnvironment, DefaultAnswersNeverLoseAnythingSilently) {
  auto Env = MakeIntf<TDesignEnvironment>();
  String Name = "Button1";
  EXPECT_EQ(Env->Questions.ReaderError("Property Foo does not exist", "Form1"), 1);
  EXPECT_EQ(Env->Questions.AncestorNotFound(Name, "Form2", "Form1", "Button2", true), 3);
  EXPECT_EQ(Name, "Button1");
  EXPECT_EQ(Env->Questions.Fixup("Form1", "Form2"), 1);
  EXPECT_FALSE(Env->OpenRootModule("Form2"));  // no opener
  Env->RootOpener = [](const String& N) { return N == "Form2"; };
  EXPECT_TRUE(Env->OpenRootModule("Form2"));
  const int64_t A = Env->GetCurrentTimeStamp(), B = Env->GetCurrentTimeStamp();
  EXPECT_LT(A, B);
  Env->ComponentRenamed("", "Button1");  // named as it is read: not a rename
  Env->ComponentRenamed("Button1", "OkButton");
  EXPECT_THAT(Env->Renames(), ElementsAre(::testing::Pair("Button1", "OkButton")));
  EXPECT_EQ(Env->FindDesignClass("TPersistent"), nullptr);  // not registered here
}
