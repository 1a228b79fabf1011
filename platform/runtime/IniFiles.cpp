#include "platform/runtime/IniFiles.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/runtime/Streams.h"

namespace formwright {

FW_REGISTER_CLASS(TCustomIniFile, "IniFiles")
FW_REGISTER_CLASS(TMemIniFile, "IniFiles")
FW_REGISTER_CLASS(TIniFile, "IniFiles")

// ----- TCustomIniFile -------------------------------------------------------------------------

int32_t TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int32_t Default) const {
  int64_t V = 0;
  const String S = ReadString(Section, Ident, String());
  if (!TryStrToInt64(S, V) || V < INT32_MIN || V > INT32_MAX) return Default;
  return static_cast<int32_t>(V);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int32_t Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(const String& Section) const {
  TOwned<TStringList> L(new TStringList);
  ReadSection(Section, L.get());
  return L->Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) const {
  TOwned<TStringList> L(new TStringList);
  ReadSection(Section, L.get());
  return L->IndexOf(Ident) >= 0;
}

// ----- TMemIniFile ----------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
  if (FileName.empty()) return;
  std::ifstream In(FileName, std::ios::binary);
  if (!In) return;
  std::stringstream Buf;
  Buf << In.rdbuf();
  TOwned<TStringList> L(new TStringList);
  L->SetText(Buf.str());
  SetStrings(L.get());
}

const TMemIniFile::TSection* TMemIniFile::Find(const String& Section) const {
  for (const TSection& S : FSections)
    if (SameText(S.Name, Section)) return &S;
  return nullptr;
}

TMemIniFile::TSection& TMemIniFile::Ensure(const String& Section) {
  if (const TSection* S = Find(Section)) return const_cast<TSection&>(*S);
  FSections.push_back({Section, {}});
  return FSections.back();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) const {
  if (const TSection* S = Find(Section))
    for (const auto& [K, V] : S->Values)
      if (SameText(K, Ident)) return V;
  return Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TSection& S = Ensure(Section);
  for (auto& [K, V] : S.Values)
    if (SameText(K, Ident)) {
      V = Value;
      return;
    }
  S.Values.emplace_back(Ident, Value);
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const {
  if (const TSection* S = Find(Section))
    for (const auto& KV : S->Values)
      if (SameText(KV.first, Ident)) return true;
  return false;
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const {
  if (const TSection* S = Find(Section))
    for (const auto& KV : S->Values) Strings->Add(KV.first);
}

void TMemIniFile::ReadSections(TStrings* Strings) const {
  for (const TSection& S : FSections) Strings->Add(S.Name);
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
  if (const TSection* S = Find(Section))
    for (const auto& [K, V] : S->Values) Strings->Add(K + "=" + V);
}

void TMemIniFile::EraseSection(const String& Section) {
  std::erase_if(FSections, [&](const TSection& S) { return SameText(S.Name, Section); });
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (const TSection* C = Find(Section)) {
    auto& Values = const_cast<TSection*>(C)->Values;
    std::erase_if(Values, [&](const auto& KV) { return SameText(KV.first, Ident); });
  }
}

void TMemIniFile::GetStrings(TStrings* List) const {
  for (size_t I = 0; I < FSections.size(); ++I) {
    if (I > 0) List->Add(String());
    List->Add("[" + FSections[I].Name + "]");
    for (const auto& [K, V] : FSections[I].Values) List->Add(K + "=" + V);
  }
}

void TMemIniFile::SetStrings(const TStrings* List) {
  FSections.clear();
  String Current;
  bool InSection = false;
  for (int I = 0; I < List->Count(); ++I) {
    const String Line = Trim(List->Get(I));
    if (Line.empty() || Line[0] == ';') continue;
    if (Line.front() == '[' && Line.back() == ']') {
      Current = Trim(Line.substr(1, Line.size() - 2));
      Ensure(Current);
      InSection = true;
      continue;
    }
    if (!InSection) continue;  // lines before the first section belong to none
    const size_t Eq = Line.find('=');
    const String Key = Trim(Line.substr(0, Eq));
    const String Value = Eq == String::npos ? String() : Trim(Line.substr(Eq + 1));
    Ensure(Current).Values.emplace_back(Key, Value);
  }
}

void TMemIniFile::UpdateFile() {
  if (FileName().empty()) return;
  TOwned<TStringList> L(new TStringList);
  GetStrings(L.get());
  const String Text = L->Text();
  TOwned<TFileStream> F(new TFileStream(FileName(), fmCreate));
  F->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

// ----- TIniFile -------------------------------------------------------------------------------

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TMemIniFile::WriteString(Section, Ident, Value);
  UpdateFile();
}

void TIniFile::EraseSection(const String& Section) {
  TMemIniFile::EraseSection(Section);
  UpdateFile();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  TMemIniFile::DeleteKey(Section, Ident);
  UpdateFile();
}

}  // namespace formwright
