// The contract shared by the host IDE, the designer package and every component package
// that brings editors of its own: the design interfaces, the abstract editor base classes,
// small helper classes and the registration routines.
//
// Each registration routine is a thin wrapper over a replaceable hook variable of the current
// package (contracts/Package.h) named after it with `Proc` appended. The unit that implements a
// registry sets the hook when the package starts; a routine called while its hook is unset, or
// while there is no package, does nothing.
//
// Writing an editor: derive from the family's base class (usually through the richer base of
// the editors unit), declare the class with FW_CLASS and give it
//
//   static void DeclarePublished(TClassBuilder<TMyEditor>& C) { DeclareEditorFactory(C); }
//
// so that a registry can create it from its class value. The constructor signature of each
// family is fixed:
//
//   property editors        (const IPtr<IDesigner>& ADesigner, int APropCount)
//   component editors       (TComponent* AComponent, const IPtr<IDesigner>& ADesigner)
//   selection editors       (const IPtr<IDesigner>& ADesigner)
//   custom modules          (TComponent* ARoot, const IPtr<IDesigner>& ADesigner)
//   drag targets            (const IPtr<IDesigner>& ADesigner)
//   component guidelines    (const IPtr<IDesigner>& ADesigner)
#pragma once

#include <initializer_list>
#include <type_traits>
#include <vector>

#include "contracts/DesignTypes.h"
#include "contracts/DesignerIntf.h"
#include "contracts/EditorIntf.h"
#include "contracts/PropertyIntf.h"
#include "contracts/VarRec.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Abstract editor base classes

// Base of every property editor. Stores nothing itself; the editors unit's TPropertyEditor
// keeps the designer and the edited objects.
class TBasePropertyEditor : public TInterfacedObject {
  FW_CLASS(TBasePropertyEditor, TInterfacedObject)
 public:
  TBasePropertyEditor(const IPtr<IDesigner>& ADesigner, int APropCount) {}
  // Called once every entry is set, before the editor is handed out.
  virtual void Initialize() = 0;
  // Makes entry `Index` edit property `APropInfo` of `AInstance`.
  virtual void SetPropEntry(int Index, TPersistent* AInstance, PPropInfo APropInfo) = 0;
};

// Base of every component editor (see IComponentEditor).
class TBaseComponentEditor : public TInterfacedObject {
  FW_CLASS(TBaseComponentEditor, TInterfacedObject)
 public:
  TBaseComponentEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner) {}
};

// Base of every selection editor (see ISelectionEditor).
class TBaseSelectionEditor : public TInterfacedObject {
  FW_CLASS(TBaseSelectionEditor, TInterfacedObject)
 public:
  explicit TBaseSelectionEditor(const IPtr<IDesigner>& ADesigner) {}
};

// Base of every custom module (see ICustomModule).
class TBaseCustomModule : public TInterfacedObject {
  FW_CLASS(TBaseCustomModule, TInterfacedObject)
 public:
  TBaseCustomModule(TComponent* ARoot, const IPtr<IDesigner>& ADesigner) {}
  // The framework class whose design window hosts roots of this kind; null in the base.
  virtual TClass DesignClass() { return nullptr; }
};

// Accepts objects dragged from a named source (for example a tool window) onto a design
// surface. A plain object, owned by whoever created it.
class TDragTarget : public TObject {
  FW_CLASS(TDragTarget, TObject)
 public:
  explicit TDragTarget(const IPtr<IDesigner>& ADesigner) : FDesigner(ADesigner) {}
  // True when `Source` may be dropped on `Target` at client point (X, Y).
  virtual bool DragOver(TObject* Target, TObject* Source, int X, int Y) = 0;
  // Drops `Source` on `Target` at client point (X, Y).
  virtual void DragDrop(TObject* Target, TObject* Source, int X, int Y) = 0;
  const IPtr<IDesigner>& Designer() const noexcept { return FDesigner; }

