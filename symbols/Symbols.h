// Hashed symbol tables shared by the reserved-word tables and by packages that keep their own
// symbols (unit Symbols).
//
// A table has 32 buckets, each a chain of symbols with the newest first. Identifiers are
// hashed by `SymbolIndex`, which is stable under letter case, so a case-insensitive table
// finds "Begin" in the bucket of "BEGIN".
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// Longest identifier, in bytes of its UTF-8 form, that a symbol keeps.
inline constexpr size_t MaxSymbolLength = 255;
// Number of buckets of a `TSymbolTable`.
inline constexpr int SymbolTableSize = 32;

// The case-insensitive sort key of `Identifier` in the platform's collation (an ICU collator
// for the process's locale at secondary strength, so letter case is ignored). The key ends
// with its 0 terminator, as the platform returns it. Used for identifiers with non-ASCII bytes.
std::vector<uint8_t> SymbolSortKey(std::string_view Identifier);

// The bucket (0..31) of an identifier given in UTF-8. ASCII letter case never changes it; an
// identifier with a byte of 128 or more is hashed over its `SymbolSortKey` instead, so that
// differently cased non-ASCII forms meet in one bucket too. An empty identifier has bucket 0.
int SymbolIndex(std::string_view Identifier);

// A symbol: an identifier kept as a short string (at most 255 bytes of UTF-8) for hashing and
// comparison, and as a Unicode string made from it on first use. Derive from it to carry what
// your symbols mean (see `TPascalSymbol`). A symbol belongs to at most one table at a time;
// the table links it through `Next`.
class TBaseSymbol {
 public:
  // An identifier longer than 255 bytes is cut at the last whole character that fits, as a
  // short string assignment cuts it.
  explicit TBaseSymbol(std::string_view Identifier);
  explicit TBaseSymbol(const WideString& Identifier);
  virtual ~TBaseSymbol() = default;
  TBaseSymbol(const TBaseSymbol&) = delete;
  TBaseSymbol& operator=(const TBaseSymbol&) = delete;

  // The identifier's short (UTF-8) form.
  const String& Name() const noexcept { return FName; }
  // The identifier's Unicode form, made from the short form when first asked for.
  const WideString& UnicodeName() const;
  // The next symbol of the same bucket, or nullptr.
  TBaseSymbol* Next() const noexcept { return FNext; }

 private:
  friend class TSymbolTable;
  String FName;
  mutable std::optional<WideString> FUnicodeName;
  TBaseSymbol* FNext = nullptr;
};

// How a table compares identifiers.
enum class TSymbolTableKind : uint8_t {
  // Letter case is ignored: ASCII letters directly, other letters by Unicode case folding.
  stCaseInsensitive = 0,
  // Identifiers must match byte for byte.
  stCaseSensitive = 1,
};

// A hash table of symbols that owns them. Not thread-safe: use it from one thread at a time.
class TSymbolTable {
 public:
  // Answers whether `Symbol` is the one a `FindSymbol` caller is looking for.
  using TSymbolTest = bool (*)(const TBaseSymbol& Symbol, const void* Argument);

  explicit TSymbolTable(TSymbolTableKind Kind);
  virtual ~TSymbolTable();
  TSymbolTable(const TSymbolTable&) = delete;
  TSymbolTable& operator=(const TSymbolTable&) = delete;

  TSymbolTableKind Kind() const noexcept { return FKind; }
  int Count() const noexcept { return FCount; }
  bool Empty() const noexcept { return FCount == 0; }
  // The first symbol of a bucket's chain (newest first), or nullptr.
  TBaseSymbol* Bucket(int Index) const;

  // Takes ownership of `Symbol` and puts it first in its bucket; returns the symbol, which
  // stays valid until it is deleted from the table or the table is cleared. A nullptr is
  // ignored (and returned).
  TBaseSymbol* Insert(std::unique_ptr<TBaseSymbol> Symbol);
  // Unlinks this very symbol from its bucket without freeing it and hands ownership back to
  // the caller. Returns nullptr (count unchanged) when it is not in the table.
  std::unique_ptr<TBaseSymbol> Delete(TBaseSymbol* Symbol);
  // True when this very symbol object is in the table.
  bool Contains(const TBaseSymbol* Symbol) const;
  // The newest symbol whose identifier compares equal to `Identifier`, or nullptr.
  TBaseSymbol* Find(std::string_view Identifier) const;
  TBaseSymbol* Find(const WideString& Identifier) const;
  // As `Find`, but searching the given bucket only.
  TBaseSymbol* FindIndex(int Bucket, std::string_view Identifier) const;
  // The next symbol after `Symbol` in its chain with an equal identifier, or nullptr.
  TBaseSymbol* FindNext(const TBaseSymbol* Symbol) const;
  // The first symbol of `Bucket` for which `Test(Symbol, Argument)` answers true.
  TBaseSymbol* FindSymbol(int Bucket, TSymbolTest Test, const void* Argument) const;
  // Frees every symbol and sets the count to 0.
  void Clear();

  // Whether two identifiers are equal under this table's comparison.
  bool SameIdentifier(std::string_view A, std::string_view B) const;

 private:
  TSymbolTableKind FKind;
  int FCount = 0;
  std::array<std::atomic<TBaseSymbol*>, SymbolTableSize> FBuckets{};
};

// Walks a table's symbols by position: bucket 0 first, chain order within a bucket. The
// positions are those of the moment the iterator was made; do not change the table while
// walking it.
class TTableIterator {
 public:
  explicit TTableIterator(const TSymbolTable& Table);
  // The Index-th symbol, or nullptr when Index is negative or not below the count taken at
  // construction. Walking forward is cheap; asking for an earlier position starts over.
  TBaseSymbol* GetSymbol(int Index);

 private:
  const TSymbolTable& FTable;
  int FCount;
  int FBucket = -1;    // bucket of FCurrent; -1 before the first bucket
  int FPosition = -1;  // table position of FCurrent
  TBaseSymbol* FCurrent = nullptr;
};

// A growable list of symbol references that does not own them. It starts with room for one
// symbol and doubles its room when full.
class TSymbolList {
 public:
  TSymbolList();
  void Add(TBaseSymbol* Symbol);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  int Capacity() const noexcept { return static_cast<int>(FItems.capacity()); }
  // Raises EListError for an index out of bounds.
  TBaseSymbol* Item(int Index) const;
  TBaseSymbol* operator[](int Index) const { return Item(Index); }
  // Forgets every reference and shrinks back to room for one.
  void Clear();

 private:
  std::vector<TBaseSymbol*> FItems;
};

}  // namespace formwright
