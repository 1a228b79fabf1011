// A designer that does nothing and answers neutrally, for front ends and tests that drive
// editors without a module root.
#pragma once

#include "contracts/DesignerIntf.h"

namespace formwright {

// A designer of no module, or of a bare root component that is not a module: it creates no
// handlers, finds no components, selects nothing and answers every question with "no", an
// empty name or a null object. Derive from it and override only what your front end or test
// needs (every operation is virtual); the rest keeps its neutral answer.
//
// It is also a designer hook, so it can be attached to a root component (`Attach`): editors
// that ask a designed component for its root designer then reach this designer. The root
// keeps the designer alive while it is attached; `Detach` lets it go.
class TNullDesigner : public TInterfacedObject, public IDesigner, public IDesignerHook {
 public:
  TNullDesigner() = default;

  // Makes this designer the designer hook of `ARoot` (detaching it from any earlier root);
  // `GetRoot` answers `ARoot` from now on. Null detaches.
  void Attach(TComponent* ARoot);
  // Detaches this designer from its root, if it has one.
  void Detach();
  // The attached root; null without one.
  TComponent* Root() const noexcept { return FRoot; }

  // ----- IDesignerHook -----
  // Does nothing: the null designer watches no components.
  void Notification(TPersistent* AnObject, TOperation Operation) override;
  // Accepts every rename.
  void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) override;

  // ----- IDesigner -----
  void Activate() override;
  // Does nothing: nothing is recorded as changed.
  void Modified() override;
  // The nil method: no source to create handlers in.
  TMethod CreateMethod(const String& Name, PTypeData TypeData) override;
  TMethod CreateMethod(const String& Name, const IPtr<IEventInfo>& EventInfo) override;
  // Empty: there are no handlers to name.
  String GetMethodName(const TMethod& Method) override;
  // No handlers to offer.
  void GetMethods(PTypeData TypeData, const TGetStrProc& Proc) override;
  void GetMethods(const IPtr<IEventInfo>& EventInfo, const TGetStrProc& Proc) override;
  String GetPathAndBaseExeName() override;
  String GetPrivateDirectory() override;
  String GetBaseRegKey() override;
  TCustomIniFile* GetIDEOptions() override;
  String GetAppDataDirectory() override;
  String GetProjectName() override;
  // Appends nothing: nothing is selected.
  void GetSelections(const IPtr<IDesignerSelections>& List) override;
  bool MethodExists(const String& Name) override;
  void RenameMethod(const String& CurName, const String& NewName) override;
  void SelectComponent(TPersistent* Instance) override;
  void SelectComponent(const IPtr<IDesignObject>& ADesignObject) override;
  void SetSelections(const IPtr<IDesignerSelections>& List) override;
  void ShowMethod(const String& Name) override;
  void GetComponentNames(PTypeData TypeData, const TGetStrProc& Proc) override;
  TComponent* GetComponent(const String& Name) override;
  String GetComponentName(TComponent* Component) override;
  TPersistent* GetObject(const String& Name) override;
  String GetObjectName(TPersistent* Instance) override;
  void GetObjectNames(PTypeData TypeData, const TGetStrProc& Proc) override;
  bool MethodFromAncestor(const TMethod& Method) override;
  // Creates nothing (null): there is no module to create components in.
  TComponent* CreateComponent(TComponentClass ComponentClass, TComponent* Parent, int Left, int Top,
                              int Width, int Height) override;
  TComponent* CreateChild(TComponentClass ComponentClass, TComponent* Parent) override;
  bool IsComponentLinkable(TComponent* Component) override;
  bool IsComponentHidden(TComponent* Component) override;
  void MakeComponentLinkable(TComponent* Component) override;
  void Revert(TPersistent* Instance, PPropInfo PropInfo) override;
  bool GetIsDormant() override;
  IPtr<IDesigner> GetAncestorDesigner() override;
  bool IsSourceReadOnly() override;
  // The scroll position itself: the surface is as large as what is shown.
  TPoint GetScrollRanges(const TPoint& ScrollPosition) override;
  void Edit(TComponent* Component) override;
  void ChainCall(const String& MethodName, const String& InstanceName, const String& InstanceMethod,
                 PTypeData TypeData) override;
  void CopySelection() override;
  void CutSelection() override;
  bool CanPaste() override;
  void PasteSelection() override;
  void DeleteSelection(bool ADoAll) override;
  void ClearSelection() override;
  void NoSelection() override;
  void ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) override;
  // The class name of the attached root; empty without one.
  String GetRootClassName() override;
  // `BaseName` unchanged: with no module there are no names to avoid.
  String UniqueName(const String& BaseName) override;
  // The attached root; null without one.
  TComponent* GetRoot() override;
  TShiftState GetShiftState() override;
  void ModalEdit(char16_t EditKey, const IPtr<IActivatable>& ReturnWindow) override;
  void SelectItemName(const String& PropertyName) override;
  void Resurrect() override;
  TPersistentClass ActiveClassGroup() override;
  TComponent* FindRootAncestor(const String& ClassName) override;
  // True: a module that does not exist refuses no class.
  bool CanAdd(TComponentClass ComponentClass) override;
  TComponent* GetCurrentParent() override;
  void SetCurrentParent(TComponent* AComponent) override;
  String GetDesignerExtension() override;
  String GetViewName() override;
  void GetUnits(const TGetStrProc& Proc) override;
  bool CanRevert(TPersistent* Instance, PPropInfo PropInfo) override;

 private:
  TComponent* FRoot = nullptr;
};

}  // namespace formwright
