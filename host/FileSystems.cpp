#include "host/FileSystems.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/runtime/StreamConsts.h"

namespace formwright {

namespace fs = std::filesystem;

namespace {
inline constexpr const char* SReadOnlyFile = "'%s' is a read-only file";
inline constexpr const char* SUnknownFileSystem = "Unknown file system '%s'";

int64_t ToStamp(fs::file_time_type T) {
  const auto Sys = std::chrono::file_clock::to_sys(T);
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Sys.time_since_epoch()).count();
}

}  // namespace

int64_t NextTimeStamp() noexcept {
  static std::atomic<int64_t> Last{0};
  const int64_t Now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
  int64_t Prev = Last.load();
  int64_t Next;
  do {
    Next = Now > Prev ? Now : Prev + 1;
  } while (!Last.compare_exchange_weak(Prev, Next));
  return Next;
}

// ----- TDiskFileSystem ------------------------------------------------------------------------

namespace {
inline constexpr const char* SCannotWrite = "Cannot write file \"%s\": %s";

bool IsReadOnly(const String& FileName) {
  struct stat St {};
  if (::stat(FileName.c_str(), &St) != 0) return false;
  return (St.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(FileName.c_str(), W_OK) != 0;
}

String ErrnoText() { return std::strerror(errno); }

// A new, empty file beside Target with a name no other file has; its descriptor in Fd. The name
// starts with a dot so that listings of the folder pass over it.
String CreateBeside(const String& Target, int& Fd, const char* Kind) {
  static std::atomic<unsigned> Counter{0};
  const fs::path T(Target);
  for (int Try = 0; Try < 100; ++Try) {
    const fs::path P = T.parent_path() / ("." + T.filename().string() + "." + std::to_string(::getpid()) +
                                          "-" + std::to_string(Counter++) + "." + Kind);
    Fd = ::open(P.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Fd >= 0) return P.string();
    if (errno != EEXIST) break;
  }
  throw EFCreateError(Format(SCannotWrite, Target, ErrnoText()));
}

// Data in a temporary file beside Target, with Target's mode and owner when it exists.
String WriteBeside(const String& Target, const String& Data) {
  int Fd = -1;
  const String Temp = CreateBeside(Target, Fd, "saving");
  struct stat St {};
  bool Ok = true;
  for (size_t Done = 0; Ok && Done < Data.size();) {
    const ssize_t N = ::write(Fd, Data.data() + Done, Data.size() - Done);
    if (N < 0 && errno == EINTR) continue;
    Ok = N > 0;
    if (Ok) Done += static_cast<size_t>(N);
  }
  int Error = Ok ? 0 : errno;
  if (Ok && ::stat(Target.c_str(), &St) == 0) {
    Ok = ::fchmod(Fd, St.st_mode & 07777) == 0;
    // Only the superuser may give a file away; anyone else keeps the owner they can.
    if (Ok && ::fchown(Fd, St.st_uid, St.st_gid) != 0 && errno != EPERM) Ok = false;
    if (!Ok) Error = errno;
  }
  if (Ok && ::fsync(Fd) != 0) Ok = false, Error = errno;
  if (::close(Fd) != 0 && Ok) Ok = false, Error = errno;
  if (!Ok) {
    ::unlink(Temp.c_str());
    throw EFCreateError(Format(SCannotWrite, Target, String(std::strerror(Error))));
  }
  return Temp;
}

int64_t AgeOf(const String& Path) {
  std::error_code Ec;
  const auto T = fs::last_write_time(Path, Ec);
  return Ec ? -1 : ToStamp(T);
}
}  // namespace

TDiskFileSystem::~TDiskFileSystem() { DiscardWrites(); }

void TDiskFileSystem::CheckFileSystem(const String& FileSystem) {
  if (!FileSystem.empty()) throw EInOutError(Format(SUnknownFileSystem, FileSystem));
}

TDiskFileSystem::THeld* TDiskFileSystem::Held(const String& FileName) {
  std::error_code Ec;
  for (THeld& H : FHeld)
    if (H.FileName == FileName || fs::equivalent(H.FileName, FileName, Ec) ||
        fs::weakly_canonical(H.FileName, Ec) == fs::weakly_canonical(FileName, Ec))
      return &H;
  return nullptr;
}

String TDiskFileSystem::ReadPath(const String& FileName) const {
  if (const THeld* H = const_cast<TDiskFileSystem*>(this)->Held(FileName)) return H->Temp;
  return FileName;
}

TOwned<TStream> TDiskFileSystem::OpenFile(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  auto M = TOwned<TMemoryStream>(new TMemoryStream());
  std::ifstream In(ReadPath(FileName), std::ios::binary);
  if (!In)
    throw EFOpenError(Format(SFOpenError, FileName, String("The file does not exist or cannot be read")));
  // Read in blocks straight into the stream, until the end of the file as it is while read.
  constexpr int64_t Block = 1 << 16;
  for (int64_t Size = 0;; Size = M->Size()) {
    M->SetSize(Size + Block);
    In.read(reinterpret_cast<char*>(M->Memory() + Size), Block);
    const int64_t Got = In.gcount();
    if (Got < Block) {
      M->SetSize(Size + Got);
      break;
    }
  }
  M->SetPosition(0);
  return TOwned<TStream>(M.release());
}

int64_t TDiskFileSystem::FileAge(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  return AgeOf(ReadPath(FileName));
}

bool TDiskFileSystem::FileExists(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  return fs::is_regular_file(ReadPath(FileName), Ec);
}

void TDiskFileSystem::RenameFile(const String& FileSystem, const String& OldName, const String& NewName) {
  CheckFileSystem(FileSystem);
  // A rename cannot be held back with the writes; it would reach the disk before them.
  if (FHolding) throw EInOutError(Format("Cannot rename \"%s\" while a save is under way", OldName));
  std::error_code Ec;
  fs::rename(OldName, NewName, Ec);
  if (Ec) throw EInOutError(Format("Cannot rename \"%s\" to \"%s\": %s", OldName, NewName, Ec.message()));
}

int64_t TDiskFileSystem::WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  if (fs::exists(FileName, Ec) && !fs::is_regular_file(FileName, Ec))
    throw EFCreateError(Format(SCannotWrite, FileName, String("it is not a regular file")));
  if (IsReadOnly(FileName)) throw EComponentDesignerException(Format(SReadOnlyFile, FileName));
  const String Temp = WriteBeside(FileName, StreamText(Stream));
  if (FHolding) {
    if (THeld* H = Held(FileName)) {
      ::unlink(H->Temp.c_str());
      H->Temp = Temp;
    } else {
      FHeld.push_back({FileName, Temp});
    }
    return AgeOf(Temp);
  }
  if (::rename(Temp.c_str(), FileName.c_str()) != 0) {
    const String Why = ErrnoText();
    ::unlink(Temp.c_str());
    throw EFCreateError(Format(SCannotWrite, FileName, Why));
  }
  return AgeOf(FileName);
}

