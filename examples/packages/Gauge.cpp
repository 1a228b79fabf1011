#include "Gauge.h"

#include <algorithm>

#include "platform/orx/Canvas.h"

namespace gauges {

FW_REGISTER_CLASS(TGauge, "Gauges")

namespace {
constexpr const char* SBadRange = "A gauge's Min (%d) must stay below its Max (%d)";
}

TGauge::TGauge(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 150, 20); }

void TGauge::DeclarePublished(TClassBuilder<TGauge>& C) {
  PublishLayout(C);
  // Min and Max come before Value, so that a stream restores the range before the value.
  C.Property("Min", &TGauge::Min, &TGauge::SetMin).Default(0);
  C.Property("Max", &TGauge::Max, &TGauge::SetMax).Default(100);
  C.Property("Value", &TGauge::Value, &TGauge::SetValue).Default(0);
  C.Property("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor).Default(clNavy);
}

bool TGauge::Reading() const noexcept { return ComponentState().Contains(csLoading); }

void TGauge::SetMin(int32_t Value) {
  if (Reading()) {
    FMin = Value;
    return;
  }
  if (Value >= FMax) throw EInvalidArgument(Format(SBadRange, Value, FMax));
  FMin = Value;
  FValue = std::max(FValue, FMin);
}

void TGauge::SetMax(int32_t Value) {
  if (Reading()) {
    FMax = Value;
    return;
  }
  if (Value <= FMin) throw EInvalidArgument(Format(SBadRange, FMin, Value));
  FMax = Value;
  FValue = std::min(FValue, FMax);
}

void TGauge::SetValue(int32_t Value) { FValue = Reading() ? Value : std::clamp(Value, FMin, FMax); }

void TGauge::Loaded() {
  TGraphicControl::Loaded();
  if (FMin >= FMax) throw EInvalidArgument(Format(SBadRange, FMin, FMax));
  FValue = std::clamp(FValue, FMin, FMax);
}

int TGauge::Percent() const noexcept {
  return static_cast<int>((int64_t(FValue) - FMin) * 100 / (int64_t(FMax) - FMin));
}

void TGauge::Paint() {
  TCanvas& Canvas = *this->Canvas();
  const TRect Client = ClientRect();
  Canvas.Brush()->SetColor(clWindow);
  Canvas.Rectangle(Client);
  TRect Filled = Client;
  Filled.Right = Client.Left + Client.Width() * Percent() / 100;
  Canvas.Brush()->SetColor(FForeColor);
  Canvas.FillRect(Filled);
}

}  // namespace gauges
