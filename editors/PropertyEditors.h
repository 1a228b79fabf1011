// The base of every property editor, the base of editors nested in another editor, and the
// enumeration of the properties a selection shares.
//
// A property editor stands for one published property of one or more selected objects at
// once. The object inspector talks to it only through IProperty and its companions; an editor
// writer derives from TPropertyEditor (or one of the standard editors of StdPropEditors.h),
// overrides what differs, declares the class with FW_CLASS and gives it
//
//   static void DeclarePublished(TClassBuilder<TMyProperty>& C) { DeclareEditorFactory(C); }
//
// so that the registry can create it from its class value.
#pragma once

#include <memory>
#include <vector>

#include "contracts/DesignIntf.h"

namespace formwright {

// Raised for failures the user caused and can correct by retyping (not an internal error).
FW_EXCEPTION(ENonAIRException, Exception);
// Raised by property editors for text that cannot be parsed into a value; the edited objects
// are left unchanged.
FW_EXCEPTION(EDesignPropertyError, ENonAIRException);

// One edited object and the descriptor of the property on its class.
struct TInstProp {
  TPersistent* Instance = nullptr;
  PPropInfo PropInfo = nullptr;
};

class TNestedProperty;

// A ready editor of class `EditorClass` for the property of every entry, in order, as the
// inspector uses it: it is created for `Entries.size()` objects, each entry is set and
// `Initialize` runs. Raises as CreatePropertyEditor does for a class that is no property
// editor, and EIntfCastError (freeing the editor) for one that does not implement IProperty.
IPtr<IProperty> CreatePropertyEditor(TPropertyEditorClass EditorClass, const IPtr<IDesigner>& ADesigner,
                                     const std::vector<TInstProp>& Entries);

// Declares a property editor class `Class` derived from `Parent` inside its class body: the
// class record, the parent's constructors and the factory through which the registry creates
// it. Leaves the class body in the private section.
#define FW_PROPERTY_EDITOR(Class, Parent)                                                          \
  FW_CLASS(Class, Parent)                                                                          \
 public:                                                                                           \
  using Parent::Parent;                                                                            \
  static void DeclarePublished(::formwright::TClassBuilder<Class>& C) { DeclareEditorFactory(C); } \
                                                                                                   \
 private:

// The base of every property editor: one property of `PropCount` objects.
//
// The base shows the runtime's unknown-value text, offers no value list and parses nothing;
// subclasses override the virtual operations. Values are read from entry 0 (or the entry
// named) and written to every entry, followed by Modified.
class TPropertyEditor : public TBasePropertyEditor, public IProperty70, public IPropertyKind {
  FW_CLASS(TPropertyEditor, TBasePropertyEditor)
 public:
  // An editor for `APropCount` objects, edited in the module of `ADesigner` (may be null).
  TPropertyEditor(const IPtr<IDesigner>& ADesigner, int APropCount);
  ~TPropertyEditor() override;
  static void DeclarePublished(TClassBuilder<TPropertyEditor>& C) { DeclareEditorFactory(C); }

  // Called once every entry is set, before the editor is handed out. Nothing in the base.
  void Initialize() override;
  // Makes entry `Index` edit `APropInfo` of `AInstance`. Raises EListError out of range.
  void SetPropEntry(int Index, TPersistent* AInstance, PPropInfo APropInfo) override;
  // True when the value is what a stream writer would leave out: the declared default, or
  // the value of the counterpart in the ancestor module.
  bool GetIsDefault() override;
  // The inspector row got the focus. Nothing in the base.
  void Activate() override;
  // True when every object holds the same value; the base knows this only for one object.
  bool AllEqual() override;
  // True when the inspector may complete typed text from the value list (writable property).
  bool AutoFill() override;
  // Double-click on the value: sets the entry of the value list after the current value.
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override;
  // The property's name.
  String GetName() override;
  // Passes nested editors to `Proc`; none in the base.
  void GetProperties(const TGetPropProc& Proc) override;
  PPropInfo GetPropInfo() override;
  // The display text of the value of entry 0.
  String GetValue() override;
  // The display text as a wide string.
  virtual WideString GetValueW();
  // Passes the value list to `Proc`; empty in the base.
  void GetValues(const TGetStrProc& Proc) override;
  // Parses `Value` and writes it to every entry; the base ignores it.
  void SetValue(const String& Value) override;
  virtual void SetValue(const WideString& Value);

  // The same for every editor:
  bool HasInstance(TPersistent* Instance) final;
  // `Value` := GetValue; a read failure becomes "(Not available)" for a write-only property,
  // else the failure's message in parentheses, and the result false.
  bool GetEditValue(String& Value) final;
  PTypeInfo GetPropType() final;
  // Asks the designer to restore the inherited value of every entry.
  void Revert() final;
  // False when an object that checks property availability (csCheckPropAvail) cannot give
  // its value now.
  bool ValueAvailable() final;
  // The type kind of the property (IPropertyKind).
  TTypeKind GetKind() final;

  // The object of entry `Index`.
  TPersistent* GetComponent(int Index) const;
  // Tells the designer that the design changed.
  void Modified();
  String GetPrivateDirectory();
  // GetValue when every object holds the same value, else empty.
  String GetVisualValue();
  const IPtr<IDesigner>& Designer() const noexcept { return FDesigner; }
  int PropCount() const noexcept { return FPropCount; }

