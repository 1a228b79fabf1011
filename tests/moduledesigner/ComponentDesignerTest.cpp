#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editors/CustomModules.h"
#include "editors/DesignEditors.h"
#include "host/DesignEnvironment.h"
#include "host/IDEServices.h"
#include "host/root/ReferenceRoot.h"
#include "moduledesigner/ModuleRegistry.h"
#include "tests/moduledesigner/RootDouble.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

class TFormBase : public TComponent {
  FW_CLASS(TFormBase, TComponent)
 public:
  using TComponent::TComponent;
};
class TDataModuleBase : public TComponent {
  FW_CLASS(TDataModuleBase, TComponent)
 public:
  using TComponent::TComponent;
};
FW_REGISTER_CLASS(TFormBase, "Test.Forms")
FW_REGISTER_CLASS(TDataModuleBase, "Test.DataModules")

// Custom modules telling apart which registration answered.
class TFirstModule : public TCustomModule {
  FW_CLASS(TFirstModule, TCustomModule)
 public:
  using TCustomModule::TCustomModule;
  static void DeclarePublished(TClassBuilder<TFirstModule>& C) { DeclareEditorFactory(C); }
};
class TNestableModule : public TFirstModule {
  FW_CLASS(TNestableModule, TFirstModule)
 public:
  using TFirstModule::TFirstModule;
  static void DeclarePublished(TClassBuilder<TNestableModule>& C) { DeclareEditorFactory(C); }
  bool Nestable() override { return true; }
};
FW_REGISTER_CLASS(TFirstModule, "Test.Modules")
FW_REGISTER_CLASS(TNestableModule, "Test.Modules")

// A manager that counts what the host side is told.
class TCountingDesigner : public TComponentDesigner {
 public:
  using TComponentDesigner::TComponentDesigner;
  int Selections = 0, Activations = 0, ActiveModified = 0;

 protected:
  void HostRootActivated(const IPtr<IRoot>&) override { ++Activations; }
  void HostSelectionChanged(const IPtr<IDesigner>&, const IPtr<IDesignerSelections>&) override {
    ++Selections;
  }
  void HostActiveRootModified(const IPtr<IRoot>&) override { ++ActiveModified; }
};

struct TManagerFixture : ::testing::Test {
  TDesignPackageScope Package;
  IPtr<TDesignEnvironment> Env = MakeIntf<TDesignEnvironment>();
  IPtr<TCountingDesigner> D =
      MakeIntf<TCountingDesigner>(nullptr, IPtr<IDesignEnvironment>(Env.Get()), nullptr);
  IPtr<TRootDouble> Add(const IPtr<TCountingDesigner>& Owner, const String& Name) {
    auto R = MakeIntf<TRootDouble>(Name);
    Owner->RootListAdd(AsRoot(R));
    return R;
  }
};

// A listener that removes itself (and records) when called.
class TSelfRemovingListener : public TInterfacedObject, public IDesignNotification {
 public:
  TSelfRemovingListener(std::vector<String>& Log, String Tag, bool RemoveSelf)
      : FLog(Log), FTag(std::move(Tag)), FRemoveSelf(RemoveSelf) {}
  void ItemDeleted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemInserted(const IPtr<IDesigner>&, TPersistent*) override {}
  void ItemsModified(const IPtr<IDesigner>&) override {
    FLog.push_back(FTag);
    if (FRemoveSelf) UnregisterDesignNotification(IPtr<IDesignNotification>(this));
  }
  void SelectionChanged(const IPtr<IDesigner>&, const IPtr<IDesignerSelections>& S) override {
    FLog.push_back(FTag + ":" + (S ? IntToStr(S->GetCount()) : String("none")));
  }
  void DesignerOpened(const IPtr<IDesigner>&, bool) override {}
  void DesignerClosed(const IPtr<IDesigner>&, bool) override {}

 private:
  std::vector<String>& FLog;
  String FTag;
  bool FRemoveSelf;
};

}  // namespace

