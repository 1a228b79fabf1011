// Event handlers, component references, interface references and component names.
#include <gmock/gmock.h>

#include "formwright/testing/Forms.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Eq;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;

class MethodProperty : public PropEditorTest {};

TEST_F(MethodProperty, DoubleClickCreatesTheDefaultNamedHandlerOnceAndShowsIt) {
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  ASSERT_TRUE(Supports<IMethodProperty>(OnClick));
  OnClick->Edit();
  EXPECT_EQ(FDesigner->FCreated, std::vector<String>{"Widget1Click"});
  EXPECT_EQ(OnClick->GetValue(), "Widget1Click");
  EXPECT_EQ(FWidget->FOnClick.Method(), FDesigner->MethodOf("Widget1Click"));
  OnClick->Edit();  // a second double-click only shows the existing handler
  EXPECT_THAT(FDesigner->FShown, AllOf(Not(IsEmpty()), Each(Eq("Widget1Click"))));
  EXPECT_THAT(FDesigner->FCreated, ElementsAre("Widget1Click"));
  // The root's handlers are named after its class (TForm).
  IPtr<IProperty> OnCreate = Prop({FForm.get()}, "OnCreate");
  auto* M = EditorAs<TMethodProperty>(OnCreate);
  ASSERT_TRUE(M);
  EXPECT_EQ(M->GetFormMethodName(), "FormCreate");
  EXPECT_EQ(M->GetTrimmedEventName(), "Create");
}

TEST_F(MethodProperty, UnnamedComponentsCannotGetHandlers) {
  auto* Unnamed = new TTestWidget(FForm.get());
  IPtr<IProperty> OnClick = Prop({Unnamed}, "OnClick");
  const String Refused = "Cannot create a method for an unnamed component";
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { OnClick->Edit(); }), Refused);
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { OnClick->SetValue("Handler"); }), Refused);
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] {
              Prop({FWidget, Unnamed}, "OnClick")->SetValue("X");
            }),
            Refused);
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_FALSE(FWidget->FOnClick);
}

TEST_F(MethodProperty, TypingANewNameRenamesTheCurrentHandler) {
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  OnClick->SetValue("Widget1Click");
  OnClick->SetValue("widget1click");  // another spelling of the same handler
  OnClick->SetValue("Clicked");
  EXPECT_THAT(FDesigner->FRenamed,
              ElementsAre(Pair("Widget1Click", "widget1click"), Pair("widget1click", "Clicked")));
  EXPECT_EQ(OnClick->GetValue(), "Clicked");
  EXPECT_EQ(FDesigner->FCreated.size(), 1u);
}

TEST_F(MethodProperty, TypingAnExistingHandlerAssignsItAndEmptyClearsIt) {
  FDesigner->AddMethod("Shared");
  IPtr<IProperty> OnClick = Prop({FWidget, FWidget2}, "OnClick");
  EXPECT_THAT(ValuesOf(OnClick), ElementsAre("Shared"));
  OnClick->SetValue("Shared");
  EXPECT_EQ(FWidget->FOnClick.Method(), FDesigner->MethodOf("Shared"));
  EXPECT_EQ(FWidget2->FOnClick.Method(), FDesigner->MethodOf("Shared"));
  EXPECT_TRUE(FDesigner->FCreated.empty());
  OnClick->SetValue("");
  EXPECT_FALSE(FWidget->FOnClick);
  EXPECT_FALSE(FWidget2->FOnClick);
}

TEST_F(MethodProperty, ANewNameOverDifferentHandlersRenamesTheFirst) {
  FWidget->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("First"));
  FWidget2->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("Second"));
  Prop({FWidget, FWidget2}, "OnClick")->SetValue("Renamed");
  EXPECT_THAT(FDesigner->FRenamed, ElementsAre(Pair("First", "Renamed")));
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_EQ(FWidget2->FOnClick.Method(), FDesigner->MethodOf("Second"));
}

TEST_F(MethodProperty, AnInheritedHandlerIsNotRenamedButReplaced) {
  FDesigner->FAncestorMethods = {"BaseClick"};
  FWidget->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("BaseClick"));
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  OnClick->SetValue("MyClick");
  EXPECT_THAT(FDesigner->FRenamed, IsEmpty());
  EXPECT_THAT(FDesigner->FCreated, ElementsAre("MyClick"));
  EXPECT_EQ(OnClick->GetValue(), "MyClick");
}

TEST_F(MethodProperty, ANewHandlerChainsToTheHandlerAnEmbeddedComponentHad) {
  // The widget's handler is a published method of another component (as in an embedded frame).
  formwright::testing::TTestForm Frame(nullptr);
  Frame.SetName("Frame1");
  FWidget->FOnClick = formwright::testing::TTestNotify(TMethod{Frame.MethodAddress("WidgetClick"), &Frame});
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  EXPECT_EQ(OnClick->GetValue(), "WidgetClick");
  OnClick->SetValue("Widget1Click");
  EXPECT_THAT(FDesigner->FChainCalls, ElementsAre(ElementsAre("Widget1Click", "Frame1", "WidgetClick")));
  EXPECT_EQ(FDesigner->FShown.back(), "Widget1Click");
}

class ComponentProperty : public PropEditorTest {};

