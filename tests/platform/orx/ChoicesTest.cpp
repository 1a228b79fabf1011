// Radio buttons, group boxes and combo boxes; how they, list boxes and status bands paint.
#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "platform/orx/ControlPaint.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::Not;

namespace {

using Choices = TFormTest;

void ReadText(TForm* Form, const String& Text) {
  TClassGroupScope Scope(TControl::StaticClass());
  TStringStream In(Text);
  TMemoryStream Binary;
  ObjectTextToBinary(&In, &Binary);
  Binary.SetPosition(0);
  TOwned<TReader> R(new TReader(&Binary, 4096));
  R->ReadRootComponent(Form);
}

auto TextOp(const String& Text) {
  return AllOf(Field(&TCanvasOp::Kind, TCanvasOpKind::TextRect), Field(&TCanvasOp::Text, Text));
}

TEST_F(Choices, CheckingARadioButtonUnchecksItsSiblingsOnly) {
  auto* Group = Make<TGroupBox>(Form.get(), "GroupBox1", Form.get());
  auto* A = Make<TRadioButton>(Form.get(), "A", Group);
  auto* B = Make<TRadioButton>(Form.get(), "B", Group);
  auto* Elsewhere = Make<TRadioButton>(Form.get(), "C", Form.get());
  TEventLog Log;
  A->FOnClick = B->FOnClick = Log.Click();
  Elsewhere->SetChecked(true);
  A->SetChecked(true);
  B->SetChecked(true);
  EXPECT_FALSE(A->Checked());
  EXPECT_TRUE(Elsewhere->Checked());
  B->SetChecked(false);
  EXPECT_FALSE(A->Checked()) << "unchecking checks no other button";
  EXPECT_THAT(Log.Log, ElementsAre("click:A", "click:B"));
}

TEST_F(Choices, ComboBoxTextAndSelectionFollowEachOther) {
  auto* Combo = Make<TComboBox>(Form.get(), "ComboBox1", Form.get());
  TEventLog Log;
  Combo->FOnChange = Log.Change();
  Combo->Items()->SetText("pear\napple\nPlum\n");
  Combo->SetItemIndex(1);
  EXPECT_EQ(Combo->Text(), "apple");
  Combo->SetText("Plum");
  EXPECT_EQ(Combo->ItemIndex(), 2);
  Combo->SetText("plum");
  EXPECT_EQ(Combo->ItemIndex(), -1) << "an item's text must match exactly";
  EXPECT_THAT(Log.Log, ElementsAre("change:ComboBox1", "change:ComboBox1"));
  Combo->SetItemIndex(0);
  Combo->SetSorted(true);
  EXPECT_EQ(Combo->ItemIndex(), 1) << "the selection follows its item";
  EXPECT_EQ(Combo->Text(), "pear");
  Combo->Items()->Delete(1);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(Combo->Text(), "pear");
  EXPECT_THAT([&] { Combo->SetItemIndex(2); },
              Raises<EInvalidArgument>("Item index 2 is out of range: the list has 2 items"));
  Combo->SetStyle(csDropDownList);
  EXPECT_EQ(Combo->Text(), "") << "a drop-down list shows only an item";
}

TEST_F(Choices, ComboBoxesReadFromAFormKeepTheTextAsWritten) {
  ReadText(Form.get(), R"(object Form1: TForm
  object Kinds: TComboBox
    Items.Strings = (
      'one'
      'two')
    ItemIndex = 1
    Text = 'typed'
  end
end
)");
  auto* Kinds = As<TComboBox>(Form->FindComponent("Kinds"));
  EXPECT_EQ(Kinds->ItemIndex(), 1);
  EXPECT_EQ(Kinds->Text(), "typed");
}

TEST_F(Choices, EachControlPaintsItsTextsAndMarksAndGroupBoxesHoldTheirChildren) {
  auto* Radio = Make<TRadioButton>(Form.get(), "Radio", Form.get(), Bounds(0, 0, 113, 17));
  Radio->SetCaption("&Fast");
  Radio->SetChecked(true);
  auto* Group = Make<TGroupBox>(Form.get(), "Group", Form.get(), Bounds(0, 30, 200, 100));
  Group->SetCaption("Speed");
  auto* Inner = Make<TPanel>(Form.get(), "Panel1", Group);
  Inner->SetAlign(alClient);
  EXPECT_EQ(Inner->BoundsRect(), Rect(2, 15, 198, 98)) << "inside the frame, below the caption";
  auto* Combo = Make<TComboBox>(Form.get(), "Combo", Form.get(), Bounds(0, 140, 145, 23));
  Combo->SetText("typed");
  auto* List = Make<TListBox>(Form.get(), "List", Form.get(), Bounds(200, 0, 100, 36));
  List->Items()->SetText("one\ntwo\nthree\n");
  List->SetItemIndex(1);
  auto* Band = Make<TStatusBand>(Form.get(), "Band", Form.get(), Bounds(0, 200, 300, 19));
  Band->Sections()->Add()->SetText("Ready");
  Band->Sections()->Add()->SetText("Line 1");
  TRecordingCanvas C;
  PaintControl(C, Form.get());
  for (const char* Text : {"Fast", "Speed", "typed", "one", "two", "Ready", "Line 1"})
    EXPECT_THAT(C.Operations(), Contains(TextOp(Text))) << Text;
  // Rows of 16 pixels in a 32-pixel well show two items; the selected one is highlighted.
  EXPECT_THAT(C.Operations(), Not(Contains(TextOp("three"))));
  EXPECT_THAT(C.Operations(), Contains(AllOf(Field(&TCanvasOp::Kind, TCanvasOpKind::FillRect),
                                             Field(&TCanvasOp::BrushColor, clSelection))));
  EXPECT_THAT(C.Operations(), Contains(Field(&TCanvasOp::Kind, TCanvasOpKind::Ellipse)));
}

}  // namespace
