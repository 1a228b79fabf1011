// Component streaming: the reader and writer of the binary component stream, reference
// fix-ups within and across modules, and global loading.
//
// The stream format is described in docs/ComponentStreams.md. In short: a signature, then per
// component its prefix flags, class name and name, its properties as (name, tagged value)
// pairs ended by a 0 byte, its children (each a component) ended by a 0 byte.
//
// Reading a module:            Writing a module:
//   TReader R(&S, 4096);         TWriter W(&S, 4096);
//   R.OnFindMethod = …;          W.OnFindAncestor = …;
//   R.ReadRootComponent(Form);   W.WriteDescendent(Form, AncestorForm);
#pragma once

#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/runtime/Collections.h"
#include "platform/runtime/PointerSet.h"
#include "platform/runtime/StreamConsts.h"
#include "platform/runtime/Streams.h"

namespace formwright {

class TStrings;

// The tag in front of every value of a component stream.
enum TValueType : uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaDouble
};
inline constexpr uint8_t vaLastValueType = vaDouble;

// Prefix flags of a component in a stream: inherited from an ancestor module, an explicit
// child position follows, an embedded (inline) module instance.
enum TFilerFlag : uint8_t { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

// The four bytes that start every component written by a writer.
inline constexpr uint8_t FilerSignature[4] = {'F', 'W', 'C', '1'};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What readers and writers share: the stream and its buffer, the root whose components are
// streamed, the lookup root that names are relative to, and the ancestor of the object whose
// properties are being streamed.
class TFiler : public TObject {
  FW_CLASS(TFiler, TObject)
 public:
  TFiler(TStream* Stream, int BufSize);

  TStream* Stream() const noexcept { return FStream; }
  TComponent* Root() const noexcept { return FRoot; }
  // Sets the root and the lookup root.
  virtual void SetRoot(TComponent* Value) {
    FRoot = Value;
    FLookupRoot = Value;
  }
  TComponent* LookupRoot() const noexcept { return FLookupRoot; }
  // While writing: the ancestor counterpart of the object being written (null when none).
  TPersistent* Ancestor() const noexcept { return FAncestor; }
  void SetAncestor(TPersistent* Value) noexcept { FAncestor = Value; }
  // When set, components are streamed without their children.
  bool IgnoreChildren = false;

  // Declares a property that an object streams itself (DefineProperties). `ReadData` is called
  // when the stream has the property, `WriteData` when `HasData` is true; together they read
  // and write exactly one value (a list for several).
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // Declares a property whose data is a block of bytes, handed over as a stream.
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
  // Hands buffered data over: a reader moves the stream to the reader's position, a writer
  // writes its buffer out.
  virtual void FlushBuffer() = 0;

 protected:
  TStream* FStream;
  std::vector<uint8_t> FBuffer;
  int FBufPos = 0;
  int FBufEnd = 0;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
};

// Hooks of a reader (see TReader).
using TAncestorNotFoundEvent = std::function<void(TReader* Reader, const String& ComponentName,
                                                  TClass ComponentClass, TComponent*& Component)>;
using TFindComponentClassEvent =
    std::function<void(TReader* Reader, const String& ClassName, TClass& ComponentClass)>;
using TSetNameEvent = std::function<void(TReader* Reader, TComponent* Component, String& Name)>;
using TFindMethodEvent =
    std::function<void(TReader* Reader, const String& MethodName, void*& Address, bool& Error)>;
using TReferenceNameEvent = std::function<void(TReader* Reader, String& Name)>;
using TCreateComponentEvent =
    std::function<void(TReader* Reader, TClass ComponentClass, TComponent*& Component)>;
using TReaderError = std::function<void(TReader* Reader, const String& Message, bool& Handled)>;
using TReadComponentsProc = std::function<void(TComponent* Component)>;

// Reads components from a binary component stream.
//
// Values are read with their tags checked; a malformed stream (truncated, unknown tag, bad
// length) raises EInvalidImage with the offset. A property or component that cannot be used
// (unknown property or class, value of the wrong type, rejected name, missing ancestor) raises
// EReadError "Error reading <path>: <reason>" unless the `OnError` hook handles it, in which case
// the property or the whole component is skipped and reading goes on. A failed read frees the
// components it created and leaves no fix-ups or loading marks behind.
class TReader : public TFiler {
  FW_CLASS(TReader, TFiler)
 public:
  TReader(TStream* Stream, int BufSize);
  // Leaves the stream positioned right after the data the reader consumed.
  ~TReader() override;

