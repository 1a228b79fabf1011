#include <gtest/gtest.h>

#include "platform/runtime/Scoped.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// A class made at run time, as a designer makes one for a module under design: its own name,
// unit and handlers; instances keep behaving as the compiled ancestor.
struct TRuntimeClass {
  TMetaClass Meta;
  TClass Saved = nullptr;
  int Destroyed = 0;
  std::vector<TOperation> Notified;
  explicit TRuntimeClass(TClass Parent) : Meta("TForm1", "Unit1", Parent) {}
};
TRuntimeClass* GRuntime = nullptr;

void DestroyHook(TObject* Instance) {
  ++GRuntime->Destroyed;
  Instance->ChangeClass(nullptr);
}
void NotificationHook(TComponent* Instance, TComponent* AComponent, TOperation Operation, bool) {
  GRuntime->Notified.push_back(Operation);
  TClass Proxy = Instance->ClassType();
  Instance->ChangeClass(nullptr);
  Instance->Notification(AComponent, Operation);
  Instance->ChangeClass(Proxy);
}

}  // namespace

TEST(ObjectModel, ClassValuesHaveNamesParentsUnitsAndCompareByIdentity) {
  TClass W = TTestWidget::StaticClass();
  EXPECT_EQ(W->ClassName(), "TTestWidget");
  EXPECT_TRUE(W->ClassNameIs("ttestwidget"));
  EXPECT_EQ(W->UnitName(), "TestUnit");
  EXPECT_EQ(W->ClassParent(), TComponent::StaticClass());
  EXPECT_TRUE(W->InheritsFrom(TPersistent::StaticClass()));
  EXPECT_TRUE(W->InheritsFrom(W));
  EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(W));
  EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
  EXPECT_EQ(ClassOf<TTestWidget>(), W);
  PTypeInfo TI = W->ClassInfo();
  EXPECT_EQ(TI->Kind, tkClass);
  EXPECT_EQ(GetTypeData(TI)->ClassType, W);
  EXPECT_EQ(GetTypeData(TI)->ParentInfo, TComponent::StaticClass()->ClassInfo());
}

TEST(ObjectModel, VirtualConstructorsCreateByClassValue) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  TObject* O = TTestWidget::StaticClass()->Create<TComponent*>(Form.get());
  auto* W = dynamic_cast<TTestWidget*>(O);
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(W->Owner(), Form.get());
  EXPECT_EQ(Form->ComponentCount(), 1);
  // Abstract and owner-less signatures: TStrings cannot be created; TStringList can.
  EXPECT_FALSE(TStrings::StaticClass()->CanCreate<>());
  EXPECT_THROW(TStrings::StaticClass()->Create<>(), EInvalidOperation);
  TOwned<TObject> L(TStringList::StaticClass()->Create<>());
  EXPECT_TRUE(L->ClassNameIs("TStringList"));
}

TEST(ObjectModel, PublishedMethodsAreFoundByNameAndCodeAndCalledThroughEvents) {
  TOwned<TTestForm> Form(new TTestForm(nullptr));
  auto* W = new TTestWidget(Form.get());
  void* Code = Form->MethodAddress("widgetclick");
  ASSERT_NE(Code, nullptr);
  EXPECT_EQ(Form->MethodName(Code), "WidgetClick");
  EXPECT_EQ(Form->MethodAddress("Nothing"), nullptr);
  EXPECT_EQ(Form->MethodName(nullptr), "");
  // Inherited lookups walk to the parent class.
  EXPECT_NE(W->MethodAddress("Click"), nullptr);
  SetMethodProp(W, GetPropInfo(W, "OnClick"), TMethod{Code, Form.get()});
  W->FOnClick(W);
  EXPECT_EQ(Form->LastSender, W);
  // A design-time handle is not callable.
  W->FOnClick = TTestNotify(TMethod{reinterpret_cast<void*>(uintptr_t(3)), Form.get()});
  EXPECT_THROW(W->FOnClick(W), EInvalidOperation);
}

