#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::IsSupersetOf;
using ::testing::Not;

namespace {

TEST(OrxRegistry, FrameworkClassesFormOneGroup) {
  RegisterOrxClasses();
  RegisterOrxClasses();  // harmless again
  for (TClass C :
       {TButton::StaticClass(), TMenuItem::StaticClass(), TAction::StaticClass(), TDataModule::StaticClass()})
    EXPECT_EQ(ClassGroupOf(C), TControl::StaticClass()) << C->ClassName();
  EXPECT_EQ(ClassGroupOf(TFont::StaticClass()), TPersistent::StaticClass());
  TClassGroupScope Scope(TControl::StaticClass());
  EXPECT_EQ(FindClass("TButton"), TButton::StaticClass());
  EXPECT_EQ(FindClass("tactionlist"), TActionList::StaticClass());
  EXPECT_EQ(GetClass("TFont"), TFont::StaticClass());
}

TEST(OrxPublished, ClassesPublishWhatTheInspectorShows) {
  auto Names = [](TClass C) {
    std::vector<std::string> R;
    for (PPropInfo P : GetPropList(C)) R.push_back(P->Name);
    return R;
  };
  EXPECT_THAT(Names(TButton::StaticClass()),
              AllOf(IsSupersetOf({"Action", "Align", "Anchors", "Caption", "Default", "Font", "ModalResult",
                                  "Name", "OnClick", "OnKeyDown", "TabOrder", "Width"}),
                    Not(Contains("Text"))));
  EXPECT_THAT(Names(TEdit::StaticClass()), AllOf(Contains("Text"), Not(Contains("Caption"))));
  // Property types carry the names the editors are registered for.
  const std::tuple<TClass, const char*, const char*> Types[] = {
      {TButton::StaticClass(), "Caption", "TCaption"},
      {TButton::StaticClass(), "Cursor", "TCursor"},
      {TPanel::StaticClass(), "Color", "TColor"},
      {TFont::StaticClass(), "Charset", "TFontCharset"},
      {TButton::StaticClass(), "ModalResult", "TModalResult"},
      {TMenuItem::StaticClass(), "ShortCut", "TShortCut"},
      {TMemo::StaticClass(), "Lines", "TStrings"}};
  for (const auto& [Class, Property, Type] : Types)
    EXPECT_EQ(GetPropInfo(Class, Property)->PropType->Name, Type) << Property;
  const auto Decl = GetPropInfo(TButton::StaticClass(), "OnKeyDown")->PropType->Data.Params;
  ASSERT_EQ(Decl.size(), 3u);
  EXPECT_TRUE(Decl[1].Flags.Contains(pfVar));
  EXPECT_EQ(Decl[1].TypeName, "Word");
  // Margins and padding publish different defaults.
  EXPECT_EQ(GetPropInfo(TMargins::StaticClass(), "Left")->Default, 3);
  EXPECT_EQ(GetPropInfo(TPadding::StaticClass(), "Left")->Default, 0);
}

TEST(OrxIdents, ShortCutTexts) {
  EXPECT_EQ(ShortCutToText(ShortCut(vkF1 + 11, {ssShift, ssCtrl})), "Shift+Ctrl+F12");
  EXPECT_EQ(ShortCutToText(ShortCut(vkBack, {ssShift, ssAlt})), "Shift+Alt+BkSp");
  EXPECT_EQ(ShortCutToText(ShortCut(vkInsert, {})), "Ins");
  EXPECT_EQ(ShortCutToText(TShortCut(0)), "");
  for (const char* T : {"Ctrl+A", "Ctrl+Alt+Z", "F1", "Shift+Ctrl+F12", "Del", "Shift+Alt+BkSp", "Ctrl+Down"})
    EXPECT_EQ(ShortCutToText(TextToShortCut(T)), T);
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), ShortCut('S', {ssCtrl, ssShift}));
  for (const char* Bad : {"Ctrl+", "Hyper+A", ""}) EXPECT_EQ(TextToShortCut(Bad), TShortCut(0)) << Bad;
  uint16_t Key = 0;
  TShiftState Shift;
  ShortCutToKey(TextToShortCut("Alt+F4"), Key, Shift);
  EXPECT_EQ(Key, vkF1 + 3);
  EXPECT_TRUE(Shift == (TShiftState{ssAlt}));
}

}  // namespace
