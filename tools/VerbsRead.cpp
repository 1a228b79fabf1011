// The reading verbs: the component tree, the inspector's view of a selection, the handlers.
#include "host/ModuleSource.h"
#include "platform/orx/Controls.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

constexpr const char* SNotAStringList = "%s: %s is not a string list (Lines, Items)";

json NodeDoc(TComponent* C, TComponent* Parent, TComponent* LookupRoot) {
  json J;
  J["name"] = C->Name();
  J["class"] = C->ClassName();
  J["parent"] = Parent ? json(Parent->Name()) : json(nullptr);
  if (auto* Ctl = As<orx::TControl>(C)) {
    J["bounds"] = {
        {"left", Ctl->Left()}, {"top", Ctl->Top()}, {"width", Ctl->Width()}, {"height", Ctl->Height()}};
  } else if (Parent && Parent == LookupRoot) {
    // A non-visual component on the form keeps its icon's place in its design information
    // (actions and menu items live inside their lists and have none).
    const int32_t Info = C->DesignInfo();
    J["position"] = {{"left", static_cast<int16_t>(Info & 0xFFFF)},
                     {"top", static_cast<int16_t>((Info >> 16) & 0xFFFF)}};
  }
  if (C->ComponentState().Contains(csInline)) J["inline"] = true;
  if (Parent && C->ComponentState().Contains(csAncestor)) J["inherited"] = true;
  // Children in the order the module's stream holds them; an embedded frame's own components
  // are looked up relative to the frame.
  TComponent* Root = C->ComponentState().Contains(csInline) ? C : LookupRoot;
  json Children = json::array();
  C->GetChildren([&](TComponent* Child) { Children.push_back(NodeDoc(Child, C, Root)); }, Root);
  if (!Children.empty()) J["children"] = std::move(Children);
  return J;
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
    json Doc;
    Doc["file"] = File;
    Doc["module"] = R.GetRootName();
    Doc["class"] = R.GetRootClassName();
    Doc["ancestor"] = R.GetAncestorName();
    Doc["format"] = R.IsTextFormat() ? "text" : "binary";
    Doc["root"] = NodeDoc(R.GetRoot(), nullptr, R.GetRoot());
    Out.Add(TDocKind::Tree, std::move(Doc));
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
