#include "contracts/PackageObjects.h"

#include <dlfcn.h>

#include <algorithm>
#include <utility>

namespace formwright {

struct TPackageObjects::TLibrary {
  const void* Base = nullptr;
  String File;
  std::vector<IPtr<TInterfacedObject>> Objects;
  // The count of kept objects at which they are looked at again.
  size_t PruneAt = 16;
  // A handle of our own that keeps the library loaded after its package was unloaded.
  void* Pin = nullptr;
  bool Closing = false;
};

namespace {

// Where the library (or program) holding Address is mapped; null when none holds it. Asked for
// every editor made while packages are loaded: the loader's object lookup answers without
// searching the library's symbols, as dladdr does.
const void* BaseOf(const void* Address) {
  dl_find_object Found{};
  if (!Address || _dl_find_object(const_cast<void*>(Address), &Found) != 0) return nullptr;
  return Found.dlfo_map_start;
}

// The file of the library holding Address; empty when none holds it.
String FileOf(const void* Address) {
  Dl_info Info{};
  return Address && dladdr(Address, &Info) && Info.dli_fname ? String(Info.dli_fname) : String();
}

}  // namespace

TPackageObjects::TPackageObjects() = default;

TPackageObjects::~TPackageObjects() {
  for (const auto& L : FLibraries) {
    Prune(*L);
    if (!L->Objects.empty() && !L->Pin) L->Pin = dlopen(L->File.c_str(), RTLD_NOW | RTLD_NOLOAD);
    // Objects still held elsewhere keep their library for good; a pin no object needs goes.
    if (L->Objects.empty() && L->Pin) dlclose(L->Pin);
    L->Objects.clear();
  }
}

TPackageObjects::TLibrary* TPackageObjects::Find(const void* Address) const {
  const void* Base = BaseOf(Address);
  for (const auto& L : FLibraries)
    if (L->Base == Base) return L.get();
  return nullptr;
}

void TPackageObjects::AddLibrary(const void* Address) {
  Prune();
  if (TLibrary* Known = Find(Address)) {
    // Loaded again while objects of its last loading were still held: tracked as before, and
    // the loader's own handle keeps it loaded now.
    Known->Closing = false;
    if (Known->Pin) dlclose(std::exchange(Known->Pin, nullptr));
    return;
  }
  auto L = std::make_unique<TLibrary>();
  L->Base = BaseOf(Address);
  L->File = FileOf(Address);
  if (L->Base) FLibraries.push_back(std::move(L));
  LibrariesChanged();
}

TPackageObjects::TLibrary* TPackageObjects::LibraryOfClass(const void* Class) {
  auto [It, Added] = FLibraryOfClass.try_emplace(Class, nullptr);
  if (Added) It->second = Find(Class);
  return It->second;
}

void TPackageObjects::Made(TInterfacedObject* Object) {
  if (FLibraries.empty() || !Object) return;
  TLibrary* L = LibraryOfClass(Object->ClassType());
  if (!L) return;
  // Looked at before Object joins: we are its only holder until the factory hands it out.
  if (L->Objects.size() >= L->PruneAt) Prune(*L);
  L->Objects.emplace_back(Object);
}

void TPackageObjects::Prune(TLibrary& L) {
  std::vector<IPtr<TInterfacedObject>> Held;
  Held.swap(L.Objects);
  std::vector<IPtr<TInterfacedObject>> Kept;
  for (auto& O : Held)
    if (O->RefCount() > 1) Kept.push_back(std::move(O));
  Held.clear();  // the others go now, while their code is loaded
  // Objects made while those went join the kept ones.
  for (auto& O : L.Objects) Kept.push_back(std::move(O));
  L.Objects = std::move(Kept);
  L.PruneAt = std::max<size_t>(16, 2 * L.Objects.size());
}

void TPackageObjects::Prune() {
  for (size_t I = 0; I < FLibraries.size();) {
    TLibrary& L = *FLibraries[I];
    Prune(L);
    if (L.Closing && L.Objects.empty()) {
      if (L.Pin) dlclose(L.Pin);
      FLibraries.erase(FLibraries.begin() + static_cast<std::ptrdiff_t>(I));
      LibrariesChanged();
    } else {
      ++I;
    }
  }
}

void TPackageObjects::LibraryClosing(const void* Address) {
  TLibrary* L = Find(Address);
  if (!L) return;
  Prune(*L);
  if (!L->Objects.empty()) {
    L->Closing = true;
    if (!L->Pin) L->Pin = dlopen(L->File.c_str(), RTLD_NOW | RTLD_NOLOAD);
    return;
  }
  std::erase_if(FLibraries, [L](const auto& E) { return E.get() == L; });
  LibrariesChanged();
}

size_t TPackageObjects::ObjectsOf(const void* Address) const {
  TLibrary* L = Find(Address);
  return L ? L->Objects.size() : 0;
}

void PackageObjectMade(TInterfacedObject* Object) {
  if (auto* Objects = CurrentPackageService<TPackageObjects>()) Objects->Made(Object);
}

}  // namespace formwright
