#include "platform/runtime/Variants.h"

#include <cmath>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

bool Variant::IsNumeric() const noexcept {
  switch (FType) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
    case varBoolean:
      return true;
    default:
      return false;
  }
}

String VarTypeName(TVarType T) {
  switch (T & varTypeMask) {
    case varEmpty:
      return "Empty";
    case varNull:
      return "Null";
    case varSmallint:
      return "Smallint";
    case varInteger:
      return "Integer";
    case varSingle:
      return "Single";
    case varDouble:
      return "Double";
    case varCurrency:
      return "Currency";
    case varDate:
      return "Date";
    case varOleStr:
      return "OleStr";
    case varDispatch:
      return "Dispatch";
    case varError:
      return "Error";
    case varBoolean:
      return "Boolean";
    case varUnknown:
      return "Unknown";
    case varShortInt:
      return "ShortInt";
    case varByte:
      return "Byte";
    case varWord:
      return "Word";
    case varLongWord:
      return "LongWord";
    case varInt64:
      return "Int64";
    case varUInt64:
      return "UInt64";
    case varString:
      return "AnsiString";
    case varUString:
      return "String";
    default:
      return Format("$%4.4X", unsigned(T));
  }
}

void Variant::RaiseCast(TVarType To) const {
  throw EVariantError(Format(SVarTypeCastError, VarTypeName(FType), VarTypeName(To)));
}

String Variant::AsString() const {
  switch (FType) {
    case varEmpty:
      return "";
    case varBoolean:
      return FInt ? SBooleanTrue : SBooleanFalse;
    case varUInt64:
      return UIntToStr(static_cast<uint64_t>(FInt));
    case varSingle:
      return FloatToStrG(FFloat, 7);
    case varDouble:
    case varDate:
      return FloatToStrG(FFloat, 15);
    case varCurrency:
      return FloatToStrG(Currency::FromScaled(FInt).ToDouble(), 18);
    case varUString:
    case varString:
    case varOleStr:
      return FStr;
    case varNull:
    case varDispatch:
    case varUnknown:
    case varError:
      RaiseCast(varUString);
    default:
      return IntToStr(FInt);
  }
}

int64_t Variant::AsInt64() const {
  switch (FType) {
    case varEmpty:
      return 0;
    case varSingle:
    case varDouble:
    case varDate:
      return static_cast<int64_t>(std::llround(FFloat));
    case varCurrency:
      return static_cast<int64_t>(std::llround(double(Currency::FromScaled(FInt).ToDouble())));
    case varUString:
    case varString:
    case varOleStr: {
      int64_t V = 0;
      if (TryStrToInt64(FStr, V)) return V;
      long double F = 0;
      if (TryStrToFloat(FStr, F)) return static_cast<int64_t>(std::llround(double(F)));
      if (SameText(FStr, SBooleanTrue)) return -1;
      if (SameText(FStr, SBooleanFalse)) return 0;
      RaiseCast(varInt64);
    }
    case varNull:
    case varDispatch:
    case varUnknown:
    case varError:
      RaiseCast(varInt64);
    default:
      return FInt;
  }
}

long double Variant::AsFloat() const {
  switch (FType) {
    case varEmpty:
      return 0;
    case varSingle:
    case varDouble:
    case varDate:
      return FFloat;
    case varCurrency:
      return Currency::FromScaled(FInt).ToDouble();
    case varUInt64:
      return static_cast<long double>(static_cast<uint64_t>(FInt));
    case varUString:
    case varString:
    case varOleStr: {
      long double V = 0;
      if (TryStrToFloat(FStr, V)) return V;
      RaiseCast(varDouble);
    }
    case varNull:
    case varDispatch:
    case varUnknown:
    case varError:
      RaiseCast(varDouble);
    default:
      return static_cast<long double>(FInt);
  }
}

bool Variant::AsBoolean() const {
  if (IsString()) {
    if (SameText(FStr, SBooleanTrue)) return true;
    if (SameText(FStr, SBooleanFalse)) return false;
  }
  if (FType == varSingle || FType == varDouble || FType == varDate) return FFloat != 0;
  return AsInt64() != 0;
}

IPtr<IInterface> Variant::AsInterface() const {
  if (FType == varEmpty) return nullptr;
  if (FType != varUnknown && FType != varDispatch) RaiseCast(varUnknown);
  return FIntf;
}

Variant Variant::ChangeType(TVarType NewType) const {
  if ((FType & varTypeMask) == (NewType & varTypeMask)) return *this;
  switch (NewType & varTypeMask) {
    case varEmpty:
      return Variant();
    case varNull:
      return Null();
    case varSmallint:
      return Variant(static_cast<int16_t>(AsInt64()));
    case varInteger:
      return Variant(static_cast<int32_t>(AsInt64()));
    case varShortInt:
      return Variant(static_cast<int8_t>(AsInt64()));
    case varByte:
      return Variant(static_cast<uint8_t>(AsInt64()));
    case varWord:
      return Variant(static_cast<uint16_t>(AsInt64()));
    case varLongWord:
      return Variant(static_cast<uint32_t>(AsInt64()));
    case varInt64:
      return Variant(AsInt64());
    case varUInt64:
      return Variant(static_cast<uint64_t>(AsInt64()));
    case varSingle:
      return Variant(static_cast<float>(AsFloat()));
    case varDouble:
      return Variant(static_cast<double>(AsFloat()));
    case varCurrency:
      return Variant(Currency::FromDouble(AsFloat()));
    case varDate:
      return Variant(TDateTime(static_cast<double>(AsFloat())));
    case varBoolean:
      return Variant(AsBoolean());
    case varOleStr:
      return Variant(Utf8ToWide(AsString()));
    case varString:
    case varUString:
      return Variant(AsString());
    case varUnknown:
      return Variant(AsInterface());
    default:
      RaiseCast(NewType);
  }
}

bool operator==(const Variant& A, const Variant& B) {
  if (A.FType != B.FType) return false;
  switch (A.FType) {
    case varEmpty:
    case varNull:
      return true;
    case varSingle:
    case varDouble:
    case varDate:
      return A.FFloat == B.FFloat;
    case varUString:
    case varString:
    case varOleStr:
      return A.FStr == B.FStr;
    case varUnknown:
    case varDispatch:
      return A.FIntf == B.FIntf;
    default:
      return A.FInt == B.FInt;
  }
}

}  // namespace formwright