TEST_F(ComponentProperty, ReferencesShowAndTakeDesignerNames) {
  IPtr<IProperty> Buddy = Prop({FWidget}, "Buddy");
  EXPECT_EQ(Buddy->GetValue(), "");
  EXPECT_EQ(Buddy->GetEditLimit(), 127);
  Buddy->SetValue("button1");
  EXPECT_EQ(FWidget->Buddy(), FButton);
  EXPECT_EQ(Buddy->GetValue(), "Button1");
  EXPECT_EQ(Supports<IReferenceProperty>(Buddy)->GetComponentReference(), FButton);
  EXPECT_THAT(ValuesOf(Buddy), Contains("Edit1"));
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { Buddy->SetValue("Nothing1"); }), "Invalid property value");
  EXPECT_EQ(FWidget->Buddy(), FButton);
  Buddy->SetValue("");
  EXPECT_EQ(FWidget->Buddy(), nullptr);
}

TEST_F(ComponentProperty, AReferenceMustBeOfThePropertysClass) {
  auto* Links = new TPropTestLinks(FForm.get());
  IPtr<IProperty> Button = Prop({Links}, "Button");
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { Button->SetValue("Edit1"); }), "Invalid property value");
  EXPECT_EQ(Links->FButton, nullptr);
  Button->SetValue("Button1");
  EXPECT_EQ(Links->FButton, FButton);
}

TEST_F(ComponentProperty, ASharedReferenceExpandsWithoutTheNameProperty) {
  FWidget->SetBuddy(FButton);
  FWidget2->SetBuddy(FButton);
  IPtr<IProperty> Buddy = Prop({FWidget, FWidget2}, "Buddy");
  EXPECT_TRUE(Buddy->AllEqual());
  EXPECT_TRUE(Buddy->GetAttributes().Contains(paSubProperties));
  EXPECT_TRUE(Buddy->GetAttributes().Contains(paVolatileSubProperties));
  EXPECT_THAT(NestedOf(Buddy), AllOf(Contains(Named("Left")), Not(Contains(Named("Name")))));
  FWidget2->SetBuddy(FEdit);
  EXPECT_FALSE(Buddy->AllEqual());
  EXPECT_FALSE(Buddy->GetAttributes().Contains(paSubProperties));
  EXPECT_THAT(NestedOf(Buddy), IsEmpty());
}

TEST_F(ComponentProperty, CtrlClickSelectsTheReferencedComponent) {
  FWidget->SetBuddy(FButton);
  IPtr<IProperty> Buddy = Prop({FWidget}, "Buddy");
  FDesigner->FShiftState = TShiftState{ssCtrl, ssLeft};
  Buddy->Edit();
  EXPECT_THAT(FDesigner->FSelected, ElementsAre(FButton));
  EXPECT_EQ(FWidget->Buddy(), FButton);
  FDesigner->FShiftState = TShiftState{};
  Buddy->Edit();  // cycles the value list instead
  EXPECT_NE(FWidget->Buddy(), FButton);
}

TEST_F(ComponentProperty, ReferencesIntoOtherModulesShowOnlyForTopLevelOwnersAndDataModules) {
  TOwned<orx::TDataModule> Data(new orx::TDataModule(nullptr));
  Data->SetName("Data1");
  auto* Table = Make<TPropTestTarget>(Data.get(), "Table1");
  FDesigner->FLinkedRoots = {Data.get()};
  IPtr<IProperty> Buddy = Prop({FWidget}, "Buddy");
  auto Show = [&] { return Supports<IShowReferenceProperty>(Buddy)->ShowReferenceProperty(); };
  EXPECT_TRUE(Show());  // nil
  Buddy->SetValue("Data1.Table1");
  EXPECT_EQ(FWidget->Buddy(), Table);
  EXPECT_EQ(Buddy->GetValue(), "Data1.Table1");
  EXPECT_TRUE(Show());
  FWidget->SetBuddy(FButton);
  EXPECT_TRUE(Show());  // owned by a top-level form
  auto* Links = new TPropTestLinks(FButton);
  FWidget->SetBuddy(Links);
  EXPECT_FALSE(Show());  // owned by an owned component
  FWidget->SetBuddy(Links->FInner);
  EXPECT_TRUE(Show());  // a sub-component
  FWidget->SetBuddy(nullptr);
}

TEST_F(ComponentProperty, InterfaceReferencesOfferOnlyImplementingComponents) {
  auto* Links = new TPropTestLinks(FForm.get());
  auto* Target = Make<TPropTestTarget>(FForm.get(), "Target1");
  IPtr<IProperty> P = Prop({Links}, "Target");
  ASSERT_TRUE(EditorAs<TInterfaceProperty>(P));
  EXPECT_THAT(ValuesOf(P), ElementsAre("Target1"));
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { P->SetValue("Button1"); }), "Invalid property value");
  EXPECT_FALSE(Links->FTarget);
  P->SetValue("Target1");
  EXPECT_EQ(Links->FTarget.Identity(), static_cast<IInterface*>(Target));
  EXPECT_EQ(P->GetValue(), "Target1");
  EXPECT_EQ(Supports<IReferenceProperty>(P)->GetComponentReference(), Target);
  P->SetValue("");
  EXPECT_FALSE(Links->FTarget);
}

TEST_F(ComponentProperty, TheNamePropertyIsNotNestable) {
  IPtr<IProperty> Name = Prop({FWidget}, "Name");
  EXPECT_EQ(Name->GetAttributes(), TPropertyAttributes{paNotNestable});
  EXPECT_EQ(Name->GetEditLimit(), 63);
  Name->SetValue("Renamed");
  EXPECT_EQ(FWidget->Name(), "Renamed");
  EXPECT_THROW(Name->SetValue("Button1"), EComponentError);
  EXPECT_EQ(FWidget->Name(), "Renamed");
}

}  // namespace
}  // namespace formwright::testing
