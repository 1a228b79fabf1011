#include "host/root/ReferenceRoot.h"
#include "host/root/FormWindow.h"
#include "host/root/ReferenceViews.h"
#include "host/root/Surface.h"
#include "host/root/SurfaceItems.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "editors/CustomModules.h"
#include "editors/DataModuleEditors.h"
#include "formdesigner/Proxies.h"
#include "host/ModuleBaseClass.h"
#include "inheritance/UpdateManager.h"
#include "moduledesigner/DataModuleForm.h"
#include "moduledesigner/Designers.h"
#include "moduledesigner/HostWindowModules.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/StreamCoding.h"
#include "platform/runtime/TextParser.h"

namespace formwright {

FW_REGISTER_CLASS(TReferenceRoot, "ReferenceRoot")
FW_REGISTER_CLASS(TFrameModule, "ReferenceRoot")

void TFrameModule::DeclarePublished(TClassBuilder<TFrameModule>& C) { DeclareEditorFactory(C); }

using namespace orx;

// ----- TReferenceRoot -------------------------------------------------------------------------

TClass TReferenceRoot::HostClassGroup() { return TControl::StaticClass(); }

void TReferenceRoot::HostCreateDesignerWindow() {
  auto Surface = MakeIntf<TOrxDesignSurface>(
      State().Root, IPtr<ISurfaceHost>(static_cast<ISurfaceHost*>(this)), GetDesigner());
  SetSurface(Surface);
  // The palette holds a tool while a class is chosen; the window goes before the root does.
  auto Tools = MakeIntf<TOrxPaletteTools>([this] { return FPaletteClass != nullptr; });
  SetFormWindow(MakeIntf<TOrxFormWindow>(GetDesigner(), Surface, Selections(), Tools));
  if (auto Maker = Supports<ICustomDesignForm>(GetCustomModule())) {
    TWinControl* Container = nullptr;
    Maker->CreateDesignerForm(GetDesigner(), State().Root, FHostWindow, Container);
    if (auto* Icons = As<TComponentContainer>(Container))
      Icons->SetIconSize({NonVisualIconSize, NonVisualIconSize});
  }
}

void TReferenceRoot::HostDestroyDesignerWindow() { FHostWindow.reset(); }

IPtr<IInternalPaletteItem> TReferenceRoot::HostCurrentPaletteItem() {
  return FPaletteClass ? IPtr<IInternalPaletteItem>(MakeIntf<TClassPaletteItem>(FPaletteClass)) : nullptr;
}

void TReferenceRoot::HostInitNewRoot(TComponent* Root, const String& Name) {
  // An inherited form keeps its ancestor's caption.
  if (auto* Form = As<TCustomForm>(Root); Form && !State().AncestorRoot) Form->SetCaption(Name);
}

void TReferenceRoot::HostPlaceComponent(TComponent* Component, const TRect& From, const TRect& To) {
  if (To.Left == 0 && To.Top == 0 && To.Right == 0 && To.Bottom == 0) return;
  const int DX = To.Left - From.Left;
  const int DY = To.Top - From.Top;
  if (auto* C = As<TControl>(Component)) {
    C->SetBounds(C->Left() + DX, C->Top() + DY, C->Width(), C->Height());
    return;
  }
  const TPoint P = DesignInfoPosition(Component->DesignInfo());
  Component->SetDesignInfo(DesignInfoFromPosition(TPoint{P.X + DX, P.Y + DY}));
}

IPtr<ISurfaceDesigner> TReferenceRoot::HostFormDesigner() {
  auto* Window = dynamic_cast<TOrxFormWindow*>(FormWindow().Get());
  return Window && Window->FormDesigner() ? IPtr<ISurfaceDesigner>(Window->FormDesigner()) : nullptr;
}

void TReferenceRoot::HostDialog(TDesignDialog Kind) {
  if (auto* Env = dynamic_cast<TDesignEnvironment*>(State().Environment().Get()))
    ShowLayoutDialog(Env->LayoutQuestions, *this, Kind);
}

void TReferenceRoot::HostCommand(TDesignCommand Command) {
  if (Command != dmRevert) return;
  auto* Env = dynamic_cast<TDesignEnvironment*>(State().Environment().Get());
  RevertSelection(
      [Env](const String& Message) { return Env && Env->RevertQuestion && Env->RevertQuestion(Message); });
}

IPtr<IUpdateManager> TReferenceRoot::CreateUpdateManager(TComponent* Component, TComponent* Ancestor,
                                                         const IPtr<IUpdateManager>& AncestorManager) {
  return IPtr<IUpdateManager>(MakeIntf<TUpdateManager>(Component, Ancestor, AncestorManager,
                                                       static_cast<IUpdateManagerCallback*>(this)));
}

TModuleSource* TReferenceRoot::Source() const { return dynamic_cast<TModuleSource*>(State().Module.Get()); }

String TReferenceRoot::UnitFileName() const {
  return std::filesystem::path(State().FileName).replace_extension(".pas").string();
}

namespace {
// A unit written for a module that had none declares every handler the module's events name;
// handlers of an ancestor module are the ancestor's.
void DeclareBoundHandlers(TReferenceRoot& Root, TModuleSource& Source, TComponent* Component) {
  for (PPropInfo PI : GetPropList(Component->ClassType(), tkMethods)) {
    if (!IsStoredProp(Component, PI)) continue;
    const TMethod M = GetMethodProp(Component, PI);
    const String Name = Root.GetMethodName(M);
    if (!Name.empty() && !Root.MethodFromAncestor(M) && !Source.MethodExists(Name))
      Source.CreateMethod(Name, MakeIntf<TEventInfo>(PI));
  }
  for (int I = 0; I < Component->ComponentCount(); ++I)
    if (Component == Root.GetRoot() || Component->ComponentState().Contains(csInline))
      DeclareBoundHandlers(Root, Source, Component->Components(I));
}

}  // namespace

void TReferenceRoot::Save() {
  // A view has its own form file and shares its master's unit, which the master writes. A view
  // nobody changed keeps its file as it is: it holds only what the view changed, and the rest
  // follows the master when the view is read again.
  if (GetMasterView()) {
    if (IsModified() ||
        !State().ComponentDesigner->GetFileSystem()->FileExists(State().FileSystem, GetFileName()))
      TComponentRoot::Save();
    return;
  }
  GetRootStream();  // brings the unit up to date with the design
  TModuleSource* Source = this->Source();
  if (Source && FUnitTextOnDisk.empty() && State().Root) DeclareBoundHandlers(*this, *Source, State().Root);
  const String Text = Source ? Source->Text() : String();
  const bool WriteUnit = Source && Text != FUnitTextOnDisk;
  // The unit is the author's: one changed on disk since it was read is replaced only when the
  // host's question says so, and the form file then stays as it is too.
  if (WriteUnit && UnitChangedOnDisk()) {
    // A unit deleted since it was read is not written again from memory: its author removed it.
    if (!FUnitTextOnDisk.empty() &&
        !State().ComponentDesigner->GetFileSystem()->FileExists(State().FileSystem, UnitFileName()))
      throw EComponentDesignerException(
          Format("'%s' was deleted since it was opened; it was not written again", UnitFileName()));
    if (!HostFileChangedQuestion(UnitFileName()))
      throw EComponentDesignerException(Format(SFileChangedOnDisk, UnitFileName()));
  }
  TComponentRoot::Save();
  SaveViewList(*this);
  if (!WriteUnit) return;
  TStringStream S(Text);
  State().ComponentDesigner->GetFileSystem()->WriteFile(State().FileSystem, UnitFileName(), &S);
  FUnitTextOnDisk = Text;
}

void TReferenceRoot::HostValidateParent(TComponent* Parent) {
  for (TComponent* P = Parent; P; P = P->HasParent() ? P->GetParentComponent() : nullptr)
    if (IsFrame(P)) throw EComponentDesignerException(SNoNewComponentsInFrame);
}

void RegisterOrxModules() {
  for (const TCustomModuleReg& R : CustomModuleRegistrations())
    if (R.RootBaseClass == TForm::StaticClass()) return;
  RegisterCustomModule(TForm::StaticClass(), TCustomModule::StaticClass());
  RegisterCustomModule(TFrame::StaticClass(), TFrameModule::StaticClass());
  RegisterCustomModule(TDataModule::StaticClass(), TDataModuleCustomModule::StaticClass());
  RegisterSelectionEditor(TDataModule::StaticClass(), TDataModuleSelectionEditor::StaticClass());
}

// ----- TReferenceHost -------------------------------------------------------------------------

namespace {
namespace fs = std::filesystem;

String UnitFileOf(const String& FileName) { return fs::path(FileName).replace_extension(".pas").string(); }

String UnitNameOf(const String& FileName) { return fs::path(FileName).stem().string(); }

// How much of a form file names its root's class.
constexpr int64_t HeadSize = 65536;

// The class of a module's root as its stream names it ("object Form1: TForm1"); empty when
// the stream cannot say (opening it then reports why).
String RootClassOfStream(const String& Data) {
  try {
    // The class is named in the stream's first bytes: a large module is not copied to find it.
    const std::string_view Head = std::string_view(Data).substr(0, HeadSize);
    TStringStream S{String(Head)};
    if (TestStreamFormat(&S) >= sofText) {
      const size_t Skip = streamcoding::Utf8MarkLength(Head);
      TParser P(Head.substr(Skip));
      if (!P.TokenSymbolIs("object") && !P.TokenSymbolIs("inherited") && !P.TokenSymbolIs("inline"))
        return String();
      P.NextToken();
      if (P.Token() == toSymbol) P.NextToken();
      if (P.Token() != toChar || P.TokenChar() != ':') return String();
      P.NextToken();
      return P.Token() == toSymbol ? P.TokenString() : String();
    }
    S.SetPosition(0);
    // A binary module may start with a resource header naming the class; the class that counts
    // is the one the component stream itself names.
    S.ReadResHeader();
    TReader R(&S, 4096);
    R.ReadSignature();
    TFilerFlags Flags;
    int Pos = 0;
    R.ReadPrefix(Flags, Pos);
    return R.ReadStr();
  } catch (const std::exception&) {
    return String();
  }
}

// The file's text, or its first Limit bytes.
String ReadText(IModuleFileSystem* Files, const String& FileName, int64_t Limit = INT64_MAX) {
  TOwned<TStream> S = Files->OpenFile(String(), FileName);
  return StreamText(S.get(), Limit);
}
}  // namespace

bool TReferenceRoot::UnitChangedOnDisk() {
  IPtr<IModuleFileSystem> Files = State().ComponentDesigner->GetFileSystem();
  if (!Files->FileExists(State().FileSystem, UnitFileName())) return !FUnitTextOnDisk.empty();
  return ReadText(Files.Get(), UnitFileName()) != FUnitTextOnDisk;
}

IPtr<TModuleSource> TReferenceModuleFactory::CreateSource(const String& UnitName, const String& ClassName,
                                                          const String& AncestorClassName) {
  return MakeIntf<TModuleSource>(UnitName, ClassName, AncestorClassName);
}

IPtr<TReferenceRoot> TReferenceModuleFactory::OpenRoot(const TRootCreateInfo& Info) {
  return OpenComponentRoot<TReferenceRoot>(Info);
}

TReferenceHost::TReferenceHost(IPtr<IModuleFileSystem> FileSystem,
                               std::unique_ptr<TReferenceModuleFactory> Factory)
    : FFactory(Factory ? std::move(Factory) : std::make_unique<TReferenceModuleFactory>()),
      FEnvironment(MakeIntf<TDesignEnvironment>()),
      FFileSystem(FileSystem ? FileSystem : IPtr<IModuleFileSystem>(MakeIntf<TDiskFileSystem>())),
      FDesigner(MakeIntf<TReferenceDesigner>(FEnvironment, FFileSystem, *FFactory)) {
  RegisterOrxModules();
  // Our framework's controls live on forms and frames only.
  FDesigner->SetInvalidDataModuleClasses({TControl::StaticClass()});
  Designers()->RegisterDesigner(FDesigner, "fwf");
  InitializeDesigners(FEnvironment);
  // A reference into another module ("Form2.Edit1") finds that module's root component while
  // the module is open here.
  FModuleFinder = RegisterFindGlobalComponentProc([Designer = FDesigner.Get()](const String& Name) {
    IPtr<IRoot> R = Designer->FindOwnRoot(Name);
    return R ? R->GetRoot() : nullptr;
  });
}

TReferenceHost::~TReferenceHost() {
  CloseAll();
  UnregisterFindGlobalComponentProc(FModuleFinder);
  Designers()->UnregisterDesigner(FDesigner);
}

TModuleSource* TReferenceHost::SourceOf(const IPtr<TReferenceRoot>& Root) {
  return Root ? Root->Source() : nullptr;
}

IPtr<TReferenceRoot> TReferenceHost::Track(IPtr<TReferenceRoot> Root) {
  FRoots.push_back(Root);
  if (OnRootOpened) OnRootOpened(Root);
  return Root;
}

namespace {
// The source learns the unit of each module open in Host (and the module of each unit), so
// that a module it uses is named by its unit.
void NameUnits(TModuleSource& Source, const TReferenceHost& Host) {
  Source.SetUnitNames(
      [&Host](const String& Root) {
        const IPtr<TReferenceRoot> R = Host.Find(Root);
        return R ? UnitNameOf(R->GetFileName()) : String();
      },
      [&Host](const String& Unit) {
        for (const auto& R : Host.Roots())
          if (SameText(UnitNameOf(R->GetFileName()), Unit)) return R->GetRootName();
        return String();
      });
}
}  // namespace

IPtr<TReferenceRoot> TReferenceHost::Open(const String& FileName, bool WithViews) {
  if (IPtr<TReferenceRoot> View = OpenViewFile(*this, FileName)) return View;
  // The unit beside the form file, when there is one, names the class, its ancestor and the
  // handlers; without one the stream's class stands for itself.
  // A unit in which the form class cannot be placed is refused before anything is opened.
  String UnitText;
  bool HasUnit = false;
  const String UnitFile = UnitFileOf(FileName);
  IPtr<TModuleSource> Source = FFactory->CreateSource(UnitNameOf(FileName), String(), String());
  String RootClass;
  String Head;
  try {
    Head = ReadText(FFileSystem.Get(), FileName, HeadSize);
    RootClass = RootClassOfStream(Head);
  } catch (const Exception&) {
    // A file that cannot be read is reported by the open below.
  }
  // A root of a framework class ("object Form1: TForm", written by hand) leaves the module no
  // class of its own to design.
  if (TClass Existing = GetClass(RootClass); Existing && !IsProxyClass(Existing))
    throw EComponentDesignerException(
        Format("the root's class %s is one of the framework's; a module's root needs a class of its own, "
               "as in 'object Form1: TForm1'",
               RootClass));
  if (FFileSystem->FileExists(String(), UnitFile)) {
    UnitText = ReadText(FFileSystem.Get(), UnitFile);
    HasUnit = true;
    Source->LoadUnit(UnitText, UnitFile, RootClass);
  } else if (const String Base = BaseClassOfStreamHead(Head); !Base.empty()) {
    // Without a unit the stream tells what the module is: a data module's opens as one, and
    // the unit a save writes names that class.
    Source->SetClassName(RootClass);
    Source->SetAncestorClassName(Base);
  }
  NameUnits(*Source, *this);
  const String AncestorClassName = Source->GetAncestorClassName(Source->ClassName());
  TRootCreateInfo Info;
  Info.ComponentDesigner = FDesigner;
  Info.Module = Source;
  Info.FileName = FileName;
  if (!AncestorClassName.empty())
    if (IPtr<IRoot> A = FDesigner->FindRoot(AncestorClassName.substr(1)))
      Info.AncestorRoot = Supports<IInternalRoot>(A);
  IPtr<TReferenceRoot> Root = FFactory->OpenRoot(Info);
  Root->SetUnitTextOnDisk(std::move(UnitText));
  // Without a unit the module's class is the stream's and descends from the base class it was
  // created from.
  if (!HasUnit) {
    Source->SetClassName(Root->GetRootClassName());
    Source->SetAncestorClassName(Root->GetAncestorName());
  }
  try {
    if (WithViews) OpenModuleViews(*Root);
  } catch (...) {
    Root->Close();
    throw;
  }
  return Track(Root);
}

IPtr<TReferenceRoot> TReferenceHost::New(const String& RootName, const String& FileName,
                                         const String& AncestorClass, const IPtr<TReferenceRoot>& Ancestor) {
  const String AncestorName = Ancestor ? Ancestor->GetRootName()
                                       : (AncestorClass.size() > 1 ? AncestorClass.substr(1) : AncestorClass);
  TRootCreateInfo Info;
  Info.ComponentDesigner = FDesigner;
  IPtr<TModuleSource> Source = FFactory->CreateSource(
      UnitNameOf(FileName), "T" + RootName, Ancestor ? Ancestor->GetRootClassName() : AncestorClass);
  NameUnits(*Source, *this);
  Info.Module = Source;
  Info.FileName = FileName;
  Info.RootName = RootName;
  Info.AncestorName = AncestorName;
  Info.CreateNew = true;
  if (Ancestor) Info.AncestorRoot = IPtr<IInternalRoot>(static_cast<IInternalRoot*>(Ancestor.Get()));
  return Track(FFactory->OpenRoot(Info));
}

IPtr<TReferenceRoot> TReferenceHost::Find(const String& Name) const {
  for (const auto& R : FRoots)
    if (SameText(R->GetRootName(), Name)) return R;
  return nullptr;
}

void TReferenceHost::Close(const IPtr<TReferenceRoot>& Root) {
  auto It = std::find(FRoots.begin(), FRoots.end(), Root);
  if (It == FRoots.end()) return;
  IPtr<TReferenceRoot> Keep = *It;
  if (OnRootClosing) OnRootClosing(Keep);
  FRoots.erase(std::find(FRoots.begin(), FRoots.end(), Keep));
  // Other modules let go of this one first: references into it go, and its embedded
  // instances; then the module closes and its watchers (descendants) hear of it.
  if (TComponent* Component = Keep->GetRoot()) FDesigner->RemoveDependenciesOn(Component);
  IPtr<IDesignerModule> Module = Keep->GetModule();
  Keep->Close();
  if (auto* Source = dynamic_cast<TModuleSource*>(Module.Get())) Source->Closed();
}

void TReferenceHost::CloseAll() {
  // Descendants and modules that embed others go first: newest first.
  while (!FRoots.empty()) Close(FRoots.back());
}

}  // namespace formwright
