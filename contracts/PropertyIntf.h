// The object inspector's view of a property editor: IProperty and its companions, and the
// inspector-side interfaces the host implements for editors.
//
// One property editor stands for one property of one or more selected objects. The inspector
// holds it through IProperty and asks the companion interfaces with Supports<>.
#pragma once

#include "contracts/DesignTypes.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Host side: implemented by the object inspector, used by editors

// The inspector row that shows a property; lets an editor ask for a fresh display.
struct IPropertyControl : virtual IInterface {
  FW_INTERFACE(IPropertyControl, IInterface, "{D51E2A10-0101-4F3B-9C6E-5A1B00000001}")
  // Re-reads the value and attributes of the row's editor and redraws the row.
  virtual void Refresh() = 0;
};

// Describes a property for the inspector's help line.
struct IPropertyDescription : virtual IInterface {
  FW_INTERFACE(IPropertyDescription, IInterface, "{D51E2A10-0102-4F3B-9C6E-5A1B00000002}")
  // A one-line description of the property; empty when there is none.
  virtual String GetDescription() = 0;
};

// The wide form of IPropertyDescription.
struct IWidePropertyDescription : virtual IInterface {
  FW_INTERFACE(IWidePropertyDescription, IInterface, "{D51E2A10-0103-4F3B-9C6E-5A1B00000003}")
  virtual WideString GetDescriptionW() = 0;
};

// Later additions to the inspector's drop-down service.
struct IPropertyHost20 : virtual IInterface {
  FW_INTERFACE(IPropertyHost20, IInterface, "{D51E2A10-0104-4F3B-9C6E-5A1B00000004}")
  // The width, in pixels, the inspector gives a drop-down below the value cell.
  virtual int GetDropDownWidth() = 0;
};

// The inspector's drop-down service, handed to IProperty80::Edit: an editor that draws its
// own drop-down (paCustomDropDown) shows it through this host.
struct IPropertyHost : virtual IInterface {
  FW_INTERFACE(IPropertyHost, IInterface, "{D51E2A10-0105-4F3B-9C6E-5A1B00000005}")
  // Shows `DropDown` (a control the editor made) below the value cell until CloseDropDown.
  virtual void DropDownControl(TObject* DropDown) = 0;
  // Closes the drop-down shown last; nothing when none is shown.
  virtual void CloseDropDown() = 0;
};

// ---------------------------------------------------------------------------------------------
// Editor side: implemented by property editors

// One property of the selected objects as the inspector sees it.
struct IProperty : virtual IInterface {
  FW_INTERFACE(IProperty, IInterface, "{D51E2A10-0110-4F3B-9C6E-5A1B00000010}")
  // The inspector gave the row the focus.
  virtual void Activate() = 0;
  // True when every edited object holds the same value.
  virtual bool AllEqual() = 0;
  // True when the inspector may complete typed text from the value list.
  virtual bool AutoFill() = 0;
  // The user double-clicked the value or pressed the ellipsis button.
  virtual void Edit() = 0;
  // True when `Instance` is one of the edited objects.
  virtual bool HasInstance(TPersistent* Instance) = 0;
  virtual TPropertyAttributes GetAttributes() = 0;
  // The maximum length of typed text.
  virtual int GetEditLimit() = 0;
  // The text to edit; false when the value cannot be written (then `Value` explains why).
  virtual bool GetEditValue(String& Value) = 0;
  virtual String GetName() = 0;
  // Passes each nested editor (paSubProperties) to `Proc`.
  virtual void GetProperties(const TGetPropProc& Proc) = 0;
  virtual PPropInfo GetPropInfo() = 0;
  virtual PTypeInfo GetPropType() = 0;
  // The display text of the value.
  virtual String GetValue() = 0;
  // Passes each entry of the value list (paValueList) to `Proc`.
  virtual void GetValues(const TGetStrProc& Proc) = 0;
  // Restores the inherited value of every edited object.
  virtual void Revert() = 0;
  // Parses `Value` and writes it to every edited object; raises EDesignPropertyError for bad
  // text, leaving the objects unchanged.
  virtual void SetValue(const String& Value) = 0;
  // False when the value cannot be read at the moment (the row is then hidden).
  virtual bool ValueAvailable() = 0;
};

// Adds the default-value test that lets the inspector mark changed values.
struct IProperty70 : virtual IProperty {
  FW_INTERFACE(IProperty70, IProperty, "{D51E2A10-0111-4F3B-9C6E-5A1B00000011}")
  // True when the value is the one a stream would leave out (default or inherited).
  virtual bool GetIsDefault() = 0;
};

// Adds an Edit that knows the inspector host, for editors with their own drop-down.
struct IProperty80 : virtual IProperty {
  FW_INTERFACE(IProperty80, IProperty, "{D51E2A10-0112-4F3B-9C6E-5A1B00000012}")
  using IProperty::Edit;
  // Like Edit, with the host to show a drop-down in; `DblClick` tells a double-click apart
  // from the drop-down button.
  virtual void Edit(const IPtr<IPropertyHost>& Host, bool DblClick) = 0;
};

// Adds the property's path for the inspector's search; no editor of this package implements it.
struct IProperty160 : virtual IProperty {
  FW_INTERFACE(IProperty160, IProperty, "{D51E2A10-0113-4F3B-9C6E-5A1B00000013}")
  // The dotted path of the property from the selected object ("Font.Style.fsBold").
  virtual String GetPropertyPath() = 0;
};

// The kind of the property's type.
struct IPropertyKind : virtual IInterface {
  FW_INTERFACE(IPropertyKind, IInterface, "{D51E2A10-0114-4F3B-9C6E-5A1B00000014}")
  virtual TTypeKind GetKind() = 0;
};

// Values as wide strings, for editors of wide string and character properties.
struct IWideProperty : virtual IInterface {
  FW_INTERFACE(IWideProperty, IInterface, "{D51E2A10-0115-4F3B-9C6E-5A1B00000015}")
  virtual WideString GetValueW() = 0;
  virtual bool GetEditValue(WideString& Value) = 0;
  virtual void SetValue(const WideString& Value) = 0;
};

// Names and value lists as wide strings.
struct IWideProperty10 : virtual IInterface {
  FW_INTERFACE(IWideProperty10, IInterface, "{D51E2A10-0116-4F3B-9C6E-5A1B00000016}")
  virtual WideString GetNameW() = 0;
  virtual void GetValues(const TGetWideStrProc& Proc) = 0;
};

// Marks the editors of event properties.
struct IMethodProperty : virtual IInterface {
  FW_INTERFACE(IMethodProperty, IInterface, "{D51E2A10-0117-4F3B-9C6E-5A1B00000017}")
};

// An editor of a component reference.
struct IReferenceProperty : virtual IInterface {
  FW_INTERFACE(IReferenceProperty, IInterface, "{D51E2A10-0118-4F3B-9C6E-5A1B00000018}")
  // The referenced component; null when none.
  virtual TComponent* GetComponentReference() = 0;
};

// Lets a reference editor decide whether the inspector expands the referenced component.
struct IShowReferenceProperty : virtual IInterface {
  FW_INTERFACE(IShowReferenceProperty, IInterface, "{D51E2A10-0119-4F3B-9C6E-5A1B00000019}")
  virtual bool ShowReferenceProperty() = 0;
};

}  // namespace formwright
