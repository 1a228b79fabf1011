#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using ControlTree = TFormTest;

TEST_F(ControlTree, ParentAndOwnerAreIndependent) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel);
  EXPECT_EQ(Form->ControlCount(), 1);
  EXPECT_EQ(Form->ComponentCount(), 2);
  EXPECT_TRUE(Form->ContainsControl(Button));
  EXPECT_FALSE(Panel->ContainsControl(Form.get()));
  EXPECT_EQ(Button->GetParentComponent(), Panel);
}

TEST_F(ControlTree, NonWindowedChildrenComeFirstInControls) {
  auto* Button = Make<TButton>(Form.get(), "Button1", Form.get());
  auto* Label = Make<TLabel>(Form.get(), "Label1", Form.get());
  ASSERT_EQ(Form->ControlCount(), 2);
  EXPECT_EQ(Form->Controls(0), Label);
  EXPECT_EQ(Form->Controls(1), Button);
  EXPECT_THROW(Form->Controls(2), EListError);
}

TEST_F(ControlTree, RefusedParentsLeaveTheTreeAsItWas) {
  auto* Outer = Make<TPanel>(Form.get(), "Outer", Form.get());
  auto* Inner = Make<TPanel>(Form.get(), "Inner", Outer);
  EXPECT_THROW(Outer->SetParent(Outer), EInvalidOperation);
  EXPECT_THAT([&] { Outer->SetParent(Inner); },
              Raises<EInvalidOperation>("Control 'Outer' cannot be parented by its own child 'Inner'"));
  EXPECT_EQ(Outer->Parent(), Form.get());
  EXPECT_EQ(Inner->Parent(), Outer);
  EXPECT_EQ(Outer->ControlCount(), 1);
  EXPECT_EQ(Inner->ControlCount(), 0);
}

TEST_F(ControlTree, FreeingAParentFreesChildrenOwnedElsewhereAndFreeingTheirOwnerUnparentsThem) {
  TOwned<TForm> Other(new TForm(nullptr));
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  Make<TButton>(Other.get(), "Foreign", Panel);
  Make<TButton>(Form.get(), "Own", Panel);
  auto* Kept = Make<TPanel>(Form.get(), "Panel2", Form.get());
  Make<TButton>(Other.get(), "Second", Kept);
  auto* OtherPanel = Make<TPanel>(Other.get(), "Panel3", Form.get());
  Make<TButton>(Form.get(), "Mine", OtherPanel);
  ASSERT_EQ(Other->ComponentCount(), 3);
  Panel->Free();
  // Both children went with the panel; each left its owner on the way.
  EXPECT_EQ(Other->ComponentCount(), 2);
  EXPECT_EQ(Form->FindComponent("Own"), nullptr);
  EXPECT_EQ(Form->ControlCount(), 2);
  // Freeing the other owner frees its panel with the child owned here, and unparents its button.
  Other.reset();
  EXPECT_EQ(Kept->ControlCount(), 0);
  EXPECT_EQ(Form->FindComponent("Mine"), nullptr);
  EXPECT_EQ(Form->ControlCount(), 1);
}

TEST_F(ControlTree, AWindowedControlDeletedWithoutFreeLeavesItsParentsListsAndTabOrder) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  delete Panel;  // no BeforeDestruction: only the destructors run
  ASSERT_EQ(Form->ControlCount(), 1);
  EXPECT_EQ(Form->Controls(0), Edit);
  EXPECT_EQ(Edit->TabOrder(), 0);
  std::vector<TWinControl*> Tabs;
  Form->GetTabOrderList(Tabs);
  EXPECT_THAT(Tabs, ::testing::ElementsAre(Edit));
}

TEST_F(ControlTree, ZOrderMovesWithinTheControlsKind) {
  auto* A = Make<TButton>(Form.get(), "A", Form.get());
  auto* B = Make<TButton>(Form.get(), "B", Form.get());
  auto* C = Make<TButton>(Form.get(), "C", Form.get());
  auto* L = Make<TLabel>(Form.get(), "L", Form.get());
  A->BringToFront();
  EXPECT_EQ(Form->Controls(3), A);
  C->SendToBack();
  EXPECT_EQ(Form->Controls(1), C);
  EXPECT_EQ(Form->Controls(2), B);
  // A label brought to front still stays behind every windowed control.
  L->BringToFront();
  EXPECT_EQ(Form->Controls(0), L);
  B->SetZOrderPosition(0);
  EXPECT_EQ(Form->Controls(1), B);
}

TEST_F(ControlTree, ControlAtPosFindsTheTopmostAndNestedControls) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(10, 10, 200, 100));
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(5, 5, 50, 20));
  auto* Over = Make<TButton>(Form.get(), "Over", Form.get(), Bounds(150, 50, 100, 100));
  EXPECT_EQ(Form->ControlAtPos({20, 20}), Panel);
  EXPECT_EQ(Form->ControlAtPos({20, 20}, true, true), Button);
  EXPECT_EQ(Form->ControlAtPos({160, 60}), Over);
  EXPECT_EQ(Form->ControlAtPos({390, 290}), nullptr);
}

TEST_F(ControlTree, ClientCoordinatesAddFramesAndParents) {
  Form->SetBounds(100, 50, Form->Width(), Form->Height());
  // A sizeable form: 8-pixel frame, 23-pixel caption.
  EXPECT_EQ(Form->ClientOrigin(), (TPoint{108, 81}));
  auto* Box = Make<TScrollBox>(Form.get(), "Box", Form.get(), Bounds(10, 20, 100, 100));
  auto* Button = Make<TButton>(Form.get(), "Button1", Box, Bounds(3, 4, 50, 20));
  EXPECT_EQ(Button->ClientToScreen({1, 1}), (TPoint{108 + 10 + 2 + 3 + 1, 81 + 20 + 2 + 4 + 1}));
  EXPECT_EQ(Button->ScreenToClient(Button->ClientToScreen({7, 9})), (TPoint{7, 9}));
  EXPECT_EQ(Button->ClientToParent({0, 0}, Form.get()), (TPoint{15, 26}));
  EXPECT_EQ(Button->ParentToClient({15, 26}, Form.get()), (TPoint{0, 0}));
  TOwned<TForm> Other(new TForm(nullptr));
  EXPECT_THROW(Button->ClientToParent({0, 0}, Other.get()), EInvalidOperation);
}

TEST_F(ControlTree, ClientSizeOfAFormExcludesItsFrameAndMenuBar) {
  EXPECT_EQ(Form->Width(), 416);
  EXPECT_EQ(Form->Height(), 339);
  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  Menu->Items()->Add(Make<TMenuItem>(Form.get(), "File1"));
  Form->SetMenu(Menu);
  EXPECT_EQ(Form->ClientHeight(), 280);
  Menu->Free();
  EXPECT_EQ(Form->Menu(), nullptr);
  EXPECT_EQ(Form->ClientHeight(), 300);
  Form->SetBorderStyle(bsNone);
  EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 416, 339));
}

TEST_F(ControlTree, ReferencesToFreedComponentsAreCleared) {
  auto* Button = Make<TButton>(Form.get(), "Button1", Form.get());
  auto* Popup = Make<TPopupMenu>(Form.get(), "PopupMenu1");
  auto* Label = Make<TLabel>(Form.get(), "Label1", Form.get());
  Button->SetPopupMenu(Popup);
  Label->SetFocusControl(Button);
  Popup->Free();
  EXPECT_EQ(Button->PopupMenu(), nullptr);
  Button->Free();
  EXPECT_EQ(Label->FocusControl(), nullptr);
}

}  // namespace
