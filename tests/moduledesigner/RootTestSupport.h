// The fixture and texts shared by the module root tests.
#pragma once

#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "tests/support/Samples.h"

namespace formwright::testing {

// A form with a panel holding a button, the panel at (16, 16) of a 400 x 300 client area.
inline const String PanelFormText = Sample("PanelForm.fwf");

// The module a test works on is `Form1` (once the test has opened it), whatever else it opens.
class RootTest : public TModuleTest {
 protected:
  TComponent* C(const char* Name) const { return Find(Form1, Name); }

  IPtr<TReferenceRoot> Form1;
};

}  // namespace formwright::testing
