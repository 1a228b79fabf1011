// Event signatures as the designer hands them to a module's source: those of framework events.
#pragma once

#include "contracts/DesignIntf.h"
#include "platform/orx/StdCtrls.h"

namespace formwright {

// procedure(Sender: TObject)
inline IPtr<IEventInfo> NotifyEvent() {
  return MakeIntf<TEventInfo>(GetPropInfo(orx::TButton::StaticClass(), "OnClick"));
}

// procedure(Sender: TObject; var Key: Char)
inline IPtr<IEventInfo> KeyPressEvent() {
  return MakeIntf<TEventInfo>(GetPropInfo(orx::TButton::StaticClass(), "OnKeyPress"));
}

}  // namespace formwright
