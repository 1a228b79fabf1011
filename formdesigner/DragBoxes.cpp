#include "formdesigner/DragBoxes.h"

#include <algorithm>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TXorDragBoxes, "FormDesigner.DragBoxes")

TXorDragBoxes::TXorDragBoxes(IPtr<IDragBoxPainter> Painter) : FPainter(std::move(Painter)) {
  if (!FPainter) throw EInvalidArgument("Drag boxes need a painter");
}

int TXorDragBoxes::Store(const TRect& Rect, TDesignBoxStyle Style, const IPtr<IDragImage>& Image) {
  if (FCount == Capacity()) {
    const size_t Grown = FRects.empty() ? 1 : FRects.size() * 2;
    FRects.resize(Grown);
    FStyles.resize(Grown);
    FImages.resize(Grown);
  }
  const int Index = FCount++;
  const auto I = static_cast<size_t>(Index);
  FRects[I] = Rect;
  FStyles[I] = Style;
  FImages[I] = Image;
  Draw(Index);
  return Index;
}

int TXorDragBoxes::Add(const TRect& Rect, TDesignBoxStyle Style, TDragAction Action) {
  return Store(Rect, Style, nullptr);
}

int TXorDragBoxes::Add(const IPtr<IDragImage>& Image, const TRect& Rect, TDragAction Action) {
  return Store(Rect, dbsItem, Image);
}

int TXorDragBoxes::Add(const IPtr<IItem2D>& Item, TDragAction Action) {
  const IPtr<IItem> Dragged = Item ? Item->GetDraggedItem() : nullptr;
  return Store(Dragged ? Dragged->GetBoundsRect() : TRect{}, dbsItem, Supports<IDragImage>(Dragged));
}

void TXorDragBoxes::CheckIndex(int Index) const {
  if (Index < 0 || Index >= FCount) throw EListError(Format(SListIndexError, Index));
}

const TRect& TXorDragBoxes::Rects(int Index) const {
  CheckIndex(Index);
  return FRects[static_cast<size_t>(Index)];
}

void TXorDragBoxes::Draw(int Index) {
  const auto I = static_cast<size_t>(Index);
  FPainter->DrawBox(FRects[I], FStyles[I], FImages[I]);
}

void TXorDragBoxes::Change(int Index, const TRect& Rect, TDragAction Action) {
  CheckIndex(Index);
  Draw(Index);
  FRects[static_cast<size_t>(Index)] = Rect;
  Draw(Index);
}

void TXorDragBoxes::MoveBy(int DX, int DY, TDragAction Action) {
  for (int I = 0; I < FCount; ++I) Draw(I);
  for (int I = 0; I < FCount; ++I) FRects[static_cast<size_t>(I)].Offset(DX, DY);
  for (int I = 0; I < FCount; ++I) Draw(I);
}

void TXorDragBoxes::Done() {
  for (int I = 0; I < FCount; ++I) Draw(I);
  std::fill(FImages.begin(), FImages.end(), nullptr);
  FCount = 0;
}

TRect TXorDragBoxes::BoundingRect() const noexcept {
  TRect R{2147483647, 2147483647, -2147483647, -2147483647};
  for (int I = 0; I < FCount; ++I) {
    const TRect& B = FRects[static_cast<size_t>(I)];
    R.Left = std::min(R.Left, B.Left);
    R.Top = std::min(R.Top, B.Top);
    R.Right = std::max(R.Right, B.Right);
    R.Bottom = std::max(R.Bottom, B.Bottom);
  }
  return R;
}

}  // namespace formwright
