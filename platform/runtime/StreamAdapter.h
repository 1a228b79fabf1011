// Streams of this runtime handed out as IStream without handing over their ownership, and the
// copies between the two kinds of stream.
#pragma once

#include "platform/runtime/StreamIntf.h"

namespace formwright {

// An IStream over a TStream it does not own: the stream must outlive the adapter's use.
// ModifyTime is what GetModifyTime answers.
class TStreamAdapter : public TInterfacedObject, public IStream {
  FW_CLASS(TStreamAdapter, TInterfacedObject)
 public:
  explicit TStreamAdapter(TStream* Stream, int64_t ModifyTime = -1) noexcept
      : FStream(Stream), FModifyTime(ModifyTime) {}
  int64_t Read(void* Buffer, int64_t Count) override { return FStream->Read(Buffer, Count); }
  int64_t Write(const void* Buffer, int64_t Count) override { return FStream->Write(Buffer, Count); }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override { return FStream->Seek(Offset, Origin); }
  int64_t GetSize() override { return FStream->Size(); }
  int64_t GetModifyTime() override { return FModifyTime; }

 private:
  TStream* FStream;
  int64_t FModifyTime;
};

// The bytes of a stream held in memory, readable in place.
struct IStreamMemory : virtual IInterface {
  FW_INTERFACE(IStreamMemory, IInterface, "{5E0B3D20-0101-4C6A-9F21-77AA00000101}")
  // The stream's bytes: valid until the stream is next written, resized or freed.
  virtual const uint8_t* GetMemory() = 0;
};

// The adapter of a memory stream (not owned), which also shows its bytes in place.
class TMemoryStreamAdapter : public TStreamAdapter, public IStreamMemory {
  FW_CLASS(TMemoryStreamAdapter, TStreamAdapter)
 public:
  explicit TMemoryStreamAdapter(TMemoryStream* Stream, int64_t ModifyTime = -1) noexcept
      : TStreamAdapter(Stream, ModifyTime), FMemory(Stream) {}
  const uint8_t* GetMemory() override { return FMemory->Memory(); }

 private:
  TMemoryStream* FMemory;
};

// An adapter for Stream (not owned): the memory-stream one when Stream is a memory stream.
IPtr<IStream> AdaptStream(TStream* Stream, int64_t ModifyTime = -1);

// Copies the whole of Source, from its start, to Target at its position; returns the bytes
// copied. Raises EReadError when Source ends before its size, EWriteError when Target takes
// fewer bytes than given.
int64_t CopyStream(IStream& Source, TStream& Target);
int64_t CopyStream(TStream& Source, IStream& Target);

}  // namespace formwright
