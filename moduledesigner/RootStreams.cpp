#include "moduledesigner/RootStreams.h"

#include "formdesigner/ComponentClipboard.h"
#include "formdesigner/Proxies.h"
#include "moduledesigner/OTAFormEditor.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {

// Keeps the class group of Group active until the scope ends, when there is one.
auto GroupScope(TClass Group) {
  TClass Previous = Group ? ActivateClassGroup(Group) : nullptr;
  return TScopeExit([Previous] {
    if (Previous) ActivateClassGroup(Previous);
  });
}

// The module's form file as a read-only stream: the module's current stream, handed back to
// the module as its cache when released while nothing changed.
class TFormFileStream : public TInterfacedObject, public IStream {
 public:
  TFormFileStream(IInternalRoot* Root, TRootStreams* Streams, std::unique_ptr<TMemoryStream> Data,
                  int64_t ModifyTime, bool Private)
      : FKeepRoot(Root),
        FStreams(Streams),
        FData(std::move(Data)),
        FModifyTime(ModifyTime),
        FPrivate(Private) {
    FData->SetPosition(0);
  }
  ~TFormFileStream() override {
    if (!FPrivate) FStreams->ReturnFormFileStream(std::move(FData), FModifyTime);
  }
  int64_t Read(void* Buffer, int64_t Count) override { return FData->Read(Buffer, Count); }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override { return FData->Seek(Offset, Origin); }
  int64_t GetSize() override { return FData->Size(); }
  int64_t GetModifyTime() override { return FModifyTime; }

 private:
  // Keeps the module, and with it its streams, alive while the stream is open.
  IPtr<IInternalRoot> FKeepRoot;
  TRootStreams* FStreams;
  std::unique_ptr<TMemoryStream> FData;
  int64_t FModifyTime;
  bool FPrivate;
};
}  // namespace

TRootStreams::TRootStreams(TRootState& State, TRootHostOperations& Host, TRootNames& Names, TRootLinks& Links,
                           TReadObject ReadObject, TCreateFrame CreateFrame)
    : FState(State),
      FHost(Host),
      FNames(Names),
      FLinks(Links),
      FReadObject(std::move(ReadObject)),
      FCreateFrame(std::move(CreateFrame)),
      FUnitList(std::make_unique<TStringList>()) {}

TRootStreams::~TRootStreams() = default;

int64_t TRootStreams::CurrentTimeStamp() const {
  IPtr<IDesignEnvironment> Env = FState.Environment();
  return Env ? Env->GetCurrentTimeStamp() : 0;
}

void TRootStreams::Touch() { FModifyTime = CurrentTimeStamp(); }

void TRootStreams::DesignerOpened() { FModifyTime = FReadError ? CurrentTimeStamp() : FTimeAtLoad; }

void TRootStreams::LoadingFormModified() {
  if (IPtr<IDesignerLoadingFormModified> L = Supports<IDesignerLoadingFormModified>(FState.Module))
    L->LoadingFormModified();
}

// ----- Reading a module -----------------------------------------------------------------------

TStream* TRootStreams::PrepareInputStream(TStream* Stream, bool RememberFormat) {
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

void TRootStreams::GetCreateInfoFrom(TStream* Stream, String& ClassName, String& AncestorClassName,
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
  else if (FState.AncestorRoot && FState.AncestorRoot->GetRoot() && !FState.ViewName.empty())
    AncestorClassName = FState.AncestorRoot->GetRoot()->ClassName();
  else
    AncestorClassName = FState.Module ? FState.Module->GetAncestorClassName(ClassName) : String();
  if (!Flags.Contains(ffInherited) && !FState.ComponentDesigner->IsRootBaseClass(AncestorClassName))
    AncestorClassName = "TFORM";
}

void TRootStreams::ReadObjectFromStream(TComponent* Root, TStream* Stream) {
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
    Comp = FCreateFrame(C, R->Owner());
  };
  FHost.HostSetupReader(&Reader);
  auto Group = GroupScope(FHost.HostClassGroup());
  Reader.ReadRootComponent(Root);
}

