// Line providers over template files and text resources, and the modules that hold text
// resources.
#pragma once

#include <map>
#include <vector>

#include "templates/TemplateIntf.h"

namespace formwright {

// Template bytes as UTF-8 text. A byte-order mark decides the encoding (UTF-8, UTF-16 LE or
// BE; the mark is dropped). Without one, text that is valid UTF-8 is taken as such (the
// platform's 8-bit code page) and anything else as Windows-1252, the code page old templates
// were written in.
String DecodeTemplateText(std::string_view Bytes);

// Splits text into lines at CR LF, LF or CR. A line end after the last line adds no empty line.
std::vector<String> SplitTemplateLines(std::string_view Text);

// The user-interface language that picks template variants: from LC_ALL, LC_MESSAGES or LANG
// (the first one set), without code set and modifier, so "de_DE.UTF-8" gives "de_DE". The C and
// POSIX locales give "".
String TemplateLanguage();

// The language variant of a template path, looked up in language folders beside the file:
// for "dir/Unit.pas" and language "de_DE", "dir/de_DE/Unit.pas" then "dir/de/Unit.pas". The
// first that exists is returned; otherwise `Path` itself.
String LocalizedFileName(const String& Path, const String& Language);

// Lines held in memory, handed out in order; the base of the file and resource providers.
class TListLineProvider : public ILineProvider {
 public:
  explicit TListLineProvider(std::vector<String> Lines = {}) : FLines(std::move(Lines)) {}
  bool HasMore() override { return FNext < FLines.size(); }
  String NextLine() override;
  // The number of lines read so far, which is also the index of the next line.
  int LineNumber() const override { return static_cast<int>(FNext); }
  bool ReStart() override { return false; }
  // Releases the lines.
  void Cleanup() override;
  bool IsOutputOn() const override { return true; }

 protected:
  std::vector<String> FLines;
  size_t FNext = 0;
};

// Lines of a template file, read when the provider is made. Raises EFOpenError when the file
// cannot be read.
class TFileLineProvider : public TListLineProvider {
 public:
  explicit TFileLineProvider(const String& FileName);
};

// A module's text resources: named blocks of bytes (resource type RCDATA) that a program
// registers, typically templates it carries. Names match ignoring letter case.
class TResourceModule {
 public:
  // Adds or replaces the resource `Name`.
  void AddResource(const String& Name, String Bytes);
  // The bytes of resource `Name`, or nullptr.
  const String* FindResource(const String& Name) const;

 private:
  std::map<String, String> FResources;  // by upper-case name
};

inline constexpr const char* SResNotFound = "Resource %s not found";

// Lines of a text resource. The bytes are read up to the first NUL and decoded as
// `DecodeTemplateText` does; they are split into lines at CR, with LF counted as leading white
// space, as the runtime's string extraction does (so LF-only text splits at LF too). Empty
// lines are dropped, as that extraction drops empty items.
class TResourceProvider : public TListLineProvider {
 public:
  // Raises EResNotFound "Resource %s not found" when `Instance` has no resource `ResourceName`.
  TResourceProvider(const TResourceModule& Instance, const String& ResourceName);
};

}  // namespace formwright
