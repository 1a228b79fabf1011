// The verbs that rearrange a module: moving components into another parent, changing their
// z-order and tab order, aligning and sizing them.
#include <optional>

#include "moduledesigner/RootAlign.h"
#include "platform/orx/Controls.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/Streams.h"
#include "platform/runtime/TypInfo.h"
#include "tools/Followers.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

[[noreturn]] void Refuse(const String& File, const String& What, const Exception& E) {
  throw Exception(Format("%s: %s: %s", File, What, E.Message()));
}

TComponent* ParentOf(TComponent* C) { return C->HasParent() ? C->GetParentComponent() : nullptr; }

String NameOrForm(TComponent* C) { return C ? C->Name() : String("(none)"); }

json BoundsDoc(TComponent* C) {
  auto* Ctl = dynamic_cast<orx::TControl*>(C);
  if (!Ctl) return json(nullptr);
  return {{"left", Ctl->Left()}, {"top", Ctl->Top()}, {"width", Ctl->Width()}, {"height", Ctl->Height()}};
}

// The controls of C's kind that share C's parent, back-most first (C among them). Windowed
// controls always stand in front of the others (labels, shapes), so each kind has its own order.
std::vector<TComponent*> Siblings(TReferenceRoot& R, TComponent* C) {
  std::vector<TComponent*> List;
  const IPtr<IInternalItem> Parent = Supports<IInternalItem>(R.ItemOf(C)->GetParent());
  if (!Parent) return List;
  const bool Windowed = dynamic_cast<orx::TWinControl*>(C) != nullptr;
  for (int I = 0; I < Parent->GetChildCount(); ++I)
    if (auto* S = dynamic_cast<orx::TControl*>(ExtractComponent(Parent->GetChildren(I))))
      if ((dynamic_cast<orx::TWinControl*>(S) != nullptr) == Windowed) List.push_back(S);
  return List;
}

int IndexIn(const std::vector<TComponent*>& List, TComponent* C) {
  const auto It = std::find(List.begin(), List.end(), C);
  return It == List.end() ? -1 : static_cast<int>(It - List.begin());
}

// Puts the control C at z-index N among its siblings: C, and every sibling that is to stay in
// front of it, come to the front together in their order.
void PlaceAt(TReferenceRoot& R, TComponent* C, int N) {
  std::vector<TComponent*> Others = Siblings(R, C);
  Others.erase(Others.begin() + IndexIn(Others, C));
  std::vector<TComponent*> Raised{C};
  Raised.insert(Raised.end(), Others.begin() + std::min<size_t>(static_cast<size_t>(N), Others.size()),
                Others.end());
  SelectComponents(R, Raised);
  R.ZOrder(true);
}

// Whether a sub-object that is not a component holds what a stream writes beyond its published
// values: the items of a collection, or data it streams itself (the lines of a string list).
bool HoldsData(TObject* Value) {
  if (auto* Items = dynamic_cast<TCollection*>(Value)) return Items->Count() > 0;
  auto* Object = dynamic_cast<TPersistent*>(Value);
  if (!Object) return false;
  TMemoryStream Data;
  {
    TWriter W(&Data, 256);
    W.WriteProperties(Object);
  }
  return Data.Size() > 0;
}

// Whether the published values of a sub-object (Font) are set, not left at their defaults.
bool SubValuesSet(TObject* Value) {
  for (PPropInfo Sub : GetPropList(Value->ClassType()))
    if (Sub->Kind() != tkClass && IsStoredProp(Value, Sub) && !IsDefaultPropertyValue(Value, Sub, nullptr))
      return true;
  return false;
}

// The value of P on C when it is a sub-object and not a component (Font, Lines, Sections).
TPersistent* SubObject(TObject* C, PPropInfo P) {
  if (P->Kind() != tkClass) return nullptr;
  TObject* Value = GetObjectProp(C, P);
  return dynamic_cast<TComponent*>(Value) ? nullptr : dynamic_cast<TPersistent*>(Value);
}

