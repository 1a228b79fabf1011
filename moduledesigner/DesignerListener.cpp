#include "moduledesigner/DesignerListener.h"

namespace formwright {

FW_REGISTER_CLASS(TDesignerListener, "DesignerListener")

IPtr<TDesignerListener> TDesignerListener::Listen(const IPtr<IDesigner>& Designer,
                                                  std::function<void()> Update) {
  IPtr<TDesignerListener> L(new TDesignerListener(Designer.Get(), std::move(Update)));
  RegisterDesignNotification(L);
  return L;
}

void TDesignerListener::Detach() {
  if (!FUpdate) return;
  FUpdate = nullptr;
  UnregisterDesignNotification(IPtr<IDesignNotification>(this));
}

}  // namespace formwright
