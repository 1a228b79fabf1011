// Tests of the formwright program as a tool author runs it: the program works in a scratch
// folder seeded with copies of module files, and a refused command must leave every file as
// it was.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace formwright::testing {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct TRunResult {
  int Code = -1;
  std::string Out;
  std::string Err;
};

// A fixture that runs `Program` in a fresh temporary folder (`Dir`) holding copies of the files
// of `SeedFolder` (not its sub-folders); `Before` is what the folder held at the start. A suite
// derives its fixture with its program and files:
//   class ScriptTest : public TProgramTest {
//    protected:
//     ScriptTest() : TProgramTest("/usr/bin/formwright", "samples") {}
//   };
class TProgramTest : public ::testing::Test {
 protected:
  TProgramTest(std::string Program, const std::string& SeedFolder);
  ~TProgramTest() override;

  // Runs the program with `Args` (shell words) in the folder, with Input on standard input.
  TRunResult Run(const std::string& Args, const std::string& Input = std::string());
  // Runs the program as Run does and expects it to succeed (exit code 0); a failure names the
  // arguments and what the program said on standard error.
  TRunResult RunOk(const std::string& Args, const std::string& Input = std::string());
  // The same on a pseudo-terminal (standard output and error together), through script(1).
  std::string RunOnTerminal(const std::string& Args);
  std::string Read(const std::string& File) const;
  void Write(const std::string& File, const std::string& Text) const;
  // Every file of the folder with its content.
  std::map<std::string, std::string> Snapshot() const;
  // Hidden files of the folder (a temporary file left behind by a save).
  std::vector<std::string> Hidden() const;
  // The refused command left one line on standard error, printed nothing on standard output,
  // and left every file of the folder as it was, with no temporary file beside them.
  void ExpectRefused(const TRunResult& R, int Code, const std::string& Message);
  // A command, with its standard input, that must be refused with that code and message.
  struct TRefusal {
    std::string Command;
    int Code;
    std::string Message;
    std::string Input = std::string();
  };
  // Runs each command in turn and expects it refused as ExpectRefused does.
  void ExpectEachRefused(const std::vector<TRefusal>& Cases);
  // The form file converted to text when it is binary.
  std::string AsText(const std::string& File) const;
  static nlohmann::ordered_json Json(const TRunResult& R);
  // The `show --json` document of a module file.
  nlohmann::ordered_json Show(const std::string& File);

  std::string Program;
  fs::path Dir;
  std::map<std::string, std::string> Before;
};

// The component of that name anywhere in a `show --json` tree; null when absent.
const nlohmann::ordered_json* FindNode(const nlohmann::ordered_json& Node, const std::string& Name);
// Field `Key` of the component of that name in a `show --json` document; a text saying the
// component is missing when it is.
nlohmann::ordered_json NodeField(const nlohmann::ordered_json& Doc, const std::string& Name,
                                 const std::string& Key);
// The property of that name in a `props --json` document; null when absent.
const nlohmann::ordered_json* FindProp(const nlohmann::ordered_json& Props, const std::string& Name);
// Field `Key` of that property; a text saying the property is missing when it is.
nlohmann::ordered_json PropField(const nlohmann::ordered_json& Props, const std::string& Name,
                                 const std::string& Key);

}  // namespace formwright::testing
