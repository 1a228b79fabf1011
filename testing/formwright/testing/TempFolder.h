// A temporary folder for tests that touch files.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/runtime/SysUtils.h"

namespace formwright::testing {

// A fresh folder below the system's temporary folder, removed with everything in it when the
// object goes (after giving back write permission a test may have taken away).
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // Writes `Bytes` to `Name` below the folder (creating sub-folders) and returns its path.
  String Write(const String& Name, std::string_view Bytes) const;
  // The contents of `Name` below the folder ("" when it cannot be read).
  String Read(const String& Name) const;
  // The path of `Name` below the folder.
  String PathOf(const String& Name) const { return (FPath / Name).string(); }
  // The folder with a trailing separator, ready for `Directory + FileName`.
  String Directory() const { return FPath.string() + "/"; }
  const std::filesystem::path& Path() const noexcept { return FPath; }

 private:
  std::filesystem::path FPath;
};

}  // namespace formwright::testing
