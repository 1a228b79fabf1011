#include "host/root/FormWindow.h"

namespace formwright {

FW_REGISTER_CLASS(TOrxPaletteTools, "ReferenceRoot")
FW_REGISTER_CLASS(TOrxFormWindow, "ReferenceRoot")

TOrxFormWindow::TOrxFormWindow(IPtr<IDesigner> Designer, IPtr<TOrxDesignSurface> Surface,
                               IPtr<ISelections> Selections, IPtr<ITools> Tools)
    : FDesigner(std::move(Designer)), FSurface(std::move(Surface)) {
  if (FSurface && Selections)
    FFormDesigner = MakeIntf<TDesigner>(FSurface, std::move(Selections), std::move(Tools));
}

void TOrxFormWindow::AfterModified() {
  if (FPendingModifications == 0) return;
  --FPendingModifications;
  ++FModifications;
}

void TOrxFormWindow::CancelModes() {
  if (FSurface)
    if (const IPtr<IDesignSurfaceListener>& L = FSurface->Listener()) L->CancelDragging();
}

void TOrxFormWindow::Close() {
  FOpen = false;
  if (FFormDesigner) FFormDesigner->Close();
  FFormDesigner.Reset();
  FDesigner.Reset();
  FSurface.Reset();
}

void TOrxFormWindow::EditAction(TEditAction Action) {
  if (IPtr<IEditHandler> H = Supports<IEditHandler>(FDesigner)) H->EditAction(Action);
}

TEditState TOrxFormWindow::GetEditState() {
  IPtr<IEditHandler> H = Supports<IEditHandler>(FDesigner);
  return H ? H->GetEditState() : TEditState();
}

}  // namespace formwright
