#include "formwright/testing/Inspector.h"

#include "editors/InspectorModel.h"

namespace formwright::testing {

namespace {
// The component named by the first part of `Path` and the rest of the path.
std::pair<TComponent*, String> Split(const IPtr<IDesigner>& Designer, const String& Path) {
  const size_t Dot = Path.find('.');
  const String Name = Path.substr(0, Dot);
  TComponent* Root = Designer->GetRoot();
  TComponent* Found = Root && SameText(Root->Name(), Name) ? Root : Designer->GetComponent(Name);
  if (!Found)
    throw Exception(Format("%s has no component %s", Root ? Root->Name() : String("(no root)"), Name));
  return {Found, Dot == String::npos ? String() : Path.substr(Dot + 1)};
}

// The inspector's editor of the row at `Path`, its component selected.
IPtr<IProperty> RowAt(const IPtr<IDesigner>& Designer, const String& Path) {
  const auto [Component, Row] = Split(Designer, Path);
  TInspectorModel Inspector(Designer);
  Inspector.Select({Component});
  IPtr<IProperty> P = Row.empty() ? nullptr : Inspector.Find(Row);
  if (!P) throw Exception(Format(SNoInspectorProperty, Component->Name(), Row));
  return P;
}
}  // namespace

IPtr<IDesignerSelections> Selection(std::initializer_list<TPersistent*> Objects) {
  IPtr<IDesignerSelections> S = CreateSelectionList();
  for (TPersistent* O : Objects) S->Add(O);
  return S;
}

std::vector<IPtr<IProperty>> PropertiesOf(const IPtr<IDesigner>& Designer,
                                          std::initializer_list<TPersistent*> Objects, TTypeKinds Filter) {
  std::vector<IPtr<IProperty>> R;
  GetComponentProperties(Selection(Objects), Filter, Designer,
                         [&R](const IPtr<IProperty>& P) { R.push_back(P); });
  return R;
}

std::vector<String> PropertyNames(const IPtr<IDesigner>& Designer,
                                  std::initializer_list<TPersistent*> Objects, TTypeKinds Filter) {
  std::vector<String> R;
  for (const auto& P : PropertiesOf(Designer, Objects, Filter)) R.push_back(P->GetName());
  return R;
}

IPtr<IProperty> PropertyOf(const IPtr<IDesigner>& Designer, std::initializer_list<TPersistent*> Objects,
                           const String& Name) {
  for (const auto& P : PropertiesOf(Designer, Objects))
    if (SameText(P->GetName(), Name)) return P;
  return nullptr;
}

std::vector<IPtr<IProperty>> NestedOf(const IPtr<IProperty>& Property) {
  std::vector<IPtr<IProperty>> R;
  Property->GetProperties([&R](const IPtr<IProperty>& N) { R.push_back(N); });
  return R;
}

std::vector<String> ValuesOf(const IPtr<IProperty>& Property) {
  std::vector<String> R;
  Property->GetValues([&R](const String& S) { R.push_back(S); });
  return R;
}

TPropertyEditorClass EditorClassFor(TPersistent* Instance, const String& Name) {
  return GetEditorClass(FindPropInfo(Instance, Name), Instance);
}

String SetProp(const IPtr<IDesigner>& Designer, const String& Path, const String& Value) {
  return TInspectorModel::TypeValue(RowAt(Designer, Path), Path, Value);
}

String Prop(const IPtr<IDesigner>& Designer, const String& Path) {
  return TInspectorModel::Row(RowAt(Designer, Path), 1).Value;
}

std::vector<String> ValueList(const IPtr<IDesigner>& Designer, const String& Path) {
  return TInspectorModel::Row(RowAt(Designer, Path), 1).Values;
}

std::vector<String> VerbsOf(const IPtr<IComponentEditor>& Editor) {
  std::vector<String> R;
  for (int I = 0; I < Editor->GetVerbCount(); ++I) R.push_back(Editor->GetVerb(I));
  return R;
}

std::vector<String> VerbsOf(const IPtr<IDesigner>& Designer, TComponent* Component) {
  return VerbsOf(GetComponentEditor(Component, Designer));
}

void ExecuteVerb(const IPtr<IDesigner>& Designer, TComponent* Component, const String& Verb) {
  const IPtr<IComponentEditor> Editor = GetComponentEditor(Component, Designer);
  const std::vector<String> Verbs = VerbsOf(Editor);
  String List;
  for (size_t I = 0; I < Verbs.size(); ++I) {
    if (Verbs[I] == Verb) return Editor->ExecuteVerb(static_cast<int>(I));
    List += (List.empty() ? "" : ", ") + Verbs[I];
  }
  throw Exception(Format("%s has no verb '%s' (its verbs: %s)", Component->Name(), Verb,
                         List.empty() ? String("none") : List));
}

}  // namespace formwright::testing
