// The standard editors of properties that refer to something in the module: event handlers
// (methods of the designed root), component references and interface references.
#pragma once

#include "editors/PropertyEditors.h"

namespace formwright {

// Events. The value is the name of the handler in the module's source; typing a name assigns
// that handler, creating it when it does not exist, or renames the current handler. The
// default name of a new handler joins the component's name and the event's name without its
// "On" (Button1Click).
class TMethodProperty : public TPropertyEditor, public IMethodProperty {
  FW_PROPERTY_EDITOR(TMethodProperty, TPropertyEditor)
 public:
  // True when every object holds the same handler (code and object).
  bool AllEqual() override;
  // Double-click: shows the current handler, or creates the default-named one and shows it.
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override;
  // The handler's name; empty for none.
  String GetValue() override;
  // The names of the module's handlers that fit the event type.
  void GetValues(const TGetStrProc& Proc) override;
  // Assigns, creates or renames the handler `Value` (see the class comment); empty text
  // clears it. Raises EDesignPropertyError for objects without a name.
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;

  // True when every edited object has a name path.
  virtual bool AllNamed();
  // The default name of a new handler for entry 0; raises EDesignPropertyError when the
  // object has no name.
  virtual String GetFormMethodName();
  // The property name without a leading "On".
  virtual String GetTrimmedEventName();

 private:
  // Raises unless every object is named.
  void CheckNamed();
  // SetValue; true when it showed a newly created handler.
  bool AssignHandler(const String& Value);
};

// References to components. The value is the referenced component's name as the designer
// shows it (qualified for components of other modules); typing a name the designer resolves to
// a component of the property's class assigns it.
class TComponentProperty : public TPropertyEditor, public IReferenceProperty, public IShowReferenceProperty {
  FW_PROPERTY_EDITOR(TComponentProperty, TPropertyEditor)
 public:
  // True when every object refers to the same (non-null) component and that component's module
  // has a designer; true for one object.
  bool AllEqual() override;
  // Ctrl+click selects the referenced component; otherwise the next entry of the value list.
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override;
  // The properties of the referenced component, without those that cannot be nested.
  void GetProperties(const TGetPropProc& Proc) override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TPropertyEditor::SetValue;

  // The component referenced by entry 0; null for none.
  TComponent* GetComponentReference() override;
  // Whether the inspector may show the referenced component expanded in place: not for
  // components owned inside another module's components (other than data modules).
  bool ShowReferenceProperty() override;
  // The referenced component as a selection, when there is one shared reference; else null.
  virtual IPtr<IDesignerSelections> GetSelections();
  // Keeps nested editors out that are marked paNotNestable.
  virtual bool FilterFunc(const IPtr<IProperty>& ATestEditor);

 protected:
  // The component referenced by entry `Index`.
  virtual TComponent* ReferenceAt(int Index);
};

// References to interfaces implemented by components: shown and typed as the component's
// name; only components that implement the property's interface are offered and accepted.
class TInterfaceProperty : public TComponentProperty {
  FW_PROPERTY_EDITOR(TInterfaceProperty, TComponentProperty)
 public:
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  using TComponentProperty::SetValue;

 protected:
  // The component behind the interface of entry `Index` (null when it names none).
  TComponent* ReferenceAt(int Index) override;

 private:
  // The interface of the property's type that `Component` implements; null when none.
  IPtr<IInterface> InterfaceOf(TComponent* Component);
  // The caller's callback, kept while GetValues runs.
  TGetStrProc FGetValuesStrProc;
};

}  // namespace formwright
