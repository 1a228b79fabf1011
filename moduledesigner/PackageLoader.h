// Design packages loaded at run time: shared libraries whose entry point (contracts/
// PackageEntry.h) registers components and editors. Each package gets an editor group of its
// own; unloading frees that group in every registry, unregisters the package's classes and only
// then closes the library, so that the registries are as they were before it was loaded.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "contracts/Package.h"
#include "contracts/PackageEntry.h"

namespace formwright {

// A design package was refused: it could not be loaded, is not a package, was built for
// another version, its registration failed, or it cannot be unloaded while modules use it.
FW_EXCEPTION(EPackageError, Exception);

// One loaded design package.
struct TLoadedPackage {
  String Name;
  // The file as it was opened (absolute).
  String FileName;
  // The editor group its registrations are stamped with.
  int Group = -1;
  // The classes it registered with the class registry, in registration order.
  std::vector<TClass> Classes;
  void* Handle = nullptr;
};

// The design packages of one package object, loaded in order. A service of the package object
// (found with PackageLoader()); when the package object ends, the packages still loaded are
// unloaded, the newest first, without asking (the host closed its modules before).
class TPackageLoader : public TPackageService {
 public:
  // Asked before a package is unloaded while open modules use its classes, with the modules'
  // file names: answers true once it closed them (or switched them to other classes). Unset, or
  // answering false, refuses the unloading and leaves everything as it was.
  using TInUseQuery = std::function<bool(const TLoadedPackage& Package, const std::vector<String>& Modules)>;

  explicit TPackageLoader(TDesignPackage& Owner) : FOwner(Owner) {}
  ~TPackageLoader() override;

  // Loads the package in `FileName` into the owning package object, which must be the current
  // one; a file loaded already answers its package again. Raises EPackageError when the file
  // cannot be opened as a library, has no entry point, was built for another package API
  // version or another loaded package has its name, and when its registration raises or
  // registers a class whose name is taken: nothing it registered stays then, and the library
  // is closed again.
  const TLoadedPackage& Load(const String& FileName);
  // Unloads the package named `NameOrFile` (its name, or the file it was loaded from). Raises
  // EPackageError when no such package is loaded, and when modules use its classes and the
  // in-use query did not close them: nothing changes then.
  void Unload(const String& NameOrFile);
  // The loaded packages, oldest first.
  const std::vector<std::unique_ptr<TLoadedPackage>>& Packages() const noexcept { return FPackages; }
  // The file names of the open modules (of every designer of the owning package) that hold a
  // component, or have a root, of one of the package's classes or of a class derived from one.
  std::vector<String> ModulesUsing(const TLoadedPackage& Package) const;

  TInUseQuery OnInUse;

 private:
  TLoadedPackage* Find(const String& NameOrFile) const;
  void CheckCurrent() const;
  // Frees the package's group, unregisters its classes and closes its library (left open when
  // `KeepLibrary`: something may still run its code).
  void Release(TLoadedPackage& Package, bool KeepLibrary);

  TDesignPackage& FOwner;
  std::vector<std::unique_ptr<TLoadedPackage>> FPackages;
};

// The package loader of the current package object, made on first use. Raises
// EInvalidOperation when there is no current package.
TPackageLoader& PackageLoader();

// Loads every package named in `List`, a list of files separated by ':' (as the
// FORMWRIGHT_PACKAGES variable holds them; empty entries are skipped).
void LoadDesignPackages(const String& List);

}  // namespace formwright
