#include <gtest/gtest.h>

#include <memory>

#include "symbols/Symbols.h"

using namespace formwright;

namespace {

// The bucket rule written out independently: an 8-bit sum of (b XOR $0A) - 1, AND 31.
int ExpectedBucket(const std::vector<uint8_t>& Bytes) {
  unsigned Sum = 0;
  for (const uint8_t B : Bytes) Sum = (Sum + ((B ^ 0x0Au) - 1u)) & 0xFFu;
  return static_cast<int>(Sum & 31u);
}

bool NameStartsWithX(const TBaseSymbol& Symbol, const void* Argument) {
  return Symbol.Name().rfind(static_cast<const char*>(Argument), 0) == 0;
}

}  // namespace

TEST(SymbolIndex, SumsTermsInEightBitArithmetic) {
  EXPECT_EQ(SymbolIndex(""), 0);
  // 'A' is $41: ($41 xor $0A) - 1 = $4A = 74, bucket 10.
  EXPECT_EQ(SymbolIndex("A"), 10);
  // Three 'z' terms of 111 wrap around 256: 333 - 256 = 77, bucket 13.
  EXPECT_EQ(SymbolIndex("zzz"), 13);
  // A byte of $0A gives the term -1, that is 255.
  EXPECT_EQ(SymbolIndex("\n"), 31);
  const std::pair<const char*, int> Cases[] = {{"Button1", 0}, {"TForm1", 3},      {"OnClick", 30},
                                               {"x", 17},      {"__fastcall", 14}, {"OnCLICK", 30}};
  for (const auto& [Word, Bucket] : Cases) EXPECT_EQ(SymbolIndex(Word), Bucket) << Word;
}

TEST(SymbolIndex, NonAsciiIdentifierIsHashedOverItsCaseInsensitiveSortKey) {
  const std::vector<uint8_t> Key = SymbolSortKey("Äpfel");
  ASSERT_FALSE(Key.empty());
  EXPECT_EQ(Key.back(), 0) << "the key ends with its terminator";
  EXPECT_EQ(SymbolSortKey("äPFEL"), Key);
  EXPECT_NE(SymbolSortKey("Apfel"), Key) << "accents are not letter case";
  EXPECT_EQ(SymbolIndex("Äpfel"), ExpectedBucket(Key));
  EXPECT_EQ(SymbolIndex("Äpfel"), SymbolIndex("äPFEL"));
  EXPECT_EQ(SymbolIndex("ÜBERSICHT"), SymbolIndex("übersicht"));
}

TEST(BaseSymbol, LongIdentifierIsCutAtACharacterBoundaryWithin255Bytes) {
  const String Long = String(254, 'a') + "é";  // 256 bytes, the last character has two
  TBaseSymbol Symbol(Long);
  EXPECT_EQ(Symbol.Name(), String(254, 'a'));
  EXPECT_EQ(Symbol.UnicodeName(), Utf8ToWide(String(254, 'a')));
  TBaseSymbol Exact(String(255, 'b'));
  EXPECT_EQ(Exact.Name().size(), 255u);
  TBaseSymbol Wide(Utf8ToWide(Long));
  EXPECT_EQ(Wide.Name(), String(254, 'a'));
  EXPECT_EQ(Wide.UnicodeName(), Utf8ToWide(String(254, 'a')));
}

TEST(SymbolTable, CaseInsensitiveKindFindsEveryCasing) {
  TSymbolTable Table(TSymbolTableKind::stCaseInsensitive);
  auto* Begin = Table.Insert(std::make_unique<TBaseSymbol>("BEGIN"));
  EXPECT_EQ(Table.Find("begin"), Begin);
  EXPECT_EQ(Table.Find("Begin"), Begin);
  EXPECT_EQ(Table.Find(WideString(u"bEgIn")), Begin);
  EXPECT_EQ(Table.Find("begins"), nullptr);
  auto* Apple = Table.Insert(std::make_unique<TBaseSymbol>("Äpfel"));
  EXPECT_EQ(Table.Find("äPFEL"), Apple);
  EXPECT_EQ(Table.Find("Apfel"), nullptr);
}

TEST(SymbolTable, CaseSensitiveKindComparesBytes) {
  TSymbolTable Table(TSymbolTableKind::stCaseSensitive);
  auto* Class = Table.Insert(std::make_unique<TBaseSymbol>("class"));
  EXPECT_EQ(Table.Find("class"), Class);
  EXPECT_EQ(Table.Find("Class"), nullptr);
  Table.Insert(std::make_unique<TBaseSymbol>("Äpfel"));
  EXPECT_EQ(Table.Find("äpfel"), nullptr);
  EXPECT_NE(Table.Find("Äpfel"), nullptr);
}

TEST(SymbolTable, InsertPutsNewestFirstAndFindNextWalksEqualIdentifiers) {
  TSymbolTable Table(TSymbolTableKind::stCaseInsensitive);
  auto* Old = Table.Insert(std::make_unique<TBaseSymbol>("Item"));
  Table.Insert(std::make_unique<TBaseSymbol>("mItE"));  // same letters in another order
  EXPECT_EQ(Table.Insert(nullptr), nullptr);
  auto* Newest = Table.Insert(std::make_unique<TBaseSymbol>("ITEM"));
  EXPECT_EQ(Table.Count(), 3);
  const int Bucket = SymbolIndex("item");
  EXPECT_EQ(Table.Bucket(Bucket), Newest);
  EXPECT_EQ(Table.Find("item"), Newest);
  EXPECT_EQ(Table.FindNext(Newest), Old);
  EXPECT_EQ(Table.FindNext(Old), nullptr);
  EXPECT_EQ(Table.FindIndex(Bucket, "Item"), Newest);
  EXPECT_EQ(Table.FindIndex((Bucket + 1) % SymbolTableSize, "Item"), nullptr);
  EXPECT_THROW(Table.Bucket(SymbolTableSize), EListError);
}

