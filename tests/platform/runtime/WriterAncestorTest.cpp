// Writing components as differences to their ancestors and reading them back onto the
// ancestor's replay.
#include <gtest/gtest.h>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// A component whose Width, and the Level of whose nested Gauge, refuse to be read while broken.
class TFragileGauge : public TPersistent {
  FW_CLASS(TFragileGauge, TPersistent)
 public:
  static void DeclarePublished(TClassBuilder<TFragileGauge>& C) {
    C.Property("Level", &TFragileGauge::Level, &TFragileGauge::FLevel);
  }
  int32_t Level() const { return FLevel < 0 ? throw EPropertyError("unreadable") : FLevel; }
  int32_t FLevel = 0;
};
class TFragileWidget : public TComponent {
  FW_CLASS(TFragileWidget, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TFragileWidget>& C) {
    C.Property("Gauge", &TFragileWidget::FGauge, nullptr);
    C.Property("Width", &TFragileWidget::Width, &TFragileWidget::FWidth).Default(0);
  }
  int32_t Width() const { return FWidth < 0 ? throw EPropertyError("unreadable") : FWidth; }
  TFragileGauge* FGauge = &FOwnGauge;
  TFragileGauge FOwnGauge;
  int32_t FWidth = 0;
};
}  // namespace
FW_REGISTER_CLASS(TFragileGauge, "Tests")
FW_REGISTER_CLASS(TFragileWidget, "Tests")
namespace {

class WriterAncestor : public ::testing::Test {
 protected:
  void SetUp() override {
    TStreamSamples::RegisterClasses();
    Ancestor = TStreamSamples::BuildModule();
    Descendant = Replay();
  }
  void TearDown() override { RemoveFixupReferences(nullptr, String()); }

  // A new module holding the ancestor's replay, every component marked inherited.
  TOwned<TTestModule> Replay() const {
    TOwned<TTestModule> M(new TTestModule(nullptr));
    const auto Image = TStreamSamples::Write(Ancestor.get());
    auto S = TStreamSamples::StreamOf(Image);
    TReader R(S.get(), 4096);
    R.ReadRootComponent(M.get());
    M->SetAncestor(true);
    return M;
  }
  static void ReadInto(TComponent* Root, const std::vector<uint8_t>& Bytes) {
    auto S = TStreamSamples::StreamOf(Bytes);
    TReader R(S.get(), 4096);
    R.ReadRootComponent(Root);
  }
  static String Text(const std::vector<uint8_t>& Binary) {
    return TStreamSamples::AsString(TStreamSamples::BinaryToText(Binary));
  }

