// The designer manager of one component framework: owns the open roots in most recently
// activated order, knows the active root, finds roots by name or class, opens modules by class
// name, and turns root events into selection reports and design notifications.
//
// A host derives from it to be told of activations, selections and modifications (the
// Host… operations, which do nothing here) and to decide which classes it designs
// (AcceptsClass: by default the classes of the framework class group it was made for).
#pragma once

#include "moduledesigner/Designers.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

struct TRootCreateInfo;

class TComponentDesigner : public TInterfacedObject, public IComponentDesigner {
 public:
  // FrameworkClass names the framework (its class group decides what is accepted); the
  // environment and file system serve the roots.
  TComponentDesigner(TClass FrameworkClass, IPtr<IDesignEnvironment> Environment,
                     IPtr<IModuleFileSystem> FileSystem);

  // IRootListUpdate
  void RootListAdd(const IPtr<IRoot>& Root) override;
  void RootListRemove(const IPtr<IRoot>& Root) override;
  void RootActivated(const IPtr<IRoot>& Root) override;
  void RootGoingDormant(const IPtr<IRoot>& Root) override;
  void RootModified(const IPtr<IRoot>& Root) override;

  // IComponentDesigner
  IPtr<IRoot> FindRoot(const String& Name) override;
  IPtr<IRoot> FindRootOf(TComponent* Component) override;
  IPtr<IRoot> FindOwnRoot(const String& Name) override;
  IPtr<IRoot> FindOwnRootOf(TComponent* Component) override;
  IPtr<IRoot> OpenRootClass(const String& ClassName) override;
  String FindBaseClass(const String& Name) override;
  TClass FindCustomModuleClass(const String& Name) override;
  TClass FindRootBaseClass(const String& Name) override;
  bool IsRootBaseClass(const String& Name) override;
  bool IsNestable(const String& Name) override;
  bool AcceptsClass(TClass AClass) override;
  int GetRootsCount() override { return static_cast<int>(FRoots.size()); }
  IPtr<IRoot> GetRoots(int Index) override;
  void GetRootNames(const TGetStrProc& Proc) override;
  IPtr<IRoot> GetActiveRoot() override { return FActiveRoot; }
  bool IsActive() override { return bool(FActiveRoot); }
  IPtr<IDesignEnvironment> GetEnvironment() override { return FEnvironment; }
  IPtr<IModuleFileSystem> GetFileSystem() override { return FFileSystem; }
  // The environment's question registry; without an environment, one with no answers (see
  // FNoAnswers).
  const THostQuestions& GetQuestions() override;
  void SetSelection(const IPtr<IDesigner>& Designer, const IPtr<IInterface>& DesignWindow,
                    const IPtr<IDesignerSelections>& Selection) override;
  void UpdateSelections() override;
  IPtr<IDesignerSelections> GetSelection() override { return FSelection; }
  void RootClosing(const IPtr<IRoot>& Root) override {}
  void DesignerOptionsChanged() override;
  void RemoveDependenciesOn(TComponent* Component) override;
  void UpdateRootDependents() override;
  void UpdateDependentsOf(IRoot* Root) override;
  IPtr<IInternalRoot> CreateViewRoot(const IPtr<IDesignerModule>& Module, TStream* Stream, int64_t StreamTime,
                                     const String& FileName, const String& ViewName,
                                     const IPtr<IInternalRoot>& Master, const String& FileSystem) override;
  IPtr<IInternalRoot> CreateNewViewRoot(const IPtr<IDesignerModule>& Module, const String& RootName,
                                        const String& FileName, const String& ViewName,
                                        const IPtr<IInternalRoot>& Master, const String& FileSystem,
                                        bool Existing) override;

  String GetSelectionName() override;
  String GetSelectionType() override;
  TClass GetFirstSelectionClass() override;
  PTypeInfo GetFirstSelectionType() override;
  String GetFirstSelectionUnit() override;
  void GetProperties(TPropKind Kind, const TGetPropProc& Proc) override;
  void ShowWindows() override;
  void HideWindows() override;
  void SetControlsLocked(bool Value) override { FControlsLocked = Value; }
  bool GetControlsLocked() override { return FControlsLocked; }
  void CancelModes() override;
  void EditAction(TEditAction Action) override;
  TEditState GetEditState() override;
  void CopySelectionToStream(TStream* Stream, TStrings* Units) override;
  void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) override;
  void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) override;

  // The component classes (subclasses included) that may not be placed on a data module of
  // this framework; none unless the host says so.
  const std::vector<TClass>& InvalidDataModuleClasses() const noexcept { return FInvalidDataModuleClasses; }
  void SetInvalidDataModuleClasses(std::vector<TClass> Classes) {
    FInvalidDataModuleClasses = std::move(Classes);
  }

 protected:
  // The host is told that a root became active, that the selection it shows changed, and
  // that the active root was modified.
  virtual void HostRootActivated(const IPtr<IRoot>& Root) {}
  virtual void HostSelectionChanged(const IPtr<IDesigner>& Designer,
                                    const IPtr<IDesignerSelections>& Selection) {}
  virtual void HostActiveRootModified(const IPtr<IRoot>& Root) {}
  // Opens the root of a view as Info describes it (its ViewName set) and adds it to this
  // designer's roots, as OpenComponentRoot does; the base opens a TComponentRoot. A host opens
  // roots of its own class.
  virtual IPtr<IInternalRoot> HostOpenViewRoot(const TRootCreateInfo& Info);

 private:
  IPtr<IRoot> RootBehind(const IPtr<IDesigner>& Designer) const;
  // Where edit commands go: the reporting window's handler, else the active root's.
  IPtr<IEditHandler> EditHandler() const;
  // The designer of the reported selection (the active root's).
  IPtr<IDesigner> SelectionDesigner() const;
  // The newest registration named Name that this designer accepts; null when none.
  const TCustomModuleReg* FindRegistration(const String& Name);

  TClass FFrameworkClass;
  IPtr<IDesignEnvironment> FEnvironment;
  IPtr<IModuleFileSystem> FFileSystem;
  std::vector<IPtr<IRoot>> FRoots;
  IPtr<IRoot> FActiveRoot;
  IPtr<IDesignerSelections> FSelection;
  IPtr<IEditHandler> FEditHandler;
  // The answers are the host's, never the manager's. A manager made without an environment
  // has no one to ask, so its roots get an empty registry: every question goes unanswered and
  // the root takes its own choice that loses nothing (stop the read, give up on a lost ancestor
  // component, refuse a save that would break links, leave a file changed on disk as it is).
  const THostQuestions FNoAnswers;
  std::vector<TClass> FInvalidDataModuleClasses;
  bool FUpdatingSelections = false;
  bool FControlsLocked = false;
};

}  // namespace formwright
