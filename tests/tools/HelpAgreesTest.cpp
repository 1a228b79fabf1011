// The README, the help and the program agree: every example in the README runs, every verb the
// program has is in the README's table and has its own help, and the layout table is the tree.
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ToolFixture.h"

namespace formwright::testing {
namespace {

const fs::path Source = fs::path(FW_EXAMPLES_DIR).parent_path();

std::string Readme() {
  std::ifstream In(Source / "README.md");
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

// `formwright ...` inline, and indented blocks whose first line starts with formwright (a here
// document there becomes the standard input): each as the words after the program's name and
// the input.
std::vector<std::pair<std::string, std::string>> Examples(const std::string& Text) {
  std::vector<std::pair<std::string, std::string>> List;
  const std::regex Inline("`formwright ([^`]*)`");
  for (std::sregex_iterator It(Text.begin(), Text.end(), Inline), End; It != End; ++It)
    List.emplace_back((*It)[1], std::string());
  std::istringstream Lines(Text);
  std::string Line, Block;
  auto EndBlock = [&] {
    if (Block.rfind("formwright ", 0) == 0) {
      const size_t Here = Block.find(" <<'EOF'\n");
      if (Here == std::string::npos)
        List.emplace_back(Block.substr(11), std::string());
      else
        List.emplace_back(Block.substr(11, Here - 11),
                          Block.substr(Here + 9, Block.rfind("EOF\n") - Here - 9));
    }
    Block.clear();
  };
  while (std::getline(Lines, Line)) {
    if (Line.rfind("    ", 0) == 0)
      Block += Line.substr(4) + "\n";
    else
      EndBlock();
  }
  EndBlock();
  return List;
}

// The verbs the bare program lists in its summary ("  show      the component tree").
std::set<std::string> SummaryVerbs(const std::string& Summary) {
  std::set<std::string> Verbs;
  const std::regex Row("\n  ([a-z]+) +[a-z]");
  for (std::sregex_iterator It(Summary.begin(), Summary.end(), Row), End; It != End; ++It)
    Verbs.insert((*It)[1]);
  return Verbs;
}

TEST_F(ToolTest, EveryReadmeExampleRunsOnCopiesOfTheExamples) {
  const auto List = Examples(Readme());
  ASSERT_GE(List.size(), 20u);
  for (const auto& [Example, Input] : List) {
    SCOPED_TRACE(Example);
    for (const auto& [File, Text] : Before) Write(File, Text);  // a fresh copy for each
    for (const auto& E : fs::directory_iterator(Dir))
      if (!Before.count(E.path().filename().string())) fs::remove_all(E.path());
    const TRunResult R = RunOk(Example, Input);
    EXPECT_EQ(R.Err, "");
  }
}

TEST_F(ToolTest, HelpSummaryAndReadmeNameTheSameVerbsAndEachHasItsHelp) {
  const TRunResult Bare = Run("");
  ASSERT_EQ(Bare.Code, 0);
  EXPECT_LE(std::count(Bare.Out.begin(), Bare.Out.end(), '\n'), 30) << "more than one screen";
  const std::set<std::string> Verbs = SummaryVerbs(Bare.Out);
  ASSERT_GE(Verbs.size(), 17u);
  std::set<std::string> Table;
  const std::string Text = Readme();
  const std::regex Row("\n\\| `([a-z]+)[ `]");
  for (std::sregex_iterator It(Text.begin(), Text.end(), Row), End; It != End; ++It) Table.insert((*It)[1]);
  EXPECT_EQ(Table, Verbs);
  const TRunResult Help = Run("help");
  EXPECT_EQ(Help.Code, 0);
  for (const std::string& V : Verbs) {
    SCOPED_TRACE(V);
    EXPECT_THAT(Help.Out, HasSubstr("  formwright " + V));
    const TRunResult One = Run(V + " --help");
    EXPECT_EQ(One.Code, 0);
    EXPECT_THAT(One.Out, StartsWith("  formwright " + V));
    EXPECT_EQ(Run("help " + V).Out, One.Out);
  }
  EXPECT_THAT(Run("--version").Out, StartsWith("formwright "));
  ExpectRefused(Run("help nosuch"), 2, "Unknown verb 'nosuch'");
}

TEST_F(ToolTest, ReadmeLayoutTableIsTheTree) {
  const std::string Text = Readme();
  const std::string Layout = Text.substr(Text.find("## Layout"));
  std::set<std::string> Table;
  const std::regex Row("\n\\| `([a-z/]+)/` \\|");
  for (std::sregex_iterator It(Layout.begin(), Layout.end(), Row), End; It != End; ++It)
    Table.insert((*It)[1]);
  std::set<std::string> Tree;
  for (const auto& E : fs::directory_iterator(Source)) {
    const std::string Name = E.path().filename().string();
    if (!E.is_directory() || Name[0] == '.' || Name.rfind("build", 0) == 0) continue;
    if (Name != "platform") Tree.insert(Name);
    if (Name == "platform")
      for (const auto& Sub : fs::directory_iterator(E.path()))
        if (Sub.is_directory()) Tree.insert("platform/" + Sub.path().filename().string());
  }
  EXPECT_EQ(Table, Tree);
}

}  // namespace
}  // namespace formwright::testing