  // Reads a whole module into `Root` (created from the stream's class name when null): the
  // signature, the root's name, properties and children; resolves references and calls Loaded
  // (deferred while global loading is active). Returns the root.
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads signature-prefixed components until a 0 value, owned by `AOwner` with `AParent` as
  // parent, calling `Proc` for each complete top-level component. `Proc` refuses a component by
  // raising; the reader then frees that component with every component read into it (it still
  // holds them) and the exception passes on. Components accepted before it stay.
  void ReadComponents(TComponent* AOwner, TComponent* AParent, const TReadComponentsProc& Proc);
  // Reads one component (after its signature): the existing `Component`, or a component
  // created (or, for inherited ones, found) from the stream. Null when an error was handled.
  TComponent* ReadComponent(TComponent* Component);
  // Reads the properties and children of `Instance` (TComponent::ReadState calls it).
  void ReadData(TComponent* Instance);
  void ReadSignature();
  void ReadPrefix(TFilerFlags& Flags, int& AChildPos);
  // Reads one (name, value) pair into `AInstance`.
  void ReadProperty(TPersistent* AInstance);
  // Replaces the items of `Collection` by the items in the stream.
  void ReadCollection(TCollection* Collection);

  // Reference fix-ups: references read between Begin and Fixup are resolved by name at
  // FixupReferences; unresolved ones stay pending globally (see GlobalFixupReferences).
  void BeginReferences();
  void FixupReferences();
  void EndReferences();

  // Values. `NextValue` peeks at the next tag without checking or consuming it.
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType Value);
  bool EndOfList();
  void ReadListBegin() { CheckValue(vaList); }
  void ReadListEnd() { CheckValue(vaNull); }
  void SkipValue();
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  char16_t ReadWideChar();
  long double ReadFloat();
  float ReadSingle();
  double ReadDouble();
  Currency ReadCurrency();
  TDateTime ReadDate();
  String ReadString();
  WideString ReadWideString();
  String ReadIdent();
  // A short string: a length byte and the bytes (names and identifiers).
  String ReadStr();
  Variant ReadVariant();
  std::vector<uint8_t> ReadBinary();
  // The names of a set value, in stream order.
  std::vector<String> ReadSetNames();
  void Read(void* Buf, int64_t Count);
  // Reads the data of a tagged integer, float or string value whose tag was already read.
  int64_t ReadIntegerData(TValueType Tag);
  long double ReadFloatData(TValueType Tag);
  String ReadStringData(TValueType Tag);
  void SkipBytes(int64_t Count);

  // The logical position (the next byte to be read).
  int64_t Position() const;
  // A place in the stream for messages: the line and column of the text it was converted from,
  // or "offset N".
  String Where(int64_t Offset) const;
  void SetPosition(int64_t Value);

  TComponent* Owner() const noexcept { return FOwner; }
  void SetOwner(TComponent* Value) noexcept { FOwner = Value; }
  TComponent* Parent() const noexcept { return FParent; }
  void SetParent(TComponent* Value) noexcept { FParent = Value; }

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;
  void FlushBuffer() override;

