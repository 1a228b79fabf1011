// The headless design surface of the Orx framework: the surface a module root of the reference
// host shows its root component on. It draws nothing; it keeps what a window would show (the
// grab handles' item, marked items, drag boxes, guideline lines, the context menu's place) so that tools and
// tests can see it, and it answers every question the form designer and the module root ask of a surface.
//
// Items are made on first request and kept per component until the component is freed (the
// surface asks to be told through a free notification) or its frame instance leaves the module.
#pragma once

#include <memory>
#include <vector>

#include "formdesigner/DesignSurface.h"
#include "formdesigner/DragBoxes.h"
#include "host/root/SurfaceItems.h"
#include "host/root/SurfacePicture.h"
#include "platform/runtime/PointerMap.h"

namespace formwright {

// The sizing handles: the item they are on and whether they are locked.
class TOrxGrabHandles : public TInterfacedObject, public IGrabHandles {
  FW_CLASS(TOrxGrabHandles, TInterfacedObject)
 public:
  IPtr<IItem> GetItem() override { return FItem; }
  void SetItem(const IPtr<IItem>& Item) override { FItem = Item; }
  bool GetLocked() override { return FLocked; }
  void SetLocked(bool Value) override { FLocked = Value; }
  void Update() override { ++FUpdates; }
  // How often the handles were redrawn.
  int Updates() const noexcept { return FUpdates; }

 private:
  IPtr<IItem> FItem;
  bool FLocked = false;
  int FUpdates = 0;
};

// The drag boxes as the headless surface shows them: each box drawn by exclusive-or toggles it
// on the list of boxes shown, so a box drawn twice is gone again, and, once the surface has a
// picture of its form, is drawn by exclusive-or on that picture as well: an item's drag image
// (IOrxDragImage) as the item's picture, any other box as an outline (a filled rectangle for
// a rubber band).
class TOrxDragBoxPainter : public TInterfacedObject, public IDragBoxPainter {
  FW_CLASS(TOrxDragBoxPainter, TInterfacedObject)
 public:
  struct TBox {
    TRect Rect;
    TDesignBoxStyle Style;
    friend bool operator==(const TBox&, const TBox&) = default;
  };
  // Boxes come in the client coordinates of the drag's container; `Offset` is where that client
  // area starts on `Picture` (null or empty: boxes are only recorded), drawn `Scale` times
  // larger.
  void SetPicture(orx::TBitmap* Picture, TPoint Offset, int32_t Scale = 1) noexcept {
    FPicture = Picture;
    FOffset = Offset;
    FScale = Scale;
  }
  void DrawBox(const TRect& Rect, TDesignBoxStyle Style, const IPtr<IDragImage>& Image) override;
  // The boxes on the picture now, in the order they appeared.
  const std::vector<TBox>& Shown() const noexcept { return FShown; }
  // How many boxes were drawn or erased.
  int Strokes() const noexcept { return FStrokes; }

 private:
  std::vector<TBox> FShown;
  int FStrokes = 0;
  orx::TBitmap* FPicture = nullptr;
  TPoint FOffset;
  int32_t FScale = 1;
};

// The guideline lines of a drag, kept instead of drawn; lines added inside an update appear at
// its end.
class TOrxGuidelinePainter : public TInterfacedObject, public IGuidelinePainter {
  FW_CLASS(TOrxGuidelinePainter, TInterfacedObject)
 public:
  struct TLine {
    TDesignerGuideType Kind;
    TPoint Start;
    TPoint Finish;
  };
  void BeginUpdate() override { ++FUpdateLevel; }
  void EndUpdate() override;
  void Clear() override;
  void AddLine(TDesignerGuideType Kind, TPoint Start, TPoint Finish) override;
  // The lines shown.
  const std::vector<TLine>& Lines() const noexcept { return FLines; }

 private:
  std::vector<TLine> FLines;
  std::vector<TLine> FPending;
  int FUpdateLevel = 0;
};

// The design surface of one root component. What concerns the module goes to the surface host
// (TDesignSurface); this class answers items, points, tab order, drag boxes and pictures.
//
// Without a surface host (a module root) the surface answers on its own: the selectable
// components are the root's owned components and those of its embedded frame instances,
// nothing is created or deleted through it, and modifications are only counted.
class TOrxDesignSurface : public TDesignSurface {
  FW_CLASS(TOrxDesignSurface, TDesignSurface)
 public:
  // `DesignRoot` must not be null; `Designer` supplies component editors (may be null).
  TOrxDesignSurface(TComponent* DesignRoot, IPtr<ISurfaceHost> Host = nullptr,
                    IPtr<IDesigner> Designer = nullptr);
  ~TOrxDesignSurface() override;

