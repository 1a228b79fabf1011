// The application: the screen, the message loop's idle moments and the application-events
// objects that listen to them.
//
// A program (or a test) makes one TApplication for its run; it becomes the current one and
// the one that was current before comes back when it goes, so applications nest like scopes.
// Forms and data modules are listed by the screen of the application current when they are
// made. Posted messages and the calls other threads queue for the main thread wait in one
// queue; `ProcessMessages` runs them, and the idle event tells listeners that the queue is
// empty (`HandleMessage` does one or the other, as one turn of a message loop).
#pragma once

#include <vector>

#include "platform/orx/Screen.h"

namespace formwright::orx {

class TApplicationEvents;

// Told when the message queue is empty. A handler that has more to do sets Done to false,
// and the loop gives it another idle moment at once (Done starts true).
FW_EVENT(TIdleEvent, void(TObject*, bool&), "(Sender: TObject; var Done: Boolean)")
// Told of each posted message before its control receives it; a handler that sets Handled
// takes it, and the control never sees it.
FW_EVENT(TMessageEvent, void(TMessage&, bool&), "(var Msg: TMessage; var Handled: Boolean)")

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  TScreen* Screen() const noexcept { return FScreen.get(); }

  // Runs, in the order they arrived, the posted messages and queued calls that are waiting
  // when it is called (those they post wait for the next call), then returns. An exception
  // from a handler leaves it; the messages after it stay queued. Main thread only.
  void ProcessMessages();
  // One turn of a message loop: processes the waiting messages, or, when none was waiting,
  // has an idle moment. Answers whether a message ran.
  bool HandleMessage();
  // An idle moment: the idle event of every application-events object, in the order they
  // were made, then OnIdle. Answers Done: false when a handler asked for another moment.
  bool Idle();

  // Listeners of the application itself (not a component's: for the program's own use).
  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;

  // Hands a posted message to the OnMessage listeners, then to its control unless one took it.
  // PostMessage's queued call ends here.
  void DispatchPosted(TControl* Control, TMessage& Message);

 private:
  friend class TApplicationEvents;
  friend class TScreen;
  TOwned<TScreen> FScreen;
  std::vector<TApplicationEvents*> FEvents;
  TApplication* FOuter;
};

// The current application; null while none is made.
TApplication* Application() noexcept;

// A component that listens to the current application's events: drop one on a form or make
// one in code and set its handlers. It listens to the application current when it was made,
// until it is freed (or the application ends first).
class TApplicationEvents : public TComponent {
  FW_CLASS(TApplicationEvents, TComponent)
 public:
  explicit TApplicationEvents(TComponent* AOwner);
  ~TApplicationEvents() override;
  static void DeclarePublished(TClassBuilder<TApplicationEvents>& C);
  // The application it listens to; null when there was none or it has ended.
  TApplication* Listening() const noexcept { return FApplication; }

  TIdleEvent FOnIdle;
  TMessageEvent FOnMessage;

 private:
  friend class TApplication;
  TApplication* FApplication;
};

}  // namespace formwright::orx
