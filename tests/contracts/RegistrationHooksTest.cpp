#include <gtest/gtest.h>

#include "tests/contracts/ContractsTestClasses.h"

using namespace formwright;
using namespace formwright::contracts_testing;

namespace {

// What the spy hooks were called with, in call order.
struct TCall {
  String Hook;
  String Text;
  TClass Class = nullptr;
  PTypeInfo Type = nullptr;
  TClass Editor = nullptr;
  int Group = 0;
};
std::vector<TCall> GCalls;

void SpyPropertyEditor(PTypeInfo T, TClass C, const String& Name, TPropertyEditorClass E) {
  GCalls.push_back({"PropertyEditor", Name, C, T, E});
}
void SpyCategory(const String& Category, TClass C, PTypeInfo T, const String& Name) {
  GCalls.push_back({"Category", Category + "/" + Name, C, T});
}
void SpyCustomModule(int Group, TComponentClass Base, TCustomModuleClass Module) {
  GCalls.push_back({"CustomModule", "", Base, nullptr, Module, Group});
}
void SpyComponentEditor(TComponentClass C, TComponentEditorClass E) {
  GCalls.push_back({"ComponentEditor", "", C, nullptr, E});
}
void SpyDragTarget(const String& Source, TDragTargetClass Target) {
  GCalls.push_back({"DragTarget", Source, nullptr, nullptr, Target});
}
void SpyDemandLoad(TDemandLoadState State) {
  GCalls.push_back({"DemandLoad", "", nullptr, nullptr, nullptr, State});
}

// Every hook starts unset in a test and is unset again afterwards.
class RegistrationHooks : public ::testing::Test {
 protected:
  void SetUp() override {
    GCalls.clear();
    ASSERT_EQ(RegisterPropertyEditorProc, nullptr);
    ASSERT_EQ(RegisterPropertyInCategoryProc, nullptr);
  }
  void TearDown() override {
    RegisterPropertyEditorProc = nullptr;
    RegisterPropertyInCategoryProc = nullptr;
    RegisterCustomModuleProc = nullptr;
    RegisterComponentEditorProc = nullptr;
    RegisterDragTargetProc = nullptr;
    ForceDemandLoadStateProc = nullptr;
    CurrentGroup() = -1;
  }
};

TEST_F(RegistrationHooks, EveryRoutineDoesNothingWhileItsHookIsUnset) {
  TClass W = TWidget::StaticClass();
  RegisterPropertyEditor(TypeInfoOf<String>(), W, "Caption", TRecordingPropertyEditor::StaticClass());
  SetPropertyEditorGroup(TRecordingPropertyEditor::StaticClass(), W);
  UnlistPublishedProperty(W, "Caption");
  RegisterPropertyMapper([](TPersistent*, PPropInfo) -> TPropertyEditorClass { return nullptr; });
  RegisterComponentEditor(W, nullptr);
  RegisterSelectionEditor(W, TRecordingSelectionEditor::StaticClass());
  RegisterCustomModule(W, nullptr);
  RegisterComponentGuidelines(W, nullptr);
  RegisterPropertyInCategory(sLayoutCategoryName, "Left");
  RegisterPropertiesInCategory(sVisualCategoryName, W, {"Caption", "Color"});
  RegisterPropertiesInCategory(sVisualCategoryName, {TVarRec(W), TVarRec(int32_t(1))});
  RegisterDesignNotification(nullptr);
  UnregisterDesignNotification(nullptr);
  ForceDemandLoadState(dlEnable);
  EnableDemandLoadReport(true);
  RegisterDragTarget("Palette", TRightHalfDragTarget::StaticClass());
  RegisterDesignDragObject(W);
  RegisterIDropTarget(nullptr);
  EXPECT_TRUE(GCalls.empty());
}

TEST_F(RegistrationHooks, ARoutinePassesItsArgumentsToItsHook) {
  RegisterPropertyEditorProc = &SpyPropertyEditor;
  RegisterComponentEditorProc = &SpyComponentEditor;
  RegisterDragTargetProc = &SpyDragTarget;
  ForceDemandLoadStateProc = &SpyDemandLoad;
  RegisterPropertyEditor(TypeInfoOf<String>(), TWidget::StaticClass(), "Caption",
                         TRecordingPropertyEditor::StaticClass());
  RegisterComponentEditor(TWidget::StaticClass(), TIncompleteComponentEditor::StaticClass());
  RegisterDragTarget("Palette", TRightHalfDragTarget::StaticClass());
  ForceDemandLoadState(dlDisable);
  ASSERT_EQ(GCalls.size(), 4u);
  EXPECT_EQ(GCalls[0].Type, TypeInfoOf<String>());
  EXPECT_EQ(GCalls[0].Class, TWidget::StaticClass());
  EXPECT_EQ(GCalls[0].Text, "Caption");
  EXPECT_EQ(GCalls[0].Editor, TRecordingPropertyEditor::StaticClass());
  EXPECT_EQ(GCalls[1].Editor, TIncompleteComponentEditor::StaticClass());
  EXPECT_EQ(GCalls[2].Text, "Palette");
  EXPECT_EQ(GCalls[3].Group, dlDisable);
}

TEST_F(RegistrationHooks, ACustomModuleIsStampedWithTheCurrentGroup) {
  RegisterCustomModuleProc = &SpyCustomModule;
  CurrentGroup() = 4;
  RegisterCustomModule(TWidget::StaticClass(), TRecordingSelectionEditor::StaticClass());
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(GCalls[0].Group, 4);
  EXPECT_EQ(GCalls[0].Class, TWidget::StaticClass());
}

TEST_F(RegistrationHooks, UnlistingRegistersANilEditorForThePropertysType) {
  RegisterPropertyEditorProc = &SpyPropertyEditor;
  UnlistPublishedProperty(TWidget::StaticClass(), "onclick");
  ASSERT_EQ(GCalls.size(), 1u);
  EXPECT_EQ(GCalls[0].Type, GetPropInfo(TWidget::StaticClass(), "OnClick")->PropType);
  EXPECT_EQ(GCalls[0].Class, TWidget::StaticClass());
  EXPECT_EQ(GCalls[0].Text, "onclick");
  EXPECT_EQ(GCalls[0].Editor, nullptr);
}

TEST_F(RegistrationHooks, UnlistingANameTheClassDoesNotHaveRegistersNothing) {
  RegisterPropertyEditorProc = &SpyPropertyEditor;
  UnlistPublishedProperty(TWidget::StaticClass(), "Colour");
  UnlistPublishedProperty(nullptr, "Caption");
  EXPECT_TRUE(GCalls.empty());
}

TEST_F(RegistrationHooks, CategoryOverloadsPassClassTypeAndName) {
  RegisterPropertyInCategoryProc = &SpyCategory;
  PTypeInfo Str = TypeInfoOf<String>();
  RegisterPropertyInCategory("Visual", "Caption");
  RegisterPropertyInCategory("Visual", TWidget::StaticClass(), "Caption");
  RegisterPropertyInCategory("Visual", Str, "Caption");
  RegisterPropertyInCategory("Visual", Str);
  RegisterPropertiesInCategory("Layout", TWidget::StaticClass(), {"Left", "Top"});
  RegisterPropertiesInCategory("Layout", Str, {"Hint"});
  ASSERT_EQ(GCalls.size(), 7u);
  EXPECT_TRUE(GCalls[0].Class == nullptr && GCalls[0].Type == nullptr && GCalls[0].Text == "Visual/Caption");
  EXPECT_TRUE(GCalls[1].Class == TWidget::StaticClass() && GCalls[1].Type == nullptr);
  EXPECT_TRUE(GCalls[2].Class == nullptr && GCalls[2].Type == Str && GCalls[2].Text == "Visual/Caption");
  EXPECT_TRUE(GCalls[3].Type == Str && GCalls[3].Text == "Visual/");
  EXPECT_EQ(GCalls[4].Text, "Layout/Left");
  EXPECT_EQ(GCalls[5].Text, "Layout/Top");
  EXPECT_TRUE(GCalls[5].Class == TWidget::StaticClass());
  EXPECT_TRUE(GCalls[6].Type == Str && GCalls[6].Text == "Layout/Hint");
}

TEST_F(RegistrationHooks, AnArrayOfConstIsDispatchedByElementKind) {
  RegisterPropertyInCategoryProc = &SpyCategory;
  PTypeInfo Str = TypeInfoOf<String>();
  RegisterPropertiesInCategory("Input", {TVarRec(Str), TVarRec(TWidget::StaticClass()), "Caption",
                                         String("Hint"), WideString(u"Wide\u00e9")});
  ASSERT_EQ(GCalls.size(), 5u);
  EXPECT_TRUE(GCalls[0].Type == Str && GCalls[0].Class == nullptr && GCalls[0].Text == "Input/");
  EXPECT_TRUE(GCalls[1].Class == TWidget::StaticClass() && GCalls[1].Type == nullptr);
  EXPECT_EQ(GCalls[2].Text, "Input/Caption");
  EXPECT_EQ(GCalls[3].Text, "Input/Hint");
  EXPECT_EQ(GCalls[4].Text, "Input/Wide\xc3\xa9");
}

TEST_F(RegistrationHooks, AnUnusableElementRaisesWithIndexAndKindAndKeepsTheEarlierOnes) {
  RegisterPropertyInCategoryProc = &SpyCategory;
  try {
    RegisterPropertiesInCategory("Input",
                                 {"Caption", TVarRec(TWidget::StaticClass()), TVarRec(int32_t(7)), "Hint"});
    FAIL() << "an integer element was accepted";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Property filters may only be name, class or type based (2:0)");
  }
  ASSERT_EQ(GCalls.size(), 2u);
  EXPECT_EQ(GCalls[0].Text, "Input/Caption");
  EXPECT_THROW(RegisterPropertiesInCategory("Input", {TVarRec(true)}), Exception);
  try {
    RegisterPropertiesInCategory("Input", {TVarRec(1.5)});
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Property filters may only be name, class or type based (0:3)");
  }
  EXPECT_EQ(GCalls.size(), 2u);
}

}  // namespace
