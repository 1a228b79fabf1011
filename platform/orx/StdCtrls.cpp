#include "platform/orx/StdCtrls.h"

#include <algorithm>

#include "platform/orx/ControlPaint.h"
#include "platform/orx/Forms.h"
#include "platform/runtime/Clipboard.h"
#include "platform/runtime/Scoped.h"

namespace formwright::orx {

FW_REGISTER_CLASS(TCustomLabel, "Orx.StdCtrls")
FW_REGISTER_CLASS(TLabel, "Orx.StdCtrls")
FW_REGISTER_CLASS(TButtonControl, "Orx.StdCtrls")
FW_REGISTER_CLASS(TButton, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCustomCheckBox, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCheckBox, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCustomEdit, "Orx.StdCtrls")
FW_REGISTER_CLASS(TEdit, "Orx.StdCtrls")
FW_REGISTER_CLASS(TCustomMemo, "Orx.StdCtrls")
FW_REGISTER_CLASS(TMemo, "Orx.StdCtrls")

namespace {
// Byte offset of character `Pos` in UTF-8 text (the end for positions beyond it).
size_t ByteOffset(const String& S, int32_t Pos) {
  size_t I = 0;
  for (int32_t N = 0; I < S.size() && N < Pos; ++N) {
    ++I;
    while (I < S.size() && (static_cast<unsigned char>(S[I]) & 0xC0) == 0x80) ++I;
  }
  return I;
}
int32_t CharCount(std::string_view S) {
  return static_cast<int32_t>(std::count_if(S.begin(), S.end(), [](char C) { return (C & 0xC0) != 0x80; }));
}
}  // namespace

// ----- Labels ---------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(0, 0, 65, 17);
}

void TLabel::DeclarePublished(TClassBuilder<TLabel>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, true);
  PublishMouseEvents(C);
  C.Property("Alignment", &TCustomLabel::FAlignment, &TLabel::SetAlignment).Default(taLeftJustify);
  C.Property("AutoSize", &TCustomLabel::FAutoSize, &TLabel::SetAutoSize).Default(true);
  C.Property("Caption", &TLabel::Caption, &TLabel::SetCaption)
      .As<TCaption>()
      .Stored(&TLabel::IsCaptionStored);
  C.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  C.Property("Layout", &TCustomLabel::FLayout, &TLabel::SetLayout).Default(tlTop);
  C.Property("ShowAccelChar", &TCustomLabel::FShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  C.Property("Transparent", &TCustomLabel::FTransparent, &TLabel::SetTransparent).Default(false);
  C.Property("WordWrap", &TCustomLabel::FWordWrap, &TLabel::SetWordWrap).Default(false);
}

void TCustomLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  AdjustBounds();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  FShowAccelChar = Value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

String TCustomLabel::DisplayText() const { return FShowAccelChar ? StripAccelChars(Caption()) : Caption(); }

void TCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  const TSize E = TextExtent(*Font(), DisplayText());
  const int32_t W =
      (FWordWrap || Align() == alTop || Align() == alBottom || Align() == alClient) ? Width() : E.cx;
  int32_t L = Left();
  if (FAlignment == taRightJustify) L = Left() + Width() - W;
  if (FAlignment == taCenter) L = Left() + (Width() - W) / 2;
  SetBounds(L, Top(), W, E.cy);
}

int32_t TCustomLabel::TextBaseline() const {
  const TTextMetric M = GetTextMetric(*Font());
  switch (FLayout) {
    case tlCenter:
      return (Height() - M.Height()) / 2 + M.Ascent;
    case tlBottom:
      return Height() - M.Descent;
    default:
      return M.Ascent;
  }
}

// ----- Button controls ------------------------------------------------------------------------

// The link of a button control: the checked state follows the action too.
class TButtonActionLink : public TControlActionLink {
 public:
  explicit TButtonActionLink(TButtonControl* Client) : TControlActionLink(Client), FButton(Client) {}
  bool IsCheckedLinked() const override {
    return Contained() && FButton->Checked() == Contained()->Checked();
  }
  void SetChecked(bool Value) override {
    if (!IsCheckedLinked()) return;
    TValueScope Scope(FButton->FClicksDisabled, true);
    FButton->SetChecked(Value);
  }

 private:
  TButtonControl* FButton;
};

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clFace);
}

bool TButtonControl::IsCheckedStored() const { return !ActionLink() || !ActionLink()->IsCheckedLinked(); }

TControlActionLink* TButtonControl::CreateActionLink() { return new TButtonActionLink(this); }

void TButtonControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TWinControl::ActionChange(Sender, CheckDefaults);
  if (auto* A = dynamic_cast<TContainedAction*>(Sender); A && (!CheckDefaults || !Checked())) {
    TValueScope Scope(FClicksDisabled, true);
    SetChecked(A->Checked());
  }
}

void TButtonControl::Click() {
  if (!FClicksDisabled) TWinControl::Click();
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse});
  SetBounds(0, 0, 75, 25);
}

