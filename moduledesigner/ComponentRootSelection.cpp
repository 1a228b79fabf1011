// The module's selection, the selection stream behind copy and delete, paste and undelete.
#include "editors/DesignEditors.h"
#include "formdesigner/ComponentClipboard.h"
#include "moduledesigner/ComponentRoot.h"
#include "moduledesigner/ModuleRegistry.h"

namespace formwright {

namespace {
inline constexpr const char* SCannotDeleteReadOnly =
    "Selection cannot be deleted.  Source is either in read only mode or is a resource form";

// Keeps a flag set for a scope.
struct TFlagScope {
  bool& Flag;
  explicit TFlagScope(bool& F) : Flag(F) { Flag = true; }
  ~TFlagScope() { Flag = false; }
};
}  // namespace

// ----- Items ----------------------------------------------------------------------------------

IPtr<IItem> TComponentRoot::ItemOf(TPersistent* Persistent) {
  if (!Persistent) return nullptr;
  if (FSurface) return FSurface->FindItem(Persistent);
  for (const auto& I : FPlainItems)
    if (ExtractPersistent(I) == Persistent) return I;
  IPtr<IItem> Item =
      MakeIntf<TComponentItem>(Persistent, IPtr<IItemContext>(static_cast<IItemContext*>(this)));
  FPlainItems.push_back(Item);
  return Item;
}

IPtr<IComponentEditor> TComponentRoot::GetComponentEditor(TComponent* Component) {
  return formwright::GetComponentEditor(Component, GetDesigner());
}

void TComponentRoot::SetGrabHandles(const IPtr<IItem>& Item) {
  if (!FSurface) return;
  if (IPtr<IGrabHandles> G = FSurface->GetGrabHandles()) G->SetItem(Item);
}

// ----- Selecting ------------------------------------------------------------------------------

void TComponentRoot::Select(TPersistent* Persistent, bool Add) {
  if (!Persistent) return;
  TSelectionsUpdate Update(FSelectionList);
  if (!Add) FSelectionList->Clear();
  if (IPtr<IInternalItem> Item = Supports<IInternalItem>(ItemOf(Persistent))) {
    FSelectionList->Add(Item);
    Item->Show();
  }
}

void TComponentRoot::SelectComponent(TPersistent* Instance) {
  auto* C = dynamic_cast<TComponent*>(Instance);
  if (C)
    if (IPtr<IDesigner> Other = Supports<IDesigner>(C->FindRootDesigner());
        Other && Other->GetRoot() != FRoot) {
      Other->Activate();
      Other->SelectComponent(Instance);
      return;
    }
  Select(Instance, false);
}

void TComponentRoot::SelectComponent(const IPtr<IDesignObject>& ADesignObject) {
  if (IPtr<IDesignPersistent> P = Supports<IDesignPersistent>(ADesignObject))
    SelectComponent(P->GetPersistent());
}

void TComponentRoot::SetSelections(const IPtr<IDesignerSelections>& List) {
  if (FSelectionList->GetSelectionLevel() > 0) return;
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  for (int I = 0; List && I < List->GetCount(); ++I) Select(List->Get(I), true);
}

void TComponentRoot::GetSelections(const IPtr<IDesignerSelections>& List) {
  const int Before = List->GetCount();
  for (int I = 0; I < FSelections->GetCount(); ++I)
    if (TPersistent* P = FSelections->GetPersistents(I)) List->Add(P);
  if (FSelections->GetCount() == 0 && !FNoSelection && Before == 0 && FRoot) List->Add(FRoot);
}

IPtr<IDesignerSelections> TComponentRoot::GetSelection() {
  IPtr<IDesignerSelections> L = CreateSelectionList();
  GetSelections(L);
  return L;
}

void TComponentRoot::SetSelection(const String& Name) {
  if (!FRoot) return;
  if (SameText(Name, FRoot->Name()))
    Select(FRoot, false);
  else if (TComponent* C = FRoot->FindComponent(Name))
    Select(C, false);
}

void TComponentRoot::ClearSelection() {
  {
    TSelectionsUpdate Update(FSelectionList);
    FSelectionList->Clear();
  }
  FNoSelection = false;
}

void TComponentRoot::NoSelection() {
  TSelectionsUpdate Update(FSelectionList);
  FSelectionList->Clear();
  FNoSelection = true;
}

void TComponentRoot::SelectAll() {
  if (!FRoot) return;
  TSelectionsUpdate Update(FSelectionList);
  ClearSelection();
  for (int I = 0; I < FRoot->ComponentCount(); ++I)
    if (!IsNoIconComponent(FRoot->Components(I))) Select(FRoot->Components(I), true);
}

TPersistent* TComponentRoot::SelectedPersistent() {
  return FSelections->GetCount() > 0 ? FSelections->GetPersistents(0) : nullptr;
}

TComponent* TComponentRoot::SelectedComponent() { return dynamic_cast<TComponent*>(SelectedPersistent()); }

bool TComponentRoot::IsRootSelected() { return FRoot && FSelections->FindItemFor(FRoot); }

bool TComponentRoot::IsAnchorSelection(TPersistent* Persistent) {
  return FSelections->GetCount() >= 2 && FSelections->GetPersistents(0) == Persistent;
}

IPtr<IItem> TComponentRoot::FindSelection(TPersistent* Persistent) {
  return FSelections->FindItemFor(Persistent);
}

void TComponentRoot::ForceCommonParent() {
  if (FSelectionList->GetCount() == 0) return;
  TSelectionsUpdate Update(FSelectionList);
  IPtr<IItem> Parent = FSelectionList->GetItems(0)->GetParent();
  for (int I = FSelectionList->GetCount() - 1; I >= 0; --I) {
    IPtr<IItem> P = FSelectionList->GetItems(I)->GetParent();
    if (!SameItem(P, Parent)) FSelectionList->Remove(I);
  }
}

int TComponentRoot::GetSelectableComponentCount() {
  if (!FSelectableValid) {
    FSelectableComponents.clear();
    if (FRoot) {
      for (int I = 0; I < FRoot->ComponentCount(); ++I) FSelectableComponents.push_back(FRoot->Components(I));
      // Inline frame instances show their own components too, recursively, after the root's.
      for (size_t I = 0; I < FSelectableComponents.size(); ++I) {
        TComponent* C = FSelectableComponents[I];
        if (IsFrame(C))
          for (int J = 0; J < C->ComponentCount(); ++J) FSelectableComponents.push_back(C->Components(J));
      }
    }
    FSelectableValid = true;
  }
  return static_cast<int>(FSelectableComponents.size());
}

TComponent* TComponentRoot::GetSelectableComponents(int Index) {
  if (Index < 0 || Index >= GetSelectableComponentCount()) throw EListError(Format(SListIndexError, Index));
  return FSelectableComponents[static_cast<size_t>(Index)];
}

// ----- Changes --------------------------------------------------------------------------------

void TComponentRoot::SelectionsChanged(TSelections* Sender) {
  if (FSuppressSelectionChange) return;
  const int Count = FSelections->GetCount();
  std::vector<IPtr<IItem>> Marked;
  if (Count == 0) {
    SetGrabHandles(nullptr);
  } else if (Count == 1) {
    FNoSelection = false;
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(FSelections->GetItems(0))) I->SetMarked(false);
    SetGrabHandles(FSelections->GetItems(0));
  } else {
    FNoSelection = false;
    for (int I = 0; I < Count; ++I) {
      IPtr<IItem> Item = FSelections->GetItems(I);
      Marked.push_back(Item);
      auto It = std::find_if(FMarked.begin(), FMarked.end(),
                             [&](const IPtr<IItem>& M) { return SameItem(M, Item); });
      if (It != FMarked.end()) FMarked.erase(It);
    }
    SetGrabHandles(nullptr);
  }
  for (const auto& Old : FMarked)
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(Old)) I->SetMarked(false);
  for (const auto& New : Marked)
    if (IPtr<IInternalItem> I = Supports<IInternalItem>(New)) I->SetMarked(true);
  FMarked = std::move(Marked);
  if (FComponentDesigner && FRoot && !FClosing)
    FComponentDesigner->SetSelection(GetDesigner(), FFormWindow, GetSelection());
}

