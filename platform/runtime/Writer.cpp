// The writer: values in their canonical encoding, components as differences to their
// ancestors, properties, collections, references and handlers.
#include <algorithm>
#include <cstring>

#include "platform/runtime/FilerInternals.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/Prefetch.h"
#include "platform/runtime/Scoped.h"
#include "platform/runtime/StreamCoding.h"

namespace formwright {

using namespace streamcoding;

FW_REGISTER_CLASS(TWriter, "Classes")

namespace {
// A write error that already names the property it happened in.
FW_EXCEPTION(EWritePropertyError, EWriteError);

// Whether a value equals its declared default: what IsDefaultPropertyValue answers when there
// is no ancestor to compare with, for a value the writer has already read.
bool IsDeclaredDefault(TTypeKind Kind, int64_t Default, int64_t Value) {
  if (Kind == tkInt64 && Default == NoDefault) return Value == 0;
  return Default != NoDefault && Value == Default;
}

constexpr uint32_t OrdinalKinds = (1u << tkInteger) | (1u << tkChar) | (1u << tkWChar) |
                                  (1u << tkEnumeration) | (1u << tkSet) | (1u << tkInt64);

// The kinds whose default, without an ancestor, is told from the value alone.
constexpr uint32_t SkippableKinds = OrdinalKinds | (1u << tkMethod);

// How a plan step writes an ordinal value that differs: as an integer, as a Boolean, or through
// WriteOrdinal with the encoding kept for the next component (identifiers, sets, characters).
enum TOrdinalEncoding : uint8_t { oeInteger, oeBoolean, oeLookedUp };

TOrdinalEncoding EncodingOf(PPropInfo P) {
  if (P->PropType == TypeInfoOf<bool>()) return oeBoolean;
  switch (P->Kind()) {
    case tkInteger:
      return GetTypeData(P->PropType)->IntToIdent ? oeLookedUp : oeInteger;
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      return oeLookedUp;
    default:
      return oeInteger;
  }
}

// The value of a field a plan step reads straight (see TFieldPlace), as its accessor gives it.
int64_t FieldValue(const TPersistent* Instance, int32_t Offset, uint8_t Size, bool Signed) noexcept {
  const char* At = reinterpret_cast<const char*>(Instance) + Offset;
  auto Load = [At]<class T>(T Value) {
    std::memcpy(&Value, At, sizeof(T));
    return static_cast<int64_t>(Value);
  };
  switch (Size) {
    case 1:
      return Signed ? Load(int8_t{}) : Load(uint8_t{});
    case 2:
      return Signed ? Load(int16_t{}) : Load(uint16_t{});
    case 4:
      return Signed ? Load(int32_t{}) : Load(uint32_t{});
    default:
      return Load(int64_t{});
  }
}

bool IsDateType(PTypeInfo T) {
  return SameText(T->Name, "TDateTime") || SameText(T->Name, "TDate") || SameText(T->Name, "TTime");
}
}  // namespace

TWriter::TWriter(TStream* Stream, int BufSize) : TFiler(Stream, BufSize) {}

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (...) {
    // A stream that refuses the last bytes has already raised on an earlier flush.
  }
}

void TWriter::FlushBuffer() {
  if (FBufPos == 0) return;
  const int N = FBufPos;
  FBufPos = 0;
  FStream->WriteBuffer(FBuffer.data(), N);
}

void TWriter::Write(const void* Buf, int64_t Count) {
  const int64_t Size = static_cast<int64_t>(FBuffer.size());
  if (FBufPos + Count > Size) FlushBuffer();
  if (Count >= Size) {
    FStream->WriteBuffer(Buf, Count);
    return;
  }
  std::memcpy(FBuffer.data() + FBufPos, Buf, static_cast<size_t>(Count));
  FBufPos += static_cast<int>(Count);
}

int64_t TWriter::Position() const { return FStream->Position() + FBufPos; }

