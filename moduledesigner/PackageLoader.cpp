#include "moduledesigner/PackageLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "contracts/PackageObjects.h"
#include "editors/DesignEditors.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/RootIntf.h"
#include "platform/runtime/ClassRegistry.h"

namespace formwright {

namespace {

constexpr const char* SCannotLoadPackage = "Cannot load design package %s: %s";
constexpr const char* SNotAPackageFile = "%s is not a design package: it exports no %s entry point";
constexpr const char* SWrongVersion =
    "Design package %s was built for package API version %d; this program loads version %d";
constexpr const char* SDuplicatePackage = "A design package named %s is loaded already, from %s";
constexpr const char* SRegisterFailed = "Design package %s failed to register: %s";
constexpr const char* SClassTaken = "the class name %s is taken already";
constexpr const char* SNoSuchPackage = "No design package %s is loaded";
constexpr const char* SInUse = "Design package %s is in use by %s: close those modules first";
constexpr const char* SNotCurrent = "Design packages load only into the current package object";

// An open library, closed when it goes unless released.
class TLibrary {
 public:
  explicit TLibrary(void* Handle) : FHandle(Handle) {}
  ~TLibrary() {
    if (FHandle) dlclose(FHandle);
  }
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;
  void* Get() const noexcept { return FHandle; }
  void* Release() noexcept { return std::exchange(FHandle, nullptr); }

 private:
  void* FHandle;
};

// The loader's last error, without the file name it starts with (the message names it).
String LastDlError(const String& FileName) {
  const char* E = dlerror();
  String Error = E ? String(E) : String("unknown error");
  if (Error.rfind(FileName + ": ", 0) == 0) Error.erase(0, FileName.size() + 2);
  return Error;
}

std::vector<TClass> AllClasses() {
  std::vector<TClass> Result;
  GetRegisteredClasses([&](TClass C) { Result.push_back(C); });
  return Result;
}

// The editor group that is current for a scope, and the previous one afterwards.
class TGroupScope {
 public:
  TGroupScope() : FPrevious(CurrentGroup()), FGroup(NewEditorGroup()) {}
  ~TGroupScope() { SetCurrentGroup(FPrevious); }
  TGroupScope(const TGroupScope&) = delete;
  TGroupScope& operator=(const TGroupScope&) = delete;
  int Group() const noexcept { return FGroup; }

