#include "moduledesigner/RootLinks.h"

#include <algorithm>

#include "formdesigner/Proxies.h"
#include "platform/runtime/Filer.h"

namespace formwright {

namespace {
inline constexpr const char* SOneModuleMissing =
    "Module \"%s\" references another module and cannot be saved until %s is loaded";
inline constexpr const char* SModulesMissing =
    "Module \"%s\" references other modules and cannot be saved until the following modules are loaded: %s";
}  // namespace

// ----- Embedded frames ------------------------------------------------------------------------

bool TRootLinks::ModifiableFrame(TComponent* Component) const {
  return std::find(FModifiableFrames.begin(), FModifiableFrames.end(), Component) != FModifiableFrames.end();
}

void TRootLinks::UnlistFrames(TComponent* Component) {
  // Frames owned by a leaving one go with it, while they can still be asked for their owner.
  auto Within = [Component](TComponent* Frame) {
    for (TComponent* C = Frame; C; C = C->Owner())
      if (C == Component) return true;
    return false;
  };
  std::erase_if(FModifiableFrames, Within);
  std::erase_if(FFrameUpdateManagers, [&](const auto& Entry) { return Within(Entry.first); });
}

void TRootLinks::FramesModified() {
  // A copy: an update may delete an instance, and its manager with it.
  const auto Managers = FFrameUpdateManagers;
  for (const auto& Entry : Managers) Entry.second->Modified();
}

void TRootLinks::FramesNotification(TPersistent* Instance, TOperation Operation) {
  // An instance that leaves takes its manager with it (UnlistFrames): only what is inside
  // instances is told.
  for (const auto& Entry : FFrameUpdateManagers)
    if (Entry.first != Instance) Entry.second->Notification(Instance, Operation);
}

bool TRootLinks::FramesCanRevert(TPersistent* Instance, PPropInfo PropInfo) {
  return std::any_of(FFrameUpdateManagers.begin(), FFrameUpdateManagers.end(),
                     [&](const auto& Entry) { return Entry.second->CanRevert(Instance, PropInfo); });
}

bool TRootLinks::FramesRevert(TPersistent* Instance, PPropInfo PropInfo) {
  bool Reverted = false;
  const auto Managers = FFrameUpdateManagers;
  for (const auto& Entry : Managers)
    if (Entry.second->CanRevert(Instance, PropInfo)) {
      Entry.second->Revert(Instance, PropInfo);
      Reverted = true;
    }
  return Reverted;
}

// ----- Names across modules -------------------------------------------------------------------

String TRootLinks::GetComponentName(TComponent* Component) {
  if (!Component) return String();
  TComponent* Root = FState.Root;
  String Result = Component->Name();
  if (Component != Root && Component->Owner() != Root && Component->Owner()) {
    const String OwnerPath = Component->Owner()->GetNamePath();
    if (!OwnerPath.empty()) Result = OwnerPath + "." + Result;
  }
  return Result;
}

TComponent* TRootLinks::GetComponent(const String& Name) {
  TComponent* Root = FState.Root;
  const IPtr<IComponentDesigner>& Designer = FState.ComponentDesigner;
  if (!Root || Name.empty()) return nullptr;
  if (TComponent* C = FindNestedComponent(Root, Name)) return C;
  const size_t Dot = Name.find('.');
  TComponent* LookIn = Root;
  String Part = Name;
  if (Dot == String::npos) {
    if (TComponent* C = Root->FindComponent(Name)) return C;
  } else {
    IPtr<IRoot> Other = Designer ? Designer->FindRoot(Name.substr(0, Dot)) : nullptr;
    LookIn = Other ? Other->GetRoot() : nullptr;
    Part = Name.substr(Dot + 1);
    if (LookIn)
      if (TComponent* C = LookIn->FindComponent(Part)) return C;
  }
  if (Dot == String::npos && Designer)
    if (IPtr<IRoot> Other = Designer->FindRoot(Name); Other && Other->GetRoot()) return Other->GetRoot();
  if (LookIn && SameText(Part, LookIn->Name())) return LookIn;
  return nullptr;
}

String TRootLinks::GetObjectName(TPersistent* Instance) {
  if (!Instance) return String();
  const String Path = Instance->GetNamePath();
  const size_t Dot = Path.find('.');
  if (Dot != String::npos) {
    TComponent* C = GetComponent(Path.substr(0, Dot));
    return C ? GetComponentName(C) + Path.substr(Dot) : Path;
  }
  auto* C = dynamic_cast<TComponent*>(Instance);
  return C ? GetComponentName(C) : String();
}

void TRootLinks::GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) {
  TComponent* Root = FState.Root;
  if (!Root || !TypeData) return;
  TClass Wanted = TypeData->ClassType;
  auto Fits = [Wanted](TComponent* C) { return !C->Name().empty() && (!Wanted || C->InheritsFrom(Wanted)); };
  auto ListOwned = [&](TComponent* Owner, const String& Prefix) {
    for (int I = 0; I < Owner->ComponentCount(); ++I) {
      TComponent* C = Owner->Components(I);
      if (Fits(C)) Proc(Prefix + C->Name());
      if (IsProxyClass(C->ClassType()) && !C->Name().empty())
        for (int J = 0; J < C->ComponentCount(); ++J)
          if (Fits(C->Components(J))) Proc(Prefix + C->Name() + "." + C->Components(J)->Name());
    }
  };
  if (FHost.HostIncludeRoot() && Fits(Root)) Proc(Root->Name());
  ListOwned(Root, String());
  if (!FState.Module || !FState.ComponentDesigner) return;
  std::vector<String> Imported;
  FState.Module->GetImportedRoots([&](const String& N) { Imported.push_back(N); });
  for (const String& N : Imported) {
    IPtr<IRoot> Other = FState.ComponentDesigner->FindRoot(N);
    if (!Other || !Other->GetRoot()) continue;
    if (FState.AncestorRoot && Other.Identity() == FState.AncestorRoot.Identity()) continue;
    if (FHost.HostExcludeRoot(Other)) continue;
    TComponent* R = Other->GetRoot();
    if (R != Root && Fits(R)) Proc(R->Name());
    ListOwned(R, R->Name() + ".");
  }
}

