#include "moduledesigner/RootNames.h"

#include <atomic>
#include <functional>
#include <unordered_set>

#include "formdesigner/ComponentNames.h"
#include "formdesigner/Proxies.h"
#include "moduledesigner/CompInfo.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/OTAFormEditor.h"
#include "moduledesigner/Renames.h"
#include "moduledesigner/RootInheritance.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/Scoped.h"
#include "symbols/CppSym.h"
#include "symbols/PasSym.h"

namespace formwright {

namespace {
inline constexpr const char* SIntroducedInAncestor =
    "Cannot rename component %s, component was introduced in an ancestor form";
inline constexpr const char* SExistsInDescendant =
    "A component named %s already exists in a descendant module";
inline constexpr const char* SRootNeedsName = "Root component must have a name";
inline constexpr const char* SSameAsAncestor =
    "Cannot rename a module to the same name as one of its ancestors (%s)";

inline constexpr const char* SNameRefused = "%s %s and cannot be used as a %s name";
inline constexpr const char* SInvalidMethodName = "'%s' is not a valid method name";
inline constexpr const char* SIncompatibleMethod = "Method %s is incompatible with this event";

bool IsInherited(const TComponent* C) { return C->ComponentState().Contains(csAncestor); }

// The unit declares a class of this name: the module's class, one of its ancestors, or a class
// a component of the module is made of (every such class is registered).
bool NamesType(TComponent* Root, const String& Name) {
  for (TClass C = Root ? Root->ClassType() : nullptr; C; C = C->ClassParent())
    if (SameText(C->ClassName(), Name)) return true;
  return GetClass(Name) != nullptr;
}

// The handler of that name the module's class inherits from its ancestor modules' classes
// (their design-time classes carry their handlers); null when it inherits none.
void* InheritedMethod(const TRootState& State, const String& Name) {
  const TClass Parent = State.Root && State.AncestorRoot ? State.Root->ClassType()->ClassParent() : nullptr;
  return Parent ? Parent->MethodAddress(Name) : nullptr;
}

// Whether an ancestor module's unit declares a handler of that name at all.
bool InheritedDeclared(const TRootState& State, const String& Name) {
  for (IPtr<IInternalRoot> A = State.AncestorRoot; A; A = A->GetAncestorRoot())
    if (IPtr<IDesignerModule> M = A->GetModule(); M && M->MethodExists(Name)) return true;
  return false;
}

// Whether an ancestor module's unit declares a handler of that name fit for the event.
bool InheritedFits(const TRootState& State, const String& Name, const IPtr<IEventInfo>& EventInfo) {
  bool Fits = false;
  for (IPtr<IInternalRoot> A = State.AncestorRoot; A && !Fits; A = A->GetAncestorRoot())
    if (IPtr<IDesignerModule> M = A->GetModule())
      M->GetMethods(EventInfo, [&](const String& N) { Fits = Fits || SameText(N, Name); });
  return Fits;
}

std::atomic<int>& PlaceholderCounter() {
  static std::atomic<int> Counter{0};
  return Counter;
}
}  // namespace

void TRenames::Add(const String& OldName, const String& NewName) {
  FFirstByText.try_emplace(LowerCase(OldName), FItems.size());
  FFirstByName.try_emplace(OldName, FItems.size());
  FItems.push_back({OldName, NewName});
}

void TRenames::Rename(String& Name) const {
  if (auto It = FFirstByText.find(LowerCase(Name)); It != FFirstByText.end())
    Name = FItems[It->second].NewName;
}

const TRenameItem* TRenames::PrefixOf(const String& Name) const {
  size_t First = FItems.size();
  for (size_t Length = 1; Length < Name.size(); ++Length) {
    if (Name[Length] >= '0' && Name[Length] <= '9') continue;
    if (auto It = FFirstByName.find(Name.substr(0, Length)); It != FFirstByName.end())
      First = std::min(First, It->second);
  }
  return First < FItems.size() ? &FItems[First] : nullptr;
}

void TEvents::Add(void* Address, const String& Name) {
  FByStreamName.try_emplace(LowerCase(Name), FItems.size());
  FByAddress.try_emplace(Address, FItems.size());
  FItems.push_back({Address, Name, Name, Address});
}

TEventItem* TEvents::FindStreamName(const String& Name) {
  auto It = FByStreamName.find(LowerCase(Name));
  return It != FByStreamName.end() ? &FItems[It->second] : nullptr;
}

const TEventItem* TEvents::FindAddress(void* Address) const {
  auto It = FByAddress.find(Address);
  return It != FByAddress.end() ? &FItems[It->second] : nullptr;
}

int NextPlaceholderMethod() noexcept { return ++PlaceholderCounter(); }

TRootNames::TRootNames(TRootState& State, TRootLinks& Links) : FState(State), FLinks(Links) {}

TRootNames::~TRootNames() = default;

// ----- Unique names ---------------------------------------------------------------------------

String TRootNames::UniqueName(const String& BaseName) {
  // Names only become free again through a removal or a rename, which drop the hints; until
  // then every number below a stem's hint is known to be taken, so creating n components of
  // one class stays linear while the result is still the first free number. A name is taken
  // when this module or one of its open descendants uses it; the descendants free names through
  // their own renames and removals, which this module does not hear of, so while it has any,
  // every search starts from 1.
  IUpdateManager* Manager = DescendantNames();
  const auto Taken = [&](const String& Name) { return NameTaken(Name, Manager); };
  if (Manager && Manager->GetHasDescendents()) return FirstFreeComponentName(BaseName, Taken);
  int& Hint = FNameHints.try_emplace(LowerCase(ComponentNameStem(BaseName)), 1).first->second;
  return FirstFreeComponentName(BaseName, Taken, Hint, &Hint);
}

IUpdateManager* TRootNames::DescendantNames() const {
  return FState.UpdateManager && FState.UpdateManager->GetComponent() ? FState.UpdateManager.Get() : nullptr;
}

bool TRootNames::NameTaken(const String& Name, IUpdateManager* Manager) {
  if (Manager ? Manager->NameExists(Name) : FState.Root && FState.Root->FindComponent(Name)) return true;
  // A name the unit (or an ancestor's) gives to something else is taken as well.
  return !NameRefusal(Name, "component").empty();
}

// ----- Renames --------------------------------------------------------------------------------

void TRootNames::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (!CurName.empty()) FNameHints.clear();
  if (!AComponent || AComponent == FState.Root) {
    ValidateRootRename(CurName, NewName);
    return;
  }
  const bool Inherited = IsInherited(AComponent);
  if (AComponent->Owner() != FState.Root) {
    if (Inherited && !AComponent->ComponentState().Contains(csDestroying) && !CurName.empty() &&
        !FState.Updating && !FState.SuppressUpdate && FLinks.ModifiableFrame(AComponent->Owner()))
      throw EComponentDesignerException(Format(SIntroducedInAncestor, CurName));
    return;
  }
  if (FState.UpdateManager && !SameText(CurName, NewName) && FState.UpdateManager->NameExists(NewName))
    throw EComponentDesignerException(Format(SExistsInDescendant, NewName));
  if (Inherited && !CurName.empty() && !FState.Updating && !FState.SuppressUpdate)
    throw EComponentDesignerException(Format(SIntroducedInAncestor, CurName));
  if (SameText(NewName, "OWNER")) throw EComponentDesignerException(Format(SExistsInDescendant, NewName));
  // A name the module's stream already holds is read as it is; a new one must suit the unit.
  if (!Inherited && !FState.Updating && !NewName.empty() && !SameText(CurName, NewName) && FState.Root &&
      !FState.Root->ComponentState().Contains(csLoading))
    if (const String Why = NameRefusal(NewName, "component"); !Why.empty())
      throw EComponentDesignerException(Why);
  // While the ancestor is replayed into a new descendant its components are not yet marked
  // inherited, but they are: the source declares them in the ancestor.
  if (!Inherited && FState.AncestorLoaded &&
      (NewName.empty() || (!FState.Updating && AComponent->Owner() == FState.Root)) && FState.Module)
    TellModuleRenamed(AComponent, CurName, NewName);
  if (FState.UpdateManager) FState.UpdateManager->RenameDescendents(CurName, NewName);
  RenameTail(AComponent, CurName, NewName);
}

