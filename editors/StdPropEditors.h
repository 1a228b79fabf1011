// The standard property editors for values: numbers, characters, enumerations, strings, sets,
// dates and times, variants and nested objects. The registry falls back on them by the type
// kind of a property; component writers derive their own editors from them.
//
// Every editor parses typed text in SetValue and raises EDesignPropertyError with the
// runtime's message when the text cannot be parsed or is out of range; nothing is written
// then. AllEqual compares the values of all edited objects.
#pragma once

#include "editors/PropertyEditors.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Ordinals

// The base of editors of ordinal properties (integers, characters, enumerations, sets).
class TOrdinalProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TOrdinalProperty, TPropertyEditor)
 public:
  // True when every object holds the ordinal value of the first.
  bool AllEqual() override;
  int GetEditLimit() override;
};

// Integers in decimal (unsigned 32-bit types as unsigned); accepts decimal or `$` hexadecimal
// text within the type's range.
class TIntegerProperty : public TOrdinalProperty {
  FW_PROPERTY_EDITOR(TIntegerProperty, TOrdinalProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TOrdinalProperty::SetValue;
};

// Characters: shown as themselves for codes 33..127, else as `#code`; accepts an empty text
// (code 0), one character, or `#` with a decimal code, within the type's range.
class TCharProperty : public TOrdinalProperty {
  FW_PROPERTY_EDITOR(TCharProperty, TOrdinalProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TOrdinalProperty::SetValue;

 protected:
  // Parses the code of one character (a UTF-16 text) and checks the type's range.
  int64_t ParseChar(const WideString& Value);
};

// Wide characters: GetValue as for characters; GetValueW shows every code from 33 up as the
// character.
class TWideCharProperty : public TCharProperty, public IWideProperty {
  FW_PROPERTY_EDITOR(TWideCharProperty, TCharProperty)
 public:
  WideString GetValueW() override;
  bool GetEditValue(WideString& Value) override;
  void SetValue(const WideString& Value) override;
  using TCharProperty::SetValue;
  using TPropertyEditor::GetEditValue;
};

// Enumerations: the identifier of the value, with all identifiers as the value list.
class TEnumProperty : public TOrdinalProperty {
  FW_PROPERTY_EDITOR(TEnumProperty, TOrdinalProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  // The identifier; an ordinal outside the type shows the highest identifier.
  String GetValue() override;
  // The identifiers from the lowest to the highest ordinal; only those of 0 and 1 for a type
  // with negative ordinals.
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TOrdinalProperty::SetValue;
};

// Booleans, shown and typed as the runtime's Boolean identifiers.
class TBoolProperty : public TEnumProperty {
  FW_PROPERTY_EDITOR(TBoolProperty, TEnumProperty)
 public:
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TEnumProperty::SetValue;
};

// ---------------------------------------------------------------------------------------------
// Other numbers

// 64-bit integers in decimal; accepts decimal or `$` hexadecimal text.
class TInt64Property : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TInt64Property, TPropertyEditor)
 public:
  bool AllEqual() override;
  int GetEditLimit() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;
};

// Floating-point numbers in general format with the precision of the float type, in the
// current format settings.
class TFloatProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TFloatProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;
};

// ---------------------------------------------------------------------------------------------
// Strings

// Strings, written as typed; short strings limit the typed length to their declared maximum.
class TStringProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TStringProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  int GetEditLimit() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;
};

// Wide strings, with the wide interfaces for the inspector.
class TWideStringProperty : public TPropertyEditor, public IWideProperty, public IWideProperty10 {
  FW_PROPERTY_EDITOR(TWideStringProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  String GetValue() override;
  WideString GetValueW() override;
  bool GetEditValue(WideString& Value) override;
  void SetValue(const String& Value) override;
  void SetValue(const WideString& Value) override;
  WideString GetNameW() override;
  void GetValues(const TGetWideStrProc& Proc) override;
  using TPropertyEditor::GetEditValue;
  using TPropertyEditor::GetValues;
};

// The Name of a component: a string that is not offered inside a referenced component's
// nested properties (renaming another module's component from here is not allowed).
class TComponentNameProperty : public TStringProperty {
  FW_PROPERTY_EDITOR(TComponentNameProperty, TStringProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override;
};

// ---------------------------------------------------------------------------------------------
// Dates and times

// Dates: empty for 0, else the date text; accepts empty text (0) or a date.
class TDateProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TDateProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;
};

// Times of day: empty for 0, else the time text; accepts empty text (0) or a time.
class TTimeProperty : public TDateProperty {
  FW_PROPERTY_EDITOR(TTimeProperty, TDateProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TDateProperty::SetValue;
};

// Date-times: empty for 0, else the date and time text; accepts empty text (0) or a date-time.
class TDateTimeProperty : public TDateProperty {
  FW_PROPERTY_EDITOR(TDateTimeProperty, TDateProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
  using TDateProperty::SetValue;
};

// ---------------------------------------------------------------------------------------------
// Sets

// Sets: `[a,c]`, edited through one nested Boolean editor per element.
class TSetProperty : public TOrdinalProperty {
  FW_PROPERTY_EDITOR(TSetProperty, TOrdinalProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  // One TSetElementProperty per element, from the lowest to the highest ordinal.
  void GetProperties(const TGetPropProc& Proc) override;
};

// One element of a set, shown as the runtime's False or True and named after the element.
class TSetElementProperty : public TNestedProperty {
  FW_CLASS(TSetElementProperty, TNestedProperty)
 public:
  // The element of ordinal `AElement` of the set edited by `Parent`.
  TSetElementProperty(TPropertyEditor* Parent, int AElement);
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  // The element's name.
  String GetName() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  // The True identifier (ignoring case) adds the element to every object's set, anything
  // else removes it; the other elements of each set are kept.
  void SetValue(const String& Value) override;
  using TNestedProperty::SetValue;
  // Besides the whole set's test: with a constant stored specifier, true when the element is
  // in the value exactly when it is in the declared default.
  bool GetIsDefault() override;

 private:
  bool BitAt(int Index) const;
  int FElement;
  int FBit;
};

// ---------------------------------------------------------------------------------------------
// Objects and variants

// Object-typed properties: `(TypeName)`, with the object's own properties nested.
class TClassProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TClassProperty, TPropertyEditor)
 public:
  TPropertyAttributes GetAttributes() override;
  // The properties of the objects the property holds (all kinds but events).
  void GetProperties(const TGetPropProc& Proc) override;
  String GetValue() override;
};

// Variants: the value as text, with its type as a nested editor.
class TVariantProperty : public TPropertyEditor {
  FW_PROPERTY_EDITOR(TVariantProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  void GetProperties(const TGetPropProc& Proc) override;
  String GetValue() override;
  // Empty text clears the value, "(Null)" makes it null, "(Error)", "(Dispatch)" and
  // "(Unknown)" keep it; other text keeps the current type when it converts, else becomes a
  // string.
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;
};

// The type of a variant, chosen from the variant type names.
class TVariantTypeProperty : public TNestedProperty {
  FW_CLASS(TVariantTypeProperty, TNestedProperty)
 public:
  using TNestedProperty::TNestedProperty;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  // "Type".
  String GetName() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  // Converts every object's value to the named type (Unassigned clears, Null nulls).
  void SetValue(const String& Value) override;
  using TNestedProperty::SetValue;
};

}  // namespace formwright