  // Hooks. An ancestor component missing from the module; a class name the registry does not
  // know; the name about to be given to a read component; a handler name to turn into code
  // (Error starts as "no address found"); a reference name about to be resolved; a component
  // to create instead of the class's own constructor; an error to handle (set Handled to skip
  // the property or component).
  TAncestorNotFoundEvent OnAncestorNotFound;
  TFindComponentClassEvent OnFindComponentClass;
  TSetNameEvent OnSetName;
  TFindMethodEvent OnFindMethod;
  TReferenceNameEvent OnReferenceName;
  TCreateComponentEvent OnCreateComponent;
  TReaderError OnError;

 protected:
  // Offers an error to OnError; true when handled.
  virtual bool Error(const String& Message);
  virtual void* FindMethod(TComponent* Root, const String& MethodName);
  virtual TClass FindComponentClass(const String& ClassName);

 private:
  struct TComponentScope;
  uint8_t PeekByte();
  void Fill();
  void CheckAvailable(int64_t Count);
  [[noreturn]] static void Corrupt(const String& Message);
  // Counts one level of nesting (components, lists, collections) while it lives.
  struct TNesting {
    TReader& R;
    explicit TNesting(TReader& AReader);
    ~TNesting();
  };
  void SkipSetBody();
  void SkipProperty();
  void SkipComponent(bool SkipHeader);
  void ReadComponentBody(TComponent* Instance);
  TComponent* CreateComponent(TClass ComponentClass, TFilerFlags Flags);
  TComponent* FindAncestorComponent(const String& Name, const String& ClassName);
  void ReadPropValue(TPersistent* Instance, PPropInfo P);
  void ReadReference(TPersistent* Instance, PPropInfo P);
  void ReadMethod(TPersistent* Instance, PPropInfo P);
  void ReadNamedProperty(TPersistent* Instance, const String& Path);
  void AddLoaded(TComponent* C);
  // "Error reading <path>: <reason>", naming the line and column for a stream from text.
  String ReadingMessage(const String& Path, int64_t At, const String& Reason) const;
  // Rethrows the exception being handled with its message made printable (names and values
  // from the stream may hold line breaks or terminal escapes).
  [[noreturn]] static void RethrowPrintable();
  void Rollback(size_t CreatedMark) noexcept;
  void ClearLoadingMarks() noexcept;
  // FixupReferences; KeepUnresolved false drops what cannot be resolved (a failed read).
  void ResolveReferences(bool KeepUnresolved);

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  TComponent* FCurrent = nullptr;    // the component whose data is being read
  String FPropName;                  // a defined property waiting for its DefineProperty
  String FContext;                   // name path of the component being read, for messages
  std::vector<TComponent*> FLoaded;  // components read, for fix-ups and Loaded
  TPointerSet<TComponent> FLoadedSet;
  std::vector<TComponent*> FCreated;  // components created by this reader, in creation order
  int FReferenceLevel = 0;
  int FNesting = 0;
  int64_t FBufStart = 0;  // stream offset of FBuffer[0]
};

// Hooks of a writer: the ancestor to write `Component` against (when it has none yet, or to
// replace the one found among the ancestor's children).
using TFindAncestorEvent = std::function<void(TWriter* Writer, TComponent* Component, const String& Name,
                                              TComponent*& Ancestor, TComponent*& RootAncestor)>;

// Writes components to a binary component stream.
//
// A component is written as its difference to its ancestor: only properties whose value
// differs from the ancestor's (or from the default when there is no ancestor), inherited
// children marked as such, new children, and explicit child positions where the order differs
// from the ancestor's. Handlers are written by name, component references by name relative to
// the lookup root ("Module.Component" for components of other modules).
class TWriter : public TFiler {
  FW_CLASS(TWriter, TFiler)
 public:
  TWriter(TStream* Stream, int BufSize);
  // Writes out what is still buffered.
  ~TWriter() override;