void TRootNames::TellModuleRenamed(TComponent* AComponent, const String& CurName, const String& NewName) {
  // The spare is kept only when nobody but this object holds it, so nobody sees it change. It
  // is held as the interface the module is handed, which then costs no reference of its own.
  IPtr<ICompInfo> Info = std::move(FSpareInfo);
  TCompInfo* Described = static_cast<TCompInfo*>(Info.Get());
  if (Described) {
    Described->Rebind(FState.Root, FState.GetDesigner(), AComponent);
  } else {
    IPtr<TCompInfo> Made = MakeIntf<TCompInfo>(FState.Root, FState.GetDesigner(), AComponent);
    Described = Made.Get();
    Info = std::move(Made);
  }
  TScopeExit Keep([&] {
    if (Described->RefCount() != 1) return;
    Described->Unbind();
    FSpareInfo = std::move(Info);
  });
  FState.Module->ComponentRenamed(Info, CurName, NewName);
}

void TRootNames::ValidateRootRename(const String& CurName, const String& NewName) {
  if (!FState.Root) return;
  // A root being read takes the name its stream holds, and nothing else follows: the class and
  // the unit keep the names they have (a form file may name its root apart from its class).
  // This includes the replay of the ancestor's stream into a new descendant.
  if (FState.Root->ComponentState().Contains(csLoading)) return;
  if (NewName.empty()) throw EComponentDesignerException(SRootNeedsName);
  const String NewClass = "T" + NewName;
  for (TClass C = FState.Root->ClassType()->ClassParent(); C; C = C->ClassParent())
    if (SameText(C->ClassName(), NewClass))
      throw EComponentDesignerException(Format(SSameAsAncestor, NewClass));
  if (PasSym::IsReservedWord(NewName) || CppSym::IsReservedWord(NewName))
    throw EComponentDesignerException(Format(SNameRefused, NewName, "is a reserved word", "module"));
  // The root shares its names with what it holds, and with what its descendants add.
  if (!SameText(CurName, NewName)) {
    if (TComponent* Held = FState.Root->FindComponent(NewName); Held && Held != FState.Root)
      throw EComponentDesignerException(Format(SDuplicateName, NewName));
    if (FState.UpdateManager && FState.UpdateManager->NameExists(NewName))
      throw EComponentDesignerException(Format(SExistsInDescendant, NewName));
  }
  // A view shares its master's module: only the master renames the source's class.
  if (FState.Module && !FState.MasterView())
    FState.Module->RootRenamed(MakeIntf<TCompInfo>(FState.Root, FState.GetDesigner(), FState.Root), NewName);
  if (IsProxyClass(FState.Root->ClassType())) RenameSubClass(FState.Root, NewClass, String());
  const auto Views = FState.Views;
  for (const auto& [ViewName, View] : Views)
    if (View && View->GetRoot()) View->GetRoot()->SetName(NewName + "_" + ViewName);
  RenameTail(FState.Root, CurName, NewName);
}

