// Component names, renames and the event methods of the module's design-time class.
#include "moduledesigner/CompInfo.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/Renames.h"
#include "symbols/CppSym.h"
#include "symbols/PasSym.h"

#include <atomic>
#include <functional>

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

// ----- Unique names ---------------------------------------------------------------------------

String TComponentRoot::UniqueName(const String& BaseName) {
  String Stem = BaseName;
  if (BaseName.size() >= 2 && BaseName[0] == 'T') Stem = BaseName.substr(1, 255);
  // Names only become free again through a removal or a rename, which drop the hints; until
  // then every number below a stem's hint is known to be taken, so creating n components of
  // one class stays linear while the result is still the first free number.
  const bool UseManager = FUpdateManager && FUpdateManager->GetComponent();
  const String Key = LowerCase(Stem);
  int N = 1;
  if (!UseManager) {
    auto It = FNameHints.find(Key);
    if (It != FNameHints.end()) N = It->second;
  }
  for (;; ++N) {
    const String Candidate = Format("%s%d", Stem, N);
    const bool Taken = UseManager ? FUpdateManager->NameExists(Candidate)
                                  : (FRoot && FRoot->FindComponent(Candidate) != nullptr);
    if (!Taken) {
      if (!UseManager) FNameHints[Key] = N;
      return Candidate;
    }
  }
}

// ----- Renames --------------------------------------------------------------------------------

void TComponentRoot::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (!CurName.empty()) FNameHints.clear();
  if (!AComponent || AComponent == FRoot) {
    ValidateRootRename(CurName, NewName);
    return;
  }
  const bool Inherited = IsInherited(AComponent);
  if (AComponent->Owner() != FRoot) {
    if (Inherited && !AComponent->ComponentState().Contains(csDestroying) && !CurName.empty() && !FUpdating &&
        !FSuppressUpdate && ModifiableFrame(AComponent->Owner()))
      throw EComponentDesignerException(Format(SIntroducedInAncestor, CurName));
    return;
  }
  if (FUpdateManager && !SameText(CurName, NewName) && FUpdateManager->NameExists(NewName))
    throw EComponentDesignerException(Format(SExistsInDescendant, NewName));
  if (Inherited && !CurName.empty() && !FUpdating && !FSuppressUpdate)
    throw EComponentDesignerException(Format(SIntroducedInAncestor, CurName));
  if (SameText(NewName, "OWNER")) throw EComponentDesignerException(Format(SExistsInDescendant, NewName));
  // A name the module's stream already holds is read as it is; a new one must suit the unit.
  if (!Inherited && !FUpdating && !NewName.empty() && !SameText(CurName, NewName) && FRoot &&
      !FRoot->ComponentState().Contains(csLoading))
    if (const String Why = NameRefusal(NewName, "component"); !Why.empty())
      throw EComponentDesignerException(Why);
  // While the ancestor is replayed into a new descendant its components are not yet marked
  // inherited, but they are: the source declares them in the ancestor.
  if (!Inherited && FAncestorLoaded && (NewName.empty() || (!FUpdating && AComponent->Owner() == FRoot)) &&
      FModule)
    FModule->ComponentRenamed(MakeIntf<TCompInfo>(FRoot, GetDesigner(), AComponent), CurName, NewName);
  if (FUpdateManager) FUpdateManager->RenameDescendents(CurName, NewName);
  RenameTail(AComponent, CurName, NewName);
}

void TComponentRoot::ValidateRootRename(const String& CurName, const String& NewName) {
  if (!FRoot) return;
  // A root being read takes the name its stream holds, and nothing else follows: the class and
  // the unit keep the names they have (a form file may name its root apart from its class).
  // This includes the replay of the ancestor's stream into a new descendant.
  if (FRoot->ComponentState().Contains(csLoading)) return;
  if (NewName.empty()) throw EComponentDesignerException(SRootNeedsName);
  const String NewClass = "T" + NewName;
  for (TClass C = FRoot->ClassType()->ClassParent(); C; C = C->ClassParent())
    if (SameText(C->ClassName(), NewClass))
      throw EComponentDesignerException(Format(SSameAsAncestor, NewClass));
  if (PasSym::IsReservedWord(NewName) || CppSym::IsReservedWord(NewName))
    throw EComponentDesignerException(Format(SNameRefused, NewName, "is a reserved word", "module"));
  if (FModule && FViews.empty())
    FModule->RootRenamed(MakeIntf<TCompInfo>(FRoot, GetDesigner(), FRoot), NewName);
  if (IsProxyClass(FRoot->ClassType())) RenameSubClass(FRoot, NewClass, String());
  RenameTail(FRoot, CurName, NewName);
}

void TComponentRoot::RenameTail(TComponent* AComponent, const String& CurName, const String& NewName) {
  if (FRoot && !FRoot->ComponentState().Contains(csLoading) && !NewName.empty() &&
      (AComponent == FRoot || AComponent->Owner())) {
    if (FComponentDesigner) FComponentDesigner->UpdateRootDependents();
    GetDependentRoots([](const IPtr<IRoot>& R) { R->ClearCachedStream(); });
  }
  ComponentRenamedSink().Send(this, CurName, NewName);
  if (FComponentDesigner)
    if (IPtr<IDesignEnvironment> Env = FComponentDesigner->GetEnvironment())
      Env->ComponentRenamed(CurName, NewName);
}

