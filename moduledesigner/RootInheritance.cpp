#include "moduledesigner/RootInheritance.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "editors/DesignEditors.h"
#include "platform/runtime/Collections.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/Prefetch.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

namespace {

// The published class-typed properties of a class that can be read and may lead to a component,
// looked up once per class. Our decision: what a property can lead to is judged by the class it
// is declared with. A property declared with a class that is not a component, not a collection
// and has no class-typed property of its own (a font, margins, constraints) leads nowhere and
// is not read, so a module of many controls is walked without visiting each control's parts.
class TClassPropCache {
 public:
  const std::vector<PPropInfo>& Of(TClass AClass) {
    if (auto It = FProps.find(AClass); It != FProps.end()) return It->second;
    FPending.insert(AClass);
    std::vector<PPropInfo> Props;
    for (PPropInfo P : GetPropList(AClass, TTypeKinds{tkClass}))
      if (P->CanRead() && MayLead(P->PropType->Data.ClassType)) Props.push_back(P);
    FPending.erase(AClass);
    // Node-based: references handed out earlier stay valid while classes are added.
    return FProps.insert_or_assign(AClass, std::move(Props)).first->second;
  }

 private:
  bool MayLead(TClass Declared) {
    const TClass Component = TComponent::StaticClass();
    if (!Declared || Declared == TPersistent::StaticClass() || Declared == TObject::StaticClass() ||
        Declared->InheritsFrom(Component) || Component->InheritsFrom(Declared) ||
        Declared->InheritsFrom(TCollection::StaticClass()))
      return true;
    // A class being looked at holds itself somewhere below: counted as leading somewhere.
    if (FPending.contains(Declared)) return true;
    return !Of(Declared).empty();
  }

  std::unordered_map<TClass, std::vector<PPropInfo>> FProps;
  std::unordered_set<TClass> FPending;
};

// Every component Instance refers to through its published properties, including those of the
// objects it holds (a font, a collection's items); components are not entered.
template <class TVisit>
void ForEachReference(TObject* Instance, TClassPropCache& Props, const TVisit& Visit, int Depth = 0) {
  if (!Instance || Depth > 8) return;
  for (PPropInfo P : Props.Of(Instance->ClassType())) {
    TObject* Value = GetObjectProp(Instance, P);
    if (!Value) continue;
    if (auto* C = dynamic_cast<TComponent*>(Value))
      Visit(C);
    else
      ForEachReference(Value, Props, Visit, Depth + 1);
  }
  if (auto* Collection = dynamic_cast<TCollection*>(Instance))
    for (int I = 0; I < Collection->Count(); ++I)
      ForEachReference(Collection->Items(I), Props, Visit, Depth + 1);
}

// Every component owned by Owner, at any depth, owners before what they own. A large module no
// longer sits in the cache: the component after next is fetched while one is visited.
template <class TVisit>
void ForEachOwned(TComponent* Owner, const TVisit& Visit) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    if (I + 2 < Owner->ComponentCount()) PrefetchObject(Owner->Components(I + 2));
    TComponent* C = Owner->Components(I);
    Visit(C);
    ForEachOwned(C, Visit);
  }
}

bool OwnedBy(TComponent* C, TComponent* Owner) {
  for (TComponent* O = C; O; O = O->Owner())
    if (O == Owner) return true;
  return false;
}

IRoot* AsRoot(TRootState& State) { return static_cast<IRoot*>(State.Self); }

}  // namespace

// ----- The ancestor notifier ------------------------------------------------------------------

TAncestorNotifier::TAncestorNotifier(TRootInheritance* Owner, const IPtr<IOTAModule>& Module)
    : FOwner(Owner), FModule(Module) {
  if (FModule) FIndex = FModule->AddNotifier(IPtr<IOTAModuleNotifier>(this));
}

void TAncestorNotifier::Detach() {
  IPtr<IOTAModuleNotifier> Keep(this);
  if (FModule && FIndex >= 0) FModule->RemoveNotifier(FIndex);
  FIndex = -1;
  FModule.Reset();
  FOwner = nullptr;
}

void TAncestorNotifier::Destroyed() {
  if (FIndex < 0) return;
  TRootInheritance* Owner = FOwner;
  Detach();
  if (Owner) Owner->AncestorDestroyed();
}

// ----- The ancestor ---------------------------------------------------------------------------

TRootInheritance::~TRootInheritance() {
  if (FAncestorNotifier) FAncestorNotifier->Detach();
  DropAll();
}