void TRootNames::RenameTail(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (FState.FormEditor) FState.FormEditor->NotifyRenamed(AComponent, CurName, NewName);
  if (FState.Root && !FState.Root->ComponentState().Contains(csLoading) && !NewName.empty() &&
      (AComponent == FState.Root || AComponent->Owner())) {
    // The other roots' dependencies are brought up to date, which makes this root's list of
    // dependents current; its own are recomputed when next asked for.
    if (FState.ComponentDesigner)
      FState.ComponentDesigner->UpdateDependentsOf(static_cast<IRoot*>(FState.Self));
    if (IPtr<IRootDependents> D = Supports<IRootDependents>(FState.Self))
      D->ForEachDependentRoot([](const IPtr<IRoot>& R) { R->ClearCachedStream(); });
  }
  ComponentRenamedSink().Send(FState.Object, CurName, NewName);
  if (const IPtr<IDesignEnvironment>& Env = FState.Environment()) Env->ComponentRenamed(CurName, NewName);
}

bool TRootNames::RenameComponent(const String& CurName, const String& NewName) {
  TComponent* C = FState.Root ? FState.Root->FindComponent(CurName) : nullptr;
  if (!C) return false;
  C->SetName(NewName);
  return true;
}

// ----- Name rules -----------------------------------------------------------------------------

