// The fixture and texts shared by the module root tests.
#pragma once

#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"

namespace formwright::testing {

// A form with a panel holding a button, the panel at (16, 16) of a 400 x 300 client area.
inline const char* const PanelFormText =
    "object Form1: TForm1\n"
    "  ClientWidth = 400\n"
    "  ClientHeight = 300\n"
    "  object Panel1: TPanel\n"
    "    Left = 16\n"
    "    Top = 16\n"
    "    Width = 200\n"
    "    Height = 120\n"
    "    object Button1: TButton\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "    end\n"
    "  end\n"
    "end\n";

// The module a test works on is `Form1` (once the test has opened it), whatever else it opens.
class RootTest : public TModuleTest {
 protected:
  TComponent* C(const char* Name) const { return Find(Form1, Name); }

  IPtr<TReferenceRoot> Form1;
};

}  // namespace formwright::testing
