#include "platform/orx/BitmapCanvas.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TBitmapCanvas, "Orx.Graphics")

namespace {

struct TCairoDeleter {
  void operator()(cairo_t* C) const noexcept { cairo_destroy(C); }
  void operator()(cairo_surface_t* S) const noexcept { cairo_surface_destroy(S); }
};
using TCairo = std::unique_ptr<cairo_t, TCairoDeleter>;
using TCairoSurface = std::unique_ptr<cairo_surface_t, TCairoDeleter>;

// A colour (0xBBGGRR or a system colour) as Cairo's red, green and blue.
void SetSource(cairo_t* Cr, TColor Color) {
  const uint32_t C = static_cast<uint32_t>(ColorToRGB(Color));
  cairo_set_source_rgb(Cr, (C & 0xFF) / 255.0, (C >> 8 & 0xFF) / 255.0, (C >> 16 & 0xFF) / 255.0);
}

// The font of Cr set to Font: its face, weight and slant, and the size at which the
// character height (a negative Height) or the line height (a positive one) is as asked.
void SelectFont(cairo_t* Cr, const TFont& Font) {
  cairo_select_font_face(Cr, Font.Name().c_str(),
                         Font.Style().Contains(fsItalic) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         Font.Style().Contains(fsBold) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  double Size = std::abs(Font.Height());
  if (Font.Height() > 0) {
    cairo_set_font_size(Cr, 1.0);
    cairo_font_extents_t E;
    cairo_font_extents(Cr, &E);
    if (E.ascent + E.descent > 0) Size /= E.ascent + E.descent;
  }
  cairo_set_font_size(Cr, std::max(Size, 1.0));
}

TTextMetric MetricOf(cairo_t* Cr) {
  cairo_font_extents_t E;
  cairo_font_extents(Cr, &E);
  return {static_cast<int32_t>(std::ceil(E.ascent)), static_cast<int32_t>(std::ceil(E.descent))};
}

TSize ExtentOf(cairo_t* Cr, const String& Text) {
  cairo_text_extents_t T;
  cairo_text_extents(Cr, Text.c_str(), &T);
  return {static_cast<int32_t>(std::ceil(T.x_advance)), MetricOf(Cr).Height()};
}

TRect Intersect(const TRect& A, const TRect& B) {
  return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
}

// Cairo and fontconfig keep the fonts they found for the life of the process; they are given
// back when the program ends, so that a leak check sees only real leaks.
void ReleaseFontCachesAtExit() {
  static const bool Registered = [] {
    std::atexit([] {
      cairo_debug_reset_static_data();
      FcFini();
    });
    return true;
  }();
  (void)Registered;
}

}  // namespace

// ----- TGlyphFontMetrics ----------------------------------------------------------------------

struct TGlyphFontMetrics::TContext {
  TCairoSurface Surface{cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1)};
  TCairo Cr{cairo_create(Surface.get())};
};

TGlyphFontMetrics::TGlyphFontMetrics() : FContext(new TContext) { ReleaseFontCachesAtExit(); }
TGlyphFontMetrics::~TGlyphFontMetrics() = default;

TTextMetric TGlyphFontMetrics::Metric(const TFont& Font) const {
  SelectFont(FContext->Cr.get(), Font);
  return MetricOf(FContext->Cr.get());
}

TSize TGlyphFontMetrics::TextExtent(const TFont& Font, std::string_view Text) const {
  SelectFont(FContext->Cr.get(), Font);
  return ExtentOf(FContext->Cr.get(), String(Text));
}

// ----- TBitmapCanvas --------------------------------------------------------------------------

// The bitmap's pixels as a Cairo surface, and the mask that exclusive-or drawing renders
// into first (made when first needed).
struct TBitmapCanvas::TSurface {
  TCairoSurface Pixels;
  TCairo Cr;
  TCairoSurface Mask;
  TCairo MaskCr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Scale = 1;
  // Draws one primitive: `Paint` builds and fills or strokes its path on the context it is
  // given, whose source is already the colour. In copy mode that is the bitmap's context; in
  // exclusive-or mode the mask, whose covered pixels then flip the bitmap's by the colour.
  void Emit(TDrawMode Mode, const TRect& Clip, const TRect& Bounds, TColor Color, bool Smooth,
            const std::function<void(cairo_t*)>& Paint);
};

