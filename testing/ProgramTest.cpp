#include "formwright/testing/ProgramTest.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "formwright/testing/Matchers.h"

namespace formwright::testing {

namespace {
std::string Slurp(const fs::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

std::string Quote(const std::string& S) {
  std::string R = "'";
  for (char C : S) R += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return R + "'";
}
}  // namespace

TProgramTest::TProgramTest(std::string AProgram, const std::string& SeedFolder)
    : Program(std::move(AProgram)) {
  char Template[] = "/tmp/formwright-run-XXXXXX";
  if (!mkdtemp(Template)) throw std::runtime_error("cannot create a temporary folder");
  Dir = Template;
  for (const auto& E : fs::directory_iterator(SeedFolder))
    if (E.is_regular_file()) fs::copy_file(E.path(), Dir / E.path().filename());
  Before = Snapshot();
}

TProgramTest::~TProgramTest() {
  std::error_code Ec;
  fs::remove_all(Dir, Ec);
}

TRunResult TProgramTest::Run(const std::string& Args, const std::string& Input) {
  Write(".stdin", Input);
  const std::string Cmd =
      "cd " + Quote(Dir.string()) + " && " + Quote(Program) + " " + Args + " <.stdin >.stdout 2>.stderr";
  const int Status = std::system(Cmd.c_str());
  TRunResult R;
  R.Code = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  R.Out = Slurp(Dir / ".stdout");
  R.Err = Slurp(Dir / ".stderr");
  for (const char* F : {".stdin", ".stdout", ".stderr"}) fs::remove(Dir / F);
  return R;
}

TRunResult TProgramTest::RunOk(const std::string& Args, const std::string& Input) {
  TRunResult R = Run(Args, Input);
  EXPECT_EQ(R.Code, 0) << Args << ": " << R.Err;
  return R;
}

std::string TProgramTest::RunOnTerminal(const std::string& Args) {
  const std::string Inner = Quote(Program) + " " + Args;
  const std::string Cmd =
      "cd " + Quote(Dir.string()) + " && script -qec " + Quote(Inner) + " /dev/null >.stdout 2>&1";
  EXPECT_EQ(std::system(Cmd.c_str()), 0);
  const std::string Out = Slurp(Dir / ".stdout");
  fs::remove(Dir / ".stdout");
  return Out;
}

std::string TProgramTest::Read(const std::string& File) const { return Slurp(Dir / File); }

void TProgramTest::Write(const std::string& File, const std::string& Text) const {
  std::ofstream Out(Dir / File, std::ios::binary);
  Out << Text;
}

std::map<std::string, std::string> TProgramTest::Snapshot() const {
  std::map<std::string, std::string> Files;
  for (const auto& E : fs::directory_iterator(Dir))
    if (E.is_regular_file() && E.path().filename().string()[0] != '.')
      Files[E.path().filename().string()] = Slurp(E.path());
  return Files;
}

std::vector<std::string> TProgramTest::Hidden() const {
  std::vector<std::string> Names;
  for (const auto& E : fs::directory_iterator(Dir))
    if (E.path().filename().string()[0] == '.') Names.push_back(E.path().filename().string());
  return Names;
}

void TProgramTest::ExpectRefused(const TRunResult& R, int Code, const std::string& Message) {
  EXPECT_EQ(R.Code, Code) << R.Err;
  EXPECT_EQ(R.Out, "") << "a refused command printed on standard output";
  EXPECT_EQ(Hidden(), std::vector<std::string>());
  EXPECT_THAT(R.Err, HasSubstr(Message));
  EXPECT_EQ(std::count(R.Err.begin(), R.Err.end(), '\n'), 1) << R.Err;
  EXPECT_THAT(R.Err, StartsWith("formwright: "));
  EXPECT_TRUE(Snapshot() == Before) << "a refused command changed files";
}

void TProgramTest::ExpectEachRefused(const std::vector<TRefusal>& Cases) {
  for (const TRefusal& C : Cases) {
    SCOPED_TRACE(C.Command);
    ExpectRefused(Run(C.Command, C.Input), C.Code, C.Message);
  }
}

std::string TProgramTest::AsText(const std::string& File) const { return ModuleText(Read(File)); }

nlohmann::ordered_json TProgramTest::Json(const TRunResult& R) {
  return nlohmann::ordered_json::parse(R.Out);
}

const nlohmann::ordered_json* FindNode(const nlohmann::ordered_json& Node, const std::string& Name) {
  if (Node.value("name", std::string()) == Name) return &Node;
  if (Node.contains("children"))
    for (const auto& C : Node["children"])
      if (const auto* F = FindNode(C, Name)) return F;
  return nullptr;
}

nlohmann::ordered_json TProgramTest::Show(const std::string& File) {
  const TRunResult R = Run("show " + File + " --json");
  EXPECT_EQ(R.Code, 0) << R.Err;
  return R.Code == 0 ? Json(R) : nlohmann::ordered_json::object();
}

nlohmann::ordered_json NodeField(const nlohmann::ordered_json& Doc, const std::string& Name,
                                 const std::string& Key) {
  const auto* N = Doc.contains("root") ? FindNode(Doc["root"], Name) : nullptr;
  return N ? N->value(Key, nlohmann::ordered_json()) : nlohmann::ordered_json("(no component " + Name + ")");
}

const nlohmann::ordered_json* FindProp(const nlohmann::ordered_json& Props, const std::string& Name) {
  for (const auto& P : Props)
    if (P["name"] == Name) return &P;
  return nullptr;
}

nlohmann::ordered_json PropField(const nlohmann::ordered_json& Props, const std::string& Name,
                                 const std::string& Key) {
  const auto* P = FindProp(Props, Name);
  return P ? P->value(Key, nlohmann::ordered_json()) : nlohmann::ordered_json("(no property " + Name + ")");
}

}  // namespace formwright::testing
