// The tools interface's form editor: its notifiers, the selection and creation it offers, the
// module's content and its age.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "moduledesigner/OTAComponent.h"
#include "moduledesigner/OTAFormEditor.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/StreamAdapter.h"
#include "tests/moduledesigner/RootTestSupport.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace formwright {
namespace {

using namespace orx;
using testing::MessageOf;

// Writes what it hears to a log, each line led by its tag. A plain notifier hears only what
// every notifier hears.
class TLogNotifier : public TInterfacedObject, public IOTAFormNotifier {
 public:
  TLogNotifier(std::vector<String>& Log, String Tag) : FLog(Log), FTag(std::move(Tag)) {}
  void AfterSave() override {}
  void BeforeSave() override {}
  void Destroyed() override { Write("destroyed"); }
  void Modified() override { Write("modified"); }
  void FormActivated() override { Write("activated"); }
  void FormSaving() override { Write("saving"); }
  void ComponentRenamed(TPersistent*, const String& OldName, const String& NewName) override {
    Write("renamed " + OldName + " " + NewName);
  }

 private:
  void Write(const String& What) { FLog.push_back(FTag + " " + What); }
  std::vector<String>& FLog;
  String FTag;
};

class TPlainNotifier : public TInterfacedObject, public IOTANotifier {
 public:
  explicit TPlainNotifier(std::vector<String>& Log) : FLog(Log) {}
  void AfterSave() override {}
  void BeforeSave() override {}
  void Destroyed() override { FLog.push_back("P destroyed"); }
  void Modified() override { FLog.push_back("P modified"); }

 private:
  std::vector<String>& FLog;
};

// The universal date-time of the system clock now.
TDateTime UniversalNow() {
  TDateTime Now;
  TryStampToDateTime(std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count(),
                     Now);
  return Now;
}

// The content of the module as the form editor hands it out.
String Content(const IPtr<IOTAFormEditor>& Editor) {
  TStringStream S;
  Supports<INTAFormEditor>(Editor)->GetFormResource(&S);
  EXPECT_EQ(S.Position(), 0);
  return S.DataString();
}

void SetContent(const IPtr<IOTAFormEditor>& Editor, const String& Text) {
  TStringStream S(Text);
  Editor->SetContent(AdaptStream(&S));
}

const String OtherForm = "object Form1: TForm1\n  object Label1: TLabel\n    Caption = 'Other'\n  end\nend\n";
const String BrokenForm = "object Form1: TForm1\n  object Label1: TLabel\n    Caption = \n";

class ToolsFormEditor : public testing::RootTest {
 protected:
  ToolsFormEditor() {
    Form1 = Open("Form1.fwf", testing::PanelFormText);
    Editor = Form1->GetFormEditor();
  }
  IPtr<IOTAFormEditor> Editor;
  std::vector<String> Log;
};

TEST_F(ToolsFormEditor, NotifiersHearModificationSavingRenamesActivationAndTheEnd) {
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TLogNotifier>(Log, "A")), 0);
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TPlainNotifier>(Log)), 1);
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TLogNotifier>(Log, "B")), 2);
  EXPECT_TRUE(Editor->MarkModified());
  EXPECT_THAT(Log, ElementsAre("A modified", "P modified", "B modified"));
  Log.clear();
  Form1->Save();
  EXPECT_THAT(Log, ElementsAre("A saving", "B saving"));
  Log.clear();
  ASSERT_TRUE(Form1->RenameComponent("button1", "btnOK"));
  EXPECT_THAT(Log, ::testing::IsSupersetOf({"A renamed Button1 btnOK", "B renamed Button1 btnOK"}));
  EXPECT_LT(std::find(Log.begin(), Log.end(), "A renamed Button1 btnOK") - Log.begin(),
            std::find(Log.begin(), Log.end(), "B renamed Button1 btnOK") - Log.begin());
  Editor->RemoveNotifier(0);
  Editor->RemoveNotifier(0);  // a stale index does nothing
  Log.clear();
  Form1->ActiveChanged(true);
  EXPECT_THAT(Log, ElementsAre("B activated"));
  Log.clear();
  Host.Close(Form1);
  Form1.Reset();
  Module.Reset();
  EXPECT_THAT(Log, ElementsAre("P destroyed", "B destroyed"));
  EXPECT_EQ(Editor->GetFileName(), "");  // the editor outlives its module and knows it
  EXPECT_FALSE(Editor->GetRootComponent());
}

