// The tools-interface form editor of one module root: what add-ins of the IDE ask of the
// module (its file, whether it changed, its components, its selection, its stream) and the
// notifiers through which they hear of its modification, saving, activation, renames and
// destruction. The root makes it with itself and tells it of those events.
#pragma once

#include "moduledesigner/ToolsIntf.h"

namespace formwright {

class TComponentRoot;

class TOTAFormEditor : public TOTANotifierObject, public IOTAFormEditor, public INTAFormEditor {
  FW_CLASS(TOTAFormEditor, TOTANotifierObject)
 public:
  // The root is not owned; it detaches itself (Detach) before it goes, after which every
  // question about the module gets the empty answer.
  explicit TOTAFormEditor(TComponentRoot* Root) noexcept : FRoot(Root) {}
  void Detach() noexcept { FRoot = nullptr; }

  // ----- IOTAFormEditor -----
  String GetFileName() override;
  bool GetModified() override;
  bool MarkModified() override;
  void ResetDiskAge() override;
  IPtr<IOTAModule> GetModule() override;
  IPtr<IOTAComponent> GetRootComponent() override;
  IPtr<IOTAComponent> FindComponent(const String& Name) override;
  IPtr<IOTAComponent> GetComponentFromHandle(TPersistent* Handle) override;
  int GetSelCount() override;
  IPtr<IOTAComponent> GetSelComponent(int Index) override;
  IPtr<IOTAComponent> GetCreateParent() override;
  IPtr<IOTAComponent> CreateComponent(const IPtr<IOTAComponent>& Container, const String& TypeName, int X,
                                      int Y, int W, int H) override;
  void GetFormResource(const IPtr<IStream>& Stream) override;
  IPtr<IStream> GetContent() override;
  TDateTime GetContentAge() override;
  void SetContent(const IPtr<IStream>& Stream) override;
  void Show() override;

  // ----- INTAFormEditor -----
  IPtr<IDesigner> GetFormDesigner() override;
  void GetFormResource(TStream* Stream) override;

  // ----- What the root tells its notifiers -----
  // The module changed (each notifier's Modified).
  void FormModified();
  // The module's stream is about to be written (form notifiers' FormSaving).
  void FormSaving();
  // The module became the active one (form notifiers' FormActivated).
  void NotifyActivate();
  // The module goes away (each notifier's Destroyed); the notifiers are dropped afterwards.
  void NotifyDestruct();
  // Component was renamed (form notifiers' ComponentRenamed, in registration order).
  void NotifyRenamed(TComponent* Component, const String& OldName, const String& NewName);

 private:
  // The root while its module is open (a closed one has no stream); null otherwise.
  TComponentRoot* OpenRoot() const noexcept;

  TComponentRoot* FRoot;
};

// The universal date-time of a time stamp of the design environment (nanoseconds since
// 1970-01-01 00:00 UTC); false when Stamp is -1 or lies outside the dates a date-time holds.
bool TryStampToDateTime(int64_t Stamp, TDateTime& Value);

}  // namespace formwright
