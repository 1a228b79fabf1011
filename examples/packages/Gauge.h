// The example package's visual component: a gauge that shows how far a value has come between
// a minimum and a maximum, filled in a colour of its own.
#pragma once

#include "platform/orx/Controls.h"

namespace gauges {

using namespace formwright;
using namespace formwright::orx;

// A horizontal gauge. Value always lies within [Min, Max]: setting Value outside clamps it, and
// moving Min or Max past Value drags Value along. Min stays below Max: a Min at or above Max, or
// a Max at or below Min, is refused with EInvalidArgument. While the gauge is read from a stream
// the three are taken as written, in any order, and checked once all are read.
class TGauge : public TGraphicControl {
  FW_CLASS(TGauge, TGraphicControl)
 public:
  explicit TGauge(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TGauge>& C);

  int32_t Min() const noexcept { return FMin; }
  void SetMin(int32_t Value);
  int32_t Max() const noexcept { return FMax; }
  void SetMax(int32_t Value);
  int32_t Value() const noexcept { return FValue; }
  void SetValue(int32_t Value);
  // The colour of the filled part.
  TColor ForeColor() const noexcept { return FForeColor; }
  void SetForeColor(TColor Value) { FForeColor = Value; }
  // How much of the gauge is filled, in whole per cent of its range.
  int Percent() const noexcept;

 protected:
  void Paint() override;
  void Loaded() override;

 private:
  bool Reading() const noexcept;
  int32_t FMin = 0;
  int32_t FMax = 100;
  int32_t FValue = 0;
  TColor FForeColor = clNavy;
};

}  // namespace gauges
