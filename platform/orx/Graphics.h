// Graphics values of the Orx framework: colours, character sets, and the font, pen and brush
// objects that controls publish. Orx is headless: nothing is drawn, but every value is real,
// streamable and reported by the identifier maps the property inspector uses.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/Classes.h"

namespace formwright::orx {

// ---------------------------------------------------------------------------------------------
// Colours: $00BBGGRR for RGB values; system colours carry $FF in the high byte and the system
// colour index in the low byte.

FW_INT_TYPE(TColor, int32_t, INT32_MIN, INT32_MAX)

inline constexpr TColor clSystemColor = TColor(int32_t(0xFF000000));
constexpr TColor SystemColor(int Index) noexcept { return TColor(int32_t(0xFF000000u | unsigned(Index))); }

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

inline constexpr TColor clBlack = TColor(0x000000);
inline constexpr TColor clMaroon = TColor(0x000080);
inline constexpr TColor clGreen = TColor(0x008000);
inline constexpr TColor clOlive = TColor(0x008080);
inline constexpr TColor clNavy = TColor(0x800000);
inline constexpr TColor clPurple = TColor(0x800080);
inline constexpr TColor clTeal = TColor(0x808000);
inline constexpr TColor clGray = TColor(0x808080);
inline constexpr TColor clSilver = TColor(0xC0C0C0);
inline constexpr TColor clRed = TColor(0x0000FF);
inline constexpr TColor clLime = TColor(0x00FF00);
inline constexpr TColor clYellow = TColor(0x00FFFF);
inline constexpr TColor clBlue = TColor(0xFF0000);
inline constexpr TColor clFuchsia = TColor(0xFF00FF);
inline constexpr TColor clAqua = TColor(0xFFFF00);
inline constexpr TColor clLtGray = TColor(0xC0C0C0);
inline constexpr TColor clDkGray = TColor(0x808080);
inline constexpr TColor clWhite = TColor(0xFFFFFF);
inline constexpr TColor clMoneyGreen = TColor(0xC0DCC0);
inline constexpr TColor clSkyBlue = TColor(0xF0CAA6);
inline constexpr TColor clCream = TColor(0xF0FBFF);
inline constexpr TColor clMedGray = TColor(0xA4A0A0);
inline constexpr TColor clNone = TColor(0x1FFFFFFF);
inline constexpr TColor clDefault = TColor(0x20000000);

// The colour identifiers in the order the inspector lists them (aliases like clLtGray are
// accepted nowhere: each value has one identifier).
TIdentMap ColorIdents() noexcept;
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(std::string_view Ident, TColor& Color) noexcept;
// The identifier, or "$" followed by eight hexadecimal digits.
String ColorToString(TColor Color);
// An identifier, or an integer ($hex or decimal); raises EConvertError for other text.
TColor StringToColor(std::string_view S);
void GetColorValues(const TGetStrProc& Proc);
// The RGB value of a colour, resolving system colours through the default system palette.
int32_t ColorToRGB(TColor Color) noexcept;

// ---------------------------------------------------------------------------------------------
// Character sets

FW_INT_TYPE(TFontCharset, uint8_t, 0, 255)
inline constexpr TFontCharset ANSI_CHARSET = TFontCharset(0);
inline constexpr TFontCharset DEFAULT_CHARSET = TFontCharset(1);
inline constexpr TFontCharset SYMBOL_CHARSET = TFontCharset(2);
inline constexpr TFontCharset MAC_CHARSET = TFontCharset(77);
inline constexpr TFontCharset SHIFTJIS_CHARSET = TFontCharset(128);
inline constexpr TFontCharset HANGEUL_CHARSET = TFontCharset(129);
inline constexpr TFontCharset JOHAB_CHARSET = TFontCharset(130);
inline constexpr TFontCharset GB2312_CHARSET = TFontCharset(134);
inline constexpr TFontCharset CHINESEBIG5_CHARSET = TFontCharset(136);
inline constexpr TFontCharset GREEK_CHARSET = TFontCharset(161);
inline constexpr TFontCharset TURKISH_CHARSET = TFontCharset(162);
inline constexpr TFontCharset VIETNAMESE_CHARSET = TFontCharset(163);
inline constexpr TFontCharset HEBREW_CHARSET = TFontCharset(177);
inline constexpr TFontCharset ARABIC_CHARSET = TFontCharset(178);
inline constexpr TFontCharset BALTIC_CHARSET = TFontCharset(186);
inline constexpr TFontCharset RUSSIAN_CHARSET = TFontCharset(204);
inline constexpr TFontCharset THAI_CHARSET = TFontCharset(222);
inline constexpr TFontCharset EASTEUROPE_CHARSET = TFontCharset(238);
inline constexpr TFontCharset OEM_CHARSET = TFontCharset(255);

TIdentMap CharsetIdents() noexcept;
bool CharsetToIdent(int32_t Charset, String& Ident);
bool IdentToCharset(std::string_view Ident, int32_t& Charset) noexcept;
void GetCharsetValues(const TGetStrProc& Proc);

// ---------------------------------------------------------------------------------------------
// Font, pen and brush

FW_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut)
FW_SET(TFontStyles, TFontStyle)
FW_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed)
FW_STRING_TYPE(TFontName)
FW_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame)
FW_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
        bsDiagCross)

