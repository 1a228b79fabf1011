// The helper classes of the design contracts: event signatures, selection lists, design
// objects and class wrappers.
#include "contracts/DesignIntf.h"

namespace formwright {

FW_REGISTER_CLASS(TEventInfo, "DesignIntf")
FW_REGISTER_CLASS(TDesignerSelections, "DesignIntf")
FW_REGISTER_CLASS(TDesignObject, "DesignIntf")
FW_REGISTER_CLASS(TClassWrapper, "DesignIntf")

namespace {
constexpr const char* SNoEventType = "Event information needs the type data of an event";
constexpr const char* SNoDesignObject = "A design object needs an object to stand for";
constexpr const char* SNoClassToWrap = "A class wrapper needs a class";
}  // namespace

// ---------------------------------------------------------------------------------------------
// TEventInfo

TEventInfo::TEventInfo(PPropInfo PropInfo) {
  if (!PropInfo || !PropInfo->PropType || PropInfo->PropType->Kind != tkMethod)
    throw EInvalidArgument(SNoEventType);
  Initialize(GetTypeData(PropInfo->PropType));
}

TEventInfo::TEventInfo(PTypeData TypeData) {
  if (!TypeData) throw EInvalidArgument(SNoEventType);
  Initialize(TypeData);
}

void TEventInfo::Initialize(PTypeData TypeData) {
  FMethodKind = TypeData->MethodKind;
  const size_t Count = TypeData->Params.size();
  FParamNames.resize(Count);
  FParamTypes.resize(Count);
  FParamFlags.resize(Count);
  for (size_t I = 0; I < Count; ++I) {
    const TParamInfo& P = TypeData->Params[I];
    FParamFlags[I] = P.Flags;
    FParamNames[I] = P.Name;
    FParamTypes[I] = P.TypeName;
  }
  // A procedure has no result type.
  FResultType = FMethodKind == mkFunction ? TypeData->ResultType : String();
}

void TEventInfo::CheckIndex(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FParamNames.size()))
    throw EListError(Format(SListIndexError, Index));
}

String TEventInfo::GetParamName(int Index) {
  CheckIndex(Index);
  return FParamNames[size_t(Index)];
}

String TEventInfo::GetParamType(int Index) {
  CheckIndex(Index);
  return FParamTypes[size_t(Index)];
}

TParamFlags TEventInfo::GetParamFlags(int Index) {
  CheckIndex(Index);
  return FParamFlags[size_t(Index)];
}

// ---------------------------------------------------------------------------------------------
// TDesignerSelections

TDesignerSelections::TDesignerSelections(const IPtr<IDesignerSelections>& Selection) {
  if (!Selection) return;
  for (int I = 0, N = Selection->GetCount(); I < N; ++I) FList.Add(Selection->Get(I));
}

bool TDesignerSelections::Equals(const IPtr<IDesignerSelections>& List) {
  if (!List || List->GetCount() != FList.Count()) return false;
  for (int I = 0; I < FList.Count(); ++I)
    if (List->Get(I) != FList.Get(I)) return false;
  return true;
}

IPtr<IDesignObject> TDesignerSelections::GetDesignObject(int Index) {
  return PersistentToDesignObject(Get(Index));
}

IPtr<IDesignerSelections> CreateSelectionList() { return MakeIntf<TDesignerSelections>(); }

// ---------------------------------------------------------------------------------------------
// TDesignObject

TDesignObject::TDesignObject(TPersistent* APersistent) : FPersistent(APersistent) {
  if (!APersistent) throw EInvalidArgument(SNoDesignObject);
}

bool TDesignObject::Equals(const IPtr<IDesignObject>& Other) {
  IPtr<IDesignPersistent> P = Supports<IDesignPersistent>(Other);
  return P && P->GetPersistent() == FPersistent;
}

IPtr<IClass> TDesignObject::GetClassType() { return MakeIntf<TClassWrapper>(FPersistent->ClassType()); }

int TDesignObject::GetComponentIndex() {
  TComponent* C = As<TComponent>(FPersistent);
  return C ? C->ComponentIndex() : -1;
}

String TDesignObject::GetComponentName() {
  TComponent* C = As<TComponent>(FPersistent);
  return C ? C->Name() : FPersistent->ClassName();
}

bool TDesignObject::GetIsComponent() { return As<TComponent>(FPersistent) != nullptr; }

IPtr<IDesignObject> PersistentToDesignObject(TPersistent* APersistent) {
  if (!APersistent) return nullptr;
  return MakeIntf<TDesignObject>(APersistent);
}

// ---------------------------------------------------------------------------------------------
// TClassWrapper

TClassWrapper::TClassWrapper(TClass AClass) : FClass(AClass) {
  if (!AClass) throw EInvalidArgument(SNoClassToWrap);
}

IPtr<IClass> TClassWrapper::GetClassParent() {
  TClass Parent = FClass->ClassParent();
  if (!Parent) return nullptr;
  return MakeIntf<TClassWrapper>(Parent);
}

}  // namespace formwright
