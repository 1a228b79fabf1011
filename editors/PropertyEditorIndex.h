// The property editor registrations by property type and component class, so that finding the
// editor of a property looks only at registrations that can apply to it, however many design
// packages registered editors for types and classes of their own.
#pragma once

#include <unordered_map>
#include <vector>

#include "editors/EditorRegistries.h"

namespace formwright {

// An index over a package's property editor registrations (a service of the package object,
// made by the first lookup). It is rebuilt on the first lookup after a registration was added
// or a group freed (Invalidate).
class TPropertyEditorIndex : public TPackageService {
 public:
  // The positions in `List` of every registration that may apply to a property of type `Type`
  // on an object of class `ObjClass` (null for none): those for `Type` or one of its ancestor
  // types (class and interface types), for no class or for `ObjClass` or one of its ancestors.
  // In descending order: the newest registration first, as the lookup weighs them. The list is
  // the index's own, valid until the next call: a lookup allocates nothing once it has grown.
  const std::vector<size_t>& Candidates(const std::vector<TPropertyClassRec>& List, PTypeInfo Type,
                                        TClass ObjClass);
  void Invalidate() noexcept { FValid = false; }

 private:
  struct TBucket {
    std::vector<size_t> AnyClass;
    std::unordered_map<TClass, std::vector<size_t>> ByClass;
  };
  void Rebuild(const std::vector<TPropertyClassRec>& List);

  std::unordered_map<PTypeInfo, TBucket> FByType;
  std::vector<size_t> FCandidates;
  bool FValid = false;
};

// The index of the current package, made on first use; null without a package.
TPropertyEditorIndex* PropertyEditorIndex();
// Marks the current package's index out of date (a registration was added or removed).
void InvalidatePropertyEditorIndex() noexcept;

}  // namespace formwright
