#include "formdesigner/Proxies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::Contains;
using ::testing::ElementsAre;

namespace {
// Records the notifications that reach it.
class TListeningForm : public TTestForm {
 public:
  using TTestForm::TTestForm;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TTestForm::Notification(AComponent, Operation);
    Heard.emplace_back(AComponent, Operation);
  }
  std::vector<std::pair<TComponent*, TOperation>> Heard;
};
}  // namespace

TEST(Proxies, AProxyCarriesTheDesignedClassAndBehavesAsItsAncestorWhichMustBeTheInstancesClass) {
  const int Before = ProxyClassCount();
  auto* Form = new TTestForm(nullptr);
  TClass Proxy = CreateSubClass(Form, "TForm1", "Unit1", TTestForm::StaticClass());
  EXPECT_TRUE(IsProxyClass(Proxy));
  EXPECT_FALSE(IsProxyClass(TTestForm::StaticClass()));
  EXPECT_EQ(Form->ClassType(), Proxy);
  EXPECT_EQ(Form->ClassName(), "TForm1");
  EXPECT_EQ(Form->UnitName(), "Unit1");
  EXPECT_EQ(Proxy->ClassParent(), TTestForm::StaticClass());
  EXPECT_EQ(Proxy->ClassInfo()->Data.ParentInfo, TTestForm::StaticClass()->ClassInfo());
  EXPECT_EQ(GetPropList(Proxy).size(), GetPropList(TTestForm::StaticClass()).size());
  // Proxies never enter the class registry.
  EXPECT_EQ(GetClass("TForm1"), nullptr);
  RenameSubClass(Form, "TMainForm", "");
  EXPECT_EQ(Form->ClassName(), "TMainForm");
  EXPECT_EQ(Form->UnitName(), "Unit1");
  Form->Free();  // switches back and releases the proxy
  EXPECT_EQ(ProxyClassCount(), Before);
  EXPECT_FALSE(IsProxyClass(Proxy));
  // An ancestor that is not the instance's class is refused.
  TOwned<TTestWidget> W(new TTestWidget(nullptr));
  EXPECT_THROW(CreateSubClass(W.get(), "TForm1", TTestForm::StaticClass()), EInvalidCast);
  EXPECT_EQ(W->ClassType(), TTestWidget::StaticClass());
  EXPECT_EQ(ProxyClassCount(), Before);
}

TEST(Proxies, MethodHandlesAreLowestFreeFirstAndReusedWithinAndAfterAProxy) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  CreateSubClass(Form.get(), "TForm1", TTestForm::StaticClass());
  void* Click = CreateSubClassMethod(Form.get(), "Button1Click");
  void* Again = CreateSubClassMethod(Form.get(), "BUTTON1CLICK");
  EXPECT_EQ(Click, Again);
  void* Change = CreateSubClassMethod(Form.get(), "Edit1Change");
  EXPECT_NE(Click, Change);
  EXPECT_FALSE(IsCallableCode(Click));
  EXPECT_EQ(Form->MethodName(Change), "Edit1Change");
  // A compiled handler of the ancestor is found rather than made.
  EXPECT_EQ(CreateSubClassMethod(Form.get(), "WidgetClick"),
            TTestForm::StaticClass()->MethodAddress("WidgetClick"));
  const auto FirstIndex = reinterpret_cast<uintptr_t>(Click);
  DestroySubClassMethod(Form.get(), Click);
  EXPECT_EQ(Form->MethodAddress("Button1Click"), nullptr);
  void* Reused = CreateSubClassMethod(Form.get(), "Button2Click");
  EXPECT_EQ(reinterpret_cast<uintptr_t>(Reused), FirstIndex);
  RenameSubClassMethod(Form.get(), Reused, "OkClick");
  EXPECT_EQ(Form->MethodAddress("OkClick"), Reused);
  EXPECT_EQ(Form->MethodAddress("Button2Click"), nullptr);
  // A class that is not a proxy gets no new methods.
  TTestForm Plain(nullptr);
  EXPECT_THROW(CreateSubClassMethod(&Plain, "Nope"), EInvalidOperation);
  // Releasing the proxy frees its handles for the next one.
  Form.reset();
  TOwned<TTestForm> Next(new TTestForm(nullptr));
  CreateSubClass(Next.get(), "TForm2", TTestForm::StaticClass());
  EXPECT_EQ(CreateSubClassMethod(Next.get(), "FormShow"), Reused);
}

