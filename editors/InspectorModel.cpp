#include "editors/InspectorModel.h"

#include <algorithm>

#include "editors/CollectionProperty.h"
#include "editors/StringListProperty.h"

namespace formwright {

namespace {

// The shown text of an editor: its edit value when the selected objects agree.
String ShownValue(const IPtr<IProperty>& P) {
  String Value;
  if (P->AllEqual()) P->GetEditValue(Value);
  return Value;
}

TStringListProperty* StringListEditor(const IPtr<IProperty>& P) {
  return dynamic_cast<TStringListProperty*>(InterfaceObject(P.Get()));
}

TCollectionProperty* CollectionEditor(const IPtr<IProperty>& P) {
  return dynamic_cast<TCollectionProperty*>(InterfaceObject(P.Get()));
}

// "Sections[2]" as its name and index; false for a part without an index.
bool SplitIndexed(const String& Part, String& Name, int& Index) {
  const size_t Open = Part.find('[');
  if (Open == String::npos || Part.back() != ']') return false;
  Name = Part.substr(0, Open);
  int64_t N = 0;
  if (!TryStrToInt64(Part.substr(Open + 1, Part.size() - Open - 2), N) || N < 0 || N > INT32_MAX)
    return false;
  Index = static_cast<int>(N);
  return true;
}

// "3" or "2,0" as numbers; false for other text or another count of numbers.
bool ParseNumbers(const String& Text, size_t Count, std::vector<int>& Numbers) {
  for (const String& Part : SplitString(Text, ',')) {
    int64_t N = 0;
    if (!TryStrToInt64(Trim(Part), N) || N < INT32_MIN || N > INT32_MAX) return false;
    Numbers.push_back(static_cast<int>(N));
  }
  return Numbers.size() == Count;
}

void MarkInherited(TInspectorRow& Row) {
  Row.Origin = TValueOrigin::voInherited;
  for (TInspectorRow& Sub : Row.Rows) MarkInherited(Sub);
}

// "[a,b]" as its element names, blanks around them dropped; false for text of another form.
bool SplitSetText(const String& Text, std::vector<String>& Names) {
  const String T = Trim(Text);
  if (T.size() < 2 || T.front() != '[' || T.back() != ']') return false;
  const String Inner = Trim(T.substr(1, T.size() - 2));
  if (Inner.empty()) return true;
  for (const String& N : SplitString(Inner, ',')) {
    Names.push_back(Trim(N));
    if (Names.back().empty()) return false;
  }
  return true;
}

// Types a whole set through its element rows: every element named becomes True, every other
// False. Nothing is written until every name is known.
void TypeSet(const IPtr<IProperty>& P, const String& Path, const String& Value) {
  std::vector<IPtr<IProperty>> Elements;
  P->GetProperties([&](const IPtr<IProperty>& E) { Elements.push_back(E); });
  String Shown;
  for (const IPtr<IProperty>& E : Elements) Shown += (Shown.empty() ? "" : ",") + E->GetName();
  std::vector<String> Names;
  if (!SplitSetText(Value, Names))
    throw EDesignPropertyError(Format(SInvalidSetText, Value, "[" + Shown + "]"));
  for (const String& N : Names)
    if (std::none_of(Elements.begin(), Elements.end(),
                     [&](const auto& E) { return SameText(E->GetName(), N); }))
      throw EDesignPropertyError(Format(SInvalidSetElement, N, Path, Shown));
  for (const IPtr<IProperty>& E : Elements) {
    const bool In =
        std::any_of(Names.begin(), Names.end(), [&](const String& N) { return SameText(E->GetName(), N); });
    E->SetValue(In ? SBooleanTrue : SBooleanFalse);
  }
}

// Whether Instance's property holds the value of the same property of Ancestor, sub-objects
// (a font) compared property by property.
bool SameAsAncestor(TPersistent* Instance, PPropInfo P, TPersistent* Ancestor, TComponent* Root,
                    TComponent* RootAncestor) {
  if (!IsStoredProp(Instance, P)) return true;
  if (P->Kind() == tkClass) {
    auto* Obj = As<TPersistent>(GetObjectProp(Instance, P));
    auto* AncestorObj = As<TPersistent>(GetObjectProp(Ancestor, P));
    if (Obj && AncestorObj && !As<TComponent>(Obj)) {
      for (PPropInfo Sub : GetPropList(Obj->ClassType(), tkProperties))
        if (!SameAsAncestor(Obj, Sub, AncestorObj, Root, RootAncestor)) return false;
      return true;
    }
  }
  return IsDefaultPropertyValue(Instance, P,
                                [&](TPersistent*& A, TComponent*& R, TComponent*& L, TComponent*& RA) {
                                  A = Ancestor;
                                  R = Root;
                                  L = Root;
                                  RA = RootAncestor;
                                });
}

}  // namespace

TInspectorModel::TInspectorModel(IPtr<IDesigner> ADesigner) : FDesigner(std::move(ADesigner)) {}

void TInspectorModel::Select(const std::vector<TPersistent*>& Objects) {
  FSelection = Objects;
  if (!FDesigner) return;
  IPtr<IDesignerSelections> List = CreateSelectionList();
  for (TPersistent* P : Objects) List->Add(P);
  FDesigner->SetSelections(List);
}

std::vector<IPtr<IProperty>> TInspectorModel::Properties(TInspectorPage Page) const {
  IPtr<IDesignerSelections> List = CreateSelectionList();
  for (TPersistent* P : FSelection) List->Add(P);
  std::vector<IPtr<IProperty>> Props;
  GetComponentProperties(List, Page == TInspectorPage::ipEvents ? tkMethods : tkProperties, FDesigner,
                         [&](const IPtr<IProperty>& P) { Props.push_back(P); });
  return Props;
}

std::vector<TInspectorRow> TInspectorModel::Rows(TInspectorPage Page, int Depth) const {
  std::vector<TInspectorRow> Rows;
  for (const IPtr<IProperty>& P : Properties(Page)) Rows.push_back(Row(P, Depth));
  if (!HasAncestor()) return Rows;
  // Each object's own verdict (the editors of a multiple selection compare objects with each
  // other, not with their ancestors); objects that disagree leave the row unmarked.
  std::vector<std::pair<String, int>> Inherited;  // row name -> objects whose value is inherited
  for (TPersistent* Object : FSelection) {
    TInspectorModel One(FDesigner);
    One.FSelection = {Object};
    for (const IPtr<IProperty>& P : One.Properties(Page)) {
      const String Name = P->GetName();
      auto It =
          std::find_if(Inherited.begin(), Inherited.end(), [&](const auto& E) { return E.first == Name; });
      if (It == Inherited.end()) It = Inherited.insert(Inherited.end(), {Name, 0});
      It->second += One.IsInherited(P) ? 1 : 0;
    }
  }
  const int Count = static_cast<int>(FSelection.size());
  for (TInspectorRow& R : Rows)
    for (const auto& [Name, N] : Inherited)
      if (Name == R.Name) {
        if (N == Count)
          MarkInherited(R);
        else if (N == 0)
          R.Origin = TValueOrigin::voOverridden;
      }
  return Rows;
}

bool TInspectorModel::IsInherited(const IPtr<IProperty>& P) const {
  // One selected object. An embedded frame is no inherited component itself: its values are compared with the
  // frame module's root, as the stream writer does.
  auto* Frame = As<TComponent>(FSelection.front());
  const TComponentState State = Frame->ComponentState();
  if (FDesigner && State.Contains(csInline) && !State.Contains(csAncestor))
    if (TComponent* Ancestor = FDesigner->FindRootAncestor(Frame->ClassName()))
      return SameAsAncestor(Frame, P->GetPropInfo(), Ancestor, Frame, Ancestor);
  auto* P70 = dynamic_cast<IProperty70*>(P.Get());
  return P70 && P70->GetIsDefault();
}

bool TInspectorModel::HasAncestor() const {
  if (FSelection.empty()) return false;
  for (TPersistent* P : FSelection) {
    auto* C = As<TComponent>(P);
    if (!C) return false;
    if (C->ComponentState().Contains(csAncestor) || C->ComponentState().Contains(csInline)) continue;
    if (!FDesigner || C != FDesigner->GetRoot() || !FDesigner->GetAncestorDesigner()) return false;
  }
  return true;
}

IPtr<IProperty> TInspectorModel::Find(const String& Path) const {
  std::vector<IPtr<IProperty>> Level = Properties(TInspectorPage::ipProperties);
  const std::vector<IPtr<IProperty>> Events = Properties(TInspectorPage::ipEvents);
  Level.insert(Level.end(), Events.begin(), Events.end());
  const std::vector<String> Parts = SplitString(Path, '.');
  IPtr<IProperty> Found;
  for (size_t I = 0; I < Parts.size(); ++I) {
    String Name = Parts[I];
    int Index = -1;
    const bool Indexed = SplitIndexed(Parts[I], Name, Index);
    Found = nullptr;
    for (const IPtr<IProperty>& P : Level)
      if (SameText(P->GetName(), Name)) Found = P;
    if (!Found) return nullptr;
    TCollectionProperty* Collection = CollectionEditor(Found);
    // An indexed part names a collection's item: it is a row only as the way to its properties.
    if (Indexed && (!Collection || I + 1 == Parts.size())) return nullptr;
    if (I + 1 < Parts.size()) {
      Level.clear();
      if (Indexed)
        Collection->GetItemProperties(Index, [&](const IPtr<IProperty>& Sub) { Level.push_back(Sub); });
      else if (Found->GetAttributes().Contains(paSubProperties))
        Found->GetProperties([&](const IPtr<IProperty>& Sub) { Level.push_back(Sub); });
    }
  }
  return Found;
}

bool TInspectorModel::TypeCollectionCommand(const String& Path, const String& Value, String& Shown) const {
  const size_t Dot = Path.rfind('.');
  if (Dot == String::npos) return false;
  const String Command = Path.substr(Dot + 1);
  const bool Count = SameText(Command, "Count"), Delete = SameText(Command, "Delete"),
             Move = SameText(Command, "Move");
  if (!Count && !Delete && !Move) return false;
  const IPtr<IProperty> P = Find(Path.substr(0, Dot));
  TCollectionProperty* Collection = P ? CollectionEditor(P) : nullptr;
  if (!Collection) return false;
  std::vector<int> N;
  if (!ParseNumbers(Value, Move ? 2 : 1, N))
    throw EDesignPropertyError(
        Format(SCollectionCommandValue, Command, Move ? "two item indexes (FROM,TO)" : "a number", Value));
  if (Count) Collection->SetCount(N[0]);
  if (Delete) Collection->DeleteItem(N[0]);
  if (Move) Collection->MoveItem(N[0], N[1]);
  Shown = Format("%d items", Collection->GetCollection()->Count());
  return true;
}

TInspectorRow TInspectorModel::Row(const IPtr<IProperty>& P, int Depth) {
  TInspectorRow R;
  R.Property = P;
  R.Name = P->GetName();
  R.Value = ShownValue(P);
  const TObject* Editor = InterfaceObject(P.Get());
  R.EditorClass = Editor ? Editor->ClassName() : String("?");
  R.Attributes = P->GetAttributes();
  if (R.Attributes.Contains(paValueList)) {
    P->GetValues([&](const String& V) { R.Values.push_back(V); });
    if (R.Attributes.Contains(paSortList))
      std::sort(R.Values.begin(), R.Values.end(),
                [](const String& X, const String& Y) { return CompareText(X, Y) < 0; });
  }
  R.Expanded = R.Attributes.Contains(paSubProperties) && Depth > 1;
  if (R.Expanded)
    P->GetProperties([&](const IPtr<IProperty>& Sub) { R.Rows.push_back(Row(Sub, Depth - 1)); });
  if (TCollectionProperty* Collection = CollectionEditor(P)) {
    R.IsCollection = true;
    TCollection* C = Depth > 1 ? Collection->GetCollection() : nullptr;
    for (int I = 0; C && I < C->Count(); ++I) {
      TInspectorRow Item;
      Item.Name = Format("[%d]", I);
      Item.Value = C->Items(I)->DisplayName();
      Item.EditorClass = C->Items(I)->ClassName();
      Item.Expanded = true;
      Collection->GetItemProperties(
          I, [&](const IPtr<IProperty>& Sub) { Item.Rows.push_back(Row(Sub, Depth - 1)); });
      R.Items.push_back(std::move(Item));
    }
  }
  if (TStringListProperty* Strings = StringListEditor(P)) {
    R.IsStringList = true;
    if (TStrings* S = P->AllEqual() ? Strings->GetStrings() : nullptr)
      for (int I = 0; I < S->Count(); ++I) R.Lines.push_back(S->Get(I));
  }
  return R;
}

String TInspectorModel::TypeValue(const IPtr<IProperty>& P, const String& Path, const String& Value) {
  const TPropertyAttributes Attrs = P->GetAttributes();
  TStringListProperty* Strings = StringListEditor(P);
  const bool WholeSet = P->GetPropType()->Kind == tkSet && Attrs.Contains(paSubProperties);
  if ((Strings || WholeSet) && !P->GetPropInfo()->CanWrite())
    throw Exception(Format(SPropertyIsReadOnly, Path));
  if (Strings) {
    TStringList Lines;
    Lines.SetText(Value);
    Strings->SetStrings(&Lines);
    return ShownValue(P);
  }
  if (WholeSet) {
    TypeSet(P, Path, Value);
    return ShownValue(P);
  }
  if (Attrs.Contains(paReadOnly) && !Attrs.Contains(paValueEditable))
    throw Exception(Format(SPropertyIsReadOnly, Path));
  P->SetValue(Value);
  return ShownValue(P);
}

}  // namespace formwright
