// The reading verbs: the component tree, the inspector's view of a selection, the handlers.

#include "host/ModuleSource.h"
#include "platform/orx/Controls.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

constexpr const char* SNotAStringList = "%s: %s is not a string list (Lines, Items)";

// What the tree tells of a component besides its name and class.
struct TNodeFacts {
  enum { NoPlace, Bounds, Icon } Place = NoPlace;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Inline = false, Inherited = false;
};

TNodeFacts FactsOf(TComponent* C, TComponent* Parent, TComponent* LookupRoot) {
  TNodeFacts F;
  if (auto* Ctl = As<orx::TControl>(C)) {
    F = {TNodeFacts::Bounds, Ctl->Left(), Ctl->Top(), Ctl->Width(), Ctl->Height()};
  } else if (Parent && Parent == LookupRoot) {
    // A non-visual component on the form keeps its icon's place in its design information
    // (actions and menu items live inside their lists and have none).
    const int32_t Info = C->DesignInfo();
    F = {TNodeFacts::Icon, static_cast<int16_t>(Info & 0xFFFF), static_cast<int16_t>((Info >> 16) & 0xFFFF)};
  }
  F.Inline = C->ComponentState().Contains(csInline);
  F.Inherited = Parent && C->ComponentState().Contains(csAncestor);
  return F;
}

// Visits C's children in the order the module's stream holds them; an embedded frame's own
// components are looked up relative to the frame (the lookup root passed on).
template <class TVisit>
void ForEachChild(TComponent* C, TComponent* LookupRoot, TVisit&& Visit) {
  TComponent* Root = C->ComponentState().Contains(csInline) ? C : LookupRoot;
  C->GetChildren([&](TComponent* Child) { Visit(Child, Root); }, Root);
}

json NodeDoc(TComponent* C, TComponent* Parent, TComponent* LookupRoot) {
  json J;
  J["name"] = C->Name();
  J["class"] = C->ClassName();
  J["parent"] = Parent ? json(Parent->Name()) : json(nullptr);
  const TNodeFacts F = FactsOf(C, Parent, LookupRoot);
  if (F.Place == TNodeFacts::Bounds)
    J["bounds"] = {{"left", F.Left}, {"top", F.Top}, {"width", F.Width}, {"height", F.Height}};
  else if (F.Place == TNodeFacts::Icon)
    J["position"] = {{"left", F.Left}, {"top", F.Top}};
  if (F.Inline) J["inline"] = true;
  if (F.Inherited) J["inherited"] = true;
  json Children = json::array();
  ForEachChild(C, LookupRoot,
               [&](TComponent* Child, TComponent* Root) { Children.push_back(NodeDoc(Child, C, Root)); });
  if (!Children.empty()) J["children"] = std::move(Children);
  return J;
}

// The tree's lines for people, straight from the components: a large module shows without a
// document built and freed in between.
void TreeLines(TComponent* C, TComponent* Parent, TComponent* LookupRoot, int Depth,
               std::vector<std::pair<String, String>>& Lines) {
  const TNodeFacts F = FactsOf(C, Parent, LookupRoot);
  String Notes = F.Place == TNodeFacts::Bounds
                     ? Format("at %d,%d size %dx%d", F.Left, F.Top, F.Width, F.Height)
                 : F.Place == TNodeFacts::Icon ? Format("icon at %d,%d", F.Left, F.Top)
                                               : String();
  if (F.Inline) Notes += Notes.empty() ? "embedded frame" : ", embedded frame";
  if (F.Inherited) Notes += Notes.empty() ? "inherited" : ", inherited";
  Lines.emplace_back(String(static_cast<size_t>(Depth) * 2, ' ') + C->Name() + ": " + C->ClassName(),
                     std::move(Notes));
  ForEachChild(C, LookupRoot,
               [&](TComponent* Child, TComponent* Root) { TreeLines(Child, C, Root, Depth + 1, Lines); });
}

// A handler's declaration as the unit writes it, without the class ("procedure
// Button1Click(Sender: TObject)"): its heading up to the closing semicolon, on one line however
// the author spread it over lines and whatever the unit's line ends.
String DeclarationOf(TModuleSource& Source, const THandlerSource& H) {
  String Line;
  int Depth = 0;
  bool Blank = false;
  for (const char Ch : Source.CopyHandlers({H.Name})) {
    if (Ch == ';' && Depth == 0) break;
    Depth += Ch == '(' ? 1 : Ch == ')' ? -1 : 0;
    if (Ch == ' ' || Ch == '\t' || Ch == '\r' || Ch == '\n') {
      Blank = true;
      continue;
    }
    if (Blank && !Line.empty() && Line.back() != '(' && Ch != ')') Line += ' ';
    Blank = false;
    Line += Ch;
  }
  const String Qualified = Source.ClassName() + ".";
  if (const size_t At = Line.find(Qualified); At != String::npos) Line.erase(At, Qualified.size());
  return Line;
}

// Every component of the module that can hold handlers: the root and what it owns, with the
// components of embedded frames under their dotted names.
void ForEachDesigned(TComponent* Owner, const String& Prefix,
                     const std::function<void(TComponent*, const String&)>& Proc) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    TComponent* C = Owner->Components(I);
    Proc(C, Prefix + C->Name());
    if (C->ComponentState().Contains(csInline)) ForEachDesigned(C, Prefix + C->Name() + ".", Proc);
  }
}

