#include "moduledesigner/DataModuleForm.h"

#include <algorithm>

#include "platform/runtime/Scoped.h"

namespace formwright {

FW_REGISTER_CLASS(TComponentContainer, "DataModuleForm")
FW_REGISTER_CLASS(TDataModuleForm, "DataModuleForm")

using namespace orx;

TPoint DesignInfoToPoint(int32_t DesignInfo) noexcept {
  const auto Bits = static_cast<uint32_t>(DesignInfo);
  return {static_cast<int16_t>(Bits & 0xFFFF), static_cast<int16_t>(Bits >> 16)};
}

int32_t PointToDesignInfo(TPoint Position) noexcept {
  const uint32_t Left = static_cast<uint16_t>(Position.X);
  const uint32_t Top = static_cast<uint16_t>(Position.Y);
  return static_cast<int32_t>(Left | (Top << 16));
}

// ----- TComponentContainer --------------------------------------------------------------------

TComponentContainer::TComponentContainer(TComponent* AOwner)
    : TScrollBox(AOwner), FCanvas(new TRecordingCanvas) {
  SetBorderStyle(bsNone);
  SetAlign(alClient);
  // The ranges follow the module's components, not child controls (it has none).
  SetAutoScroll(false);
}

TCanvas* TComponentContainer::Canvas() {
  PrepareCanvas(FCanvas.get(), this);
  return FCanvas.get();
}

void TComponentContainer::UpdateRanges(TComponent* Module) {
  int32_t Right = 0, Bottom = 0;
  if (Module)
    for (int I = 0; I < Module->ComponentCount(); ++I) {
      TComponent* C = Module->Components(I);
      if (C->HasParent()) continue;  // a control is not shown as an icon
      const TPoint P = DesignInfoToPoint(C->DesignInfo());
      Right = std::max(Right, P.X + FIconSize.cx);
      Bottom = std::max(Bottom, P.Y + FIconSize.cy);
    }
  HorzScrollBar()->SetRange(Right);
  VertScrollBar()->SetRange(Bottom);
}

void TComponentContainer::HorzScrollMessage(int32_t Position) { ScrollMessage(HorzScrollBar(), Position); }

void TComponentContainer::VertScrollMessage(int32_t Position) { ScrollMessage(VertScrollBar(), Position); }

void TComponentContainer::ScrollMessage(TControlScrollBar* Bar, int32_t Position) {
  const bool Designing = ComponentState().Contains(csDesigning);
  {
    SetDesigning(false, false);
    TScopeExit Restore([&] { SetDesigning(Designing, false); });
    Bar->SetPosition(Position);
  }
  if (FOnScroll) FOnScroll(this);
}

// ----- TDataModuleForm ------------------------------------------------------------------------

TDataModuleForm::TDataModuleForm(TComponent* DataModule, const IPtr<IDesigner>& Designer)
    : TForm(nullptr), FDataModule(DataModule), FDesigner(Designer) {
  FContainer = new TComponentContainer(this);
  FContainer->SetParent(this);
  FContainer->SetDesigning(true, false);  // clicks in it go to the designer
  FContainer->FOnScroll =
      TNotifyEvent(TNotifyEvent::Bind<&TDataModuleForm::ContainerScrolled>(this).Method());
  if (FDataModule) FDataModule->FreeNotification(this);
  UpdateFromModule();
  FListener = TDesignerListener::Listen(FDesigner, [this] { UpdateFromModule(); });
}

void TDataModuleForm::BeforeDestruction() {
  if (FListener) FListener->Detach();
  if (FDataModule) FDataModule->RemoveFreeNotification(this);
  FDataModule = nullptr;
  TForm::BeforeDestruction();
}

void TDataModuleForm::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataModule) FDataModule = nullptr;
}

void TDataModuleForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  TForm::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FPlacing && FContainer) FormResize();
}

void TDataModuleForm::FormResize() {
  if (!FDataModule || FPlacing) return;
  bool Changed = false;
  const int32_t Info = PointToDesignInfo({Left(), Top()});
  if (FDataModule->DesignInfo() != Info) {
    FDataModule->SetDesignInfo(Info);
    Changed = true;
  }
  if (auto* Module = As<TDataModule>(FDataModule)) {
    const TPoint Size{Width(), Height()};
    const TPoint Offset{FContainer->HorzScrollBar()->Position(), FContainer->VertScrollBar()->Position()};
    Changed = Changed || Module->DesignSize() != Size || Module->DesignOffset() != Offset;
    Module->SetDesignSize(Size);
    Module->SetDesignOffset(Offset);
  }
  // Where the window stands is saved with the module, so moving it is a change to the module.
  if (Changed && FDesigner) FDesigner->Modified();
}

void TDataModuleForm::UpdateFromModule() {
  if (!FDataModule) return;
  TValueScope Placing(FPlacing, true);
  const TPoint P = DesignInfoToPoint(FDataModule->DesignInfo());
  auto* Module = As<TDataModule>(FDataModule);
  const TPoint Size = Module ? Module->DesignSize() : TPoint{Width(), Height()};
  SetBounds(P.X, P.Y, Size.X, Size.Y);
  SetCaption(FDataModule->Name());
  FContainer->UpdateRanges(FDataModule);
  if (Module) {
    FContainer->HorzScrollBar()->SetPosition(Module->DesignOffset().X);
    FContainer->VertScrollBar()->SetPosition(Module->DesignOffset().Y);
  }
}

}  // namespace formwright
