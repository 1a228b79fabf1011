#include "tools/Inspector.h"

#include "editors/InspectorModel.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::tool {

namespace {
std::vector<TPersistent*> Objects(const std::vector<TComponent*>& Components) {
  return std::vector<TPersistent*>(Components.begin(), Components.end());
}

TInspectorModel InspectorOf(TReferenceRoot& Root, const std::vector<TComponent*>& Components) {
  TInspectorModel Inspector(Root.GetDesigner());
  Inspector.Select(Objects(Components));
  return Inspector;
}

const char* OriginName(TValueOrigin Origin) {
  return Origin == TValueOrigin::voInherited ? "inherited" : "overridden";
}

json RowDoc(const TInspectorRow& R) {
  json J;
  J["name"] = R.Name;
  J["value"] = R.Value;
  J["editor"] = R.EditorClass;
  json A = json::array();
  for (int I = 0; I <= static_cast<int>(paValueEditable); ++I)
    if (R.Attributes.Contains(static_cast<TPropertyAttribute>(I)))
      A.push_back(GetEnumName(TypeInfoOf<TPropertyAttribute>(), I));
  J["attributes"] = A;
  if (R.Attributes.Contains(paValueList)) J["values"] = R.Values;
  if (R.IsStringList) J["lines"] = R.Lines;
  if (R.IsCollection) {
    json Items = json::array();
    for (const TInspectorRow& Item : R.Items) Items.push_back(RowDoc(Item));
    J["items"] = Items;
  }
  if (R.Origin != TValueOrigin::voOwn) J["origin"] = OriginName(R.Origin);
  if (R.Expanded) {
    json Nested = json::array();
    for (const TInspectorRow& Sub : R.Rows) Nested.push_back(RowDoc(Sub));
    J["properties"] = Nested;
  }
  return J;
}
}  // namespace

void SelectComponents(TReferenceRoot& Root, const std::vector<TComponent*>& Components) {
  InspectorOf(Root, Components);
}

json PropertyDocs(TReferenceRoot& Root, const std::vector<TComponent*>& Components, bool Events) {
  json Docs = json::array();
  for (const TInspectorRow& R :
       InspectorOf(Root, Components).Rows(Events ? TInspectorPage::ipEvents : TInspectorPage::ipProperties))
    Docs.push_back(RowDoc(R));
  return Docs;
}

bool IsStringList(const IPtr<IProperty>& Property) { return TInspectorModel::Row(Property, 1).IsStringList; }

std::vector<IPtr<IProperty>> InspectorProperties(TReferenceRoot& Root,
                                                 const std::vector<TComponent*>& Components, bool Events) {
  return InspectorOf(Root, Components)
      .Properties(Events ? TInspectorPage::ipEvents : TInspectorPage::ipProperties);
}

json PropertyDoc(const IPtr<IProperty>& P) { return RowDoc(TInspectorModel::Row(P)); }

IPtr<IProperty> FindProperty(TReferenceRoot& Root, const std::vector<TComponent*>& Components,
                             const String& Path) {
  IPtr<IProperty> Found = InspectorOf(Root, Components).Find(Path);
  if (!Found) throw Exception(Format(SNoInspectorProperty, NamesOf(Components), Path));
  return Found;
}

bool TypeCollectionCommand(TReferenceRoot& Root, const std::vector<TComponent*>& Components,
                           const String& Path, const String& Value, String& Shown) {
  return InspectorOf(Root, Components).TypeCollectionCommand(Path, Value, Shown);
}

String TypeValue(const IPtr<IProperty>& P, const String& Path, const String& Value) {
  return TInspectorModel::TypeValue(P, Path, Value);
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
