// Contracts of component editors, selection editors, custom modules and alignment guidelines,
// the design notifications, edit handling, and the host-side menu, window and drop-target
// interfaces they use.
#pragma once

#include "contracts/DesignerIntf.h"
#include "platform/runtime/Lists.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Host side: menus, design windows, drop targets

struct IMenuItem;

// Called when a menu item made with a click handler is chosen.
using TMenuClickProc = std::function<void(TObject* Sender)>;

// The sub-items of a menu item (or of a whole menu) that editors fill with their verbs.
struct IMenuItems : virtual IInterface {
  FW_INTERFACE(IMenuItems, IInterface, "{D51E2A10-0501-4F3B-9C6E-5A1B00000401}")
  // True when `AItem` stands for the same menu item.
  virtual bool SameAs(const IPtr<IInterface>& AItem) = 0;
  // The first sub-item with that caption / that name (ignoring case); null when none.
  virtual IPtr<IMenuItem> Find(const String& ACaption) = 0;
  virtual IPtr<IMenuItem> FindByName(const String& AName) = 0;
  virtual int Count() = 0;
  // Raises EListError for an index out of range.
  virtual IPtr<IMenuItem> Items(int Index) = 0;
  virtual void Clear() = 0;
  // Appends a sub-item that calls `AOnClick` when chosen.
  virtual IPtr<IMenuItem> AddItem(const String& ACaption, uint16_t AShortCut, bool AChecked, bool AEnabled,
                                  const TMenuClickProc& AOnClick, const String& AName) = 0;
  // Appends a sub-item bound to the host action `AAction` (caption, state and click follow it).
  virtual IPtr<IMenuItem> AddItem(TComponent* AAction, const String& AName) = 0;
  // Appends a divider.
  virtual IPtr<IMenuItem> AddLine(const String& AName) = 0;
};

// One menu item: its look, its state and its sub-items.
struct IMenuItem : virtual IMenuItems {
  FW_INTERFACE(IMenuItem, IMenuItems, "{D51E2A10-0502-4F3B-9C6E-5A1B00000402}")
  virtual String GetCaption() = 0;
  virtual void SetCaption(const String& Value) = 0;
  virtual bool GetChecked() = 0;
  virtual void SetChecked(bool Value) = 0;
  virtual bool GetEnabled() = 0;
  virtual void SetEnabled(bool Value) = 0;
  virtual int GetGroupIndex() = 0;
  virtual void SetGroupIndex(int Value) = 0;
  virtual String GetHint() = 0;
  virtual void SetHint(const String& Value) = 0;
  virtual String GetName() = 0;
  virtual bool GetRadioItem() = 0;
  virtual void SetRadioItem(bool Value) = 0;
  virtual uint16_t GetShortCut() = 0;
  virtual void SetShortCut(uint16_t Value) = 0;
  virtual bool GetVisible() = 0;
  virtual void SetVisible(bool Value) = 0;
  // The host action the item is bound to; null when none.
  virtual TComponent* GetAction() = 0;
  // True for a divider.
  virtual bool IsLine() = 0;
  // Runs the item as if the user chose it.
  virtual void Click() = 0;
  // The item this one is a sub-item of; null at the top.
  virtual IPtr<IMenuItem> GetParent() = 0;
};

// The window that hosts a module's design surface; implemented by the designer forms.
struct IHostForm : virtual IInterface {
  FW_INTERFACE(IHostForm, IInterface, "{D51E2A10-0503-4F3B-9C6E-5A1B00000403}")
  virtual String GetCaption() = 0;
  virtual void SetCaption(const String& Value) = 0;
  // Bounds in screen coordinates.
  virtual TRect GetBoundsRect() = 0;
  virtual void SetBoundsRect(const TRect& Value) = 0;
  virtual TRect GetClientRect() = 0;
  virtual bool GetVisible() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void BringToFront() = 0;
  // Closes the window (the module stays open).
  virtual void Close() = 0;
  virtual bool GetActive() = 0;
  virtual void SetFocus() = 0;
  // The designer of the hosted module; null before it is attached.
  virtual IPtr<IDesigner> GetDesigner() = 0;
  virtual void SetDesigner(const IPtr<IDesigner>& Value) = 0;
  // The hosted root component.
  virtual TComponent* GetRoot() = 0;
  virtual TPoint GetScrollPos() = 0;
  virtual void SetScrollPos(const TPoint& Value) = 0;
  virtual TPoint ClientToScreen(const TPoint& Point) = 0;
  virtual TPoint ScreenToClient(const TPoint& Point) = 0;
  // Redraws the surface.
  virtual void Invalidate() = 0;
  // Frees the window once the current message is handled.
  virtual void Release() = 0;
};

