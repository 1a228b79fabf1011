// A set of object addresses kept in one array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formwright {

// A set of addresses with open addressing in one array: no allocation per member and no
// pointer chasing, for sets that hold every component of a large module for a moment (the
// components waiting for Loaded while modules load). Null is never a member.
template <class T>
class TPointerSet {
 public:
  // Adds P; false when it was already there.
  bool Insert(const T* P) {
    if ((FUsed + 1) * 2 > FSlots.size())
      Rehash(FCount + 1 > FSlots.size() / 4 ? FSlots.size() * 2 : FSlots.size());
    size_t Free = NoSlot;
    for (size_t I = Home(P);; I = (I + 1) & Mask()) {
      const T* S = FSlots[I];
      if (S == P) return false;
      if (S == Tombstone()) {
        if (Free == NoSlot) Free = I;
      } else if (!S) {
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        FSlots[Free] = P;
        ++FCount;
        return true;
      }
    }
  }
  // Makes room for Count members in all without growing the table again.
  void Reserve(size_t Count) {
    size_t Capacity = 16;
    while (Capacity < Count * 2 + 2) Capacity *= 2;
    if (Capacity > FSlots.size()) Rehash(Capacity);
  }
  // Takes P out; false when it was not there.
  bool Erase(const T* P) {
    const size_t I = Find(P);
    if (I == NoSlot) return false;
    FSlots[I] = Tombstone();
    --FCount;
    return true;
  }
  bool Contains(const T* P) const { return Find(P) != NoSlot; }
  // Asks for the slot where P is looked for first to be brought into the cache: a hint for a
  // loop over many members, given a few members ahead; nothing is read.
  void Prefetch(const T* P) const noexcept {
    if (!FSlots.empty()) __builtin_prefetch(&FSlots[Home(P)], 1, 1);
  }
  size_t Size() const noexcept { return FCount; }
  void Clear() noexcept {
    FSlots.clear();
    FCount = FUsed = 0;
  }

 private:
  static constexpr size_t NoSlot = SIZE_MAX;
  static const T* Tombstone() noexcept { return reinterpret_cast<const T*>(uintptr_t(1)); }
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  // Fibonacci hashing: the address's bits spread over the table whatever its alignment.
  size_t Home(const T* P) const noexcept {
    return static_cast<size_t>((reinterpret_cast<uintptr_t>(P) * 0x9E3779B97F4A7C15ull) >> 20) & Mask();
  }
  size_t Find(const T* P) const noexcept {
    if (!P || P == Tombstone() || FSlots.empty()) return NoSlot;
    for (size_t I = Home(P);; I = (I + 1) & Mask()) {
      if (FSlots[I] == P) return I;
      if (!FSlots[I]) return NoSlot;
    }
  }
  // Rebuilds the table with Capacity slots (a power of two), dropping the tombstones.
  void Rehash(size_t Capacity) {
    std::vector<const T*> Old(Capacity < 16 ? 16 : Capacity, nullptr);
    Old.swap(FSlots);
    FCount = FUsed = 0;
    for (const T* P : Old)
      if (P && P != Tombstone()) {
        size_t I = Home(P);
        while (FSlots[I]) I = (I + 1) & Mask();
        FSlots[I] = P;
        ++FCount;
        ++FUsed;
      }
  }

  std::vector<const T*> FSlots;
  size_t FCount = 0;  // members
  size_t FUsed = 0;   // members and tombstones
};

}  // namespace formwright
