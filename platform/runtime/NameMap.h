// A map from names, any letter case, to values, kept in two arrays.
#pragma once

#include <utility>
#include <vector>

#include "platform/runtime/NameTable.h"

namespace formwright {

// Values by name regardless of letter case, with open addressing in one array of (hash, entry)
// slots of eight bytes over the entries (name as first given, value) kept densely in the order
// they were added: a name that is not there costs one small slot, one that is there one entry
// more, and entries looked up in the order they were added are read one after the other. No
// allocation per entry for short names. Pointers to values stay valid until the next insertion.
template <class V>
class TNameMap {
 public:
  // The value of Name; null when absent.
  V* Find(std::string_view Name) noexcept {
    const size_t I = Slot(Name, NameHash(Name));
    return I == NoSlot ? nullptr : &FEntries[FSlots[I].Entry].Value;
  }
  const V* Find(std::string_view Name) const noexcept { return const_cast<TNameMap*>(this)->Find(Name); }
  // The value of Name, added as Value when absent; the flag tells whether it was added.
  std::pair<V*, bool> TryEmplace(std::string_view Name, V Value) {
    if ((FUsed + 1) * 2 > FSlots.size())
      Rehash((FCount + 1) * 4 > FSlots.size() ? FSlots.size() * 2 : 0);
    else if (FEntries.size() >= 2 * FCount + 16)
      Rehash(0);  // erased entries are dropped once they outnumber the others
    const uint32_t H = NameHash(Name);
    size_t Free = NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      TSlot& S = FSlots[I];
      if (S.Entry == Erased) {
        if (Free == NoSlot) Free = I;
      } else if (S.Entry == Empty) {
        if (Free == NoSlot) {
          Free = I;
          ++FUsed;
        }
        FEntries.push_back(TEntry{String(Name), std::move(Value), H, true});
        FSlots[Free] = TSlot{H, static_cast<uint32_t>(FEntries.size() - 1)};
        ++FCount;
        return {&FEntries.back().Value, true};
      } else if (S.Hash == H && SameText(FEntries[S.Entry].Name, Name)) {
        return {&FEntries[S.Entry].Value, false};
      }
    }
  }
  // Takes Name out; false when it was not there.
  bool Erase(std::string_view Name) noexcept {
    const size_t I = Slot(Name, NameHash(Name));
    if (I == NoSlot) return false;
    TEntry& E = FEntries[FSlots[I].Entry];
    E.Live = false;
    E.Name.clear();
    FSlots[I].Entry = Erased;
    --FCount;
    return true;
  }
  // Calls F(Value&) for every entry, in the order they were added.
  template <class F>
  void ForEach(F Each) {
    for (TEntry& E : FEntries)
      if (E.Live) Each(E.Value);
  }
  size_t Size() const noexcept { return FCount; }
  // Makes room for Count entries in all, so that filling the map up to that many moves none.
  void Reserve(size_t Count) {
    size_t Capacity = 8;
    while (Capacity < Count * 2) Capacity *= 2;
    if (Capacity > FSlots.size()) Rehash(Capacity);
    FEntries.reserve(Count);
  }

 private:
  // Entry is an index into FEntries, or one of the two marks below.
  struct TSlot {
    uint32_t Hash = 0;
    uint32_t Entry = Empty;
  };
  struct TEntry {
    String Name;
    V Value{};
    uint32_t Hash = 0;
    bool Live = false;
  };
  static constexpr uint32_t Empty = UINT32_MAX, Erased = UINT32_MAX - 1;
  static constexpr size_t NoSlot = SIZE_MAX;
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  size_t Home(uint32_t H) const noexcept {
    return static_cast<size_t>((uint64_t{H} * 0x9E3779B97F4A7C15ull) >> 32) & Mask();
  }
  size_t Slot(std::string_view Name, uint32_t H) const noexcept {
    if (FCount == 0) return NoSlot;
    for (size_t I = Home(H);; I = (I + 1) & Mask()) {
      const TSlot& S = FSlots[I];
      if (S.Entry == Empty) return NoSlot;
      if (S.Entry != Erased && S.Hash == H && SameText(FEntries[S.Entry].Name, Name)) return I;
    }
  }
  // Rebuilds the table with Capacity slots (0: as many as now), dropping erased slots and
  // entries; the entries keep their order.
  void Rehash(size_t Capacity) {
    if (Capacity == 0) Capacity = FSlots.size();
    FSlots.assign(Capacity < 8 ? 8 : Capacity, TSlot{});
    if (FCount != FEntries.size()) {
      std::vector<TEntry> Live;
      Live.reserve(FCount);
      for (TEntry& E : FEntries)
        if (E.Live) Live.push_back(std::move(E));
      FEntries.swap(Live);
    }
    FUsed = 0;
    for (size_t E = 0; E < FEntries.size(); ++E) {
      const uint32_t H = FEntries[E].Hash;
      size_t I = Home(H);
      while (FSlots[I].Entry != Empty) I = (I + 1) & Mask();
      FSlots[I] = TSlot{H, static_cast<uint32_t>(E)};
      ++FUsed;
    }
  }

  std::vector<TSlot> FSlots;
  std::vector<TEntry> FEntries;  // in the order added; erased ones not Live until a rehash
  size_t FCount = 0;             // live entries
  size_t FUsed = 0;              // slots full or erased
};

}  // namespace formwright
