// Modules that inherit from or embed an edited module, found in the module's folder: an edit
// session opens them so that the edit reaches them through their update managers.
#include <algorithm>
#include <filesystem>

#include "tools/Session.h"

namespace formwright::tool {

namespace fs = std::filesystem;

const std::vector<TModuleLinks::TLinks>& TModuleLinks::In(const String& Folder) {
  auto It = FFolders.find(Folder);
  if (It != FFolders.end()) return It->second;
  std::vector<TLinks> Links;
  for (const String& F : ModuleFilesIn(Folder)) Links.push_back({F, ModuleFactsOf(F)});
  return FFolders.emplace(Folder, std::move(Links)).first->second;
}

std::vector<std::pair<String, String>> TModuleLinks::Dependents(const String& FileName) {
  const std::vector<TLinks>& Links = In(fs::path(FileName).parent_path().string());
  std::error_code Ec;
  // Each dependent found is itself a class others may depend on.
  std::vector<std::pair<String, String>> Found;
  std::vector<String> Classes{ModuleClassOf(FileName)};
  for (size_t Next = 0; Next < Classes.size(); ++Next) {
    const String Class = Classes[Next];
    if (Class.empty()) continue;
    for (const TLinks& L : Links) {
      const bool Inherits = SameText(L.Facts.Ancestor, Class);
      const bool Embeds = std::any_of(L.Facts.Frames.begin(), L.Facts.Frames.end(),
                                      [&](const String& C) { return SameText(C, Class); });
      if ((!Inherits && !Embeds) || fs::equivalent(L.File, FileName, Ec)) continue;
      if (std::any_of(Found.begin(), Found.end(), [&](const auto& D) { return D.first == L.File; })) continue;
      Found.emplace_back(L.File, Inherits ? "inherits from it" : "embeds it");
      Classes.push_back(L.Facts.Class);
    }
  }
  return Found;
}

}  // namespace formwright::tool
