#include "processes/EnumProcesses.h"

#include <filesystem>
#include <fstream>

namespace formwright {

namespace {

// The program file name of process `Id`, or its command name, or "" when it has gone.
String ProcessName(const std::filesystem::path& Entry) {
  std::error_code Error;
  const std::filesystem::path Exe = std::filesystem::read_symlink(Entry / "exe", Error);
  if (!Error) {
    String Name = Exe.filename().string();
    // A program replaced on disk while it runs is shown as "name (deleted)".
    if (const size_t Deleted = Name.rfind(" (deleted)");
        Deleted != String::npos && Deleted + 10 == Name.size())
      Name.erase(Deleted);
    return Name;
  }
  std::ifstream Comm(Entry / "comm");
  String Name;
  std::getline(Comm, Name);
  return Name;
}

}  // namespace

void EnumProcesses(const TEnumProcessCallback& Callback) {
  // The process table of the system replaces both the process-status library and the process
  // snapshot of the original platform: it is always there and gives the same answers.
  std::error_code Error;
  for (const auto& Entry : std::filesystem::directory_iterator("/proc", Error)) {
    const String Id = Entry.path().filename().string();
    if (Id.empty() || Id.find_first_not_of("0123456789") != String::npos) continue;
    const String Name = ProcessName(Entry.path());
    if (Name.empty()) continue;
    Callback(static_cast<pid_t>(std::stol(Id)), Name);
  }
}

}  // namespace formwright
