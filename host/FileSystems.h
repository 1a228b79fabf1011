// File systems of the reference host: the ordinary disk, and memory for tests and tools that
// keep modules off disk.
#pragma once

#include <map>

#include "host/HostIntf.h"

namespace formwright {

// The disk: file names are paths. Writes go to a temporary file beside the target which then
// replaces it, so a failed save leaves the file as it was.
class TDiskFileSystem : public TInterfacedObject, public IModuleFileSystem {
 public:
  TOwned<TStream> OpenFile(const String& FileSystem, const String& FileName) override;
  int64_t FileAge(const String& FileSystem, const String& FileName) override;
  bool FileExists(const String& FileSystem, const String& FileName) override;
  void RenameFile(const String& FileSystem, const String& OldName, const String& NewName) override;
  int64_t WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) override;

 private:
  static void CheckFileSystem(const String& FileSystem);
};

// Files held in memory, with a time stamp per write and a read-only flag per file.
class TMemoryFileSystem : public TInterfacedObject, public IModuleFileSystem {
 public:
  TOwned<TStream> OpenFile(const String& FileSystem, const String& FileName) override;
  int64_t FileAge(const String& FileSystem, const String& FileName) override;
  bool FileExists(const String& FileSystem, const String& FileName) override;
  void RenameFile(const String& FileSystem, const String& OldName, const String& NewName) override;
  int64_t WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) override;

  // Puts a file in place (as a person would, without the designer).
  void PutFile(const String& FileName, const String& Contents, bool ReadOnly = false);
  String Contents(const String& FileName) const;
  void SetReadOnly(const String& FileName, bool ReadOnly);
  int Writes() const noexcept { return FWrites; }

 private:
  struct TFile {
    String Data;
    int64_t Age = 0;
    bool ReadOnly = false;
  };
  std::map<String, TFile> FFiles;
  int FWrites = 0;
};

// The current time as a time stamp (nanoseconds of the system clock), never smaller than a
// stamp handed out before.
int64_t NextTimeStamp() noexcept;

}  // namespace formwright
