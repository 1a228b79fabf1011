// A look at the whole class registry, for code that must know which classes a piece of code
// registered (a design package being loaded, checked or rolled back).
#pragma once

#include <functional>

#include "platform/runtime/Classes.h"

namespace formwright {

// Calls `Proc` for every registered class of every group (the default group first, then the
// groups in the order they were started; within a group in registration order).
void GetRegisteredClasses(const std::function<void(TClass)>& Proc);

}  // namespace formwright