void TRootStreams::ReplayModule(TComponent* Source, TComponent* Target) {
  TMemoryStream Image;
  {
    TWriter W(&Image, 4096);
    W.OnFindAncestor = [this](TWriter* Wr, TComponent* C, const String& N, TComponent*& A, TComponent*& RA) {
      WriterFindAncestor(Wr, C, N, A, RA);
    };
    W.WriteDescendent(Source, nullptr);
  }
  Image.SetPosition(0);
  FReadObject(Target, &Image);
}

// ----- Reading components into the module -----------------------------------------------------

TStream* TRootStreams::PrepareComponents(TStream* Stream) {
  // Components given as text are converted object by object with the list's closing value, as
  // clipboard text is; a whole module's text holds one object and no list end. The module keeps
  // the format it was read in: pasting text does not make a binary module save as text.
  if (TestStreamFormat(Stream) < sofText) return Stream;
  TOwned<TMemoryStream> Binary(new TMemoryStream());
  ComponentsTextToBinary(Stream, Binary.get());
  Binary->SetPosition(0);
  return Binary.release();
}

void TRootStreams::ReadStream(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect,
                              const std::function<void(TComponent*)>& Read) {
  auto Group = GroupScope(FHost.HostClassGroup());
  FNames.BeginRead();
  bool Done = false;
  TScopeExit DropRecords([&] { FNames.EndRead(Done); });
  TStream* Prepared = PrepareComponents(Stream);
  TOwned<TStream> Converted(Prepared != Stream ? Prepared : nullptr);
  TReader Reader(Prepared, 1024);
  Reader.OnSetName = [this](TReader* R, TComponent* C, String& N) { FNames.ReaderSetName(R, C, N); };
  Reader.OnReferenceName = [this](TReader* R, String& N) { FNames.ReaderReferenceName(R, N); };
  Reader.OnFindMethod = [this](TReader* R, const String& N, void*& A, bool& E) {
    FNames.ReaderFindMethod(R, N, A, E);
  };
  Reader.OnFindComponentClass = [this](TReader* R, const String& N, TClass& C) {
    ReaderFindComponentClass(R, N, C);
  };
  Reader.OnCreateComponent = [this](TReader* R, TClass C, TComponent*& Comp) {
    Comp = FCreateFrame(C, R->Owner());
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
  FHost.HostBeforeRead();
  {
    TScopeExit After([this] { FHost.HostAfterRead(); });
    Reader.ReadComponents(FState.Root, Parent, [&](TComponent* C) {
      if (Adjust) FHost.HostPlaceComponent(C, FSelectionRect, FPasteRect);
      Read(C);
    });
  }
  TStringList RenameList;
  FNames.RenameEvents(&RenameList);
  const int64_t After = Reader.Position();
  const int64_t Size = Prepared->Size();
  TStringList HandlerNames;
  if (After < Size) {
    String Source(static_cast<size_t>(Size - After), '\0');
    Prepared->SetPosition(After);
    Prepared->ReadBuffer(Source.data(), Size - After);
    if (const size_t Zero = Source.find('\0'); Zero != String::npos) Source.resize(Zero);
    if (FState.Module && !Source.empty()) FState.Module->PasteHandlers(Source, &RenameList, &HandlerNames);
  }
  FNames.VerifyEvents(&HandlerNames);
  FNames.UpdateEvents();
  Done = true;
}

// ----- Reader hooks ---------------------------------------------------------------------------

void TRootStreams::FindObjectMethod(TReader* Reader, const String& MethodName, void*& Address, bool& Error) {
  if (!Address && Reader->Root() == FState.Root) {
    Address = CreateSubClassMethod(FState.Root, MethodName);
    Error = false;
  }
}

void TRootStreams::ReaderFindComponentClass(TReader* Reader, const String& ClassName,
                                            TClass& ComponentClass) {
  if (ComponentClass) return;
  if (TComponent* Other = FindDesignedRootOfClass(FState.ComponentDesigner, ClassName)) {
    TClass C = Other->ClassType();
    if (IsProxyClass(C) && FHost.HostCanNest(C)) ComponentClass = C;
  }
  if (!ComponentClass) {
    IPtr<IDesignEnvironment> Env = FState.ComponentDesigner->GetEnvironment();
    if (Env) ComponentClass = Env->FindDesignClass(ClassName);
  }
}

void TRootStreams::ReaderAncestorNotFound(TReader* Reader, const String& Name, TClass ComponentClass,
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
  if (FState.AncestorRoot && Lookup == Reader->Root())
    AncestorName = FState.AncestorRoot->GetRootName();
  else
    AncestorName = Lookup->ClassName().size() > 1 ? Lookup->ClassName().substr(1) : Lookup->ClassName();
  String NewName = Name;
  const int Answer = FHost.HostAncestorNotFoundQuestion(NewName, AncestorName, Candidates.CommaText(),
                                                        ComponentClass != nullptr);
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

void TRootStreams::ReaderObjectError(TReader* Reader, const String& Message, bool& Handled) {
  FReadError = true;
  if (!FIgnoreAllErrors && !FErrorAnswered) {
    const int Answer = FHost.HostReaderErrorQuestion(Message);
    if (Answer == 1) {
      Handled = false;
    } else {
      if (Answer == 2) FIgnoreAllErrors = true;
      Handled = true;
      FState.Self->Modified();
      LoadingFormModified();
    }
    FErrorAnswered = false;
    return;
  }
  Handled = true;
  FErrorAnswered = false;
}

// ----- Writing --------------------------------------------------------------------------------

void TRootStreams::WriterFindAncestor(TWriter* Writer, TComponent* Component, const String& Name,
                                      TComponent*& Ancestor, TComponent*& RootAncestor) {
  if (Ancestor || Component == Writer->Root() || !IsProxyClass(Component->ClassType())) return;
  if (TComponent* Other = FindDesignedRootOfClass(FState.ComponentDesigner, Component->ClassName())) {
    Ancestor = Other;
    RootAncestor = Other;
    if (FUnitList) {
      const String Unit = Other->UnitName();
      if (!Unit.empty() && FUnitList->IndexOf(Unit) < 0) FUnitList->Add(Unit);
    }
  }
}

void TRootStreams::WriteComponent(TWriter* Writer, TComponent* Component) {
  Writer->OnFindAncestor = [this](TWriter* W, TComponent* C, const String& N, TComponent*& A,
                                  TComponent*& RA) { WriterFindAncestor(W, C, N, A, RA); };
  Writer->WriteComponent(Component);
}

void TRootStreams::WriteRootStream(TStream* Stream) {
  FLinks.ResolveMissingModules(FReadError);
  TComponent* Ancestor = FState.AncestorRoot ? FState.AncestorRoot->GetRoot() : nullptr;
  const bool AsText = FTextFormat || FStreamFormat == 2;
  TOwned<TMemoryStream> Binary(AsText ? new TMemoryStream() : nullptr);
  TStream* Target = AsText ? Binary.get() : Stream;
  // Room for the stream as large as the module's file was, or its last stream: written once
  // instead of copied as it grows (room reserved and not written takes no memory of the system).
  if (auto* M = dynamic_cast<TMemoryStream*>(Target); M && M->Size() == 0)
    M->Storage().reserve(
        static_cast<size_t>(std::min<int64_t>(std::max(FSizeAtLoad, FLastStreamSize), 1 << 28)));
  int64_t Fixup = 0;
  Target->WriteResourceHeader(FState.Root->ClassName(), Fixup);
  {
    TWriter Writer(Target, 4096);
    Writer.OnFindAncestor = [this](TWriter* W, TComponent* C, const String& N, TComponent*& A,
                                   TComponent*& RA) { WriterFindAncestor(W, C, N, A, RA); };
    Writer.WriteDescendent(FState.Root, Ancestor);
  }
  Target->FixupResourceHeader(Fixup);
  if (AsText) {
    Binary->SetPosition(0);
    ObjectResourceToText(Binary.get(), Stream);
  }
  FLastStreamSize = Target->Size();
}

TStream* TRootStreams::GetRootStream() {
  if (IsDormant()) {
    FDormantStream->SetPosition(0);
    return FDormantStream.get();
  }
  if (!FCachedStream) {
    if (FState.FormEditor) FState.FormEditor->FormSaving();
    if (FState.Module) {
      FState.Module->UpdateSource();
      FState.Module->Notify(ncFormSaving);
    }
    if (FState.CustomModule) FState.CustomModule->Saving();
    if (FState.UpdateManager) FState.UpdateManager->Update();
    auto S = std::make_unique<TMemoryStream>();
    FUnitList->Clear();
    WriteRootStream(S.get());
    FCachedStream = std::move(S);
  }
  FCachedStream->SetPosition(0);
  return FCachedStream.get();
}

void TRootStreams::Save() {
  TStream* S = GetRootStream();
  ConfirmOverwrite();
  if (FSizeAtLoad != 0 && FModifyTime == FTimeAtLoad && S->Size() != FSizeAtLoad) {
    FSizeAtLoad = 0;
    FModifyTime = CurrentTimeStamp();
  }
  S->SetPosition(0);
  const int64_t Time = FState.ComponentDesigner->GetFileSystem()->WriteModuleFile(
      FState.FileSystem, FState.FileName, S, FTimeAtLoad, FModifyTime);
  FTimeAtLoad = Time;
  FModifyTime = Time;
  FStreamFormat = FTextFormat ? 2 : 1;
}

void TRootStreams::ConfirmOverwrite() {
  const int64_t Before = FTimeAtLoad;
  if (!CheckFileDate() || FHost.HostFileChangedQuestion(FState.FileName)) return;
  FTimeAtLoad = Before;  // asked again at the next save
  throw EComponentDesignerException(Format(SFileChangedOnDisk, FState.FileName));
}

bool TRootStreams::CheckFileDate() {
  const int64_t Age = FState.ComponentDesigner->GetFileSystem()->FileAge(FState.FileSystem, FState.FileName);
  if (Age != -1 && Age != FTimeAtLoad) {
    FTimeAtLoad = Age;
    return true;
  }
  return false;
}

// ----- Form file streams and sleeping ---------------------------------------------------------

void TRootStreams::ClearCachedStream() noexcept { FCachedStream.reset(); }

IPtr<IStream> TRootStreams::FormFileOpen() {
  if (IsDormant()) {
    auto Copy = std::make_unique<TMemoryStream>();
    Copy->LoadFromStream(FDormantStream.get());
    return MakeIntf<TFormFileStream>(FState.Self, this, std::move(Copy), FModifyTime, true);
  }
  GetRootStream();
  return MakeIntf<TFormFileStream>(FState.Self, this, std::move(FCachedStream), FModifyTime, false);
}

void TRootStreams::ReturnFormFileStream(std::unique_ptr<TMemoryStream> Stream, int64_t ModifyTime) {
  if (ModifyTime == FModifyTime && !FCachedStream && !IsDormant()) FCachedStream = std::move(Stream);
}

void TRootStreams::GoDormant() {
  GetRootStream();
  FDormantStream = std::move(FCachedStream);
}

TStream* TRootStreams::DormantStream() {
  FDormantStream->SetPosition(0);
  return FDormantStream.get();
}

void TRootStreams::Wake() noexcept { FDormantStream.reset(); }

std::unique_ptr<TMemoryStream> TRootStreams::ExchangeDormantStream(
    std::unique_ptr<TMemoryStream> Stream) noexcept {
  if (Stream) Stream->SetPosition(0);
  std::swap(FDormantStream, Stream);
  return Stream;
}

void TRootStreams::Close() noexcept {
  FCachedStream.reset();
  FDormantStream.reset();
}

}  // namespace formwright
