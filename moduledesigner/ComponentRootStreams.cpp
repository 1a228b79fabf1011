// Reading a module, reading components into it (paste, undelete), writing and saving it.
#include "formdesigner/ComponentClipboard.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"
#include "moduledesigner/Renames.h"
#include "platform/runtime/ObjectText.h"

namespace formwright {

namespace {
inline constexpr const char* SCannotPaste = "Cannot paste %s in the designer";
inline constexpr const char* SNotInheritable =
    "Component class '%s' does not support inheritance and cannot be added to a module that has descendents";
inline constexpr const char* SOneModuleMissing =
    "Module \"%s\" references another module and cannot be saved until %s is loaded";
inline constexpr const char* SModulesMissing =
    "Module \"%s\" references other modules and cannot be saved until the following modules are loaded: %s";

// Keeps a class group active for a scope when there is one.
class TOptionalGroupScope {
 public:
  explicit TOptionalGroupScope(TClass Group)
      : FPrevious(Group ? ActivateClassGroup(Group) : nullptr), FActive(Group) {}
  ~TOptionalGroupScope() {
    if (FActive && FPrevious) ActivateClassGroup(FPrevious);
  }
  TOptionalGroupScope(const TOptionalGroupScope&) = delete;
  TOptionalGroupScope& operator=(const TOptionalGroupScope&) = delete;