TEST_F(TManagerFixture, FindRootPrefersTheAskingDesignerAndIgnoresCase) {
  auto Other = MakeIntf<TCountingDesigner>(nullptr, IPtr<IDesignEnvironment>(Env.Get()), nullptr);
  Designers()->RegisterDesigner(IPtr<IComponentDesigner>(Other.Get()), ".xfm");
  Designers()->RegisterDesigner(IPtr<IComponentDesigner>(D.Get()), ".fwf");
  auto Theirs = Add(Other, "Form1");
  auto Mine = Add(D, "Form1");
  auto Only = Add(Other, "Form2");
  EXPECT_TRUE(D->FindRoot("form1") == AsRoot(Mine));
  EXPECT_TRUE(Other->FindRoot("FORM1") == AsRoot(Theirs));
  EXPECT_TRUE(D->FindRoot("Form2") == AsRoot(Only));  // asked of the other designers
  EXPECT_FALSE(D->FindRoot("Form3"));
  EXPECT_TRUE(Designers()->DesignerFromExtension(".FWF") == IPtr<IComponentDesigner>(D.Get()));
  EXPECT_FALSE(Designers()->DesignerFromExtension(".pas"));
}

TEST_F(TManagerFixture, OpenRootClassStripsOnlyACapitalTAndResurrects) {
  std::vector<String> Asked;
  Env->RootOpener = [&](const String& Name) {
    Asked.push_back(Name);
    if (Name == "Form1") Add(D, "Form1")->FDormant = true;
    return Name == "Form1";
  };
  IPtr<IRoot> R = D->OpenRootClass("TForm1");
  ASSERT_TRUE(R);
  EXPECT_FALSE(R->IsDormant());
  D->OpenRootClass("Form9");
  D->OpenRootClass("tForm9");
  EXPECT_EQ(Asked, (std::vector<String>{"Form1", "Form9", "tForm9"}));
  EXPECT_TRUE(D->OpenRootClass("TForm1") == R);  // open already: not asked again
  EXPECT_EQ(Asked.size(), 3u);
}

TEST_F(TManagerFixture, TheNewestCustomModuleRegistrationWins) {
  EXPECT_EQ(D->FindBaseClass(""), "TForm");
  EXPECT_EQ(D->FindBaseClass("TDataModuleBase"), "TForm");  // nothing registered yet
  RegisterCustomModule(TFormBase::StaticClass(), TFirstModule::StaticClass());
  RegisterCustomModule(TDataModuleBase::StaticClass(), TFirstModule::StaticClass());
  EXPECT_FALSE(D->IsNestable("TDataModuleBase"));
  RegisterCustomModule(TDataModuleBase::StaticClass(), TNestableModule::StaticClass());
  EXPECT_EQ(D->FindCustomModuleClass("tdatamodulebase"), TNestableModule::StaticClass());
  EXPECT_EQ(D->FindBaseClass("TDataModuleBase"), "TDataModuleBase");
  EXPECT_TRUE(D->IsNestable("TDataModuleBase"));
  EXPECT_TRUE(D->IsRootBaseClass("TFormBase"));
  EXPECT_FALSE(D->IsRootBaseClass(""));
  EXPECT_EQ(GetClass("TDataModuleBase"), TDataModuleBase::StaticClass());  // registered with the runtime
  UnRegisterClass(TFormBase::StaticClass());
  UnRegisterClass(TDataModuleBase::StaticClass());
}

TEST_F(TManagerFixture, AListenerRemovingItselfSkipsNobody) {
  std::vector<String> Log;
  auto A = MakeIntf<TSelfRemovingListener>(Log, "A", false);
  auto B = MakeIntf<TSelfRemovingListener>(Log, "B", true);
  auto C = MakeIntf<TSelfRemovingListener>(Log, "C", false);
  for (auto* L : {A.Get(), B.Get(), C.Get()}) RegisterDesignNotification(IPtr<IDesignNotification>(L));
  DesignNotificationItemsModified(nullptr);
  EXPECT_EQ(Log, (std::vector<String>{"C", "B", "A"}));
  Log.clear();
  DesignNotificationItemsModified(nullptr);
  EXPECT_EQ(Log, (std::vector<String>{"C", "A"}));
  for (auto* L : {A.Get(), C.Get()}) UnregisterDesignNotification(IPtr<IDesignNotification>(L));
  EXPECT_EQ(DesignNotificationCount(), 0);
}

