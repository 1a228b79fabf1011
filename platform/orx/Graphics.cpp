#include "platform/orx/Graphics.h"

#include <cmath>
#include <cstdlib>

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TGraphicsObject, "Orx.Graphics")
FW_REGISTER_CLASS(TFont, "Orx.Graphics")
FW_REGISTER_CLASS(TPen, "Orx.Graphics")
FW_REGISTER_CLASS(TBrush, "Orx.Graphics")

int32_t MulDiv(int32_t A, int32_t B, int32_t C) noexcept {
  if (C == 0) return -1;
  return static_cast<int32_t>(std::llround(static_cast<double>(int64_t(A) * B) / C));
}

// ----- Graphics objects -----------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::DeclarePublished(TClassBuilder<TFont>& C) {
  C.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(chDefault);
  C.Property("Color", &TFont::Color, &TFont::SetColor).Default(clWindowText);
  C.Property("Height", &TFont::Height, &TFont::SetHeight);
  C.Property("Name", &TFont::Name, &TFont::SetName).As<TFontName>();
  C.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  C.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  C.Property("Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles{});
}

int32_t TFont::Size() const noexcept { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int32_t Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

bool TFont::Equals(const TFont& O) const noexcept {
  return SameText(FName, O.FName) && FHeight == O.FHeight && FColor == O.FColor && FStyle == O.FStyle &&
         FPitch == O.FPitch && FCharset == O.FCharset;
}

void TFont::Assign(TPersistent* Source) {
  auto* F = dynamic_cast<TFont*>(Source);
  if (!F) return TGraphicsObject::Assign(Source);
  if (Equals(*F) && FPixelsPerInch == F->FPixelsPerInch) return;
  FName = F->FName;
  // A font from another resolution keeps its point size.
  FHeight = FPixelsPerInch == F->FPixelsPerInch ? F->FHeight : -MulDiv(F->Size(), FPixelsPerInch, 72);
  FColor = F->FColor;
  FStyle = F->FStyle;
  FPitch = F->FPitch;
  FCharset = F->FCharset;
  Changed();
}

void TPen::DeclarePublished(TClassBuilder<TPen>& C) {
  C.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
  C.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  C.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TPen::Assign(TPersistent* Source) {
  auto* P = dynamic_cast<TPen*>(Source);
  if (!P) return TGraphicsObject::Assign(Source);
  FColor = P->FColor;
  FStyle = P->FStyle;
  FWidth = P->FWidth;
  Changed();
}

void TBrush::DeclarePublished(TClassBuilder<TBrush>& C) {
  C.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
  C.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (Value == clNone)
    FStyle = bsClear;
  else if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  auto* B = dynamic_cast<TBrush*>(Source);
  if (!B) return TGraphicsObject::Assign(Source);
  FColor = B->FColor;
  FStyle = B->FStyle;
  Changed();
}

// ----- Text metrics ---------------------------------------------------------------------------

TTextMetric GetTextMetric(const TFont& Font) noexcept {
  const int32_t H = std::abs(Font.Height());
  TTextMetric M;
  M.Ascent = H;
  M.Descent = (H * 6 + 4) / 5 - H;
  return M;
}

TSize TextExtent(const TFont& Font, std::string_view Text) noexcept {
  int32_t Glyphs = 0;
  for (unsigned char C : Text)
    if ((C & 0xC0) != 0x80) ++Glyphs;  // count code points, not UTF-8 bytes
  const int32_t H = std::abs(Font.Height());
  return TSize{Glyphs * ((H + 1) / 2), GetTextMetric(Font).Height()};
}

}  // namespace formwright::orx
