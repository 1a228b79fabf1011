#include "inheritance/UpdateManager.h"

#include <algorithm>
#include <exception>

#include "inheritance/Pairings.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TUpdateManager, "UpdateManager")

namespace {

bool IsDestroying(const TComponent* C) noexcept { return C && C->ComponentState().Contains(csDestroying); }

}  // namespace

TUpdateManager::TUpdateManager(TComponent* Component, TComponent* Ancestor,
                               const IPtr<IUpdateManager>& AncestorManager, IUpdateManagerCallback* Callback)
    : FComponent(Component), FAncestor(Ancestor), FCallback(Callback) {
  if (auto Impl = Supports<IImplementation>(AncestorManager))
    if (auto* Parent = dynamic_cast<TUpdateManager*>(Impl->GetInstance())) {
      FParent = Parent;
      Parent->FChildren.push_back(this);
    }
  if (FAncestor) FUpdateObject = TUpdateObject::CreateRoot(FComponent, FAncestor);
}

TUpdateManager::~TUpdateManager() {
  // This module's root component goes with its manager: a descendant keeps working without its
  // ancestor (nothing it holds may point into the freed module any more).
  for (TUpdateManager* Child : FChildren) {
    Child->FParent = nullptr;
    Child->FAncestor = nullptr;
    Child->FUpdateObject.reset();
  }
  if (FParent) std::erase(FParent->FChildren, this);
}

// ----- Following the ancestor -----------------------------------------------------------------

void TUpdateManager::Modified() {
  Filter();
  UpdateChildren();
}

void TUpdateManager::Filter() {
  if (FState != TState::Idle || !FUpdateObject || IsDestroying(FComponent) || IsDestroying(FAncestor)) return;
  TValueScope Busy(FState, TState::Filtering);
  FUpdateObject->Filter();
}

void TUpdateManager::UpdateChildren() {
  // A copy: a descendant closed by its own update leaves the list.
  const std::vector<TUpdateManager*> Children = FChildren;
  for (TUpdateManager* Child : Children)
    if (std::find(FChildren.begin(), FChildren.end(), Child) != FChildren.end()) Child->Update();
}

void TUpdateManager::Update() {
  if (FState != TState::Idle || IsDestroying(FComponent) || IsDestroying(FAncestor)) return;
  TValueScope Busy(FState, TState::Updating);
  FUpdatingList.clear();
  std::exception_ptr Failure;
  BeginUpdate();
  try {
    if (FUpdateObject) {
      TPairingHooks Hooks;
      Hooks.Deleting = [this](TComponent* Component) {
        if (FCallback) FCallback->Deleting(IPtr<IUpdateManager>(this), Component);
        FUpdateObject->ComponentDelete(Component);
      };
      if (FCallback) {
        Hooks.CreateComponent = [this](TClass Class, TComponent* Owner) {
          return FCallback->CreateComponent(Class, Owner);
        };
        Hooks.WriteComponent = [this](TWriter* Writer, TComponent* Component) {
          FCallback->WriteComponent(Writer, Component);
        };
      }
      SyncComponents(FComponent, FAncestor, *FUpdateObject, Hooks);
      FUpdateObject->Update(*this);
    }
    UpdateChildren();
  } catch (...) {
    Failure = std::current_exception();
  }
  // The bracket closes and every announced component is finished, whatever happened.
  try {
    EndUpdate();
  } catch (...) {
    if (!Failure) Failure = std::current_exception();
  }
  String Error = FinishUpdating();
  if (Failure) std::rethrow_exception(Failure);
  if (!Error.empty()) throw Exception(Error);
}

String TUpdateManager::FinishUpdating() {
  std::vector<TComponent*> List;
  List.swap(FUpdatingList);
  String Error;
  for (auto It = List.rbegin(); It != List.rend(); ++It) {
    try {
      (*It)->Updated();
    } catch (Exception& E) {
      if (Error.empty()) Error = E.Message();
    }
  }
  return Error;
}

void TUpdateManager::Updating(TComponent* Component) {
  if (Component->ComponentState().Contains(csUpdating)) return;
  FUpdatingList.push_back(Component);
  Component->Updating();
}

void TUpdateManager::BeginUpdate() {
  if (OnBeginUpdate) OnBeginUpdate();
  if (FCallback) FCallback->Updating(IPtr<IUpdateManager>(this));
}

void TUpdateManager::EndUpdate() {
  if (OnEndUpdate) OnEndUpdate();
  if (FCallback) FCallback->Updated(IPtr<IUpdateManager>(this));
}

// ----- Names ----------------------------------------------------------------------------------

bool TUpdateManager::NameExists(const String& Name) {
  if (FComponent && FComponent->FindComponent(Name)) return true;
  return std::any_of(FChildren.begin(), FChildren.end(),
                     [&](TUpdateManager* Child) { return Child->NameExists(Name); });
}

void TUpdateManager::RenameComponent(const String& CurName, const String& NewName) {
  TComponent* C = FComponent ? FComponent->FindComponent(CurName) : nullptr;
  if (C && C->ComponentState().Contains(csAncestor)) {
    BeginUpdate();
    TScopeExit End([this] { EndUpdate(); });
    C->SetName(NewName);
  }
  RenameDescendents(CurName, NewName);
}

void TUpdateManager::RenameDescendents(const String& CurName, const String& NewName) {
  const std::vector<TUpdateManager*> Children = FChildren;
  for (TUpdateManager* Child : Children) Child->RenameComponent(CurName, NewName);
}

// ----- Deletions and reverts ------------------------------------------------------------------

void TUpdateManager::Notification(TPersistent* Instance, TOperation Operation) {
  auto* C = dynamic_cast<TComponent*>(Instance);
  if (Operation != opRemove || !C) return;
  if (FUpdateObject) FUpdateObject->ComponentDelete(C);
  if (!FUpdatingList.empty()) std::erase(FUpdatingList, C);
}

bool TUpdateManager::CanRevert(TPersistent* Instance, PPropInfo PropInfo) {
  return FUpdateObject && FUpdateObject->CanRevert(Instance, PropInfo);
}

void TUpdateManager::Revert(TPersistent* Instance, PPropInfo PropInfo) {
  if (FUpdateObject && FUpdateObject->Revert(Instance, PropInfo)) Update();
}

}  // namespace formwright
