#include "platform/orx/ImgList.h"

#include "platform/runtime/RtlConsts.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TImageList, "Orx.ImgList")

namespace {
constexpr const char* SInvalidImageSize = "Invalid image size";
}  // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int32_t AWidth, int32_t AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidOperation(SInvalidImageSize);
  FWidth = AWidth;
  FHeight = AHeight;
  FImages.clear();
  Changed();
}

void TImageList::CheckSize(const TBitmap& Image) const {
  if (Image.Width() != FWidth || Image.Height() != FHeight) throw EInvalidOperation(SInvalidImageSize);
}

void TImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
}

int TImageList::Add(const TBitmap& Image) {
  CheckSize(Image);
  TOwned<TBitmap> Copy(new TBitmap);
  Copy->SetData(Image.Data());
  FImages.push_back(std::move(Copy));
  Changed();
  return Count() - 1;
}

int TImageList::AddStrip(const TBitmap& Strip) {
  if (Strip.Height() != FHeight || Strip.Width() < FWidth || Strip.Width() % FWidth != 0)
    throw EInvalidOperation(SInvalidImageSize);
  TBitmap Whole;
  Whole.SetData(Strip.Data());
  const std::vector<uint32_t>& From = Whole.Pixels();
  const int First = Count();
  for (int32_t Left = 0; Left < Strip.Width(); Left += FWidth) {
    TOwned<TBitmap> Piece(new TBitmap);
    Piece->SetSize(FWidth, FHeight);
    std::vector<uint32_t>& To = Piece->Pixels();
    for (int32_t Y = 0; Y < FHeight; ++Y)
      for (int32_t X = 0; X < FWidth; ++X)
        To[size_t(Y) * size_t(FWidth) + size_t(X)] =
            From[size_t(Y) * size_t(Strip.Width()) + size_t(Left + X)];
    Piece->PixelsChanged();
    FImages.push_back(std::move(Piece));
  }
  Changed();
  return First;
}

void TImageList::Replace(int Index, const TBitmap& Image) {
  CheckIndex(Index);
  CheckSize(Image);
  FImages[size_t(Index)]->SetData(Image.Data());
  Changed();
}

void TImageList::Delete(int Index) {
  CheckIndex(Index);
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

const TBitmap& TImageList::Images(int Index) const {
  CheckIndex(Index);
  return *FImages[size_t(Index)];
}

void TImageList::Draw(TCanvas& Canvas, int32_t X, int32_t Y, int Index) const {
  Canvas.Draw(X, Y, &Images(Index));
}

}  // namespace formwright::orx
