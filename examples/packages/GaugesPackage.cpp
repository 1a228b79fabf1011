// The entry point of the example design package "Gauges": its two components, the ticker's
// Interval editor, the gauge's component editor and its guidelines.
#include "Gauge.h"
#include "GaugeEditors.h"
#include "Ticker.h"
#include "contracts/PackageEntry.h"

namespace gauges {
namespace {

void RegisterGauges() {
  RegisterClasses({TGauge::StaticClass(), TTicker::StaticClass()});
  RegisterPropertyEditor(TypeInfoOf<int32_t>(), TTicker::StaticClass(), "Interval",
                         TTickerIntervalProperty::StaticClass());
  RegisterComponentEditor(TGauge::StaticClass(), TGaugeEditor::StaticClass());
  RegisterComponentGuidelines(TGauge::StaticClass(), TGaugeGuidelines::StaticClass());
}

}  // namespace
}  // namespace gauges

FW_DESIGN_PACKAGE("Gauges", gauges::RegisterGauges)
