// Modal forms without a person at the screen. ShowModal hands the live form, shown, to the
// current modal player: the code that stands in for the person. A test or a tool installs one
// for a stretch of its run (TModalPlayerScope) and plays the dialog as a person would: reads
// captions and enabled states, checks a choice, picks an item, clicks a button. Whatever the
// player leaves undecided, and every modal form shown while no player is installed, ends as
// if Cancel had been pressed: a modal form never blocks.
#pragma once

#include <functional>

#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::orx {

// Plays one modal form. It ends the form by giving it a modal result (clicking a button that
// has one, or setting it); returning without one cancels the form. An exception leaves
// ShowModal with the form hidden again.
using TModalPlayer = std::function<void(TCustomForm& Form)>;

// Installs Player for its lifetime; the player installed before comes back when it ends, so
// scopes nest. The player is the application's one: every modal form shown meanwhile goes to
// it, whoever shows it.
class TModalPlayerScope {
 public:
  explicit TModalPlayerScope(TModalPlayer Player);
  ~TModalPlayerScope();
  TModalPlayerScope(const TModalPlayerScope&) = delete;
  TModalPlayerScope& operator=(const TModalPlayerScope&) = delete;
  const TModalPlayer& Player() const noexcept { return FPlayer; }

 private:
  TModalPlayer FPlayer;
  TModalPlayerScope* FOuter;
};

// Shows Form modally: its modal result is cleared, it is shown, the current player plays it,
// and it is hidden again. The result is the form's modal result, mrCancel when none was given.
TModalResult ShowModal(TCustomForm& Form);

// The first control of Form (at any depth) whose Caption is Caption, ignoring a "&" accelerator
// mark; null when there is none. Players find the buttons and choices they click with it.
TControl* FindControlByCaption(TWinControl& Form, const String& Caption);

// Clicks the button of Form captioned Caption (see FindControlByCaption). Raises
// EInvalidOperation when there is none or it is disabled or hidden: a person could not click it.
void ClickButton(TCustomForm& Form, const String& Caption);

}  // namespace formwright::orx
