#include "platform/orx/GuideMetrics.h"

#include "formwright/testing/Forms.h"
#include "platform/orx/ExtCtrls.h"
#include "platform/orx/Menus.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

using GuideMetrics = TFormTest;

// With the default font (ascent 11, lines 14 high), where each control puts its first line.
TEST_F(GuideMetrics, TheBaselineLiesWhereTheControlsPaintingPutsItsFirstLine) {
  const auto Label = [&](const char* Name, TTextLayout Layout) {
    auto* L = Make<TLabel>(Form.get(), Name, Form.get());
    L->SetAutoSize(false);
    L->SetCaption("Name");
    L->SetLayout(Layout);
    L->SetBounds(0, 0, 40, 40);
    return L;
  };
  auto* Big = Make<TButton>(Form.get(), "Big", Form.get(), Bounds(0, 0, 75, 40));
  Big->Font()->SetHeight(-20);  // ascent 20, lines 24 high
  auto* Captioned = Make<TPanel>(Form.get(), "Captioned", Form.get(), Bounds(0, 0, 100, 41));
  Captioned->SetCaption("Panel");
  auto* Bare = Make<TPanel>(Form.get(), "Bare", Form.get(), Bounds(0, 0, 100, 41));
  Bare->SetCaption("");
  const struct {
    TControl* Control;
    std::optional<int32_t> Baseline;
  } Cases[] = {
      {Label("Top", tlTop), 11},
      {Label("Center", tlCenter), 13 + 11},
      {Label("Bottom", tlBottom), 26 + 11},
      {Make<TEdit>(Form.get(), "Edit1", Form.get(), Bounds(0, 0, 80, 21)), 2 + 1 + 11},
      {Make<TMemo>(Form.get(), "Memo1", Form.get(), Bounds(0, 0, 80, 100)), 2 + 11},
      {Make<TButton>(Form.get(), "Button1", Form.get(), Bounds(0, 0, 75, 25)), 5 + 11},
      {Make<TCheckBox>(Form.get(), "CheckBox1", Form.get(), Bounds(0, 0, 90, 17)), 1 + 11},
      {Big, 8 + 20},
      {Captioned, 13 + 11},
      {Bare, std::nullopt},
      {Make<TShape>(Form.get(), "Shape1", Form.get()), std::nullopt},
  };
  for (const auto& C : Cases) EXPECT_EQ(TextBaseline(*C.Control), C.Baseline) << C.Control->ClassName();
}

TEST_F(GuideMetrics, OnlyAFormShowsItselfElsewhereThanItsBoundsByItsFrameCaptionAndMenuBar) {
  EXPECT_EQ(ClientDelta(*Make<TButton>(Form.get(), "Button1", Form.get())), TRect{});
  const std::pair<TFormBorderStyle, TRect> Styles[] = {{bsNone, {0, 0, 0, 0}},
                                                       {bsDialog, {-3, -26, 3, 3}},
                                                       {bsSizeable, {-8, -31, 8, 8}},
                                                       {bsSizeToolWin, {-8, -25, 8, 8}}};
  for (const auto& [Style, Delta] : Styles) {
    Form->SetBorderStyle(Style);
    EXPECT_EQ(ClientDelta(*Form), Delta) << int(Style);
  }
  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  Menu->Items()->Add(Make<TMenuItem>(Form.get(), "File1"));
  Form->SetMenu(Menu);
  EXPECT_EQ(ClientDelta(*Form), (TRect{-8, -45, 8, 8}));  // the tool window's 25 and the menu bar
}
