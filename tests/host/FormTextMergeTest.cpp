// Saving a module into its author's text form file: only what the edit changed moves.
#include "host/FormTextMerge.h"

#include <gmock/gmock.h>

#include "tests/support/Samples.h"

namespace formwright::testing {
namespace {

// The author's file: an order, indentation, blank lines and values the writer would not give.
const String File = Sample("MergeAuthor.fwf");

// What the writer gave for that module as it was read.
const String Loaded = Sample("MergeLoaded.fwf");

using TEdits = std::vector<std::pair<String, String>>;

String Replaced(String Text, const TEdits& Edits) {
  for (const auto& [From, To] : Edits) {
    const size_t At = Text.find(From);
    EXPECT_NE(At, String::npos) << From;
    if (At != String::npos) Text.replace(At, From.size(), To);
  }
  return Text;
}

struct TMergeCase {
  const char* Name;
  TEdits Edit;      // what the edit changed in the writer's text
  TEdits Expected;  // what must change in the author's file
};

// The save button's block as the writer gives it and as the author wrote it.
const String LoadedSave =
    "  object SaveButton: TButton\n    Left = 8\n    Width = 75\n    Caption = 'Save'\n  end\n";
const String FileSave =
    "    object SaveButton: TButton\n        Caption = 'Save'\n        Left = 8\n    end\n";

const TMergeCase Cases[] = {
    {"nothing", {}, {}},
    {"a value",
     {{"Caption = 'Save'", "Caption = 'Save all'"}},
     {{"Caption = 'Save'", "Caption = 'Save all'"}}},
    {"a value the file leaves out, after the file's own",
     {{"    Width = 75\n", "    Width = 90\n"}},
     {{"        Left = 8\n", "        Left = 8\n        Width = 90\n"}}},
    {"a value gone", {{"    Left = 8\n    Width", "    Width"}}, {{"        Left = 8\n", ""}}},
    {"a list of several lines, in the file's indentation",
     {{"      'first')\n", "      'first'\n      'second')\n"}},
     {{"            'first')\n", "            'first'\n            'second')\n"}}},
    {"a component renamed",
     {{"object Body: TMemo", "object Notes: TMemo"}},
     {{"object Body: TMemo", "object Notes: TMemo"}}},
    {"a component given an order index among its siblings",
     {{"object Body: TMemo\n", "object Body: TMemo [0]\n"}},
     {{"object Body: TMemo\n", "object Body: TMemo [0]\n"}}},
    {"a component retyped", {{"Body: TMemo", "Body: TRichMemo"}}, {{"Body: TMemo", "Body: TRichMemo"}}},
    {"the root renamed",
     {{"object NoteForm: TNoteForm", "object Notes: TNotes"}},
     {{"NoteForm: TNoteForm", "Notes: TNotes"}}},
    {"a component added after its sibling",
     {{"  end\n  object Body", "  end\n  object Cancel: TButton\n    Left = 90\n  end\n  object Body"}},
     {{"    end\n    object Body",
       "    end\n    object Cancel: TButton\n        Left = 90\n    end\n    object Body"}}},
    {"a component gone, with the blank line before it", {{LoadedSave, ""}}, {{"\n" + FileSave, ""}}},
    {"components reordered",
     {{LoadedSave, ""}, {"      'first')\n  end\n", "      'first')\n  end\n" + LoadedSave}},
     {{"\n" + FileSave, ""},
      {"            'first')\n    end\n", "            'first')\n    end\n\n" + FileSave}}},
    {"a component moved into another, keeping its lines",
     {{LoadedSave, ""},
      {"      'first')\n  end\n",
       "      'first')\n    object SaveButton: TButton\n      Left = 20\n      Width = 75\n      Caption = "
       "'Save'\n    end\n  end\n"}},
     {{"\n" + FileSave, ""},
      {"            'first')\n    end\n",
       "            'first')\n        object SaveButton: TButton\n            Caption = 'Save'\n            "
       "Left = 20\n        end\n    end\n"}}},
};

TEST(FormTextMerge, AnEditChangesOnlyItsOwnLinesOfTheAuthorsFile) {
  for (const TMergeCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    EXPECT_EQ(MergeFormText(File, Loaded, Replaced(Loaded, C.Edit)), Replaced(File, C.Expected));
  }
}

TEST(FormTextMerge, AnOrderIndexTheEditNoLongerGivesGoesFromTheFile) {
  const String Indexed = Replaced(File, {{"Body: TMemo\n", "Body: TMemo  [1]\n"}});
  EXPECT_EQ(MergeFormText(Indexed, Replaced(Loaded, {{"Body: TMemo\n", "Body: TMemo [1]\n"}}), Loaded), File);
}

TEST(FormTextMerge, TheFilesLineEndsAndByteOrderMarkAreKept) {
  String Crlf = "\xEF\xBB\xBF";
  for (char Ch : File) Crlf += Ch == '\n' ? String("\r\n") : String(1, Ch);
  const String Saved = Replaced(Loaded, {{"    Width = 75\n", "    Width = 90\n"}});
  EXPECT_EQ(MergeFormText(Crlf, Loaded, Saved),
            Replaced(Crlf, {{"        Left = 8\r\n", "        Left = 8\r\n        Width = 90\r\n"}}));
}

TEST(FormTextMerge, AFileThatDoesNotMatchTheModuleReadIsLeftToTheWriter) {
  const String Saved = Replaced(Loaded, {{"Caption = 'Save'", "Caption = 'Save all'"}});
  const String Cases[] = {
      Replaced(File, {{"object Body: TMemo", "object Other: TMemo"}}),  // another component
      "object NoteForm: TNoteForm\n  Caption = 'Notes'\n",              // cut short
      Replaced(File, {{"Left = 8\n    end", "Left = 8  end"}}),         // an end on a property's line
  };
  for (const String& Other : Cases) EXPECT_EQ(MergeFormText(Other, Loaded, Saved), std::nullopt) << Other;
}

}  // namespace
}  // namespace formwright::testing
