// Selection editors: the base's empty verbs and the Edit and Control submenus of the selection
// editor every persistent gets, with the routing of edit actions and edit state.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/CompEditors.h"
#include "editors/StdEditorReg.h"
#include "formwright/testing/RecordingDesigner.h"
#include "host/IDEServices.h"
#include "host/MenuModel.h"
#include "platform/orx/ActnList.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::testing {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records the edit actions it is given and answers a fixed edit state.
struct TEditRecorder {
  std::vector<TEditAction> Actions;
  TEditState State;
};

// A designer that handles edit actions.
class TEditingDesigner : public TRecordingDesigner, public IEditHandler {
 public:
  void EditAction(TEditAction Action) override { Edits.Actions.push_back(Action); }
  TEditState GetEditState() override { return Edits.State; }
  TEditRecorder Edits{{}, TEditState{esCanCopy}};
};

// A form that handles edit actions itself (as a form with an edit control of its own would).
class TEditingForm : public orx::TForm, public IEditHandler {
  FW_CLASS(TEditingForm, orx::TForm)
 public:
  using orx::TForm::TForm;
  void EditAction(TEditAction Action) override { Edits.Actions.push_back(Action); }
  TEditState GetEditState() override { return Edits.State; }
  TEditRecorder Edits{{}, TEditState{esCanPaste}};
};

FW_REGISTER_CLASS(TEditingForm, "CompEditorsTest")

namespace {

// The top-level design component the selection editor sees.
TComponent* GTopLevel = nullptr;
TComponent* TopLevel(TComponent*) { return GTopLevel; }

}  // namespace

class SelectionEditorTest : public ::testing::Test {
 protected:
  SelectionEditorTest() {
    FPackage.Package().Hooks.GetTopLevelComponentFunc = &TopLevel;
    FServices = InstallReferenceIDEServices();
    FButton->SetName("Button1");
  }
  ~SelectionEditorTest() override { GTopLevel = nullptr; }

  IPtr<TEditActionSelectionEditor> Editor(const IPtr<IDesigner>& D) {
    return MakeIntf<TEditActionSelectionEditor>(D);
  }
  // Caption of each sub-item of `Item`, "-" for dividers.
  static std::vector<String> Captions(const IPtr<IMenuItem>& Item) {
    std::vector<String> R;
    for (int I = 0; I < Item->Count(); ++I)
      R.push_back(Item->Items(I)->IsLine() ? "-" : Item->Items(I)->GetCaption());
    return R;
  }

  TEditorsPackageScope FPackage;
  IPtr<TReferenceIDEServices> FServices;
  IPtr<TEditingDesigner> FEditing = MakeIntf<TEditingDesigner>();
  IPtr<TRecordingDesigner> FPlain = MakeIntf<TRecordingDesigner>();
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  orx::TButton* FButton = new orx::TButton(FForm.get());
};

// ---------------------------------------------------------------------------------------------
// Verbs and submenus

