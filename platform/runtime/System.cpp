#include "platform/runtime/System.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include <map>
#include <mutex>

#include "platform/runtime/NameTable.h"
#include "platform/runtime/RtlConsts.h"
#include "platform/runtime/TypInfo.h"

namespace formwright {

// ----- TGUID ----------------------------------------------------------------------------------

TGUID TGUID::Parse(std::string_view Text) {
  auto Bad = [&] { return EConvertError(Format("'%s' is not a valid GUID value", String(Text))); };
  if (Text.size() != 38 || Text.front() != '{' || Text.back() != '}') throw Bad();
  String Hex;
  for (size_t I = 1; I + 1 < Text.size(); ++I) {
    const char C = Text[I];
    if (I == 9 || I == 14 || I == 19 || I == 24) {
      if (C != '-') throw Bad();
      continue;
    }
    if (!std::isxdigit(static_cast<unsigned char>(C))) throw Bad();
    Hex += C;
  }
  auto Part = [&](size_t Pos, size_t Len) { return std::stoull(Hex.substr(Pos, Len), nullptr, 16); };
  TGUID G;
  G.D1 = static_cast<uint32_t>(Part(0, 8));
  G.D2 = static_cast<uint16_t>(Part(8, 4));
  G.D3 = static_cast<uint16_t>(Part(12, 4));
  for (int I = 0; I < 8; ++I) G.D4[I] = static_cast<uint8_t>(Part(16 + 2 * I, 2));
  return G;
}

String TGUID::ToString() const {
  return Format("{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", D1, D2, D3, D4[0], D4[1], D4[2], D4[3],
                D4[4], D4[5], D4[6], D4[7]);
}

bool operator==(const TGUID& A, const TGUID& B) noexcept {
  if (A.D1 != B.D1 || A.D2 != B.D2 || A.D3 != B.D3) return false;
  for (int I = 0; I < 8; ++I)
    if (A.D4[I] != B.D4[I]) return false;
  return true;
}

// ----- TMetaClass -----------------------------------------------------------------------------

TMetaClass::TMetaClass(String Name, String UnitName, TClass Parent, TInit Init)
    : FParent(Parent), FInit(Init) {
  FTypeInfo.Kind = tkClass;
  FTypeInfo.Name = std::move(Name);
  FTypeInfo.Data.ClassType = this;
  FTypeInfo.Data.UnitName = std::move(UnitName);
  FTypeInfo.Data.ParentInfo = Parent ? Parent->ClassInfo() : nullptr;
}

namespace {
// Own methods by lower-case name and by code, for classes with many methods (a designed
// module's class holds one per handler, and the writer names a handler of each component).
// Built on first lookup, dropped whenever the class's methods change and when the class goes;
// the first of equal names or codes wins, as in the list.
constexpr size_t MethodIndexThreshold = 16;
// Positions in a class's own method list by a hash of their name or code, in one array of
// (hash, position) slots with open addressing: the index keeps no copy of the names, and a class
// of many handlers frees it as one block.
class TPositionIndex {
 public:
  explicit TPositionIndex(size_t Count) { Grow(Count); }
  // Room for Count positions without growing again.
  void Reserve(size_t Count) { Grow(Count); }
  // Files Position under Hash unless Same(P) holds for a position P already filed: the first of
  // equal keys wins.
  template <class F>
  void Add(uint32_t Hash, size_t Position, F Same) {
    if ((FCount + 1) * 2 > FSlots.size()) Grow(FCount + 1);
    size_t I = Home(Hash);
    for (; FSlots[I].Position; I = (I + 1) & Mask())
      if (FSlots[I].Hash == Hash && Same(FSlots[I].Position - 1)) return;
    FSlots[I] = {Hash, static_cast<uint32_t>(Position + 1)};
    ++FCount;
  }
  // The first position filed under Hash for which Same holds; NoPosition when there is none.
  template <class F>
  size_t Find(uint32_t Hash, F Same) const {
    for (size_t I = Home(Hash); FSlots[I].Position; I = (I + 1) & Mask())
      if (FSlots[I].Hash == Hash && Same(FSlots[I].Position - 1)) return FSlots[I].Position - 1;
    return NoPosition;
  }
  static constexpr size_t NoPosition = SIZE_MAX;

