#include "formdesigner/DesignSurface.h"

#include "formdesigner/Items.h"

namespace formwright {

FW_REGISTER_CLASS(TDesignSurface, "DesignSurface")

TDesignSurface::TDesignSurface(TComponent* DesignRoot, IPtr<ISurfaceHost> Host)
    : FHost(std::move(Host)), FDesignRoot(DesignRoot) {}

IPtr<IItem> TDesignSurface::CreateItem(const IPtr<IItem>& ParentItem, const TRect& Rect) {
  if (!FHost) return nullptr;
  TComponent* Created = FHost->CreateCurrentComponent(ExtractComponent(ParentItem), Rect);
  return Created ? FindItem(Created) : nullptr;
}

void TDesignSurface::DeleteSelection() {
  if (FHost) FHost->DeleteSelection();
}

IPtr<IItem> TDesignSurface::GetItems(int Index) {
  return FHost ? FindItem(FHost->GetSelectableComponents(Index)) : nullptr;
}

int TDesignSurface::GetItemsCount() { return FHost ? FHost->GetSelectableComponentCount() : 0; }

void TDesignSurface::ValidateModification() {
  if (FHost) FHost->ValidateModification();
}

void TDesignSurface::Modified() {
  if (FHost) FHost->Modified();
}

bool TDesignSurface::ItemInSelections(const IPtr<ISelections>& Selections, const IPtr<IItem>& Item) {
  if (!Selections) return false;
  for (IPtr<IItem> I = Item; I; I = I->GetParent())
    if (Selections->Selected(I)) return true;
  return false;
}

void TDesignSurface::CanInsertComponent(TComponent* Component) {
  if (FHost) FHost->CanInsertComponent(Component);
}

void TDesignSurface::InstanceInserted(TPersistent* Persistent) {
  if (FHost) FHost->InstanceInserted(Persistent);
}

void TDesignSurface::InstanceRemoved(TPersistent* Persistent) {
  if (FHost) FHost->InstanceRemoved(Persistent);
}

String TDesignSurface::UniqueName(const String& BaseName) {
  return FHost ? FHost->UniqueName(BaseName) : String();
}

void TDesignSurface::Close() {
  if (FGrabHandles) FGrabHandles->SetItem(nullptr);
}

void TDesignSurface::Dialog(TDesignDialog Kind) {
  if (FHost) FHost->Dialog(Kind);
}

void TDesignSurface::Command(TDesignCommand Command) {
  if (FHost) FHost->Command(Command);
}

}  // namespace formwright