 private:
  TClass FPrevious;
  TClass FActive;
};

// A stream the caller owns only when it differs from the one it was made from.
struct TPreparedStream {
  TStream* Stream;
  TStream* Source;
  ~TPreparedStream() {
    if (Stream != Source) Stream->Free();
  }
};
}  // namespace

// ----- Reading a module -----------------------------------------------------------------------

TStream* TComponentRoot::PrepareInputStream(TStream* Stream, bool RememberFormat) {
  const TStreamOriginalFormat Format = TestStreamFormat(Stream);
  FStreamFormat = Format >= sofText ? 2 : static_cast<int>(Format);
  if (Format >= sofText) {
    TOwned<TMemoryStream> Binary(new TMemoryStream());
    // A whole module (RememberFormat) is all of the text; pasted text may hold several objects.
    if (RememberFormat)
      ModuleTextToBinary(Stream, Binary.get());
    else
      ObjectTextToBinary(Stream, Binary.get());
    Binary->SetPosition(0);
    if (RememberFormat) FTextFormat = true;
    return Binary.release();
  }
  if (RememberFormat) FTextFormat = false;
  return Stream;
}

void TComponentRoot::GetCreateInfoFrom(TStream* Stream, String& ClassName, String& AncestorClassName,
                                       const IPtr<IInternalRoot>& AncestorRoot) {
  Stream->ReadResHeader();
  const int64_t Start = Stream->Position();
  TFilerFlags Flags;
  {
    TReader R(Stream, 256);
    R.ReadSignature();
    int ChildPos = 0;
    R.ReadPrefix(Flags, ChildPos);
    ClassName = R.ReadStr();
  }
  Stream->SetPosition(Start);
  if (AncestorRoot && AncestorRoot->GetRoot())
    AncestorClassName = AncestorRoot->GetRoot()->ClassName();
  else if (FAncestorRoot && FAncestorRoot->GetRoot() && !FViews.empty())
    AncestorClassName = FAncestorRoot->GetRoot()->ClassName();
  else
    AncestorClassName = FModule ? FModule->GetAncestorClassName(ClassName) : String();
  if (!Flags.Contains(ffInherited) && !FComponentDesigner->IsRootBaseClass(AncestorClassName))
    AncestorClassName = "TFORM";
}

void TComponentRoot::CreateFromStream(TStream* Stream, const IPtr<IInternalRoot>& AncestorRoot) {
  TGlobalLoadingScope Loading;
  TPreparedStream S{PrepareInputStream(Stream, true), Stream};
  String ClassName, AncestorClassName;
  GetCreateInfoFrom(S.Stream, ClassName, AncestorClassName, AncestorRoot);
  TComponent* Root = CreateRootAs(ClassName, AncestorClassName, AncestorRoot);
  ReadObjectFromStream(Root, S.Stream);
  ModifiedUpdateNotification();
  NotifyGlobalLoading();
}

void TComponentRoot::ReadObjectFromStream(TComponent* Root, TStream* Stream) {
  TReader Reader(Stream, 4096);
  FIgnoreAllErrors = false;
  FErrorAnswered = false;
  Reader.OnFindMethod = [this](TReader* R, const String& N, void*& A, bool& E) {
    FindObjectMethod(R, N, A, E);
  };
  Reader.OnError = [this](TReader* R, const String& M, bool& H) { ReaderObjectError(R, M, H); };
  Reader.OnAncestorNotFound = [this](TReader* R, const String& N, TClass C, TComponent*& Comp) {
    ReaderAncestorNotFound(R, N, C, Comp);
  };
  Reader.OnFindComponentClass = [this](TReader* R, const String& N, TClass& C) {
    ReaderFindComponentClass(R, N, C);
  };
  Reader.OnCreateComponent = [this](TReader* R, TClass C, TComponent*& Comp) {
    ReaderCreateComponent(R, C, Comp);
  };
  HostSetupReader(&Reader);
  TOptionalGroupScope Group(HostClassGroup());
  Reader.ReadRootComponent(Root);
}

// ----- Reading components into the module -----------------------------------------------------

TStream* TComponentRoot::PrepareComponents(TStream* Stream) {
  // Components given as text are converted object by object with the list's closing value, as
  // clipboard text is; a whole module's text holds one object and no list end. The module keeps
  // the format it was read in: pasting text does not make a binary module save as text.
  if (TestStreamFormat(Stream) < sofText) return Stream;
  TOwned<TMemoryStream> Binary(new TMemoryStream());
  ComponentsTextToBinary(Stream, Binary.get());
  Binary->SetPosition(0);
  return Binary.release();
}

void TComponentRoot::ReadStream(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect) {
  TOptionalGroupScope Group(HostClassGroup());
  FEvents = std::make_unique<TEvents>();
  FRenames = std::make_unique<TRenames>();
  struct TDropRecords {
    TComponentRoot& R;
    bool Done = false;
    ~TDropRecords() {
      // A read that failed leaves no placeholder methods in the design-time class.
      if (!Done && R.FEvents && R.FRoot)
        for (int I = 0; I < R.FEvents->Count(); ++I)
          if (R.FRoot->MethodName(R.FEvents->Items(I).Address).size())
            DestroySubClassMethod(R.FRoot, R.FEvents->Items(I).Address);
      R.FEvents.reset();
      R.FRenames.reset();
    }
  } Drop{*this};
  TPreparedStream S{PrepareComponents(Stream), Stream};
  TReader Reader(S.Stream, 1024);
  Reader.OnSetName = [this](TReader* R, TComponent* C, String& N) { ReaderSetName(R, C, N); };
  Reader.OnReferenceName = [this](TReader* R, String& N) { ReaderReferenceName(R, N); };
  Reader.OnFindMethod = [this](TReader* R, const String& N, void*& A, bool& E) {
    ReaderFindMethod(R, N, A, E);
  };
  Reader.OnFindComponentClass = [this](TReader* R, const String& N, TClass& C) {
    ReaderFindComponentClass(R, N, C);
  };
  Reader.OnCreateComponent = [this](TReader* R, TClass C, TComponent*& Comp) {
    ReaderCreateComponent(R, C, Comp);
  };
  FPasteRect = Rect;
  const TValueType Next = Reader.NextValue();
  if (Next == vaInt8 || Next == vaInt16 || Next == vaInt32) {
    FSelectionRect.Left = Reader.ReadInteger();
    FSelectionRect.Top = Reader.ReadInteger();
    FSelectionRect.Right = Reader.ReadInteger();
    FSelectionRect.Bottom = Reader.ReadInteger();
  } else {
    FSelectionRect = TRect{};
  }
  HostBeforeRead();
  {
    struct TAfter {
      TComponentRoot& R;
      ~TAfter() { R.HostAfterRead(); }
    } After{*this};
    Reader.ReadComponents(FRoot, Parent, [this, Adjust](TComponent* C) {
      if (Adjust)
        ComponentReadAdjust(C);
      else
        ComponentRead(C);
    });
  }
  RenameEvents();
  TStringList RenameList;
  for (int I = 0; I < FRenames->Count(); ++I)
    RenameList.Add(FRenames->Items(I).OldName + "=" + FRenames->Items(I).NewName);
  const int64_t After = Reader.Position();
  const int64_t Size = S.Stream->Size();
  TStringList HandlerNames;
  if (After < Size) {
    String Source(static_cast<size_t>(Size - After), '\0');
    S.Stream->SetPosition(After);
    S.Stream->ReadBuffer(Source.data(), Size - After);
    if (const size_t Zero = Source.find('\0'); Zero != String::npos) Source.resize(Zero);
    if (FModule && !Source.empty()) FModule->PasteHandlers(Source, &RenameList, &HandlerNames);
  }
  VerifyEvents(&HandlerNames);
  UpdateEvents();
  Drop.Done = true;
}

void TComponentRoot::ComponentRead(TComponent* Component) {
  // A refused component is freed by the reader, which frees with it what was read into it.
  if (!FAllowNonVisualPaste && !FUndeleting && IsNoIconComponent(Component))
    throw EComponentDesignerException(Format(SCannotPaste, Component->ClassName()));
  if (FUpdateManager && FUpdateManager->GetHasDescendents() &&
      !Component->ComponentStyle().Contains(csInheritable))
    throw EComponentDesignerException(Format(SNotInheritable, Component->ClassName()));
  CanInsertComponent(Component);
  if (FCustomModule) FCustomModule->ValidateComponent(Component);
  FComponentsRead.push_back(Component);
  Select(Component, true);
}

void TComponentRoot::ComponentReadAdjust(TComponent* Component) {
  HostPlaceComponent(Component, FSelectionRect, FPasteRect);
  ComponentRead(Component);
}

// ----- Reader hooks ---------------------------------------------------------------------------

void TComponentRoot::FindObjectMethod(TReader* Reader, const String& MethodName, void*& Address,
                                      bool& Error) {
  if (!Address && Reader->Root() == FRoot) {
    Address = CreateSubClassMethod(FRoot, MethodName);
    Error = false;
  }
}

void TComponentRoot::ReaderFindComponentClass(TReader* Reader, const String& ClassName,
                                              TClass& ComponentClass) {
  if (ComponentClass) return;
  if (TComponent* Other = FindDesignedRootOfClass(FComponentDesigner, ClassName)) {
    TClass C = Other->ClassType();
    if (IsProxyClass(C) && HostCanNest(C)) ComponentClass = C;
  }
  if (!ComponentClass) {
    IPtr<IDesignEnvironment> Env = FComponentDesigner->GetEnvironment();
    if (Env) ComponentClass = Env->FindDesignClass(ClassName);
  }
}

void TComponentRoot::ReaderAncestorNotFound(TReader* Reader, const String& Name, TClass ComponentClass,
                                            TComponent*& Component) {
  TComponent* Lookup = Reader->LookupRoot();
  if (!Lookup) return;
  TStringList Candidates;
  for (int I = 0; I < Lookup->ComponentCount(); ++I) {
    TComponent* C = Lookup->Components(I);
    if (C->ComponentState().Contains(csAncestor) && (!ComponentClass || C->InheritsFrom(ComponentClass)))
      Candidates.Add(C->Name());
  }
  String AncestorName;
  if (FAncestorRoot && Lookup == Reader->Root())
    AncestorName = FAncestorRoot->GetRootName();
  else
    AncestorName = Lookup->ClassName().size() > 1 ? Lookup->ClassName().substr(1) : Lookup->ClassName();
  String NewName = Name;
  const int Answer = HostAncestorNotFoundQuestion(NewName, AncestorName, Candidates.CommaText());
  switch (Answer) {
    case 0:
      Component = nullptr;
      FErrorAnswered = true;
      break;
    case 1:
      Component = Lookup->FindComponent(NewName);
      break;
    case 2:
      if (ComponentClass) {
        TOwned<TComponent> C(static_cast<TComponent*>(ComponentClass->Create<TComponent*>(nullptr)));
        Lookup->InsertComponent(C.get());
        if (Reader->Parent()) C->SetParentComponent(Reader->Parent());
        C->SetName(NewName);
        Component = C.release();
      }
      break;
    default:
      return;
  }
  LoadingFormModified();
}

void TComponentRoot::ReaderObjectError(TReader* Reader, const String& Message, bool& Handled) {
  FReadError = true;
  if (!FIgnoreAllErrors && !FErrorAnswered) {
    const int Answer = HostReaderErrorQuestion(Message);
    if (Answer == 1) {
      Handled = false;
    } else {
      if (Answer == 2) FIgnoreAllErrors = true;
      Handled = true;
      Modified();
      LoadingFormModified();
    }
    FErrorAnswered = false;
    return;
  }
  Handled = true;
  FErrorAnswered = false;
}

// ----- Writing --------------------------------------------------------------------------------

void TComponentRoot::WriterFindAncestor(TWriter* Writer, TComponent* Component, const String& Name,
                                        TComponent*& Ancestor, TComponent*& RootAncestor) {
  if (Ancestor || Component == Writer->Root() || !IsProxyClass(Component->ClassType())) return;
  if (TComponent* Other = FindDesignedRootOfClass(FComponentDesigner, Component->ClassName())) {
    Ancestor = Other;
    RootAncestor = Other;
    if (FUnitList) {
      const String Unit = Other->UnitName();
      if (!Unit.empty() && FUnitList->IndexOf(Unit) < 0) FUnitList->Add(Unit);
    }
  }
}

void TComponentRoot::WriteComponent(TWriter* Writer, TComponent* Component) {
  Writer->OnFindAncestor = [this](TWriter* W, TComponent* C, const String& N, TComponent*& A,
                                  TComponent*& RA) { WriterFindAncestor(W, C, N, A, RA); };
  Writer->WriteComponent(Component);
}

void TComponentRoot::WriteRootStream(TStream* Stream) {
  for (;;) {
    TStringList Missing;
    GetFixupReferenceNames(FRoot, &Missing);
    if (Missing.Count() == 0) break;
    const int Answer = HostFixupQuestion(GetRootName(), Missing[0]);
    if (Answer == 0) {
      HostRedirectLinks(Missing[0]);
      FReadError = true;
    } else if (Answer == 1 || Answer == 2) {
      if (Missing.Count() == 1)
        throw EComponentDesignerException(Format(SOneModuleMissing, GetRootName(), Missing.CommaText()));
      throw EComponentDesignerException(Format(SModulesMissing, GetRootName(), Missing.CommaText()));
    }
  }
  TComponent* Ancestor = FAncestorRoot ? FAncestorRoot->GetRoot() : nullptr;
  const bool AsText = FTextFormat || FStreamFormat == 2;
  TOwned<TMemoryStream> Binary(AsText ? new TMemoryStream() : nullptr);
  TStream* Target = AsText ? Binary.get() : Stream;
  int64_t Fixup = 0;
  Target->WriteResourceHeader(FRoot->ClassName(), Fixup);
  {
    TWriter Writer(Target, 4096);
    Writer.OnFindAncestor = [this](TWriter* W, TComponent* C, const String& N, TComponent*& A,
                                   TComponent*& RA) { WriterFindAncestor(W, C, N, A, RA); };
    Writer.WriteDescendent(FRoot, Ancestor);
  }
  Target->FixupResourceHeader(Fixup);
  if (AsText) {
    Binary->SetPosition(0);
    ObjectResourceToText(Binary.get(), Stream);
  }
}

TStream* TComponentRoot::GetRootStream() {
  if (IsDormant()) {
    FDormantStream->SetPosition(0);
    return FDormantStream.get();
  }
  if (!FCachedStream) {
    if (FModule) {
      FModule->UpdateSource();
      FModule->Notify(ncFormSaving);
    }
    if (FCustomModule) FCustomModule->Saving();
    if (FUpdateManager) FUpdateManager->Update();
    auto S = std::make_unique<TMemoryStream>();
    FUnitList->Clear();
    WriteRootStream(S.get());
    FCachedStream = std::move(S);
  }
  FCachedStream->SetPosition(0);
  return FCachedStream.get();
}

void TComponentRoot::Save() {
  TStream* S = GetRootStream();
  ConfirmOverwrite();
  if (FSizeAtLoad != 0 && FModifyTime == FTimeAtLoad && S->Size() != FSizeAtLoad) {
    FSizeAtLoad = 0;
    FModifyTime = CurrentTimeStamp();
  }
  S->SetPosition(0);
  const int64_t Time = FComponentDesigner->GetFileSystem()->WriteModuleFile(FFileSystem, FFileName, S,
                                                                            FTimeAtLoad, FModifyTime);
  FTimeAtLoad = Time;
  FModifyTime = Time;
  FStreamFormat = FTextFormat ? 2 : 1;
}

void TComponentRoot::ConfirmOverwrite() {
  const int64_t Before = FTimeAtLoad;
  if (!CheckFileDate() || HostFileChangedQuestion(FFileName)) return;
  FTimeAtLoad = Before;  // asked again at the next save
  throw EComponentDesignerException(Format(SFileChangedOnDisk, FFileName));
}

bool TComponentRoot::CheckFileDate() {
  const int64_t Age = FComponentDesigner->GetFileSystem()->FileAge(FFileSystem, FFileName);
  if (Age != -1 && Age != FTimeAtLoad) {
    FTimeAtLoad = Age;
    return true;
  }
  return false;
}

}  // namespace formwright
