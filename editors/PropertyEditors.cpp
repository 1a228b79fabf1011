#include "editors/PropertyEditors.h"

#include "editors/DesignEditors.h"
#include "platform/runtime/Lists.h"

namespace formwright {

FW_REGISTER_CLASS(TPropertyEditor, "DesignEditors")
FW_REGISTER_CLASS(TNestedProperty, "DesignEditors")

namespace {
constexpr int DefaultEditLimit = 2047;
}  // namespace

// ---------------------------------------------------------------------------------------------
// TPropertyEditor

TPropertyEditor::TPropertyEditor(const IPtr<IDesigner>& ADesigner, int APropCount)
    : TBasePropertyEditor(ADesigner, APropCount), FDesigner(ADesigner) {
  if (APropCount < 0) throw EListError(Format(SListCapacityError, APropCount));
  FPropList = std::make_shared<TInstProp[]>(static_cast<size_t>(APropCount));
  FPropCount = APropCount;
}

TPropertyEditor::~TPropertyEditor() = default;

void TPropertyEditor::Initialize() {}

const TInstProp& TPropertyEditor::Entry(int Index) const {
  if (Index < 0 || Index >= FPropCount) throw EListError(Format(SListIndexError, Index));
  return FPropList[Index];
}

void TPropertyEditor::SetPropEntry(int Index, TPersistent* AInstance, PPropInfo APropInfo) {
  Entry(Index);
  FPropList[Index] = {AInstance, APropInfo};
}

void TPropertyEditor::Activate() {}

bool TPropertyEditor::AllEqual() { return FPropCount == 1; }

bool TPropertyEditor::AutoFill() { return GetPropInfo()->CanWrite(); }

void TPropertyEditor::Edit() {
  if (!AutoFill()) return;
  TStringList Values;
  Values.SetSorted(GetAttributes().Contains(paSortList));
  Values.SetDuplicates(dupAccept);
  GetValues([&Values](const String& S) { Values.Add(S); });
  if (Values.Count() == 0) return;
  const int Current = Values.IndexOf(GetValue());
  const int Next = Current < 0 || Current == Values.Count() - 1 ? 0 : Current + 1;
  SetValue(Values[Next]);
}

TPropertyAttributes TPropertyEditor::GetAttributes() {
  if (GetPropInfo()->CanWrite()) return {paMultiSelect, paRevertable};
  return {paMultiSelect, paReadOnly, paRevertable, paDisplayReadOnly};
}

int TPropertyEditor::GetEditLimit() { return DefaultEditLimit; }

String TPropertyEditor::GetName() { return GetPropInfo()->Name; }

void TPropertyEditor::GetProperties(const TGetPropProc& Proc) {}

PPropInfo TPropertyEditor::GetPropInfo() { return Entry(0).PropInfo; }

String TPropertyEditor::GetValue() { return SUnknownValue; }

WideString TPropertyEditor::GetValueW() { return Utf8ToWide(GetValue()); }

void TPropertyEditor::GetValues(const TGetStrProc& Proc) {}

void TPropertyEditor::SetValue(const String& Value) {}

void TPropertyEditor::SetValue(const WideString& Value) {}

bool TPropertyEditor::HasInstance(TPersistent* Instance) {
  for (int I = 0; I < FPropCount; ++I)
    if (FPropList[I].Instance == Instance) return true;
  return false;
}

bool TPropertyEditor::GetEditValue(String& Value) {
  return ReadEditValue(Value, [this] { return GetValue(); });
}

PTypeInfo TPropertyEditor::GetPropType() { return GetPropInfo()->PropType; }

void TPropertyEditor::Revert() {
  if (!FDesigner) return;
  for (int I = 0; I < FPropCount; ++I) FDesigner->Revert(FPropList[I].Instance, FPropList[I].PropInfo);
}

bool TPropertyEditor::ValueAvailable() {
  for (int I = 0; I < FPropCount; ++I) {
    auto* C = As<TComponent>(FPropList[I].Instance);
    if (C && C->ComponentStyle().Contains(csCheckPropAvail)) {
      try {
        GetValue();
        AllEqual();
      } catch (const std::exception&) {
        return false;
      }
      return true;
    }
  }
  return true;
}

TTypeKind TPropertyEditor::GetKind() { return GetPropType()->Kind; }

TPersistent* TPropertyEditor::GetComponent(int Index) const { return Entry(Index).Instance; }

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

String TPropertyEditor::GetPrivateDirectory() {
  return FDesigner ? FDesigner->GetPrivateDirectory() : String();
}

String TPropertyEditor::GetVisualValue() { return AllEqual() ? GetValue() : String(); }

// ---------------------------------------------------------------------------------------------
// Value accessors

int64_t TPropertyEditor::GetOrdValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetOrdProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetOrdValue(int64_t Value) {
  WriteAll([Value](TPersistent* I, PPropInfo P) { SetOrdProp(I, P, Value); });
}

int64_t TPropertyEditor::GetInt64ValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetInt64Prop(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetInt64Value(int64_t Value) {
  WriteAll([Value](TPersistent* I, PPropInfo P) { SetInt64Prop(I, P, Value); });
}

long double TPropertyEditor::GetFloatValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetFloatProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetFloatValue(long double Value) {
  WriteAll([Value](TPersistent* I, PPropInfo P) { SetFloatProp(I, P, Value); });
}

String TPropertyEditor::GetStrValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetStrProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetStrValue(const String& Value) {
  WriteAll([&Value](TPersistent* I, PPropInfo P) {
    if (P->CanWrite()) SetStrProp(I, P, Value);
  });
}

WideString TPropertyEditor::GetWideStrValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetWideStrProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetWideStrValue(const WideString& Value) {
  WriteAll([&Value](TPersistent* I, PPropInfo P) {
    if (P->CanWrite()) SetWideStrProp(I, P, Value);
  });
}

Variant TPropertyEditor::GetVarValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetVariantProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetVarValue(const Variant& Value) {
  WriteAll([&Value](TPersistent* I, PPropInfo P) { SetVariantProp(I, P, Value); });
}

TMethod TPropertyEditor::GetMethodValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetMethodProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetMethodValue(const TMethod& Value) {
  WriteAll([&Value](TPersistent* I, PPropInfo P) { SetMethodProp(I, P, Value); });
}

IPtr<IInterface> TPropertyEditor::GetIntfValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetInterfaceProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetIntfValue(const IPtr<IInterface>& Value) {
  WriteAll([&Value](TPersistent* I, PPropInfo P) { SetInterfaceProp(I, P, Value); });
}

TObject* TPropertyEditor::GetObjValueAt(int Index) const {
  const TInstProp& E = Entry(Index);
  return GetObjectProp(E.Instance, E.PropInfo);
}

void TPropertyEditor::SetObjValue(TObject* Value) {
  WriteAll([Value](TPersistent* I, PPropInfo P) { SetObjectProp(I, P, Value); });
}

// ---------------------------------------------------------------------------------------------
// TNestedProperty

TNestedProperty::TNestedProperty(TPropertyEditor* Parent) : TPropertyEditor(Parent->FDesigner, 0) {
  FPropList = Parent->FPropList;
  FPropCount = Parent->FPropCount;
}

// ---------------------------------------------------------------------------------------------
// TPropInfoList

TPropInfoList::TPropInfoList(TPersistent* Instance, TTypeKinds Filter) {
  if (Instance) FList = GetPropList(Instance->ClassType(), Filter);
}

bool TPropInfoList::Contains(PPropInfo P) const noexcept {
  for (PPropInfo E : FList)
    if (E->PropType == P->PropType && SameText(E->Name, P->Name)) return true;
  return false;
}

void TPropInfoList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  FList.erase(FList.begin() + Index);
}

void TPropInfoList::Intersect(const TPropInfoList& List) {
  for (int I = Count() - 1; I >= 0; --I)
    if (!List.Contains(FList[static_cast<size_t>(I)])) Delete(I);
}

PPropInfo TPropInfoList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return FList[static_cast<size_t>(Index)];
}

