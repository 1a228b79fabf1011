// The records of one paste: which rename a reference or a handler name follows, and which
// handler record a stream name or a placeholder finds, however many records there are.
#include "moduledesigner/Renames.h"

#include <gtest/gtest.h>

namespace formwright {
namespace {

TRenames Records(std::initializer_list<std::pair<const char*, const char*>> Items) {
  TRenames R;
  for (const auto& [Old, New] : Items) R.Add(Old, New);
  return R;
}

TEST(Renames, AReferenceFollowsTheFirstRecordOfItsNameInAnyLetterCase) {
  const TRenames R = Records({{"Edit1", "Edit7"}, {"EDIT1", "Edit9"}, {"Label1", "Label2"}});
  for (const auto& [In, Out] : std::initializer_list<std::pair<const char*, const char*>>{
           {"edit1", "Edit7"}, {"Label1", "Label2"}, {"Edit", "Edit"}, {"Edit12", "Edit12"}}) {
    String Name = In;
    R.Rename(Name);
    EXPECT_EQ(Name, Out) << In;
  }
}

TEST(Renames, AHandlerFollowsTheFirstRecordWhoseNameBeginsItsOwnBeforeALetter) {
  // In list order, not by length; letter case counts; a digit after the prefix refuses it.
  const TRenames R =
      Records({{"Button12", "Button30"}, {"Button1", "Button3"}, {"But", "Knob"}, {"button1", "b"}});
  for (const auto& [Name, Old] :
       std::initializer_list<std::pair<const char*, const char*>>{{"Button1Click", "Button1"},
                                                                  {"Button12Click", "Button12"},
                                                                  {"Button123Click", "But"},
                                                                  {"Button1", "But"},
                                                                  {"button1Click", "button1"},
                                                                  {"Bu", nullptr},
                                                                  {"Zed", nullptr}}) {
    const TRenameItem* Found = R.PrefixOf(Name);
    EXPECT_EQ(Found ? Found->OldName : String("(none)"), Old ? Old : "(none)") << Name;
  }
  // A record added later takes part in later lookups.
  TRenames Later = Records({{"Edit1", "Edit2"}});
  EXPECT_EQ(Later.PrefixOf("OkClick"), nullptr);
  Later.Add("Ok", "Go");
  ASSERT_NE(Later.PrefixOf("OkClick"), nullptr);
  EXPECT_EQ(Later.PrefixOf("OkClick")->NewName, "Go");
}

TEST(Renames, HandlerRecordsAreFoundByStreamNameInAnyCaseAndByPlaceholder) {
  int A = 0, B = 0;
  TEvents E;
  E.Add(&A, "Button1Click");
  E.Add(&B, "BUTTON1CLICK");
  E.Items(0).Name = "Button2Click";  // the rename pass changes names, never stream names
  ASSERT_NE(E.FindStreamName("button1click"), nullptr);
  EXPECT_EQ(E.FindStreamName("button1click")->Address, &A);
  EXPECT_EQ(E.FindStreamName("Button2Click"), nullptr);
  ASSERT_NE(E.FindAddress(&B), nullptr);
  EXPECT_EQ(E.FindAddress(&B)->StreamName, "BUTTON1CLICK");
  EXPECT_EQ(E.FindAddress(nullptr), nullptr);
}

}  // namespace
}  // namespace formwright
