#include "symbols/ReservedWords.h"

namespace formwright {

TReservedWordTable::TReservedWordTable(TSymbolTableKind Kind, const uint8_t* Packed, TSymbolFactory Factory)
    : FTable(Kind) {
  while (const uint8_t Token = *Packed++) {
    const uint8_t Length = *Packed++;
    FTable.Insert(Factory(std::string_view(reinterpret_cast<const char*>(Packed), Length), Token));
    if (Length > FMaxWordLength) FMaxWordLength = Length;
    Packed += Length;
  }
}

const TTokenSymbol* TReservedWordTable::Find(std::string_view Word) const {
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
