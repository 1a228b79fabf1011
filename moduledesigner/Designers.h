// The package's multiplexer of component designers (one per framework and form-file
// extension) and the package-wide event sinks it fires.
#pragma once

#include "contracts/Events.h"
#include "contracts/Package.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

// A root became active: handlers take the sender and the root's custom module.
class TEvRootActivatedEvent : public TEventT<void(TObject*, const IPtr<ICustomModule>&)> {
 public:
  // Inside one palette update: "NativeDesignerActive" is set when a custom module is given
  // and cleared otherwise, "CodeEditorActive" is cleared; then every handler, last first.
  void Send(TObject* Sender, const IPtr<ICustomModule>& CustomModule);
  // Calls the handlers only, leaving the palette contexts alone.
  void SendToHandlers(TObject* Sender, const IPtr<ICustomModule>& CustomModule) {
    SendToAll(Sender, CustomModule);
  }
};

// A component was renamed: handlers take the sender (the root), the old and the new name.
class TEvComponentRenamedEvent : public TEventT<void(TObject*, const String&, const String&)> {
 public:
  void Send(TObject* Sender, const String& OldName, const String& NewName) {
    SendToAll(Sender, OldName, NewName);
  }
};

// The package-wide sinks of the current package (made on first use, cleared by DoneDesigners);
// without a current package they raise EInvalidOperation.
TEvRootActivatedEvent& RootActivatedSink();
TEvComponentRenamedEvent& ComponentRenamedSink();
TEvent& ActiveRootModifiedSink();
TEvent& DesignerDeactivatedSink();

// Every registered component designer and which one is active.
class TDesigners : public TInterfacedObject, public IComponentDesigners {
 public:
  void RegisterDesigner(const IPtr<IComponentDesigner>& Designer, const String& Extension) override;
  void UnregisterDesigner(const IPtr<IComponentDesigner>& Designer) override;
  bool DesignerActive() override;
  IPtr<IComponentDesigner> DesignerFromExtension(const String& Extension) override;
  void ForEachDesigner(const std::function<bool(const IPtr<IComponentDesigner>&)>& Proc) override;
  IPtr<IComponentDesigner> GetActiveDesigner() override { return FActiveDesigner; }
  IPtr<IRoot> GetActiveDesignRoot() override { return FActiveDesignRoot; }
  void RegisteredExtensions(const TGetStrProc& Proc) override;
  // The classes invalid on data modules of every registered designer, in registration order.
  std::vector<TClass> InvalidDataModuleClasses();
  void DesignerActivated(const IPtr<IComponentDesigner>& Designer) override;
  void DeactivateDesigner() override;
  void RootGone(const IPtr<IRoot>& Root) override;
  IPtr<IDesignerSelections> GetSelection() override;
  String GetSelectionName() override;
  String GetSelectionType() override;
  TClass GetFirstSelectionClass() override;
  PTypeInfo GetFirstSelectionType() override;
  String GetFirstSelectionUnit() override;
  void GetProperties(TPropKind Kind, const TGetPropProc& Proc) override;
  void EditAction(TEditAction Action) override;
  TEditState GetEditState() override;
  void CancelModes() override;
  void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) override;
  void CopySelectionToStream(TStream* Stream, TStrings* Units) override;
  void PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) override;
  void ShowWindows() override;
  void HideWindows() override;
  void SetControlsLocked(bool Value) override;
  bool GetControlsLocked() override;
  void DesignerOptionsChanged() override;

 private:
  std::vector<IPtr<IComponentDesigner>> FDesigners;
  std::vector<String> FExtensions;
  IPtr<IComponentDesigner> FActiveDesigner;
  IPtr<IRoot> FActiveDesignRoot;
};

// The sinks and the designers of a package: a service of the package object, made by the first
// call that needs them.
class TDesignerSinks : public TPackageService {
 public:
  TEvRootActivatedEvent RootActivated;
  TEvComponentRenamedEvent ComponentRenamed;
  TEvent ActiveRootModified;
  TEvent DesignerDeactivated;
  IPtr<TDesigners> Designers;
};

// The package's designers (made on first use).
IPtr<TDesigners> Designers();
IPtr<IComponentDesigner> ActiveDesigner();
// The active designer's active root, or none.
IPtr<IRoot> ActiveRoot();
// Tells every root-activated handler (last first) that a designer of another framework is
// active: the stub custom module, no sender.
void ActivateNonOrxDesigner();
// Releases the designers and clears the sinks (package end).
void DoneDesigners();
// The top-level design component (the active root's root component), unless it is Ignoring;
// the package's GetTopLevelComponentFunc hook.
TComponent* TopLevelDesignComponent(TComponent* Ignoring);

// Sets or clears a palette context inside one palette update, when the host has palette
// services.
void SetPaletteContext(const String& Context, bool Active);

}  // namespace formwright
