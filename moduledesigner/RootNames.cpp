#include "moduledesigner/RootNames.h"

#include <atomic>
#include <functional>

#include "formdesigner/ComponentNames.h"
#include "formdesigner/Proxies.h"
#include "moduledesigner/CompInfo.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/Renames.h"
#include "platform/runtime/Filer.h"
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

std::atomic<int>& PlaceholderCounter() {
  static std::atomic<int> Counter{0};
  return Counter;
}
}  // namespace

void TRenames::Rename(String& Name) const {
  for (const TRenameItem& R : FItems)
    if (SameText(R.OldName, Name)) {
      Name = R.NewName;
      return;
    }
}

int NextPlaceholderMethod() noexcept { return ++PlaceholderCounter(); }

TRootNames::TRootNames(TRootState& State, TRootLinks& Links) : FState(State), FLinks(Links) {}

TRootNames::~TRootNames() = default;

// ----- Unique names ---------------------------------------------------------------------------

String TRootNames::UniqueName(const String& BaseName) {
  // Names only become free again through a removal or a rename, which drop the hints; until
  // then every number below a stem's hint is known to be taken, so creating n components of
  // one class stays linear while the result is still the first free number.
  const bool UseManager = FState.UpdateManager && FState.UpdateManager->GetComponent();
  if (UseManager)
    return FirstFreeComponentName(BaseName,
                                  [&](const String& Name) { return FState.UpdateManager->NameExists(Name); });
  int& Hint = FNameHints.try_emplace(LowerCase(ComponentNameStem(BaseName)), 1).first->second;
  return FirstFreeComponentName(
      BaseName,
      [&](const String& Name) { return FState.Root && FState.Root->FindComponent(Name) != nullptr; }, Hint,
      &Hint);
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
    FState.Module->ComponentRenamed(MakeIntf<TCompInfo>(FState.Root, FState.GetDesigner(), AComponent),
                                    CurName, NewName);
  if (FState.UpdateManager) FState.UpdateManager->RenameDescendents(CurName, NewName);
  RenameTail(AComponent, CurName, NewName);
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
  if (FState.Module && FState.Views.empty())
    FState.Module->RootRenamed(MakeIntf<TCompInfo>(FState.Root, FState.GetDesigner(), FState.Root), NewName);
  if (IsProxyClass(FState.Root->ClassType())) RenameSubClass(FState.Root, NewClass, String());
  RenameTail(FState.Root, CurName, NewName);
}

void TRootNames::RenameTail(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (FState.Root && !FState.Root->ComponentState().Contains(csLoading) && !NewName.empty() &&
      (AComponent == FState.Root || AComponent->Owner())) {
    if (FState.ComponentDesigner) FState.ComponentDesigner->UpdateRootDependents();
    FState.Self->GetDependentRoots([](const IPtr<IRoot>& R) { R->ClearCachedStream(); });
  }
  ComponentRenamedSink().Send(FState.Object, CurName, NewName);
  if (FState.ComponentDesigner)
    if (IPtr<IDesignEnvironment> Env = FState.ComponentDesigner->GetEnvironment())
      Env->ComponentRenamed(CurName, NewName);
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
  return String();
}

void TRootNames::CheckMethodName(const String& Name) {
  if (!IsValidIdent(Name)) throw EComponentDesignerException(Format(SInvalidMethodName, Name));
  if (const String Why = NameRefusal(Name, "method"); !Why.empty()) throw EComponentDesignerException(Why);
}

// ----- Event methods --------------------------------------------------------------------------

TMethod TRootNames::CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) {
  if (Name.empty()) return TMethod{};
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
  if (FState.Module) FState.Module->GetMethods(EventInfo, Proc);
}

bool TRootNames::MethodExists(const String& Name) {
  return FState.Module && FState.Module->MethodExists(Name);
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
  // A name taken here, or one this module cannot use, gives way to a fresh one.
  if (!FState.Root->FindComponent(Name) && NameRefusal(Name, "component").empty()) return;
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
  for (int I = 0; I < FEvents->Count(); ++I)
    if (SameText(FEvents->Items(I).StreamName, MethodName)) {
      Address = FEvents->Items(I).Address;
      return;
    }
  const String Placeholder = Format("@%d", NextPlaceholderMethod());
  Address = CreateSubClassMethod(FState.Root, Placeholder);
  FEvents->Add(Address, MethodName);
}

void TRootNames::RenameEvents(TStrings* List) {
  if (!FEvents || !FRenames) return;
  for (int I = 0; I < FEvents->Count(); ++I) {
    TEventItem& E = FEvents->Items(I);
    for (int J = 0; J < FRenames->Count(); ++J) {
      const TRenameItem& R = FRenames->Items(J);
      if (R.OldName.size() < E.Name.size() && E.Name.compare(0, R.OldName.size(), R.OldName) == 0 &&
          !(E.Name[R.OldName.size()] >= '0' && E.Name[R.OldName.size()] <= '9')) {
        E.Name = R.NewName + E.Name.substr(R.OldName.size());
        break;
      }
    }
    String Candidate = E.Name;
    for (int N = 1; FState.Root->MethodAddress(Candidate);) Candidate = Format("%s%d", E.Name, ++N);
    E.Name = Candidate;
    if (E.Name != E.StreamName) FRenames->Add(E.StreamName, E.Name);
    RenameSubClassMethod(FState.Root, E.Address, E.Name);
  }
  for (int I = 0; List && I < FRenames->Count(); ++I)
    List->Add(FRenames->Items(I).OldName + "=" + FRenames->Items(I).NewName);
}

void TRootNames::VerifyEvents(TStrings* List) {
  if (!FEvents) return;
  for (int I = 0; I < FEvents->Count(); ++I) {
    TEventItem& E = FEvents->Items(I);
    if (List && List->IndexOf(E.Name) >= 0) continue;
    // The placeholder goes first: while it carries the stream's name it would be found as the
    // existing handler of that name, and its freed handle handed to the event.
    DestroySubClassMethod(FState.Root, E.Address);
    E.NewAddress = FState.Root->MethodAddress(E.StreamName);
  }
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
      for (int I = 0; I < FEvents->Count(); ++I)
        if (FEvents->Items(I).Address == M.Code) {
          M.Code = FEvents->Items(I).NewAddress;
          if (!M.Code) M.Data = nullptr;
          SetMethodProp(C, P, M);
          break;
        }
    }
    // Components inside embedded frames carry handlers of this module too.
    for (int I = 0; I < C->ComponentCount(); ++I) Visit(C->Components(I));
  };
  Visit(FState.Root);
}

}  // namespace formwright
