// The reader's component layer: roots, components, properties, collections, references,
// handlers, defined properties, the hooks and recovery from errors.
#include <algorithm>

#include "platform/runtime/FilerInternals.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/Prefetch.h"
#include "platform/runtime/Scoped.h"
#include "platform/runtime/StreamCoding.h"

namespace formwright {

namespace {
// How many components ahead of the one at hand the loop over what was read asks for.
constexpr size_t LoadedAhead = 4;

bool IsIntegerTag(TValueType T) noexcept {
  return T == vaInt8 || T == vaInt16 || T == vaInt32 || T == vaInt64;
}

}  // namespace

void detail::DefineFilerProperties(TPersistent* Instance, TFiler* Filer) {
  Instance->DefineProperties(Filer);
  auto* S = OfClass<TStrings>(Instance);
  if (!S) return;
  auto* A = As<TStrings>(Filer->Ancestor());
  Filer->DefineProperty(
      "Strings",
      [S](TReader* R) {
        R->ReadListBegin();
        S->BeginUpdate();
        try {
          S->Clear();
          while (!R->EndOfList()) S->Add(R->ReadString());
        } catch (...) {
          S->EndUpdate();
          throw;
        }
        S->EndUpdate();
        R->ReadListEnd();
      },
      [S](TWriter* W) {
        W->WriteListBegin();
        for (int I = 0; I < S->Count(); ++I) W->WriteString(S->Get(I));
        W->WriteListEnd();
      },
      A ? !S->Equals(*A) : S->Count() > 0);
}

// ----- Hooks ----------------------------------------------------------------------------------

bool TReader::Error(const String& Message) {
  bool Handled = false;
  if (OnError) OnError(this, streamcoding::PrintableText(Message), Handled);
  return Handled;
}

String TReader::ReadingMessage(const String& Path, int64_t At, const String& Reason) const {
  // Only a stream converted from text names the place: binary offsets mean nothing to a reader
  // of the message, and the path already says what failed.
  const String Source = FStream->SourcePosition(At);
  return Source.empty() ? Format(SErrorReading, Path, Reason) : Format(SReadingAt, Path, Source, Reason);
}

void* TReader::FindMethod(TComponent* Root, const String& MethodName) {
  void* Address = Root ? Root->MethodAddress(MethodName) : nullptr;
  bool Err = Address == nullptr;
  if (OnFindMethod) OnFindMethod(this, MethodName, Address, Err);
  if (Err) throw EMethodNotFound(Format(SMethodNotFound, MethodName));
  return Address;
}

TClass TReader::FindComponentClass(const String& ClassName) {
  TClass C = GetClass(ClassName);
  if (!C && OnFindComponentClass) OnFindComponentClass(this, ClassName, C);
  if (!C) throw EClassNotFound(Format(SClassNotFound, ClassName));
  if (!C->InheritsFrom(TComponent::StaticClass())) throw EReadError(SInvalidCast);
  return C;
}

// ----- Defined properties ---------------------------------------------------------------------

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
  FPropName.clear();
  ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&,
                                   bool) {
  if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
  FPropName.clear();
  const std::vector<uint8_t> Data = ReadBinary();
  TOwned<TMemoryStream> S(new TMemoryStream);
  S->WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  S->SetPosition(0);
  ReadData(S.get());
}

// ----- References -----------------------------------------------------------------------------

void TReader::BeginReferences() { ++FReferenceLevel; }

void TReader::FixupReferences() { ResolveReferences(true); }

void TReader::ResolveReferences(bool KeepUnresolved) {
  detail::ResolveReaderFixups(
      this,
      [this](const String& Context, const String& Message) {
        const String M = Format(SErrorReading, Context, Message);
        if (!Error(M)) throw EReadErrorReported(M);
      },
      KeepUnresolved);
  std::vector<TComponent*> Loaded;
  Loaded.swap(FLoaded);
  FLoadedSet.Clear();
  if (IsGlobalLoading()) detail::ReserveGlobalLoaded(Loaded.size());
  for (size_t I = 0; I < Loaded.size(); ++I) {
    // A large module's components are no longer in the cache by the time they are all read:
    // the state of one a few ahead, and where the global list files it, are asked for.
    if (I + LoadedAhead < Loaded.size()) {
      PrefetchObject(Loaded[I + LoadedAhead], 64);
      detail::PrefetchGlobalLoaded(Loaded[I + LoadedAhead]);
    }
    TComponent* C = Loaded[I];
    C->ExcludeState(csReading);
    if (IsGlobalLoading())
      detail::AddGlobalLoaded(C);
    else
      C->Loaded();
  }
}

