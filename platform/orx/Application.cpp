#include "platform/orx/Application.h"

#include <algorithm>

#include "platform/orx/Forms.h"
#include "platform/runtime/Threads.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TApplicationEvents, "Orx.AppEvnts")

namespace {
// The current application, made and ended by TApplication like a scope.
TApplication* GCurrent = nullptr;
}  // namespace

TApplication* Application() noexcept { return GCurrent; }

TScreen* Screen() noexcept { return GCurrent ? GCurrent->Screen() : nullptr; }

void TScreen::Forget(const TComponent* Component) noexcept {
  for (TApplication* A = GCurrent; A; A = A->FOuter) {
    TScreen* S = A->Screen();
    const auto Is = [Component](const TComponent* C) { return C == Component; };
    std::erase_if(S->FForms, Is);
    std::erase_if(S->FDataModules, Is);
    if (Is(S->FActiveForm)) S->FActiveForm = nullptr;
  }
}

TApplication::TApplication() : FScreen(new TScreen(nullptr)), FOuter(GCurrent) { GCurrent = this; }

TApplication::~TApplication() {
  for (TApplicationEvents* E : FEvents) E->FApplication = nullptr;
  GCurrent = FOuter;
}

void TApplication::ProcessMessages() { CheckSynchronize(); }

bool TApplication::HandleMessage() {
  if (CheckSynchronize()) return true;
  Idle();
  return false;
}

bool TApplication::Idle() {
  bool Done = true;
  // A handler may free an events object: walk a copy and skip the ones gone meanwhile.
  const std::vector<TApplicationEvents*> Listeners = FEvents;
  for (TApplicationEvents* E : Listeners)
    if (std::find(FEvents.begin(), FEvents.end(), E) != FEvents.end() && E->FOnIdle) E->FOnIdle(E, Done);
  if (FOnIdle) FOnIdle(nullptr, Done);
  return Done;
}

void TApplication::DispatchPosted(TControl* Control, TMessage& Message) {
  bool Handled = false;
  const std::vector<TApplicationEvents*> Listeners = FEvents;
  for (TApplicationEvents* E : Listeners) {
    if (std::find(FEvents.begin(), FEvents.end(), E) == FEvents.end() || !E->FOnMessage) continue;
    E->FOnMessage(Message, Handled);
    if (Handled) return;
  }
  if (FOnMessage) FOnMessage(Message, Handled);
  if (Handled) return;
  if (Control->WindowProc)
    Control->WindowProc(Message);
  else
    Control->WndProc(Message);
}

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner), FApplication(Application()) {
  if (FApplication) FApplication->FEvents.push_back(this);
}

void TApplicationEvents::DeclarePublished(TClassBuilder<TApplicationEvents>& C) {
  C.Property("OnIdle", &TApplicationEvents::FOnIdle);
  C.Property("OnMessage", &TApplicationEvents::FOnMessage);
}

TApplicationEvents::~TApplicationEvents() {
  if (FApplication) std::erase(FApplication->FEvents, this);
}

}  // namespace formwright::orx
