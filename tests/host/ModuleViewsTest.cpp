// A module's device views: each a root of its own that inherits from the module's root, in a
// form file beside the module's, listed by the module and kept in step with it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/root/ReferenceViews.h"
#include "moduledesigner/ModuleRegistry.h"
#include "platform/orx/Orx.h"

using namespace formwright;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::ThrowsMessage;

namespace {

constexpr const char* SMain =
    "object Form1: TForm1\n  Caption = 'Main'\n  object Button1: TButton\n  end\nend\n";

// Records the view notifications and each designer that closes ("Form1 dormant").
class TViewLog : public TInterfacedObject, public IDesignNotificationViews {
 public:
  explicit TViewLog(std::vector<String>& Log) : FLog(Log) {}
  void ItemDeleted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemInserted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemsModified(const IPtr<IDesigner>&) override {}
  void SelectionChanged(const IPtr<IDesigner>&, const IPtr<IDesignerSelections>&) override {}
  void DesignerOpened(const IPtr<IDesigner>&, bool) override {}
  void DesignerClosed(const IPtr<IDesigner>& D, bool Sleep) override {
    Add(D, Sleep ? " dormant" : " closed");
  }
  void ViewAdded(const IPtr<IDesigner>& D, const String& Name) override { Add(D, " added " + Name); }
  void ViewRemoved(const IPtr<IDesigner>& D, const String& Name) override { Add(D, " removed " + Name); }
  void Add(const IPtr<IDesigner>& D, const String& What) { FLog.push_back(D->GetRoot()->Name() + What); }

 private:
  std::vector<String>& FLog;
};

class ModuleViews : public ::testing::Test {
 protected:
  ModuleViews() : Files(MakeIntf<TMemoryFileSystem>()) {
    Files->PutFile("Unit1.fwf", SMain);
    Host = std::make_unique<TReferenceHost>(Files);
    Master = Host->Open("Unit1.fwf");
    RegisterDesignNotification(IPtr<IDesignNotification>(Listener.Get()));
  }
  ~ModuleViews() override { UnregisterDesignNotification(IPtr<IDesignNotification>(Listener.Get())); }

  std::vector<String> ModuleList() const { return Master->Source()->ViewList(); }
  std::vector<String> ViewNames() const {
    std::vector<String> Names;
    for (int I = 0; I < Master->GetViewCount(); ++I) Names.push_back(Master->GetViewName(I));
    return Names;
  }
  IRootViews& Views(const IPtr<IInternalRoot>& R) const { return *Supports<IRootViews>(R); }