void TReader::EndReferences() {
  if (FReferenceLevel > 0) --FReferenceLevel;
}

// FLoadedSet files the first FLoadedSet.Size() components of FLoaded (each once): the
// components the reader creates itself are only appended (ReadComponent), and the set catches
// up with the list when a component found instead (the root, an inherited one) may be there.
void TReader::AddLoaded(TComponent* C) {
  C->IncludeState(csLoading);
  C->IncludeState(csReading);
  for (size_t I = FLoadedSet.Size(); I < FLoaded.size(); ++I) FLoadedSet.Insert(FLoaded[I]);
  if (FLoadedSet.Insert(C)) FLoaded.push_back(C);
}

void TReader::Rollback(size_t CreatedMark) noexcept {
  while (FCreated.size() > CreatedMark) {
    TComponent* C = FCreated.back();
    FCreated.pop_back();
    // C takes the components it owns with it (an embedded frame's own components, which the
    // reader found rather than created): none of them may stay in the loaded list.
    auto Gone = [C](TComponent* X) {
      for (; X; X = X->Owner())
        if (X == C) return true;
      return false;
    };
    std::erase_if(FLoaded, Gone);
    FLoadedSet.Clear();  // filed again from the list's start when next needed
    std::erase_if(FCreated, Gone);
    C->Free();
  }
}

void TReader::ClearLoadingMarks() noexcept {
  for (TComponent* C : FLoaded) {
    C->ExcludeState(csLoading);
    C->ExcludeState(csReading);
  }
  FLoaded.clear();
  FLoadedSet.Clear();
}

void TReader::RethrowPrintable() {
  try {
    throw;
  } catch (Exception& E) {
    E.SetMessage(streamcoding::PrintableText(E.Message()));
    throw;
  }
}

// ----- Roots and component lists ---------------------------------------------------------------

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  TFilerFlags Flags;
  int Pos = 0;
  ReadPrefix(Flags, Pos);
  const String ClassName = ReadStr();
  const String Name = ReadStr();
  TOwned<TComponent> Created;
  if (!Root) {
    TClass C = FindClass(ClassName);
    if (!C->InheritsFrom(TComponent::StaticClass())) throw EReadError(SInvalidCast);
    Created.reset(static_cast<TComponent*>(C->Create<TComponent*>(nullptr)));
    Root = Created.get();
  }
  SetRoot(Root);
  FOwner = Root;
  FCurrent = Root;
  FContext = Name.empty() ? ClassName : Name;
  const size_t Mark = FCreated.size();
  const String OldName = Root->Name();
  BeginReferences();
  try {
    AddLoaded(Root);
    if (!Name.empty() && Root->Name() != Name) {
      String N = Name;
      if (OnSetName) OnSetName(this, Root, N);
      try {
        Root->SetName(N);
      } catch (Exception& E) {
        const String M = Format(SErrorReading, FContext, E.Message());
        if (!Error(M)) throw EReadErrorReported(M);
      }
    }
    Root->ReadState(this);
    // A module is the whole stream: what follows it (a second module, stray bytes) would be
    // lost on the next save.
    if (Position() < FStream->Size()) Corrupt(Format(STrailingData, Where(Position())));
    FixupReferences();
  } catch (...) {
    Rollback(Mark);
    detail::DropReaderFixups(this);
    ClearLoadingMarks();
    EndReferences();
    try {
      Root->SetName(OldName);
    } catch (Exception&) {
      // The old name was valid before; a designer refusing it back keeps the new one.
    }
    RethrowPrintable();
  }
  EndReferences();
  Created.release();
  return Root;
}

