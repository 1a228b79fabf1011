#include "Ticker.h"

namespace gauges {

FW_REGISTER_CLASS(TTicker, "Gauges")

void TTicker::DeclarePublished(TClassBuilder<TTicker>& C) {
  C.Property("Enabled", &TTicker::Enabled, &TTicker::SetEnabled).Default(true);
  C.Property("Interval", &TTicker::Interval, &TTicker::SetInterval).Default(1000);
  C.Property("OnTick", &TTicker::FOnTick);
}

void TTicker::SetInterval(int32_t Value) {
  if (Value < 1) throw EInvalidArgument(Format("A ticker's Interval must be at least 1, not %d", Value));
  FInterval = Value;
}

void TTicker::SetEnabled(bool Value) {
  FEnabled = Value;
  FPending = 0;
}

int TTicker::Elapse(int32_t Milliseconds) {
  if (!FEnabled || ComponentState().Contains(csDesigning) || Milliseconds <= 0) return 0;
  FPending += Milliseconds;
  int Ticks = 0;
  for (; FPending >= FInterval; FPending -= FInterval, ++Ticks)
    if (FOnTick) FOnTick(this);
  return Ticks;
}

}  // namespace gauges
