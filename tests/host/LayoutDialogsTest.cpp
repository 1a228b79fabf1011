// The layout dialogs and module commands of the reference host, reached from the design surface.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "formdesigner/DesignSurface.h"
#include "formwright/testing/Matchers.h"
#include "formwright/testing/ModuleTest.h"
#include "host/root/FormWindow.h"
#include "platform/orx/Orx.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::Raises;

class LayoutDialogs : public testing::TModuleTest {
 protected:
  LayoutDialogs() { Open("Form1.fwf", Sample("AlignForm.fwf")); }
  TControl* C(const char* Name) { return As<TControl>(Find(Name)); }
  void Select(std::initializer_list<const char*> Names) {
    Module->ClearSelection();
    for (const char* N : Names) Module->Select(Find(N), true);
  }
  IDesignSurfaceCommands& Surface() { return *Supports<IDesignSurfaceCommands>(Module->Surface()); }
  TLayoutQuestions& Questions() { return Host.Environment().LayoutQuestions; }
  std::vector<String> TabOrder(const char* Parent) {
    std::vector<TWinControl*> List;
    As<TWinControl>(Find(Parent))->GetTabOrderList(List);
    std::vector<String> Names;
    for (TWinControl* W : List)
      if (W->Parent() == Find(Parent)) Names.push_back(W->Name());
    return Names;
  }
};

TEST_F(LayoutDialogs, UnansweredOrCancelledDialogsChangeNothing) {
  const String Original = Written(Module);
  Select({"B1", "B2"});
  IDesignSurfaceCommands& S = Surface();
  for (int Pass = 0; Pass < 2; ++Pass) {
    for (auto Dialog :
         {&IDesignSurfaceCommands::AppAlignDialog, &IDesignSurfaceCommands::AppSizeDialog,
          &IDesignSurfaceCommands::AppScaleDialog, &IDesignSurfaceCommands::AppTabOrderDialog,
          &IDesignSurfaceCommands::AppCreationOrderDialog, &IDesignSurfaceCommands::AppSaveTemplateDialog})
      (S.*Dialog)();
    // Answered with Cancel after changing the choice.
    Questions().Align = [](TAlignChoice& C) { return C.Horizontal = afRight, false; };
    Questions().Size = [](TSizeChoice& C) { return C.Horizontal = asHGrow, false; };
    Questions().Scale = [](int& P) { return P = 50, false; };
    Questions().TabOrder = Questions().CreationOrder = [](std::vector<String>& N) {
      std::reverse(N.begin(), N.end());
      return false;
    };
  }
  EXPECT_EQ(Written(Module), Original);
  EXPECT_FALSE(Module->IsModified());
}

TEST_F(LayoutDialogs, AlignAndSizeAnswersAreCarriedOutForTheSelection) {
  Select({"B2", "B1"});
  Questions().Align = [](TAlignChoice& C) {
    C = {afLeft, afBottom};
    return true;
  };
  Questions().Size = [](TSizeChoice& C) {
    C = {asHAbsolute, 90, asHeights, 0};
    return true;
  };
  Surface().AppAlignDialog();
  EXPECT_EQ(C("B1")->BoundsRect(), Bounds(100, 71, 50, 30));  // B2's left, bottom at 101
  Surface().AppSizeDialog();
  EXPECT_EQ(C("B1")->BoundsRect(), Bounds(100, 71, 90, 41));
  EXPECT_EQ(C("B2")->BoundsRect(), Bounds(100, 60, 90, 41));
  EXPECT_TRUE(Module->IsModified());
}

TEST_F(LayoutDialogs, ScalingScalesTheSelectedControlsInPlaceAndRefusesAFactorOutOfRange) {
  Select({"Inner"});
  Questions().Scale = [](int& P) { return P = 200, true; };
  Surface().AppScaleDialog();
  EXPECT_EQ(C("Inner")->BoundsRect(), Bounds(150, 100, 200, 100));
  EXPECT_EQ(C("B4")->BoundsRect(), Bounds(20, 20, 60, 40));
  const String Scaled = Written(Module);
  Questions().Scale = [](int& P) { return P = 10, true; };
  EXPECT_THAT([&] { Surface().AppScaleDialog(); },
              Raises<EComponentDesignerException>("Scaling must be from 25 to 400 percent, not 10"));
  EXPECT_EQ(Written(Module), Scaled);
}

TEST_F(LayoutDialogs, TabAndCreationOrdersFollowTheAnswerAndABadAnswerChangesNothing) {
  Select({"B1"});
  Questions().TabOrder = [](std::vector<String>& N) {
    EXPECT_THAT(N, ElementsAre("B1", "B2", "B3", "Inner"));
    N = {"Inner", "b3", "B1", "B2"};
    return true;
  };
  Surface().AppTabOrderDialog();
  EXPECT_THAT(TabOrder("Panel1"), ElementsAre("Inner", "B3", "B1", "B2"));
  Questions().CreationOrder = [](std::vector<String>& N) {
    EXPECT_THAT(N, ElementsAre("Menu1", "Actions1"));
    N = {"Actions1", "Menu1"};
    return true;
  };
  Surface().AppCreationOrderDialog();
  const String Reordered = Written(Module);
  EXPECT_LT(Reordered.find("object Actions1"), Reordered.find("object Menu1"));
  EXPECT_LT(Reordered.find("object Panel2"), Reordered.find("object Actions1"));
  // A name missing, unknown or twice: refused before anything changes.
  for (std::vector<String> Bad :
       {std::vector<String>{"B1", "B2", "B3"}, {"B1", "B2", "B3", "Nope"}, {"B1", "B1", "B2", "B3"}}) {
    Questions().TabOrder = [Bad](std::vector<String>& N) { return N = Bad, true; };
    EXPECT_THAT(
        [&] { Surface().AppTabOrderDialog(); },
        Raises<EComponentDesignerException>("The new order must list each of Inner, B3, B1, B2 once"));
  }
  EXPECT_EQ(Written(Module), Reordered);
}

TEST_F(LayoutDialogs, TheRootSwitchesTheSaveFormatAndTheNonVisualComponents) {
  const String Text = Written(Module);
  Surface().AppTextPFM();
  Module->Save();
  EXPECT_EQ(Files->Contents("Form1.fwf"), testing::ModuleBinary(Text));
  auto* Window = dynamic_cast<TOrxFormWindow*>(Module->FormWindow().Get());
  Surface().AppShowNonVisualComponents();
  EXPECT_FALSE(Module->ShowNonVisualComponents());
  EXPECT_FALSE(Window->Options().ShowNonVisualComponents);
  Surface().AppShowNonVisualComponents();
  EXPECT_TRUE(Window->Options().ShowNonVisualComponents);
}

}  // namespace
}  // namespace formwright
