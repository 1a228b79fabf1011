#include "host/FileSystems.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace formwright {

namespace fs = std::filesystem;

namespace {
inline constexpr const char* SReadOnlyFile = "'%s' is a read-only file";
inline constexpr const char* SUnknownFileSystem = "Unknown file system '%s'";
inline constexpr const char* SFileNotFound = "Cannot open file \"%s\". %s";

int64_t ToStamp(fs::file_time_type T) {
  const auto Sys = std::chrono::file_clock::to_sys(T);
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Sys.time_since_epoch()).count();
}

String ReadAll(TStream* Stream) {
  String Data(static_cast<size_t>(Stream->Size()), '\0');
  Stream->SetPosition(0);
  if (!Data.empty()) Stream->ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  return Data;
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

void TDiskFileSystem::CheckFileSystem(const String& FileSystem) {
  if (!FileSystem.empty()) throw EInOutError(Format(SUnknownFileSystem, FileSystem));
}

TOwned<TStream> TDiskFileSystem::OpenFile(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  auto M = TOwned<TMemoryStream>(new TMemoryStream());
  std::ifstream In(FileName, std::ios::binary);
  if (!In) throw EFOpenError(Format(SFileNotFound, FileName, String("The file does not exist or cannot be read")));
  const String Data((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  if (!Data.empty()) M->WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  M->SetPosition(0);
  return TOwned<TStream>(M.release());
}

int64_t TDiskFileSystem::FileAge(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  const auto T = fs::last_write_time(FileName, Ec);
  return Ec ? -1 : ToStamp(T);
}

bool TDiskFileSystem::FileExists(const String& FileSystem, const String& FileName) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  return fs::is_regular_file(FileName, Ec);
}

void TDiskFileSystem::RenameFile(const String& FileSystem, const String& OldName, const String& NewName) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  fs::rename(OldName, NewName, Ec);
  if (Ec) throw EInOutError(Format("Cannot rename \"%s\" to \"%s\": %s", OldName, NewName, Ec.message()));
}

int64_t TDiskFileSystem::WriteFile(const String& FileSystem, const String& FileName, TStream* Stream) {
  CheckFileSystem(FileSystem);
  std::error_code Ec;
  if (fs::exists(FileName, Ec) && ::access(FileName.c_str(), W_OK) != 0)
    throw EComponentDesignerException(Format(SReadOnlyFile, FileName));
  const String Data = ReadAll(Stream);
  const fs::path Target(FileName);
  const fs::path Temp = Target.parent_path() / ("." + Target.filename().string() + ".saving");
  {
    std::ofstream Out(Temp, std::ios::binary | std::ios::trunc);
    if (!Out) throw EFCreateError(Format("Cannot create file \"%s\"", Temp.string()));
    Out.write(Data.data(), static_cast<std::streamsize>(Data.size()));
    Out.flush();
    if (!Out) {
      Out.close();
      fs::remove(Temp, Ec);
      throw EFCreateError(Format("Cannot write file \"%s\"", FileName));
    }
  }
  fs::rename(Temp, Target, Ec);
  if (Ec) {
    fs::remove(Temp, Ec);
    throw EFCreateError(Format("Cannot write file \"%s\"", FileName));
  }
  return FileAge(FileSystem, FileName);
}

// ----- TMemoryFileSystem ----------------------------------------------------------------------

TOwned<TStream> TMemoryFileSystem::OpenFile(const String&, const String& FileName) {
  auto It = FFiles.find(FileName);
  if (It == FFiles.end()) throw EFOpenError(Format(SFileNotFound, FileName, String("The file does not exist")));
  auto* M = new TStringStream(It->second.Data);
  M->SetPosition(0);
  return TOwned<TStream>(M);
}

int64_t TMemoryFileSystem::FileAge(const String&, const String& FileName) {
  auto It = FFiles.find(FileName);
  return It == FFiles.end() ? -1 : It->second.Age;
}

bool TMemoryFileSystem::FileExists(const String&, const String& FileName) { return FFiles.count(FileName) != 0; }

void TMemoryFileSystem::RenameFile(const String&, const String& OldName, const String& NewName) {
  auto It = FFiles.find(OldName);
  if (It == FFiles.end()) throw EInOutError(Format("Cannot rename \"%s\": it does not exist", OldName));
  TFile F = It->second;
  FFiles.erase(It);
  FFiles[NewName] = F;
}

int64_t TMemoryFileSystem::WriteFile(const String&, const String& FileName, TStream* Stream) {
  auto It = FFiles.find(FileName);
  if (It != FFiles.end() && It->second.ReadOnly) throw EComponentDesignerException(Format(SReadOnlyFile, FileName));
  TFile& F = FFiles[FileName];
  F.Data = ReadAll(Stream);
  F.Age = NextTimeStamp();
  ++FWrites;
  return F.Age;
}

void TMemoryFileSystem::PutFile(const String& FileName, const String& Contents, bool ReadOnly) {
  FFiles[FileName] = TFile{Contents, NextTimeStamp(), ReadOnly};
}

String TMemoryFileSystem::Contents(const String& FileName) const {
  auto It = FFiles.find(FileName);
  return It == FFiles.end() ? String() : It->second.Data;
}

void TMemoryFileSystem::SetReadOnly(const String& FileName, bool ReadOnly) {
  auto It = FFiles.find(FileName);
  if (It != FFiles.end()) It->second.ReadOnly = ReadOnly;
}

}  // namespace formwright