// ---------------------------------------------------------------------------------------------
// Creating ready editors

IPtr<IProperty> CreatePropertyEditor(TPropertyEditorClass EditorClass, const IPtr<IDesigner>& ADesigner,
                                     const std::vector<TInstProp>& Entries) {
  const int Count = static_cast<int>(Entries.size());
  const IPtr<TBasePropertyEditor> Editor = CreatePropertyEditor(EditorClass, ADesigner, Count);
  // Editors derived from TPropertyEditor (all the package's own) are cast directly, as this runs
  // once per listed property; any other editor class is asked through QueryInterface.
  IPtr<IProperty> Property;
  if (auto* Standard = dynamic_cast<TPropertyEditor*>(Editor.Get()))
    Property = IPtr<IProperty>(Standard);
  else
    Property = Supports<IProperty>(static_cast<IInterface*>(Editor.Get()));
  if (!Property) throw EIntfCastError(SIntfNotSupported);
  for (int I = 0; I < Count; ++I) {
    const TInstProp& Entry = Entries[static_cast<size_t>(I)];
    Editor->SetPropEntry(I, Entry.Instance, Entry.PropInfo);
  }
  Editor->Initialize();
  return Property;
}

// ---------------------------------------------------------------------------------------------
// GetComponentProperties

namespace {

// Whether property `P` of `First` may be listed for a selection of `Count` objects.
bool Listable(PPropInfo P, TPersistent* First, int Count, const IPtr<IDesigner>& Designer,
              const TPropertyEditorFilterFunc& EditorFilterFunc) {
  const TPropertyEditorClass EditorClass = GetEditorClass(P, First);
  if (!EditorClass || !P->CanRead()) return false;
  if (!ShowReadOnlyProps() && P->Kind() != tkClass && !P->CanWrite()) return false;
  const IPtr<IProperty> Editor = CreatePropertyEditor(EditorClass, Designer, {{First, P}});
  if (Count > 1 && !Editor->GetAttributes().Contains(paMultiSelect)) return false;
  if (!Editor->ValueAvailable()) return false;
  return !EditorFilterFunc || EditorFilterFunc(Editor);
}

// The property lists of the selected objects, one per distinct class (objects of one class
// share a list; the lists only ever shrink to the same common properties).
struct TClassLists {
  std::vector<std::pair<TClass, std::unique_ptr<TPropInfoList>>> Lists;
  TPropInfoList& For(TPersistent* Obj, TTypeKinds Filter) {
    const TClass C = Obj->ClassType();
    for (auto& [Class, List] : Lists)
      if (Class == C) return *List;
    Lists.emplace_back(C, std::make_unique<TPropInfoList>(Obj, Filter));
    return *Lists.back().second;
  }
};

}  // namespace

