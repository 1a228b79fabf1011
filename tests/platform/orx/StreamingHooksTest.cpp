#include "formwright/testing/Forms.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;

namespace {
using StreamingHooks = TFormTest;

// Components come in creation order, except that each control's place holds the next control
// of its kind (graphic or windowed) in z-order.
TEST_F(StreamingHooks, AFormListsItsComponentsInCreationOrderAndItsControlsInZOrder) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  Make<TActionList>(Form.get(), "ActionList1");
  Make<TButton>(Form.get(), "Inner", Panel);
  Make<TLabel>(Form.get(), "Label1", Form.get());
  auto* Action = Make<TAction>(Form.get(), "Action1");
  Action->SetActionList(static_cast<TActionList*>(Form->FindComponent("ActionList1")));
  Make<TButton>(Form.get(), "Button1", Form.get())->SendToBack();
  EXPECT_EQ(ChildNames(Form.get(), Form.get()),
            (std::vector<std::string>{"Button1", "ActionList1", "Label1", "Panel1"}));
  EXPECT_EQ(ChildNames(Panel, Form.get()), std::vector<std::string>{"Inner"});
  // Written as part of another root, the form lists only its controls owned by that root.
  EXPECT_TRUE(ChildNames(Panel, Panel).empty());
}

// A windowed control lists its controls owned by the root: in z-order when they are of one
// kind, each kind in its creation-order places when both kinds are there.
TEST_F(StreamingHooks, AWindowedControlListsItsControlsOwnedByTheRootInZOrder) {
  TOwned<TForm> Elsewhere(new TForm(nullptr));
  auto* Buttons = Make<TPanel>(Form.get(), "Buttons", Form.get());
  auto* Mixed = Make<TPanel>(Form.get(), "Mixed", Form.get());
  auto* A = Make<TButton>(Form.get(), "A", Buttons);
  Make<TButton>(Form.get(), "B", Buttons);
  Make<TButton>(Elsewhere.get(), "Foreign", Buttons);
  Make<TLabel>(Form.get(), "L1", Mixed);
  auto* E = Make<TEdit>(Form.get(), "E", Mixed);
  Make<TLabel>(Form.get(), "L2", Mixed)->SendToBack();
  Make<TEdit>(Form.get(), "F", Mixed);
  A->BringToFront();
  E->BringToFront();
  EXPECT_EQ(ChildNames(Buttons, Form.get()), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(ChildNames(Buttons, Elsewhere.get()), std::vector<std::string>{"Foreign"});
  EXPECT_EQ(ChildNames(Mixed, Form.get()), (std::vector<std::string>{"L2", "F", "L1", "E"}));
  EXPECT_TRUE(ChildNames(A, Form.get()).empty());
}

TEST_F(StreamingHooks, SetChildOrderMovesAChildAmongTheListedOnes) {
  Make<TButton>(Form.get(), "A", Form.get());
  Make<TMainMenu>(Form.get(), "Gap");
  Make<TButton>(Form.get(), "B", Form.get());
  auto* B = static_cast<TButton*>(Form->FindComponent("B"));
  auto* C = Make<TButton>(Form.get(), "C", Form.get());
  Form->SetChildOrder(C, 0);
  EXPECT_EQ(ChildNames(Form.get(), Form.get()), (std::vector<std::string>{"C", "A", "Gap", "B"}));
  // A control brought to the front is listed last of its kind; moved, it takes the new place
  // in the z-order too.
  C->BringToFront();
  ASSERT_EQ(ChildNames(Form.get(), Form.get()), (std::vector<std::string>{"A", "B", "Gap", "C"}));
  Form->SetChildOrder(B, 3);
  EXPECT_EQ(ChildNames(Form.get(), Form.get()), (std::vector<std::string>{"A", "Gap", "C", "B"}));
  EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), B);
}

TEST_F(StreamingHooks, ControlsAndMenuItemsTakeTheirParentFromTheReader) {
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  auto* Button = Make<TButton>(Form.get(), "Button1");
  EXPECT_TRUE(Button->HasParent());
  EXPECT_EQ(Button->GetParentComponent(), nullptr);
  Button->SetParentComponent(Panel);
  EXPECT_EQ(Button->Parent(), Panel);
  EXPECT_EQ(Form->GetChildParent(), Form.get());

  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  auto* File = Make<TMenuItem>(Form.get(), "File1");
  auto* Open = Make<TMenuItem>(Form.get(), "Open1");
  File->SetParentComponent(Menu);
  Open->SetParentComponent(File);
  EXPECT_EQ(File->GetParentComponent(), Menu);
  EXPECT_EQ(Open->GetParentComponent(), File);
  EXPECT_EQ(ChildNames(Menu, Form.get()), std::vector<std::string>{"File1"});
  EXPECT_EQ(ChildNames(File, Form.get()), std::vector<std::string>{"Open1"});
  EXPECT_EQ(ChildNames(Form.get(), Form.get()), (std::vector<std::string>{"Panel1", "MainMenu1"}));
}

TEST_F(StreamingHooks, AlignmentWaitsForLoaded) {
  Form->IncludeState(csLoading);
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  Panel->IncludeState(csLoading);
  Panel->SetAlign(alClient);
  EXPECT_EQ(Panel->Width(), 185);
  Panel->Loaded();
  Form->Loaded();
  EXPECT_EQ(Panel->BoundsRect(), Rect(0, 0, 400, 300));
}

TEST(Frames, AnInlineFrameIsAContainerThatOwnsItsChildren) {
  RegisterOrxClasses();
  TOwned<TForm> Form(new TForm(nullptr));
  auto* Frame = Make<TFrame>(Form.get(), "Frame1");
  Frame->SetParent(Form.get());
  EXPECT_TRUE(Frame->ControlStyle().Contains(csAcceptsControls));
  EXPECT_EQ(Frame->GetChildOwner(), nullptr);
  Frame->SetInline(true);
  EXPECT_EQ(Frame->GetChildOwner(), Frame);
  Make<TButton>(Frame, "Button1", Frame);
  EXPECT_EQ(ChildNames(Frame, Frame), std::vector<std::string>{"Button1"});
  EXPECT_TRUE(ChildNames(Frame, Form.get()).empty());
  EXPECT_EQ(ChildNames(Form.get(), Form.get()), std::vector<std::string>{"Frame1"});
}

TEST(DataModules, ListTheirComponentsAndAreListedByTheScreen) {
  RegisterOrxClasses();
  TApplication App;
  TOwned<TDataModule> Module(new TDataModule(nullptr));
  auto* List = Make<TActionList>(Module.get(), "ActionList1");
  auto* A = Make<TAction>(Module.get(), "Action1");
  A->SetActionList(List);
  Make<TPopupMenu>(Module.get(), "PopupMenu1");
  EXPECT_EQ(ChildNames(Module.get(), Module.get()), (std::vector<std::string>{"ActionList1", "PopupMenu1"}));
  bool Listed = false;
  for (int I = 0; I < Screen()->DataModuleCount(); ++I)
    Listed = Listed || Screen()->DataModules(I) == Module.get();
  EXPECT_TRUE(Listed);
}

}  // namespace
