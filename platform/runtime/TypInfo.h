// Run-time type information: published property descriptors, their typed access, and the
// builder through which a class declares what it publishes.
//
// A component writer declares a class's published members in a few lines:
//
//   void TButton::DeclarePublished(TClassBuilder<TButton>& C) {
//     C.Property("Cancel", &TButton::FCancel).Default(false);
//     C.Property("Caption", &TButton::GetCaption, &TButton::SetCaption);
//     C.Property("Font", &TButton::GetFont, &TButton::SetFont);
//     C.Property("OnClick", &TButton::FOnClick);
//     C.Method<&TButton::Click>("Click");
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <type_traits>

#include "platform/runtime/RtlConsts.h"
#include "platform/runtime/System.h"
#include "platform/runtime/Variants.h"

namespace formwright {

// ---------------------------------------------------------------------------------------------
// Typed method values (events)

// A method value with a call signature. Compiled handlers are bound with `Bind`; a handler
// stored by a designer may be a design-time handle, which raises when called.
template <class Sig>
class TClosure;
template <class R, class... A>
class TClosure<R(A...)> {
 public:
  using TCode = R (*)(TObject*, A...);
  TClosure() noexcept = default;
  TClosure(const TMethod& M) noexcept : FMethod(M) {}
  template <auto Member, class C>
  static TClosure Bind(C* Object) noexcept {
    return TClosure(TMethod{reinterpret_cast<void*>(&Thunk<Member, C>), Object});
  }
  template <auto Member, class C>
  static R Thunk(TObject* Self, A... Args) {
    return (static_cast<C*>(Self)->*Member)(Args...);
  }
  const TMethod& Method() const noexcept { return FMethod; }
  explicit operator bool() const noexcept { return FMethod.Code != nullptr; }
  R operator()(A... Args) const {
    if (!IsCallableCode(FMethod.Code)) throw EInvalidOperation(Format(SMethodHandleCall, String("?")));
    return reinterpret_cast<TCode>(FMethod.Code)(FMethod.Data, Args...);
  }
  friend bool operator==(const TClosure& X, const TClosure& Y) noexcept { return X.FMethod == Y.FMethod; }

