// A root double for designer-manager tests: a named root with a selection, readiness,
// dormancy and an optional ancestor root, recording what it is told.
#pragma once

#include "formwright/testing/RecordingDesigner.h"
#include "moduledesigner/ComponentDesigner.h"

namespace formwright::testing {

class TRootDouble : public TRecordingDesigner, public IInternalRoot {
 public:
  explicit TRootDouble(String Name) : FName(std::move(Name)) {}

  TComponent* GetRoot() override { return nullptr; }
  String GetRootName() override { return FName; }
  String GetRootClassName() override { return "T" + FName; }
  String GetAncestorName() override { return "TForm"; }
  String GetFileName() override { return FName + ".fwf"; }
  String GetFileSystem() override { return String(); }
  IPtr<IDesigner> GetDesigner() override { return IPtr<IDesigner>(static_cast<IDesigner*>(this)); }
  IPtr<IDesignerModule> GetModule() override { return nullptr; }
  bool IsDormant() override { return FDormant; }
  void GoDormant() override { FDormant = true; }
  void Resurrect() override { FDormant = false; }
  void Close() override { FClosed = true; }
  bool IsClosed() override { return FClosed; }
  bool IsReady() override { return FReady && !FDormant; }
  void ActiveChanged(bool Active) override { FActiveLog.push_back(Active); }
  void UpdateOptions() override {}
  void GetDependencies(const TGetRootProc&) override {}
  void GetDependentRoots(const TGetRootProc&) override {}
  void UpdateDependencies() override {}
  void ClearDependencies() override {}
  void ClearDependenciesOn(TComponent* Component) override { FClearLog->push_back(FName); }
  void ClearCachedStream() override {}
  void ShowWindow(bool Show) override { FLog.push_back(Show ? "show" : "hide"); }
  void CancelModes() override { FLog.push_back("cancel"); }
  void ModalEditDone(const IPtr<IActivatable>& ReturnWindow) override {
    FLog.push_back(ReturnWindow ? "modal done: window" : "modal done");
  }
  void CopySelectionToStream(TStream*, TStrings*) override { FLog.push_back("copy"); }
  void PasteSelectionFromStream(TStream*, TComponent*, const TRect&) override { FLog.push_back("paste"); }
  IPtr<ICustomModule> GetCustomModule() override { return FCustomModule; }
  TClass GetCustomModuleClass() override { return nullptr; }
  IPtr<IUpdateManager> GetUpdateManager() override { return nullptr; }
  IPtr<IInternalRoot> GetAncestorRoot() override { return FAncestor; }
  String GetRootBaseClass() override { return "TForm"; }
  TStream* GetRootStream() override { return nullptr; }
  void Save() override {}
  void Modified() override { TRecordingDesigner::Modified(); }

  String FName;
  bool FDormant = false;
  bool FClosed = false;
  bool FReady = true;
  std::vector<bool> FActiveLog;
  // What the designer manager forwarded to this root, in order.
  std::vector<String> FLog;
  std::vector<String>* FClearLog = nullptr;
  IPtr<ICustomModule> FCustomModule;
  IPtr<IInternalRoot> FAncestor;
};

inline IPtr<IRoot> AsRoot(const IPtr<TRootDouble>& R) {
  return IPtr<IRoot>(static_cast<IInternalRoot*>(R.Get()));
}

}  // namespace formwright::testing
