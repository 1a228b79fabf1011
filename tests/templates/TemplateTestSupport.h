// Helpers shared by the template filter tests.
#pragma once

#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/TempFolder.h"
#include "templates/ExpertFilter.h"
#include "templates/LineProviders.h"

namespace formwright::testing {

// A provider over the lines of `Text` (split at LF).
inline ILineProviderPtr LinesOf(std::string_view Text) {
  return std::make_shared<TListLineProvider>(SplitTemplateLines(Text));
}

// Expands `Text` with `Filter` and returns the output.
inline String Expand(IExpertFilter& Filter, std::string_view Text) {
  String Output;
  Filter.Filter(LinesOf(Text), Output);
  return Output;
}

// The message of the EExpertFilterError that expanding `Text` raises ("" when none is raised).
inline String ErrorOf(IExpertFilter& Filter, std::string_view Text) {
  String Output = "untouched";
  const String Message = MessageOf<EExpertFilterError>([&] { Filter.Filter(LinesOf(Text), Output); });
  if (Message == "(no exception)") return {};
  EXPECT_EQ(Output, "") << "no partial output after an error";
  return Message;
}

// A bag with the given text values.
inline IPropertyValuesPtr Bag(std::initializer_list<std::pair<const char*, TTemplateValue>> Values) {
  IPropertyValuesPtr Result = CoPropertyValues::Create();
  for (const auto& [Key, Value] : Values) Result->SetProperty(Key, Value);
  return Result;
}

// A collection of the given bags.
inline ICollectionPropertyPtr Collection(std::initializer_list<IPropertyValuesPtr> Items) {
  ICollectionPropertyPtr Result = CoCollectionProperty::Create();
  for (const IPropertyValuesPtr& Item : Items) Result->AddItem(Item);
  return Result;
}

}  // namespace formwright::testing
