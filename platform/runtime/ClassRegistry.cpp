#include <algorithm>
#include <memory>

#include "platform/runtime/ClassRegistry.h"

namespace formwright {

namespace {

struct TRegGroup {
  std::vector<TClass> GroupClasses;  // the first is the group's root class
  std::vector<TClass> Classes;
};

int Depth(TClass C) noexcept {
  int D = 0;
  for (; C; C = C->ClassParent()) ++D;
  return D;
}

// The process-wide class registry: the default group first, then one group per framework.
class TRegGroups {
 public:
  TRegGroups() {
    auto G = std::make_unique<TRegGroup>();
    G->GroupClasses.push_back(TPersistent::StaticClass());
    FActive = G.get();
    FGroups.push_back(std::move(G));
  }

  TRegGroup* Default() const noexcept { return FGroups.front().get(); }
  TRegGroup* Active() const noexcept { return FActive; }
  void SetActive(TRegGroup* G) noexcept { FActive = G; }

  // The group whose group classes hold the nearest ancestor of `C`.
  TRegGroup* GroupOf(TClass C) const noexcept {
    TRegGroup* Best = Default();
    int BestDepth = -1;
    for (const auto& G : FGroups)
      for (TClass GC : G->GroupClasses)
        if (C && C->InheritsFrom(GC)) {
          const int D = Depth(GC);
          if (D > BestDepth) {
            BestDepth = D;
            Best = G.get();
          }
        }
    return Best;
  }

  TRegGroup* Owning(TClass GroupClass) const noexcept {
    for (const auto& G : FGroups)
      if (std::find(G->GroupClasses.begin(), G->GroupClasses.end(), GroupClass) != G->GroupClasses.end())
        return G.get();
    return nullptr;
  }

  TRegGroup* AddGroup(TClass Root) {
    auto G = std::make_unique<TRegGroup>();
    G->GroupClasses.push_back(Root);
    FGroups.push_back(std::move(G));
    return FGroups.back().get();
  }

  // Moves every registered class into the group it belongs to now.
  void Regroup() {
    std::vector<TClass> All;
    for (const auto& G : FGroups) {
      All.insert(All.end(), G->Classes.begin(), G->Classes.end());
      G->Classes.clear();
    }
    for (TClass C : All) GroupOf(C)->Classes.push_back(C);
  }

  void ForEachClass(const std::function<void(TClass)>& Proc) const {
    for (const auto& G : FGroups)
      for (TClass C : G->Classes) Proc(C);
  }

  static TClass Find(const TRegGroup* G, std::string_view Name) noexcept {
    for (TClass C : G->Classes)
      if (C->ClassNameIs(Name)) return C;
    return nullptr;
  }

 private:
  std::vector<std::unique_ptr<TRegGroup>> FGroups;
  TRegGroup* FActive;
};

TRegGroups& Registry() {
  static TRegGroups R;
  return R;
}

}  // namespace

void RegisterClass(TClass AClass) {
  TRegGroup* G = Registry().GroupOf(AClass);
  if (TClass Existing = TRegGroups::Find(G, AClass->ClassName())) {
    if (Existing == AClass) return;
    throw EFilerError(Format(SDuplicateClass, AClass->ClassName()));
  }
  G->Classes.push_back(AClass);
}

void RegisterClasses(std::initializer_list<TClass> Classes) {
  for (TClass C : Classes) RegisterClass(C);
}

void UnRegisterClass(TClass AClass) {
  TRegGroup* G = Registry().GroupOf(AClass);
  auto It = std::find(G->Classes.begin(), G->Classes.end(), AClass);
  if (It != G->Classes.end()) G->Classes.erase(It);
}

TClass GetClass(std::string_view ClassName) {
  TRegGroups& R = Registry();
  if (TClass C = TRegGroups::Find(R.Active(), ClassName)) return C;
  if (R.Active() != R.Default()) return TRegGroups::Find(R.Default(), ClassName);
  return nullptr;
}

TClass FindClass(std::string_view ClassName) {
  TClass C = GetClass(ClassName);
  if (!C) throw EClassNotFound(Format(SClassNotFound, String(ClassName)));
  return C;
}

void StartClassGroup(TClass AClass) {
  TRegGroups& R = Registry();
  if (R.Owning(AClass)) return;
  R.AddGroup(AClass);
  R.Regroup();
}

void GroupDescendentsWith(TClass AClass, TClass AClassGroup) {
  TRegGroups& R = Registry();
  TRegGroup* G = R.GroupOf(AClassGroup);
  if (std::find(G->GroupClasses.begin(), G->GroupClasses.end(), AClass) != G->GroupClasses.end()) return;
  G->GroupClasses.push_back(AClass);
  R.Regroup();
}

TClass ClassGroupOf(TClass AClass) { return Registry().GroupOf(AClass)->GroupClasses.front(); }

TClass ClassGroupOf(const TObject* Instance) {
  return ClassGroupOf(Instance ? Instance->ClassType() : nullptr);
}

TClass ActivateClassGroup(TClass AClass) {
  TRegGroups& R = Registry();
  TClass Previous = R.Active()->GroupClasses.front();
  if (AClass) R.SetActive(R.GroupOf(AClass));
  return Previous;
}

TClass ActiveClassGroup() { return Registry().Active()->GroupClasses.front(); }

TClassFinder::TClassFinder(TClass AClass, bool AIncludeActiveGroups) {
  TRegGroups& R = Registry();
  FGroups.push_back(AClass ? R.GroupOf(AClass) : R.Active());
  if (AIncludeActiveGroups && R.Active() != FGroups.front()) FGroups.push_back(R.Active());
  if (std::find(FGroups.begin(), FGroups.end(), R.Default()) == FGroups.end()) FGroups.push_back(R.Default());
}

TClass TClassFinder::GetClass(std::string_view ClassName) const {
  for (const void* G : FGroups)
    if (TClass C = TRegGroups::Find(static_cast<const TRegGroup*>(G), ClassName)) return C;
  return nullptr;
}

void GetRegisteredClasses(const std::function<void(TClass)>& Proc) { Registry().ForEachClass(Proc); }

void TClassFinder::GetClasses(const std::function<void(TClass)>& Proc) const {
  for (const void* G : FGroups)
    for (TClass C : static_cast<const TRegGroup*>(G)->Classes) Proc(C);
}

}  // namespace formwright