// Base of the font, pen and brush: a persistent value object that tells its user when it
// changed. `OnChange` is set by the control or canvas that owns the object.
class TGraphicsObject : public TPersistent {
  FW_CLASS(TGraphicsObject, TPersistent)
 public:
  std::function<void(TGraphicsObject*)> OnChange;
  // The object (control, canvas) that owns this one; names it in display paths.
  TPersistent* GetOwner() const override { return FOwner; }
  void SetOwner(TPersistent* Value) noexcept { FOwner = Value; }

 protected:
  // Calls OnChange; descendants call it from every setter that changes a value.
  void Changed();
  // Sets a field and reports a change when the value differs.
  template <class T>
  void Update(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }

 private:
  TPersistent* FOwner = nullptr;
};

// A font: name, height in pixels (negative: character height without internal leading),
// size in points, colour, style, pitch and character set. Size and Height are two views of
// one value at the font's PixelsPerInch; only Height is stored.
class TFont : public TGraphicsObject {
  FW_CLASS(TFont, TGraphicsObject)
 public:
  TFont() = default;
  static void DeclarePublished(TClassBuilder<TFont>& C);
  void Assign(TPersistent* Source) override;

  const String& Name() const noexcept { return FName; }
  void SetName(const String& Value) { Update(FName, Value); }
  int32_t Height() const noexcept { return FHeight; }
  void SetHeight(int32_t Value) { Update(FHeight, Value); }
  int32_t Size() const noexcept;
  void SetSize(int32_t Value);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value) { Update(FColor, Value); }
  TFontStyles Style() const noexcept { return FStyle; }
  void SetStyle(TFontStyles Value) { Update(FStyle, Value); }
  TFontPitch Pitch() const noexcept { return FPitch; }
  void SetPitch(TFontPitch Value) { Update(FPitch, Value); }
  TFontCharset Charset() const noexcept { return FCharset; }
  void SetCharset(TFontCharset Value) { Update(FCharset, Value); }
  int32_t PixelsPerInch() const noexcept { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t Value) noexcept { FPixelsPerInch = Value > 0 ? Value : 96; }
  // True when every published value equals the other font's.
  bool Equals(const TFont& Other) const noexcept;

  static constexpr const char* DefaultName = "DejaVu Sans";
  static constexpr int32_t DefaultHeight = -11;

 private:
  String FName = DefaultName;
  int32_t FHeight = DefaultHeight;
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontPitch FPitch = fpDefault;
  TFontCharset FCharset = DEFAULT_CHARSET;
  int32_t FPixelsPerInch = 96;
};

class TPen : public TGraphicsObject {
  FW_CLASS(TPen, TGraphicsObject)
 public:
  static void DeclarePublished(TClassBuilder<TPen>& C);
  void Assign(TPersistent* Source) override;
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value) { Update(FColor, Value); }
  TPenStyle Style() const noexcept { return FStyle; }
  void SetStyle(TPenStyle Value) { Update(FStyle, Value); }
  int32_t Width() const noexcept { return FWidth; }
  void SetWidth(int32_t Value) { Update(FWidth, Value < 0 ? 0 : Value); }

 private:
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  int32_t FWidth = 1;
};

class TBrush : public TGraphicsObject {
  FW_CLASS(TBrush, TGraphicsObject)
 public:
  static void DeclarePublished(TClassBuilder<TBrush>& C);
  void Assign(TPersistent* Source) override;
  TColor Color() const noexcept { return FColor; }
  // A brush with colour clNone is clear.
  void SetColor(TColor Value);
  TBrushStyle Style() const noexcept { return FStyle; }
  void SetStyle(TBrushStyle Value) { Update(FStyle, Value); }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

// Text metrics of the headless framework: every glyph of a font is as wide as half its
// character height (rounded up) and a line is 6/5 of the character height high, the
// character height being the font's absolute pixel height. Layout built on these numbers is
// deterministic on every machine.
struct TTextMetric {
  int32_t Ascent = 0;
  int32_t Descent = 0;
  int32_t Height() const noexcept { return Ascent + Descent; }
};
TTextMetric GetTextMetric(const TFont& Font) noexcept;
TSize TextExtent(const TFont& Font, std::string_view Text) noexcept;

// a * b / c rounded to the nearest integer (halves away from zero).
int32_t MulDiv(int32_t A, int32_t B, int32_t C) noexcept;

}  // namespace formwright::orx
