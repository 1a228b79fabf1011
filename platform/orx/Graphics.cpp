#include "platform/orx/Graphics.h"

#include <cmath>
#include <cstdlib>

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TGraphicsObject, "Orx.Graphics")
FW_REGISTER_CLASS(TFont, "Orx.Graphics")
FW_REGISTER_CLASS(TPen, "Orx.Graphics")
FW_REGISTER_CLASS(TBrush, "Orx.Graphics")

// ----- Colours --------------------------------------------------------------------------------

namespace {
constexpr TIdentMapEntry Colors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

// The default system palette (RGB as $BBGGRR), indexed by system colour index.
constexpr int32_t SystemPalette[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933, 0xF0F0F0,
};

constexpr TIdentMapEntry Charsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};
}  // namespace

TIdentMap ColorIdents() noexcept { return Colors; }
bool ColorToIdent(TColor Color, String& Ident) { return IntToIdent(Color, Ident, Colors); }

bool IdentToColor(std::string_view Ident, TColor& Color) noexcept {
  int32_t V = 0;
  if (!IdentToInt(Ident, V, Colors)) return false;
  Color = TColor(V);
  return true;
}

String ColorToString(TColor Color) {
  String S;
  if (ColorToIdent(Color, S)) return S;
  return Format("$%.8X", uint32_t(Color));
}

TColor StringToColor(std::string_view S) {
  TColor C{};
  if (IdentToColor(Trim(S), C)) return C;
  int64_t V = 0;
  if (!TryStrToInt64(S, V) || V < INT32_MIN || V > UINT32_MAX)
    throw EConvertError(Format(SInvalidColor, String(S)));
  return TColor(static_cast<int32_t>(static_cast<uint32_t>(V)));
}

void GetColorValues(const TGetStrProc& Proc) { GetIdentValues(Proc, Colors); }

int32_t ColorToRGB(TColor Color) noexcept {
  const uint32_t V = uint32_t(Color);
  if ((V & 0xFF000000u) == 0xFF000000u) {
    const unsigned Index = V & 0xFFu;
    return Index < std::size(SystemPalette) ? SystemPalette[Index] : 0;
  }
  return int32_t(V & 0x00FFFFFFu);
}

TIdentMap CharsetIdents() noexcept { return Charsets; }
bool CharsetToIdent(int32_t Charset, String& Ident) { return IntToIdent(Charset, Ident, Charsets); }
bool IdentToCharset(std::string_view Ident, int32_t& Charset) noexcept {
  return IdentToInt(Ident, Charset, Charsets);
}
void GetCharsetValues(const TGetStrProc& Proc) { GetIdentValues(Proc, Charsets); }

int32_t MulDiv(int32_t A, int32_t B, int32_t C) noexcept {
  if (C == 0) return -1;
  return static_cast<int32_t>(std::llround(static_cast<double>(int64_t(A) * B) / C));
}

// ----- Graphics objects -----------------------------------------------------------------------

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::DeclarePublished(TClassBuilder<TFont>& C) {
  C.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
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
