#include "platform/orx/Messages.h"

#include "platform/orx/Application.h"
#include "platform/runtime/Threads.h"

namespace formwright::orx {

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  if (WindowProc)
    WindowProc(Message);
  else
    WndProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) { Message.Result = 0; }

void PostMessage(TControl* Control, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  if (!Control) throw EInvalidArgument("A message needs a control to go to");
  // The control tags the call, so freeing it withdraws the call (TControl's destructor).
  Post(Control, [Control, Msg, WParam, LParam] {
    TMessage Message{Msg, WParam, LParam, 0};
    if (TApplication* App = Application())
      App->DispatchPosted(Control, Message);
    else
      Control->Perform(Msg, WParam, LParam);
  });
}

}  // namespace formwright::orx