TEST(ObjectModel, AnInstanceSwitchesToARuntimeClassAndBackAtDestruction) {
  TRuntimeClass Runtime(TTestForm::StaticClass());
  const TValueScope Current(GRuntime, &Runtime);
  Runtime.Meta.DestroyHook = &DestroyHook;
  Runtime.Meta.NotificationHook = &NotificationHook;
  Runtime.Meta.AddMethod("Button1Click", reinterpret_cast<void*>(uintptr_t(1)));

  auto* Form = new TTestForm(nullptr);
  Form->ChangeClass(&Runtime.Meta);
  EXPECT_EQ(Form->ClassName(), "TForm1");
  EXPECT_EQ(Form->UnitName(), "Unit1");
  EXPECT_TRUE(Form->InheritsFrom(TTestForm::StaticClass()));
  EXPECT_EQ(Form->MethodAddress("button1click"), reinterpret_cast<void*>(uintptr_t(1)));
  EXPECT_NE(Form->MethodAddress("WidgetClick"), nullptr);  // the compiled ancestor's
  EXPECT_EQ(GetPropInfo(Form, "Name"), GetPropInfo(TComponent::StaticClass(), "Name"));
  EXPECT_NE(dynamic_cast<TTestForm*>(Form), nullptr);

  // Notifications go through the runtime class's replacement.
  auto* W = new TTestWidget(Form);
  ASSERT_EQ(Runtime.Notified.size(), 1u);
  EXPECT_EQ(Runtime.Notified[0], opInsert);
  W->Free();
  EXPECT_EQ(Runtime.Notified.back(), opRemove);

  // A class that does not descend from the compiled class is refused.
  TMetaClass Foreign("TOther", "", TComponent::StaticClass());
  EXPECT_THROW(Form->ChangeClass(&Foreign), EInvalidCast);
  EXPECT_EQ(Form->ClassType(), &Runtime.Meta);

  Form->Free();
  EXPECT_EQ(Runtime.Destroyed, 1);
}

// A designed class holds a method per handler: both lookups stay right through every change
// of its methods, below and above the size at which they are indexed.
TEST(ObjectModel, MethodLookupsFollowAddedRenamedAndRemovedMethods) {
  auto Code = [](int I) { return reinterpret_cast<void*>(uintptr_t(I)); };
  for (int Count : {3, 40, 300}) {
    TMetaClass M("TForm1", "Unit1", TTestForm::StaticClass());
    for (int I = 1; I <= Count; ++I) M.AddMethod(Format("Handler%d", I), Code(I));
    M.AddMethod("Shared", Code(1));  // a second name of the same code: the first one wins
    EXPECT_EQ(M.MethodName(Code(1)), "Handler1") << Count;
    EXPECT_EQ(M.MethodAddress("handler2"), Code(2)) << Count;
    M.AddMethod("Late", Code(1000));
    M.AddMethod("Again", Code(3));  // added after the lookups above: still not the first
    EXPECT_EQ(M.MethodName(Code(1000)), "Late") << Count;
    EXPECT_EQ(M.MethodName(Code(3)), "Handler3") << Count;
    // A name longer than the blocks the class keeps its method names in.
    const String Long(5000, 'L');
    M.AddMethod(Long, Code(7000));
    M.AddMethod("AfterLong", Code(7001));
    EXPECT_EQ(M.MethodName(Code(7000)), Long) << Count;
    EXPECT_EQ(M.MethodAddress("afterlong"), Code(7001)) << Count;
    // Methods added after the index was built, as many again: the index grows with them.
    for (int I = 1; I <= Count; ++I) M.AddMethod(Format("Late%d", I), Code(1000 + I));
    EXPECT_EQ(M.MethodName(Code(1001)), "Late1") << Count;
    EXPECT_EQ(M.MethodName(Code(1000 + Count)), Format("Late%d", Count)) << Count;
    EXPECT_EQ(M.MethodAddress(Format("late%d", Count)), Code(1000 + Count)) << Count;
    ASSERT_TRUE(M.RenameMethod(Code(2), "Renamed"));
    EXPECT_EQ(M.MethodName(Code(2)), "Renamed") << Count;
    EXPECT_EQ(M.MethodAddress("Handler2"), nullptr) << Count;
    ASSERT_TRUE(M.RemoveMethod(Code(1)));
    EXPECT_EQ(M.MethodName(Code(1)), "Shared") << Count;
    EXPECT_EQ(M.MethodName(Code(Count)), Format("Handler%d", Count)) << Count;
    EXPECT_EQ(M.MethodName(Code(5000)), "") << Count;
    EXPECT_NE(M.MethodAddress("WidgetClick"), nullptr) << Count;  // the compiled parent's
  }
}

TEST(ObjectModel, RenamedRuntimeClassKeepsItsUnitWhenNoneIsGiven) {
  TMetaClass M("TForm1", "Unit1", TTestForm::StaticClass());
  M.Rename("TMainForm", "");
  EXPECT_EQ(M.ClassName(), "TMainForm");
  EXPECT_EQ(M.UnitName(), "Unit1");
  EXPECT_EQ(M.ClassInfo()->Name, "TMainForm");
  M.Rename("TMainForm", "Main");
  EXPECT_EQ(M.UnitName(), "Main");
}
