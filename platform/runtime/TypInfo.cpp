#include "platform/runtime/TypInfo.h"

#include <algorithm>

#include "platform/runtime/Classes.h"

namespace formwright {

// ----- Type information makers ----------------------------------------------------------------

TTypeInfo MakeOrdinalType(const char* Name, TTypeKind Kind, TOrdType OrdType, int64_t Min, int64_t Max) {
  TTypeInfo T;
  T.Kind = Kind;
  T.Name = Name;
  T.Data.OrdType = OrdType;
  T.Data.MinValue = Min;
  T.Data.MaxValue = Max;
  return T;
}

TTypeInfo MakeIdentIntType(const char* Name, TOrdType OrdType, int64_t Min, int64_t Max,
                           bool (*IdentToInt)(std::string_view, int32_t&),
                           bool (*IntToIdent)(int32_t, String&)) {
  TTypeInfo T = MakeOrdinalType(Name, tkInteger, OrdType, Min, Max);
  T.Data.IdentToInt = IdentToInt;
  T.Data.IntToIdent = IntToIdent;
  return T;
}

TTypeInfo MakeEnumType(const char* Name, const char* CommaNames) {
  TTypeInfo T;
  T.Kind = tkEnumeration;
  T.Name = Name;
  for (const String& Part : SplitString(CommaNames, ',')) {
    String Ident = Trim(Part);
    // An explicit value ("x = 3") is not part of the identifier.
    const size_t Eq = Ident.find('=');
    if (Eq != String::npos) Ident = Trim(Ident.substr(0, Eq));
    if (!Ident.empty()) T.Data.NameList.push_back(Ident);
  }
  T.Data.MinValue = 0;
  T.Data.MaxValue = static_cast<int64_t>(T.Data.NameList.size()) - 1;
  T.Data.OrdType = T.Data.NameList.size() <= 256 ? otUByte : otUWord;
  return T;
}

TTypeInfo MakeSetType(const char* Name, PTypeInfo ElementType) {
  TTypeInfo T;
  T.Kind = tkSet;
  T.Name = Name;
  T.Data.CompType = ElementType;
  return T;
}

TTypeInfo MakeFloatType(const char* Name, TFloatType FloatType) {
  TTypeInfo T;
  T.Kind = tkFloat;
  T.Name = Name;
  T.Data.FloatType = FloatType;
  return T;
}

TTypeInfo MakeStringType(const char* Name, TTypeKind Kind, int MaxLength) {
  TTypeInfo T;
  T.Kind = Kind;
  T.Name = Name;
  T.Data.MaxLength = MaxLength;
  return T;
}

TTypeInfo MakeSimpleType(const char* Name, TTypeKind Kind) {
  TTypeInfo T;
  T.Kind = Kind;
  T.Name = Name;
  return T;
}

// Parses "(const Sender: TObject; var A, B: Integer): Boolean".
TTypeInfo MakeMethodType(const char* Name, const char* Declaration) {
  TTypeInfo T;
  T.Kind = tkMethod;
  T.Name = Name;
  std::string_view D(Declaration);
  const size_t Open = D.find('('), Close = D.rfind(')');
  std::string_view Params =
      (Open != std::string_view::npos && Close != std::string_view::npos && Close > Open)
          ? D.substr(Open + 1, Close - Open - 1)
          : std::string_view();
  std::string_view Rest = Close != std::string_view::npos ? D.substr(Close + 1) : D;
  const size_t Colon = Rest.find(':');
  if (Colon != std::string_view::npos) {
    T.Data.MethodKind = mkFunction;
    T.Data.ResultType = Trim(Rest.substr(Colon + 1));
  }
  for (const String& Group : SplitString(Params, ';')) {
    String G = Trim(Group);
    if (G.empty()) continue;
    TParamFlags Flags;
    for (auto [Word, Flag] : {std::pair{"var ", pfVar}, {"const ", pfConst}, {"out ", pfOut}}) {
      if (StartsText(Word, G)) {
        Flags.Include(Flag);
        G = Trim(G.substr(std::char_traits<char>::length(Word)));
      }
    }
    const size_t C = G.find(':');
    const String TypeName = C == String::npos ? String() : Trim(G.substr(C + 1));
    for (const String& N : SplitString(G.substr(0, C), ','))
      T.Data.Params.push_back({Flags, Trim(N), TypeName});
  }
  return T;
}

// ----- Accessor defaults ----------------------------------------------------------------------

namespace {
[[noreturn]] void KindMismatch(const TPropInfo& P, const char* Kind) {
  throw EPropertyError(Format(SPropertyKindMismatch, P.Name, Kind));
}
}  // namespace

int64_t TPropAccessor::GetOrd(const TObject*, const TPropInfo& P) const { KindMismatch(P, "ordinal"); }
void TPropAccessor::SetOrd(TObject*, const TPropInfo& P, int64_t) const { KindMismatch(P, "ordinal"); }
long double TPropAccessor::GetFloat(const TObject*, const TPropInfo& P) const { KindMismatch(P, "float"); }
void TPropAccessor::SetFloat(TObject*, const TPropInfo& P, long double) const { KindMismatch(P, "float"); }
String TPropAccessor::GetStr(const TObject*, const TPropInfo& P) const { KindMismatch(P, "string"); }
void TPropAccessor::SetStr(TObject*, const TPropInfo& P, const String&) const { KindMismatch(P, "string"); }
WideString TPropAccessor::GetWideStr(const TObject*, const TPropInfo& P) const {
  KindMismatch(P, "wide string");
}
void TPropAccessor::SetWideStr(TObject*, const TPropInfo& P, const WideString&) const {
  KindMismatch(P, "wide string");
}
TMethod TPropAccessor::GetMethod(const TObject*, const TPropInfo& P) const { KindMismatch(P, "method"); }
void TPropAccessor::SetMethod(TObject*, const TPropInfo& P, const TMethod&) const {
  KindMismatch(P, "method");
}
Variant TPropAccessor::GetVariant(const TObject*, const TPropInfo& P) const { KindMismatch(P, "variant"); }
void TPropAccessor::SetVariant(TObject*, const TPropInfo& P, const Variant&) const {
  KindMismatch(P, "variant");
}
IPtr<IInterface> TPropAccessor::GetIntf(const TObject*, const TPropInfo& P) const {
  KindMismatch(P, "interface");
}
void TPropAccessor::SetIntf(TObject*, const TPropInfo& P, const IPtr<IInterface>&) const {
  KindMismatch(P, "interface");
}
TObject* TPropAccessor::GetObj(const TObject*, const TPropInfo& P) const { KindMismatch(P, "class"); }
void TPropAccessor::SetObj(TObject*, const TPropInfo& P, TObject*) const { KindMismatch(P, "class"); }

TValueKind ValueKindOf(TTypeKind Kind) {
  switch (Kind) {
    case tkFloat:
      return TValueKind::Float;
    case tkString:
    case tkLString:
    case tkUString:
      return TValueKind::String;
    case tkWString:
      return TValueKind::WideString;
    case tkMethod:
      return TValueKind::Method;
    case tkVariant:
      return TValueKind::Variant;
    case tkInterface:
      return TValueKind::Interface;
    case tkClass:
      return TValueKind::Object;
    default:
      return TValueKind::Ordinal;
  }
}

// ----- Property lists -------------------------------------------------------------------------

std::vector<PPropInfo> GetPropInfos(TClass AClass) {
  return AClass ? AClass->PropInfos() : std::vector<PPropInfo>();
}

std::vector<PPropInfo> GetPropList(TClass AClass, TTypeKinds Filter) {
  std::vector<PPropInfo> R;
  if (!AClass) return R;
  for (PPropInfo P : GetPropInfos(AClass))
    if (Filter.Contains(P->Kind())) R.push_back(P);
  std::sort(R.begin(), R.end(), [](PPropInfo A, PPropInfo B) { return CompareText(A->Name, B->Name) < 0; });
  return R;
}

std::vector<PPropInfo> GetPropList(PTypeInfo ClassInfo, TTypeKinds Filter) {
  if (!ClassInfo || ClassInfo->Kind != tkClass) return {};
  return GetPropList(ClassInfo->Data.ClassType, Filter);
}

PPropInfo GetPropInfo(TClass AClass, std::string_view Name) {
  for (TClass C = AClass; C; C = C->ClassParent())
    for (const auto& P : C->OwnProperties())
      if (SameText(P->Name, Name)) return P.get();
  return nullptr;
}

PPropInfo GetPropInfo(const TObject* Instance, std::string_view Name) {
  return Instance ? GetPropInfo(Instance->ClassType(), Name) : nullptr;
}

PPropInfo FindPropInfo(const TObject* Instance, std::string_view Name) {
  PPropInfo P = GetPropInfo(Instance, Name);
  if (!P) throw EPropertyError(Format(SUnknownProperty, String(Name)));
  return P;
}

// ----- Typed access ---------------------------------------------------------------------------

int64_t GetOrdProp(const TObject* I, PPropInfo P) { return P->Access->GetOrd(I, *P); }
void SetOrdProp(TObject* I, PPropInfo P, int64_t V) { P->Access->SetOrd(I, *P, V); }
int64_t GetInt64Prop(const TObject* I, PPropInfo P) { return P->Access->GetOrd(I, *P); }
void SetInt64Prop(TObject* I, PPropInfo P, int64_t V) { P->Access->SetOrd(I, *P, V); }
long double GetFloatProp(const TObject* I, PPropInfo P) { return P->Access->GetFloat(I, *P); }
void SetFloatProp(TObject* I, PPropInfo P, long double V) { P->Access->SetFloat(I, *P, V); }
String GetStrProp(const TObject* I, PPropInfo P) { return P->Access->GetStr(I, *P); }
void SetStrProp(TObject* I, PPropInfo P, const String& V) { P->Access->SetStr(I, *P, V); }
WideString GetWideStrProp(const TObject* I, PPropInfo P) { return P->Access->GetWideStr(I, *P); }
void SetWideStrProp(TObject* I, PPropInfo P, const WideString& V) { P->Access->SetWideStr(I, *P, V); }
TMethod GetMethodProp(const TObject* I, PPropInfo P) { return P->Access->GetMethod(I, *P); }
void SetMethodProp(TObject* I, PPropInfo P, const TMethod& V) { P->Access->SetMethod(I, *P, V); }
Variant GetVariantProp(const TObject* I, PPropInfo P) { return P->Access->GetVariant(I, *P); }
void SetVariantProp(TObject* I, PPropInfo P, const Variant& V) { P->Access->SetVariant(I, *P, V); }
IPtr<IInterface> GetInterfaceProp(const TObject* I, PPropInfo P) { return P->Access->GetIntf(I, *P); }
void SetInterfaceProp(TObject* I, PPropInfo P, const IPtr<IInterface>& V) {
  P->Access->SetIntf(I, *P, V);
  // A component given an interface of another component asks to be told when that one is
  // freed, so that its Notification can drop the reference in time. The link to an earlier
  // value stays (it may serve another reference): at most one notice more.
  auto* Holder = dynamic_cast<TComponent*>(I);
  if (!Holder || !V) return;
  if (auto Ref = Supports<IInterfaceComponentReference>(V))
    if (TComponent* Target = Ref->GetComponent()) Target->FreeNotification(Holder);
}
TObject* GetObjectProp(const TObject* I, PPropInfo P) { return P->Access->GetObj(I, *P); }
void SetObjectProp(TObject* I, PPropInfo P, TObject* V) { P->Access->SetObj(I, *P, V); }

bool IsStoredProp(const TObject* Instance, PPropInfo P) {
  if (P->StoredProc) return P->StoredProc(Instance);
  return P->StoredConst;
}

// ----- Enumerations and sets ------------------------------------------------------------------

String GetEnumName(PTypeInfo TypeInfo, int64_t Value) {
  if (TypeInfo->Kind == tkInteger || TypeInfo->Kind == tkInt64) return IntToStr(Value);
  const auto& Names = TypeInfo->Data.NameList;
  const int64_t Index = Value - TypeInfo->Data.MinValue;
  if (Index < 0 || Index >= static_cast<int64_t>(Names.size())) return String();
  return Names[static_cast<size_t>(Index)];
}

int64_t GetEnumValue(PTypeInfo TypeInfo, std::string_view Name) {
  if (TypeInfo->Kind == tkInteger || TypeInfo->Kind == tkInt64) {
    int64_t V = 0;
    return TryStrToInt64(Name, V) ? V : -1;
  }
  const auto& Names = TypeInfo->Data.NameList;
  for (size_t I = 0; I < Names.size(); ++I)
    if (SameText(Names[I], Name)) return TypeInfo->Data.MinValue + static_cast<int64_t>(I);
  return -1;
}

String GetSetElementName(PTypeInfo ElementType, int64_t Value) { return GetEnumName(ElementType, Value); }

String SetToString(PTypeInfo SetType, int64_t Value, bool Brackets) {
  PTypeInfo E = SetType->Data.CompType;
  String R;
  for (int64_t Ord = E->Data.MinValue; Ord <= E->Data.MaxValue && Ord < 64; ++Ord) {
    if (Value & (int64_t(1) << (Ord - E->Data.MinValue))) {
      if (!R.empty()) R += ',';
      R += GetSetElementName(E, Ord);
    }
  }
  return Brackets ? "[" + R + "]" : R;
}

int64_t StringToSet(PTypeInfo SetType, std::string_view Text) {
  PTypeInfo E = SetType->Data.CompType;
  String T = Trim(Text);
  if (!T.empty() && T.front() == '[') T.erase(0, 1);
  if (!T.empty() && T.back() == ']') T.pop_back();
  int64_t Result = 0;
  for (const String& Part : SplitString(T, ',')) {
    const String Name = Trim(Part);
    if (Name.empty()) continue;
    const int64_t Ord = GetEnumValue(E, Name);
    if (Ord < E->Data.MinValue || Ord > E->Data.MaxValue)
      throw EPropertyError(Format("Invalid set element: %s", Name));
    Result |= int64_t(1) << (Ord - E->Data.MinValue);
  }
  return Result;
}

}  // namespace formwright
