// Helpers shared by the template filter tests.
#pragma once

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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
  try {
    Filter.Filter(LinesOf(Text), Output);
  } catch (const EExpertFilterError& E) {
    EXPECT_EQ(Output, "") << "no partial output after an error";
    return E.Message();
  }
  return {};
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

// A temporary folder removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    String Pattern = (std::filesystem::temp_directory_path() / "fwtemplates-XXXXXX").string();
    if (!mkdtemp(Pattern.data())) throw std::runtime_error("mkdtemp failed");
    FPath = Pattern;
  }
  ~TempFolder() {
    std::error_code Error;
    std::filesystem::remove_all(FPath, Error);
  }
  // Writes `Bytes` to `Name` below the folder (creating sub-folders) and returns its path.
  String Write(const String& Name, std::string_view Bytes) const {
    const std::filesystem::path File = FPath / Name;
    std::filesystem::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    return File.string();
  }
  // The folder with a trailing separator, ready for `Directory + FileName`.
  String Directory() const { return FPath.string() + "/"; }

 private:
  std::filesystem::path FPath;
};

}  // namespace formwright::testing