// A property the stream writes for C (set, not left at its default); sub-objects (Font) by
// their own properties, or by the data they hold.
bool IsSet(TComponent* C, PPropInfo P) {
  if (!IsStoredProp(C, P)) return false;
  if (P->Kind() != tkClass) return !IsDefaultPropertyValue(C, P, nullptr);
  TObject* Value = GetObjectProp(C, P);
  if (!Value) return false;
  if (dynamic_cast<TComponent*>(Value)) return true;
  return SubValuesSet(Value) || HoldsData(Value);
}

// The inspector paths of what is set on C: plain properties by name, a sub-object's by dotted
// name (Font.Size), a sub-object that holds data of its own (Lines, Sections) by its name;
// component references and events by name.
std::vector<String> SetPaths(TComponent* C) {
  std::vector<String> Paths;
  for (PPropInfo P : GetPropList(C->ClassType())) {
    if (SameText(P->Name, "Name") || !IsSet(C, P)) continue;
    TPersistent* Value = SubObject(C, P);
    if (!Value || !SubValuesSet(Value)) {
      Paths.push_back(P->Name);
      continue;
    }
    for (PPropInfo Sub : GetPropList(Value->ClassType()))
      if (Sub->Kind() != tkClass && IsStoredProp(Value, Sub) && !IsDefaultPropertyValue(Value, Sub, nullptr))
        Paths.push_back(P->Name + "." + Sub->Name);
  }
  return Paths;
}

// Whether Class publishes the property at Path with the kind it has on C (a sub-object that
// holds data: of a class that can take it).
bool Publishes(TClass Class, TComponent* C, const String& Path) {
  const std::vector<String> Parts = SplitString(Path, '.');
  PPropInfo Old = GetPropInfo(C, Parts[0]), New = GetPropInfo(Class, Parts[0]);
  if (!New || New->Kind() != Old->Kind()) return false;
  TClass SubClass = New->Kind() == tkClass ? New->PropType->Data.ClassType : nullptr;
  TPersistent* OldSub = SubObject(C, Old);
  if (Parts.size() == 1) return !OldSub || (SubClass && OldSub->InheritsFrom(SubClass));
  return SubClass && OldSub && OldSub->InheritsFrom(SubClass);
}

// The option of each alignment, in the order help lists them.
const std::pair<const char*, TOTAAffect> AlignOptions[] = {{"--left", afLeft},
                                                           {"--right", afRight},
                                                           {"--hcenter", afHCenter},
                                                           {"--top", afTop},
                                                           {"--bottom", afBottom},
                                                           {"--vcenter", afVCenter},
                                                           {"--hspace", afHSpace},
                                                           {"--vspace", afVSpace},
                                                           {"--hwincenter", afHWinCenter},
                                                           {"--vwincenter", afVWinCenter},
                                                           {"--hspace-inc", afHSpaceInc},
                                                           {"--hspace-dec", afHSpaceDec},
                                                           {"--hspace-del", afHSpaceDel},
                                                           {"--vspace-inc", afVSpaceInc},
                                                           {"--vspace-dec", afVSpaceDec},
                                                           {"--vspace-del", afVSpaceDel},
                                                           {"--grid", afAlignToGrid}};
// The options of the size commands that take no value, and the two that take one.
const std::pair<const char*, TOTASizeAffect> SizeOptions[] = {
    {"--grow-width", asHGrow},      {"--shrink-width", asHShrink}, {"--grow-height", asVGrow},
    {"--shrink-height", asVShrink}, {"--widths", asWidths},        {"--heights", asHeights},
    {"--both", asWidthHeight},      {"--width", asHAbsolute},      {"--height", asVAbsolute}};

// The components of a layout command: named, more than the root, all sharing one parent.
std::vector<TComponent*> LayoutComponents(TSession& Session, TReferenceRoot& R, TArgs& Args,
                                          const String& File, const String& Verb) {
  const String What0 = Format("the components to %s", Verb);
  const String& Names = Args.Need(0, What0.c_str());
  if (Args.Positional.size() > 1) throw EUsage(Format("%s takes one list of components (A,B)", Verb));
  const std::vector<TComponent*> List = Session.Components(R, Names);
  const String What = Format("cannot %s %s", Verb, NamesOf(List));
  for (TComponent* C : List) {
    if (C == R.GetRoot()) throw Exception(Format("%s: %s: %s is the module's root", File, What, C->Name()));
    if (ParentOf(C) != ParentOf(List.front()))
      throw Exception(Format("%s: %s: components laid out together must share a parent", File, What));
  }
  return List;
}

