// Whether a property editor's value is the one a stream writer would leave out. The writer
// compares each inherited component with its counterpart in the ancestor module; the editor
// finds that counterpart by walking the module in the writer's order.
#include "editors/PropertyEditors.h"
#include "platform/runtime/Collections.h"

namespace formwright {

namespace {

// Restores a variable when the scope ends.
template <class T>
class TKeepValue {
 public:
  explicit TKeepValue(T& Var) : FVar(Var), FSaved(Var) {}
  ~TKeepValue() { FVar = FSaved; }
  TKeepValue(const TKeepValue&) = delete;
  TKeepValue& operator=(const TKeepValue&) = delete;

 private:
  T& FVar;
  T FSaved;
};

bool IsSubComponent(const TComponent* C) noexcept {
  return C && C->ComponentStyle().Contains(csSubComponent);
}

// The owned component named `Name` in `Owner`'s ownership tree: each level is asked first,
// then its components in order, depth first.
TComponent* FindOwnedComponent(TComponent* Owner, const String& Name) {
  if (!Owner) return nullptr;
  if (TComponent* C = Owner->FindComponent(Name)) return C;
  for (TComponent* C : Owner->ComponentList())
    if (TComponent* Found = FindOwnedComponent(C, Name)) return Found;
  return nullptr;
}

// The ancestor's object for property `P` of an object whose ancestor is `Ancestor`.
TPersistent* AncestorObject(TPersistent* Ancestor, PPropInfo P) {
  if (!Ancestor) return nullptr;
  PPropInfo AP = GetPropInfo(Ancestor, P->Name);
  if (!AP || AP->PropType != P->PropType || !AP->CanRead()) return nullptr;
  return As<TPersistent>(GetObjectProp(Ancestor, AP));
}

// True when the writer streams the object of a class-typed property as nested properties
// (a persistent that is not a component, or a sub-component) rather than as a reference.
bool IsNestedObject(TObject* Obj) {
  auto* C = As<TComponent>(Obj);
  return As<TPersistent>(Obj) && (!C || IsSubComponent(C));
}

}  // namespace

TGetLookupInfoEvent TPropertyEditor::LookupInfo() {
  return
      [this](TPersistent*& Ancestor, TComponent*& Root, TComponent*& LookupRoot, TComponent*& RootAncestor) {
        Ancestor = FAncestor;
        Root = FRoot;
        LookupRoot = FRoot;
        RootAncestor = FRootAncestor;
      };
}

bool TPropertyEditor::GetIsDefault() {
  if (!FDesigner || FPropCount == 0) return true;
  if (!AllEqual()) return false;
  TPersistent* Instance = FPropList[0].Instance;
  PPropInfo P = FPropList[0].PropInfo;
  if (!IsStoredProp(Instance, P)) return true;

  // The tracking fields mean something only during this call.
  TKeepValue KeepAncestor(FAncestor);
  TKeepValue KeepRoot(FRoot);
  TKeepValue KeepRootAncestor(FRootAncestor);
  TKeepValue KeepLookingFor(FLookingFor);
  TKeepValue KeepDone(FDoneLooking);

  IPtr<IDesigner> AncestorDesigner = FDesigner->GetAncestorDesigner();
  FRootAncestor = AncestorDesigner ? AncestorDesigner->GetRoot() : nullptr;
  FAncestor = FRootAncestor;
  FRoot = FDesigner->GetRoot();

  auto* Comp = As<TComponent>(Instance);
  if (Comp && Comp->ComponentState().Contains(csAncestor)) {
    FLookingFor = Comp;
    FDoneLooking = false;
    if (IsSubComponent(Comp)) {
      const String SubName = Comp->Name();
      while (IsSubComponent(FLookingFor) && FLookingFor->Owner()) FLookingFor = FLookingFor->Owner();
      if (FRoot) WriteComponentSimulation(FRoot);
      FAncestor = FDoneLooking ? FindOwnedComponent(As<TComponent>(FAncestor), SubName) : nullptr;
    } else {
      if (FRoot) WriteComponentSimulation(FRoot);
      // A component the ancestor module does not have is compared with declared defaults.
      if (!FDoneLooking) FAncestor = nullptr;
    }
  } else {
    FAncestor = nullptr;
    FRootAncestor = nullptr;
  }

  bool Result = IsDefaultPropertyValue(Instance, P, LookupInfo());
  if (!Result && P->Kind() == tkClass) {
    TObject* Obj = GetObjectProp(Instance, P);
    // A reference to another component is a value of its own; only objects the writer
    // streams as nested properties are compared property by property.
    if (IsNestedObject(Obj)) {
      TPersistent* AncestorObj =
          AncestorIsValid(FAncestor, FRoot, FRootAncestor) ? AncestorObject(FAncestor, P) : nullptr;
      Result = SubObjectIsDefault(As<TPersistent>(Obj), AncestorObj);
    }
  }
  return Result;
}

// True when the writer would write nothing for the nested object `Obj` whose ancestor object
// is `AncestorObj` (null when none): every published property is default, nested objects
// recursively, and a collection equals the ancestor's (or, without one, is empty).
bool TPropertyEditor::SubObjectIsDefault(TPersistent* Obj, TPersistent* AncestorObj) {
  TKeepValue KeepAncestor(FAncestor);
  FAncestor = AncestorObj && AncestorObj->ClassType() == Obj->ClassType() ? AncestorObj : nullptr;
  for (PPropInfo SP : GetPropList(Obj->ClassType(), tkAny)) {
    if (!IsStoredProp(Obj, SP) || IsDefaultPropertyValue(Obj, SP, LookupInfo())) continue;
    if (SP->Kind() != tkClass || !SP->CanRead()) return false;
    TObject* Sub = GetObjectProp(Obj, SP);
    if (!IsNestedObject(Sub)) return false;
    if (!SubObjectIsDefault(As<TPersistent>(Sub), AncestorObject(FAncestor, SP))) return false;
  }
  if (auto* Coll = As<TCollection>(Obj)) {
    // Items are streamed as a whole: the collection is default when it streams like the
    // ancestor's, or, without an ancestor, when it is empty (as the writer decides).
    auto* AncestorColl = As<TCollection>(FAncestor);
    return AncestorColl ? CollectionsEqual(Coll, AncestorColl, FRoot, FRootAncestor) : Coll->Count() == 0;
  }
  return true;
}

void TPropertyEditor::WriteComponentSimulation(TComponent* Component) {
  if (FDoneLooking) return;
  TComponent* const SavedRoot = FRoot;
  TComponent* const SavedRootAncestor = FRootAncestor;
  TPersistent* const SavedAncestor = FAncestor;
  if (FAncestorList) {
    FAncestor = nullptr;
    for (TComponent* A : *FAncestorList)
      if (SameText(A->Name(), Component->Name())) {
        FAncestor = A;
        break;
      }
  }
  if (Component == FLookingFor ||
      (FLookingFor && !Component->Name().empty() && SameText(Component->Name(), FLookingFor->Name()))) {
    FDoneLooking = true;
    return;
  }
  // A module embedded from another designed module (its class exists only at design time)
  // has its own ancestor: the root of that module.
  if (!FAncestor && Component != FRoot && !Component->ClassType()->CppType && FDesigner) {
    if (TComponent* A = FDesigner->FindRootAncestor(Component->ClassName())) {
      FAncestor = A;
      FRootAncestor = A;
    }
  }

  std::vector<TComponent*>* const SavedList = FAncestorList;
  std::vector<TComponent*> Children;
  FAncestorList = &Children;
  try {
    if (auto* A = As<TComponent>(FAncestor)) {
      if (A->ComponentState().Contains(csInline)) FRootAncestor = A;
      A->GetChildren([&Children](TComponent* C) { Children.push_back(C); }, FRootAncestor);
    }
    if (Component->ComponentState().Contains(csInline)) FRoot = Component;
    Component->GetChildren([this](TComponent* C) { WriteComponentSimulation(C); }, FRoot);
  } catch (...) {
    FAncestorList = SavedList;
    throw;
  }
  FAncestorList = SavedList;
  if (!FDoneLooking) {
    FRoot = SavedRoot;
    FRootAncestor = SavedRootAncestor;
    FAncestor = SavedAncestor;
  }
}

}  // namespace formwright
