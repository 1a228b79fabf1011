// The object model of the host runtime: objects with run-time class values, type information
// records, method values and reference-counted interfaces.
//
// A class value (`TClass`, a `TMetaClass*`) is a runtime record: name, unit name, parent,
// published properties and methods, type information and the factories ("virtual
// constructors") through which registries and stream readers create instances. A compiled
// class gets its record from `FW_CLASS` in its declaration and `FW_REGISTER_CLASS` in its
// source file. An instance can be switched to a class made at run time that derives from its
// compiled class and back again (`TObject::ChangeClass`); such a class may intercept the
// instance's destruction and component notifications through hooks on its record.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/runtime/NamePool.h"
#include "platform/runtime/SysUtils.h"
#include "platform/runtime/Types.h"

namespace formwright {

class TObject;
class TMetaClass;
class TComponent;
class TCollection;
class TCollectionItem;
struct TPropInfo;
struct TTypeInfo;
using TClass = TMetaClass*;
using PTypeInfo = const TTypeInfo*;
using PPropInfo = const TPropInfo*;

// ---------------------------------------------------------------------------------------------
// Type information

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
  tkUString,
  tkClassRef,
  tkPointer,
  tkProcedure
};
using TTypeKinds = TSet<TTypeKind>;
inline const TTypeKinds tkAny = TTypeKinds::FromBits((uint64_t(1) << (tkProcedure + 1)) - 1);
inline const TTypeKinds tkProperties = tkAny - TTypeKinds{tkMethod,   tkUnknown,  tkArray,   tkRecord,
                                                          tkDynArray, tkClassRef, tkPointer, tkProcedure};
inline const TTypeKinds tkMethods = TTypeKinds{tkMethod};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQWord, otUQWord };
enum TFloatType : uint8_t { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
enum TMethodKind : uint8_t { mkProcedure, mkFunction };
enum TParamFlag : uint8_t { pfVar, pfConst, pfArray, pfAddress, pfReference, pfOut, pfResult };
using TParamFlags = TSet<TParamFlag>;

struct TGUID {
  uint32_t D1 = 0;
  uint16_t D2 = 0;
  uint16_t D3 = 0;
  uint8_t D4[8] = {};
  // Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; raises EConvertError on bad text.
  static TGUID Parse(std::string_view Text);
  String ToString() const;
  friend bool operator==(const TGUID& A, const TGUID& B) noexcept;
};

struct TParamInfo {
  TParamFlags Flags;
  String Name;
  String TypeName;
};

// Kind-specific data of a type; which members are meaningful depends on the kind.
struct TTypeData {
  // tkInteger, tkChar, tkWChar, tkEnumeration, tkInt64
  TOrdType OrdType = otSLong;
  int64_t MinValue = 0;
  int64_t MaxValue = 0;
  // tkInteger: identifiers that stand for values (colour names and the like). The reader takes
  // them in place of the number and the writer writes them; both null when the type has none.
  bool (*IdentToInt)(std::string_view Ident, int32_t& Value) = nullptr;
  bool (*IntToIdent)(int32_t Value, String& Ident) = nullptr;
  // tkEnumeration: identifiers in ordinal order (index 0 is MinValue); BaseType is itself
  std::vector<String> NameList;
  String EnumUnitName;
  // tkSet: the element type
  PTypeInfo CompType = nullptr;
  // tkFloat
  TFloatType FloatType = ftDouble;
  // tkString (short string): the declared maximum length
  int MaxLength = 255;
  // tkClass
  TClass ClassType = nullptr;
  PTypeInfo ParentInfo = nullptr;
  String UnitName;
  // tkMethod
  TMethodKind MethodKind = mkProcedure;
  std::vector<TParamInfo> Params;
  String ResultType;
  // tkInterface
  PTypeInfo IntfParent = nullptr;
  TGUID Guid;
  String IntfUnit;
};
using PTypeData = const TTypeData*;

// A type as the runtime describes it: its kind, its name and the kind's data.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  String Name;
  TTypeData Data;
};

inline PTypeData GetTypeData(PTypeInfo TypeInfo) noexcept { return TypeInfo ? &TypeInfo->Data : nullptr; }
inline const String& GetTypeName(PTypeInfo TypeInfo) noexcept { return TypeInfo->Name; }

// Every C++ type used for a published property has type information, found by
// `TypeInfoOf<T>()`: classes through their class record, interfaces through `FW_INTERFACE`,
// enumerations, sets, events and named types through an overload of `TypeInfoOfTag(T*)` that
// argument-dependent lookup finds next to the type.
template <class T>
PTypeInfo TypeInfoOf();

// ---------------------------------------------------------------------------------------------
// Method values