TEST_F(SelectionEditorTest, EveryPersistentGetsTheEditAndControlSubmenusOfTheHostsActions) {
  IPtr<ISelectionEditorList> List = GetSelectionEditors(IPtr<IDesigner>(FPlain.Get()), FButton);
  ASSERT_EQ(List->GetCount(), 1);
  IPtr<ISelectionEditor> E = List->Get(0);
  EXPECT_EQ(E->GetVerbCount(), 2);
  EXPECT_EQ(E->GetVerb(0), "Edit");
  EXPECT_EQ(E->GetVerb(1), "Control");
  // Edit holds the host's edit actions with dividers, Control the z-order actions.
  IPtr<IMenuItem> Edit = MakeIntf<TMenuItemModel>(sEditSubmenu);
  E->PrepareItem(0, Edit);
  EXPECT_THAT(Captions(Edit), ElementsAre("Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "SelectAll"));
  EXPECT_EQ(Edit->Items(0)->GetAction(), FServices->FindAction("EditUndoCommand"));
  EXPECT_EQ(Edit->Items(7)->GetAction(), FServices->FindAction("EditSelectAllCommand"));
  EXPECT_EQ(Edit->Items(0)->GetParent(), Edit);
  IPtr<IMenuItem> Control = MakeIntf<TMenuItemModel>(sControlSubmenu);
  E->PrepareItem(1, Control);
  EXPECT_THAT(Captions(Control), ElementsAre("BringToFront", "SendToBack"));
  EXPECT_EQ(Control->Items(1)->GetAction(), FServices->FindAction("AlignSendToBackCommand"));
}

TEST_F(SelectionEditorTest, AnActionTheHostLacksIsLeftOut) {
  FServices->FindAction("EditCopyCommand")->Free();
  ASSERT_EQ(FServices->FindAction("EditCopyCommand"), nullptr);
  IPtr<IMenuItem> Menu = MakeIntf<TMenuItemModel>();
  Editor(IPtr<IDesigner>(FPlain.Get()))->PrepareItem(0, Menu);
  EXPECT_THAT(Captions(Menu), ElementsAre("Undo", "-", "Cut", "Paste", "Delete", "-", "SelectAll"));
}

TEST_F(SelectionEditorTest, WithoutHostServicesOnlyTheDividersRemain) {
  SetVostrelIDEServices(nullptr);
  IPtr<IMenuItem> Menu = MakeIntf<TMenuItemModel>();
  auto E = Editor(IPtr<IDesigner>(FPlain.Get()));
  E->PrepareItem(0, Menu);
  EXPECT_THAT(Captions(Menu), ElementsAre("-", "-"));
  IPtr<IMenuItem> Control = MakeIntf<TMenuItemModel>();
  E->PrepareItem(1, Control);
  EXPECT_EQ(Control->Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// Edit actions and edit state

TEST_F(SelectionEditorTest, EditActionsGoToTheTopLevelComponentThenTheDesignerElseNowhere) {
  TOwned<TEditingForm> Form{new TEditingForm(nullptr)};
  GTopLevel = Form.get();
  auto E = Editor(IPtr<IDesigner>(FEditing.Get()));
  E->HandleCopy(nullptr);
  E->HandlePaste(nullptr);
  E->HandleDelete(nullptr);
  EXPECT_THAT(Form->Edits.Actions, ElementsAre(eaCopy, eaPaste, eaDelete));
  EXPECT_THAT(FEditing->Edits.Actions, IsEmpty());
  GTopLevel = FForm.get();  // a form without a handler of its own
  E->HandleCut(nullptr);
  E->HandleUndo(nullptr);
  E->HandleSelectAll(nullptr);
  Editor(IPtr<IDesigner>(FPlain.Get()))->EditAction(eaCut);  // nobody handles it
  FPackage.Package().Hooks.GetTopLevelComponentFunc = nullptr;
  E->EditAction(eaRedo);
  EXPECT_THAT(FEditing->Edits.Actions, ElementsAre(eaCut, eaUndo, eaSelectAll, eaRedo));
}

TEST_F(SelectionEditorTest, TheEditStateIsTheDesignersThenTheTopLevelComponentsElseEverySimpleEdit) {
  GTopLevel = FForm.get();
  EXPECT_EQ(Editor(IPtr<IDesigner>(FPlain.Get()))->GetEditState(),
            (TEditState{esCanUndo, esCanRedo, esCanCut, esCanCopy, esCanPaste, esCanDelete}));
  TOwned<TEditingForm> Form{new TEditingForm(nullptr)};
  GTopLevel = Form.get();
  EXPECT_EQ(Editor(IPtr<IDesigner>(FEditing.Get()))->GetEditState(), TEditState{esCanCopy});
  EXPECT_EQ(Editor(IPtr<IDesigner>(FPlain.Get()))->GetEditState(), TEditState{esCanPaste});
}

}  // namespace formwright::testing
