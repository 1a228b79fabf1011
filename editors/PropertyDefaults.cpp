// Whether a property editor's value is the one a stream writer would leave out. The writer
// compares each inherited component with its counterpart in the ancestor module; the editor
// finds that counterpart by walking the module in the writer's order.
#include "editors/PropertyEditors.h"
#include "platform/runtime/Collections.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

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
  TValueScope KeepAncestor(FAncestor);
  TValueScope KeepRoot(FRoot);
  TValueScope KeepRootAncestor(FRootAncestor);
  TValueScope KeepLookingFor(FLookingFor);
  TValueScope KeepDone(FDoneLooking);

  IPtr<IDesigner> AncestorDesigner = FDesigner->GetAncestorDesigner();
  FRootAncestor = AncestorDesigner ? AncestorDesigner->GetRoot() : nullptr;
  FAncestor = FRootAncestor;
  FRoot = FDesigner->GetRoot();

  auto* Comp = As<TComponent>(Instance);
  if (Comp && Comp->ComponentState().Contains(csAncestor)) {
    // When the search does not reach the component, FAncestor stays what it was: the ancestor
    // root, against which the writer would compare it too.
    FLookingFor = Comp;
    FDoneLooking = false;
    if (IsSubComponent(Comp)) {
      const String SubName = Comp->Name();
      while (IsSubComponent(FLookingFor) && FLookingFor->Owner()) FLookingFor = FLookingFor->Owner();
      if (FRoot) WriteComponentSimulation(FRoot);
      FAncestor = FindOwnedComponent(As<TComponent>(FAncestor), SubName);
    } else if (FRoot) {
      WriteComponentSimulation(FRoot);
    }
  } else {
    FAncestor = nullptr;
    FRootAncestor = nullptr;
  }

  bool Result = IsDefaultPropertyValue(Instance, P, LookupInfo());
  if (!Result && P->Kind() == tkClass) {
    if (auto* Obj = As<TPersistent>(GetObjectProp(Instance, P))) {
      const bool Valid = AncestorIsValid(FAncestor, FRoot, FRootAncestor);
      TValueScope KeepObjectAncestor(FAncestor);
      if (Valid) FAncestor = AncestorObject(FAncestor, P);
      // One level only: each published property of the object as the writer would judge it.
      Result = true;
      for (PPropInfo SP : GetPropList(Obj->ClassType(), tkAny))
        if (!IsDefaultPropertyValue(Obj, SP, LookupInfo())) {
          Result = false;
          break;
        }
      // Items are streamed as a whole: only a collection that streams like the ancestor's is
      // left out.
      if (auto* Coll = As<TCollection>(Obj)) {
        auto* AncestorColl = As<TCollection>(FAncestor);
        Result =
            Result && Valid && AncestorColl && CollectionsEqual(Coll, AncestorColl, FRoot, FRootAncestor);
      }
    }
  }
  return Result;
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
