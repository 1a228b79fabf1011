// Creating components on a module shown on the reference host's design surface.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

using ::testing::HasSubstr;

namespace formwright {
namespace {

using namespace orx;
using testing::MessageOf;
using testing::PanelFormText;

const String FrameText = Sample("CreateFrame.fwf");

const String FrameUnit = Sample("CreateFrame.pas");

class ComponentRootCreate : public testing::RootTest {
 protected:
  ComponentRootCreate() { Form1 = Open("Form1.fwf", PanelFormText); }
  TControl* Control(const char* Name) { return As<TControl>(C(Name)); }
};

TEST(GridSnapping, ValuesGoToTheNearestLineHalfwayUpNegativesDownward) {
  struct TCase {
    int Value, Offset, Grid, Snapped;
  };
  for (const TCase& T : {TCase{3, 0, 8, 0}, TCase{4, 0, 8, 8}, TCase{11, 0, 8, 8}, TCase{12, 0, 8, 16},
                         TCase{-3, 0, 8, 0}, TCase{-4, 0, 8, 0}, TCase{-5, 0, 8, -8}, TCase{-12, 0, 8, -8},
                         TCase{-13, 0, 8, -16}, TCase{6, 3, 8, 3}, TCase{7, 3, 8, 11}, TCase{-1, 3, 8, 3},
                         TCase{-2, 3, 8, -5}, TCase{-6, 3, 8, -5}, TCase{17, 0, 0, 17}})
    EXPECT_EQ(SnapToGrid(T.Value, T.Offset, T.Grid), T.Snapped)
        << T.Value << " offset " << T.Offset << " grid " << T.Grid;
}

TEST_F(ComponentRootCreate, APaletteDoubleClickCentresThenCascades) {
  Form1->ClearSelection();
  auto Item = MakeIntf<TClassPaletteItem>(TEdit::StaticClass());
  auto* First = As<TEdit>(Form1->CreateComponent(Item));
  ASSERT_TRUE(First);
  EXPECT_EQ(First->Name(), "Edit1");
  EXPECT_EQ(First->Parent(), Form1->GetRoot());
  // The form is 416 x 339, the edit 121 x 21: centred at (148, 159), snapped to (152, 160).
  EXPECT_EQ(First->BoundsRect(), (TRect{152, 160, 273, 181}));
  EXPECT_EQ(Form1->SelectedComponent(), First);
  EXPECT_TRUE(Form1->IsModified());
  // That corner is taken: the next one moves by 10 both ways and snaps again.
  Form1->ClearSelection();
  auto* Second = As<TEdit>(Form1->CreateComponent(Item));
  EXPECT_EQ(Second->Name(), "Edit2");
  EXPECT_EQ(Second->BoundsRect(), (TRect{160, 168, 281, 189}));
}

TEST_F(ComponentRootCreate, TheCascadeMovesOnlyForACornerExactlyTakenByAnyItem) {
  auto Item = MakeIntf<TClassPaletteItem>(TEdit::StaticClass());
  // One pixel off the centre point is not taken.
  As<TControl>(Form1->GetRoot()->FindComponent("Panel1"))->SetBounds(153, 160, 20, 20);
  Form1->ClearSelection();
  EXPECT_EQ(As<TControl>(Form1->CreateComponent(Item))->BoundsRect(), (TRect{152, 160, 273, 181}));
  // A container of the new component's own size centres it where it was made: its own corner
  // is taken too.
  auto* Small = As<TPanel>(Form1->CreateComponent(TPanel::StaticClass(), Form1->GetRoot(), 304, 0, 75, 25));
  Form1->Select(Small, false);
  auto* Inside = As<TButton>(Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TButton::StaticClass())));
  EXPECT_EQ(Inside->Parent(), Small);
  // (0, 0) is its own, (8, 8) is Button1's inside Panel1: every item of the surface counts.
  EXPECT_EQ(Inside->BoundsRect(), (TRect{16, 16, 91, 41}));
}

TEST_F(ComponentRootCreate, TheCascadeStepIsHalfTheGridPlusOneAndAtLeastTen) {
  Host.Environment().Options.GridSizeX = 30;
  Host.Environment().Options.GridSizeY = 30;
  Form1->UpdateOptions();
  auto Item = MakeIntf<TClassPaletteItem>(TEdit::StaticClass());
  Form1->ClearSelection();
  EXPECT_EQ(As<TControl>(Form1->CreateComponent(Item))->BoundsRect().TopLeft(), (TPoint{150, 150}));
  Form1->ClearSelection();
  // A step of 16 reaches the next line of 30; a step of 10 would snap back onto the same one.
  EXPECT_EQ(As<TControl>(Form1->CreateComponent(Item))->BoundsRect().TopLeft(), (TPoint{180, 180}));
}