void TReader::ReadComponents(TComponent* AOwner, TComponent* AParent, const TReadComponentsProc& Proc) {
  SetRoot(AOwner);
  FOwner = AOwner;
  FParent = AParent;
  BeginReferences();
  try {
    while (!EndOfList()) {
      ReadSignature();
      FContext = String();
      const size_t Mark = FCreated.size();
      TComponent* C = ReadComponent(nullptr);
      if (C && Proc) {
        try {
          Proc(C);
        } catch (...) {
          Rollback(Mark);
          throw;
        }
      }
    }
    ReadListEnd();
  } catch (...) {
    // What was read completely stays: its references and Loaded are still due. A reference
    // that finds nothing now (to a component the failure took away) is not kept for later.
    std::exception_ptr Failure = std::current_exception();
    try {
      ResolveReferences(false);
    } catch (...) {
      ClearLoadingMarks();
    }
    detail::DropReaderFixups(this);
    EndReferences();
    try {
      std::rethrow_exception(Failure);
    } catch (...) {
      RethrowPrintable();
    }
  }
  try {
    FixupReferences();
  } catch (...) {
    ClearLoadingMarks();
    EndReferences();
    RethrowPrintable();
  }
  EndReferences();
}

// ----- Components -----------------------------------------------------------------------------

TComponent* TReader::CreateComponent(TClass ComponentClass, TFilerFlags Flags) {
  TComponent* C = nullptr;
  if (OnCreateComponent) OnCreateComponent(this, ComponentClass, C);
  if (C) {
    FCreated.push_back(C);
    if (Flags.Contains(ffInline)) C->SetInline(true);
    return C;
  }
  TOwned<TComponent> New(static_cast<TComponent*>(ComponentClass->Create<TComponent*>(nullptr)));
  if (Flags.Contains(ffInline)) New->SetInline(true);
  New->IncludeState(csLoading);
  New->IncludeState(csReading);
  if (FOwner) FOwner->InsertComponent(New.get());
  FCreated.push_back(New.get());
  return New.release();
}

TComponent* TReader::FindAncestorComponent(const String& Name, const String& ClassName) {
  TComponent* C = FOwner ? FOwner->FindComponent(Name) : nullptr;
  if (!C && OnAncestorNotFound) {
    TClass Cls = GetClass(ClassName);
    if (!Cls && OnFindComponentClass) OnFindComponentClass(this, ClassName, Cls);
    OnAncestorNotFound(this, Name, Cls, C);
  }
  if (!C) throw EReadError(Format(SAncestorNotFound, Name));
  return C;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  TNesting Guard(*this);
  const int64_t HeaderStart = Position();
  TFilerFlags Flags;
  int Pos = 0;
  ReadPrefix(Flags, Pos);
  const String ClassName = ReadStr();
  const String Name = ReadStr();
  const int64_t BodyStart = Position();
  const size_t Mark = FCreated.size();
  TValueScope<TComponent*> KeepCurrent(FCurrent);
  TValueScope<String> KeepContext(FContext);
  FContext = Name.empty() ? ClassName : Name;
  TComponent* Result = Component;
  try {
    const bool Created = !Result && !Flags.Contains(ffInherited);
    if (!Result)
      Result = Created ? CreateComponent(FindComponentClass(ClassName), Flags)
                       : FindAncestorComponent(Name, ClassName);
    if (Created) {
      // New to the list: a large module reads without filing every component in a set.
      Result->IncludeState(csLoading);
      Result->IncludeState(csReading);
      FLoaded.push_back(Result);
    } else {
      AddLoaded(Result);
    }
    if (!Flags.Contains(ffInherited)) {
      String N = Name;
      if (OnSetName) OnSetName(this, Result, N);
      Result->SetName(N);
      if (!N.empty()) FContext = N;
    }
    FCurrent = Result;
    Result->ReadState(this);
    if (Flags.Contains(ffChildPos) && FParent) FParent->SetChildOrder(Result, Pos);
    return Result;
  } catch (EInvalidImage&) {
    Rollback(Mark);
    throw;
  } catch (EReadErrorReported&) {
    Rollback(Mark);
    throw;
  } catch (Exception& E) {
    const String M = ReadingMessage(FContext, HeaderStart, E.Message());
    Rollback(Mark);
    if (!Error(M)) throw EReadErrorReported(M);
    SetPosition(BodyStart);
    SkipComponent(false);
    return nullptr;
  } catch (...) {
    Rollback(Mark);
    throw;
  }
}

void TReader::ReadData(TComponent* Instance) {
  TValueScope<TComponent*> KeepLookup(FLookupRoot);
  // The components inside an embedded module instance are named relative to it.
  if (Instance != FRoot && Instance->ComponentState().Contains(csInline)) FLookupRoot = Instance;
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
  TValueScope<TComponent*> KeepOwner(FOwner);
  TValueScope<TComponent*> KeepParent(FParent);
  FParent = Instance->GetChildParent();
  TComponent* ChildOwner = Instance->GetChildOwner();
  // Inside an embedded module instance its components are its own at every depth, as the
  // writer lists them: a control added to the instance holds children of the instance too.
  FOwner = ChildOwner ? ChildOwner : FLookupRoot ? FLookupRoot : FRoot;
  while (!EndOfList()) ReadComponent(nullptr);
  ReadListEnd();
}

