#include "templates/ExpertFilter.h"

#include <filesystem>

#include "platform/runtime/RtlConsts.h"
#include "platform/runtime/Scoped.h"
#include "templates/LineProviders.h"
#include "templates/ScopeLineProvider.h"

namespace formwright {

namespace {

constexpr const char* LineEnd = "\r\n";

bool FileExists(const String& Path) {
  std::error_code Error;
  return std::filesystem::is_regular_file(Path, Error);
}

}  // namespace

TExpertFilter::TExpertFilter()
    : FValues(std::make_shared<templates::TPropertyValues>()),
      FConditions(this),
      FLanguage(TemplateLanguage()) {}

void TExpertFilter::SetProperty(const String& Name, const TTemplateValue& Value) {
  FValues->SetProperty(Name, Value);
}

void TExpertFilter::SetCollectionProperty(const String& Name, const ICollectionPropertyPtr& Collection) {
  FValues->SetCollectionProperty(Name, Collection);
}

int TExpertFilter::GetPropertyCount() const { return FValues->GetPropertyCount(); }

TTemplateValue TExpertFilter::GetProperty(int Index) const { return FValues->GetProperty(Index); }

TTemplateValue TExpertFilter::GetProperty(const String& Name) const { return FValues->GetProperty(Name); }

String TExpertFilter::GetPropertyKey(int Index) const { return FValues->GetPropertyKey(Index); }

void TExpertFilter::ClearProperties() { FValues->ClearProperties(); }

void TExpertFilter::ReportError(const String& Message) {
  const int Line = FProviders.empty() ? -1 : FProviders.back()->LineNumber();
  throw EExpertFilterError(Format(SFilterErrorPrefix, FFileName, Line, Message));
}

void TExpertFilter::Filter(const String& FileName, const String& Directory, String& Output) {
  Output.clear();
  const String Path = Directory + FileName;
  const String Localized = LocalizedFileName(Path, FLanguage);
  if (!FileExists(Localized)) throw EExpertFilterError(Format(SFileNotFound, Path));
  auto Provider = std::make_shared<TFileLineProvider>(Localized);
  FFileName = std::filesystem::path(Localized).filename().string();
  Expand(Provider, Output);
}

void TExpertFilter::Filter(const ILineProviderPtr& LineProvider, String& Output) {
  Output.clear();
  Expand(LineProvider, Output);
}

void TExpertFilter::Expand(const ILineProviderPtr& Provider, String& Output) {
  // Whatever happens, the run's providers are cleaned up (restoring loop item names), the
  // conditions are emptied and the template name is forgotten.
  TScopeExit Guard([this] { EndRun(); });
  FOutputOn = true;
  FProviders.push_back(Provider);
  String Buffer;
  for (;;) {
    if (!FProviders.back()->HasMore()) {
      if (FProviders.size() > 1)
        ReportError(Format(SMissingEndForEach, static_cast<TScopeLineProvider&>(*FProviders.back()).Tag()));
      break;
    }
    const String Line = FProviders.back()->NextLine();
    const String Replaced = Line.empty() ? String() : ReplaceTags(Line);
    if (!FOutputOn || !FConditions.AllTrue() || !FProviders.back()->IsOutputOn()) continue;
    Buffer += Replaced;
    if (!Replaced.empty() || Line.empty()) Buffer += LineEnd;
  }
  Output = std::move(Buffer);
}

void TExpertFilter::EndRun() {
  for (auto It = FProviders.rbegin(); It != FProviders.rend(); ++It) (*It)->Cleanup();
  FProviders.clear();
  FConditions.Cleanup();
  FFileName.clear();
}

String TExpertFilter::ReplaceTags(const String& Line) {
  String Result;
  size_t At = 0;
  for (;;) {
    const size_t Open = Line.find("[!", At);
    if (Open == String::npos) {
      Result.append(Line, At, String::npos);
      return Result;
    }
    Result.append(Line, At, Open - At);
    const size_t Close = Line.find(']', Open + 2);
    if (Close == String::npos) ReportError(Format(SMissingClosingTag, Line));
    Result += ExecuteTag(Trim(std::string_view(Line).substr(Open + 2, Close - Open - 2)));
    At = Close + 1;
  }
}

String TExpertFilter::ExecuteTag(const String& Tag) {
  const TTagKind Kind = TagKind(Tag);
  switch (Kind) {
    case TTagKind::tkIf:
    case TTagKind::tkIfNot:
      EvaluateCondition(Tag, Kind);
      break;
    case TTagKind::tkElse:
      FConditions.ToggleTop();
      break;
    case TTagKind::tkEndIf:
      FConditions.Pop();
      break;
    case TTagKind::tkSet:
      SetFromTag(Tag);
      break;
    case TTagKind::tkOutputOn:
      FOutputOn = true;
      break;
    case TTagKind::tkOutputOff:
      FOutputOn = false;
      break;
    case TTagKind::tkOutputProperties:
      return DumpProperties(*FValues);
    case TTagKind::tkForEach:
      OpenLoop(Tag);
      break;
    case TTagKind::tkEndForEach:
      CloseLoop();
      break;
    case TTagKind::tkValue:
      return TemplateValueToText(FValues->GetProperty(Tag));
  }
  return {};
}

std::vector<String> TExpertFilter::TagArguments(const String& Tag, TTagKind Kind) {
  if (Tag.size() < 3) ReportError(Format(SInvalidTag, Tag));
  const String Arguments = Trim(std::string_view(Tag).substr(TagPrefix(Kind).size()));
  if (Arguments.empty() || Arguments.front() != '(') ReportError(Format(SExpectingOpenParen, Tag));
  if (Arguments.size() < 2 || Arguments.back() != ')') ReportError(Format(SExpectingCloseParen, Tag));
  return SplitTagArguments(std::string_view(Arguments).substr(1, Arguments.size() - 2));
}

void TExpertFilter::EvaluateCondition(const String& Tag, TTagKind Kind) {
  const std::vector<String> Tokens = TagArguments(Tag, Kind);
  if (Tokens.empty()) ReportError(Format(SMissingPropertyName, Tag));
  const String Literal = Tokens.size() > 1 ? Tokens[1] : String(Kind == TTagKind::tkIf ? SBooleanTrue : "");
  const bool Equal = SameText(TemplateValueToText(FValues->GetProperty(Tokens[0])), Literal);
  FConditions.Push(Kind == TTagKind::tkIf ? Equal : !Equal);
}

void TExpertFilter::SetFromTag(const String& Tag) {
  const std::vector<String> Tokens = TagArguments(Tag, TTagKind::tkSet);
  if (Tokens.empty()) ReportError(Format(SMissingPropertyName, Tag));
  FValues->SetProperty(Tokens[0], Tokens.size() > 1 ? TTemplateValue(Tokens[1]) : TTemplateValue());
}

void TExpertFilter::OpenLoop(const String& Tag) {
  const std::vector<String> Tokens = TagArguments(Tag, TTagKind::tkForEach);
  String ItemName, CollectionName;
  if (Tokens.size() == 1) {
    CollectionName = Tokens[0];
  } else if (Tokens.size() == 3 && SameText(Tokens[1], "in")) {
    ItemName = Tokens[0];
    CollectionName = Tokens[2];
  } else {
    ReportError(Format(SInvalidForEachTag, Tag));
  }
  const TTemplateValue Value = FValues->GetProperty(CollectionName);
  const auto* Held = std::get_if<ICollectionPropertyPtr>(&Value);
  ICollectionPropertyPtr Collection = Held && *Held ? *Held : CoCollectionProperty::Create();
  TTemplateValue OldItemValue;
  if (SameText(ItemName, CollectionName)) ItemName.clear();
  if (!ItemName.empty()) {
    OldItemValue = FValues->GetProperty(ItemName);
    FValues->SetCollectionProperty(ItemName, Collection);
  }
  FProviders.push_back(std::make_shared<TScopeLineProvider>(
      FProviders.back(), std::move(Collection), Tag, FValues, std::move(ItemName), std::move(OldItemValue)));
}

void TExpertFilter::CloseLoop() {
  if (!dynamic_cast<IIterationCounter*>(FProviders.back().get())) return;
  if (FProviders.back()->ReStart()) return;
  FProviders.back()->Cleanup();
  FProviders.pop_back();
}

IExpertFilterPtr CoExpertFilter::Create() { return std::make_shared<TExpertFilter>(); }

}  // namespace formwright
