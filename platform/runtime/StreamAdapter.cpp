#include "platform/runtime/StreamAdapter.h"

#include <algorithm>

#include "platform/runtime/StreamConsts.h"
#include "platform/runtime/TypInfo.h"

namespace formwright {

FW_REGISTER_CLASS(TStreamAdapter, "Classes")
FW_REGISTER_CLASS(TMemoryStreamAdapter, "Classes")

IPtr<IStream> AdaptStream(TStream* Stream, int64_t ModifyTime) {
  if (auto* Memory = dynamic_cast<TMemoryStream*>(Stream))
    return MakeIntf<TMemoryStreamAdapter>(Memory, ModifyTime);
  return MakeIntf<TStreamAdapter>(Stream, ModifyTime);
}

namespace {
constexpr int64_t CopyBufferSize = 16 * 1024;

template <class Read, class Write>
int64_t CopyChunks(int64_t Size, Read&& ReadChunk, Write&& WriteChunk) {
  uint8_t Buffer[CopyBufferSize];
  int64_t Done = 0;
  while (Done < Size) {
    const int64_t Want = std::min(CopyBufferSize, Size - Done);
    const int64_t Got = ReadChunk(Buffer, Want);
    if (Got <= 0) throw EReadError(SReadError);
    WriteChunk(Buffer, Got);
    Done += Got;
  }
  return Done;
}
}  // namespace

int64_t CopyStream(IStream& Source, TStream& Target) {
  const int64_t Size = Source.GetSize();
  Source.Seek(0, soBeginning);
  return CopyChunks(
      Size, [&](void* B, int64_t N) { return Source.Read(B, N); },
      [&](const void* B, int64_t N) { Target.WriteBuffer(B, N); });
}

int64_t CopyStream(TStream& Source, IStream& Target) {
  const int64_t Size = Source.Size();
  Source.SetPosition(0);
  return CopyChunks(
      Size, [&](void* B, int64_t N) { return Source.Read(B, N); },
      [&](const void* B, int64_t N) {
        if (Target.Write(B, N) != N) throw EWriteError(SWriteError);
      });
}

}  // namespace formwright
