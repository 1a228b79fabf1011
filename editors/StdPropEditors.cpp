#include "editors/StdPropEditors.h"

#include "platform/runtime/DateUtils.h"

namespace formwright {

FW_REGISTER_CLASS(TOrdinalProperty, "DesignEditors")
FW_REGISTER_CLASS(TIntegerProperty, "DesignEditors")
FW_REGISTER_CLASS(TCharProperty, "DesignEditors")
FW_REGISTER_CLASS(TWideCharProperty, "DesignEditors")
FW_REGISTER_CLASS(TEnumProperty, "DesignEditors")
FW_REGISTER_CLASS(TBoolProperty, "DesignEditors")
FW_REGISTER_CLASS(TInt64Property, "DesignEditors")
FW_REGISTER_CLASS(TFloatProperty, "DesignEditors")
FW_REGISTER_CLASS(TStringProperty, "DesignEditors")
FW_REGISTER_CLASS(TWideStringProperty, "DesignEditors")
FW_REGISTER_CLASS(TComponentNameProperty, "DesignEditors")
FW_REGISTER_CLASS(TDateProperty, "DesignEditors")
FW_REGISTER_CLASS(TTimeProperty, "DesignEditors")
FW_REGISTER_CLASS(TDateTimeProperty, "DesignEditors")

namespace {

constexpr int OrdinalEditLimit = 63;

[[noreturn]] void RaiseInvalidValue() { throw EDesignPropertyError(SInvalidPropertyValue); }

void CheckRange(PTypeInfo Type, int64_t Value) {
  const TTypeData& D = Type->Data;
  if (Value < D.MinValue || Value > D.MaxValue)
    throw EDesignPropertyError(Format(SOutOfRange, D.MinValue, D.MaxValue));
}

// "#code" for a character code.
String CodeText(int64_t Code) { return Format("#%d", Code); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Ordinals

bool TOrdinalProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetOrdValueAt(I); });
}

int TOrdinalProperty::GetEditLimit() { return OrdinalEditLimit; }

String TIntegerProperty::GetValue() {
  const int64_t V = GetOrdValue();
  if (GetPropType()->Data.OrdType == otULong) return UIntToStr(static_cast<uint32_t>(V));
  return IntToStr(V);
}

void TIntegerProperty::SetValue(const String& Value) {
  int64_t V = 0;
  if (!TryStrToInt64(Value, V)) throw EDesignPropertyError(Format(SInvalidInteger, Value));
  CheckRange(GetPropType(), V);
  SetOrdValue(V);
}

String TCharProperty::GetValue() {
  const int64_t Code = GetOrdValue();
  if (Code >= 33 && Code <= 127) return String(1, static_cast<char>(Code));
  return CodeText(Code);
}

int64_t TCharProperty::ParseChar(const WideString& Value) {
  int64_t Code = 0;
  if (Value.size() == 1) {
    Code = Value[0];
  } else if (Value.size() == 2 && Value[0] >= 0xD800 && Value[0] < 0xDC00 && Value[1] >= 0xDC00 &&
             Value[1] < 0xE000) {
    // One character outside the basic plane, for the range check to refuse.
    Code = 0x10000 + ((int64_t(Value[0]) - 0xD800) << 10) + (int64_t(Value[1]) - 0xDC00);
  } else if (Value.size() > 1 && Value[0] == u'#') {
    const String Digits = WideToUtf8(Value.substr(1));
    if (Digits.find_first_not_of("0123456789") != String::npos || !TryStrToInt64(Digits, Code))
      RaiseInvalidValue();
  } else if (!Value.empty()) {
    RaiseInvalidValue();
  }
  CheckRange(GetPropType(), Code);
  return Code;
}

void TCharProperty::SetValue(const String& Value) { SetOrdValue(ParseChar(Utf8ToWide(Value))); }

WideString TWideCharProperty::GetValueW() {
  const int64_t Code = GetOrdValue();
  if (Code >= 33) return WideString(1, static_cast<char16_t>(Code));
  return Utf8ToWide(CodeText(Code));
}

bool TWideCharProperty::GetEditValue(WideString& Value) {
  return ReadEditValue(Value, [this] { return GetValueW(); });
}

void TWideCharProperty::SetValue(const WideString& Value) { SetOrdValue(ParseChar(Value)); }

TPropertyAttributes TEnumProperty::GetAttributes() {
  if (GetPropInfo()->CanWrite()) return {paValueList, paMultiSelect, paSortList, paRevertable};
  return {paMultiSelect, paSortList, paReadOnly, paDisplayReadOnly};
}

String TEnumProperty::GetValue() {
  PTypeInfo T = GetPropType();
  const int64_t V = GetOrdValue();
  if (V < T->Data.MinValue || V > T->Data.MaxValue) return GetEnumName(T, T->Data.MaxValue);
  return GetEnumName(T, V);
}

void TEnumProperty::GetValues(const TGetStrProc& Proc) {
  PTypeInfo T = GetPropType();
  const int64_t Min = T->Data.MinValue < 0 ? 0 : T->Data.MinValue;
  const int64_t Max = T->Data.MinValue < 0 ? 1 : T->Data.MaxValue;
  for (int64_t V = Min; V <= Max; ++V) Proc(GetEnumName(T, V));
}