// ----- Values ---------------------------------------------------------------------------------

void TWriter::WriteValue(TValueType Value) {
  const uint8_t B = Value;
  Write(&B, 1);
}

void TWriter::WriteInteger(int64_t Value) {
  uint8_t B[9];
  size_t N;
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    B[0] = vaInt8;
    B[1] = static_cast<uint8_t>(Value);
    N = 2;
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    B[0] = vaInt16;
    PutLE<int16_t>(B + 1, static_cast<int16_t>(Value));
    N = 3;
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    B[0] = vaInt32;
    PutLE<int32_t>(B + 1, static_cast<int32_t>(Value));
    N = 5;
  } else {
    B[0] = vaInt64;
    PutLE<int64_t>(B + 1, Value);
    N = 9;
  }
  Write(B, static_cast<int64_t>(N));
}

void TWriter::WriteString(const String& Value) {
  uint8_t B[5];
  const bool Ascii = IsAscii(Value);
  if (!Ascii && !IsValidUtf8(Value)) throw EWriteError(SInvalidStringValue);
  if (Value.size() > UINT32_MAX) throw EWriteError(SWriteError);
  if (Ascii && Value.size() <= 255) {
    B[0] = vaString;
    B[1] = static_cast<uint8_t>(Value.size());
    Write(B, 2);
  } else {
    B[0] = Ascii ? vaLString : vaUTF8String;
    PutLE<uint32_t>(B + 1, static_cast<uint32_t>(Value.size()));
    Write(B, 5);
  }
  Write(Value.data(), static_cast<int64_t>(Value.size()));
}

void TWriter::WriteStr(const String& Value) {
  if (Value.size() > 255) throw EWriteError(Format(SStringTooLong, Value.substr(0, 40)));
  const uint8_t L = static_cast<uint8_t>(Value.size());
  Write(&L, 1);
  Write(Value.data(), L);
}

