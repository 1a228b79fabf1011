// The design notifications a host window of the package listens to: those of its own
// designer's opening and modifications.
#pragma once

#include <functional>

#include "contracts/DesignIntf.h"

namespace formwright {

// Registered as a design notification listener from construction until Detach (or its
// release): the opening of `Designer`'s module and every modification of it run `Update`;
// notices of other designers, insertions, deletions and selection changes are ignored.
class TDesignerListener : public TInterfacedObject, public IDesignNotification {
  FW_CLASS(TDesignerListener, TInterfacedObject)
 public:
  // Makes a listener and registers it.
  static IPtr<TDesignerListener> Listen(const IPtr<IDesigner>& Designer, std::function<void()> Update);
  // Unregisters the listener; Update is not called any more.
  void Detach();

  void ItemDeleted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemInserted(const IPtr<IDesigner>&, TPersistent*) override {}
  void SelectionChanged(const IPtr<IDesigner>&, const IPtr<IDesignerSelections>&) override {}
  void ItemsModified(const IPtr<IDesigner>& ADesigner) override { Notice(ADesigner); }
  void DesignerOpened(const IPtr<IDesigner>& ADesigner, bool) override { Notice(ADesigner); }
  void DesignerClosed(const IPtr<IDesigner>&, bool) override {}

 private:
  TDesignerListener(IDesigner* Designer, std::function<void()> Update)
      : FDesigner(Designer), FUpdate(std::move(Update)) {}
  void Notice(const IPtr<IDesigner>& ADesigner) {
    if (FUpdate && ADesigner.Get() == FDesigner) FUpdate();
  }

  IDesigner* FDesigner;  // compared only: the window keeps its designer alive
  std::function<void()> FUpdate;
};

}  // namespace formwright
