// A stream handed across component boundaries as a reference-counted interface.
#pragma once

#include "platform/runtime/Streams.h"

namespace formwright {

// A byte stream with a modification time. Positions and sizes are in bytes.
struct IStream : virtual IInterface {
  FW_INTERFACE(IStream, IInterface, "{0000000C-0000-0000-C000-000000000046}")
  // Reads up to Count bytes at the position; returns how many were read.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  // Writes up to Count bytes; returns how many were written (0 for a read-only stream).
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Moves the position and returns the new one.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t GetSize() = 0;
  // The time stamp of the content's last modification.
  virtual int64_t GetModifyTime() = 0;
};

}  // namespace formwright
