// The tool's property inspector over the package's inspector model: the rows of a selection of
// a module's components as JSON, and typed values written through them.
#pragma once

#include <vector>

#include "contracts/PropertyIntf.h"
#include "tools/Output.h"
#include "tools/Session.h"

namespace formwright::tool {

// Makes Components the module's selection, as clicking them on the form would.
void SelectComponents(TReferenceRoot& Root, const std::vector<TComponent*>& Components);
// The selection's editors on one inspector page (properties, or events when Events is set),
// in the order the package enumerates them.
std::vector<IPtr<IProperty>> InspectorProperties(TReferenceRoot& Root,
                                                 const std::vector<TComponent*>& Components, bool Events);
// One editor's row as the inspector shows it: name, shown value (empty where the selection
// differs), editor class, attributes, value list, the lines of a string list ("lines"), the
// items of a collection ("items": rows named "[0]", "[1]" ... with the item's properties) and
// nested rows.
json PropertyDoc(const IPtr<IProperty>& Property);
// The rows of the selection on one inspector page as PropertyDoc makes them, plus, in a module
// that inherits, each row's "origin": "inherited" (the ancestor's value) or "overridden".
json PropertyDocs(TReferenceRoot& Root, const std::vector<TComponent*>& Components, bool Events);
// True when the editor edits a string list (its value form is lines of text).
bool IsStringList(const IPtr<IProperty>& Property);
// The editor of a dotted property path ("Font.Size") over the selection; raises when there is
// none the inspector would show.
IPtr<IProperty> FindProperty(TReferenceRoot& Root, const std::vector<TComponent*>& Components,
                             const String& Path);
// Types Value into the editor as a person would; raises the editor's refusal unchanged.
// Returns the value the editor shows afterwards.
String TypeValue(const IPtr<IProperty>& Property, const String& Path, const String& Value);
// Types into a collection's command rows ("Sections.Count=3", "Sections.Delete=1",
// "Sections.Move=2,0"); false, changing nothing, when Path names none. Shown: "3 items".
bool TypeCollectionCommand(TReferenceRoot& Root, const std::vector<TComponent*>& Components,
                           const String& Path, const String& Value, String& Shown);
// "Button1, Button2" for messages.
String NamesOf(const std::vector<TComponent*>& Components);
// The handler name each event property of Component is bound to in the form file ("OnClick" →
// "Button1Click"), for events that have one.
std::vector<std::pair<String, String>> BoundEvents(TReferenceRoot& Root, TComponent* Component);

}  // namespace formwright::tool
