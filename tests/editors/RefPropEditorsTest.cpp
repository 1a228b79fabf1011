// Event handlers, component references, interface references and component names.
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

class MethodProperty : public PropEditorTest {};

TEST_F(MethodProperty, DoubleClickCreatesTheDefaultNamedHandlerAndShowsIt) {
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  ASSERT_TRUE(Supports<IMethodProperty>(OnClick));
  OnClick->Edit();
  EXPECT_EQ(FDesigner->FCreated, std::vector<String>{"Widget1Click"});
  EXPECT_EQ(OnClick->GetValue(), "Widget1Click");
  EXPECT_EQ(FWidget->FOnClick.Method(), FDesigner->MethodOf("Widget1Click"));
  EXPECT_FALSE(FDesigner->FShown.empty());
  EXPECT_EQ(FDesigner->FShown.back(), "Widget1Click");
  // A second double-click only shows the existing handler.
  OnClick->Edit();
  EXPECT_EQ(FDesigner->FCreated.size(), 1u);
}

TEST_F(MethodProperty, TheRootsHandlersAreNamedAfterItsClass) {
  IPtr<IProperty> P = Prop({FForm.get()}, "OnCreate");
  auto* M = As<TMethodProperty>(P);
  ASSERT_TRUE(M);
  EXPECT_EQ(M->GetFormMethodName(), "FormCreate");  // the root's class is TForm
  EXPECT_EQ(M->GetTrimmedEventName(), "Create");
}

TEST_F(MethodProperty, UnnamedComponentsCannotGetHandlers) {
  auto* Unnamed = new TTestWidget(FForm.get());
  IPtr<IProperty> OnClick = Prop({Unnamed}, "OnClick");
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { OnClick->Edit(); }),
            "Cannot create a method for an unnamed component");
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] { OnClick->SetValue("Handler"); }),
            "Cannot create a method for an unnamed component");
  EXPECT_EQ(MessageOf<EDesignPropertyError>([&] {
              Prop({FWidget, Unnamed}, "OnClick")->SetValue("X");
            }),
            "Cannot create a method for an unnamed component");
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_FALSE(FWidget->FOnClick);
}

TEST_F(MethodProperty, TypingANewNameRenamesTheCurrentHandler) {
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  OnClick->SetValue("Widget1Click");
  OnClick->SetValue("widget1click");  // another spelling of the same handler
  ASSERT_EQ(FDesigner->FRenamed.size(), 1u);
  EXPECT_EQ(FDesigner->FRenamed[0], (std::pair<String, String>{"Widget1Click", "widget1click"}));
  OnClick->SetValue("Clicked");
  EXPECT_EQ(FDesigner->FRenamed.back(), (std::pair<String, String>{"widget1click", "Clicked"}));
  EXPECT_EQ(OnClick->GetValue(), "Clicked");
  EXPECT_EQ(FDesigner->FCreated.size(), 1u);
}

TEST_F(MethodProperty, TypingAnExistingHandlerAssignsItAndEmptyClearsIt) {
  FDesigner->AddMethod("Shared");
  IPtr<IProperty> OnClick = Prop({FWidget, FWidget2}, "OnClick");
  EXPECT_EQ(Values(OnClick), std::vector<String>{"Shared"});
  OnClick->SetValue("Shared");
  EXPECT_EQ(FWidget->FOnClick.Method(), FDesigner->MethodOf("Shared"));
  EXPECT_EQ(FWidget2->FOnClick.Method(), FDesigner->MethodOf("Shared"));
  EXPECT_TRUE(FDesigner->FCreated.empty());
  IPtr<IProperty> Single = Prop({FWidget}, "OnClick");
  Single->SetValue("Other");  // current handler Shared exists, Other does not: a rename
  EXPECT_EQ(FDesigner->FRenamed.back(), (std::pair<String, String>{"Shared", "Other"}));
  OnClick->SetValue("");
  EXPECT_FALSE(FWidget->FOnClick);
  EXPECT_FALSE(FWidget2->FOnClick);
}

TEST_F(MethodProperty, ANewNameOverDifferentHandlersRenamesTheFirst) {
  FWidget->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("First"));
  FWidget2->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("Second"));
  Prop({FWidget, FWidget2}, "OnClick")->SetValue("Renamed");
  EXPECT_EQ(FDesigner->FRenamed, (std::vector<std::pair<String, String>>{{"First", "Renamed"}}));
  EXPECT_TRUE(FDesigner->FCreated.empty());
  EXPECT_EQ(FWidget2->FOnClick.Method(), FDesigner->MethodOf("Second"));
}

TEST_F(MethodProperty, AnInheritedHandlerIsNotRenamedButReplaced) {
  FDesigner->FAncestorMethods = {"BaseClick"};
  FWidget->FOnClick = formwright::testing::TTestNotify(FDesigner->AddMethod("BaseClick"));
  IPtr<IProperty> OnClick = Prop({FWidget}, "OnClick");
  OnClick->SetValue("MyClick");
  EXPECT_TRUE(FDesigner->FRenamed.empty());
  EXPECT_EQ(FDesigner->FCreated, std::vector<String>{"MyClick"});
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
  ASSERT_EQ(FDesigner->FChainCalls.size(), 1u);
  EXPECT_EQ(FDesigner->FChainCalls[0], (std::vector<String>{"Widget1Click", "Frame1", "WidgetClick"}));
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
  const std::vector<String> Names = Values(Buddy);
  EXPECT_NE(std::find(Names.begin(), Names.end(), "Edit1"), Names.end());
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
  bool HasName = false, HasLeft = false;
  for (const auto& P : Nested(Buddy)) {
    HasName = HasName || P->GetName() == "Name";
    HasLeft = HasLeft || P->GetName() == "Left";
  }
  EXPECT_FALSE(HasName);
  EXPECT_TRUE(HasLeft);
  FWidget2->SetBuddy(FEdit);
  EXPECT_FALSE(Buddy->AllEqual());
  EXPECT_FALSE(Buddy->GetAttributes().Contains(paSubProperties));
  EXPECT_TRUE(Nested(Buddy).empty());
}

TEST_F(ComponentProperty, CtrlClickSelectsTheReferencedComponent) {
  FWidget->SetBuddy(FButton);
  IPtr<IProperty> Buddy = Prop({FWidget}, "Buddy");
  FDesigner->FShiftState = TShiftState{ssCtrl, ssLeft};
  Buddy->Edit();
  EXPECT_EQ(FDesigner->FSelected, std::vector<TPersistent*>{FButton});
  EXPECT_EQ(FWidget->Buddy(), FButton);
  FDesigner->FShiftState = TShiftState{};
  Buddy->Edit();  // cycles the value list instead
  EXPECT_NE(FWidget->Buddy(), FButton);
}

TEST_F(ComponentProperty, ReferencesIntoOtherModulesShowOnlyForTopLevelOwnersAndDataModules) {
  TOwned<orx::TDataModule> Data(new orx::TDataModule(nullptr));
  Data->SetName("Data1");
  auto* Table = new TPropTestTarget(Data.get());
  Table->SetName("Table1");
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
  auto* Target = new TPropTestTarget(FForm.get());
  Target->SetName("Target1");
  IPtr<IProperty> P = Prop({Links}, "Target");
  ASSERT_TRUE(As<TInterfaceProperty>(P));
  EXPECT_EQ(Values(P), std::vector<String>{"Target1"});
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