 protected:
  IPtr<IDesigner> FDesigner;
};

// Base of the classes that compute a component's alignment guidelines; the object made for
// a component must implement IComponentGuidelines.
class TBaseComponentGuidelines : public TInterfacedObject {
  FW_CLASS(TBaseComponentGuidelines, TInterfacedObject)
 public:
  explicit TBaseComponentGuidelines(const IPtr<IDesigner>& ADesigner) : FDesigner(ADesigner) {}
  // Computes the guidelines of `AComponent` placed in `AContainer`.
  virtual void Initialize(TComponent* AComponent, TComponent* AContainer) = 0;
  const IPtr<IDesigner>& Designer() const noexcept { return FDesigner; }

 protected:
  IPtr<IDesigner> FDesigner;
};

// Registers the family's constructor signature (see the head of this file) as a factory of
// the editor class `C`. Call it from the class's DeclarePublished.
template <class C>
void DeclareEditorFactory(TClassBuilder<C>& B) {
  if constexpr (std::is_base_of_v<TBasePropertyEditor, C>) {
    B.template Factory<const IPtr<IDesigner>&, int>();
  } else if constexpr (std::is_base_of_v<TBaseComponentEditor, C> ||
                       std::is_base_of_v<TBaseCustomModule, C>) {
    B.template Factory<TComponent*, const IPtr<IDesigner>&>();
  } else {
    static_assert(std::is_base_of_v<TBaseSelectionEditor, C> || std::is_base_of_v<TDragTarget, C> ||
                      std::is_base_of_v<TBaseComponentGuidelines, C>,
                  "DeclareEditorFactory needs an editor class");
    B.template Factory<const IPtr<IDesigner>&>();
  }
}

// Creating editors from class values. Each raises EInvalidCast when the class is null or not
// of the family, EInvalidOperation when it registered no factory of the family's signature,
// and EIntfCastError when the object does not implement the family's interface (the object
// is freed again).
IPtr<TBasePropertyEditor> CreatePropertyEditor(TPropertyEditorClass EditorClass,
                                               const IPtr<IDesigner>& ADesigner, int APropCount);
IPtr<IComponentEditor> CreateComponentEditor(TComponentEditorClass EditorClass, TComponent* AComponent,
                                             const IPtr<IDesigner>& ADesigner);
IPtr<ISelectionEditor> CreateSelectionEditor(TSelectionEditorClass EditorClass,
                                             const IPtr<IDesigner>& ADesigner);
IPtr<ICustomModule> CreateCustomModule(TCustomModuleClass ModuleClass, TComponent* ARoot,
                                       const IPtr<IDesigner>& ADesigner);
TOwned<TDragTarget> CreateDragTarget(TDragTargetClass TargetClass, const IPtr<IDesigner>& ADesigner);
IPtr<TBaseComponentGuidelines> CreateComponentGuidelines(TComponentGuidelinesClass GuidelinesClass,
                                                         const IPtr<IDesigner>& ADesigner);

// ---------------------------------------------------------------------------------------------
// Helper classes

// The signature of an event type, read from method type data.
class TEventInfo : public TInterfacedObject, public IEventInfo {
  FW_CLASS(TEventInfo, TInterfacedObject)
 public:
  // From the type of an event property; raises EInvalidArgument for null or a property that
  // is not an event.
  explicit TEventInfo(PPropInfo PropInfo);
  // From method type data; raises EInvalidArgument for null.
  explicit TEventInfo(PTypeData TypeData);

  TMethodKind GetMethodKind() override { return FMethodKind; }
  int GetParamCount() override { return static_cast<int>(FParamNames.size()); }
  // The three raise EListError for an index out of range.
  String GetParamName(int Index) override;
  String GetParamType(int Index) override;
  TParamFlags GetParamFlags(int Index) override;
  String GetResultType() override { return FResultType; }

 private:
  void Initialize(PTypeData TypeData);
  void CheckIndex(int Index) const;

