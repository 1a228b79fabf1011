#include "editors/OrxEditors.h"

#include "contracts/DesignIntf.h"
#include "editors/CollectionProperty.h"
#include "editors/StringListProperty.h"
#include "platform/orx/Charsets.h"
#include "platform/orx/Controls.h"
#include "platform/orx/Cursors.h"
#include "platform/orx/Graphics.h"
#include "platform/orx/ModalResults.h"
#include "platform/orx/OrxConsts.h"
#include "platform/orx/ShortCuts.h"
#include "platform/runtime/RtlConsts.h"

namespace formwright {

FW_REGISTER_CLASS(TIdentProperty, "OrxEditors")
FW_REGISTER_CLASS(TColorProperty, "OrxEditors")
FW_REGISTER_CLASS(TCursorProperty, "OrxEditors")
FW_REGISTER_CLASS(TFontCharsetProperty, "OrxEditors")
FW_REGISTER_CLASS(TModalResultProperty, "OrxEditors")
FW_REGISTER_CLASS(TShortCutProperty, "OrxEditors")

using namespace orx;

namespace {

// The attributes of a value-list editor over a writable property; a read-only one keeps the
// base attributes (read-only, no list to pick from).
TPropertyAttributes WritableAttributes(TPropertyEditor& Editor, TPropertyAttributes Writable) {
  return Editor.GetPropInfo()->CanWrite() ? Writable : Editor.TPropertyEditor::GetAttributes();
}

}  // namespace

// ----- Identified values ---------------------------------------------------------------------

TPropertyAttributes TIdentProperty::GetAttributes() { return WritableAttributes(*this, ListAttributes()); }

String TIdentProperty::GetValue() { return Table().ToString(static_cast<int32_t>(GetOrdValue())); }

void TIdentProperty::GetValues(const TGetStrProc& Proc) { Table().GetValues(Proc); }

void TIdentProperty::SetValue(const String& Value) {
  int32_t V = 0;
  if (Table().ToValue(Value, V)) return SetOrdValue(V);
  if (!TIdentTable::IsNumber(Value)) throw EDesignPropertyError(Format(Table().Invalid(), Trim(Value)));
  // "$FF00000F" is how a system colour without an identifier shows: the table takes the
  // unsigned form of a negative value back.
  if (Table().TryFromString(Value, V)) return SetOrdValue(V);
  TIntegerProperty::SetValue(Value);
}

// ----- The framework's tables ----------------------------------------------------------------

const TIdentTable& TColorProperty::Table() const { return ColorIdents(); }
TPropertyAttributes TColorProperty::ListAttributes() const {
  return {paValueList, paDialog, paMultiSelect, paRevertable};
}

const TIdentTable& TCursorProperty::Table() const { return CursorIdents(); }
TPropertyAttributes TCursorProperty::ListAttributes() const {
  return {paValueList, paMultiSelect, paSortList, paRevertable};
}

const TIdentTable& TFontCharsetProperty::Table() const { return CharsetIdents(); }
TPropertyAttributes TFontCharsetProperty::ListAttributes() const {
  return {paValueList, paMultiSelect, paSortList};
}
String TFontCharsetProperty::GetValue() {
  return Table().ToString(static_cast<int32_t>(GetOrdValue() & 0xFF));
}

const TIdentTable& TModalResultProperty::Table() const { return ModalResultIdents(); }
TPropertyAttributes TModalResultProperty::ListAttributes() const {
  return {paValueList, paMultiSelect, paRevertable};
}
void TModalResultProperty::SetValue(const String& Value) {
  if (Trim(Value).empty()) return SetOrdValue(0);
  TIdentProperty::SetValue(Value);
}

// ----- Shortcuts -----------------------------------------------------------------------------

TPropertyAttributes TShortCutProperty::GetAttributes() {
  return WritableAttributes(*this, {paValueList, paMultiSelect, paRevertable});
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
  RegisterPropertyEditor(TypeInfoOf<TCollection>(), nullptr, "", TCollectionProperty::StaticClass());
}

}  // namespace formwright
