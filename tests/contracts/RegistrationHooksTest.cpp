#include <gmock/gmock.h>

#include "contracts/Package.h"
#include "tests/contracts/ContractsTestClasses.h"

using namespace formwright;
using namespace formwright::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::ThrowsMessage;

namespace {

// What the spy hooks were called with, one line per call: hook, class, type, then the rest.
std::vector<String> GCalls;

String NameOf(TClass C) { return C ? C->ClassName() : String("-"); }
String NameOf(PTypeInfo T) { return T ? T->Name : String("-"); }

void SpyPropertyEditor(PTypeInfo T, TClass C, const String& Name, TPropertyEditorClass E) {
  GCalls.push_back("editor " + NameOf(C) + " " + NameOf(T) + " " + Name + " " + NameOf(E));
}
void SpyCategory(const String& Category, TClass C, PTypeInfo T, const String& Name) {
  GCalls.push_back(Category + " " + NameOf(C) + " " + NameOf(T) + " " + Name);
}
void SpyCustomModule(int Group, TComponentClass Base, TCustomModuleClass Module) {
  GCalls.push_back("module " + NameOf(Base) + " " + NameOf(Module) + " " + IntToStr(Group));
}
void SpyComponentEditor(TComponentClass C, TComponentEditorClass E) {
  GCalls.push_back("component " + NameOf(C) + " " + NameOf(E));
}
void SpyDragTarget(const String& Source, TDragTargetClass Target) {
  GCalls.push_back("drag " + Source + " " + NameOf(Target));
}
void SpyDemandLoad(TDemandLoadState State) { GCalls.push_back("demand " + IntToStr(int(State))); }

// Every test has a fresh package of its own, whose hooks start unset.
class RegistrationHooks : public ::testing::Test {
 protected:
  void SetUp() override { GCalls.clear(); }
  TDesignPackage FPackage;
  TDesignHooks& Hooks = FPackage.Hooks;
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
  EXPECT_THAT(GCalls, IsEmpty());
}

TEST_F(RegistrationHooks, ARoutinePassesItsArgumentsToItsHookAndACustomModuleTheCurrentGroup) {
  Hooks.RegisterPropertyEditorProc = &SpyPropertyEditor;
  Hooks.RegisterComponentEditorProc = &SpyComponentEditor;
  Hooks.RegisterDragTargetProc = &SpyDragTarget;
  Hooks.ForceDemandLoadStateProc = &SpyDemandLoad;
  Hooks.RegisterCustomModuleProc = &SpyCustomModule;
  RegisterPropertyEditor(TypeInfoOf<String>(), TWidget::StaticClass(), "Caption",
                         TRecordingPropertyEditor::StaticClass());
  RegisterComponentEditor(TWidget::StaticClass(), TIncompleteComponentEditor::StaticClass());
  RegisterDragTarget("Palette", TRightHalfDragTarget::StaticClass());
  ForceDemandLoadState(dlDisable);
  FPackage.CurrentGroup = 4;
  RegisterCustomModule(TWidget::StaticClass(), TRecordingSelectionEditor::StaticClass());
  EXPECT_THAT(GCalls,
              ElementsAre("editor TWidget string Caption TRecordingPropertyEditor",
                          "component TWidget TIncompleteComponentEditor", "drag Palette TRightHalfDragTarget",
                          "demand 1", "module TWidget TRecordingSelectionEditor 4"));
}

TEST_F(RegistrationHooks, UnlistingRegistersANilEditorForThePropertysTypeOnlyWhenTheClassHasIt) {
  Hooks.RegisterPropertyEditorProc = &SpyPropertyEditor;
  UnlistPublishedProperty(TWidget::StaticClass(), "onclick");
  UnlistPublishedProperty(TWidget::StaticClass(), "Colour");
  UnlistPublishedProperty(nullptr, "Caption");
  EXPECT_THAT(GCalls, ElementsAre("editor TWidget TWidgetNotify onclick -"));
}

TEST_F(RegistrationHooks, CategoryOverloadsPassClassTypeAndName) {
  Hooks.RegisterPropertyInCategoryProc = &SpyCategory;
  PTypeInfo Str = TypeInfoOf<String>();
  RegisterPropertyInCategory("Visual", "Caption");
  RegisterPropertyInCategory("Visual", TWidget::StaticClass(), "Caption");
  RegisterPropertyInCategory("Visual", Str, "Caption");
  RegisterPropertyInCategory("Visual", Str);
  RegisterPropertiesInCategory("Layout", TWidget::StaticClass(), {"Left", "Top"});
  RegisterPropertiesInCategory("Layout", Str, {"Hint"});
  EXPECT_THAT(GCalls, ElementsAre("Visual - - Caption", "Visual TWidget - Caption", "Visual - string Caption",
                                  "Visual - string ", "Layout TWidget - Left", "Layout TWidget - Top",
                                  "Layout - string Hint"));
}

TEST_F(RegistrationHooks, AnArrayOfConstIsDispatchedByElementKind) {
  Hooks.RegisterPropertyInCategoryProc = &SpyCategory;
  RegisterPropertiesInCategory("Input", {TVarRec(TypeInfoOf<String>()), TVarRec(TWidget::StaticClass()),
                                         "Caption", String("Hint"), WideString(u"Wide\u00e9")});
  EXPECT_THAT(GCalls, ElementsAre("Input - string ", "Input TWidget - ", "Input - - Caption",
                                  "Input - - Hint", "Input - - Wide\xc3\xa9"));
}

TEST_F(RegistrationHooks, AnUnusableElementRaisesWithIndexAndKindAndKeepsTheEarlierOnes) {
  Hooks.RegisterPropertyInCategoryProc = &SpyCategory;
  EXPECT_THAT(
      [] {
        RegisterPropertiesInCategory(
            "Input", {"Caption", TVarRec(TWidget::StaticClass()), TVarRec(int32_t(7)), "Hint"});
      },
      ThrowsMessage<Exception>("Property filters may only be name, class or type based (2:0)"));
  EXPECT_THROW(RegisterPropertiesInCategory("Input", {TVarRec(true)}), Exception);
  EXPECT_THAT([] { RegisterPropertiesInCategory("Input", {TVarRec(1.5)}); },
              ThrowsMessage<Exception>("Property filters may only be name, class or type based (0:3)"));
  EXPECT_THAT(GCalls, ElementsAre("Input - - Caption", "Input TWidget - "));
}

}  // namespace