// ----- Properties -----------------------------------------------------------------------------

void TReader::ReadProperty(TPersistent* AInstance) {
  const int64_t NameStart = Position();
  const String Path = ReadStr();
  const int64_t ValueStart = Position();
  try {
    ReadNamedProperty(AInstance, Path);
  } catch (EInvalidImage&) {
    throw;
  } catch (EReadErrorReported&) {
    throw;
  } catch (Exception& E) {
    FPropName.clear();
    const String M = ReadingMessage(FContext + "." + Path, NameStart, E.Message());
    if (!Error(M)) throw EReadErrorReported(M);
    SetPosition(ValueStart);
    SkipValue();
  }
}

void TReader::ReadNamedProperty(TPersistent* Instance, const String& Path) {
  // Every property of a stream is read here: the path is walked in place, one name at a time.
  const std::string_view Whole(Path);
  const size_t LastDot = Whole.rfind('.');
  const std::string_view Last = LastDot == std::string_view::npos ? Whole : Whole.substr(LastDot + 1);
  if (Last.empty()) throw EReadError(SInvalidPropertyPath);
  TPersistent* Obj = Instance;
  for (size_t Begin = 0; LastDot != std::string_view::npos && Begin <= LastDot;) {
    const size_t Dot = Whole.find('.', Begin);
    PPropInfo P = GetPropInfo(Obj, Whole.substr(Begin, Dot - Begin));
    if (!P || P->Kind() != tkClass || !P->CanRead()) throw EReadError(Format(SUnknownProperty, Path));
    TObject* Sub = GetObjectProp(Obj, P);
    auto* SubComp = As<TComponent>(Sub);
    Obj = As<TPersistent>(Sub);
    if (!Obj || (SubComp && !IsSubComponent(SubComp))) throw EReadError(SInvalidPropertyPath);
    Begin = Dot + 1;
  }
  if (PPropInfo P = GetPropInfo(Obj, Last)) {
    ReadPropValue(Obj, P);
    return;
  }
  FPropName = String(Last);
  detail::DefineFilerProperties(Obj, this);
  if (!FPropName.empty()) {
    FPropName.clear();
    throw EReadError(Format(SUnknownProperty, Path));
  }
}

void TReader::ReadPropValue(TPersistent* Instance, PPropInfo P) {
  if (!P->CanWrite() && P->Kind() != tkClass) throw EPropReadOnly(Format(SReadOnlyProperty, P->Name));
  PTypeData TD = GetTypeData(P->PropType);
  switch (P->Kind()) {
    case tkInteger: {
      int64_t V = 0;
      if (TD->IdentToInt && NextValue() == vaIdent) {
        int32_t I = 0;
        if (!TD->IdentToInt(ReadIdent(), I)) throw EReadError(SInvalidPropertyValue);
        V = I;
      } else {
        V = ReadInt64();
      }
      if (V < TD->MinValue || V > TD->MaxValue)
        throw ERangeError(Format(SOutOfRange, TD->MinValue, TD->MaxValue));
      SetOrdProp(Instance, P, V);
      return;
    }
    case tkInt64:
      SetInt64Prop(Instance, P, ReadInt64());
      return;
    case tkChar:
      SetOrdProp(Instance, P, static_cast<unsigned char>(ReadChar()));
      return;
    case tkWChar:
      SetOrdProp(Instance, P, ReadWideChar());
      return;
    case tkEnumeration: {
      int64_t V;
      if (IsIntegerTag(NextValue())) {
        V = ReadInt64();
      } else {
        const String Ident = ReadIdent();
        V = GetEnumValue(P->PropType, Ident);
        if (V < 0) throw EReadError(SInvalidPropertyValue);
      }
      if (V < TD->MinValue || V > TD->MaxValue) throw EReadError(SInvalidPropertyValue);
      SetOrdProp(Instance, P, V);
      return;
    }
    case tkSet: {
      PTypeInfo E = TD->CompType;
      int64_t Bits = 0;
      for (const String& N : ReadSetNames()) {
        const int64_t Ord = GetEnumValue(E, N);
        if (Ord < E->Data.MinValue || Ord > E->Data.MaxValue || Ord - E->Data.MinValue >= 64)
          throw EReadError(SInvalidPropertyValue);
        Bits |= int64_t(1) << (Ord - E->Data.MinValue);
      }
      SetOrdProp(Instance, P, Bits);
      return;
    }
    case tkFloat:
      if (TD->FloatType == ftCurr)
        SetFloatProp(Instance, P, ReadCurrency().ToDouble());
      else
        SetFloatProp(Instance, P, ReadFloat());
      return;
    case tkString:
    case tkLString:
    case tkUString:
      SetStrProp(Instance, P, ReadString());
      return;
    case tkWString:
      SetWideStrProp(Instance, P, ReadWideString());
      return;
    case tkVariant:
      SetVariantProp(Instance, P, ReadVariant());
      return;
    case tkMethod:
      ReadMethod(Instance, P);
      return;
    case tkInterface:
      ReadReference(Instance, P);
      return;
    case tkClass:
      if (NextValue() == vaCollection) {
        auto* C = As<TCollection>(GetObjectProp(Instance, P));
        if (!C) throw EReadError(SInvalidPropertyValue);
        ReadValue();
        TValueScope<String> KeepContext(FContext);
        FContext += "." + P->Name;
        ReadCollection(C);
        return;
      }
      if (!TD->ClassType || !TD->ClassType->InheritsFrom(TComponent::StaticClass()) || !P->CanWrite())
        throw EReadError(Format(SNotAComponentValue, P->Name));
      ReadReference(Instance, P);
      return;
    default:
      throw EReadError(Format(SInvalidPropertyKind, P->Name));
  }
}