TEST_F(TManagerFixture, SelectionsFollowActivationAndReachListenersAsCopies) {
  std::vector<String> Log;
  auto L = MakeIntf<TSelfRemovingListener>(Log, "L", false);
  RegisterDesignNotification(IPtr<IDesignNotification>(L.Get()));
  TComponent Item(nullptr);
  auto R1 = Add(D, "Form1");
  auto R2 = Add(D, "Form2");
  R2->FSelection = {&Item};
  D->RootActivated(AsRoot(R2));
  EXPECT_TRUE(D->GetActiveRoot() == AsRoot(R2));
  EXPECT_TRUE(D->GetRoots(0) == AsRoot(R2));  // most recently activated first
  EXPECT_EQ(R2->FActiveLog, (std::vector<bool>{true}));
  EXPECT_EQ(D->Selections, 1);
  EXPECT_EQ(D->Activations, 1);
  // Reporting the same selection again is no change for the host.
  D->UpdateSelections();
  EXPECT_EQ(D->Selections, 1);
  // The active root goes dormant: the next ready root reports, with an empty selection.
  R2->FDormant = true;
  D->RootGoingDormant(AsRoot(R2));
  EXPECT_TRUE(D->GetActiveRoot() == AsRoot(R1));
  EXPECT_EQ(R1->FActiveLog, (std::vector<bool>{true}));
  // The dormant root was dropped as active root before the report, so it is not told.
  EXPECT_EQ(R2->FActiveLog, (std::vector<bool>{true}));
  EXPECT_EQ(Log, (std::vector<String>{"L:1", "L:1", "L:none"}));
  EXPECT_EQ(D->Selections, 2);
  // Modifying the active root tells the host; another root only the listeners.
  D->RootModified(AsRoot(R1));
  D->RootModified(AsRoot(R2));
  EXPECT_EQ(D->ActiveModified, 1);
  // Removing the active root leaves none when no other root is ready.
  R1->FReady = false;
  D->RootListRemove(AsRoot(R1));
  EXPECT_FALSE(D->GetActiveRoot());
  UnregisterDesignNotification(IPtr<IDesignNotification>(L.Get()));
}

TEST_F(TManagerFixture, RootsWithoutAncestorsClearDependenciesFirst) {
  std::vector<String> Cleared;
  auto Base = Add(D, "Base");
  auto A = Add(D, "InheritedA");
  auto Plain = Add(D, "Plain");
  auto B = Add(D, "InheritedB");
  for (auto* R : {Base.Get(), A.Get(), Plain.Get(), B.Get()}) R->FClearLog = &Cleared;
  A->FAncestor = IPtr<IInternalRoot>(static_cast<IInternalRoot*>(Base.Get()));
  B->FAncestor = A->FAncestor;
  TComponent Gone(nullptr);
  D->RemoveDependenciesOn(&Gone);
  EXPECT_EQ(Cleared, (std::vector<String>{"Base", "Plain", "InheritedB", "InheritedA"}));
  std::vector<String> Order;
  D->GetRootNames([&](const String& N) { Order.push_back(N); });
  EXPECT_EQ(Order, Cleared);  // the new order is kept
  A->FAncestor.Reset();
  B->FAncestor.Reset();
}

