#include "platform/runtime/Streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/runtime/StreamConsts.h"
#include "platform/runtime/TypInfo.h"

namespace formwright {

FW_REGISTER_CLASS(TStream, "Classes")
FW_REGISTER_CLASS(TMemoryStream, "Classes")
FW_REGISTER_CLASS(TStringStream, "Classes")
FW_REGISTER_CLASS(THandleStream, "Classes")
FW_REGISTER_CLASS(TFileStream, "Classes")

// ----- TStream --------------------------------------------------------------------------------

void TStream::SetSize(int64_t) { throw EStreamError(SSetSizeError); }

int64_t TStream::Size() {
  const int64_t Pos = Seek(0, soCurrent);
  const int64_t End = Seek(0, soEnd);
  Seek(Pos, soBeginning);
  return End;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count) throw EWriteError(SWriteError);
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  uint8_t Buf[16384];
  int64_t Left = Count;
  while (Left > 0) {
    const int64_t N = std::min<int64_t>(Left, sizeof Buf);
    Source->ReadBuffer(Buf, N);
    WriteBuffer(Buf, N);
    Left -= N;
  }
  return Count;
}

// The resource header: $FF, resource type $0A $00 (binary data), the name in upper case and
// a 0 byte, memory flags $1030, and the 32-bit size of the data that follows.
void TStream::WriteResourceHeader(const String& ResName, int64_t& FixupInfo) {
  const uint8_t Type[3] = {0xFF, 0x0A, 0x00};
  WriteBuffer(Type, 3);
  const String Name = UpperCase(ResName);
  WriteBuffer(Name.c_str(), static_cast<int64_t>(Name.size()) + 1);
  const uint8_t Flags[2] = {0x30, 0x10};
  WriteBuffer(Flags, 2);
  FixupInfo = Position();
  const uint8_t Size[4] = {0, 0, 0, 0};
  WriteBuffer(Size, 4);
}

void TStream::FixupResourceHeader(int64_t FixupInfo) {
  const int64_t End = Position();
  const int64_t Len = End - FixupInfo - 4;
  const uint8_t Size[4] = {uint8_t(Len), uint8_t(Len >> 8), uint8_t(Len >> 16), uint8_t(Len >> 24)};
  SetPosition(FixupInfo);
  WriteBuffer(Size, 4);
  SetPosition(End);
}

bool TStream::HasResHeader() {
  const int64_t Pos = Position();
  uint8_t B[2] = {0, 0};
  const int64_t N = Read(B, 2);
  SetPosition(Pos);
  return N == 2 && B[0] == 0xFF && B[1] == 0x0A;
}

void TStream::ReadResHeader() {
  if (!HasResHeader()) return;
  uint8_t Type[3];
  if (Read(Type, 3) != 3 || Type[2] != 0) throw EInvalidImage(SInvalidResHeader);
  uint8_t C = 1;
  int Len = 0;
  do {
    if (Read(&C, 1) != 1 || ++Len > 256) throw EInvalidImage(SInvalidResHeader);
  } while (C != 0);
  uint8_t Rest[6];
  if (Read(Rest, 6) != 6) throw EInvalidImage(SInvalidResHeader);
}

// ----- TMemoryStream --------------------------------------------------------------------------

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  const int64_t Avail = static_cast<int64_t>(FData.size()) - FPosition;
  const int64_t N = std::max<int64_t>(0, std::min(Count, Avail));
  if (N > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
  FPosition += N;
  return N;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  const auto* Bytes = static_cast<const uint8_t*>(Buffer);
  const auto Pos = static_cast<size_t>(FPosition), N = static_cast<size_t>(Count);
  if (Pos > FData.size()) FData.resize(Pos);  // a gap left past the end reads as zeros
  // What lies over bytes already there replaces them; the rest is appended, never zeroed first.
  const size_t Over = std::min(N, FData.size() - Pos);
  if (Over > 0) std::memcpy(FData.data() + Pos, Bytes, Over);
  FData.insert(FData.end(), Bytes + Over, Bytes + N);
  FPosition += Count;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int64_t Base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : int64_t(FData.size());
  if (Base + Offset < 0) throw EStreamError(SSeekError);
  FPosition = Base + Offset;
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError(SSetSizeError);
  FData.resize(static_cast<size_t>(NewSize));
  FPosition = std::min(FPosition, NewSize);
  // Marks of bytes cut off go with them.
  while (!FSourceMarks.empty() && FSourceMarks.back().Offset >= NewSize) FSourceMarks.pop_back();
}

