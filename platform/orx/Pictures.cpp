#include "platform/orx/Pictures.h"

#include <cstring>

#include "platform/orx/OrxConsts.h"
#include "platform/runtime/Filer.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TGraphic, "Orx.Graphics")
FW_REGISTER_CLASS(TBitmap, "Orx.Graphics")
FW_REGISTER_CLASS(TIcon, "Orx.Graphics")
FW_REGISTER_CLASS(TMetafile, "Orx.Graphics")
FW_REGISTER_CLASS(TPicture, "Orx.Graphics")

namespace {
uint32_t U32(const std::vector<uint8_t>& D, size_t At) {
  return uint32_t(D[At]) | uint32_t(D[At + 1]) << 8 | uint32_t(D[At + 2]) << 16 | uint32_t(D[At + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& D, size_t At) {
  return static_cast<uint16_t>(D[At] | D[At + 1] << 8);
}
void Put32(std::vector<uint8_t>& D, size_t At, uint32_t V) {
  for (int I = 0; I < 4; ++I) D[At + I] = static_cast<uint8_t>(V >> (8 * I));
}
std::vector<uint8_t> ReadRest(TStream* Stream) {
  std::vector<uint8_t> D(static_cast<size_t>(std::max<int64_t>(Stream->Size() - Stream->Position(), 0)));
  if (!D.empty()) Stream->ReadBuffer(D.data(), static_cast<int64_t>(D.size()));
  return D;
}

struct TFileFormat {
  String Extension;
  String Description;
  TClass GraphicClass;
};
std::vector<TFileFormat>& Formats() {
  static std::vector<TFileFormat> F = {{"bmp", "Bitmaps", TBitmap::StaticClass()},
                                       {"ico", "Icons", TIcon::StaticClass()},
                                       {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
                                       {"wmf", "Metafiles", TMetafile::StaticClass()}};
  return F;
}
String ExtensionOf(const String& FileName) {
  const size_t Dot = FileName.rfind('.');
  const size_t Slash = FileName.find_last_of("/\\");
  if (Dot == String::npos || (Slash != String::npos && Dot < Slash)) return String();
  return FileName.substr(Dot + 1);
}
}  // namespace

// ----- TGraphic -------------------------------------------------------------------------------

void TGraphic::SetData(std::vector<uint8_t> Data) {
  int32_t W = 0, H = 0;
  if (!Data.empty() && !ParseHeader(Data, W, H)) throw EInvalidGraphic(SInvalidGraphic);
  Reset(std::move(Data), W, H);
}

void TGraphic::Reset(std::vector<uint8_t> Data, int32_t W, int32_t H) {
  FData = std::move(Data);
  FWidth = W;
  FHeight = H;
  DataChanged();
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromStream(TStream* Stream) { SetData(ReadRest(Stream)); }

void TGraphic::SaveToStream(TStream* Stream) const {
  if (!FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TGraphic::LoadFromFile(const String& FileName) {
  TOwned<TMemoryStream> M(new TMemoryStream);
  try {
    M->LoadFromFile(FileName);
  } catch (const EStreamError&) {
    throw EInvalidGraphic(Format(SCannotOpenPicture, FileName));
  }
  LoadFromStream(M.get());
}

void TGraphic::SaveToFile(const String& FileName) const {
  TOwned<TMemoryStream> M(new TMemoryStream);
  SaveToStream(M.get());
  try {
    M->SaveToFile(FileName);
  } catch (const EStreamError&) {
    throw EInvalidGraphic(Format(SCannotWritePicture, FileName));
  }
}

void TGraphic::Assign(TPersistent* Source) {
  auto* G = dynamic_cast<TGraphic*>(Source);
  if (!G || !G->InheritsFrom(ClassType())) return TPersistent::Assign(Source);
  FTransparent = G->FTransparent;
  Reset(G->FData, G->FWidth, G->FHeight);
}

bool TGraphic::Equals(const TGraphic& O) const noexcept {
  return ClassType() == O.ClassType() && FData == O.FData;
}

// ----- Formats --------------------------------------------------------------------------------

// BITMAPFILEHEADER ("BM", size, reserved, offset) then BITMAPINFOHEADER (40 bytes).
bool TBitmap::ParseHeader(const std::vector<uint8_t>& D, int32_t& W, int32_t& H) const {
  if (D.size() < 26 || D[0] != 'B' || D[1] != 'M') return false;
  W = static_cast<int32_t>(U32(D, 18));
  H = static_cast<int32_t>(U32(D, 22));
  if (H < 0) H = -H;  // top-down bitmaps
  return W >= 0;
}

namespace {

// A 24-bit bottom-up bitmap file of those pixels (0xFFRRGGBB, top row first; black for none).
std::vector<uint8_t> EncodeBitmap24(int32_t W, int32_t H, const std::vector<uint32_t>& Pixels) {
  const uint32_t Stride = (static_cast<uint32_t>(W) * 3 + 3) & ~3u;
  std::vector<uint8_t> D(54 + size_t(Stride) * uint32_t(H), 0);
  D[0] = 'B';
  D[1] = 'M';
  Put32(D, 2, static_cast<uint32_t>(D.size()));
  Put32(D, 10, 54);
  Put32(D, 14, 40);
  Put32(D, 18, static_cast<uint32_t>(W));
  Put32(D, 22, static_cast<uint32_t>(H));
  D[26] = 1;   // planes
  D[28] = 24;  // bits per pixel
  if (Pixels.empty()) return D;
  for (int32_t Y = 0; Y < H; ++Y) {
    uint8_t* Row = D.data() + 54 + size_t(Stride) * uint32_t(H - 1 - Y);
    for (int32_t X = 0; X < W; ++X) {
      const uint32_t P = Pixels[size_t(Y) * size_t(W) + size_t(X)];
      Row[X * 3] = static_cast<uint8_t>(P);
      Row[X * 3 + 1] = static_cast<uint8_t>(P >> 8);
      Row[X * 3 + 2] = static_cast<uint8_t>(P >> 16);
    }
  }
  return D;
}

// The pixels of an uncompressed 24- or 32-bit bitmap file; white for any other format or for
// data shorter than its header says.
std::vector<uint32_t> DecodeBitmap(const std::vector<uint8_t>& D, int32_t W, int32_t H) {
  std::vector<uint32_t> Pixels(size_t(W) * size_t(H), 0xFFFFFFFFu);
  if (D.size() < 54) return Pixels;
  const uint32_t Bits = U16(D, 28), Compression = U32(D, 30), Offset = U32(D, 10);
  const bool TopDown = static_cast<int32_t>(U32(D, 22)) < 0;
  if ((Bits != 24 && Bits != 32) || (Compression != 0 && Compression != 3)) return Pixels;
  const uint32_t Bytes = Bits / 8, Stride = (static_cast<uint32_t>(W) * Bytes + 3) & ~3u;
  if (Offset + size_t(Stride) * uint32_t(H) > D.size()) return Pixels;
  for (int32_t Y = 0; Y < H; ++Y) {
    const uint8_t* Row = D.data() + Offset + size_t(Stride) * uint32_t(TopDown ? Y : H - 1 - Y);
    for (int32_t X = 0; X < W; ++X) {
      const uint8_t* P = Row + size_t(X) * Bytes;
      Pixels[size_t(Y) * size_t(W) + size_t(X)] =
          0xFF000000u | uint32_t(P[2]) << 16 | uint32_t(P[1]) << 8 | P[0];
    }
  }
  return Pixels;
}

}  // namespace

void TBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
  if (AWidth <= 0 || AHeight <= 0) return Reset({}, 0, 0);
  Reset(EncodeBitmap24(AWidth, AHeight, {}), AWidth, AHeight);
}

std::vector<uint32_t>& TBitmap::Pixels() {
  if (FPixels.empty() && !Empty()) FPixels = DecodeBitmap(Data(), Width(), Height());
  return FPixels;
}

TColor TBitmap::Pixel(int32_t X, int32_t Y) {
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return clNone;
  const uint32_t P = Pixels()[size_t(Y) * size_t(Width()) + size_t(X)];
  // Pixels are 0xRRGGBB, colours 0xBBGGRR.
  return TColor(int32_t((P & 0xFF) << 16 | (P & 0xFF00) | (P >> 16 & 0xFF)));
}

void TBitmap::SetPixel(int32_t X, int32_t Y, TColor Color) {
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return;
  const uint32_t C = static_cast<uint32_t>(ColorToRGB(Color));
  Pixels()[size_t(Y) * size_t(Width()) + size_t(X)] =
      0xFF000000u | (C & 0xFF) << 16 | (C & 0xFF00) | (C >> 16 & 0xFF);
  PixelsChanged();
}

void TBitmap::PixelsChanged() {
  if (Empty()) return;
  std::vector<uint32_t> Keep = std::move(FPixels);
  Reset(EncodeBitmap24(Width(), Height(), Keep), Width(), Height());
  FPixels = std::move(Keep);
}

// ICONDIR (reserved 0, type 1, count) then the first ICONDIRENTRY (0 stands for 256).
bool TIcon::ParseHeader(const std::vector<uint8_t>& D, int32_t& W, int32_t& H) const {
  if (D.size() < 22 || U16(D, 0) != 0 || U16(D, 2) != 1 || U16(D, 4) == 0) return false;
  W = D[6] ? D[6] : 256;
  H = D[7] ? D[7] : 256;
  return true;
}

// EMF: the header record (type 1) with its bounds and the " EMF" signature at 40. WMF: the
// placeable header (key $9AC6CDD7) with its bounds in units of 1/inch.
bool TMetafile::ParseHeader(const std::vector<uint8_t>& D, int32_t& W, int32_t& H) const {
  if (D.size() >= 44 && U32(D, 0) == 1 && std::memcmp(&D[40], " EMF", 4) == 0) {
    FEnhanced = true;
    W = static_cast<int32_t>(U32(D, 16)) - static_cast<int32_t>(U32(D, 8)) + 1;
    H = static_cast<int32_t>(U32(D, 20)) - static_cast<int32_t>(U32(D, 12)) + 1;
    return W >= 0 && H >= 0;
  }
  if (D.size() >= 22 && U32(D, 0) == 0x9AC6CDD7u) {
    FEnhanced = false;
    const int32_t Inch = U16(D, 14) ? U16(D, 14) : 1440;
    W = MulDiv(static_cast<int16_t>(U16(D, 10)) - static_cast<int16_t>(U16(D, 6)), 96, Inch);
    H = MulDiv(static_cast<int16_t>(U16(D, 12)) - static_cast<int16_t>(U16(D, 8)), 96, Inch);
    return W >= 0 && H >= 0;
  }
  return false;
}

// ----- TPicture -------------------------------------------------------------------------------

TPicture::~TPicture() {
  if (FGraphic) FGraphic->Free();
}

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Replace(TGraphic* NewGraphic) {
  if (FGraphic) FGraphic->Free();
  FGraphic = NewGraphic;
  if (FGraphic) FGraphic->OnChange = [this](TGraphic*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) return Replace(nullptr);
  TOwned<TGraphic> Copy(static_cast<TGraphic*>(Value->ClassType()->Create<>()));
  Copy->Assign(Value);
  Replace(Copy.release());
}

template <class G>
G* TPicture::As() {
  if (auto* Existing = dynamic_cast<G*>(FGraphic)) return Existing;
  Replace(new G);
  return static_cast<G*>(FGraphic);
}

TBitmap* TPicture::Bitmap() { return As<TBitmap>(); }
TIcon* TPicture::Icon() { return As<TIcon>(); }
TMetafile* TPicture::Metafile() { return As<TMetafile>(); }

void TPicture::LoadFromFile(const String& FileName) {
  const String Ext = ExtensionOf(FileName);
  TClass C = GraphicClassOfExtension(Ext);
  if (!C) throw EInvalidGraphic(Format(SUnknownExtension, LowerCase(Ext)));
  TOwned<TGraphic> G(static_cast<TGraphic*>(C->Create<>()));
  G->LoadFromFile(FileName);
  Replace(G.release());
}

void TPicture::SaveToFile(const String& FileName) const {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) return SetGraphic(nullptr);
  if (auto* P = dynamic_cast<TPicture*>(Source)) return SetGraphic(P->FGraphic);
  if (auto* G = dynamic_cast<TGraphic*>(Source)) return SetGraphic(G);
  TPersistent::Assign(Source);
}

void TPicture::DefineProperties(TFiler* Filer) {
  auto* A = dynamic_cast<TPicture*>(Filer->Ancestor());
  // A picture cleared where its ancestor has one is written as an empty class name, so that the
  // cleared picture is kept (and reaches a descendant) rather than the ancestor's coming back.
  const bool Cleared = !FGraphic && A && A->FGraphic;
  const bool HasData = Cleared || (FGraphic && !(A && A->FGraphic && A->FGraphic->Equals(*FGraphic)) &&
                                   !(!A && FGraphic->Empty()));
  Filer->DefineBinaryProperty(
      "Data",
      [this](TStream* S) {
        uint8_t Len = 0;
        S->ReadBuffer(&Len, 1);
        if (Len == 0) return Replace(nullptr);
        String Name(Len, '\0');
        if (Len) S->ReadBuffer(Name.data(), Len);
        TClass C = GetClass(Name);
        if (!C || !C->InheritsFrom(TGraphic::StaticClass())) throw EInvalidGraphic(SInvalidGraphic);
        TOwned<TGraphic> G(static_cast<TGraphic*>(C->Create<>()));
        G->LoadFromStream(S);
        Replace(G.release());
      },
      [this](TStream* S) {
        if (!FGraphic) return S->WriteBuffer("", 1);
        const String& Name = FGraphic->ClassName();
        const uint8_t Len = static_cast<uint8_t>(std::min<size_t>(Name.size(), 255));
        S->WriteBuffer(&Len, 1);
        S->WriteBuffer(Name.data(), Len);
        FGraphic->SaveToStream(S);
      },
      HasData);
}

// ----- File format registry -------------------------------------------------------------------

void RegisterFileFormat(const String& Extension, const String& Description, TClass GraphicClass) {
  auto& F = Formats();
  for (auto& E : F)
    if (SameText(E.Extension, Extension)) {
      E = {LowerCase(Extension), Description, GraphicClass};
      return;
    }
  F.push_back({LowerCase(Extension), Description, GraphicClass});
}

void UnregisterGraphicClass(TClass GraphicClass) {
  auto& F = Formats();
  F.erase(std::remove_if(F.begin(), F.end(),
                         [&](const TFileFormat& E) { return E.GraphicClass->InheritsFrom(GraphicClass); }),
          F.end());
}

TClass GraphicClassOfExtension(std::string_view Extension) {
  for (const auto& E : Formats())
    if (SameText(E.Extension, Extension)) return E.GraphicClass;
  return nullptr;
}

String GraphicExtension(TClass GraphicClass) {
  for (const auto& E : Formats())
    if (E.GraphicClass->InheritsFrom(GraphicClass)) return E.Extension;
  return String();
}

String GraphicFileMask(TClass GraphicClass) {
  String R;
  for (const auto& E : Formats())
    if (E.GraphicClass->InheritsFrom(GraphicClass)) R += (R.empty() ? "*." : ";*.") + E.Extension;
  return R;
}

String GraphicFilter(TClass GraphicClass) {
  const String Mask = GraphicFileMask(GraphicClass);
  String R = "All (" + Mask + ")|" + Mask;
  for (const auto& E : Formats())
    if (E.GraphicClass->InheritsFrom(GraphicClass))
      R += "|" + E.Description + " (*." + E.Extension + ")|*." + E.Extension;
  return R;
}

}  // namespace formwright::orx
