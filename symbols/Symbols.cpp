#include "symbols/Symbols.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "platform/runtime/RtlConsts.h"

namespace formwright {

namespace {

bool HasHighByte(std::string_view S) noexcept {
  for (const char C : S)
    if (static_cast<unsigned char>(C) >= 0x80) return true;
  return false;
}

// The collation used for sort keys: the process's locale at secondary strength, which ignores
// letter case (tertiary differences) but keeps accents apart, as the platform's ignore-case sort
// key does. The "C"/POSIX locale maps to ICU's en_US_POSIX, whose collation orders letters by
// code and so tells cases apart even at primary strength; it falls back to the root collation.
// Made once; ICU collators are safe for concurrent const use.
const icu::Collator& IgnoreCaseCollator() {
  static const std::unique_ptr<icu::Collator> Collator = [] {
    const icu::Locale& Default = icu::Locale::getDefault();
    const bool Posix = std::string_view(Default.getVariant()) == "POSIX";
    UErrorCode Status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> C(
        icu::Collator::createInstance(Posix ? icu::Locale::getRoot() : Default, Status));
    if (U_FAILURE(Status) || !C) throw Exception("Unable to open the collator for symbol sort keys");
    C->setStrength(icu::Collator::SECONDARY);
    return C;
  }();
  return *Collator;
}

// One step of the bucket sum: (b XOR $0A) - 1 in 8-bit arithmetic.
inline uint8_t AddByte(uint8_t Sum, uint8_t B) noexcept {
  return static_cast<uint8_t>(Sum + static_cast<uint8_t>((B ^ 0x0A) - 1));
}

// Cuts a UTF-8 identifier to at most MaxSymbolLength bytes without splitting a character.
String ShortForm(std::string_view Identifier) {
  if (Identifier.size() <= MaxSymbolLength) return String(Identifier);
  size_t End = MaxSymbolLength;
  while (End > 0 && (static_cast<unsigned char>(Identifier[End]) & 0xC0) == 0x80) --End;
  return String(Identifier.substr(0, End));
}

}  // namespace

std::vector<uint8_t> SymbolSortKey(std::string_view Identifier) {
  const icu::UnicodeString Text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(Identifier.data(), static_cast<int32_t>(Identifier.size())));
  const icu::Collator& Collator = IgnoreCaseCollator();
  std::vector<uint8_t> Key(64);
  int32_t Length = Collator.getSortKey(Text, Key.data(), static_cast<int32_t>(Key.size()));
  if (Length > static_cast<int32_t>(Key.size())) {
    Key.resize(static_cast<size_t>(Length));
    Length = Collator.getSortKey(Text, Key.data(), Length);
  }
  Key.resize(static_cast<size_t>(Length));
  return Key;
}

int SymbolIndex(std::string_view Identifier) {
  uint8_t Sum = 0;
  if (!HasHighByte(Identifier)) {
    for (const char C : Identifier) Sum = AddByte(Sum, static_cast<uint8_t>(C));
  } else {
    for (const uint8_t B : SymbolSortKey(Identifier)) Sum = AddByte(Sum, B);
  }
  return Sum & (SymbolTableSize - 1);
}

// --- TBaseSymbol ---

TBaseSymbol::TBaseSymbol(std::string_view Identifier) : FName(ShortForm(Identifier)) {}

TBaseSymbol::TBaseSymbol(const WideString& Identifier) : FName(ShortForm(WideToUtf8(Identifier))) {
  if (FName.size() == WideToUtf8(Identifier).size()) FUnicodeName = Identifier;
}

const WideString& TBaseSymbol::UnicodeName() const {
  if (!FUnicodeName) FUnicodeName = Utf8ToWide(FName);
  return *FUnicodeName;
}

// --- TSymbolTable ---

TSymbolTable::TSymbolTable(TSymbolTableKind Kind) : FKind(Kind) {}

TSymbolTable::~TSymbolTable() { Clear(); }

TBaseSymbol* TSymbolTable::Bucket(int Index) const {
  if (Index < 0 || Index >= SymbolTableSize) throw EListError(Format(SListIndexError, Index));
  return FBuckets[static_cast<size_t>(Index)].load(std::memory_order_relaxed);
}

bool TSymbolTable::SameIdentifier(std::string_view A, std::string_view B) const {
  if (FKind == TSymbolTableKind::stCaseSensitive) return A == B;
  if (!HasHighByte(A) && !HasHighByte(B)) return SameText(A, B);
  const auto ToUnicode = [](std::string_view S) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(S.data(), static_cast<int32_t>(S.size())));
  };
  return ToUnicode(A).caseCompare(ToUnicode(B), U_FOLD_CASE_DEFAULT) == 0;
}

