// Pictures: graphics (bitmaps, icons, metafiles) kept as the bytes of their file format with
// the dimensions read from the format's header, the picture that holds one graphic of any
// registered class, and the registry of graphic file formats by extension.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/orx/Canvas.h"
#include "platform/runtime/Streams.h"

namespace formwright::orx {

FW_EXCEPTION(EInvalidGraphic, Exception);

// A graphic: width, height and the data of its file format. Loading checks the format's
// header and raises EInvalidGraphic ("Invalid image") for data that is not of it; the graphic
// keeps what it had then.
class TGraphic : public TPersistent {
  FW_CLASS(TGraphic, TPersistent)
 public:
  int32_t Width() const noexcept { return FWidth; }
  int32_t Height() const noexcept { return FHeight; }
  bool Empty() const noexcept { return FData.empty(); }
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool Value) noexcept { FTransparent = Value; }
  const std::vector<uint8_t>& Data() const noexcept { return FData; }
  // Reads the rest of the stream as this format / writes the data.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  // Raises EInvalidGraphic when the file cannot be opened or written.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  // Replaces the data; raises EInvalidGraphic (keeping the old data) when it is not of the format.
  void SetData(std::vector<uint8_t> Data);
  void Assign(TPersistent* Source) override;
  bool Equals(const TGraphic& Other) const noexcept;
  std::function<void(TGraphic*)> OnChange;

 protected:
  // Reads width and height from the header; false when the data is not of the format.
  virtual bool ParseHeader(const std::vector<uint8_t>& Data, int32_t& W, int32_t& H) const = 0;
  // Gives the graphic new data of a blank image of that size.
  void Reset(std::vector<uint8_t> Data, int32_t W, int32_t H);
  // Called after the data was replaced (loaded, assigned, reset).
  virtual void DataChanged() {}

 private:
  std::vector<uint8_t> FData;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  bool FTransparent = false;
};

// A device-independent bitmap (".bmp") and its pixels. The pixels are read from the file data
// when first asked for (uncompressed 24- and 32-bit bitmaps; other formats read as white) and
// written back to it, as a 24-bit bitmap, by PixelsChanged.
class TBitmap : public TGraphic {
  FW_CLASS(TBitmap, TGraphic)
 public:
  // Makes a blank (black) 24-bit bitmap of that size (an empty bitmap for 0 × 0).
  void SetSize(int32_t AWidth, int32_t AHeight);
  // The colour of a pixel (clNone outside the bitmap) / sets it (nothing outside).
  TColor Pixel(int32_t X, int32_t Y);
  void SetPixel(int32_t X, int32_t Y, TColor Color);
  // The pixels, row by row from the top, each 0xFFRRGGBB: what a drawing back end writes to.
  // Call PixelsChanged after writing.
  std::vector<uint32_t>& Pixels();
  // Writes the pixels back to the file data and tells OnChange.
  void PixelsChanged();
  // Portable network graphics in and out. Raises EInvalidGraphic ("Invalid image") for a file
  // that cannot be read as one (the bitmap keeps what it had) or written.
  void LoadFromPng(const String& FileName);
  void SaveToPng(const String& FileName);

 protected:
  bool ParseHeader(const std::vector<uint8_t>& Data, int32_t& W, int32_t& H) const override;
  void DataChanged() override { FPixels.clear(); }

 private:
  // Empty until asked for, and again whenever the file data is replaced.
  std::vector<uint32_t> FPixels;
};

// An icon (".ico"); its size is the first image's.
class TIcon : public TGraphic {
  FW_CLASS(TIcon, TGraphic)

 protected:
  bool ParseHeader(const std::vector<uint8_t>& Data, int32_t& W, int32_t& H) const override;
};

// An enhanced (".emf") or placeable Windows (".wmf") metafile.
class TMetafile : public TGraphic {
  FW_CLASS(TMetafile, TGraphic)
 public:
  bool Enhanced() const noexcept { return FEnhanced; }

 protected:
  bool ParseHeader(const std::vector<uint8_t>& Data, int32_t& W, int32_t& H) const override;

 private:
  mutable bool FEnhanced = true;
};

// A picture: one graphic of any class (or none). Streamed as the binary property "Data": the
// graphic's class name, then its data.
class TPicture : public TPersistent {
  FW_CLASS(TPicture, TPersistent)
 public:
  TPicture() = default;
  ~TPicture() override;
  TGraphic* Graphic() const noexcept { return FGraphic; }
  // Takes a copy of `Value` (null clears the picture).
  void SetGraphic(TGraphic* Value);
  // The graphic as that class, replacing another class's graphic by an empty one.
  TBitmap* Bitmap();
  TIcon* Icon();
  TMetafile* Metafile();
  int32_t Width() const noexcept { return FGraphic ? FGraphic->Width() : 0; }
  int32_t Height() const noexcept { return FGraphic ? FGraphic->Height() : 0; }
  // The graphic class follows the file's extension; raises EInvalidGraphic for an unknown
  // extension ("Unknown picture file extension (.%s)") or bad data, keeping the old graphic.
  void LoadFromFile(const String& FileName);
  void SaveToFile(const String& FileName) const;
  // From a picture, a graphic or null.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  void SetOwner(TPersistent* Value) noexcept { FOwner = Value; }
  void DefineProperties(TFiler* Filer) override;
  std::function<void(TPicture*)> OnChange;

 private:
  template <class G>
  G* As();
  void Replace(TGraphic* NewGraphic);
  void Changed();
  TGraphic* FGraphic = nullptr;
  TPersistent* FOwner = nullptr;
};

// The registry of graphic file formats: extension (without dot, ignoring case), description
// and class. Bitmaps, icons and metafiles are registered from the start; a later
// registration of an extension replaces the earlier one.
void RegisterFileFormat(const String& Extension, const String& Description, TClass GraphicClass);
// Removes every format of that class (or of a class derived from it).
void UnregisterGraphicClass(TClass GraphicClass);
// The class for an extension; null when none is registered.
TClass GraphicClassOfExtension(std::string_view Extension);
// The default extension of a class (the first registered for it or a descendant).
String GraphicExtension(TClass GraphicClass);
// "*.bmp;*.ico" for the formats of the class and its descendants.
String GraphicFileMask(TClass GraphicClass);
// The open-dialog filter for the class: an "All" entry with every mask, then one entry per
// format ("Bitmaps (*.bmp)|*.bmp").
String GraphicFilter(TClass GraphicClass);

}  // namespace formwright::orx