  IPtr<TMemoryFileSystem> Files;
  std::unique_ptr<TReferenceHost> Host;
  IPtr<TReferenceRoot> Master;
  std::vector<String> Log;
  IPtr<TViewLog> Listener = MakeIntf<TViewLog>(Log);
};

TEST_F(ModuleViews, AViewIsARootInheritingFromTheMasterInAFileBesideIt) {
  ASSERT_EQ(Master->AddView("Tablet"), 0);
  const IPtr<IInternalRoot> View = Master->GetView(0);
  EXPECT_EQ(View->GetRootName(), "Form1_Tablet");
  EXPECT_EQ(View->GetAncestorName(), "TForm1");
  EXPECT_EQ(View->GetFileName(), "Unit1.Tablet.fwf");
  EXPECT_EQ(View->GetModule(), Master->GetModule());
  EXPECT_EQ(Views(View).GetMasterView().Identity(),
            static_cast<IInterface*>(static_cast<IRoot*>(Master.Get())));
  EXPECT_THAT(Log, ElementsAre("Form1 added Tablet"));
  // The view holds the master's components as inherited ones, and the designer knows its root.
  TComponent* Button = View->GetRoot()->FindComponent("Button1");
  ASSERT_NE(Button, nullptr);
  EXPECT_TRUE(Button->ComponentState().Contains(csAncestor));
  EXPECT_EQ(Views(View).GetMasterViewComponent(Button), Master->GetRoot()->FindComponent("Button1"));
  EXPECT_THAT(Master->Source()->Text(), Not(HasSubstr("Tablet")));  // the unit is the master's
  // The module lists each device's form factor, or a blank for a device without one or none.
  DeviceRegistry().Add({"Kiosk", "Kiosk", dcOther, {{"Width", "1080"}}});
  Master->AddView("Kiosk");
  Master->AddView("Lobby");
  EXPECT_THAT(ModuleList(), ElementsAre("Tablet=Tablet", "Kiosk= ", "Lobby= "));
  EXPECT_EQ(Master->GetViewIndex("LOBBY"), 2);
}

TEST_F(ModuleViews, ARefusedNameChangesNeitherTheViewsNorTheModulesList) {
  Master->AddView("Tablet");
  const std::vector<String> Before = ModuleList();
  const int Roots = Host->Designer()->GetRootsCount();
  const std::pair<std::function<void()>, const char*> Cases[] = {
      {[&] { Master->AddView("Tablet"); }, "View \"Tablet\" already exists in module"},
      {[&] { Master->AddView("tablet"); }, "View \"tablet\" already exists in module"},
      {[&] { Master->RemoveView("Phone"); }, "View \"Phone\" does not exist in module"},
  };
  for (const auto& [Call, Message] : Cases) {
    EXPECT_THAT(Call, ThrowsMessage<EComponentDesignerException>(Message));
    EXPECT_EQ(ModuleList(), Before);
    EXPECT_THAT(ViewNames(), ElementsAre("Tablet"));
  }
  // A name that cannot name a root opens nothing and lists nothing.
  EXPECT_THROW(Master->AddView("Big screen"), Exception);
  EXPECT_EQ(ModuleList(), Before);
  EXPECT_EQ(Host->Designer()->GetRootsCount(), Roots);
}

TEST_F(ModuleViews, AViewPassesEveryViewOperationToItsMaster) {
  Master->AddView("Tablet");
  IRootViews& Tablet = Views(Master->GetView(0));
  EXPECT_EQ(Tablet.AddView("Phone"), 1);
  EXPECT_THAT(ViewNames(), ElementsAre("Tablet", "Phone"));
  EXPECT_EQ(Master->GetView(1)->GetRootName(), "Form1_Phone");  // named after the master
  // The active view: the master until a view is chosen, through any of them.
  EXPECT_EQ(Tablet.GetActiveView().Identity(), static_cast<IInterface*>(static_cast<IRoot*>(Master.Get())));
  Tablet.SetActiveView(Master->GetView(1));
  EXPECT_EQ(Master->GetActiveView(), Master->GetView(1));
  const IPtr<TReferenceRoot> Stranger = Host->New("Form9", "Unit9.fwf");
  EXPECT_THROW(Master->SetActiveView(IPtr<IInternalRoot>(static_cast<IInternalRoot*>(Stranger.Get()))),
               EInvalidArgument);
  Tablet.RemoveView("Phone");  // the active view goes: the master is active again
  EXPECT_EQ(Master->GetActiveView().Identity(), static_cast<IInterface*>(static_cast<IRoot*>(Master.Get())));
  Master->RemoveView(0);
  EXPECT_THAT(ViewNames(), IsEmpty());
  EXPECT_THAT(ModuleList(), IsEmpty());
  EXPECT_FALSE(Host->Designer()->FindRoot("Form1_Tablet"));
  EXPECT_THAT(Log, ElementsAre("Form1 added Tablet", "Form1 added Phone", "Form1_Phone closed",
                               "Form1 removed Phone", "Form1_Tablet closed", "Form1 removed Tablet"));
}

TEST_F(ModuleViews, SavedAfterTheMasterTheyOpenWithItAgain) {
  Master->AddView("Tablet");
  orx::TButton* Button = As<orx::TButton>(Master->GetView(0)->GetRoot()->FindComponent("Button1"));
  Button->SetCaption("Tap");
  Master->GetView(0)->Modified();
  EXPECT_TRUE(Master->IsModified());  // a changed view changes the module
  Master->Save();
  EXPECT_EQ(Files->Contents("Unit1.fwv"), "Tablet=Tablet\n");
  const String ViewText = Files->Contents("Unit1.Tablet.fwf");
  EXPECT_THAT(ViewText, HasSubstr("Caption = 'Tap'"));
  Host->CloseAll();
  EXPECT_EQ(Host->Designer()->GetRootsCount(), 0);  // closing the master closed its view

  Master = Host->Open("Unit1.fwf");
  ASSERT_EQ(Master->GetViewCount(), 1);
  const IPtr<IInternalRoot> View = Master->GetView(0);
  EXPECT_EQ(View->GetRootName(), "Form1_Tablet");
  EXPECT_EQ(As<orx::TButton>(View->GetRoot()->FindComponent("Button1"))->Caption(), "Tap");
  EXPECT_EQ(As<orx::TButton>(Master->GetRoot()->FindComponent("Button1"))->Caption(), "");
  // Saved again unchanged, only the master's form is written: the view and the list stay.
  const int Writes = Files->Writes();
  Master->Save();
  EXPECT_EQ(Files->Writes(), Writes + 1);
}

TEST_F(ModuleViews, ViewsSleepBeforeTheMasterAndFollowItsRenames) {
  Master->AddView("Tablet");
  const IPtr<IInternalRoot> View = Master->GetView(0);
  Master->GoDormant();
  EXPECT_TRUE(View->IsDormant());
  EXPECT_THAT(Log, ElementsAre("Form1 added Tablet", "Form1_Tablet dormant", "Form1 dormant"));
  Master->Resurrect();
  View->Resurrect();
  EXPECT_NE(View->GetRoot()->FindComponent("Button1"), nullptr);

  Master->GetRoot()->SetName("Main");
  EXPECT_EQ(View->GetRootClassName(), "TMain_Tablet");
  EXPECT_EQ(Master->Source()->ClassName(), "TMain");
  Master->Rename("Forms/Main.txt");
  EXPECT_EQ(Master->GetFileName(), "Forms/Main.fwf");
  EXPECT_EQ(View->GetFileName(), "Forms/Main.Tablet.fwf");
}

}  // namespace
