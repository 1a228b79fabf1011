#include "templates/LineProviders.h"

#include "TemplateTestSupport.h"
#include "platform/runtime/Scoped.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<String> Drain(ILineProvider& Provider) {
  std::vector<String> Lines;
  while (Provider.HasMore()) Lines.push_back(Provider.NextLine());
  return Lines;
}

// Sets (or, given null, removes) an environment variable until the returned guard goes.
auto ScopedEnv(const char* Name, const char* Value) {
  std::optional<String> Old;
  if (const char* Current = std::getenv(Name)) Old = Current;
  Value ? setenv(Name, Value, 1) : unsetenv(Name);
  return TScopeExit([Name, Old] { Old ? setenv(Name, Old->c_str(), 1) : unsetenv(Name); });
}

}  // namespace

TEST(TemplateText, ByteOrderMarksDecideTheEncoding) {
  EXPECT_EQ(DecodeTemplateText("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
                               "e"),
            "Größe");
  EXPECT_EQ(DecodeTemplateText(std::string_view("\xFF\xFEG\0\xF6\0", 6)), "Gö");
  EXPECT_EQ(DecodeTemplateText(std::string_view("\xFE\xFF\0G\0\xF6", 6)), "Gö");
  EXPECT_EQ(DecodeTemplateText("Gr\xC3\xB6\xC3\x9F"
                               "e"),
            "Größe")
      << "valid UTF-8 without a mark";
  EXPECT_EQ(DecodeTemplateText("Gr\xF6\xDF"
                               "e \x80"),
            "Größe €")
      << "anything else is Windows-1252";
}

TEST(TemplateText, LinesEndAtCrLfLfOrCr) {
  EXPECT_THAT(SplitTemplateLines("a\r\nb\nc\rd"), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(SplitTemplateLines("a\r\n\r\nb\r\n"), ElementsAre("a", "", "b"));
  EXPECT_THAT(SplitTemplateLines(""), IsEmpty());
  EXPECT_THAT(SplitTemplateLines("\n"), ElementsAre(""));
}

TEST(TemplateText, LanguageComesFromTheLocaleVariables) {
  const auto All = ScopedEnv("LC_ALL", nullptr), Messages = ScopedEnv("LC_MESSAGES", "de_DE.UTF-8@euro"),
             Lang = ScopedEnv("LANG", "fr_FR.UTF-8");
  EXPECT_EQ(TemplateLanguage(), "de_DE");
  const auto AllSet = ScopedEnv("LC_ALL", "C.UTF-8");
  EXPECT_EQ(TemplateLanguage(), "");
}

TEST(FileLineProvider, CountsLinesAndKeepsEmptyOnes) {
  TTempFolder Folder;
  const String Path = Folder.Write("t.tmpl",
                                   "\xEF\xBB\xBF"
                                   "first\r\n\r\nthird");
  TFileLineProvider Provider(Path);
  EXPECT_EQ(Provider.NextLine(), "first");
  EXPECT_EQ(Provider.LineNumber(), 1);
  EXPECT_EQ(Drain(Provider), (std::vector<String>{"", "third"}));
  EXPECT_EQ(Provider.LineNumber(), 3);
  Provider.Cleanup();
  EXPECT_FALSE(Provider.HasMore());
  EXPECT_THROW(TFileLineProvider(Folder.Directory() + "none"), EFOpenError);
}

TEST(FileLineProvider, LocalizedNameTriesRegionThenLanguageFolders) {
  TTempFolder Folder;
  const String Plain = Folder.Write("a.tmpl", "x");
  EXPECT_EQ(LocalizedFileName(Plain, "pt_BR"), Plain);
  const String Language = Folder.Write("pt/a.tmpl", "x");
  EXPECT_EQ(LocalizedFileName(Plain, "pt_BR"), Language);
  const String Region = Folder.Write("pt_BR/a.tmpl", "x");
  EXPECT_EQ(LocalizedFileName(Plain, "pt_BR"), Region);
  EXPECT_EQ(LocalizedFileName(Plain, ""), Plain);
}

TEST(ResourceProvider, ReadsUpToTheFirstNulAndDropsEmptyLines) {
  TResourceModule Module;
  Module.AddResource("UnitTemplate", String("unit [!UnitName];\r\n\r\n\n  interface\r\nend.\0ignored", 46));
  auto Provider = CoResourceProvider::Create(Module, "UNITTEMPLATE");
  EXPECT_EQ(Provider->LineNumber(), 0);
  EXPECT_EQ(Drain(*Provider), (std::vector<String>{"unit [!UnitName];", "  interface", "end."}));
  EXPECT_EQ(Provider->LineNumber(), 3);
  EXPECT_FALSE(Provider->ReStart());
  Module.AddResource("Ansi", "caf\xE9");  // decoded as the file provider decodes
  EXPECT_EQ(CoResourceProvider::Create(Module, "ansi")->NextLine(), "café");
}

TEST(ResourceProvider, MissingResourceIsReported) {
  TResourceModule Module;
  EXPECT_THAT([&] { CoResourceProvider::Create(Module, "Nothing"); },
              Raises<EResNotFound>("Resource Nothing not found"));
}
