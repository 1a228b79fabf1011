// Registration wrappers of the design contracts, and the creation of
// editors from class values.
#include "contracts/DesignIntf.h"

#include "contracts/Package.h"
#include "contracts/PackageObjects.h"

namespace formwright {

FW_REGISTER_CLASS(TBasePropertyEditor, "DesignIntf")
FW_REGISTER_CLASS(TBaseComponentEditor, "DesignIntf")
FW_REGISTER_CLASS(TBaseSelectionEditor, "DesignIntf")
FW_REGISTER_CLASS(TBaseCustomModule, "DesignIntf")
FW_REGISTER_CLASS(TDragTarget, "DesignIntf")
FW_REGISTER_CLASS(TBaseComponentGuidelines, "DesignIntf")

namespace {

constexpr const char* SNotEditorClass = "Class %s is not a descendant of %s";
constexpr const char* SNoEditorClass = "No class given where a descendant of %s is needed";
constexpr const char* SBadPropertyFilter = "Property filters may only be name, class or type based (%d:%d)";

// Calls the hook `Member` of the current package with the arguments when it is set.
template <auto Member, class... A>
void CallHook(A&&... Args) {
  if (TDesignPackage* P = CurrentDesignPackage())
    if (auto H = P->Hooks.*Member) H(std::forward<A>(Args)...);
}

// The category hook of the current package; null when unset.
TRegisterPropertyInCategoryProc CategoryHook() noexcept {
  TDesignPackage* P = CurrentDesignPackage();
  return P ? P->Hooks.RegisterPropertyInCategoryProc : nullptr;
}

// Creates an instance of `AClass`, which must descend from `Base`, through the factory of the
// signature `Args`; the caller takes the object.
template <class Base, class... Args>
Base* CreateInstance(TClass AClass, Args... A) {
  TClass BaseClass = Base::StaticClass();
  if (!AClass) throw EInvalidCast(Format(SNoEditorClass, BaseClass->ClassName()));
  if (!AClass->InheritsFrom(BaseClass))
    throw EInvalidCast(Format(SNotEditorClass, AClass->ClassName(), BaseClass->ClassName()));
  TObject* Object = AClass->Create<Args...>(A...);
  Base* Result = dynamic_cast<Base*>(Object);
  if (!Result) {
    Object->Free();
    throw EInvalidCast(Format(SNotEditorClass, AClass->ClassName(), BaseClass->ClassName()));
  }
  if constexpr (std::is_base_of_v<TInterfacedObject, Base>) PackageObjectMade(Result);
  return Result;
}

// Hands out the interface `I` of a reference-counted editor just made; an object that does
// not implement it is freed and the call raises.
template <class I, class Base>
IPtr<I> RequireInterface(Base* Object) {
  IPtr<Base> Holder(Object);
  IPtr<I> Result = Supports<I>(static_cast<IInterface*>(Object));
  if (!Result) throw EIntfCastError(SIntfNotSupported);
  return Result;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Creating editors

IPtr<TBasePropertyEditor> CreatePropertyEditor(TPropertyEditorClass EditorClass,
                                               const IPtr<IDesigner>& ADesigner, int APropCount) {
  return IPtr<TBasePropertyEditor>(
      CreateInstance<TBasePropertyEditor, const IPtr<IDesigner>&, int>(EditorClass, ADesigner, APropCount));
}

IPtr<IComponentEditor> CreateComponentEditor(TComponentEditorClass EditorClass, TComponent* AComponent,
                                             const IPtr<IDesigner>& ADesigner) {
  return RequireInterface<IComponentEditor>(
      CreateInstance<TBaseComponentEditor, TComponent*, const IPtr<IDesigner>&>(EditorClass, AComponent,
                                                                                ADesigner));
}

IPtr<ISelectionEditor> CreateSelectionEditor(TSelectionEditorClass EditorClass,
                                             const IPtr<IDesigner>& ADesigner) {
  return RequireInterface<ISelectionEditor>(
      CreateInstance<TBaseSelectionEditor, const IPtr<IDesigner>&>(EditorClass, ADesigner));
}

IPtr<ICustomModule> CreateCustomModule(TCustomModuleClass ModuleClass, TComponent* ARoot,
                                       const IPtr<IDesigner>& ADesigner) {
  return RequireInterface<ICustomModule>(
      CreateInstance<TBaseCustomModule, TComponent*, const IPtr<IDesigner>&>(ModuleClass, ARoot, ADesigner));
}

TOwned<TDragTarget> CreateDragTarget(TDragTargetClass TargetClass, const IPtr<IDesigner>& ADesigner) {
  return TOwned<TDragTarget>(CreateInstance<TDragTarget, const IPtr<IDesigner>&>(TargetClass, ADesigner));
}

IPtr<TBaseComponentGuidelines> CreateComponentGuidelines(TComponentGuidelinesClass GuidelinesClass,
                                                         const IPtr<IDesigner>& ADesigner) {
  return IPtr<TBaseComponentGuidelines>(
      CreateInstance<TBaseComponentGuidelines, const IPtr<IDesigner>&>(GuidelinesClass, ADesigner));
}

// ---------------------------------------------------------------------------------------------
// Registration wrappers

void RegisterPropertyEditor(PTypeInfo PropertyType, TClass ComponentClass, const String& PropertyName,
                            TPropertyEditorClass EditorClass) {
  CallHook<&TDesignHooks::RegisterPropertyEditorProc>(PropertyType, ComponentClass, PropertyName,
                                                      EditorClass);
}

void SetPropertyEditorGroup(TPropertyEditorClass EditorClass, TPersistentClass GroupClass) {
  CallHook<&TDesignHooks::SetPropertyEditorGroupProc>(EditorClass, GroupClass);
}

void UnlistPublishedProperty(TClass ComponentClass, const String& PropertyName) {
  if (!ComponentClass) return;
  if (PPropInfo P = GetPropInfo(ComponentClass, PropertyName))
    RegisterPropertyEditor(P->PropType, ComponentClass, PropertyName, nullptr);
}

void RegisterPropertyMapper(TPropertyMapperFunc Mapper) {
  CallHook<&TDesignHooks::RegisterPropertyMapperProc>(Mapper);
}

void RegisterComponentEditor(TComponentClass ComponentClass, TComponentEditorClass ComponentEditor) {
  CallHook<&TDesignHooks::RegisterComponentEditorProc>(ComponentClass, ComponentEditor);
}

void RegisterSelectionEditor(TClass AClass, TSelectionEditorClass AEditor) {
  CallHook<&TDesignHooks::RegisterSelectionEditorProc>(AClass, AEditor);
}

void RegisterCustomModule(TComponentClass ComponentBaseClass, TCustomModuleClass CustomModuleClass) {
  CallHook<&TDesignHooks::RegisterCustomModuleProc>(CurrentGroup(), ComponentBaseClass, CustomModuleClass);
}

void RegisterComponentGuidelines(TComponentClass AComponentClass,
                                 TComponentGuidelinesClass AComponentGuidelineClass) {
  CallHook<&TDesignHooks::RegisterComponentGuidelinesProc>(AComponentClass, AComponentGuidelineClass);
}

void RegisterPropertyInCategory(const String& CategoryName, const String& PropertyName) {
  CallHook<&TDesignHooks::RegisterPropertyInCategoryProc>(CategoryName, nullptr, nullptr, PropertyName);
}

void RegisterPropertyInCategory(const String& CategoryName, TClass ComponentClass,
                                const String& PropertyName) {
  CallHook<&TDesignHooks::RegisterPropertyInCategoryProc>(CategoryName, ComponentClass, nullptr,
                                                          PropertyName);
}

void RegisterPropertyInCategory(const String& CategoryName, PTypeInfo PropertyType,
                                const String& PropertyName) {
  CallHook<&TDesignHooks::RegisterPropertyInCategoryProc>(CategoryName, nullptr, PropertyType, PropertyName);
}

void RegisterPropertyInCategory(const String& CategoryName, PTypeInfo PropertyType) {
  CallHook<&TDesignHooks::RegisterPropertyInCategoryProc>(CategoryName, nullptr, PropertyType, String());
}

void RegisterPropertiesInCategory(const String& CategoryName, TClass ComponentClass,
                                  const std::vector<String>& Names) {
  for (const String& Name : Names) RegisterPropertyInCategory(CategoryName, ComponentClass, Name);
}

void RegisterPropertiesInCategory(const String& CategoryName, PTypeInfo PropertyType,
                                  const std::vector<String>& Names) {
  for (const String& Name : Names) RegisterPropertyInCategory(CategoryName, PropertyType, Name);
}

void RegisterPropertiesInCategory(const String& CategoryName, std::initializer_list<TVarRec> Filters) {
  // Like every registration routine, nothing at all happens while the hook is unset.
  if (!CategoryHook()) return;
  int Index = 0;
  for (const TVarRec& F : Filters) {
    if (F.Kind() == vtPointer)
      RegisterPropertyInCategory(CategoryName, static_cast<PTypeInfo>(F.AsPointer()));
    else if (F.Kind() == vtClass)
      RegisterPropertyInCategory(CategoryName, F.AsClass(), String());
    else if (F.IsNarrowString())
      RegisterPropertyInCategory(CategoryName, F.AsString());
    else if (F.IsWideString())
      RegisterPropertyInCategory(CategoryName, WideToUtf8(F.AsWideString()));
    else
      throw Exception(Format(SBadPropertyFilter, Index, static_cast<int>(F.Kind())));
    ++Index;
  }
}

void RegisterDesignNotification(const IPtr<IDesignNotification>& DesignNotification) {
  CallHook<&TDesignHooks::RegisterDesignNotificationProc>(DesignNotification);
}

void UnregisterDesignNotification(const IPtr<IDesignNotification>& DesignNotification) {
  CallHook<&TDesignHooks::UnregisterDesignNotificationProc>(DesignNotification);
}

void ForceDemandLoadState(TDemandLoadState DemandLoadState) {
  CallHook<&TDesignHooks::ForceDemandLoadStateProc>(DemandLoadState);
}

void EnableDemandLoadReport(bool Detailed) { CallHook<&TDesignHooks::EnableDemandLoadReportProc>(Detailed); }

void RegisterDragTarget(const String& SourceName, TDragTargetClass TargetClass) {
  CallHook<&TDesignHooks::RegisterDragTargetProc>(SourceName, TargetClass);
}

void RegisterDesignDragObject(TDragObjectClass DragObjectClass) {
  CallHook<&TDesignHooks::RegisterDesignDragObjectProc>(DragObjectClass);
}

void RegisterIDropTarget(const IPtr<IDropTarget>& ADropTarget) {
  CallHook<&TDesignHooks::RegisterIDropTargetProc>(ADropTarget);
}

}  // namespace formwright
