#include "editors/RefPropEditors.h"

#include "contracts/Package.h"
#include "platform/orx/Forms.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TMethodProperty, "DesignEditors")
FW_REGISTER_CLASS(TComponentProperty, "DesignEditors")
FW_REGISTER_CLASS(TInterfaceProperty, "DesignEditors")

namespace {

constexpr const char* SCannotCreateName = "Cannot create a method for an unnamed component";
constexpr int MethodEditLimit = 63;
constexpr int ReferenceEditLimit = 127;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Events

bool TMethodProperty::AllEqual() {
  return AllValuesEqual([this](int I) { return GetMethodValueAt(I); });
}

void TMethodProperty::CheckNamed() {
  if (!AllNamed()) throw EDesignPropertyError(SCannotCreateName);
}

void TMethodProperty::Edit() {
  CheckNamed();
  if (!FDesigner) return;
  String Name = GetValue();
  if (!Name.empty() && !FDesigner->MethodFromAncestor(GetMethodValue())) {
    FDesigner->ShowMethod(Name);
    return;
  }
  if (Name.empty()) Name = GetFormMethodName();
  if (!AssignHandler(Name)) FDesigner->ShowMethod(Name);
}

TPropertyAttributes TMethodProperty::GetAttributes() {
  return {paValueList, paMultiSelect, paSortList, paRevertable};
}

int TMethodProperty::GetEditLimit() { return MethodEditLimit; }

String TMethodProperty::GetValue() {
  return FDesigner ? FDesigner->GetMethodName(GetMethodValue()) : String();
}

void TMethodProperty::GetValues(const TGetStrProc& Proc) {
  if (FDesigner) FDesigner->GetMethods(GetTypeData(GetPropType()), Proc);
}

void TMethodProperty::SetValue(const String& Value) { AssignHandler(Value); }

bool TMethodProperty::AssignHandler(const String& Value) {
  CheckNamed();
  // Whether the text can name a handler is the designer's to decide: it owns the source.
  if (!FDesigner) {
    if (!Value.empty()) throw EDesignPropertyError(SInvalidPropertyValue);
    SetMethodValue(TMethod{});
    return false;
  }
  const String Current = GetValue();
  const TMethod Old = GetMethodValue();
  // Typing the current handler's name again unchanged has nothing to do, inherited or not.
  if (!Current.empty() && Current == Value) return false;
  // A new name typed over the current handler renames that handler, as the inspector does.
  if (!Current.empty() && !Value.empty() && (SameText(Current, Value) || !FDesigner->MethodExists(Value)) &&
      !FDesigner->MethodFromAncestor(Old)) {
    if (Current != Value) FDesigner->RenameMethod(Current, Value);
    return false;
  }
  const bool IsNew = !Value.empty() && !FDesigner->MethodExists(Value);
  PTypeData TypeData = GetTypeData(GetPropType());
  SetMethodValue(Value.empty() ? TMethod{} : FDesigner->CreateMethod(Value, TypeData));
  if (!IsNew) return false;
  // A component whose handler came with it (from an embedded module) keeps that behaviour:
  // the new handler calls the old one.
  auto* OldOwner = As<TComponent>(Old.Data);
  auto* Edited = As<TComponent>(GetComponent(0));
  if (FPropCount == 1 && Old.Code && OldOwner && OldOwner != FDesigner->GetRoot() && Edited &&
      !Edited->Name().empty()) {
    const String OldName = OldOwner->MethodName(Old.Code);
    if (!OldName.empty()) FDesigner->ChainCall(Value, OldOwner->Name(), OldName, TypeData);
  }
  FDesigner->ShowMethod(Value);
  return true;
}

bool TMethodProperty::AllNamed() {
  for (int I = 0; I < FPropCount; ++I)
    if (GetComponent(I)->GetNamePath().empty()) return false;
  return true;
}

String TMethodProperty::GetFormMethodName() {
  String Result;
  TPersistent* Obj = GetComponent(0);
  if (FDesigner && Obj == FDesigner->GetRoot()) {
    Result = FDesigner->GetRootClassName();
    if (StartsText("T", Result)) Result.erase(0, 1);
  } else if (FDesigner) {
    for (char C : FDesigner->GetObjectName(Obj))
      if (String(".->[]").find(C) == String::npos) Result += C;
  }
  if (Result.empty()) throw EDesignPropertyError(SCannotCreateName);
  return Result + GetTrimmedEventName();
}

String TMethodProperty::GetTrimmedEventName() {
  String Name = GetName();
  if (Name.size() >= 2 && StartsText("On", Name)) Name.erase(0, 2);
  return Name;
}

// ---------------------------------------------------------------------------------------------
// Component references

TComponent* TComponentProperty::ReferenceAt(int Index) { return As<TComponent>(GetObjValueAt(Index)); }

TComponent* TComponentProperty::GetComponentReference() { return ReferenceAt(0); }

bool TComponentProperty::AllEqual() {
  if (FPropCount == 1) return true;
  TComponent* Ref = ReferenceAt(0);
  if (!Ref) return false;
  for (int I = 1; I < FPropCount; ++I)
    if (ReferenceAt(I) != Ref) return false;
  return bool(Supports<IDesigner>(Ref->FindRootDesigner()));
}

void TComponentProperty::Edit() {
  TComponent* Ref = GetComponentReference();
  if (FDesigner && Ref) {
    const TShiftState Shift = FDesigner->GetShiftState();
    if (Shift.Contains(ssCtrl) && Shift.Contains(ssLeft)) {
      FDesigner->SelectComponent(Ref);
      return;
    }
  }
  TPropertyEditor::Edit();
}

TPropertyAttributes TComponentProperty::GetAttributes() {
  TPropertyAttributes A = GetPropInfo()->CanWrite()
                              ? TPropertyAttributes{paValueList, paSortList, paRevertable}
                              : TPropertyAttributes{paReadOnly};
  A.Include(paMultiSelect);
  if (ReferenceExpandable() && GetComponentReference() && AllEqual())
    A.Include(paSubProperties).Include(paVolatileSubProperties);
  return A;
}

int TComponentProperty::GetEditLimit() { return ReferenceEditLimit; }

void TComponentProperty::GetProperties(const TGetPropProc& Proc) {
  IPtr<IDesignerSelections> Selection = GetSelections();
  if (!Selection) return;
  IPtr<IDesigner> D = Supports<IDesigner>(GetComponentReference()->FindRootDesigner());
  if (!D) D = FDesigner;
  GetComponentProperties(Selection, tkAny, D, Proc,
                         [this](const IPtr<IProperty>& E) { return FilterFunc(E); });
}

String TComponentProperty::GetValue() {
  TComponent* Ref = GetComponentReference();
  if (!Ref) return String();
  return FDesigner ? FDesigner->GetComponentName(Ref) : Ref->Name();
}

void TComponentProperty::GetValues(const TGetStrProc& Proc) {
  if (FDesigner) FDesigner->GetComponentNames(GetTypeData(GetPropType()), Proc);
}

void TComponentProperty::SetValue(const String& Value) {
  if (Value.empty()) {
    SetObjValue(nullptr);
    return;
  }
  TComponent* C = FDesigner ? FDesigner->GetComponent(Value) : nullptr;
  if (!C || !C->InheritsFrom(GetPropType()->Data.ClassType))
    throw EDesignPropertyError(SInvalidPropertyValue);
  SetObjValue(C);
}

bool TComponentProperty::ShowReferenceProperty() {
  TComponent* Ref = GetComponentReference();
  if (!Ref || IsSubComponent(Ref)) return true;
  TComponent* Owner = Ref->Owner();
  if (!Owner) return false;
  return !Owner->Owner() || As<orx::TDataModule>(Owner);
}

IPtr<IDesignerSelections> TComponentProperty::GetSelections() {
  TComponent* Ref = GetComponentReference();
  if (!Ref || !AllEqual()) return nullptr;
  IPtr<IDesignerSelections> Selection = CreateSelectionList();
  Selection->Add(Ref);
  return Selection;
}

bool TComponentProperty::FilterFunc(const IPtr<IProperty>& ATestEditor) {
  return !ATestEditor->GetAttributes().Contains(paNotNestable);
}

// ---------------------------------------------------------------------------------------------
// Interface references

TComponent* TInterfaceProperty::ReferenceAt(int Index) {
  auto Ref = Supports<IInterfaceComponentReference>(GetIntfValueAt(Index));
  return Ref ? Ref->GetComponent() : nullptr;
}

IPtr<IInterface> TInterfaceProperty::InterfaceOf(TComponent* Component) {
  return SupportsIID(static_cast<IInterface*>(Component), GetPropType()->Data.Guid);
}

void TInterfaceProperty::GetValues(const TGetStrProc& Proc) {
  if (!FDesigner) return;
  TValueScope<TGetStrProc> Values(FGetValuesStrProc, Proc);
  FDesigner->GetComponentNames(GetTypeData(TComponent::StaticClass()->ClassInfo()), [this](const String& S) {
    TComponent* C = FDesigner->GetComponent(S);
    if (C && InterfaceOf(C)) FGetValuesStrProc(S);
  });
}

void TInterfaceProperty::SetValue(const String& Value) {
  if (Value.empty()) {
    SetIntfValue(nullptr);
    return;
  }
  TComponent* C = FDesigner ? FDesigner->GetComponent(Value) : nullptr;
  IPtr<IInterface> Intf = C ? InterfaceOf(C) : nullptr;
  if (!Intf) throw EDesignPropertyError(SInvalidPropertyValue);
  SetIntfValue(Intf);
}

}  // namespace formwright
