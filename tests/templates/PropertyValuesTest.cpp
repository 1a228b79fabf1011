#include "templates/PropertyValues.h"

#include "TemplateTestSupport.h"
#include "templates/BooleanStack.h"

using namespace formwright;
using namespace formwright::testing;
using namespace formwright::templates;

namespace {

// A counter whose iteration the test sets.
struct TFixedCounter : IIterationCounter {
  int Iteration = 0;
  int GetCurrentIteration() const override { return Iteration; }
};

}  // namespace

TEST(PropertyValues, SetReplacesIgnoringCaseAndAppendsInOrder) {
  TPropertyValues Values;
  Values.SetProperty("FormName", String("Form1"));
  Values.SetProperty("Unit", String("Unit1"));
  Values.SetProperty("FORMNAME", String("MainForm"));
  ASSERT_EQ(Values.GetPropertyCount(), 2);
  EXPECT_EQ(Values.GetPropertyKey(0), "FormName");
  EXPECT_EQ(TemplateValueToText(Values.GetProperty(0)), "MainForm");
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("formname")), "MainForm");
  EXPECT_EQ(Values.GetPropertyKey(1), "Unit");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Values.GetProperty("Missing")));
  EXPECT_THROW(Values.GetProperty(2), EListError);
  EXPECT_THROW(Values.GetPropertyKey(-1), EListError);
  Values.ClearProperties();
  EXPECT_EQ(Values.GetPropertyCount(), 0);
}

TEST(PropertyValues, RoomGrowsByFiveEntries) {
  TPropertyValues Values;
  TCollectionProperty Items;
  for (int I = 0; I < 6; ++I) {
    Values.SetProperty(Format("P%d", I), int64_t(I));
    Items.AddItem(CoPropertyValues::Create());
  }
  EXPECT_EQ(Values.Capacity(), 10);
  EXPECT_EQ(Items.Capacity(), 10);
}

TEST(PropertyValues, ValuesShowAsText) {
  EXPECT_EQ(TemplateValueToText(TTemplateValue()), "");
  EXPECT_EQ(TemplateValueToText(String("abc")), "abc");
  EXPECT_EQ(TemplateValueToText(int64_t(-42)), "-42");
  EXPECT_EQ(TemplateValueToText(2.5), "2.5");
  EXPECT_EQ(TemplateValueToText(true), "True");
  EXPECT_EQ(TemplateValueToText(false), "False");
  EXPECT_EQ(TemplateValueToText(Collection({Bag({{"A", String("x")}})})), "");
}

TEST(PropertyValues, DottedNameReachesTheCurrentItemOrFallsBackToThePlainKey) {
  auto Items = std::make_shared<TCollectionProperty>();
  Items->AddItem(Bag({{"Name", String("First")}}));
  Items->AddItem(Bag({{"Name", String("Second")}}));
  TPropertyValues Values;
  Values.SetCollectionProperty("Item", Items);
  Values.SetProperty("Item.Name", String("plain"));
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("Item.Name")), "plain") << "no counter, no current item";

  TFixedCounter Counter;
  Items->SetCounter(&Counter);
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("item.name")), "First");
  Counter.Iteration = 1;
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("Item.Name")), "Second");
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("Item.Other")), "") << "missing in the item";
  Counter.Iteration = -1;
  EXPECT_EQ(Items->GetCurrentItem(), nullptr);
  EXPECT_EQ(TemplateValueToText(Values.GetProperty("Item.Name")), "plain");
  Counter.Iteration = 2;
  EXPECT_EQ(Items->GetCurrentItem(), nullptr);
  Items->SetCounter(nullptr);
  EXPECT_EQ(Items->GetMaxIteration(), 2);
  EXPECT_THROW(Items->GetItem(2), EListError);
}

TEST(PropertyValues, DumpListsEveryEntryAndEachItemOneLevelDeeper) {
  TPropertyValues Values;
  Values.SetProperty("Form", String("Form1"));
  Values.SetCollectionProperty("Fields", Collection({Bag({{"Name", String("Id")}, {"Size", int64_t(4)}}),
                                                     Bag({{"Name", String("Title")}})}));
  Values.SetProperty("Done", true);
  const String Expected =
      "Form=Form1\r\n"
      "Fields=\r\n<0>\r\n  Name=Id\r\n  Size=4\r\n<1>\r\n  Name=Title\r\n"
      "Done=True";
  EXPECT_EQ(DumpProperties(Values), Expected);
  EXPECT_EQ(DumpProperties(Values, 1).substr(0, 12), "  Form=Form1");
  EXPECT_EQ(DumpProperties(TPropertyValues()), "");
}

TEST(BooleanStack, PushPopToggleAndAllTrue) {
  TBooleanStack Stack;
  EXPECT_TRUE(Stack.AllTrue());
  EXPECT_TRUE(Stack.GetCurrentValue());
  Stack.Push(true);
  Stack.Push(false);
  EXPECT_EQ(Stack.GetSize(), 2);
  EXPECT_FALSE(Stack.AllTrue());
  EXPECT_FALSE(Stack.GetTop());
  Stack.ToggleTop();
  EXPECT_TRUE(Stack.AllTrue());
  EXPECT_TRUE(Stack.Pop());
  EXPECT_TRUE(Stack.Pop());
  EXPECT_EQ(Stack.GetSize(), 0);
  Stack.Push(false);
  Stack.Cleanup();
  EXPECT_TRUE(Stack.AllTrue());
}

TEST(BooleanStack, EmptyStackAccessIsReported) {
  TBooleanStack Stack;
  EXPECT_THAT([&] { Stack.Pop(); }, Raises<EExpertFilterError>("Attempt to pop an empty stack"));
  EXPECT_THAT([&] { Stack.ToggleTop(); }, Raises<EExpertFilterError>("Attempt to access empty stack"));
  EXPECT_THAT([&] { (void)Stack.GetTop(); }, Raises<EExpertFilterError>("Attempt to access empty stack"));
}
