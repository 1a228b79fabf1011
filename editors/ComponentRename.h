// Renaming a component together with the event handlers named after it, as a person does in
// the object inspector: the name is typed into the Name row, then each handler that carried
// the component's default handler name (Button1Click for Button1's OnClick) is renamed to the
// default name it has now (OkButtonClick). For the root, FormCreate follows the class the same
// way. Handlers with names of their own stay as they are, and so does a handler whose new name
// the module already uses.
#pragma once

#include <vector>

#include "editors/InspectorModel.h"

namespace formwright {

// One event handler named after the component being renamed.
struct THandlerFollower {
  // The event row of the component (`OnClick`); typing a name into it renames the handler.
  IPtr<IProperty> Row;
  String Event;
  // The handler's name before the rename.
  String Handler;
  // The default name after the rename (empty until the component was renamed).
  String NewHandler;
  // The module already has a handler named `NewHandler`: this one keeps its name.
  bool Taken = false;
};

// One rename of one component of a designer's module, in two steps: `RenameComponent`, then
// `RenameHandler` for each of `Followers` that is not taken (or `Run` for both). Each step
// raises the engine's refusal unchanged, and a refused step changes nothing.
class TComponentRename {
 public:
  // Notes which of `Component`'s handlers carry its default handler name. `Component` stays
  // owned by its module.
  TComponentRename(const IPtr<IDesigner>& ADesigner, TComponent* Component);

  // Types `NewName` into the component's Name row, where the module validates it.
  void RenameComponent(const String& NewName);
  // After `RenameComponent`: the handlers that follow the component, each with its new name,
  // leaving out those whose default name did not change.
  std::vector<THandlerFollower> Followers() const;
  // Renames one follower's handler through its event row.
  void RenameHandler(const THandlerFollower& Follower) const;
  // Both steps: the component, then every follower that is not taken. Returns the followers.
  std::vector<THandlerFollower> Run(const String& NewName);

 private:
  IPtr<IDesigner> FDesigner;
  TComponent* FComponent;
  TInspectorModel FInspector;
  std::vector<THandlerFollower> FNoted;
};

}  // namespace formwright
