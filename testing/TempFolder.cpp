#include "formwright/testing/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace formwright::testing {

TTempFolder::TTempFolder() {
  String Pattern = (std::filesystem::temp_directory_path() / "fwtest-XXXXXX").string();
  if (!mkdtemp(Pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  FPath = Pattern;
}

TTempFolder::~TTempFolder() {
  std::error_code Error;
  std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               Error);
  std::filesystem::remove_all(FPath, Error);
}

String TTempFolder::Write(const String& Name, std::string_view Bytes) const {
  const std::filesystem::path File = FPath / Name;
  std::filesystem::create_directories(File.parent_path());
  std::ofstream(File, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  return File.string();
}

String TTempFolder::Read(const String& Name) const {
  std::ifstream In(FPath / Name, std::ios::binary);
  return String(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

}  // namespace formwright::testing
