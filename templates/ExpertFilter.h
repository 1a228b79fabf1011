// The template filter (IExpertFilter): expands tagged templates with the values of its bag.
#pragma once

#include <vector>

#include "templates/BooleanStack.h"
#include "templates/PropertyValues.h"
#include "templates/TemplateTags.h"

namespace formwright {

inline constexpr const char* SFileNotFound = "File not found: %s";
inline constexpr const char* SFilterErrorPrefix = "%s(%d): %s";
inline constexpr const char* SMissingClosingTag = "Missing closing tag in line '%s'";
inline constexpr const char* SInvalidTag = "Invalid tag encountered '%s'";
inline constexpr const char* SExpectingOpenParen = "Expecting open paren in tag '%s'";
inline constexpr const char* SExpectingCloseParen = "Expecting close paren in tag '%s'";
inline constexpr const char* SInvalidForEachTag = "Invalid foreach tag encountered '%s'";
inline constexpr const char* SMissingPropertyName = "Missing property name in tag '%s'";
inline constexpr const char* SMissingEndForEach = "Missing endforeach for tag '%s'";

// The filter. A run reads lines from a stack of providers (the template, then one scope per
// open loop), replaces the tags of each line and writes the lines that pass the output switch,
// every condition and the top provider's output state, each followed by CR LF. A non-empty line
// whose tags all expand to nothing writes nothing, not even a line end; an empty line writes an
// empty line.
//
// Every error stops the run with EExpertFilterError "<template>(<line>): <message>", leaves
// the output empty and undoes the run's loops (item names are restored); values assigned by
// "set" tags before the error stay. The output switch starts each run on.
class TExpertFilter : public IExpertFilter, public IErrorReporter {
 public:
  TExpertFilter();

  // IPropertyValues, over the filter's own bag.
  void SetProperty(const String& Name, const TTemplateValue& Value) override;
  void SetCollectionProperty(const String& Name, const ICollectionPropertyPtr& Collection) override;
  int GetPropertyCount() const override;
  TTemplateValue GetProperty(int Index) const override;
  TTemplateValue GetProperty(const String& Name) const override;
  String GetPropertyKey(int Index) const override;
  void ClearProperties() override;

  void Filter(const String& FileName, const String& Directory, String& Output) override;
  void Filter(const ILineProviderPtr& LineProvider, String& Output) override;

  // Raises EExpertFilterError with the current template name and line in front of `Message`.
  [[noreturn]] void ReportError(const String& Message) override;

  // The language whose template variants `Filter(FileName, Directory, …)` prefers; by default
  // `TemplateLanguage()`. An empty language uses the plain files only.
  void SetLanguage(const String& Language) { FLanguage = Language; }
  const String& Language() const noexcept { return FLanguage; }

 private:
  void Expand(const ILineProviderPtr& Provider, String& Output);
  String ReplaceTags(const String& Line);
  String ExecuteTag(const String& Tag);
  std::vector<String> TagArguments(const String& Tag, TTagKind Kind);
  void EvaluateCondition(const String& Tag, TTagKind Kind);
  void SetFromTag(const String& Tag);
  void OpenLoop(const String& Tag);
  void CloseLoop();
  void EndRun();

  std::shared_ptr<templates::TPropertyValues> FValues;
  TBooleanStack FConditions;
  std::vector<ILineProviderPtr> FProviders;
  bool FOutputOn = true;
  String FFileName;
  String FLanguage;
};

}  // namespace formwright
