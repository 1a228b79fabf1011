#include "editors/StdEditorReg.h"

#include "editors/CompEditors.h"
#include "editors/ComponentGuidelines.h"
#include "editors/OrxEditors.h"
#include "editors/RefPropEditors.h"
#include "editors/StdPropEditors.h"

namespace formwright {

namespace {

// The type kinds that have a standard editor.
constexpr TTypeKind StandardKinds[] = {tkInteger, tkChar,    tkEnumeration, tkFloat,     tkString,
                                       tkLString, tkUString, tkSet,         tkClass,     tkMethod,
                                       tkWChar,   tkWString, tkVariant,     tkInterface, tkInt64};

TPropertyEditorClass StandardEditorOf(TTypeKind Kind) {
  switch (Kind) {
    case tkInteger:
      return TIntegerProperty::StaticClass();
    case tkChar:
      return TCharProperty::StaticClass();
    case tkEnumeration:
      return TEnumProperty::StaticClass();
    case tkFloat:
      return TFloatProperty::StaticClass();
    case tkString:
    case tkLString:
    case tkUString:
      return TStringProperty::StaticClass();
    case tkSet:
      return TSetProperty::StaticClass();
    case tkClass:
      return TClassProperty::StaticClass();
    case tkMethod:
      return TMethodProperty::StaticClass();
    case tkWChar:
      return TWideCharProperty::StaticClass();
    case tkWString:
      return TWideStringProperty::StaticClass();
    case tkVariant:
      return TVariantProperty::StaticClass();
    case tkInterface:
      return TInterfaceProperty::StaticClass();
    case tkInt64:
      return TInt64Property::StaticClass();
    default:
      return nullptr;
  }
}

}  // namespace

void InitStdPropertyEditors() {
  for (TTypeKind Kind : StandardKinds) SetDefaultPropertyEditor(Kind, StandardEditorOf(Kind));
  RegisterPropertyEditor(TypeInfoOf<TComponent>(), nullptr, "", TComponentProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TComponentName>(), TComponent::StaticClass(), "Name",
                         TComponentNameProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<TDateTime>(), nullptr, "", TDateTimeProperty::StaticClass());
  RegisterPropertyEditor(TypeInfoOf<IInterface>(), nullptr, "", TInterfaceProperty::StaticClass());
}

void StartEditors(TDesignPackage& Package) {
  InstallEditorRegistries(Package);
  InitStdPropertyEditors();
  InitOrxPropertyEditors();
  InitCompEditors();
  SetDefaultComponentGuidelines(TComponentGuidelines::StaticClass());
}

}  // namespace formwright