// A method value: code and the object it is bound to. Two methods are equal when both are.
// Compiled published methods have real code addresses; methods made at run time for designed
// classes carry small integer handles that no caller may invoke.
struct TMethod {
  void* Code = nullptr;
  TObject* Data = nullptr;
  bool IsAssigned() const noexcept { return Code != nullptr; }
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

// True when `Code` is a callable address rather than a design-time method handle.
inline bool IsCallableCode(const void* Code) noexcept { return reinterpret_cast<uintptr_t>(Code) >= 0x10000; }

// One entry of a class's published method table. The name is kept by the class.
struct TMethodEntry {
  std::string_view Name;
  void* Code = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Class records

enum TOperation : uint8_t { opInsert, opRemove };

// Replaces an instance's destruction: called before anything of the instance is destroyed.
using TDestroyHook = void (*)(TObject* Instance);
// Replaces the component notification of an instance (see TComponent::Notify). FromOwner is
// true when the instance's owner is passing the notification on to the components it owns.
using TNotificationHook = void (*)(TComponent* Instance, TComponent* AComponent, TOperation Operation,
                                   bool FromOwner);

// The runtime record of a class. Compiled classes have one static record each; classes made
// at run time (design-time proxies) are records owned by whoever made them.
class TMetaClass {
 public:
  using TInit = void (*)(TMetaClass&);

  TMetaClass(String Name, String UnitName, TClass Parent, TInit Init = nullptr);
  ~TMetaClass();
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const String& ClassName() const noexcept { return FTypeInfo.Name; }
  bool ClassNameIs(std::string_view Name) const noexcept { return SameText(FTypeInfo.Name, Name); }
  const String& UnitName() const noexcept { return FTypeInfo.Data.UnitName; }
  TClass ClassParent() const noexcept { return FParent; }
  // True when this class is `AClass` or descends from it.
  bool InheritsFrom(const TMetaClass* AClass) const noexcept;
  PTypeInfo ClassInfo() const noexcept { return &FTypeInfo; }

  // Published properties declared by this class itself (not its parents), in declaration order.
  const std::vector<std::unique_ptr<TPropInfo>>& OwnProperties();
  // Number of published properties including those of all parents.
  int PropCount();
  // Published properties including those of all parents, parents' first, a redeclaration
  // replacing the inherited declaration in place. Kept from call to call and built again when
  // this class or a parent gained a property or changed parent.
  std::vector<PPropInfo> PropInfos();
  // Published methods declared by this class itself.
  const std::vector<TMethodEntry>& OwnMethods();
  // Finds a published method by name (ignoring case) here or in a parent; null when absent.
  void* MethodAddress(std::string_view Name);
  // The name of the published method with that code here or in a parent; empty when absent.
  String MethodName(const void* Code);

  // Declaration side, used by class builders and by classes made at run time.
  TPropInfo& AddProperty(std::unique_ptr<TPropInfo> Prop);
  void AddMethod(std::string_view Name, void* Code);
  bool RemoveMethod(const void* Code);
  bool RenameMethod(const void* Code, std::string_view NewName);

  // Factories: a class can be created through each constructor signature it registered.
  template <class... A>
  void AddFactory(TObject* (*Factory)(A...)) {
    FFactories.push_back({std::type_index(typeid(Factory)), reinterpret_cast<void (*)()>(Factory)});
  }
  template <class... A>
  bool CanCreate() {
    return FindFactory(std::type_index(typeid(TObject * (*)(A...)))) != nullptr;
  }
  // Creates an instance through the factory of that signature; raises EInvalidOperation when
  // the class registered none (abstract classes, classes made at run time).
  template <class... A>
  TObject* Create(A... Args) {
    auto F = FindFactory(std::type_index(typeid(TObject * (*)(A...))));
    if (!F) RaiseNoFactory();
    return reinterpret_cast<TObject* (*)(A...)>(F)(Args...);
  }

  // Interception hooks (null for compiled classes).
  TDestroyHook DestroyHook = nullptr;
  TNotificationHook NotificationHook = nullptr;

  // Renames a class made at run time. An empty unit name keeps the current one.
  void Rename(String Name, String UnitName);
  // Re-parents a class made at run time.
  void SetParent(TClass Parent) noexcept;
  // The C++ type of a compiled class's instances (null for classes made at run time).
  const std::type_info* CppType = nullptr;

 private:
  void EnsureInitialized();
  void (*FindFactory(std::type_index Key))();
  [[noreturn]] void RaiseNoFactory() const;

