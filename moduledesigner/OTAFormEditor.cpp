#include "moduledesigner/OTAFormEditor.h"

#include <chrono>
#include <ctime>

#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/OTAComponent.h"
#include "platform/runtime/DateUtils.h"
#include "platform/runtime/StreamAdapter.h"

namespace formwright {

FW_REGISTER_CLASS(TOTANotifierObject, "ComponentDesigner")
FW_REGISTER_CLASS(TOTAFormEditor, "ComponentDesigner")

// ----- Dates ----------------------------------------------------------------------------------

bool TryStampToDateTime(int64_t Stamp, TDateTime& Value) {
  if (Stamp == -1) return false;
  constexpr int64_t NanosPerSecond = 1'000'000'000;
  int64_t Seconds = Stamp / NanosPerSecond;
  int64_t Nanos = Stamp % NanosPerSecond;
  if (Nanos < 0) {
    Nanos += NanosPerSecond;
    --Seconds;
  }
  const auto Time = static_cast<std::time_t>(Seconds);
  std::tm Utc{};
  if (!gmtime_r(&Time, &Utc)) return false;
  TDateTime Date, Day;
  // A leap second counts as the last second of its minute.
  if (!TryEncodeDate(Utc.tm_year + 1900, Utc.tm_mon + 1, Utc.tm_mday, Date) ||
      !TryEncodeTime(Utc.tm_hour, Utc.tm_min, std::min(Utc.tm_sec, 59), static_cast<int>(Nanos / 1'000'000),
                     Day))
    return false;
  // Before 1899-12-30 the day counts backwards while the time of day still counts forwards.
  Value = Date.Value < 0 ? Date.Value - Day.Value : Date.Value + Day.Value;
  return true;
}

namespace {
TDateTime UniversalNow() {
  TDateTime Now;
  const auto Stamp = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
  TryStampToDateTime(static_cast<int64_t>(Stamp), Now);
  return Now;
}
}  // namespace

// ----- The module -----------------------------------------------------------------------------

String TOTAFormEditor::GetFileName() { return FRoot ? FRoot->GetFileName() : String(); }

bool TOTAFormEditor::GetModified() { return FRoot && FRoot->GetModifyTime() != FRoot->GetTimeAtLoad(); }

bool TOTAFormEditor::MarkModified() {
  if (FRoot) FRoot->Modified();
  return true;
}

void TOTAFormEditor::ResetDiskAge() {
  if (FRoot) FRoot->ResetDiskAge();
}

IPtr<IOTAModule> TOTAFormEditor::GetModule() {
  return FRoot ? Supports<IOTAModule>(FRoot->GetModule()) : nullptr;
}

IPtr<IDesigner> TOTAFormEditor::GetFormDesigner() { return FRoot ? FRoot->GetDesigner() : nullptr; }

void TOTAFormEditor::Show() {
  if (FRoot) FRoot->ShowWindow(true);
}

// ----- Components and the selection -----------------------------------------------------------

IPtr<IOTAComponent> TOTAFormEditor::GetRootComponent() {
  return FRoot ? OTAComponentOf(FRoot->GetRoot(), FRoot) : nullptr;
}

IPtr<IOTAComponent> TOTAFormEditor::FindComponent(const String& Name) {
  TComponent* Root = FRoot ? FRoot->GetRoot() : nullptr;
  return Root ? OTAComponentOf(Root->FindComponent(Name), FRoot) : nullptr;
}

IPtr<IOTAComponent> TOTAFormEditor::GetComponentFromHandle(TPersistent* Handle) {
  return FRoot ? OTAComponentOf(Handle, FRoot) : nullptr;
}

int TOTAFormEditor::GetSelCount() { return FRoot ? FRoot->GetSelection()->GetCount() : 0; }

IPtr<IOTAComponent> TOTAFormEditor::GetSelComponent(int Index) {
  if (!FRoot) return nullptr;
  IPtr<IDesignerSelections> Selection = FRoot->GetSelection();
  if (Index >= 0 && Index < Selection->GetCount()) return OTAComponentOf(Selection->Get(Index), FRoot);
  return Index == 0 ? GetRootComponent() : nullptr;
}

IPtr<IOTAComponent> TOTAFormEditor::GetCreateParent() {
  return FRoot ? OTAComponentOf(FRoot->GetCurrentParent(), FRoot) : nullptr;
}

IPtr<IOTAComponent> TOTAFormEditor::CreateComponent(const IPtr<IOTAComponent>& Container,
                                                    const String& TypeName, int X, int Y, int W, int H) {
  if (!FRoot || !FRoot->GetRoot()) return nullptr;
  TClass ComponentClass = GetClass(TypeName);
  if (!ComponentClass || !ComponentClass->InheritsFrom(TComponent::StaticClass())) return nullptr;
  TComponent* Parent = nullptr;
  if (IPtr<INTAComponent> Native = Supports<INTAComponent>(Container)) Parent = Native->GetComponent();
  if (!Parent) Parent = FRoot->GetRoot();
  return OTAComponentOf(FRoot->CreateComponent(ComponentClass, Parent, X, Y, W, H), FRoot);
}

// ----- The stream -----------------------------------------------------------------------------

TComponentRoot* TOTAFormEditor::OpenRoot() const noexcept {
  return FRoot && !FRoot->IsClosed() ? FRoot : nullptr;
}

void TOTAFormEditor::GetFormResource(const IPtr<IStream>& Stream) {
  if (OpenRoot() && Stream) CopyStream(*FRoot->GetRootStream(), *Stream);
}

void TOTAFormEditor::GetFormResource(TStream* Stream) {
  if (!OpenRoot() || !Stream) return;
  Stream->CopyFrom(FRoot->GetRootStream(), 0);
  Stream->SetPosition(0);
}

IPtr<IStream> TOTAFormEditor::GetContent() {
  return OpenRoot() ? AdaptStream(FRoot->GetRootStream(), FRoot->GetModifyTime()) : nullptr;
}

TDateTime TOTAFormEditor::GetContentAge() {
  TDateTime Age;
  if (FRoot && TryStampToDateTime(FRoot->GetModifyTime(), Age)) return Age;
  return UniversalNow();
}

void TOTAFormEditor::SetContent(const IPtr<IStream>& Stream) {
  if (!FRoot || !Stream) return;
  auto Content = std::make_unique<TMemoryStream>();
  CopyStream(*Stream, *Content);
  FRoot->SetContent(std::move(Content));
}

// ----- Notifiers ------------------------------------------------------------------------------

void TOTAFormEditor::FormModified() {
  ForEachNotifier<IOTANotifier>([](const IPtr<IOTANotifier>& N) { N->Modified(); });
}

void TOTAFormEditor::FormSaving() {
  ForEachNotifier<IOTAFormNotifier>([](const IPtr<IOTAFormNotifier>& N) { N->FormSaving(); });
}

void TOTAFormEditor::NotifyActivate() {
  ForEachNotifier<IOTAFormNotifier>([](const IPtr<IOTAFormNotifier>& N) { N->FormActivated(); });
}

void TOTAFormEditor::NotifyDestruct() {
  ForEachNotifier<IOTANotifier>([](const IPtr<IOTANotifier>& N) { N->Destroyed(); });
  ClearNotifiers();
}

void TOTAFormEditor::NotifyRenamed(TComponent* Component, const String& OldName, const String& NewName) {
  // Every component read names itself here: the call's arguments go by one reference, which
  // the notifier walk keeps without allocating.
  const struct {
    TComponent* Component;
    const String& OldName;
    const String& NewName;
  } Rename{Component, OldName, NewName};
  ForEachNotifier<IOTAFormNotifier>([&Rename](const IPtr<IOTAFormNotifier>& N) {
    N->ComponentRenamed(Rename.Component, Rename.OldName, Rename.NewName);
  });
}

}  // namespace formwright
