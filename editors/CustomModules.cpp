#include "editors/CustomModules.h"

#include "editors/PropertyEditors.h"

namespace formwright {

FW_REGISTER_CLASS(TCustomModule, "DesignEditors")
FW_REGISTER_CLASS(TDesignerOleDropTarget, "DesignEditors")

namespace {

constexpr const char* sClassNotApplicable = "Class %s is not applicable to this module";

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomModule

TCustomModule::TCustomModule(TComponent* ARoot, const IPtr<IDesigner>& ADesigner)
    : TBaseCustomModule(ARoot, ADesigner), FRoot(ARoot), FDesigner(ADesigner) {}

TCustomModule::~TCustomModule() = default;

void TCustomModule::DeclarePublished(TClassBuilder<TCustomModule>& C) { DeclareEditorFactory(C); }

TPersistentClass TCustomModule::GetFinderClass() {
  if (!FRoot) return nullptr;
  return FRoot->Owner() ? FRoot->Owner()->ClassType() : FRoot->ClassType();
}

void TCustomModule::ExecuteVerb(int) {}

TCustomModuleAttributes TCustomModule::GetAttributes() { return {}; }

String TCustomModule::GetVerb(int) { return {}; }

int TCustomModule::GetVerbCount() { return 0; }

void TCustomModule::Saving() {}

void TCustomModule::PrepareItem(int, const IPtr<IMenuItem>&) {}

void TCustomModule::ValidateComponent(TComponent* Component) {
  if (!Component) return;
  if (!ValidateComponentClass(Component->ClassType()))
    throw ENonAIRException(Format(sClassNotApplicable, Component->ClassName()));
}

bool TCustomModule::ValidateComponentClass(TComponentClass ComponentClass) {
  const TClass FinderClass = GetFinderClass();
  if (!FFinder || FFinderClass != FinderClass) {
    FFinder.reset();
    FFinder = std::make_unique<TClassFinder>(FinderClass, false);
    FFinderClass = FinderClass;
  }
  // A designed module's class is made at run time (it has no C++ type) and is judged by its
  // nearest compiled ancestor.
  TClass C = ComponentClass;
  while (C && !C->CppType) C = C->ClassParent();
  return C && FFinder->GetClass(C->ClassName()) == C;
}

bool TCustomModule::Nestable() { return false; }

// ---------------------------------------------------------------------------------------------
// TDesignerOleDropTarget

TDesignerOleDropTarget::TDesignerOleDropTarget(const IPtr<IDropTarget>& AOldDropTarget)
    : FOldDropTarget(AOldDropTarget) {}

int32_t TDesignerOleDropTarget::DragEnter(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt,
                                          uint32_t& Effect) {
  return FOldDropTarget ? FOldDropTarget->DragEnter(DataObj, KeyState, Pt, Effect) : 0;
}

int32_t TDesignerOleDropTarget::DragOver(uint32_t KeyState, TPoint Pt, uint32_t& Effect) {
  return FOldDropTarget ? FOldDropTarget->DragOver(KeyState, Pt, Effect) : 0;
}

int32_t TDesignerOleDropTarget::DragLeave() { return FOldDropTarget ? FOldDropTarget->DragLeave() : 0; }

int32_t TDesignerOleDropTarget::Drop(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt,
                                     uint32_t& Effect) {
  return FOldDropTarget ? FOldDropTarget->Drop(DataObj, KeyState, Pt, Effect) : 0;
}

// ---------------------------------------------------------------------------------------------
// Class names

bool ClassInheritsFrom(TClass ClassType, const String& ClassName) {
  for (TClass C = ClassType; C; C = C->ClassParent())
    if (C->ClassNameIs(ClassName)) return true;
  return false;
}

bool AncestorNameMatches(TClass ClassType, TClass AncestorClass) {
  if (ClassType && ClassType->InheritsFrom(AncestorClass)) return true;
  return !AncestorClass || !ClassInheritsFrom(ClassType, AncestorClass->ClassName());
}

}  // namespace formwright
