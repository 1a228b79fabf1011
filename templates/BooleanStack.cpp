#include "templates/BooleanStack.h"

#include <algorithm>

namespace formwright {

bool TBooleanStack::AllTrue() const {
  return std::all_of(FValues.begin(), FValues.end(), [](bool V) { return V; });
}

bool TBooleanStack::GetTop() const {
  if (FValues.empty()) Fail(SEmptyStackAccess);
  return FValues.back();
}

bool TBooleanStack::Pop() {
  if (FValues.empty()) Fail(SEmptyStackPop);
  const bool Top = FValues.back();
  FValues.pop_back();
  return Top;
}

void TBooleanStack::ToggleTop() {
  if (FValues.empty()) Fail(SEmptyStackAccess);
  FValues.back() = !FValues.back();
}

void TBooleanStack::Fail(const char* Message) const {
  if (FReporter) FReporter->ReportError(Message);
  throw EExpertFilterError(Message);
}

}  // namespace formwright
