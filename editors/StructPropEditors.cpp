// The editors with nested editors: sets and their elements, objects, variants and their types.
#include "editors/StdPropEditors.h"

#include <array>

namespace formwright {

FW_REGISTER_CLASS(TSetProperty, "DesignEditors")
FW_REGISTER_CLASS(TSetElementProperty, "DesignEditors")
FW_REGISTER_CLASS(TClassProperty, "DesignEditors")
FW_REGISTER_CLASS(TVariantProperty, "DesignEditors")
FW_REGISTER_CLASS(TVariantTypeProperty, "DesignEditors")

namespace {

constexpr const char* SUnknownType = "Unknown Type";
constexpr const char* SVariantNull = "(Null)";
constexpr const char* SVariantError = "(Error)";
constexpr const char* SVariantDispatch = "(Dispatch)";
constexpr const char* SVariantUnknown = "(Unknown)";
constexpr const char* SStringTypeName = "String";

// The variant type names by type code; codes without a name are null.
constexpr std::array<const char*, 21> VarTypeNames = {
    "Unassigned", "Null",   "Smallint", "Integer", "Single",  "Double",   "Currency",
    "Date",       "OleStr", nullptr,    nullptr,   "Boolean", nullptr,    nullptr,
    nullptr,      nullptr,  "Shortint", "Byte",    "Word",    "LongWord", "Int64"};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Sets

TPropertyAttributes TSetProperty::GetAttributes() {
  TPropertyAttributes A{paSubProperties, paMultiSelect, paReadOnly, paRevertable};
  if (!GetPropInfo()->CanWrite()) A.Include(paDisplayReadOnly);
  return A;
}

String TSetProperty::GetValue() { return SetToString(GetPropType(), GetOrdValue(), true); }

void TSetProperty::GetProperties(const TGetPropProc& Proc) {
  PTypeInfo Element = GetPropType()->Data.CompType;
  for (int64_t E = Element->Data.MinValue; E <= Element->Data.MaxValue; ++E)
    Proc(IPtr<IProperty>(MakeIntf<TSetElementProperty>(this, static_cast<int>(E)).Get()));
}

TSetElementProperty::TSetElementProperty(TPropertyEditor* Parent, int AElement)
    : TNestedProperty(Parent),
      FElement(AElement),
      FBit(AElement - static_cast<int>(GetPropType()->Data.CompType->Data.MinValue)) {}

bool TSetElementProperty::BitAt(int Index) const { return (GetOrdValueAt(Index) >> FBit) & 1; }

bool TSetElementProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return BitAt(I); });
}

TPropertyAttributes TSetElementProperty::GetAttributes() {
  TPropertyAttributes A{paValueList, paMultiSelect, paSortList};
  if (!GetPropInfo()->CanWrite()) A.Include(paReadOnly).Include(paDisplayReadOnly);
  return A;
}

String TSetElementProperty::GetName() { return GetSetElementName(GetPropType()->Data.CompType, FElement); }

String TSetElementProperty::GetValue() { return BitAt(0) ? SBooleanTrue : SBooleanFalse; }

void TSetElementProperty::GetValues(const TGetStrProc& Proc) {
  Proc(SBooleanFalse);
  Proc(SBooleanTrue);
}

void TSetElementProperty::SetValue(const String& Value) {
  const bool On = SameText(Value, SBooleanTrue);
  const int64_t Bit = int64_t(1) << FBit;
  WriteAll([On, Bit](TPersistent* I, PPropInfo P) {
    const int64_t V = GetOrdProp(I, P);
    SetOrdProp(I, P, On ? V | Bit : V & ~Bit);
  });
}

bool TSetElementProperty::GetIsDefault() {
  if (TNestedProperty::GetIsDefault()) return true;
  PPropInfo P = GetPropInfo();
  if (P->StoredProc) return false;
  const int64_t Default = P->Default == NoDefault ? 0 : P->Default;
  return BitAt(0) == (((Default >> FBit) & 1) != 0);
}

// ---------------------------------------------------------------------------------------------
// Objects

TPropertyAttributes TClassProperty::GetAttributes() { return {paSubProperties, paMultiSelect, paReadOnly}; }