IPtr<IInternalRoot> TRootInheritance::FindAncestorRoot(const String& ClassName) {
  const IPtr<IComponentDesigner>& Designer = FState.ComponentDesigner;
  if (ClassName.empty() || !Designer || Designer->IsRootBaseClass(ClassName)) return nullptr;
  for (int I = 0; I < Designer->GetRootsCount(); ++I) {
    IPtr<IRoot> R = Designer->GetRoots(I);
    if (R.Identity() == static_cast<IInterface*>(AsRoot(FState))) continue;
    if (R->GetRoot() && SameText(R->GetRootClassName(), ClassName)) return Supports<IInternalRoot>(R);
  }
  throw EClassNotFound(Format(SAncestorNotFound, ClassName));
}

void TRootInheritance::ValidateInheritence(TComponent* Ancestor) {
  if (!Ancestor) return;
  TStringList Refused;
  for (int I = 0; I < Ancestor->ComponentCount(); ++I) {
    TComponent* C = Ancestor->Components(I);
    if (!C->ComponentStyle().Contains(csInheritable)) Refused.Add(C->Name());
  }
  if (Refused.Count() == 1)
    throw EComponentDesignerException(
        Format(SNotInheritableComponent, Ancestor->Name(), Refused.CommaText()));
  if (Refused.Count() > 1)
    throw EComponentDesignerException(
        Format(SNotInheritableComponents, Ancestor->Name(), Refused.CommaText()));
  const bool View = FState.AncestorRoot && FState.Module && FState.AncestorRoot->GetModule() == FState.Module;
  for (int I = 0; I < Ancestor->ComponentCount(); ++I) {
    TComponent* C = Ancestor->Components(I);
    if (!C->Name().empty() || FHost.HostAcceptsUnnamed(C)) continue;
    if (View) throw EComponentDesignerException(Format(SUnnamedInView, Ancestor->Name(), C->ClassName()));
    throw EComponentDesignerException(Format(SBlankNameInAncestor, Ancestor->Name()));
  }
}

void TRootInheritance::WatchAncestor() {
  if (FAncestorNotifier) FAncestorNotifier->Detach();
  FAncestorNotifier.Reset();
  if (!FState.AncestorRoot) return;
  IPtr<IOTAModule> Module = Supports<IOTAModule>(FState.AncestorRoot->GetModule());
  if (Module) FAncestorNotifier = MakeIntf<TAncestorNotifier>(this, Module);
}

void TRootInheritance::AncestorDestroyed() {
  FAncestorNotifier.Reset();
  FState.AncestorRoot.Reset();
  ClearDependencies();
  // Without an ancestor the module's components are its own: they can be renamed, moved and
  // deleted, and are saved as its own. What an embedded frame holds stays inherited from the
  // frame's module.
  if (TComponent* Root = FState.Root) {
    Root->ExcludeState(csAncestor);
    ForEachOwned(Root, [](TComponent* C) {
      if (!C->Owner()->ComponentState().Contains(csInline)) C->ExcludeState(csAncestor);
    });
  }
}

bool TRootInheritance::CanRevert() {
  if (FHost.HostIsReadOnly() || FSelection.IsRootSelected()) return false;
  for (int I = 0; I < FSelection.Count(); ++I) {
    auto* C = dynamic_cast<TComponent*>(FSelection.Persistents(I));
    if (C && C->ComponentState().Contains(csAncestor)) return true;
  }
  return false;
}

// ----- Links ----------------------------------------------------------------------------------

bool TRootInheritance::IsComponentLinkable(TComponent* Component) {
  TComponent* OwnerRoot = Component ? FHost.HostRootOf(Component) : nullptr;
  if (!OwnerRoot) return false;
  if (OwnerRoot == FState.Root) return true;
  if (!FState.Module || !FState.ComponentDesigner) return false;
  FImportedRoots.clear();
  FState.Module->GetImportedRoots([this](const String& Name) { AddImportedRoot(Name); });
  const std::vector<String> Names = std::exchange(FImportedRoots, {});
  for (const String& Name : Names)
    if (IPtr<IRoot> R = FState.ComponentDesigner->FindRoot(Name); R && R->GetRoot() == OwnerRoot) return true;
  return false;
}

void TRootInheritance::MakeComponentLinkable(TComponent* Component) {
  TComponent* OwnerRoot = Component ? FHost.HostRootOf(Component) : nullptr;
  if (OwnerRoot && FState.Module) FState.Module->AddImportedRoot(OwnerRoot->Name());
}

// ----- Dependencies ---------------------------------------------------------------------------

