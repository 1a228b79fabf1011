#include "platform/orx/GuideMetrics.h"

#include "platform/orx/ExtCtrls.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

namespace {

// The baseline of one line placed in `Top`..`Bottom` as the painting places it.
int32_t LineBaseline(const TControl& Control, const IFontMetrics& Metrics, int32_t Top, int32_t Bottom,
                     TTextLayout Layout) {
  const TFont& Font = *Control.Font();
  const int32_t LineHeight = Metrics.TextExtent(Font, "Wg").cy;
  const int32_t Ascent = Metrics.Metric(Font).Ascent;
  const int32_t LineTop = Layout == tlTop      ? Top
                          : Layout == tlBottom ? Bottom - LineHeight
                                               : Top + (Bottom - Top - LineHeight) / 2;
  return LineTop + Ascent;
}

}  // namespace

TRect ClientDelta(const TControl& Control) {
  if (const auto* Form = dynamic_cast<const TCustomForm*>(&Control)) {
    const TRect M = Form->NonClientMargins();
    return {-M.Left, -M.Top, M.Right, M.Bottom};
  }
  return {};
}

std::optional<int32_t> TextBaseline(const TControl& Control, const IFontMetrics& Metrics) {
  const int32_t H = Control.Height();
  // Edits and memos: the text area of the sunken box is 2 pixels in from the top and bottom.
  if (dynamic_cast<const TCustomMemo*>(&Control)) return LineBaseline(Control, Metrics, 2, H - 2, tlTop);
  if (dynamic_cast<const TCustomEdit*>(&Control)) return LineBaseline(Control, Metrics, 2, H - 2, tlCenter);
  if (const auto* Label = dynamic_cast<const TCustomLabel*>(&Control))
    return LineBaseline(Control, Metrics, 0, H, Label->Layout());
  // Buttons and check boxes: one centred line (a default button's frame is as thick on both sides).
  if (dynamic_cast<const TButtonControl*>(&Control)) return LineBaseline(Control, Metrics, 0, H, tlCenter);
  if (const auto* Panel = dynamic_cast<const TCustomPanel*>(&Control);
      Panel && Panel->ShowCaption() && !Panel->Caption().empty())
    return LineBaseline(Control, Metrics, 0, H, tlCenter);
  return std::nullopt;
}

}  // namespace formwright::orx
