#include "platform/orx/ModalForms.h"

#include "platform/runtime/Scoped.h"

namespace formwright::orx {

namespace {
// The innermost installed player scope. Players are installed by scopes only, on the main
// thread, and every scope restores the one before it, so this is the top of a stack that lives
// on the callers' frames.
TModalPlayerScope*& CurrentScope() noexcept {
  static TModalPlayerScope* Current = nullptr;
  return Current;
}

String WithoutAccelerator(const String& Caption) {
  String R;
  for (size_t I = 0; I < Caption.size(); ++I) {
    if (Caption[I] == '&' && I + 1 < Caption.size()) ++I;
    R += Caption[I];
  }
  return R;
}
}  // namespace

TModalPlayerScope::TModalPlayerScope(TModalPlayer Player)
    : FPlayer(std::move(Player)), FOuter(std::exchange(CurrentScope(), this)) {}

TModalPlayerScope::~TModalPlayerScope() { CurrentScope() = FOuter; }

TModalResult ShowModal(TCustomForm& Form) {
  Form.SetModalResult(mrNone);
  Form.Show();
  TScopeExit Hide([&Form] { Form.Hide(); });
  // The player of the scope current now plays the form, and a nested modal form it opens goes to
  // the same player.
  if (TModalPlayerScope* Scope = CurrentScope(); Scope && Scope->Player()) Scope->Player()(Form);
  if (Form.ModalResult() == mrNone) Form.SetModalResult(mrCancel);
  return Form.ModalResult();
}

TControl* FindControlByCaption(TWinControl& Form, const String& Caption) {
  const String Wanted = WithoutAccelerator(Caption);
  for (int I = 0; I < Form.ControlCount(); ++I) {
    TControl* C = Form.Controls(I);
    if (WithoutAccelerator(C->Caption()) == Wanted) return C;
    if (auto* W = dynamic_cast<TWinControl*>(C))
      if (TControl* Inner = FindControlByCaption(*W, Caption)) return Inner;
  }
  return nullptr;
}

void ClickButton(TCustomForm& Form, const String& Caption) {
  auto* Button = dynamic_cast<TButtonControl*>(FindControlByCaption(Form, Caption));
  if (!Button) throw EInvalidOperation(Format("No button \"%s\" on %s", Caption, Form.Caption()));
  if (!Button->Enabled() || !Button->Visible())
    throw EInvalidOperation(Format("Button \"%s\" cannot be clicked now", Caption));
  Button->Click();
}

}  // namespace formwright::orx
