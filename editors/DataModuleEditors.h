// The editors a data module brings to the inspector: its selection editor, which adds the
// ClassGroup pseudo-property, and the editor of that property.
#pragma once

#include "editors/CompEditors.h"
#include "editors/StdPropEditors.h"
#include "platform/orx/Forms.h"

namespace formwright {

// A type name that cannot stand for what the property needs.
FW_EXCEPTION(EInvalidType, EDesignPropertyError);

inline constexpr const char* SUnableToFindType = "Unable to find type '%s'";
inline constexpr const char* STypeMustBeClass = "Type '%s' must be a class type";
// The second %s is the qualified name of the persistent base class.
inline constexpr const char* STypeMustDescendFrom = "Type '%s' must descend from %s";
inline constexpr const char* SClassGroupUnavailable =
    "The following component(s) are not available in the specified class group.\r\n"
    "This is likely to cause compile or runtime errors.\r\n\r\n%s";

// "Unit.Name" of a class; the plain name when the class has no unit.
String QualifiedClassName(TClass AClass);

// The type named `Name` (plain or qualified by its unit), as run-time type information
// describes it: a registered class of the class groups `Context` sees (its own group, the
// active one and the default one) or an ancestor of one, or a type of a published property
// of such a class.
// Null when none is known.
PTypeInfo FindTypeInfo(const String& Name, TClass Context);

// Selection editor of data modules: when the selection is exactly one data module, the
// property list gains the module's ClassGroup pseudo-property.
class TDataModuleSelectionEditor : public TSelectionEditor, public virtual ISelectionPropertyFilter {
  FW_CLASS(TDataModuleSelectionEditor, TSelectionEditor)
 public:
  using TSelectionEditor::TSelectionEditor;
  static void DeclarePublished(TClassBuilder<TDataModuleSelectionEditor>& C) { DeclareEditorFactory(C); }
  void FilterProperties(const IPtr<IDesignerSelections>& ASelection,
                        const IPtr<IInterfaceList>& ASelectionProperties) override;
};

// The ClassGroup pseudo-property of one data module: the class whose class group the
// module's components are meant for, by qualified name. A value is accepted only when it
// names a persistent class whose group every component of the module belongs to (or the
// default group); otherwise it raises EInvalidType and the property keeps its value.
class TDataModuleClassGroupProperty : public TStringProperty {
  FW_CLASS(TDataModuleClassGroupProperty, TStringProperty)
 public:
  // Edits the class group of `Module`, in the module of `ADesigner`.
  TDataModuleClassGroupProperty(const IPtr<IDesigner>& ADesigner, orx::TDataModule* Module);
  String GetName() override { return "ClassGroup"; }
  // True while the module has no class group of its own (the framework's group applies).
  bool GetIsDefault() override { return FModule->ClassGroup().empty(); }
  // A value list of the class groups known: the qualified names of their root classes.
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& Proc) override;
  // Checks the type named by `Value` (above), then stores its qualified name.
  void SetValue(const String& Value) override;
  using TStringProperty::SetValue;

 private:
  orx::TDataModule* FModule;
  TPropInfo FInfo;  // the pseudo-property, over the module's ClassGroup
};

}  // namespace formwright