 private:
  int FPrevious;
  int FGroup;
};

bool UsesAny(TComponent* C, const std::vector<TClass>& Classes) {
  for (TClass P : Classes)
    if (C->ClassType()->InheritsFrom(P)) return true;
  for (int I = 0; I < C->ComponentCount(); ++I)
    if (UsesAny(C->Components(I), Classes)) return true;
  return false;
}

// Runs the package's registration inside its own editor group; on failure takes back what it
// registered and raises. The message is taken before the exception goes: it may be of a class
// of the library, which must still be open while the exception is destroyed.
std::vector<TClass> RegisterInGroup(const TDesignPackageEntry& Entry, const String& FileName, int Group) {
  const std::vector<TClass> Before = AllClasses();
  const std::set<TClass> Known(Before.begin(), Before.end());
  String Failure;
  try {
    Entry.Register();
  } catch (const std::exception& E) {
    Failure = E.what();
  } catch (...) {
    Failure = "an exception of an unknown type";
  }
  std::vector<TClass> Added;
  for (TClass C : AllClasses())
    if (!Known.count(C)) Added.push_back(C);
  if (Failure.empty())
    for (TClass C : Added)
      if (std::any_of(Before.begin(), Before.end(),
                      [C](TClass B) { return B->ClassNameIs(C->ClassName()); })) {
        Failure = Format(SClassTaken, C->ClassName());
        break;
      }
  if (Failure.empty()) return Added;
  FreeEditorGroup(Group);
  for (TClass C : Added) UnRegisterClass(C);
  throw EPackageError(Format(SRegisterFailed, String(Entry.Name ? Entry.Name : FileName.c_str()), Failure));
}

}  // namespace

TPackageLoader::~TPackageLoader() {
  while (!FPackages.empty()) {
    TLoadedPackage& P = *FPackages.back();
    Release(P, !ModulesUsing(P).empty());
    FPackages.pop_back();
  }
}

void TPackageLoader::CheckCurrent() const {
  if (CurrentDesignPackage() != &FOwner) throw EInvalidOperation(SNotCurrent);
}

TLoadedPackage* TPackageLoader::Find(const String& NameOrFile) const {
  std::error_code Ec;
  const String Absolute = std::filesystem::absolute(NameOrFile.c_str(), Ec).lexically_normal().string();
  for (const auto& P : FPackages)
    if (SameText(P->Name, NameOrFile) || P->FileName == Absolute) return P.get();
  return nullptr;
}

const TLoadedPackage& TPackageLoader::Load(const String& FileName) {
  CheckCurrent();
  std::error_code Ec;
  const String Absolute = std::filesystem::absolute(FileName.c_str(), Ec).lexically_normal().string();
  for (const auto& P : FPackages)
    if (P->FileName == Absolute) return *P;
  TLibrary Library(dlopen(Absolute.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!Library.Get()) throw EPackageError(Format(SCannotLoadPackage, FileName, LastDlError(Absolute)));
  auto EntryFunc = reinterpret_cast<TDesignPackageEntryFunc>(dlsym(Library.Get(), DesignPackageEntryName));
  const TDesignPackageEntry* Entry = EntryFunc ? EntryFunc() : nullptr;
  if (!Entry || !Entry->Register || !Entry->Name)
    throw EPackageError(Format(SNotAPackageFile, FileName, String(DesignPackageEntryName)));
  if (Entry->APIVersion != DesignPackageAPIVersion)
    throw EPackageError(Format(SWrongVersion, FileName, Entry->APIVersion, DesignPackageAPIVersion));
  if (const TLoadedPackage* Same = Find(Entry->Name); Same && SameText(Same->Name, Entry->Name))
    throw EPackageError(Format(SDuplicatePackage, String(Entry->Name), Same->FileName));

  auto Package = std::make_unique<TLoadedPackage>();
  {
    TGroupScope Group;
    Package->Group = Group.Group();
    Package->Classes = RegisterInGroup(*Entry, FileName, Package->Group);
  }
  Package->Name = Entry->Name;
  Package->FileName = Absolute;
  Package->Handle = Library.Release();
  // Editors made from its classes keep its code loaded while they live (they may outlive it).
  TPackageObjects* Objects = FOwner.Find<TPackageObjects>();
  if (!Objects) Objects = &FOwner.AddService(std::make_unique<TPackageObjects>());
  Objects->AddLibrary(reinterpret_cast<const void*>(EntryFunc));
  FPackages.push_back(std::move(Package));
  return *FPackages.back();
}

void TPackageLoader::Unload(const String& NameOrFile) {
  CheckCurrent();
  // Libraries of packages unloaded earlier go once their last objects went.
  if (TPackageObjects* Objects = FOwner.Find<TPackageObjects>()) Objects->Prune();
  TLoadedPackage* P = Find(NameOrFile);
  if (!P) throw EPackageError(Format(SNoSuchPackage, NameOrFile));
  std::vector<String> Users = ModulesUsing(*P);
  if (!Users.empty() && OnInUse && OnInUse(*P, Users)) Users = ModulesUsing(*P);
  if (!Users.empty()) {
    String List;
    for (const String& U : Users) List += (List.empty() ? "" : ", ") + U;
    throw EPackageError(Format(SInUse, P->Name, List));
  }
  Release(*P, false);
  FPackages.erase(
      std::find_if(FPackages.begin(), FPackages.end(), [P](const auto& E) { return E.get() == P; }));
}

void TPackageLoader::Release(TLoadedPackage& Package, bool KeepLibrary) {
  FreeEditorGroup(Package.Group);
  for (auto It = Package.Classes.rbegin(); It != Package.Classes.rend(); ++It) UnRegisterClass(*It);
  Package.Classes.clear();
  if (TPackageObjects* Objects = FOwner.Find<TPackageObjects>(); Objects && Package.Handle)
    Objects->LibraryClosing(dlsym(Package.Handle, DesignPackageEntryName));
  if (!KeepLibrary && Package.Handle) dlclose(Package.Handle);
  Package.Handle = nullptr;
}

std::vector<String> TPackageLoader::ModulesUsing(const TLoadedPackage& Package) const {
  std::vector<String> Result;
  const TDesignerSinks* Sinks = FOwner.Find<TDesignerSinks>();
  if (!Sinks || !Sinks->Designers || Package.Classes.empty()) return Result;
  Sinks->Designers->ForEachDesigner([&](const IPtr<IComponentDesigner>& D) {
    for (int I = 0; I < D->GetRootsCount(); ++I) {
      IPtr<IRoot> R = D->GetRoots(I);
      if (TComponent* C = R ? R->GetRoot() : nullptr; C && UsesAny(C, Package.Classes))
        Result.push_back(R->GetFileName());
    }
    return true;
  });
  return Result;
}

TPackageLoader& PackageLoader() {
  TDesignPackage* P = CurrentDesignPackage();
  if (!P) throw EInvalidOperation(SNotCurrent);
  if (TPackageLoader* L = P->Find<TPackageLoader>()) return *L;
  return P->AddService(std::make_unique<TPackageLoader>(*P));
}

void LoadDesignPackages(const String& List) {
  size_t Start = 0;
  while (Start <= List.size()) {
    size_t End = List.find(':', Start);
    if (End == String::npos) End = List.size();
    if (End > Start) PackageLoader().Load(List.substr(Start, End - Start));
    Start = End + 1;
  }
}

}  // namespace formwright
