// The design-surface contract of the form designer: items (everything shown on a design surface
// seen through one interface), the selection list and its listeners, the design surface with
// its grab handles, drag boxes and guideline painter, and the module root's side of a surface.
//
// A surface for a concrete component framework implements these; the form designer
// (mouse and keyboard interaction) and the module root talk to a surface only through them.
//
// Coordinates: an item's bounds are in its parent item's client coordinates; "local" points
// are in an item's own client coordinates; "global" points are screen coordinates; "surface"
// points are client coordinates of the surface window (the root item's client area).
#pragma once

#include "contracts/DesignIntf.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Enumerations

// The drag the form designer is running.
FW_ENUM(TDragAction, daNone, daCreate, daSelect, daMove, daSize)
// How a drag box is drawn: a rubber band or the outline of an item.
FW_ENUM(TDesignBoxStyle, dbsSelection, dbsItem)
// Keys the surface hands to the form designer.
FW_ENUM(TDesignKeyCode, dkNone, dkDelete, dkLeft, dkUp, dkRight, dkDown, dkTab, dkEnter, dkEscape, dkChar)
// The edges a size drag moves; all four mean a move of the whole item.
FW_ENUM(TDragHandle, dhLeft, dhTop, dhRight, dhBottom)
using TDragHandles = TSet<TDragHandle>;
inline constexpr TDragHandles AllDragHandles{dhLeft, dhTop, dhRight, dhBottom};

// ---------------------------------------------------------------------------------------------
// Items

// An item that wraps a persistent object of the designed module.
struct IPersistentItem : virtual IInterface {
  FW_INTERFACE(IPersistentItem, IInterface, "{C41303B0-CAE3-11D3-AB47-00C04FB17A72}")
  // The wrapped object (never null for a live item).
  virtual TPersistent* GetItem() = 0;
  virtual String GetNamePath() = 0;
};

// One thing shown on a design surface: a control, a non-visual component's icon, the root.
struct IItem : virtual IInterface {
  FW_INTERFACE(IItem, IInterface, "{C41303AD-CAE3-11D3-AB47-00C04FB17A72}")
  // True when `Item` is this item or lies (at any depth) inside it.
  virtual bool Contains(const IPtr<IItem>& Item) = 0;
  // Removes the item's object from the design (frees it). Raises what ValidateDeletable
  // raises, leaving everything as it was.
  virtual void Delete() = 0;
  // Screen point → the item's client coordinates, and back.
  virtual TPoint GlobalToLocal(TPoint Point) = 0;
  virtual TPoint LocalToGlobal(TPoint Point) = 0;
  // True when both items stand for the same object.
  virtual bool Equals(const IPtr<IItem>& Item) = 0;
  // The item's rectangle in its parent's client coordinates.
  virtual TRect GetBoundsRect() = 0;
  // The bounds plus whatever the surface draws with the item (a caption below an icon).
  virtual TRect GetExtendedRect() = 0;
  // The client area in the item's own coordinates.
  virtual TRect GetClientRect() = 0;
  // The item this one sits in; null at the top.
  virtual IPtr<IItem> GetParent() = 0;
  // True when other items can be placed into this one.
  virtual bool IsContainer() = 0;
  // True when items inside this one can be selected although they belong to another module
  // (an embedded frame instance).
  virtual bool HasSelectableChildren() = 0;
  // Moves and sizes the item (parent client coordinates).
  virtual void SetBoundsRect(const TRect& Rect) = 0;
  // True when the user can select this item.
  virtual bool Selectable() = 0;
  // Raises when the item may not be deleted (EComponentDesignerException for a component of
  // an ancestor module, ECannotDeleteNonComponentException for a plain persistent).
  virtual void ValidateDeletable() = 0;
  // Runs the default action of the item's component editor (a double click).
  virtual void Edit() = 0;
};

