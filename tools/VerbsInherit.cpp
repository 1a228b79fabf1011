// A new module that inherits from an existing one.
#include <filesystem>

#include "tools/Verbs.h"

namespace formwright::tool {

namespace fs = std::filesystem;

void InheritVerb(TSession& Session, TArgs& Args, TOutput& Out) {
  std::vector<String> Ancestors = ExpandFiles(Args.TakeFiles());
  if (Ancestors.size() != 1) throw EUsage("inherit takes one ancestor module");
  if (!Args.Positional.empty()) throw EUsage(Format("inherit takes no '%s'", Args.Positional[0]));
  const String Name = Args.Value("--name");
  if (Name.empty()) throw EUsage("inherit needs --name NAME");
  if (!IsValidIdent(Name)) throw EUsage(Format("'%s' is not a valid component name", Name));
  const String File = Args.Value("-o");
  if (File.empty() || !IsModuleFileArg(File)) throw EUsage("inherit needs -o FILE (a module file)");
  // A new module never replaces a file that is already there: neither the form nor its unit.
  const String Unit = fs::path(File).replace_extension(".pas").string();
  for (const String& F : {File, Unit})
    if (fs::exists(F)) throw Exception(Format("%s: %s already exists", File, F));
  // A module finds the module it inherits from in its own folder.
  std::error_code Ec;
  const fs::path Here = fs::weakly_canonical(fs::absolute(File).parent_path(), Ec),
                 There = fs::weakly_canonical(fs::absolute(Ancestors[0]).parent_path(), Ec);
  if (Here != There)
    throw Exception(
        Format("%s: a module that inherits from %s goes in the same folder, where it finds its ancestor",
               File, Ancestors[0]));
  if (const String Other = Session.OtherModuleOfClass(File, "T" + Name); !Other.empty())
    throw Exception(
        Format("%s: cannot inherit from %s: %s", File, Ancestors[0], ClassTakenMessage(Other, Name)));
  TReferenceRoot& Ancestor = Session.Module(Ancestors[0]);
  if (Session.Host().Find(Name)) throw Exception(Format("%s: a module named %s is already open", File, Name));
  IPtr<TReferenceRoot> Root;
  try {
    Root = Session.Host().New(Name, File, String(), IPtr<TReferenceRoot>(&Ancestor));
  } catch (const Exception& E) {
    throw Exception(Format("%s: cannot inherit from %s: %s", File, Ancestors[0], E.Message()));
  }
  Root->SetTextFormat(!Args.Has("--binary"));
  Root->MakeComponentLinkable(Ancestor.GetRoot());
  Root->Save();
  Out.Say(Format("%s: %s inherits from %s (%s)", File, Name, Ancestor.GetRootName(), Ancestors[0]),
          {{"file", File}, {"name", Name}, {"ancestor", Ancestor.GetRootName()}, {"unit", Unit}});
}

}  // namespace formwright::tool
