// Reserved words of the C++ language with the compiler's extensions (unit CppSym). C++ words
// are matched byte for byte: class is reserved, Class is not.
#pragma once

#include <string_view>

#include "symbols/ReservedWords.h"

namespace formwright {

// A C++ reserved word with its parser token code.
class TCppSymbol final : public TTokenSymbol {
 public:
  using TTokenSymbol::TTokenSymbol;
};

namespace CppSym {

// The C++ reserved-word table (197 words), built when the package is loaded and freed when it
// is unloaded.
const TReservedWordTable& ReservedWords();

// Whether `Word` (UTF-8) is a reserved word of C++.
bool IsReservedWord(std::string_view Word);
// Whether `Word` is a reserved word of C++; longer words than the longest reserved word and
// words with characters of code 8364 or above never are.
bool IsReservedWord(const WideString& Word);

}  // namespace CppSym
}  // namespace formwright
