// The designer of a module as editors see it (IDesigner and its versions), and the small
// interfaces that describe designed objects, their classes, selections and event types.
#pragma once

#include "contracts/DesignTypes.h"

namespace formwright {

struct IDesigner;
class TCustomIniFile;

// The signature of an event type: method kind, parameters and result.
struct IEventInfo : virtual IInterface {
  FW_INTERFACE(IEventInfo, IInterface, "{D51E2A10-0201-4F3B-9C6E-5A1B00000101}")
  virtual TMethodKind GetMethodKind() = 0;
  virtual int GetParamCount() = 0;
  virtual String GetParamName(int Index) = 0;
  virtual String GetParamType(int Index) = 0;
  virtual TParamFlags GetParamFlags(int Index) = 0;
  // The result type name; empty for a procedure.
  virtual String GetResultType() = 0;
};

// A class as seen across the package boundary.
struct IClass : virtual IInterface {
  FW_INTERFACE(IClass, IInterface, "{D51E2A10-0202-4F3B-9C6E-5A1B00000102}")
  // True when the class's name is `AClassName`, ignoring case.
  virtual bool ClassNameIs(const String& AClassName) = 0;
  virtual String GetClassName() = 0;
  virtual String GetUnitName() = 0;
  // The parent class; null for the root of the hierarchy.
  virtual IPtr<IClass> GetClassParent() = 0;
};

// A designed object as seen across the package boundary.
struct IDesignObject : virtual IInterface {
  FW_INTERFACE(IDesignObject, IInterface, "{D51E2A10-0203-4F3B-9C6E-5A1B00000103}")
  // True when `Obj` is the designed object itself.
  virtual bool Equals(TObject* Obj) = 0;
  // True when `Other` stands for the same designed object.
  virtual bool Equals(const IPtr<IDesignObject>& Other) = 0;
  virtual IPtr<IClass> GetClassType() = 0;
  virtual String GetClassName() = 0;
  // The index among the owner's components; -1 for an object that is not a component.
  virtual int GetComponentIndex() = 0;
  // The component's name; the class name for an object that is not a component.
  virtual String GetComponentName() = 0;
  virtual bool GetIsComponent() = 0;
  virtual String GetNamePath() = 0;
};

// A designed object that is a persistent of this process.
struct IDesignPersistent : virtual IDesignObject {
  FW_INTERFACE(IDesignPersistent, IDesignObject, "{D51E2A10-0204-4F3B-9C6E-5A1B00000104}")
  virtual TPersistent* GetPersistent() = 0;
};

// An ordered list of persistent objects, the form in which selections are handed over. The
// list does not own its objects.
struct IDesignerSelections : virtual IInterface {
  FW_INTERFACE(IDesignerSelections, IInterface, "{D51E2A10-0205-4F3B-9C6E-5A1B00000105}")
  // Appends `Item` and returns its index (also when it is already listed).
  virtual int Add(TPersistent* Item) = 0;
  // True when both lists hold the identical objects in the same order.
  virtual bool Equals(const IPtr<IDesignerSelections>& List) = 0;
  // Raises EListError for an index out of range.
  virtual TPersistent* Get(int Index) = 0;
  virtual IPtr<IDesignObject> GetDesignObject(int Index) = 0;
  virtual int GetCount() = 0;
};

// A design window that can be brought back after a modal edit.
struct IActivatable : virtual IInterface {
  FW_INTERFACE(IActivatable, IInterface, "{D51E2A10-0206-4F3B-9C6E-5A1B00000106}")
  virtual void Activate() = 0;
};

// The designer of one open module, through which editors reach the module they edit: event
// methods in its source, names of its components, its selection, clipboard and modification.
// Implemented by the module root; every call happens on the host's main thread.
struct IDesigner60 : virtual IInterface {
  FW_INTERFACE(IDesigner60, IInterface, "{D51E2A10-0260-4F3B-9C6E-5A1B00000160}")
  // Brings the module's design window to the front.
  virtual void Activate() = 0;
  // The design changed; called after every value change.
  virtual void Modified() = 0;
  // Creates a handler `Name` of the event type in the module's source and returns a method
  // value bound to the root.
  virtual TMethod CreateMethod(const String& Name, PTypeData TypeData) = 0;
  virtual TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) = 0;
  // The name of the handler `Method` points at; empty for none.
  virtual String GetMethodName(const TMethod& Method) = 0;
  // Passes the name of every handler compatible with the event type to `Proc`.
  virtual void GetMethods(PTypeData TypeData, const TGetStrProc& Proc) = 0;
  virtual void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) = 0;
  // The project's output path and executable name without extension.
  virtual String GetPathAndBaseExeName() = 0;
  // A directory private to the module, for editors that keep files beside it.
  virtual String GetPrivateDirectory() = 0;
  // The host's key under which editor windows keep their settings.
  virtual String GetBaseRegKey() = 0;
  // The IDE's options, owned by the host; null when it keeps none.
  virtual TCustomIniFile* GetIDEOptions() = 0;
  // The directory the host keeps the user's application data in.
  virtual String GetAppDataDirectory() = 0;
  virtual String GetProjectName() = 0;
  // Appends the current selection to `List`.
  virtual void GetSelections(const IPtr<IDesignerSelections>& List) = 0;
  virtual bool MethodExists(const String& Name) = 0;
  // Renames a handler in the source.
  virtual void RenameMethod(const String& CurName, const String& NewName) = 0;
  // Makes `Instance` the selection (in its own module's designer when it lives elsewhere).
  virtual void SelectComponent(TPersistent* Instance) = 0;
  virtual void SelectComponent(const IPtr<IDesignObject>& ADesignObject) = 0;
  // Replaces the selection by the objects of `List`, in order.
  virtual void SetSelections(const IPtr<IDesignerSelections>& List) = 0;
  // Shows the handler in the code editor.
  virtual void ShowMethod(const String& Name) = 0;
  // Passes the names of the components the designer offers for a reference of the class that
  // `TypeData` describes (including components of other modules, qualified).
  virtual void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) = 0;
  // Resolves a (possibly qualified) component name; null when none.
  virtual TComponent* GetComponent(const String& Name) = 0;
  // The name to display for a reference (qualified when in another module).
  virtual String GetComponentName(TComponent* Component) = 0;
  // Like GetComponent, also for persistents reached by name path; null when none.
  virtual TPersistent* GetObject(const String& Name) = 0;
  // The name used to build default handler names.
  virtual String GetObjectName(TPersistent* Instance) = 0;
  // Like GetComponentNames, for persistents.
  virtual void GetObjectNames(PTypeData TypeData, const TGetStrProc& Proc) = 0;
  // True when the handler is inherited from an ancestor module.
  virtual bool MethodFromAncestor(const TMethod& Method) = 0;
  // Creates a named component in `Parent` (null: the root) with the given bounds.
  virtual TComponent* CreateComponent(TComponentClass ComponentClass, TComponent* Parent, int Left, int Top,
                                      int Width, int Height) = 0;
  // Creates a named component in `Parent`, keeping its own bounds.
  virtual TComponent* CreateChild(TComponentClass ComponentClass, TComponent* Parent) = 0;
  // True when references to `Component` can be stored in this module.
  virtual bool IsComponentLinkable(TComponent* Component) = 0;
  // True when `Component` is not shown on the design surface.
  virtual bool IsComponentHidden(TComponent* Component) = 0;
  // Makes `Component` (of another module) referable from this module.
  virtual void MakeComponentLinkable(TComponent* Component) = 0;
  // Restores the inherited value of one property.
  virtual void Revert(TPersistent* Instance, PPropInfo PropInfo) = 0;
  // True while the module sleeps as a stream.
  virtual bool GetIsDormant() = 0;
  // The designer of the ancestor module; null when none.
  virtual IPtr<IDesigner> GetAncestorDesigner() = 0;
  virtual bool IsSourceReadOnly() = 0;
  // The extent of the designed surface for the given scroll position.
  virtual TPoint GetScrollRanges(const TPoint& ScrollPosition) = 0;
  // Runs the default edit (the component editor's Edit) of `Component`.
  virtual void Edit(TComponent* Component) = 0;
  // Inserts, into newly created handler `MethodName`, a call of the handler `InstanceMethod`
  // that the inherited instance `InstanceName` already had.
  virtual void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                         PTypeData TypeData) = 0;
  virtual void CopySelection() = 0;
  virtual void CutSelection() = 0;
  virtual bool CanPaste() = 0;
  virtual void PasteSelection() = 0;
  // Deletes the selected components; `ADoAll` also deletes those that would be refused singly.
  virtual void DeleteSelection(bool ADoAll) = 0;
  virtual void ClearSelection() = 0;
  // Selects nothing, not even the root.
  virtual void NoSelection() = 0;
  virtual void ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) = 0;
  // The class name of the designed root.
  virtual String GetRootClassName() = 0;
  // A component name not yet used in the module, built from `BaseName`.
  virtual String UniqueName(const String& BaseName) = 0;
  // The designed root.
  virtual TComponent* GetRoot() = 0;
  // The shift state of the gesture that caused the current edit.
  virtual TShiftState GetShiftState() = 0;
  // Hands a key to the inspector for modal editing; `ReturnWindow` is activated afterwards.
  virtual void ModalEdit(char16_t EditKey, const IPtr<IActivatable>& ReturnWindow) = 0;
  // Focuses the inspector row of the named property.
  virtual void SelectItemName(const String& PropertyName) = 0;
  // Wakes a dormant module.
  virtual void Resurrect() = 0;
};

