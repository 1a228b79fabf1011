#include "editors/CompEditors.h"

#include <span>

#include "contracts/HostIntf.h"
#include "editors/PropertyEditors.h"

namespace formwright {

FW_REGISTER_CLASS(TComponentEditor, "DesignEditors")
FW_REGISTER_CLASS(TDefaultEditor, "DesignEditors")
FW_REGISTER_CLASS(TSelectionEditor, "DesignEditors")
FW_REGISTER_CLASS(TEditActionSelectionEditor, "DesignEditors")

// ---------------------------------------------------------------------------------------------
// TComponentEditor

TComponentEditor::TComponentEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner)
    : TBaseComponentEditor(AComponent, ADesigner), FComponent(AComponent), FDesigner(ADesigner) {}

void TComponentEditor::DeclarePublished(TClassBuilder<TComponentEditor>& C) { DeclareEditorFactory(C); }

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

String TComponentEditor::GetVerb(int) { return {}; }

int TComponentEditor::GetVerbCount() { return 0; }

void TComponentEditor::Copy() {}

void TComponentEditor::PrepareItem(int, const IPtr<IMenuItem>&) {}

bool TComponentEditor::IsInInlined() {
  return FComponent && FComponent->Owner() && FComponent->Owner()->ComponentState().Contains(csInline);
}

// ---------------------------------------------------------------------------------------------
// TDefaultEditor

namespace {

// Rank of an event name in the double-click preference: OnCreate before OnChange before
// OnChanged before OnClick; every other name comes after them.
int EventPreference(const String& Name) {
  static constexpr const char* Preferred[] = {"ONCREATE", "ONCHANGE", "ONCHANGED", "ONCLICK"};
  for (int I = 0; I < 4; ++I)
    if (SameText(Name, Preferred[I])) return I;
  return 4;
}

}  // namespace

TDefaultEditor::TDefaultEditor(TComponent* AComponent, const IPtr<IDesigner>& ADesigner)
    : TComponentEditor(AComponent, ADesigner) {}

void TDefaultEditor::DeclarePublished(TClassBuilder<TDefaultEditor>& C) { DeclareEditorFactory(C); }

void TDefaultEditor::Edit() {
  IPtr<IDesignerSelections> Components = CreateSelectionList();
  Components->Add(FComponent);
  FContinue = true;
  FFirst = nullptr;
  FBest = nullptr;
  // The remembered editors are taken out before anything can raise, so that the editor never
  // keeps them beyond the call.
  struct TClearOnExit {
    TDefaultEditor* Self;
    ~TClearOnExit() {
      Self->FFirst = nullptr;
      Self->FBest = nullptr;
    }
  } Clear{this};
  GetComponentProperties(Components, tkAny, FDesigner,
                         [this](const IPtr<IProperty>& Prop) { CheckEdit(Prop); });
  if (!FContinue) return;
  IPtr<IProperty> Chosen = FBest ? FBest : FFirst;
  FFirst = nullptr;
  FBest = nullptr;
  if (Chosen) Chosen->Edit();
}

void TDefaultEditor::CheckEdit(const IPtr<IProperty>& Prop) {
  if (FContinue) EditProperty(Prop, FContinue);
}

void TDefaultEditor::EditProperty(const IPtr<IProperty>& Prop, bool&) {
  if (!FFirst && Supports<IMethodProperty>(Prop)) FFirst = Prop;
  // A preferred name replaces the best so far unless that one is preferred more strongly.
  const int Rank = EventPreference(Prop->GetName());
  if (Rank < 4 && Rank <= EventPreference(FBest ? FBest->GetName() : String())) {
    FBest = Prop;
    if (FFirst == FBest) FFirst = nullptr;
  }
}

// ---------------------------------------------------------------------------------------------
// TSelectionEditor

TSelectionEditor::TSelectionEditor(const IPtr<IDesigner>& ADesigner)
    : TBaseSelectionEditor(ADesigner), FDesigner(ADesigner) {}

void TSelectionEditor::DeclarePublished(TClassBuilder<TSelectionEditor>& C) { DeclareEditorFactory(C); }