  TTypeInfo FTypeInfo;
  TClass FParent;
  TInit FInit;
  bool FInitialized = false;
  std::vector<std::unique_ptr<TPropInfo>> FProps;
  std::vector<TMethodEntry> FMethods;
  TNamePool FMethodNames;  // the names of FMethods, old ones included
  std::vector<std::pair<std::type_index, void (*)()>> FFactories;
  // PropInfos' list and what it was built from: each class of the chain with its own count.
  std::vector<PPropInfo> FPropInfos;
  std::vector<std::pair<const TMetaClass*, size_t>> FPropInfosFrom;
  std::mutex FPropInfosLock;
};

// ---------------------------------------------------------------------------------------------
// Objects

// Root of every class of the object model.
//
// Objects are freed with `Free()` (or by their owner); `Free` runs the class's destruction
// hook and `BeforeDestruction` while the object is still whole, then deletes it.
class TObject {
 public:
  TObject() noexcept = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  // The class compiled for this C++ type. Overridden by FW_CLASS.
  virtual TClass DeclaredClass() const noexcept { return StaticClass(); }
  // The instance's current class: the compiled class, or a class it was switched to.
  TClass ClassType() const noexcept { return FClassOverride ? FClassOverride : DeclaredClass(); }
  const String& ClassName() const noexcept { return ClassType()->ClassName(); }
  bool ClassNameIs(std::string_view Name) const noexcept { return ClassType()->ClassNameIs(Name); }
  TClass ClassParent() const noexcept { return ClassType()->ClassParent(); }
  bool InheritsFrom(const TMetaClass* AClass) const noexcept { return ClassType()->InheritsFrom(AClass); }
  const String& UnitName() const noexcept { return ClassType()->UnitName(); }
  void* MethodAddress(std::string_view Name) const { return ClassType()->MethodAddress(Name); }
  String MethodName(const void* Code) const { return ClassType()->MethodName(Code); }

  // Switches the instance to `AClass`, which must be the compiled class or descend from it
  // (raises EInvalidCast otherwise). The instance keeps behaving as its C++ type.
  void ChangeClass(TClass AClass);

  // Runs the destruction hook and BeforeDestruction, then deletes the object.
  void Free() noexcept;
  static void FreeAndNil(TObject*& Obj) noexcept {
    TObject* O = Obj;
    Obj = nullptr;
    if (O) O->Free();
  }

 protected:
  // Called by Free while the whole object still exists. Overrides call the inherited one.
  virtual void BeforeDestruction() {}

