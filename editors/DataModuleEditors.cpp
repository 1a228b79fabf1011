#include "editors/DataModuleEditors.h"

#include <set>

namespace formwright {

FW_REGISTER_CLASS(TDataModuleSelectionEditor, "DataModuleEditors")
FW_REGISTER_CLASS(TDataModuleClassGroupProperty, "DataModuleEditors")

String QualifiedClassName(TClass AClass) {
  return AClass->UnitName().empty() ? AClass->ClassName() : AClass->UnitName() + "." + AClass->ClassName();
}

namespace {

// Every registered class `Context` can see and every ancestor of one, each once.
std::vector<TClass> VisibleClasses(TClass Context) {
  std::vector<TClass> Result;
  std::set<TClass> Seen;
  TClassFinder(Context, true).GetClasses([&](TClass C) {
    for (; C && Seen.insert(C).second; C = C->ClassParent()) Result.push_back(C);
  });
  return Result;
}

// The unit a type is declared in, as far as its type information tells.
const String& UnitOf(PTypeInfo T) {
  switch (T->Kind) {
    case tkClass:
      return T->Data.UnitName;
    case tkInterface:
      return T->Data.IntfUnit;
    default:
      return T->Data.EnumUnitName;
  }
}

bool NameMatches(PTypeInfo T, std::string_view Unit, std::string_view Name) {
  return SameText(T->Name, Name) && (Unit.empty() || SameText(UnitOf(T), Unit));
}

}  // namespace

PTypeInfo FindTypeInfo(const String& Name, TClass Context) {
  const size_t Dot = Name.rfind('.');
  const std::string_view Unit =
      Dot == String::npos ? std::string_view() : std::string_view(Name).substr(0, Dot);
  const std::string_view Plain =
      Dot == String::npos ? std::string_view(Name) : std::string_view(Name).substr(Dot + 1);
  if (Plain.empty()) return nullptr;
  const std::vector<TClass> Classes = VisibleClasses(Context);
  for (TClass C : Classes)
    if (NameMatches(C->ClassInfo(), Unit, Plain)) return C->ClassInfo();
  for (TClass C : Classes)
    for (PPropInfo P : GetPropInfos(C))
      if (P->PropType && NameMatches(P->PropType, Unit, Plain)) return P->PropType;
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TDataModuleSelectionEditor

void TDataModuleSelectionEditor::FilterProperties(const IPtr<IDesignerSelections>& ASelection,
                                                  const IPtr<IInterfaceList>& ASelectionProperties) {
  if (!ASelection || !ASelectionProperties || ASelection->GetCount() != 1) return;
  auto* Module = As<orx::TDataModule>(ASelection->Get(0));
  if (!Module) return;
  IPtr<IProperty> Prop(MakeIntf<TDataModuleClassGroupProperty>(FDesigner, Module));
  ASelectionProperties->Add(Prop);
}

// ---------------------------------------------------------------------------------------------
// TDataModuleClassGroupProperty

TDataModuleClassGroupProperty::TDataModuleClassGroupProperty(const IPtr<IDesigner>& ADesigner,
                                                             orx::TDataModule* Module)
    : TStringProperty(ADesigner, 1), FModule(Module) {
  FInfo.Name = "ClassGroup";
  FInfo.PropType = TypeInfoOf<String>();
  FInfo.Declarer = orx::TDataModule::StaticClass();
  FInfo.StoredConst = false;  // kept by the module itself, never as a published property
  FInfo.Access = std::make_unique<TTypedAccessor<orx::TDataModule, String>>(
      [](const orx::TDataModule& M, int32_t) { return M.ClassGroup(); },
      [](orx::TDataModule& M, int32_t, const String& V) { M.SetClassGroup(V); });
  SetPropEntry(0, Module, &FInfo);
}

TPropertyAttributes TDataModuleClassGroupProperty::GetAttributes() { return {paValueList, paSortList}; }

void TDataModuleClassGroupProperty::GetValues(const TGetStrProc& Proc) {
  std::set<TClass> Groups;
  for (TClass C : VisibleClasses(FModule->ClassType()))
    if (Groups.insert(ClassGroupOf(C)).second) Proc(QualifiedClassName(ClassGroupOf(C)));
}

void TDataModuleClassGroupProperty::SetValue(const String& Value) {
  const String Name = Trim(Value);
  PTypeInfo T = FindTypeInfo(Name, FModule->ClassType());
  if (!T) throw EInvalidType(Format(SUnableToFindType, Name));
  if (T->Kind != tkClass) throw EInvalidType(Format(STypeMustBeClass, Name));
  const TClass Persistent = TPersistent::StaticClass();
  const TClass Class = T->Data.ClassType;
  if (!Class || !Class->InheritsFrom(Persistent))
    throw EInvalidType(Format(STypeMustDescendFrom, Name, QualifiedClassName(Persistent)));
  const TClass Group = ClassGroupOf(Class);
  const TClass DefaultGroup = ClassGroupOf(Persistent);
  // Each class is listed once, in the order of the first component of that class.
  String Missing;
  std::set<TClass> Listed;
  for (int I = 0; I < FModule->ComponentCount(); ++I) {
    const TClass C = FModule->Components(I)->ClassType();
    const TClass G = ClassGroupOf(C);
    if (G != DefaultGroup && G != Group && Listed.insert(C).second) Missing += QualifiedClassName(C) + "\r\n";
  }
  if (!Missing.empty()) throw EInvalidType(Format(SClassGroupUnavailable, Trim(Missing)));
  SetStrValue(QualifiedClassName(Class));
}

}  // namespace formwright
