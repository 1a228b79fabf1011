// Variant values of the runtime: a tagged value of one of the variant types, with
// conversions between them that round-trip through text.
#pragma once

#include <cstdint>

#include "platform/runtime/System.h"

namespace formwright {

enum TVarType : uint16_t {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varDispatch = 0x0009,
  varError = 0x000A,
  varBoolean = 0x000B,
  varVariant = 0x000C,
  varUnknown = 0x000D,
  varShortInt = 0x0010,
  varByte = 0x0011,
  varWord = 0x0012,
  varLongWord = 0x0013,
  varInt64 = 0x0014,
  varUInt64 = 0x0015,
  varString = 0x0100,
  varUString = 0x0102,
  varTypeMask = 0x0FFF
};

// A tagged value. Integers keep their declared width in the type code; strings are UTF-8
// (`varUString`) or UTF-16 (`varOleStr`); interfaces are held by reference.
class Variant {
 public:
  Variant() noexcept = default;
  Variant(bool V) noexcept : FType(varBoolean) { FInt = V; }
  Variant(int8_t V) noexcept : FType(varShortInt) { FInt = V; }
  Variant(uint8_t V) noexcept : FType(varByte) { FInt = V; }
  Variant(int16_t V) noexcept : FType(varSmallint) { FInt = V; }
  Variant(uint16_t V) noexcept : FType(varWord) { FInt = V; }
  Variant(int32_t V) noexcept : FType(varInteger) { FInt = V; }
  Variant(uint32_t V) noexcept : FType(varLongWord) { FInt = V; }
  Variant(int64_t V) noexcept : FType(varInt64) { FInt = V; }
  Variant(uint64_t V) noexcept : FType(varUInt64) { FInt = static_cast<int64_t>(V); }
  Variant(float V) noexcept : FType(varSingle) { FFloat = V; }
  Variant(double V) noexcept : FType(varDouble) { FFloat = V; }
  Variant(Currency V) noexcept : FType(varCurrency) { FInt = V.Scaled; }
  Variant(TDateTime V) noexcept : FType(varDate) { FFloat = V.Value; }
  Variant(const char* V) : FType(varUString), FStr(V) {}
  Variant(String V) noexcept : FType(varUString), FStr(std::move(V)) {}
  Variant(const WideString& V) : FType(varOleStr), FStr(WideToUtf8(V)) {}
  Variant(const char16_t* V) : Variant(WideString(V)) {}
  // Pointers other than texts are not values.
  template <class T>
  Variant(T*) = delete;
  Variant(IPtr<IInterface> V) noexcept : FType(varUnknown), FIntf(std::move(V)) {}

  static Variant Null() noexcept {
    Variant V;
    V.FType = varNull;
    return V;
  }
  static Variant Error(int32_t Code) noexcept {
    Variant V;
    V.FType = varError;
    V.FInt = Code;
    return V;
  }
  static Variant Dispatch(IPtr<IInterface> V) noexcept {
    Variant R(std::move(V));
    R.FType = varDispatch;
    return R;
  }

  TVarType VarType() const noexcept { return FType; }
  bool IsEmpty() const noexcept { return FType == varEmpty; }
  bool IsNull() const noexcept { return FType == varNull; }
  bool IsNumeric() const noexcept;
  bool IsString() const noexcept { return FType == varUString || FType == varString || FType == varOleStr; }

  // Conversions; each raises EVariantError when the value cannot be converted.
  String AsString() const;
  int64_t AsInt64() const;
  long double AsFloat() const;
  bool AsBoolean() const;
  IPtr<IInterface> AsInterface() const;
  // The value converted to another variant type (the runtime's VarAsType).
  Variant ChangeType(TVarType NewType) const;

  friend bool operator==(const Variant& A, const Variant& B);

 private:
  [[noreturn]] void RaiseCast(TVarType To) const;
  TVarType FType = varEmpty;
  int64_t FInt = 0;
  double FFloat = 0;
  String FStr;
  IPtr<IInterface> FIntf;
};

// The runtime's name of a variant type code ("Integer", "String" …).
String VarTypeName(TVarType T);

}  // namespace formwright