 private:
  void RunDestroyHook() noexcept;
  TClass FClassOverride = nullptr;
};

// Deleter for owning smart pointers of objects: frees through `Free`.
struct TFreeObject {
  void operator()(TObject* O) const noexcept { O->Free(); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeObject>;

// Declares the class record of `Class` (whose parent is `Parent`) inside a class body.
// Leaves the class body in the private section. A class with published members also
// declares `static void DeclarePublished(TClassBuilder<Class>& C);`.
#define FW_CLASS(Class, Parent)                                                          \
 public:                                                                                 \
  using inherited = Parent;                                                              \
  static ::formwright::TClass StaticClass();                                             \
  ::formwright::TClass DeclaredClass() const noexcept override { return StaticClass(); } \
                                                                                         \
 private:

template <class T>
concept ObjectClass = std::is_base_of_v<TObject, T>;

template <ObjectClass T>
inline TClass ClassOf() {
  return T::StaticClass();
}

// Checked downcast of an object to a C++ class; null for null or another class.
template <class T>
T* As(TObject* O) noexcept {
  return dynamic_cast<T*>(O);
}

// ---------------------------------------------------------------------------------------------
// Interfaces

class TInterfaceTypes;

// Base of every interface. Interfaces derive from it virtually, so an object implementing
// several interfaces has exactly one reference count and one identity.
struct IInterface {
  virtual ~IInterface() = default;
  virtual int32_t _AddRef() noexcept = 0;
  virtual int32_t _Release() noexcept = 0;
  // Stores in `Obj` the interface identified by `IID` when the object supports it.
  virtual bool QueryInterface(const TGUID& IID, void** Obj) noexcept = 0;
  static PTypeInfo InterfaceTypeInfo();
  static const TGUID& IID() { return InterfaceTypeInfo()->Data.Guid; }
};

using TInterfaceCaster = void* (*)(IInterface*);
// Registers an interface type made by FW_INTERFACE (identifier, parent, caster).
PTypeInfo RegisterInterfaceType(const char* Name, const char* Guid, PTypeInfo Parent,
                                TInterfaceCaster Caster);
// The caster of a registered interface identifier; null when unknown.
TInterfaceCaster FindInterfaceCaster(const TGUID& IID) noexcept;
// True when interface type `T` is `Ancestor` or descends from it.
bool InterfaceInheritsFrom(PTypeInfo T, PTypeInfo Ancestor) noexcept;

// Declares the identity of interface `Name` (parent `Parent`, identifier `Guid`).
#define FW_INTERFACE(Name, Parent, GuidText)                                          \
  static ::formwright::PTypeInfo InterfaceTypeInfo() {                                \
    static const ::formwright::PTypeInfo TI = ::formwright::RegisterInterfaceType(    \
        #Name, GuidText, Parent::InterfaceTypeInfo(),                                 \
        [](::formwright::IInterface* P) -> void* { return dynamic_cast<Name*>(P); }); \
    return TI;                                                                        \
  }                                                                                   \
  static const ::formwright::TGUID& IID() { return InterfaceTypeInfo()->Data.Guid; }

// Intrusive reference to an interface: adds a reference when it takes one and releases it
// when it lets go. The one smart-reference type for interface objects in the package.
template <class I>
class IPtr {
 public:
  IPtr() noexcept = default;
  IPtr(std::nullptr_t) noexcept {}
  IPtr(I* P) noexcept : FPtr(P) { AddRef(); }
  IPtr(const IPtr& O) noexcept : FPtr(O.FPtr) { AddRef(); }
  IPtr(IPtr&& O) noexcept : FPtr(std::exchange(O.FPtr, nullptr)) {}
  template <class J>
  requires std::is_convertible_v<J*, I*> IPtr(const IPtr<J>& O)
  noexcept : FPtr(O.Get()) { AddRef(); }
  ~IPtr() { Release(); }
  IPtr& operator=(IPtr O) noexcept {
    std::swap(FPtr, O.FPtr);
    return *this;
  }
  I* Get() const noexcept { return FPtr; }
  I* operator->() const noexcept { return FPtr; }
  I& operator*() const noexcept { return *FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }
  void Reset() noexcept { IPtr().swap(*this); }
  void swap(IPtr& O) noexcept { std::swap(FPtr, O.FPtr); }
  // The object's identity, comparable across interfaces of the same object.
  IInterface* Identity() const noexcept { return FPtr ? static_cast<IInterface*>(FPtr) : nullptr; }
  template <class J>
  friend bool operator==(const IPtr& A, const IPtr<J>& B) noexcept {
    return A.Identity() == B.Identity();
  }
  friend bool operator==(const IPtr& A, std::nullptr_t) noexcept { return A.FPtr == nullptr; }

 private:
  void AddRef() noexcept {
    if (FPtr) static_cast<IInterface*>(FPtr)->_AddRef();
  }
  void Release() noexcept {
    if (FPtr) static_cast<IInterface*>(std::exchange(FPtr, nullptr))->_Release();
  }
  I* FPtr = nullptr;
};

// Queries `P` for interface `I` (through QueryInterface, so objects that answer for other
// objects are honoured). Null when not supported.
template <class I>
IPtr<I> Supports(IInterface* P) noexcept {
  void* Out = nullptr;
  if (P && P->QueryInterface(I::IID(), &Out) && Out) return IPtr<I>(static_cast<I*>(Out));
  return nullptr;
}
template <class I, class J>
IPtr<I> Supports(const IPtr<J>& P) noexcept {
  return Supports<I>(P.Identity());
}
template <class I>
IPtr<I> Supports(TObject* O) noexcept {
  return Supports<I>(dynamic_cast<IInterface*>(O));
}
// Objects that are interfaces too (components) are asked as objects.
template <class I, class T>
requires(std::is_base_of_v<TObject, T> && !std::is_same_v<T, TObject>) IPtr<I> Supports(T* O)
noexcept { return Supports<I>(static_cast<TObject*>(O)); }
// Queries by identifier; null when not supported.
IPtr<IInterface> SupportsIID(IInterface* P, const TGUID& IID) noexcept;

// Answers QueryInterface for every registered interface the object's C++ type implements.
bool QueryInterfaceByCast(IInterface* Self, const TGUID& IID, void** Obj) noexcept;

// An object whose lifetime is its reference count: it frees itself on its last release.
class TInterfacedObject : public TObject, public virtual IInterface {
  FW_CLASS(TInterfacedObject, TObject)
 public:
  int32_t _AddRef() noexcept override { return ++FRefCount; }
  int32_t _Release() noexcept override {
    const int32_t R = --FRefCount;
    if (R == 0) Free();
    return R;
  }
  bool QueryInterface(const TGUID& IID, void** Obj) noexcept override {
    return QueryInterfaceByCast(this, IID, Obj);
  }
  int32_t RefCount() const noexcept { return FRefCount; }

 private:
  std::atomic<int32_t> FRefCount{0};
};

// Creates a reference-counted object and hands out its first reference.
template <class T, class... A>
IPtr<T> MakeIntf(A&&... Args) {
  return IPtr<T>(new T(std::forward<A>(Args)...));
}

// Returns the object that implements an interface (null for null).
inline TObject* InterfaceObject(IInterface* P) noexcept { return dynamic_cast<TObject*>(P); }

}  // namespace formwright
