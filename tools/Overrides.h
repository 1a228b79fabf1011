// What a module that follows others (its ancestor module, the frames it embeds) sets itself on
// the components it inherits: its author's values, which no edit of the modules it follows may
// take away while the component is still there.
#pragma once

#include <vector>

#include "host/root/ReferenceRoot.h"
#include "tools/Output.h"

namespace formwright::tool {

// One value a module sets on a component it inherits, as its inspector row showed it.
struct TOverride {
  String Component;  // dotted through embedded frames ("Tools.OpenBtn"); "@root" for the root
  String Path;       // the property ("Caption", "Font.Style")
  json Row;          // the row as the inspector showed it when the module was read
};

// The values Root's module sets on inherited components, found in Text (the writer's text of
// the module) and read from the inspector. Left out: the tab order, which follows the siblings
// an edit adds or removes, and references and handlers, which follow renames.
std::vector<TOverride> InheritedOverrides(TReferenceRoot& Root, const String& Text);

// Types back into Root's module every value of Overrides that following another module's edit
// changed, on the components it still has (an edit that moves or retypes an inherited component
// makes the module's copy anew). A component deleted by the edit is left deleted. Returns the
// values a component made anew no longer has a property for ("Button1.Default"); raises, naming
// the value, when one cannot be typed back (the items of a collection).
std::vector<String> KeepOverrides(TReferenceRoot& Root, const String& File,
                                  const std::vector<TOverride>& Overrides);

}  // namespace formwright::tool
