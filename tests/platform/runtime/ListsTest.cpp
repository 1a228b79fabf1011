#include <gmock/gmock.h>

#include <map>
#include <memory>
#include <set>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/InlineList.h"
#include "platform/runtime/NameMap.h"
#include "platform/runtime/PointerMap.h"
#include "platform/runtime/PointerSet.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

TEST(StringList, SortedListsHonourTheDuplicatesRule) {
  TStringList L;
  L.SetSorted(true);
  L.Add("beta");
  L.Add("Alpha");
  L.Add("gamma");
  EXPECT_EQ(L.ToVector(), (std::vector<String>{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(L.Add("BETA"), 1);  // dupIgnore: the existing index
  EXPECT_EQ(L.Count(), 3);
  L.SetDuplicates(dupError);
  EXPECT_THAT([&] { L.Add("alpha"); }, Raises<EStringListError>("String list does not allow duplicates"));
  EXPECT_EQ(L.Count(), 3);
  L.SetDuplicates(dupAccept);
  L.Add("alpha");
  EXPECT_EQ(L.Count(), 4);
  EXPECT_THROW(L.Insert(0, "x"), EStringListError);
  int Index = -1;
  EXPECT_FALSE(L.Find("delta", Index));
  EXPECT_EQ(Index, 3);
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf("Alpha"), 0);
  EXPECT_EQ(L.IndexOf("ALPHA"), -1);
}

TEST(StringList, CommaTextNameValuesAndLineTextRoundTrip) {
  TStringList L;
  L.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\",,last");
  EXPECT_EQ(L.ToVector(), (std::vector<String>{"one", "two words", "say \"hi\"", "", "last"}));
  TStringList Back;
  Back.SetCommaText(L.CommaText());
  EXPECT_TRUE(Back.Equals(L));
  L.Clear();
  L.SetValue("Left", "10");
  L.SetValue("top", "20");
  L.SetValue("LEFT", "11");
  EXPECT_EQ(L.Values("left"), "11");
  EXPECT_EQ(L.Names(1), "top");
  L.SetValue("top", "");
  EXPECT_EQ(L.Count(), 1);
  L.SetText("a\r\nb\nc");
  EXPECT_EQ(L.Text(), "a\nb\nc\n");
  int Changes = 0;
  L.OnChange = [&](TObject*) { ++Changes; };
  L.BeginUpdate();
  L.Add("d");
  L.Add("e");
  L.EndUpdate();
  EXPECT_EQ(Changes, 1);
  L.Move(0, 4);
  EXPECT_EQ(L[4], "a");
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLines) {
  auto* L = new TStringList(true);
  L->AddObject("a", new TTestFont());
  L->AddObject("b", new TTestFont());
  L->Delete(0);
  EXPECT_EQ(L->Count(), 1);
  L->Free();  // the sanitizers report the remaining object if it leaks
}

TEST(Lists, BitsHandOutTheLowestFreeNumber) {
  TBits B;
  EXPECT_EQ(B.OpenBit(), 0);
  B.Set(0, true);
  B.Set(1, true);
  B.Set(3, true);
  EXPECT_EQ(B.OpenBit(), 2);
  B.Set(2, true);
  EXPECT_EQ(B.OpenBit(), 4);
  B.Set(1, false);
  EXPECT_EQ(B.OpenBit(), 1);
  EXPECT_FALSE(B.Get(100));
  EXPECT_THROW(B.Set(-1, true), EListError);
}

// Members come and go in waves (a module's components wait for Loaded, then leave one by one):
// the set answers the same as a reference set through growth and the reuse of freed places.
TEST(Lists, PointerSetsAnswerAsAReferenceSetThroughGrowthAndRemovals) {
  std::vector<int> Objects(3000);
  TPointerSet<int> Set;
  std::set<const int*> Expected;
  for (int Wave = 0; Wave < 3; ++Wave) {
    for (size_t I = static_cast<size_t>(Wave); I < Objects.size(); I += 2)
      EXPECT_EQ(Set.Insert(&Objects[I]), Expected.insert(&Objects[I]).second);
    for (size_t I = 0; I < Objects.size(); I += 3)
      EXPECT_EQ(Set.Erase(&Objects[I]), Expected.erase(&Objects[I]) == 1);
    ASSERT_EQ(Set.Size(), Expected.size());
    for (const int& O : Objects) ASSERT_EQ(Set.Contains(&O), Expected.count(&O) == 1);
  }
  EXPECT_FALSE(Set.Contains(nullptr));
  Set.Clear();
  EXPECT_FALSE(Set.Contains(&Objects[1]));
  EXPECT_TRUE(Set.Insert(&Objects[1]));
}

// Erasing at the front, the middle and the end, through one element in place and out to the
// heap and back down to one: the list keeps the order a vector keeps.
TEST(Lists, InlineListsKeepAVectorsOrderInPlaceAndOnTheHeap) {
  std::vector<int> Objects(40);
  TInlineList<int*> List;
  std::vector<int*> Expected;
  const auto EraseAt = [&](size_t I) {
    List.erase(List.begin() + I);
    Expected.erase(Expected.begin() + static_cast<std::ptrdiff_t>(I));
  };
  for (int& O : Objects) {
    List.push_back(&O);
    Expected.push_back(&O);
    ASSERT_THAT(List, ::testing::ElementsAreArray(Expected));
  }
  EraseAt(0);
  EraseAt(List.size() / 2);
  EraseAt(List.size() - 1);
  EXPECT_THAT(List, ::testing::ElementsAreArray(Expected));
  while (List.size() > 1) EraseAt((List.size() - 1) % 3);
  EXPECT_THAT(List, ::testing::ElementsAre(Expected.front()));
  EraseAt(0);
  EXPECT_TRUE(List.empty());
  List.push_back(&Objects[7]);
  List.push_back(&Objects[3]);
  EXPECT_THAT(std::vector<int*>(List.rbegin(), List.rend()),
              ::testing::ElementsAre(&Objects[3], &Objects[7]));
}

TEST(Lists, PointerMapsAnswerAsAReferenceMapAndHandBackWhatTheyTakeOut) {
  std::vector<int> Objects(3000);
  TPointerMap<int, std::shared_ptr<int>> Map;
  std::map<const int*, int> Expected;
  for (int Wave = 0; Wave < 3; ++Wave) {
    for (size_t I = static_cast<size_t>(Wave); I < Objects.size(); I += 2) {
      const int V = Wave * 10000 + static_cast<int>(I);
      EXPECT_EQ(Map.Insert(&Objects[I], std::make_shared<int>(V)).second,
                Expected.emplace(&Objects[I], V).second);
    }
    for (size_t I = 0; I < Objects.size(); I += 3) {
      const std::shared_ptr<int> Taken = Map.Take(&Objects[I]);
      const auto It = Expected.find(&Objects[I]);
      ASSERT_EQ(Taken != nullptr, It != Expected.end());
      if (Taken) {
        EXPECT_EQ(*Taken, It->second);
        EXPECT_EQ(Taken.use_count(), 1);  // the map keeps no copy
        Expected.erase(It);
      }
    }
    ASSERT_EQ(Map.Size(), Expected.size());
    for (const int& O : Objects) {
      const auto It = Expected.find(&O);
      std::shared_ptr<int>* Found = Map.Find(&O);
      ASSERT_EQ(Found != nullptr, It != Expected.end());
      if (Found) {
        ASSERT_EQ(**Found, It->second);
      }
    }
  }
  // TakeIf hands back exactly the entries it was asked to remove.
  const std::vector<std::shared_ptr<int>> Odd = Map.TakeIf(
      [&](const int* Key, const std::shared_ptr<int>&) { return (Key - Objects.data()) % 2 == 1; });
  EXPECT_EQ(Odd.size(),
            std::erase_if(Expected, [&](const auto& E) { return (E.first - Objects.data()) % 2 == 1; }));
  EXPECT_EQ(Map.Size(), Expected.size());
  EXPECT_EQ(Map.Find(nullptr), nullptr);
  Map.Clear();
  EXPECT_EQ(Map.Find(&Objects[0]), nullptr);
  EXPECT_TRUE(Map.Insert(&Objects[0], nullptr).second);
}

TEST(Lists, InterfaceListsHoldReferences) {
  IPtr<TInterfaceList> L = MakeIntf<TInterfaceList>();
  IPtr<TInterfaceList> Inner = MakeIntf<TInterfaceList>();
  L->Add(IPtr<IInterface>(Inner.Get()));
  EXPECT_EQ(Inner->RefCount(), 2);
  EXPECT_EQ(L->IndexOf(IPtr<IInterface>(Inner.Get())), 0);
  L->Remove(IPtr<IInterface>(Inner.Get()));
  EXPECT_EQ(Inner->RefCount(), 1);
  EXPECT_THROW(L->Delete(0), EListError);
  TList P;
  int X = 0, Y = 0;
  P.Add(&X);
  P.Add(&Y);
  P.Move(0, 1);
  EXPECT_EQ(P[0], &Y);
  int Z = 0;
  EXPECT_EQ(P.Remove(&Z), -1);
}

namespace {
struct TNamed {
  String Name;
};
struct TNamedNameOf {
  std::string_view operator()(const TNamed* N) const noexcept { return N->Name; }
};
}  // namespace

// Both name tables against a map by lower-case name, through growth, erasures (whose slots
// later lookups must step over) and names that differ only in letter case.
TEST(Lists, NameTablesAnswerAsAMapByNameIgnoringCase) {
  std::vector<TNamed> Items(4000);
  for (size_t I = 0; I < Items.size(); ++I) Items[I].Name = Format(I % 2 ? "Button%d" : "bUTTON%d", int(I));
  TNameTable<TNamed, TNamedNameOf> Table;
  TNameMap<size_t> Map;
  std::map<String, size_t> Expected;
  for (int Wave = 0; Wave < 3; ++Wave) {
    for (size_t I = static_cast<size_t>(Wave); I < Items.size(); I += 2) {
      Table.Set(Items[I].Name, &Items[I]);
      EXPECT_EQ(Map.TryEmplace(Items[I].Name, I).second,
                Expected.try_emplace(LowerCase(Items[I].Name), I).second);
    }
    for (size_t I = 0; I < Items.size(); I += 3) {
      const bool Was = Expected.erase(LowerCase(Items[I].Name)) == 1;
      EXPECT_EQ(Table.Erase(UpperCase(Items[I].Name), &Items[I]), Was);
      EXPECT_EQ(Map.Erase(UpperCase(Items[I].Name)), Was);
    }
    ASSERT_EQ(Table.Size(), Expected.size());
    ASSERT_EQ(Map.Size(), Expected.size());
    for (size_t I = 0; I < Items.size(); ++I) {
      const bool In = Expected.count(LowerCase(Items[I].Name)) == 1;
      ASSERT_EQ(Table.Find(LowerCase(Items[I].Name)), In ? &Items[I] : nullptr) << Items[I].Name;
      const size_t* V = Map.Find(UpperCase(Items[I].Name));
      ASSERT_EQ(V ? *V : SIZE_MAX, In ? Expected[LowerCase(Items[I].Name)] : SIZE_MAX);
    }
  }
  // Another item of the same name takes the entry over; erasing under that name needs the item.
  TNamed Other{"BUTTON1"};
  Table.Set(Other.Name, &Other);
  EXPECT_FALSE(Table.Erase("button1", &Items[1]));
  EXPECT_EQ(Table.Find("Button1"), &Other);
  EXPECT_EQ(Table.Find("Button"), nullptr);
  size_t Sum = 0;
  Map.ForEach([&](size_t V) { Sum += V; });
  size_t ExpectedSum = 0;
  for (const auto& [Name, V] : Expected) ExpectedSum += V;
  EXPECT_EQ(Sum, ExpectedSum);
}

// Renaming one entry over and over (take out under the old name, add under the new) keeps the
// map small and right; values are visited in the order they were added.
TEST(Lists, NameMapsStayRightThroughManyRenames) {
  TNameMap<int> Map;
  for (int I = 0; I < 10; ++I) Map.TryEmplace(Format("Field%d", I), I);
  for (int Round = 0; Round < 5000; ++Round) {
    const int* Before = Map.Find(Format("Moving%d", Round - 1));
    const int Value = Before ? *Before : -1;
    Map.Erase(Format("Moving%d", Round - 1));
    ASSERT_TRUE(Map.TryEmplace(Format("MOVING%d", Round), Value + 1).second);
  }
  EXPECT_EQ(Map.Size(), 11u);
  EXPECT_THAT(Map.Find("moving4999"), ::testing::Pointee(4999));
  EXPECT_EQ(Map.Find("Moving4998"), nullptr);
  std::vector<int> Order;
  Map.ForEach([&](int V) { Order.push_back(V); });
  EXPECT_THAT(Order, ::testing::ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 4999));
}
