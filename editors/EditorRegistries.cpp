#include "editors/EditorRegistries.h"

#include <algorithm>

namespace formwright {

TComponentGuidelineRec* TGuidelineMap::Find(TClass AClass) const noexcept {
  for (const TChain& C : FBuckets[Hash(AClass)])
    if (C.Key == AClass) return C.Head.get();
  return nullptr;
}

void TGuidelineMap::Register(TClass AClass, TComponentGuidelinesClass Guidelines, int Group) {
  auto& B = FBuckets[Hash(AClass)];
  auto It = std::find_if(B.begin(), B.end(), [&](const TChain& C) { return C.Key == AClass; });
  if (It == B.end()) It = B.insert(B.end(), TChain{AClass, nullptr});
  if (It->Head && It->Head->ComponentGuidelinesClass == Guidelines) return;
  It->Head.reset(new TComponentGuidelineRec{std::move(It->Head), AClass, Guidelines, Group});
}

void TGuidelineMap::FreeGroup(int Group) {
  for (auto& B : FBuckets) {
    for (size_t I = B.size(); I-- > 0;) {
      std::unique_ptr<TComponentGuidelineRec>* Link = &B[I].Head;
      while (*Link) {
        if ((*Link)->Group == Group)
          *Link = std::move((*Link)->Next);
        else
          Link = &(*Link)->Next;
      }
      if (!B[I].Head) B.erase(B.begin() + static_cast<ptrdiff_t>(I));
    }
  }
}

std::vector<const TComponentGuidelineRec*> TGuidelineMap::Heads() const {
  std::vector<const TComponentGuidelineRec*> Result;
  for (const auto& B : FBuckets)
    for (const TChain& C : B) Result.push_back(C.Head.get());
  return Result;
}

}  // namespace formwright
