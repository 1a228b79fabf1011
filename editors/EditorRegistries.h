// The editor registries of a package: property editors, mappers, component editors, selection
// editors and component guidelines, each stamped with the editor group it was registered in,
// the group numbers in use, the group-change listeners and the default editors. One object of
// this class is a service of the package object (contracts/Package.h); the registration hooks
// and lookups of DesignEditors work on the current package's.
//
// The lists are kept in registration order; the lookups that want the newest first walk them
// from the end. The listing accessors are for tools and tests that show what is registered.
#pragma once

#include <array>
#include <memory>

#include "contracts/Package.h"
#include "platform/runtime/Lists.h"

namespace formwright {

// One property editor registration.
struct TPropertyClassRec {
  int Group = -1;                              // CurrentGroup() at registration
  PTypeInfo PropertyType = nullptr;            // type the editor is for
  String PropertyName;                         // empty for any name; kept only with a class
  TClass ComponentClass = nullptr;             // null for any class
  TPersistentClass ClassGroup = nullptr;       // null for any class group
  TPropertyEditorClass EditorClass = nullptr;  // null: the property is not listed
};

// One mapper registration.
struct TPropertyMapperRec {
  int Group = -1;
  TPropertyMapperFunc Mapper = nullptr;
};

// One component editor registration.
struct TComponentClassRec {
  int Group = -1;
  TComponentClass ComponentClass = nullptr;
  TComponentEditorClass EditorClass = nullptr;
};

// One selection editor registration.
struct TSelectionEditorDefinition {
  int FGroup = -1;
  TClass FClass = nullptr;
  TSelectionEditorClass FEditor = nullptr;
};

// One guidelines registration; a chain per component class, newest at the head.
struct TComponentGuidelineRec {
  std::unique_ptr<TComponentGuidelineRec> Next;
  TComponentClass ComponentClass = nullptr;
  TComponentGuidelinesClass ComponentGuidelinesClass = nullptr;
  int Group = -1;
};

// A hash map (256 buckets) from component class to its chain of guidelines registrations.
class TGuidelineMap {
 public:
  // The newest registration for exactly `AClass`; null when there is none.
  TComponentGuidelineRec* Find(TClass AClass) const noexcept;
  // Pushes a registration unless the chain's head already names the same guidelines class.
  void Register(TClass AClass, TComponentGuidelinesClass Guidelines, int Group);
  // Unlinks every registration of `Group`; a chain left empty leaves the map.
  void FreeGroup(int Group);
  // Every chain's head, by bucket (for listing).
  std::vector<const TComponentGuidelineRec*> Heads() const;

 private:
  struct TChain {
    TClass Key;
    std::unique_ptr<TComponentGuidelineRec> Head;
  };
  static size_t Hash(TClass AClass) noexcept { return (reinterpret_cast<uintptr_t>(AClass) >> 4) & 0xFF; }
  std::array<std::vector<TChain>, 256> FBuckets;
};

// The editor registries of one package, installed by InstallEditorRegistries (DesignEditors).
class TEditorRegistries : public TPackageService {
 public:
  std::vector<TPropertyClassRec> PropertyEditors;
  std::vector<TPropertyMapperRec> Mappers;
  std::vector<TComponentClassRec> ComponentEditors;
  std::vector<TSelectionEditorDefinition> SelectionEditors;
  TGuidelineMap Guidelines;
  TBits GroupBits;
  std::vector<TGroupChangeProc> GroupListeners;
  // The group of the package's own registrations.
  int PackageGroup = -1;
  // The editors used when no registration applies, set by the editors units at start-up.
  std::array<TPropertyEditorClass, tkProcedure + 1> DefaultPropertyEditors{};
  TComponentEditorClass DefaultComponentEditor = nullptr;
  TComponentGuidelinesClass DefaultGuidelines = nullptr;
};

}  // namespace formwright
