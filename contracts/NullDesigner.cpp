#include "contracts/NullDesigner.h"

#include <utility>

namespace formwright {

void TNullDesigner::Attach(TComponent* ARoot) {
  Detach();
  if (!ARoot) return;
  FRoot = ARoot;
  FRoot->SetDesigner(IPtr<IDesignerHook>(this));
}

void TNullDesigner::Detach() {
  if (!FRoot) return;
  TComponent* Root = std::exchange(FRoot, nullptr);
  // The root's reference may be the last one: nothing of this object is used after it goes.
  if (Root->Designer().Get() == static_cast<IDesignerHook*>(this)) Root->SetDesigner(nullptr);
}

void TNullDesigner::Notification(TPersistent*, TOperation) {}
void TNullDesigner::ValidateRename(TComponent*, const String&, const String&) {}

void TNullDesigner::Activate() {}
void TNullDesigner::Modified() {}
TMethod TNullDesigner::CreateMethod(const String&, PTypeData) { return {}; }
TMethod TNullDesigner::CreateMethod(const String&, const IPtr<IEventInfo>&) { return {}; }
String TNullDesigner::GetMethodName(const TMethod&) { return {}; }
void TNullDesigner::GetMethods(PTypeData, const TGetStrProc&) {}
void TNullDesigner::GetMethods(const IPtr<IEventInfo>&, const TGetStrProc&) {}
String TNullDesigner::GetPathAndBaseExeName() { return {}; }
String TNullDesigner::GetPrivateDirectory() { return {}; }
String TNullDesigner::GetBaseRegKey() { return {}; }
TCustomIniFile* TNullDesigner::GetIDEOptions() { return nullptr; }
String TNullDesigner::GetAppDataDirectory() { return {}; }
String TNullDesigner::GetProjectName() { return {}; }
void TNullDesigner::GetSelections(const IPtr<IDesignerSelections>&) {}
bool TNullDesigner::MethodExists(const String&) { return false; }
void TNullDesigner::RenameMethod(const String&, const String&) {}
void TNullDesigner::SelectComponent(TPersistent*) {}
void TNullDesigner::SelectComponent(const IPtr<IDesignObject>&) {}
void TNullDesigner::SetSelections(const IPtr<IDesignerSelections>&) {}
void TNullDesigner::ShowMethod(const String&) {}
void TNullDesigner::GetComponentNames(PTypeData, const TGetStrProc&) {}
TComponent* TNullDesigner::GetComponent(const String&) { return nullptr; }
String TNullDesigner::GetComponentName(TComponent*) { return {}; }
TPersistent* TNullDesigner::GetObject(const String&) { return nullptr; }
String TNullDesigner::GetObjectName(TPersistent*) { return {}; }
void TNullDesigner::GetObjectNames(PTypeData, const TGetStrProc&) {}
bool TNullDesigner::MethodFromAncestor(const TMethod&) { return false; }
TComponent* TNullDesigner::CreateComponent(TComponentClass, TComponent*, int, int, int, int) {
  return nullptr;
}
TComponent* TNullDesigner::CreateChild(TComponentClass, TComponent*) { return nullptr; }
bool TNullDesigner::IsComponentLinkable(TComponent*) { return false; }
bool TNullDesigner::IsComponentHidden(TComponent*) { return false; }
void TNullDesigner::MakeComponentLinkable(TComponent*) {}
void TNullDesigner::Revert(TPersistent*, PPropInfo) {}
bool TNullDesigner::GetIsDormant() { return false; }
IPtr<IDesigner> TNullDesigner::GetAncestorDesigner() { return nullptr; }
bool TNullDesigner::IsSourceReadOnly() { return false; }
TPoint TNullDesigner::GetScrollRanges(const TPoint& ScrollPosition) { return ScrollPosition; }
void TNullDesigner::Edit(TComponent*) {}
void TNullDesigner::ChainCall(const String&, const String&, const String&, PTypeData) {}
void TNullDesigner::CopySelection() {}
void TNullDesigner::CutSelection() {}
bool TNullDesigner::CanPaste() { return false; }
void TNullDesigner::PasteSelection() {}
void TNullDesigner::DeleteSelection(bool) {}
void TNullDesigner::ClearSelection() {}
void TNullDesigner::NoSelection() {}
void TNullDesigner::ModuleFileNames(String&, String&, String&) {}
String TNullDesigner::GetRootClassName() { return FRoot ? FRoot->ClassName() : String(); }
String TNullDesigner::UniqueName(const String& BaseName) { return BaseName; }
TComponent* TNullDesigner::GetRoot() { return FRoot; }
TShiftState TNullDesigner::GetShiftState() { return {}; }
void TNullDesigner::ModalEdit(char16_t, const IPtr<IActivatable>&) {}
void TNullDesigner::SelectItemName(const String&) {}
void TNullDesigner::Resurrect() {}
TPersistentClass TNullDesigner::ActiveClassGroup() { return nullptr; }
TComponent* TNullDesigner::FindRootAncestor(const String&) { return nullptr; }
bool TNullDesigner::CanAdd(TComponentClass) { return true; }
TComponent* TNullDesigner::GetCurrentParent() { return nullptr; }
void TNullDesigner::SetCurrentParent(TComponent*) {}
String TNullDesigner::GetDesignerExtension() { return {}; }
String TNullDesigner::GetViewName() { return {}; }
void TNullDesigner::GetUnits(const TGetStrProc&) {}
bool TNullDesigner::CanRevert(TPersistent*, PPropInfo) { return false; }

}  // namespace formwright
