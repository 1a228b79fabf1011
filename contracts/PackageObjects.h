// The editors, component editors, selection editors, guidelines and custom modules made from
// the classes of design packages loaded at run time, and the libraries that hold their code.
// An inspector or a menu may still hold such an object when its package is unloaded: releasing
// it later runs the library's code, so the library stays loaded until the last object goes.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "contracts/Package.h"

namespace formwright {

// A service of the package object, added by the package loader with the first library it
// loads. Our decision: an object carries no note of its library, so the service keeps a
// reference to each object made from a library's class and lets one go once it is the only
// holder left. Such an object is therefore freed at the next look after its last outside
// reference goes (the next object made from its library, an unloading, the end of the
// package) rather than at once: component writers must not rely on when their editors'
// destructors run.
class TPackageObjects : public TPackageService {
 public:
  TPackageObjects();
  // Lets go of every object; a library whose objects are still held elsewhere stays loaded for
  // the rest of the process.
  ~TPackageObjects() override;

  // From now on the objects made from the classes of the library holding Address (any address
  // inside it: its entry point) are kept track of.
  void AddLibrary(const void* Address);
  // Object was just made by one of the editor factories: kept when its class lives in a
  // library being tracked.
  void Made(TInterfacedObject* Object);
  // The library holding Address is about to be closed by its loader: its objects held nowhere
  // else are freed now; while others are still held, the library is kept loaded (the loader's
  // close then leaves it in memory) until they go.
  void LibraryClosing(const void* Address);
  // Frees the objects held nowhere else and lets libraries whose package was unloaded go once
  // none of their objects is left.
  void Prune();

  // Objects made from the library holding Address that are still held (for tests).
  size_t ObjectsOf(const void* Address) const;

 private:
  struct TLibrary;
  TLibrary* Find(const void* Address) const;
  // Find for a class, remembered: asking the system which library holds an address searches
  // every loaded library's symbols, and an inspector makes editors by the hundred.
  TLibrary* LibraryOfClass(const void* Class);
  void LibrariesChanged() noexcept { FLibraryOfClass.clear(); }
  // Frees the objects of L held nowhere else.
  static void Prune(TLibrary& L);

  std::vector<std::unique_ptr<TLibrary>> FLibraries;
  std::unordered_map<const void*, TLibrary*> FLibraryOfClass;
};

// Hands Object, just made by one of the editor factories, to the current package's
// TPackageObjects (nothing when there is none).
void PackageObjectMade(TInterfacedObject* Object);

}  // namespace formwright
