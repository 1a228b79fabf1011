#include <gmock/gmock.h>

#include "editors/DesignEditors.h"
#include "formdesigner/Designer.h"
#include "formwright/testing/ModuleTest.h"
#include "host/root/FormWindow.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/GuideMetrics.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

using namespace formwright;
using namespace formwright::orx;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using TLine = TOrxGuidelinePainter::TLine;
using TGuides = std::vector<std::pair<TDesignerGuideType, int>>;

namespace {

// Buttons A and B far apart, C and D side by side, a label with an edit and button E beside its
// text, and a panel (padding 5) holding button Q; see the sample for the places.
class GuidelinesTest : public formwright::testing::TModuleTest {
 protected:
  GuidelinesTest() {
    Main = Open("Main.fwf", Sample("GuidesForm.fwf"));
    Surface = IPtr<TOrxDesignSurface>(dynamic_cast<TOrxDesignSurface*>(Main->Surface().Get()));
    Designer = dynamic_cast<TOrxFormWindow*>(Main->FormWindow().Get())->FormDesigner();
  }
  TControl* Get(const char* Name) {
    TComponent* Root = Main->GetRoot();
    return dynamic_cast<TControl*>(Root->Name() == Name ? Root : Root->FindComponent(Name));
  }
  const IPtr<IDesignSurfaceListener>& Input() { return Surface->Listener(); }
  // A press in the middle of `Name`, a move by D (the release follows unless `Hold`).
  void Drag(const char* Name, TPoint D, bool Hold = false, TDragHandles Handles = {}) {
    TControl* C = Get(Name);
    const TPoint P = Main->GetRoot() == C ? TPoint{} : C->ClientToScreen({C->Width() / 2, C->Height() / 2});
    const TPoint S = dynamic_cast<TControl*>(Main->GetRoot())->ScreenToClient(P);
    Input()->MouseDown(Surface->FindItem(C), {}, S.X, S.Y, false, Handles, false);
    Last = {S.X + D.X, S.Y + D.Y};
    Input()->MouseMove({}, Last.X, Last.Y);
    if (!Hold) Input()->MouseUp({}, Last.X, Last.Y);
  }
  const std::vector<TLine>& Lines() {
    return dynamic_cast<TOrxGuidelinePainter*>(Surface->GetGuidelinePainter().Get())->Lines();
  }
  TGuides Guidelines(const char* Name) {
    IPtr<IComponentGuidelines> G = GuidelinesFor(nullptr, Get(Name), Main->GetRoot());
    TGuides Result;
    for (int I = 0; I < G->GetCount(); ++I)
      Result.emplace_back(G->GetDesignerGuideType(I), G->GetDesignerGuideOffset(I));
    return Result;
  }

  IPtr<TReferenceRoot> Main;
  IPtr<TOrxDesignSurface> Surface;
  IPtr<TDesigner> Designer;
  TPoint Last;  // where the last drag went
};

}  // namespace

TEST_F(GuidelinesTest, ControlsOfferEdgesMarginsPaddingsAndBaselinesInTheFormsClientCoordinates) {
  // Edges on the last pixel, margins 3 beyond; the button's caption line is centred.
  EXPECT_EQ(Guidelines("ButtonA"), (TGuides{{gtAlignLeft, 100},
                                            {gtAlignTop, 40},
                                            {gtAlignRight, 174},
                                            {gtAlignBottom, 64},
                                            {gtMarginLeft, 97},
                                            {gtMarginTop, 37},
                                            {gtMarginRight, 178},
                                            {gtMarginBottom, 68},
                                            {gtBaseline, 56}}));
  // A child of the panel, in the form's coordinates; the panel's padding edges lie inside it.
  EXPECT_EQ(Guidelines("ButtonQ")[0], (std::pair{gtAlignLeft, 430}));
  const TGuides Panel = Guidelines("Panel1");
  EXPECT_EQ(
      TGuides(Panel.begin() + 8, Panel.end()),
      (TGuides{{gtPaddingLeft, 385}, {gtPaddingTop, 235}, {gtPaddingRight, 575}, {gtPaddingBottom, 345}}));
  // The form shows its client area (584 × 361 inside a sizeable frame): its edges are the client
  // edges, whatever the frame and caption around them.
  EXPECT_EQ(Guidelines("Form1"), (TGuides{{gtAlignLeft, 0},
                                          {gtAlignTop, 0},
                                          {gtAlignRight, 583},
                                          {gtAlignBottom, 360},
                                          {gtMarginLeft, -3},
                                          {gtMarginTop, -3},
                                          {gtMarginRight, 587},
                                          {gtMarginBottom, 364},
                                          {gtPaddingLeft, 0},
                                          {gtPaddingTop, 0},
                                          {gtPaddingRight, 584},
                                          {gtPaddingBottom, 361}}));
  EXPECT_EQ(ClientDelta(*Get("Form1")), (TRect{-8, -31, 8, 8}));
}

