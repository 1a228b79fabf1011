#include "platform/orx/ModalResults.h"

#include "platform/orx/OrxConsts.h"

namespace formwright::orx {

namespace {
constexpr TIdentMapEntry ModalResults[] = {
    {mrNone, "mrNone"},   {mrOk, "mrOk"},           {mrCancel, "mrCancel"},     {mrAbort, "mrAbort"},
    {mrRetry, "mrRetry"}, {mrIgnore, "mrIgnore"},   {mrYes, "mrYes"},           {mrNo, "mrNo"},
    {mrClose, "mrClose"}, {mrHelp, "mrHelp"},       {mrTryAgain, "mrTryAgain"}, {mrContinue, "mrContinue"},
    {mrAll, "mrAll"},     {mrNoToAll, "mrNoToAll"}, {mrYesToAll, "mrYesToAll"},
};

}  // namespace

const TIdentTable& ModalResultIdents() noexcept {
  static constexpr TIdentTable Table(ModalResults, INT32_MIN, INT32_MAX, SInvalidModalResult);
  return Table;
}

}  // namespace formwright::orx