void TWriter::WriteIdent(const String& Ident) {
  if (SameText(Ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(Ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(Ident, "nil"))
    WriteValue(vaNil);
  else if (SameText(Ident, "Null"))
    WriteValue(vaNull);
  else {
    if (!IsValidIdent(Ident, true)) throw EWriteError(Format(SInvalidIdentBytes, Ident, Position()));
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteSignature() { Write(FilerSignature, 4); }

void TWriter::WritePrefix(TFilerFlags Flags, int AChildPos) {
  if (Flags.Empty()) return;
  const uint8_t B = static_cast<uint8_t>(0xF0 | Flags.Bits());
  Write(&B, 1);
  if (Flags.Contains(ffChildPos)) WriteInteger(AChildPos);
}

// ----- Defined properties ---------------------------------------------------------------------

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData,
                             bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData) return;
  TOwned<TMemoryStream> S(new TMemoryStream);
  WriteData(S.get());
  WritePropName(Name);
  WriteBinary(S->Memory(), static_cast<int64_t>(S->Bytes().size()));
}

void TWriter::WritePropName(const String& Name) {
  if (FPropPath.empty()) return WriteStr(Name);
  const size_t Length = FPropPath.size() + Name.size();
  if (Length > 255) return WriteStr(FPropPath + Name);  // raises with the usual message
  const uint8_t L = static_cast<uint8_t>(Length);
  Write(&L, 1);
  Write(FPropPath.data(), static_cast<int64_t>(FPropPath.size()));
  Write(Name.data(), static_cast<int64_t>(Name.size()));
}

// ----- Components -----------------------------------------------------------------------------

void TWriter::WriteDescendent(TComponent* Root, TComponent* AAncestor) {
  FRootAncestor = AAncestor;
  FAncestor = AAncestor;
  SetRoot(Root);
  FAncestorList.clear();
  FHasAncestorList = false;
  WriteSignature();
  WriteComponent(Root);
  FlushBuffer();
}

void TWriter::WriteComponent(TComponent* Component) {
  TValueScope<TPersistent*> KeepAncestor(FAncestor);
  TValueScope<TComponent*> KeepRootAncestor(FRootAncestor);
  Component->IncludeState(csWriting);
  struct TDone {
    TComponent* C;
    ~TDone() { C->ExcludeState(csWriting); }
  } Done{Component};
  if (FHasAncestorList) {
    FAncestor = nullptr;
    for (TComponent* A : FAncestorList)
      if (SameText(A->Name(), Component->Name())) {
        FAncestor = A;
        break;
      }
  }
  if (OnFindAncestor && (!FAncestor || As<TComponent>(FAncestor))) {
    TComponent* A = As<TComponent>(FAncestor);
    OnFindAncestor(this, Component, Component->Name(), A, FRootAncestor);
    FAncestor = A;
  }
  Component->WriteState(this);
  ++FChildPos;
}

bool TWriter::ChildPlaceMoves(const TPersistent* Child) {
  // A reader has the ancestor's children before it reads any, in the ancestor's order, and puts
  // each new one after them; an order index moves the child read to where it was written. The
  // index is written where the reader would otherwise have the child elsewhere.
  auto& Order = FReadOrder;
  const auto At = static_cast<size_t>(FChildPos);
  if (At < Order.size() && Order[At] == Child) return false;
  auto It = std::find(Order.begin(), Order.end(), Child);
  if (It == Order.end()) It = Order.insert(Order.end(), Child);
  if (static_cast<size_t>(It - Order.begin()) == At) return false;
  Order.erase(It);
  Order.insert(Order.begin() + static_cast<std::ptrdiff_t>(std::min(At, Order.size())), Child);
  return true;
}

void TWriter::WriteData(TComponent* Instance) {
  TFilerFlags Flags;
  if (Instance->ComponentState().Contains(csInline)) {
    if (FAncestor && Instance->ComponentState().Contains(csAncestor) && FHasAncestorList)
      Flags.Include(ffInherited);
    else
      Flags.Include(ffInline);
  } else if (FAncestor) {
    Flags.Include(ffInherited);
  }
  if (FHasAncestorList && ChildPlaceMoves(FAncestor ? static_cast<const TPersistent*>(FAncestor) : Instance))
    Flags.Include(ffChildPos);
  WritePrefix(Flags, FChildPos);
  WriteStr(Instance->ClassName());
  WriteStr(Instance->Name());

  TValueScope<std::vector<TComponent*>> KeepList(FAncestorList);
  TValueScope<bool> KeepHasList(FHasAncestorList);
  TValueScope<std::vector<const TPersistent*>> KeepOrder(FReadOrder);
  TValueScope<int> KeepChildPos(FChildPos);
  TValueScope<TComponent*> KeepLookupRoot(FLookupRoot);
  TValueScope<TComponent*> KeepRoot(FRoot);
  TValueScope<TComponent*> KeepRootAncestor(FRootAncestor);
  TValueScope<String> KeepPath(FPropPath);
  TValueScope<String> KeepContext(FContext);
  FContext = Instance->Name().empty() ? Instance->ClassName() : Instance->Name();
  // The components inside an embedded module instance are named relative to it.
  if (Instance != FRoot && Instance->ComponentState().Contains(csInline)) FLookupRoot = Instance;
  FPropPath.clear();
  WriteProperties(Instance);
  WriteListEnd();

  FAncestorList.clear();
  FHasAncestorList = false;
  if (auto* A = As<TComponent>(FAncestor)) {
    if (A->ComponentState().Contains(csInline)) FRootAncestor = A;
    A->GetChildren([this](TComponent* C) { FAncestorList.push_back(C); }, FRootAncestor);
    FHasAncestorList = true;
  }
  FReadOrder.assign(FAncestorList.begin(), FAncestorList.end());
  FChildPos = 0;
  if (Instance->ComponentState().Contains(csInline)) FRoot = Instance;
  if (!IgnoreChildren) {
    // Each child is written as the next one is listed, so that the next child's memory is on
    // its way while one is written, and the components a container's listing looks at are
    // still in the cache when their turn comes: a large module is written at the speed its
    // controls come in from memory otherwise.
    TComponent* Pending = nullptr;
    Instance->GetChildren(
        [this, &Pending](TComponent* C) {
          PrefetchObject(C);
          if (Pending) WriteComponent(Pending);
          Pending = C;
        },
        FRoot);
    if (Pending) WriteComponent(Pending);
  }
  WriteListEnd();
}

// ----- Properties -----------------------------------------------------------------------------

TWriter::TWritePlan& TWriter::WritePlan(TClass AClass) {
  if (AClass == FLastPlanClass) return *FLastPlan;
  if (FLastPlan && FLastPlan->NextClass == AClass) {
    FLastPlanClass = AClass;
    FLastPlan = FLastPlan->NextPlan;
    return *FLastPlan;
  }
  auto [It, Added] = FWritePlans.try_emplace(AClass);
  if (FLastPlan) {
    FLastPlan->NextClass = AClass;
    FLastPlan->NextPlan = &It->second;
  }
  if (Added)
    for (PPropInfo P : GetPropInfos(AClass))
      if (P->CanRead() && (P->CanWrite() || P->Kind() == tkClass) && (P->StoredProc || P->StoredConst)) {
        TWriteStep S;
        S.P = P;
        S.Access = P->Access.get();
        S.Stored = P->StoredProc ? &P->StoredProc : nullptr;
        S.Default = P->Default;
        S.Kind = P->Kind();
        if ((OrdinalKinds >> S.Kind) & 1) S.Encoding = EncodingOf(P);
        It->second.Steps.push_back(S);
      }
  if (Added) It->second.Strings = AClass->InheritsFrom(TStrings::StaticClass());
  FLastPlanClass = AClass;
  FLastPlan = &It->second;
  return It->second;
}

void TWriter::WriteProperties(TPersistent* Instance) {
  WritePlanned(Instance, WritePlan(Instance->ClassType()));
}

void TWriter::WritePlanned(TPersistent* Instance, TWritePlan& Plan) {
  // Most of a control's properties are ordinals and handlers at their defaults: without an
  // ancestor each is read once here and dropped, without the call that writes a property.
  const bool Compare = FAncestor != nullptr;
  if (!Plan.Placed) {
    // Every object of the class has its fields at the same distances: the first one tells them.
    Plan.Placed = true;
    for (TWriteStep& S : Plan.Steps) {
      if (!((SkippableKinds >> S.Kind) & 1)) continue;
      const TFieldPlace F = S.Access->FieldPlace(Instance);
      if (!F.Address) continue;
      S.FieldOffset =
          static_cast<int32_t>(static_cast<const char*>(F.Address) - reinterpret_cast<const char*>(Instance));
      S.FieldSize = F.Size;
      S.FieldSigned = F.Signed;
    }
  }
  for (TWriteStep& S : Plan.Steps) {
    if (S.Stored && !(*S.Stored)(Instance)) continue;
    if (Compare || !((SkippableKinds >> S.Kind) & 1)) {
      WriteProperty(Instance, S);
      continue;
    }
    try {
      if (S.FieldSize) {
        const int64_t V = FieldValue(Instance, S.FieldOffset, S.FieldSize, S.FieldSigned);
        if (S.Kind == tkMethod) {
          if (V) WriteProperty(Instance, S);
        } else if (!IsDeclaredDefault(S.Kind, S.Default, V)) {
          WriteOrdinalProperty(S, V);
        }
        continue;
      }
      if (S.Kind == tkMethod) {
        if (S.Access->GetMethod(Instance, *S.P).Code) WriteProperty(Instance, S);
        continue;
      }
      const int64_t V = S.Access->GetOrd(Instance, *S.P);
      if (!IsDeclaredDefault(S.Kind, S.Default, V)) WriteOrdinalProperty(S, V);
    } catch (EWritePropertyError&) {
      throw;
    } catch (Exception& E) {
      throw EWritePropertyError(
          Format(SWritingProperty, FContext + "." + FPropPath + S.P->Name, E.Message()));
    }
  }
  // Only string lists add a defined property of the runtime's own to the object's.
  if (Plan.Strings)
    detail::DefineFilerProperties(Instance, this);
  else
    Instance->DefineProperties(this);
}

TGetLookupInfoEvent TWriter::LookupInfo() const {
  return [this](TPersistent*& A, TComponent*& R, TComponent*& LR, TComponent*& RA) {
    A = FAncestor;
    R = FRoot;
    LR = FLookupRoot;
    RA = FRootAncestor;
  };
}

TPersistent* TWriter::AncestorValue(PPropInfo P) const {
  if (!FAncestor) return nullptr;
  PPropInfo AP = GetPropInfo(FAncestor, P->Name);
  if (!AP || AP->Kind() != tkClass || !AP->CanRead()) return nullptr;
  return As<TPersistent>(GetObjectProp(FAncestor, AP));
}

String TWriter::ReferenceName(TComponent* Component, PPropInfo P) const {
  if (Component == FLookupRoot) return Component->Name();
  String Path = Component->Name();
  for (TComponent* O = Component->Owner(); O && O != FLookupRoot; O = O->Owner())
    Path = O->Name() + "." + Path;
  if (Component->Name().empty() || Path.front() == '.' || Path.find("..") != String::npos)
    throw EWriteError(Format(SUnnamedReference, P->Name));
  return Path;
}

void TWriter::WriteOrdinal(PPropInfo P, int64_t Value) {
  switch (P->Kind()) {
    case tkChar:
      WriteChar(static_cast<char>(Value));
      return;
    case tkWChar:
      WriteWideChar(static_cast<char16_t>(Value));
      return;
    case tkEnumeration: {
      if (P->PropType == TypeInfoOf<bool>()) {
        WriteBoolean(Value != 0);
        return;
      }
      const String Name = GetEnumName(P->PropType, Value);
      if (Name.empty())
        WriteInteger(Value);
      else
        WriteIdent(Name);
      return;
    }
    case tkSet: {
      PTypeInfo E = GetTypeData(P->PropType)->CompType;
      std::vector<String> Names;
      for (int64_t Ord = E->Data.MinValue; Ord <= E->Data.MaxValue && Ord - E->Data.MinValue < 64; ++Ord)
        if (Value & (int64_t(1) << (Ord - E->Data.MinValue))) Names.push_back(GetSetElementName(E, Ord));
      WriteSet(Names);
      return;
    }
    case tkInteger: {
      String Ident;
      const PTypeData TD = GetTypeData(P->PropType);
      if (TD->IntToIdent && TD->IntToIdent(static_cast<int32_t>(Value), Ident))
        WriteIdent(Ident);
      else
        WriteInteger(Value);
      return;
    }
    default:
      WriteInteger(Value);
  }
}

void TWriter::WriteFloatProp(PPropInfo P, long double Value) {
  switch (GetTypeData(P->PropType)->FloatType) {
    case ftSingle:
      WriteSingle(static_cast<float>(Value));
      return;
    case ftDouble:
      if (IsDateType(P->PropType))
        WriteDate(TDateTime(static_cast<double>(Value)));
      else
        WriteDouble(static_cast<double>(Value));
      return;
    case ftCurr:
      WriteCurrency(Currency::FromDouble(Value));
      return;
    default:
      WriteFloat(Value);
  }
}

void TWriter::WriteOrdinalProperty(TWriteStep& S, int64_t Value) {
  WritePropName(S.P->Name);
  if (S.Encoding == oeInteger) return WriteInteger(Value);
  if (S.Encoding == oeBoolean) return WriteBoolean(Value != 0);
  // Most components of a module share such values (colours, alignments, styles): the bytes of
  // the last one are copied while it repeats.
  if (!S.LastBytes.empty() && S.LastValue == Value)
    return Write(S.LastBytes.data(), static_cast<int64_t>(S.LastBytes.size()));
  const int64_t StreamAt = FStream->Position();
  const int Start = FBufPos;
  WriteOrdinal(S.P, Value);
  // The bytes are kept when they are all still in the buffer (no flush came between).
  if (FStream->Position() == StreamAt && FBufPos > Start) {
    S.LastBytes.assign(reinterpret_cast<const char*>(FBuffer.data()) + Start,
                       static_cast<size_t>(FBufPos - Start));
    S.LastValue = Value;
  } else {
    S.LastBytes.clear();
  }
}

void TWriter::WriteProperty(TPersistent* Instance, TWriteStep& S) {
  const PPropInfo P = S.P;
  try {
    // Each value is read once; without an ancestor its default is the declared one.
    const bool Compare = FAncestor != nullptr;
    // Ordinals and objects, most of a control's properties, are told apart by tests rather than
    // by the switch below, whose jump the processor cannot foresee from one property to the next.
    if ((OrdinalKinds >> S.Kind) & 1) {
      const int64_t V = S.Access->GetOrd(Instance, *P);
      if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo())
                  : IsDeclaredDefault(S.Kind, S.Default, V))
        return;
      WriteOrdinalProperty(S, V);
      return;
    }
    if (S.Kind == tkClass) {
      WriteObjectProperty(Instance, S);
      return;
    }
    switch (S.Kind) {
      case tkFloat: {
        const long double V = S.Access->GetFloat(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : V == 0) return;
        WritePropName(P->Name);
        WriteFloatProp(P, V);
        return;
      }
      case tkString:
      case tkLString:
      case tkUString: {
        const String V = S.Access->GetStr(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : V.empty()) return;
        WritePropName(P->Name);
        WriteString(V);
        return;
      }
      case tkWString: {
        const WideString V = S.Access->GetWideStr(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : V.empty()) return;
        WritePropName(P->Name);
        WriteWideString(V);
        return;
      }
      case tkVariant: {
        const Variant V = S.Access->GetVariant(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : V.IsEmpty()) return;
        WritePropName(P->Name);
        WriteVariant(V);
        return;
      }
      case tkMethod: {
        const TMethod M = S.Access->GetMethod(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : M.Code == nullptr) return;
        String Name;
        if (M.Code) {
          if (FLookupRoot) Name = FLookupRoot->MethodName(M.Code);
          if (Name.empty() && M.Data) Name = M.Data->MethodName(M.Code);
          if (Name.empty()) return;  // a handler that is not a published method is not streamed
        }
        WritePropName(P->Name);
        if (Name.empty())
          WriteValue(vaNil);
        else
          WriteIdent(Name);
        return;
      }
      case tkInterface: {
        const IPtr<IInterface> V = S.Access->GetIntf(Instance, *P);
        if (Compare ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : !V) return;
        if (!V) {
          WritePropName(P->Name);
          WriteValue(vaNil);
          return;
        }
        auto Ref = Supports<IInterfaceComponentReference>(V);
        if (!Ref) return;  // only interfaces of components can be streamed, by name
        const String Name = ReferenceName(Ref->GetComponent(), P);
        WritePropName(P->Name);
        WriteIdent(Name);
        return;
      }
      default:
        return;
    }
  } catch (EWritePropertyError&) {
    throw;
  } catch (Exception& E) {
    throw EWritePropertyError(Format(SWritingProperty, FContext + "." + FPropPath + P->Name, E.Message()));
  }
}

