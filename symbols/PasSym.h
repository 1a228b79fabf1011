// Reserved words of the Pascal language (unit PasSym). Pascal words are matched ignoring
// letter case: begin, Begin and BEGIN are all reserved.
#pragma once

#include <string_view>

#include "symbols/ReservedWords.h"

namespace formwright {

// A Pascal reserved word with its parser token code.
class TPascalSymbol final : public TTokenSymbol {
 public:
  using TTokenSymbol::TTokenSymbol;
};

namespace PasSym {

// The Pascal reserved-word table (71 words, stored in upper case), built when the package is
// loaded and freed when it is unloaded.
const TReservedWordTable& ReservedWords();

// Whether `Word` (UTF-8) is a reserved word of Pascal.
bool IsReservedWord(std::string_view Word);
// Whether `Word` is a reserved word of Pascal; longer words than the longest reserved word
// (14 characters) and words with characters of code 8364 or above never are.
bool IsReservedWord(const WideString& Word);

}  // namespace PasSym
}  // namespace formwright
