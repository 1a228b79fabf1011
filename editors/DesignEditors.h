// The editor registries: which property editor edits a property, which component editor a
// component, which selection editors a selection, which guidelines class a component, and
// editor groups that remove everything a package registered when it is unloaded.
//
// The registries stand behind the registration routines of DesignIntf. They are a service of
// the package object (TEditorRegistries, contracts/Package.h): InstallEditorRegistries adds
// them to a package and sets its registration hooks; they go with the package. Lookups while
// the current package has no registries behave as lookups in empty registries.
//
// Every registration is stamped with the current editor group (CurrentGroup()).
#pragma once

#include "editors/EditorRegistries.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Installation

// Adds the editor registries to `Package`, sets its registration hooks and opens the editor
// group of the package's own registrations (it becomes the package's current group). A package
// that has them already raises EInvalidOperation.
TEditorRegistries& InstallEditorRegistries(TDesignPackage& Package);
// True when the current package has editor registries.
bool DesignEditorsInstalled() noexcept;
// The editor group of the package's own registrations (freeing it unloads them); -1 while the
// current package has no registries.
int DesignPackageEditorGroup() noexcept;

// ---------------------------------------------------------------------------------------------
// Default editors
//
// The editors used when nothing registered applies come from the editors units, which set
// them when the package starts. Until then there is no default: a property without a registered
// editor is not listed, a component without a registered editor has none, and a component
// without registered guidelines gets none.

// The editor of properties of type kind `Kind` that no registration covers (TIntegerProperty
// for tkInteger …). Only the kinds that have standard editors take one (tkInteger, tkChar,
// tkEnumeration, tkFloat, tkString, tkLString, tkUString, tkSet, tkClass, tkMethod, tkWChar,
// tkWString, tkVariant, tkInterface, tkInt64); any other kind raises EInvalidArgument.
void SetDefaultPropertyEditor(TTypeKind Kind, TPropertyEditorClass EditorClass);
TPropertyEditorClass DefaultPropertyEditor(TTypeKind Kind) noexcept;
// The fallback component editor (TDefaultEditor).
void SetDefaultComponentEditor(TComponentEditorClass EditorClass) noexcept;
TComponentEditorClass DefaultComponentEditor() noexcept;
// The guidelines class of components without registered guidelines (TComponentGuidelines).
void SetDefaultComponentGuidelines(TComponentGuidelinesClass GuidelinesClass) noexcept;
TComponentGuidelinesClass DefaultComponentGuidelines() noexcept;

// ---------------------------------------------------------------------------------------------
// Lookups

// The editor class of property `PropInfo` of `Obj`: the first mapper that answers (newest
// first); else the most specific registration (see DesignEditors.cpp); else the default
// editor of the type's kind. Null means the property is not listed. Does not allocate.
TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TPersistent* Obj);

// A new editor for `Component`: the registration for the most derived class of the component
// wins, the newer one among registrations for the same class; the default component editor
// when none applies; null when there is none either.
IPtr<IComponentEditor> GetComponentEditor(TComponent* Component, const IPtr<IDesigner>& Designer);

// New editors of every selection editor registered for the selection's common class or one
// of its ancestors, oldest registration first. Empty for an empty selection.
IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer,
                                               const IPtr<IDesignerSelections>& Selections);
// The same for the designer's current selection.
IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer);
// The same for a selection of `Component` alone.
IPtr<ISelectionEditorList> GetSelectionEditors(const IPtr<IDesigner>& Designer, TComponent* Component);

// The guidelines of `Component` placed in `Container`: made from the class registered for
// the component's class or its nearest ancestor below TPersistent (the newest registration),
// or from the default guidelines class; initialised and handed out. Null when there is no
// class to make them from.
IPtr<IComponentGuidelines> GuidelinesFor(const IPtr<IDesigner>& Designer, TComponent* Component,
                                         TComponent* Container);

// A reference-counted list of selection editors.
class TSelectionEditorList : public TInterfacedObject, public ISelectionEditorList {
  FW_CLASS(TSelectionEditorList, TInterfacedObject)
 public:
  TSelectionEditorList();
  // Appends `Editor`.
  void Add(const IPtr<ISelectionEditor>& Editor);
  IPtr<ISelectionEditor> Get(int Index) override;
  int GetCount() override { return FList->GetCount(); }

 private:
  IPtr<IInterfaceList> FList;
};

// ---------------------------------------------------------------------------------------------
// Editor groups

// A group number not in use (the lowest free one); it becomes the current group.
int NewEditorGroup();
// Removes every registration stamped with `Group` (property editors, component editors,
// mappers, selection editors, guidelines, in this order), tells the group listeners (the last
// registered first) and frees the group number.
void FreeEditorGroup(int Group);
// Adds `AProc` to the group listeners (moving it to the end when present).
void NotifyGroupChange(TGroupChangeProc AProc);
void UnnotifyGroupChange(TGroupChangeProc AProc);

// The top-level component being designed, other than `Ignoring`, as the current package's
// hook answers it (the designer manager sets it); null when the hook is unset.
TComponent* GetTopLevelComponent(TComponent* Ignoring);

}  // namespace formwright
