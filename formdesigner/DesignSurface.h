// The base of every design surface: what a surface passes on to the module it shows (through
// its surface host, the module root) and what it only stores. A surface for a concrete
// component framework derives from TDesignSurface and answers what only it can: the item of a
// component, the item under a point, coordinates, the grid origin, the tab order, drag boxes.
#pragma once

#include <memory>
#include <vector>

#include "formdesigner/SurfaceIntf.h"

namespace formwright {

// The commands a design surface offers its window's menus: the layout dialogs and the module
// commands, all carried out by the module behind the surface.
struct IDesignSurfaceCommands : virtual IInterface {
  FW_INTERFACE(IDesignSurfaceCommands, IInterface, "{B3E1D7A0-2F5C-4E8B-9A61-0C4D2E7F0001}")
  // The dialogs for the selection (cancelled: nothing changes).
  virtual void AppAlignDialog() = 0;
  virtual void AppSizeDialog() = 0;
  virtual void AppScaleDialog() = 0;
  virtual void AppTabOrderDialog() = 0;
  virtual void AppCreationOrderDialog() = 0;
  virtual void AppSaveTemplateDialog() = 0;
  // The module commands.
  virtual void AlignToGrid() = 0;
  virtual void AppFlipChildrenAll() = 0;
  virtual void AppFlipChildrenSelected() = 0;
  virtual void AppTextPFM() = 0;
  virtual void AppViewAsText() = 0;
  virtual void RevertComponent() = 0;
  virtual void AppShowNonVisualComponents() = 0;
  // Whether the surface shows a view of another module, and whether its root is a control.
  virtual bool IsView() = 0;
  virtual bool GetIsControl() = 0;
  // The designed root component.
  virtual TComponent* GetDesignRoot() = 0;
  // Raises when `Component` may not join the module now.
  virtual void CanInsertComponent(TComponent* Component) = 0;
  // A persistent joined or left the module.
  virtual void InstanceInserted(TPersistent* Persistent) = 0;
  virtual void InstanceRemoved(TPersistent* Persistent) = 0;
  // A component name the module does not use yet, made from `BaseName`.
  virtual String UniqueName(const String& BaseName) = 0;
};

// Every operation on the module goes to the surface host; without a host those operations do
// nothing (and answer null, zero or an empty name). The surface keeps a single listener.
class TDesignSurface : public TInterfacedObject, public IDesignSurface, public IDesignSurfaceCommands {
  FW_CLASS(TDesignSurface, TInterfacedObject)
 public:
  // `DesignRoot` is the designed root component; `Host` the module root (may come later through
  // SetHost).
  TDesignSurface(TComponent* DesignRoot, IPtr<ISurfaceHost> Host);

  // ----- IDesignSurface: stored or forwarded
  void AddListener(const IPtr<IDesignSurfaceListener>& Listener) override { FListener = Listener; }
  // Clears the listener, whichever listener is passed.
  void RemoveListener(const IPtr<IDesignSurfaceListener>& Listener) override { FListener.Reset(); }
  // The host creates the palette's current component in ParentItem's component; its item.
  IPtr<IItem> CreateItem(const IPtr<IItem>& ParentItem, const TRect& Rect) override;
  void DeleteSelection() override;
  IPtr<IGrabHandles> GetGrabHandles() override { return FGrabHandles; }
  IPtr<IGuidelinePainter> GetGuidelinePainter() override { return FGuidelinePainter; }
  // The item of the host's selectable component Index, and their number.
  IPtr<IItem> GetItems(int Index) override;
  int GetItemsCount() override;
  IPtr<IItem> GetRoot() override { return FRootItem; }
  IPtr<IItem> GetContainerItem() override { return FContainerItem; }
  bool GridSnapDisabled() override { return false; }
  void ValidateModification() override;
  void Modified() override;
  // True when Item or any of its parents (climbing GetParent) is selected.
  bool ItemInSelections(const IPtr<ISelections>& Selections, const IPtr<IItem>& Item) override;

  // ----- IDesignSurfaceCommands: the host's Dialog and Command
  void AppAlignDialog() override { Dialog(ddAlign); }
  void AppSizeDialog() override { Dialog(ddSize); }
  void AppScaleDialog() override { Dialog(ddScale); }
  void AppTabOrderDialog() override { Dialog(ddTabOrder); }
  void AppCreationOrderDialog() override { Dialog(ddCreationOrder); }
  void AppSaveTemplateDialog() override { Dialog(ddSaveTemplate); }
  void AlignToGrid() override { Command(dmAlignToGrid); }
  void AppFlipChildrenAll() override { Command(dmFlipAllChildren); }
  void AppFlipChildrenSelected() override { Command(dmFlipSelectedChildren); }
  void AppTextPFM() override { Command(dmTextPFM); }
  void AppViewAsText() override { Command(dmViewAsText); }
  void RevertComponent() override { Command(dmRevert); }
  void AppShowNonVisualComponents() override { Command(dmShowNonVisualComponents); }
  bool IsView() override { return false; }
  bool GetIsControl() override { return false; }
  TComponent* GetDesignRoot() override { return FDesignRoot; }
  void CanInsertComponent(TComponent* Component) override;
  void InstanceInserted(TPersistent* Persistent) override;
  void InstanceRemoved(TPersistent* Persistent) override;
  String UniqueName(const String& BaseName) override;

  // Releases the grab handles' item.
  virtual void Close();
  void SetHost(IPtr<ISurfaceHost> Host) { FHost = std::move(Host); }
  const IPtr<ISurfaceHost>& Host() const noexcept { return FHost; }
  void SetInitializing(bool Value) noexcept { FInitializing = Value; }
  bool Initializing() const noexcept { return FInitializing; }
  const IPtr<IDesignSurfaceListener>& Listener() const noexcept { return FListener; }
  // Keeps Object until the surface goes.
  void Own(std::unique_ptr<TObject> Object) { FOwned.push_back(std::move(Object)); }

 protected:
  void Dialog(TDesignDialog Kind);
  void Command(TDesignCommand Command);
  void SetDesignRoot(TComponent* Root) noexcept { FDesignRoot = Root; }
  TComponent* DesignRootComponent() const noexcept { return FDesignRoot; }
  void SetRootItems(IPtr<IItem> Root, IPtr<IItem> Container) {
    FRootItem = std::move(Root);
    FContainerItem = std::move(Container);
  }
  void SetPainters(IPtr<IGrabHandles> GrabHandles, IPtr<IGuidelinePainter> GuidelinePainter) {
    FGrabHandles = std::move(GrabHandles);
    FGuidelinePainter = std::move(GuidelinePainter);
  }
  void ClearListener() { FListener.Reset(); }

 private:
  IPtr<ISurfaceHost> FHost;
  TComponent* FDesignRoot;
  IPtr<IItem> FRootItem;
  IPtr<IItem> FContainerItem;
  IPtr<IGrabHandles> FGrabHandles;
  IPtr<IGuidelinePainter> FGuidelinePainter;
  IPtr<IDesignSurfaceListener> FListener;
  bool FInitializing = false;
  std::vector<std::unique_ptr<TObject>> FOwned;
};

}  // namespace formwright
