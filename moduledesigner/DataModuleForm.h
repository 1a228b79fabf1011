// The window a data module is designed in: a form whose client area is a scrolling container
// of the module's non-visual components. The window's place, size and scroll position are the
// module's own: moving or sizing the window stores them in the module (and so in its file),
// and opening the module puts the window back where it was.
#pragma once

#include "moduledesigner/DesignerListener.h"
#include "platform/orx/Canvas.h"
#include "platform/orx/Forms.h"

namespace formwright {

// A data module's designer position (DesignInfo) packs Left in the low and Top in the high
// 16 bits, each signed.
TPoint DesignInfoToPoint(int32_t DesignInfo) noexcept;
int32_t PointToDesignInfo(TPoint Position) noexcept;

// The scrolling area of a data module's window in which its non-visual components are shown.
// Its ranges cover every component's icon; its canvas follows its colour and font.
class TComponentContainer : public orx::TScrollBox {
  FW_CLASS(TComponentContainer, orx::TScrollBox)
 public:
  explicit TComponentContainer(TComponent* AOwner);

  // The container's own canvas, ready to draw on: its font, a solid brush of its colour and
  // its client rectangle as the clip rectangle.
  orx::TCanvas* Canvas();
  // The size of a component's icon (what the ranges make room for); the host's surface
  // decides it. 28 x 28 until set.
  TSize IconSize() const noexcept { return FIconSize; }
  void SetIconSize(TSize Value) noexcept { FIconSize = Value; }
  // Sets the ranges to cover the icon of every non-visual component `Module` owns.
  void UpdateRanges(TComponent* Module);

  // The horizontal and vertical scroll messages: the bar scrolls to `Position` (kept within
  // its range) with the container's designing state switched off for the duration, as the
  // scroll bars of a designed control work only then; then OnScroll runs.
  void HorzScrollMessage(int32_t Position);
  void VertScrollMessage(int32_t Position);
  // Called after a scroll message moved a bar.
  orx::TNotifyEvent FOnScroll;

 private:
  void ScrollMessage(orx::TControlScrollBar* Bar, int32_t Position);

  TOwned<orx::TRecordingCanvas> FCanvas;
  TSize FIconSize{28, 28};
};

// The window of one data module, designed through `Designer`. It listens to the design
// notifications of that designer only: the designer's opening and every modification bring
// the window and the container's scroll ranges and positions up to date from the module;
// insertions, deletions and selection changes leave it alone.
class TDataModuleForm : public orx::TForm {
  FW_CLASS(TDataModuleForm, orx::TForm)
 public:
  // The window is not owned by the module nor by the designer; whoever asked for it frees it,
  // before the module goes.
  TDataModuleForm(TComponent* DataModule, const IPtr<IDesigner>& Designer);

  TComponent* DataModule() const noexcept { return FDataModule; }
  const IPtr<IDesigner>& Designer() const noexcept { return FDesigner; }
  TComponentContainer* Container() const noexcept { return FContainer; }

  // Stores the window's place in the module: its position as the module's DesignInfo and, for
  // a TDataModule, its size as DesignSize and the container's scroll positions as
  // DesignOffset. A change is a modification of the module. Runs on every move or resize.
  void FormResize();
  // Places the window, captions it with the module's name and scrolls the container as the
  // module says; the module is not modified by it.
  void UpdateFromModule();

  // Moving or sizing the window runs FormResize.
  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  // The module going away leaves the window without one (it then stores nothing).
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void BeforeDestruction() override;

 private:
  void ContainerScrolled(TObject*) { FormResize(); }

  TComponent* FDataModule;
  IPtr<IDesigner> FDesigner;
  TComponentContainer* FContainer = nullptr;
  IPtr<TDesignerListener> FListener;
  bool FPlacing = false;  // the window follows the module: nothing is stored
};

}  // namespace formwright