// The platform's drop-target contract (results are status codes, 0 for success).
struct IDropTarget : virtual IInterface {
  FW_INTERFACE(IDropTarget, IInterface, "{D51E2A10-0504-4F3B-9C6E-5A1B00000404}")
  virtual int32_t DragEnter(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt,
                            uint32_t& Effect) = 0;
  virtual int32_t DragOver(uint32_t KeyState, TPoint Pt, uint32_t& Effect) = 0;
  virtual int32_t DragLeave() = 0;
  virtual int32_t Drop(const IPtr<IInterface>& DataObj, uint32_t KeyState, TPoint Pt, uint32_t& Effect) = 0;
};

// ---------------------------------------------------------------------------------------------
// Editors

// The verbs and double-click action of a designed component.
struct IComponentEditor : virtual IInterface {
  FW_INTERFACE(IComponentEditor, IInterface, "{D51E2A10-0510-4F3B-9C6E-5A1B00000410}")
  // The user double-clicked the component.
  virtual void Edit() = 0;
  virtual void ExecuteVerb(int Index) = 0;
  // The caption of verb `Index` in the component's context menu.
  virtual String GetVerb(int Index) = 0;
  virtual int GetVerbCount() = 0;
  // Adjusts the menu item made for verb `Index` (state, sub-items).
  virtual void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) = 0;
  // The component was copied to the clipboard; may add formats of its own.
  virtual void Copy() = 0;
  // True when the component sits in an embedded frame.
  virtual bool IsInInlined() = 0;
  virtual TComponent* GetComponent() = 0;
  virtual IPtr<IDesigner> GetDesigner() = 0;
};

// Marks the fallback component editor used for components without an editor of their own.
struct IDefaultEditor : virtual IComponentEditor {
  FW_INTERFACE(IDefaultEditor, IComponentEditor, "{D51E2A10-0511-4F3B-9C6E-5A1B00000411}")
};

// Verbs for whatever is selected.
struct ISelectionEditor : virtual IInterface {
  FW_INTERFACE(ISelectionEditor, IInterface, "{D51E2A10-0512-4F3B-9C6E-5A1B00000412}")
  virtual void ExecuteVerb(int Index, const IPtr<IDesignerSelections>& List) = 0;
  virtual String GetVerb(int Index) = 0;
  virtual int GetVerbCount() = 0;
  virtual void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) = 0;
  // Passes each unit the selected components need in the module's source to `Proc`.
  virtual void RequiresUnits(const TGetStrProc& Proc) = 0;
};

// A selection editor that adjusts the property list of a selection.
struct ISelectionPropertyFilter : virtual IInterface {
  FW_INTERFACE(ISelectionPropertyFilter, IInterface, "{D51E2A10-0513-4F3B-9C6E-5A1B00000413}")
  // May remove, reorder or add IProperty entries of `ASelectionProperties`.
  virtual void FilterProperties(const IPtr<IDesignerSelections>& ASelection,
                                const IPtr<IInterfaceList>& ASelectionProperties) = 0;
};

// The selection editors that apply to a selection.
struct ISelectionEditorList : virtual IInterface {
  FW_INTERFACE(ISelectionEditorList, IInterface, "{D51E2A10-0514-4F3B-9C6E-5A1B00000414}")
  // Raises EListError for an index out of range.
  virtual IPtr<ISelectionEditor> Get(int Index) = 0;
  virtual int GetCount() = 0;
};

