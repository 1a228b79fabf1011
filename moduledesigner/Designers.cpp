#include "moduledesigner/Designers.h"

#include "moduledesigner/ComponentDesigner.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

namespace {
inline constexpr const char* SNativeDesignerActive = "NativeDesignerActive";
inline constexpr const char* SCodeEditorActive = "CodeEditorActive";

inline constexpr const char* SNoPackage = "No design package is current";

// The sinks and designers of the current package, made on first use.
TDesignerSinks& Sinks() {
  TDesignPackage* P = CurrentDesignPackage();
  if (!P) throw EInvalidOperation(SNoPackage);
  if (TDesignerSinks* S = P->Find<TDesignerSinks>()) return *S;
  return P->AddService(std::make_unique<TDesignerSinks>());
}
IPtr<TDesigners>& DesignersInstance() { return Sinks().Designers; }

// Runs Body inside one update of the palette services (when the host offers them).
template <class F>
void InPaletteUpdate(const F& Body) {
  IPtr<IOTAPaletteServices> P = Supports<IOTAPaletteServices>(VostrelIDEServices());
  if (!P) return;
  P->BeginUpdate();
  try {
    Body(P);
  } catch (...) {
    P->EndUpdate();
    throw;
  }
  P->EndUpdate();
}
}  // namespace

void SetPaletteContext(const String& Context, bool Active) {
  InPaletteUpdate([&](const IPtr<IOTAPaletteServices>& P) {
    if (Active)
      P->AddContext(Context);
    else
      P->RemoveContext(Context);
  });
}

void TEvRootActivatedEvent::Send(TObject* Sender, const IPtr<ICustomModule>& CustomModule) {
  InPaletteUpdate([&](const IPtr<IOTAPaletteServices>& P) {
    if (CustomModule)
      P->AddContext(SNativeDesignerActive);
    else
      P->RemoveContext(SNativeDesignerActive);
    P->RemoveContext(SCodeEditorActive);
  });
  SendToAll(Sender, CustomModule);
}

TEvRootActivatedEvent& RootActivatedSink() { return Sinks().RootActivated; }
TEvComponentRenamedEvent& ComponentRenamedSink() { return Sinks().ComponentRenamed; }
TEvent& ActiveRootModifiedSink() { return Sinks().ActiveRootModified; }
TEvent& DesignerDeactivatedSink() { return Sinks().DesignerDeactivated; }

void TDesigners::RegisterDesigner(const IPtr<IComponentDesigner>& Designer, const String& Extension) {
  FDesigners.push_back(Designer);
  FExtensions.push_back(Extension);
}

void TDesigners::UnregisterDesigner(const IPtr<IComponentDesigner>& Designer) {
  for (size_t I = FDesigners.size(); I-- > 0;)
    if (FDesigners[I] == Designer) {
      FDesigners.erase(FDesigners.begin() + static_cast<std::ptrdiff_t>(I));
      FExtensions.erase(FExtensions.begin() + static_cast<std::ptrdiff_t>(I));
    }
  if (FActiveDesigner == Designer) {
    FActiveDesigner.Reset();
    FActiveDesignRoot.Reset();
  }
}

bool TDesigners::DesignerActive() {
  for (const auto& D : FDesigners)
    if (D->IsActive()) return true;
  return false;
}

IPtr<IComponentDesigner> TDesigners::DesignerFromExtension(const String& Extension) {
  for (size_t I = 0; I < FDesigners.size(); ++I)
    if (SameText(FExtensions[I], Extension)) return FDesigners[I];
  return nullptr;
}

void TDesigners::ForEachDesigner(const std::function<bool(const IPtr<IComponentDesigner>&)>& Proc) {
  const auto Copy = FDesigners;
  for (const auto& D : Copy)
    if (!Proc(D)) break;
}

void TDesigners::RegisteredExtensions(const TGetStrProc& Proc) {
  for (const String& E : FExtensions) Proc(E);
}

std::vector<TClass> TDesigners::InvalidDataModuleClasses() {
  std::vector<TClass> Result;
  for (const auto& D : FDesigners)
    if (auto* C = dynamic_cast<TComponentDesigner*>(D.Get()))
      Result.insert(Result.end(), C->InvalidDataModuleClasses().begin(), C->InvalidDataModuleClasses().end());
  return Result;
}

void TDesigners::DesignerActivated(const IPtr<IComponentDesigner>& Designer) {
  IPtr<IRoot> Root = Designer->GetActiveRoot();
  if (FActiveDesigner == Designer && FActiveDesignRoot == Root) {
    SetPaletteContext(SNativeDesignerActive, true);
    return;
  }
  const bool DesignerChanged = !(FActiveDesigner == Designer);
  FActiveDesigner = Designer;
  FActiveDesignRoot = Root;
  if (IPtr<IInternalRoot> Internal = Supports<IInternalRoot>(Root))
    RootActivatedSink().Send(nullptr, Internal->GetCustomModule());
  if (DesignerChanged)
    if (IPtr<IDesignEnvironment> Env = Designer->GetEnvironment())
      Env->DesignerActivated(IPtr<IInterface>(Designer));
}