TEST_F(ToolsFormEditor, TheSelectionWithNothingSelectedIsTheRoot) {
  EXPECT_EQ(Editor->GetSelComponent(0)->GetComponentHandle(), Form1->GetRoot());
  EXPECT_FALSE(Editor->GetSelComponent(1));
  Form1->Select(C("Button1"), false);
  EXPECT_EQ(Editor->GetSelCount(), 1);
  EXPECT_EQ(Editor->GetSelComponent(0)->GetComponentHandle(), C("Button1"));
  EXPECT_FALSE(Editor->GetSelComponent(-1));
  EXPECT_EQ(Editor->FindComponent("PANEL1")->GetComponentHandle(), C("Panel1"));
  EXPECT_FALSE(Editor->FindComponent("Nothing"));
}

TEST_F(ToolsFormEditor, CreateComponentMakesOnlyComponentsOfKnownClasses) {
  const String Before = Written(Form1);
  EXPECT_FALSE(Editor->CreateComponent(nullptr, "TNoSuchClass", 0, 0, 10, 10));
  EXPECT_FALSE(Editor->CreateComponent(nullptr, "TFont", 0, 0, 10, 10));
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_EQ(Written(Form1), Before);
  IPtr<IOTAComponent> Made =
      Editor->CreateComponent(Editor->FindComponent("Panel1"), "TButton", 40, 40, 75, 25);
  ASSERT_TRUE(Made);
  EXPECT_EQ(Made->GetParent()->GetComponentHandle(), C("Panel1"));
  EXPECT_EQ(Supports<INTAComponent>(Made)->GetComponent()->Owner(), Form1->GetRoot());
  EXPECT_TRUE(Editor->GetModified());
}

TEST_F(ToolsFormEditor, ModifiedAndDiskAgeFollowTheModule) {
  EXPECT_FALSE(Editor->GetModified());
  Editor->MarkModified();
  EXPECT_TRUE(Editor->GetModified());
  Editor->ResetDiskAge();
  EXPECT_FALSE(Editor->GetModified());
  IPtr<IStream> S = Editor->GetContent();
  EXPECT_EQ(S->GetSize(), static_cast<int64_t>(Written(Form1).size()));
  EXPECT_TRUE(Supports<IStreamMemory>(S));
}

TEST_F(ToolsFormEditor, SetContentReplacesALiveModuleAndKeepsItsTime) {
  const int64_t Time = Form1->GetModifyTime();
  SetContent(Editor, OtherForm);
  EXPECT_FALSE(Form1->IsDormant());
  EXPECT_FALSE(C("Panel1"));
  EXPECT_EQ(As<TLabel>(C("Label1"))->Caption(), "Other");
  EXPECT_EQ(Form1->GetModifyTime(), Time);
}

TEST_F(ToolsFormEditor, UnreadableContentLeavesTheModuleAsItWas) {
  const String Before = Written(Form1);
  const int64_t Time = Form1->GetModifyTime();
  EXPECT_THAT(MessageOf([&] { SetContent(Editor, BrokenForm); }), HasSubstr("line 4"));
  EXPECT_FALSE(Form1->IsDormant());
  EXPECT_EQ(Written(Form1), Before);
  EXPECT_EQ(Form1->GetModifyTime(), Time);
  EXPECT_EQ(Files->Contents("Form1.fwf"), testing::PanelFormText);
}

TEST_F(ToolsFormEditor, ADormantModuleTakesContentWithoutWaking) {
  Form1->GoDormant();
  const String Before = Content(Editor);
  EXPECT_THAT(MessageOf([&] { SetContent(Editor, BrokenForm); }), HasSubstr("line 4"));
  EXPECT_EQ(Content(Editor), Before);
  SetContent(Editor, OtherForm);
  EXPECT_TRUE(Form1->IsDormant());
  EXPECT_THAT(Content(Editor), HasSubstr("'Other'"));
  Form1->Resurrect();
  EXPECT_TRUE(C("Label1"));
}

TEST_F(ToolsFormEditor, DatesAreUniversalWhateverTheTimeZone) {
  const char* Zone = std::getenv("TZ");
  const String Saved = Zone ? Zone : "";
  setenv("TZ", "FAR-14", 1);
  tzset();
  TDateTime Value;
  constexpr int64_t Day = 86'400'000'000'000;
  EXPECT_TRUE(TryStampToDateTime(0, Value));
  EXPECT_EQ(Value.Value, 25569.0);  // 1970-01-01 00:00
  EXPECT_TRUE(TryStampToDateTime(Day + Day / 2, Value));
  EXPECT_EQ(Value.Value, 25570.5);
  EXPECT_FALSE(TryStampToDateTime(-1, Value));
  const TDateTime Before = UniversalNow();
  Editor->MarkModified();
  const double Age = Editor->GetContentAge().Value;
  EXPECT_GE(Age, Before.Value);
  EXPECT_LE(Age, UniversalNow().Value);
  Zone ? setenv("TZ", Saved.c_str(), 1) : unsetenv("TZ");
  tzset();
}

}  // namespace
}  // namespace formwright
