// The window a module is designed in when its root is a windowed control that is not a form
// (a panel or a frame designed on its own): the control is placed into the window, which
// either follows the control's size or shows sizers with which the control is sized.
#pragma once

#include "moduledesigner/DesignerListener.h"
#include "platform/orx/ExtCtrls.h"
#include "platform/orx/Forms.h"

namespace formwright {

class TWinControlForm : public orx::TForm {
  FW_CLASS(TWinControlForm, orx::TForm)
 public:
  // The sizer shapes' tags: which edges of the control a drag on them moves.
  static constexpr int SizeWidth = 1;
  static constexpr int SizeHeight = 2;
  static constexpr int SizerSize = 5;

  // Places `Control` (the designed root) into a new window. Without sizers the control fills
  // the window; with them it keeps its place and three 5 x 5 handles at its right edge, bottom
  // edge and corner size it. The window listens to `Designer`'s opening and modifications.
  // Whoever asked for the window frees it, before the control goes; the control is then
  // taken out of the window, not freed with it.
  TWinControlForm(orx::TWinControl* Control, const IPtr<IDesigner>& Designer, bool ShowSizers);

  orx::TWinControl* Control() const noexcept { return FControl; }
  bool ShowSizers() const noexcept { return FShowSizers; }
  orx::TShape* WidthHandle() const noexcept { return FWidthHandle; }
  orx::TShape* HeightHandle() const noexcept { return FHeightHandle; }
  orx::TShape* SizeHandle() const noexcept { return FSizeHandle; }

  // Without sizers: the control takes the window's client size. Runs on every resize.
  void FormResize();
  // The module changed. Without sizers: the control goes to (0, 0), the window takes the
  // control's size plus its own frame and the control's name as caption. With sizers: the
  // handles follow the control.
  void Modified();
  // With sizers the three handles are shown at the control's right edge (Left + Width, Top),
  // bottom edge (Left, Top + Height) and corner; without, they are hidden.
  void UpdateSizers();

  // The handles' mouse events. A press on a handle starts a drag of the edges its tag names
  // and suspends the window's automatic scroll range; each move sizes the control by the
  // distance from the press (window coordinates) at its current position, and the handles
  // follow; the release ends the drag, restores the automatic range and, when the control's
  // size changed, tells the designer. The control's constraints have the last word on a size
  // (a drag past the left edge asks for a negative width).
  void SizerMouseDown(TObject* Sender, orx::TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void SizerMouseMove(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void SizerMouseUp(TObject* Sender, orx::TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  bool Dragging() const noexcept { return FDragEdges != 0; }

  void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  void BeforeDestruction() override;

 private:
  orx::TShape* MakeSizer(int Tag);
  // The point (X, Y) of `Sender` in the window's client coordinates.
  TPoint WindowPoint(TObject* Sender, int32_t X, int32_t Y) const;

  orx::TWinControl* FControl;
  IPtr<IDesigner> FDesigner;
  bool FShowSizers;
  orx::TShape* FWidthHandle = nullptr;
  orx::TShape* FHeightHandle = nullptr;
  orx::TShape* FSizeHandle = nullptr;
  IPtr<TDesignerListener> FListener;
  bool FUpdating = false;  // the window is following the control: FormResize leaves it alone
  // The sizer drag: the edges that move (SizeWidth | SizeHeight), where it started and the
  // control's size then.
  int FDragEdges = 0;
  TPoint FDragStart;
  TPoint FStartSize;
};

}  // namespace formwright
