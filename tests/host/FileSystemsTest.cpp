#include "host/FileSystems.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "host/DesignEnvironment.h"

using namespace formwright;
namespace fs = std::filesystem;

namespace {
struct TTempDir {
  fs::path Path;
  TTempDir() : Path(fs::temp_directory_path() / ("fw-host-" + std::to_string(::getpid()))) { fs::create_directories(Path); }
  ~TTempDir() {
    std::error_code Ec;
    fs::permissions(Path, fs::perms::owner_all, fs::perm_options::add, Ec);
    fs::remove_all(Path, Ec);
  }
};
String Read(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  return String((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(DiskFileSystem, WritesReplaceTheFileAndReportItsNewAge) {
  TTempDir Dir;
  auto Fs = MakeIntf<TDiskFileSystem>();
  const String Name = (Dir.Path / "Unit1.fwf").string();
  EXPECT_FALSE(Fs->FileExists("", Name));
  EXPECT_EQ(Fs->FileAge("", Name), -1);
  TStringStream Data("object Form1: TForm1\nend\n");
  const int64_t Age = Fs->WriteFile("", Name, &Data);
  EXPECT_EQ(Age, Fs->FileAge("", Name));
  EXPECT_TRUE(Fs->FileExists("", Name));
  EXPECT_EQ(Read(Name), "object Form1: TForm1\nend\n");
  TOwned<TStream> Back = Fs->OpenFile("", Name);
  EXPECT_EQ(Back->Size(), Data.Size());
  Fs->RenameFile("", Name, (Dir.Path / "Main.fwf").string());
  EXPECT_FALSE(Fs->FileExists("", Name));
  EXPECT_THROW(Fs->OpenFile("", Name), EFOpenError);
  EXPECT_THROW(Fs->FileAge("Elsewhere", Name), EInOutError);
}

TEST(DiskFileSystem, AReadOnlyFileIsRefusedAndKeptAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser may write read-only files";
  TTempDir Dir;
  auto Fs = MakeIntf<TDiskFileSystem>();
  const fs::path Name = Dir.Path / "Locked.fwf";
  std::ofstream(Name) << "original";
  fs::permissions(Name, fs::perms::owner_read);
  TStringStream Data("changed");
  try {
    Fs->WriteFile("", Name.string(), &Data);
    FAIL();
  } catch (const EComponentDesignerException& E) {
    EXPECT_EQ(E.Message(), "'" + Name.string() + "' is a read-only file");
  }
  EXPECT_EQ(Read(Name), "original");
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

TEST(DesignEnvironment, DefaultAnswersNeverLoseAnythingSilently) {
  auto Env = MakeIntf<TDesignEnvironment>();
  String Name = "Button1";
  EXPECT_EQ(Env->Questions.ReaderError("Property Foo does not exist", "Form1"), 1);
  EXPECT_EQ(Env->Questions.AncestorNotFound(Name, "Form1", "Button2"), 3);
  EXPECT_EQ(Name, "Button1");
  EXPECT_EQ(Env->Questions.Fixup("Form1", "Form2"), 1);
  EXPECT_FALSE(Env->OpenRootModule("Form2"));  // no opener
  Env->RootOpener = [](const String& N) { return N == "Form2"; };
  EXPECT_TRUE(Env->OpenRootModule("Form2"));
  const int64_t A = Env->GetCurrentTimeStamp(), B = Env->GetCurrentTimeStamp();
  EXPECT_LT(A, B);
  Env->ComponentRenamed("Button1", "OkButton");
  ASSERT_EQ(Env->Renames().size(), 1u);
  EXPECT_EQ(Env->Renames()[0].second, "OkButton");
  EXPECT_EQ(Env->FindDesignClass("TPersistent"), nullptr);  // not registered here
}