TEST_F(ComponentRootCreate, WithoutSnappingPointsAreUsedAsGiven) {
  Host.Environment().Options.SnapToGrid = false;
  Form1->UpdateOptions();
  auto* B = Form1->CreateComponent(TButton::StaticClass(), Control("Panel1"), 33, 41, 60, 30);
  EXPECT_EQ(As<TControl>(B)->BoundsRect(), (TRect{33, 41, 93, 71}));
  Form1->ClearSelection();
  auto* E = Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TEdit::StaticClass()));
  EXPECT_EQ(As<TControl>(E)->BoundsRect().TopLeft(), (TPoint{148, 159}));
  Form1->SetPaletteClass(TCheckBox::StaticClass());
  auto* Box = Form1->CreateComponentPos(MakeIntf<TClassPaletteItem>(TCheckBox::StaticClass()), 30, 90);
  EXPECT_EQ(As<TControl>(Box)->BoundsRect().TopLeft(), (TPoint{14, 74}));
}

// Makes panels of 5 x 5 pixels.
class TTinyPanelItem : public TInterfacedObject, public IInternalPaletteItem {
 public:
  TComponent* CreateComponent(TComponent* Owner, TComponent*, const TRect&,
                              const IPtr<IDesignEnvironment>&) override {
    auto* P = new TPanel(Owner);
    P->SetBounds(0, 0, 5, 5);
    return P;
  }
};

TEST_F(ComponentRootCreate, AClickTakesTheDefaultSizeAndARubberBandIsUsedAsDrawn) {
  struct TCase {
    bool Tiny;
    TRect Drawn, Bounds;
  };
  for (const TCase& T : {TCase{false, {40, 40, 41, 41}, {40, 40, 115, 65}},  // a click: the button's own size
                         TCase{false, {40, 40, 49, 49}, {40, 40, 115, 65}},  // still a click at 9 x 9
                         TCase{false, {40, 40, 50, 45}, {40, 40, 50, 45}},   // 10 x 5 is a rubber band
                         TCase{false, {40, 40, 45, 50}, {40, 40, 45, 50}},   // and so is 5 x 10
                         TCase{true, {40, 40, 41, 41}, {40, 40, 140, 81}}}) {  // tiny: 100 wide, 40 lower
    IPtr<IInternalPaletteItem> Item = T.Tiny ? IPtr<IInternalPaletteItem>(MakeIntf<TTinyPanelItem>())
                                             : MakeIntf<TClassPaletteItem>(TButton::StaticClass());
    auto* C = As<TControl>(Form1->DoCreateComponent(Item, Form1->ItemOf(Form1->GetRoot()), T.Drawn, true));
    ASSERT_TRUE(C);
    EXPECT_EQ(C->BoundsRect(), T.Bounds) << T.Drawn.Right << "," << T.Drawn.Bottom;
  }
}

TEST_F(ComponentRootCreate, ModuleClassesAndDesignedFormsAreNeverPlacedOnAModule) {
  for (TClass Class : {TForm::StaticClass(), TDataModule::StaticClass(), TFrame::StaticClass()}) {
    const int Count = Form1->GetRoot()->ComponentCount();
    EXPECT_EQ(MessageOf([&] { Form1->CreateComponent(Class, Form1->GetRoot(), 8, 8, 50, 50); }),
              Format("Class %s is the class of a module and cannot be placed inside another module",
                     Class->ClassName()));
    EXPECT_EQ(Form1->GetRoot()->ComponentCount(), Count);
  }
  IPtr<TReferenceRoot> Form2 = Open("Form2.fwf", "object Form2: TForm2\nend\n");
  const int Count = Form1->GetRoot()->ComponentCount();
  EXPECT_EQ(MessageOf([&] {
              Form1->CreateComponent(Form2->GetRoot()->ClassType(), Form1->GetRoot(), 0, 0, 50, 50);
            }),
            "Cannot paste a form or datamodule into another form or datamodule");
  EXPECT_EQ(Form1->GetRoot()->ComponentCount(), Count);
  EXPECT_FALSE(Form1->IsModified());
}

TEST_F(ComponentRootCreate, NewComponentsGoIntoTheSelectedContainer) {
  // A selected button is no container: the new component goes into the button's panel.
  Form1->Select(Control("Button1"), false);
  auto* Edit = As<TEdit>(Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TEdit::StaticClass())));
  EXPECT_EQ(Edit->Parent(), Control("Panel1"));
  // With two components selected it goes onto the form.
  Form1->Select(Control("Button1"), false);
  Form1->Select(Control("Panel1"), true);
  auto* Other = As<TEdit>(Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TEdit::StaticClass())));
  EXPECT_EQ(Other->Parent(), Form1->GetRoot());
}

