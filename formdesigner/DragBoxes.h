// The drag boxes of the form designer: the outlines and rubber bands shown while the user drags,
// drawn by exclusive-or so that drawing a box a second time takes it off the picture again.
//
// `TXorDragBoxes` keeps the boxes of one drag and decides when each is drawn and erased; the
// drawing of one box is the surface's (`IDragBoxPainter`): on a real surface an exclusive-or
// rectangle on its bitmap, headless a record of what is shown.
#pragma once

#include <vector>

#include "formdesigner/SurfaceIntf.h"

namespace formwright {

// Draws one drag box on a surface by exclusive-or: drawing the same box twice leaves the
// surface as it was before. `Image` is the drag image shown in the box (may be null).
struct IDragBoxPainter : virtual IInterface {
  FW_INTERFACE(IDragBoxPainter, IInterface, "{F3A6C2D0-5B1E-4C7A-9D20-6E8B1000000A}")
  virtual void DrawBox(const TRect& Rect, TDesignBoxStyle Style, const IPtr<IDragImage>& Image) = 0;
};

// The boxes of one drag in three parallel arrays (rectangles, styles, drag images) that start
// with room for one box and double when full. Every box on the list is shown: Add draws it,
// Change and MoveBy erase and redraw, Done erases all and empties the list.
class TXorDragBoxes : public TInterfacedObject, public IDragBoxesEx {
  FW_CLASS(TXorDragBoxes, TInterfacedObject)
 public:
  // `Painter` must not be null.
  explicit TXorDragBoxes(IPtr<IDragBoxPainter> Painter);

  // Stores and draws the box; returns its index.
  int Add(const TRect& Rect, TDesignBoxStyle Style, TDragAction Action) override;
  // An item that draws itself is shown at its bounds, by its drag image when it has one.
  int Add(const IPtr<IItem2D>& Item, TDragAction Action) override;
  // A drag image shown in an item box at `Rect`.
  int Add(const IPtr<IDragImage>& Image, const TRect& Rect, TDragAction Action) override;
  // Raises EListError for a bad index, drawing nothing.
  void Change(int Index, const TRect& Rect, TDragAction Action) override;
  void MoveBy(int DX, int DY, TDragAction Action) override;
  void Done() override;
  // Nothing to undo: the boxes are erased by Done.
  void CancelDrag() override {}

  int Count() const noexcept { return FCount; }
  int Capacity() const noexcept { return static_cast<int>(FRects.size()); }
  const TRect& Rects(int Index) const;
  // The union of all rectangles; with no box, Left = Top = 2147483647 and
  // Right = Bottom = -2147483647.
  TRect BoundingRect() const noexcept;

 private:
  int Store(const TRect& Rect, TDesignBoxStyle Style, const IPtr<IDragImage>& Image);
  void Draw(int Index);
  void CheckIndex(int Index) const;

  IPtr<IDragBoxPainter> FPainter;
  std::vector<TRect> FRects;
  std::vector<TDesignBoxStyle> FStyles;
  std::vector<IPtr<IDragImage>> FImages;
  int FCount = 0;
};

}  // namespace formwright
