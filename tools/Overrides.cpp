#include "tools/Overrides.h"

#include <sstream>

#include "platform/runtime/TypInfo.h"
#include "tools/Inspector.h"

namespace formwright::tool {

namespace {

// What a row shows of its value: the value, the lines of a list and the items of a collection
// (the value lists offered beside them change with the module and are left out).
json Shown(const json& Row) {
  json S{{"value", Row.value("value", String())}};
  if (Row.contains("lines")) S["lines"] = Row["lines"];
  if (Row.contains("items")) {
    json Items = json::array();
    for (const json& Item : Row["items"]) {
      json Props = json::array();
      for (const json& P : Item.value("properties", json::array())) Props.push_back(Shown(P));
      Items.push_back(Props);
    }
    S["items"] = Items;
  }
  return S;
}

// The block a line of the writer's text opens ("  inherited OkButton: TButton"): its kind and
// name; false for any other line.
bool BlockHead(const String& Line, String& Kind, String& Name) {
  std::istringstream In(Line);
  String Head;
  In >> Kind >> Head;
  if (Kind != "object" && Kind != "inherited" && Kind != "inline") return false;
  const size_t Colon = Head.find(':');
  Name = Colon == String::npos ? Head : Head.substr(0, Colon);
  return !Name.empty();
}

// The property a line directly inside a block names ("    Font.Style = [fsBold]": Font.Style).
String PropertyOf(const String& Line) {
  const size_t Eq = Line.find(" = ");
  if (Eq == String::npos) return String();
  const String Name = Line.substr(0, Eq);
  return IsValidIdent(Name, true) ? Name : String();
}

TComponent* ComponentOf(TReferenceRoot& Root, const String& Name) {
  if (Name == "@root") return Root.GetRoot();
  TComponent* C = Root.GetComponent(Name);
  return C && C != Root.GetRoot() ? C : nullptr;
}

// The editor of the row that shows the property, and its path: a list's or a collection's own
// row for the text's "Lines.Strings" or "Sections".
IPtr<IProperty> RowOf(TReferenceRoot& Root, TComponent* C, String& Path) {
  for (const String& Try : {Path, Path.substr(0, Path.find('.'))}) {
    try {
      IPtr<IProperty> P = FindProperty(Root, {C}, Try);
      Path = Try;
      return P;
    } catch (const Exception&) {
      // Not a row of the inspector: the row of the first part is tried next.
    }
  }
  return nullptr;
}

}  // namespace

std::vector<TOverride> InheritedOverrides(TReferenceRoot& Root, const String& Text) {
  struct TLevel {
    size_t Indent;
    String Name;
    bool Inherits;  // an inherited or inline block: its properties are the module's own values
    bool Frame;     // an inline block: its components are named through it
  };
  std::vector<TLevel> Blocks;
  std::vector<TOverride> Overrides;
  std::istringstream In(Text);
  String Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    const size_t Indent = Line.find_first_not_of(' ');
    if (Indent == String::npos) continue;
    const String Rest = Line.substr(Indent);
    String Kind, Name;
    if (BlockHead(Rest, Kind, Name)) {
      Blocks.push_back({Indent, Name, Kind != "object", Kind == "inline"});
      continue;
    }
    if (Blocks.empty()) continue;
    if (Rest == "end" && Blocks.back().Indent == Indent) {
      Blocks.pop_back();
      continue;
    }
    // Only lines one step inside the block are its properties; deeper ones continue a value.
    const TLevel& Block = Blocks.back();
    String Path = PropertyOf(Rest);
    if (!Block.Inherits || Indent != Block.Indent + 2 || Path.empty() || SameText(Path, "TabOrder")) continue;
    String Component;
    for (size_t I = 1; I + 1 < Blocks.size(); ++I)
      if (Blocks[I].Frame) Component += Blocks[I].Name + ".";
    Component = Blocks.size() == 1 ? String("@root") : Component + Block.Name;
    TComponent* C = ComponentOf(Root, Component);
    const IPtr<IProperty> P = C ? RowOf(Root, C, Path) : nullptr;
    if (!P) continue;
    // A reference or a handler shows the name of what it points to, which an edit of the
    // followed module may rename: those are the reader's and the update manager's to keep.
    json Row = Shown(PropertyDoc(P));
    const TTypeKind Type = P->GetPropType()->Kind;
    if (Type == tkMethod || (Type == tkClass && !Row.contains("lines") && !Row.contains("items"))) continue;
    Overrides.push_back({Component, Path, std::move(Row)});
  }
  return Overrides;
}

std::vector<String> KeepOverrides(TReferenceRoot& Root, const String& File,
                                  const std::vector<TOverride>& Overrides) {
  std::vector<String> Lost;
  for (const TOverride& O : Overrides) {
    TComponent* C = ComponentOf(Root, O.Component);
    if (!C) continue;
    String Path = O.Path;
    const IPtr<IProperty> P = RowOf(Root, C, Path);
    if (!P) Lost.push_back(O.Component + "." + O.Path);
    if (!P || Path != O.Path || Shown(PropertyDoc(P)) == O.Row) continue;
    if (O.Row.contains("lines")) {
      String Lines;
      for (const json& L : O.Row["lines"]) Lines += L.get<String>() + "\n";
      TypeValue(P, Path, Lines);
      continue;
    }
    if (O.Row.contains("items"))
      throw Exception(Format("%s: the edit would change %s.%s, which %s sets itself", File, C->Name(), Path,
                             Root.GetRootName()));
    TypeValue(P, Path, O.Row["value"].get<String>());
  }
  return Lost;
}

}  // namespace formwright::tool