  TMethodKind FMethodKind = mkProcedure;
  std::vector<String> FParamNames;
  std::vector<String> FParamTypes;
  std::vector<TParamFlags> FParamFlags;
  String FResultType;
};

// An ordered list of persistents that does not own them.
class TDesignerSelections : public TInterfacedObject, public IDesignerSelections {
  FW_CLASS(TDesignerSelections, TInterfacedObject)
 public:
  TDesignerSelections() = default;
  // A list holding every item of `Selection` in its order (empty for null).
  explicit TDesignerSelections(const IPtr<IDesignerSelections>& Selection);

  int Add(TPersistent* Item) override { return FList.Add(Item); }
  bool Equals(const IPtr<IDesignerSelections>& List) override;
  TPersistent* Get(int Index) override { return static_cast<TPersistent*>(FList.Get(Index)); }
  IPtr<IDesignObject> GetDesignObject(int Index) override;
  int GetCount() override { return FList.Count(); }

 private:
  TList FList;
};

// A persistent seen as a design object.
class TDesignObject : public TInterfacedObject, public IDesignPersistent {
  FW_CLASS(TDesignObject, TInterfacedObject)
 public:
  // Raises EInvalidArgument for null.
  explicit TDesignObject(TPersistent* APersistent);

  bool Equals(TObject* Obj) override { return Obj == FPersistent; }
  bool Equals(const IPtr<IDesignObject>& Other) override;
  IPtr<IClass> GetClassType() override;
  String GetClassName() override { return FPersistent->ClassName(); }
  int GetComponentIndex() override;
  String GetComponentName() override;
  bool GetIsComponent() override;
  String GetNamePath() override { return FPersistent->GetNamePath(); }
  TPersistent* GetPersistent() override { return FPersistent; }

 private:
  TPersistent* FPersistent;
};

// A class value seen as IClass.
class TClassWrapper : public TInterfacedObject, public IClass {
  FW_CLASS(TClassWrapper, TInterfacedObject)
 public:
  // Raises EInvalidArgument for null.
  explicit TClassWrapper(TClass AClass);

  bool ClassNameIs(const String& AClassName) override { return FClass->ClassNameIs(AClassName); }
  String GetClassName() override { return FClass->ClassName(); }
  String GetUnitName() override { return FClass->UnitName(); }
  IPtr<IClass> GetClassParent() override;

 private:
  TClass FClass;
};

// A new, empty selection list.
IPtr<IDesignerSelections> CreateSelectionList();
// `APersistent` wrapped in a new design object (null for null).
IPtr<IDesignObject> PersistentToDesignObject(TPersistent* APersistent);

// ---------------------------------------------------------------------------------------------
// Registration hooks (the hook variables are fields of the package object, contracts/Package.h)

using TRegisterPropertyEditorProc = void (*)(PTypeInfo PropertyType, TClass ComponentClass,
                                             const String& PropertyName, TPropertyEditorClass EditorClass);
using TSetPropertyEditorGroupProc = void (*)(TPropertyEditorClass EditorClass, TPersistentClass GroupClass);
using TRegisterPropertyInCategoryProc = void (*)(const String& CategoryName, TClass ComponentClass,
                                                 PTypeInfo PropertyType, const String& PropertyName);
using TRegisterPropertyMapperProc = void (*)(TPropertyMapperFunc Mapper);
using TRegisterComponentEditorProc = void (*)(TComponentClass ComponentClass,
                                              TComponentEditorClass ComponentEditor);
using TRegisterSelectionEditorProc = void (*)(TClass AClass, TSelectionEditorClass AEditor);
using TRegisterCustomModuleProc = void (*)(int Group, TComponentClass ComponentBaseClass,
                                           TCustomModuleClass CustomModuleClass);