TEST(SymbolTable, FindSymbolAsksTheCallersTest) {
  TSymbolTable Table(TSymbolTableKind::stCaseSensitive);
  auto* Xa = Table.Insert(std::make_unique<TBaseSymbol>("xa"));
  Table.Insert(std::make_unique<TBaseSymbol>("ya"));
  EXPECT_EQ(Table.FindSymbol(SymbolIndex("xa"), NameStartsWithX, "x"), Xa);
  EXPECT_EQ(Table.FindSymbol(SymbolIndex("ya"), NameStartsWithX, "z"), nullptr);
}

TEST(SymbolTable, DeleteUnlinksByIdentityAndHandsTheSymbolBack) {
  TSymbolTable Table(TSymbolTableKind::stCaseInsensitive);
  auto* A = Table.Insert(std::make_unique<TBaseSymbol>("Alpha"));
  auto* B = Table.Insert(std::make_unique<TBaseSymbol>("alpha"));
  const auto Stranger = std::make_unique<TBaseSymbol>("Alpha");
  EXPECT_EQ(Table.Delete(Stranger.get()), nullptr);
  EXPECT_EQ(Table.Delete(nullptr), nullptr);
  EXPECT_EQ(Table.Count(), 2);
  EXPECT_FALSE(Table.Contains(Stranger.get()));
  const std::unique_ptr<TBaseSymbol> Deleted = Table.Delete(A);
  EXPECT_EQ(Deleted.get(), A) << "the caller owns the unlinked symbol again";
  EXPECT_EQ(Table.Count(), 1);
  EXPECT_FALSE(Table.Contains(A));
  EXPECT_TRUE(Table.Contains(B));
  EXPECT_EQ(Table.Find("ALPHA"), B);
  EXPECT_EQ(Table.Delete(A), nullptr);
  EXPECT_EQ(Table.Count(), 1);
}

TEST(SymbolTable, ClearFreesEverySymbolAndEmptiesTheTable) {
  TSymbolTable Table(TSymbolTableKind::stCaseInsensitive);
  EXPECT_TRUE(Table.Empty());
  for (const char* Name : {"a", "b", "c", "Ä", "ä"}) Table.Insert(std::make_unique<TBaseSymbol>(Name));
  EXPECT_FALSE(Table.Empty());
  Table.Clear();
  EXPECT_TRUE(Table.Empty());
  EXPECT_EQ(Table.Find("a"), nullptr);
  for (int I = 0; I < SymbolTableSize; ++I) EXPECT_EQ(Table.Bucket(I), nullptr);
  Table.Insert(std::make_unique<TBaseSymbol>("again"));  // the destructor frees what is left
}

TEST(TableIterator, VisitsBucketsInOrderAndChainsNewestFirst) {
  TSymbolTable Table(TSymbolTableKind::stCaseSensitive);
  const char* Names[] = {"zzz", "A", "a", "Button1", "", "Caption"};
  for (const char* Name : Names) Table.Insert(std::make_unique<TBaseSymbol>(Name));
  std::vector<const TBaseSymbol*> Expected;
  for (int B = 0; B < SymbolTableSize; ++B)
    for (const TBaseSymbol* S = Table.Bucket(B); S; S = S->Next()) Expected.push_back(S);
  ASSERT_EQ(Expected.size(), 6u);
  EXPECT_EQ(Expected[0]->Name(), "") << "the empty identifier lives in bucket 0";

  TTableIterator It(Table);
  for (int I = 0; I < 6; ++I) EXPECT_EQ(It.GetSymbol(I), Expected[static_cast<size_t>(I)]) << I;
  EXPECT_EQ(It.GetSymbol(1), Expected[1]) << "going back restarts from the beginning";
  EXPECT_EQ(It.GetSymbol(5), Expected[5]) << "skipping forward";
  EXPECT_EQ(It.GetSymbol(-1), nullptr);
  EXPECT_EQ(It.GetSymbol(6), nullptr);

  Table.Insert(std::make_unique<TBaseSymbol>("later"));
  EXPECT_EQ(It.GetSymbol(6), nullptr) << "the count is the one taken when the iterator was made";
}

TEST(SymbolList, StartsWithRoomForOneAndDoubles) {
  TSymbolList List;
  EXPECT_EQ(List.Capacity(), 1);
  TBaseSymbol A("a"), B("b"), C("c");
  List.Add(&A);
  EXPECT_EQ(List.Capacity(), 1);
  List.Add(&B);
  EXPECT_EQ(List.Capacity(), 2);
  List.Add(&C);
  EXPECT_EQ(List.Capacity(), 4);
  EXPECT_EQ(List.Count(), 3);
  EXPECT_EQ(List[0], &A);
  EXPECT_EQ(List.Item(2), &C);
  EXPECT_THROW(List.Item(3), EListError);
  EXPECT_THROW(List.Item(-1), EListError);
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Capacity(), 1);
}
