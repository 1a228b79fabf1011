// Asking for memory ahead of its use.
#pragma once

#include <cstddef>

namespace formwright {

// Asks for the heap block of an object about to be walked (its first Span bytes, about the size
// of a framework control, and the allocator's header before them) to be brought into the cache,
// so that work on a large module that no longer fits there overlaps the fetch of the next object
// with the current one. Only a hint: any address may be given, nothing is read. The lines go to
// the outer cache levels (low locality): a whole control's worth of lines asked for at once into
// the first level would fill the core's few slots for outstanding misses and stall it.
inline void PrefetchObject(const void* Object, size_t Span = 1536) noexcept {
  constexpr size_t Line = 64;
  const char* Start = static_cast<const char*>(Object) - 16;
  for (size_t At = 0; At < Span + 16; At += Line) __builtin_prefetch(Start + At, 0, 1);
}

}  // namespace formwright