using TRegisterDesignNotification = void (*)(const IPtr<IDesignNotification>& DesignNotification);
using TForceDemandLoadStateProc = void (*)(TDemandLoadState DemandLoadState);
using TEnableDemandLoadReportProc = void (*)(bool Detailed);
using TRegisterDragTargetProc = void (*)(const String& SourceName, TDragTargetClass TargetClass);
using TRegisterDesignDragObject = void (*)(TDragObjectClass DragObjectClass);
using TRegisterIDropTarget = void (*)(const IPtr<IDropTarget>& ADropTarget);
using TRegisterComponentGuidelines = void (*)(TComponentClass AComponentClass,
                                              TComponentGuidelinesClass AComponentGuidelineClass);

// ---------------------------------------------------------------------------------------------
// Registration routines

// Makes `EditorClass` edit properties of type `PropertyType` (and, for class and interface
// types, of descendant types) of `ComponentClass` and its descendants (null: any class)
// named `PropertyName` (empty: any name). A null editor class unlists the property.
void RegisterPropertyEditor(PTypeInfo PropertyType, TClass ComponentClass, const String& PropertyName,
                            TPropertyEditorClass EditorClass);
// Restricts the newest registration of `EditorClass` to objects of the class group of
// `GroupClass`.
void SetPropertyEditorGroup(TPropertyEditorClass EditorClass, TPersistentClass GroupClass);
// Hides published property `PropertyName` of `ComponentClass` (and its descendants) from the
// inspector; nothing when the class has no such property.
void UnlistPublishedProperty(TClass ComponentClass, const String& PropertyName);
// Adds a function that may choose an editor before the registered ones are consulted.
void RegisterPropertyMapper(TPropertyMapperFunc Mapper);
void RegisterComponentEditor(TComponentClass ComponentClass, TComponentEditorClass ComponentEditor);
void RegisterSelectionEditor(TClass AClass, TSelectionEditorClass AEditor);
// Makes `CustomModuleClass` adapt the designer to roots derived from `ComponentBaseClass`;
// stamped with the current editor group.
void RegisterCustomModule(TComponentClass ComponentBaseClass, TCustomModuleClass CustomModuleClass);
void RegisterComponentGuidelines(TComponentClass AComponentClass,
                                 TComponentGuidelinesClass AComponentGuidelineClass);

// Property categories: a property matches by name (wildcards allowed), component class and
// property type; a missing part matches anything.
void RegisterPropertyInCategory(const String& CategoryName, const String& PropertyName);
void RegisterPropertyInCategory(const String& CategoryName, TClass ComponentClass,
                                const String& PropertyName);
void RegisterPropertyInCategory(const String& CategoryName, PTypeInfo PropertyType,
                                const String& PropertyName);
void RegisterPropertyInCategory(const String& CategoryName, PTypeInfo PropertyType);
void RegisterPropertiesInCategory(const String& CategoryName, TClass ComponentClass,
                                  const std::vector<String>& Names);
void RegisterPropertiesInCategory(const String& CategoryName, PTypeInfo PropertyType,
                                  const std::vector<String>& Names);
// One registration per element: type information (a pointer) as the property type, a class
// as the component class, a string as the property name. Any other element raises Exception
// ("Property filters may only be name, class or type based (%d:%d)": index, kind code); the
// elements before it stay registered.
void RegisterPropertiesInCategory(const String& CategoryName, std::initializer_list<TVarRec> Filters);

void RegisterDesignNotification(const IPtr<IDesignNotification>& DesignNotification);
void UnregisterDesignNotification(const IPtr<IDesignNotification>& DesignNotification);
void ForceDemandLoadState(TDemandLoadState DemandLoadState);
void EnableDemandLoadReport(bool Detailed);
void RegisterDragTarget(const String& SourceName, TDragTargetClass TargetClass);
void RegisterDesignDragObject(TDragObjectClass DragObjectClass);
void RegisterIDropTarget(const IPtr<IDropTarget>& ADropTarget);

}  // namespace formwright
