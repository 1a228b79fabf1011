// The example package's editors: the ticker's Interval offered from a list of usual intervals,
// and the gauge's component editor with two verbs.
#pragma once

#include "editors/CompEditors.h"
#include "editors/ComponentGuidelines.h"
#include "editors/StdPropEditors.h"

namespace gauges {

using namespace formwright;

// The Interval of a ticker: any whole number of milliseconds, with the usual ones in the
// inspector's drop-down list (from a tenth of a second to a minute).
class TTickerIntervalProperty : public TIntegerProperty {
  FW_PROPERTY_EDITOR(TTickerIntervalProperty, TIntegerProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& Proc) override;
};

// The component editor of gauges: "Fill" sets Value to Max, "Empty" sets it to Min. Either
// tells the designer that the module changed, unless the gauge already held that value.
class TGaugeEditor : public TComponentEditor {
  FW_CLASS(TGaugeEditor, TComponentEditor)
 public:
  using TComponentEditor::TComponentEditor;
  static void DeclarePublished(TClassBuilder<TGaugeEditor>& C);
  int GetVerbCount() override { return 2; }
  String GetVerb(int Index) override;
  void ExecuteVerb(int Index) override;
};

// The gauge's guidelines: a baseline through the middle of its bar, so that a label beside it
// lines up its text with the bar.
class TGaugeGuidelines : public TComponentGuidelines {
  FW_CLASS(TGaugeGuidelines, TComponentGuidelines)
 public:
  using TComponentGuidelines::TComponentGuidelines;
  static void DeclarePublished(TClassBuilder<TGaugeGuidelines>& C);
  int GetCount() override { return 1; }
  TDesignerGuideType GetDesignerGuideType(int Index) override { return gtBaseline; }
  int GetDesignerGuideOffset(int Index) override;
};

}  // namespace gauges
