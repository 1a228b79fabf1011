// Selecting, deleting and pasting on module roots of the reference host: what is selected,
// what a delete frees and whom it tells, and what a refused paste leaves behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/CustomModules.h"
#include "editors/PropertyEditors.h"
#include "formwright/testing/Forms.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/TestClasses.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace formwright {
namespace {

using testing::Make;

using namespace orx;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::MessageOf;
using testing::PanelFormText;

// Refuses panels, as the custom module of a module kind that has no room for them would.
class TNoPanelModule : public TCustomModule {
  FW_CLASS(TNoPanelModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TNoPanelModule>& C) { DeclareEditorFactory(C); }
  void ValidateComponent(TComponent* Component) override {
    if (Component->InheritsFrom(TPanel::StaticClass()))
      throw ENonAIRException(Format("Class %s is not applicable to this module", Component->ClassName()));
  }
};
FW_REGISTER_CLASS(TNoPanelModule, "Test.Modules")

class ComponentRootSelection : public testing::RootTest {
 protected:
  // The form, with Label1 added after the panel and its button.
  void OpenForm() {
    Form1 = Open("Form1.fwf", PanelFormText);
    auto* Label = Make<TLabel>(Form1->GetRoot(), "Label1");
    Label->SetParent(As<TWinControl>(Form1->GetRoot()));
  }
  IPtr<IGrabHandles> Handles() { return Form1->Surface()->GetGrabHandles(); }
  // Pastes the objects, each given in text form, as the clipboard hands them over.
  void Paste(std::initializer_list<const char*> Objects) {
    TMemoryStream S;
    for (const char* Text : Objects) {
      TStringStream In(Text);
      ObjectTextToBinary(&In, &S);
    }
    const uint8_t End = 0;
    S.WriteBuffer(&End, 1);
    S.SetPosition(0);
    Form1->PasteSelectionFromStream(&S, Form1->GetRoot(), TRect{});
  }
};

TEST_F(ComponentRootSelection, AnEmptySelectionReportsTheRootUnlessNothingWasAskedFor) {
  OpenForm();
  Form1->ClearSelection();
  EXPECT_THAT(Selected(Form1), ElementsAre(Form1->GetRoot()));
  Form1->NoSelection();
  EXPECT_THAT(Selected(Form1), IsEmpty());
  Form1->SetSelections(CreateSelectionList());
  EXPECT_THAT(Selected(Form1), IsEmpty());
  EXPECT_FALSE(Form1->IsRootSelected());
  // Any selection made afterwards lifts it.
  Form1->Select(C("Button1"), false);
  Form1->SetSelections(CreateSelectionList());
  EXPECT_THAT(Selected(Form1), ElementsAre(Form1->GetRoot()));
}

TEST_F(ComponentRootSelection, SelectAllTakesTheRootsComponentsExceptThoseWithoutIcon) {
  OpenForm();
  auto* Menu = Make<TMainMenu>(Form1->GetRoot(), "MainMenu1");
  auto* Item = Make<TMenuItem>(Form1->GetRoot(), "File1");
  Menu->Items()->Add(Item);
  RegisterNoIcon({TMenuItem::StaticClass()});
  Form1->SelectAll();
  UnregisterNoIcon(TMenuItem::StaticClass());
  EXPECT_THAT(Selected(Form1), ElementsAre(C("Panel1"), C("Button1"), C("Label1"), Menu));
}

TEST_F(ComponentRootSelection, DeletingTellsTheEnvironmentBeforeAndAfterEachItem) {
  OpenForm();
  Form1->Select(C("Label1"), false);
  Form1->Select(C("Panel1"), true);
  Form1->DeleteSelection(false);
  // The panel's button goes with it: it leaves the module without being deleted itself.
  EXPECT_THAT(Host.Environment().DeletingItems(), ElementsAre("Label1", "Panel1"));
  EXPECT_THAT(Host.Environment().DeletedItems(), ElementsAre("Label1", "Button1", "Panel1"));
  EXPECT_EQ(C("Button1"), nullptr);
}

TEST_F(ComponentRootSelection, DeletingACollectionItemFreesItWithoutUndelete) {
  OpenForm();
  auto* Widget = new testing::TTestWidget(Form1->GetRoot());
  Widget->SetName("Widget1");
  TCollectionItem* First = Widget->Items()->Add();
  TCollectionItem* Second = Widget->Items()->Add();
  const String Path = First->GetNamePath();
  Form1->Select(First, false);
  Form1->DeleteSelection(false);
  ASSERT_EQ(Widget->Items()->Count(), 1);
  EXPECT_EQ(Widget->Items()->Items(0), Second);
  EXPECT_FALSE(Form1->CanUndelete());
  EXPECT_THAT(Host.Environment().DeletingItems(), ElementsAre(Path));
  EXPECT_THAT(Host.Environment().DeletedItems(), ElementsAre(Path));
  // With a component beside it, both go, and still nothing can be undeleted.
  Form1->Select(Second, false);
  Form1->Select(C("Label1"), true);
  Form1->DeleteSelection(false);
  EXPECT_EQ(Widget->Items()->Count(), 0);
  EXPECT_EQ(C("Label1"), nullptr);
  EXPECT_FALSE(Form1->CanUndelete());
}

TEST_F(ComponentRootSelection, TheUpdateManagersDeletionClearsHandlesOnTheItemOrItsParent) {
  OpenForm();
  struct TCase {
    const char* HandlesOn;
    const char* Deleted;
    bool Cleared;
  };
  for (const TCase& T : {TCase{"Button1", "Button1", true}, TCase{"Panel1", "Button1", true},
                         TCase{"Label1", "Button1", false}, TCase{"Button1", "Panel1", false}}) {
    Form1->Select(C(T.HandlesOn), false);
    ASSERT_TRUE(Handles()->GetItem()) << T.HandlesOn;
    Form1->Deleting(nullptr, C(T.Deleted));
    EXPECT_EQ(Handles()->GetItem() == nullptr, T.Cleared) << T.HandlesOn << " / " << T.Deleted;
  }
}

TEST_F(ComponentRootSelection, AComponentRefusedWhilePastingIsFreedWithWhatItHolds) {
  RegisterCustomModule(TForm::StaticClass(), TNoPanelModule::StaticClass());
  RegisterNoIcon({TMenuItem::StaticClass()});
  OpenForm();
  // Each refused component holds others and is referred to by a component read before it;
  // the reader still resolves the references of what it read, none of which may touch the
  // refused component or what it held.
  struct TCase {
    std::initializer_list<const char*> Objects;
    const char* Message;
  };
  for (const TCase& T :
       {TCase{{"object Label9: TLabel\n  FocusControl = Edit9\nend\n",
               "object Panel9: TPanel\n  object Edit9: TEdit\n  end\n"
               "  object ActionList9: TActionList\n  end\nend\n"},
              "Class TPanel is not applicable to this module"},
        TCase{{"object Item9: TMenuItem\n  Caption = 'Open'\n  object Item10: TMenuItem\n  end\nend\n"},
              "Cannot paste TMenuItem in the designer"}}) {
    EXPECT_EQ(MessageOf([&] { Paste(T.Objects); }), T.Message);
    TStringStream Out;
    Form1->WriteRootStream(&Out);
    for (const char* Gone : {"Panel9", "Edit9", "ActionList9", "Item9", "Item10"}) {
      EXPECT_EQ(C(Gone), nullptr) << Gone;
      EXPECT_THAT(Out.DataString(), Not(HasSubstr(Gone)));
    }
    if (TComponent* Label = C("Label9")) Label->Free();
  }
  UnregisterNoIcon(TMenuItem::StaticClass());
}

}  // namespace
}  // namespace formwright
