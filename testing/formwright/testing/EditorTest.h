// The fixture of a test of property and component editors alone, on a form in memory with no
// module file and no host.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "editors/StdEditorReg.h"
#include "formwright/testing/RecordingDesigner.h"
#include "platform/orx/Forms.h"

namespace formwright::testing {

// Each test gets a fresh package with the editors registered (the standard property editors,
// the fallback component editor, the default guidelines), a form `FForm` named Form1 and a
// recording designer `FDesigner` attached to it. Components made with the form as owner are
// what the inspector shows:
//   class GaugeEditorTest : public TEditorTest {};
//   TEST_F(GaugeEditorTest, TheRangeOffersItsSteps) {
//     auto* Gauge = new TGauge(FForm.get());
//     RegisterPropertyEditor(...);
//     EXPECT_THAT(ValuesOf(Prop({Gauge}, "Step")), ElementsAre("1", "5", "10"));
//   }
class TEditorTest : public ::testing::Test {
 protected:
  TEditorTest();
  ~TEditorTest() override;

  // The editors the inspector gets for `Objects` (of the kinds in `Filter`), in order.
  std::vector<IPtr<IProperty>> Properties(std::initializer_list<TPersistent*> Objects,
                                          TTypeKinds Filter = tkAny);
  // Their names.
  std::vector<String> Names(std::initializer_list<TPersistent*> Objects, TTypeKinds Filter = tkAny);
  // The editor of property `Name` of `Objects`; null when the inspector does not list it.
  IPtr<IProperty> Prop(std::initializer_list<TPersistent*> Objects, const String& Name);
  // The component editor the registries give `Component` (a double-click on it).
  IPtr<IComponentEditor> EditorOf(TComponent* Component) const;
  IPtr<IDesigner> Designer() const { return IPtr<IDesigner>(FDesigner.Get()); }

  TEditorsPackageScope FEditors;
  TOwned<orx::TForm> FForm;
  IPtr<TRecordingDesigner> FDesigner;
};

}  // namespace formwright::testing
