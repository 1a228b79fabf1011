#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using Appearance = TFormTest;

TEST_F(Appearance, FontSizeAndHeightConvertAtTheFontsResolutionAndOnlyTheHeightIsStored) {
  TFont F;
  F.SetSize(10);
  EXPECT_EQ(F.Height(), -13);
  F.SetPixelsPerInch(144);
  EXPECT_EQ(F.Size(), 7);  // the same pixels are fewer points at a higher resolution
  const PPropInfo Size = GetPropInfo(&F, "Size");
  EXPECT_FALSE(IsStoredProp(&F, Size));
  EXPECT_TRUE(IsStoredProp(&F, GetPropInfo(&F, "Height")));
}

TEST_F(Appearance, ChildrenFollowTheParentFontUntilTheyChangeTheirOwn) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel);
  Form->Font()->SetName("Liberation Sans");
  EXPECT_EQ(Button->Font()->Name(), "Liberation Sans");
  EXPECT_TRUE(Button->ParentFont());
  const PPropInfo FontProp = GetPropInfo(Button, "Font");
  EXPECT_FALSE(IsStoredProp(Button, FontProp));
  Button->Font()->SetStyle({fsBold});
  EXPECT_FALSE(Button->ParentFont());
  EXPECT_TRUE(IsStoredProp(Button, FontProp));
  Form->Font()->SetName("DejaVu Serif");
  EXPECT_EQ(Panel->Font()->Name(), "DejaVu Serif");
  EXPECT_EQ(Button->Font()->Name(), "Liberation Sans");
  Button->SetParentFont(true);
  EXPECT_EQ(Button->Font()->Name(), "DejaVu Serif");
  EXPECT_TRUE(Button->Font()->Style().Empty());
}

TEST_F(Appearance, ReparentingTakesTheNewParentsFontAndColour) {
  auto* Blue = Make<TPanel>(Form.get(), "Blue", Form.get());
  Blue->SetColor(clBlue);
  Blue->Font()->SetHeight(-20);
  auto* Label = Make<TLabel>(Form.get(), "Label1", Form.get());
  EXPECT_EQ(Label->Color(), clFace);
  Label->SetParent(Blue);
  EXPECT_EQ(Label->Color(), clBlue);
  EXPECT_EQ(Label->Font()->Height(), -20);
  Label->SetColor(clRed);
  EXPECT_FALSE(Label->ParentColor());
  Blue->SetColor(clLime);
  EXPECT_EQ(Label->Color(), clRed);
}

TEST_F(Appearance, CaptionFollowsARenameOnlyWhileDesigning) {
  auto* Button = Make<TButton>(Form.get(), "Button1", Form.get());
  EXPECT_EQ(Button->Caption(), "");  // not designed: the name was not copied
  Form->SetDesigning(true);
  auto* Designed = Make<TButton>(Form.get(), "Button2");
  EXPECT_EQ(Designed->Caption(), "Button2");
  Designed->SetName("OkButton");
  EXPECT_EQ(Designed->Caption(), "OkButton");
  Designed->SetCaption("&OK");
  Designed->SetName("Ok");
  EXPECT_EQ(Designed->Caption(), "&OK");
  // Controls without csSetCaption keep their text.
  auto* Memo = Make<TMemo>(Form.get(), "Memo1");
  EXPECT_EQ(Memo->Text(), "");
}

TEST_F(Appearance, ARefusedRenameLeavesNameAndCaption) {
  Form->SetDesigning(true);
  Make<TButton>(Form.get(), "A");
  auto* B = Make<TButton>(Form.get(), "B");
  EXPECT_THROW(B->SetName("A"), EComponentError);
  EXPECT_EQ(B->Name(), "B");
  EXPECT_EQ(B->Caption(), "B");
  EXPECT_THROW(B->SetName("1st"), EComponentError);
  EXPECT_EQ(B->Caption(), "B");
}

TEST_F(Appearance, LabelSizesToItsCaption) {
  auto* Label = Make<TLabel>(Form.get(), "Label1", Form.get());
  Label->SetBounds(100, 10, 65, 17);
  Label->SetCaption("&Name");
  // -11 font: glyphs 6 wide, lines 14 high; the accelerator '&' is not shown.
  EXPECT_EQ(Label->BoundsRect(), Bounds(100, 10, 24, 14));
  Label->SetAlignment(taRightJustify);
  Label->SetCaption("Names");
  EXPECT_EQ(Label->BoundsRect(), Bounds(94, 10, 30, 14));
  Label->SetAutoSize(false);
  Label->SetCaption("A much longer caption");
  EXPECT_EQ(Label->Width(), 30);
  EXPECT_EQ(Label->TextBaseline(), 11);
}

TEST_F(Appearance, HintsFollowTheParent) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel);
  Form->SetShowHint(true);
  EXPECT_TRUE(Button->ShowHint());
  Button->SetShowHint(false);
  EXPECT_FALSE(Button->ParentShowHint());
  Panel->SetShowHint(true);
  EXPECT_FALSE(Button->ShowHint());
}

TEST_F(Appearance, EventsDoNotFireWhileDesigning) {
  TEventLog Log;
  auto* Button = Make<TButton>(Form.get(), "Button1", Form.get());
  Button->FOnClick = Log.Click();
  Button->FOnResize = Log.Resize();
  Button->Click();
  Button->SetWidth(90);
  Form->SetDesigning(true);
  Button->Click();
  Button->SetWidth(100);
  EXPECT_EQ(Log.Log, (std::vector<std::string>{"click:Button1", "resize:Button1"}));
}

}  // namespace
