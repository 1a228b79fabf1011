// Reserved-word tables of the source languages: packed entry lists, the table they build and
// the lookup shared by both languages (units PasSym and CppSym).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "symbols/Symbols.h"

namespace formwright {

// A symbol that carries the one-byte token code the language's parser uses for it.
class TTokenSymbol : public TBaseSymbol {
 public:
  TTokenSymbol(std::string_view Identifier, uint8_t Token) : TBaseSymbol(Identifier), FToken(Token) {}
  uint8_t Token() const noexcept { return FToken; }

 private:
  uint8_t FToken;
};

// One word of a reserved-word list before packing.
struct TReservedEntry {
  uint8_t Token;
  std::string_view Word;
};

// Size of the packed form of a list: {token, length, characters} per word and a final 0.
template <size_t N>
constexpr size_t PackedSize(const TReservedEntry (&Entries)[N]) {
  size_t Size = 1;
  for (const TReservedEntry& E : Entries) Size += 2 + E.Word.size();
  return Size;
}

// Packs a list at compile time into the byte form the tables are built from.
template <size_t Size, size_t N>
constexpr std::array<uint8_t, Size> PackReservedWords(const TReservedEntry (&Entries)[N]) {
  std::array<uint8_t, Size> Packed{};
  size_t At = 0;
  for (const TReservedEntry& E : Entries) {
    Packed[At++] = E.Token;
    Packed[At++] = static_cast<uint8_t>(E.Word.size());
    for (const char C : E.Word) Packed[At++] = static_cast<uint8_t>(C);
  }
  Packed[At] = 0;
  return Packed;
}

// A language's reserved words: a symbol table of `TTokenSymbol`s and the longest word's length.
class TReservedWordTable {
 public:
  // Makes the symbol of one word: the language's own symbol class.
  using TSymbolFactory = std::unique_ptr<TTokenSymbol> (*)(std::string_view Word, uint8_t Token);
  // Builds the table from a packed list ended by a zero token byte.
  TReservedWordTable(TSymbolTableKind Kind, const uint8_t* Packed, TSymbolFactory Factory);
  const TSymbolTable& Table() const noexcept { return FTable; }
  int MaxWordLength() const noexcept { return FMaxWordLength; }
  // The reserved word equal to `Word` under the table's comparison, or nullptr.
  const TTokenSymbol* Find(std::string_view Word) const;
  // The Unicode lookup: a word longer than the longest entry, or with a character of code 8364
  // or above, is not reserved; other characters are narrowed to bytes before the lookup.
  const TTokenSymbol* Find(const WideString& Word) const;

 private:
  // Whether some word of the table could equal Word, from its first character and length
  // alone (letter case folded where the table ignores it); only ASCII words are judged, so
  // that a word the table's Unicode comparison might match is never turned away.
  bool MayHold(std::string_view Word) const noexcept;
  unsigned Fold(char C) const noexcept;

  TSymbolTable FTable;
  int FMaxWordLength = 0;
  // Bit L of FLengths[C]: a word of L characters starting with C (folded) is in the table.
  std::array<uint64_t, 128> FLengths{};
  bool FFiltered = true;  // false when a word is of 64 characters or more, or not ASCII
};

}  // namespace formwright
