// The reference host's designer window of a module: nothing is drawn, but it follows the
// module as a window would — it hears of the designer's opening, of every modification and of
// the designer options, can be shown and hidden, ends a drag in progress on request, and
// routes the IDE's edit commands to the module it shows.
#pragma once

#include "host/root/Surface.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

class TOrxFormWindow : public TInterfacedObject, public IDesignerFormWindow, public IEditHandler {
  FW_CLASS(TOrxFormWindow, TInterfacedObject)
 public:
  // Designer handles the edit commands; Surface is the design surface the window shows.
  TOrxFormWindow(IPtr<IDesigner> Designer, IPtr<TOrxDesignSurface> Surface);

  // ----- IDesignerFormWindow
  void DesignerOpening(bool Resurrecting) override {}
  void DesignerOpened(bool Resurrecting) override { FOpen = true; }
  void BeforeModified() override { ++FPendingModifications; }
  // A modification is complete once both of its notices arrived.
  void AfterModified() override;
  void OptionsChanged(const TDesignerOptions& Options) override { FOptions = Options; }
  void ShowWindow(bool Show) override { FVisible = Show; }
  // Ends a drag of the surface's form designer, when one is under way.
  void CancelModes() override;
  void Activate() override { ++FActivations; }
  // Lets go of the designer and the surface; edit commands do nothing from then on.
  void Close() override;

  // ----- IEditHandler: the module's own edit commands
  void EditAction(TEditAction Action) override;
  TEditState GetEditState() override;

  // ----- what a window would show
  bool IsOpen() const noexcept { return FOpen; }
  bool IsVisible() const noexcept { return FVisible; }
  // Modifications whose notices both arrived.
  int Modifications() const noexcept { return FModifications; }
  const TDesignerOptions& Options() const noexcept { return FOptions; }
  int Activations() const noexcept { return FActivations; }

 private:
  IPtr<IDesigner> FDesigner;
  IPtr<TOrxDesignSurface> FSurface;
  TDesignerOptions FOptions;
  bool FOpen = false;
  bool FVisible = true;
  int FPendingModifications = 0;
  int FModifications = 0;
  int FActivations = 0;
};

}  // namespace formwright
