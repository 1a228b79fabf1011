// The object inspector without a window: the rows a front end shows for a selection, and the
// text a person types into them. Any front end (a tool, a test, an IDE's inspector) uses it
// instead of walking the property editors itself.
#pragma once

#include <vector>

#include "editors/PropertyEditors.h"

namespace formwright {

// The message for a row the inspector does not show ("Button1 has no property Colour that the
// inspector can edit"): the names of the selected objects, then the path asked for.
inline constexpr const char* SNoInspectorProperty = "%s has no property %s that the inspector can edit";
// The message for typing into a row that cannot take text ("Property Button1.Tag is read-only").
inline constexpr const char* SPropertyIsReadOnly = "Property %s is read-only";

// The message for a collection command that is not given a number ("Count takes a number, not
// 'three'").
inline constexpr const char* SCollectionCommandValue = "%s takes %s, not '%s'";

// The message for a whole set typed in another form than the one shown ("[akLeft,akTop]").
inline constexpr const char* SInvalidSetText = "'%s' is not a set: type the elements as shown, as in %s";
// The message for a set element the set's type does not have.
inline constexpr const char* SInvalidSetElement = "'%s' is not an element of %s (%s)";

// Where a row's value comes from in a module that inherits (an inherited module, or the
// components of an embedded frame): from the ancestor, or set here over the ancestor's value.
// Rows of components without an ancestor are voOwn.
enum class TValueOrigin : uint8_t { voOwn, voInherited, voOverridden };

// The two pages of the inspector.
enum class TInspectorPage : uint8_t { ipProperties, ipEvents };

// One row of the inspector as a person sees it.
struct TInspectorRow {
  // The editor the row stands for; typing goes through it.
  IPtr<IProperty> Property;
  String Name;
  // The shown value: the editor's edit text when every selected object agrees, else empty.
  // A value that cannot be read shows as its reason in parentheses.
  String Value;
  // The class of the editor the registry chose ("TIntegerProperty").
  String EditorClass;
  TPropertyAttributes Attributes;
  // The drop-down list of a row with `paValueList`, sorted ignoring case for `paSortList`.
  std::vector<String> Values;
  // The rows shown when a row with `paSubProperties` is expanded (Font: Color, Name, Size...).
  std::vector<TInspectorRow> Rows;
  // Whether the row was expanded (a row may expand to no rows at all).
  bool Expanded = false;
  // Whether the row edits a string list; its lines are then in `Lines`.
  bool IsStringList = false;
  std::vector<String> Lines;
  // Whether the row edits a collection; its items are then in `Items`, one row each: named
  // "[0]", "[1]" ..., the item's display name as value, its class as editor, its properties
  // as nested rows.
  bool IsCollection = false;
  std::vector<TInspectorRow> Items;
  TValueOrigin Origin = TValueOrigin::voOwn;
};

// The inspector of one module's designer. It inspects what it was last given to `Select`
// (which also becomes the designer's selection, as clicking the objects on a form would); its
// rows are made afresh on each call, so they always show the objects' current values.
class TInspectorModel {
 public:
  // Nested rows are expanded this deep by default (Font, then Font.Style, then its elements):
  // enough for every framework property, and it keeps component references that point at
  // each other finite.
  static constexpr int DefaultDepth = 3;

  // An inspector of `ADesigner`'s module (may be null: editors then work without a module).
  explicit TInspectorModel(IPtr<IDesigner> ADesigner);

  // Inspects `Objects` (in order) and makes them the designer's selection.
  void Select(const std::vector<TPersistent*>& Objects);
  const std::vector<TPersistent*>& Selection() const noexcept { return FSelection; }

  // The editors of one page for the selection, in the order the package lists them.
  std::vector<IPtr<IProperty>> Properties(TInspectorPage Page = TInspectorPage::ipProperties) const;
  // The rows of one page, nested rows expanded `Depth` levels deep (1: no nested rows). When
  // the selection has an ancestor (HasAncestor) each row tells an inherited value from an
  // overridden one: the value a stream writer would leave out is inherited. Nested rows of an
  // inherited row are inherited too; those of an overridden one are not marked.
  std::vector<TInspectorRow> Rows(TInspectorPage Page = TInspectorPage::ipProperties,
                                  int Depth = DefaultDepth) const;
  // The editor of a dotted path ("Font.Size", "OnClick") on either page, looked up ignoring
  // case as a person expands rows; null when the inspector shows no such row. An item of a
  // collection is reached by its index ("Sections[0].Text"); an index past the items raises
  // EDesignPropertyError (SCollectionIndexError).
  IPtr<IProperty> Find(const String& Path) const;
  // Types into a collection's own commands, written as rows under the collection's path:
  // "Sections.Count" (a number: items are added at the end or the last ones deleted),
  // "Sections.Delete" (an index: that item goes, the later ones move up) and "Sections.Move"
  // ("FROM,TO": the item moves there). Returns false, doing nothing, when Path names none of
  // them; else the collection's new item count in Shown ("3 items").
  bool TypeCollectionCommand(const String& Path, const String& Value, String& Shown) const;

  // The row of one editor (its origin is not marked: Rows marks it).
  static TInspectorRow Row(const IPtr<IProperty>& Property, int Depth = DefaultDepth);
  // True when every selected object has a counterpart in an ancestor module: a component
  // inherited from the ancestor, an embedded frame or one of its components, or the root of
  // an inherited module.
  bool HasAncestor() const;
  // Types `Value` into the row of `Property` as a person would and returns the value the row
  // shows afterwards. A read-only row that offers no editable value refuses with
  // `SPropertyIsReadOnly` naming `Path`; the editor's own refusal is raised unchanged.
  // Two rows take text that their editors only take in parts:
  //  - a set takes the whole set as shown ("[akLeft,akTop]", "[]"), written through its
  //    element rows once every element is known (SInvalidSetText, SInvalidSetElement);
  //  - a string list takes text whose lines become its lines (an empty text: no lines).
  // A collection row takes no text (SPropertyIsReadOnly): its items are typed one by one.
  static String TypeValue(const IPtr<IProperty>& Property, const String& Path, const String& Value);

 private:
  // Whether the value of P (an editor of the one selected object) is the one its ancestor
  // gives it.
  bool IsInherited(const IPtr<IProperty>& P) const;

  IPtr<IDesigner> FDesigner;
  std::vector<TPersistent*> FSelection;
};

}  // namespace formwright
