// The tools interface's component adapter: property values by kind through untyped buffers,
// the module's structure, selecting and deleting.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "moduledesigner/OTAComponent.h"
#include "platform/orx/Orx.h"
#include "tests/moduledesigner/RootTestSupport.h"
#include "tests/support/TestClasses.h"

using ::testing::ElementsAre;

namespace formwright {
namespace {

using namespace orx;
using testing::TTestShapes;
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

class ToolsComponent : public testing::RootTest {
 protected:
  ToolsComponent() {
    Form1 = Open("Form1.fwf", testing::PanelFormText);
    Probe = new TToolsProbe(Form1->GetRoot());
    Probe->SetName("Probe1");
    Editor = Form1->GetFormEditor();
    P = Of(Probe);
  }
  IPtr<IOTAComponent> Of(TPersistent* Persistent) { return Editor->GetComponentFromHandle(Persistent); }

  TToolsProbe* Probe;
  IPtr<IOTAFormEditor> Editor;
  IPtr<IOTAComponent> P;
};

TEST_F(ToolsComponent, ValuesAreReadIntoTheBufferOfTheirKind) {
  Probe->FShapes = TTestShapes{testing::tsCircle, testing::tsTriangle};
  Probe->FSmall = 200;
  Probe->FRatio = 2.5;
  Probe->FCode = "abc";
  Probe->SetCaption("Hi");
  Probe->FWide = u"wide";
  Probe->SetBuddy(C("Button1"));
  int32_t Shapes = 0, Small = 0;
  long double Ratio = 0;
  TOTAShortString Code;
  String Caption;
  WideString Wide;
  IPtr<IOTAComponent> Font, Buddy = P;
  EXPECT_TRUE(P->GetPropValueByName("shapes", &Shapes));
  EXPECT_EQ(Shapes, 0b101);
  EXPECT_TRUE(P->GetPropValueByName("Small", &Small));
  EXPECT_EQ(Small, 200);  // a whole word, whatever the ordinal's size
  EXPECT_TRUE(P->GetPropValueByName("Ratio", &Ratio));
  EXPECT_EQ(Ratio, 2.5L);
  EXPECT_TRUE(P->GetPropValueByName("Code", &Code));
  EXPECT_EQ(String(Code.Chars, Code.Length), "abc");
  EXPECT_TRUE(P->GetPropValueByName("Caption", &Caption));
  EXPECT_EQ(Caption, "Hi");
  EXPECT_TRUE(P->GetPropValueByName("Wide", &Wide));
  EXPECT_EQ(Wide, u"wide");
  // An object that is no component gets an adapter; a component reference reads as nil.
  EXPECT_TRUE(P->GetPropValueByName("Font", &Font));
  ASSERT_TRUE(Font);
  EXPECT_EQ(Font->GetComponentType(), "TTestFont");
  EXPECT_TRUE(P->GetPropValueByName("Buddy", &Buddy));
  EXPECT_FALSE(Buddy);
  int64_t Big = 0;
  EXPECT_FALSE(P->GetPropValueByName("Big", &Big));  // not a kind the interface carries
}

TEST_F(ToolsComponent, RefusedWritesLeaveTheModuleUnmodified) {
  const String Before = Written(Form1);
  IPtr<IOTAComponent> Font = P;
  const int64_t Big = 5;
  const int32_t Count = 7;
  EXPECT_FALSE(P->SetPropByName("Font", &Font));
  EXPECT_FALSE(P->SetPropByName("Big", &Big));
  EXPECT_FALSE(P->SetPropByName("ReadOnlyCount", &Count));
  EXPECT_FALSE(P->SetPropByName("NoSuchProperty", &Count));
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_EQ(Written(Form1), Before);
}

TEST_F(ToolsComponent, WritesTakeTheOrdinalSizeOfTheTypeAndMarkTheModule) {
  const uint8_t Small = 250, Off = 0;
  const long double Ratio = 1.25L;
  TOTAShortString Code;
  Code.Length = 2;
  Code.Chars[0] = 'o', Code.Chars[1] = 'k';
  const String Caption = "Bye";
  EXPECT_TRUE(P->SetPropByName("Small", &Small));
  EXPECT_TRUE(P->SetPropByName("Enabled", &Off));
  EXPECT_TRUE(P->SetPropByName("Ratio", &Ratio));
  EXPECT_TRUE(P->SetPropByName("Code", &Code));
  EXPECT_TRUE(P->SetPropByName("caption", &Caption));
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
    EXPECT_FALSE(P->GetPropValue(Index, &Value));
    EXPECT_FALSE(P->SetProp(Index, &Value));
  }
  EXPECT_EQ(P->GetPropTypeByName("NoSuchProperty"), tkUnknown);
  EXPECT_FALSE(Of(Form1->GetRoot())->GetComponent(-1));
  EXPECT_FALSE(Of(C("Panel1"))->GetControl(1));
  EXPECT_FALSE(Editor->GetComponentFromHandle(nullptr));
}

TEST_F(ToolsComponent, StructureFollowsOwnersAndParents) {
  IPtr<IOTAComponent> Panel = Of(C("Panel1")), Root = Editor->GetRootComponent();
  EXPECT_TRUE(Panel->IsTControl());
  EXPECT_FALSE(P->IsTControl());
  ASSERT_EQ(Panel->GetControlCount(), 1);
  EXPECT_EQ(Panel->GetControl(0)->GetComponentHandle(), C("Button1"));
  EXPECT_EQ(Of(C("Button1"))->GetParent()->GetComponentHandle(), C("Panel1"));
  EXPECT_FALSE(Root->GetParent());
  EXPECT_EQ(Root->GetComponentCount(), Form1->GetRoot()->ComponentCount());
  std::vector<String> Walked;
  auto Walk = [&](bool StopAtOnce) {
    Walked.clear();
    return Root->GetChildren(nullptr, [&](void*, const IPtr<IOTAComponent>& Child, bool& Continue) {
      Walked.push_back(static_cast<TComponent*>(Child->GetComponentHandle())->Name());
      Continue = !StopAtOnce;
    });
  };
  EXPECT_TRUE(Walk(false));
  EXPECT_THAT(Walked, ElementsAre("Panel1", "Probe1"));
  EXPECT_TRUE(Walk(true));
  EXPECT_THAT(Walked, ElementsAre("Panel1"));
  // A persistent that is no component has no place among them.
  IPtr<IOTAComponent> Font = Of(Probe->Font());
  EXPECT_EQ(Font->GetComponentCount(), -1);
  EXPECT_FALSE(Font->GetParent());
  EXPECT_FALSE(Font->GetChildren(nullptr, nullptr));
  EXPECT_FALSE(Font->Select(false));
  EXPECT_FALSE(Font->Focus(false));
  EXPECT_FALSE(Font->Delete());
}

TEST_F(ToolsComponent, SelectAddsOrReplacesAndTheRootClears) {
  EXPECT_TRUE(Of(C("Button1"))->Select(false));
  EXPECT_TRUE(P->Select(true));
  EXPECT_THAT(Selected(Form1), ElementsAre(C("Button1"), Probe));
  EXPECT_TRUE(Of(C("Panel1"))->Focus(false));
  EXPECT_THAT(Selected(Form1), ElementsAre(C("Panel1")));
  EXPECT_TRUE(Editor->GetRootComponent()->Select(true));
  EXPECT_THAT(Selected(Form1), ElementsAre(Form1->GetRoot()));  // nothing selected: the root
}

TEST_F(ToolsComponent, DeleteFreesOnlyWhatTheRootOwns) {
  EXPECT_FALSE(Editor->GetRootComponent()->Delete());
  EXPECT_FALSE(Editor->GetModified());
  EXPECT_TRUE(Of(C("Button1"))->Delete());
  EXPECT_FALSE(C("Button1"));
  EXPECT_TRUE(Editor->GetModified());
  EXPECT_THAT(Written(Form1), ::testing::Not(::testing::HasSubstr("Button1")));
}

}  // namespace
}  // namespace formwright