namespace {
// What the object held by an object property is, which decides how it is written; the writer
// keeps the answer per property for the class last met there.
enum TObjectShape : uint8_t { osNone, osComponent, osCollection, osPersistent, osOther };

TObjectShape ShapeOf(TClass C) {
  if (C->InheritsFrom(TComponent::StaticClass())) return osComponent;
  if (C->InheritsFrom(TCollection::StaticClass())) return osCollection;
  if (C->InheritsFrom(TPersistent::StaticClass())) return osPersistent;
  return osOther;
}
}  // namespace

void TWriter::WriteObjectProperty(TPersistent* Instance, TWriteStep& S) {
  const PPropInfo P = S.P;
  TObject* Obj = S.Access->GetObj(Instance, *P);
  TObjectShape Shape = osNone;
  if (Obj) {
    if (Obj->ClassType() != S.LastClass) {
      S.LastClass = Obj->ClassType();
      S.LastShape = ShapeOf(S.LastClass);
      S.LastPlan = nullptr;
    }
    Shape = static_cast<TObjectShape>(S.LastShape);
  }
  auto* Comp = Shape == osComponent ? static_cast<TComponent*>(Obj) : nullptr;
  const bool Nested =
      Obj && (!Comp || (IsSubComponent(Comp) && (Comp->Owner() == Instance || !Comp->Owner())));
  if (Nested) {
    TPersistent* AncestorObj = AncestorValue(P);
    if (Shape == osCollection) {
      auto* Coll = static_cast<TCollection*>(Obj);
      auto* AncestorColl = As<TCollection>(AncestorObj);
      if (AncestorColl ? CollectionsEqual(Coll, AncestorColl, FLookupRoot, FRootAncestor)
                       : Coll->Count() == 0)
        return;
      WritePropName(P->Name);
      WriteCollection(Coll);
      return;
    }
    if (Shape == osPersistent || Shape == osComponent) {
      auto* Sub = static_cast<TPersistent*>(Obj);
      // The path grows by "Name." for the sub-object's properties and is cut back after.
      const size_t PathLength = FPropPath.size();
      TScopeExit KeepPath([this, PathLength] { FPropPath.resize(PathLength); });
      TValueScope<TPersistent*> KeepAncestor(FAncestor);
      FPropPath.append(P->Name).push_back('.');
      FAncestor = AncestorObj && AncestorObj->ClassType() == Sub->ClassType() ? AncestorObj : nullptr;
      if (!S.LastPlan) S.LastPlan = &WritePlan(S.LastClass);
      WritePlanned(Sub, *S.LastPlan);
    }
    return;
  }
  if (!P->CanWrite() || (Obj && !Comp)) return;
  // Without an ancestor a reference is at its default when it is empty.
  if (FAncestor ? IsDefaultPropertyValue(Instance, P, LookupInfo()) : !Obj) return;
  if (!Comp) {
    WritePropName(P->Name);
    WriteValue(vaNil);
    return;
  }
  const String Name = ReferenceName(Comp, P);
  WritePropName(P->Name);
  WriteIdent(Name);
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  TValueScope<TPersistent*> KeepAncestor(FAncestor);
  TValueScope<String> KeepPath(FPropPath);
  FAncestor = nullptr;
  FPropPath.clear();
  for (int I = 0; I < Value->Count(); ++I) {
    WriteListBegin();
    WriteProperties(Value->Items(I));
    WriteListEnd();
  }
  WriteListEnd();
}

bool CollectionsEqual(TCollection* C1, TCollection* C2, TComponent* Owner1, TComponent* Owner2) {
  if (C1 == C2) return true;
  if (!C1 || !C2 || C1->ClassType() != C2->ClassType() || C1->Count() != C2->Count()) return false;
  if (C1->Count() == 0) return true;
  auto Image = [](TCollection* C, TComponent* Owner) {
    TOwned<TMemoryStream> S(new TMemoryStream);
    {
      TOwned<TWriter> W(new TWriter(S.get(), 1024));
      W->SetRoot(Owner);
      W->WriteCollection(C);
    }
    return S->Bytes();
  };
  return Image(C1, Owner1) == Image(C2, Owner2);
}

}  // namespace formwright
