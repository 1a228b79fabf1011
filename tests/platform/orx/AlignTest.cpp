#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using Align = TFormTest;

TPanel* Aligned(TForm* Form, const char* Name, TAlign A, int W, int H, TWinControl* Parent = nullptr) {
  auto* P = Make<TPanel>(Form, Name, Parent ? Parent : Form, Bounds(0, 0, W, H));
  P->SetAlign(A);
  return P;
}

TEST_F(Align, EdgesAreTakenInKindOrderAndClientFillsTheRest) {
  auto* Client = Aligned(Form.get(), "Client", alClient, 10, 10);
  auto* Left = Aligned(Form.get(), "Left", alLeft, 50, 10);
  auto* Bottom = Aligned(Form.get(), "Bottom", alBottom, 10, 30);
  auto* Top = Aligned(Form.get(), "Top", alTop, 10, 40);
  auto* Right = Aligned(Form.get(), "Right", alRight, 60, 10);
  EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, 400, 40));
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, 270, 400, 300));
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 40, 50, 270));
  EXPECT_EQ(Right->BoundsRect(), Rect(340, 40, 400, 270));
  EXPECT_EQ(Client->BoundsRect(), Rect(50, 40, 340, 270));
}

TEST_F(Align, ResizingTheParentRealignsAndAnchorsFollow) {
  auto* Top = Aligned(Form.get(), "Top", alTop, 10, 40);
  auto* Pinned = Make<TButton>(Form.get(), "Pinned", Form.get(), Bounds(300, 250, 75, 25));
  Pinned->SetAnchors({akRight, akBottom});
  auto* Stretch = Make<TEdit>(Form.get(), "Stretch", Form.get(), Bounds(10, 100, 380, 21));
  Stretch->SetAnchors({akLeft, akTop, akRight});
  auto* Centred = Make<TButton>(Form.get(), "Centred", Form.get(), Bounds(150, 140, 100, 20));
  Centred->SetAnchors({});
  Form->SetClientWidth(600);
  Form->SetClientHeight(400);
  EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, 600, 40));
  EXPECT_EQ(Pinned->BoundsRect(), Bounds(500, 350, 75, 25));
  EXPECT_EQ(Stretch->BoundsRect(), Bounds(10, 100, 580, 21));
  EXPECT_EQ(Centred->BoundsRect(), Bounds(250, 190, 100, 20));
}

TEST_F(Align, MarginsSurroundAControlThatAlignsWithThem) {
  auto* Top = Aligned(Form.get(), "Top", alTop, 10, 40);
  Top->SetAlignWithMargins(true);
  EXPECT_EQ(Top->BoundsRect(), Rect(3, 3, 397, 43));
  auto* Next = Make<TPanel>(Form.get(), "Next", Form.get());
  Next->SetBounds(0, 100, 10, 20);  // below Top: it stacks under it
  Next->SetAlign(alTop);
  EXPECT_EQ(Next->Top(), 46);
  Top->Margins()->SetBounds(10, 0, 10, 4);
  EXPECT_EQ(Top->BoundsRect(), Rect(10, 0, 390, 40));
  EXPECT_EQ(Next->Top(), 44);
}

TEST_F(Align, PaddingAndBevelsShrinkTheLayoutArea) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(0, 0, 200, 100));
  auto* Inside = Aligned(Form.get(), "Inside", alClient, 1, 1, Panel);
  // One raised outer bevel of width 1.
  EXPECT_EQ(Inside->BoundsRect(), Rect(1, 1, 199, 99));
  Panel->Padding()->SetBounds(5, 6, 7, 8);
  EXPECT_EQ(Inside->BoundsRect(), Rect(6, 7, 192, 91));
  Panel->SetBorderWidth(2);
  EXPECT_EQ(Inside->BoundsRect(), Rect(8, 9, 190, 89));
  EXPECT_THROW(Panel->SetBorderWidth(-1), EInvalidArgument);
  EXPECT_EQ(Panel->BorderWidth(), 2);
}

TEST_F(Align, MovingAnAlignedControlReordersItsEdge) {
  auto* A = Aligned(Form.get(), "A", alTop, 10, 40);
  auto* B = Make<TPanel>(Form.get(), "B", Form.get(), Bounds(0, 200, 10, 20));
  B->SetAlign(alTop);
  ASSERT_EQ(B->Top(), 40);
  B->SetTop(0);  // dragged above A: it goes first
  EXPECT_EQ(B->Top(), 0);
  EXPECT_EQ(A->Top(), 20);
}

TEST_F(Align, ConstraintsLimitAlignedSizes) {
  auto* Left = Aligned(Form.get(), "Left", alLeft, 50, 10);
  Left->Constraints()->SetMaxHeight(100);
  auto* Client = Aligned(Form.get(), "Client", alClient, 1, 1);
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 0, 50, 100));
  EXPECT_EQ(Client->Left(), 50);
  Left->Constraints()->SetMinWidth(80);
  EXPECT_EQ(Left->Width(), 80);
  EXPECT_EQ(Client->Left(), 80);
}

TEST_F(Align, DisabledAndLoadingAlignmentIsDeferred) {
  Form->DisableAlign();
  auto* Top = Aligned(Form.get(), "Top", alTop, 10, 40);
  EXPECT_EQ(Top->Width(), 10);
  Form->EnableAlign();
  EXPECT_EQ(Top->Width(), 400);
  Form->IncludeState(csLoading);
  auto* Bottom = Aligned(Form.get(), "Bottom", alBottom, 10, 30);
  EXPECT_EQ(Bottom->Top(), 0);
  Form->Loaded();
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, 270, 400, 300));
}

TEST_F(Align, InvisibleControlsTakeNoSpaceUnlessDesigned) {
  auto* Top = Aligned(Form.get(), "Top", alTop, 10, 40);
  auto* Client = Aligned(Form.get(), "Client", alClient, 1, 1);
  Top->SetVisible(false);
  EXPECT_EQ(Client->Top(), 0);
  Form->SetDesigning(true);
  Form->Realign();
  EXPECT_EQ(Client->Top(), 40);
}

TEST_F(Align, FlipChildrenMirrorsPositionsAndSwapsSides) {
  auto* Left = Aligned(Form.get(), "Left", alLeft, 50, 10);
  auto* Button = Make<TButton>(Form.get(), "Button1", Form.get(), Bounds(100, 10, 75, 25));
  Button->SetAnchors({akLeft, akTop});
  Form->FlipChildren(false);
  EXPECT_EQ(Left->Align(), alRight);
  EXPECT_EQ(Left->Left(), 350);
  EXPECT_EQ(Button->Left(), 400 - 100 - 75);
  EXPECT_TRUE(Button->Anchors().Contains(akRight));
  EXPECT_FALSE(Button->Anchors().Contains(akLeft));
}

TEST_F(Align, ScaleByScalesChildrenFontsAndSize) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(10, 20, 100, 50));
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(4, 6, 40, 20));
  Panel->Font()->SetHeight(-10);
  Panel->ScaleBy(3, 2);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(10, 20, 150, 75));
  EXPECT_EQ(Button->BoundsRect(), Bounds(6, 9, 60, 30));
  EXPECT_EQ(Panel->Font()->Height(), -15);
  EXPECT_EQ(Button->Font()->Height(), -15);  // still follows its parent
}

}  // namespace