  // Writes a signature and `Root` against `AAncestor` (null: no ancestor), then flushes.
  void WriteDescendent(TComponent* Root, TComponent* AAncestor);
  void WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }
  // Writes one component (no signature) against the ancestor found for it.
  void WriteComponent(TComponent* Component);
  void WriteSignature();
  void WritePrefix(TFilerFlags Flags, int AChildPos);
  // Writes the prefix, class name, name, properties and children of `Instance`
  // (TComponent::WriteState calls it).
  void WriteData(TComponent* Instance);
  // Writes the stored published properties that differ, then the defined properties.
  void WriteProperties(TPersistent* Instance);
  void WriteCollection(TCollection* Value);

  // Values; integers take the smallest tag that holds them, strings the narrow tags when they
  // are ASCII and the UTF-8 tag otherwise (raising EWriteError for text that is not UTF-8).
  void WriteValue(TValueType Value);
  void WriteListBegin() { WriteValue(vaList); }
  void WriteListEnd() { WriteValue(vaNull); }
  void WriteInteger(int64_t Value);
  void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
  void WriteChar(char Value);
  void WriteWideChar(char16_t Value);
  void WriteFloat(long double Value);
  void WriteSingle(float Value);
  void WriteDouble(double Value);
  void WriteCurrency(Currency Value);
  void WriteDate(TDateTime Value);
  void WriteString(const String& Value);
  void WriteWideString(const WideString& Value);
  void WriteIdent(const String& Ident);
  void WriteStr(const String& Value);
  void WriteVariant(const Variant& Value);
  void WriteBinary(const void* Data, int64_t Count);
  void WriteSet(const std::vector<String>& Names);
  void Write(const void* Buf, int64_t Count);
  int64_t Position() const;

  TComponent* RootAncestor() const noexcept { return FRootAncestor; }
  void SetRootAncestor(TComponent* Value) noexcept { FRootAncestor = Value; }

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;
  void FlushBuffer() override;

  TFindAncestorEvent OnFindAncestor;

 private:
  void WritePropName(const String& Name);

  void WriteOrdinal(PPropInfo P, int64_t Value);
  void WriteFloatProp(PPropInfo P, long double Value);
  String ReferenceName(TComponent* Component, PPropInfo P) const;
  TPersistent* AncestorValue(PPropInfo P) const;
  // The ancestor and roots that property values are compared against.
  TGetLookupInfoEvent LookupInfo() const;
  struct TWritePlan;
  // How one property of a class is written: what is resolved once per class (its accessor,
  // stored test, kind and declared default) and, for an object property, the class of the
  // object last met there with that class's plan, so that nested objects (fonts, margins) cost
  // no class test or plan lookup per instance.
  struct TWriteStep {
    PPropInfo P = nullptr;
    const TPropAccessor* Access = nullptr;
    const std::function<bool(const TObject*)>* Stored = nullptr;  // null: always stored
    int64_t Default = 0;
    TTypeKind Kind = tkUnknown;
    uint8_t Encoding = 0;  // how an ordinal value is written (see Writer.cpp)
    // An ordinal or handler read straight from its field (FieldSize not 0): the field's distance
    // from the object, its width and sign (see TFieldPlace).
    uint8_t FieldSize = 0;
    bool FieldSigned = false;
    int32_t FieldOffset = 0;
    TClass LastClass = nullptr;
    uint8_t LastShape = 0;  // what an object of LastClass is (see Writer.cpp)
    TWritePlan* LastPlan = nullptr;
    // The encoding of the value last written, for the ordinals whose encoding takes a lookup
    // (identifiers, sets, characters): a value that repeats from one component to the next is
    // copied rather than looked up again. Empty while there is none.
    int64_t LastValue = 0;
    String LastBytes;
  };
  // The properties of a class that a writer may stream (readable, and writable or objects), in
  // declaration order; worked out once per class and writer.
  struct TWritePlan {
    std::vector<TWriteStep> Steps;
    bool Strings = false;  // the class is a string list
    bool Placed = false;   // the steps' fields were looked for (on the first object written)
    // The class whose plan was asked for after this one last time (components of a module come
    // in a few classes that follow each other) and its plan.
    TClass NextClass = nullptr;
    TWritePlan* NextPlan = nullptr;
  };
  TWritePlan& WritePlan(TClass AClass);
  // Whether the child written next needs an order index (see FReadOrder), which it then counts.
  bool ChildPlaceMoves(const TPersistent* Child);
  void WritePlanned(TPersistent* Instance, TWritePlan& Plan);
  void WriteProperty(TPersistent* Instance, TWriteStep& S);
  // Writes the name and value of an ordinal property already read and found to differ.
  void WriteOrdinalProperty(TWriteStep& S, int64_t Value);
  void WriteObjectProperty(TPersistent* Instance, TWriteStep& S);

  TComponent* FRootAncestor = nullptr;
  std::unordered_map<TClass, TWritePlan> FWritePlans;
  TClass FLastPlanClass = nullptr;
  TWritePlan* FLastPlan = nullptr;
  String FPropPath;                        // "Font." while the properties of a sub-object are written
  String FContext;                         // name of the component being written, for messages
  std::vector<TComponent*> FAncestorList;  // children of the ancestor, when it has some
  bool FHasAncestorList = false;
  // The children in the order a reader has them while it reads the ones written so far (the
  // ancestor's children, each new one after them); each stands for itself or its ancestor.
  std::vector<const TPersistent*> FReadOrder;
  int FChildPos = 0;
};

