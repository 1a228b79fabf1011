#include "tools/Inspector.h"

#include <algorithm>

#include "contracts/DesignIntf.h"
#include "editors/PropertyEditors.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::tool {

namespace {
// Nested editors go this deep (Font, then Font.Style, then its elements): enough for every
// framework property, and it keeps component references that point at each other finite.
constexpr int MaxNesting = 3;

String EditorClassOf(const IPtr<IProperty>& P) {
  auto* Obj = dynamic_cast<TObject*>(P.Get());
  return Obj ? Obj->ClassName() : String("?");
}
}  // namespace

void SelectComponents(TReferenceRoot& Root, const std::vector<TComponent*>& Components) {
  IPtr<IDesignerSelections> List = CreateSelectionList();
  for (TComponent* C : Components) List->Add(C);
  Root.SetSelections(List);
}

std::vector<IPtr<IProperty>> InspectorProperties(TReferenceRoot& Root,
                                                 const std::vector<TComponent*>& Components, bool Events) {
  SelectComponents(Root, Components);
  IPtr<IDesignerSelections> List = CreateSelectionList();
  for (TComponent* C : Components) List->Add(C);
  std::vector<IPtr<IProperty>> Props;
  GetComponentProperties(List, Events ? tkMethods : tkProperties, Root.GetDesigner(),
                         [&](const IPtr<IProperty>& P) { Props.push_back(P); });
  return Props;
}

json PropertyDoc(const IPtr<IProperty>& P, int Depth) {
  json J;
  J["name"] = P->GetName();
  String Value;
  if (P->AllEqual()) P->GetEditValue(Value);
  J["value"] = Value;
  J["editor"] = EditorClassOf(P);
  const TPropertyAttributes Attrs = P->GetAttributes();
  json A = json::array();
  for (int I = 0; I <= static_cast<int>(paValueEditable); ++I)
    if (Attrs.Contains(static_cast<TPropertyAttribute>(I)))
      A.push_back(GetEnumName(TypeInfoOf<TPropertyAttribute>(), I));
  J["attributes"] = A;
  if (Attrs.Contains(paValueList)) {
    std::vector<String> Values;
    P->GetValues([&](const String& V) { Values.push_back(V); });
    if (Attrs.Contains(paSortList))
      std::sort(Values.begin(), Values.end(),
                [](const String& X, const String& Y) { return CompareText(X, Y) < 0; });
    J["values"] = Values;
  }
  if (Attrs.Contains(paSubProperties) && Depth + 1 < MaxNesting) {
    json Nested = json::array();
    P->GetProperties([&](const IPtr<IProperty>& Sub) { Nested.push_back(PropertyDoc(Sub, Depth + 1)); });
    J["properties"] = Nested;
  }
  return J;
}

IPtr<IProperty> FindProperty(TReferenceRoot& Root, const std::vector<TComponent*>& Components,
                             const String& Path) {
  const std::vector<String> Parts = SplitString(Path, '.');
  std::vector<IPtr<IProperty>> Level = InspectorProperties(Root, Components, false);
  const std::vector<IPtr<IProperty>> Events = InspectorProperties(Root, Components, true);
  Level.insert(Level.end(), Events.begin(), Events.end());
  IPtr<IProperty> Found;
  for (size_t I = 0; I < Parts.size(); ++I) {
    Found = nullptr;
    for (const IPtr<IProperty>& P : Level)
      if (SameText(P->GetName(), Parts[I])) Found = P;
    if (!Found) break;
    if (I + 1 < Parts.size()) {
      Level.clear();
      if (Found->GetAttributes().Contains(paSubProperties))
        Found->GetProperties([&](const IPtr<IProperty>& Sub) { Level.push_back(Sub); });
    }
  }
  if (!Found)
    throw Exception(Format("%s has no property %s that the inspector can edit", NamesOf(Components), Path));
  return Found;
}

String TypeValue(const IPtr<IProperty>& P, const String& Path, const String& Value) {
  const TPropertyAttributes Attrs = P->GetAttributes();
  if (Attrs.Contains(paReadOnly) && !Attrs.Contains(paValueEditable))
    throw Exception(Format("Property %s is read-only", Path));
  P->SetValue(Value);
  String Shown;
  if (P->AllEqual()) P->GetEditValue(Shown);
  return Shown;
}

String NamesOf(const std::vector<TComponent*>& Components) {
  String R;
  for (TComponent* C : Components) R += (R.empty() ? "" : ", ") + C->Name();
  return R;
}

std::vector<std::pair<String, String>> BoundEvents(TReferenceRoot& Root, TComponent* Component) {
  std::vector<std::pair<String, String>> Bound;
  for (PPropInfo PI : GetPropList(Component->ClassType(), tkMethods)) {
    // An event an action link fills is not the component's own binding: the form file has none.
    if (!IsStoredProp(Component, PI)) continue;
    const String Handler = Root.GetMethodName(GetMethodProp(Component, PI));
    if (!Handler.empty()) Bound.emplace_back(PI->Name, Handler);
  }
  return Bound;
}

}  // namespace formwright::tool