// ----- Modules by class -----------------------------------------------------------------------

TComponent* FindDesignedRootOfClass(const IPtr<IComponentDesigner>& Designer, const String& ClassName) {
  if (!Designer) return nullptr;
  for (int I = 0; I < Designer->GetRootsCount(); ++I) {
    IPtr<IRoot> R = Designer->GetRoots(I);
    if (R->GetRoot() && SameText(R->GetRootClassName(), ClassName)) return R->GetRoot();
  }
  return nullptr;
}

void TRootLinks::ResolveMissingModules(bool& Redirected) {
  for (;;) {
    TStringList Missing;
    GetFixupReferenceNames(FState.Root, &Missing);
    if (Missing.Count() == 0) return;
    const String RootName = FState.Self->GetRootName();
    const int Answer = FHost.HostFixupQuestion(RootName, Missing[0]);
    if (Answer == 0) {
      FHost.HostRedirectLinks(Missing[0]);
      // A redirect that left the links where they were (cancelled) refuses the save, rather
      // than asking the same question for ever.
      TStringList Still;
      GetFixupReferenceNames(FState.Root, &Still);
      if (Still.IndexOf(Missing[0]) >= 0)
        throw EComponentDesignerException(Format(SOneModuleMissing, RootName, Missing[0]));
      Redirected = true;
    } else if (Answer == 1 || Answer == 2) {
      if (Missing.Count() == 1)
        throw EComponentDesignerException(Format(SOneModuleMissing, RootName, Missing.CommaText()));
      throw EComponentDesignerException(Format(SModulesMissing, RootName, Missing.CommaText()));
    }
  }
}

}  // namespace formwright
