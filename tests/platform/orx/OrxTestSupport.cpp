#include "tests/platform/orx/OrxTestSupport.h"

namespace formwright::testing {

using namespace orx;

FW_REGISTER_CLASS(TEventLog, "OrxTests")

}  // namespace formwright::testing
