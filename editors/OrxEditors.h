// Editors of the Orx framework's own value types: colours, cursors, character sets, modal
// results and shortcuts. Each shows its value by the framework's identifier (clWindow,
// crHand, chDefault, mrCancel, Ctrl+O), lists the identifiers as its value list and
// parses an identifier (ignoring case) or a number as the standard editors do. Bad text raises
// EDesignPropertyError and changes nothing.
//
// The editors draw nothing and open no dialog: the inspector shows their values as text.
#pragma once

#include "editors/StdPropEditors.h"
#include "platform/orx/Idents.h"

namespace formwright {

// A value named by one of the framework's identifier tables: shown by its identifier (else
// in the table's number form), with the identifiers as its value list. Typing takes an
// identifier (ignoring case) or a number; text that is not a number is a mistyped identifier
// and is refused with the table's own message ("'clRedd' is not a valid colour"); a number
// outside the table's range gets the integer editor's message.
class TIdentProperty : public TIntegerProperty {
  FW_CLASS(TIdentProperty, TIntegerProperty)
 public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TIntegerProperty::SetValue;

 protected:
  // The table the editor names its values by.
  virtual const orx::TIdentTable& Table() const = 0;
  // The attributes of the row when the property can be written.
  virtual TPropertyAttributes ListAttributes() const = 0;
};

// Colours: the colour identifier, else `$` and eight hexadecimal digits ($00BBGGRR). Accepts
// an identifier, a decimal number, or a `$` number up to $FFFFFFFF (so every shown text types
// back, system colours included). The value list: the base colours first.
class TColorProperty : public TIdentProperty {
  FW_PROPERTY_EDITOR(TColorProperty, TIdentProperty)
 protected:
  const orx::TIdentTable& Table() const override;
  TPropertyAttributes ListAttributes() const override;
};

// Mouse cursors: the cursor identifier, else the number in decimal.
class TCursorProperty : public TIdentProperty {
  FW_PROPERTY_EDITOR(TCursorProperty, TIdentProperty)
 protected:
  const orx::TIdentTable& Table() const override;
  TPropertyAttributes ListAttributes() const override;
};

// Character sets of fonts: the identifier of the low byte, else the number in decimal.
class TFontCharsetProperty : public TIdentProperty {
  FW_PROPERTY_EDITOR(TFontCharsetProperty, TIdentProperty)
 public:
  String GetValue() override;

 protected:
  const orx::TIdentTable& Table() const override;
  TPropertyAttributes ListAttributes() const override;
};

// Modal results of buttons and forms: mrNone … mrYesToAll for 0 … 14, other values in decimal.
// An empty text stores 0.
class TModalResultProperty : public TIdentProperty {
  FW_PROPERTY_EDITOR(TModalResultProperty, TIdentProperty)
 public:
  void SetValue(const String& Value) override;
  using TIdentProperty::SetValue;

 protected:
  const orx::TIdentTable& Table() const override;
  TPropertyAttributes ListAttributes() const override;
};

// Keyboard shortcuts: "(None)" for 0, else the shortcut's text (Shift+Ctrl+F1); a key without a
// name shows as its number. The value list is "(None)" and the common shortcuts: Ctrl+A …
// Ctrl+Z, Ctrl+Alt+A … Ctrl+Alt+Z, F1 … F12 alone and with Ctrl, Shift and Shift+Ctrl, then
// Ins, Del and BkSp with their usual modifiers. Empty text or "(None)" stores 0; any other text
// must name a shortcut (SInvalidPropertyValue otherwise).
class TShortCutProperty : public TOrdinalProperty {
  FW_PROPERTY_EDITOR(TShortCutProperty, TOrdinalProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TOrdinalProperty::SetValue;
};

// Registers the editors above for the framework's types (TColor, TCursor, TFontCharset,
// TModalResult, TShortCut), TStringListProperty for TStrings and TCollectionProperty for
// TCollection, in the current editor group.
void InitOrxPropertyEditors();

}  // namespace formwright
