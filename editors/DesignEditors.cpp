// The editor registries behind the DesignIntf registration hooks, their lookups and the
// editor groups.
#include "editors/DesignEditors.h"

#include <algorithm>
#include <array>
#include <memory>

#include "contracts/Events.h"
#include "editors/PropertyEditorIndex.h"

namespace formwright {

FW_REGISTER_CLASS(TSelectionEditorList, "DesignEditors")

namespace {

constexpr const char* SNoDefaultEditorKind = "Properties of type kind %d have no standard editor";
constexpr const char* SNoRegistries = "The current package has no editor registries";
constexpr const char* SNotAnEditorClass = "Cannot register %s: a %s must descend from %s";

// Refuses an editor class that is not of the kind the registry creates, so that the mistake
// shows where it is made instead of at every later lookup. Nil passes (it unlists a property).
void CheckEditorClass(TClass Editor, TClass Base, const char* Kind) {
  if (Editor && !Editor->InheritsFrom(Base))
    throw EInvalidArgument(Format(SNotAnEditorClass, Editor->ClassName(), Kind, Base->ClassName()));
}

// The registries of the current package; null when it has none.
TEditorRegistries* Registries() noexcept { return CurrentPackageService<TEditorRegistries>(); }

// The registries the hooks write to: the hooks are set only on a package that has them.
TEditorRegistries& InstalledRegistries() {
  TEditorRegistries* R = Registries();
  if (!R) throw EInvalidOperation(SNoRegistries);
  return *R;
}

// ---------------------------------------------------------------------------------------------
// Choosing a property editor

bool IsClassType(PTypeInfo T) noexcept { return T && T->Kind == tkClass; }
bool IsInterfaceType(PTypeInfo T) noexcept { return T && T->Kind == tkInterface; }

// True when `Derived` is a class type whose class inherits from class type `Base`'s.
bool ClassTypeInherits(PTypeInfo Derived, PTypeInfo Base) noexcept {
  return IsClassType(Derived) && IsClassType(Base) && Derived->Data.ClassType &&
         Derived->Data.ClassType->InheritsFrom(Base->Data.ClassType);
}

// True when `Derived` is an interface type that is `Base` or descends from it.
bool InterfaceTypeInherits(PTypeInfo Derived, PTypeInfo Base) noexcept {
  return IsInterfaceType(Derived) && IsInterfaceType(Base) && InterfaceInheritsFrom(Derived, Base);
}

// The facts about the edited property and object that a registration is tested against.
struct TLookup {
  PTypeInfo Type;
  std::string_view Name;
  TPersistent* Obj;
  TClass ObjClass;
  // The object's class group, asked for only when a registration needs it.
  mutable TClass Group = nullptr;
  mutable bool GroupKnown = false;
  TClass ObjGroup() const {
    if (!GroupKnown) {
      Group = ObjClass ? ClassGroupOf(ObjClass) : nullptr;
      GroupKnown = true;
    }
    return Group;
  }
};

bool IsCandidate(const TPropertyClassRec& P, const TLookup& L) {
  const bool TypeOk = P.PropertyType == L.Type || ClassTypeInherits(L.Type, P.PropertyType) ||
                      InterfaceTypeInherits(L.Type, P.PropertyType);
  if (!TypeOk) return false;
  if (P.ComponentClass && !(L.ObjClass && L.ObjClass->InheritsFrom(P.ComponentClass))) return false;
  if (P.ClassGroup && (!L.ObjClass || L.ObjGroup() != P.ClassGroup)) return false;
  return P.PropertyName.empty() || SameText(P.PropertyName, L.Name);
}

// Whether the later (older) candidate `P` replaces the best so far `C`. Each test asks only
// whether `P` has something `C` lacks, so the outcome between an exact-type registration for
// any class and an inherited-type registration for a particular class depends on their order.
bool Replaces(const TPropertyClassRec& C, const TPropertyClassRec& P, PTypeInfo T) noexcept {
  // 1. A component class beats none.
  if (!C.ComponentClass && P.ComponentClass) return true;
  // 2. A property name beats none.
  if (C.PropertyName.empty() && !P.PropertyName.empty()) return true;
  // 3. The exact type beats an inherited one.
  if (C.PropertyType != T && P.PropertyType == T) return true;
  // 4. A more derived type beats its ancestor type.
  if (C.PropertyType != P.PropertyType && (ClassTypeInherits(P.PropertyType, C.PropertyType) ||
                                           InterfaceTypeInherits(P.PropertyType, C.PropertyType)))
    return true;
  // 5. A more derived component class beats its ancestor class.
  return C.ComponentClass && P.ComponentClass && C.ComponentClass != P.ComponentClass &&
         P.ComponentClass->InheritsFrom(C.ComponentClass);
}

bool HasStandardEditor(TTypeKind Kind) noexcept {
  switch (Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkFloat:
    case tkString:
    case tkLString:
    case tkUString:
    case tkSet:
    case tkClass:
    case tkMethod:
    case tkWChar:
    case tkWString:
    case tkVariant:
    case tkInterface:
    case tkInt64:
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------------------------
// The hooks

void DoRegisterPropertyEditor(PTypeInfo PropertyType, TClass ComponentClass, const String& PropertyName,
                              TPropertyEditorClass EditorClass) {
  CheckEditorClass(EditorClass, TBasePropertyEditor::StaticClass(), "property editor");
  TPropertyClassRec R;
  R.Group = CurrentGroup();
  R.PropertyType = PropertyType;
  // A name narrows a registration only together with a class.
  if (ComponentClass) R.PropertyName = PropertyName;
  R.ComponentClass = ComponentClass;
  R.EditorClass = EditorClass;
  InstalledRegistries().PropertyEditors.push_back(std::move(R));
  InvalidatePropertyEditorIndex();
}

void DoSetPropertyEditorGroup(TPropertyEditorClass EditorClass, TPersistentClass GroupClass) {
  auto& L = InstalledRegistries().PropertyEditors;
  for (auto It = L.rbegin(); It != L.rend(); ++It)
    if (It->EditorClass == EditorClass) {
      It->ClassGroup = GroupClass ? ClassGroupOf(GroupClass) : nullptr;
      return;
    }
}

void DoRegisterPropertyMapper(TPropertyMapperFunc Mapper) {
  InstalledRegistries().Mappers.push_back({CurrentGroup(), Mapper});
}

void DoRegisterComponentEditor(TComponentClass ComponentClass, TComponentEditorClass ComponentEditor) {
  CheckEditorClass(ComponentEditor, TBaseComponentEditor::StaticClass(), "component editor");
  InstalledRegistries().ComponentEditors.push_back({CurrentGroup(), ComponentClass, ComponentEditor});
}

void DoRegisterSelectionEditor(TClass AClass, TSelectionEditorClass AEditor) {
  CheckEditorClass(AEditor, TBaseSelectionEditor::StaticClass(), "selection editor");
  InstalledRegistries().SelectionEditors.push_back({CurrentGroup(), AClass, AEditor});
}

void DoRegisterComponentGuidelines(TComponentClass AComponentClass, TComponentGuidelinesClass Guidelines) {
  CheckEditorClass(Guidelines, TBaseComponentGuidelines::StaticClass(), "component guidelines class");
  InstalledRegistries().Guidelines.Register(AComponentClass, Guidelines, CurrentGroup());
}

// Removes the entries of `List` stamped with `Group`.
template <class List, class GroupOf>
void EraseGroup(List& L, int Group, GroupOf G) {
  L.erase(std::remove_if(L.begin(), L.end(), [&](const auto& E) { return G(E) == Group; }), L.end());
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Installation

TEditorRegistries& InstallEditorRegistries(TDesignPackage& Package) {
  TEditorRegistries& R = Package.AddService(std::make_unique<TEditorRegistries>());
  TDesignHooks& H = Package.Hooks;
  H.RegisterPropertyEditorProc = &DoRegisterPropertyEditor;
  H.SetPropertyEditorGroupProc = &DoSetPropertyEditorGroup;
  H.RegisterPropertyMapperProc = &DoRegisterPropertyMapper;
  H.RegisterComponentEditorProc = &DoRegisterComponentEditor;
  H.RegisterSelectionEditorProc = &DoRegisterSelectionEditor;
  H.RegisterComponentGuidelinesProc = &DoRegisterComponentGuidelines;
  // The package's own registrations are made by the editors units once the registries are
  // installed, in a group of the package's own, so that a host unloads them as it unloads any
  // package's (StartEditors, StdEditorReg).
  R.PackageGroup = R.GroupBits.OpenBit();
  R.GroupBits.Set(R.PackageGroup, true);
  Package.CurrentGroup = R.PackageGroup;
  return R;
}

bool DesignEditorsInstalled() noexcept { return Registries() != nullptr; }

int DesignPackageEditorGroup() noexcept {
  const TEditorRegistries* R = Registries();
  return R ? R->PackageGroup : -1;
}

TComponent* GetTopLevelComponent(TComponent* Ignoring) {
  TDesignPackage* P = CurrentDesignPackage();
  return P && P->Hooks.GetTopLevelComponentFunc ? P->Hooks.GetTopLevelComponentFunc(Ignoring) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Defaults

void SetDefaultPropertyEditor(TTypeKind Kind, TPropertyEditorClass EditorClass) {
  if (!HasStandardEditor(Kind)) throw EInvalidArgument(Format(SNoDefaultEditorKind, static_cast<int>(Kind)));
  if (TEditorRegistries* R = Registries()) R->DefaultPropertyEditors[Kind] = EditorClass;
}

TPropertyEditorClass DefaultPropertyEditor(TTypeKind Kind) noexcept {
  const TEditorRegistries* R = Registries();
  return R && Kind <= tkProcedure ? R->DefaultPropertyEditors[Kind] : nullptr;
}

void SetDefaultComponentEditor(TComponentEditorClass EditorClass) noexcept {
  if (TEditorRegistries* R = Registries()) R->DefaultComponentEditor = EditorClass;
}

TComponentEditorClass DefaultComponentEditor() noexcept {
  const TEditorRegistries* R = Registries();
  return R ? R->DefaultComponentEditor : nullptr;
}

void SetDefaultComponentGuidelines(TComponentGuidelinesClass GuidelinesClass) noexcept {
  if (TEditorRegistries* R = Registries()) R->DefaultGuidelines = GuidelinesClass;
}

TComponentGuidelinesClass DefaultComponentGuidelines() noexcept {
  const TEditorRegistries* R = Registries();
  return R ? R->DefaultGuidelines : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Lookups

TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TPersistent* Obj) {
  if (!PropInfo || !PropInfo->PropType) return nullptr;
  const TEditorRegistries* Found = Registries();
  if (!Found) return nullptr;
  const TEditorRegistries& R = *Found;
  for (auto It = R.Mappers.rbegin(); It != R.Mappers.rend(); ++It)
    if (TPropertyEditorClass C = It->Mapper(Obj, PropInfo)) return C;

  const TLookup L{PropInfo->PropType, PropInfo->Name, Obj, Obj ? Obj->ClassType() : nullptr};
  const TPropertyClassRec* Best = nullptr;
  // Only the registrations for the property's type (or an ancestor type) and for no class or an
  // ancestor of the object's class can apply: the index hands those out, newest first.
  for (size_t I : PropertyEditorIndex()->Candidates(R.PropertyEditors, L.Type, L.ObjClass)) {
    const TPropertyClassRec& P = R.PropertyEditors[I];
    if (!IsCandidate(P, L)) continue;
    if (!Best || Replaces(*Best, P, L.Type)) Best = &P;
  }
  return Best ? Best->EditorClass : DefaultPropertyEditor(L.Type->Kind);
}

IPtr<IComponentEditor> GetComponentEditor(TComponent* Component, const IPtr<IDesigner>& Designer) {
  if (!Component) return nullptr;
  const TEditorRegistries* R = Registries();
  if (!R) return nullptr;
  TComponentEditorClass Editor = R->DefaultComponentEditor;
  TClass BestClass = TPersistent::StaticClass();
  const auto& L = R->ComponentEditors;
  for (auto It = L.rbegin(); It != L.rend(); ++It) {
    TClass C = It->ComponentClass;
    if (C && Component->InheritsFrom(C) && C != BestClass && C->InheritsFrom(BestClass)) {
      BestClass = C;
      Editor = It->EditorClass;
    }
  }
  if (!Editor) return nullptr;
  return CreateComponentEditor(Editor, Component, Designer);
}

IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer,
                                               const IPtr<IDesignerSelections>& Selections) {
  IPtr<TSelectionEditorList> List = MakeIntf<TSelectionEditorList>();
  if (!Selections || Selections->GetCount() == 0) return List;
  // The common class of the selected objects.
  TClass Common = nullptr;
  for (int I = 0, N = Selections->GetCount(); I < N; ++I) {
    TPersistent* P = Selections->Get(I);
    if (!P) continue;
    if (!Common) {
      Common = P->ClassType();
      continue;
    }
    while (Common != TObject::StaticClass() && !P->InheritsFrom(Common)) Common = Common->ClassParent();
  }
  const TEditorRegistries* R = Registries();
  if (!Common || !R) return List;
  for (const TSelectionEditorDefinition& D : R->SelectionEditors)
    if (D.FClass && D.FEditor && Common->InheritsFrom(D.FClass))
      List->Add(CreateSelectionEditor(D.FEditor, Designer));
  return List;
}

IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer) {
  IPtr<IDesignerSelections> Selections = CreateSelectionList();
  if (Designer) Designer->GetSelections(Selections);
  return GetSelectionEditors(Designer, Selections);
}

IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer, TComponent* Component) {
  IPtr<IDesignerSelections> Selections = CreateSelectionList();
  if (Component) Selections->Add(Component);
  return GetSelectionEditors(Designer, Selections);
}

IPtr<IComponentGuidelines> GuidelinesFor(const IPtr<IDesigner>& Designer, TComponent* Component,
                                         TComponent* Container) {
  const TEditorRegistries* R = Registries();
  if (!Component || !R) return nullptr;
  TComponentGuidelinesClass GuidelinesClass = nullptr;
  const TClass Stop = TPersistent::StaticClass();
  for (TClass C = Component->ClassType(); C && C != Stop; C = C->ClassParent())
    if (const TComponentGuidelineRec* Head = R->Guidelines.Find(C)) {
      GuidelinesClass = Head->ComponentGuidelinesClass;
      break;
    }
  if (!GuidelinesClass) GuidelinesClass = R->DefaultGuidelines;
  if (!GuidelinesClass) return nullptr;
  IPtr<TBaseComponentGuidelines> G = CreateComponentGuidelines(GuidelinesClass, Designer);
  IPtr<IComponentGuidelines> Result = Supports<IComponentGuidelines>(static_cast<IInterface*>(G.Get()));
  if (!Result) throw EIntfCastError(SIntfNotSupported);
  G->Initialize(Component, Container);
  return Result;
}

// ---------------------------------------------------------------------------------------------
// TSelectionEditorList

TSelectionEditorList::TSelectionEditorList() : FList(MakeIntf<TInterfaceList>()) {}

void TSelectionEditorList::Add(const IPtr<ISelectionEditor>& Editor) { FList->Add(Editor); }

IPtr<ISelectionEditor> TSelectionEditorList::Get(int Index) {
  return Supports<ISelectionEditor>(FList->Get(Index));
}

// ---------------------------------------------------------------------------------------------
// Editor groups

int NewEditorGroup() {
  TEditorRegistries& R = InstalledRegistries();
  const int Group = R.GroupBits.OpenBit();
  R.GroupBits.Set(Group, true);
  SetCurrentGroup(Group);
  return Group;
}

void FreeEditorGroup(int Group) {
  TEditorRegistries* Found = Registries();
  if (!Found) return;
  TEditorRegistries& R = *Found;
  EraseGroup(R.PropertyEditors, Group, [](const TPropertyClassRec& E) { return E.Group; });
  InvalidatePropertyEditorIndex();
  EraseGroup(R.ComponentEditors, Group, [](const TComponentClassRec& E) { return E.Group; });
  EraseGroup(R.Mappers, Group, [](const TPropertyMapperRec& E) { return E.Group; });
  EraseGroup(R.SelectionEditors, Group, [](const TSelectionEditorDefinition& E) { return E.FGroup; });
  R.Guidelines.FreeGroup(Group);
  detail::CallLastFirst([&R] { return static_cast<int>(R.GroupListeners.size()); },
                        [&](int I) { R.GroupListeners[size_t(I)](Group); });
  if (Group >= 0 && Group < R.GroupBits.Size()) R.GroupBits.Set(Group, false);
}

void NotifyGroupChange(TGroupChangeProc AProc) {
  UnnotifyGroupChange(AProc);
  if (AProc) InstalledRegistries().GroupListeners.push_back(AProc);
}

void UnnotifyGroupChange(TGroupChangeProc AProc) {
  TEditorRegistries* R = Registries();
  if (!R) return;
  auto& L = R->GroupListeners;
  L.erase(std::remove(L.begin(), L.end(), AProc), L.end());
}

}  // namespace formwright