String TRootNames::NameRefusal(const String& Name, const char* Kind) {
  auto Refused = [&](const char* Why) { return Format(SNameRefused, Name, Why, Kind); };
  if (PasSym::IsReservedWord(Name) || CppSym::IsReservedWord(Name)) return Refused("is a reserved word");
  if (FState.Root && SameText(FState.Root->Name(), Name)) return Refused("is the name of the module");
  if (NamesType(FState.Root, Name)) return Refused("names a type");
  const bool Method = String(Kind) == "method";
  if (!Method && MethodExists(Name)) return Refused("names a method of the unit");
  if (Method && FState.Root && FState.Root->FindComponent(Name)) return Refused("names a component");
  // What else the unit declares: private methods and fields, properties, its own types.
  if (IPtr<IDesignerModuleNames> Names = Supports<IDesignerModuleNames>(FState.Module);
      Names && Names->DeclaresName(Name))
    return Refused("is declared in the unit");
  // A module's class inherits what the units of its ancestors declare: a field or handler of
  // that name would hide it.
  for (IPtr<IInternalRoot> A = FState.AncestorRoot; A; A = A->GetAncestorRoot())
    if (IPtr<IDesignerModule> M = A->GetModule()) {
      IPtr<IDesignerModuleNames> Declared = Supports<IDesignerModuleNames>(M);
      if (M->MethodExists(Name) || (Declared && Declared->DeclaresName(Name)))
        return Format(SNameRefused, Name, Format("is declared in the unit of %s", A->GetRootName()), Kind);
    }
  return String();
}

void TRootNames::CheckMethodName(const String& Name) {
  if (!IsValidIdent(Name)) throw EComponentDesignerException(Format(SInvalidMethodName, Name));
  if (const String Why = NameRefusal(Name, "method"); !Why.empty()) throw EComponentDesignerException(Why);
}

// ----- Event methods --------------------------------------------------------------------------

TMethod TRootNames::CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) {
  if (Name.empty()) return TMethod{};
  // A handler the module inherits serves as it is: the unit gets no handler of that name, which
  // would replace the ancestor's for every event that uses it.
  if (void* Inherited =
          FState.Module && !FState.Module->MethodExists(Name) ? InheritedMethod(FState, Name) : nullptr) {
    // Without a unit that declares it, its signature is unknown: it is neither taken on trust
    // nor called incompatible.
    if (EventInfo && !InheritedFits(FState, Name, EventInfo))
      throw EComponentDesignerException(
          Format(InheritedDeclared(FState, Name) ? SIncompatibleMethod : SUncheckedInheritedMethod, Name));
    FState.ValidateModification();
    return TMethod{Inherited, FState.Root};
  }
  if (!MethodExists(Name)) {
    CheckMethodName(Name);
  } else if (FState.Module && EventInfo) {
    // An existing handler serves only events of its own signature.
    bool Fits = false;
    FState.Module->GetMethods(EventInfo, [&](const String& N) { Fits = Fits || SameText(N, Name); });
    if (!Fits) throw EComponentDesignerException(Format(SIncompatibleMethod, Name));
  }
  FState.ValidateModification();
  if (FState.Module) FState.Module->CreateMethod(Name, EventInfo);
  return TMethod{CreateSubClassMethod(FState.Root, Name), FState.Root};
}

