// The editor of string-list properties (the lines of a memo, the items of a list): one object
// shown as "(TStrings)", whose lines are read and written as a whole.
#pragma once

#include "editors/StdPropEditors.h"

namespace formwright {

// Properties of type TStrings. The lines are the editor's value form: GetStrings reads them
// from the first edited object, SetStrings writes a copy to every edited object (through the
// property's setter) and reports the change once. The lines are not nested rows.
class TStringListProperty : public TClassProperty {
  FW_PROPERTY_EDITOR(TStringListProperty, TClassProperty)
 public:
  // The class-property attributes without paSubProperties, plus paDialog.
  TPropertyAttributes GetAttributes() override;
  // The list the first edited object holds (null when it holds none).
  virtual TStrings* GetStrings();
  // Gives every edited object the lines of `Value`.
  virtual void SetStrings(TStrings* Value);
  // True when every edited object holds the same lines.
  bool AllEqual() override;
  // The string list dialog comes with the specialised editors; until then a double-click does
  // nothing.
  void Edit() override {}
};

}  // namespace formwright