TEST(Proxies, ChangeToProxyClassNeedsAProxyThatInheritsFromTheInstancesClass) {
  TOwned<TTestForm> Designed(new TTestForm(nullptr));
  TClass FrameClass = CreateSubClass(Designed.get(), "TFrame1", "Frame1", TTestForm::StaticClass());
  TOwned<TTestForm> Instance(new TTestForm(nullptr));
  EXPECT_FALSE(ChangeToProxyClass(Instance.get(), TTestForm::StaticClass()));  // not a proxy
  TOwned<TTestWidget> Widget(new TTestWidget(nullptr));
  EXPECT_FALSE(ChangeToProxyClass(Widget.get(), FrameClass));  // unrelated class
  EXPECT_EQ(Widget->ClassType(), TTestWidget::StaticClass());
  EXPECT_TRUE(ChangeToProxyClass(Instance.get(), FrameClass));
  EXPECT_EQ(Instance->ClassName(), "TFrame1");
  // The designed module goes away first; the instance keeps the proxy alive.
  Designed.reset();
  EXPECT_TRUE(IsProxyClass(FrameClass));
  EXPECT_EQ(Instance->ClassName(), "TFrame1");
  Instance.reset();
  EXPECT_FALSE(IsProxyClass(FrameClass));
}

TEST(Proxies, TheLastInstanceOfADerivedProxyReleasesBothProxies) {
  const int Before = ProxyClassCount();
  auto* Ancestor = new TTestForm(nullptr);
  TClass Base = CreateSubClass(Ancestor, "TBaseForm", "Base", TTestForm::StaticClass());
  auto* Descendant = new TTestForm(nullptr);
  TClass Derived = CreateSubClass(Descendant, "TDerivedForm", "Derived", Base);
  EXPECT_TRUE(Descendant->InheritsFrom(Base));
  EXPECT_EQ(ProxyClassCount(), Before + 2);
  Ancestor->Free();  // the derived proxy still uses the base one
  EXPECT_TRUE(IsProxyClass(Base));
  Descendant->Free();
  EXPECT_FALSE(IsProxyClass(Derived));
  EXPECT_FALSE(IsProxyClass(Base));
  EXPECT_EQ(ProxyClassCount(), Before);
}

TEST(Proxies, ARootHandsNotificationsToItsOwnerButAnInlineFrameKeepsItsOwn) {
  TOwned<TListeningForm> Host(new TListeningForm(nullptr));
  auto* Frame = new TListeningForm(Host.get());
  CreateSubClass(Frame, "TFrame1", TTestForm::StaticClass());
  Host->Heard.clear();
  auto* Inner = new TTestWidget(Frame);  // owned by the frame
  EXPECT_TRUE(Frame->Heard.empty());     // not inline: passed to the owner instead
  ASSERT_EQ(Host->Heard.size(), 1u);
  EXPECT_EQ(Host->Heard[0].first, Inner);
  EXPECT_EQ(Frame->ClassName(), "TFrame1");  // switched back after the call
  Frame->SetInline(true);
  Host->Heard.clear();
  auto* Inner2 = new TTestWidget(Frame);
  ASSERT_EQ(Frame->Heard.size(), 1u);
  EXPECT_EQ(Frame->Heard[0].first, Inner2);
  EXPECT_TRUE(Host->Heard.empty());
  // A designed root without an owner runs its own notification.
  TOwned<TListeningForm> Root(new TListeningForm(nullptr));
  CreateSubClass(Root.get(), "TForm1", TTestForm::StaticClass());
  new TTestWidget(Root.get());
  EXPECT_EQ(Root->Heard.size(), 1u);
}

// A removal the root passes on to its embedded frames stays with each frame: handing it back
// to the root would make the root pass it on again, once more for every frame.
TEST(Proxies, ARemovalReachesEveryFrameAndItsComponentsOnce) {
  TOwned<TListeningForm> Root(new TListeningForm(nullptr));
  CreateSubClass(Root.get(), "TForm1", TTestForm::StaticClass());
  std::vector<TListeningForm*> Frames;
  std::vector<TTestWidget*> Inside;
  for (int I = 0; I < 6; ++I) {
    auto* Frame = new TListeningForm(Root.get());
    CreateSubClass(Frame, "TFrame1", TTestForm::StaticClass());
    Frame->SetInline(true);
    Frames.push_back(Frame);
    Inside.push_back(new TTestWidget(Frame));
  }
  auto* Button = new TTestWidget(Root.get());
  Root->Heard.clear();
  Button->Free();
  const std::pair<TComponent*, TOperation> Removal{Button, opRemove};
  EXPECT_THAT(Root->Heard, ElementsAre(Removal));
  for (TListeningForm* F : Frames) EXPECT_THAT(F->Heard, Contains(Removal).Times(1));
  for (TTestWidget* W : Inside) EXPECT_THAT(W->FNotifications, ElementsAre(Removal));
}
