// Names given to components pasted from the clipboard into an owner that already holds their
// names: the first free number of the class, and references in the same paste following them.
#include <gtest/gtest.h>

#include "formdesigner/ComponentClipboard.h"
#include "platform/orx/Orx.h"

namespace formwright {
namespace {

using namespace orx;

TEST(ComponentClipboardNames, ClashesTakeTheFirstFreeNumbersAndReferencesFollowInAnyCase) {
  RegisterOrxClasses();
  TOwned<TForm> Form(new TForm(nullptr));
  for (const char* Name : {"Button1", "Button3", "Label1"}) {
    TControl* C = Name[0] == 'B' ? static_cast<TControl*>(new TButton(Form.get())) : new TLabel(Form.get());
    C->SetName(Name);
    C->SetParent(Form.get());
  }
  Clipboard().Clear();
  Clipboard().SetAsText(
      "object Button1: TButton\nend\nobject Button3: TButton\nend\nobject Button7: TButton\nend\n"
      "object Label1: TLabel\n  FocusControl = BUTTON3\nend\n");
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  PasteComponents(Form.get(), Form.get(), Pasted);
  Clipboard().Clear();
  std::vector<String> Names;
  for (int I = 0; I < Pasted->GetCount(); ++I)
    Names.push_back(static_cast<TComponent*>(Pasted->Get(I))->Name());
  EXPECT_EQ(Names, (std::vector<String>{"Button2", "Button4", "Button7", "Label2"}));
  EXPECT_EQ(static_cast<TLabel*>(Pasted->Get(3))->FocusControl(), Pasted->Get(1));
}

}  // namespace
}  // namespace formwright