void TDiskFileSystem::BeginWrites() {
  if (FHolding) throw EInOutError("A save is already under way");
  FHolding = true;
}

void TDiskFileSystem::DiscardWrites() noexcept {
  for (const THeld& H : FHeld) ::unlink(H.Temp.c_str());
  FHeld.clear();
  FHolding = false;
}

std::vector<std::pair<String, String>> TDiskFileSystem::HandOverWrites() noexcept {
  std::vector<std::pair<String, String>> List;
  for (const THeld& H : FHeld) List.emplace_back(H.FileName, H.Temp);
  FHeld.clear();
  FHolding = false;
  return List;
}

void TDiskFileSystem::AdoptWrites(const std::vector<std::pair<String, String>>& Held) {
  if (!FHolding) throw EInOutError("No save is under way");
  for (const auto& [File, Temp] : Held) FHeld.push_back({File, Temp});
}

void TDiskFileSystem::CommitWrites() {
  // The files being replaced stay reachable under a second name (a hard link) until every
  // held file is in place, so that a failed rename can put the earlier ones back.
  std::vector<String> Kept(FHeld.size());
  auto DropKept = [&] {
    for (const String& K : Kept)
      if (!K.empty()) ::unlink(K.c_str());
  };
  for (size_t I = 0; I < FHeld.size(); ++I) {
    const String& Target = FHeld[I].FileName;
    if (::access(Target.c_str(), F_OK) != 0) continue;
    int Fd = -1;
    try {
      Kept[I] = CreateBeside(Target, Fd, "kept");
    } catch (...) {
      DropKept();
      DiscardWrites();
      throw;
    }
    ::close(Fd);
    ::unlink(Kept[I].c_str());
    if (::link(Target.c_str(), Kept[I].c_str()) != 0) {
      const String Why = ErrnoText();
      Kept[I].clear();
      DropKept();
      const String File = Target;
      DiscardWrites();
      throw EFCreateError(Format(SCannotWrite, File, Why));
    }
  }
  for (size_t I = 0; I < FHeld.size(); ++I) {
    if (::rename(FHeld[I].Temp.c_str(), FHeld[I].FileName.c_str()) == 0) continue;
    const String Why = ErrnoText();
    const String File = FHeld[I].FileName;
    for (size_t J = 0; J < I; ++J) {
      if (Kept[J].empty()) {
        ::unlink(FHeld[J].FileName.c_str());
        continue;
      }
      // Put back; should even that fail, the old contents stay in the kept file.
      ::rename(Kept[J].c_str(), FHeld[J].FileName.c_str());
      Kept[J].clear();
    }
    FHeld.erase(FHeld.begin(), FHeld.begin() + static_cast<std::ptrdiff_t>(I));
    DropKept();
    DiscardWrites();
    throw EFCreateError(Format(SCannotWrite, File, Why));
  }
  DropKept();
  FHeld.clear();
  FHolding = false;
}