TBitmapCanvas::TBitmapCanvas(TBitmap& Bitmap, int32_t Scale) : FBitmap(Bitmap), FSurface(new TSurface) {
  SetFontMetrics(FMetricsOwned);
  TSurface& S = *FSurface;
  S.Width = Bitmap.Width();
  S.Height = Bitmap.Height();
  S.Scale = std::max(Scale, 1);
  // An empty bitmap gets a surface of its own (of no pixels) so that drawing does nothing.
  static uint32_t NoPixel = 0;
  uint32_t* Data = Bitmap.Empty() ? &NoPixel : Bitmap.Pixels().data();
  S.Pixels.reset(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(Data),
                                                     CAIRO_FORMAT_RGB24, S.Width, S.Height, S.Width * 4));
  S.Cr.reset(cairo_create(S.Pixels.get()));
}

void TBitmapCanvas::TSurface::Emit(TDrawMode Mode, const TRect& Clip, const TRect& Bounds, TColor Color,
                                   bool Smooth, const std::function<void(cairo_t*)>& Paint) {
  const TRect Area = Clip.IsEmpty() ? Bounds : Intersect(Bounds, Clip);
  if (Area.IsEmpty()) return;
  if (Mode == dmXor && !Mask) {
    Mask.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, Width, Height));
    MaskCr.reset(cairo_create(Mask.get()));
  }
  cairo_t* Target = Mode == dmXor ? MaskCr.get() : Cr.get();
  cairo_save(Target);
  cairo_scale(Target, Scale, Scale);
  cairo_rectangle(Target, Area.Left, Area.Top, Area.Width(), Area.Height());
  cairo_clip(Target);
  if (Mode == dmXor) {
    cairo_set_operator(Target, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(Target, 0, 0, 0, 0);
    cairo_paint(Target);
    cairo_set_operator(Target, CAIRO_OPERATOR_OVER);
    cairo_set_source_rgba(Target, 0, 0, 0, 1);
    cairo_set_antialias(Target, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t* Options = cairo_font_options_create();
    cairo_font_options_set_antialias(Options, CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(Target, Options);
    cairo_font_options_destroy(Options);
  } else {
    SetSource(Target, Color);
    cairo_set_antialias(Target, Smooth ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  }
  Paint(Target);
  cairo_restore(Target);
  if (Mode != dmXor) return;
  cairo_surface_flush(Mask.get());
  cairo_surface_flush(Pixels.get());
  const uint32_t C = static_cast<uint32_t>(ColorToRGB(Color));
  const uint32_t Flip = (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF);
  const unsigned char* M = cairo_image_surface_get_data(Mask.get());
  const int MStride = cairo_image_surface_get_stride(Mask.get());
  auto* P = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(Pixels.get()));
  const TRect In = Intersect({Area.Left * Scale, Area.Top * Scale, Area.Right * Scale, Area.Bottom * Scale},
                             {0, 0, Width, Height});
  for (int32_t Y = In.Top; Y < In.Bottom; ++Y)
    for (int32_t X = In.Left; X < In.Right; ++X)
      if (M[Y * MStride + X]) P[Y * Width + X] ^= Flip;
  cairo_surface_mark_dirty(Pixels.get());
}

TBitmapCanvas::~TBitmapCanvas() { Flush(); }

void TBitmapCanvas::Flush() {
  cairo_surface_flush(FSurface->Pixels.get());
  FBitmap.PixelsChanged();
}

namespace {

// A pen's dashes on Cr (solid for psSolid and psInsideFrame).
void SetPenStyle(cairo_t* Cr, const TPen& Pen) {
  static const double Dash[] = {6, 2}, Dot[] = {1, 1}, DashDot[] = {6, 2, 1, 2},
                      DashDotDot[] = {6, 2, 1, 2, 1, 2};
  switch (Pen.Style()) {
    case psDash:
      return cairo_set_dash(Cr, Dash, 2, 0);
    case psDot:
      return cairo_set_dash(Cr, Dot, 2, 0);
    case psDashDot:
      return cairo_set_dash(Cr, DashDot, 4, 0);
    case psDashDotDot:
      return cairo_set_dash(Cr, DashDotDot, 6, 0);
    default:
      return cairo_set_dash(Cr, nullptr, 0, 0);
  }
}

}  // namespace

void TBitmapCanvas::DoFillRect(const TRect& R) {
  if (Brush()->Style() == bsClear) return;
  FSurface->Emit(DrawMode(), DeviceClip(), R, Brush()->Color(), false, [&](cairo_t* Cr) {
    cairo_rectangle(Cr, R.Left, R.Top, R.Width(), R.Height());
    cairo_fill(Cr);
  });
}

void TBitmapCanvas::DoFrameRect(const TRect& R) {
  if (Pen()->Style() == psClear || R.IsEmpty()) return;
  const int32_t W = std::max(Pen()->Width(), 1);
  FSurface->Emit(DrawMode(), DeviceClip(), R, Pen()->Color(), false, [&](cairo_t* Cr) {
    if (Pen()->Style() == psSolid || Pen()->Style() == psInsideFrame) {
      // The band between R and R inset by the pen width: every pixel covered once.
      cairo_set_fill_rule(Cr, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_rectangle(Cr, R.Left, R.Top, R.Width(), R.Height());
      if (R.Width() > 2 * W && R.Height() > 2 * W)
        cairo_rectangle(Cr, R.Left + W, R.Top + W, R.Width() - 2 * W, R.Height() - 2 * W);
      cairo_fill(Cr);
      return;
    }
    SetPenStyle(Cr, *Pen());
    cairo_set_line_width(Cr, W);
    cairo_rectangle(Cr, R.Left + W / 2.0, R.Top + W / 2.0, R.Width() - W, R.Height() - W);
    cairo_stroke(Cr);
  });
}

void TBitmapCanvas::DoShape(TCanvasOpKind Kind, const TRect& R, int32_t CornerW, int32_t CornerH) {
  if (R.IsEmpty()) return;
  const bool Outline = Pen()->Style() != psClear;
  const double W = Outline ? std::max(Pen()->Width(), 1) : 0;
  const bool Smooth = Kind != TCanvasOpKind::Rectangle;
  // The path of the shape inset by Inset on every side.
  auto Path = [&](cairo_t* Cr, double Inset) {
    const double L = R.Left + Inset, T = R.Top + Inset, Wd = R.Width() - 2 * Inset,
                 Ht = R.Height() - 2 * Inset;
    if (Wd <= 0 || Ht <= 0) return;
    if (Kind == TCanvasOpKind::Rectangle) return cairo_rectangle(Cr, L, T, Wd, Ht);
    const double Rx = Kind == TCanvasOpKind::Ellipse ? Wd / 2 : std::min(CornerW / 2.0, Wd / 2);
    const double Ry = Kind == TCanvasOpKind::Ellipse ? Ht / 2 : std::min(CornerH / 2.0, Ht / 2);
    if (Rx <= 0 || Ry <= 0) return cairo_rectangle(Cr, L, T, Wd, Ht);
    // Four quarter ellipses joined by the straight sides.
    const double Cx[] = {L + Wd - Rx, L + Wd - Rx, L + Rx, L + Rx},
                 Cy[] = {T + Ry, T + Ht - Ry, T + Ht - Ry, T + Ry};
    cairo_new_sub_path(Cr);
    for (int I = 0; I < 4; ++I) {
      cairo_save(Cr);
      cairo_translate(Cr, Cx[I], Cy[I]);
      cairo_scale(Cr, Rx, Ry);
      cairo_arc(Cr, 0, 0, 1, (I - 1) * M_PI / 2, I * M_PI / 2);
      cairo_restore(Cr);
    }
    cairo_close_path(Cr);
  };
  if (Brush()->Style() != bsClear)
    FSurface->Emit(DrawMode(), DeviceClip(), R, Brush()->Color(), Smooth, [&](cairo_t* Cr) {
      Path(Cr, W);
      cairo_fill(Cr);
    });
  if (Outline)
    FSurface->Emit(DrawMode(), DeviceClip(), R, Pen()->Color(), Smooth, [&](cairo_t* Cr) {
      SetPenStyle(Cr, *Pen());
      cairo_set_line_width(Cr, W);
      Path(Cr, W / 2);
      cairo_stroke(Cr);
    });
}

void TBitmapCanvas::DoLine(TPoint From, TPoint To) {
  if (Pen()->Style() == psClear || (From.X == To.X && From.Y == To.Y)) return;
  const int32_t W = std::max(Pen()->Width(), 1), Before = (W - 1) / 2;
  const bool Straight = From.X == To.X || From.Y == To.Y;
  TRect Box{std::min(From.X, To.X) - W, std::min(From.Y, To.Y) - W, std::max(From.X, To.X) + W + 1,
            std::max(From.Y, To.Y) + W + 1};
  if (Straight && Pen()->Style() != psDash && Pen()->Style() != psDot && Pen()->Style() != psDashDot &&
      Pen()->Style() != psDashDotDot) {
    // Whole pixels from the start up to, not including, the end point.
    if (From.Y == To.Y)
      Box = From.X < To.X ? TRect{From.X, From.Y - Before, To.X, From.Y - Before + W}
                          : TRect{To.X + 1, From.Y - Before, From.X + 1, From.Y - Before + W};
    else
      Box = From.Y < To.Y ? TRect{From.X - Before, From.Y, From.X - Before + W, To.Y}
                          : TRect{From.X - Before, To.Y + 1, From.X - Before + W, From.Y + 1};
    FSurface->Emit(DrawMode(), DeviceClip(), Box, Pen()->Color(), false, [&](cairo_t* Cr) {
      cairo_rectangle(Cr, Box.Left, Box.Top, Box.Width(), Box.Height());
      cairo_fill(Cr);
    });
    return;
  }
  FSurface->Emit(DrawMode(), DeviceClip(), Box, Pen()->Color(), false, [&](cairo_t* Cr) {
    SetPenStyle(Cr, *Pen());
    cairo_set_line_width(Cr, W);
    cairo_move_to(Cr, From.X + 0.5, From.Y + 0.5);
    cairo_line_to(Cr, To.X + 0.5, To.Y + 0.5);
    cairo_stroke(Cr);
  });
}

void TBitmapCanvas::DoText(const TRect& Clip, TPoint At, const String& Text, bool Clipped) {
  if (Text.empty()) return;
  const TSize E = TextExtent(Text);
  const int32_t Ascent = FontMetrics().Metric(*Font()).Ascent;
  TRect Box = Bounds(At.X, At.Y, E.cx, E.cy);
  if (Clipped) Box = Intersect(Box, Clip);
  if (Box.IsEmpty()) return;
  if (Brush()->Style() != bsClear)
    FSurface->Emit(DrawMode(), DeviceClip(), Box, Brush()->Color(), false, [&](cairo_t* Cr) {
      cairo_rectangle(Cr, Box.Left, Box.Top, Box.Width(), Box.Height());
      cairo_fill(Cr);
    });
  const TFont& F = *Font();
  FSurface->Emit(DrawMode(), DeviceClip(), Box, F.Color(), true, [&](cairo_t* Cr) {
    SelectFont(Cr, F);
    cairo_move_to(Cr, At.X, At.Y + Ascent);
    cairo_show_text(Cr, Text.c_str());
    const double Thick = std::max(1.0, std::round(Ascent / 12.0));
    if (F.Style().Contains(fsUnderline)) cairo_rectangle(Cr, At.X, At.Y + Ascent + 1, E.cx, Thick);
    if (F.Style().Contains(fsStrikeOut)) cairo_rectangle(Cr, At.X, At.Y + Ascent * 2 / 3, E.cx, Thick);
    cairo_fill(Cr);
  });
}

void TBitmapCanvas::DoDraw(const TRect& R, const TGraphic& Graphic, bool Stretched) {
  if (R.IsEmpty()) return;
  if (!Graphic.InheritsFrom(TBitmap::StaticClass())) {
    // Icons and metafiles keep their file format without decoding it: they show as a crossed
    // frame of their size.
    FSurface->Emit(dmCopy, DeviceClip(), R, clShadow, false, [&](cairo_t* Cr) {
      cairo_set_line_width(Cr, 1);
      cairo_rectangle(Cr, R.Left + 0.5, R.Top + 0.5, R.Width() - 1, R.Height() - 1);
      cairo_move_to(Cr, R.Left, R.Top);
      cairo_line_to(Cr, R.Right, R.Bottom);
      cairo_move_to(Cr, R.Right, R.Top);
      cairo_line_to(Cr, R.Left, R.Bottom);
      cairo_stroke(Cr);
    });
    return;
  }
  TBitmap Source;
  Source.SetData(Graphic.Data());
  std::vector<uint32_t>& Pixels = Source.Pixels();
  const TCairoSurface Image(
      cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(Pixels.data()), CAIRO_FORMAT_RGB24,
                                          Source.Width(), Source.Height(), Source.Width() * 4));
  FSurface->Emit(dmCopy, DeviceClip(), R, clBlack, false, [&](cairo_t* Cr) {
    cairo_translate(Cr, R.Left, R.Top);
    if (Stretched) cairo_scale(Cr, double(R.Width()) / Source.Width(), double(R.Height()) / Source.Height());
    cairo_set_source_surface(Cr, Image.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(Cr), CAIRO_FILTER_NEAREST);
    cairo_paint(Cr);
  });
}

// ----- TBitmap and PNG files -------------------------------------------------------------------

void TBitmap::LoadFromPng(const String& FileName) {
  const TCairoSurface Png(cairo_image_surface_create_from_png(FileName.c_str()));
  const cairo_status_t Status = cairo_surface_status(Png.get());
  if (Status == CAIRO_STATUS_FILE_NOT_FOUND) throw EInvalidGraphic(Format(SCannotOpenPicture, FileName));
  if (Status != CAIRO_STATUS_SUCCESS) throw EInvalidGraphic(SInvalidGraphic);
  const int32_t W = cairo_image_surface_get_width(Png.get()), H = cairo_image_surface_get_height(Png.get());
  // Transparent pixels are laid over white.
  std::vector<uint32_t> Pixels(size_t(W) * size_t(H), 0xFFFFFFFFu);
  {
    const TCairoSurface Target(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(Pixels.data()), CAIRO_FORMAT_RGB24, W, H, W * 4));
    const TCairo Cr(cairo_create(Target.get()));
    cairo_set_source_surface(Cr.get(), Png.get(), 0, 0);
    cairo_paint(Cr.get());
    cairo_surface_flush(Target.get());
  }
  SetSize(W, H);
  FPixels = std::move(Pixels);
  PixelsChanged();
}

void TBitmap::SaveToPng(const String& FileName) {
  if (Empty()) throw EInvalidGraphic(Format(SCannotWritePicture, FileName));
  const TCairoSurface Image(cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(Pixels().data()), CAIRO_FORMAT_RGB24, Width(), Height(), Width() * 4));
  if (cairo_surface_write_to_png(Image.get(), FileName.c_str()) != CAIRO_STATUS_SUCCESS)
    throw EInvalidGraphic(Format(SCannotWritePicture, FileName));
}

}  // namespace formwright::orx