TEST_F(TManagerFixture, ActivatingADesignerSetsThePaletteContextAndSendsTheCustomModule) {
  IPtr<TReferenceIDEServices> Services = InstallReferenceIDEServices();
  Services->AddContext("CodeEditorActive");
  Designers()->RegisterDesigner(IPtr<IComponentDesigner>(D.Get()), ".fwf");
  auto R = Add(D, "Form1");
  R->FCustomModule = StubCustomModule();
  int Sent = 0;
  struct TListener : TObject {
    int* Count = nullptr;
    void RootActivated(TObject*, const IPtr<ICustomModule>& M) { *Count += M ? 1 : 100; }
  } Listener;
  Listener.Count = &Sent;
  RootActivatedSink().Add(TEvRootActivatedEvent::THandler::Bind<&TListener::RootActivated>(&Listener));
  D->RootActivated(AsRoot(R));
  EXPECT_EQ(Sent, 1);
  EXPECT_TRUE(Services->ContextActive("NativeDesignerActive"));
  EXPECT_FALSE(Services->ContextActive("CodeEditorActive"));
  EXPECT_TRUE(Designers()->GetActiveDesigner() == IPtr<IComponentDesigner>(D.Get()));
  EXPECT_EQ(Env->Activations(), 1);
  D->RootActivated(AsRoot(R));  // the same root again: no second send
  EXPECT_EQ(Sent, 1);
  int Deactivated = 0;
  struct TCounter : TObject {
    int* N = nullptr;
    void Fired(TObject*) { ++*N; }
  } Counter;
  Counter.N = &Deactivated;
  DesignerDeactivatedSink().Add(TEventHandler::Bind<&TCounter::Fired>(&Counter));
  Designers()->DeactivateDesigner();
  Designers()->DeactivateDesigner();
  EXPECT_EQ(Deactivated, 1);
  EXPECT_FALSE(Services->ContextActive("NativeDesignerActive"));
}

TEST_F(TManagerFixture, WindowsGoToEveryRootEditsAndClipboardToTheActiveOne) {
  auto R1 = Add(D, "Form1");
  auto R2 = Add(D, "Form2");
  D->RootActivated(AsRoot(R2));
  D->HideWindows();
  D->ShowWindows();
  D->CancelModes();
  TMemoryStream S;
  D->CopySelectionToStream(&S, nullptr);
  D->PasteSelectionFromStream(&S, nullptr, TRect{});
  D->ModalEditDone(nullptr);
  EXPECT_THAT(R2->FLog, ::testing::ElementsAre("hide", "show", "cancel", "copy", "paste", "modal done"));
  EXPECT_THAT(R1->FLog, ::testing::ElementsAre("hide", "show"));
}

TEST_F(TManagerFixture, WithoutAnActiveRootForwardedOperationsDoNothing) {
  struct TWindow : TInterfacedObject, IActivatable {
    int Activations = 0;
    void Activate() override { ++Activations; }
  };
  auto W = MakeIntf<TWindow>();
  auto R = Add(D, "Form1");
  R->FReady = false;
  D->UpdateSelections();
  D->CancelModes();
  D->EditAction(eaDelete);
  EXPECT_EQ(D->GetEditState(), TEditState{});
  EXPECT_EQ(D->GetSelectionName(), "");
  EXPECT_EQ(D->GetFirstSelectionClass(), nullptr);
  D->ModalEditDone(IPtr<IActivatable>(W.Get()));  // the window comes back all the same
  EXPECT_EQ(W->Activations, 1);
  EXPECT_TRUE(R->FLog.empty());
  EXPECT_EQ(Designers()->GetSelectionType(), "");  // no active designer at all
}

namespace {
IPtr<IDesignEnvironment>& InitializedWith() {
  static IPtr<IDesignEnvironment> E;
  return E;
}
void RecordInitialization(const IPtr<IDesignEnvironment>& Environment) { InitializedWith() = Environment; }
}  // namespace

TEST(ReferenceHost, InitializesTheDesignersWithItsEnvironmentInTheCurrentPackage) {
  TDesignPackageScope Package;
  RegisterInitializeDesigner(&RecordInitialization);
  {
    TReferenceHost Host(MakeIntf<TMemoryFileSystem>());
    EXPECT_EQ(InitializedWith().Get(), static_cast<IDesignEnvironment*>(&Host.Environment()));
    EXPECT_EQ(CurrentDesignPackage(), &Package.Package()) << "the host shares the started package";
  }
  InitializedWith().Reset();
  EXPECT_EQ(CurrentDesignPackage(), &Package.Package());
}

TEST(ReferenceHost, WithoutAStartedPackageStartsOneOfItsOwnForItsLifetime) {
  TDesignPackage Bare;
  {
    TReferenceHost Host(MakeIntf<TMemoryFileSystem>());
    ASSERT_NE(CurrentDesignPackage(), &Bare);
    EXPECT_EQ(CurrentDesignPackage()->Hooks.GetTopLevelComponentFunc, &TopLevelDesignComponent);
  }
  EXPECT_EQ(CurrentDesignPackage(), &Bare);
}
