#include "formwright/testing/Forms.h"
#include "platform/runtime/Clipboard.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using Edits = TFormTest;

TEST_F(Edits, SelectionEditingAndUndoCountCharacters) {
  TEventLog Log;
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  Edit->FOnChange = Log.Change();
  Edit->SetText("héllo world");
  Edit->SetSelStart(1);
  Edit->SetSelLength(4);
  EXPECT_EQ(Edit->SelText(), "éllo");
  Edit->SetSelText("i");
  EXPECT_EQ(Edit->Text(), "hi world");
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_TRUE(Edit->Modified());
  ASSERT_TRUE(Edit->CanUndo());
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), "héllo world");
  EXPECT_EQ(Log.Log.size(), 3u);
}

TEST_F(Edits, ReadOnlyAndMaxLengthAreHonoured) {
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  Edit->SetText("abc");
  Edit->SetMaxLength(5);
  Edit->SetSelStart(3);
  Edit->SetSelText("defgh");
  EXPECT_EQ(Edit->Text(), "abcde");
  Edit->SetReadOnly(true);
  Edit->SelectAll();
  Edit->ClearSelection();
  EXPECT_EQ(Edit->Text(), "abcde");
  Edit->SetSelStart(99);
  EXPECT_EQ(Edit->SelStart(), 5);
}

TEST_F(Edits, ClipboardRoundTrip) {
  auto* Edit = Make<TEdit>(Form.get(), "Edit1", Form.get());
  Edit->SetText("copy me");
  Edit->SetSelStart(0);
  Edit->SetSelLength(4);
  Edit->CutToClipboard();
  EXPECT_EQ(Clipboard().AsText(), "copy");
  EXPECT_EQ(Edit->Text(), " me");
  Edit->SetSelStart(3);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->Text(), " mecopy");
  Edit->SetPasswordChar(u'*');
  Edit->SelectAll();
  Edit->CopyToClipboard();
  EXPECT_EQ(Clipboard().AsText(), "copy");  // passwords are not copied
}

TEST_F(Edits, MemoLinesAndTextAreOneValue) {
  auto* Memo = Make<TMemo>(Form.get(), "Memo1", Form.get());
  Memo->Lines()->Add("first");
  Memo->Lines()->Add("second");
  EXPECT_EQ(Memo->Text(), "first\nsecond\n");
  Memo->SetText("a\nb\nc");
  EXPECT_EQ(Memo->Lines()->ToVector(), (std::vector<String>{"a", "b", "c"}));
  TStringList Other;
  Other.Add("x");
  Memo->SetLines(&Other);
  EXPECT_EQ(Memo->Text(), "x\n");
}

TEST_F(Edits, CheckBoxStatesAndClicks) {
  TEventLog Log;
  auto* Check = Make<TCheckBox>(Form.get(), "CheckBox1", Form.get());
  Check->FOnClick = Log.Click();
  Check->SetChecked(true);
  EXPECT_EQ(Check->State(), cbChecked);
  EXPECT_THROW(Check->SetState(cbGrayed), EInvalidArgument);
  EXPECT_EQ(Check->State(), cbChecked);
  Check->SetAllowGrayed(true);
  Check->Toggle();
  EXPECT_EQ(Check->State(), cbGrayed);
  Check->Toggle();
  EXPECT_FALSE(Check->Checked());
  EXPECT_EQ(Log.Log.size(), 3u);
}

TEST_F(Edits, ButtonsSetTheModalResultOfTheirForm) {
  auto* Ok = Make<TButton>(Form.get(), "Ok", Form.get());
  Ok->SetModalResult(mrOk);
  Ok->Click();
  EXPECT_EQ(Form->ModalResult(), mrOk);
}

}  // namespace
