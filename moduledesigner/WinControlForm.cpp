#include "moduledesigner/WinControlForm.h"

#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TWinControlForm, "WinControlForm")

using namespace orx;

TWinControlForm::TWinControlForm(TWinControl* Control, const IPtr<IDesigner>& Designer, bool ShowSizers)
    : TForm(nullptr), FControl(Control), FDesigner(Designer), FShowSizers(ShowSizers) {
  if (FShowSizers) {
    FWidthHandle = MakeSizer(SizeWidth);
    FHeightHandle = MakeSizer(SizeHeight);
    FSizeHandle = MakeSizer(SizeWidth | SizeHeight);
  }
  if (FControl) {
    FControl->FreeNotification(this);
    FControl->SetParent(this);
  }
  Modified();
  FListener = TDesignerListener::Listen(FDesigner, [this] { Modified(); });
}

TShape* TWinControlForm::MakeSizer(int Tag) {
  auto* S = new TShape(this);
  S->SetTag(Tag);
  S->Brush()->SetColor(clBlack);
  S->SetBounds(0, 0, SizerSize, SizerSize);
  S->SetVisible(false);
  S->SetParent(this);
  S->FOnMouseDown = TMouseEvent(TMouseEvent::Bind<&TWinControlForm::SizerMouseDown>(this).Method());
  S->FOnMouseMove = TMouseMoveEvent(TMouseMoveEvent::Bind<&TWinControlForm::SizerMouseMove>(this).Method());
  S->FOnMouseUp = TMouseEvent(TMouseEvent::Bind<&TWinControlForm::SizerMouseUp>(this).Method());
  return S;
}

void TWinControlForm::BeforeDestruction() {
  if (FListener) FListener->Detach();
  if (FControl) {
    FControl->RemoveFreeNotification(this);
    if (FControl->Parent() == this) FControl->SetParent(nullptr);
    FControl = nullptr;
  }
  if (Dragging()) EnableAutoRange();
  FDragEdges = 0;
  TForm::BeforeDestruction();
}

void TWinControlForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FControl) FControl = nullptr;
  if (AComponent == FWidthHandle) FWidthHandle = nullptr;
  if (AComponent == FHeightHandle) FHeightHandle = nullptr;
  if (AComponent == FSizeHandle) FSizeHandle = nullptr;
}

void TWinControlForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  TForm::SetBounds(ALeft, ATop, AWidth, AHeight);
  FormResize();
}

void TWinControlForm::FormResize() {
  if (FShowSizers || FUpdating || !FControl) return;
  TValueScope Updating(FUpdating, true);
  FControl->SetBounds(FControl->Left(), FControl->Top(), ClientWidth(), ClientHeight());
}

void TWinControlForm::Modified() {
  if (!FControl) return;
  if (FShowSizers) return UpdateSizers();
  TValueScope Updating(FUpdating, true);
  FControl->SetBounds(0, 0, FControl->Width(), FControl->Height());
  SetBounds(Left(), Top(), FControl->Width() + Width() - ClientWidth(),
            FControl->Height() + Height() - ClientHeight());
  SetCaption(FControl->Name());
}

void TWinControlForm::UpdateSizers() {
  const bool Show = FShowSizers && FControl;
  const TRect R = FControl ? FControl->BoundsRect() : TRect{};
  auto Place = [&](TShape* S, int32_t X, int32_t Y) {
    if (!S) return;
    S->SetVisible(Show);
    if (!Show) return;
    S->SetDesigning(false, false);
    S->SetBounds(X, Y, SizerSize, SizerSize);
  };
  Place(FWidthHandle, R.Right, R.Top);
  Place(FHeightHandle, R.Left, R.Bottom);
  Place(FSizeHandle, R.Right, R.Bottom);
}

TPoint TWinControlForm::WindowPoint(TObject* Sender, int32_t X, int32_t Y) const {
  auto* C = As<TControl>(Sender);
  return C ? TPoint{C->Left() + X, C->Top() + Y} : TPoint{X, Y};
}

void TWinControlForm::SizerMouseDown(TObject* Sender, TMouseButton, TShiftState, int32_t X, int32_t Y) {
  auto* S = As<TShape>(Sender);
  if (!S || !FControl || Dragging()) return;
  FDragEdges = S->Tag() & (SizeWidth | SizeHeight);
  if (!Dragging()) return;
  FDragStart = WindowPoint(Sender, X, Y);
  FStartSize = {FControl->Width(), FControl->Height()};
  DisableAutoRange();
}

void TWinControlForm::SizerMouseMove(TObject* Sender, TShiftState, int32_t X, int32_t Y) {
  if (!Dragging() || !FControl) return;
  const TPoint P = WindowPoint(Sender, X, Y);
  const int32_t W = FDragEdges & SizeWidth ? FStartSize.X + (P.X - FDragStart.X) : FControl->Width();
  const int32_t H = FDragEdges & SizeHeight ? FStartSize.Y + (P.Y - FDragStart.Y) : FControl->Height();
  FControl->SetBounds(FControl->Left(), FControl->Top(), W, H);
  UpdateSizers();
}

void TWinControlForm::SizerMouseUp(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
  if (!Dragging()) return;
  FDragEdges = 0;
  EnableAutoRange();
  // The control's size is part of the design: a changed one is a modification.
  if (FControl && FDesigner && TPoint{FControl->Width(), FControl->Height()} != FStartSize)
    FDesigner->Modified();
}

}  // namespace formwright
