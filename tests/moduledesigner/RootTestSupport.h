// Helpers shared by the module root tests.
#pragma once

#include <functional>

#include "platform/runtime/SysUtils.h"

namespace formwright::moduledesigner_testing {

// The message of the exception F raises, or "(no exception)".
inline String Message(const std::function<void()>& F) {
  try {
    F();
  } catch (const Exception& E) {
    return E.Message();
  }
  return "(no exception)";
}

}  // namespace formwright::moduledesigner_testing