// Says where each component is now (a non-visual component by its icon's place), and when the
// command changed nothing, that it did not.
void SayLaidOut(TReferenceRoot& R, TOutput& Out, const String& File, const String& Verb,
                const std::vector<TComponent*>& List, bool Changed) {
  json Docs = json::array();
  String Where;
  for (TComponent* C : List) {
    const TRect B = R.ItemOf(C)->GetBoundsRect();
    Docs.push_back(
        {{"name", C->Name()},
         {"bounds", {{"left", B.Left}, {"top", B.Top}, {"width", B.Width()}, {"height", B.Height()}}}});
    Where += Format("%s%s at %d,%d size %dx%d", String(Where.empty() ? "" : ", "), C->Name(), B.Left, B.Top,
                    B.Width(), B.Height());
  }
  Out.Say(Format(Changed ? "%s: %s" : "%s: %s already: nothing changed", File, Where),
          {{"file", File}, {"verb", Verb}, {"components", Docs}, {"changed", Changed}});
}

}  // namespace

void AlignVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  std::optional<TOTAAffect> Affect;
  for (const auto& [Option, A] : AlignOptions)
    if (Args.Has(Option)) {
      if (Affect) throw EUsage("align takes one of --left, --right, --hcenter, --top, ... (see --help)");
      Affect = A;
    }
  if (!Affect) throw EUsage("align needs one of --left, --right, --hcenter, --top, ... (see --help)");
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const std::vector<TComponent*> List = LayoutComponents(Session, R, Args, File, "align");
    bool Changed = false;
    try {
      // A command that would move nothing is not carried out: the module stays unmodified.
      SelectComponents(R, List);
      Changed = R.AlignChanges(*Affect);
      if (Changed) R.Align(*Affect);
    } catch (const Exception& E) {
      Refuse(File, Format("cannot align %s", NamesOf(List)), E);
    }
    SayLaidOut(R, Out, File, "align", List, Changed);
  });
}

void SizeVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  std::vector<std::pair<TOTASizeAffect, int>> Commands;
  for (const auto& [Option, A] : SizeOptions) {
    if (!Args.Has(Option)) continue;
    int Value = 0;
    if (A == asHAbsolute || A == asVAbsolute) {
      int64_t N = 0;
      if (!TryStrToInt64(Args.Value(Option), N) || N < 0 || N > 32767)
        throw EUsage(
            Format("%s takes a number from 0 to 32767, not '%s'", String(Option), Args.Value(Option)));
      Value = static_cast<int>(N);
    }
    Commands.emplace_back(A, Value);
  }
  if (Commands.empty())
    throw EUsage("size needs --widths, --heights, --both, --width N, --height N, ... (see --help)");
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const std::vector<TComponent*> List = LayoutComponents(Session, R, Args, File, "size");
    bool Changed = false;
    try {
      // Each command is tried on what the ones before it left: while they change nothing, that
      // is the module as it is.
      SelectComponents(R, List);
      for (const auto& [A, Value] : Commands)
        if ((Changed = R.SizeChanges(A, Value))) break;
      for (const auto& [A, Value] : Commands) {
        if (!Changed) break;
        SelectComponents(R, List);
        R.Size(A, Value);
      }
    } catch (const Exception& E) {
      Refuse(File, Format("cannot size %s", NamesOf(List)), E);
    }
    SayLaidOut(R, Out, File, "size", List, Changed);
  });
}

void MoveVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const String& Names = Args.Need(0, "the components to move");
    if (Args.Positional.size() > 1) throw EUsage("move takes one list of components (A,B)");
    if (!Args.Has("--parent")) throw EUsage("move needs --parent P");
    const std::vector<TComponent*> Moving = Session.Components(R, Names);
    TComponent* Parent = Session.Component(R, Args.Value("--parent"));
    TPoint At{};
    if (Args.Has("--at")) std::tie(At.X, At.Y) = ParsePair(Args.Value("--at"), "--at");
    TComponent* From = ParentOf(Moving.front());
    const String What = Format("cannot move %s into %s", NamesOf(Moving), Parent->Name());
    for (TComponent* C : Moving)
      if (C != R.GetRoot() && ParentOf(C) != From)
        throw Exception(Format("%s: %s: components moved together must share a parent", File, What));
    bool Changed = false;
    const TFollowersOwn Followers(Session, R);
    json Lost = json::object();
    String Gone;
    try {
      SelectComponents(R, Moving);
      Changed = R.MoveSelection(Parent, Args.Has("--at") ? &At : nullptr);
      // A control dropped into another parent comes last in its tab order; the controls already
      // there keep theirs.
      for (TComponent* C : Moving)
        if (dynamic_cast<orx::TWinControl*>(C) && From != Parent)
          TypeValue(FindProperty(R, {C}, "TabOrder"), "TabOrder", "32767");
      Gone = Followers.Check(Args.Has("--force"), "deletes them", Lost);
    } catch (const Exception& E) {
      Refuse(File, What, E);
    }
    json Moved = json::array();
    String Where;
    for (TComponent* C : Moving) {
      Moved.push_back({{"name", C->Name()}, {"class", C->ClassName()}, {"bounds", BoundsDoc(C)}});
      if (auto* Ctl = dynamic_cast<orx::TControl*>(C))
        Where +=
            Format("%s%s at %d,%d", String(Where.empty() ? "" : ", "), C->Name(), Ctl->Left(), Ctl->Top());
    }
    const String Said = Changed ? Format("%s: moved %s from %s to %s (%s)%s", File, NamesOf(Moving),
                                         NameOrForm(From), Parent->Name(), Where, LostNote(Gone))
                                : Format("%s: %s in %s (%s) already: nothing changed", File, NamesOf(Moving),
                                         Parent->Name(), Where);
    Out.Say(Said, {{"file", File},
                   {"verb", "move"},
                   {"components", Moved},
                   {"from", From ? json(From->Name()) : json(nullptr)},
                   {"parent", Parent->Name()},
                   {"changed", Changed},
                   {"lost", Lost}});
  });
}

void OrderVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  const int Choices = Args.Has("--front") + Args.Has("--back") + Args.Has("--index") + Args.Has("--tab");
  if (Choices == 0) throw EUsage("order needs one of --front, --back, --index N and --tab N");
  if (Choices > 1) throw EUsage("order takes one of --front, --back, --index N and --tab N, not several");
  auto Number = [&](const char* Option) {
    int64_t N = 0;
    if (!TryStrToInt64(Args.Value(Option), N) || N < 0 || N > 32767)
      throw EUsage(Format("%s takes a number from 0 to 32767, not '%s'", String(Option), Args.Value(Option)));
    return static_cast<int>(N);
  };
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const String& Name = Args.Need(0, "the component to order");
    if (Args.Positional.size() > 1) throw EUsage("order takes one component");
    TComponent* C = Session.Component(R, Name);
    json Record{{"file", File}, {"verb", "order"}, {"name", C->Name()}, {"class", C->ClassName()}};
    if (Args.Has("--tab")) {
      // The tab order is a property: typed into the inspector, its editor checks it.
      const int Tab = Number("--tab");
      // A tab order past the last one means the last: asking for the place it has changes nothing.
      if (auto* W = dynamic_cast<orx::TWinControl*>(C); W && W->Parent()) {
        const int Target = std::min(Tab, static_cast<int>(Siblings(R, C).size()) - 1);
        if (W->TabOrder() == Target) {
          Record["tab_order"] = Target;
          Record["changed"] = false;
          return Out.Say(Format("%s: %s has tab order %d already: nothing changed", File, C->Name(), Target),
                         Record);
        }
      }
      String Shown;
      try {
        Shown = TypeValue(FindProperty(R, {C}, "TabOrder"), "TabOrder", IntToStr(Tab));
      } catch (const Exception& E) {
        Refuse(File, Format("cannot set the tab order of %s", C->Name()), E);
      }
      Record["tab_order"] = StrToInt(Shown);
      Record["changed"] = true;
      Out.Say(Format("%s: %s has tab order %s", File, C->Name(), Shown), Record);
      return;
    }
    if (C == R.GetRoot() || !dynamic_cast<orx::TControl*>(C) || !ParentOf(C))
      throw Exception(
          Format("%s: cannot order %s: only a control has a place among its siblings", File, C->Name()));
    const std::vector<TComponent*> Original = Siblings(R, C);
    std::vector<TComponent*> Before = Original;
    // Index N: C, and every sibling that is to stay in front of it, come to the front together
    // in their order, which leaves N siblings behind C.
    std::vector<TComponent*> Raised{C};
    bool Front = !Args.Has("--back");
    if (Args.Has("--index")) {
      Before.erase(Before.begin() + IndexIn(Before, C));
      const int N = std::min(Number("--index"), static_cast<int>(Before.size()));
      Raised.insert(Raised.end(), Before.begin() + N, Before.end());
      Front = true;
    }
    // The order asked for: the raised controls in front of the others, or C behind them.
    std::vector<TComponent*> Expected;
    for (TComponent* S : Original)
      if (IndexIn(Raised, S) < 0) Expected.push_back(S);
    Expected.insert(Front ? Expected.end() : Expected.begin(), Raised.begin(), Raised.end());
    const String Kind = dynamic_cast<orx::TWinControl*>(C) ? "windowed " : "non-windowed ";
    Record["count"] = Original.size();
    if (Expected == Original) {
      Record["index"] = IndexIn(Original, C);
      Record["changed"] = false;
      return Out.Say(Format("%s: %s is at z-index %d of the %d %scontrols in %s already: nothing changed",
                            File, C->Name(), IndexIn(Original, C), static_cast<int>(Original.size()), Kind,
                            ParentOf(C)->Name()),
                     Record);
    }
    try {
      SelectComponents(R, Raised);
      R.ZOrder(Front);
    } catch (const Exception& E) {
      Refuse(File, Format("cannot order %s", C->Name()), E);
    }
    const std::vector<TComponent*> After = Siblings(R, C);
    Record["index"] = IndexIn(After, C);
    Record["changed"] = true;
    Out.Say(Format("%s: %s is at z-index %d of the %d %scontrols in %s (0 is the back)", File, C->Name(),
                   IndexIn(After, C), static_cast<int>(After.size()), Kind, ParentOf(C)->Name()),
            Record);
  });
}

void RetypeVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const String& Name = Args.Need(0, "the component to retype");
    const String& ClassName = Args.Need(1, "the new class");
    if (Args.Positional.size() > 2) throw EUsage("retype takes one component and one class");
    TComponent* C = Session.Component(R, Name);
    const String OldName = C->Name(), OldClass = C->ClassName();
    const String What = Format("cannot retype %s to %s", OldName, ClassName);
    TClass Class = GetClass(ClassName);
    if (!Class || !Class->InheritsFrom(TComponent::StaticClass()))
      throw Exception(Format("%s: %s: no component class of that name is registered", File, What));
    if (C == R.GetRoot()) throw Exception(Format("%s: %s: it is the module's root", File, What));
    if (C->ClassType() == Class) throw Exception(Format("%s: %s: it is a %s already", File, What, OldClass));
    // A component an ancestor module introduced belongs to that module.
    if (C->ComponentState().Contains(csAncestor))
      throw Exception(
          Format("%s: %s: Cannot retype component %s, component was introduced in an ancestor form", File,
                 What, OldName));
    // An embedded frame is its frame module's: what it holds and sets belongs there.
    if (C->ComponentState().Contains(csInline))
      throw Exception(
          Format("%s: %s: it is an embedded frame; delete it and add what you need instead", File, What));
    // What the new class cannot keep is listed before anything changes.
    std::vector<String> Kept, Lost;
    for (const String& P : SetPaths(C)) (Publishes(Class, C, P) ? Kept : Lost).push_back(P);
    // What C holds (controls, or the items of a menu or an action list); only controls can be
    // moved into the new component.
    std::vector<TComponent*> Held;
    C->GetChildren([&](TComponent* Child) { Held.push_back(Child); }, R.GetRoot());
    const bool Movable = std::all_of(
        Held.begin(), Held.end(), [](TComponent* H) { return dynamic_cast<orx::TControl*>(H) != nullptr; });
    // Every reference to C, to point at the new component.
    std::vector<std::pair<TComponent*, String>> Referrers;
    std::vector<TComponent*> All{R.GetRoot()};
    for (int I = 0; I < R.GetRoot()->ComponentCount(); ++I) All.push_back(R.GetRoot()->Components(I));
    for (TComponent* X : All)
      for (PPropInfo P : GetPropList(X->ClassType(), TTypeKinds{tkClass}))
        if (X != C && GetObjectProp(X, P) == C) Referrers.emplace_back(X, P->Name);
    auto* Ctl = dynamic_cast<orx::TControl*>(C);
    const int ZIndex = Ctl && ParentOf(C) ? IndexIn(Siblings(R, C), C) : -1;
    const TRect Bounds = R.ItemOf(C)->GetBoundsRect();
    // Where each module built on this one has C among its siblings: the copy the edit makes
    // anew there goes back to that place.
    std::vector<std::pair<IPtr<TReferenceRoot>, int>> Places;
    for (const IPtr<TReferenceRoot>& M : Session.Modules())
      if (TComponent* Copy = M.Get() != &R && ZIndex >= 0 ? M->GetRoot()->FindComponent(OldName) : nullptr;
          Copy && Copy->ComponentState().Contains(csAncestor) && ParentOf(Copy))
        Places.emplace_back(M, IndexIn(Siblings(*M, Copy), Copy));
    TComponent* New = nullptr;
    String Theirs;  // values modules built on this one set on C that the new class cannot take
    const TFollowersOwn Followers(Session, R);
    json Gone = json::object();
    try {
      // Created as the palette creates, in C's parent and place.
      if (Ctl && ParentOf(C)) {
        New = R.CreateComponent(Class, ParentOf(C), Ctl->Left(), Ctl->Top(), Ctl->Width(), Ctl->Height());
      } else {
        R.ClearSelection();
        New = R.CreateComponent(Class, nullptr, 0, 0, 0, 0);
        if (New) R.ItemOf(New)->SetBoundsRect(Bounds);
      }
      if (!New) throw Exception("the designer created nothing");
      // A component whose parent cannot hold the new class (a menu item made a button) goes
      // elsewhere: its place is lost.
      if (TComponent* Was = ParentOf(C); Was && Was != R.GetRoot() && ParentOf(New) != Was)
        Lost.push_back(Format("its place in %s (it would go to %s)", Was->Name(), NameOrForm(ParentOf(New))));
      auto* Holder = dynamic_cast<orx::TControl*>(New);
      if (!Held.empty() && !(Movable && Holder && Holder->ControlStyle().Contains(orx::csAcceptsControls)))
        Lost.push_back(Format("the components it holds (%s)", NamesOf(Held)));
      // What modules built on this one set themselves on C and the new class has no place for.
      for (const auto& [Of, V] : Session.OwnValuesOn(OldName))
        if (!GetPropInfo(Class, SplitString(V.Path, '.').front()))
          Theirs += (Theirs.empty() ? "" : ", ") + Of + ": " + V.Component + "." + V.Path;
      if (!Theirs.empty()) Lost.push_back(Format("what modules built on this one set on it (%s)", Theirs));
      if (!Lost.empty() && !Args.Has("--force")) {
        String List;
        for (const String& L : Lost) List += (List.empty() ? "" : ", ") + L;
        throw Exception(Format("%s does not keep %s (--force drops them)", ClassName, List));
      }
      // Values typed into the new component's inspector as C's shows them.
      for (const String& P : Kept) {
        // A sub-object that holds data (lines, items) is taken over whole.
        const PPropInfo Whole = P.find('.') == String::npos ? GetPropInfo(C, P) : nullptr;
        if (TPersistent* Data = Whole ? SubObject(C, Whole) : nullptr) {
          As<TPersistent>(GetObjectProp(New, GetPropInfo(New, P)))->Assign(Data);
          continue;
        }
        const String Value = PropertyDoc(FindProperty(R, {C}, P))["value"].get<String>();
        TypeValue(FindProperty(R, {New}, P), P, Value);
      }
      if (!Held.empty() && Lost.empty()) {
        // The held controls keep their tab order: typed back in rising order after the move.
        std::vector<std::pair<int, TComponent*>> Tabs;
        for (TComponent* H : Held)
          if (auto* W = dynamic_cast<orx::TWinControl*>(H)) Tabs.emplace_back(W->TabOrder(), H);
        std::sort(Tabs.begin(), Tabs.end());
        SelectComponents(R, Held);
        R.MoveSelection(New);
        for (const auto& [Tab, H] : Tabs)
          TypeValue(FindProperty(R, {H}, "TabOrder"), "TabOrder", IntToStr(Tab));
      }
      for (const auto& [X, P] : Referrers) TypeValue(FindProperty(R, {X}, P), P, New->Name());
      // What the new class sets on its own (a caption that follows the name, its own defaults)
      // goes back to what C showed, so that the form looks as it did; a caption or text taken
      // from the name, which C did not show, is left empty.
      std::vector<std::pair<String, String>> Shown;
      for (const String& P : SetPaths(New)) {
        if (std::find(Kept.begin(), Kept.end(), P) != Kept.end() ||
            (P.find('.') == String::npos && SubObject(New, GetPropInfo(New, P))))
          continue;
        if (Publishes(C->ClassType(), New, P))
          Shown.emplace_back(P, PropertyDoc(FindProperty(R, {C}, P))["value"].get<String>());
        else if (PropertyDoc(FindProperty(R, {New}, P))["value"].get<String>() == New->Name())
          Shown.emplace_back(P, String());
      }
      SelectComponents(R, {C});
      R.DeleteSelection(true);
      TypeValue(FindProperty(R, {New}, "Name"), "Name", OldName);
      for (const auto& [P, Value] : Shown) TypeValue(FindProperty(R, {New}, P), P, Value);
      if (ZIndex >= 0 && dynamic_cast<orx::TControl*>(New) && ParentOf(New)) PlaceAt(R, New, ZIndex);
      if (const String Text = Followers.Check(Args.Has("--force"), "drops them", Gone); !Text.empty())
        Lost.push_back(Format("what modules built on this one added inside it (%s)", Text));
      // What they set themselves on it stays where the new class has the property.
      String Values;
      for (const String& V : Session.KeepFollowersOwnValues(true))
        if (Theirs.find(V) == String::npos) Values += (Values.empty() ? "" : ", ") + V;
      if (!Values.empty() && !Args.Has("--force"))
        throw Exception(
            Format("modules built on this one would lose values they set themselves: %s (--force "
                   "drops them)",
                   Values));
      if (!Values.empty())
        Lost.push_back(Format("values modules built on this one set themselves (%s)", Values));
      for (const auto& [M, Place] : Places)
        if (TComponent* Copy = M->GetRoot()->FindComponent(OldName);
            Copy && dynamic_cast<orx::TControl*>(Copy) && ParentOf(Copy) &&
            IndexIn(Siblings(*M, Copy), Copy) != Place)
          PlaceAt(*M, Copy, Place);
    } catch (const Exception& E) {
      Refuse(File, What, E);
    }
    json Dropped = json::array();
    for (const String& L : Lost) Dropped.push_back(L);
    String Note;
    for (const String& L : Lost) Note += (Note.empty() ? "; dropped " : ", ") + L;
    Out.Say(Format("%s: retyped %s from %s to %s%s", File, OldName, OldClass, New->ClassName(), Note),
            {{"file", File},
             {"verb", "retype"},
             {"name", OldName},
             {"class", New->ClassName()},
             {"from", OldClass},
             {"dropped", Dropped},
             {"lost", Gone}});
  });
}

}  // namespace formwright::tool