void TMemoryStream::Clear() noexcept {
  FData.clear();
  FPosition = 0;
  FSourceMarks.clear();
}

void TMemoryStream::MarkSource(int64_t Offset, int Line, int Column) {
  while (!FSourceMarks.empty() && FSourceMarks.back().Offset >= Offset) FSourceMarks.pop_back();
  FSourceMarks.push_back({Offset, Line, Column});
}

String TMemoryStream::SourcePosition(int64_t Offset) const {
  auto It = std::upper_bound(FSourceMarks.begin(), FSourceMarks.end(), Offset,
                             [](int64_t O, const TSourceMark& M) { return O < M.Offset; });
  if (It == FSourceMarks.begin()) return String();
  --It;
  return Format("line %d, column %d", It->Line, It->Column);
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const int64_t N = Stream->Size();
  std::vector<uint8_t> Data(static_cast<size_t>(N));
  Stream->ReadBuffer(Data.data(), N);
  FData = std::move(Data);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  Stream->WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TOwned<TFileStream> F(new TFileStream(FileName, fmOpenRead | fmShareDenyNone));
  LoadFromStream(F.get());
}

void TMemoryStream::SaveToFile(const String& FileName) {
  TOwned<TFileStream> F(new TFileStream(FileName, fmCreate));
  SaveToStream(F.get());
}

// ----- TStringStream --------------------------------------------------------------------------

TStringStream::TStringStream(std::string_view Data) {
  WriteString(Data);
  SetPosition(0);
}

String TStringStream::ReadString(int64_t Count) {
  const int64_t Avail = Size() - Position();
  if (Count < 0 || Count > Avail) Count = Avail;
  String S(static_cast<size_t>(Count), '\0');
  ReadBuffer(S.data(), Count);
  return S;
}

String StreamText(TStream* Stream, int64_t Limit) {
  const auto Size = static_cast<size_t>(std::min(Stream->Size(), Limit));
  String Text;
  if (const auto* M = dynamic_cast<const TMemoryStream*>(Stream)) {
    Text.assign(reinterpret_cast<const char*>(M->Memory()), Size);
  } else {
    Text.resize(Size);
    Stream->SetPosition(0);
    if (Size > 0) Stream->ReadBuffer(Text.data(), static_cast<int64_t>(Size));
  }
  Stream->SetPosition(static_cast<int64_t>(Size));
  return Text;
}

// ----- THandleStream, TFileStream -------------------------------------------------------------

THandleStream::~THandleStream() {
  if (FHandle >= 0) ::close(FHandle);
}

int64_t THandleStream::Read(void* Buffer, int64_t Count) {
  int64_t Done = 0;
  auto* P = static_cast<uint8_t*>(Buffer);
  while (Done < Count) {
    const ssize_t N = ::read(FHandle, P + Done, static_cast<size_t>(Count - Done));
    if (N <= 0) break;
    Done += N;
  }
  return Done;
}

int64_t THandleStream::Write(const void* Buffer, int64_t Count) {
  int64_t Done = 0;
  const auto* P = static_cast<const uint8_t*>(Buffer);
  while (Done < Count) {
    const ssize_t N = ::write(FHandle, P + Done, static_cast<size_t>(Count - Done));
    if (N <= 0) break;
    Done += N;
  }
  return Done;
}

int64_t THandleStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  const int Whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t R = ::lseek(FHandle, static_cast<off_t>(Offset), Whence);
  if (R < 0) throw EStreamError(SSeekError);
  return R;
}

void THandleStream::SetSize(int64_t NewSize) {
  const int64_t Pos = Position();
  if (::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0) throw EStreamError(SSetSizeError);
  if (Pos > NewSize) SetPosition(NewSize);
}

namespace {
int OpenFile(const String& FileName, uint16_t Mode) {
  if (Mode == fmCreate) {
    const int H = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (H < 0) throw EFCreateError(Format(SFCreateError, FileName, String(std::strerror(errno))));
    return H;
  }
  const int Access = (Mode & 3) == fmOpenWrite ? O_WRONLY : (Mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
  const int H = ::open(FileName.c_str(), Access | O_CLOEXEC);
  if (H < 0) throw EFOpenError(Format(SFOpenError, FileName, String(std::strerror(errno))));
  return H;
}
}  // namespace

TFileStream::TFileStream(const String& FileName, uint16_t Mode)
    : THandleStream(OpenFile(FileName, Mode)), FFileName(FileName) {}

}  // namespace formwright