// The designer's private view of an item: its children, its editor, its marked state and
// its place in the parent's order.
struct IInternalItem : virtual IItem {
  FW_INTERFACE(IInternalItem, IItem, "{7ED7BF32-E349-11D3-AB4A-00C04FB17A72}")
  // Child `Index` in display order; raises EListError for a bad index.
  virtual IPtr<IItem> GetChildren(int Index) = 0;
  virtual int GetChildCount() = 0;
  // A new component editor for the item's component (null when it has none).
  virtual IPtr<IComponentEditor> GetEditor() = 0;
  // Marked items are drawn as members of a multiple selection.
  virtual bool GetMarked() = 0;
  virtual void SetMarked(bool Value) = 0;
  // Moves the item into another parent item.
  virtual void SetParent(const IPtr<IItem>& Item) = 0;
  // Brings the item into view (scrolls its surface, shows hidden pages).
  virtual void Show() = 0;
  // Brings the item to the front (true) or sends it to the back among its siblings.
  virtual void ZOrder(bool ToFront) = 0;
  // Mirrors the children horizontally; with AllLevels also inside nested containers.
  virtual void FlipChildren(bool AllLevels) = 0;
};

// ---------------------------------------------------------------------------------------------
// Selection list

struct ISelections;

// Told when a selection list changed (once per completed update).
struct ISelectionsListener : virtual IInterface {
  FW_INTERFACE(ISelectionsListener, IInterface, "{3D642F40-D567-11D3-BA96-0080C78ADCDB}")
  virtual void SelectionChanged(const IPtr<ISelections>& Selections) = 0;
};

// The items the user selected on a surface, in selection order without duplicates; element 0
// is the anchor. Holds references to the items, not to their objects.
struct ISelections : virtual IInterface {
  FW_INTERFACE(ISelections, IInterface, "{C41303AC-CAE3-11D3-AB47-00C04FB17A72}")
  virtual int GetCount() = 0;
  // Raises EListError for a bad index.
  virtual IPtr<IItem> GetItems(int Index) = 0;
  // Nesting depth of BeginSelections.
  virtual int GetSelectionLevel() = 0;
  // Appends an item that is not yet selected; a selected one is left alone.
  virtual void Add(const IPtr<IItem>& Item) = 0;
  virtual void AddListener(const IPtr<ISelectionsListener>& Listener) = 0;
  // Changes inside Begin/End reach the listeners once, at the outermost EndSelections.
  virtual void BeginSelections() = 0;
  virtual void Clear() = 0;
  virtual void EndSelections() = 0;
  virtual void Remove(const IPtr<IItem>& Item) = 0;
  virtual void Remove(int Index) = 0;
  virtual void RemoveListener(const IPtr<ISelectionsListener>& Listener) = 0;
  virtual bool Selected(const IPtr<IItem>& Item) = 0;
  // Adds an unselected item, removes a selected one.
  virtual void Toggle(const IPtr<IItem>& Item) = 0;
};

// Keeps a selection update open for a scope.
class TSelectionsUpdate {
 public:
  explicit TSelectionsUpdate(const IPtr<ISelections>& Selections) : FSelections(Selections) {
    FSelections->BeginSelections();
  }
  ~TSelectionsUpdate() { FSelections->EndSelections(); }
  TSelectionsUpdate(const TSelectionsUpdate&) = delete;
  TSelectionsUpdate& operator=(const TSelectionsUpdate&) = delete;

 private:
  IPtr<ISelections> FSelections;
};

// ---------------------------------------------------------------------------------------------
// Surface helpers: grab handles, palette tools, drag boxes, guidelines

// The sizing handles drawn around the single selected item.
struct IGrabHandles : virtual IInterface {
  FW_INTERFACE(IGrabHandles, IInterface, "{C41303A9-CAE3-11D3-AB47-00C04FB17A72}")
  // The item that shows the handles; null hides them.
  virtual IPtr<IItem> GetItem() = 0;
  virtual void SetItem(const IPtr<IItem>& Item) = 0;
  // Locked handles are drawn differently and cannot size.
  virtual bool GetLocked() = 0;
  virtual void SetLocked(bool Value) = 0;
  // Redraws the handles at the item's current bounds.
  virtual void Update() = 0;
};

// The palette as the form designer sees it.
struct ITools : virtual IInterface {
  FW_INTERFACE(ITools, IInterface, "{C41303AF-CAE3-11D3-AB47-00C04FB17A72}")
  // True while a palette tool is active (a click or a rubber band creates a component).
  virtual bool ToolSelected() = 0;
};

