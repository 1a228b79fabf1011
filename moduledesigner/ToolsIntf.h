// The tools interface through which add-ins of the IDE reach a designed module: a form editor
// per module and a component object per persistent on it, and the notifiers through which an
// add-in hears what happens to the module. TOTAFormEditor and TOTAComponent
// (OTAFormEditor.h, OTAComponent.h) implement them over a module root.
//
// Property values cross IOTAComponent as untyped buffers. The buffer is the address of an
// object of the C++ type the property's kind calls for:
//   integer, char, enumeration, set, wide char   int32_t when reading; when writing a value of
//                                                the property's ordinal size (int8_t/uint8_t,
//                                                int16_t/uint16_t or int32_t/uint32_t)
//   float                                        long double (our 80-bit extended), both ways
//   short string                                 a length byte and up to 255 characters
//                                                (TOTAShortString), both ways
//   class                                        IPtr<IOTAComponent> when reading (an adapter
//                                                for a persistent that is not a component,
//                                                else nil); not writable
//   method                                       TMethod
//   long string, Unicode string                  String
//   wide string                                  WideString
//   variant                                      Variant
// Other kinds (Int64, interfaces, …) are neither read nor written: the call answers false.
#pragma once

#include <cstdint>
#include <functional>

#include "contracts/DesignIntf.h"
#include "moduledesigner/ModuleNotifiers.h"
#include "moduledesigner/NotifierList.h"
#include "platform/runtime/StreamIntf.h"

