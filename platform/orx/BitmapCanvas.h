// The canvas that draws pixels: shapes, lines and text are drawn into a bitmap by Cairo, text
// with real glyphs found through fontconfig (the DejaVu fonts) and measured by FreeType.
#pragma once

#include <memory>

#include "platform/orx/Canvas.h"
#include "platform/orx/Pictures.h"

namespace formwright::orx {

// Metrics of real glyphs: what text in a font really measures when drawn. A font name that
// the machine does not have falls back to the closest font it has (DejaVu Sans). Each object
// keeps a small drawing context of its own: share one per thread.
class TGlyphFontMetrics final : public IFontMetrics {
 public:
  TGlyphFontMetrics();
  ~TGlyphFontMetrics() override;
  TTextMetric Metric(const TFont& Font) const override;
  TSize TextExtent(const TFont& Font, std::string_view Text) const override;

 private:
  struct TContext;
  std::unique_ptr<TContext> FContext;
};

// A canvas over a bitmap. Lines and shapes are drawn without smoothing, pixel-exact like the
// framework's controls expect; text is smoothed. In exclusive-or mode every pixel a primitive
// covers is combined with its colour by exclusive-or, so drawing it again restores the
// bitmap. Brushes other than clear fill solid. The bitmap's pixels must not be replaced
// (SetSize, LoadFromFile) while the canvas lives; its file data follows at Flush and when the
// canvas is destroyed.
class TBitmapCanvas : public TCanvas {
  FW_CLASS(TBitmapCanvas, TCanvas)
 public:
  // Draws on Bitmap, measuring text with its own glyph metrics. With a Scale above 1 every
  // coordinate is multiplied by it (a bitmap Scale times the size shows the same drawing,
  // with sharper text); Scale must be 1 or more.
  explicit TBitmapCanvas(TBitmap& Bitmap, int32_t Scale = 1);
  ~TBitmapCanvas() override;
  TBitmapCanvas(const TBitmapCanvas&) = delete;
  TBitmapCanvas& operator=(const TBitmapCanvas&) = delete;
  TBitmap& Bitmap() const noexcept { return FBitmap; }
  // Brings the bitmap's file data up to date with what was drawn.
  void Flush();

 protected:
  void DoFillRect(const TRect& R) override;
  void DoFrameRect(const TRect& R) override;
  void DoShape(TCanvasOpKind Kind, const TRect& R, int32_t CornerW, int32_t CornerH) override;
  void DoLine(TPoint From, TPoint To) override;
  void DoText(const TRect& Clip, TPoint At, const String& Text, bool Clipped) override;
  void DoDraw(const TRect& R, const TGraphic& Graphic, bool Stretched) override;

 private:
  struct TSurface;
  TBitmap& FBitmap;
  TGlyphFontMetrics FMetricsOwned;
  std::unique_ptr<TSurface> FSurface;
};

}  // namespace formwright::orx