 private:
  TMethod FMethod;
};

template <class T>
concept ClosureType = requires(const T& V) {
  { V.Method() } -> std::convertible_to<const TMethod&>;
  { T::EventTypeInfo() } -> std::same_as<PTypeInfo>;
};

// ---------------------------------------------------------------------------------------------
// Type information makers

TTypeInfo MakeOrdinalType(const char* Name, TTypeKind Kind, TOrdType OrdType, int64_t Min, int64_t Max);
// An integer type whose values may be written as identifiers (see TTypeData::IdentToInt).
TTypeInfo MakeIdentIntType(const char* Name, TOrdType OrdType, int64_t Min, int64_t Max,
                           bool (*IdentToInt)(std::string_view, int32_t&),
                           bool (*IntToIdent)(int32_t, String&));
// Identifiers given as one comma-separated text ("alNone, alTop, …").
TTypeInfo MakeEnumType(const char* Name, const char* CommaNames);
TTypeInfo MakeSetType(const char* Name, PTypeInfo ElementType);
TTypeInfo MakeFloatType(const char* Name, TFloatType FloatType);
TTypeInfo MakeStringType(const char* Name, TTypeKind Kind, int MaxLength = 255);
// Parameters as a declaration: "(Sender: TObject; var Key: Char): Boolean".
TTypeInfo MakeMethodType(const char* Name, const char* Declaration);
TTypeInfo MakeSimpleType(const char* Name, TTypeKind Kind);

#define FW_TYPEINFO_FN(Type, ...)                          \
  inline ::formwright::PTypeInfo TypeInfoOfTag(Type*) {    \
    static const ::formwright::TTypeInfo TI = __VA_ARGS__; \
    return &TI;                                            \
  }

// Built-in types.
FW_TYPEINFO_FN(bool, MakeEnumType("Boolean", "False, True"))
FW_TYPEINFO_FN(int8_t, MakeOrdinalType("ShortInt", tkInteger, otSByte, INT8_MIN, INT8_MAX))
FW_TYPEINFO_FN(uint8_t, MakeOrdinalType("Byte", tkInteger, otUByte, 0, UINT8_MAX))
FW_TYPEINFO_FN(int16_t, MakeOrdinalType("SmallInt", tkInteger, otSWord, INT16_MIN, INT16_MAX))
FW_TYPEINFO_FN(uint16_t, MakeOrdinalType("Word", tkInteger, otUWord, 0, UINT16_MAX))
FW_TYPEINFO_FN(int32_t, MakeOrdinalType("Integer", tkInteger, otSLong, INT32_MIN, INT32_MAX))
FW_TYPEINFO_FN(uint32_t, MakeOrdinalType("Cardinal", tkInteger, otULong, 0, UINT32_MAX))
FW_TYPEINFO_FN(int64_t, MakeOrdinalType("Int64", tkInt64, otSQWord, INT64_MIN, INT64_MAX))
FW_TYPEINFO_FN(uint64_t, MakeOrdinalType("UInt64", tkInt64, otUQWord, 0, -1))
FW_TYPEINFO_FN(char, MakeOrdinalType("AnsiChar", tkChar, otUByte, 0, 255))
FW_TYPEINFO_FN(char16_t, MakeOrdinalType("WideChar", tkWChar, otUWord, 0, 65535))
FW_TYPEINFO_FN(float, MakeFloatType("Single", ftSingle))
FW_TYPEINFO_FN(double, MakeFloatType("Double", ftDouble))
FW_TYPEINFO_FN(long double, MakeFloatType("Extended", ftExtended))
FW_TYPEINFO_FN(Currency, MakeFloatType("Currency", ftCurr))
FW_TYPEINFO_FN(TDateTime, MakeFloatType("TDateTime", ftDouble))
FW_TYPEINFO_FN(String, MakeStringType("string", tkUString))
FW_TYPEINFO_FN(WideString, MakeStringType("WideString", tkWString))
FW_TYPEINFO_FN(Variant, MakeSimpleType("Variant", tkVariant))

// Declares an enumeration `Name` with type information (identifiers in ordinal order).
#define FW_ENUM(Name, ...)             \
  enum Name : uint8_t { __VA_ARGS__ }; \
  FW_TYPEINFO_FN(Name, ::formwright::MakeEnumType(#Name, #__VA_ARGS__))

// Declares a set type `Name` over enumeration `Element`.
#define FW_SET(Name, Element)                                           \
  struct Name : ::formwright::TSet<Element> {                           \
    using TSet::TSet;                                                   \
    constexpr Name(::formwright::TSet<Element> S) noexcept : TSet(S) {} \
  };                                                                    \
  FW_TYPEINFO_FN(Name, ::formwright::MakeSetType(#Name, ::formwright::TypeInfoOf<Element>()))

// Declares an integer type `Name` stored as `Base` with a type of its own (TColor, TCursor).
#define FW_INT_TYPE(Name, Base, Min, Max)                                      \
  enum Name : Base {};                                                         \
  FW_TYPEINFO_FN(Name,                                                         \
                 ::formwright::MakeOrdinalType(#Name, ::formwright::tkInteger, \
                                               ::formwright::TypeInfoOf<Base>()->Data.OrdType, Min, Max))

// Type information for an integer type `Name` (declared beforehand as `enum Name : Base {}`)
// whose values have identifiers: `IdentToInt` and `IntToIdent`, declared before this line, map
// between them (streams read and write `Color = clFace` rather than the number).
#define FW_INT_TYPE_IDENTS(Name, Base, Min, Max, IdentToInt, IntToIdent)                                     \
  FW_TYPEINFO_FN(Name, ::formwright::MakeIdentIntType(#Name, ::formwright::TypeInfoOf<Base>()->Data.OrdType, \
                                                      Min, Max, IdentToInt, IntToIdent))

// Declares a type tag `Name` for string properties that want a type of their own
// (for example `TComponentName`); used with `.As<Name>()`.
#define FW_STRING_TYPE(Name) \
  struct Name {};            \
  FW_TYPEINFO_FN(Name, ::formwright::MakeStringType(#Name, ::formwright::tkUString))

// Declares an event type `Name` with the call signature `Sig` and the parameter declaration
// `Decl`, e.g. FW_EVENT(TNotifyEvent, void(TObject*), "(Sender: TObject)").
#define FW_EVENT(Name, Sig, Decl)                                                          \
  struct Name : ::formwright::TClosure<Sig> {                                              \
    using TClosure::TClosure;                                                              \
    static ::formwright::PTypeInfo EventTypeInfo() {                                       \
      static const ::formwright::TTypeInfo TI = ::formwright::MakeMethodType(#Name, Decl); \
      return &TI;                                                                          \
    }                                                                                      \
  };

template <class T>
struct IsIPtr : std::false_type {};
template <class I>
struct IsIPtr<IPtr<I>> : std::true_type {
  using Interface = I;
};

template <class T>
PTypeInfo TypeInfoOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (ClosureType<U>) {
    return U::EventTypeInfo();
  } else if constexpr (std::is_pointer_v<U> && std::is_base_of_v<TObject, std::remove_pointer_t<U>>) {
    return std::remove_pointer_t<U>::StaticClass()->ClassInfo();
  } else if constexpr (std::is_base_of_v<TObject, U>) {
    return U::StaticClass()->ClassInfo();
  } else if constexpr (IsIPtr<U>::value) {
    return IsIPtr<U>::Interface::InterfaceTypeInfo();
  } else if constexpr (std::is_base_of_v<IInterface, U>) {
    return U::InterfaceTypeInfo();
  } else {
    return TypeInfoOfTag(static_cast<U*>(nullptr));
  }
}

// ---------------------------------------------------------------------------------------------
// Property descriptors

// The default-value sentinel of ordinal properties without a default.
inline constexpr int64_t NoDefault = int64_t(INT32_MIN);
inline constexpr int32_t NoIndex = INT32_MIN;

// Where the value of a property read straight from a field lies in one object: the field's
// address and, for an ordinal, its width in bytes and whether it is signed; for a handler, the
// address of its code pointer (Size 8). Address is null for any other property.
struct TFieldPlace {
  const void* Address = nullptr;
  uint8_t Size = 0;
  bool Signed = false;
};

// Typed access to one published property. Each accessor answers the value kind of its type;
// the others raise EPropertyError.
class TPropAccessor {
 public:
  virtual ~TPropAccessor() = default;
  virtual bool CanRead() const noexcept = 0;
  virtual bool CanWrite() const noexcept = 0;
  virtual int64_t GetOrd(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetOrd(TObject* Instance, const TPropInfo& P, int64_t Value) const;
  virtual long double GetFloat(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetFloat(TObject* Instance, const TPropInfo& P, long double Value) const;
  virtual String GetStr(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetStr(TObject* Instance, const TPropInfo& P, const String& Value) const;
  virtual WideString GetWideStr(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetWideStr(TObject* Instance, const TPropInfo& P, const WideString& Value) const;
  virtual TMethod GetMethod(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetMethod(TObject* Instance, const TPropInfo& P, const TMethod& Value) const;
  virtual Variant GetVariant(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetVariant(TObject* Instance, const TPropInfo& P, const Variant& Value) const;
  virtual IPtr<IInterface> GetIntf(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetIntf(TObject* Instance, const TPropInfo& P, const IPtr<IInterface>& Value) const;
  virtual TObject* GetObj(const TObject* Instance, const TPropInfo& P) const;
  virtual void SetObj(TObject* Instance, const TPropInfo& P, TObject* Value) const;
  // The field the property is read from, when it is read straight from a field of an ordinal or
  // handler type (see TFieldPlace); an empty place otherwise. A field lies at the same distance
  // from every object of the declaring class, so a writer of many objects reads their values
  // without a call.
  virtual TFieldPlace FieldPlace(const TObject* Instance) const noexcept { return {}; }
};

// A published property: name, type, accessors, stored specifier, default and index.
struct TPropInfo {
  PTypeInfo PropType = nullptr;
  String Name;
  int32_t Index = NoIndex;
  int64_t Default = NoDefault;
  // The stored specifier: a constant, or a predicate over the instance.
  bool StoredConst = true;
  std::function<bool(const TObject*)> StoredProc;
  std::unique_ptr<TPropAccessor> Access;
  // The class that declared the property.
  TClass Declarer = nullptr;

  bool CanRead() const noexcept { return Access && Access->CanRead(); }
  bool CanWrite() const noexcept { return Access && Access->CanWrite(); }
  TTypeKind Kind() const noexcept { return PropType->Kind; }
};

// ---------------------------------------------------------------------------------------------
// Value kinds and the typed accessor

enum class TValueKind { Ordinal, Float, String, WideString, Method, Variant, Interface, Object };

template <class T, class = void>
struct TValueTraits;

template <class T>
struct TValueTraits<T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>> {
  static constexpr TValueKind Kind = TValueKind::Ordinal;
  // A character is its unsigned code, whatever the signedness of `char` on the platform.
  static int64_t To(T V) {
    if constexpr (std::is_same_v<T, char>)
      return static_cast<unsigned char>(V);
    else
      return static_cast<int64_t>(V);
  }
  static T From(int64_t V) { return static_cast<T>(V); }
};
template <class T>
struct TValueTraits<T, std::enable_if_t<std::is_floating_point_v<T>>> {
  static constexpr TValueKind Kind = TValueKind::Float;
  static long double To(T V) { return V; }
  static T From(long double V) { return static_cast<T>(V); }
};
template <>
struct TValueTraits<TDateTime> {
  static constexpr TValueKind Kind = TValueKind::Float;
  static long double To(TDateTime V) { return V.Value; }
  static TDateTime From(long double V) { return TDateTime(static_cast<double>(V)); }
};
template <>
struct TValueTraits<Currency> {
  static constexpr TValueKind Kind = TValueKind::Float;
  static long double To(Currency V) { return V.ToDouble(); }
  static Currency From(long double V) { return Currency::FromDouble(V); }
};
template <>
struct TValueTraits<String> {
  static constexpr TValueKind Kind = TValueKind::String;
  static String To(const String& V) { return V; }
  static String From(const String& V) { return V; }
};
template <>
struct TValueTraits<WideString> {
  static constexpr TValueKind Kind = TValueKind::WideString;
  static WideString To(const WideString& V) { return V; }
  static WideString From(const WideString& V) { return V; }
};
template <>
struct TValueTraits<Variant> {
  static constexpr TValueKind Kind = TValueKind::Variant;
  static Variant To(const Variant& V) { return V; }
  static Variant From(const Variant& V) { return V; }
};
template <ClosureType T>
struct TValueTraits<T> {
  static constexpr TValueKind Kind = TValueKind::Method;
  static TMethod To(const T& V) { return V.Method(); }
  static T From(const TMethod& V) { return T(V); }
};
template <class I>
struct TValueTraits<IPtr<I>> {
  static constexpr TValueKind Kind = TValueKind::Interface;
  static IPtr<IInterface> To(const IPtr<I>& V) { return IPtr<IInterface>(V.Identity()); }
  static IPtr<I> From(const IPtr<IInterface>& V) {
    if (!V) return nullptr;
    IPtr<I> R = Supports<I>(V);
    if (!R) throw EIntfCastError(SIntfNotSupported);
    return R;
  }
};
template <class C>
struct TValueTraits<C*, std::enable_if_t<std::is_base_of_v<TObject, C>>> {
  static constexpr TValueKind Kind = TValueKind::Object;
  static TObject* To(C* V) { return V; }
  static C* From(TObject* V) {
    if (!V) return nullptr;
    C* R = dynamic_cast<C*>(V);
    if (!R) throw EInvalidCast(SInvalidCast);
    return R;
  }
};
// Sets: any type derived from TSet<E>.
template <class S>
concept SetType = requires(const S& V) {
  { V.Bits() } -> std::same_as<uint64_t>;
};
template <SetType S>
struct TValueTraits<S> {
  static constexpr TValueKind Kind = TValueKind::Ordinal;
  static int64_t To(const S& V) { return static_cast<int64_t>(V.Bits()); }
  static S From(int64_t V) { return S(S::FromBits(static_cast<uint64_t>(V))); }
};

// The value kind a type kind is read and written through.
TValueKind ValueKindOf(TTypeKind Kind);

namespace detail {
// Reads a property through its getter: a field, a method (indexed or not) of C, or a callable
// taking the object and the index.
template <class T, class C, class G>
T CallGetter(const G& Getter, const C& O, int32_t Index) {
  if constexpr (std::is_member_object_pointer_v<G>)
    return O.*Getter;
  else if constexpr (!std::is_member_function_pointer_v<G>)
    return Getter(O, Index);
  else if constexpr (std::is_invocable_v<G, const C&, int32_t>)
    return (O.*Getter)(Index);
  else
    return (O.*Getter)();
}
// Writes a property through its setter, of the same shapes as a getter.
template <class T, class C, class S>
void CallSetter(const S& Setter, C& O, int32_t Index, const T& V) {
  if constexpr (std::is_member_object_pointer_v<S>)
    O.*Setter = V;
  else if constexpr (!std::is_member_function_pointer_v<S>)
    Setter(O, Index, V);
  else if constexpr (std::is_invocable_v<S, C&, int32_t, const T&>)
    (O.*Setter)(Index, V);
  else
    (O.*Setter)(V);
}
}  // namespace detail

// Accessor of one C++ class and value type over a getter and a setter, each a field, a method,
// a callable (the defaults, for accessors made by hand) or nullptr (write- or read-only). The
// published declarations keep the member pointers themselves, so reading a property is one
// call of the accessor and, for a field, no further call: a module of controls is written by
// reading hundreds of thousands of them.
template <class C, class T, class G = std::function<T(const C&, int32_t)>,
          class S = std::function<void(C&, int32_t, const T&)>>
class TTypedAccessor final : public TPropAccessor {
 public:
  using Traits = TValueTraits<T>;
  using TGetter = G;
  using TSetter = S;
  TTypedAccessor(G Getter, S Setter) : FGet(std::move(Getter)), FSet(std::move(Setter)) {}
  bool CanRead() const noexcept override { return FGet != nullptr; }
  bool CanWrite() const noexcept override { return FSet != nullptr; }

#define FW_ACCESS_PAIR(KindName, GetName, SetName, CanonType, ArgType)                    \
  CanonType GetName(const TObject* I, const TPropInfo& P) const override {                \
    if constexpr (Traits::Kind != TValueKind::KindName) {                                 \
      return TPropAccessor::GetName(I, P);                                                \
    } else if constexpr (std::is_null_pointer_v<G>) {                                     \
      throw EPropWriteOnly(Format(SWriteOnlyProperty, P.Name));                           \
    } else {                                                                              \
      if (FGet == nullptr) throw EPropWriteOnly(Format(SWriteOnlyProperty, P.Name));      \
      return Traits::To(detail::CallGetter<T>(FGet, *static_cast<const C*>(I), P.Index)); \
    }                                                                                     \
  }                                                                                       \
  void SetName(TObject* I, const TPropInfo& P, ArgType V) const override {                \
    if constexpr (Traits::Kind != TValueKind::KindName) {                                 \
      TPropAccessor::SetName(I, P, V);                                                    \
    } else if constexpr (std::is_null_pointer_v<S>) {                                     \
      throw EPropReadOnly(Format(SReadOnlyProperty, P.Name));                             \
    } else {                                                                              \
      if (FSet == nullptr) throw EPropReadOnly(Format(SReadOnlyProperty, P.Name));        \
      detail::CallSetter<T>(FSet, *static_cast<C*>(I), P.Index, Traits::From(V));         \
    }                                                                                     \
  }
  FW_ACCESS_PAIR(Ordinal, GetOrd, SetOrd, int64_t, int64_t)
  FW_ACCESS_PAIR(Float, GetFloat, SetFloat, long double, long double)
  FW_ACCESS_PAIR(String, GetStr, SetStr, String, const String&)
  FW_ACCESS_PAIR(WideString, GetWideStr, SetWideStr, WideString, const WideString&)
  FW_ACCESS_PAIR(Method, GetMethod, SetMethod, TMethod, const TMethod&)
  FW_ACCESS_PAIR(Variant, GetVariant, SetVariant, Variant, const Variant&)
  FW_ACCESS_PAIR(Interface, GetIntf, SetIntf, IPtr<IInterface>, const IPtr<IInterface>&)
  FW_ACCESS_PAIR(Object, GetObj, SetObj, TObject*, TObject*)
#undef FW_ACCESS_PAIR

  TFieldPlace FieldPlace(const TObject* I) const noexcept override {
    if constexpr (std::is_member_object_pointer_v<G>) {
      if (FGet == nullptr) return {};
      const T& Field = static_cast<const C*>(I)->*FGet;
      if constexpr (ClosureType<T>)
        return {&Field.Method().Code, sizeof(void*), false};
      else if constexpr (std::is_same_v<T, char> || std::is_same_v<T, bool>)
        return {&Field, 1, false};
      else if constexpr (std::is_integral_v<T>)
        return {&Field, sizeof(T), std::is_signed_v<T>};
      else if constexpr (std::is_enum_v<T>)
        return {&Field, sizeof(T), std::is_signed_v<std::underlying_type_t<T>>};
      else
        return {};
    } else {
      return {};
    }
  }

 private:
  G FGet;
  S FSet;
};

// ---------------------------------------------------------------------------------------------
// Declaring published members

// Refines one declared property: default, stored specifier, index, type.
template <class C>
class TPropDecl {
 public:
  explicit TPropDecl(TPropInfo& P) noexcept : FProp(P) {}
  template <class V>
  TPropDecl& Default(V Value) {
    FProp.Default = TValueTraits<V>::To(Value);
    return *this;
  }
  TPropDecl& NoDefault() {
    FProp.Default = formwright::NoDefault;
    return *this;
  }
  TPropDecl& Stored(bool Value) {
    FProp.StoredConst = Value;
    FProp.StoredProc = nullptr;
    return *this;
  }
  TPropDecl& Stored(bool (C::*Predicate)() const) {
    FProp.StoredProc = [Predicate](const TObject* I) { return (static_cast<const C*>(I)->*Predicate)(); };
    return *this;
  }
  TPropDecl& Index(int32_t Value) {
    FProp.Index = Value;
    return *this;
  }
  // Gives the property the type of `Tag` (which must have the same value kind).
  template <class Tag>
  TPropDecl& As() {
    PTypeInfo T = TypeInfoOf<Tag>();
    if (ValueKindOf(T->Kind) != ValueKindOf(FProp.PropType->Kind))
      throw EPropertyError(Format(SInvalidPropertyType, T->Name));
    FProp.PropType = T;
    return *this;
  }

 private:
  TPropInfo& FProp;
};

namespace detail {
template <class M>
struct MemberTraits;
template <class C, class T>
struct MemberTraits<T C::*> {
  using Value = std::remove_cvref_t<T>;
};
template <class C, class T>
struct MemberTraits<T (C::*)() const> {
  using Value = std::remove_cvref_t<T>;
};
template <class C, class T>
struct MemberTraits<T (C::*)() const noexcept> {
  using Value = std::remove_cvref_t<T>;
};
template <class C, class T>
struct MemberTraits<T (C::*)(int32_t) const> {
  using Value = std::remove_cvref_t<T>;
};
template <class C, class T>
struct MemberTraits<void (C::*)(T)> {
  using Value = std::remove_cvref_t<T>;
};
template <class C, class T>
struct MemberTraits<void (C::*)(int32_t, T)> {
  using Value = std::remove_cvref_t<T>;
};

}  // namespace detail

// Declares the published properties and methods of class `C` on its class record.
template <class C>
class TClassBuilder {
 public:
  explicit TClassBuilder(TMetaClass& M) noexcept : FClass(M) {}

  // A property read and written through a field.
  template <class T>
  TPropDecl<C> Property(const char* Name, T C::*Field) {
    return Property(Name, Field, Field);
  }
  // A property read through `Getter` (field, method, or nullptr for write-only) and written
  // through `Setter` (field, method, or nullptr for read-only).
  template <class G, class S>
  TPropDecl<C> Property(const char* Name, G Getter, S Setter) {
    using T = typename ValueType<G, S>::Type;
    auto P = std::make_unique<TPropInfo>();
    P->Name = Name;
    P->PropType = TypeInfoOf<T>();
    P->Declarer = &FClass;
    P->Access = std::make_unique<TTypedAccessor<C, T, G, S>>(Getter, Setter);
    return TPropDecl<C>(FClass.AddProperty(std::move(P)));
  }
  // A published method, callable through its method value.
  template <auto Member>
  void Method(const char* Name) {
    FClass.AddMethod(Name, reinterpret_cast<void*>(&MethodThunk<Member>::Call));
  }
  // Registers a further constructor signature as a factory.
  template <class... A>
  void Factory() {
    FClass.AddFactory<A...>(+[](A... Args) -> TObject* { return new C(Args...); });
  }

 private:
  template <class G, class S>
  struct ValueType {
    using Type = typename detail::MemberTraits<std::conditional_t<std::is_null_pointer_v<G>, S, G>>::Value;
  };
  template <auto Member>
  struct MethodThunk;
  template <class R, class... A, R (C::*Member)(A...)>
  struct MethodThunk<Member> {
    static R Call(TObject* Self, A... Args) { return (static_cast<C*>(Self)->*Member)(Args...); }
  };
  TMetaClass& FClass;
};

// Defines the class record of `Class` (declared with FW_CLASS) in unit `UnitName`. Classes
// that are not abstract get factories for their default constructor and for a constructor
// taking the owner (`TComponent*`) where they have them.
#define FW_REGISTER_CLASS(Class, UnitName)                                                  \
  ::formwright::TClass Class::StaticClass() {                                               \
    static ::formwright::TMetaClass Meta(#Class, UnitName, Class::inherited::StaticClass(), \
                                         &::formwright::detail::InitClass<Class>);          \
    Meta.CppType = &typeid(Class);                                                          \
    return &Meta;                                                                           \
  }

namespace detail {
// Inserts a component made by a class factory into its owner once it is fully constructed,
// so that the owner's notification sees the complete object. Frees it when refused.
TObject* InsertIntoOwner(TComponent* Owner, TObject* Component);

template <class C>
concept HasOwnPublished = requires(TClassBuilder<C>& B) {
  static_cast<void (*)(TClassBuilder<C>&)>(&C::DeclarePublished);
};
template <class C>
void InitClass(TMetaClass& M) {
  TClassBuilder<C> B(M);
  if constexpr (!std::is_abstract_v<C>) {
    if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*>)
      M.AddFactory<TComponent*>(
          +[](TComponent* Owner) -> TObject* { return InsertIntoOwner(Owner, new C(nullptr)); });
    if constexpr (std::is_base_of_v<TCollectionItem, C> && std::is_constructible_v<C, TCollection*>)
      B.template Factory<TCollection*>();
    if constexpr (std::is_default_constructible_v<C>) B.template Factory<>();
  }
  if constexpr (HasOwnPublished<C>) C::DeclarePublished(B);
}
}  // namespace detail

// ---------------------------------------------------------------------------------------------
// Property queries and access

// Published properties of a class (own and inherited; a redeclared property appears once,
// as its most derived declaration) whose kind is in `Filter`, sorted by name ignoring case.
std::vector<PPropInfo> GetPropList(TClass AClass, TTypeKinds Filter = tkAny);
std::vector<PPropInfo> GetPropList(PTypeInfo ClassInfo, TTypeKinds Filter = tkAny);
// All published properties in declaration order, parents first.
std::vector<PPropInfo> GetPropInfos(TClass AClass);
// Finds a published property by name ignoring case; null when absent.
PPropInfo GetPropInfo(TClass AClass, std::string_view Name);
PPropInfo GetPropInfo(const TObject* Instance, std::string_view Name);

int64_t GetOrdProp(const TObject* Instance, PPropInfo P);
void SetOrdProp(TObject* Instance, PPropInfo P, int64_t Value);
int64_t GetInt64Prop(const TObject* Instance, PPropInfo P);
void SetInt64Prop(TObject* Instance, PPropInfo P, int64_t Value);
long double GetFloatProp(const TObject* Instance, PPropInfo P);
void SetFloatProp(TObject* Instance, PPropInfo P, long double Value);
String GetStrProp(const TObject* Instance, PPropInfo P);
void SetStrProp(TObject* Instance, PPropInfo P, const String& Value);
WideString GetWideStrProp(const TObject* Instance, PPropInfo P);
void SetWideStrProp(TObject* Instance, PPropInfo P, const WideString& Value);
TMethod GetMethodProp(const TObject* Instance, PPropInfo P);
void SetMethodProp(TObject* Instance, PPropInfo P, const TMethod& Value);
Variant GetVariantProp(const TObject* Instance, PPropInfo P);
void SetVariantProp(TObject* Instance, PPropInfo P, const Variant& Value);
IPtr<IInterface> GetInterfaceProp(const TObject* Instance, PPropInfo P);
// Setting a component's interface property to an interface of another component links the two
// by a free notification, so the holder hears when the other one is freed.
void SetInterfaceProp(TObject* Instance, PPropInfo P, const IPtr<IInterface>& Value);
TObject* GetObjectProp(const TObject* Instance, PPropInfo P);
void SetObjectProp(TObject* Instance, PPropInfo P, TObject* Value);

// Looks the property up by name (raising EPropertyError with SUnknownProperty when absent).
PPropInfo FindPropInfo(const TObject* Instance, std::string_view Name);

// Whether the property's value is written to a stream at all (its stored specifier).
bool IsStoredProp(const TObject* Instance, PPropInfo P);

// Enumeration and set names.
String GetEnumName(PTypeInfo TypeInfo, int64_t Value);
// The ordinal of an identifier (ignoring case), or -1 when the type has no such identifier.
int64_t GetEnumValue(PTypeInfo TypeInfo, std::string_view Name);
String GetSetElementName(PTypeInfo ElementType, int64_t Value);
// "[a,c]" text of a set value, and back (raising EPropertyError for unknown elements).
String SetToString(PTypeInfo SetType, int64_t Value, bool Brackets = true);
int64_t StringToSet(PTypeInfo SetType, std::string_view Text);

}  // namespace formwright
