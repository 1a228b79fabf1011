#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using Focus = TFormTest;

TEST_F(Focus, TabOrderFollowsInsertionAndCanBeChanged) {
  auto* A = Make<TEdit>(Form.get(), "A", Form.get());
  auto* B = Make<TEdit>(Form.get(), "B", Form.get());
  auto* C = Make<TEdit>(Form.get(), "C", Form.get());
  EXPECT_EQ(A->TabOrder(), 0);
  EXPECT_EQ(C->TabOrder(), 2);
  C->SetTabOrder(TTabOrder(0));
  EXPECT_EQ(C->TabOrder(), 0);
  EXPECT_EQ(A->TabOrder(), 1);
  EXPECT_EQ(B->TabOrder(), 2);
  B->SetTabOrder(TTabOrder(-1));
  EXPECT_EQ(B->TabOrder(), 2);
  A->SetTabOrder(TTabOrder(99));
  EXPECT_EQ(A->TabOrder(), 2);
  // A tab order set before parenting is kept.
  auto* D = Make<TEdit>(Form.get(), "D");
  D->SetTabOrder(TTabOrder(0));
  D->SetParent(Form.get());
  EXPECT_EQ(D->TabOrder(), 0);
  // Unparenting or freeing one in the middle closes the gap; an unparented control keeps its
  // place to take again.
  B->SetParent(nullptr);
  EXPECT_EQ(B->TabOrder(), 2);
  EXPECT_EQ(A->TabOrder(), 2);
  C->Free();
  EXPECT_EQ(D->TabOrder(), 0);
  EXPECT_EQ(A->TabOrder(), 1);
  B->SetParent(Form.get());
  EXPECT_EQ(B->TabOrder(), 2);
  EXPECT_EQ(Form->ControlCount(), 3);
  EXPECT_EQ(Form->Controls(0), A);
}

TEST_F(Focus, TabOrderListIsDepthFirstAndNextControlWraps) {
  Form->Show();
  auto* First = Make<TEdit>(Form.get(), "First", Form.get());
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Inner = Make<TEdit>(Form.get(), "Inner", Panel);
  auto* Last = Make<TButton>(Form.get(), "Last", Form.get());
  std::vector<TWinControl*> L;
  Form->GetTabOrderList(L);
  EXPECT_EQ(L, (std::vector<TWinControl*>{First, Panel, Inner, Last}));
  EXPECT_EQ(Form->FindNextControl(First, true, true, false), Inner);  // panels are no tab stops
  EXPECT_EQ(Form->FindNextControl(Last, true, true, false), First);
  EXPECT_EQ(Form->FindNextControl(First, false, true, false), Last);
  EXPECT_EQ(Form->FindNextControl(First, true, true, true), Last);
  Inner->SetEnabled(false);
  EXPECT_EQ(Form->FindNextControl(First, true, true, false), Last);
  Last->SetVisible(false);
  EXPECT_EQ(Form->FindNextControl(First, true, true, false), First);  // around to itself
  First->SetTabStop(false);
  EXPECT_EQ(Form->FindNextControl(First, true, true, false), nullptr);
}

TEST_F(Focus, ActiveControlRunsExitAndEnterAndRefusesBadControls) {
  TEventLog Log;
  auto* A = Make<TEdit>(Form.get(), "A", Form.get());
  auto* B = Make<TEdit>(Form.get(), "B", Form.get());
  A->FOnEnter = Log.Enter();
  A->FOnExit = Log.Exit();
  B->FOnEnter = Log.Enter();
  EXPECT_THROW(A->SetFocus(), EInvalidOperation);  // the form is not shown yet
  Form->Show();
  A->SetFocus();
  B->SetFocus();
  EXPECT_EQ(Log.Log, (std::vector<std::string>{"enter:A", "exit:A", "enter:B"}));
  EXPECT_TRUE(B->Focused());
  A->SetEnabled(false);
  EXPECT_THROW(A->SetFocus(), EInvalidOperation);
  TOwned<TForm> Other(new TForm(nullptr));
  auto* Foreign = Make<TEdit>(Other.get(), "Foreign", Other.get());
  EXPECT_THROW(Form->SetActiveControl(Foreign), EInvalidOperation);
  EXPECT_EQ(Form->ActiveControl(), B);
  B->Free();
  EXPECT_EQ(Form->ActiveControl(), nullptr);
}

TEST_F(Focus, ShowPlacesTheFormAndCloseAsksFirst) {
  TEventLog Log;
  Form->FOnShow = Log.Enter();
  Form->SetPosition(poScreenCenter);
  Form->Show();
  EXPECT_EQ(Form->Left(), (Screen()->Width() - Form->Width()) / 2);
  EXPECT_EQ(Screen()->ActiveForm(), Form.get());
  struct TRefuse : TEventLog {
    void Query(TObject*, bool& CanClose) { CanClose = false; }
  } Refuse;
  Form->FOnCloseQuery = BindEvent<TCloseQueryEvent, &TRefuse::Query>(&Refuse);
  EXPECT_EQ(Form->Close(), caNone);
  EXPECT_TRUE(Form->Visible());
  Form->FOnCloseQuery = TCloseQueryEvent();
  EXPECT_EQ(Form->Close(), caHide);
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Log.Log, std::vector<std::string>{"enter:Form1"});
}

TEST_F(Focus, AnOwnerCentredDialogAppearsOverItsOwnerAndLoadingShowsNothing) {
  TEventLog Log;
  Form->SetBounds(100, 100, 600, 400);
  auto* Dialog = new TForm(Form.get());
  Dialog->SetBounds(0, 0, 200, 100);
  Dialog->SetPosition(poOwnerFormCenter);
  Dialog->FOnShow = Log.Enter();
  Dialog->Show();
  EXPECT_EQ(Dialog->BoundsRect(), Bounds(300, 250, 200, 100));
  Dialog->Hide();
  Dialog->IncludeState(csLoading);
  Dialog->SetVisible(true);
  EXPECT_EQ(Log.Log.size(), 1u);
}

}  // namespace
