#include "platform/runtime/Clipboard.h"

#include <algorithm>
#include <cstring>

namespace formwright {

namespace {
std::vector<String>& FormatNames() {
  static std::vector<String> Names;
  return Names;
}
constexpr TClipboardFormat FirstRegistered = 0xC000;
}  // namespace

TClipboardFormat RegisterClipboardFormat(const String& Name) {
  auto& Names = FormatNames();
  for (size_t I = 0; I < Names.size(); ++I)
    if (SameText(Names[I], Name)) return FirstRegistered + static_cast<TClipboardFormat>(I);
  Names.push_back(Name);
  return FirstRegistered + static_cast<TClipboardFormat>(Names.size() - 1);
}

String GetClipboardFormatName(TClipboardFormat Format) {
  const auto& Names = FormatNames();
  if (Format < FirstRegistered || Format - FirstRegistered >= Names.size()) return String();
  return Names[Format - FirstRegistered];
}

TClipboard& Clipboard() {
  static TClipboard C;
  return C;
}

void TClipboard::Open() {
  if (FOpenCount++ == 0) FClearedInOpen = false;
}

void TClipboard::Close() {
  if (FOpenCount > 0) --FOpenCount;
}

void TClipboard::Clear() {
  FData.clear();
  if (FOpenCount > 0) FClearedInOpen = true;
}

void TClipboard::BeginChange() {
  if (FOpenCount == 0 || !FClearedInOpen) Clear();
}

bool TClipboard::HasFormat(TClipboardFormat Format) const { return FData.count(Format) != 0; }

std::vector<TClipboardFormat> TClipboard::Formats() const {
  std::vector<TClipboardFormat> R;
  for (const auto& [F, D] : FData) R.push_back(F);
  return R;
}

void TClipboard::SetData(TClipboardFormat Format, const void* Data, size_t Size) {
  BeginChange();
  const auto* P = static_cast<const uint8_t*>(Data);
  FData[Format].assign(P, P + Size);
}

std::vector<uint8_t> TClipboard::GetData(TClipboardFormat Format) const {
  auto It = FData.find(Format);
  return It == FData.end() ? std::vector<uint8_t>() : It->second;
}

String TClipboard::AsText() const {
  auto It = FData.find(CF_TEXT);
  if (It == FData.end()) return String();
  const auto& D = It->second;
  const auto End = std::find(D.begin(), D.end(), uint8_t(0));
  return String(D.begin(), End);
}

void TClipboard::SetAsText(const String& Value) { SetData(CF_TEXT, Value.c_str(), Value.size() + 1); }

void TClipboard::SetStream(TClipboardFormat Format, TStream* Stream) {
  const int64_t Pos = Stream->Position();
  Stream->SetPosition(0);
  std::vector<uint8_t> Data(static_cast<size_t>(Stream->Size()));
  Stream->ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  Stream->SetPosition(Pos);
  SetData(Format, Data.data(), Data.size());
}

void TClipboard::GetStream(TClipboardFormat Format, TStream* Stream) const {
  const std::vector<uint8_t> D = GetData(Format);
  Stream->WriteBuffer(D.data(), static_cast<int64_t>(D.size()));
}

}  // namespace formwright
