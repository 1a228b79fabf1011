// Graphics values of the Orx framework: the font, pen and brush objects that controls publish
// (colours and character sets have files of their own). Orx is headless: nothing is drawn,
// but every value is real, streamable and reported by the identifier maps the property
// inspector uses.
#pragma once

#include "platform/orx/Charsets.h"
#include "platform/orx/Colors.h"
#include "platform/runtime/Classes.h"

namespace formwright::orx {

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
  TFontCharset FCharset = chDefault;
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
