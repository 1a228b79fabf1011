// The designer interface of a module root: what editors ask of the module they edit.
#include "editors/DesignEditors.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

void TComponentRoot::Notification(TPersistent* AnObject, TOperation Operation) {
  if (Operation == opRemove)
    InstanceRemoved(AnObject);
  else
    InstanceInserted(AnObject);
}

void TComponentRoot::Activate() {
  if (FComponentDesigner) FComponentDesigner->RootActivated(IPtr<IRoot>(static_cast<IRoot*>(this)));
}

// Environment questions are answered by the design environment, unchanged.
IPtr<IDesignEnvironment> TComponentRoot::Environment() const {
  return FComponentDesigner ? FComponentDesigner->GetEnvironment() : nullptr;
}

String TComponentRoot::GetPathAndBaseExeName() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetPathAndBaseExeName() : String();
}

String TComponentRoot::GetPrivateDirectory() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetPrivateDirectory() : String();
}

String TComponentRoot::GetBaseRegKey() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetBaseRegKey() : String();
}

TCustomIniFile* TComponentRoot::GetIDEOptions() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetIDEOptions() : nullptr;
}

String TComponentRoot::GetAppDataDirectory() {
  IPtr<IDesignEnvironment> Env = Environment();
  return Env ? Env->GetAppDataDirectory() : String();
}

String TComponentRoot::GetProjectName() {
  const String Exe = GetPathAndBaseExeName();
  const size_t Slash = Exe.find_last_of("/\\");
  return Slash == String::npos ? Exe : Exe.substr(Slash + 1);
}

// ----- Components -----------------------------------------------------------------------------

bool TComponentRoot::IsComponentLinkable(TComponent* Component) { return Component != nullptr; }

bool TComponentRoot::IsComponentHidden(TComponent* Component) { return IsNoIconComponent(Component); }

void TComponentRoot::MakeComponentLinkable(TComponent* Component) {
  IPtr<IRoot> Other =
      FComponentDesigner ? FComponentDesigner->FindRootOf(Component ? Component->Owner() : nullptr) : nullptr;
  if (Other && FModule) FModule->AddImportedRoot(Other->GetRootName());
}

bool TComponentRoot::CanRevert(TPersistent* Instance, PPropInfo PropInfo) {
  return FUpdateManager && FUpdateManager->CanRevert(Instance, PropInfo);
}

void TComponentRoot::Revert(TPersistent* Instance, PPropInfo PropInfo) {
  if (FUpdateManager) FUpdateManager->Revert(Instance, PropInfo);
}

IPtr<IDesigner> TComponentRoot::GetAncestorDesigner() {
  return FAncestorRoot ? FAncestorRoot->GetDesigner() : nullptr;
}

void TComponentRoot::Edit(TComponent* Component) {
  if (IPtr<IComponentEditor> E = formwright::GetComponentEditor(Component, GetDesigner())) E->Edit();
}

void TComponentRoot::ChainCall(const String& MethodName, const String& InstanceName,
                               const String& InstanceMethod, PTypeData TypeData) {}

// ----- Module -------------------------------------------------------------------------------

void TComponentRoot::ModuleFileNames(String& ImplFileName, String& IntfFileName, String& FormFileName) {
  FormFileName = FFileName;
  const size_t Dot = FFileName.find_last_of('.');
  ImplFileName = (Dot == String::npos ? FFileName : FFileName.substr(0, Dot)) + ".pas";
  IntfFileName = String();
}

TPersistentClass TComponentRoot::ActiveClassGroup() {
  TClass G = HostClassGroup();
  return G ? ClassGroupOf(G) : nullptr;
}

TComponent* TComponentRoot::FindRootAncestor(const String& ClassName) {
  return FindDesignedRootOfClass(FComponentDesigner, ClassName);
}

bool TComponentRoot::CanAdd(TComponentClass ComponentClass) {
  return !FCustomModule || FCustomModule->ValidateComponentClass(ComponentClass);
}

String TComponentRoot::GetDesignerExtension() { return String(); }

void TComponentRoot::GetUnits(const TGetStrProc& Proc) {
  for (int I = 0; I < FUnitList->Count(); ++I) Proc((*FUnitList)[I]);
}

namespace {
// The module's form file as a read-only stream: the root's current stream, handed back to the
// root as its cache when released while nothing changed.
class TFormFileStream : public TInterfacedObject, public IStream {
 public:
  TFormFileStream(TComponentRoot* Root, std::unique_ptr<TMemoryStream> Data, int64_t ModifyTime, bool Private)
      : FKeepRoot(static_cast<IInternalRoot*>(Root)),
        FRoot(Root),
        FData(std::move(Data)),
        FModifyTime(ModifyTime),
        FPrivate(Private) {
    FData->SetPosition(0);
  }
  ~TFormFileStream() override {
    if (!FPrivate) FRoot->ReturnFormFileStream(std::move(FData), FModifyTime);
  }
  int64_t Read(void* Buffer, int64_t Count) override { return FData->Read(Buffer, Count); }
  int64_t Write(const void*, int64_t) override { return 0; }
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override { return FData->Seek(Offset, Origin); }
  int64_t GetSize() override { return FData->Size(); }
  int64_t GetModifyTime() override { return FModifyTime; }

 private:
  IPtr<IInternalRoot> FKeepRoot;
  TComponentRoot* FRoot;
  std::unique_ptr<TMemoryStream> FData;
  int64_t FModifyTime;
  bool FPrivate;
};
}  // namespace

IPtr<IStream> TComponentRoot::FormFileOpen() {
  if (IsDormant()) {
    auto Copy = std::make_unique<TMemoryStream>();
    Copy->LoadFromStream(FDormantStream.get());
    return MakeIntf<TFormFileStream>(this, std::move(Copy), FModifyTime, true);
  }
  GetRootStream();
  return MakeIntf<TFormFileStream>(this, std::move(FCachedStream), FModifyTime, false);
}

void TComponentRoot::ReturnFormFileStream(std::unique_ptr<TMemoryStream> Stream, int64_t ModifyTime) {
  if (ModifyTime == FModifyTime && !FCachedStream && !IsDormant()) FCachedStream = std::move(Stream);
}

}  // namespace formwright
