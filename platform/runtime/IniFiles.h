// Ini files: sections of key=value lines, as the desktop and the editor windows keep them.
#pragma once

#include <vector>

#include "platform/runtime/Lists.h"

namespace formwright {

// The reading and writing interface of an ini file. Section and key names are compared
// ignoring case. Booleans are written as 1 and 0 and read as "not 0"; integers are read in
// decimal or $hex and fall back to the default when the text is not a number.
class TCustomIniFile : public TObject {
  FW_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(String FileName) : FFileName(std::move(FileName)) {}
  const String& FileName() const noexcept { return FFileName; }

  virtual String ReadString(const String& Section, const String& Ident, const String& Default) const = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // Appends the keys of a section / the section names / the key=value lines of a section.
  virtual void ReadSection(const String& Section, TStrings* Strings) const = 0;
  virtual void ReadSections(TStrings* Strings) const = 0;
  virtual void ReadSectionValues(const String& Section, TStrings* Strings) const = 0;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  // Writes pending changes to the file.
  virtual void UpdateFile() = 0;

  int32_t ReadInteger(const String& Section, const String& Ident, int32_t Default) const;
  void WriteInteger(const String& Section, const String& Ident, int32_t Value);
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  void WriteBool(const String& Section, const String& Ident, bool Value);
  bool SectionExists(const String& Section) const;
  virtual bool ValueExists(const String& Section, const String& Ident) const;

 private:
  String FFileName;
};

// An ini file held in memory: read from the file when created, written back by UpdateFile.
// Sections and keys keep the order of the file and then of their first writing, so saving
// the same content always gives the same text.
class TMemIniFile : public TCustomIniFile {
  FW_CLASS(TMemIniFile, TCustomIniFile)
 public:
  // Reads `FileName` when it exists; an empty name makes an ini file without a file.
  explicit TMemIniFile(const String& FileName);

  String ReadString(const String& Section, const String& Ident, const String& Default) const override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(const String& Section, TStrings* Strings) const override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  bool ValueExists(const String& Section, const String& Ident) const override;
  void UpdateFile() override;

  // The whole content as lines, and replacing it from lines.
  void GetStrings(TStrings* List) const;
  void SetStrings(const TStrings* List);
  void Clear() { FSections.clear(); }

 private:
  struct TSection {
    String Name;
    std::vector<std::pair<String, String>> Values;
  };
  const TSection* Find(const String& Section) const;
  TSection& Ensure(const String& Section);
  std::vector<TSection> FSections;
};

// An ini file whose every change is written to the file at once.
class TIniFile : public TMemIniFile {
  FW_CLASS(TIniFile, TMemIniFile)
 public:
  explicit TIniFile(const String& FileName) : TMemIniFile(FileName) {}
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
};

}  // namespace formwright