  // Reads go to entry 0 or entry `Index`; writes go to every entry, then Modified.
  int64_t GetOrdValue() const { return GetOrdValueAt(0); }
  int64_t GetOrdValueAt(int Index) const;
  void SetOrdValue(int64_t Value);
  int64_t GetInt64Value() const { return GetInt64ValueAt(0); }
  int64_t GetInt64ValueAt(int Index) const;
  void SetInt64Value(int64_t Value);
  long double GetFloatValue() const { return GetFloatValueAt(0); }
  long double GetFloatValueAt(int Index) const;
  void SetFloatValue(long double Value);
  String GetStrValue() const { return GetStrValueAt(0); }
  String GetStrValueAt(int Index) const;
  // Skips entries whose property cannot be written.
  void SetStrValue(const String& Value);
  WideString GetWideStrValue() const { return GetWideStrValueAt(0); }
  WideString GetWideStrValueAt(int Index) const;
  // Skips entries whose property cannot be written.
  void SetWideStrValue(const WideString& Value);
  Variant GetVarValue() const { return GetVarValueAt(0); }
  Variant GetVarValueAt(int Index) const;
  void SetVarValue(const Variant& Value);
  TMethod GetMethodValue() const { return GetMethodValueAt(0); }
  TMethod GetMethodValueAt(int Index) const;
  void SetMethodValue(const TMethod& Value);
  IPtr<IInterface> GetIntfValue() const { return GetIntfValueAt(0); }
  IPtr<IInterface> GetIntfValueAt(int Index) const;
  void SetIntfValue(const IPtr<IInterface>& Value);
  // Object-typed properties (the runtime keeps them apart from ordinals).
  TObject* GetObjValue() const { return GetObjValueAt(0); }
  TObject* GetObjValueAt(int Index) const;
  void SetObjValue(TObject* Value);

 protected:
  // `Value` := `Read()`; on a read failure the text GetEditValue gives instead, and false.
  template <class S, class F>
  bool ReadEditValue(S& Value, F Read) {
    String Failure;
    try {
      Value = Read();
      return GetPropInfo()->CanWrite();
    } catch (const EPropWriteOnly&) {
      Failure = "(Not available)";
    } catch (const std::exception& E) {
      Failure = Format("(%s)", String(E.what()));
    }
    if constexpr (std::is_same_v<S, WideString>)
      Value = Utf8ToWide(Failure);
    else
      Value = Failure;
    return false;
  }
  const TInstProp& Entry(int Index) const;
  // True when the value `Get(I)` of every entry equals entry 0's.
  template <class F>
  bool AllValuesEqual(F Get) {
    if (FPropCount <= 1) return true;
    const auto First = Get(0);
    for (int I = 1; I < FPropCount; ++I)
      if (!(Get(I) == First)) return false;
    return true;
  }
  // Writes through `Write(Instance, PropInfo)` to every entry, then Modified.
  template <class F>
  void WriteAll(F Write) {
    for (int I = 0; I < FPropCount; ++I) Write(FPropList[I].Instance, FPropList[I].PropInfo);
    Modified();
  }

  IPtr<IDesigner> FDesigner;
  // The entries; a nested editor shares its parent's.
  std::shared_ptr<TInstProp[]> FPropList;
  int FPropCount = 0;
  // Used only while GetIsDefault runs.
  std::vector<TComponent*>* FAncestorList = nullptr;
  TComponent* FRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  TComponent* FRootAncestor = nullptr;
  TComponent* FLookingFor = nullptr;
  bool FDoneLooking = false;

 private:
  friend class TNestedProperty;
  // Visits components in stream-writer order from `Component`, keeping FAncestor on the
  // counterpart of the visited component, until FLookingFor is reached.
  void WriteComponentSimulation(TComponent* Component);
  TGetLookupInfoEvent LookupInfo();
};

// The base of editors that live inside another editor (set elements, variant types): it edits
// the parent's objects through the parent's entries.
class TNestedProperty : public TPropertyEditor {
  FW_CLASS(TNestedProperty, TPropertyEditor)
 public:
  // Shares the designer and the entries of `Parent` (the entries stay alive as long as
  // either editor does).
  explicit TNestedProperty(TPropertyEditor* Parent);
};

// The published properties of a class whose type kinds are in a filter, sorted by name.
class TPropInfoList {
 public:
  // The properties of `Instance`'s class; empty for null.
  TPropInfoList(TPersistent* Instance, TTypeKinds Filter);
  // True when an entry has the same type (the same type information) and the same name,
  // ignoring case.
  bool Contains(PPropInfo P) const noexcept;
  void Delete(int Index);
  // Deletes every entry `List` does not contain.
  void Intersect(const TPropInfoList& List);
  PPropInfo Items(int Index) const;
  int Count() const noexcept { return static_cast<int>(FList.size()); }

 private:
  std::vector<PPropInfo> FList;
};

// Passes an editor to `Proc` for every published property, of a kind in `Filter`, that all
// objects of `Components` share (same name, same type), in name order, with the editor class
// the registry chooses. A property is left out when it has no editor, cannot be read, is
// read-only and of a simple type (unless the package shows read-only properties), is not multi-selectable
// while several objects are selected, cannot be read at the moment, is refused by `EditorFilterFunc`, or when
// objects of different classes would get different editors. Selection editors of the designer's selection
// that filter properties (ISelectionPropertyFilter) may then remove or reorder the editors.
void GetComponentProperties(const IPtr<IDesignerSelections>& Components, TTypeKinds Filter,
                            const IPtr<IDesigner>& Designer, const TGetPropProc& Proc,
                            const TPropertyEditorFilterFunc& EditorFilterFunc = nullptr);

// True when `Ancestor` can stand for the ancestor of objects of `Root`: both are known and
// `Root`'s class descends from `RootAncestor`'s.
bool AncestorIsValid(TPersistent* Ancestor, TComponent* Root, TComponent* RootAncestor) noexcept;

}  // namespace formwright
