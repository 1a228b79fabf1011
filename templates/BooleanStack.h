// The condition stack of the template filter.
#pragma once

#include <vector>

#include "templates/TemplateIntf.h"

namespace formwright {

inline constexpr const char* SEmptyStackAccess = "Attempt to access empty stack";
inline constexpr const char* SEmptyStackPop = "Attempt to pop an empty stack";

// A stack of booleans. Errors go to the reporter given at construction, so a filter can put
// the template's name and line in front of them; without a reporter they raise
// EExpertFilterError with the bare message.
class TBooleanStack : public IBooleanStack {
 public:
  explicit TBooleanStack(IErrorReporter* Reporter = nullptr) : FReporter(Reporter) {}
  bool AllTrue() const override;
  bool GetCurrentValue() const override { return FValues.empty() || FValues.back(); }
  int GetSize() const override { return static_cast<int>(FValues.size()); }
  bool GetTop() const override;
  bool Pop() override;
  void Push(bool Value) override { FValues.push_back(Value); }
  void ToggleTop() override;
  // Empties the stack.
  void Cleanup() override { FValues.clear(); }

 private:
  [[noreturn]] void Fail(const char* Message) const;
  IErrorReporter* FReporter;
  std::vector<bool> FValues;
};

}  // namespace formwright
