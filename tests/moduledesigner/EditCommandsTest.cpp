// Edit commands of a module reached the way an IDE reaches them: through the designer manager,
// the package's designers and the edit items of the selection editor; and the designer
// window the reference host gives every module.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/CompEditors.h"
#include "editors/DesignEditors.h"
#include "host/root/FormWindow.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/Clipboard.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/Samples.h"

namespace formwright {
namespace {

using namespace orx;
using ::testing::ElementsAre;

const String FormText = Sample("EditCommandsForm.fwf");

// The names of the root's components, in owner order.
std::vector<String> Names(const IPtr<TReferenceRoot>& R) {
  std::vector<String> L;
  for (int I = 0; I < R->GetRoot()->ComponentCount(); ++I) L.push_back(R->GetRoot()->Components(I)->Name());
  return L;
}

std::vector<String> SelectedNames(const IPtr<TReferenceRoot>& R) {
  std::vector<String> L;
  IPtr<IDesignerSelections> S = R->GetSelection();
  for (int I = 0; I < S->GetCount(); ++I) L.push_back(static_cast<TComponent*>(S->Get(I))->Name());
  return L;
}

class EditCommands : public testing::RootTest {
 protected:
  EditCommands() {
    Clipboard().Clear();
    Form1 = Open("Form1.fwf", FormText);
    Form1->Activate();
  }
  ~EditCommands() override { Clipboard().Clear(); }
  void Select(const char* Name) { Form1->Select(Form1->GetRoot()->FindComponent(Name), false); }
  TOrxFormWindow* Window() { return static_cast<TOrxFormWindow*>(Form1->FormWindow().Get()); }
};

TEST_F(EditCommands, TheManagerRoutesEveryEditToTheSelectedModule) {
  const IPtr<TComponentDesigner>& D = Host.Designer();
  Select("Button1");
  EXPECT_EQ(D->GetEditState(), (TEditState{esCanCut, esCanCopy, esCanDelete, esCanSelectAll}));
  D->EditAction(eaCopy);
  EXPECT_TRUE(Form1->CanPaste());
  D->EditAction(eaDelete);
  EXPECT_THAT(Names(Form1), ElementsAre("Label1"));
  EXPECT_TRUE(D->GetEditState().Contains(esCanUndo));
  D->EditAction(eaUndo);
  EXPECT_THAT(Names(Form1), ElementsAre("Label1", "Button1"));
  D->EditAction(eaPaste);  // the copy gets a free name and becomes the selection
  EXPECT_THAT(Names(Form1), ElementsAre("Label1", "Button1", "Button2"));
  EXPECT_THAT(SelectedNames(Form1), ElementsAre("Button2"));
  D->EditAction(eaSelectAll);
  EXPECT_THAT(SelectedNames(Form1), ElementsAre("Label1", "Button1", "Button2"));
  D->EditAction(eaCut);
  EXPECT_THAT(Names(Form1), ElementsAre());
  D->EditAction(eaPaste);
  EXPECT_THAT(Names(Form1), ElementsAre("Label1", "Button1", "Button2"));
  // The same through the package's designers.
  Designers()->EditAction(eaSelectAll);
  Designers()->EditAction(eaDelete);
  EXPECT_THAT(Names(Form1), ElementsAre());
  EXPECT_EQ(Designers()->GetEditState(), (TEditState{esCanUndo, esCanPaste}));
}

TEST_F(EditCommands, TheStateOffersOnlyWhatTheModuleAndItsAncestorAllow) {
  // Nothing but the root selected: nothing to copy, cut or delete.
  EXPECT_EQ(Form1->GetEditState(), TEditState{esCanSelectAll});
  Form1->EditAction(eaDelete);
  Form1->EditAction(eaCopy);
  EXPECT_THAT(Names(Form1), ElementsAre("Button1", "Label1"));
  EXPECT_FALSE(Form1->CanPaste());
  // A read-only source can still be copied from, not changed.
  Select("Label1");
  TReferenceHost::SourceOf(Form1)->SetReadOnly(true);
  EXPECT_EQ(Form1->GetEditState(), (TEditState{esCanCopy, esCanSelectAll}));
  Form1->EditAction(eaCut);
  Form1->EditAction(eaDelete);
  EXPECT_THAT(Names(Form1), ElementsAre("Button1", "Label1"));
  EXPECT_FALSE(Form1->CanPaste());  // a cut that cannot delete copies nothing either
  Form1->EditAction(eaCopy);
  EXPECT_TRUE(Form1->CanPaste());
  Form1->EditAction(eaPaste);
  EXPECT_THAT(Names(Form1), ElementsAre("Button1", "Label1"));
  // Inherited components can be copied, not cut or deleted.
  Clipboard().Clear();
  IPtr<TReferenceRoot> Form2 = Host.New("Form2", "Form2.fwf", "TForm", Form1);
  Form2->Select(Form2->GetRoot()->FindComponent("Button1"), false);
  EXPECT_EQ(Form2->GetEditState(), (TEditState{esCanCopy, esCanSelectAll}));
  Form2->EditAction(eaDelete);
  EXPECT_TRUE(Form2->GetRoot()->FindComponent("Button1"));
}

TEST_F(EditCommands, TheSelectionEditorsEditItemsReachTheModule) {
  Select("Button1");
  IPtr<ISelectionEditorList> Editors = GetSelectionEditors(Form1->GetDesigner());
  TEditActionSelectionEditor* Edit = nullptr;
  for (int I = 0; I < Editors->GetCount() && !Edit; ++I)
    Edit = dynamic_cast<TEditActionSelectionEditor*>(Editors->Get(I).Get());
  ASSERT_TRUE(Edit);
  EXPECT_EQ(Edit->GetEditState(), Form1->GetEditState());
  EXPECT_EQ(GetTopLevelComponent(nullptr), Form1->GetRoot());
  Edit->HandleDelete(nullptr);
  EXPECT_THAT(Names(Form1), ElementsAre("Label1"));
  Edit->HandleUndo(nullptr);
  EXPECT_THAT(Names(Form1), ElementsAre("Label1", "Button1"));
}

TEST_F(EditCommands, TheInspectorSeesTheReportedSelection) {
  Select("Button1");
  IPtr<TDesigners> All = Designers();
  EXPECT_EQ(All->GetSelectionName(), "Button1");
  EXPECT_EQ(All->GetSelectionType(), "TButton");
  EXPECT_EQ(All->GetFirstSelectionClass(), TButton::StaticClass());
  // Two classes: no single name or type; the first still leads.
  Form1->Select(Form1->GetRoot()->FindComponent("Label1"), true);
  EXPECT_EQ(All->GetSelectionName(), "");
  EXPECT_EQ(All->GetSelectionType(), "");
  EXPECT_EQ(All->GetFirstSelectionClass(), TButton::StaticClass());
  // Nothing selected but the root: the root is what the inspector shows.
  Form1->ClearSelection();
  EXPECT_EQ(All->GetSelectionName(), "Form1");
  EXPECT_EQ(All->GetSelectionType(), "TForm1");
}

// (What the manager forwards to every root or to the active one is the designer manager's test.)
TEST_F(EditCommands, TheDesignerWindowFollowsModificationsAndOptionsAndGoesWhileDormant) {
  ASSERT_TRUE(Window());
  const int Before = Window()->Modifications();
  Form1->Modified();
  EXPECT_EQ(Window()->Modifications(), Before + 1);
  Host.Environment().Options.GridSizeX = 5;
  Designers()->DesignerOptionsChanged();
  EXPECT_EQ(Window()->Options().GridSizeX, 5);
  // Asleep, the module has no window; awake, a new one.
  Form1->GoDormant();
  EXPECT_FALSE(Form1->FormWindow());
  EXPECT_EQ(Host.Designer()->GetEditState(), TEditState{});
  Form1->Resurrect();
  ASSERT_TRUE(Window());
  EXPECT_EQ(Window()->Options().GridSizeX, 5);
}

}  // namespace
}  // namespace formwright