void TRootInheritance::UpdateDependencies() {
  if (FDependenciesValid) return;
  IRoot* Self = AsRoot(FState);
  std::vector<IRoot*> Found;
  auto Add = [&Found, Self](IRoot* R) {
    if (R && R != Self && std::find(Found.begin(), Found.end(), R) == Found.end()) Found.push_back(R);
  };
  if (FState.Root && FState.ComponentDesigner) {
    // The roots of other modules, looked up once per root component met.
    std::unordered_map<TComponent*, IRoot*> RootOf;
    std::unordered_set<TComponent*> Seen;
    TClassPropCache Props;
    auto Visit = [&](TComponent* Target) {
      if (!Seen.insert(Target).second) return;
      TComponent* Top = FHost.HostRootOf(Target);
      if (!Top || Top == FState.Root) return;
      auto [It, New] = RootOf.try_emplace(Top, nullptr);
      if (New) It->second = FState.ComponentDesigner->FindRootOf(Top).Get();
      Add(It->second);
    };
    ForEachReference(FState.Root, Props, Visit);
    ForEachOwned(FState.Root, [&](TComponent* C) { ForEachReference(C, Props, Visit); });
  }
  if (FState.AncestorRoot && FState.AncestorRoot->GetModule() != FState.Module)
    Add(static_cast<IRoot*>(FState.AncestorRoot.Get()));
  FDependencies = std::move(Found);
  for (IRoot* R : FDependencies)
    if (IPtr<IRootDependents> D = Supports<IRootDependents>(R)) D->AddDependentRoot(Self);
  FDependenciesValid = true;
}

void TRootInheritance::ClearDependencies() {
  FDependenciesValid = false;
  const std::vector<IRoot*> Old = std::exchange(FDependencies, {});
  for (IRoot* R : Old)
    if (IPtr<IRootDependents> D = Supports<IRootDependents>(R)) D->RemoveDependentRoot(AsRoot(FState));
}

void TRootInheritance::GetDependencies(const TGetRootProc& Proc) {
  UpdateDependencies();
  const std::vector<IRoot*> List = FDependencies;
  for (IRoot* R : List) Proc(IPtr<IRoot>(R));
}

void TRootInheritance::GetDependentRoots(const TGetRootProc& Proc) {
  if (FState.ComponentDesigner) FState.ComponentDesigner->UpdateRootDependents();
  ForEachDependentRoot(Proc);
}

void TRootInheritance::ForEachDependentRoot(const TGetRootProc& Proc) {
  const std::vector<IRoot*> List = FDependentRoots;
  for (IRoot* R : List) Proc(IPtr<IRoot>(R));
}

void TRootInheritance::AddDependentRoot(IRoot* Root) {
  if (std::find(FDependentRoots.begin(), FDependentRoots.end(), Root) == FDependentRoots.end())
    FDependentRoots.push_back(Root);
}

void TRootInheritance::RemoveDependentRoot(IRoot* Root) { std::erase(FDependentRoots, Root); }

void TRootInheritance::DropAll() {
  ClearDependencies();
  // A dependent keeps this root in its list: it forgets it (and recomputes when asked).
  while (!FDependentRoots.empty()) {
    IRoot* R = FDependentRoots.back();
    FDependentRoots.pop_back();
    R->ClearDependencies();
  }
}

void TRootInheritance::LoadDependentModules(TComponent* Root) {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  if (!Root || !Env) return;
  TStringList Names;
  GetFixupReferenceNames(Root, &Names);
  bool Opened = false;
  for (int I = 0; I < Names.Count(); ++I) {
    // A module that is open already is not asked for again: its links resolve below.
    const bool Open = FState.ComponentDesigner && FState.ComponentDesigner->FindRoot(Names[I]);
    Opened = (Open || Env->OpenRootModule(Names[I])) || Opened;
  }
  if (Opened) GlobalFixupReferences();
}

void TRootInheritance::ResurrectDependentModules(TComponent* Root) {
  if (!Root || !FState.ComponentDesigner) return;
  TStringList Names;
  GetFixupReferenceNames(Root, &Names);
  for (int I = 0; I < Names.Count(); ++I)
    if (IPtr<IRoot> R = FState.ComponentDesigner->FindRoot(Names[I])) R->Resurrect();
}

