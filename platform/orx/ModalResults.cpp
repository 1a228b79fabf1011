#include "platform/orx/ModalResults.h"

namespace formwright::orx {

namespace {
constexpr TIdentMapEntry ModalResults[] = {
    {mrNone, "mrNone"},   {mrOk, "mrOk"},           {mrCancel, "mrCancel"},     {mrAbort, "mrAbort"},
    {mrRetry, "mrRetry"}, {mrIgnore, "mrIgnore"},   {mrYes, "mrYes"},           {mrNo, "mrNo"},
    {mrClose, "mrClose"}, {mrHelp, "mrHelp"},       {mrTryAgain, "mrTryAgain"}, {mrContinue, "mrContinue"},
    {mrAll, "mrAll"},     {mrNoToAll, "mrNoToAll"}, {mrYesToAll, "mrYesToAll"},
};

}  // namespace

TIdentMap ModalResultIdents() noexcept { return ModalResults; }

String ModalResultToString(TModalResult Result) {
  String S;
  return IntToIdent(Result, S, ModalResults) ? S : IntToStr(Result);
}

}  // namespace formwright::orx
