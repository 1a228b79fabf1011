#include "formdesigner/Proxies.h"

#include <algorithm>
#include <memory>

#include "platform/runtime/Lists.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

// One proxy class. The published method table is the class record's own method list, whose
// entries carry their handle as code; the record's parent is the ancestor class.
struct TProxyClass {
  TMetaClass Meta;
  TClass SavedClass = nullptr;  // the class the first instance had before the switch
  int RefCount = 1;
  TProxyClass(const String& Name, const String& UnitName, TClass Ancestor) : Meta(Name, UnitName, Ancestor) {}
};

// Process-wide state: the live proxy classes and the method handles in use.
struct TProxyRegistry {
  std::vector<std::unique_ptr<TProxyClass>> Classes;
  TBits UsedMethods;  // bit n set: handle n is in use; bit 0 is never handed out
  // No handle below this one is free: a module of thousands of handlers takes each in turn
  // without searching the bits of those taken before.
  int FirstOpen = 1;

  TProxyClass* Find(TClass C) const noexcept {
    for (const auto& P : Classes)
      if (&P->Meta == C) return P.get();
    return nullptr;
  }
  void* TakeMethodHandle() {
    UsedMethods.Set(0, true);
    int Index = FirstOpen;
    while (Index < UsedMethods.Size() && UsedMethods.Get(Index)) ++Index;
    UsedMethods.Set(Index, true);
    FirstOpen = Index + 1;
    return reinterpret_cast<void*>(static_cast<uintptr_t>(Index));
  }
  void FreeMethodHandle(const void* Handle) {
    const auto Index = static_cast<int>(reinterpret_cast<uintptr_t>(Handle));
    if (Index <= 0 || Index >= UsedMethods.Size()) return;
    UsedMethods.Set(Index, false);
    FirstOpen = std::min(FirstOpen, Index);
  }
};

TProxyRegistry& Registry() {
  static TProxyRegistry R;
  return R;
}

TProxyClass* ProxyOf(const TObject* Instance) noexcept { return Registry().Find(Instance->ClassType()); }

void Release(TProxyClass* P) {
  if (--P->RefCount >= 1) return;
  TProxyRegistry& R = Registry();
  for (const TMethodEntry& M : P->Meta.OwnMethods()) R.FreeMethodHandle(M.Code);
  TClass Parent = P->Meta.ClassParent();
  for (const auto& Other : R.Classes)
    if (Other->Meta.ClassParent() == &P->Meta) Other->Meta.SetParent(Parent);
  auto It = std::find_if(R.Classes.begin(), R.Classes.end(), [&](const auto& E) { return E.get() == P; });
  std::unique_ptr<TProxyClass> Owned = std::move(*It);
  R.Classes.erase(It);
  if (TProxyClass* ParentProxy = R.Find(Parent)) Release(ParentProxy);
}

void ProxyDestroy(TObject* Instance) { DestroySubClass(Instance); }

bool OwnedBy(const TComponent* C, const TComponent* Owner) noexcept {
  for (const TComponent* O = C ? C->Owner() : nullptr; O; O = O->Owner())
    if (O == Owner) return true;
  return false;
}

// A designed root hands notifications to its owner, except that an embedded frame instance
// keeps those about its own components; for the duration the instance has its saved class.
// A notification the owner itself is passing on to its components is never handed back: the
// owner would pass it on again, to this instance and every other embedded one, each of which
// would hand it back once more.
void ProxyNotification(TComponent* Instance, TComponent* AComponent, TOperation Operation, bool FromOwner) {
  TProxyClass* P = ProxyOf(Instance);
  TClass Proxy = Instance->ClassType();
  Instance->ChangeClass(P->SavedClass);
  TScopeExit Restore([Instance, Proxy] { Instance->ChangeClass(Proxy); });
  TComponent* Owner = Instance->Owner();
  if (Owner && !FromOwner &&
      (!Instance->ComponentState().Contains(csInline) || !OwnedBy(AComponent, Instance)))
    TComponent::Notify(Owner, AComponent, Operation);
  else
    TComponent::Notify(Instance, AComponent, Operation);
}

}  // namespace

TClass CreateSubClass(TObject* Instance, const String& ClassName, const String& UnitName, TClass Ancestor) {
  if (!Ancestor || !Ancestor->InheritsFrom(Instance->DeclaredClass())) throw EInvalidCast(SInvalidCast);
  // Names are kept as short strings: at most 255 bytes.
  auto P = std::make_unique<TProxyClass>(ClassName.substr(0, 255), UnitName.substr(0, 255), Ancestor);
  TProxyRegistry& R = Registry();
  if (TProxyClass* AncestorProxy = R.Find(Ancestor)) ++AncestorProxy->RefCount;
  P->SavedClass = Instance->ClassType();
  P->Meta.DestroyHook = &ProxyDestroy;
  P->Meta.NotificationHook = &ProxyNotification;
  R.Classes.push_back(std::move(P));
  TClass Result = &R.Classes.back()->Meta;
  Instance->ChangeClass(Result);
  return Result;
}

TClass CreateSubClass(TObject* Instance, const String& ClassName, TClass Ancestor) {
  return CreateSubClass(Instance, ClassName, String(), Ancestor);
}

bool ChangeToProxyClass(TObject* Instance, TClass ProxyClass) {
  TProxyClass* P = Registry().Find(ProxyClass);
  if (!P || !ProxyClass->InheritsFrom(Instance->ClassType())) return false;
  Instance->ChangeClass(ProxyClass);
  ++P->RefCount;
  return true;
}

void DestroySubClass(TObject* Instance) {
  TProxyClass* P = ProxyOf(Instance);
  if (!P) return;
  TClass Saved = P->SavedClass;
  // An instance switched by ChangeToProxyClass may come from another compiled class.
  if (Saved && Saved->InheritsFrom(Instance->DeclaredClass()))
    Instance->ChangeClass(Saved);
  else
    Instance->ChangeClass(nullptr);
  Release(P);
}

void RenameSubClass(TObject* Instance, const String& ClassName, const String& UnitName) {
  if (TProxyClass* P = ProxyOf(Instance)) P->Meta.Rename(ClassName.substr(0, 255), UnitName.substr(0, 255));
}

void* CreateSubClassMethod(TObject* Instance, const String& MethodName) {
  if (void* Existing = Instance->MethodAddress(MethodName)) return Existing;
  TProxyClass* P = ProxyOf(Instance);
  if (!P)
    throw EInvalidOperation(Format("Cannot add method %s to %s: it is not a design-time class", MethodName,
                                   Instance->ClassName()));
  void* Handle = Registry().TakeMethodHandle();
  P->Meta.AddMethod(MethodName.substr(0, 255), Handle);
  return Handle;
}

void RenameSubClassMethod(TObject* Instance, void* Method, const String& NewName) {
  TProxyClass* P = ProxyOf(Instance);
  if (!P || !P->Meta.RemoveMethod(Method)) return;
  P->Meta.AddMethod(NewName.substr(0, 255), Method);
}

void DestroySubClassMethod(TObject* Instance, void* Method) {
  TProxyClass* P = ProxyOf(Instance);
  if (P && P->Meta.RemoveMethod(Method)) Registry().FreeMethodHandle(Method);
}

bool IsProxyClass(TClass AClass) noexcept {
  const TProxyClass* P = Registry().Find(AClass);
  return P && P->Meta.ClassInfo()->Data.ClassType == &P->Meta;
}

int ProxyClassCount() noexcept { return static_cast<int>(Registry().Classes.size()); }

}  // namespace formwright