void TSelectionEditor::ExecuteVerb(int, const IPtr<IDesignerSelections>&) {}

String TSelectionEditor::GetVerb(int) { return {}; }

int TSelectionEditor::GetVerbCount() { return 0; }

void TSelectionEditor::RequiresUnits(const TGetStrProc&) {}

void TSelectionEditor::PrepareItem(int, const IPtr<IMenuItem>&) {}

// ---------------------------------------------------------------------------------------------
// TEditActionSelectionEditor

namespace {

// The host actions of the two submenus, in menu order; an empty name stands for a divider.
constexpr const char* EditSubmenuActions[] = {
    "EditUndoCommand",   "", "EditCutCommand",      "EditCopyCommand", "EditPasteCommand",
    "EditDeleteCommand", "", "EditSelectAllCommand"};
constexpr const char* ControlSubmenuActions[] = {"AlignBringToFrontCommand", "AlignSendToBackCommand"};

void AddHostActions(const IPtr<IMenuItem>& Item, std::span<const char* const> Names) {
  IPtr<INTAServices> Services = Supports<INTAServices>(VostrelIDEServices());
  for (const char* Name : Names) {
    if (!*Name) {
      Item->AddLine("");
    } else if (TComponent* Action = Services ? Services->FindAction(Name) : nullptr) {
      Item->AddItem(Action, "");
    }
  }
}

}  // namespace

TEditActionSelectionEditor::TEditActionSelectionEditor(const IPtr<IDesigner>& ADesigner)
    : TSelectionEditor(ADesigner) {}

void TEditActionSelectionEditor::DeclarePublished(TClassBuilder<TEditActionSelectionEditor>& C) {
  DeclareEditorFactory(C);
}

String TEditActionSelectionEditor::GetVerb(int Index) {
  switch (Index) {
    case 0:
      return sEditSubmenu;
    case 1:
      return sControlSubmenu;
    default:
      return {};
  }
}

void TEditActionSelectionEditor::PrepareItem(int Index, const IPtr<IMenuItem>& AItem) {
  if (!AItem) return;
  if (Index == 0) AddHostActions(AItem, EditSubmenuActions);
  if (Index == 1) AddHostActions(AItem, ControlSubmenuActions);
}

void TEditActionSelectionEditor::EditAction(TEditAction Action) {
  TComponent* TopLevel = GetTopLevelComponent(nullptr);
  if (IPtr<IEditHandler> Handler = Supports<IEditHandler>(TopLevel)) {
    Handler->EditAction(Action);
  } else if (IPtr<IEditHandler> DesignerHandler = Supports<IEditHandler>(FDesigner)) {
    DesignerHandler->EditAction(Action);
  }
}

TEditState TEditActionSelectionEditor::GetEditState() {
  if (IPtr<IEditHandler> Handler = Supports<IEditHandler>(FDesigner)) return Handler->GetEditState();
  TComponent* TopLevel = GetTopLevelComponent(nullptr);
  if (IPtr<IEditHandler> Handler = Supports<IEditHandler>(TopLevel)) return Handler->GetEditState();
  return TEditState{esCanUndo, esCanRedo, esCanCut, esCanCopy, esCanPaste, esCanDelete};
}

void TEditActionSelectionEditor::HandleUndo(TObject*) { EditAction(eaUndo); }
void TEditActionSelectionEditor::HandleCut(TObject*) { EditAction(eaCut); }
void TEditActionSelectionEditor::HandleCopy(TObject*) { EditAction(eaCopy); }
void TEditActionSelectionEditor::HandlePaste(TObject*) { EditAction(eaPaste); }
void TEditActionSelectionEditor::HandleDelete(TObject*) { EditAction(eaDelete); }
void TEditActionSelectionEditor::HandleSelectAll(TObject*) { EditAction(eaSelectAll); }

// ---------------------------------------------------------------------------------------------
// Installation

void InitCompEditors() {
  SetDefaultComponentEditor(TDefaultEditor::StaticClass());
  RegisterSelectionEditor(TPersistent::StaticClass(), TEditActionSelectionEditor::StaticClass());
}

}  // namespace formwright
