// The form designer of an open module, driven as a person drives it: the mouse and keys reach
// the module's surface, and what they change is what is saved.
#include <gmock/gmock.h>

#include "host/root/FormWindow.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "tests/support/Matchers.h"

using namespace formwright;
using ::testing::HasSubstr;

namespace {

constexpr const char* MainText =
    "object Form1: TForm1\n"
    "  Left = 0\n  Top = 0\n  Width = 400\n  Height = 300\n"
    "  object Button1: TButton\n"
    "    Left = 13\n    Top = 21\n    Width = 75\n    Height = 25\n"
    "    Caption = 'Go'\n"
    "  end\n"
    "end\n";

class FormDesignerSession : public ::testing::Test {
 protected:
  FormDesignerSession() {
    Files->PutFile("Main.fwf", MainText);
    Main = Host.Open("Main.fwf");
    Surface = IPtr<TOrxDesignSurface>(dynamic_cast<TOrxDesignSurface*>(Main->Surface().Get()));
  }
  IPtr<IItem> ItemOf(const char* Name) { return Surface->FindItem(Main->GetRoot()->FindComponent(Name)); }
  void Drag(const IPtr<IItem>& On, TPoint From, TPoint To) {
    Surface->Listener()->MouseDown(On, {}, From.X, From.Y, false, {}, false);
    Surface->Listener()->MouseMove({}, To.X, To.Y);
    Surface->Listener()->MouseUp({}, To.X, To.Y);
  }

  IPtr<TMemoryFileSystem> Files = MakeIntf<TMemoryFileSystem>();
  TReferenceHost Host{Files};
  IPtr<TReferenceRoot> Main;
  IPtr<TOrxDesignSurface> Surface;
};

TEST_F(FormDesignerSession, AMoveAndANewButtonAreSaved) {
  Drag(ItemOf("Button1"), {20, 30}, {38, 29});  // 18 to the right: two grid steps
  EXPECT_EQ(Main->SelectedPersistent(), Main->GetRoot()->FindComponent("Button1"));
  Main->SetPaletteClass(orx::TButton::StaticClass());
  Drag(Surface->GetRoot(), {101, 99}, {180, 130});
  Main->SetPaletteClass(nullptr);
  ASSERT_NE(Main->GetRoot()->FindComponent("Button2"), nullptr);
  EXPECT_EQ(Main->SelectedPersistent(), Main->GetRoot()->FindComponent("Button2"));
  Main->Save();
  const String Saved = Files->Contents("Main.fwf");
  EXPECT_THAT(Saved, HasSubstr("    Left = 29\n    Top = 21\n    Width = 75\n"));
  EXPECT_THAT(
      Saved,
      HasSubstr("object Button2: TButton\n    Height = 33\n    Left = 104\n    Top = 96\n    Width = 81\n"));
}

TEST_F(FormDesignerSession, AReadOnlySourceRefusesMouseAndKeysAndNothingChanges) {
  Main->Source()->SetReadOnly(true);
  const auto ReadOnly = formwright::testing::Raises<EComponentDesignerException>("Source is read-only");
  EXPECT_THAT([&] { Drag(ItemOf("Button1"), {20, 30}, {60, 30}); }, ReadOnly);
  EXPECT_THAT([&] { Surface->Listener()->Key(dkRight, {ssCtrl}, false); }, ReadOnly);
  EXPECT_EQ(dynamic_cast<orx::TControl*>(Main->GetRoot()->FindComponent("Button1"))->Left(), 13);
  EXPECT_FALSE(Main->IsModified());
  EXPECT_EQ(ExtractPersistent(Surface->GetGrabHandles()->GetItem()),
            Main->GetRoot()->FindComponent("Button1"));
  Host.CloseAll();
  EXPECT_EQ(Files->Contents("Main.fwf"), MainText);
}

}  // namespace
