// The tools interface over a module: the form editor's notifiers, selection, creation,
// content and age, and the component adapter's property buffers, structure and commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "moduledesigner/OTAComponent.h"
#include "moduledesigner/OTAFormEditor.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/StreamAdapter.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/TestClasses.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace formwright {
namespace {

using namespace orx;
using testing::MessageOf;
using testing::TTestWidget;

struct TToolsCode {};
FW_TYPEINFO_FN(TToolsCode, MakeStringType("TToolsCode", tkString, 8))

// The widget with a property of every kind, and a short string besides.
class TToolsProbe : public TTestWidget {
  FW_CLASS(TToolsProbe, TTestWidget)
 public:
  using TTestWidget::TTestWidget;
  static void DeclarePublished(TClassBuilder<TToolsProbe>& C) {
    C.Property("Code", &TToolsProbe::FCode).As<TToolsCode>();
  }
  String FCode;
};
FW_REGISTER_CLASS(TToolsProbe, "Test.Tools")

// Logs what it hears, led by its tag: as a form notifier (I is IOTAFormNotifier) or as a plain
// one, which hears only what every notifier hears.
template <class I>
class TLogNotifier : public TInterfacedObject, public I {
 public:
  TLogNotifier(std::vector<String>& Log, String Tag) : FLog(Log), FTag(std::move(Tag)) {}
  void AfterSave() override {}
  void BeforeSave() override {}
  void Destroyed() override { FLog.push_back(FTag + " destroyed"); }
  void Modified() override { FLog.push_back(FTag + " modified"); }
  void FormActivated() { FLog.push_back(FTag + " activated"); }
  void FormSaving() { FLog.push_back(FTag + " saving"); }
  void ComponentRenamed(TPersistent*, const String& Old, const String& New) {
    FLog.push_back(FTag + " renamed " + Old + " " + New);
  }

 private:
  std::vector<String>& FLog;
  String FTag;
};

TDateTime UniversalNow() {
  TDateTime Now;
  TryStampToDateTime(std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count(),
                     Now);
  return Now;
}

const String OtherForm = "object Form1: TForm1\n  object Label1: TLabel\n    Caption = 'Other'\n  end\nend\n";
const String BrokenForm = "object Form1: TForm1\n  object Label1: TLabel\n    Caption = \n";

class ToolsInterface : public testing::RootTest {
 protected:
  ToolsInterface() {
    Form1 = Open("Form1.fwf", testing::PanelFormText);
    Editor = Form1->GetFormEditor();
  }
  IPtr<IOTAComponent> Of(TPersistent* Persistent) { return Editor->GetComponentFromHandle(Persistent); }
  // The module's content as the form editor hands it out, and replacing it.
  String Content() {
    TStringStream S;
    Supports<INTAFormEditor>(Editor)->GetFormResource(&S);
    EXPECT_EQ(S.Position(), 0);
    return S.DataString();
  }
  void SetContent(const String& Text) {
    TStringStream S(Text);
    Editor->SetContent(AdaptStream(&S));
  }

  IPtr<IOTAFormEditor> Editor;
  std::vector<String> Log;
};

// The module with a probe component of every property kind (P its adapter).
class ToolsComponent : public ToolsInterface {
 protected:
  ToolsComponent() : Probe(new TToolsProbe(Form1->GetRoot())), P(Of(Probe)) { Probe->SetName("Probe1"); }
  // The probe's property Name read into a buffer of type T (Init when unread), or written.
  template <class T>
  T Read(const String& Name, T Init = T()) {
    EXPECT_TRUE(P->GetPropValueByName(Name, &Init)) << Name;
    return Init;
  }
  template <class T>
  bool Write(const String& Name, const T& Value) {
    return P->SetPropByName(Name, &Value);
  }

  TToolsProbe* Probe;
  IPtr<IOTAComponent> P;
};

TEST_F(ToolsInterface, NotifiersHearModificationSavingRenamesActivationAndTheEnd) {
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TLogNotifier<IOTAFormNotifier>>(Log, "A")), 0);
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TLogNotifier<IOTANotifier>>(Log, "P")), 1);
  EXPECT_EQ(Editor->AddNotifier(MakeIntf<TLogNotifier<IOTAFormNotifier>>(Log, "B")), 2);
  EXPECT_TRUE(Editor->MarkModified());
  Form1->Save();
  ASSERT_TRUE(Form1->RenameComponent("button1", "btnOK"));
  EXPECT_THAT(Log, ElementsAre("A modified", "P modified", "B modified", "A saving", "B saving",
                               "A renamed Button1 btnOK", "B renamed Button1 btnOK"));
  Editor->RemoveNotifier(0);
  Editor->RemoveNotifier(0);  // a stale index does nothing
  Log.clear();
  Form1->ActiveChanged(true);
  Host.Close(Form1);
  EXPECT_FALSE(Editor->GetContent());  // a closed module has no content to hand out
  Form1.Reset();
  Module.Reset();
  EXPECT_THAT(Log, ElementsAre("B activated", "P destroyed", "B destroyed"));
  EXPECT_EQ(Editor->GetFileName(), "");  // the editor outlives its module and knows it
}

