#include "editors/InspectorModel.h"

#include <algorithm>

namespace formwright {

namespace {

// The shown text of an editor: its edit value when the selected objects agree.
String ShownValue(const IPtr<IProperty>& P) {
  String Value;
  if (P->AllEqual()) P->GetEditValue(Value);
  return Value;
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
  return Rows;
}

IPtr<IProperty> TInspectorModel::Find(const String& Path) const {
  std::vector<IPtr<IProperty>> Level = Properties(TInspectorPage::ipProperties);
  const std::vector<IPtr<IProperty>> Events = Properties(TInspectorPage::ipEvents);
  Level.insert(Level.end(), Events.begin(), Events.end());
  const std::vector<String> Parts = SplitString(Path, '.');
  IPtr<IProperty> Found;
  for (size_t I = 0; I < Parts.size(); ++I) {
    Found = nullptr;
    for (const IPtr<IProperty>& P : Level)
      if (SameText(P->GetName(), Parts[I])) Found = P;
    if (!Found) return nullptr;
    if (I + 1 < Parts.size()) {
      Level.clear();
      if (Found->GetAttributes().Contains(paSubProperties))
        Found->GetProperties([&](const IPtr<IProperty>& Sub) { Level.push_back(Sub); });
    }
  }
  return Found;
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
  return R;
}

String TInspectorModel::TypeValue(const IPtr<IProperty>& P, const String& Path, const String& Value) {
  const TPropertyAttributes Attrs = P->GetAttributes();
  if (Attrs.Contains(paReadOnly) && !Attrs.Contains(paValueEditable))
    throw Exception(Format(SPropertyIsReadOnly, Path));
  P->SetValue(Value);
  return ShownValue(P);
}

}  // namespace formwright
