// A map from object addresses to values, kept in one array.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace formwright {

// Values by object address with open addressing in one array of (address, value) slots: no
// allocation per entry and one cache line per lookup, for maps that hold something for every
// component of a large module (the design surface's items). Null is never a key. A value taken
// out is handed back to the caller, so that whatever its destruction sets off meets a map that
// is already consistent. Pointers to values stay valid until the next insertion.
template <class K, class V>
class TPointerMap {
 public:
  // The value of Key; null when absent.
  V* Find(const K* Key) noexcept {
    const size_t I = Slot(Key);
    return I == NoSlot ? nullptr : &FSlots[I].Value;
  }
  // Files Value under Key unless Key is there already; the value filed and whether it was added.
  std::pair<V*, bool> Insert(const K* Key, V Value) {
    if ((FUsed + 1) * 2 > FSlots.size())
      Rehash(FCount + 1 > FSlots.size() / 4 ? FSlots.size() * 2 : FSlots.size());
    size_t Free = NoSlot;
    for (size_t I = Home(Key);; I = (I + 1) & Mask()) {
      TSlot& S = FSlots[I];
      if (S.Key == Key) return {&S.Value, false};
      if (S.Key == Tombstone()) {
        if (Free == NoSlot) Free = I;
      } else if (!S.Key) {
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        FSlots[Free] = TSlot{Key, std::move(Value)};
        ++FCount;
        return {&FSlots[Free].Value, true};
      }
    }
  }
  // Takes Key out; its value (a default one when Key was absent).
  V Take(const K* Key) {
    const size_t I = Slot(Key);
    if (I == NoSlot) return V{};
    return Vacate(FSlots[I]);
  }
  // Takes out every entry for which Remove(Key, Value) is true; their values, in no order.
  template <class F>
  std::vector<V> TakeIf(F Remove) {
    std::vector<V> Taken;
    for (TSlot& S : FSlots)
      if (S.Key && S.Key != Tombstone() && Remove(S.Key, S.Value)) Taken.push_back(Vacate(S));
    return Taken;
  }
  size_t Size() const noexcept { return FCount; }
  // Empties the map; the values go once it is empty.
  void Clear() {
    std::vector<TSlot> Gone;
    Gone.swap(FSlots);
    FCount = FUsed = 0;
  }

 private:
  struct TSlot {
    const K* Key = nullptr;
    V Value{};
  };
  static constexpr size_t NoSlot = SIZE_MAX;
  static const K* Tombstone() noexcept { return reinterpret_cast<const K*>(uintptr_t(1)); }
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  // Fibonacci hashing: the high bits of the product spread addresses whatever their alignment.
  size_t Home(const K* Key) const noexcept {
    return static_cast<size_t>((reinterpret_cast<uintptr_t>(Key) * 0x9E3779B97F4A7C15ull) >> FShift);
  }
  size_t Slot(const K* Key) const noexcept {
    if (!Key || Key == Tombstone() || FCount == 0) return NoSlot;
    for (size_t I = Home(Key);; I = (I + 1) & Mask()) {
      if (FSlots[I].Key == Key) return I;
      if (!FSlots[I].Key) return NoSlot;
    }
  }
  V Vacate(TSlot& S) {
    V Value = std::move(S.Value);
    S = TSlot{Tombstone(), V{}};
    --FCount;
    return Value;
  }
  // Rebuilds the table with Capacity slots (a power of two), dropping the tombstones.
  void Rehash(size_t Capacity) {
    if (Capacity < 16) Capacity = 16;
    std::vector<TSlot> Old(Capacity);
    Old.swap(FSlots);
    FShift = 64;
    for (size_t C = Capacity; C > 1; C /= 2) --FShift;
    FCount = FUsed = 0;
    for (TSlot& S : Old)
      if (S.Key && S.Key != Tombstone()) {
        size_t I = Home(S.Key);
        while (FSlots[I].Key) I = (I + 1) & Mask();
        FSlots[I] = std::move(S);
        ++FCount;
        ++FUsed;
      }
  }

  std::vector<TSlot> FSlots;
  size_t FCount = 0;  // entries
  size_t FUsed = 0;   // entries and tombstones
  unsigned FShift = 64;
};

}  // namespace formwright