// ----- TMemoryFileSystem ----------------------------------------------------------------------

namespace {

// A file of the memory file system opened for reading: it reads the bytes the file system
// keeps, and writing to it fails as writing to a file opened for reading does.
class TMemoryFileStream : public TStream {
 public:
  explicit TMemoryFileStream(std::shared_ptr<const String> Data) : FData(std::move(Data)) {}
  int64_t Read(void* Buffer, int64_t Count) override {
    const int64_t Size = static_cast<int64_t>(FData->size());
    const int64_t N = std::clamp<int64_t>(std::min(Count, Size - FPosition), 0, Size);
    if (N > 0) std::memcpy(Buffer, FData->data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
  }
  int64_t Write(const void*, int64_t) override { throw EWriteError(SWriteError); }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override {
    const int64_t Base = Origin == soBeginning ? 0
                         : Origin == soCurrent ? FPosition
                                               : static_cast<int64_t>(FData->size());
    if (Base + Offset < 0) throw EStreamError(SSeekError);
    return FPosition = Base + Offset;
  }

 private:
  std::shared_ptr<const String> FData;
  int64_t FPosition = 0;
};

}  // namespace

TOwned<TStream> TMemoryFileSystem::OpenFile(const String&, const String& FileName) {
  auto It = FFiles.find(FileName);
  if (It == FFiles.end()) throw EFOpenError(Format(SFOpenError, FileName, String("The file does not exist")));
  return TOwned<TStream>(new TMemoryFileStream(It->second.Data));
}

int64_t TMemoryFileSystem::FileAge(const String&, const String& FileName) {
  auto It = FFiles.find(FileName);
  return It == FFiles.end() ? -1 : It->second.Age;
}

bool TMemoryFileSystem::FileExists(const String&, const String& FileName) {
  return FFiles.count(FileName) != 0;
}

void TMemoryFileSystem::RenameFile(const String&, const String& OldName, const String& NewName) {
  auto It = FFiles.find(OldName);
  if (It == FFiles.end()) throw EInOutError(Format("Cannot rename \"%s\": it does not exist", OldName));
  TFile F = It->second;
  FFiles.erase(It);
  FFiles[NewName] = F;
}

int64_t TMemoryFileSystem::WriteFile(const String&, const String& FileName, TStream* Stream) {
  auto It = FFiles.find(FileName);
  if (It != FFiles.end() && It->second.ReadOnly)
    throw EComponentDesignerException(Format(SReadOnlyFile, FileName));
  TFile& F = FFiles[FileName];
  F.Data = std::make_shared<const String>(StreamText(Stream));
  F.Age = NextTimeStamp();
  ++FWrites;
  return F.Age;
}

void TMemoryFileSystem::PutFile(const String& FileName, const String& Contents, bool ReadOnly) {
  FFiles[FileName] = TFile{std::make_shared<const String>(Contents), NextTimeStamp(), ReadOnly};
}

String TMemoryFileSystem::Contents(const String& FileName) const {
  auto It = FFiles.find(FileName);
  return It == FFiles.end() ? String() : *It->second.Data;
}

void TMemoryFileSystem::SetReadOnly(const String& FileName, bool ReadOnly) {
  auto It = FFiles.find(FileName);
  if (It != FFiles.end()) It->second.ReadOnly = ReadOnly;
}

}  // namespace formwright
