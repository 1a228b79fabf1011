#include "formdesigner/Designer.h"

#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "host/root/FormWindow.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

using namespace formwright;
using namespace formwright::orx;
using formwright::testing::Raises;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A form (client origin at surface (0, 0)) with a panel holding Edit1 and Button1, and Button2,
// Button3 and Button4 on the form.
const String ModuleText = Sample("DesignerForm.fwf");

// The module open in the reference host; its window's form designer hears the surface.
class DesignerTest : public formwright::testing::TModuleTest {
 protected:
  DesignerTest() {
    Main = Open("Main.fwf", ModuleText);
    Surface = IPtr<TOrxDesignSurface>(dynamic_cast<TOrxDesignSurface*>(Main->Surface().Get()));
    Window = dynamic_cast<TOrxFormWindow*>(Main->FormWindow().Get());
    Designer = Window->FormDesigner();
    Selections = Main->Selections();
    Form = dynamic_cast<TForm*>(Main->GetRoot());
    Panel = Get<TPanel>("Panel1");
    Edit = Get<TEdit>("Edit1");
    Button1 = Get<TButton>("Button1");
    Button2 = Get<TButton>("Button2");
    Button3 = Get<TButton>("Button3");
    Button4 = Get<TButton>("Button4");
    Designer->SetGuidelines(false);  // the grid alone; guidelines have tests of their own
  }
  template <class C = TControl>
  C* Get(const char* Name) {
    return dynamic_cast<C*>(Main->GetRoot()->FindComponent(Name));
  }

  IPtr<IItem> ItemOf(TPersistent* P) { return Surface->FindItem(P); }
  const IPtr<IDesignSurfaceListener>& Input() { return Surface->Listener(); }
  void Down(TPersistent* On, TPoint P, TShiftState Shift = {}, TDragHandles Handles = {}) {
    Input()->MouseDown(ItemOf(On), Shift, P.X, P.Y, false, Handles, false);
  }
  // A press on `On` at P, a move by D and the release there.
  void Drag(TPersistent* On, TPoint P, TPoint D, TShiftState Shift = {}, TDragHandles Handles = {}) {
    Down(On, P, Shift, Handles);
    Input()->MouseMove(Shift, P.X + D.X, P.Y + D.Y);
    Input()->MouseUp(Shift, P.X + D.X, P.Y + D.Y);
  }
  void Press(TDesignKeyCode Key, TShiftState Shift = {}) { Input()->Key(Key, Shift, false); }
  std::vector<TPersistent*> Selected() {
    std::vector<TPersistent*> Result;
    for (int I = 0; I < Selections->GetCount(); ++I)
      Result.push_back(ExtractPersistent(Selections->GetItems(I)));
    return Result;
  }
  TPersistent* Handles() { return ExtractPersistent(Surface->GetGrabHandles()->GetItem()); }
  // No drag left behind: no update open, no boxes shown, the designer idle.
  void ExpectSettled() {
    EXPECT_EQ(Selections->GetSelectionLevel(), 0);
    EXPECT_THAT(Surface->DragBoxPainter()->Shown(), IsEmpty());
    EXPECT_EQ(Designer->GetDragAction(), daNone);
  }

  IPtr<TReferenceRoot> Main;
  IPtr<TOrxDesignSurface> Surface;
  TOrxFormWindow* Window;
  IPtr<TDesigner> Designer;
  IPtr<ISelections> Selections;
  TForm* Form;
  TPanel* Panel;
  TEdit* Edit;
  TButton *Button1, *Button2, *Button3, *Button4;
};

TEST_F(DesignerTest, LockedControlsAreSelectedButNeitherMovedNorSized) {
  Designer->Lock();
  EXPECT_TRUE(Surface->GetGrabHandles()->GetLocked());
  Drag(Button2, {260, 30}, {40, 40}, {}, {dhRight});  // a handle: nothing starts, nothing selected
  EXPECT_THAT(Selected(), IsEmpty());
  Down(Button2, {260, 30});  // the body: selected, no move
  EXPECT_EQ(Designer->GetDragAction(), daNone);
  Input()->MouseMove({}, 300, 90);
  Input()->MouseUp({}, 300, 90);
  EXPECT_THAT(Selected(), ElementsAre(Button2));
  EXPECT_EQ(Handles(), Button2);
  EXPECT_EQ(Button2->BoundsRect(), Bounds(250, 20, 75, 25));
  EXPECT_EQ(Window->Modifications(), 0);
}

