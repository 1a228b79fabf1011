#include "editors/PropertyEditorIndex.h"

#include <algorithm>

namespace formwright {

void TPropertyEditorIndex::Rebuild(const std::vector<TPropertyClassRec>& List) {
  FByType.clear();
  for (size_t I = 0; I < List.size(); ++I) {
    TBucket& B = FByType[List[I].PropertyType];
    if (List[I].ComponentClass)
      B.ByClass[List[I].ComponentClass].push_back(I);
    else
      B.AnyClass.push_back(I);
  }
  FValid = true;
}

const std::vector<size_t>& TPropertyEditorIndex::Candidates(const std::vector<TPropertyClassRec>& List,
                                                            PTypeInfo Type, TClass ObjClass) {
  if (!FValid) Rebuild(List);
  std::vector<size_t>& Result = FCandidates;
  Result.clear();
  int Lists = 0;
  auto Add = [&](const std::vector<size_t>& L) {
    if (L.empty()) return;
    Result.insert(Result.end(), L.begin(), L.end());
    ++Lists;
  };
  auto AddType = [&](PTypeInfo T) {
    auto It = FByType.find(T);
    if (It == FByType.end()) return;
    Add(It->second.AnyClass);
    if (It->second.ByClass.empty()) return;
    for (TClass C = ObjClass; C; C = C->ClassParent())
      if (auto Found = It->second.ByClass.find(C); Found != It->second.ByClass.end()) Add(Found->second);
  };
  if (Type && Type->Kind == tkClass && Type->Data.ClassType) {
    for (TClass C = Type->Data.ClassType; C; C = C->ClassParent()) AddType(C->ClassInfo());
  } else if (Type && Type->Kind == tkInterface) {
    for (PTypeInfo T = Type; T; T = T->Data.IntfParent) AddType(T);
  } else {
    AddType(Type);
  }
  if (Lists > 1)
    std::sort(Result.begin(), Result.end(), std::greater<size_t>());
  else
    std::reverse(Result.begin(), Result.end());
  return Result;
}

TPropertyEditorIndex* PropertyEditorIndex() {
  TDesignPackage* P = CurrentDesignPackage();
  if (!P) return nullptr;
  if (TPropertyEditorIndex* I = P->Find<TPropertyEditorIndex>()) return I;
  return &P->AddService(std::make_unique<TPropertyEditorIndex>());
}

void InvalidatePropertyEditorIndex() noexcept {
  if (TPropertyEditorIndex* I = CurrentPackageService<TPropertyEditorIndex>()) I->Invalidate();
}

}  // namespace formwright
