// The reference host's designer window of a module: nothing is drawn, but it follows the
// module as a window would — it hears of the designer's opening, of every modification and of
// the designer options, can be shown and hidden, ends a drag in progress on request, and
// routes the IDE's edit commands to the module it shows. The form designer of its surface turns
// the mouse and keys the surface receives into selections, drags and moves of the module.
#pragma once

#include <functional>

#include "formdesigner/Designer.h"
#include "host/root/Surface.h"
#include "moduledesigner/RootIntf.h"

namespace formwright {

// The palette as a question: a tool is active while `ToolSelected` answers true.
class TOrxPaletteTools : public TInterfacedObject, public ITools {
  FW_CLASS(TOrxPaletteTools, TInterfacedObject)
 public:
  explicit TOrxPaletteTools(std::function<bool()> ToolSelected) : FToolSelected(std::move(ToolSelected)) {}
  bool ToolSelected() override { return FToolSelected && FToolSelected(); }

 private:
  std::function<bool()> FToolSelected;
};

class TOrxFormWindow : public TInterfacedObject, public IDesignerFormWindow, public IEditHandler {
  FW_CLASS(TOrxFormWindow, TInterfacedObject)
 public:
  // Designer handles the edit commands; Surface is the design surface the window shows. With a
  // selection list, a form designer over the surface, that list and `Tools` takes the surface's
  // input.
  TOrxFormWindow(IPtr<IDesigner> Designer, IPtr<TOrxDesignSurface> Surface,
                 IPtr<ISelections> Selections = nullptr, IPtr<ITools> Tools = nullptr);

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
  // Closes the form designer and lets go of the designer and the surface; edit commands do
  // nothing from then on.
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
  // The form designer of the surface (null without one, and once closed).
  const IPtr<TDesigner>& FormDesigner() const noexcept { return FFormDesigner; }

 private:
  IPtr<IDesigner> FDesigner;
  IPtr<TOrxDesignSurface> FSurface;
  IPtr<TDesigner> FFormDesigner;
  TDesignerOptions FOptions;
  bool FOpen = false;
  bool FVisible = true;
  int FPendingModifications = 0;
  int FModifications = 0;
  int FActivations = 0;
};

}  // namespace formwright
