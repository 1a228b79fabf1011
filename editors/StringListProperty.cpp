#include "editors/StringListProperty.h"

namespace formwright {

FW_REGISTER_CLASS(TStringListProperty, "StringsEdit")

TPropertyAttributes TStringListProperty::GetAttributes() {
  TPropertyAttributes A = TClassProperty::GetAttributes();
  A.Exclude(paSubProperties);
  A.Include(paDialog);
  return A;
}

TStrings* TStringListProperty::GetStrings() { return As<TStrings>(GetObjValue()); }

void TStringListProperty::SetStrings(TStrings* Value) { SetObjValue(Value); }

bool TStringListProperty::AllEqual() {
  return AllValuesEqual([this](int I) {
    auto* S = As<TStrings>(GetObjValueAt(I));
    return S ? S->Text() : String();
  });
}

}  // namespace formwright
