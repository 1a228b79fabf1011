// Copies of many short names kept together.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace formwright {

// Keeps copies of names in a few large blocks rather than one heap block apiece: the method
// table of a large designed module holds thousands of handler names, and names made one by one
// while the module is read lie among its components, so that freeing them at the end is a cache
// miss each. A copy stays valid, and its bytes stay taken, as long as the pool does: the pool
// is for names that are mostly kept, since a name given up (a renamed or removed method) is not
// reused.
class TNamePool {
 public:
  // Keeps a copy of Name and answers it.
  std::string_view Add(std::string_view Name) {
    if (Name.empty()) return {};
    if (FFree < Name.size()) {
      // Blocks grow from a few names (most classes have a handful) to a page; a name longer
      // than that gets a block of its own.
      FBlockSize = std::min(FBlockSize * 2, MaxBlockSize);
      FFree = std::max(FBlockSize, Name.size());
      FNext = FBlocks.emplace_back(std::make_unique<char[]>(FFree)).get();
    }
    char* Copy = FNext;
    std::memcpy(Copy, Name.data(), Name.size());
    FNext += Name.size();
    FFree -= Name.size();
    return {Copy, Name.size()};
  }

 private:
  static constexpr size_t MaxBlockSize = 4096;
  std::vector<std::unique_ptr<char[]>> FBlocks;
  size_t FBlockSize = 128;
  char* FNext = nullptr;
  size_t FFree = 0;
};

}  // namespace formwright