  // ----- IDesignSurface
  // Without a host: the root's components and those of its frame instances; raises EListError
  // for a bad index.
  IPtr<IItem> GetItems(int Index) override;
  int GetItemsCount() override;
  bool GridSnapDisabled() override { return FGridSnapDisabled; }
  // Counted while there is no host.
  void Modified() override;
  // True: the design root of an Orx module is a control or a data module's icon area.
  bool GetIsControl() override { return dynamic_cast<orx::TControl*>(GetDesignRoot()) != nullptr; }
  // Components of this module (the root and what it owns, at any depth) get cached items;
  // any other persistent gets a new item that is not kept; components of other modules none.
  IPtr<IItem> FindItem(TPersistent* Persistent) override;
  // Icons first (they lie above the controls), then the topmost control, climbed to the
  // nearest selectable item; the root item when nothing else is there.
  IPtr<IItem> ItemAtPos(TPoint Point) override;
  TPoint GetGridOrigin() override { return {0, 0}; }
  TPoint SurfaceToGlobal(TPoint Point) override;
  TPoint GetCursorPos() override { return FCursorPos; }
  // The tab order of a parent: its windowed child controls by TabOrder, its other child
  // controls bottom-most first, then (for the root) the icons in owner order. Only selectable
  // items take part.
  IPtr<IItem> NextTabItem(const IPtr<IItem>& Current, bool GoForward) override;
  IPtr<IDragBoxes> CreateDragBoxes(const IPtr<IItem>& Container, TPoint Start) override;
  void DropItems(TComponent* Instance) override;
  // Remembered as the context menu's place.
  void RightClicked(const IPtr<IItem>& Item, TPoint Point) override;

  // ----- what the item context answers
  TComponent* DesignRoot() { return GetDesignRoot(); }
  // The host's answer, else: the component is an embedded frame instance.
  bool HasSelectableChildren(TComponent* Component);
  IPtr<IComponentEditor> GetComponentEditor(TComponent* Component);
  // The designer given, else the design root's (null when it has none).
  IPtr<IDesigner> GetDesigner();
  // The root's components shown as icons (not controls, not registered as having no icon), in
  // owner order.
  std::vector<TComponent*> IconComponents() const;

  // ----- headless state
  // Stands for the key that turns snapping off.
  void SetGridSnapDisabled(bool Value) noexcept { FGridSnapDisabled = Value; }
  void SetCursorPos(TPoint Value) noexcept { FCursorPos = Value; }
  // What the drag boxes of every drag draw on.
  const IPtr<TOrxDragBoxPainter>& DragBoxPainter() const noexcept { return FDragBoxPainter; }
  // The module as the surface shows it, once PaintPicture drew it (empty before): what a window
  // would show, and where drag boxes are drawn by exclusive-or.
  orx::TBitmap& Picture() const noexcept { return *FPicture; }
  // Draws the design root on Picture as How says (PaintModulePicture); drag boxes of later drags
  // are drawn on it at its scale. Raises Exception for a root without area, drawing nothing.
  void PaintPicture(const TSurfacePicture& How = {});
  // The item and surface point of the last context menu (null and (0, 0) before any).
  const IPtr<IItem>& ContextMenuItem() const noexcept { return FContextMenuItem; }
  TPoint ContextMenuPoint() const noexcept { return FContextMenuPoint; }
  // Modifications reported while there is no host.
  int ModifiedCount() const noexcept { return FModifiedCount; }
  // Number of cached items.
  int CachedItemCount() const noexcept { return static_cast<int>(FItems.Size()); }
  // Releases the grab handles' item, the cached items, the free notifications, the listener,
  // the host and the designer; the surface then answers nothing for the module any more.
  // Called by the destructor.
  void Close() override;

 private:
  class TNotifier;
  friend class TNotifier;
  void ComponentFreed(TComponent* Component);
  bool BelongsToModule(const TComponent* Component) const;
  IPtr<IItem> MakeItem(TComponent* Component);
  std::vector<TComponent*> SelectableComponents();
  std::vector<IPtr<IItem>> TabSequence(const IPtr<IItem>& Parent);

  IPtr<IDesigner> FDesigner;
  IPtr<TOrxItemContext> FContext;
  IPtr<TOrxGrabHandles> FGrabHandles = MakeIntf<TOrxGrabHandles>();
  IPtr<TOrxGuidelinePainter> FGuidelinePainter = MakeIntf<TOrxGuidelinePainter>();
  IPtr<TOrxDragBoxPainter> FDragBoxPainter = MakeIntf<TOrxDragBoxPainter>();
  TOwned<orx::TBitmap> FPicture{new orx::TBitmap};
  int32_t FPictureScale = 1;
  IPtr<IItem> FContextMenuItem;
  TPoint FContextMenuPoint;
  TPointerMap<TComponent, IPtr<IItem>> FItems;
  TOwned<TComponent> FNotifier;
  TPoint FCursorPos;
  bool FGridSnapDisabled = false;
  int FModifiedCount = 0;
};

}  // namespace formwright