bool TComponentRoot::RenameComponent(const String& CurName, const String& NewName) {
  TComponent* C = FRoot ? FRoot->FindComponent(CurName) : nullptr;
  if (!C) return false;
  C->SetName(NewName);
  return true;
}

// ----- Name rules -----------------------------------------------------------------------------

String TComponentRoot::NameRefusal(const String& Name, const char* Kind) {
  auto Refused = [&](const char* Why) { return Format(SNameRefused, Name, Why, Kind); };
  if (PasSym::IsReservedWord(Name) || CppSym::IsReservedWord(Name)) return Refused("is a reserved word");
  if (FRoot && SameText(FRoot->Name(), Name)) return Refused("is the name of the module");
  if (NamesType(FRoot, Name)) return Refused("names a type");
  const bool Method = String(Kind) == "method";
  if (!Method && MethodExists(Name)) return Refused("names a method of the unit");
  if (Method && FRoot && FRoot->FindComponent(Name)) return Refused("names a component");
  // What else the unit declares: private methods and fields, properties, its own types.
  if (IPtr<IDesignerModuleNames> Names = Supports<IDesignerModuleNames>(FModule);
      Names && Names->DeclaresName(Name))
    return Refused("is declared in the unit");
  return String();
}

void TComponentRoot::CheckMethodName(const String& Name) {
  if (!IsValidIdent(Name)) throw EComponentDesignerException(Format(SInvalidMethodName, Name));
  if (const String Why = NameRefusal(Name, "method"); !Why.empty()) throw EComponentDesignerException(Why);
}

// ----- Event methods --------------------------------------------------------------------------

TMethod TComponentRoot::CreateMethod(const String& Name, PTypeData TypeData) {
  return CreateMethod(Name, IPtr<IEventInfo>(MakeIntf<TEventInfo>(TypeData)));
}

TMethod TComponentRoot::CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) {
  if (Name.empty()) return TMethod{};
  if (!MethodExists(Name)) {
    CheckMethodName(Name);
  } else if (FModule && EventInfo) {
    // An existing handler serves only events of its own signature.
    bool Fits = false;
    FModule->GetMethods(EventInfo, [&](const String& N) { Fits = Fits || SameText(N, Name); });
    if (!Fits) throw EComponentDesignerException(Format(SIncompatibleMethod, Name));
  }
  ValidateModification();
  if (FModule) FModule->CreateMethod(Name, EventInfo);
  return TMethod{CreateSubClassMethod(FRoot, Name), FRoot};
}

void TComponentRoot::GetMethods(PTypeData TypeData, const TGetStrProc& Proc) {
  GetMethods(IPtr<IEventInfo>(MakeIntf<TEventInfo>(TypeData)), Proc);
}

void TComponentRoot::GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) {
  if (FModule) FModule->GetMethods(EventInfo, Proc);
}

bool TComponentRoot::MethodExists(const String& Name) { return FModule && FModule->MethodExists(Name); }

void TComponentRoot::ShowMethod(const String& Name) {
  if (FModule) FModule->ShowMethod(Name);
}

void TComponentRoot::RenameMethod(const String& CurName, const String& NewName) {
  // The source first: when it refuses, the design-time class keeps the handler's old name, so
  // the unit and the form file never disagree.
  if (!SameText(CurName, NewName)) CheckMethodName(NewName);
  if (FModule) FModule->RenameMethod(CurName, NewName);
  RenameRootMethod(CurName, NewName);
}

void TComponentRoot::RenameRootMethod(const String& CurName, const String& NewName) {
  if (!FRoot) return;
  void* Code = FRoot->MethodAddress(CurName);
  if (!Code) return;
  RenameSubClassMethod(FRoot, Code, NewName);
  Modified();
}

String TComponentRoot::GetMethodName(const TMethod& Method) {
  if (!FRoot || !Method.Code || Method.Data != FRoot) return String();
  return FRoot->MethodName(Method.Code);
}

bool TComponentRoot::MethodFromAncestor(const TMethod& Method) {
  if (!FRoot || !Method.Code) return false;
  TClass Parent = FRoot->ClassType()->ClassParent();
  return Parent && !Parent->MethodName(Method.Code).empty();
}

// ----- Paste hooks ----------------------------------------------------------------------------

void TComponentRoot::ReaderSetName(TReader* Reader, TComponent* Component, String& Name) {
  if (Reader->Root() != FRoot || !FRenames || Name.empty()) return;
  // A name taken here, or one this module cannot use, gives way to a fresh one.
  if (!FRoot->FindComponent(Name) && NameRefusal(Name, "component").empty()) return;
  const String OldName = Name;
  Name = UniqueName(Component->ClassName());
  FRenames->Add(OldName, Name);
}

void TComponentRoot::ReaderReferenceName(TReader* Reader, String& Name) {
  if (FRenames) FRenames->Rename(Name);
}

