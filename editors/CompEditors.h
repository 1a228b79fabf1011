// Component editors and selection editors: the base classes component writers derive from,
// the fallback component editor (a double-click creates or shows an event handler) and the
// selection editor that gives every selection its Edit and Control submenus.
//
// Both families are created by the registries (GetComponentEditor, GetSelectionEditors) from
// their class values, per request, and are released by the menu or designer that asked.
#pragma once

#include "contracts/DesignIntf.h"
#include "editors/DesignEditors.h"

namespace formwright {

// Captions of the two submenus of TEditActionSelectionEditor.
inline constexpr const char* sEditSubmenu = "Edit";
inline constexpr const char* sControlSubmenu = "Control";

// ---------------------------------------------------------------------------------------------
// Component editors

// Base of component editors. A component editor adds verbs to the context menu of a designed
// component and decides what a double-click on it does. The defaults offer no verbs; a
// double-click runs verb 0 when there is one.
//
// A derived editor overrides GetVerbCount, GetVerb and ExecuteVerb (and Edit when a
// double-click should do something else than the first verb), declares itself with FW_CLASS
// and gives it `static void DeclarePublished(TClassBuilder<T>& C) { DeclareEditorFactory(C); }`.
class TComponentEditor : public TBaseComponentEditor, public virtual IComponentEditor {
  FW_CLASS(TComponentEditor, TBaseComponentEditor)
 public:
  // The editor neither owns `AComponent` nor keeps it alive: it is made for one request.
  TComponentEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner);
  static void DeclarePublished(TClassBuilder<TComponentEditor>& C);

  // Runs verb 0 when the editor has at least one verb; otherwise does nothing.
  void Edit() override;
  // Runs verb `Index`; the base has none and does nothing.
  void ExecuteVerb(int Index) override;
  // The caption of verb `Index`; empty in the base.
  String GetVerb(int Index) override;
  // Number of verbs; 0 in the base.
  int GetVerbCount() override;
  // The component was copied to the clipboard; the base adds nothing.
  void Copy() override;
  // Adjusts the menu item made for verb `Index`; the base leaves it alone.
  void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) override;

  TComponent* GetComponent() final { return FComponent; }
  IPtr<IDesigner> GetDesigner() final { return FDesigner; }
  // True when the component's owner is inline (the component sits in an embedded frame).
  bool IsInInlined() final;

 protected:
  TComponent* FComponent;
  IPtr<IDesigner> FDesigner;
};

// The component editor of components that have none of their own: a double-click creates or
// shows an event handler. The event chosen is the first present of OnCreate, OnChange,
// OnChanged and OnClick, in that order of preference; failing those the first event in name
// order; a component without events is left alone.
class TDefaultEditor : public TComponentEditor, public virtual IDefaultEditor {
  FW_CLASS(TDefaultEditor, TComponentEditor)
 public:
  TDefaultEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner);
  static void DeclarePublished(TClassBuilder<TDefaultEditor>& C);

  // Enumerates the component's properties in name order through CheckEdit, then edits the
  // preferred event (unless EditProperty stopped the enumeration).
  void Edit() override;

 protected:
  // Sees one property of the component. The base remembers the first event and the preferred
  // one and leaves `Continue` true; an override may edit `Prop` itself and set `Continue` to
  // false, which ends the enumeration and leaves the remembered events alone.
  virtual void EditProperty(const IPtr<IProperty>& Prop, bool& Continue);
  // Passes `Prop` to EditProperty while the enumeration goes on.
  void CheckEdit(const IPtr<IProperty>& Prop);

  IPtr<IProperty> FFirst;
  IPtr<IProperty> FBest;
  bool FContinue = false;
};

// ---------------------------------------------------------------------------------------------
// Selection editors

// Base of selection editors. A selection editor adds verbs for whatever is selected; all the
// editors registered for the selection's common class or one of its ancestors are used
// together. The defaults offer no verbs and require no units.
class TSelectionEditor : public TBaseSelectionEditor, public virtual ISelectionEditor {
  FW_CLASS(TSelectionEditor, TBaseSelectionEditor)
 public:
  explicit TSelectionEditor(const IPtr<IDesigner>& ADesigner);
  static void DeclarePublished(TClassBuilder<TSelectionEditor>& C);

  // Runs verb `Index` on the objects of `List`; the base has none and does nothing.
  void ExecuteVerb(int Index, const IPtr<IDesignerSelections>& List) override;
  // The caption of verb `Index`; empty in the base.
  String GetVerb(int Index) override;
  // Number of verbs; 0 in the base.
  int GetVerbCount() override;
  // Passes each unit the selection needs in the module's source to `Proc`; none in the base.
  void RequiresUnits(const TGetStrProc& Proc) override;
  // Adjusts the menu item made for verb `Index`; the base leaves it alone.
  void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) override;

  const IPtr<IDesigner>& Designer() const noexcept { return FDesigner; }

 protected:
  IPtr<IDesigner> FDesigner;
};

// The selection editor registered for every persistent: verb 0 is the Edit submenu (undo,
// cut, copy, paste, delete, select all), verb 1 the Control submenu (bring to front, send to
// back). The submenus hold the host IDE's own actions, found by name in its main action list;
// an action the host does not have is left out.
class TEditActionSelectionEditor : public TSelectionEditor {
  FW_CLASS(TEditActionSelectionEditor, TSelectionEditor)
 public:
  explicit TEditActionSelectionEditor(const IPtr<IDesigner>& ADesigner);
  static void DeclarePublished(TClassBuilder<TEditActionSelectionEditor>& C);

  // "Edit" for 0, "Control" for 1, empty for any other index.
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 2; }
  // Fills the submenu of verb `Index` with the host's actions (nothing for other indexes).
  void PrepareItem(int Index, const IPtr<IMenuItem>& AItem) override;

  // Hands `Action` to the top-level design component when it handles edit actions, else to
  // the designer when it does; otherwise nothing happens.
  void EditAction(TEditAction Action);
  // What the edit commands may do: the designer's answer when it handles edit actions, else
  // the top-level component's, else undo, redo, cut, copy, paste and delete.
  TEditState GetEditState();

  // Menu handlers: each calls EditAction with its action.
  void HandleUndo(TObject* Sender);
  void HandleCut(TObject* Sender);
  void HandleCopy(TObject* Sender);
  void HandlePaste(TObject* Sender);
  void HandleDelete(TObject* Sender);
  void HandleSelectAll(TObject* Sender);
};

// ---------------------------------------------------------------------------------------------
// Installation

// Makes TDefaultEditor the fallback component editor and registers TEditActionSelectionEditor
// for TPersistent in the current editor group. The package start-up calls it (StartEditors).
void InitCompEditors();

}  // namespace formwright