// Adapts the designer to a kind of root (form, data module, frame).
struct ICustomModule : virtual IInterface {
  FW_INTERFACE(ICustomModule, IInterface, "{D51E2A10-0515-4F3B-9C6E-5A1B00000415}")
  virtual TCustomModuleAttributes GetAttributes() = 0;
  virtual void ExecuteVerb(int Index) = 0;
  virtual String GetVerb(int Index) = 0;
  virtual int GetVerbCount() = 0;
  virtual void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) = 0;
  // The module is about to be saved.
  virtual void Saving() = 0;
  // Raises when `Component` may not be placed in this module.
  virtual void ValidateComponent(TComponent* Component) = 0;
  // True when components of that class may be placed in this module.
  virtual bool ValidateComponentClass(TComponentClass ComponentClass) = 0;
  // True when the module may be embedded in other modules.
  virtual bool Nestable() = 0;
};

// The alignment guidelines one component offers (see TBaseComponentGuidelines).
struct IComponentGuidelines : virtual IInterface {
  FW_INTERFACE(IComponentGuidelines, IInterface, "{D51E2A10-0516-4F3B-9C6E-5A1B00000416}")
  virtual int GetCount() = 0;
  virtual TDesignerGuideType GetDesignerGuideType(int Index) = 0;
  // The guideline's offset from the component's origin, in pixels.
  virtual int GetDesignerGuideOffset(int Index) = 0;
};

// ---------------------------------------------------------------------------------------------
// Notifications and edit handling

// Told of every change in any open module. Listeners are called from the last registered to
// the first, so a listener may unregister itself during a call.
struct IDesignNotification : virtual IInterface {
  FW_INTERFACE(IDesignNotification, IInterface, "{D51E2A10-0520-4F3B-9C6E-5A1B00000420}")
  virtual void ItemDeleted(const IPtr<IDesigner>& ADesigner, TPersistent* AItem) = 0;
  virtual void ItemInserted(const IPtr<IDesigner>& ADesigner, TPersistent* AItem) = 0;
  virtual void ItemsModified(const IPtr<IDesigner>& ADesigner) = 0;
  virtual void SelectionChanged(const IPtr<IDesigner>& ADesigner,
                                const IPtr<IDesignerSelections>& ASelection) = 0;
  // A module was opened (or woke from dormancy when `AResurrecting`).
  virtual void DesignerOpened(const IPtr<IDesigner>& ADesigner, bool AResurrecting) = 0;
  // A module was closed (or went to sleep when `AGoingDormant`).
  virtual void DesignerClosed(const IPtr<IDesigner>& ADesigner, bool AGoingDormant) = 0;
};

struct IDesignNotificationEx : virtual IDesignNotification {
  FW_INTERFACE(IDesignNotificationEx, IDesignNotification, "{D51E2A10-0521-4F3B-9C6E-5A1B00000421}")
  // A descendant module was brought in step with its ancestor.
  virtual void DescendantUpdated(const IPtr<IDesigner>& ADesigner) = 0;
};

struct IDesignNotificationViews : virtual IDesignNotification {
  FW_INTERFACE(IDesignNotificationViews, IDesignNotification, "{D51E2A10-0522-4F3B-9C6E-5A1B00000422}")
  virtual void ViewAdded(const IPtr<IDesigner>& ADesigner, const String& ViewName) = 0;
  virtual void ViewRemoved(const IPtr<IDesigner>& ADesigner, const String& ViewName) = 0;
};

// A designer tool window that follows the design windows.
struct IDesignWindow : virtual IDesignNotification {
  FW_INTERFACE(IDesignWindow, IDesignNotification, "{D51E2A10-0523-4F3B-9C6E-5A1B00000423}")
  virtual void WindowHide() = 0;
  virtual void WindowShow() = 0;
};

// Handles the edit commands (undo, cut, copy …) for a window or designer.
struct IEditHandler : virtual IInterface {
  FW_INTERFACE(IEditHandler, IInterface, "{D51E2A10-0524-4F3B-9C6E-5A1B00000424}")
  virtual void EditAction(TEditAction Action) = 0;
  virtual TEditState GetEditState() = 0;
};

// Gives the object behind an interface.
struct IImplementation : virtual IInterface {
  FW_INTERFACE(IImplementation, IInterface, "{D51E2A10-0525-4F3B-9C6E-5A1B00000425}")
  virtual TObject* GetInstance() = 0;
};

}  // namespace formwright
