// The verbs that answer questions about modules without changing them: the palette, finding
// components, and the component-level difference of two modules.
#include <fnmatch.h>

#include <map>

#include "moduledesigner/PackageLoader.h"
#include "platform/orx/Orx.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

// One designed component as the verbs below see it: its display name (dotted inside embedded
// frames), its parent in the component tree (empty for the root) and the component itself.
struct TListed {
  String Name;
  String Parent;
  TComponent* Component;
};

// Every component of the module in the order the module's stream holds them, the root first;
// components of an embedded frame under the frame's name ("HomeAddress.StreetEdit").
std::vector<TListed> Listed(TReferenceRoot& R) {
  std::vector<TListed> List{{R.GetRootName(), String(), R.GetRoot()}};
  std::function<void(TComponent*, const String&, TComponent*, const String&)> Walk =
      [&](TComponent* C, const String& Name, TComponent* Lookup, const String& Prefix) {
        const bool Inline = C->ComponentState().Contains(csInline);
        TComponent* Root = Inline ? C : Lookup;
        const String Inner = Inline ? Name + "." : Prefix;
        C->GetChildren(
            [&](TComponent* Child) {
              const String ChildName = Inner + Child->Name();
              List.push_back({ChildName, Name, Child});
              Walk(Child, ChildName, Root, Inner);
            },
            Root);
      };
  Walk(R.GetRoot(), R.GetRootName(), R.GetRoot(), String());
  return List;
}

bool InheritsFromName(TComponent* C, const String& ClassName) {
  for (TClass K = C->ClassType(); K; K = K->ClassParent())
    if (SameText(K->ClassName(), ClassName)) return true;
  return false;
}

// The value the inspector shows for Path on C; false when it shows no such row.
bool ShownValue(TReferenceRoot& R, TComponent* C, const String& Path, String& Value) {
  try {
    Value = PropertyDoc(FindProperty(R, {C}, Path))["value"].get<String>();
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// The rows a reviewer compares: every property and event with its shown value, nested rows of
// objects a component owns (Font.Size) under dotted names; a reference or a set is compared by
// its value alone, a string list by its lines, a collection by its items' rows (Sections[0].Text).
void FlattenRows(const json& Props, const String& Prefix, std::map<String, String>& Values) {
  for (const json& P : Props) {
    const String Name = Prefix + P["name"].get<String>();
    const String Value = P["value"].get<String>();
    if (SameText(Name, "Name")) continue;
    Values[Name] = P.contains("lines") ? P["lines"].dump() : Value;
    if (P.contains("properties") && StartsText("(", Value)) FlattenRows(P["properties"], Name + ".", Values);
    if (P.contains("items"))
      for (const json& Item : P["items"])
        FlattenRows(Item["properties"], Name + Item["name"].get<String>() + ".", Values);
  }
}

struct TDiffSide {
  String Class;
  String Parent;
  String ParentKey;  // the root as "@root": roots are matched whatever their names
  std::map<String, String> Values;
};

std::map<String, TDiffSide> DiffSides(TReferenceRoot& R, std::vector<String>& Order) {
  std::map<String, TDiffSide> Sides;
  for (const TListed& L : Listed(R)) {
    // The root is matched with the other module's root whatever its name.
    const String Key = L.Parent.empty() ? String("@root") : LowerCase(L.Name);
    TDiffSide S{L.Component->ClassName(),
                L.Parent,
                SameText(L.Parent, R.GetRootName()) ? String("@root") : LowerCase(L.Parent),
                {}};
    for (bool Events : {false, true}) {
      json Rows = json::array();
      for (const IPtr<IProperty>& P : InspectorProperties(R, {L.Component}, Events))
        Rows.push_back(PropertyDoc(P));
      FlattenRows(Rows, String(), S.Values);
    }
    Order.push_back(Key);
    Sides.emplace(Key, std::move(S));
  }
  return Sides;
}

String NameOf(const String& Key, TReferenceRoot& R, const std::vector<TListed>& List) {
  if (Key == "@root") return R.GetRootName();
  for (const TListed& L : List)
    if (LowerCase(L.Name) == Key) return L.Name;
  return Key;
}

// The palette as the reference host shows it: pages of component classes a person adds.
struct TPalettePage {
  const char* Name;
  std::vector<const char*> Classes;
  const char* Note;
};

const std::vector<TPalettePage>& Palette() {
  static const std::vector<TPalettePage> Pages{
      {"Standard",
       {"TMainMenu", "TPopupMenu", "TLabel", "TEdit", "TMemo", "TButton", "TCheckBox", "TRadioButton",
        "TListBox", "TComboBox", "TGroupBox", "TPanel", "TActionList"},
       ""},
      {"Additional", {"TImage", "TShape", "TPaintBox", "TScrollBox", "TStatusBand"}, ""},
      {"Items", {"TMenuItem", "TAction"}, "these go inside a menu or an action list: add them with --parent"},
  };
  return Pages;
}

}  // namespace

void ClassesVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  if (!Args.Positional.empty())
    throw EUsage(Format("classes takes no arguments, not '%s'", Args.Positional.front()));
  (void)Session;
  orx::RegisterOrxClasses();
  // The fixed pages, then one per loaded design package, named after it, with its components.
  std::vector<TPalettePage> Pages = Palette();
  for (const auto& P : PackageLoader().Packages()) {
    TPalettePage& Page = Pages.emplace_back(TPalettePage{P->Name.c_str(), {}, ""});
    for (TClass C : P->Classes)
      if (C->InheritsFrom(TComponent::StaticClass())) Page.Classes.push_back(C->ClassName().c_str());
  }
  json PagesJson = json::array();
  String Text;
  for (const TPalettePage& P : Pages) {
    json Classes = json::array();
    String Line;
    for (const char* Name : P.Classes) {
      TClass C = GetClass(Name);
      if (!C) continue;  // a page lists only what is registered
      const bool Control = C->InheritsFrom(orx::TControl::StaticClass());
      Classes.push_back(
          {{"class", C->ClassName()}, {"unit", C->UnitName()}, {"kind", Control ? "control" : "non-visual"}});
      Line += (Line.empty() ? "" : ", ") + C->ClassName();
    }
    PagesJson.push_back({{"page", P.Name}, {"note", P.Note}, {"classes", Classes}});
    Text += Format("%-11s %s\n", String(P.Name), Line);
    if (*P.Note) Text += Format("%-11s %s\n", String(), String(P.Note));
  }
  Text += "Add one with: formwright add FILE CLASS [--parent P]\n";
  Out.Add(json{{"pages", PagesJson}}, Text);
}

void FindVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  String WhereProp, WhereValue;
  if (Args.Has("--where")) {
    const String W = Args.Value("--where");
    const size_t Eq = W.find('=');
    if (Eq == String::npos || Eq == 0) throw EUsage(Format("--where takes PROPERTY=VALUE, not '%s'", W));
    WhereProp = W.substr(0, Eq);
    WhereValue = W.substr(Eq + 1);
  }
  const String ClassName = Args.Value("--class"), Pattern = Args.Value("--name");
  json Found = json::array();
  String Text;
  // A class or property nobody has is a typing error, not an empty answer.
  bool ClassSeen = ClassName.empty() || GetClass(ClassName), Candidates = false,
       PropertySeen = WhereProp.empty();
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (!Args.Positional.empty())
      throw EUsage(Format("find takes module files and options only, not '%s'", Args.Positional.front()));
    for (const TListed& L : Listed(R)) {
      if (!ClassName.empty() && !InheritsFromName(L.Component, ClassName)) continue;
      ClassSeen = true;
      if (!Pattern.empty() && fnmatch(Pattern.c_str(), L.Name.c_str(), FNM_CASEFOLD) != 0) continue;
      String Value;
      Candidates = true;
      if (!WhereProp.empty()) {
        if (!ShownValue(R, L.Component, WhereProp, Value)) continue;
        PropertySeen = true;
        if (!SameText(Value, WhereValue)) continue;
      }
      json J{{"file", File},
             {"name", L.Name},
             {"class", L.Component->ClassName()},
             {"parent", L.Parent.empty() ? json(nullptr) : json(L.Parent)}};
      if (!WhereProp.empty()) J["value"] = Value;
      Found.push_back(J);
      Text += Format("%s: %s: %s%s\n", File, L.Name, L.Component->ClassName(),
                     L.Parent.empty() ? String(" (the root)") : " in " + L.Parent);
    }
  });
  // A worker of a split run sees some of the files only: it cannot tell.
  if (Session.PartOfJobs()) ClassSeen = PropertySeen = true;
  if (!ClassSeen)
    throw Exception(Format("find: no class %s is registered or used in these modules", ClassName));
  if (Candidates && !PropertySeen)
    throw Exception(Format("find: no component that matches has a property %s", WhereProp));
  Out.Add(Found, Text);
}

void DiffVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  const std::vector<String> Files = ExpandFiles(Args.TakeFiles());
  if (Files.size() != 2 || !Args.Positional.empty()) throw EUsage("diff takes two module files");
  // The two modules are often two versions of one module (same class, same names): each is
  // opened in a session of its own, so they never meet.
  std::vector<String> OrderA, OrderB;
  std::map<String, TDiffSide> A, B;
  std::vector<TListed> ListB;
  String NameA, NameB;
  TReferenceRoot& RA = Session.Module(Files[0]);
  A = DiffSides(RA, OrderA);
  const std::vector<TListed> ListA = Listed(RA);
  NameA = RA.GetRootName();
  json Added = json::array(), Removed = json::array(), Moved = json::array(), Changed = json::array();
  String Text = Format("--- %s (%s)\n", Files[0], NameA);
  {
    TSession Other;
    TReferenceRoot& RB = Other.Module(Files[1]);
    B = DiffSides(RB, OrderB);
    ListB = Listed(RB);
    NameB = RB.GetRootName();
    Text += Format("+++ %s (%s)\n", Files[1], NameB);
    for (const String& K : OrderA)
      if (!B.count(K)) {
        const String N = NameOf(K, RA, ListA);
        Removed.push_back({{"name", N}, {"class", A[K].Class}, {"parent", A[K].Parent}});
        Text += Format("- %s: %s in %s\n", N, A[K].Class, A[K].Parent);
      }
    for (const String& K : OrderB) {
      const String N = NameOf(K, RB, ListB);
      const TDiffSide& S = B[K];
      auto It = A.find(K);
      if (It == A.end()) {
        Added.push_back({{"name", N}, {"class", S.Class}, {"parent", S.Parent}});
        Text += Format("+ %s: %s in %s\n", N, S.Class, S.Parent);
        continue;
      }
      const TDiffSide& Was = It->second;
      const bool WasMoved = K != "@root" && Was.ParentKey != S.ParentKey;
      if (WasMoved)
        Moved.push_back({{"name", N}, {"class", S.Class}, {"from", Was.Parent}, {"parent", S.Parent}});
      json Props = json::array();
      String Lines;
      auto Note = [&](const String& Prop, const json& From, const json& To) {
        Props.push_back({{"name", Prop}, {"from", From}, {"to", To}});
        auto Shown = [](const json& V) { return V.is_null() ? String("(none)") : V.get<String>(); };
        Lines += Format("    %s: %s -> %s\n", Prop, Shown(From), Shown(To));
      };
      if (Was.Class != S.Class) Note("(class)", Was.Class, S.Class);
      if (K == "@root" && NameA != NameB) Note("Name", NameA, NameB);
      for (const auto& [Prop, V] : Was.Values) {
        auto Now = S.Values.find(Prop);
        if (Now == S.Values.end())
          Note(Prop, V, nullptr);
        else if (Now->second != V)
          Note(Prop, V, Now->second);
      }
      for (const auto& [Prop, V] : S.Values)
        if (!Was.Values.count(Prop)) Note(Prop, nullptr, V);
      if (WasMoved)
        Text += Format("> %s: %s moved from %s to %s\n", N, S.Class, Was.Parent, S.Parent) + Lines;
      if (Props.empty()) continue;
      Changed.push_back({{"name", N}, {"class", S.Class}, {"properties", Props}});
      if (!WasMoved) Text += Format("~ %s: %s\n", N, S.Class) + Lines;
    }
  }
  if (Added.empty() && Removed.empty() && Moved.empty() && Changed.empty()) Text += "(no differences)\n";
  Out.Add(json{{"from", Files[0]},
               {"to", Files[1]},
               {"added", Added},
               {"removed", Removed},
               {"moved", Moved},
               {"changed", Changed}},
          Text);
}

}  // namespace formwright::tool
