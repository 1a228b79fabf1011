// Lookups by name regardless of letter case over items that carry their own names.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// A hash of Name that ignores ASCII letter case, as SameText does when it compares names.
inline uint32_t NameHash(std::string_view Name) noexcept {
  uint32_t H = 2166136261u;
  for (const char C : Name) {
    auto U = static_cast<unsigned char>(C);
    if (static_cast<unsigned>(U - 'A') < 26u) U |= 0x20;
    H = (H ^ U) * 16777619u;
  }
  return H;
}

// Items by name, any letter case, in open-addressed slots: no allocation per item and no
// pointer chasing, so that a module of fifty thousand components looks a name up as cheaply as
// one of ten. The slots' hashes and items lie in two arrays: a probe reads only the hashes (four
// bytes a slot, sixteen to a cache line), and an item is touched only when its hash agrees, so a
// name that is not there (the unique-name check of every component read) usually costs one
// cache line of a table a quarter the size of the items'. The table keeps no names: TNameOf()(Item)
// gives an item's name, which must stay the name it was added under while it is in the table
// (the owner takes it out under its old name before renaming it).
template <class T, class TNameOf>
class TNameTable {
 public:
  // The item named Name; null when there is none.
  T* Find(std::string_view Name) const noexcept {
    if (FCount == 0) return nullptr;
    const uint32_t H = SlotHash(Name);
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const uint32_t S = Hashes()[I];
      if (S == NeverUsed) return nullptr;
      if (S == H && SameText(TNameOf()(Items()[I]), Name)) return Items()[I];
    }
  }
  // Files Item under Name; an item already filed under that name (or Item itself) gives way.
  void Set(std::string_view Name, T* Item) {
    if ((FUsed + 1) * 2 > FCapacity) Rehash((FCount + 1) * 4 > FCapacity ? size_t{FCapacity} * 2 : 0);
    const uint32_t H = SlotHash(Name);
    size_t Free = NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const uint32_t S = Hashes()[I];
      if (S == Erased) {
        if (Free == NoSlot) Free = I;
        continue;
      }
      if (S == NeverUsed) {
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        Hashes()[Free] = H;
        Items()[Free] = Item;
        ++FCount;
        return;
      }
      if (S == H && (Items()[I] == Item || SameText(TNameOf()(Items()[I]), Name))) {
        Items()[I] = Item;
        return;
      }
    }
  }
  // Takes Item out when it is filed under Name; false when it is not.
  bool Erase(std::string_view Name, const T* Item) noexcept {
    if (FCount == 0 || !Item) return false;
    const uint32_t H = SlotHash(Name);
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const uint32_t S = Hashes()[I];
      if (S == H && Items()[I] == Item) {
        Hashes()[I] = Erased;
        Items()[I] = nullptr;
        --FCount;
        return true;
      }
      if (S == NeverUsed) return false;
    }
  }
  void Clear() noexcept {
    FBlock.reset();
    FCapacity = FCount = FUsed = 0;
  }
  bool Empty() const noexcept { return FCount == 0; }
  size_t Size() const noexcept { return FCount; }

 private:
  // Slot marks: a slot never used ends a probe; one emptied by Erase is stepped over. Names
  // whose hash is one of the marks are filed under another value.
  static constexpr uint32_t NeverUsed = 0, Erased = 1;
  static uint32_t SlotHash(std::string_view Name) noexcept {
    const uint32_t H = NameHash(Name);
    return H > Erased ? H : H + 2;
  }
  static constexpr size_t NoSlot = SIZE_MAX;
  size_t Mask() const noexcept { return FCapacity - 1; }
  // The hashes come first in the block, then the items (the capacity is a power of two of at
  // least 8, so the items stay aligned).
  uint32_t* Hashes() const noexcept { return reinterpret_cast<uint32_t*>(FBlock.get()); }
  T** Items() const noexcept { return reinterpret_cast<T**>(FBlock.get() + FCapacity * sizeof(uint32_t)); }
  // Fibonacci hashing spreads names that differ only in their last digits.
  size_t Home(uint32_t H) const noexcept {
    return static_cast<size_t>((uint64_t{H} * 0x9E3779B97F4A7C15ull) >> 32) & Mask();
  }
  // Rebuilds the table with Capacity slots (0: as many as now), dropping erased slots.
  void Rehash(size_t Capacity) {
    if (Capacity == 0) Capacity = FCapacity;
    if (Capacity < 8) Capacity = 8;
    std::unique_ptr<char[]> Old(new char[Capacity * (sizeof(uint32_t) + sizeof(T*))]);
    Old.swap(FBlock);
    const size_t OldCapacity = FCapacity;
    const uint32_t* OldHashes = reinterpret_cast<const uint32_t*>(Old.get());
    T* const* OldItems = reinterpret_cast<T* const*>(Old.get() + OldCapacity * sizeof(uint32_t));
    FCapacity = static_cast<uint32_t>(Capacity);
    uint32_t* H = Hashes();
    T** Item = Items();
    std::fill_n(H, Capacity, NeverUsed);
    FUsed = 0;
    for (size_t J = 0; J < OldCapacity; ++J)
      if (OldHashes[J] > Erased) {
        size_t I = Home(OldHashes[J]);
        while (H[I] != NeverUsed) I = (I + 1) & Mask();
        H[I] = OldHashes[J];
        Item[I] = OldItems[J];
        ++FUsed;
      }
  }

  // One block for both arrays keeps an owner's empty table at one pointer and three counts.
  std::unique_ptr<char[]> FBlock;
  uint32_t FCapacity = 0;
  uint32_t FCount = 0;  // items filed
  uint32_t FUsed = 0;   // slots holding an item or erased
};

}  // namespace formwright
