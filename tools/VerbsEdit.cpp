// The editing verbs: typed property values, renames, new components, deletes.
#include <fstream>
#include <iostream>

#include "contracts/DesignIntf.h"
#include "editors/ComponentRename.h"
#include "platform/orx/Controls.h"
#include "platform/runtime/TypInfo.h"
#include "tools/Followers.h"
#include "tools/Inspector.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

// A refusal names the file and what was attempted, then the engine's own message.
[[noreturn]] void Refuse(const String& File, const String& What, const Exception& E) {
  throw Exception(Format("%s: %s: %s", File, What, E.Message()));
}

// "Button1.Caption=Go", "Button1,Button2.Font.Size=10", "Frame11.Button1.Caption=Go": the
// longest prefix that names components of the module, then the property path.
struct TAssignment {
  std::vector<TComponent*> Components;
  String Target;
  String Path;
  String Value;
};

TAssignment ParseAssignment(TSession& Session, TReferenceRoot& R, const String& Word) {
  const size_t Eq = Word.find('=');
  if (Eq == String::npos || Eq == 0) throw EUsage(Format("'%s' is not COMPONENT.PROPERTY=VALUE", Word));
  TAssignment A;
  A.Target = Word.substr(0, Eq);
  A.Value = Word.substr(Eq + 1);
  const std::vector<String> Parts = SplitString(A.Target, '.');
  if (Parts.size() < 2) throw EUsage(Format("'%s' is not COMPONENT.PROPERTY=VALUE", Word));
  String Error;
  for (size_t K = Parts.size() - 1; K >= 1; --K) {
    String Names = Parts[0], Path = Parts[K];
    for (size_t I = 1; I < K; ++I) Names += "." + Parts[I];
    for (size_t I = K + 1; I < Parts.size(); ++I) Path += "." + Parts[I];
    try {
      A.Components = Session.Components(R, Names);
      A.Path = Path;
      return A;
    } catch (const EUsage&) {
      throw;
    } catch (const Exception& E) {
      Error = E.Message();  // the shortest prefix's message names the first unknown part
    }
  }
  throw Exception(Error);
}

// The text of a file of lines for a string list ("-": standard input).
String ReadLinesFile(const String& Name) {
  if (Name == "-") return String(std::istreambuf_iterator<char>(std::cin), {});
  std::ifstream In(Name, std::ios::binary);
  if (!In) throw Exception(Format("Cannot read the lines file '%s'", Name));
  return String(std::istreambuf_iterator<char>(In), {});
}

}  // namespace

void SetVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (Args.Positional.empty()) throw EUsage("Missing COMPONENT.PROPERTY=VALUE");
    for (const String& Word : Args.Positional) {
      const TAssignment A = ParseAssignment(Session, R, Word);
      const String What = Format("cannot set %s to '%s'", A.Target, A.Value);
      try {
        String Shown;
        if (!TypeCollectionCommand(R, A.Components, A.Path, A.Value, Shown)) {
          const IPtr<IProperty> P = FindProperty(R, A.Components, A.Path);
          const bool Lines = IsStringList(P), FromFile = Lines && !A.Value.empty() && A.Value[0] == '@';
          Shown = TypeValue(P, A.Target, FromFile ? ReadLinesFile(A.Value.substr(1)) : A.Value);
          if (Lines) Shown = Format("(%d lines)", static_cast<int>(PropertyDoc(P)["lines"].size()));
        }
        json Names = json::array();
        for (TComponent* C : A.Components) Names.push_back(C->Name());
        Out.Say(
            Format("%s: %s = %s", File, A.Target, Shown),
            {{"file", File}, {"verb", "set"}, {"components", Names}, {"property", A.Path}, {"value", Shown}});
      } catch (const EUsage&) {
        throw;
      } catch (const Exception& E) {
        // A handler the module inherits from an ancestor without its unit: that unit is named.
        if (const auto [Unit, Ancestor] = AncestorWithoutUnit(R);
            !Unit.empty() && E.Message() == Format(SUncheckedInheritedMethod, A.Value))
          Refuse(File, What,
                 Exception(Format("%s (%s, the unit of %s, is missing)", E.Message(), Unit, Ancestor)));
        Refuse(File, What, E);
      }
    }
  });
}

void RenameVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const String& OldName = Args.Need(0, "the component to rename");
    const String& NewName = Args.Need(1, "the new name");
    if (Args.Positional.size() > 2) throw EUsage("rename takes one component and one new name");
    TComponent* C = Session.Component(R, OldName);
    const String CurName = C->Name();
    // Our decision: a root's name is its class's, which the units of the modules that inherit
    // from it or embed it declare too; those units stay their authors', so the root keeps its
    // name while any depends on it.
    if (C == R.GetRoot() && !SameText(CurName, NewName)) {
      String Users;
      for (const auto& [Dependent, How] : Session.Dependents(File))
        Users += Format("%s%s (%s)", Users.empty() ? "" : ", ", Dependent, How);
      if (!Users.empty())
        Refuse(File, Format("cannot rename %s to %s", CurName, NewName),
               Exception(Format("its class %s is named by the modules that depend on it: %s", C->ClassName(),
                                Users)));
      if (const String Other = Session.OtherModuleOfClass(File, "T" + NewName); !Other.empty())
        Refuse(File, Format("cannot rename %s to %s", CurName, NewName),
               Exception(ClassTakenMessage(Other, NewName)));
    }
    // Typed into the inspector's Name row (the name editor validates and marks the change),
    // then the handlers named after the component follow it.
    TComponentRename Rename(R.GetDesigner(), C);
    try {
      Rename.RenameComponent(NewName);
    } catch (const Exception& E) {
      Refuse(File, Format("cannot rename %s to %s", CurName, NewName), E);
    }
    String Note;
    json Handlers = json::array();
    for (const THandlerFollower& F : Rename.Followers()) {
      if (F.Taken) {
        Note += Format("; %s keeps %s (%s exists)", F.Event, F.Handler, F.NewHandler);
        Handlers.push_back({{"event", F.Event}, {"from", F.Handler}, {"to", F.Handler}});
        continue;
      }
      Handlers.push_back({{"event", F.Event}, {"from", F.Handler}, {"to", F.NewHandler}});
      try {
        Rename.RenameHandler(F);
      } catch (const Exception& E) {
        Refuse(File, Format("cannot rename handler %s to %s", F.Handler, F.NewHandler), E);
      }
      Note += Format("; handler %s -> %s", F.Handler, F.NewHandler);
    }
    Out.Say(Format("%s: renamed %s to %s%s", File, CurName, NewName, Note),
            {{"file", File}, {"verb", "rename"}, {"from", CurName}, {"to", NewName}, {"handlers", Handlers}});
  });
}

void AddVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    const String& ClassName = Args.Need(0, "the class of the new component");
    if (Args.Positional.size() > 1) throw EUsage("add takes one class");
    TClass Class = GetClass(ClassName);
    if (!Class || !Class->InheritsFrom(TComponent::StaticClass()))
      throw Exception(
          Format("%s: cannot add %s: no component class of that name is registered", File, ClassName));
    TComponent* Parent = Args.Has("--parent") ? Session.Component(R, Args.Value("--parent")) : nullptr;
    const bool At = Args.Has("--at"), Sized = Args.Has("--size");
    const auto [X, Y] = At ? ParsePair(Args.Value("--at"), "--at") : std::pair<int, int>{0, 0};
    const auto [W, H] = Sized ? ParsePair(Args.Value("--size"), "--size") : std::pair<int, int>{0, 0};
    if (Sized && (W <= 0 || H <= 0)) throw EUsage("--size takes a positive width and height");
    // An item (a menu item, an action) named into a menu or an action list goes there, as a
    // component editor adds a child; a control or a component on the form is placed as below.
    const bool Item = Parent && !dynamic_cast<orx::TWinControl*>(Parent) &&
                      !Class->InheritsFrom(orx::TControl::StaticClass());
    TComponent* C = nullptr;
    try {
      if (Item) {
        C = R.CreateChild(Class, Parent);
        if (C && C->GetParentComponent() != Parent)
          throw Exception(
              Format("a %s does not go into %s (%s)", ClassName, Parent->Name(), Parent->ClassName()));
      } else if (At) {
        // A point is a click on the form (default size there); a point and a size a drawn box.
        C = R.CreateComponent(Class, Parent ? Parent : R.GetRoot(), X, Y, Sized ? W : 1, Sized ? H : 1);
      } else {
        // No point: a palette double-click, centred in the selected container.
        if (Parent)
          SelectComponents(R, {Parent});
        else
          R.ClearSelection();
        C = R.CreateComponent(Class, nullptr, 0, 0, 0, 0);
        if (C && Sized) {
          TypeValue(FindProperty(R, {C}, "Width"), "Width", IntToStr(W));
          TypeValue(FindProperty(R, {C}, "Height"), "Height", IntToStr(H));
        }
      }
      if (!C) throw Exception("the designer created nothing");
      if (Args.Has("--name")) TypeValue(FindProperty(R, {C}, "Name"), "Name", Args.Value("--name"));
    } catch (const Exception& E) {
      Refuse(File, Format("cannot add %s", ClassName), E);
    }
    TComponent* Holder = C->HasParent() ? C->GetParentComponent() : nullptr;
    String Where = Holder ? " in " + Holder->Name() : String();
    Out.Say(Format("%s: added %s: %s%s", File, C->Name(), C->ClassName(), Where),
            {{"file", File},
             {"verb", "add"},
             {"name", C->Name()},
             {"class", C->ClassName()},
             {"parent", Holder ? json(Holder->Name()) : json(nullptr)}});
  });
}

void DeleteVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  ForEachModule(Session, Args, Out, [&](TReferenceRoot& R, const String& File) {
    if (Args.Positional.empty()) throw EUsage("Missing the components to delete");
    String Names;
    for (const String& P : Args.Positional) Names += (Names.empty() ? "" : ",") + P;
    const std::vector<TComponent*> Doomed = Session.Components(R, Names);
    for (TComponent* C : Doomed)
      if (C == R.GetRoot())
        throw Exception(Format("%s: cannot delete %s: it is the module's root", File, C->Name()));
    const String List = NamesOf(Doomed);
    // The designer deletes a selection of siblings (it reduces any other selection to the
    // anchor's siblings), so components are deleted parent by parent; a component inside
    // another one that goes is deleted with it.
    auto Goes = [&](TComponent* C) { return std::find(Doomed.begin(), Doomed.end(), C) != Doomed.end(); };
    auto ParentOf = [](TComponent* C) { return C->HasParent() ? C->GetParentComponent() : C->Owner(); };
    std::vector<std::pair<TComponent*, std::vector<TComponent*>>> Groups;
    for (TComponent* C : Doomed) {
      bool Inside = false;
      for (TComponent* P = ParentOf(C); P && !Inside; P = ParentOf(P)) Inside = Goes(P);
      if (Inside) continue;
      auto G =
          std::find_if(Groups.begin(), Groups.end(), [&](const auto& X) { return X.first == ParentOf(C); });
      if (G == Groups.end())
        Groups.push_back({ParentOf(C), {C}});
      else
        G->second.push_back(C);
    }
    std::vector<String> Paths;
    for (TComponent* C : Doomed) Paths.push_back(R.GetComponentName(C));
    // A module that inherits from this one (or embeds it) loses, with an inherited component,
    // what it added inside it: refused unless --force, and named either way.
    const TFollowersOwn Followers(Session, R);
    json Lost = json::object();
    String Gone;
    try {
      for (const auto& Group : Groups) {
        SelectComponents(R, Group.second);
        R.DeleteSelection(true);
      }
      Gone = Followers.Check(Args.Has("--force"), "deletes them too", Lost);
    } catch (const Exception& E) {
      Refuse(File, Format("cannot delete %s", List), E);
    }
    // Components the designer does not let a person select (parts of an embedded frame) stay.
    for (const String& P : Paths)
      if (R.GetComponent(P))
        throw Exception(Format("%s: cannot delete %s: it cannot be selected in this module", File, P));
    json Deleted = json::array();
    for (const String& P : Paths) Deleted.push_back(P);
    Out.Say(Format("%s: deleted %s%s", File, List, LostNote(Gone)),
            {{"file", File}, {"verb", "delete"}, {"components", Deleted}, {"lost", Lost}});
  });
}

}  // namespace formwright::tool
