#include "GaugeEditors.h"

#include "Gauge.h"

namespace gauges {

FW_REGISTER_CLASS(TTickerIntervalProperty, "GaugeEditors")
FW_REGISTER_CLASS(TGaugeEditor, "GaugeEditors")
FW_REGISTER_CLASS(TGaugeGuidelines, "GaugeEditors")

TPropertyAttributes TTickerIntervalProperty::GetAttributes() {
  return TIntegerProperty::GetAttributes() + TPropertyAttributes{paValueList};
}

void TTickerIntervalProperty::GetValues(const TGetStrProc& Proc) {
  for (const char* Interval : {"100", "250", "500", "1000", "5000", "60000"}) Proc(Interval);
}

void TGaugeEditor::DeclarePublished(TClassBuilder<TGaugeEditor>& C) { DeclareEditorFactory(C); }

String TGaugeEditor::GetVerb(int Index) { return Index == 0 ? "Fill" : Index == 1 ? "Empty" : String(); }

void TGaugeEditor::ExecuteVerb(int Index) {
  auto* Gauge = As<TGauge>(FComponent);
  if (!Gauge || Index < 0 || Index > 1) return;
  const int32_t Target = Index == 0 ? Gauge->Max() : Gauge->Min();
  if (Gauge->Value() == Target) return;
  Gauge->SetValue(Target);
  if (FDesigner) FDesigner->Modified();
}

void TGaugeGuidelines::DeclarePublished(TClassBuilder<TGaugeGuidelines>& C) { DeclareEditorFactory(C); }

int TGaugeGuidelines::GetDesignerGuideOffset(int Index) {
  auto* Gauge = As<TGauge>(FComponent);
  return Gauge && Index == 0 ? Gauge->Height() / 2 : NoGuideline;
}

}  // namespace gauges