TEST_F(ToolsInterface, TheSelectionWithNothingSelectedIsTheRoot) {
  EXPECT_EQ(Editor->GetSelComponent(0)->GetComponentHandle(), Form1->GetRoot());
  EXPECT_FALSE(Editor->GetSelComponent(1));
  Form1->Select(C("Button1"), false);
  EXPECT_EQ(Editor->GetSelCount(), 1);
  EXPECT_EQ(Editor->GetSelComponent(0)->GetComponentHandle(), C("Button1"));
  EXPECT_EQ(Editor->FindComponent("PANEL1")->GetComponentHandle(), C("Panel1"));
}

TEST_F(ToolsInterface, CreateComponentMakesOnlyComponentsOfKnownClasses) {
  const String Before = Written(Form1);
  EXPECT_FALSE(Editor->CreateComponent(nullptr, "TNoSuchClass", 0, 0, 10, 10));
  EXPECT_FALSE(Editor->CreateComponent(nullptr, "TFont", 0, 0, 10, 10));
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_EQ(Written(Form1), Before);
  IPtr<IOTAComponent> Made = Editor->CreateComponent(Of(C("Panel1")), "TButton", 40, 40, 75, 25);
  EXPECT_EQ(Made->GetParent()->GetComponentHandle(), C("Panel1"));
  EXPECT_TRUE(Editor->GetModified());
  Editor->ResetDiskAge();
  EXPECT_FALSE(Editor->GetModified());
}

TEST_F(ToolsInterface, ALiveModuleTakesOnlyReadableContentAndKeepsItsTime) {
  const String Before = Written(Form1);
  const int64_t Time = Form1->GetModifyTime();
  EXPECT_THAT(MessageOf([&] { SetContent(BrokenForm); }), HasSubstr("line 4"));
  // Content that fails only while its components are read: the module wakes as it was.
  EXPECT_THAT(MessageOf([&] { SetContent("object Form1: TForm1\n  object X1: TNoSuchClass\n  end\nend\n"); }),
              HasSubstr("TNoSuchClass"));
  EXPECT_FALSE(Form1->IsDormant());
  EXPECT_EQ(Written(Form1), Before);
  SetContent(OtherForm);
  EXPECT_FALSE(Form1->IsDormant());
  EXPECT_EQ(As<TLabel>(C("Label1"))->Caption(), "Other");
  EXPECT_EQ(Form1->GetModifyTime(), Time);
  EXPECT_EQ(Files->Contents("Form1.fwf"), testing::PanelFormText);
}

TEST_F(ToolsInterface, ADormantModuleTakesContentWithoutWaking) {
  Form1->GoDormant();
  const String Before = Content();
  EXPECT_THAT(MessageOf([&] { SetContent(BrokenForm); }), HasSubstr("line 4"));
  EXPECT_EQ(Content(), Before);
  SetContent(OtherForm);
  EXPECT_TRUE(Form1->IsDormant());
  EXPECT_THAT(Content(), HasSubstr("'Other'"));
}

TEST_F(ToolsInterface, AgesAreUniversalWhateverTheTimeZone) {
  const char* Zone = std::getenv("TZ");
  const String Saved = Zone ? Zone : "";
  setenv("TZ", "FAR-14", 1);
  tzset();
  TDateTime Value;
  EXPECT_TRUE(TryStampToDateTime(86'400'000'000'000 * 3 / 2, Value));
  EXPECT_EQ(Value.Value, 25570.5);  // 1970-01-02 12:00
  EXPECT_FALSE(TryStampToDateTime(-1, Value));
  const TDateTime Before = UniversalNow();
  Editor->MarkModified();
  EXPECT_GE(Editor->GetContentAge().Value, Before.Value);
  EXPECT_LE(Editor->GetContentAge().Value, UniversalNow().Value);
  Zone ? setenv("TZ", Saved.c_str(), 1) : unsetenv("TZ");
  tzset();
}