// The boxes drawn while a drag runs. Indexes are those returned by Add.
struct IDragBoxes : virtual IInterface {
  FW_INTERFACE(IDragBoxes, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000001}")
  virtual int Add(const TRect& Rect, TDesignBoxStyle Style, TDragAction Action) = 0;
  virtual void Change(int Index, const TRect& Rect, TDragAction Action) = 0;
  virtual void MoveBy(int DX, int DY, TDragAction Action) = 0;
  // Erases every box and empties the list.
  virtual void Done() = 0;
};

// An item that draws itself while it is dragged.
struct IItem2D : virtual IInterface {
  FW_INTERFACE(IItem2D, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000002}")
  virtual IPtr<IItem> GetDraggedItem() = 0;
};

// A picture of an item shown while it is dragged.
struct IDragImage : virtual IInterface {
  FW_INTERFACE(IDragImage, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000003}")
  virtual TSize GetSize() = 0;
};

// Drag boxes that can also show items themselves or their drag images, and abandon a drag.
struct IDragBoxesEx : virtual IDragBoxes {
  FW_INTERFACE(IDragBoxesEx, IDragBoxes, "{D09A9465-C694-4A0A-9090-EC7C07677F31}")
  virtual int Add(const IPtr<IItem2D>& Item, TDragAction Action) = 0;
  virtual int Add(const IPtr<IDragImage>& Image, const TRect& Rect, TDragAction Action) = 0;
  using IDragBoxes::Add;
  // The drag ends unaccepted.
  virtual void CancelDrag() = 0;
};

// Draws the alignment guidelines of a drag.
struct IGuidelinePainter : virtual IInterface {
  FW_INTERFACE(IGuidelinePainter, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000004}")
  // Lines added between BeginUpdate and EndUpdate appear together at EndUpdate.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  // Removes every line.
  virtual void Clear() = 0;
  // A line of guide kind `Kind` from `Start` to `Finish` (surface coordinates).
  virtual void AddLine(TDesignerGuideType Kind, TPoint Start, TPoint Finish) = 0;
};

// ---------------------------------------------------------------------------------------------
// The design surface

// What the form designer implements to receive a surface's input.
struct IDesignSurfaceListener : virtual IInterface {
  FW_INTERFACE(IDesignSurfaceListener, IInterface, "{C41303AA-CAE3-11D3-AB47-00C04FB17A72}")
  // `Item` is the item under the mouse (surface point X, Y); `Handles` the edges of the grab
  // handle under it (empty when none); `NoDrag` asks for no drag at all.
  virtual void MouseDown(const IPtr<IItem>& Item, TShiftState Shift, int X, int Y, bool DoubleClick,
                         TDragHandles Handles, bool NoDrag) = 0;
  virtual void MouseMove(TShiftState Shift, int X, int Y) = 0;
  virtual void MouseUp(TShiftState Shift, int X, int Y) = 0;
  virtual void Key(TDesignKeyCode KeyCode, TShiftState Shift, bool KeyUp) = 0;
  virtual void CancelDragging() = 0;
};

// The window showing one designed module, as the form designer and the module root see it.
struct IDesignSurface : virtual IInterface {
  FW_INTERFACE(IDesignSurface, IInterface, "{37C644AA-6B33-4D7E-B18A-53D57E48010F}")
  // The surface keeps one listener (the form designer); removing clears it.
  virtual void AddListener(const IPtr<IDesignSurfaceListener>& Listener) = 0;
  virtual void RemoveListener(const IPtr<IDesignSurfaceListener>& Listener) = 0;
  // Creates the palette's current component inside `ParentItem` at `Rect` (the parent's
  // client coordinates) and returns its item.
  virtual IPtr<IItem> CreateItem(const IPtr<IItem>& ParentItem, const TRect& Rect) = 0;
  // Deletes the module's selection.
  virtual void DeleteSelection() = 0;
  virtual IPtr<IGrabHandles> GetGrabHandles() = 0;
  // Null when the surface draws no guidelines.
  virtual IPtr<IGuidelinePainter> GetGuidelinePainter() = 0;
  // The items the user can select, in surface order.
  virtual IPtr<IItem> GetItems(int Index) = 0;
  virtual int GetItemsCount() = 0;
  // The item of the designed root component.
  virtual IPtr<IItem> GetRoot() = 0;
  // The item that contains everything shown (the root item unless the surface frames it).
  virtual IPtr<IItem> GetContainerItem() = 0;
  // True while the user holds the key that turns snapping off.
  virtual bool GridSnapDisabled() = 0;
  // Raises when the module may not be changed now (read-only source); nothing changes then.
  virtual void ValidateModification() = 0;
  virtual void Modified() = 0;

