#include "moduledesigner/Designers.h"

#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

namespace {
inline constexpr const char* SNativeDesignerActive = "NativeDesignerActive";
inline constexpr const char* SCodeEditorActive = "CodeEditorActive";

struct TSinks {
  TEvRootActivatedEvent RootActivated;
  TEvComponentRenamedEvent ComponentRenamed;
  TEvent ActiveRootModified;
  TEvent DesignerDeactivated;
};
TSinks& Sinks() {
  static TSinks S;
  return S;
}
IPtr<TDesigners>& DesignersInstance() {
  static IPtr<TDesigners> D;
  return D;
}

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
    if (IPtr<IDesignEnvironment> Env = Designer->GetEnvironment()) Env->DesignerActivated(IPtr<IInterface>(Designer));
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
  DesignersInstance().Reset();
  Sinks().RootActivated.Clear();
  Sinks().ComponentRenamed.Clear();
  Sinks().ActiveRootModified.Clear();
  Sinks().DesignerDeactivated.Clear();
}

}  // namespace formwright
