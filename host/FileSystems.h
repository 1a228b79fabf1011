// File systems of the reference host: the ordinary disk, and memory for tests and tools that
// keep modules off disk.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "contracts/HostIntf.h"

namespace formwright {

// The disk: file names are paths. Writes go to a temporary file beside the target which then
// replaces it, keeping the target's mode and owner, so a failed save leaves the file as it was.
//
// Between BeginWrites and CommitWrites the writes of several files are held back: each goes to
// its temporary file, reads of a held file see the new contents, and only CommitWrites renames
// them all into place; if any rename fails, the files already replaced get their old contents
// back. DiscardWrites removes every temporary file and changes nothing. Use TWriteBatch rather
// than calling these directly.
//
// A file is read-only when it has no write permission bit set, or when this process may not
// write it: a file a person marked read-only is refused even for a user who could override it.
class TDiskFileSystem : public TInterfacedObject, public IModuleFileSystem {
 public:
  ~TDiskFileSystem() override;
  TOwned<TStream> OpenFile(const String& FileSystem, const String& FileName) override;
  int64_t FileAge(const String& FileSystem, const String& FileName) override;
  bool FileExists(const String& FileSystem, const String& FileName) override;
  void RenameFile(const String& FileSystem, const String& OldName, const String& NewName) override;
  int64_t WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) override;

  void BeginWrites();
  // Renames every held file into place, all or none; raises naming the file that failed.
  void CommitWrites();
  void DiscardWrites() noexcept;
  bool HoldingWrites() const noexcept { return FHolding; }
  // Ends holding without committing or discarding: returns each held file with its temporary
  // file (target, temporary), which stay on disk for another file system to adopt.
  std::vector<std::pair<String, String>> HandOverWrites() noexcept;
  // Takes over writes another file system (another process) held, as if they had been written
  // here since BeginWrites: CommitWrites puts them in place, DiscardWrites removes them.
  void AdoptWrites(const std::vector<std::pair<String, String>>& Held);

 private:
  struct THeld {
    String FileName;  // as the caller named it (messages use it)
    String Temp;
  };
  static void CheckFileSystem(const String& FileSystem);
  // The file to read for FileName: its held temporary while writes are held.
  String ReadPath(const String& FileName) const;
  THeld* Held(const String& FileName);

  bool FHolding = false;
  std::vector<THeld> FHeld;
};

// Holds back the writes of a disk file system for one command: every file it writes reaches
// the disk at Commit, together; when the batch ends without Commit (a refusal, an exception)
// every temporary file is removed and no file has changed.
class TWriteBatch {
 public:
  explicit TWriteBatch(TDiskFileSystem& Files) : FFiles(Files) { FFiles.BeginWrites(); }
  ~TWriteBatch() {
    if (!FDone) FFiles.DiscardWrites();
  }
  TWriteBatch(const TWriteBatch&) = delete;
  TWriteBatch& operator=(const TWriteBatch&) = delete;
  void Commit() {
    FDone = true;
    FFiles.CommitWrites();
  }

 private:
  TDiskFileSystem& FFiles;
  bool FDone = false;
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
    // Shared with the streams reading the file: opening copies nothing, and a write replaces
    // the bytes without changing what an open stream reads.
    std::shared_ptr<const String> Data;
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