  // ----- answered by the concrete surface

  // The item of `Persistent` on this surface, made on first request and kept until the
  // persistent is freed; null when the persistent is not shown on this surface.
  virtual IPtr<IItem> FindItem(TPersistent* Persistent) = 0;
  // The topmost selectable item at a surface point; the root item when no other is there.
  virtual IPtr<IItem> ItemAtPos(TPoint Point) = 0;
  // The point the grid is counted from (surface coordinates).
  virtual TPoint GetGridOrigin() = 0;
  // A surface point in screen coordinates.
  virtual TPoint SurfaceToGlobal(TPoint Point) = 0;
  // The mouse position (surface coordinates).
  virtual TPoint GetCursorPos() = 0;
  // The item after (GoForward) or before `Current` in tab order among the items of its
  // parent, wrapping around; with no current item, the first (forward) or last (backward)
  // item of the root. Null when the surface shows nothing to tab to.
  virtual IPtr<IItem> NextTabItem(const IPtr<IItem>& Current, bool GoForward) = 0;
  // New drag boxes for a drag inside `Container` that starts at the surface point `Start`.
  virtual IPtr<IDragBoxes> CreateDragBoxes(const IPtr<IItem>& Container, TPoint Start) = 0;
  // Forgets the items of every component owned by `Instance` (an embedded frame instance
  // leaving the module, whose components are freed with it).
  virtual void DropItems(TComponent* Instance) = 0;
  // True when `Item` or one of its parents (climbing GetParent) is in `Selections`: a control
  // inside a selected panel moves with it and offers no alignment guides of its own.
  virtual bool ItemInSelections(const IPtr<ISelections>& Selections, const IPtr<IItem>& Item) = 0;
  // The user pressed the right mouse button over `Item` at the surface point `Point`; the
  // surface shows its context menu there.
  virtual void RightClicked(const IPtr<IItem>& Item, TPoint Point) = 0;
};

// ---------------------------------------------------------------------------------------------
// What the form designer offers its surface and the items that take part in its drags

// The guide kinds of the alignment guidelines, as the form designer names them.
using TGuideType = TDesignerGuideType;
using TGuideTypes = TSet<TGuideType>;
// The alignment guidelines one item offers (a count, and per guideline its kind and offset).
using IItemGuidelines = IComponentGuidelines;

// An item that offers alignment guidelines to the drags around it.
struct IItemEx : virtual IInterface {
  FW_INTERFACE(IItemEx, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000007}")
  // True when the item takes part in guideline snapping at all.
  virtual bool GetGuidelinesEnabled() = 0;
  // The item's guidelines (null when it has none).
  virtual IPtr<IItemGuidelines> GetGuidelines() = 0;
};

// The dragged item during a drag with guidelines: carries the drag's current offset (the mouse
// delta) and rectangle, so that its guidelines are reported where the item is being dragged.
struct IItemWrapper : virtual IInterface {
  FW_INTERFACE(IItemWrapper, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000008}")
  virtual void SetOffset(TPoint Offset) = 0;
  virtual void SetRect(const TRect& Rect) = 0;
};

// An item of a component that has its own say in being selected by a rubber band.
struct IComponentItem : virtual IInterface {
  FW_INTERFACE(IComponentItem, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000009}")
  // True when a rubber band that touches the item may select it.
  virtual bool AcceptsRubberBand() = 0;
};