void TComponentRoot::ReaderFindMethod(TReader* Reader, const String& MethodName, void*& Address,
                                      bool& Error) {
  Error = false;
  if (!FEvents || Reader->Root() != FRoot) return;
  for (int I = 0; I < FEvents->Count(); ++I)
    if (SameText(FEvents->Items(I).StreamName, MethodName)) {
      Address = FEvents->Items(I).Address;
      return;
    }
  const String Placeholder = Format("@%d", NextPlaceholderMethod());
  Address = CreateSubClassMethod(FRoot, Placeholder);
  FEvents->Add(Address, MethodName);
}

void TComponentRoot::RenameEvents() {
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
    for (int N = 1; FRoot->MethodAddress(Candidate);) Candidate = Format("%s%d", E.Name, ++N);
    E.Name = Candidate;
    if (E.Name != E.StreamName) FRenames->Add(E.StreamName, E.Name);
    RenameSubClassMethod(FRoot, E.Address, E.Name);
  }
}

void TComponentRoot::VerifyEvents(TStrings* List) {
  if (!FEvents) return;
  for (int I = 0; I < FEvents->Count(); ++I) {
    TEventItem& E = FEvents->Items(I);
    if (List && List->IndexOf(E.Name) >= 0) continue;
    // The placeholder goes first: while it carries the stream's name it would be found as the
    // existing handler of that name, and its freed handle handed to the event.
    DestroySubClassMethod(FRoot, E.Address);
    E.NewAddress = FRoot->MethodAddress(E.StreamName);
  }
}

void TComponentRoot::UpdateEvents() {
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
  Visit(FRoot);
}

// ----- Names of components and objects --------------------------------------------------------

String TComponentRoot::GetComponentName(TComponent* Component) {
  if (!Component) return String();
  String Result = Component->Name();
  if (Component != FRoot && Component->Owner() != FRoot && Component->Owner()) {
    const String OwnerPath = Component->Owner()->GetNamePath();
    if (!OwnerPath.empty()) Result = OwnerPath + "." + Result;
  }
  return Result;
}

TComponent* TComponentRoot::GetComponent(const String& Name) {
  if (!FRoot || Name.empty()) return nullptr;
  if (TComponent* C = FindNestedComponent(FRoot, Name)) return C;
  const size_t Dot = Name.find('.');
  TComponent* LookIn = FRoot;
  String Part = Name;
  if (Dot == String::npos) {
    if (TComponent* C = FRoot->FindComponent(Name)) return C;
  } else {
    IPtr<IRoot> Other = FComponentDesigner ? FComponentDesigner->FindRoot(Name.substr(0, Dot)) : nullptr;
    LookIn = Other ? Other->GetRoot() : nullptr;
    Part = Name.substr(Dot + 1);
    if (LookIn)
      if (TComponent* C = LookIn->FindComponent(Part)) return C;
  }
  if (Dot == String::npos && FComponentDesigner)
    if (IPtr<IRoot> Other = FComponentDesigner->FindRoot(Name); Other && Other->GetRoot())
      return Other->GetRoot();
  if (LookIn && SameText(Part, LookIn->Name())) return LookIn;
  return nullptr;
}

TPersistent* TComponentRoot::GetObject(const String& Name) { return GetComponent(Name); }

String TComponentRoot::GetObjectName(TPersistent* Instance) {
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

void TComponentRoot::GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) {
  if (!FRoot || !TypeData) return;
  TClass Wanted = TypeData->ClassType;
  auto Fits = [Wanted](TComponent* C) { return !C->Name().empty() && (!Wanted || C->InheritsFrom(Wanted)); };
  auto ListOwned = [&](TComponent* Root, const String& Prefix) {
    for (int I = 0; I < Root->ComponentCount(); ++I) {
      TComponent* C = Root->Components(I);
      if (Fits(C)) Proc(Prefix + C->Name());
      if (IsProxyClass(C->ClassType()) && !C->Name().empty())
        for (int J = 0; J < C->ComponentCount(); ++J)
          if (Fits(C->Components(J))) Proc(Prefix + C->Name() + "." + C->Components(J)->Name());
    }
  };
  if (HostIncludeRoot() && Fits(FRoot)) Proc(FRoot->Name());
  ListOwned(FRoot, String());
  if (!FModule || !FComponentDesigner) return;
  std::vector<String> Imported;
  FModule->GetImportedRoots([&](const String& N) { Imported.push_back(N); });
  for (const String& N : Imported) {
    IPtr<IRoot> Other = FComponentDesigner->FindRoot(N);
    if (!Other || !Other->GetRoot()) continue;
    if (FAncestorRoot && Other.Identity() == FAncestorRoot.Identity()) continue;
    if (HostExcludeRoot(Other)) continue;
    TComponent* R = Other->GetRoot();
    if (R != FRoot && Fits(R)) Proc(R->Name());
    ListOwned(R, R->Name() + ".");
  }
}

void TComponentRoot::GetObjectNames(PTypeData TypeData, const TGetStrProc& Proc) {
  GetComponentNames(TypeData, Proc);
}

}  // namespace formwright