// ---------------------------------------------------------------------------------------------
// References across modules and global loading

// Finds a top-level component (a loaded module's root) by name for reference resolution.
using TFindGlobalComponent = std::function<TComponent*(const String& Name)>;
// Registers a finder; returns a handle for UnregisterFindGlobalComponentProc.
int RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
void UnregisterFindGlobalComponentProc(int Handle);
// Asks the finders, newest first; null when none knows the name.
TComponent* FindGlobalComponent(const String& Name);
// Resolves a dotted name path ("Frame1.Button1", "Module2.Table1") starting at `Root`: each
// part is an owned component of the previous one; the first part may also be the root itself
// or a global component.
TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath);

// Tries to resolve every pending reference again (after another module was loaded).
void GlobalFixupReferences();
// Adds to `Names` the module names that pending references of `Root` still wait for.
void GetFixupReferenceNames(TComponent* Root, TStrings* Names);
// Points pending references of `Root` to module `OldRootName` at `NewRootName` instead.
void RedirectFixupReferences(TComponent* Root, const String& OldRootName, const String& NewRootName);
// Drops pending references of `Root` (null: of every root) to module `RootName` (empty: all).
void RemoveFixupReferences(TComponent* Root, const String& RootName);
// Drops pending references held by `Instance` or read into the module rooted at it, and
// withdraws it from deferred loading; called when such an object is freed.
void RemoveFixups(TPersistent* Instance) noexcept;
// Number of pending references (for diagnostics and tests).
int PendingFixupCount() noexcept;

// Global loading: while active, readers defer the Loaded calls of what they read until
// NotifyGlobalLoading, so that modules referring to each other are all read first.
void BeginGlobalLoading();
// Resolves pending references and calls Loaded for everything read since BeginGlobalLoading.
void NotifyGlobalLoading();
// Ends the innermost global loading; components not yet notified are told Loaded now.
void EndGlobalLoading() noexcept;
bool IsGlobalLoading() noexcept;

// Keeps global loading active for a scope.
class TGlobalLoadingScope {
 public:
  TGlobalLoadingScope() { BeginGlobalLoading(); }
  ~TGlobalLoadingScope() { EndGlobalLoading(); }
  TGlobalLoadingScope(const TGlobalLoadingScope&) = delete;
  TGlobalLoadingScope& operator=(const TGlobalLoadingScope&) = delete;
};

}  // namespace formwright
