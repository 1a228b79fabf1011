// Small value types of the runtime: sets over enumerations, points and rectangles, shift
// states, date-times and currency.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace formwright {

// A set over an enumeration with at most 64 members; bit n stands for ordinal n.
template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet needs an enumeration");

 public:
  constexpr TSet() noexcept = default;
  constexpr TSet(std::initializer_list<E> Items) noexcept {
    for (E I : Items) FBits |= Bit(I);
  }
  static constexpr TSet FromBits(uint64_t Bits) noexcept {
    TSet S;
    S.FBits = Bits;
    return S;
  }
  constexpr uint64_t Bits() const noexcept { return FBits; }
  constexpr bool Contains(E I) const noexcept { return (FBits & Bit(I)) != 0; }
  constexpr bool Empty() const noexcept { return FBits == 0; }
  constexpr TSet& Include(E I) noexcept {
    FBits |= Bit(I);
    return *this;
  }
  constexpr TSet& Exclude(E I) noexcept {
    FBits &= ~Bit(I);
    return *this;
  }
  constexpr TSet& Set(E I, bool Member) noexcept { return Member ? Include(I) : Exclude(I); }
  constexpr TSet& operator<<(E I) noexcept { return Include(I); }
  constexpr TSet& operator>>(E I) noexcept { return Exclude(I); }
  friend constexpr TSet operator+(TSet A, TSet B) noexcept { return FromBits(A.FBits | B.FBits); }
  friend constexpr TSet operator-(TSet A, TSet B) noexcept { return FromBits(A.FBits & ~B.FBits); }
  friend constexpr TSet operator*(TSet A, TSet B) noexcept { return FromBits(A.FBits & B.FBits); }
  friend constexpr bool operator==(TSet A, TSet B) noexcept { return A.FBits == B.FBits; }
  // True when every member of A is in B.
  friend constexpr bool operator<=(TSet A, TSet B) noexcept { return (A.FBits & ~B.FBits) == 0; }

 private:
  static constexpr uint64_t Bit(E I) noexcept { return uint64_t(1) << static_cast<unsigned>(I); }
  uint64_t FBits = 0;
};

struct TPoint {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr int Width() const noexcept { return Right - Left; }
  constexpr int Height() const noexcept { return Bottom - Top; }
  constexpr TPoint TopLeft() const noexcept { return {Left, Top}; }
  constexpr bool Contains(TPoint P) const noexcept {
    return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom;
  }
  constexpr bool IsEmpty() const noexcept { return Right <= Left || Bottom <= Top; }
  constexpr void Offset(int DX, int DY) noexcept {
    Left += DX;
    Right += DX;
    Top += DY;
    Bottom += DY;
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int Left, int Top, int Right, int Bottom) noexcept { return {Left, Top, Right, Bottom}; }
constexpr TRect Bounds(int Left, int Top, int Width, int Height) noexcept {
  return {Left, Top, Left + Width, Top + Height};
}

enum TShiftStateItem : uint8_t {
  ssShift,
  ssAlt,
  ssCtrl,
  ssLeft,
  ssRight,
  ssMiddle,
  ssDouble,
  ssTouch,
  ssPen,
  ssCommand,
  ssHorizontal
};
using TShiftState = TSet<TShiftStateItem>;

// Days since 1899-12-30 in the integral part, the time of day as the fraction.
struct TDateTime {
  double Value = 0;
  constexpr TDateTime() noexcept = default;
  constexpr TDateTime(double V) noexcept : Value(V) {}
  constexpr operator double() const noexcept { return Value; }
};

// Fixed-point money: four decimal places, stored scaled by 10,000.
struct Currency {
  int64_t Scaled = 0;
  static constexpr Currency FromScaled(int64_t S) noexcept {
    Currency C;
    C.Scaled = S;
    return C;
  }
  static Currency FromDouble(long double V) noexcept {
    return FromScaled(static_cast<int64_t>(V * 10000 + (V < 0 ? -0.5L : 0.5L)));
  }
  long double ToDouble() const noexcept { return static_cast<long double>(Scaled) / 10000; }
  friend constexpr bool operator==(Currency A, Currency B) noexcept { return A.Scaled == B.Scaled; }
};

}  // namespace formwright
