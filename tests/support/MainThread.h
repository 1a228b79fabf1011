// Waiting on the main thread for work that other threads hand to it.
#pragma once

#include "platform/runtime/Threads.h"

namespace formwright::testing {

// Runs the main thread's pending calls until `Done` holds or about ten seconds have passed;
// answers whether it holds.
template <class Predicate>
bool PumpUntil(Predicate Done) {
  for (int I = 0; I < 1000 && !Done(); ++I) CheckSynchronize(10);
  return Done();
}

}  // namespace formwright::testing