namespace formwright {

// The short-string buffer: Length characters of Chars are the value.
struct TOTAShortString {
  uint8_t Length = 0;
  char Chars[255] = {};
};

// Hears what happens to the object it is registered with.
struct IOTANotifier : virtual IInterface {
  FW_INTERFACE(IOTANotifier, IInterface, "{5E0B3D20-3601-4C6A-9F21-77AA00000601}")
  virtual void AfterSave() = 0;
  virtual void BeforeSave() = 0;
  // The object is going away: the notifier is dropped after this call.
  virtual void Destroyed() = 0;
  // The module changed.
  virtual void Modified() = 0;
};

// A notifier of a form editor that also hears of the form's activation, saving and renames.
struct IOTAFormNotifier : virtual IOTANotifier {
  FW_INTERFACE(IOTAFormNotifier, IOTANotifier, "{5E0B3D20-3602-4C6A-9F21-77AA00000602}")
  virtual void FormActivated() = 0;
  // The form's stream is about to be written (saved, or read by a tool).
  virtual void FormSaving() = 0;
  // Component (the persistent behind the handle) was renamed from OldName to NewName.
  virtual void ComponentRenamed(TPersistent* ComponentHandle, const String& OldName,
                                const String& NewName) = 0;
};

// An object that keeps notifiers, addressed by the index AddNotifier returned.
struct IOTANotifierSource : virtual IInterface {
  FW_INTERFACE(IOTANotifierSource, IInterface, "{5E0B3D20-3603-4C6A-9F21-77AA00000603}")
  // Registers Notifier; the result identifies it for RemoveNotifier (never negative).
  virtual int AddNotifier(const IPtr<IOTANotifier>& Notifier) = 0;
  // Unregisters the notifier of that index; an unknown index does nothing.
  virtual void RemoveNotifier(int Index) = 0;
};

struct IOTAComponent;
// Called once per child by IOTAComponent::GetChildren with the caller's Param; clearing
// Continue ends the walk.
using TOTAGetChildCallback =
    std::function<void(void* Param, const IPtr<IOTAComponent>& Component, bool& Continue)>;

// One persistent of a designed module (a component, or an object a property holds such as a
// font). An adapter holds neither the persistent nor its module: it is valid while both live.
struct IOTAComponent : virtual IInterface {
  FW_INTERFACE(IOTAComponent, IInterface, "{5E0B3D20-3604-4C6A-9F21-77AA00000604}")
  // The persistent's class name.
  virtual String GetComponentType() = 0;
  // The persistent itself, as the handle GetComponentFromHandle takes back.
  virtual TPersistent* GetComponentHandle() = 0;
  // The component's parent as the framework sees it; nil for the module's root component and
  // for a persistent that is not a component.
  virtual IPtr<IOTAComponent> GetParent() = 0;
  // Whether the persistent is a control of the framework.
  virtual bool IsTControl() = 0;
  // The published properties, in a fixed order. An index outside 0 .. count-1 gives the empty
  // name, type tkUnknown and false.
  virtual int GetPropCount() = 0;
  virtual String GetPropName(int Index) = 0;
  virtual TTypeKind GetPropType(int Index) = 0;
  // tkUnknown when the persistent has no property Name (letter case ignored).
  virtual TTypeKind GetPropTypeByName(const String& Name) = 0;
  // Reads the value into Value (see the buffers above); false when not read.
  virtual bool GetPropValue(int Index, void* Value) = 0;
  virtual bool GetPropValueByName(const String& Name, void* Value) = 0;
  // Writes the value from Value (see the buffers above) and marks the module modified; false,
  // and the module untouched, for a kind that cannot be written or a value the property
  // refuses.
  virtual bool SetProp(int Index, const void* Value) = 0;
  virtual bool SetPropByName(const String& Name, const void* Value) = 0;
  // Calls Proc for each child of a component in the framework's child order until Proc clears
  // its continue flag; false for a persistent that is not a component.
  virtual bool GetChildren(void* Param, const TOTAGetChildCallback& Proc) = 0;
  // The controls a control holds (0 and nil for others).
  virtual int GetControlCount() = 0;
  virtual IPtr<IOTAComponent> GetControl(int Index) = 0;
  // The components a component owns; -1 and nil for a persistent that is not a component.
  virtual int GetComponentCount() = 0;
  virtual IPtr<IOTAComponent> GetComponent(int Index) = 0;
  // Selects the component (added to the selection or replacing it); the root component clears
  // the selection. False for a persistent that is not a component.
  virtual bool Select(bool AddToSelection) = 0;
  // Selects the component and brings it into view (the module's window for the root component
  // or a selection of several). False for a persistent that is not a component.
  virtual bool Focus(bool AddToSelection) = 0;
  // Frees a component the root component owns; false for any other persistent.
  virtual bool Delete() = 0;
};

// The native side of a component adapter: the objects themselves.
struct INTAComponent : virtual IInterface {
  FW_INTERFACE(INTAComponent, IInterface, "{5E0B3D20-3605-4C6A-9F21-77AA00000605}")
  virtual TPersistent* GetPersistent() = 0;
  // The persistent as a component; null when it is not one.
  virtual TComponent* GetComponent() = 0;
};

// The form editor of one designed module. Its notifiers are IOTANotifier (and, to hear of
// activation, saving and renames, IOTAFormNotifier) objects.
struct IOTAFormEditor : virtual IOTANotifierSource {
  FW_INTERFACE(IOTAFormEditor, IOTANotifierSource, "{5E0B3D20-3606-4C6A-9F21-77AA00000606}")
  // The module's form file name.
  virtual String GetFileName() = 0;
  // Whether the module changed since it was loaded or saved (or ResetDiskAge ran).
  virtual bool GetModified() = 0;
  // Marks the module modified; true.
  virtual bool MarkModified() = 0;
  // The module's current content counts as the one on disk.
  virtual void ResetDiskAge() = 0;
  // The module's notifier registry; nil when the module keeps none.
  virtual IPtr<IOTAModule> GetModule() = 0;
  virtual IPtr<IOTAComponent> GetRootComponent() = 0;
  // The root component's component Name (letter case ignored), or nil.
  virtual IPtr<IOTAComponent> FindComponent(const String& Name) = 0;
  // An adapter for the persistent behind Handle; nil for a nil handle.
  virtual IPtr<IOTAComponent> GetComponentFromHandle(TPersistent* Handle) = 0;
  // The selection. Index 0 of an empty selection gives the root component; any other index
  // out of range gives nil.
  virtual int GetSelCount() = 0;
  virtual IPtr<IOTAComponent> GetSelComponent(int Index) = 0;
  // The component new components would be created in, or nil.
  virtual IPtr<IOTAComponent> GetCreateParent() = 0;
  // A new component of the registered class TypeName at X, Y of Container (the root component
  // when Container is nil or no component), W by H; nil when TypeName names no component class.
  virtual IPtr<IOTAComponent> CreateComponent(const IPtr<IOTAComponent>& Container, const String& TypeName,
                                              int X, int Y, int W, int H) = 0;
  // Writes the module's current stream to Stream.
  virtual void GetFormResource(const IPtr<IStream>& Stream) = 0;
  // The module's current stream, not owned by the result: valid until the module next changes.
  virtual IPtr<IStream> GetContent() = 0;
  // When the module last changed, in universal time; now when that is not known.
  virtual TDateTime GetContentAge() = 0;
  // Replaces the whole module with Stream's content (a sleeping module stays asleep). Content
  // that cannot be read raises the reader's message and leaves the module as it was.
  virtual void SetContent(const IPtr<IStream>& Stream) = 0;
  // Shows the module's designer window.
  virtual void Show() = 0;
};

// The native side of a form editor.
struct INTAFormEditor : virtual IInterface {
  FW_INTERFACE(INTAFormEditor, IInterface, "{5E0B3D20-3607-4C6A-9F21-77AA00000607}")
  // The module's designer.
  virtual IPtr<IDesigner> GetFormDesigner() = 0;
  // Copies the module's current stream into Stream and leaves Stream at position 0.
  virtual void GetFormResource(TStream* Stream) = 0;
};

// The base of tools-interface objects that keep notifiers.
class TOTANotifierObject : public TInterfacedObject, public virtual IOTANotifierSource {
  FW_CLASS(TOTANotifierObject, TInterfacedObject)
 public:
  int AddNotifier(const IPtr<IOTANotifier>& Notifier) override { return FNotifiers.Add(Notifier); }
  void RemoveNotifier(int Index) override { FNotifiers.Remove(Index); }

 protected:
  const TNotifierList<IOTANotifier>& Notifiers() const noexcept { return FNotifiers; }
  // Every registered notifier that offers interface I, in registration order.
  template <class I>
  void ForEachNotifier(const std::function<void(const IPtr<I>&)>& Proc) const {
    FNotifiers.ForEach([&](const IPtr<IOTANotifier>& N) {
      if (IPtr<I> Target = Supports<I>(N)) Proc(Target);
    });
  }
  void ClearNotifiers() { FNotifiers.Clear(); }

 private:
  TNotifierList<IOTANotifier> FNotifiers;
};

}  // namespace formwright