void TButton::DeclarePublished(TClassBuilder<TButton>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Action", &TButton::Action, &TButton::SetAction);
  C.Property("Cancel", &TButton::FCancel, &TButton::SetCancel).Default(false);
  C.Property("Caption", &TButton::Caption, &TButton::SetCaption)
      .As<TCaption>()
      .Stored(&TButton::IsCaptionStored);
  C.Property("Default", &TButton::FDefault, &TButton::SetDefault).Default(false);
  C.Property("ModalResult", &TButton::FModalResult, &TButton::SetModalResult).Default(0);
  C.Property("WordWrap", &TButton::FWordWrap, &TButton::SetWordWrap).Default(false);
}

void TButton::Click() {
  if (!CanFire()) return;
  if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

// ----- Check boxes ----------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetControlStyle({csSetCaption, csDoubleClicks, csClickEvents, csCaptureMouse});
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::DeclarePublished(TClassBuilder<TCheckBox>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Action", &TCheckBox::Action, &TCheckBox::SetAction);
  C.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment).Default(taRightJustify);
  C.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  C.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
      .As<TCaption>()
      .Stored(&TCheckBox::IsCaptionStored);
  C.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
      .Default(false)
      .Stored(&TCheckBox::IsCheckedStored);
  C.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == cbGrayed && !FAllowGrayed)
    throw EInvalidArgument("A check box without AllowGrayed cannot be grayed");
  if (FState == Value) return;
  FState = Value;
  if (!ComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
}

// ----- Edits ----------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse});
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TEdit::DeclarePublished(TClassBuilder<TEdit>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("AutoSelect", &TCustomEdit::FAutoSelect, &TEdit::SetAutoSelect).Default(true);
  C.Property("MaxLength", &TCustomEdit::FMaxLength, &TEdit::SetMaxLength).Default(0);
  C.Property("PasswordChar", &TCustomEdit::FPasswordChar, &TEdit::SetPasswordChar).Default(0);
  C.Property("ReadOnly", &TCustomEdit::FReadOnly, &TEdit::SetReadOnly).Default(false);
  C.Property("Text", &TEdit::Text, &TEdit::SetText).As<TCaption>();
  C.Property("TextHint", &TEdit::TextHint, &TEdit::SetTextHint);
  C.Property("OnChange", &TEdit::FOnChange, &TEdit::FOnChange);
}

int32_t TCustomEdit::TextLength() const noexcept { return CharCount(Text()); }

void TCustomEdit::SetSelStart(int32_t Value) {
  FSelStart = std::clamp(Value, 0, TextLength());
  FSelLength = std::min(FSelLength, TextLength() - FSelStart);
}

void TCustomEdit::SetSelLength(int32_t Value) { FSelLength = std::clamp(Value, 0, TextLength() - FSelStart); }

String TCustomEdit::SelText() const {
  const String& S = Text();
  const size_t B = ByteOffset(S, FSelStart), E = ByteOffset(S, FSelStart + FSelLength);
  return S.substr(B, E - B);
}

void TCustomEdit::SetSelText(const String& Value) {
  if (FReadOnly) return;
  const String Old = Text();
  const size_t B = ByteOffset(Old, FSelStart), E = ByteOffset(Old, FSelStart + FSelLength);
  String Insert = Value;
  if (FMaxLength > 0) {
    const int32_t Room = std::max(FMaxLength - (CharCount(Old) - FSelLength), 0);
    Insert = Insert.substr(0, ByteOffset(Insert, Room));
  }
  const String New = Old.substr(0, B) + Insert + Old.substr(E);
  if (New == Old) return;
  FUndoText = Old;
  FCanUndo = true;
  const int32_t Caret = FSelStart + CharCount(Insert);
  SetText(New);
  FModified = true;
  FSelStart = Caret;
  FSelLength = 0;
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = TextLength();
}

void TCustomEdit::Undo() {
  if (!FCanUndo) return;
  const String Redo = Text();
  SetText(FUndoText);
  FUndoText = Redo;
  SelectAll();
}

void TCustomEdit::CopyToClipboard() {
  if (FSelLength > 0 && FPasswordChar == 0) Clipboard().SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || FPasswordChar != 0) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (Clipboard().HasFormat(CF_TEXT)) SetSelText(Clipboard().AsText());
}

void TCustomEdit::TextChanged() {
  TWinControl::TextChanged();
  FSelStart = std::min(FSelStart, TextLength());
  FSelLength = std::min(FSelLength, TextLength() - FSelStart);
  Change();
}

void TCustomEdit::Change() {
  if (CanFire() && FOnChange) FOnChange(this);
}

// ----- Memos ----------------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(new TStringList) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption, csFixedHeight});
  SetBounds(0, 0, 185, 89);
  FLines->OnChange = [this](TObject*) {
    if (FSyncing) return;
    TValueScope Scope(FSyncing, true);
    SetText(FLines->Text());
  };
}

void TMemo::DeclarePublished(TClassBuilder<TMemo>& C) {
  PublishLayout(C);
  PublishAppearance(C);
  PublishColor(C, false);
  PublishMouseEvents(C);
  PublishFocusEvents(C);
  C.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  C.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
  C.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(false);
  C.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  C.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  C.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  C.Property("OnChange", &TMemo::FOnChange, &TMemo::FOnChange);
}

void TCustomMemo::TextChanged() {
  if (!FSyncing) {
    TValueScope Scope(FSyncing, true);
    FLines->SetText(Text());
  }
  TCustomEdit::TextChanged();
}

}  // namespace formwright::orx