TEST_F(GuidelinesTest, AnEdgeSnapsWithinOneGridStepOfAGuideAndShowsTheLinesItMeets) {
  Drag("ButtonB", {-191, 0});  // left edge 9 px right of A's: the grid decides (−192)
  EXPECT_EQ(Get("ButtonB")->Left(), 108);
  Drag("ButtonB", {0, 1}, true);  // now 8 px away: both edges meet A's
  // Lines from each item with a guide there (A above, C below) to B, guide by guide.
  using ::testing::FieldsAre;
  EXPECT_THAT(Lines(), ElementsAre(FieldsAre(gtAlignLeft, TPoint{100, 40}, TPoint{100, 145}),
                                   FieldsAre(gtAlignLeft, TPoint{100, 120}, TPoint{100, 225}),
                                   FieldsAre(gtAlignRight, TPoint{174, 40}, TPoint{174, 145}),
                                   FieldsAre(gtAlignRight, TPoint{174, 120}, TPoint{174, 225})));
  Input()->MouseUp({}, Last.X, Last.Y);
  EXPECT_THAT(Lines(), IsEmpty());
  EXPECT_EQ(Get("ButtonB")->Left(), 100);
  // Held Shift shows the selected item's guidelines; the release hides them.
  Input()->Key(dkNone, {ssShift}, false);
  EXPECT_EQ(Lines().size(), 4u);
  Input()->Key(dkNone, {ssShift}, true);
  EXPECT_THAT(Lines(), IsEmpty());
}

TEST_F(GuidelinesTest, TheKeyThatDisablesSnappingAndSelectedItemsLeaveTheMouseAlone) {
  Surface->SetGridSnapDisabled(true);
  Drag("ButtonB", {-192, 0});  // 8 px from A's edge, but neither guide nor grid snaps
  EXPECT_EQ(Get("ButtonB")->Left(), 108);
  Surface->SetGridSnapDisabled(false);
  Designer->Select(Surface->FindItem(Get("ButtonA")), true);  // B and A move together
  Drag("ButtonB", {4, -76});  // B's top 4 px below A's old top: A, selected, offers nothing
  EXPECT_EQ(Get("ButtonB")->BoundsRect().TopLeft(), (TPoint{116, 48}));
  EXPECT_EQ(Get("ButtonA")->BoundsRect().TopLeft(), (TPoint{108, -32}));
}

TEST_F(GuidelinesTest, EdgesMeetOtherItemsThroughMarginsOnly) {
  // B, below A and beside none of it, meets no margin: its left edge 2 px from A's right edge
  // stays where the grid puts it.
  Drag("ButtonB", {-124, 0});
  EXPECT_EQ(Get("ButtonB")->Left(), 180);
  // A size drag snaps only the moving edge: B's bottom 6 px above D's bottom edge meets it.
  Drag("ButtonB", {0, 74}, false, {dhBottom});
  EXPECT_EQ(Get("ButtonB")->BoundsRect(), (TRect{180, 120, 255, 225}));
  // D's left edge dragged onto C's right edge (176 against 174) lands a margin beyond C's margin.
  Drag("ButtonD", {-124, 0});
  EXPECT_EQ(Get("ButtonD")->Left(), 181);
  EXPECT_EQ(Get("ButtonD")->Top(), 200);
}

TEST_F(GuidelinesTest, ABaselineMatchEndsTheSearchBeforeANearerEdge) {
  TControl *Label = Get("Label1"), *Edit = Get("Edit1");
  const int Aligned = Label->Top() + *TextBaseline(*Label) - *TextBaseline(*Edit);
  ASSERT_EQ(Get("ButtonE")->Top() - (Aligned + 5), 2);  // E's top 2 px from the edit's top
  Drag("Edit1", {0, Aligned + 5 - Edit->Top()});        // baselines 5 px apart
  EXPECT_EQ(Edit->Top(), Aligned);
}

TEST_F(GuidelinesTest, AParentsPaddingTakesOnlyTheMarginOfTheSameSide) {
  Drag("ButtonQ", {-40, 0});  // left margin 2 px from the left padding
  EXPECT_EQ(Get("ButtonQ")->Left(), 8);
  Drag("ButtonQ", {188, 0});  // left margin 2 px from the right padding: the grid decides
  EXPECT_EQ(Get("ButtonQ")->Left(), 8 + 192);
}
