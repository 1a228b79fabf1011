#include "host/IDEServices.h"

#include "platform/orx/ActnList.h"

namespace formwright {

using orx::TAction;
using orx::TActionList;

const std::vector<String>& TReferenceIDEServices::StandardActionNames() {
  static const std::vector<String> Names = {
      "EditUndoCommand",      "EditRedoCommand",          "EditCutCommand",
      "EditCopyCommand",      "EditPasteCommand",         "EditDeleteCommand",
      "EditSelectAllCommand", "AlignBringToFrontCommand", "AlignSendToBackCommand"};
  return Names;
}

TReferenceIDEServices::TReferenceIDEServices() : FActionOwner(new TComponent(nullptr)) {
  FActionList = new TActionList(FActionOwner.get());
  FActionList->SetName("MainActionList");
  for (const String& Name : StandardActionNames()) {
    auto* A = new TAction(FActionOwner.get());
    A->SetName(Name);
    // "EditCutCommand" shows as "Cut", "AlignBringToFrontCommand" as "BringToFront".
    String Caption = Name.substr(0, Name.size() - 7);
    Caption = StartsText("Edit", Caption) ? Caption.substr(4) : Caption.substr(5);
    A->SetCaption(Caption);
    A->SetCategory(StartsText("Edit", Name) ? "Edit" : "Align");
    A->SetActionList(FActionList);
  }
}

TReferenceIDEServices::~TReferenceIDEServices() = default;

TComponent* TReferenceIDEServices::FindAction(const String& Name) {
  for (int I = 0; I < FActionList->ActionCount(); ++I)
    if (SameText(FActionList->Actions(I)->Name(), Name)) return FActionList->Actions(I);
  return nullptr;
}

void TReferenceIDEServices::EndUpdate() {
  if (FPaletteUpdates > 0 && --FPaletteUpdates == 0 && FPaletteDirty) {
    FPaletteDirty = false;
    ++FPaletteChanges;
  }
}

void TReferenceIDEServices::ContextsChanged() {
  if (FPaletteUpdates > 0) {
    FPaletteDirty = true;
  } else {
    ++FPaletteChanges;
  }
}

void TReferenceIDEServices::AddContext(const String& Context) {
  if (FContexts.insert(LowerCase(Context)).second) ContextsChanged();
}

void TReferenceIDEServices::RemoveContext(const String& Context) {
  if (FContexts.erase(LowerCase(Context)) != 0) ContextsChanged();
}

bool TReferenceIDEServices::ContextActive(const String& Context) {
  return FContexts.count(LowerCase(Context)) != 0;
}

Variant TReferenceIDEServices::GetEnvironmentOption(const String& Name) {
  auto It = FOptions.find(LowerCase(Name));
  return It == FOptions.end() ? Variant() : It->second;
}

void TReferenceIDEServices::SetEnvironmentOption(const String& Name, const Variant& Value) {
  FOptions[LowerCase(Name)] = Value;
}

bool TReferenceIDEServices::IsModuleOpen(const String& FileName) { return FOpenModules.count(FileName) != 0; }

int TReferenceIDEServices::AddNotifier(const String& FileName, const IPtr<IOTAModuleNotifier>& Notifier) {
  FNotifiers[FNextNotifier] = {FileName, Notifier};
  return FNextNotifier++;
}

void TReferenceIDEServices::RemoveNotifier(int Index) { FNotifiers.erase(Index); }

void TReferenceIDEServices::OpenModule(const String& FileName) { FOpenModules.insert(FileName); }

void TReferenceIDEServices::CloseModule(const String& FileName) {
  FOpenModules.erase(FileName);
  std::vector<IPtr<IOTAModuleNotifier>> ToTell;
  for (auto It = FNotifiers.rbegin(); It != FNotifiers.rend(); ++It)
    if (It->second.first == FileName) ToTell.push_back(It->second.second);
  for (const auto& N : ToTell) N->ModuleClosed();
}

void TReferenceIDEServices::RenameModule(const String& FileName, const String& NewName) {
  if (FOpenModules.erase(FileName) != 0) FOpenModules.insert(NewName);
  std::vector<IPtr<IOTAModuleNotifier>> ToTell;
  for (auto& [Index, Entry] : FNotifiers)
    if (Entry.first == FileName) {
      Entry.first = NewName;
      ToTell.push_back(Entry.second);
    }
  for (const auto& N : ToTell) N->ModuleRenamed(NewName);
}

IPtr<TReferenceIDEServices> InstallReferenceIDEServices() {
  IPtr<TReferenceIDEServices> S = MakeIntf<TReferenceIDEServices>();
  SetVostrelIDEServices(IPtr<IInterface>(static_cast<INTAServices*>(S.Get())));
  return S;
}

}  // namespace formwright