void GetComponentProperties(const IPtr<IDesignerSelections>& Components, TTypeKinds Filter,
                            const IPtr<IDesigner>& Designer, const TGetPropProc& Proc,
                            const TPropertyEditorFilterFunc& EditorFilterFunc) {
  if (!Components || Components->GetCount() == 0) return;

  // Selection editors of the designer's selection may filter what is listed.
  IPtr<IDesignerSelections> DesignerSelection;
  std::vector<IPtr<ISelectionPropertyFilter>> Filters;
  IPtr<IInterfaceList> Candidates;
  if (Designer) {
    DesignerSelection = CreateSelectionList();
    Designer->GetSelections(DesignerSelection);
    if (IPtr<ISelectionEditorList> Editors = GetSelectionEditors(Designer, DesignerSelection))
      for (int I = 0; I < Editors->GetCount(); ++I)
        if (auto F = Supports<ISelectionPropertyFilter>(Editors->Get(I))) Filters.push_back(F);
    if (!Filters.empty()) Candidates = MakeIntf<TInterfaceList>();
  }

  const int N = Components->GetCount();
  TPersistent* First = Components->Get(0);
  TPropInfoList Common(First, Filter);
  for (int I = Common.Count() - 1; I >= 0; --I)
    if (!Listable(Common.Items(I), First, N, Designer, EditorFilterFunc)) Common.Delete(I);

  // Every object's list is cut down to the common properties, in the same (name) order.
  TClassLists ByClass;
  std::vector<TPropInfoList*> Lists(static_cast<size_t>(N));
  for (int J = 0; J < N; ++J) {
    TPropInfoList& L = ByClass.For(Components->Get(J), Filter);
    Lists[static_cast<size_t>(J)] = &L;
    Common.Intersect(L);
  }
  for (auto& [Class, List] : ByClass.Lists) List->Intersect(Common);

  const TClass FirstClass = First->ClassType();
  for (int I = 0; I < Common.Count(); ++I) {
    PPropInfo P = Common.Items(I);
    const TPropertyEditorClass EditorClass = GetEditorClass(P, First);
    std::vector<TInstProp> Entries(static_cast<size_t>(N));
    bool Agreed = true;
    for (int J = 0; J < N && Agreed; ++J) {
      TPersistent* Obj = Components->Get(J);
      PPropInfo Own = Lists[static_cast<size_t>(J)]->Items(I);
      if (Obj->ClassType() != FirstClass && GetEditorClass(Own, Obj) != EditorClass) Agreed = false;
      Entries[static_cast<size_t>(J)] = {Obj, Own};
    }
    if (!Agreed) continue;
    const IPtr<IProperty> Editor = CreatePropertyEditor(EditorClass, Designer, Entries);
    if (!Editor->ValueAvailable()) continue;
    if (Candidates)
      Candidates->Add(IPtr<IInterface>(Editor.Get()));
    else
      Proc(Editor);
  }

  if (!Candidates) return;
  for (const auto& F : Filters) F->FilterProperties(DesignerSelection, Candidates);
  for (int I = 0; I < Candidates->GetCount(); ++I)
    if (auto Prop = Supports<IProperty>(Candidates->Get(I))) Proc(Prop);
}

bool AncestorIsValid(TPersistent* Ancestor, TComponent* Root, TComponent* RootAncestor) noexcept {
  return Ancestor && Root && RootAncestor && Root->InheritsFrom(RootAncestor->ClassType());
}

}  // namespace formwright
