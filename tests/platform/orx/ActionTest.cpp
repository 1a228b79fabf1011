#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::ElementsAre;

namespace {

struct Actions : TFormTest {
  Actions() {
    List = Make<TActionList>(Form.get(), "ActionList1");
    Save = Make<TAction>(Form.get(), "SaveAction");
    Save->SetActionList(List);
    Save->SetCaption("&Save");
    Save->SetHint("Save the file");
    Save->SetOnExecute(Log.Execute());
    Button = Make<TButton>(Form.get(), "Button1", Form.get());
  }
  TEventLog Log;
  TActionList* List;
  TAction* Save;
  TButton* Button;
};

TEST_F(Actions, ActionsAreOwnedByTheModuleAndListedByTheirList) {
  EXPECT_EQ(Save->GetParentComponent(), List);
  EXPECT_TRUE(Save->HasParent());
  EXPECT_EQ(ChildNames(List, Form.get()), std::vector<std::string>{"SaveAction"});
  auto* Open = Make<TAction>(Form.get(), "OpenAction");
  Open->SetParentComponent(List);
  List->SetChildOrder(Open, 0);
  EXPECT_EQ(ChildNames(List, Form.get()), (std::vector<std::string>{"OpenAction", "SaveAction"}));
  EXPECT_EQ(Save->Index(), 1);
}

TEST_F(Actions, ALinkedControlTakesAndFollowsTheActionsValues) {
  Button->SetAction(Save);
  EXPECT_EQ(Button->Caption(), "&Save");
  EXPECT_EQ(Button->Hint(), "Save the file");
  EXPECT_TRUE(Button->ControlStyle().Contains(csActionClient));
  Save->SetCaption("Save &As");
  EXPECT_EQ(Button->Caption(), "Save &As");
  Save->SetEnabled(false);
  EXPECT_FALSE(Button->Enabled());
  // Linked values are not stored with the control.
  EXPECT_FALSE(IsStoredProp(Button, GetPropInfo(Button, "Caption")));
  EXPECT_FALSE(IsStoredProp(Button, GetPropInfo(Button, "OnClick")));
}

TEST_F(Actions, AValueChangedOnTheControlStopsFollowing) {
  Button->SetAction(Save);
  Button->SetCaption("Keep");
  Save->SetCaption("Other");
  EXPECT_EQ(Button->Caption(), "Keep");
  EXPECT_TRUE(IsStoredProp(Button, GetPropInfo(Button, "Caption")));
  Save->SetHint("New hint");
  EXPECT_EQ(Button->Hint(), "New hint");
}

TEST_F(Actions, ClickingExecutesTheActionOnlyWhenEnabledAndAnOwnClickHandlerWins) {
  Button->SetAction(Save);
  Button->Click();
  Save->SetEnabled(false);
  Button->Click();
  Save->SetEnabled(true);
  Button->FOnClick = Log.Click();
  Button->Click();
  EXPECT_THAT(Log.Log, ElementsAre("execute:SaveAction", "click:Button1"));
}

TEST_F(Actions, AutoCheckTogglesAndCheckBoxesFollow) {
  auto* Check = Make<TCheckBox>(Form.get(), "CheckBox1", Form.get());
  Save->SetAutoCheck(true);
  Check->SetAction(Save);
  EXPECT_FALSE(Check->Checked());
  Save->Execute();
  EXPECT_TRUE(Save->Checked());
  EXPECT_TRUE(Check->Checked());
  EXPECT_EQ(Log.Log, std::vector<std::string>{"execute:SaveAction"});  // following is not a click
}

TEST_F(Actions, FreeingTheActionUnlinksItsClients) {
  Button->SetAction(Save);
  auto* Item = Make<TMenuItem>(Form.get(), "SaveItem");
  Item->SetAction(Save);
  EXPECT_EQ(Item->Caption(), "&Save");
  EXPECT_EQ(Save->ClientCount(), 2);
  Save->Free();
  EXPECT_EQ(Button->Action(), nullptr);
  EXPECT_EQ(Item->Action(), nullptr);
  EXPECT_EQ(List->ActionCount(), 0);
  EXPECT_FALSE(Button->ControlStyle().Contains(csActionClient));
  // Freeing a list frees its actions.
  auto* Open = Make<TAction>(Form.get(), "OpenAction");
  Open->SetActionList(List);
  Button->SetAction(Open);
  List->Free();
  EXPECT_EQ(Form->FindComponent("OpenAction"), nullptr);
  EXPECT_EQ(Button->Action(), nullptr);
}

TEST_F(Actions, TheListMayHandleExecution) {
  struct THandler : TEventLog {
    void Handle(TBasicAction* A, bool& Handled) {
      Log.push_back("list:" + A->Name());
      Handled = true;
    }
  } Handler;
  List->FOnExecute = BindEvent<TActionEvent, &THandler::Handle>(&Handler);
  EXPECT_TRUE(Save->Execute());
  EXPECT_EQ(Handler.Log, std::vector<std::string>{"list:SaveAction"});
  EXPECT_TRUE(Log.Log.empty());
}

TEST_F(Actions, MenuItemsFollowShortCutsAndRunByShortCut) {
  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  auto* File = Make<TMenuItem>(Form.get(), "File1");
  auto* Item = Make<TMenuItem>(Form.get(), "SaveItem");
  Menu->Items()->Add(File);
  File->Add(Item);
  Save->SetShortCut(TextToShortCut("Ctrl+S"));
  Item->SetAction(Save);
  EXPECT_EQ(ShortCutToText(Item->ShortCut()), "Ctrl+S");
  EXPECT_TRUE(Menu->IsShortCut(TextToShortCut("ctrl+s")));
  EXPECT_FALSE(Menu->IsShortCut(TextToShortCut("Ctrl+Q")));
  EXPECT_EQ(Log.Log, std::vector<std::string>{"execute:SaveAction"});
}

}  // namespace
