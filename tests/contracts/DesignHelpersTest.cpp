#include <gmock/gmock.h>

#include "formwright/testing/Matchers.h"
#include "tests/contracts/ContractsTestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;

namespace formwright::testing {
FW_REGISTER_CLASS(TWidgetFont, "ContractsTest")
FW_REGISTER_CLASS(TWidget, "ContractsTest")
FW_REGISTER_CLASS(TRecordingSelectionEditor, "ContractsTest")
FW_REGISTER_CLASS(TIncompleteComponentEditor, "ContractsTest")
FW_REGISTER_CLASS(TFactorylessSelectionEditor, "ContractsTest")
FW_REGISTER_CLASS(TRecordingPropertyEditor, "ContractsTest")
FW_REGISTER_CLASS(TRightHalfDragTarget, "ContractsTest")

void TWidget::DeclarePublished(TClassBuilder<TWidget>& C) {
  C.Property("Caption", &TWidget::FCaption);
  C.Property("OnClick", &TWidget::FOnClick);
  C.Property("OnKey", &TWidget::FOnKey);
}
}  // namespace formwright::testing

namespace {

class DesignHelpers : public ::testing::Test {
 protected:
  TOwned<TComponent> Owner{new TComponent(nullptr)};
  TWidget* A = new TWidget(Owner.get());
  TWidget* B = new TWidget(Owner.get());
  TWidgetFont Font;
};

// ---------------------------------------------------------------------------------------------
// Selection lists

TEST_F(DesignHelpers, SelectionsAreEqualWhenTheyHoldTheSameObjectsInTheSameOrder) {
  IPtr<IDesignerSelections> First = CreateSelectionList();
  First->Add(A);
  First->Add(&Font);
  First->Add(B);
  IPtr<IDesignerSelections> Copy = MakeIntf<TDesignerSelections>(First);
  EXPECT_EQ(Copy->Get(1), &Font);
  EXPECT_TRUE(Copy->Equals(First));
  EXPECT_TRUE(First->Equals(Copy));
  IPtr<IDesignerSelections> Other = CreateSelectionList();
  Other->Add(A);
  Other->Add(B);
  EXPECT_FALSE(First->Equals(Other));  // shorter
  Other->Add(&Font);
  EXPECT_FALSE(First->Equals(Other));  // reordered
  EXPECT_FALSE(First->Equals(nullptr));
}

TEST_F(DesignHelpers, AddAppendsEvenAnObjectAlreadyListedAndABadIndexChangesNothing) {
  IPtr<IDesignerSelections> List = CreateSelectionList();
  EXPECT_EQ(List->Add(A), 0);
  EXPECT_EQ(List->Add(A), 1);
  EXPECT_THAT([&] { List->Get(5); }, Raises<EListError>("List index out of bounds (5)"));
  EXPECT_THROW(List->GetDesignObject(-1), EListError);
  EXPECT_EQ(List->GetCount(), 2);
}

TEST_F(DesignHelpers, ASelectionListDoesNotOwnItsObjects) {
  auto* Loose = new TWidget(nullptr);
  {
    IPtr<IDesignerSelections> List = CreateSelectionList();
    List->Add(Loose);
  }
  EXPECT_EQ(Loose->Name(), "");  // still alive: the list let go without freeing it
  Loose->Free();
}

// ---------------------------------------------------------------------------------------------
// Design objects and class wrappers

TEST_F(DesignHelpers, AComponentHasItsIndexAndNameAndANonComponentMinusOneAndItsClassName) {
  B->SetName("Second");
  IPtr<IDesignObject> D = PersistentToDesignObject(B);
  EXPECT_EQ(D->GetComponentIndex(), 1);
  EXPECT_EQ(D->GetComponentName(), "Second");
  EXPECT_TRUE(D->GetIsComponent());
  EXPECT_EQ(Supports<IDesignPersistent>(D)->GetPersistent(), B);
  IPtr<IDesignObject> F = PersistentToDesignObject(&Font);
  EXPECT_EQ(F->GetComponentIndex(), -1);
  EXPECT_EQ(F->GetComponentName(), "TWidgetFont");
  EXPECT_FALSE(F->GetIsComponent());
}

TEST_F(DesignHelpers, DesignObjectsAreEqualWhenTheyWrapTheSameObject) {
  IPtr<IDesignerSelections> List = CreateSelectionList();
  List->Add(A);
  List->Add(B);
  IPtr<IDesignObject> FromList = List->GetDesignObject(0);
  EXPECT_TRUE(FromList->Equals(PersistentToDesignObject(A)));
  EXPECT_FALSE(FromList->Equals(List->GetDesignObject(1)));
  EXPECT_FALSE(FromList->Equals(IPtr<IDesignObject>()));
  EXPECT_TRUE(FromList->Equals(static_cast<TObject*>(A)));
  EXPECT_FALSE(FromList->Equals(static_cast<TObject*>(B)));
}

TEST_F(DesignHelpers, TheClassChainEndsWithNilAboveTheRootClassAndNamesIgnoreCase) {
  IPtr<IClass> C = PersistentToDesignObject(A)->GetClassType();
  EXPECT_TRUE(C->ClassNameIs("twidget"));
  EXPECT_EQ(C->GetUnitName(), "ContractsTest");
  std::vector<String> Names;
  for (; C; C = C->GetClassParent()) Names.push_back(C->GetClassName());
  EXPECT_THAT(Names, ElementsAre("TWidget", "TComponent", "TPersistent", "TObject"));
}

// ---------------------------------------------------------------------------------------------
// Event signatures

TEST_F(DesignHelpers, EventInfoDescribesParametersAndResult) {
  IPtr<IEventInfo> E = MakeIntf<TEventInfo>(GetPropInfo(TWidget::StaticClass(), "OnKey"));
  EXPECT_EQ(E->GetMethodKind(), mkFunction);
  ASSERT_EQ(E->GetParamCount(), 2);
  EXPECT_EQ(E->GetParamName(1) + ": " + E->GetParamType(1), "Key: WideChar");
  EXPECT_TRUE(E->GetParamFlags(1).Contains(pfVar));
  EXPECT_FALSE(E->GetParamFlags(0).Contains(pfVar));
  EXPECT_EQ(E->GetResultType(), "Boolean");
  // A procedure has no result type; indexes are checked.
  IPtr<IEventInfo> P =
      MakeIntf<TEventInfo>(GetTypeData(GetPropInfo(TWidget::StaticClass(), "OnClick")->PropType));
  EXPECT_EQ(P->GetResultType(), "");
  EXPECT_THROW(P->GetParamName(1), EListError);
  EXPECT_THROW(P->GetParamFlags(-1), EListError);
}

TEST_F(DesignHelpers, NothingIsWrappedForNullAndEventInfoRefusesWhatIsNoEvent) {
  EXPECT_FALSE(PersistentToDesignObject(nullptr));
  EXPECT_THROW(MakeIntf<TDesignObject>(nullptr), EInvalidArgument);
  EXPECT_THROW(MakeIntf<TClassWrapper>(nullptr), EInvalidArgument);
  EXPECT_THROW(MakeIntf<TEventInfo>(static_cast<PPropInfo>(nullptr)), EInvalidArgument);
  EXPECT_THROW(MakeIntf<TEventInfo>(static_cast<PTypeData>(nullptr)), EInvalidArgument);
  EXPECT_THROW(MakeIntf<TEventInfo>(GetPropInfo(TWidget::StaticClass(), "Caption")), EInvalidArgument);
}

// ---------------------------------------------------------------------------------------------
// Creating editors from class values

TEST_F(DesignHelpers, AnEditorIsCreatedFromItsClassValueThroughItsFamilySignature) {
  IPtr<ISelectionEditor> S = CreateSelectionEditor(TRecordingSelectionEditor::StaticClass(), nullptr);
  ASSERT_TRUE(S);
  EXPECT_EQ(S->GetVerb(0), "Verb0");

  IPtr<TBasePropertyEditor> P = CreatePropertyEditor(TRecordingPropertyEditor::StaticClass(), nullptr, 3);
  auto* Rec = dynamic_cast<TRecordingPropertyEditor*>(P.Get());
  ASSERT_NE(Rec, nullptr);
  EXPECT_EQ(Rec->FPropCount, 3);

  TOwned<TDragTarget> T = CreateDragTarget(TRightHalfDragTarget::StaticClass(), nullptr);
  EXPECT_TRUE(T->DragOver(A, B, 11, 0));
  EXPECT_FALSE(T->DragOver(A, B, 10, 0));
}

TEST_F(DesignHelpers, AClassOfAnotherFamilyOrWithoutFactoryOrInterfaceIsRefusedAndFreed) {
  EXPECT_THAT(
      [&] { CreateComponentEditor(TRecordingSelectionEditor::StaticClass(), A, nullptr); },
      Raises<EInvalidCast>("Class TRecordingSelectionEditor is not a descendant of TBaseComponentEditor"));
  EXPECT_THROW(CreateSelectionEditor(nullptr, nullptr), EInvalidCast);
  EXPECT_THROW(CreateSelectionEditor(TFactorylessSelectionEditor::StaticClass(), nullptr), EInvalidOperation);
  EXPECT_THROW(CreateComponentEditor(TIncompleteComponentEditor::StaticClass(), A, nullptr), EIntfCastError);
  EXPECT_EQ(GEditorsAlive, 0);
}

}  // namespace
