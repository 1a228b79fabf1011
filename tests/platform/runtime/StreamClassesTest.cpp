// Memory, string and file streams: positions, sizes, copies and errors.
#include <gtest/gtest.h>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/TempFolder.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/StreamConsts.h"
#include "platform/runtime/Streams.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

TEST(StreamClasses, MemoryStreamGrowsSeeksAndTruncates) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  S->WriteBuffer("abcdef", 6);
  EXPECT_EQ(S->Position(), 6);
  EXPECT_EQ(S->Size(), 6);
  S->SetPosition(4);
  S->WriteBuffer("XYZ", 3);  // over the last two bytes and one past them
  EXPECT_EQ(String(reinterpret_cast<const char*>(S->Memory()), size_t(S->Size())), "abcdXYZ");
  S->SetPosition(10);
  S->WriteBuffer("z", 1);
  EXPECT_EQ(S->Size(), 11);
  EXPECT_EQ(S->Bytes()[8], 0);
  S->SetSize(3);
  EXPECT_EQ(S->Position(), 3);
  char Buf[8] = {};
  S->SetPosition(1);
  EXPECT_EQ(S->Read(Buf, 8), 2);
  EXPECT_EQ(String(Buf, 2), "bc");
  EXPECT_THROW(S->ReadBuffer(Buf, 1), EReadError);
  EXPECT_THROW(S->Seek(-1, soBeginning), EStreamError);
  EXPECT_EQ(S->Seek(-1, soEnd), 2);
}

// The text of a component goes after what a memory stream holds before its position, and a
// binary form that cannot be converted leaves the stream as it was.
TEST(StreamClasses, TextOfAComponentGoesAtThePositionOfAMemoryStream) {
  const String Text = "object Form1: TForm1\n  Caption = 'Go'\nend\n";
  TStringStream TextIn(Text), Binary;
  ObjectTextToBinary(&TextIn, &Binary);
  const String Whole = Binary.DataString();
  const struct {
    const char* Name;
    String Before, Cut;  // Cut: the binary form given, whole or cut short
    int64_t Position;
    String After;  // empty: refused
  } Cases[] = {
      {"at the end", "HEAD", Whole, 4, "HEAD" + Text},
      {"in the middle", "HEAD------", Whole, 4, "HEAD" + Text},
      {"cut short, at the end", "HEAD", Whole.substr(0, Whole.size() - 3), 4, ""},
      {"cut short, empty", "", Whole.substr(0, Whole.size() - 3), 0, ""},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringStream In(C.Cut), Out(C.Before);
    Out.SetPosition(C.Position);
    if (C.After.empty()) {
      EXPECT_THROW(ObjectBinaryToText(&In, &Out), EReadError);
      EXPECT_EQ(Out.DataString(), C.Before);
      EXPECT_EQ(Out.Position(), C.Position);
    } else {
      ObjectBinaryToText(&In, &Out);
      EXPECT_EQ(Out.DataString(), C.After);
      EXPECT_EQ(Out.Position(), Out.Size());
    }
  }
}

