// Values as people read and type them: names for colours, cursors, modal results and shortcuts,
// whole sets, string lists, origins in inheriting modules, and a table that stays a table.
#include <algorithm>
#include <set>

#include "ToolFixture.h"

namespace formwright::testing {
namespace {

using json = nlohmann::ordered_json;

// Every value of the framework's own types (and every set) that props shows for a component,
// as shell-quoted assignments "'C.Path=Value'".
void Assignments(const json& Props, const std::string& Prefix, std::string& Out) {
  static const std::set<std::string> Editors{"TColorProperty",       "TCursorProperty",
                                             "TFontCharsetProperty", "TModalResultProperty",
                                             "TShortCutProperty",    "TSetProperty"};
  for (const json& P : Props) {
    const std::string Path = Prefix + P["name"].get<std::string>();
    if (Editors.count(P["editor"]) && !P["value"].get<std::string>().empty())
      Out += " '" + Path + "=" + P["value"].get<std::string>() + "'";
    if (P.contains("properties")) Assignments(P["properties"], Path + ".", Out);
  }
}

TEST_F(ToolTest, ExamplesKeepEveryByteWhenSetToTheNamesTheyShow) {
  const std::pair<const char*, const char*> Selections[] = {
      {"Main.fwf", "MainForm"},       {"Main.fwf", "NameEdit"},       {"Main.fwf", "ToolPanel"},
      {"Dialog.fwf", "CancelButton"}, {"Data.fwf", "CopyAction"},     {"Data.fwf", "PasteAction"},
      {"Settings.fwf", "OkButton"},   {"Contact.fwf", "HomeAddress"},
  };
  std::map<std::string, std::string> Sets;
  for (const auto& [File, Component] : Selections) {
    const TRunResult R = RunOk(std::string("props ") + File + " " + Component + " --json");
    Assignments(Json(R)["properties"], std::string(Component) + ".", Sets[File]);
  }
  for (const char* Shown :
       {"'MainForm.Color=clFace'", "'NameEdit.Color=clWindow'", "'NameEdit.Cursor=crDefault'",
        "'CancelButton.ModalResult=mrCancel'", "'CopyAction.ShortCut=Ctrl+C'",
        "'NameEdit.Font.Charset=chDefault'", "'NameEdit.Anchors=[akLeft,akTop]'"})
    EXPECT_TRUE(std::any_of(Sets.begin(), Sets.end(), [&](const auto& S) {
      return S.second.find(Shown) != std::string::npos;
    })) << Shown;
  for (const auto& [File, Words] : Sets) {
    const TRunResult R = RunOk("set " + File + Words);
  }
  EXPECT_TRUE(Snapshot() == Before);
}

TEST_F(ToolTest, ValuesTypedByNameNumberOrWholeSetAreNeverFilePatterns) {
  const TRunResult R = RunOk(
      "set Main.fwf NameEdit.Color='$00FF8000' NameEdit.Cursor=crhand 'NameEdit.Anchors=[akLeft, akRight]' "
      "'NameEdit.Font.Style=[fsBold]' 'NameEdit.Hint=*?' Button1.Font.Color=clselection");
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: NameEdit.Cursor = crHand\n"));
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: NameEdit.Anchors = [akLeft,akRight]\n"));
  const std::string Text = Read("Main.fwf");
  for (const char* Line : {"Color = 16744448", "Cursor = crHand", "Anchors = [akLeft, akRight]",
                           "Font.Style = [fsBold]", "Hint = '*?'", "Font.Color = clSelection"})
    EXPECT_THAT(Text, HasSubstr(Line));
  EXPECT_EQ(Read("Dialog.fwf"), Before["Dialog.fwf"]);
}

TEST_F(ToolTest, BadValuesAreRefusedWithTheEditorsMessageAndChangeNoFile) {
  RunOk("add Main.fwf TMemo --name Notes");
  Before = Snapshot();
  ExpectEachRefused({
      {"set Main.fwf NameEdit.Color=clRed NameEdit.Color=clPlaid", 1,
       "Main.fwf: cannot set NameEdit.Color to 'clPlaid': 'clPlaid' is not a valid colour"},
      {"set Data.fwf CopyAction.ShortCut=Ctrl+", 1,
       "cannot set CopyAction.ShortCut to 'Ctrl+': Invalid property value"},
      {"set Dialog.fwf CancelButton.ModalResult=mrMaybe", 1, "'mrMaybe' is not a valid modal result"},
      {"set Main.fwf 'NameEdit.Anchors=[akLeft,akMiddle]'", 1,
       "'akMiddle' is not an element of NameEdit.Anchors (akLeft,akTop,akRight,akBottom)"},
      {"set Main.fwf 'NameEdit.Anchors=[akLeft' ", 1, "is not a set: type the elements as shown"},
      {"set Main.fwf Notes.Lines=@missing.txt", 1, "Cannot read the lines file 'missing.txt'"},
      {"props Main.fwf NameEdit --lines Color", 1, "NameEdit: Color is not a string list"},
  });
}

TEST_F(ToolTest, StringListsAreShownAndSetAsTheirLines) {
  RunOk("add Main.fwf TMemo --name Notes");
  const std::string Lines = "Dear 世界,\n\tindented\n'quoted'\n";
  Write("notes.txt", Lines);
  TRunResult R = RunOk("set Main.fwf Notes.Lines=@notes.txt");
  EXPECT_THAT(R.Out, HasSubstr("Main.fwf: Notes.Lines = (3 lines)\n"));
  R = Run("props Main.fwf Notes --lines Lines");
  EXPECT_EQ(R.Out, Lines);
  EXPECT_EQ(PropField(Json(Run("props Main.fwf Notes --json"))["properties"], "Lines", "lines"),
            (json{"Dear 世界,", "\tindented", "'quoted'"}));
  EXPECT_THAT(Run("props Main.fwf Notes").Out, HasSubstr("| \\tindented\n"));
  RunOk("set Main.fwf Notes.Lines=@-", "one\ntwo\n");
  EXPECT_EQ(Run("props Main.fwf Notes --lines Lines").Out, "one\ntwo\n");
}

TEST_F(ToolTest, PropsMarksInheritedAndOverriddenValuesOnlyWhereThereIsAnAncestor) {
  const std::tuple<const char*, const char*, const char*, const char*> Cases[] = {
      {"Settings.fwf", "OkButton", "Caption", "overridden"},
      {"Settings.fwf", "OkButton", "Width", "inherited"},
      {"Settings.fwf", "SettingsForm", "Caption", "overridden"},
      {"Settings.fwf", "SettingsForm", "Color", "inherited"},
      {"Contact.fwf", "HomeAddress", "Left", "overridden"},
      {"Contact.fwf", "HomeAddress", "Width", "inherited"},
      {"Contact.fwf", "HomeAddress.StreetEdit", "Width", "inherited"},
  };
  for (const auto& [File, Component, Property, Origin] : Cases) {
    SCOPED_TRACE(std::string(Component) + "." + Property);
    const json Props = Json(Run(std::string("props ") + File + " " + Component + " --json"))["properties"];
    EXPECT_EQ(PropField(Props, Property, "origin"), Origin);
  }
  EXPECT_FALSE(
      FindProp(Json(Run("props Main.fwf NameEdit --json"))["properties"], "Color")->contains("origin"));
  EXPECT_THAT(Run("props Main.fwf NameEdit").Out, Not(HasSubstr("origin")));
  const std::string Text = Run("props Settings.fwf OkButton").Out;
  EXPECT_THAT(Text, HasSubstr(" origin "));
  EXPECT_THAT(Text, ::testing::ContainsRegex(
                        "\n  Caption +Save +overridden +TStringProperty +paMultiSelect paRevertable\n"));
}

// The terminal columns of a text in these tests: the ideographs used here take two.
size_t Columns(const std::string& S) {
  size_t N = 0;
  for (size_t I = 0; I < S.size(); ++I)
    if ((static_cast<unsigned char>(S[I]) & 0xC0) != 0x80)
      N += static_cast<unsigned char>(S[I]) >= 0xE4 ? 2 : 1;
  return N;
}

TEST_F(ToolTest, PropsTableKeepsItsColumnsForWideAndMultiLineValues) {
  RunOk("set Main.fwf 'NameLabel.Caption=名前 café' 'NameLabel.Hint=one\ntwo'");
  const std::string Text = Run("props Main.fwf NameLabel").Out;
  std::vector<std::string> Rows;
  for (size_t At = 0, Next; At < Text.size(); At = Next + 1) {
    Next = Text.find('\n', At);
    Rows.push_back(Text.substr(At, Next - At));
  }
  const size_t Editor = Columns(Rows[1].substr(0, Rows[1].find("editor")));
  for (const char* Name : {"  Caption ", "  Hint ", "  Color "}) {
    const auto Row =
        std::find_if(Rows.begin(), Rows.end(), [&](const std::string& L) { return L.rfind(Name, 0) == 0; });
    ASSERT_NE(Row, Rows.end()) << Name;
    EXPECT_EQ(Columns(Row->substr(0, Row->find(" T") + 1)), Editor) << *Row;
  }
  EXPECT_THAT(Text, HasSubstr("  Hint              one\\ntwo "));
  EXPECT_THAT(Text, HasSubstr("paValueList paDialog paMultiSelect paRevertable"));  // the names --json uses
}

}  // namespace
}  // namespace formwright::testing
