// The views of a module root: the master's list of view roots, the module's list of views, and
// every view operation, which a view root passes to its master.
#include "moduledesigner/RootViews.h"

#include "contracts/Package.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/Lists.h"
#include "platform/runtime/Streams.h"

namespace formwright {

namespace {
// The device registry as a service of the package object.
struct TDeviceRegistry : TPackageService {
  TDeviceRegistry() { AddStandardDevices(Devices); }
  TDeviceInfos Devices;
};

inline constexpr const char* SNoPackage = "No design package is current";
inline constexpr const char* SViewIndex = "View index out of bounds (%d)";
}  // namespace

TDeviceInfos& DeviceRegistry() {
  TDesignPackage* P = CurrentDesignPackage();
  if (!P) throw EInvalidOperation(SNoPackage);
  if (TDeviceRegistry* R = P->Find<TDeviceRegistry>()) return R->Devices;
  return P->AddService(std::make_unique<TDeviceRegistry>()).Devices;
}

size_t ExtensionPos(const String& FileName) {
  const size_t Slash = FileName.find_last_of("/\\");
  const size_t Dot = FileName.rfind('.');
  return Dot != String::npos && (Slash == String::npos || Dot > Slash) ? Dot : FileName.size();
}

String ViewFileName(const String& FileName, const String& ViewName) {
  const size_t Dot = ExtensionPos(FileName);
  return FileName.substr(0, Dot) + Format(".%s%s", ViewName, FileName.substr(Dot));
}

IPtr<IInternalRoot> TRootViews::GetMasterView() const { return FState.MasterView(); }

IPtr<IRootViews> TRootViews::Master() const { return Supports<IRootViews>(GetMasterView()); }

IPtr<IDesignerModuleViews> TRootViews::Support() const {
  return Supports<IDesignerModuleViews>(FState.Module);
}

String TRootViews::GetViewName(int Index) {
  if (IPtr<IRootViews> M = Master()) return M->GetViewName(Index);
  if (Index < 0 || Index >= static_cast<int>(FState.Views.size()))
    throw EListError(Format(SViewIndex, Index));
  return FState.Views[static_cast<size_t>(Index)].first;
}

int TRootViews::GetViewCount() {
  if (IPtr<IRootViews> M = Master()) return M->GetViewCount();
  return static_cast<int>(FState.Views.size());
}

IPtr<IInternalRoot> TRootViews::GetView(int Index) {
  if (IPtr<IRootViews> M = Master()) return M->GetView(Index);
  if (Index < 0 || Index >= static_cast<int>(FState.Views.size()))
    throw EListError(Format(SViewIndex, Index));
  return FState.Views[static_cast<size_t>(Index)].second;
}

int TRootViews::GetViewIndex(const String& Name) {
  if (IPtr<IRootViews> M = Master()) return M->GetViewIndex(Name);
  for (size_t I = 0; I < FState.Views.size(); ++I)
    if (FState.Views[I].first == Name || SameText(FState.Views[I].first, Name)) return static_cast<int>(I);
  return -1;
}

int TRootViews::AddView(const String& Name) {
  if (IPtr<IRootViews> M = Master()) return M->AddView(Name);
  IPtr<IDesignerModuleViews> Views = Support();
  if (!Views) return -1;
  TStringList List;
  Views->GetViewList(&List);
  if (List.IndexOfName(Name) >= 0) throw EComponentDesignerException(Format(SViewExists, Name));
  const TDeviceInfo* Device = DeviceRegistry().Find(Name);
  const String* Value = Device ? Device->Attribute(Views->GetFormFactorAttribute()) : nullptr;
  List.Add(Name + "=" + (Value && !Value->empty() ? *Value : String(" ")));
  const int Index = InternalAddView(Name, false, nullptr);
  Views->SetViewList(&List);
  if (Index >= 0) DesignNotificationViewAdded(FState.GetDesigner(), Name);
  return Index;
}

int TRootViews::InternalAddView(const String& Name, bool Existing, const TDatedStream* Stream) {
  if (IPtr<IRootViews> M = Master()) return M->InternalAddView(Name, Existing, Stream);
  IPtr<IComponentDesigner> Designer = FState.ComponentDesigner;
  if (!Designer) return -1;
  const IPtr<IInternalRoot> Self(FState.Self);
  const String FileName = ViewFileName(FState.FileName, Name);
  IPtr<IInternalRoot> View =
      Stream && Stream->Stream
          ? Designer->CreateViewRoot(FState.Module, Stream->Stream, Stream->ModifyTime, FileName, Name, Self,
                                     FState.FileSystem)
          : Designer->CreateNewViewRoot(FState.Module, FState.Self->GetRootName() + "_" + Name, FileName,
                                        Name, Self, FState.FileSystem, Existing);
  FState.Views.emplace_back(Name, View);
  return static_cast<int>(FState.Views.size()) - 1;
}

void TRootViews::RemoveView(const String& Name) {
  if (IPtr<IRootViews> M = Master()) return M->RemoveView(Name);
  const int Index = GetViewIndex(Name);
  if (Index < 0) throw EComponentDesignerException(Format(SViewNotFound, Name));
  RemoveView(Index);
}

void TRootViews::RemoveView(int Index) {
  if (IPtr<IRootViews> M = Master()) return M->RemoveView(Index);
  IPtr<IDesignerModuleViews> Views = Support();
  if (!Views) return;
  if (Index < 0 || Index >= static_cast<int>(FState.Views.size()))
    throw EListError(Format(SViewIndex, Index));
  TStringList List;
  Views->GetViewList(&List);
  // The module's list and the views are in the same order; a module that lost an entry still
  // loses the view's own.
  const int Entry =
      Index < List.Count() ? Index : List.IndexOfName(FState.Views[static_cast<size_t>(Index)].first);
  const String Name = Entry >= 0 ? List.Names(Entry) : FState.Views[static_cast<size_t>(Index)].first;
  if (Entry >= 0) List.Delete(Entry);
  const IPtr<IInternalRoot> View = FState.Views[static_cast<size_t>(Index)].second;
  if (View) View->Close();
  FState.Views.erase(FState.Views.begin() + Index);
  if (FState.ActiveView == Index)
    FState.ActiveView = -1;
  else if (FState.ActiveView > Index)
    --FState.ActiveView;
  Views->SetViewList(&List);
  DesignNotificationViewRemoved(FState.GetDesigner(), Name);
}

void TRootViews::CreateDesignerViews(const std::vector<TViewContent>* Source) {
  if (IPtr<IRootViews> M = Master()) return M->CreateDesignerViews(Source);
  IPtr<IDesignerModuleViews> Views = Support();
  if (!Views) return;
  if (Source) {
    TStringList List;
    Views->GetViewList(&List);
    for (const TViewContent& V : *Source) {
      TStringStream S(V.Content);
      const TDatedStream Dated{&S, V.ModifyTime};
      InternalAddView(V.Name, true, &Dated);
      if (List.IndexOfName(V.Name) < 0)
        List.Add(V.Name + "=" + (V.FormFactor.empty() ? String(" ") : V.FormFactor));
    }
    Views->SetViewList(&List);
    return;
  }
  TStringList List;
  Views->GetViewList(&List);
  for (int I = 0; I < List.Count(); ++I) {
    const String Name = List.Names(I).empty() ? List[I] : List.Names(I);
    if (GetViewIndex(Name) < 0) InternalAddView(Name, true, nullptr);
  }
}

void TRootViews::CloseViews() {
  if (IsView()) return;
  while (!FState.Views.empty()) {
    const IPtr<IInternalRoot> View = FState.Views.back().second;
    FState.Views.pop_back();
    if (View) View->Close();
  }
  FState.ActiveView = -1;
}

IPtr<IInternalRoot> TRootViews::GetActiveView() {
  if (IPtr<IRootViews> M = Master()) return M->GetActiveView();
  if (FState.ActiveView < 0 || FState.ActiveView >= static_cast<int>(FState.Views.size()))
    return IPtr<IInternalRoot>(FState.Self);
  return FState.Views[static_cast<size_t>(FState.ActiveView)].second;
}

void TRootViews::SetActiveView(const IPtr<IInternalRoot>& Root) {
  if (IPtr<IRootViews> M = Master()) return M->SetActiveView(Root);
  if (Root.Identity() == static_cast<IInterface*>(FState.Self)) {
    FState.ActiveView = -1;
    return;
  }
  for (size_t I = 0; I < FState.Views.size(); ++I)
    if (FState.Views[I].second.Identity() == Root.Identity() && Root) {
      FState.ActiveView = static_cast<int>(I);
      return;
    }
  throw EInvalidArgument(SNotAView);
}

TComponent* TRootViews::GetMasterViewComponent(TComponent* Component) {
  const IPtr<IInternalRoot> M = GetMasterView();
  if (!M || !Component) return Component;
  TComponent* MasterRoot = M->GetRoot();
  if (!MasterRoot || Component == FState.Root) return MasterRoot;
  return Component->Owner() == FState.Root ? MasterRoot->FindComponent(Component->Name()) : nullptr;
}

void TRootViews::SaveViews() {
  if (IsView()) return;
  const auto Views = FState.Views;
  for (const auto& [Name, View] : Views)
    if (View) View->Save();
}

void TRootViews::ViewsGoDormant() {
  if (IsView()) return;
  const auto Views = FState.Views;
  for (const auto& [Name, View] : Views)
    if (View) View->GoDormant();
}

void TRootViews::FileRenamed(const String& NewFileName) {
  if (IsView()) return;
  for (const auto& [Name, View] : FState.Views)
    if (auto Views = Supports<IRootViews>(View)) Views->FileNameChanged(ViewFileName(NewFileName, Name));
}

}  // namespace formwright
