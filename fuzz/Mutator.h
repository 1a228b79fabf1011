// One random change of a file for the fuzz runs (and for tests that read mutated streams): bits
// flipped, bytes replaced, inserted or deleted, the file cut, a piece repeated elsewhere, or a
// word that carries structure put in. Text favours the characters of its syntax.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace formwright::fuzz {

// How to mutate: as text or as binary, and the pieces of structure worth putting in.
struct TMutation {
  bool Text = false;
  std::vector<std::string> Words;                                      // put in whole; none when empty
  const char* Structural = "'#=[](){}<>-+.$:;,0123456789 \r\n\t{}*/";  // favoured in text
};

// 1 to 4 random changes of `B`, drawn from `Rng` (the same seed gives the same result).
inline std::string Mutate(std::string B, std::mt19937_64& Rng, const TMutation& How) {
  const std::string Structural = How.Structural;
  auto Pos = [&] { return B.empty() ? size_t(0) : size_t(Rng() % B.size()); };
  auto Byte = [&]() -> char {
    if (How.Text && Rng() % 2) return Structural[Rng() % Structural.size()];
    return static_cast<char>(Rng());
  };
  const int Count = 1 + static_cast<int>(Rng() % 4);
  for (int I = 0; I < Count && !B.empty(); ++I) {
    const size_t P = Pos();
    switch (Rng() % 8) {
      case 0:
        B[P] = static_cast<char>(B[P] ^ (1 << (Rng() % 8)));
        break;
      case 1:
        B[P] = Byte();
        break;
      case 2:
        B.insert(B.begin() + static_cast<std::ptrdiff_t>(P), Byte());
        break;
      case 3:
        B.erase(P, 1 + Rng() % 8);
        break;
      case 4:
        if (Rng() % 4 == 0) B.resize(P);
        break;
      case 5:
        B.insert(Pos(), B.substr(P, 1 + Rng() % 24));
        break;
      case 6:
        if (!How.Words.empty()) B.insert(Pos(), How.Words[Rng() % How.Words.size()]);
        break;
      default:
        if (How.Text)
          B.insert(Pos(), std::string(1 + Rng() % 3, '\n'));
        else
          B[P] = static_cast<char>(Rng() % 2 ? 0 : 0xFF);
    }
  }
  return B;
}

}  // namespace formwright::fuzz
