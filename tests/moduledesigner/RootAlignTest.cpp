// Aligning, spacing, sizing, the grid and flipping children through the module root.
#include <array>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formwright/testing/ModuleTest.h"
#include "host/root/FormWindow.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Pair;

class RootAlign : public testing::TModuleTest {
 protected:
  RootAlign() { Open("Form1.fwf", Sample("AlignForm.fwf")); }
  TControl* C(const char* Name) { return As<TControl>(Find(Name)); }
  void Select(std::initializer_list<const char*> Names) {
    Module->ClearSelection();
    for (const char* N : Names) Module->Select(Find(N), true);
  }
  // Places controls (Left, Top, Width, Height) without going through the module.
  void Place(std::initializer_list<std::pair<const char*, TRect>> Places) {
    for (const auto& [Name, R] : Places) C(Name)->SetBoundsRect(R);
  }
  std::vector<std::pair<int, int>> Positions(std::initializer_list<const char*> Names) {
    std::vector<std::pair<int, int>> R;
    for (const char* N : Names) R.emplace_back(C(N)->Left(), C(N)->Top());
    return R;
  }
  std::vector<std::pair<int, int>> Sizes(std::initializer_list<const char*> Names) {
    std::vector<std::pair<int, int>> R;
    for (const char* N : Names) R.emplace_back(C(N)->Width(), C(N)->Height());
    return R;
  }
  TDesigner& FormDesigner() {
    return *dynamic_cast<TOrxFormWindow*>(Module->FormWindow().Get())->FormDesigner();
  }
};

TEST_F(RootAlign, EdgesAndCentresMeetTheAnchors) {
  // B1 (10, 20, 50 × 30) is the anchor; B2 (100, 60, 21 × 41), B3 (40, 5, 33 × 15).
  const struct {
    TOTAAffect Affect;
    std::vector<std::pair<int, int>> Expected;
  } Cases[] = {
      {afLeft, {{10, 20}, {10, 60}, {10, 5}}},    {afRight, {{10, 20}, {39, 60}, {27, 5}}},
      {afHCenter, {{10, 20}, {25, 60}, {19, 5}}}, {afTop, {{10, 20}, {100, 20}, {40, 20}}},
      {afBottom, {{10, 20}, {100, 9}, {40, 35}}}, {afVCenter, {{10, 20}, {100, 15}, {40, 28}}},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Affect));
    Place({{"B1", Bounds(10, 20, 50, 30)}, {"B2", Bounds(100, 60, 21, 41)}, {"B3", Bounds(40, 5, 33, 15)}});
    Select({"B1", "B2", "B3"});
    Module->Align(Case.Affect);
    EXPECT_THAT(Positions({"B1", "B2", "B3"}), ElementsAreArray(Case.Expected));
    EXPECT_THAT(Sizes({"B2", "B3"}), ElementsAre(Pair(21, 41), Pair(33, 15)));
  }
  // A single item is its own anchor.
  Place({{"B2", Bounds(100, 60, 21, 41)}});
  Select({"B2"});
  Module->Align(afRight);
  EXPECT_THAT(Positions({"B2"}), ElementsAre(Pair(100, 60)));
  EXPECT_TRUE(Module->IsModified());
}

TEST_F(RootAlign, OnlyTheAnchorsSiblingsMove) {
  Select({"B1", "Edit1", "B2"});
  Module->Align(afTop);
  EXPECT_THAT(Positions({"B1", "B2", "Edit1"}), ElementsAre(Pair(10, 20), Pair(100, 20), Pair(13, 5)));
  EXPECT_THAT(Selected(Module), ElementsAre(Find("B1"), Find("B2")));
}

TEST_F(RootAlign, SpacingCommandsMoveTheOthersAroundTheAnchor) {
  // Left edge and width of B1 (the anchor), B2, B3 and Inner; their left edges afterwards.
  const struct {
    TOTAAffect Affect;
    std::array<std::pair<int, int>, 4> Start;
    std::array<int, 4> Lefts;
  } Cases[] = {
      // Evenly between the outermost left edges; widths do not enter.
      {afHSpace, {{{50, 50}, {0, 21}, {101, 33}, {10, 5}}}, {67, 0, 101, 33}},
      // 1, 2, 3... pixels outward, or inward; one level with the anchor stays on a decrease.
      {afHSpaceInc, {{{60, 10}, {30, 10}, {0, 10}, {90, 10}}}, {60, 29, -2, 91}},
      {afHSpaceDec, {{{60, 10}, {30, 10}, {0, 10}, {90, 10}}}, {60, 31, 2, 89}},
      {afHSpaceDec, {{{60, 10}, {60, 10}, {0, 10}, {90, 10}}}, {60, 60, 1, 89}},
      // The gaps close toward the anchor.
      {afHSpaceDel, {{{100, 20}, {50, 30}, {0, 40}, {150, 10}}}, {100, 70, 30, 120}},
  };
  const char* Names[] = {"B1", "B2", "B3", "Inner"};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Affect));
    for (size_t I = 0; I < 4; ++I) C(Names[I])->SetBounds(Case.Start[I].first, 0, Case.Start[I].second, 10);
    Select({"B1", "B2", "B3", "Inner"});
    Module->Align(Case.Affect);
    for (size_t I = 0; I < 4; ++I) EXPECT_EQ(C(Names[I])->Left(), Case.Lefts[I]) << Names[I];
  }
  // Two items never move when spread; removing space keeps B2 over B1 and brings B3 up to B2.
  Select({"B1", "B3"});
  Module->Align(afHSpace);
  EXPECT_THAT(Positions({"B1", "B3"}), ElementsAre(Pair(100, 0), Pair(30, 0)));
  Place({{"B1", Bounds(0, 0, 10, 20)}, {"B2", Bounds(0, 15, 10, 20)}, {"B3", Bounds(0, 50, 10, 5)}});
  Select({"B1", "B2", "B3"});
  Module->Align(afVSpaceDel);
  // B2 overlapped B1 and still does; B3 closes the 15-pixel gap below B2.
  EXPECT_THAT(Positions({"B1", "B2", "B3"}), ElementsAre(Pair(0, 0), Pair(0, 15), Pair(0, 35)));
}

