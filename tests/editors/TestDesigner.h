// A designer double for registry tests: it keeps a selection and answers nothing else.
#pragma once

#include "contracts/DesignIntf.h"

namespace formwright::editors_testing {

class TTestDesigner : public TInterfacedObject, public IDesigner {
 public:
  // The objects GetSelections reports, in order.
  std::vector<TPersistent*> FSelection;
  int FModifiedCount = 0;

  void GetSelections(const IPtr<IDesignerSelections>& List) override {
    for (TPersistent* P : FSelection) List->Add(P);
  }
  void Modified() override { ++FModifiedCount; }

  void Activate() override {}
  TMethod CreateMethod(const String&, PTypeData) override { return {}; }
  TMethod CreateMethod(const String&, const IPtr<IEventInfo>&) override { return {}; }
  String GetMethodName(const TMethod&) override { return {}; }
  void GetMethods(PTypeData, const TGetStrProc&) override {}
  void GetMethods(const IPtr<IEventInfo>&, const TGetStrProc&) override {}
  String GetPathAndBaseExeName() override { return {}; }
  String GetPrivateDirectory() override { return {}; }
  String GetBaseRegKey() override { return {}; }
  TCustomIniFile* GetIDEOptions() override { return nullptr; }
  String GetAppDataDirectory() override { return {}; }
  String GetProjectName() override { return {}; }
  bool MethodExists(const String&) override { return false; }
  void RenameMethod(const String&, const String&) override {}
  void SelectComponent(TPersistent*) override {}
  void SelectComponent(const IPtr<IDesignObject>&) override {}
  void SetSelections(const IPtr<IDesignerSelections>&) override {}
  void ShowMethod(const String&) override {}
  void GetComponentNames(PTypeData, const TGetStrProc&) override {}
  TComponent* GetComponent(const String&) override { return nullptr; }
  String GetComponentName(TComponent*) override { return {}; }
  TPersistent* GetObject(const String&) override { return nullptr; }
  String GetObjectName(TPersistent*) override { return {}; }
  void GetObjectNames(PTypeData, const TGetStrProc&) override {}
  bool MethodFromAncestor(const TMethod&) override { return false; }
  TComponent* CreateComponent(TComponentClass, TComponent*, int, int, int, int) override { return nullptr; }
  TComponent* CreateChild(TComponentClass, TComponent*) override { return nullptr; }
  bool IsComponentLinkable(TComponent*) override { return false; }
  bool IsComponentHidden(TComponent*) override { return false; }
  void MakeComponentLinkable(TComponent*) override {}
  void Revert(TPersistent*, PPropInfo) override {}
  bool GetIsDormant() override { return false; }
  IPtr<IDesigner> GetAncestorDesigner() override { return nullptr; }
  bool IsSourceReadOnly() override { return false; }
  TPoint GetScrollRanges(const TPoint& P) override { return P; }
  void Edit(TComponent*) override {}
  void ChainCall(const String&, const String&, const String&, PTypeData) override {}
  void CopySelection() override {}
  void CutSelection() override {}
  bool CanPaste() override { return false; }
  void PasteSelection() override {}
  void DeleteSelection(bool) override {}
  void ClearSelection() override {}
  void NoSelection() override {}
  void ModuleFileNames(String&, String&, String&) override {}
  String GetRootClassName() override { return {}; }
  String UniqueName(const String& BaseName) override { return BaseName + "1"; }
  TComponent* GetRoot() override { return nullptr; }
  TShiftState GetShiftState() override { return {}; }
  void ModalEdit(char16_t, const IPtr<IActivatable>&) override {}
  void SelectItemName(const String&) override {}
  void Resurrect() override {}
  TPersistentClass ActiveClassGroup() override { return nullptr; }
  TComponent* FindRootAncestor(const String&) override { return nullptr; }
  bool CanAdd(TComponentClass) override { return true; }
  TComponent* GetCurrentParent() override { return nullptr; }
  void SetCurrentParent(TComponent*) override {}
  String GetDesignerExtension() override { return {}; }
  String GetViewName() override { return {}; }
  void GetUnits(const TGetStrProc&) override {}
  bool CanRevert(TPersistent*, PPropInfo) override { return false; }
};

}  // namespace formwright::editors_testing