TEST_F(ToolsComponent, ValuesAreReadIntoTheBufferOfTheirKind) {
  Probe->FSmall = 200;
  Probe->FRatio = 2.5;
  Probe->FCode = "abc";
  Probe->FWide = u"wide";
  Probe->SetBuddy(C("Button1"));
  EXPECT_EQ(Read<int32_t>("small"), 200);  // a whole word, whatever the ordinal's size
  EXPECT_EQ(Read<long double>("Ratio"), 2.5L);
  const TOTAShortString Code = Read<TOTAShortString>("Code");
  EXPECT_EQ(String(Code.Chars, Code.Length), "abc");
  EXPECT_EQ(Read<WideString>("Wide"), u"wide");
  // An object that is no component gets an adapter; a component reference reads as nil.
  EXPECT_EQ(Read<IPtr<IOTAComponent>>("Font")->GetComponentType(), "TTestFont");
  EXPECT_FALSE(Read<IPtr<IOTAComponent>>("Buddy", P));
  int64_t Big = 0;
  EXPECT_FALSE(P->GetPropValueByName("Big", &Big));  // not a kind the interface carries
}

TEST_F(ToolsComponent, WritesTakeTheOrdinalSizeAndOnlyWritableKindsMarkTheModule) {
  const String Before = Written(Form1);
  EXPECT_FALSE(Write("Font", P));
  EXPECT_FALSE(Write("Big", int64_t(5)));
  EXPECT_FALSE(Write("ReadOnlyCount", int32_t(7)));
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_EQ(Written(Form1), Before);
  TOTAShortString Code;
  Code.Length = 2;
  Code.Chars[0] = 'o', Code.Chars[1] = 'k';
  EXPECT_TRUE(Write("Small", uint8_t(250)) && Write("Enabled", uint8_t(0)) && Write("Ratio", 1.25L) &&
              Write("Code", Code) && Write("Caption", String("Bye")));
  EXPECT_EQ(Probe->FSmall, 250);
  EXPECT_FALSE(Probe->FEnabled);
  EXPECT_EQ(Probe->FRatio, 1.25);
  EXPECT_EQ(Probe->FCode, "ok");
  EXPECT_EQ(Probe->Caption(), "Bye");
  EXPECT_TRUE(Editor->GetModified());
}

TEST_F(ToolsComponent, IndexesOutOfRangeGetTheEmptyAnswers) {
  int32_t Value = 0;
  for (int Index : {-1, P->GetPropCount()}) {
    EXPECT_EQ(P->GetPropName(Index), "");
    EXPECT_EQ(P->GetPropType(Index), tkUnknown);
    EXPECT_FALSE(P->GetPropValue(Index, &Value) || P->SetProp(Index, &Value));
  }
  EXPECT_FALSE(Of(C("Panel1"))->GetControl(1));
}

TEST_F(ToolsComponent, StructureFollowsOwnersAndParents) {
  IPtr<IOTAComponent> Panel = Of(C("Panel1")), Root = Editor->GetRootComponent();
  EXPECT_TRUE(Panel->IsTControl() && !P->IsTControl());
  EXPECT_EQ(Panel->GetControl(0)->GetComponentHandle(), C("Button1"));
  EXPECT_EQ(Of(C("Button1"))->GetParent()->GetComponentHandle(), C("Panel1"));
  EXPECT_FALSE(Root->GetParent());
  std::vector<String> Walked;
  auto Walk = [&](size_t Stop) {
    Walked.clear();
    return Root->GetChildren(nullptr, [&](void*, const IPtr<IOTAComponent>& Child, bool& Continue) {
      Walked.push_back(Supports<INTAComponent>(Child)->GetComponent()->Name());
      Continue = Walked.size() < Stop;
    });
  };
  EXPECT_TRUE(Walk(9));
  EXPECT_THAT(Walked, ElementsAre("Panel1", "Probe1"));
  EXPECT_TRUE(Walk(1));
  EXPECT_THAT(Walked, ElementsAre("Panel1"));
  // A persistent that is no component has no place among them.
  IPtr<IOTAComponent> Font = Of(Probe->Font());
  EXPECT_EQ(Font->GetComponentCount(), -1);
  EXPECT_FALSE(Font->GetParent() || Font->GetChildren(nullptr, nullptr) || Font->Select(false) ||
               Font->Focus(false) || Font->Delete());
}

TEST_F(ToolsComponent, SelectAddsOrReplacesTheRootClearsAndDeleteFreesWhatTheRootOwns) {
  EXPECT_TRUE(Of(C("Button1"))->Select(false) && P->Select(true));
  EXPECT_THAT(Selected(Form1), ElementsAre(C("Button1"), Probe));
  EXPECT_TRUE(Of(C("Panel1"))->Focus(false));
  EXPECT_THAT(Selected(Form1), ElementsAre(C("Panel1")));
  EXPECT_TRUE(Editor->GetRootComponent()->Select(true));
  EXPECT_THAT(Selected(Form1), ElementsAre(Form1->GetRoot()));  // nothing selected: the root
  EXPECT_FALSE(Editor->GetRootComponent()->Delete());
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_TRUE(Of(C("Button1"))->Delete());
  EXPECT_FALSE(C("Button1"));
  EXPECT_THAT(Written(Form1), ::testing::Not(HasSubstr("Button1")));
}

}  // namespace
}  // namespace formwright
