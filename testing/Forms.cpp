#include "formwright/testing/Forms.h"

namespace formwright::testing {

using namespace orx;

FW_REGISTER_CLASS(TEventLog, "FormwrightTesting")

}  // namespace formwright::testing
