// The example package's non-visual component: a ticker that raises OnTick every Interval
// milliseconds while it is enabled. It draws nothing; on a form it shows as an icon.
#pragma once

#include "platform/orx/Controls.h"

namespace gauges {

using namespace formwright;
using namespace formwright::orx;

// A ticker. The program that runs the form calls Elapse with the time that went by; the ticker
// raises OnTick once per whole Interval, and never while it is disabled or being designed.
class TTicker : public TComponent {
  FW_CLASS(TTicker, TComponent)
 public:
  explicit TTicker(TComponent* AOwner) : TComponent(AOwner) {}
  static void DeclarePublished(TClassBuilder<TTicker>& C);

  // Milliseconds between two ticks; at least 1 (a smaller value raises EInvalidArgument).
  int32_t Interval() const noexcept { return FInterval; }
  void SetInterval(int32_t Value);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool Value);
  // Lets `Milliseconds` go by: raises OnTick for every Interval completed. Returns the ticks.
  int Elapse(int32_t Milliseconds);

  TNotifyEvent FOnTick;

 private:
  int32_t FInterval = 1000;
  bool FEnabled = true;
  int32_t FPending = 0;
};

}  // namespace gauges
