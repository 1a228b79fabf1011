// Modules that inherit from or embed an edited module: found in the module's folder, and the
// edits that would leave them unable to open refused.
#include <algorithm>
#include <filesystem>
#include <map>

#include "tools/ModuleHeaders.h"
#include "tools/Session.h"

namespace formwright::tool {

namespace fs = std::filesystem;

std::map<String, String> TSession::NamesOf(TReferenceRoot& Root) {
  std::map<String, String> Names;
  TComponent* R = Root.GetRoot();
  if (!R) return Names;
  Names.emplace(LowerCase(R->Name()), R->Name());
  for (int I = 0; I < R->ComponentCount(); ++I)
    Names.emplace(LowerCase(R->Components(I)->Name()), R->Components(I)->Name());
  return Names;
}

std::vector<std::pair<String, String>> TSession::Dependents(const String& FileName) {
  struct TInfo {
    String File, Ancestor;
    std::vector<String> Frames;
  };
  std::vector<TInfo> Infos;
  std::error_code Ec;
  for (const String& F : ModuleFilesIn(fs::path(FileName).parent_path().string()))
    if (!fs::equivalent(F, FileName, Ec)) Infos.push_back({F, AncestorClassOf(F), EmbeddedFrameClasses(F)});
  // Each dependent found is itself a class others may depend on.
  std::vector<std::pair<String, String>> Found;
  std::vector<String> Classes{ModuleClassOf(FileName)};
  for (size_t Next = 0; Next < Classes.size(); ++Next) {
    const String Class = Classes[Next];
    if (Class.empty()) continue;
    for (const TInfo& I : Infos) {
      const bool Inherits = SameText(I.Ancestor, Class);
      const bool Embeds =
          std::any_of(I.Frames.begin(), I.Frames.end(), [&](const String& C) { return SameText(C, Class); });
      if (!Inherits && !Embeds) continue;
      if (std::any_of(Found.begin(), Found.end(), [&](const auto& D) { return D.first == I.File; })) continue;
      Found.emplace_back(I.File, Inherits ? "inherits from it" : "embeds it");
      Classes.push_back(ModuleClassOf(I.File));
    }
  }
  return Found;
}

namespace {
String Joined(const std::vector<String>& List) {
  String R;
  for (const String& S : List) R += (R.empty() ? "" : ", ") + S;
  return R;
}
}  // namespace

void TSession::CheckDependents() {
  for (const auto& [File, R] : FModules) {
    if (!R->IsModified()) continue;
    // Names gone (renamed or deleted) and names new (renamed or added), as written.
    const std::map<String, String>& Before = FNamesAtOpen[R.Get()];
    const std::map<String, String> Now = NamesOf(*R);
    std::vector<std::pair<String, String>> Changed;
    for (const auto& B : Before)
      if (!Now.count(B.first)) Changed.push_back(B);
    for (const auto& N : Now)
      if (!Before.count(N.first)) Changed.push_back(N);
    if (Changed.empty()) continue;
    // The class a dependent names is the one on disk; renaming the root renames the class.
    const String Class = ModuleClassOf(File);
    std::vector<String> Users, Used;
    for (const auto& [Dependent, How] : Dependents(File)) {
      String Text;
      try {
        Text = ModuleText(Dependent);
      } catch (const std::exception&) {
        continue;  // a module that does not open now has nothing to lose
      }
      const std::set<String> Names = UsedNames(Text, How == "embeds it" ? Class : String());
      bool Uses = false;
      for (const auto& [Lower, Name] : Changed)
        if (Names.count(Lower) || SameText("T" + Name, Class)) {
          Uses = true;
          if (std::find(Used.begin(), Used.end(), Name) == Used.end()) Used.push_back(Name);
        }
      if (Uses) Users.push_back(Format("%s (%s)", Dependent, How));
    }
    if (Users.empty()) continue;
    throw Exception(
        Format("%s: cannot change %s: %s use%s %s, and edits do not reach modules that inherit from "
               "or embed this one yet (they would no longer open)",
               File, Joined(Used), Joined(Users), String(Users.size() == 1 ? "s" : ""),
               String(Used.size() == 1 ? "that name" : "those names")));
  }
}

}  // namespace formwright::tool
