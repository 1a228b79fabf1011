#include "formwright/testing/Forms.h"
#include "platform/orx/BitmapCanvas.h"
#include "platform/orx/ControlPaint.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Field;
using ::testing::Not;

namespace {

auto Op(TCanvasOpKind Kind, const String& Text) {
  return AllOf(Field(&TCanvasOp::Kind, Kind), Field(&TCanvasOp::Text, Text));
}

class Painting : public ::testing::Test {
 protected:
  TOwned<TForm> Form{new TForm(nullptr)};
  TPanel* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get(), Bounds(10, 20, 100, 60));
  TButton* Button = Make<TButton>(Form.get(), "Button1", Panel, Bounds(5, 6, 75, 25));
};

// Children are painted at their place below the form's frame, caption and menu bar; the
// menu bar and labels show captions without their accelerator marks; hidden controls are
// painted only while designed.
TEST_F(Painting, ChildrenSitBelowTheNonClientAreaAndCaptionsLoseAccelerators) {
  Form->SetCaption("Orders");
  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  for (const char* Caption : {"&File", "&Edit"}) {
    auto* Item = new TMenuItem(Form.get());
    Item->SetCaption(Caption);
    Menu->Items()->Add(Item);
  }
  Form->SetMenu(Menu);
  auto* Label = Make<TLabel>(Form.get(), "Label1", Form.get(), Bounds(200, 5, 40, 13));
  Label->SetCaption("&Save && exit");
  auto* Hidden = Make<TEdit>(Form.get(), "Edit1", Form.get(), Bounds(200, 40, 40, 20));
  Hidden->SetText("secret");
  Hidden->SetVisible(false);
  TRecordingCanvas C;
  PaintControl(C, Form.get());
  const TRect M = Form->NonClientMargins();
  ASSERT_EQ(M, (TRect{8, 51, 8, 8}));
  EXPECT_THAT(C.Operations(), Contains(Field(&TCanvasOp::Rect, Bounds(8 + 10 + 5, 51 + 20 + 6, 75, 25))));
  EXPECT_THAT(C.Operations(), Contains(Op(TCanvasOpKind::TextRect, "Orders")));
  EXPECT_THAT(C.Operations(), Contains(Op(TCanvasOpKind::TextRect, "File")));
  EXPECT_THAT(C.Operations(), Contains(Op(TCanvasOpKind::TextRect, "Save & exit")));
  EXPECT_THAT(C.Operations(), Not(Contains(Op(TCanvasOpKind::TextRect, "secret"))));
  C.ClearOperations();
  Form->SetDesigning(true);
  PaintControl(C, Form.get());
  EXPECT_THAT(C.Operations(), Contains(Op(TCanvasOpKind::TextRect, "secret")));
}

// A child reaching past its parent's client area is cut at the parent's edge.
TEST_F(Painting, ChildrenAreClippedToTheirParent) {
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(0, 0, 200, 100);
  Form->SetColor(clWhite);
  Panel->SetBevelOuter(bvNone);
  Button->SetBounds(80, 6, 75, 25);  // 45 pixels past the panel's right edge
  TBitmap B;
  B.SetSize(200, 100);
  {
    TBitmapCanvas C(B);
    PaintControl(C, Form.get());
  }
  const TColor Face = TColor(ColorToRGB(clFace));
  EXPECT_EQ(B.Pixel(10 + 83, 20 + 15), Face) << "the button inside the panel";
  EXPECT_EQ(B.Pixel(10 + 100 + 5, 20 + 15), clWhite) << "the form past the panel's edge";
}

TEST_F(Painting, CheckBoxesPutTheBoxOnTheSideAlignmentSays) {
  auto* Check = Make<TCheckBox>(Form.get(), "CheckBox1", Form.get(), Bounds(0, 0, 97, 17));
  for (const auto& [Alignment, BoxLeft] : {std::pair{taRightJustify, 0}, std::pair{taLeftJustify, 97 - 13}}) {
    Check->SetAlignment(Alignment);
    TRecordingCanvas C;
    Check->PaintTo(C);
    EXPECT_THAT(C.Operations(), Contains(AllOf(Field(&TCanvasOp::Kind, TCanvasOpKind::FillRect),
                                               Field(&TCanvasOp::Rect, Bounds(BoxLeft, 2, 13, 13)))));
  }
}

}  // namespace
