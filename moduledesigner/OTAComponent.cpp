#include "moduledesigner/OTAComponent.h"

#include <algorithm>
#include <cstring>

#include "moduledesigner/ComponentRoot.h"

namespace formwright {

FW_REGISTER_CLASS(TOTAComponent, "ComponentDesigner")

IPtr<IOTAComponent> OTAComponentOf(TPersistent* Persistent, TComponentRoot* Root) {
  if (!Persistent) return nullptr;
  return MakeIntf<TOTAComponent>(Persistent, Root);
}

TComponent* TOTAComponent::AsComponent() const noexcept { return dynamic_cast<TComponent*>(FPersistent); }

bool TOTAComponent::IsRootComponent() const noexcept {
  return FRoot && FPersistent == static_cast<TPersistent*>(FRoot->GetRoot());
}

IPtr<IOTAComponent> TOTAComponent::Adapter(TPersistent* Persistent) const {
  return OTAComponentOf(Persistent, FRoot);
}

String TOTAComponent::GetComponentType() { return FPersistent->ClassName(); }

// ----- Structure ------------------------------------------------------------------------------

IPtr<IOTAComponent> TOTAComponent::GetParent() {
  TComponent* C = AsComponent();
  if (!C || !FRoot || IsRootComponent()) return nullptr;
  return Adapter(FRoot->HostOperations().HostParentOf(C));
}

bool TOTAComponent::IsTControl() { return FRoot && FRoot->HostOperations().HostIsControl(FPersistent); }

int TOTAComponent::GetControlCount() {
  TComponent* C = AsComponent();
  return C && FRoot ? FRoot->HostOperations().HostControlCount(C) : 0;
}

IPtr<IOTAComponent> TOTAComponent::GetControl(int Index) {
  if (Index < 0 || Index >= GetControlCount()) return nullptr;
  return Adapter(FRoot->HostOperations().HostControl(AsComponent(), Index));
}

int TOTAComponent::GetComponentCount() {
  TComponent* C = AsComponent();
  return C ? C->ComponentCount() : -1;
}

IPtr<IOTAComponent> TOTAComponent::GetComponent(int Index) {
  TComponent* C = AsComponent();
  if (!C || Index < 0 || Index >= C->ComponentCount()) return nullptr;
  return Adapter(C->Components(Index));
}

bool TOTAComponent::GetChildren(void* Param, const TOTAGetChildCallback& Proc) {
  TComponent* C = AsComponent();
  if (!C) return false;
  if (!Proc) return true;
  bool Continue = true;
  // The framework's walk cannot be stopped: children after the stop are passed over.
  C->GetChildren(
      [&](TComponent* Child) {
        if (Continue) Proc(Param, Adapter(Child), Continue);
      },
      FRoot ? FRoot->GetRoot() : nullptr);
  return true;
}

// ----- Selection and deletion -----------------------------------------------------------------

bool TOTAComponent::Select(bool AddToSelection) {
  TComponent* C = AsComponent();
  if (!C || !FRoot) return false;
  if (IsRootComponent())
    FRoot->ClearSelection();
  else
    FRoot->Select(C, AddToSelection);
  return true;
}

bool TOTAComponent::Focus(bool AddToSelection) {
  TComponent* C = AsComponent();
  if (!C || !FRoot) return false;
  if (!IsRootComponent()) {
    FRoot->Select(C, AddToSelection);
    const IPtr<ISelections>& Selected = FRoot->Selections();
    if (Selected && Selected->GetCount() == 1) {
      if (IPtr<IInternalItem> Item = Supports<IInternalItem>(Selected->GetItems(0))) {
        Item->Show();
        return true;
      }
    }
  }
  FRoot->ShowWindow(true);
  return true;
}

bool TOTAComponent::Delete() {
  TComponent* C = AsComponent();
  if (!C || !FRoot || !FRoot->GetRoot() || C->Owner() != FRoot->GetRoot()) return false;
  C->Free();
  // The module changed: without this its cached stream and its modification time would still
  // describe the component, and a save would write it back.
  FRoot->Modified();
  return true;
}

// ----- Properties -----------------------------------------------------------------------------

const std::vector<PPropInfo>& TOTAComponent::Props() {
  if (!FProps) FProps = GetPropList(FPersistent->ClassType(), tkAny);
  return *FProps;
}

PPropInfo TOTAComponent::Prop(int Index) {
  const std::vector<PPropInfo>& List = Props();
  return Index >= 0 && Index < static_cast<int>(List.size()) ? List[static_cast<size_t>(Index)] : nullptr;
}

PPropInfo TOTAComponent::Prop(const String& Name) {
  for (PPropInfo P : Props())
    if (SameText(P->Name, Name)) return P;
  return nullptr;
}

String TOTAComponent::GetPropName(int Index) {
  PPropInfo P = Prop(Index);
  return P ? P->Name : String();
}

TTypeKind TOTAComponent::GetPropType(int Index) {
  PPropInfo P = Prop(Index);
  return P ? P->Kind() : tkUnknown;
}

TTypeKind TOTAComponent::GetPropTypeByName(const String& Name) {
  PPropInfo P = Prop(Name);
  return P ? P->Kind() : tkUnknown;
}

namespace {
template <class T>
T& Out(void* Value) {
  return *static_cast<T*>(Value);
}
template <class T>
const T& In(const void* Value) {
  return *static_cast<const T*>(Value);
}

// The kinds whose values cross as ordinals.
bool IsOrdinalKind(TTypeKind Kind) {
  return Kind == tkInteger || Kind == tkChar || Kind == tkEnumeration || Kind == tkSet || Kind == tkWChar;
}

// The ordinal written for a property of ordinal type OrdType: a byte, a word or a long word.
int64_t OrdinalIn(const void* Value, TOrdType OrdType) {
  switch (OrdType) {
    case otSByte:
      return In<int8_t>(Value);
    case otUByte:
      return In<uint8_t>(Value);
    case otSWord:
      return In<int16_t>(Value);
    case otUWord:
      return In<uint16_t>(Value);
    case otULong:
      return In<uint32_t>(Value);
    default:
      return In<int32_t>(Value);
  }
}
}  // namespace

bool TOTAComponent::ReadProp(PPropInfo P, void* Value) {
  if (!P || !Value || !P->CanRead()) return false;
  try {
    if (IsOrdinalKind(P->Kind())) {
      Out<int32_t>(Value) = static_cast<int32_t>(GetOrdProp(FPersistent, P));
      return true;
    }
    switch (P->Kind()) {
      case tkFloat:
        Out<long double>(Value) = GetFloatProp(FPersistent, P);
        return true;
      case tkString: {
        const String S = GetStrProp(FPersistent, P);
        auto& Short = Out<TOTAShortString>(Value);
        Short.Length = static_cast<uint8_t>(std::min<size_t>(S.size(), sizeof Short.Chars));
        std::memcpy(Short.Chars, S.data(), Short.Length);
        return true;
      }
      case tkClass: {
        // Only objects that are not components have an adapter here: a component is reached
        // through its module, and a reference to one reads as nil.
        TObject* Object = GetObjectProp(FPersistent, P);
        auto* Persistent = dynamic_cast<TPersistent*>(Object);
        Out<IPtr<IOTAComponent>>(Value) =
            Persistent && !dynamic_cast<TComponent*>(Object) ? Adapter(Persistent) : nullptr;
        return true;
      }
      case tkMethod:
        Out<TMethod>(Value) = GetMethodProp(FPersistent, P);
        return true;
      case tkLString:
      case tkUString:
        Out<String>(Value) = GetStrProp(FPersistent, P);
        return true;
      case tkWString:
        Out<WideString>(Value) = GetWideStrProp(FPersistent, P);
        return true;
      case tkVariant:
        Out<Variant>(Value) = GetVariantProp(FPersistent, P);
        return true;
      default:
        return false;
    }
  } catch (const Exception&) {
    // A getter that fails answers "not read", as the tools interface reports every failure.
    return false;
  }
}

bool TOTAComponent::WriteProp(PPropInfo P, const void* Value) {
  if (!P || !Value || !P->CanWrite()) return false;
  try {
    switch (P->Kind()) {
      case tkFloat:
        SetFloatProp(FPersistent, P, In<long double>(Value));
        break;
      case tkString: {
        const auto& Short = In<TOTAShortString>(Value);
        SetStrProp(FPersistent, P, String(Short.Chars, Short.Length));
        break;
      }
      case tkMethod:
        SetMethodProp(FPersistent, P, In<TMethod>(Value));
        break;
      case tkLString:
      case tkUString:
        SetStrProp(FPersistent, P, In<String>(Value));
        break;
      case tkWString:
        SetWideStrProp(FPersistent, P, In<WideString>(Value));
        break;
      case tkVariant:
        SetVariantProp(FPersistent, P, In<Variant>(Value));
        break;
      default:
        if (!IsOrdinalKind(P->Kind())) return false;
        SetOrdProp(FPersistent, P, OrdinalIn(Value, P->PropType->Data.OrdType));
        break;
    }
  } catch (const Exception&) {
    // A value the property refuses leaves it and the module as they were.
    return false;
  }
  if (FRoot) FRoot->Modified();
  return true;
}

}  // namespace formwright