TEST_F(ComponentRootCreate, TheDesignerInterfacePlacesSizesAndKeepsBounds) {
  TControl* Panel = Control("Panel1");
  auto* B = As<TButton>(Form1->CreateComponent(TButton::StaticClass(), Panel, 33, 41, 60, 30));
  ASSERT_TRUE(B);
  EXPECT_EQ(B->Name(), "Button2");
  EXPECT_EQ(B->Parent(), Panel);
  EXPECT_EQ(B->BoundsRect(), (TRect{32, 40, 92, 70}));  // snapped to the grid
  // A click (a rectangle under 10 pixels both ways) takes the component's default size.
  auto* C = As<TButton>(Form1->CreateComponent(TButton::StaticClass(), Panel, 80, 80, 1, 1));
  EXPECT_EQ(C->BoundsRect(), (TRect{80, 80, 155, 105}));
  // A child keeps its own bounds.
  auto* Child = As<TButton>(Form1->CreateChild(TButton::StaticClass(), Panel));
  EXPECT_EQ(Child->Left(), 0);
  EXPECT_EQ(Child->Width(), 75);
  EXPECT_EQ(Child->Parent(), Panel);
  EXPECT_EQ(Child->Name(), "Button4");
}

TEST_F(ComponentRootCreate, AClickOnTheSurfaceCreatesInTheContainerUnderIt) {
  Form1->SetPaletteClass(TCheckBox::StaticClass());
  // (30, 90) lies in Panel1 (16,16)-(216,136) below its button.
  auto* Box =
      As<TCheckBox>(Form1->CreateComponentPos(MakeIntf<TClassPaletteItem>(TCheckBox::StaticClass()), 30, 90));
  ASSERT_TRUE(Box);
  EXPECT_EQ(Box->Parent(), Control("Panel1"));
  EXPECT_EQ(Box->Left(), 8);  // (30 - 16) truncated to the grid
  EXPECT_EQ(Box->Top(), 72);
  auto* Current = Form1->CreateCurrentComponent(Form1->GetRoot(), TRect{300, 200, 380, 240});
  ASSERT_TRUE(Current);
  EXPECT_EQ(As<TControl>(Current)->BoundsRect(), (TRect{300, 200, 380, 240}));
}

TEST_F(ComponentRootCreate, FramesAreEmbeddedAsInlineInstancesThatTakeNothingNew) {
  Files->PutFile("Frame1.fwf", FrameText);
  Files->PutFile("Frame1.pas", FrameUnit);
  IPtr<TReferenceRoot> Frame = Host.Open("Frame1.fwf");
  ASSERT_TRUE(As<TFrame>(Frame->GetRoot()));
  TClass FrameClass = Frame->GetRoot()->ClassType();
  auto* Instance = Form1->CreateComponent(FrameClass, Form1->GetRoot(), 240, 160, 120, 60);
  ASSERT_TRUE(Instance);
  EXPECT_EQ(Instance->Name(), "Frame11");
  EXPECT_TRUE(Instance->ComponentState().Contains(csInline));
  TComponent* Label = Instance->FindComponent("Label1");
  ASSERT_TRUE(Label);
  EXPECT_TRUE(Label->ComponentState().Contains(csAncestor));
  EXPECT_TRUE(Form1->IsFrame(Instance));
  // Nothing new goes into the instance, by any way of creating.
  TStringStream Before;
  Form1->WriteRootStream(&Before);
  const char* const Refused = "New components cannot be added to frame instances.";
  EXPECT_EQ(MessageOf([&] { Form1->CreateComponent(TButton::StaticClass(), Instance, 8, 8, 75, 25); }),
            Refused);
  EXPECT_EQ(MessageOf([&] { Form1->CreateComponent(TButton::StaticClass(), Label, 8, 8, 75, 25); }), Refused);
  Form1->Select(Label, false);
  EXPECT_EQ(MessageOf([&] { Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TButton::StaticClass())); }),
            Refused);
  TStringStream Copied("object Button9: TButton\nend\n");
  EXPECT_EQ(MessageOf([&] { Form1->PasteSelectionFromStream(&Copied, Instance, TRect{}); }), Refused);
  TStringStream After;
  Form1->WriteRootStream(&After);
  EXPECT_EQ(After.DataString(), Before.DataString());
  Form1->SetTextFormat(true);
  Form1->Save();
  const String Saved = Files->Contents("Form1.fwf");
  EXPECT_THAT(Saved, HasSubstr("  inline Frame11: TFrame1\n"));
  EXPECT_THAT(Saved, HasSubstr("    inherited Label1: TLabel\n"));
  // Reading it back embeds the frame again.
  Host.Close(Form1);
  IPtr<TReferenceRoot> Again = Host.Open("Form1.fwf");
  TComponent* Back = Again->GetRoot()->FindComponent("Frame11");
  ASSERT_TRUE(Back);
  EXPECT_EQ(Back->ClassType(), FrameClass);
  EXPECT_EQ(As<TLabel>(Back->FindComponent("Label1"))->Caption(), "In the frame");
  // A frame is never placed inside itself.
  EXPECT_EQ(MessageOf([&] { Frame->CreateComponent(FrameClass, Frame->GetRoot(), 0, 0, 10, 10); }),
            "A nested component cannot be inserted into itself");
  EXPECT_FALSE(Frame->GetRoot()->FindComponent("Frame11"));
}

}  // namespace
}  // namespace formwright
