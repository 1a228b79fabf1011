// Standard controls: labels, buttons, check boxes, edits and memos.
#pragma once

#include "platform/orx/Menus.h"
#include "platform/runtime/Lists.h"

namespace formwright::orx {

FW_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
FW_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
FW_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

// A text on a form. With AutoSize (the default) the label takes the size of its caption in
// its font, keeping its left edge (right edge when right-justified, centre when centred).
class TCustomLabel : public TGraphicControl {
  FW_CLASS(TCustomLabel, TGraphicControl)
 public:
  explicit TCustomLabel(TComponent* AOwner);
  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool Value);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const noexcept { return FLayout; }
  void SetLayout(TTextLayout Value) noexcept { FLayout = Value; }
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool Value) noexcept { FTransparent = Value; }
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool Value) noexcept { FWordWrap = Value; }
  bool ShowAccelChar() const noexcept { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // The control that an accelerator in the caption focuses.
  TWinControl* FocusControl() const noexcept { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  // The caption as shown: without the '&' of accelerators (a doubled "&&" shows one '&').
  String DisplayText() const;
  int32_t TextBaseline() const override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  // The caption in its font, placed by Alignment and Layout, over the colour unless transparent.
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void AdjustBounds();

 private:
  friend class TLabel;  // publishes the settings over their fields
  bool FAutoSize = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  FW_CLASS(TLabel, TCustomLabel)
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
  static void DeclarePublished(TClassBuilder<TLabel>& C);
};

// Base of buttons and check boxes: a windowed control with an optional checked state that
// an action link can drive.
class TButtonControl : public TWinControl {
  FW_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);
  virtual bool Checked() const { return false; }
  virtual void SetChecked(bool Value) {}
  bool IsCheckedStored() const;
  TControlActionLink* CreateActionLink() override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  void Click() override;

 protected:
  friend class TButtonActionLink;
  // While set, a changed checked state does not click (the action changed it).
  bool FClicksDisabled = false;
};

// A push button. Clicking it sets its form's ModalResult to the button's ModalResult.
class TButton : public TButtonControl {
  FW_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TButton>& C);
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool Value) noexcept { FDefault = Value; }
  bool Cancel() const noexcept { return FCancel; }
  void SetCancel(bool Value) noexcept { FCancel = Value; }
  TModalResult ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(TModalResult Value) noexcept { FModalResult = Value; }
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool Value) noexcept { FWordWrap = Value; }
  void Click() override;

  // A raised face with the caption centred (a darker frame for the default button).
  void PaintTo(TCanvas& Canvas) override;

 private:
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FWordWrap = false;
};

// A check box: checked, unchecked or (with AllowGrayed) grayed. Changing the state clicks it.
class TCustomCheckBox : public TButtonControl {
  FW_CLASS(TCustomCheckBox, TButtonControl)
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool Checked() const override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const noexcept { return FState; }
  // Raises EInvalidArgument for cbGrayed without AllowGrayed; the state stays.
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const noexcept { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) noexcept { FAllowGrayed = Value; }
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment Value) noexcept { FAlignment = Value; }
  // Moves to the next state: unchecked → checked → grayed (with AllowGrayed) → unchecked.
  void Toggle();

  // The box (ticked, or grey when grayed) and the caption on the side Alignment says.
  void PaintTo(TCanvas& Canvas) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  FW_CLASS(TCheckBox, TCustomCheckBox)
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
  static void DeclarePublished(TClassBuilder<TCheckBox>& C);
};

// A single-line text editor with a selection and one level of undo. Positions count
// characters (code points), not bytes.
class TCustomEdit : public TWinControl {
  FW_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);
  int32_t MaxLength() const noexcept { return FMaxLength; }
  void SetMaxLength(int32_t Value) noexcept { FMaxLength = Value < 0 ? 0 : Value; }
  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool Value) noexcept { FReadOnly = Value; }
  char16_t PasswordChar() const noexcept { return FPasswordChar; }
  void SetPasswordChar(char16_t Value) noexcept { FPasswordChar = Value; }
  bool AutoSelect() const noexcept { return FAutoSelect; }
  void SetAutoSelect(bool Value) noexcept { FAutoSelect = Value; }
  const String& TextHint() const noexcept { return FTextHint; }
  void SetTextHint(const String& Value) { FTextHint = Value; }
  bool Modified() const noexcept { return FModified; }
  void SetModified(bool Value) noexcept { FModified = Value; }

  int32_t SelStart() const noexcept { return FSelStart; }
  void SetSelStart(int32_t Value);
  int32_t SelLength() const noexcept { return FSelLength; }
  void SetSelLength(int32_t Value);
  String SelText() const;
  // Replaces the selection as the user would (honours ReadOnly and MaxLength, undoable).
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection() { SetSelText(String()); }
  bool CanUndo() const noexcept { return FCanUndo; }
  void Undo();
  // The selection to and from the runtime's clipboard (text). A password edit copies nothing.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  int32_t TextLength() const noexcept;

  TNotifyEvent FOnChange;

  // The text (or its password characters) in a sunken white box.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  void TextChanged() override;
  virtual void Change();

 private:
  friend class TEdit;  // publishes the settings over their fields
  int32_t FMaxLength = 0;
  bool FReadOnly = false;
  char16_t FPasswordChar = 0;
  bool FAutoSelect = true;
  String FTextHint;
  bool FModified = false;
  int32_t FSelStart = 0;
  int32_t FSelLength = 0;
  bool FCanUndo = false;
  String FUndoText;
};

class TEdit : public TCustomEdit {
  FW_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  static void DeclarePublished(TClassBuilder<TEdit>& C);
};

// A multi-line editor whose text is its Lines.
class TCustomMemo : public TCustomEdit {
  FW_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  TStrings* Lines() const noexcept { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool Value) noexcept { FWordWrap = Value; }
  bool WantReturns() const noexcept { return FWantReturns; }
  void SetWantReturns(bool Value) noexcept { FWantReturns = Value; }
  bool WantTabs() const noexcept { return FWantTabs; }
  void SetWantTabs(bool Value) noexcept { FWantTabs = Value; }

  // The lines in a sunken white box, clipped to it.
  void PaintTo(TCanvas& Canvas) override;

 protected:
  void TextChanged() override;

 private:
  TOwned<TStringList> FLines;
  bool FSyncing = false;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
  FW_CLASS(TMemo, TCustomMemo)
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
  static void DeclarePublished(TClassBuilder<TMemo>& C);
};

}  // namespace formwright::orx
