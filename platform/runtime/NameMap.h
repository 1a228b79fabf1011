// A map from names, any letter case, to values, kept in one array.
#pragma once

#include <utility>
#include <vector>

#include "platform/runtime/NameTable.h"

namespace formwright {

// Values by name regardless of letter case, with open addressing in one array of slots that
// hold the name (as first given), its hash and the value: no allocation per entry for short
// names and one cache line per lookup, however many names there are. Pointers to values stay
// valid until the next insertion.
template <class V>
class TNameMap {
 public:
  // The value of Name; null when absent.
  V* Find(std::string_view Name) noexcept {
    const size_t I = Slot(Name, NameHash(Name));
    return I == NoSlot ? nullptr : &FSlots[I].Value;
  }
  const V* Find(std::string_view Name) const noexcept { return const_cast<TNameMap*>(this)->Find(Name); }
  // The value of Name, added as Value when absent; the flag tells whether it was added.
  std::pair<V*, bool> TryEmplace(std::string_view Name, V Value) {
    if ((FUsed + 1) * 2 > FSlots.size()) Rehash((FCount + 1) * 4 > FSlots.size() ? FSlots.size() * 2 : 0);
    const uint32_t H = NameHash(Name);
    size_t Free = NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      TSlot& S = FSlots[I];
      if (S.State == sErased) {
        if (Free == NoSlot) Free = I;
      } else if (S.State == sEmpty) {
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        FSlots[Free] = TSlot{String(Name), H, sFull, std::move(Value)};
        ++FCount;
        return {&FSlots[Free].Value, true};
      } else if (S.Hash == H && SameText(S.Name, Name)) {
        return {&S.Value, false};
      }
    }
  }
  // Takes Name out; false when it was not there.
  bool Erase(std::string_view Name) noexcept {
    const size_t I = Slot(Name, NameHash(Name));
    if (I == NoSlot) return false;
    FSlots[I].State = sErased;
    FSlots[I].Name.clear();
    --FCount;
    return true;
  }
  // Calls F(Value&) for every entry, in no particular order.
  template <class F>
  void ForEach(F Each) {
    for (TSlot& S : FSlots)
      if (S.State == sFull) Each(S.Value);
  }
  size_t Size() const noexcept { return FCount; }
  // Makes room for Count entries in all, so that filling the map up to that many moves none.
  void Reserve(size_t Count) {
    size_t Capacity = 8;
    while (Capacity < Count * 2) Capacity *= 2;
    if (Capacity > FSlots.size()) Rehash(Capacity);
  }

 private:
  enum TState : uint8_t { sEmpty, sFull, sErased };
  struct TSlot {
    String Name;
    uint32_t Hash = 0;
    TState State = sEmpty;
    V Value{};
  };
  static constexpr size_t NoSlot = SIZE_MAX;
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  size_t Home(uint32_t H) const noexcept {
    return static_cast<size_t>((uint64_t{H} * 0x9E3779B97F4A7C15ull) >> 32) & Mask();
  }
  size_t Slot(std::string_view Name, uint32_t H) const noexcept {
    if (FCount == 0) return NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const TSlot& S = FSlots[I];
      if (S.State == sEmpty) return NoSlot;
      if (S.State == sFull && S.Hash == H && SameText(S.Name, Name)) return I;
    }
  }
  // Rebuilds the table with Capacity slots (0: as many as now), dropping erased slots.
  void Rehash(size_t Capacity) {
    if (Capacity == 0) Capacity = FSlots.size();
    std::vector<TSlot> Old(Capacity < 8 ? 8 : Capacity);
    Old.swap(FSlots);
    FUsed = 0;
    for (TSlot& S : Old)
      if (S.State == sFull) {
        size_t I = Home(S.Hash);
        while (FSlots[I].State != sEmpty) I = (I + 1) & Mask();
        FSlots[I] = std::move(S);
        ++FUsed;
      }
  }

  std::vector<TSlot> FSlots;
  size_t FCount = 0;  // entries
  size_t FUsed = 0;   // slots full or erased
};

}  // namespace formwright