bool TRootInheritance::ClearDependenciesOn(TComponent* Component) {
  TComponent* Root = FState.Root;
  if (!Root || !Component || Root == Component) return false;
  ClearDependencies();
  std::vector<TComponent*> Instances;
  for (int I = 0; I < Root->ComponentCount(); ++I) {
    TComponent* C = Root->Components(I);
    if (C->ClassType() == Component->ClassType() || SameText(C->ClassName(), Component->ClassName()))
      Instances.push_back(C);
  }
  auto Doomed = [&](TComponent* Target) {
    if (OwnedBy(Target, Component)) return true;
    for (TComponent* I : Instances)
      if (OwnedBy(Target, I)) return true;
    return false;
  };
  bool Changed = !Instances.empty();
  TClassPropCache Props;
  auto ClearIn = [&](TComponent* C) {
    for (PPropInfo P : Props.Of(C->ClassType())) {
      if (!P->CanWrite()) continue;
      auto* Value = dynamic_cast<TComponent*>(GetObjectProp(C, P));
      if (Value && Doomed(Value)) {
        SetObjectProp(C, P, nullptr);
        Changed = true;
      }
    }
  };
  for (int I = Root->ComponentCount() - 1; I >= 0; --I) ClearIn(Root->Components(I));
  ClearIn(Root);
  for (auto It = Instances.rbegin(); It != Instances.rend(); ++It) {
    TComponent* Instance = *It;
    if (FSelection.FindSelection(Instance)) FSelection.ClearSelection();
    Instance->Free();
  }
  return Changed;
}

// ----- Units ----------------------------------------------------------------------------------

void TRootInheritance::GetUnits(const IPtr<IDesigner>& Designer, const TGetStrProc& Proc) {
  TComponent* Root = FState.Root;
  if (!Root) return;
  std::vector<TClass> Classes;
  std::unordered_set<TClass> Known;
  std::vector<TComponent*> Samples;  // one component of each class met, for its selection editors
  auto AddClass = [&](TClass C) {
    for (; C && C != TComponent::StaticClass() && C != TPersistent::StaticClass(); C = C->ClassParent()) {
      if (!Known.insert(C).second) return;
      Classes.push_back(C);
    }
  };
  // Per component class, its readable class-typed properties. Our decision: an object that is
  // not a component (a font, margins, a collection) is part of the component that holds it,
  // made by its class (a stream only reads into it): its class is entered for the first
  // component of a class that holds one, and not looked at again. A module of many components
  // would otherwise visit each of their parts. References to components are read for each
  // component; the class they hold is entered when it changes from the one held last.
  struct TClassProps {
    std::vector<PPropInfo> Parts;
    std::vector<PPropInfo> References;
    std::vector<TClass> Last;  // per reference
  };
  std::unordered_map<TClass, TClassProps> ByClass;
  TClass Current = nullptr;
  TClassProps* Info = nullptr;
  for (int I = 0; I < Root->ComponentCount(); ++I) {
    TComponent* C = Root->Components(I);
    if (TClass Class = C->ClassType(); Class != Current) {
      auto [It, Added] = ByClass.try_emplace(Class);
      if (Added) {
        Samples.push_back(C);
        AddClass(Class);
        for (PPropInfo P : GetPropList(Class, TTypeKinds{tkClass})) {
          if (!P->CanRead()) continue;
          const TClass Declared = P->PropType->Data.ClassType;
          const bool Part = Declared && !Declared->InheritsFrom(TComponent::StaticClass()) &&
                            !TComponent::StaticClass()->InheritsFrom(Declared);
          (Part ? It->second.Parts : It->second.References).push_back(P);
        }
        It->second.Last.assign(It->second.References.size(), nullptr);
      }
      Current = Class;
      Info = &It->second;
    }
    // A part is looked at until one is met (a component may make it only when needed).
    for (auto P = Info->Parts.begin(); P != Info->Parts.end();)
      if (TObject* Value = GetObjectProp(C, *P)) {
        AddClass(Value->ClassType());
        P = Info->Parts.erase(P);
      } else {
        ++P;
      }
    for (size_t K = 0; K < Info->References.size(); ++K)
      if (TObject* Value = GetObjectProp(C, Info->References[K]))
        if (TClass ValueClass = Value->ClassType(); ValueClass != Info->Last[K]) {
          Info->Last[K] = ValueClass;
          AddClass(ValueClass);
        }
  }
  std::unordered_set<String> Sent;
  auto Send = [&](const String& Unit) {
    if (!Unit.empty() && Sent.insert(Unit).second) Proc(Unit);
  };
  for (TClass C : Classes) Send(C->UnitName());
  for (TComponent* C : Samples) {
    IPtr<ISelectionEditorList> Editors = GetSelectionEditors(Designer, C);
    for (int I = 0; Editors && I < Editors->GetCount(); ++I) Editors->Get(I)->RequiresUnits(Send);
  }
}

}  // namespace formwright