// The lines of one string-list property of the selection, for `props --lines`.
json LinesDoc(TReferenceRoot& R, const String& File, const std::vector<TComponent*>& Selection,
              const String& Path) {
  const IPtr<IProperty> P = FindProperty(R, Selection, Path);
  if (!IsStringList(P)) throw Exception(Format(SNotAStringList, NamesOf(Selection), Path));
  json Doc;
  Doc["file"] = File;
  Doc["property"] = Path;
  Doc["lines"] = PropertyDoc(P)["lines"];
  return Doc;
}

}  // namespace

void ShowVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (!Args.Positional.empty())
      throw EUsage(Format("show takes module files only, not '%s'", Args.Positional.front()));
    const char* Form = R.IsTextFormat() ? "text" : "binary";
    if (!Out.Json()) {
      std::vector<std::pair<String, String>> Lines;
      TreeLines(R.GetRoot(), nullptr, R.GetRoot(), 0, Lines);
      return Out.Add(
          TDocKind::Tree, json(),
          RenderTree(File, R.GetRootName(), R.GetRootClassName(), R.GetAncestorName(), Form, Lines));
    }
    json Doc;
    Doc["file"] = File;
    Doc["module"] = R.GetRootName();
    Doc["class"] = R.GetRootClassName();
    Doc["ancestor"] = R.GetAncestorName();
    Doc["format"] = Form;
    Doc["root"] = NodeDoc(R.GetRoot(), nullptr, R.GetRoot());
    Out.Add(TDocKind::Tree, std::move(Doc), String());
  });
}

void PropsVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    String Names;
    for (const String& P : Args.Positional) Names += (Names.empty() ? "" : ",") + P;
    // Nothing named: the inspector shows the module's root, as with an empty selection.
    const std::vector<TComponent*> Selection =
        Names.empty() ? std::vector<TComponent*>{R.GetRoot()} : Session.Components(R, Names);
    const bool Events = Args.Has("--events");
    if (Args.Has("--lines"))
      return Out.Add(TDocKind::Lines, LinesDoc(R, File, Selection, Args.Value("--lines")));
    json Doc;
    Doc["file"] = File;
    Doc["module"] = R.GetRootName();
    Doc["page"] = Events ? "events" : "properties";
    json Sel = json::array(), Classes = json::array();
    for (TComponent* C : Selection) {
      Sel.push_back(C->Name());
      Classes.push_back(C->ClassName());
    }
    Doc["selection"] = Sel;
    Doc["classes"] = Classes;
    Doc["properties"] = PropertyDocs(R, Selection, Events);
    Out.Add(TDocKind::Properties, std::move(Doc));
  });
}

void HandlersVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (!Args.Positional.empty())
      throw EUsage(Format("handlers takes module files only, not '%s'", Args.Positional.front()));
    TModuleSource* Source = R.Source();
    json Handlers = json::array();
    std::vector<std::pair<String, json>> Uses;  // handler -> events
    auto UsesOf = [&](const String& Handler) -> json& {
      for (auto& U : Uses)
        if (SameText(U.first, Handler)) return U.second;
      Uses.emplace_back(Handler, json::array());
      return Uses.back().second;
    };
    auto Collect = [&](TComponent* C, const String& Name) {
      for (const auto& [Event, Handler] : BoundEvents(R, C)) UsesOf(Handler).push_back(Name + "." + Event);
    };
    Collect(R.GetRoot(), R.GetRootName());
    ForEachDesigned(R.GetRoot(), String(), Collect);
    if (Source)
      for (const THandlerSource& H : Source->Handlers()) {
        json J;
        J["name"] = H.Name;
        J["declaration"] = DeclarationOf(*Source, H);
        J["events"] = UsesOf(H.Name);
        J["in_unit"] = true;
        Handlers.push_back(J);
      }
    for (const auto& [Handler, Events] : Uses) {
      if (Source && Source->FindHandler(Handler)) continue;
      json J{{"name", Handler}, {"declaration", Handler}, {"events", Events}, {"in_unit", false}};
      // A handler the module inherits is declared in the unit of the ancestor that has it.
      for (IPtr<IInternalRoot> A = R.GetAncestorRoot(); A; A = A->GetAncestorRoot()) {
        auto* Ancestor = dynamic_cast<TReferenceRoot*>(A.Get());
        TModuleSource* Declaring = Ancestor ? Ancestor->Source() : nullptr;
        const THandlerSource* H = Declaring ? Declaring->FindHandler(Handler) : nullptr;
        if (!H) continue;
        J["declaration"] = DeclarationOf(*Declaring, *H);
        J["inherited_from"] = Declaring->GetUnitName();
        break;
      }
      // An ancestor read without its unit may be where the handler is declared: that is said,
      // rather than a missing handler of this module's unit.
      if (!J.contains("inherited_from"))
        if (const auto [Unit, Ancestor] = AncestorWithoutUnit(R); !Unit.empty()) {
          J["ancestor_unit_missing"] = Unit;
          J["ancestor"] = Ancestor;
        }
      Handlers.push_back(J);
    }
    json Doc;
    Doc["file"] = File;
    Doc["module"] = R.GetRootName();
    Doc["unit"] = R.GetModule() ? R.GetModule()->GetUnitName() : String();
    Doc["handlers"] = Handlers;
    Out.Add(TDocKind::Handlers, std::move(Doc));
  });
}

}  // namespace formwright::tool
