// Byte streams of the runtime: the abstract stream with position and size, memory, file and
// string streams, copying, and the resource header that precedes a module's component stream.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/runtime/System.h"

namespace formwright {

enum TSeekOrigin : uint8_t { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a current position. Every stream of the runtime can seek.
//
// A stream writer derives from it and implements `Read`, `Write` and `Seek`; `SetSize` is
// optional (the base raises). Reads and writes move the position by the bytes transferred.
class TStream : public TObject {
  FW_CLASS(TStream, TObject)
 public:
  // Reads up to `Count` bytes into `Buffer`; returns how many were read (0 at the end).
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  // Writes `Count` bytes; returns how many were written.
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Moves the position and returns the new one. A position before 0 raises EStreamError.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  // Cuts or extends the stream; the position stays unless it lies past the new end.
  virtual void SetSize(int64_t NewSize);

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
  int64_t Size();

  // Reads or writes exactly `Count` bytes or raises (EReadError "Stream read error",
  // EWriteError "Stream write error").
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies `Count` bytes from `Source`'s position; with 0 the whole of `Source` from its start.
  // Returns the bytes copied.
  int64_t CopyFrom(TStream* Source, int64_t Count);

  // Writes the resource header that names a module's component stream (the root's class
  // name, stored upper-case). `FixupInfo` receives where the size field is; call
  // `FixupResourceHeader` after the stream was written to fill it in.
  void WriteResourceHeader(const String& ResName, int64_t& FixupInfo);
  void FixupResourceHeader(int64_t FixupInfo);
  // Skips a resource header at the position when there is one (the position stays otherwise);
  // raises EInvalidImage ("Invalid stream format") for a truncated header.
  void ReadResHeader();
  // True when a resource header starts at the position (the position is kept).
  bool HasResHeader();
  // Where the byte at `Offset` came from when the stream holds a component stream converted
  // from text ("line 3, column 5"); empty otherwise. Readers name it in their messages.
  virtual String SourcePosition(int64_t Offset) const { return String(); }
};

// A stream over a block of memory that it owns and grows as it is written.
class TMemoryStream : public TStream {
  FW_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;

  // The stream's bytes (valid until the next write or resize).
  const uint8_t* Memory() const noexcept { return FData.data(); }
  uint8_t* Memory() noexcept { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const noexcept { return FData; }
  // The storage itself, for a writer that appends a large text in place instead of building it
  // apart and copying it in; it then sets the position (the stream does not follow on its own).
  std::vector<uint8_t>& Storage() noexcept { return FData; }
  void Clear() noexcept;
  // Replaces the content by the whole of `Stream` (from its start) and rewinds.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName);

  // Records that the bytes from `Offset` on came from `Line` and `Column` of a text (the text
  // conversion calls it, offsets ascending); SourcePosition answers from these marks.
  void MarkSource(int64_t Offset, int Line, int Column);
  String SourcePosition(int64_t Offset) const override;

 private:
  struct TSourceMark {
    int64_t Offset;
    int Line;
    int Column;
  };
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
  std::vector<TSourceMark> FSourceMarks;
};

// A memory stream over a string: what is written becomes `DataString`.
class TStringStream : public TMemoryStream {
  FW_CLASS(TStringStream, TMemoryStream)
 public:
  TStringStream() = default;
  explicit TStringStream(std::string_view Data);
  String DataString() const { return String(reinterpret_cast<const char*>(Memory()), Bytes().size()); }
  // Reads up to `Count` characters from the position (all that remain for a negative count).
  String ReadString(int64_t Count);
  void WriteString(std::string_view S) { WriteBuffer(S.data(), static_cast<int64_t>(S.size())); }
};

// The bytes of Stream from its start, at most Limit of them, as a string; the position is left
// after them. A memory stream's bytes are copied once, without zeroing a string first.
String StreamText(TStream* Stream, int64_t Limit = INT64_MAX);

// Open modes of file streams (one access mode, optionally combined with a share mode, which
// the platform does not enforce).
inline constexpr uint16_t fmCreate = 0xFF00;
inline constexpr uint16_t fmOpenRead = 0x0000;
inline constexpr uint16_t fmOpenWrite = 0x0001;
inline constexpr uint16_t fmOpenReadWrite = 0x0002;
inline constexpr uint16_t fmShareDenyNone = 0x0040;

// A stream over an open file descriptor, which it closes when freed.
class THandleStream : public TStream {
  FW_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(int Handle) noexcept : FHandle(Handle) {}
  ~THandleStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  int Handle() const noexcept { return FHandle; }

 protected:
  int FHandle;
};

// A file opened by name: `fmCreate` creates or truncates it (EFCreateError "Cannot create file
// "%s"" on failure), the open modes open an existing one (EFOpenError "Cannot open file "%s"").
class TFileStream : public THandleStream {
  FW_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const String& FileName, uint16_t Mode);
  const String& FileName() const noexcept { return FFileName; }

 private:
  String FFileName;
};

}  // namespace formwright
