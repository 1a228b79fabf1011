// The views verb: a module's device views, listed, added or removed.
#include "host/root/ReferenceViews.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/StreamCoding.h"
#include "tools/Output.h"
#include "tools/Verbs.h"

namespace formwright::tool {

namespace {

// A form factor as the table shows it: "-" for none, and characters a terminal would act on
// (escape sequences, a NUL) as #nn, as the list's messages show them.
String Shown(const String& FormFactor) {
  return FormFactor.empty() ? String("-") : streamcoding::PrintableText(FormFactor);
}

// The module's list entry of each view: (view name, form-factor value).
std::vector<std::pair<String, String>> ViewEntries(TReferenceRoot& R) {
  std::vector<std::pair<String, String>> Entries;
  if (TModuleSource* Source = R.Source()) {
    TStringList List;
    Source->GetViewList(&List);
    for (int I = 0; I < List.Count(); ++I) Entries.emplace_back(List.Names(I), List.ValueFromIndex(I));
  }
  return Entries;
}

// The list of a module whose views do not open: its entries as the list file has them, and why.
void ListUnopenedViews(TSession& Session, TReferenceRoot& R, const String& File, const String& Why,
                       TOutput& Out) {
  json Views = json::array();
  std::vector<std::vector<String>> Rows{{"view", "form factor", "file"}};
  for (const auto& [Name, FormFactor] :
       ListedViews(*Session.Host().Designer()->GetFileSystem(), R.GetFileName())) {
    const String ViewFile = ViewFileName(R.GetFileName(), Name);
    Views.push_back({{"name", Name}, {"form_factor", Trim(FormFactor)}, {"file", ViewFile}});
    Rows.push_back({Name, Shown(Trim(FormFactor)), ViewFile});
  }
  Out.Add(json{{"file", File}, {"module", R.GetRootName()}, {"views", Views}, {"not_open", Why}},
          Format("%s: views of %s, which do not open (views --remove NAME takes one off the list): %s\n",
                 File, R.GetRootName(), Why) +
              RenderTable(Rows, "  "));
}

void ListViews(TReferenceRoot& R, const String& File, TOutput& Out) {
  json Views = json::array();
  std::vector<std::vector<String>> Rows{{"view", "form factor", "root", "file"}};
  const auto Entries = ViewEntries(R);
  for (int I = 0; I < R.GetViewCount(); ++I) {
    const String Name = R.GetViewName(I);
    const IPtr<IInternalRoot> View = R.GetView(I);
    String FormFactor;
    for (const auto& [N, V] : Entries)
      if (SameText(N, Name)) FormFactor = Trim(V);
    Views.push_back({{"name", Name},
                     {"form_factor", FormFactor},
                     {"root", View->GetRootName()},
                     {"file", View->GetFileName()}});
    Rows.push_back({Name, Shown(FormFactor), View->GetRootName(), View->GetFileName()});
  }
  const String Text = Views.empty()
                          ? Format("%s has no views\n", File)
                          : Format("%s: views of %s\n", File, R.GetRootName()) + RenderTable(Rows, "  ");
  Out.Add(json{{"file", File}, {"module", R.GetRootName()}, {"views", Views}}, Text);
}

}  // namespace

void ViewsVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  const std::vector<String> Files = ExpandFiles(Args.TakeFiles());
  if (Files.size() != 1) throw EUsage("views takes one module file");
  if (!Args.Positional.empty()) throw EUsage(Format("views takes no '%s'", Args.Positional.front()));
  const bool Add = Args.Has("--add"), Remove = Args.Has("--remove");
  if (Add && Remove) throw EUsage("views takes --add or --remove, not both");
  const String& File = Files.front();
  TReferenceRoot& R = Session.Module(File);
  if (R.GetMasterView())
    throw Exception(
        Format("%s is a view of %s; name the module's own file", File, R.GetMasterView()->GetFileName()));
  const String Why = Session.ViewsNotOpen(R);
  if (!Add && !Remove)
    return Why.empty() ? ListViews(R, File, Out) : ListUnopenedViews(Session, R, File, Why, Out);
  const String Name = Args.Value(Add ? "--add" : "--remove");
  if (Trim(Name).empty()) throw EUsage(Format("%s takes the name of a view", Add ? "--add" : "--remove"));
  // A view that does not open is taken off the list file without opening the module's views.
  if (Remove && !Why.empty()) {
    IModuleFileSystem& Disk = *Session.Host().Designer()->GetFileSystem();
    const auto Listed = ListedViews(Disk, R.GetFileName());
    const auto Entry =
        std::find_if(Listed.begin(), Listed.end(), [&](const auto& E) { return SameText(E.first, Name); });
    if (Entry == Listed.end())
      throw Exception(Format("%s: cannot remove view %s: %s", File, Name, Format(SViewNotFound, Name)));
    const String ModuleFile = R.GetFileName(), ViewFile = ViewFileName(ModuleFile, Entry->first);
    Session.SaveWithModules([&Disk, ModuleFile, Name] { UnlistView(Disk, ModuleFile, Name); });
    return Out.Say(Format("Removed view %s from %s; %s stays on disk", Name, File, ViewFile),
                   {{"file", File}, {"removed", Name}, {"view_file", ViewFile}});
  }
  Session.PrepareEdits();
  // The name becomes part of the view's root name and form file.
  if (Add && !IsValidIdent(Name))
    throw EUsage(Format("--add takes an identifier as the view's name, not '%s'", Name));
  IPtr<IRoot> Master(static_cast<IRoot*>(&R));
  try {
    if (Add) {
      const String ViewFile = ViewFileName(R.GetFileName(), Name);
      // A file of that name is somebody's: a new view never replaces it.
      if (R.GetViewIndex(Name) < 0 &&
          Session.Host().Designer()->GetFileSystem()->FileExists(String(), ViewFile))
        throw Exception(Format("%s exists already", ViewFile));
      const int Index = R.AddView(Name);
      if (Index < 0) throw Exception("the module has no view support");
      IPtr<IInternalRoot> View = R.GetView(Index);
      Session.SaveWithModules([View, Master] {
        View->Save();
        SaveViewList(*dynamic_cast<TReferenceRoot*>(Master.Get()));
      });
      String FormFactor;
      for (const auto& [N, V] : ViewEntries(R))
        if (SameText(N, Name)) FormFactor = Trim(V);
      Out.Say(Format("Added view %s to %s: %s in %s%s", Name, File, View->GetRootName(), View->GetFileName(),
                     FormFactor.empty() ? String() : " (" + FormFactor + ")"),
              {{"file", File},
               {"added", Name},
               {"root", View->GetRootName()},
               {"view_file", View->GetFileName()}});
    } else {
      const int Index = R.GetViewIndex(Name);
      const String ViewFile = Index >= 0 ? R.GetView(Index)->GetFileName() : String();
      const IPtr<TReferenceRoot> View(Index >= 0 ? dynamic_cast<TReferenceRoot*>(R.GetView(Index).Get())
                                                 : nullptr);
      R.RemoveView(Name);
      if (View) Session.Forget(*View);
      Session.SaveWithModules([Master] { SaveViewList(*dynamic_cast<TReferenceRoot*>(Master.Get())); });
      Out.Say(Format("Removed view %s from %s; %s stays on disk", Name, File, ViewFile),
              {{"file", File}, {"removed", Name}, {"view_file", ViewFile}});
    }
  } catch (const EUsage&) {
    throw;
  } catch (const Exception& E) {
    throw Exception(Format("%s: cannot %s view %s: %s", File, Add ? "add" : "remove", Name, E.Message()));
  }
}

}  // namespace formwright::tool