 private:
  struct TSlot {
    uint32_t Hash = 0;
    uint32_t Position = 0;  // position + 1; 0 for an empty slot
  };
  size_t Mask() const noexcept { return FSlots.size() - 1; }
  size_t Home(uint32_t Hash) const noexcept {
    return static_cast<size_t>((uint64_t{Hash} * 0x9E3779B97F4A7C15ull) >> 32) & Mask();
  }
  // Room for Count positions with the table at most half full.
  void Grow(size_t Count) {
    size_t Capacity = 16;
    while (Capacity < Count * 2) Capacity *= 2;
    if (Capacity <= FSlots.size()) return;
    std::vector<TSlot> Old(Capacity);
    Old.swap(FSlots);
    for (const TSlot& S : Old) {
      if (!S.Position) continue;
      size_t I = Home(S.Hash);
      while (FSlots[I].Position) I = (I + 1) & Mask();
      FSlots[I] = S;
    }
  }
  std::vector<TSlot> FSlots;
  size_t FCount = 0;
};

uint32_t CodeHash(const void* Code) noexcept {
  return static_cast<uint32_t>((reinterpret_cast<uintptr_t>(Code) * 0x9E3779B97F4A7C15ull) >> 32);
}

struct TMethodIndex {
  explicit TMethodIndex(size_t Count) : ByName(Count), ByCode(0) {}
  TPositionIndex ByName, ByCode;
  // Codes are filed for the first CodesIndexed methods only: reading a module adds a method per
  // handler and asks only for names, so codes are filed when next asked for, all at once.
  size_t CodesIndexed = 0;