void TRootNames::GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) {
  if (!FState.Module) return;
  // The module's own handlers, then those its class inherits from its ancestor modules (an event
  // may be bound to either); each name once.
  std::unordered_set<String> Listed;
  auto Once = [&](const String& Name) {
    if (Listed.insert(LowerCase(Name)).second) Proc(Name);
  };
  FState.Module->GetMethods(EventInfo, Once);
  for (IPtr<IInternalRoot> A = FState.AncestorRoot; A; A = A->GetAncestorRoot())
    if (IPtr<IDesignerModule> M = A->GetModule())
      M->GetMethods(EventInfo, [&](const String& Name) {
        if (InheritedMethod(FState, Name)) Once(Name);
      });
}

bool TRootNames::MethodExists(const String& Name) {
  return FState.Module && (FState.Module->MethodExists(Name) || InheritedMethod(FState, Name));
}

void TRootNames::ShowMethod(const String& Name) {
  if (FState.Module) FState.Module->ShowMethod(Name);
}

void TRootNames::RenameMethod(const String& CurName, const String& NewName) {
  // The source first: when it refuses, the design-time class keeps the handler's old name, so
  // the unit and the form file never disagree.
  if (!SameText(CurName, NewName)) CheckMethodName(NewName);
  if (FState.Module) FState.Module->RenameMethod(CurName, NewName);
  RenameRootMethod(CurName, NewName);
}

void TRootNames::RenameRootMethod(const String& CurName, const String& NewName) {
  if (!FState.Root) return;
  void* Code = FState.Root->MethodAddress(CurName);
  if (!Code) return;
  RenameSubClassMethod(FState.Root, Code, NewName);
  FState.Self->Modified();
}

String TRootNames::GetMethodName(const TMethod& Method) {
  if (!FState.Root || !Method.Code || Method.Data != FState.Root) return String();
  return FState.Root->MethodName(Method.Code);
}

bool TRootNames::MethodFromAncestor(const TMethod& Method) {
  if (!FState.Root || !Method.Code) return false;
  TClass Parent = FState.Root->ClassType()->ClassParent();
  return Parent && !Parent->MethodName(Method.Code).empty();
}

// ----- The renames of one paste or undelete ---------------------------------------------------

void TRootNames::BeginRead() {
  FEvents = std::make_unique<TEvents>();
  FRenames = std::make_unique<TRenames>();
}

void TRootNames::EndRead(bool Done) {
  // A read that failed leaves no placeholder methods in the design-time class.
  if (!Done && FEvents && FState.Root)
    for (int I = 0; I < FEvents->Count(); ++I)
      if (FState.Root->MethodName(FEvents->Items(I).Address).size())
        DestroySubClassMethod(FState.Root, FEvents->Items(I).Address);
  FEvents.reset();
  FRenames.reset();
}

void TRootNames::ReaderSetName(TReader* Reader, TComponent* Component, String& Name) {
  if (Reader->Root() != FState.Root || !FRenames || Name.empty()) return;
  // A name taken here or in a descendant, or one this module cannot use, gives way to a fresh one.
  if (!NameTaken(Name, DescendantNames())) return;
  const String OldName = Name;
  Name = UniqueName(Component->ClassName());
  FRenames->Add(OldName, Name);
}

void TRootNames::ReaderReferenceName(TReader* Reader, String& Name) {
  if (FRenames) FRenames->Rename(Name);
}

void TRootNames::ReaderFindMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error) {
  Error = false;
  if (!FEvents || Reader->Root() != FState.Root) return;
  if (const TEventItem* E = FEvents->FindStreamName(MethodName)) {
    Address = E->Address;
    return;
  }
  const String Placeholder = Format("@%d", NextPlaceholderMethod());
  Address = CreateSubClassMethod(FState.Root, Placeholder);
  FEvents->Add(Address, MethodName);
}

