// What a node of the update tree asks of the manager that runs its update.
#pragma once

#include "platform/runtime/Classes.h"

namespace formwright {

// The running update as a node sees it: each component node announces its component before
// changing it, so the component hears Updating once per update and Updated after all of them
// (TUpdateManager implements this; tests may record the calls).
class TUpdateContext {
 public:
  // Component is about to be changed by the running update. Called once per component node
  // per update; repeated calls for the same component are the context's to ignore.
  virtual void Updating(TComponent* Component) = 0;

 protected:
  ~TUpdateContext() = default;
};

}  // namespace formwright