  TOwned<TTestModule> Ancestor;
  TOwned<TTestModule> Descendant;
};

TEST_F(WriterAncestor, UnchangedDescendantWritesOnlyInheritedHeaders) {
  EXPECT_EQ(Text(TStreamSamples::Write(Descendant.get(), Ancestor.get())),
            "inherited Form1: TTestModule\n"
            "  inherited Widget1: TTestWidget\n"
            "  end\n"
            "  inherited Panel1: TTestContainer\n"
            "    inherited Button1: TTestControl\n"
            "    end\n"
            "    inherited Button2: TTestControl\n"
            "    end\n"
            "  end\n"
            "end\n");
}

TEST_F(WriterAncestor, OnlyDifferencesNewChildrenAndChangedOrderAreWritten) {
  auto* W = dynamic_cast<TTestWidget*>(Descendant->FindComponent("Widget1"));
  W->SetCaption("changed");
  W->FShapes = TTestShapes{};
  W->FOnClick = TTestNotify();
  static_cast<TTestItem*>(W->Items()->Items(1))->FWidth = 99;
  Descendant->Lines()->Add("three");
  Descendant->Timer()->FActive = true;
  W->SetDesignInfo((20 << 16) | 11);
  auto* Panel = dynamic_cast<TTestContainer*>(Descendant->FindComponent("Panel1"));
  auto* Label = new TTestControl(Descendant.get());
  Label->SetName("Label1");
  Label->SetParent(Panel);
  Panel->SetChildOrder(Label, 1);
  const auto Diff = TStreamSamples::Write(Descendant.get(), Ancestor.get());
  EXPECT_EQ(Text(Diff),
            "inherited Form1: TTestModule\n"
            "  Lines.Strings = (\n"
            "    'one'\n"
            "    'two ''quoted'''\n"
            "    'three')\n"
            "  Timer.Active = True\n"
            "  inherited Widget1: TTestWidget\n"
            "    Shapes = []\n"
            "    Caption = 'changed'\n"
            "    Items = <\n"
            "      item\n"
            "        Caption = 'Item 0'\n"
            "        Width = 0\n"
            "      end\n"
            "      item\n"
            "        Caption = 'Item 1'\n"
            "        Width = 99\n"
            "      end\n"
            "      item\n"
            "        Caption = 'Item 2'\n"
            "        Width = 20\n"
            "      end>\n"
            "    OnClick = nil\n"
            "    Left = 11\n"
            "  end\n"
            "  inherited Panel1: TTestContainer\n"
            "    inherited Button1: TTestControl\n"
            "    end\n"
            "    object Label1: TTestControl [1]\n"
            "      Unsigned = 0\n"
            "      WideLetter = 'Z'\n"
            "      Font.Name = 'Sans'\n"
            "    end\n"
            "    inherited Button2: TTestControl\n"
            "    end\n"
            "  end\n"
            "end\n");

  // Read onto a fresh replay of the ancestor, the differences rebuild the descendant.
  auto Copy = Replay();
  ReadInto(Copy.get(), Diff);
  EXPECT_EQ(TStreamSamples::Write(Copy.get(), Ancestor.get()), Diff);
  EXPECT_EQ(TStreamSamples::Write(Copy.get()), TStreamSamples::Write(Descendant.get()));
  auto* CopyPanel = dynamic_cast<TTestContainer*>(Copy->FindComponent("Panel1"));
  ASSERT_EQ(CopyPanel->Controls().size(), 3u);
  EXPECT_EQ(CopyPanel->Controls()[1]->Name(), "Label1");
  EXPECT_FALSE(dynamic_cast<TTestWidget*>(Copy->FindComponent("Widget1"))->FOnClick);
}

TEST_F(WriterAncestor, ReorderingInheritedChildrenWritesPositions) {
  auto* Panel = dynamic_cast<TTestContainer*>(Descendant->FindComponent("Panel1"));
  Panel->SetChildOrder(Descendant->FindComponent("Button2"), 0);
  const auto Diff = TStreamSamples::Write(Descendant.get(), Ancestor.get());
  EXPECT_NE(Text(Diff).find(
                "    inherited Button2: TTestControl [0]\n    end\n    inherited Button1: TTestControl\n"),
            String::npos)
      << Text(Diff);
  auto Copy = Replay();
  ReadInto(Copy.get(), Diff);
  EXPECT_EQ(dynamic_cast<TTestContainer*>(Copy->FindComponent("Panel1"))->Controls()[0]->Name(), "Button2");
}

TEST_F(WriterAncestor, FindAncestorHookSuppliesAncestorsOfUnmatchedComponents) {
  auto* Extra = new TTestWidget(Descendant.get());
  Extra->SetName("Extra");
  Extra->SetCaption("first");
  auto* Model = dynamic_cast<TTestWidget*>(Ancestor->FindComponent("Widget1"));
  Model->SetCaption("first");
  TOwned<TMemoryStream> S(new TMemoryStream);
  std::vector<String> Asked;
  {
    TWriter W(S.get(), 4096);
    W.OnFindAncestor = [&](TWriter*, TComponent* C, const String& Name, TComponent*& A, TComponent*&) {
      Asked.push_back(Name);
      if (C == Extra) A = Model;
    };
    W.WriteDescendent(Descendant.get(), Ancestor.get());
  }
  EXPECT_EQ(Asked.front(), "Form1");
  const String T = Text(S->Bytes());
  const size_t At = T.find("  inherited Extra: TTestWidget [1]\n");
  ASSERT_NE(At, String::npos) << T;
  const String Block = T.substr(At, T.find("\n  end\n", At) - At);
  // Written against Widget1 of the ancestor: its equal caption is left out, its other values differ.
  EXPECT_EQ(Block.find("Caption"), String::npos) << Block;
  EXPECT_NE(Block.find("Small = 0"), String::npos) << Block;
}

TEST_F(WriterAncestor, CollectionsEqualComparesStreamImages) {
  auto* A = dynamic_cast<TTestWidget*>(Ancestor->FindComponent("Widget1"));
  auto* D = dynamic_cast<TTestWidget*>(Descendant->FindComponent("Widget1"));
  EXPECT_TRUE(CollectionsEqual(D->Items(), A->Items(), Descendant.get(), Ancestor.get()));
  static_cast<TTestItem*>(D->Items()->Items(0))->FCaption = "other";
  EXPECT_FALSE(CollectionsEqual(D->Items(), A->Items(), Descendant.get(), Ancestor.get()));
  D->Items()->Delete(0);
  EXPECT_FALSE(CollectionsEqual(D->Items(), A->Items(), Descendant.get(), Ancestor.get()));
  EXPECT_TRUE(CollectionsEqual(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(WriterAncestor, UnwritableValuesNameTheProperty) {
  auto* W = dynamic_cast<TTestWidget*>(Descendant->FindComponent("Widget1"));
  W->SetCaption(String("bad \xFF utf-8"));
  TOwned<TMemoryStream> S(new TMemoryStream);
  TWriter Writer(S.get(), 4096);
  EXPECT_THAT([&] { Writer.WriteDescendent(Descendant.get(), nullptr); },
              Raises<EWriteError>("Error writing Widget1.Caption: String value is not valid UTF-8"));
  auto* Orphan = new TTestWidget(nullptr);
  TOwned<TTestWidget> Keep(Orphan);
  W->SetCaption("fine");
  W->SetBuddy(Orphan);
  EXPECT_THROW(TStreamSamples::Write(Descendant.get()), EWriteError);
  W->SetBuddy(nullptr);
}

// A value that cannot be read stops the write with the path of the property.
TEST(WriterErrors, UnreadableValuesNameThePropertyPath) {
  TFragileWidget W(nullptr);
  W.SetName("W1");
  const auto Write = [&W] { TStreamSamples::Write(&W); };
  W.FOwnGauge.FLevel = -1;
  EXPECT_THAT(Write, Raises<EWriteError>("Error writing W1.Gauge.Level: unreadable"));
  W.FOwnGauge.FLevel = 0;
  W.FWidth = -1;
  EXPECT_THAT(Write, Raises<EWriteError>("Error writing W1.Width: unreadable"));
}

}  // namespace
