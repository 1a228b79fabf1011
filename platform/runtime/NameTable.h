// Lookups by name regardless of letter case over items that carry their own names.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Items by name, any letter case, in one array of (hash, item) slots with open addressing: no
// allocation per item and no pointer chasing, so that a module of fifty thousand components
// looks a name up as cheaply as one of ten. The table keeps no names: TNameOf()(Item) gives an
// item's name, which must stay the name it was added under while it is in the table (the
// owner takes it out under its old name before renaming it). A name is read only when the
// hashes agree, so a name that is not there usually costs one cache line.
template <class T, class TNameOf>
class TNameTable {
 public:
  // The item named Name; null when there is none.
  T* Find(std::string_view Name) const noexcept {
    if (FCount == 0) return nullptr;
    const uint32_t H = NameHash(Name);
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const TSlot& S = FSlots[I];
      if (!S.Item) {
        if (!S.Erased) return nullptr;
      } else if (S.Hash == H && SameText(TNameOf()(S.Item), Name)) {
        return S.Item;
      }
    }
  }
  // Files Item under Name; an item already filed under that name (or Item itself) gives way.
  void Set(std::string_view Name, T* Item) {
    if ((FUsed + 1) * 2 > FSlots.size()) Rehash((FCount + 1) * 4 > FSlots.size() ? FSlots.size() * 2 : 0);
    const uint32_t H = NameHash(Name);
    size_t Free = NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      TSlot& S = FSlots[I];
      if (!S.Item) {
        if (S.Erased) {
          if (Free == NoSlot) Free = I;
          continue;
        }
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        FSlots[Free] = {Item, H, false};
        ++FCount;
        return;
      }
      if (S.Hash == H && (S.Item == Item || SameText(TNameOf()(S.Item), Name))) {
        S.Item = Item;
        return;
      }
    }
  }
  // Takes Item out when it is filed under Name; false when it is not.
  bool Erase(std::string_view Name, const T* Item) noexcept {
    if (FCount == 0 || !Item) return false;
    const uint32_t H = NameHash(Name);
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      TSlot& S = FSlots[I];
      if (S.Item == Item && S.Hash == H) {
        S = {nullptr, 0, true};
        --FCount;
        return true;
      }
      if (!S.Item && !S.Erased) return false;
    }
  }
  void Clear() noexcept {
    FSlots = std::vector<TSlot>();
    FCount = FUsed = 0;
  }
  bool Empty() const noexcept { return FCount == 0; }
  size_t Size() const noexcept { return FCount; }

 private:
  struct TSlot {
    T* Item;
    uint32_t Hash;
    bool Erased;  // a slot emptied by Erase: lookups go on past it
  };
  static constexpr size_t NoSlot = SIZE_MAX;
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  // Fibonacci hashing spreads names that differ only in their last digits.
  size_t Home(uint32_t H) const noexcept {
    return static_cast<size_t>((uint64_t{H} * 0x9E3779B97F4A7C15ull) >> 32) & Mask();
  }
  // Rebuilds the table with Capacity slots (0: as many as now), dropping erased slots.
  void Rehash(size_t Capacity) {
    if (Capacity == 0) Capacity = FSlots.size();
    std::vector<TSlot> Old(Capacity < 8 ? 8 : Capacity, TSlot{nullptr, 0, false});
    Old.swap(FSlots);
    FUsed = 0;
    for (const TSlot& S : Old)
      if (S.Item) {
        size_t I = Home(S.Hash);
        while (FSlots[I].Item) I = (I + 1) & Mask();
        FSlots[I] = S;
        ++FUsed;
      }
  }

  std::vector<TSlot> FSlots;
  size_t FCount = 0;  // items filed
  size_t FUsed = 0;   // slots holding an item or erased
};

}  // namespace formwright
