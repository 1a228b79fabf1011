// What an edit of a module takes from the modules that follow it (inherit from it or embed it):
// an inherited container that is deleted, retyped or moved in the ancestor goes in every
// follower, and with it whatever the follower added inside it.
#pragma once

#include <vector>

#include "tools/Output.h"
#include "tools/Session.h"

namespace formwright::tool {

// Notes, before an edit of one module, the components every other open module added itself
// (owned by its root and not inherited); afterwards tells which of them are gone.
class TFollowersOwn {
 public:
  TFollowersOwn(TSession& Session, TReferenceRoot& Edited);
  // What the other modules no longer have: "Child.fwf: HelpButton, Label3; Other.fwf: Panel2",
  // empty when nothing went; Lost gets the same as file -> names.
  String Gone(json& Lost) const;
  // Raises, naming what went, unless Force: "modules built on this one would lose components
  // they added inside it: Child.fwf: HelpButton (--force Remedy)". Returns the same as Gone.
  String Check(bool Force, const char* Remedy, json& Lost) const;

 private:
  TSession& FSession;
  std::vector<std::pair<IPtr<TReferenceRoot>, std::vector<String>>> FOwn;
};

// The note a verb adds to its report when Gone is not empty ("; modules built on this one lost
// components they added inside it: Child.fwf: HelpButton").
String LostNote(const String& Gone);

}  // namespace formwright::tool