TEST_F(RootAlign, CentringInTheWindowUsesTheParentsClientArea) {
  Place({{"B1", Bounds(10, 20, 50, 30)}, {"B2", Bounds(100, 60, 21, 41)}});
  Select({"B2", "B1"});
  const int CW = As<TWinControl>(Find("Panel1"))->ClientWidth();
  const int CH = As<TWinControl>(Find("Panel1"))->ClientHeight();
  Module->Align(afHWinCenter);
  Module->Align(afVWinCenter);
  const int DX = (CW - 10 - 121) / 2, DY = (CH - 20 - 101) / 2;
  EXPECT_THAT(Positions({"B1", "B2"}), ElementsAre(Pair(10 + DX, 20 + DY), Pair(100 + DX, 60 + DY)));
}

TEST_F(RootAlign, ARefusedAlignChangesNothingAndIsNoModification) {
  const String Original = Written(Module);
  Module->ClearSelection();
  Module->Select(Module->GetRoot(), false);
  Module->Align(afLeft);
  Select({"B1", "B2"});
  FormDesigner().Lock();
  Module->Align(afLeft);
  Module->Size(asHGrow, 0);
  Module->AlignToGrid();
  FormDesigner().Unlock();
  Host.Designer()->SetControlsLocked(true);
  Module->Align(afTop);
  Host.Designer()->SetControlsLocked(false);
  EXPECT_EQ(Written(Module), Original);
  EXPECT_FALSE(Module->IsModified());
}

TEST_F(RootAlign, SizesComeFromTheSelectionTheAnchorOrTheValue) {
  // B2 (21 × 41) is the anchor; B1 50 × 30, B3 33 × 15.
  const struct {
    TOTASizeAffect Affect;
    std::vector<std::pair<int, int>> Expected;
  } Cases[] = {
      {asHGrow, {{50, 41}, {50, 30}, {50, 15}}},       {asHShrink, {{21, 41}, {21, 30}, {21, 15}}},
      {asVGrow, {{21, 41}, {50, 41}, {33, 41}}},       {asVShrink, {{21, 15}, {50, 15}, {33, 15}}},
      {asWidths, {{21, 41}, {21, 30}, {21, 15}}},      {asHeights, {{21, 41}, {50, 41}, {33, 41}}},
      {asHAbsolute, {{77, 41}, {77, 30}, {77, 15}}},   {asVAbsolute, {{21, 77}, {50, 77}, {33, 77}}},
      {asWidthHeight, {{21, 41}, {21, 41}, {21, 41}}}, {asSizeToGrid, {{21, 41}, {50, 30}, {33, 15}}},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(static_cast<int>(Case.Affect));
    Place({{"B1", Bounds(10, 20, 50, 30)}, {"B2", Bounds(100, 60, 21, 41)}, {"B3", Bounds(40, 5, 33, 15)}});
    Select({"B2", "B1", "B3"});
    Module->Size(Case.Affect, 77);
    EXPECT_THAT(Sizes({"B2", "B1", "B3"}), ElementsAreArray(Case.Expected));
    EXPECT_THAT(Positions({"B1"}), ElementsAre(Pair(10, 20)));
  }
}

TEST_F(RootAlign, AlignToGridGoesToTheNearestPointEvenWithSnappingOff) {
  FormDesigner().SetGridAligned(false);
  Select({"Edit1"});
  Module->Align(afAlignToGrid);
  EXPECT_THAT(Positions({"Edit1"}), ElementsAre(Pair(16, 8)));
  EXPECT_THAT(Sizes({"Edit1"}), ElementsAre(Pair(60, 21)));
  // The grid-snap command switches snapping back on.
  Module->Align(afSnapToGrid);
  EXPECT_TRUE(FormDesigner().GetGridAligned());
}

TEST_F(RootAlign, FlippingAllMirrorsNestedContainersAndFlippingTheSelectionMirrorsItAlone) {
  const int PanelWidth = As<TWinControl>(Find("Panel1"))->ClientWidth();
  const int InnerWidth = As<TWinControl>(Find("Inner"))->ClientWidth();
  Select({"Inner"});
  Supports<IFlipChildren>(Module)->FlipChildren(false);  // the selection only
  EXPECT_EQ(C("Inner")->Left(), PanelWidth - 150 - 100);
  EXPECT_EQ(C("B4")->Left(), 10);
  EXPECT_EQ(C("B1")->Left(), 10);
  Module->Command(dmFlipSelectedChildren);
  EXPECT_EQ(C("Inner")->Left(), 150);
  Module->Command(dmFlipAllChildren);
  EXPECT_EQ(C("B1")->Left(), PanelWidth - 10 - 50);
  EXPECT_EQ(C("B4")->Left(), InnerWidth - 10 - 30);
  EXPECT_EQ(C("Inner")->Left(), PanelWidth - 150 - 100);
}

TEST_F(RootAlign, ScrollRangesReachEveryItemsExtendedRectangle) {
  // The panels reach furthest: right edges at 300, Panel2's bottom at 280.
  EXPECT_EQ(Module->GetScrollRanges(TPoint{5, 7}), (TPoint{305, 287}));
}

}  // namespace
}  // namespace formwright
