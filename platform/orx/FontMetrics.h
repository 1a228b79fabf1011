// Text measurement: one interface for every measurer, and the fixed metrics that make layout
// and tests come out the same on every machine. The measurer of real glyphs is in
// BitmapCanvas.h.
#pragma once

#include <string_view>

#include "platform/orx/Graphics.h"

namespace formwright::orx {

// Measures text in a font. Implementations must be usable from several canvases at once and
// give the same answer for the same font and text.
class IFontMetrics {
 public:
  virtual ~IFontMetrics() = default;
  // Ascent and descent of the font's line.
  virtual TTextMetric Metric(const TFont& Font) const = 0;
  // Width of the text on one line and the font's line height.
  virtual TSize TextExtent(const TFont& Font, std::string_view Text) const = 0;
};

// The framework's fixed metrics (GetTextMetric and TextExtent of Graphics.h): every glyph as
// wide as half the character height. Controls size themselves with these (a label's AutoSize)
// so that a saved form does not depend on the fonts of the machine that saved it.
class TFixedFontMetrics final : public IFontMetrics {
 public:
  TTextMetric Metric(const TFont& Font) const override { return GetTextMetric(Font); }
  TSize TextExtent(const TFont& Font, std::string_view Text) const override {
    return orx::TextExtent(Font, Text);
  }
};

// The one fixed-metrics object (it has no state).
const IFontMetrics& FixedFontMetrics() noexcept;

}  // namespace formwright::orx
