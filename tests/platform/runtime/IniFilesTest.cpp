#include <gtest/gtest.h>

#include "formwright/testing/TempFolder.h"
#include "platform/runtime/IniFiles.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

class IniFiles : public ::testing::Test {
 protected:
  const TTempFolder Folder;
  const String Name = Folder.PathOf("settings.ini");
};

TEST_F(IniFiles, ValuesAndTypesWithDefaults) {
  TOwned<TMemIniFile> Ini(new TMemIniFile(String()));
  Ini->WriteString("Main", "Caption", "Object Inspector");
  Ini->WriteInteger("Main", "Width", 5000);
  Ini->WriteBool("Main", "Visible", true);
  Ini->WriteString("Main", "Bad", "12x");
  EXPECT_EQ(Ini->ReadString("MAIN", "caption", "?"), "Object Inspector");
  EXPECT_EQ(Ini->ReadInteger("Main", "Width", -1), 5000);
  EXPECT_EQ(Ini->ReadInteger("Main", "Bad", -1), -1);
  EXPECT_EQ(Ini->ReadInteger("Main", "Missing", 7), 7);
  EXPECT_TRUE(Ini->ReadBool("Main", "Visible", false));
  EXPECT_FALSE(Ini->ReadBool("Other", "Visible", false));
  EXPECT_TRUE(Ini->ValueExists("main", "WIDTH"));
  EXPECT_FALSE(Ini->SectionExists("Other"));
  Ini->WriteString("Main", "Hex", "$10");
  EXPECT_EQ(Ini->ReadInteger("Main", "Hex", 0), 16);
}

TEST_F(IniFiles, SectionsKeysEraseAndStableSaving) {
  TOwned<TMemIniFile> Ini(new TMemIniFile(Name));
  Ini->WriteString("B", "x", "1");
  Ini->WriteString("A", "y", "2");
  Ini->WriteString("B", "z", "3");
  Ini->WriteString("B", "X", "4");
  TOwned<TStringList> L(new TStringList);
  Ini->ReadSections(L.get());
  EXPECT_EQ(L->CommaText(), "B,A");
  L->Clear();
  Ini->ReadSectionValues("B", L.get());
  EXPECT_EQ(L->CommaText(), "x=4,z=3");
  Ini->UpdateFile();
  const String First = Folder.Read("settings.ini");
  EXPECT_EQ(First, "[B]\nx=4\nz=3\n\n[A]\ny=2\n");
  TOwned<TMemIniFile> Again(new TMemIniFile(Name));
  Again->UpdateFile();
  EXPECT_EQ(Folder.Read("settings.ini"), First);
  Again->DeleteKey("B", "X");
  Again->EraseSection("a");
  L->Clear();
  Again->ReadSection("B", L.get());
  EXPECT_EQ(L->CommaText(), "z");
  L->Clear();
  Again->ReadSections(L.get());
  EXPECT_EQ(L->CommaText(), "B");
}

TEST_F(IniFiles, IniFileWritesEveryChangeAndSkipsCommentsAndStrayLines) {
  Folder.Write("settings.ini", "stray=1\n; comment\n[Desk]\n  Left = 10 \nFlag\n");
  TOwned<TIniFile> Ini(new TIniFile(Name));
  EXPECT_EQ(Ini->ReadInteger("Desk", "Left", 0), 10);
  EXPECT_TRUE(Ini->ValueExists("Desk", "Flag"));
  Ini->WriteBool("Desk", "Docked", false);
  EXPECT_EQ(Folder.Read("settings.ini"), "[Desk]\nLeft=10\nFlag=\nDocked=0\n");
}

}  // namespace
