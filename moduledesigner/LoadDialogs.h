// The dialogs a module root's questions show while a module is read or saved: a reader error
// to ignore or not, an inherited component whose ancestor vanished, links to a module that is
// not open. Each is a real form of our framework, shown modally (orx::ShowModal): a person, or
// the modal player a test or tool installs, reads its captions, makes the choices and clicks
// a button. Each function makes its dialog (owned by nobody but the call), shows it, reads
// the answer and frees it.
#pragma once

#include "platform/orx/Choices.h"
#include "platform/orx/ListBoxes.h"
#include "platform/orx/ModalForms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright {

// The modal result of "Ignore &All" in the read error dialog.
inline constexpr orx::TModalResult mrIgnoreAll = orx::TModalResult(42);

// A reader error: "&Ignore" (mrIgnore), "Ignore &All" (42) or "Cancel" (mrCancel).
class TReadErrorDlg : public orx::TForm {
  FW_CLASS(TReadErrorDlg, orx::TForm)
 public:
  explicit TReadErrorDlg(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TReadErrorDlg>&) {}
  // Fills caption and text for the reader's Message and the form (empty: none named).
  void Prepare(const String& Message, const String& FormName);

  orx::TLabel* Text = nullptr;
  orx::TButton* IgnoreButton = nullptr;
  orx::TButton* IgnoreAllButton = nullptr;
  orx::TButton* CancelButton = nullptr;
};

// An inherited component whose ancestor component is gone: renamed to one of the candidates
// (a radio button with a drop-down list, offered only when there are candidates and enabled
// only while chosen), deleted (chosen at start), or created anew on the descendant (shown only
// when creating is allowed).
class TRecoverFormInheritence : public orx::TForm {
  FW_CLASS(TRecoverFormInheritence, orx::TForm)
 public:
  explicit TRecoverFormInheritence(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TRecoverFormInheritence>&) {}
  // Fills the dialog for ComponentName, recorded in FormName and missing from AncestorName;
  // Candidates is comma text (the first is selected).
  void Prepare(const String& ComponentName, const String& FormName, const String& AncestorName,
               bool CanCreate, const String& Candidates);
  // 0 delete, 1 rename (NewName receives the chosen candidate), 2 create; 3 when ModalResult is
  // not OK.
  int Answer(int ModalResult, String& NewName) const;

  orx::TLabel* Text = nullptr;
  orx::TRadioButton* RenamedButton = nullptr;
  orx::TComboBox* NameList = nullptr;
  orx::TRadioButton* DeletedButton = nullptr;
  orx::TRadioButton* CreateButton = nullptr;
  orx::TButton* OkButton = nullptr;
  orx::TButton* CancelButton = nullptr;

 private:
  // The name list follows the rename choice.
  void ChoiceChanged(TObject*);
};

// Links of a module to a module that is not loaded: where they go. The list holds
// "<Remove links>" and then the project's other modules, sorted.
class TLinkRedirect : public orx::TForm {
  FW_CLASS(TLinkRedirect, orx::TForm)
 public:
  explicit TLinkRedirect(TComponent* AOwner);
  static void DeclarePublished(TClassBuilder<TLinkRedirect>&) {}
  // Fills the dialog for the links of Root to MissingModule. Modules lists the project's
  // modules (root names; Root's own is left out); the first one, in list order, that holds
  // every component the unresolved references name is selected.
  void Prepare(TComponent* Root, const String& MissingModule, const std::vector<String>& Modules);
  // The module chosen to redirect to; empty for "<Remove links>" or no choice.
  String Target() const;

  orx::TLabel* Text = nullptr;
  orx::TListBox* ModuleList = nullptr;
  orx::TButton* OkButton = nullptr;
  orx::TButton* CancelButton = nullptr;
};

// Shows the read error dialog: its modal result (mrIgnore, mrCancel, or 42 for "Ignore &All").
int FormReadError(const String& Message, const String& FormName);

// Shows the ancestor recovery dialog for the component ComponentName recorded in FormName
// and missing from AncestorName. Returns 0 (delete the reference), 1 (renamed: NewName
// receives the candidate chosen), 2 (create it on the descendant; only when CanCreate) or 3
// (cancelled).
int FormInheritenceRecovery(const String& ComponentName, const String& FormName, const String& AncestorName,
                            String& NewName, bool CanCreate, const String& Candidates);

// Shows the link redirection dialog for the links of Root's module to ModuleName, offering
// Modules (the project's module names as the active designer reports them). OK removes the
// links ("<Remove links>" or nothing chosen: RemoveFixupReferences) or redirects them to the
// chosen module (RedirectFixupReferences); Cancel changes nothing. Returns the modal result
// (mrOk 1, mrCancel 2); Target, when given, receives the chosen module (empty: removed).
int RedirectLinks(TComponent* Root, const String& ModuleName, const std::vector<String>& Modules,
                  String* Target = nullptr);

}  // namespace formwright
