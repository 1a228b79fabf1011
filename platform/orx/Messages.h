// Window messages of the Orx framework: a message record that a control handles in its
// `WndProc`, sent at once with `Perform` or posted to the main thread's queue with `PostMessage`
// and handled when the application processes its messages (TApplication, Application.h).
#pragma once

#include <cstdint>
#include <functional>

namespace formwright::orx {

class TControl;

// One message: what it is (`Msg`), its two arguments and the answer its handler gives.
struct TMessage {
  uint32_t Msg = 0;
  uintptr_t WParam = 0;
  intptr_t LParam = 0;
  intptr_t Result = 0;
};

// A message that does nothing: handlers answer 0; useful to wake a queue.
inline constexpr uint32_t WM_NULL = 0x0000;
// Asks a form to close as its close button does (TCustomForm::Close).
inline constexpr uint32_t WM_CLOSE = 0x0010;
// The first message number free for a component's own messages.
inline constexpr uint32_t WM_USER = 0x0400;
// The first message number of the framework's own notifications between controls.
inline constexpr uint32_t CM_BASE = 0xB000;

// The handler a control's messages go through (TControl::WindowProc).
using TWndMethod = std::function<void(TMessage& Message)>;

// Queues Msg for Control and returns at once, also on the main thread: the control's
// WindowProc handles it when the application next processes its messages. A control freed
// before then never receives it. Safe to call from any thread.
void PostMessage(TControl* Control, uint32_t Msg, uintptr_t WParam = 0, intptr_t LParam = 0);

}  // namespace formwright::orx
