#include "moduledesigner/RootClipboard.h"

#include <algorithm>
#include <set>

#include "formdesigner/ComponentClipboard.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/runtime/Scoped.h"

namespace formwright {

namespace {
inline constexpr const char* SCannotDeleteReadOnly =
    "Selection cannot be deleted.  Source is either in read only mode or is a resource form";
inline constexpr const char* SCannotPaste = "Cannot paste %s in the designer";
}  // namespace

TRootClipboard::TRootClipboard(TRootState& State, TRootHostOperations& Host, TRootSelection& Selection,
                               TRootNames& Names, TRootStreams& Streams, TRootCreation& Creation,
                               std::function<void(TPersistent*)> Removed)
    : FState(State),
      FHost(Host),
      FSelection(Selection),
      FNames(Names),
      FStreams(Streams),
      FCreation(Creation),
      FRemoved(std::move(Removed)) {}

TRootClipboard::~TRootClipboard() = default;

// ----- Edit commands --------------------------------------------------------------------------

bool TRootClipboard::SelectionDeletable() {
  bool AnyComponent = false;
  for (int I = 0; I < FSelection.Count(); ++I) {
    IPtr<IItem> Item = FSelection.Items(I);
    try {
      Item->ValidateDeletable();
    } catch (const ECannotDeleteNonComponentException&) {
      continue;  // left out of the delete, which goes on without it
    } catch (const Exception&) {
      return false;
    }
    AnyComponent = AnyComponent || ExtractComponent(Item) != nullptr;
  }
  return AnyComponent;
}

TEditState TRootClipboard::GetEditState() {
  TEditState State;
  if (!FState.Root) return State;
  const bool Writable = !FState.IsSourceReadOnly();
  bool ComponentSelected = false;
  if (!FSelection.IsRootSelected())
    for (int I = 0; I < FSelection.Count() && !ComponentSelected; ++I)
      ComponentSelected = dynamic_cast<TComponent*>(FSelection.Persistents(I)) != nullptr;
  if (ComponentSelected) {
    State << esCanCopy;
    if (Writable && SelectionDeletable()) State << esCanCut << esCanDelete;
  }
  if (Writable && CanUndelete()) State << esCanUndo;
  if (Writable && CanPaste()) State << esCanPaste;
  for (int I = 0; I < FState.Root->ComponentCount(); ++I)
    if (!IsNoIconComponent(FState.Root->Components(I))) {
      State << esCanSelectAll;
      break;
    }
  return State;
}

void TRootClipboard::EditAction(TEditAction Action) {
  const TEditState State = GetEditState();
  switch (Action) {
    case eaUndo:
      if (State.Contains(esCanUndo)) DoUndelete();
      break;
    case eaCut:
      if (State.Contains(esCanCut)) CutSelection();
      break;
    case eaCopy:
      if (State.Contains(esCanCopy)) CopySelection();
      break;
    case eaPaste:
      if (State.Contains(esCanPaste)) PasteSelection();
      break;
    case eaDelete:
      if (State.Contains(esCanDelete)) DeleteSelection();
      break;
    case eaSelectAll:
      if (State.Contains(esCanSelectAll)) FSelection.SelectAll();
      break;
    default:
      break;  // redo, print and elide mean nothing to a module's components
  }
}

// ----- The selection stream -------------------------------------------------------------------

void TRootClipboard::StreamSelection(TStream* Stream, bool WriteMethods, bool WriteBounds, TStrings* Units) {
  TStringList& UnitList = FStreams.UnitList();
  TScopeExit ClearUnits([&UnitList] { UnitList.Clear(); });
  UnitList.Clear();
  std::vector<TComponent*> Components;
  for (int I = 0; I < FSelection.Count(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(FSelection.Persistents(I))) Components.push_back(C);
  {
    TWriter Writer(Stream, 1024);
    Writer.SetRoot(FState.Root);
    if (WriteBounds) {
      TRect Bounds{2147483647, 2147483647, -2147483647, -2147483647};
      for (int I = 0; I < FSelection.Count(); ++I) {
        const TRect R = FSelection.Items(I)->GetBoundsRect();
        Bounds.Left = std::min(Bounds.Left, R.Left);
        Bounds.Top = std::min(Bounds.Top, R.Top);
        Bounds.Right = std::max(Bounds.Right, R.Right);
        Bounds.Bottom = std::max(Bounds.Bottom, R.Bottom);
      }
      if (Bounds.Right > Bounds.Left && Bounds.Bottom > Bounds.Top)
        for (int V : {Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom}) Writer.WriteInteger(V);
    }
    for (TComponent* C : Components) {
      Writer.WriteSignature();
      FStreams.WriteComponent(&Writer, C);
    }
    Writer.WriteListEnd();
  }
  if (WriteMethods && FState.Module) {
    std::set<String> Collected;
    auto Collect = [&](TComponent* C) {
      for (PPropInfo P : GetPropList(C->ClassType(), TTypeKinds{tkMethod}))
        if (String N = FNames.GetMethodName(GetMethodProp(C, P)); !N.empty()) Collected.insert(std::move(N));
    };
    std::function<void(TComponent*)> Walk = [&](TComponent* C) {
      Collect(C);
      C->GetChildren([&](TComponent* Child) { Walk(Child); }, FState.Root);
    };
    for (TComponent* C : Components) Walk(C);
    const std::vector<String> Names(Collected.begin(), Collected.end());
    const String Text = Names.empty() ? String() : FState.Module->CopyHandlers(Names);
    if (!Text.empty()) Stream->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
  }
  const uint8_t Zero = 0;
  Stream->WriteBuffer(&Zero, 1);
  if (Units)
    for (int I = 0; I < UnitList.Count(); ++I) Units->Add(UnitList[I]);
}

void TRootClipboard::CopySelectionToStream(TStream* Stream, TStrings* Units) {
  if (FSelection.Count() == 0) return;
  FSelection.ForceCommonParent();
  StreamSelection(Stream, true, true, Units);
}

void TRootClipboard::PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) {
  if (!Parent) Parent = FCreation.GetCurrentParent();
  FHost.HostValidateParent(Parent);
  ReadSelection(Stream, Parent, true, Rect);
}

void TRootClipboard::ReadSelection(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect) {
  std::vector<TPersistent*> Before;
  for (int I = 0; I < FSelection.Count(); ++I) Before.push_back(FSelection.Persistents(I));
  // A paste ends the possibility to undelete, but only when it succeeds.
  std::unique_ptr<TMemoryStream> Undelete = std::move(FUndeleteStream);
  TComponent* UndeleteParent = FUndeleteParent;
  const size_t Mark = FComponentsRead.size();
  try {
    TSelectionsUpdate Update(FSelection.List());
    FSelection.List()->Clear();
    FStreams.ReadStream(Stream, Parent, Adjust, Rect, [this](TComponent* C) { ComponentRead(C); });
  } catch (...) {
    UndoRead(Mark, Before, std::move(Undelete), UndeleteParent);
    throw;
  }
  FComponentsRead.resize(Mark);
  FUndeleteParent = nullptr;
  FState.Self->Modified();
}

void TRootClipboard::UndoRead(size_t Mark, const std::vector<TPersistent*>& Before,
                              std::unique_ptr<TMemoryStream> Undelete, TComponent* UndeleteParent) {
  // A stream that cannot be read takes back what it brought: the module, its selection and its
  // undelete stream are as they were.
  {
    TSelectionsUpdate Update(FSelection.List());
    while (FComponentsRead.size() > Mark) {
      TComponent* C = FComponentsRead.back();
      FComponentsRead.pop_back();
      C->Free();
    }
    FSelection.List()->Clear();
    for (TPersistent* P : Before) FSelection.Select(P, true);
  }
  FUndeleteStream = std::move(Undelete);
  FUndeleteParent = FUndeleteStream ? UndeleteParent : nullptr;
}

// ----- Delete and undelete --------------------------------------------------------------------

void TRootClipboard::DeleteSelection() {
  if (FSelection.Count() == 0 || FSelection.IsRootSelected()) return;
  if (FState.IsSourceReadOnly()) throw EComponentDesignerException(SCannotDeleteReadOnly);
  bool CanUndo = true;
  for (int I = 0; I < FSelection.Count(); ++I) {
    try {
      FSelection.Items(I)->ValidateDeletable();
    } catch (const ECannotDeleteNonComponentException&) {
      CanUndo = false;
    }
  }
  FUndeleteStream.reset();
  FUndeleteParent = nullptr;
  if (CanUndo) {
    FSelection.ForceCommonParent();
    IPtr<IItem> Parent = FSelection.Items(0)->GetParent();
    FUndeleteParent = dynamic_cast<TComponent*>(ExtractPersistent(Parent));
    if (!FUndeleteParent) FUndeleteParent = FState.Root;
    auto S = std::make_unique<TMemoryStream>();
    StreamSelection(S.get(), false, false, nullptr);
    FUndeleteStream = std::move(S);
  }
  {
    // Freeing a component reports its removal, which takes it out of the selection; the
    // undelete stream must survive those reports.
    std::unique_ptr<TMemoryStream> Keep = std::move(FUndeleteStream);
    TComponent* KeepParent = FUndeleteParent;
    TSelectionsUpdate Update(FSelection.List());
    TValueScope Suppress(FState.SuppressUpdate, true);
    while (const int Count = FSelection.List()->GetCount()) {
      TPersistent* P = FSelection.Persistents(0);
      if (P)
        if (IPtr<IDesignEnvironment> Env = FState.Environment()) Env->ItemDeleting(FState.GetDesigner(), P);
      if (auto* C = dynamic_cast<TComponent*>(P)) {
        C->Free();
      } else if (auto* Item = dynamic_cast<TCollectionItem*>(P)) {
        // Nothing reports a collection item leaving: it is announced while it is still whole,
        // then freed, which takes it out of its collection.
        FRemoved(Item);
        Item->Free();
      }
      // Any other persistent lives inside its component (a property's object) and is not
      // the designer's to free.
      if (FSelection.List()->GetCount() == Count) FSelection.List()->Remove(0);
    }
    FUndeleteStream = std::move(Keep);
    FUndeleteParent = FUndeleteStream ? KeepParent : nullptr;
  }
  if (FState.Surface)
    if (IPtr<IItem> Next = FState.Surface->NextTabItem(nullptr, false))
      FSelection.Select(ExtractPersistent(Next), false);
  FState.Self->Modified();
}

void TRootClipboard::DoUndelete() {
  if (!FUndeleteStream) return;
  TValueScope Undeleting(FUndeleting, true);
  // The read takes the stream over and frees it when it succeeds; one that fails gives it back.
  FUndeleteStream->SetPosition(0);
  TComponent* Parent = FUndeleteParent ? FUndeleteParent : FState.Root;
  ReadSelection(FUndeleteStream.get(), Parent, false, TRect{});
}

// ----- The designer's clipboard commands ------------------------------------------------------

void TRootClipboard::CopySelection() {
  TMemoryStream S;
  CopySelectionToStream(&S, nullptr);
  if (S.Size() == 0) return;
  S.SetPosition(0);
  CopyStreamToClipboard(&S);
}

void TRootClipboard::CutSelection() {
  CopySelection();
  DeleteSelection();
}

bool TRootClipboard::CanPaste() { return ClipboardComponents(); }

void TRootClipboard::PasteSelection() {
  TOwned<TMemoryStream> S = GetClipboardStream();
  PasteSelectionFromStream(S.get(), nullptr, TRect{});
}

// ----- Reading components ---------------------------------------------------------------------

void TRootClipboard::ComponentRead(TComponent* Component) {
  // A refused component is freed by the reader, which frees with it what was read into it.
  if (!FAllowNonVisualPaste && !FUndeleting && IsNoIconComponent(Component))
    throw EComponentDesignerException(Format(SCannotPaste, Component->ClassName()));
  if (FState.UpdateManager && FState.UpdateManager->GetHasDescendents() &&
      !Component->ComponentStyle().Contains(csInheritable))
    throw EComponentDesignerException(Format(SNotInheritable, Component->ClassName()));
  FCreation.CanInsertComponent(Component);
  if (FState.CustomModule) FState.CustomModule->ValidateComponent(Component);
  FComponentsRead.push_back(Component);
  FSelection.Select(Component, true);
}

// ----- Changes --------------------------------------------------------------------------------

void TRootClipboard::InstanceInserted() noexcept {
  if (!FUndeleting) FUndeleteStream.reset();
}

void TRootClipboard::InstanceRemoved(TPersistent* Persistent) noexcept {
  auto Read = std::find(FComponentsRead.begin(), FComponentsRead.end(), Persistent);
  if (Read != FComponentsRead.end()) FComponentsRead.erase(Read);
  if (Persistent == FUndeleteParent) {
    FUndeleteParent = nullptr;
    FUndeleteStream.reset();
  }
}

void TRootClipboard::Close() noexcept { FUndeleteStream.reset(); }

}  // namespace formwright