TEST_F(DesignerTest, AMoveGoesByWholeGridSteps) {
  struct {
    TPoint Mouse;
    TPoint Moved;
  } const Cases[] = {
      {{3, 3}, {0, 0}}, {{-4, 3}, {0, 0}}, {{4, 0}, {8, 0}}, {{-5, 20}, {-8, 24}}, {{12, -12}, {16, -8}}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(::testing::Message() << C.Mouse.X << "," << C.Mouse.Y);
    Button2->SetBounds(250, 20, 75, 25);
    Button4->SetBounds(250, 200, 75, 25);
    const int Before = Window->Modifications();
    Designer->Select(ItemOf(Button2), false);
    Down(Button4, {260, 210}, {ssShift});
    Drag(Button2, {260, 30}, C.Mouse);
    EXPECT_THAT(Selected(), ElementsAre(Button2, Button4));
    EXPECT_EQ(Button2->BoundsRect(), Bounds(250 + C.Moved.X, 20 + C.Moved.Y, 75, 25));
    EXPECT_EQ(Button4->BoundsRect(), Bounds(250 + C.Moved.X, 200 + C.Moved.Y, 75, 25));
    EXPECT_EQ(Window->Modifications() - Before, C.Moved == TPoint{} ? 0 : 1);
    ExpectSettled();
  }
}

TEST_F(DesignerTest, DragBoxesFollowAMoveAndGoWhenItIsCancelled) {
  Designer->Select(ItemOf(Button2), false);
  Down(Button4, {260, 210}, {ssShift});
  Down(Button2, {260, 30});
  Input()->MouseMove({}, 276, 33);
  using TBox = TOrxDragBoxPainter::TBox;
  EXPECT_THAT(Surface->DragBoxPainter()->Shown(),
              ElementsAre(TBox{Bounds(266, 20, 75, 25), dbsItem}, TBox{Bounds(266, 200, 75, 25), dbsItem}));
  Input()->CancelDragging();
  ExpectSettled();
  EXPECT_EQ(Button2->BoundsRect(), Bounds(250, 20, 75, 25));
}

TEST_F(DesignerTest, AnOffGridEdgeStaysUntilTheMouseIsNearerAGridLine) {
  // Button3 spans 5..84: both edges off the grid.
  struct {
    TDragHandle Edge;
    int Mouse;
    TRect Bounds;
  } const Cases[] = {{dhRight, 1, Rect(5, 200, 84, 225)},  {dhRight, 3, Rect(5, 200, 89, 225)},
                     {dhLeft, -1, Rect(5, 200, 84, 225)},  {dhLeft, -3, Rect(0, 200, 84, 225)},
                     {dhBottom, 2, Rect(5, 200, 84, 225)}, {dhBottom, 4, Rect(5, 200, 84, 233)}};
  for (const auto& C : Cases) {
    SCOPED_TRACE(::testing::Message() << int(C.Edge) << " by " << C.Mouse);
    Button3->SetBounds(5, 200, 79, 25);
    Down(Button3, {20, 210});
    const bool Vertical = C.Edge == dhBottom;
    Drag(Button3, {20, 210}, {Vertical ? 0 : C.Mouse, Vertical ? C.Mouse : 0}, {}, {C.Edge});
    EXPECT_EQ(Button3->BoundsRect(), C.Bounds);
    ExpectSettled();
    EXPECT_EQ(Handles(), Button3);
  }
}

TEST_F(DesignerTest, ARubberBandSelectsWhatItTouchesInItsContainerOnly) {
  // From the form's background over Panel1's children: they belong to another container.
  Drag(Form, {500, 300}, {-250, -280});  // to (250, 20): Button2's top-left pixel
  EXPECT_THAT(Selected(), ElementsAre(Button2, Button4));
  Drag(Form, {500, 300}, {-175, -255});  // to (325, 45): just past their last pixels
  EXPECT_THAT(Selected(), ElementsAre(Form));
  // Ctrl starts a band inside the container under the mouse.
  Drag(Edit, {20, 20}, {10, 30}, {ssCtrl});
  EXPECT_THAT(Selected(), ElementsAre(Edit, Button1));
  ExpectSettled();
}

TEST_F(DesignerTest, APaletteToolCreatesOnTheGrid) {
  Main->SetPaletteClass(TButton::StaticClass());
  Drag(Form, {13, 301}, {17, 41});  // (13, 301)-(30, 342) snaps to (16, 304)-(32, 344)
  ASSERT_EQ(Selections->GetCount(), 1);
  auto* Created = dynamic_cast<TButton*>(ExtractPersistent(Selections->GetItems(0)));
  ASSERT_NE(Created, nullptr);
  EXPECT_EQ(Created->BoundsRect(), Rect(16, 304, 33, 345));
  EXPECT_EQ(Handles(), Created);
  ExpectSettled();
}

TEST_F(DesignerTest, PlainClickOnASelectedItemMakesItTheAnchor) {
  for (TButton* B : {Button2, Button3, Button4}) Down(B, {B->Left() + 1, B->Top() + 1}, {ssShift});
  Down(Panel, {10, 10}, {ssShift});
  EXPECT_THAT(Selected(), ElementsAre(Button2, Button3, Button4, Panel));
  Down(Button4, {251, 201});
  EXPECT_THAT(Selected(), ElementsAre(Button4, Panel, Button3, Button2));
  Input()->MouseUp({}, 251, 201);
  EXPECT_EQ(Handles(), nullptr);  // no handles on a multiple selection
}

