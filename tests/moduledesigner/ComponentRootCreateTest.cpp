// Creating components on a module shown on the reference host's design surface.
#include <gtest/gtest.h>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"

namespace formwright {
namespace {

using namespace orx;
using moduledesigner_testing::Message;

const char* const FormText =
    "object Form1: TForm1\n"
    "  ClientWidth = 400\n"
    "  ClientHeight = 300\n"
    "  object Panel1: TPanel\n"
    "    Left = 16\n"
    "    Top = 16\n"
    "    Width = 200\n"
    "    Height = 120\n"
    "    object Button1: TButton\n"
    "      Left = 8\n"
    "      Top = 8\n"
    "    end\n"
    "  end\n"
    "end\n";

const char* const FrameText =
    "object Frame1: TFrame1\n"
    "  Width = 120\n"
    "  Height = 60\n"
    "  object Label1: TLabel\n"
    "    Caption = 'In the frame'\n"
    "  end\n"
    "end\n";

class ComponentRootCreate : public testing::Test {
 protected:
  ComponentRootCreate() : Files(MakeIntf<TMemoryFileSystem>()), Host(Files) {
    Files->PutFile("Form1.fwf", FormText);
    Form1 = Host.Open("Form1.fwf");
  }
  TControl* Control(const IPtr<TReferenceRoot>& R, const char* Name) {
    return As<TControl>(R->GetRoot()->FindComponent(Name));
  }

  IPtr<TMemoryFileSystem> Files;
  TReferenceHost Host;
  IPtr<TReferenceRoot> Form1;
};

TEST_F(ComponentRootCreate, APaletteDoubleClickCentresThenCascades) {
  Form1->ClearSelection();
  auto Item = MakeIntf<TClassPaletteItem>(TEdit::StaticClass());
  auto* First = As<TEdit>(Form1->CreateComponent(Item));
  ASSERT_TRUE(First);
  EXPECT_EQ(First->Name(), "Edit1");
  EXPECT_EQ(First->Parent(), Form1->GetRoot());
  // Centred in the form's bounds, snapped to the grid.
  const int W = First->Width(), H = First->Height();
  const auto* Form = As<TControl>(Form1->GetRoot());
  EXPECT_EQ(First->Left(), SnapToGrid(Form->Width() / 2 - W / 2, 0, 8));
  EXPECT_EQ(First->Top(), SnapToGrid(Form->Height() / 2 - H / 2, 0, 8));
  EXPECT_EQ(Form1->SelectedComponent(), First);
  EXPECT_TRUE(Form1->IsModified());
  Form1->ClearSelection();
  auto* Second = As<TEdit>(Form1->CreateComponent(Item));
  EXPECT_EQ(Second->Name(), "Edit2");
  EXPECT_EQ(Second->Left(), SnapToGrid(First->Left() + 10, 0, 8));
  EXPECT_EQ(Second->Top(), SnapToGrid(First->Top() + 10, 0, 8));
}

TEST_F(ComponentRootCreate, NewComponentsGoIntoTheSelectedContainer) {
  // A selected button is no container: the new component goes into the button's panel.
  Form1->Select(Control(Form1, "Button1"), false);
  auto* Edit = As<TEdit>(Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TEdit::StaticClass())));
  EXPECT_EQ(Edit->Parent(), Control(Form1, "Panel1"));
  // With two components selected it goes onto the form.
  Form1->Select(Control(Form1, "Button1"), false);
  Form1->Select(Control(Form1, "Panel1"), true);
  auto* Other = As<TEdit>(Form1->CreateComponent(MakeIntf<TClassPaletteItem>(TEdit::StaticClass())));
  EXPECT_EQ(Other->Parent(), Form1->GetRoot());
}

TEST_F(ComponentRootCreate, TheDesignerInterfacePlacesSizesAndKeepsBounds) {
  TControl* Panel = Control(Form1, "Panel1");
  auto* B = As<TButton>(Form1->CreateComponent(TButton::StaticClass(), Panel, 33, 41, 60, 30));
  ASSERT_TRUE(B);
  EXPECT_EQ(B->Name(), "Button2");
  EXPECT_EQ(B->Parent(), Panel);
  EXPECT_EQ(B->Left(), 32);  // snapped to the grid
  EXPECT_EQ(B->Top(), 40);
  EXPECT_EQ(B->Width(), 60);
  EXPECT_EQ(B->Height(), 30);
  // A click (a rectangle under 10 pixels both ways) takes the component's default size.
  auto* C = As<TButton>(Form1->CreateComponent(TButton::StaticClass(), Panel, 80, 80, 1, 1));
  EXPECT_EQ(C->Width(), 75);
  EXPECT_EQ(C->Height(), 25);
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
  EXPECT_EQ(Box->Parent(), Control(Form1, "Panel1"));
  EXPECT_EQ(Box->Left(), 8);  // (30 - 16) truncated to the grid
  EXPECT_EQ(Box->Top(), 72);
  auto* Current = Form1->CreateCurrentComponent(Form1->GetRoot(), TRect{300, 200, 380, 240});
  ASSERT_TRUE(Current);
  EXPECT_EQ(As<TControl>(Current)->BoundsRect(), (TRect{300, 200, 380, 240}));
}

TEST_F(ComponentRootCreate, FramesAreEmbeddedAsInlineInstances) {
  Files->PutFile("Frame1.fwf", FrameText);
  Files->PutFile("Frame1.pas",
                 "unit Frame1;\ninterface\ntype\n  TFrame1 = class(TFrame)\n  end;\nimplementation\nend.\n");
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
  Form1->SetTextFormat(true);
  Form1->Save();
  const String Saved = Files->Contents("Form1.fwf");
  EXPECT_NE(Saved.find("  inline Frame11: TFrame1\n"), String::npos) << Saved;
  EXPECT_NE(Saved.find("    inherited Label1: TLabel\n"), String::npos) << Saved;
  // Reading it back embeds the frame again.
  Host.Close(Form1);
  IPtr<TReferenceRoot> Again = Host.Open("Form1.fwf");
  TComponent* Back = Again->GetRoot()->FindComponent("Frame11");
  ASSERT_TRUE(Back);
  EXPECT_EQ(Back->ClassType(), FrameClass);
  EXPECT_EQ(As<TLabel>(Back->FindComponent("Label1"))->Caption(), "In the frame");
  // A frame is never placed inside itself.
  EXPECT_EQ(Message([&] { Frame->CreateComponent(FrameClass, Frame->GetRoot(), 0, 0, 10, 10); }),
            "A nested component cannot be inserted into itself");
  EXPECT_FALSE(Frame->GetRoot()->FindComponent("Frame11"));
}

TEST_F(ComponentRootCreate, FormsAreNotNestable) {
  Files->PutFile("Form2.fwf", "object Form2: TForm2\nend\n");
  IPtr<TReferenceRoot> Form2 = Host.Open("Form2.fwf");
  const int Count = Form1->GetRoot()->ComponentCount();
  EXPECT_EQ(
      Message([&] { Form1->CreateComponent(Form2->GetRoot()->ClassType(), Form1->GetRoot(), 0, 0, 50, 50); }),
      "Cannot paste a form or datamodule into another form or datamodule");
  EXPECT_EQ(Form1->GetRoot()->ComponentCount(), Count);
}

}  // namespace
}  // namespace formwright
