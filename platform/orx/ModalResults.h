// Modal results of the Orx framework: what a button of a modal form reports when it closes
// the form, and their identifiers as the property inspector shows them.
#pragma once

#include "platform/orx/Idents.h"
#include "platform/runtime/TypInfo.h"

namespace formwright::orx {

FW_ORX_IDENT_TYPE(TModalResult, int32_t, INT32_MIN, INT32_MAX, ModalResultIdents)

// Modal results of buttons and forms.
inline constexpr TModalResult mrNone = TModalResult(0);
inline constexpr TModalResult mrOk = TModalResult(1);
inline constexpr TModalResult mrCancel = TModalResult(2);
inline constexpr TModalResult mrAbort = TModalResult(3);
inline constexpr TModalResult mrRetry = TModalResult(4);
inline constexpr TModalResult mrIgnore = TModalResult(5);
inline constexpr TModalResult mrYes = TModalResult(6);
inline constexpr TModalResult mrNo = TModalResult(7);
inline constexpr TModalResult mrClose = TModalResult(8);
inline constexpr TModalResult mrHelp = TModalResult(9);
inline constexpr TModalResult mrTryAgain = TModalResult(10);
inline constexpr TModalResult mrContinue = TModalResult(11);
inline constexpr TModalResult mrAll = TModalResult(12);
inline constexpr TModalResult mrNoToAll = TModalResult(13);
inline constexpr TModalResult mrYesToAll = TModalResult(14);
// The identifiers mrNone … mrYesToAll for 0 … 14; other results are written in decimal.
const TIdentTable& ModalResultIdents() noexcept;

}  // namespace formwright::orx
