// The fixture of the property editor tests: the registries with the standard editors, a form
// designed by a recording designer with a few framework controls and a test widget, and helpers
// that build editors the way the inspector gets them.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/RefPropEditors.h"
#include "editors/StdEditorReg.h"
#include "editors/StdPropEditors.h"
#include "formwright/testing/EditorTest.h"
#include "formwright/testing/Inspector.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/RecordingDesigner.h"
#include "tests/editors/PropTestClasses.h"

namespace formwright::testing {

// Matches an editor whose name is `Name`.
MATCHER_P(Named, Name, "named " + String(Name)) { return arg->GetName() == Name; }

// A form with framework controls and two test widgets, on the kit's editor fixture.
class PropEditorTest : public TEditorTest {
 protected:
  PropEditorTest() {
    FButton->SetName("Button1");
    FEdit->SetName("Edit1");
    FLabel->SetName("Label1");
    FWidget->SetName("Widget1");
    FWidget2->SetName("Widget2");
  }

  orx::TButton* FButton = new orx::TButton(FForm.get());
  orx::TEdit* FEdit = new orx::TEdit(FForm.get());
  orx::TLabel* FLabel = new orx::TLabel(FForm.get());
  TTestWidget* FWidget = new TTestWidget(FForm.get());
  TTestWidget* FWidget2 = new TTestWidget(FForm.get());
};

}  // namespace formwright::testing