// The form designer of one surface, as the surface and its owner drive it. Grid steps are in
// pixels; points in surface coordinates.
struct ISurfaceDesigner : virtual IInterface {
  FW_INTERFACE(ISurfaceDesigner, IInterface, "{BC9760BF-249C-433A-B2C9-85B59B2D3A9F}")
  // Stops listening to the surface; the designer answers nothing afterwards.
  virtual void Close() = 0;
  // Ends a running drag unaccepted (nothing changes); nothing happens when none runs.
  virtual void CancelDragging() = 0;
  virtual bool GetLocked() = 0;
  virtual TPoint GetGridSize() = 0;
  // Locked controls can be selected but neither moved nor sized.
  virtual void Lock() = 0;
  // Redraws the grab handles and tells the surface that the module changed.
  virtual void Modified() = 0;
  // The nearest grid point; unless `Force`, the point itself while snapping is off.
  virtual TPoint PointToGrid(TPoint Point, bool Force) = 0;
  // Raises EInvalidArgument for a step below 1 in either direction, changing nothing.
  virtual void SetGridSize(TPoint Value) = 0;
  virtual void Unlock() = 0;
  virtual bool GetGridAligned() = 0;
  virtual void SetGridAligned(bool Value) = 0;
  virtual bool GetGuidelines() = 0;
  virtual void SetGuidelines(bool Value) = 0;
  virtual IPtr<ISelections> GetSelections() = 0;
  virtual TDragAction GetDragAction() = 0;
};

// The dialogs a surface asks its host to show for the current selection.
FW_ENUM(TDesignDialog, ddAlign, ddSize, ddScale, ddTabOrder, ddCreationOrder, ddSaveTemplate)
// The module commands a surface asks its host to carry out.
FW_ENUM(TDesignCommand, dmAlignToGrid, dmFlipAllChildren, dmFlipSelectedChildren, dmTextPFM, dmViewAsText,
        dmRevert, dmShowNonVisualComponents)

// The module root's side of a design surface: what the surface passes on to the module.
struct ISurfaceHost : virtual IInterface {
  FW_INTERFACE(ISurfaceHost, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000005}")
  // Creates the palette's current component in `Parent` at `Rect`; null when none was made.
  virtual TComponent* CreateCurrentComponent(TComponent* Parent, const TRect& Rect) = 0;
  virtual void DeleteSelection() = 0;
  // The components the user can select, in module order.
  virtual int GetSelectableComponentCount() = 0;
  virtual TComponent* GetSelectableComponents(int Index) = 0;
  // True when the components owned by `Component` are selectable (an embedded frame instance).
  virtual bool HasSelectableChildren(TComponent* Component) = 0;
  virtual void Modified() = 0;
  virtual void ValidateModification() = 0;
  // Shows the dialog `Kind` for the selection and applies what the person chose; a dialog
  // that is cancelled changes nothing.
  virtual void Dialog(TDesignDialog Kind) = 0;
  // Carries out the module command `Command` (a command the host does not know does nothing).
  virtual void Command(TDesignCommand Command) = 0;
  // Raises when `Component` may not be inserted into the module now (a view takes new
  // components only from its master).
  virtual void CanInsertComponent(TComponent* Component) = 0;
  // Told when a persistent joins or leaves the module.
  virtual void InstanceInserted(TPersistent* Persistent) = 0;
  virtual void InstanceRemoved(TPersistent* Persistent) = 0;
  // A name for a new component that no component of the module has, made from `BaseName`.
  virtual String UniqueName(const String& BaseName) = 0;
};

// What items of a surface need to know about the module they show. The surface gives one to
// each item it makes.
struct IItemContext : virtual IInterface {
  FW_INTERFACE(IItemContext, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B10000006}")
  // The module's root component.
  virtual TComponent* GetDesignRoot() = 0;
  // True when the components owned by `Component` are selectable (an embedded frame instance).
  virtual bool HasSelectableChildren(TComponent* Component) = 0;
  // A new component editor for `Component` (null when none can be made).
  virtual IPtr<IComponentEditor> GetComponentEditor(TComponent* Component) = 0;
};

}  // namespace formwright
