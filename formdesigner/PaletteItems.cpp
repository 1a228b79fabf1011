#include "formdesigner/PaletteItems.h"

#include "platform/runtime/TypInfo.h"

namespace formwright {

FW_REGISTER_CLASS(TClassPaletteItem, "PaletteItems")

TComponent* TClassPaletteItem::CreateComponent(TComponent* Owner, TComponent* Parent, const TRect& Rect,
                                               const IPtr<IDesignEnvironment>& Environment) {
  return static_cast<TComponent*>(FComponentClass->Create<TComponent*>(Owner));
}

}  // namespace formwright
