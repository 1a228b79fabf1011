#include "symbols/ReservedWords.h"

#include <algorithm>

namespace formwright {

namespace {
bool IsAscii(std::string_view S) noexcept {
  return std::all_of(S.begin(), S.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}
}  // namespace

TReservedWordTable::TReservedWordTable(TSymbolTableKind Kind, const uint8_t* Packed, TSymbolFactory Factory)
    : FTable(Kind) {
  while (const uint8_t Token = *Packed++) {
    const uint8_t Length = *Packed++;
    const std::string_view Word(reinterpret_cast<const char*>(Packed), Length);
    FTable.Insert(Factory(Word, Token));
    if (Length > FMaxWordLength) FMaxWordLength = Length;
    if (Length == 0 || Length >= 64 || !IsAscii(Word))
      FFiltered = false;
    else
      FLengths[Fold(Word[0])] |= uint64_t{1} << Length;
    Packed += Length;
  }
}

unsigned TReservedWordTable::Fold(char C) const noexcept {
  auto U = static_cast<unsigned char>(C);
  if (FTable.Kind() == TSymbolTableKind::stCaseInsensitive && U >= 'A' && U <= 'Z') U |= 0x20;
  return U;
}

bool TReservedWordTable::MayHold(std::string_view Word) const noexcept {
  if (!FFiltered || Word.empty() || !IsAscii(Word)) return true;
  return Word.size() < 64 && ((FLengths[Fold(Word[0])] >> Word.size()) & 1) != 0;
}

const TTokenSymbol* TReservedWordTable::Find(std::string_view Word) const {
  // Most names asked about (every new component's) are not reserved: the bitmap answers them
  // without going through the symbol table.
  if (!MayHold(Word)) return nullptr;
  return static_cast<const TTokenSymbol*>(FTable.Find(Word));
}

const TTokenSymbol* TReservedWordTable::Find(const WideString& Word) const {
  if (Word.size() > static_cast<size_t>(FMaxWordLength)) return nullptr;
  String Narrow;
  Narrow.reserve(Word.size());
  for (const char16_t C : Word) {
    if (C >= 8364) return nullptr;
    // Narrowing goes through the 8-bit code page: characters beyond it cannot be represented
    // and become '?', which no reserved word contains (cutting them to their low byte would
    // turn, say, U+0149 U+0146 into the reserved word "IF").
    Narrow.push_back(C < 256 ? static_cast<char>(C) : '?');
  }
  return Find(std::string_view(Narrow));
}

}  // namespace formwright