void TReader::ReadReference(TPersistent* Instance, PPropInfo P) {
  if (NextValue() == vaNil) {
    ReadValue();
    if (P->Kind() == tkClass)
      SetObjectProp(Instance, P, nullptr);
    else
      SetInterfaceProp(Instance, P, nullptr);
    return;
  }
  if (NextValue() != vaIdent) throw EReadError(Format(SUnexpectedValue, Where(Position()), "Identifier"));
  String Name = ReadIdent();
  if (OnReferenceName) OnReferenceName(this, Name);
  detail::TFixup F;
  F.Instance = Instance;
  F.Prop = P;
  F.Component = FCurrent ? FCurrent : FRoot ? FRoot : As<TComponent>(Instance);
  F.Root = FRoot;
  F.LookupRoot = FLookupRoot;
  F.Name = Name;
  F.Context = FContext;
  F.Reader = this;
  detail::AddFixup(std::move(F));
}

void TReader::ReadMethod(TPersistent* Instance, PPropInfo P) {
  if (NextValue() == vaNil) {
    ReadValue();
    SetMethodProp(Instance, P, TMethod());
    return;
  }
  if (NextValue() != vaIdent) throw EReadError(Format(SUnexpectedValue, Where(Position()), "Identifier"));
  const String Name = ReadIdent();
  if (Name.empty()) {
    SetMethodProp(Instance, P, TMethod());
    return;
  }
  // Inside an embedded frame, a handler its own class does not have is one of the module that
  // embeds it (set there on the frame or on one of its components).
  TComponent* Owner = FLookupRoot;
  if (FRoot && FLookupRoot && FLookupRoot != FRoot && !FLookupRoot->MethodAddress(Name)) Owner = FRoot;
  void* Code = FindMethod(Owner, Name);
  SetMethodProp(Instance, P, TMethod{Code, Owner});
}

void TReader::ReadCollection(TCollection* Collection) {
  TNesting Guard(*this);
  Collection->BeginUpdate();
  struct TEnd {
    TCollection* C;
    ~TEnd() { C->EndUpdate(); }
  } End{Collection};
  if (!EndOfList()) Collection->Clear();
  TValueScope<String> KeepContext(FContext);
  const String Base = FContext;
  for (int Index = 0; !EndOfList(); ++Index) {
    if (IsIntegerTag(NextValue())) ReadInteger();
    ReadListBegin();
    TCollectionItem* Item = Collection->Add();
    FContext = Format("%s[%d]", Base, Index);
    while (!EndOfList()) ReadProperty(Item);
    ReadListEnd();
  }
  ReadListEnd();
}

}  // namespace formwright
