// A tagged argument of a heterogeneous argument list ("array of const"): each element carries
// the kind code of the value it was made from, so that a routine taking such a list can
// dispatch on it and report an element it cannot use by its index and kind code.
#pragma once

#include <cstdint>

#include "platform/runtime/System.h"
#include "platform/runtime/Variants.h"

namespace formwright {

// Kind codes of TVarRec, fixed by the binary contract with the host.
enum TVarRecKind : uint8_t {
  vtInteger = 0,
  vtBoolean = 1,
  vtChar = 2,
  vtExtended = 3,
  vtString = 4,
  vtPointer = 5,
  vtPChar = 6,
  vtObject = 7,
  vtClass = 8,
  vtWideChar = 9,
  vtPWideChar = 10,
  vtAnsiString = 11,
  vtCurrency = 12,
  vtVariant = 13,
  vtInterface = 14,
  vtWideString = 15,
  vtInt64 = 16,
  vtUnicodeString = 17
};

// One element of an argument list. Implicitly made from the value it carries; type
// information (a `PTypeInfo`) counts as a pointer, a class value as a class.
class TVarRec {
 public:
  TVarRec(int32_t V) noexcept : FKind(vtInteger), FInt(V) {}
  TVarRec(bool V) noexcept : FKind(vtBoolean), FInt(V) {}
  TVarRec(char V) noexcept : FKind(vtChar), FInt(static_cast<unsigned char>(V)) {}
  TVarRec(char16_t V) noexcept : FKind(vtWideChar), FInt(V) {}
  TVarRec(int64_t V) noexcept : FKind(vtInt64), FInt(V) {}
  TVarRec(double V) noexcept : FKind(vtExtended), FFloat(V) {}
  TVarRec(long double V) noexcept : FKind(vtExtended), FFloat(V) {}
  TVarRec(Currency V) noexcept : FKind(vtCurrency), FFloat(V.ToDouble()) {}
  TVarRec(const void* V) noexcept : FKind(vtPointer), FPtr(V) {}
  TVarRec(const char* V) : FKind(vtPChar), FStr(V ? V : "") {}
  TVarRec(const char16_t* V) : FKind(vtPWideChar), FWide(V ? V : u"") {}
  TVarRec(TObject* V) noexcept : FKind(vtObject), FPtr(V) {}
  TVarRec(TClass V) noexcept : FKind(vtClass), FPtr(V) {}
  TVarRec(String V) noexcept : FKind(vtUnicodeString), FStr(std::move(V)) {}
  TVarRec(WideString V) noexcept : FKind(vtWideString), FWide(std::move(V)) {}
  TVarRec(Variant V) : FKind(vtVariant), FVariant(std::move(V)) {}
  TVarRec(IPtr<IInterface> V) noexcept : FKind(vtInterface), FIntf(std::move(V)) {}

  TVarRecKind Kind() const noexcept { return FKind; }
  // vtInteger, vtBoolean, vtChar, vtWideChar, vtInt64
  int64_t AsInteger() const noexcept { return FInt; }
  // vtExtended, vtCurrency
  long double AsFloat() const noexcept { return FFloat; }
  // vtPointer, vtObject, vtClass
  const void* AsPointer() const noexcept { return FPtr; }
  TObject* AsObject() const noexcept {
    return FKind == vtObject ? static_cast<TObject*>(const_cast<void*>(FPtr)) : nullptr;
  }
  TClass AsClass() const noexcept {
    return FKind == vtClass ? static_cast<TClass>(const_cast<void*>(FPtr)) : nullptr;
  }
  // vtPChar, vtString, vtAnsiString, vtUnicodeString
  const String& AsString() const noexcept { return FStr; }
  // vtPWideChar, vtWideString
  const WideString& AsWideString() const noexcept { return FWide; }
  const Variant& AsVariant() const noexcept { return FVariant; }
  const IPtr<IInterface>& AsInterface() const noexcept { return FIntf; }
  // True for the narrow and the wide string kinds.
  bool IsString() const noexcept { return IsNarrowString() || IsWideString(); }
  bool IsNarrowString() const noexcept {
    return FKind == vtString || FKind == vtAnsiString || FKind == vtPChar || FKind == vtUnicodeString;
  }
  bool IsWideString() const noexcept { return FKind == vtWideString || FKind == vtPWideChar; }

 private:
  TVarRecKind FKind;
  int64_t FInt = 0;
  long double FFloat = 0;
  const void* FPtr = nullptr;
  String FStr;
  WideString FWide;
  Variant FVariant;
  IPtr<IInterface> FIntf;
};

}  // namespace formwright
