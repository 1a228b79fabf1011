#include "moduledesigner/LoadDialogs.h"

#include <algorithm>

#include "platform/runtime/Filer.h"
#include "platform/runtime/FixupNames.h"

namespace formwright {

FW_REGISTER_CLASS(TReadErrorDlg, "LoadDialogs")
FW_REGISTER_CLASS(TLinkRedirect, "LoadDialogs")
FW_REGISTER_CLASS(TRecoverFormInheritence, "LoadDialogs")

namespace {
using namespace orx;

inline constexpr const char* SReadErrorCaption = "Error Reading Form";
inline constexpr const char* SReadErrorNamedCaption = "Error Reading Form: '%s'";
inline constexpr const char* SReadErrorText =
    "%s.  Ignore the error and continue?  NOTE: Ignoring the error may cause components to be deleted or "
    "property values to be lost.";
inline constexpr const char* SLinkRedirectCaption = "Link Redirection";
inline constexpr const char* SLinkRedirectText = "Redirect form %s's links from %s to:";
inline constexpr const char* SRemoveLinks = "<Remove links>";
inline constexpr const char* SRecoverCaption = "Ancestor Component Not Found";
inline constexpr const char* SRecoverText =
    "Modifications to component %s were recorded in form %s but the ancestor component was not found in form "
    "%s.";

// The parts of a dialog, made in code and owned by the dialog.
template <class T>
T* Part(TForm* Dialog, TWinControl* Parent, const String& Name, int32_t Left, int32_t Top, int32_t Width,
        int32_t Height) {
  auto* C = static_cast<T*>(T::StaticClass()->template Create<TComponent*>(Dialog));
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(Left, Top, Width, Height);
  return C;
}

TButton* Button(TForm* Dialog, const String& Name, const String& Caption, TModalResult Result, int32_t Left,
                int32_t Top) {
  TButton* B = Part<TButton>(Dialog, Dialog, Name, Left, Top, 88, 25);
  B->SetCaption(Caption);
  B->SetModalResult(Result);
  return B;
}

// A label showing Text as it is (a "&" in a message is no accelerator).
TLabel* TextLabel(TForm* Dialog, int32_t Left, int32_t Top, int32_t Width) {
  TLabel* L = Part<TLabel>(Dialog, Dialog, "Text", Left, Top, Width, 16);
  L->SetShowAccelChar(false);
  return L;
}
}  // namespace

// ----- Reader errors ----------------------------------------------------------------------------

TReadErrorDlg::TReadErrorDlg(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(420);
  SetClientHeight(128);
  Text = TextLabel(this, 12, 12, 396);
  Text->SetWordWrap(true);
  Text->SetAutoSize(false);
  Text->SetHeight(64);
  IgnoreButton = Button(this, "IgnoreButton", "&Ignore", mrIgnore, 132, 92);
  IgnoreButton->SetDefault(true);
  IgnoreAllButton = Button(this, "IgnoreAllButton", "Ignore &All", mrIgnoreAll, 226, 92);
  CancelButton = Button(this, "CancelButton", "Cancel", mrCancel, 320, 92);
  CancelButton->SetCancel(true);
}

void TReadErrorDlg::Prepare(const String& Message, const String& FormName) {
  SetCaption(FormName.empty() ? String(SReadErrorCaption) : Format(SReadErrorNamedCaption, FormName));
  Text->SetCaption(Format(SReadErrorText, Message));
}

int FormReadError(const String& Message, const String& FormName) {
  TOwned<TReadErrorDlg> Dialog(new TReadErrorDlg(nullptr));
  Dialog->Prepare(Message, FormName);
  return ShowModal(*Dialog);
}

// ----- Ancestor recovery -----------------------------------------------------------------------

TRecoverFormInheritence::TRecoverFormInheritence(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetCaption(SRecoverCaption);
  SetClientWidth(360);
  SetClientHeight(196);
  Text = TextLabel(this, 12, 12, 336);
  Text->SetWordWrap(true);
  Text->SetAutoSize(false);
  Text->SetHeight(48);
  RenamedButton = Part<TRadioButton>(this, this, "RenamedButton", 12, 68, 170, 17);
  RenamedButton->SetCaption("Component was renamed to:");
  NameList = Part<TComboBox>(this, this, "NameList", 188, 66, 160, 21);
  NameList->SetStyle(csDropDownList);
  DeletedButton = Part<TRadioButton>(this, this, "DeletedButton", 12, 96, 336, 17);
  DeletedButton->SetCaption("Component was deleted, delete reference.");
  CreateButton = Part<TRadioButton>(this, this, "CreateButton", 12, 124, 336, 17);
  CreateButton->SetCaption("Create component as new on the descendent.");
  for (TRadioButton* B : {RenamedButton, DeletedButton, CreateButton})
    B->FOnClick = TNotifyEvent(TNotifyEvent::Bind<&TRecoverFormInheritence::ChoiceChanged>(this).Method());
  OkButton = Button(this, "OkButton", "OK", mrOk, 166, 160);
  OkButton->SetDefault(true);
  CancelButton = Button(this, "CancelButton", "Cancel", mrCancel, 260, 160);
  CancelButton->SetCancel(true);
}

void TRecoverFormInheritence::Prepare(const String& ComponentName, const String& FormName,
                                      const String& AncestorName, bool CanCreate, const String& Candidates) {
  Text->SetCaption(Format(SRecoverText, ComponentName, FormName, AncestorName));
  NameList->Items()->SetCommaText(Candidates);
  const bool Any = NameList->Items()->Count() > 0;
  if (Any) NameList->SetItemIndex(0);
  RenamedButton->SetEnabled(Any);
  CreateButton->SetVisible(CanCreate);
  DeletedButton->SetChecked(true);
  ChoiceChanged(DeletedButton);
}

void TRecoverFormInheritence::ChoiceChanged(TObject*) { NameList->SetEnabled(RenamedButton->Checked()); }

int TRecoverFormInheritence::Answer(int ModalResult, String& NewName) const {
  if (ModalResult != mrOk) return 3;
  if (RenamedButton->Checked() && RenamedButton->Enabled() && NameList->ItemIndex() >= 0) {
    NewName = (*NameList->Items())[NameList->ItemIndex()];
    return 1;
  }
  if (CreateButton->Checked() && CreateButton->Visible()) return 2;
  return 0;
}

int FormInheritenceRecovery(const String& ComponentName, const String& FormName, const String& AncestorName,
                            String& NewName, bool CanCreate, const String& Candidates) {
  TOwned<TRecoverFormInheritence> Dialog(new TRecoverFormInheritence(nullptr));
  Dialog->Prepare(ComponentName, FormName, AncestorName, CanCreate, Candidates);
  return Dialog->Answer(ShowModal(*Dialog), NewName);
}

// ----- Link redirection -----------------------------------------------------------------------

TLinkRedirect::TLinkRedirect(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetCaption(SLinkRedirectCaption);
  SetClientWidth(260);
  SetClientHeight(236);
  Text = TextLabel(this, 12, 12, 236);
  ModuleList = Part<TListBox>(this, this, "ModuleList", 12, 32, 236, 160);
  ModuleList->SetSorted(true);
  OkButton = Button(this, "OkButton", "OK", mrOk, 66, 202);
  OkButton->SetDefault(true);
  CancelButton = Button(this, "CancelButton", "Cancel", mrCancel, 160, 202);
  CancelButton->SetCancel(true);
}

void TLinkRedirect::Prepare(TComponent* Root, const String& MissingModule,
                            const std::vector<String>& Modules) {
  const String RootName = Root ? Root->Name() : String();
  Text->SetCaption(Format(SLinkRedirectText, RootName, MissingModule));
  // A text wider than the list widens the dialog (and the list with it).
  if (const int32_t Extra = Text->Width() - ModuleList->Width(); Extra > 0) {
    SetClientWidth(ClientWidth() + Extra);
    ModuleList->SetWidth(ModuleList->Width() + Extra);
  }
  TStrings* Items = ModuleList->Items();
  for (const String& M : Modules)
    if (!SameText(M, RootName) && Items->IndexOf(M) < 0) Items->Add(M);
  // Sorted, with the removal first: the list sorts the modules, then the removal goes on top.
  ModuleList->SetSorted(false);
  Items->Insert(0, SRemoveLinks);
  TStringList Wanted;
  GetFixupInstanceNames(Root, MissingModule, &Wanted);
  for (int I = 1; I < Items->Count(); ++I) {
    TComponent* Module = FindGlobalComponent((*Items)[I]);
    bool HoldsAll = Module != nullptr;
    for (int J = 0; HoldsAll && J < Wanted.Count(); ++J)
      HoldsAll = FindNestedComponent(Module, Wanted[J]) != nullptr;
    if (HoldsAll) {
      ModuleList->SetItemIndex(I);
      break;
    }
  }
}

String TLinkRedirect::Target() const {
  const int32_t I = ModuleList->ItemIndex();
  return I <= 0 ? String() : (*ModuleList->Items())[I];
}

int RedirectLinks(TComponent* Root, const String& ModuleName, const std::vector<String>& Modules,
                  String* Target) {
  TOwned<TLinkRedirect> Dialog(new TLinkRedirect(nullptr));
  Dialog->Prepare(Root, ModuleName, Modules);
  const int Result = ShowModal(*Dialog);
  if (Result != mrOk) return Result;
  const String To = Dialog->Target();
  if (To.empty())
    RemoveFixupReferences(Root, ModuleName);
  else
    RedirectFixupReferences(Root, ModuleName, To);
  GlobalFixupReferences();  // redirected links find their components at once
  if (Target) *Target = To;
  return Result;
}

}  // namespace formwright