  void Add(const std::vector<TMethodEntry>& Own, size_t Position) {
    const TMethodEntry& E = Own[Position];
    ByName.Add(NameHash(E.Name), Position, [&](size_t P) { return SameText(Own[P].Name, E.Name); });
  }
  const TMethodEntry* FindName(const std::vector<TMethodEntry>& Own, std::string_view Name) const {
    const size_t P = ByName.Find(NameHash(Name), [&](size_t Q) { return SameText(Own[Q].Name, Name); });
    return P == TPositionIndex::NoPosition ? nullptr : &Own[P];
  }
  const TMethodEntry* FindCode(const std::vector<TMethodEntry>& Own, const void* Code) {
    if (CodesIndexed < Own.size()) ByCode.Reserve(Own.size());
    for (; CodesIndexed < Own.size(); ++CodesIndexed)
      if (const void* C = Own[CodesIndexed].Code)
        ByCode.Add(CodeHash(C), CodesIndexed, [&](size_t P) { return Own[P].Code == C; });
    const size_t P = ByCode.Find(CodeHash(Code), [&](size_t Q) { return Own[Q].Code == Code; });
    return P == TPositionIndex::NoPosition ? nullptr : &Own[P];
  }
};
std::unordered_map<const TMetaClass*, TMethodIndex>& MethodIndexes() {
  static std::unordered_map<const TMetaClass*, TMethodIndex> Indexes;
  return Indexes;
}
void DropMethodIndex(const TMetaClass* C) { MethodIndexes().erase(C); }
// The index of a class's own methods, built when first asked for.
TMethodIndex& MethodIndexOf(const TMetaClass* C, const std::vector<TMethodEntry>& Own) {
  auto [It, Added] = MethodIndexes().try_emplace(C, Own.size());
  if (Added)
    for (size_t I = 0; I < Own.size(); ++I) It->second.Add(Own, I);
  return It->second;
}
}  // namespace

TMetaClass::~TMetaClass() { DropMethodIndex(this); }

bool TMetaClass::InheritsFrom(const TMetaClass* AClass) const noexcept {
  for (const TMetaClass* C = this; C; C = C->FParent)
    if (C == AClass) return true;
  return false;
}

void TMetaClass::EnsureInitialized() {
  if (FInitialized) return;
  FInitialized = true;  // set first: declarations may refer back to this class
  if (FInit) FInit(*this);
}

const std::vector<std::unique_ptr<TPropInfo>>& TMetaClass::OwnProperties() {
  EnsureInitialized();
  return FProps;
}

int TMetaClass::PropCount() {
  int N = 0;
  for (TMetaClass* C = this; C; C = C->FParent) N += static_cast<int>(C->OwnProperties().size());
  return N;
}

std::vector<PPropInfo> TMetaClass::PropInfos() {
  // The chain's classes are initialised before the lock: a class's declarations may ask for
  // property lists themselves.
  size_t Depth = 0;
  for (TMetaClass* C = this; C; C = C->FParent, ++Depth) C->EnsureInitialized();
  std::lock_guard<std::mutex> Lock(FPropInfosLock);
  bool Current = FPropInfosFrom.size() == Depth;
  size_t I = 0;
  for (const TMetaClass* C = this; Current && C; C = C->FParent, ++I)
    Current = FPropInfosFrom[I].first == C && FPropInfosFrom[I].second == C->FProps.size();
  if (Current) return FPropInfos;
  FPropInfosFrom.clear();
  for (const TMetaClass* C = this; C; C = C->FParent) FPropInfosFrom.emplace_back(C, C->FProps.size());
  FPropInfos.clear();
  for (auto It = FPropInfosFrom.rbegin(); It != FPropInfosFrom.rend(); ++It) {
    for (const auto& P : It->first->FProps) {
      // A redeclaration replaces the inherited declaration in place.
      auto Same = std::find_if(FPropInfos.begin(), FPropInfos.end(),
                               [&](PPropInfo Q) { return SameText(Q->Name, P->Name); });
      if (Same != FPropInfos.end())
        *Same = P.get();
      else
        FPropInfos.push_back(P.get());
    }
  }
  return FPropInfos;
}

const std::vector<TMethodEntry>& TMetaClass::OwnMethods() {
  EnsureInitialized();
  return FMethods;
}

void* TMetaClass::MethodAddress(std::string_view Name) {
  for (TMetaClass* C = this; C; C = C->FParent) {
    const auto& Own = C->OwnMethods();
    if (Own.size() < MethodIndexThreshold) {
      for (const TMethodEntry& E : Own)
        if (SameText(E.Name, Name)) return E.Code;
      continue;
    }
    if (const TMethodEntry* E = MethodIndexOf(C, Own).FindName(Own, Name)) return E->Code;
  }
  return nullptr;
}

String TMetaClass::MethodName(const void* Code) {
  if (!Code) return {};
  for (TMetaClass* C = this; C; C = C->FParent) {
    const auto& Own = C->OwnMethods();
    if (Own.size() < MethodIndexThreshold) {
      for (const TMethodEntry& E : Own)
        if (E.Code == Code) return String(E.Name);
      continue;
    }
    if (const TMethodEntry* E = MethodIndexOf(C, Own).FindCode(Own, Code)) return String(E->Name);
  }
  return {};
}

TPropInfo& TMetaClass::AddProperty(std::unique_ptr<TPropInfo> Prop) {
  EnsureInitialized();
  FProps.push_back(std::move(Prop));
  return *FProps.back();
}

void TMetaClass::AddMethod(std::string_view Name, void* Code) {
  EnsureInitialized();
  // A new method joins an index already built (the first of equal names still wins).
  FMethods.push_back({FMethodNames.Add(Name), Code});
  if (auto It = MethodIndexes().find(this); It != MethodIndexes().end())
    It->second.Add(FMethods, FMethods.size() - 1);
}

bool TMetaClass::RemoveMethod(const void* Code) {
  EnsureInitialized();
  DropMethodIndex(this);
  for (auto It = FMethods.begin(); It != FMethods.end(); ++It)
    if (It->Code == Code) {
      FMethods.erase(It);
      return true;
    }
  return false;
}

bool TMetaClass::RenameMethod(const void* Code, std::string_view NewName) {
  EnsureInitialized();
  DropMethodIndex(this);
  for (TMethodEntry& E : FMethods)
    if (E.Code == Code) {
      E.Name = FMethodNames.Add(NewName);
      return true;
    }
  return false;
}

void TMetaClass::Rename(String Name, String UnitName) {
  FTypeInfo.Name = std::move(Name);
  if (!UnitName.empty()) FTypeInfo.Data.UnitName = std::move(UnitName);
}

void TMetaClass::SetParent(TClass Parent) noexcept {
  FParent = Parent;
  FTypeInfo.Data.ParentInfo = Parent ? Parent->ClassInfo() : nullptr;
}

void (*TMetaClass::FindFactory(std::type_index Key))() {
  EnsureInitialized();
  for (auto& [K, F] : FFactories)
    if (K == Key) return F;
  return nullptr;
}

void TMetaClass::RaiseNoFactory() const { throw EInvalidOperation(Format(SNoFactory, ClassName())); }

// ----- TObject --------------------------------------------------------------------------------

TClass TObject::StaticClass() {
  static TMetaClass Meta("TObject", "System", nullptr);
  Meta.CppType = &typeid(TObject);
  return &Meta;
}

TObject::~TObject() { RunDestroyHook(); }

void TObject::RunDestroyHook() noexcept {
  // A class made at run time may replace destruction; it switches the instance back first.
  while (FClassOverride && FClassOverride->DestroyHook) {
    TClass Before = FClassOverride;
    FClassOverride->DestroyHook(this);
    if (FClassOverride == Before) break;
  }
}

void TObject::ChangeClass(TClass AClass) {
  TClass Compiled = DeclaredClass();
  if (!AClass || AClass == Compiled) {
    FClassOverride = nullptr;
    return;
  }
  if (!AClass->InheritsFrom(Compiled)) throw EInvalidCast(SInvalidCast);
  FClassOverride = AClass;
}

void TObject::Free() noexcept {
  RunDestroyHook();
  BeforeDestruction();
  delete this;
}

// ----- Interfaces -----------------------------------------------------------------------------

namespace {
struct TGuidLess {
  bool operator()(const TGUID& A, const TGUID& B) const noexcept {
    if (A.D1 != B.D1) return A.D1 < B.D1;
    if (A.D2 != B.D2) return A.D2 < B.D2;
    if (A.D3 != B.D3) return A.D3 < B.D3;
    for (int I = 0; I < 8; ++I)
      if (A.D4[I] != B.D4[I]) return A.D4[I] < B.D4[I];
    return false;
  }
};
struct TInterfaceRecord {
  std::unique_ptr<TTypeInfo> Info;
  TInterfaceCaster Caster;
};
// The process-wide table of interface identifiers, filled as interface types are first used.
std::map<TGUID, TInterfaceRecord, TGuidLess>& InterfaceTable() {
  static std::map<TGUID, TInterfaceRecord, TGuidLess> Table;
  return Table;
}
std::mutex& InterfaceTableLock() {
  static std::mutex M;
  return M;
}
}  // namespace

PTypeInfo RegisterInterfaceType(const char* Name, const char* Guid, PTypeInfo Parent,
                                TInterfaceCaster Caster) {
  auto Info = std::make_unique<TTypeInfo>();
  Info->Kind = tkInterface;
  Info->Name = Name;
  Info->Data.Guid = TGUID::Parse(Guid);
  Info->Data.IntfParent = Parent;
  std::lock_guard<std::mutex> Lock(InterfaceTableLock());
  const TGUID Key = Info->Data.Guid;
  auto [It, Added] = InterfaceTable().try_emplace(Key, TInterfaceRecord{std::move(Info), Caster});
  if (!Added && It->second.Info->Name != Name)
    throw EInvalidOperation(Format("Interfaces %s and %s share the identifier %s", It->second.Info->Name,
                                   String(Name), It->first.ToString()));
  return It->second.Info.get();
}

TInterfaceCaster FindInterfaceCaster(const TGUID& IID) noexcept {
  std::lock_guard<std::mutex> Lock(InterfaceTableLock());
  auto It = InterfaceTable().find(IID);
  return It == InterfaceTable().end() ? nullptr : It->second.Caster;
}

PTypeInfo IInterface::InterfaceTypeInfo() {
  static const PTypeInfo TI = RegisterInterfaceType("IInterface", "{00000000-0000-0000-C000-000000000046}",
                                                    nullptr, [](IInterface* P) -> void* { return P; });
  return TI;
}

bool InterfaceInheritsFrom(PTypeInfo T, PTypeInfo Ancestor) noexcept {
  for (; T; T = T->Data.IntfParent)
    if (T == Ancestor) return true;
  return false;
}

bool QueryInterfaceByCast(IInterface* Self, const TGUID& IID, void** Obj) noexcept {
  *Obj = nullptr;
  if (TInterfaceCaster Cast = FindInterfaceCaster(IID)) *Obj = Cast(Self);
  return *Obj != nullptr;
}

IPtr<IInterface> SupportsIID(IInterface* P, const TGUID& IID) noexcept {
  void* Out = nullptr;
  if (!P || !P->QueryInterface(IID, &Out) || !Out) return nullptr;
  // Interfaces share one IInterface base, so the object's identity stands for the answer.
  return IPtr<IInterface>(P);
}

FW_REGISTER_CLASS(TInterfacedObject, "System")

}  // namespace formwright