void TClassProperty::GetProperties(const TGetPropProc& Proc) {
  IPtr<IDesignerSelections> Objects = CreateSelectionList();
  for (int I = 0; I < FPropCount; ++I)
    if (auto* Obj = As<TPersistent>(GetObjValueAt(I))) Objects->Add(Obj);
  if (Objects->GetCount() == 0) return;
  GetComponentProperties(Objects, tkAny - TTypeKinds{tkUnknown, tkMethod}, FDesigner, Proc);
}

String TClassProperty::GetValue() { return Format("(%s)", GetPropType()->Name); }

// ---------------------------------------------------------------------------------------------
// Variants

bool TVariantProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetVarValueAt(I); });
}

TPropertyAttributes TVariantProperty::GetAttributes() { return {paSubProperties, paMultiSelect}; }

void TVariantProperty::GetProperties(const TGetPropProc& Proc) {
  Proc(IPtr<IProperty>(MakeIntf<TVariantTypeProperty>(this).Get()));
}

// Unassigned shows empty, null and error values their markers, which SetValue understands.
String TVariantProperty::GetValue() {
  const Variant V = GetVarValue();
  switch (V.VarType()) {
    case varEmpty:
      return String();
    case varNull:
      return SVariantNull;
    case varError:
      return SVariantError;
    case varDispatch:
      return SVariantDispatch;
    case varUnknown:
      return SVariantUnknown;
    default:
      return V.AsString();
  }
}

void TVariantProperty::SetValue(const String& Value) {
  if (Value.empty()) {
    SetVarValue(Variant());
    return;
  }
  if (SameText(Value, SVariantNull)) {
    SetVarValue(Variant::Null());
    return;
  }
  if (SameText(Value, SVariantError) || SameText(Value, SVariantDispatch) || SameText(Value, SVariantUnknown))
    return;
  // Numbers, dates, Booleans and wide strings keep their type when the text converts.
  const TVarType Current = GetVarValue().VarType();
  Variant New(Value);
  if (Current != varEmpty && Current != varNull && Current != varError && Current != varDispatch &&
      Current != varUnknown && Current != varUString) {
    try {
      New = New.ChangeType(Current);
    } catch (const Exception&) {
      New = Variant(Value);
    }
  }
  SetVarValue(New);
}

bool TVariantTypeProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetVarValueAt(I).VarType(); });
}

TPropertyAttributes TVariantTypeProperty::GetAttributes() { return {paValueList, paMultiSelect, paSortList}; }

String TVariantTypeProperty::GetName() { return "Type"; }

String TVariantTypeProperty::GetValue() {
  const TVarType T = GetVarValue().VarType();
  const unsigned Code = T & varTypeMask;
  if (Code < VarTypeNames.size() && VarTypeNames[Code]) return VarTypeNames[Code];
  if (T == varUString) return SStringTypeName;
  return SUnknownValue;
}

void TVariantTypeProperty::GetValues(const TGetStrProc& Proc) {
  for (const char* Name : VarTypeNames)
    if (Name) Proc(Name);
  Proc(SStringTypeName);
}

void TVariantTypeProperty::SetValue(const String& Value) {
  int Code = -1;
  for (size_t I = 0; I < VarTypeNames.size(); ++I)
    if (VarTypeNames[I] && Value == VarTypeNames[I]) Code = static_cast<int>(I);
  if (Value == SStringTypeName) Code = varUString;
  if (Code < 0) throw EDesignPropertyError(SUnknownType);
  // Every value is converted before any is written, so a failure changes nothing.
  std::vector<Variant> Values;
  for (int I = 0; I < FPropCount; ++I) {
    if (Code == varEmpty) {
      Values.emplace_back();
    } else if (Code == varNull) {
      Values.push_back(Variant::Null());
    } else {
      try {
        Values.push_back(GetVarValueAt(I).ChangeType(static_cast<TVarType>(Code)));
      } catch (const Exception& E) {
        throw EDesignPropertyError(E.Message());
      }
    }
  }
  for (int I = 0; I < FPropCount; ++I)
    SetVariantProp(Entry(I).Instance, Entry(I).PropInfo, Values[static_cast<size_t>(I)]);
  Modified();
}

}  // namespace formwright