void TDesigners::DeactivateDesigner() {
  const bool WasSet = bool(FActiveDesigner);
  FActiveDesigner.Reset();
  FActiveDesignRoot.Reset();
  if (WasSet) DesignerDeactivatedSink().Send(nullptr);
  SetPaletteContext(SNativeDesignerActive, false);
}

void TDesigners::RootGone(const IPtr<IRoot>& Root) {
  if (FActiveDesignRoot == Root) FActiveDesignRoot.Reset();
}

// ----- Forwarding -----------------------------------------------------------------------------

IPtr<IDesignerSelections> TDesigners::GetSelection() {
  return FActiveDesigner ? FActiveDesigner->GetSelection() : nullptr;
}
String TDesigners::GetSelectionName() {
  return FActiveDesigner ? FActiveDesigner->GetSelectionName() : String();
}
String TDesigners::GetSelectionType() {
  return FActiveDesigner ? FActiveDesigner->GetSelectionType() : String();
}
TClass TDesigners::GetFirstSelectionClass() {
  return FActiveDesigner ? FActiveDesigner->GetFirstSelectionClass() : nullptr;
}
PTypeInfo TDesigners::GetFirstSelectionType() {
  return FActiveDesigner ? FActiveDesigner->GetFirstSelectionType() : nullptr;
}
String TDesigners::GetFirstSelectionUnit() {
  return FActiveDesigner ? FActiveDesigner->GetFirstSelectionUnit() : String();
}
void TDesigners::GetProperties(TPropKind Kind, const TGetPropProc& Proc) {
  if (FActiveDesigner) FActiveDesigner->GetProperties(Kind, Proc);
}
void TDesigners::EditAction(TEditAction Action) {
  if (FActiveDesigner) FActiveDesigner->EditAction(Action);
}
TEditState TDesigners::GetEditState() {
  return FActiveDesigner ? FActiveDesigner->GetEditState() : TEditState();
}
void TDesigners::CancelModes() {
  if (FActiveDesigner) FActiveDesigner->CancelModes();
}
void TDesigners::ModalEditDone(const IPtr<IActivatable>& ReturnWindow) {
  if (FActiveDesigner)
    FActiveDesigner->ModalEditDone(ReturnWindow);
  else if (ReturnWindow)
    ReturnWindow->Activate();
}
void TDesigners::CopySelectionToStream(TStream* Stream, TStrings* Units) {
  if (FActiveDesigner) FActiveDesigner->CopySelectionToStream(Stream, Units);
}
void TDesigners::PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) {
  if (FActiveDesigner) FActiveDesigner->PasteSelectionFromStream(Stream, Parent, Rect);
}
void TDesigners::ShowWindows() {
  ForEachDesigner([](const IPtr<IComponentDesigner>& D) {
    D->ShowWindows();
    return true;
  });
}
void TDesigners::HideWindows() {
  ForEachDesigner([](const IPtr<IComponentDesigner>& D) {
    D->HideWindows();
    return true;
  });
}
void TDesigners::SetControlsLocked(bool Value) {
  ForEachDesigner([Value](const IPtr<IComponentDesigner>& D) {
    D->SetControlsLocked(Value);
    return true;
  });
}
bool TDesigners::GetControlsLocked() { return FActiveDesigner && FActiveDesigner->GetControlsLocked(); }
void TDesigners::DesignerOptionsChanged() {
  ForEachDesigner([](const IPtr<IComponentDesigner>& D) {
    D->DesignerOptionsChanged();
    return true;
  });
}

TComponent* TopLevelDesignComponent(TComponent* Ignoring) {
  IPtr<IRoot> R = ActiveRoot();
  TComponent* C = R ? R->GetRoot() : nullptr;
  return C == Ignoring ? nullptr : C;
}

IPtr<TDesigners> Designers() {
  IPtr<TDesigners>& D = DesignersInstance();
  if (!D) D = MakeIntf<TDesigners>();
  return D;
}

IPtr<IComponentDesigner> ActiveDesigner() { return Designers()->GetActiveDesigner(); }

IPtr<IRoot> ActiveRoot() {
  IPtr<IComponentDesigner> D = ActiveDesigner();
  return D ? D->GetActiveRoot() : nullptr;
}

void ActivateNonOrxDesigner() { RootActivatedSink().SendToHandlers(nullptr, StubCustomModule()); }

void DoneDesigners() {
  TDesignerSinks* S = CurrentPackageService<TDesignerSinks>();
  if (!S) return;
  S->Designers.Reset();
  S->RootActivated.Clear();
  S->ComponentRenamed.Clear();
  S->ActiveRootModified.Clear();
  S->DesignerDeactivated.Clear();
}

}  // namespace formwright