void TComponentRoot::Deleting(const IPtr<IUpdateManager>& Manager, TPersistent* Instance) {
  if (!FSurface || !Instance) return;
  IPtr<IGrabHandles> G = FSurface->GetGrabHandles();
  IPtr<IItem> Item = G && G->GetItem() ? ItemOf(Instance) : nullptr;
  if (Item && (SameItem(G->GetItem(), Item) || SameItem(G->GetItem(), Item->GetParent())))
    G->SetItem(nullptr);
}

void TComponentRoot::InstanceInserted(TPersistent* Persistent) {
  if (!FUndeleting) FUndeleteStream.reset();
  DesignNotificationItemInserted(GetDesigner(), Persistent);
  FSelectableValid = false;
}

void TComponentRoot::InstanceRemoved(TPersistent* Persistent) {
  FNameHints.clear();
  auto Read = std::find(FComponentsRead.begin(), FComponentsRead.end(), Persistent);
  if (Read != FComponentsRead.end()) FComponentsRead.erase(Read);
  if (FUpdateManager) FUpdateManager->Notification(Persistent, opRemove);
  if (IPtr<IItem> Item = FSelections->FindItemFor(Persistent)) {
    auto It =
        std::find_if(FMarked.begin(), FMarked.end(), [&](const IPtr<IItem>& M) { return SameItem(M, Item); });
    if (It != FMarked.end()) FMarked.erase(It);
    FSelectionList->Remove(Item);
    if (FSurface)
      if (IPtr<IGrabHandles> G = FSurface->GetGrabHandles(); G && SameItem(G->GetItem(), Item))
        G->SetItem(nullptr);
  }
  auto P = std::find_if(FPlainItems.begin(), FPlainItems.end(),
                        [&](const IPtr<IItem>& I) { return ExtractPersistent(I) == Persistent; });
  if (P != FPlainItems.end()) FPlainItems.erase(P);
  if (IPtr<IDesignEnvironment> Env = Environment()) Env->ItemDeleted(GetDesigner(), Persistent);
  auto* C = dynamic_cast<TComponent*>(Persistent);
  if (FSurface && C && IsFrame(C)) FSurface->DropItems(C);
  if (C) UnlistFrames(C);
  if (Persistent == FCurrentParent) FCurrentParent = nullptr;
  if (Persistent == FUndeleteParent) {
    FUndeleteParent = nullptr;
    FUndeleteStream.reset();
  }
  DesignNotificationItemDeleted(GetDesigner(), Persistent);
  FSelectableValid = false;
}