TEST_F(DesignerTest, ArrowKeys) {
  struct {
    TDesignKeyCode Key;
    TShiftState Shift;
    TRect Bounds;
  } const Moves[] = {{dkRight, {ssCtrl}, Bounds(251, 20, 75, 25)},
                     {dkUp, {ssCtrl, ssShift}, Bounds(250, 12, 75, 25)},
                     {dkLeft, {ssShift}, Bounds(250, 20, 74, 25)},
                     {dkDown, {ssShift}, Bounds(250, 20, 75, 26)}};
  for (const auto& M : Moves) {
    SCOPED_TRACE(int(M.Key));
    Button2->SetBounds(250, 20, 75, 25);
    Designer->Select(ItemOf(Button2), false);
    Press(M.Key, M.Shift);
    EXPECT_EQ(Button2->BoundsRect(), M.Bounds);
  }
  // With the form selected, Ctrl+arrow does nothing.
  const int Before = Window->Modifications();
  Designer->Select(ItemOf(Form), false);
  Press(dkRight, {ssCtrl});
  EXPECT_EQ(Form->BoundsRect(), Bounds(100, 50, 600, 400));
  EXPECT_EQ(Window->Modifications(), Before);
  // Plain arrows go to the nearest sibling that way, or stay.
  struct {
    TButton* From;
    TDesignKeyCode Key;
    TPersistent* To;
  } const Steps[] = {{Button3, dkRight, Button4},
                     {Button4, dkUp, Panel} /* its gap is the smaller */,
                     {Button2, dkLeft, Panel},
                     {Button3, dkLeft, Button3},
                     {Button3, dkDown, Button3}};
  // A twin of Button4 ties with it and comes later.
  dynamic_cast<TControl*>(Main->CreateComponent(TButton::StaticClass(), Form, 0, 0, 75, 25))
      ->SetBoundsRect(Button4->BoundsRect());
  for (const auto& S : Steps) {
    SCOPED_TRACE(S.From->Name());
    Designer->Select(ItemOf(S.From), false);
    Press(S.Key);
    EXPECT_THAT(Selected(), ElementsAre(S.To));
  }
}

TEST_F(DesignerTest, EscapeClimbsToTheParentAndClearsAtTheTop) {
  Down(Edit, {20, 20});
  Input()->MouseUp({}, 20, 20);
  Press(dkEscape);
  EXPECT_THAT(Selected(), ElementsAre(Panel));
  EXPECT_EQ(Handles(), Panel);
  Press(dkEscape);
  EXPECT_THAT(Selected(), IsEmpty());
  EXPECT_EQ(Handles(), nullptr);
  // During a move Escape hands the drag on to the parent, from the cursor's place.
  Down(Edit, {20, 20});
  Surface->SetCursorPos({30, 30});
  Press(dkEscape);
  EXPECT_THAT(Selected(), ElementsAre(Panel));
  EXPECT_EQ(Designer->GetDragAction(), daMove);
  Input()->MouseUp({}, 38, 30);
  EXPECT_EQ(Panel->BoundsRect(), Bounds(16, 8, 200, 100));
  ExpectSettled();
}

TEST_F(DesignerTest, AReadOnlySourceRefusesMovesAndTheFileStaysAsItWas) {
  Main->Source()->SetReadOnly(true);
  Designer->Select(ItemOf(Button2), false);
  const auto ReadOnly = Raises<EComponentDesignerException>("Source is read-only");
  EXPECT_THAT([&] { Press(dkRight, {ssCtrl}); }, ReadOnly);
  EXPECT_THAT([&] { Drag(Button2, {260, 30}, {16, 0}); }, ReadOnly);
  EXPECT_THAT([&] { Drag(Button2, {260, 30}, {16, 0}, {}, {dhRight}); }, ReadOnly);
  EXPECT_EQ(Button2->BoundsRect(), Bounds(250, 20, 75, 25));
  EXPECT_EQ(Handles(), Button2);
  ExpectSettled();
  EXPECT_FALSE(Main->IsModified());
  EXPECT_THAT(
      [&] {
        Designer->SetGridSize({0, 8});
      },
      Raises<EInvalidArgument>(::testing::HasSubstr("at least 1")));
  EXPECT_EQ(Designer->GetGridSize(), (TPoint{8, 8}));
  Host.CloseAll();
  EXPECT_EQ(Files->Contents("Main.fwf"), ModuleText);
}

TEST_F(DesignerTest, TheRightButtonOpensTheSurfacesContextMenu) {
  Down(Button2, {260, 30}, {ssRight});
  EXPECT_EQ(Designer->GetDragAction(), daNone);
  EXPECT_EQ(ExtractPersistent(Surface->ContextMenuItem()), Button2);
  EXPECT_EQ(Surface->ContextMenuPoint(), (TPoint{260, 30}));
  EXPECT_EQ(Handles(), Button2);
}

}  // namespace
