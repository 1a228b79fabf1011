// Image lists: equal-sized bitmaps kept under one index, the way tool buttons, menus and the
// designer's component icons share their pictures.
#pragma once

#include <vector>

#include "platform/orx/Pictures.h"

namespace formwright::orx {

// A list of bitmaps of one size (16 × 16 unless set). Images are copies: the list owns them.
class TImageList : public TComponent {
  FW_CLASS(TImageList, TComponent)
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;
  int32_t Width() const noexcept { return FWidth; }
  int32_t Height() const noexcept { return FHeight; }
  // Gives the list a new image size and empties it (its images no longer fit). Raises
  // EInvalidOperation ("Invalid image size") for a size below 1; the list keeps its own.
  void SetSize(int32_t AWidth, int32_t AHeight);
  int Count() const noexcept { return static_cast<int>(FImages.size()); }
  // Appends a copy of Image and returns its index. An image of another size raises
  // EInvalidOperation ("Invalid image size") and adds nothing.
  int Add(const TBitmap& Image);
  // Appends every Width-wide piece of a strip whose height is the list's and whose width is a
  // multiple of its width (a toolbar's image strip); the index of the first. Raises as Add
  // does for any other size.
  int AddStrip(const TBitmap& Strip);
  // Replaces or removes one image; a bad index raises EListError.
  void Replace(int Index, const TBitmap& Image);
  void Delete(int Index);
  void Clear();
  // The image at Index (EListError for a bad index).
  const TBitmap& Images(int Index) const;
  // Draws the image at Index with its top-left corner at (X, Y).
  void Draw(TCanvas& Canvas, int32_t X, int32_t Y, int Index) const;
  // Told after every change of the images or the size.
  std::function<void(TImageList*)> OnChange;

 private:
  void CheckSize(const TBitmap& Image) const;
  void CheckIndex(int Index) const;
  void Changed();
  int32_t FWidth = 16;
  int32_t FHeight = 16;
  std::vector<TOwned<TBitmap>> FImages;
};

}  // namespace formwright::orx
