#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "symbols/CppSym.h"
#include "symbols/PasSym.h"

using namespace formwright;

namespace {

std::vector<const TTokenSymbol*> AllSymbols(const TReservedWordTable& Words) {
  std::vector<const TTokenSymbol*> Result;
  TTableIterator It(Words.Table());
  for (int I = 0; const TBaseSymbol* S = It.GetSymbol(I); ++I)
    Result.push_back(static_cast<const TTokenSymbol*>(S));
  return Result;
}

}  // namespace

TEST(PascalReservedWords, TableHoldsSeventyOneUpperCaseWordsOfPascalSymbols) {
  const auto Words = AllSymbols(PasSym::ReservedWords());
  ASSERT_EQ(Words.size(), 71u);
  EXPECT_EQ(PasSym::ReservedWords().Table().Kind(), TSymbolTableKind::stCaseInsensitive);
  std::set<String> Distinct;
  for (const TTokenSymbol* S : Words) {
    EXPECT_EQ(S->Name(), UpperCase(S->Name()));
    EXPECT_NE(dynamic_cast<const TPascalSymbol*>(S), nullptr);
    EXPECT_TRUE(PasSym::IsReservedWord(LowerCase(S->Name()))) << S->Name();
    EXPECT_TRUE(PasSym::IsReservedWord(Utf8ToWide(LowerCase(S->Name())))) << S->Name();
    Distinct.insert(S->Name());
  }
  EXPECT_EQ(Distinct.size(), 71u);
  EXPECT_EQ(PasSym::ReservedWords().MaxWordLength(), 14);
}

namespace {
// Pascal words in any case, C++ words in their own; whole ASCII words only. A word is asked in
// its wide form and, when it is ASCII, in its narrow form, which must agree.
bool Reserved(bool Pascal, const WideString& Word) {
  const String Narrow = WideToUtf8(Word);
  const bool Wide = Pascal ? PasSym::IsReservedWord(Word) : CppSym::IsReservedWord(Word);
  if (std::all_of(Narrow.begin(), Narrow.end(), [](char Ch) { return Ch > 0; })) {
    EXPECT_EQ(Pascal ? PasSym::IsReservedWord(std::string_view(Narrow))
                     : CppSym::IsReservedWord(std::string_view(Narrow)),
              Wide)
        << Narrow;
  }
  return Wide;
}
}  // namespace

TEST(ReservedWords, WhatIsReservedInEachLanguage) {
  for (const char16_t* Word : {u"begin", u"bEgIn", u"BEGIN", u"ResourceString"})
    EXPECT_TRUE(Reserved(true, Word)) << WideToUtf8(Word);
  // U+0149 U+0146 narrowed by their low bytes alone would read "IF".
  for (const char16_t* Word :
       {u"beginx", u"Begin1", u"", u"ResourceStrings", u"if\u20AC", u"b\u00E9gin", u"\u0149\u0146"})
    EXPECT_FALSE(Reserved(true, Word)) << WideToUtf8(Word);
  for (const char16_t* Word : {u"class", u"_Bool"}) EXPECT_TRUE(Reserved(false, Word)) << WideToUtf8(Word);
  for (const char16_t* Word : {u"Class", u"_bool", u"__has_nothrow_default_constructors"})
    EXPECT_FALSE(Reserved(false, Word)) << WideToUtf8(Word);
}

TEST(ReservedWords, TokenCodesOfTheParsers) {
  const struct {
    bool Pascal;
    const char* Word;
    int Token;
  } Cases[] = {{true, "and", 4},         {true, "Array", 5},         {true, "of", 6},
               {true, "procedure", 7},   {true, "end", 13},          {true, "set", 34},
               {true, "interface", 128}, {true, "asm", 135},         {true, "until", 143},
               {true, "xor", 4},         {false, "private", 7},      {false, "protected", 8},
               {false, "public", 9},     {false, "__published", 10}, {false, "__automated", 11},
               {false, "while", 4},      {false, "__property", 4}};
  for (const auto& C : Cases) {
    const TReservedWordTable& Words = C.Pascal ? PasSym::ReservedWords() : CppSym::ReservedWords();
    EXPECT_EQ(Words.Find(std::string_view(C.Word))->Token(), C.Token) << C.Word;
  }
}

TEST(CppReservedWords, TableHoldsOneHundredNinetySevenCaseSensitiveWords) {
  const auto Words = AllSymbols(CppSym::ReservedWords());
  ASSERT_EQ(Words.size(), 197u);
  EXPECT_EQ(CppSym::ReservedWords().Table().Kind(), TSymbolTableKind::stCaseSensitive);
  for (const TTokenSymbol* S : Words) {
    EXPECT_NE(dynamic_cast<const TCppSymbol*>(S), nullptr);
    EXPECT_TRUE(CppSym::IsReservedWord(S->Name()));
    EXPECT_TRUE(CppSym::IsReservedWord(Utf8ToWide(S->Name())));
    if (UpperCase(S->Name()) != S->Name()) {
      EXPECT_FALSE(CppSym::IsReservedWord(UpperCase(S->Name())));
    }
  }
  EXPECT_EQ(CppSym::ReservedWords().MaxWordLength(),
            static_cast<int>(std::string_view("__has_nothrow_default_constructor").size()));
}

TEST(ReservedWordLists, PackedFormIsTokenLengthCharactersAndAZeroEnd) {
  constexpr TReservedEntry Entries[] = {{4, "AB"}, {200, "C"}};
  constexpr auto Packed = PackReservedWords<PackedSize(Entries)>(Entries);
  const std::array<uint8_t, 8> Expected = {4, 2, 'A', 'B', 200, 1, 'C', 0};
  EXPECT_EQ(Packed, Expected);
  TReservedWordTable Table(
      TSymbolTableKind::stCaseInsensitive, Packed.data(),
      [](std::string_view W, uint8_t T) { return std::make_unique<TTokenSymbol>(W, T); });
  EXPECT_EQ(Table.Table().Count(), 2);
  EXPECT_EQ(Table.MaxWordLength(), 2);
  EXPECT_EQ(Table.Find(std::string_view("c"))->Token(), 200);
}
