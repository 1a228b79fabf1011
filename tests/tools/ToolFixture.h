// The fixture of the program's tests: the formwright program of this build, run on copies of
// the examples.
#pragma once

#include "formwright/testing/ProgramTest.h"

namespace formwright::testing {

class ToolTest : public TProgramTest {
 protected:
  ToolTest() : TProgramTest(FW_TOOL_PATH, FW_EXAMPLES_DIR) {}
};

}  // namespace formwright::testing
