// Driving the inspector and the component editors from a test, as a person would with the
// mouse: the rows the inspector shows for a selection, values typed into them, drop-down
// lists, and the verbs of a component's context menu.
#pragma once

#include <initializer_list>
#include <vector>

#include "editors/DesignEditors.h"
#include "editors/PropertyEditors.h"

namespace formwright::testing {

// A selection list of `Objects`, in order.
IPtr<IDesignerSelections> Selection(std::initializer_list<TPersistent*> Objects);

// The editors the inspector gets for `Objects` (of the kinds in `Filter`), in the package's
// order, as GetComponentProperties hands them out.
std::vector<IPtr<IProperty>> PropertiesOf(const IPtr<IDesigner>& Designer,
                                          std::initializer_list<TPersistent*> Objects,
                                          TTypeKinds Filter = tkAny);
// Their names.
std::vector<String> PropertyNames(const IPtr<IDesigner>& Designer,
                                  std::initializer_list<TPersistent*> Objects, TTypeKinds Filter = tkAny);
// The editor of the property `Name` (ignoring case) of `Objects`; null when the inspector does
// not list it.
IPtr<IProperty> PropertyOf(const IPtr<IDesigner>& Designer, std::initializer_list<TPersistent*> Objects,
                           const String& Name);
// The nested editors of a row with sub-properties (Font: Color, Name, Size...).
std::vector<IPtr<IProperty>> NestedOf(const IPtr<IProperty>& Property);
// The drop-down list of a row, in the order the editor offers it.
std::vector<String> ValuesOf(const IPtr<IProperty>& Property);
// The editor as its class, for operations outside IProperty; null when it is not an E.
template <class E>
E* EditorAs(const IPtr<IProperty>& Property) {
  return dynamic_cast<E*>(static_cast<IInterface*>(Property.Get()));
}
// The editor class the registries choose for property `Name` of `Instance` (what a
// RegisterPropertyEditor call is tested with); raises EPropertyError for an unknown property.
TPropertyEditorClass EditorClassFor(TPersistent* Instance, const String& Name);

// Paths of the inspector: "Button1.Caption", "Button1.Font.Size", "Form1.Caption" (the root by
// its own name). The first part names a component of the designer's root; the rest is the row
// as the inspector shows it on either page, looked up ignoring case. A component the root does
// not have raises "Form1 has no component Button9"; a row the inspector does not show raises
// "Button1 has no property Colour that the inspector can edit".

// Types `Value` into the row at `Path` as a person would (the component becomes the designer's
// selection) and returns the value the row shows afterwards. The editor's refusal is raised
// unchanged, a read-only row raises "Property Button1.Tag is read-only".
String SetProp(const IPtr<IDesigner>& Designer, const String& Path, const String& Value);
// The value the row at `Path` shows.
String Prop(const IPtr<IDesigner>& Designer, const String& Path);
// The drop-down list of the row at `Path` (sorted as the inspector shows it).
std::vector<String> ValueList(const IPtr<IDesigner>& Designer, const String& Path);

// The verbs of a component's context menu ("Edit Items...", ...), in order.
std::vector<String> VerbsOf(const IPtr<IComponentEditor>& Editor);
std::vector<String> VerbsOf(const IPtr<IDesigner>& Designer, TComponent* Component);
// Runs the verb `Verb` of the editor the registries give `Component`; a verb it does not offer
// raises "Button1 has no verb 'Align' (its verbs: ...)".
void ExecuteVerb(const IPtr<IDesigner>& Designer, TComponent* Component, const String& Verb);

}  // namespace formwright::testing
