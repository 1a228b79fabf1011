// The sample files of the suites (tests/samples): forms and units written the way people write
// them, kept as files so that they can also be opened with the program and read as they are.
#pragma once

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The bytes of the sample file `Name`; raises an exception naming the file when it cannot be
// read (a test binary run without its source tree).
String Sample(const char* Name);

}  // namespace formwright