void TComponentRoot::UnlistFrames(TComponent* Component) {
  // Frames owned by a leaving one go with it, while they can still be asked for their owner.
  auto Within = [Component](TComponent* Frame) {
    for (TComponent* C = Frame; C; C = C->Owner())
      if (C == Component) return true;
    return false;
  };
  std::erase_if(FModifiableFrames, Within);
}

// ----- The selection stream -------------------------------------------------------------------

void TComponentRoot::StreamSelection(TStream* Stream, bool WriteMethods, bool WriteBounds, TStrings* Units) {
  struct TUnitsScope {
    TComponentRoot& R;
    TStrings* Units;
    ~TUnitsScope() { R.FUnitList->Clear(); }
  } Scope{*this, Units};
  FUnitList->Clear();
  std::vector<TComponent*> Components;
  for (int I = 0; I < FSelections->GetCount(); ++I)
    if (auto* C = dynamic_cast<TComponent*>(FSelections->GetPersistents(I))) Components.push_back(C);
  {
    TWriter Writer(Stream, 1024);
    Writer.SetRoot(FRoot);
    Writer.OnFindAncestor = [this](TWriter* W, TComponent* C, const String& N, TComponent*& A,
                                   TComponent*& RA) { WriterFindAncestor(W, C, N, A, RA); };
    if (WriteBounds) {
      TRect Bounds{2147483647, 2147483647, -2147483647, -2147483647};
      for (int I = 0; I < FSelections->GetCount(); ++I) {
        const TRect R = FSelections->GetItems(I)->GetBoundsRect();
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
      WriteComponent(&Writer, C);
    }
    Writer.WriteListEnd();
  }
  if (WriteMethods && FModule) {
    std::vector<String> Names;
    auto Collect = [&](TComponent* C) {
      for (PPropInfo P : GetPropList(C->ClassType(), TTypeKinds{tkMethod})) {
        const String N = GetMethodName(GetMethodProp(C, P));
        if (!N.empty() && std::find(Names.begin(), Names.end(), N) == Names.end()) Names.push_back(N);
      }
    };
    std::function<void(TComponent*)> Walk = [&](TComponent* C) {
      Collect(C);
      C->GetChildren([&](TComponent* Child) { Walk(Child); }, FRoot);
    };
    for (TComponent* C : Components) Walk(C);
    std::sort(Names.begin(), Names.end());
    const String Text = Names.empty() ? String() : FModule->CopyHandlers(Names);
    if (!Text.empty()) Stream->WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
  }
  const uint8_t Zero = 0;
  Stream->WriteBuffer(&Zero, 1);
  if (Units)
    for (int I = 0; I < FUnitList->Count(); ++I) Units->Add((*FUnitList)[I]);
}

void TComponentRoot::CopySelectionToStream(TStream* Stream, TStrings* Units) {
  if (FSelections->GetCount() == 0) return;
  ForceCommonParent();
  StreamSelection(Stream, true, true, Units);
}

void TComponentRoot::PasteSelectionFromStream(TStream* Stream, TComponent* Parent, const TRect& Rect) {
  if (!Parent) Parent = GetCurrentParent();
  HostValidateParent(Parent);
  ReadSelection(Stream, Parent, true, Rect);
}

void TComponentRoot::ReadSelection(TStream* Stream, TComponent* Parent, bool Adjust, const TRect& Rect) {
  std::vector<TPersistent*> Before;
  for (int I = 0; I < FSelections->GetCount(); ++I) Before.push_back(FSelections->GetPersistents(I));
  // A paste ends the possibility to undelete, but only when it succeeds.
  std::unique_ptr<TMemoryStream> Undelete = std::move(FUndeleteStream);
  TComponent* UndeleteParent = FUndeleteParent;
  const size_t Mark = FComponentsRead.size();
  try {
    TSelectionsUpdate Update(FSelectionList);
    FSelectionList->Clear();
    ReadStream(Stream, Parent, Adjust, Rect);
  } catch (...) {
    UndoRead(Mark, Before, std::move(Undelete), UndeleteParent);
    throw;
  }
  FComponentsRead.resize(Mark);
  FUndeleteParent = nullptr;
  Modified();
}

void TComponentRoot::UndoRead(size_t Mark, const std::vector<TPersistent*>& Before,
                              std::unique_ptr<TMemoryStream> Undelete, TComponent* UndeleteParent) {
  // A stream that cannot be read takes back what it brought: the module, its selection and its
  // undelete stream are as they were.
  {
    TSelectionsUpdate Update(FSelectionList);
    while (FComponentsRead.size() > Mark) {
      TComponent* C = FComponentsRead.back();
      FComponentsRead.pop_back();
      C->Free();
    }
    FSelectionList->Clear();
    for (TPersistent* P : Before) Select(P, true);
  }
  FUndeleteStream = std::move(Undelete);
  FUndeleteParent = FUndeleteStream ? UndeleteParent : nullptr;
}

// ----- Delete and undelete --------------------------------------------------------------------

void TComponentRoot::DeleteSelection(bool ADoAll) {
  if (FSelections->GetCount() == 0 || IsRootSelected()) return;
  if (IsSourceReadOnly()) throw EComponentDesignerException(SCannotDeleteReadOnly);
  bool CanUndo = true;
  for (int I = 0; I < FSelections->GetCount(); ++I) {
    try {
      FSelections->GetItems(I)->ValidateDeletable();
    } catch (const ECannotDeleteNonComponentException&) {
      CanUndo = false;
    }
  }
  FUndeleteStream.reset();
  FUndeleteParent = nullptr;
  if (CanUndo) {
    ForceCommonParent();
    IPtr<IItem> Parent = FSelections->GetItems(0)->GetParent();
    FUndeleteParent = dynamic_cast<TComponent*>(ExtractPersistent(Parent));
    if (!FUndeleteParent) FUndeleteParent = FRoot;
    auto S = std::make_unique<TMemoryStream>();
    StreamSelection(S.get(), false, false, nullptr);
    FUndeleteStream = std::move(S);
  }
  {
    // Freeing a component reports its removal, which takes it out of the selection; the
    // undelete stream must survive those reports.
    std::unique_ptr<TMemoryStream> Keep = std::move(FUndeleteStream);
    TComponent* KeepParent = FUndeleteParent;
    TSelectionsUpdate Update(FSelectionList);
    FSuppressUpdate = true;
    struct TRestore {
      bool& Flag;
      ~TRestore() { Flag = false; }
    } Restore{FSuppressUpdate};
    while (const int Count = FSelectionList->GetCount()) {
      TPersistent* P = FSelections->GetPersistents(0);
      if (P)
        if (IPtr<IDesignEnvironment> Env = Environment()) Env->ItemDeleting(GetDesigner(), P);
      if (auto* C = dynamic_cast<TComponent*>(P)) {
        C->Free();
      } else if (auto* Item = dynamic_cast<TCollectionItem*>(P)) {
        // Nothing reports a collection item leaving: it is announced while it is still whole,
        // then freed, which takes it out of its collection.
        InstanceRemoved(Item);
        Item->Free();
      }
      // Any other persistent lives inside its component (a property's object) and is not
      // the designer's to free.
      if (FSelectionList->GetCount() == Count) FSelectionList->Remove(0);
    }
    FUndeleteStream = std::move(Keep);
    FUndeleteParent = FUndeleteStream ? KeepParent : nullptr;
  }
  if (FSurface)
    if (IPtr<IItem> Next = FSurface->NextTabItem(nullptr, false)) Select(ExtractPersistent(Next), false);
  Modified();
}

void TComponentRoot::DoUndelete() {
  if (!FUndeleteStream) return;
  TFlagScope Undeleting(FUndeleting);
  // The read takes the stream over and frees it when it succeeds; one that fails gives it back.
  FUndeleteStream->SetPosition(0);
  TComponent* Parent = FUndeleteParent ? FUndeleteParent : FRoot;
  ReadSelection(FUndeleteStream.get(), Parent, false, TRect{});
}

// ----- The designer's clipboard commands ------------------------------------------------------

void TComponentRoot::CopySelection() {
  TMemoryStream S;
  CopySelectionToStream(&S, nullptr);
  if (S.Size() == 0) return;
  S.SetPosition(0);
  CopyStreamToClipboard(&S);
}

void TComponentRoot::CutSelection() {
  CopySelection();
  DeleteSelection(false);
}

bool TComponentRoot::CanPaste() { return ClipboardComponents(); }

void TComponentRoot::PasteSelection() {
  TOwned<TMemoryStream> S = GetClipboardStream();
  PasteSelectionFromStream(S.get(), nullptr, TRect{});
}

}  // namespace formwright
