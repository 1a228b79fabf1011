#include "templates/LineProviders.h"

#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/runtime/StreamConsts.h"

namespace formwright {

namespace {

bool IsValidUtf8(std::string_view Bytes) {
  UErrorCode Status = U_ZERO_ERROR;
  int32_t Length = 0;
  u_strFromUTF8(nullptr, 0, &Length, Bytes.data(), static_cast<int32_t>(Bytes.size()), &Status);
  return Status != U_INVALID_CHAR_FOUND && Status != U_ILLEGAL_CHAR_FOUND;
}

String FromUtf16(std::string_view Bytes, bool BigEndian) {
  WideString Text;
  Text.reserve(Bytes.size() / 2);
  for (size_t I = 0; I + 1 < Bytes.size(); I += 2) {
    const auto Hi = static_cast<unsigned char>(Bytes[BigEndian ? I : I + 1]);
    const auto Lo = static_cast<unsigned char>(Bytes[BigEndian ? I + 1 : I]);
    Text.push_back(static_cast<char16_t>((Hi << 8) | Lo));
  }
  return WideToUtf8(Text);
}

String FromWindows1252(std::string_view Bytes) {
  const icu::UnicodeString Text(Bytes.data(), static_cast<int32_t>(Bytes.size()), "windows-1252");
  String Result;
  Text.toUTF8String(Result);
  return Result;
}

bool StartsWith(std::string_view S, std::string_view Mark) { return S.substr(0, Mark.size()) == Mark; }

}  // namespace

String DecodeTemplateText(std::string_view Bytes) {
  if (StartsWith(Bytes, "\xEF\xBB\xBF")) return String(Bytes.substr(3));
  if (StartsWith(Bytes, "\xFF\xFE")) return FromUtf16(Bytes.substr(2), false);
  if (StartsWith(Bytes, "\xFE\xFF")) return FromUtf16(Bytes.substr(2), true);
  return IsValidUtf8(Bytes) ? String(Bytes) : FromWindows1252(Bytes);
}

std::vector<String> SplitTemplateLines(std::string_view Text) {
  std::vector<String> Lines;
  size_t Start = 0;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\r' && Text[I] != '\n') continue;
    Lines.emplace_back(Text.substr(Start, I - Start));
    if (Text[I] == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  if (Start < Text.size()) Lines.emplace_back(Text.substr(Start));
  return Lines;
}

String TemplateLanguage() {
  for (const char* Variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* Value = std::getenv(Variable);
    if (!Value || !*Value) continue;
    String Language(Value);
    Language = Language.substr(0, Language.find_first_of(".@"));
    return (Language == "C" || Language == "POSIX") ? String() : Language;
  }
  return {};
}

String LocalizedFileName(const String& Path, const String& Language) {
  if (Language.empty()) return Path;
  const std::filesystem::path Plain(Path);
  std::vector<String> Folders = {Language};
  if (const size_t Underscore = Language.find('_'); Underscore != String::npos)
    Folders.push_back(Language.substr(0, Underscore));
  for (const String& Folder : Folders) {
    const std::filesystem::path Candidate = Plain.parent_path() / Folder / Plain.filename();
    std::error_code Error;
    if (std::filesystem::is_regular_file(Candidate, Error)) return Candidate.string();
  }
  return Path;
}

// --- TListLineProvider ---

String TListLineProvider::NextLine() { return FLines.at(FNext++); }

void TListLineProvider::Cleanup() {
  std::vector<String>().swap(FLines);
  FNext = 0;
}

// --- TFileLineProvider ---

TFileLineProvider::TFileLineProvider(const String& FileName) {
  std::ifstream File(FileName, std::ios::binary);
  if (!File) throw EFOpenError(Format(SFOpenError, FileName, String(std::strerror(errno))));
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  FLines = SplitTemplateLines(DecodeTemplateText(Bytes.str()));
}

// --- TResourceModule ---

void TResourceModule::AddResource(const String& Name, String Bytes) {
  FResources[UpperCase(Name)] = std::move(Bytes);
}

const String* TResourceModule::FindResource(const String& Name) const {
  const auto It = FResources.find(UpperCase(Name));
  return It == FResources.end() ? nullptr : &It->second;
}

// --- TResourceProvider ---

TResourceProvider::TResourceProvider(const TResourceModule& Instance, const String& ResourceName) {
  const String* Bytes = Instance.FindResource(ResourceName);
  if (!Bytes) throw EResNotFound(Format(SResNotFound, ResourceName));
  const std::string_view Text(Bytes->c_str());  // up to the first NUL
  for (String& Line : SplitTemplateLines(DecodeTemplateText(Text)))
    if (!Line.empty()) FLines.push_back(std::move(Line));
}

ILineProviderPtr CoResourceProvider::Create(const TResourceModule& Instance, const String& ResourceName) {
  return std::make_shared<TResourceProvider>(Instance, ResourceName);
}

}  // namespace formwright