void TRootNames::RenameEvents(TStrings* List) {
  if (!FEvents || !FRenames) return;
  // The method names of the design-time class and its ancestors (any letter case, as
  // MethodAddress finds them), kept in step with the renames below: a class whose methods were
  // just renamed would index them all again for every lookup.
  std::unordered_map<String, int> Taken;
  std::unordered_map<void*, String> NameOf;
  for (TClass C = FState.Root->ClassType(); C; C = C->ClassParent())
    for (const TMethodEntry& M : C->OwnMethods()) {
      ++Taken[LowerCase(M.Name)];
      NameOf.try_emplace(M.Code, M.Name);
    }
  for (int I = 0; I < FEvents->Count(); ++I) {
    TEventItem& E = FEvents->Items(I);
    // A handler follows the first rename of a component whose name begins its own.
    if (const TRenameItem* R = FRenames->PrefixOf(E.Name))
      E.Name = R->NewName + E.Name.substr(R->OldName.size());
    // A name the class has, or one its unit or its ancestors' units give to something else (a
    // private method, a field, a component, a type), gives way to a numbered one.
    auto IsFree = [&](const String& Name) {
      return !Taken.count(LowerCase(Name)) && NameRefusal(Name, "method").empty();
    };
    String Candidate = E.Name;
    for (int N = 1; !IsFree(Candidate);) Candidate = Format("%s%d", E.Name, ++N);
    E.Name = Candidate;
    if (E.Name != E.StreamName) FRenames->Add(E.StreamName, E.Name);
    if (auto Old = NameOf.find(E.Address); Old != NameOf.end()) {
      if (auto T = Taken.find(LowerCase(Old->second)); T != Taken.end() && --T->second == 0) Taken.erase(T);
      ++Taken[LowerCase(E.Name.substr(0, 255))];
      Old->second = E.Name.substr(0, 255);
    }
    RenameSubClassMethod(FState.Root, E.Address, E.Name);
  }
  for (int I = 0; List && I < FRenames->Count(); ++I)
    List->Add(FRenames->Items(I).OldName + "=" + FRenames->Items(I).NewName);
}

void TRootNames::VerifyEvents(TStrings* List) {
  if (!FEvents) return;
  // The handlers the source has, compared as the list's IndexOf compares them.
  auto* Strings = dynamic_cast<TStringList*>(List);
  const bool CaseSensitive = Strings && Strings->CaseSensitive();
  auto Key = [CaseSensitive](const String& S) { return CaseSensitive ? S : LowerCase(S); };
  std::unordered_set<String> Kept;
  for (int I = 0; List && I < List->Count(); ++I) Kept.insert(Key((*List)[I]));
  // The placeholders go first, all of them: while one carries a stream's name it would be
  // found as the existing handler of that name, and its freed handle handed to an event.
  std::vector<TEventItem*> Dropped;
  for (int I = 0; I < FEvents->Count(); ++I)
    if (TEventItem& E = FEvents->Items(I); !Kept.count(Key(E.Name))) {
      DestroySubClassMethod(FState.Root, E.Address);
      Dropped.push_back(&E);
    }
  for (TEventItem* E : Dropped) E->NewAddress = FState.Root->MethodAddress(E->StreamName);
}

void TRootNames::UpdateEvents() {
  if (!FEvents) return;
  bool Changed = false;
  for (int I = 0; I < FEvents->Count() && !Changed; ++I)
    Changed = FEvents->Items(I).NewAddress != FEvents->Items(I).Address;
  if (!Changed) return;
  std::function<void(TComponent*)> Visit = [&](TComponent* C) {
    for (PPropInfo P : GetPropList(C->ClassType(), TTypeKinds{tkMethod})) {
      TMethod M = GetMethodProp(C, P);
      if (!M.Code) continue;
      if (const TEventItem* E = FEvents->FindAddress(M.Code)) {
        M.Code = E->NewAddress;
        if (!M.Code) M.Data = nullptr;
        SetMethodProp(C, P, M);
      }
    }
    // Components inside embedded frames carry handlers of this module too.
    for (int I = 0; I < C->ComponentCount(); ++I) Visit(C->Components(I));
  };
  Visit(FState.Root);
}

}  // namespace formwright