void TEnumProperty::SetValue(const String& Value) {
  PTypeInfo T = GetPropType();
  const int64_t V = GetEnumValue(T, Value);
  // -1 also stands for an unknown identifier: the name must name the ordinal found.
  if (V < T->Data.MinValue || V > T->Data.MaxValue || !SameText(GetEnumName(T, V), Value))
    RaiseInvalidValue();
  SetOrdValue(V);
}

String TBoolProperty::GetValue() { return GetOrdValue() ? SBooleanTrue : SBooleanFalse; }

void TBoolProperty::GetValues(const TGetStrProc& Proc) {
  Proc(SBooleanFalse);
  Proc(SBooleanTrue);
}

void TBoolProperty::SetValue(const String& Value) {
  if (SameText(Value, SBooleanTrue))
    SetOrdValue(1);
  else if (SameText(Value, SBooleanFalse))
    SetOrdValue(0);
  else
    TEnumProperty::SetValue(Value);
}

// ---------------------------------------------------------------------------------------------
// Other numbers

bool TInt64Property::AllEqual() {
  return AllValuesEqual([this](int I) { return GetInt64ValueAt(I); });
}

int TInt64Property::GetEditLimit() { return OrdinalEditLimit; }

String TInt64Property::GetValue() {
  const int64_t V = GetInt64Value();
  if (GetPropType()->Data.OrdType == otUQWord) return UIntToStr(static_cast<uint64_t>(V));
  return IntToStr(V);
}

void TInt64Property::SetValue(const String& Value) {
  int64_t V = 0;
  if (!TryStrToInt64(Value, V)) throw EDesignPropertyError(Format(SInvalidInteger, Value));
  SetInt64Value(V);
}

bool TFloatProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetFloatValueAt(I); });
}

String TFloatProperty::GetValue() {
  int Precision = 18;
  switch (GetPropType()->Data.FloatType) {
    case ftSingle:
      Precision = 7;
      break;
    case ftDouble:
      Precision = 15;
      break;
    default:
      break;
  }
  return FloatToStrG(GetFloatValue(), Precision);
}

void TFloatProperty::SetValue(const String& Value) {
  long double V = 0;
  if (!TryStrToFloat(Value, V)) throw EDesignPropertyError(Format(SInvalidFloat, Value));
  SetFloatValue(V);
}

// ---------------------------------------------------------------------------------------------
// Strings

bool TStringProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetStrValueAt(I); });
}

int TStringProperty::GetEditLimit() {
  PTypeInfo T = GetPropType();
  return T->Kind == tkString ? T->Data.MaxLength : TPropertyEditor::GetEditLimit();
}

String TStringProperty::GetValue() { return GetStrValue(); }

void TStringProperty::SetValue(const String& Value) { SetStrValue(Value); }

bool TWideStringProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetWideStrValueAt(I); });
}

String TWideStringProperty::GetValue() { return WideToUtf8(GetWideStrValue()); }

WideString TWideStringProperty::GetValueW() { return GetWideStrValue(); }

bool TWideStringProperty::GetEditValue(WideString& Value) {
  return ReadEditValue(Value, [this] { return GetValueW(); });
}

void TWideStringProperty::SetValue(const String& Value) { SetWideStrValue(Utf8ToWide(Value)); }

void TWideStringProperty::SetValue(const WideString& Value) { SetWideStrValue(Value); }

WideString TWideStringProperty::GetNameW() { return Utf8ToWide(GetName()); }

void TWideStringProperty::GetValues(const TGetWideStrProc& Proc) {
  GetValues(TGetStrProc([&Proc](const String& S) { Proc(Utf8ToWide(S)); }));
}

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {paNotNestable}; }

int TComponentNameProperty::GetEditLimit() { return OrdinalEditLimit; }

// ---------------------------------------------------------------------------------------------
// Dates and times

namespace {

// Empty text for 0, else `ToText(Value)`.
String DateText(long double Value, String (*ToText)(TDateTime)) {
  return Value == 0 ? String() : ToText(TDateTime(static_cast<double>(Value)));
}

// 0 for empty text, else the parsed value; raises with `Message` for text that is not one.
long double ParseDate(const String& Value, bool (*Parse)(std::string_view, TDateTime&), const char* Message) {
  if (Trim(Value).empty()) return 0;
  TDateTime D;
  if (!Parse(Value, D)) throw EDesignPropertyError(Format(Message, Value));
  return D.Value;
}

}  // namespace

// Dates compare like numbers, so that objects holding the same date show it.
bool TDateProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetFloatValueAt(I); });
}

// Read-only date properties are marked like any other read-only property.
TPropertyAttributes TDateProperty::GetAttributes() {
  if (GetPropInfo()->CanWrite()) return {paMultiSelect, paRevertable};
  return {paMultiSelect, paReadOnly, paRevertable, paDisplayReadOnly};
}

String TDateProperty::GetValue() { return DateText(GetFloatValue(), &DateToStr); }

void TDateProperty::SetValue(const String& Value) {
  SetFloatValue(ParseDate(Value, &TryStrToDate, SInvalidDate));
}

String TTimeProperty::GetValue() { return DateText(GetFloatValue(), &TimeToStr); }

void TTimeProperty::SetValue(const String& Value) {
  SetFloatValue(ParseDate(Value, &TryStrToTime, SInvalidTime));
}

String TDateTimeProperty::GetValue() { return DateText(GetFloatValue(), &DateTimeToStr); }

void TDateTimeProperty::SetValue(const String& Value) {
  SetFloatValue(ParseDate(Value, &TryStrToDateTime, SInvalidDateTime));
}

}  // namespace formwright