// Adds the class group and root-ancestor lookups used for design-time proxy classes.
struct IDesigner70 : virtual IDesigner60 {
  FW_INTERFACE(IDesigner70, IDesigner60, "{D51E2A10-0270-4F3B-9C6E-5A1B00000170}")
  // The class group the module's framework classes belong to.
  virtual TPersistentClass ActiveClassGroup() = 0;
  // The root ancestor instance for a class name; null when none.
  virtual TComponent* FindRootAncestor(const String& ClassName) = 0;
};

// Adds the container that new components go into.
struct IDesigner80 : virtual IDesigner70 {
  FW_INTERFACE(IDesigner80, IDesigner70, "{D51E2A10-0280-4F3B-9C6E-5A1B00000180}")
  // True when a component of that class may be created in this module.
  virtual bool CanAdd(TComponentClass ComponentClass) = 0;
  // The container a new component goes into.
  virtual TComponent* GetCurrentParent() = 0;
  virtual void SetCurrentParent(TComponent* AComponent) = 0;
};

// Adds the identifier of the module's framework designer.
struct IDesigner100 : virtual IDesigner80 {
  FW_INTERFACE(IDesigner100, IDesigner80, "{D51E2A10-0300-4F3B-9C6E-5A1B00000200}")
  // The identifier of the framework designer the module belongs to.
  virtual String GetDesignerExtension() = 0;
};

// Adds the module view the designer edits.
struct IDesigner170 : virtual IDesigner100 {
  FW_INTERFACE(IDesigner170, IDesigner100, "{D51E2A10-0370-4F3B-9C6E-5A1B00000270}")
  // The module view this designer edits; empty for the master view.
  virtual String GetViewName() = 0;
};

// Adds the units the module's components need.
struct IDesigner200 : virtual IDesigner170 {
  FW_INTERFACE(IDesigner200, IDesigner170, "{D51E2A10-0400-4F3B-9C6E-5A1B00000300}")
  // Passes the name of every unit the module's components need to `Proc`.
  virtual void GetUnits(const TGetStrProc& Proc) = 0;
};

// The current version of the designer interface.
struct IDesigner : virtual IDesigner200 {
  FW_INTERFACE(IDesigner, IDesigner200, "{D51E2A10-04FF-4F3B-9C6E-5A1B000003FF}")
  // True when the property's value differs from the inherited one and can be reverted.
  virtual bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) = 0;
};

}  // namespace formwright
