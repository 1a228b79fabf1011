#include "editors/OrxEditors.h"

#include "contracts/DesignIntf.h"
#include "editors/StringListProperty.h"
#include "platform/orx/Controls.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/Graphics.h"
#include "platform/orx/OrxConsts.h"
#include "platform/orx/ShortCuts.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TColorProperty, "OrxEditors")
FW_REGISTER_CLASS(TCursorProperty, "OrxEditors")
FW_REGISTER_CLASS(TFontCharsetProperty, "OrxEditors")
FW_REGISTER_CLASS(TModalResultProperty, "OrxEditors")
FW_REGISTER_CLASS(TShortCutProperty, "OrxEditors")

using namespace orx;

namespace {

// The attributes of a value-list editor over a writable property; a read-only one keeps the
// base attributes (read-only, no list to pick from).
TPropertyAttributes ListAttributes(TPropertyEditor& Editor, TPropertyAttributes Writable) {
  return Editor.GetPropInfo()->CanWrite() ? Writable : Editor.TPropertyEditor::GetAttributes();
}

// The value of an identifier in Map (ignoring case, surrounding blanks allowed).
bool IdentValue(const String& Text, TIdentMap Map, int32_t& Value) {
  return IdentToInt(Trim(Text), Value, Map);
}

}  // namespace

// ----- Colours -------------------------------------------------------------------------------

TPropertyAttributes TColorProperty::GetAttributes() {
  return ListAttributes(*this, {paValueList, paDialog, paMultiSelect, paRevertable});
}

String TColorProperty::GetValue() { return ColorToString(TColor(static_cast<int32_t>(GetOrdValue()))); }

void TColorProperty::GetValues(const TGetStrProc& Proc) { GetColorValues(Proc); }

void TColorProperty::SetValue(const String& Value) {
  int32_t C = 0;
  if (IdentValue(Value, ColorIdents(), C)) return SetOrdValue(C);
  // "$FF00000F" is how a system colour without an identifier shows: the unsigned form of a
  // negative value types back to it.
  int64_t V = 0;
  if (TryStrToInt64(Value, V) && V > INT32_MAX && V <= UINT32_MAX)
    return SetOrdValue(static_cast<int32_t>(static_cast<uint32_t>(V)));
  TIntegerProperty::SetValue(Value);
}

// ----- Cursors -------------------------------------------------------------------------------

TPropertyAttributes TCursorProperty::GetAttributes() {
  return ListAttributes(*this, {paValueList, paMultiSelect, paSortList, paRevertable});
}

String TCursorProperty::GetValue() { return CursorToString(TCursor(static_cast<int16_t>(GetOrdValue()))); }

void TCursorProperty::GetValues(const TGetStrProc& Proc) { GetCursorValues(Proc); }

void TCursorProperty::SetValue(const String& Value) {
  int32_t C = 0;
  if (IdentValue(Value, CursorIdents(), C)) return SetOrdValue(C);
  TIntegerProperty::SetValue(Value);
}

// ----- Character sets ------------------------------------------------------------------------

TPropertyAttributes TFontCharsetProperty::GetAttributes() {
  return ListAttributes(*this, {paValueList, paMultiSelect, paSortList});
}

String TFontCharsetProperty::GetValue() {
  const int32_t Charset = static_cast<int32_t>(GetOrdValue() & 0xFF);
  String Ident;
  return CharsetToIdent(Charset, Ident) ? Ident : Format("%d", Charset);
}

void TFontCharsetProperty::GetValues(const TGetStrProc& Proc) { GetCharsetValues(Proc); }

void TFontCharsetProperty::SetValue(const String& Value) {
  int32_t C = 0;
  if (IdentValue(Value, CharsetIdents(), C)) return SetOrdValue(C);
  TIntegerProperty::SetValue(Value);
}

// ----- Modal results -------------------------------------------------------------------------

TPropertyAttributes TModalResultProperty::GetAttributes() {
  return ListAttributes(*this, {paValueList, paMultiSelect, paRevertable});
}

String TModalResultProperty::GetValue() {
  return ModalResultToString(TModalResult(static_cast<int32_t>(GetOrdValue())));
}

void TModalResultProperty::GetValues(const TGetStrProc& Proc) { GetIdentValues(Proc, ModalResultIdents()); }

void TModalResultProperty::SetValue(const String& Value) {
  int32_t R = 0;
  if (Trim(Value).empty()) return SetOrdValue(0);
  if (IdentValue(Value, ModalResultIdents(), R)) return SetOrdValue(R);
  TIntegerProperty::SetValue(Value);
}

// ----- Shortcuts -----------------------------------------------------------------------------

TPropertyAttributes TShortCutProperty::GetAttributes() {
  return ListAttributes(*this, {paValueList, paMultiSelect, paRevertable});
}

String TShortCutProperty::GetValue() {
  const TShortCut S = TShortCut(static_cast<uint16_t>(GetOrdValue()));
  if (S == 0) return SNone;
  const String Text = ShortCutToText(S);
  // A key the framework has no name for still shows (and is kept) as its number.
  return Text.empty() ? IntToStr(static_cast<int64_t>(S)) : Text;
}

void TShortCutProperty::GetValues(const TGetStrProc& Proc) {
  const auto Each = [&](uint16_t First, uint16_t Last, TShiftState Shift) {
    for (uint16_t Key = First; Key <= Last; ++Key) Proc(ShortCutToText(ShortCut(Key, Shift)));
  };
  Proc(SNone);
  Each('A', 'Z', {ssCtrl});
  Each('A', 'Z', {ssCtrl, ssAlt});
  Each(vkF1, vkF1 + 11, {});
  Each(vkF1, vkF1 + 11, {ssCtrl});
  Each(vkF1, vkF1 + 11, {ssShift});
  Each(vkF1, vkF1 + 11, {ssShift, ssCtrl});
  Each(vkInsert, vkInsert, {});
  Each(vkInsert, vkInsert, {ssShift});
  Each(vkInsert, vkInsert, {ssCtrl});
  Each(vkDelete, vkDelete, {});
  Each(vkDelete, vkDelete, {ssShift});
  Each(vkDelete, vkDelete, {ssCtrl});
  Each(vkBack, vkBack, {ssAlt});
  Each(vkBack, vkBack, {ssShift, ssAlt});
}

void TShortCutProperty::SetValue(const String& Value) {
  const String Text = Trim(Value);
  if (Text.empty() || SameText(Text, SNone)) return SetOrdValue(0);
  const TShortCut S = TextToShortCut(Text);
  if (S == 0) throw EDesignPropertyError(SInvalidPropertyValue);
  SetOrdValue(S);
}

// ----- Registration --------------------------------------------------------------------------

void InitOrxPropertyEditors() {
  RegisterPropertyEditor(TypeInfoOf<TColor>(), nullptr, "", TColorProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TCursor>(), nullptr, "", TCursorProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TFontCharset>(), nullptr, "", TFontCharsetProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TModalResult>(), nullptr, "", TModalResultProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TShortCut>(), nullptr, "", TShortCutProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TStrings>(), nullptr, "", TStringListProperty::StaticClass());
}

}  // namespace formwright