// The chains link symbols through their raw `FNext`; a symbol in a chain is owned by the table
// and freed by `Clear`.
TBaseSymbol* TSymbolTable::Insert(std::unique_ptr<TBaseSymbol> Symbol) {
  if (!Symbol) return nullptr;
  auto& Head = FBuckets[static_cast<size_t>(SymbolIndex(Symbol->FName))];
  Symbol->FNext = Head.load(std::memory_order_relaxed);
  Head.store(Symbol.get(), std::memory_order_relaxed);
  ++FCount;
  return Symbol.release();
}

std::unique_ptr<TBaseSymbol> TSymbolTable::Delete(TBaseSymbol* Symbol) {
  if (!Symbol) return nullptr;
  auto& Head = FBuckets[static_cast<size_t>(SymbolIndex(Symbol->FName))];
  TBaseSymbol* Previous = nullptr;
  for (TBaseSymbol* S = Head.load(std::memory_order_relaxed); S; Previous = S, S = S->FNext) {
    if (S != Symbol) continue;
    if (Previous)
      Previous->FNext = S->FNext;
    else
      Head.store(S->FNext, std::memory_order_relaxed);
    S->FNext = nullptr;
    --FCount;
    return std::unique_ptr<TBaseSymbol>(S);
  }
  return nullptr;
}

bool TSymbolTable::Contains(const TBaseSymbol* Symbol) const {
  if (!Symbol) return false;
  for (TBaseSymbol* S = Bucket(SymbolIndex(Symbol->FName)); S; S = S->FNext)
    if (S == Symbol) return true;
  return false;
}

TBaseSymbol* TSymbolTable::Find(std::string_view Identifier) const {
  return FindIndex(SymbolIndex(Identifier), Identifier);
}

TBaseSymbol* TSymbolTable::Find(const WideString& Identifier) const { return Find(WideToUtf8(Identifier)); }

TBaseSymbol* TSymbolTable::FindIndex(int Bucket, std::string_view Identifier) const {
  for (TBaseSymbol* S = this->Bucket(Bucket); S; S = S->FNext)
    if (SameIdentifier(S->FName, Identifier)) return S;
  return nullptr;
}

TBaseSymbol* TSymbolTable::FindNext(const TBaseSymbol* Symbol) const {
  if (!Symbol) return nullptr;
  for (TBaseSymbol* S = Symbol->FNext; S; S = S->FNext)
    if (SameIdentifier(S->FName, Symbol->FName)) return S;
  return nullptr;
}

TBaseSymbol* TSymbolTable::FindSymbol(int Bucket, TSymbolTest Test, const void* Argument) const {
  for (TBaseSymbol* S = this->Bucket(Bucket); S; S = S->FNext)
    if (Test(*S, Argument)) return S;
  return nullptr;
}

void TSymbolTable::Clear() {
  for (auto& Head : FBuckets) {
    TBaseSymbol* S = Head.exchange(nullptr);
    while (S) {
      const std::unique_ptr<TBaseSymbol> Owned(S);
      S = S->FNext;
    }
  }
  FCount = 0;
}

// --- TTableIterator ---

TTableIterator::TTableIterator(const TSymbolTable& Table) : FTable(Table), FCount(Table.Count()) {}

TBaseSymbol* TTableIterator::GetSymbol(int Index) {
  if (Index < 0 || Index >= FCount) return nullptr;
  if (Index < FPosition) {
    FBucket = -1;
    FPosition = -1;
    FCurrent = nullptr;
  }
  while (FPosition < Index) {
    FCurrent = FCurrent ? FCurrent->Next() : nullptr;
    while (!FCurrent) {
      if (++FBucket >= SymbolTableSize) return nullptr;
      FCurrent = FTable.Bucket(FBucket);
    }
    ++FPosition;
  }
  return FCurrent;
}

// --- TSymbolList ---

TSymbolList::TSymbolList() { FItems.reserve(1); }

void TSymbolList::Add(TBaseSymbol* Symbol) {
  if (FItems.size() == FItems.capacity()) FItems.reserve(FItems.capacity() * 2);
  FItems.push_back(Symbol);
}

TBaseSymbol* TSymbolList::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return FItems[static_cast<size_t>(Index)];
}

void TSymbolList::Clear() {
  std::vector<TBaseSymbol*>().swap(FItems);
  FItems.reserve(1);
}

}  // namespace formwright