// The binary form of a component's text goes at the position of a memory stream, each part
// marked with its place in the text; text that cannot be converted leaves the stream as it was:
// its bytes, its position and the places of what it already held.
TEST(StreamClasses, BinaryOfComponentTextGoesAtThePositionOfAMemoryStream) {
  const String Good = "object Form1: TForm1\n  Caption = 'Go'\nend\n";
  // Refused on its fifth line, after a part on its fourth was converted.
  const String Bad = "object Form2: TForm1\n\n\n  Width = 5\n  Caption = 'Go\nend\n";
  const auto Convert = [](const String& Text, TMemoryStream& Out) {
    TStringStream In(Text);
    ObjectTextToBinary(&In, &Out);
  };
  TStringStream Converted;
  Convert(Good, Converted);
  const String Binary = Converted.DataString();
  const struct {
    const char* Name;
    String Before;
    int64_t Position;
    bool ConvertedFirst;  // Before is Good converted into the stream, marks and all
  } Cases[] = {{"empty", "", 0, false},
               {"at the end", "HEAD", 4, false},
               {"in the middle", "HEAD------", 4, false},
               {"after a converted component", Binary, static_cast<int64_t>(Binary.size()), true}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    TStringStream Out(C.ConvertedFirst ? String() : C.Before);
    if (C.ConvertedFirst) Convert(Good, Out);
    Out.SetPosition(C.Position);
    const String Place = Out.SourcePosition(C.Position + 8);
    EXPECT_THAT([&] { Convert(Bad, Out); },
                Raises<EParserError>("Invalid string constant on line 5, column 13"));
    EXPECT_EQ(Out.DataString(), C.Before);
    EXPECT_EQ(Out.Position(), C.Position);
    EXPECT_EQ(Out.SourcePosition(C.Position + 8), Place);
    Convert(Good, Out);
    EXPECT_EQ(Out.DataString(), C.Before.substr(0, static_cast<size_t>(C.Position)) + Binary);
    EXPECT_EQ(Out.SourcePosition(C.Position + 8), "line 1, column 1");   // the class name
    EXPECT_EQ(Out.SourcePosition(Out.Size() - 1), "line 2, column 13");  // the caption's value
  }
}

TEST(StreamClasses, CopyFromCopiesAllOrACount) {
  TStringStream Source("0123456789");
  TOwned<TStringStream> Dest(new TStringStream);
  Source.SetPosition(4);
  EXPECT_EQ(Dest->CopyFrom(&Source, 3), 3);
  EXPECT_EQ(Dest->DataString(), "456");
  EXPECT_EQ(Dest->CopyFrom(&Source, 0), 10);
  EXPECT_EQ(Dest->DataString(), "4560123456789");
  EXPECT_THROW(Dest->CopyFrom(&Source, 1), EReadError);
  Dest->SetPosition(3);
  EXPECT_EQ(Dest->ReadString(4), "0123");
  EXPECT_EQ(Dest->ReadString(-1), "456789");
}

TEST(StreamClasses, FileStreamsCreateOpenAndReportMissingFiles) {
  const TTempFolder Folder;
  const String Name = Folder.PathOf("streams.bin");
  {
    TFileStream F(Name, fmCreate);
    F.WriteBuffer("hello", 5);
    F.SetSize(4);
  }
  TOwned<TMemoryStream> M(new TMemoryStream);
  M->LoadFromFile(Name);
  EXPECT_THAT(M, StreamText("hell"));
  {
    TFileStream F(Name, fmOpenReadWrite);
    F.Seek(0, soEnd);
    F.WriteBuffer("o", 1);
    EXPECT_EQ(F.Size(), 5);
  }
  std::filesystem::remove(Name);
  EXPECT_THAT([&] { TFileStream(Name, fmOpenRead); },
              Raises<EFOpenError>("Cannot open file \"" + Name + "\". No such file or directory"));
  EXPECT_THAT([] { TFileStream("/nonexistent-dir/x", fmCreate); },
              Raises<EFCreateError>("Cannot create file \"/nonexistent-dir/x\". No such file or directory"));
}

TEST(StreamClasses, ResourceHeaderIsSkippedOnlyWhenPresent) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  int64_t Fixup = 0;
  S->WriteResourceHeader("TForm1", Fixup);
  S->WriteBuffer("DATA", 4);
  S->FixupResourceHeader(Fixup);
  S->SetPosition(0);
  EXPECT_TRUE(S->HasResHeader());
  S->ReadResHeader();
  char Buf[4];
  S->ReadBuffer(Buf, 4);
  EXPECT_EQ(String(Buf, 4), "DATA");
  S->SetPosition(S->Size() - 4);
  S->ReadResHeader();
  EXPECT_EQ(S->Position(), S->Size() - 4);
  TStringStream Broken(String("\xFF\x0A\x00TFO", 6));
  EXPECT_THROW(Broken.ReadResHeader(), EInvalidImage);
}

}  // namespace
