#include "tests/platform/orx/OrxTestSupport.h"

namespace formwright::orx::testing {

FW_REGISTER_CLASS(TEventLog, "OrxTests")

}  // namespace formwright::orx::testing
