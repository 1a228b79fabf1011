// Whether an editor's value is what a stream writer would leave out, with and without an
// ancestor module.
#include "formwright/testing/Forms.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

using formwright::testing::tsCircle;
using formwright::testing::tsSquare;
using formwright::testing::TTestItem;
using formwright::testing::TTestShapes;

class IsDefault : public PropEditorTest {
 protected:
  IsDefault() {
    FAncestorForm->SetName("Form1");
    FAncestorWidget->SetName("Widget1");
    FAncestorWidget->SetCaption("Hello");
    FAncestorWidget->Font()->FSize = 10;
    static_cast<TTestItem*>(FAncestorWidget->Items()->Add())->FCaption = "A";
    // The designed form inherits Widget1 from the ancestor form, with the same values.
    FWidget->SetAncestor(true);
    FWidget->SetCaption("Hello");
    FWidget->Font()->FSize = 10;
    static_cast<TTestItem*>(FWidget->Items()->Add())->FCaption = "A";
    FDesigner->FAncestorDesigner = IPtr<IDesigner>(FAncestorDesigner.Get());
  }
  ~IsDefault() override {
    FDesigner->FAncestorDesigner.Reset();
    FAncestorDesigner->Detach();
  }
  // A test widget named `Name` with `Caption`, in `Owner`.
  static TTestWidget* Widget(TComponent* Owner, const char* Name, const char* Caption) {
    auto* W = new TTestWidget(Owner);
    W->SetName(Name);
    W->SetCaption(Caption);
    return W;
  }
  // An embedded frame instance named `Name`, in `Owner`.
  static orx::TFrame* InlineFrame(TComponent* Owner, const char* Name) {
    auto* F = new orx::TFrame(Owner);
    F->SetName(Name);
    F->SetInline(true);
    return F;
  }
  bool Default(std::initializer_list<TPersistent*> Objects, const char* Name) {
    auto P = Supports<IProperty70>(Prop(Objects, Name));
    EXPECT_TRUE(P) << Name;
    return P && P->GetIsDefault();
  }

  TOwned<orx::TForm> FAncestorForm{new orx::TForm(nullptr)};
  IPtr<TRecordingDesigner> FAncestorDesigner = MakeIntf<TRecordingDesigner>(FAncestorForm.get());
  TTestWidget* FAncestorWidget = new TTestWidget(FAncestorForm.get());
};

TEST_F(IsDefault, WithoutAnAncestorTheDeclaredDefaultCountsAndDifferentValuesNever) {
  EXPECT_TRUE(Default({FWidget2}, "Width"));
  FWidget2->FWidth = 5;
  EXPECT_FALSE(Default({FWidget2}, "Width"));
  EXPECT_TRUE(Default({FWidget2}, "Caption"));
  FWidget2->SetCaption("Hello");
  EXPECT_FALSE(Default({FWidget2}, "Caption"));
  EXPECT_TRUE(Default({FWidget2}, "Name"));  // never stored
  EXPECT_TRUE(Default({FWidget2}, "Buddy"));
  FWidget2->SetBuddy(FButton);
  EXPECT_FALSE(Default({FWidget2}, "Buddy"));
  // Different values are never default.
  EXPECT_TRUE(Default({FWidget2, FButton}, "Tag"));
  FButton->SetTag(3);
  EXPECT_FALSE(Default({FWidget2, FButton}, "Tag"));
}

TEST_F(IsDefault, AnInheritedComponentAndItsNestedObjectsAreComparedWithTheCounterpart) {
  EXPECT_TRUE(Default({FWidget}, "Caption"));  // as in the ancestor, though not empty
  FWidget->SetCaption("Bye");
  EXPECT_FALSE(Default({FWidget}, "Caption"));
  FAncestorWidget->SetCaption("Bye");
  EXPECT_TRUE(Default({FWidget}, "Caption"));
  // Nested objects are default when all their properties are.
  EXPECT_TRUE(Default({FWidget}, "Font"));  // size 10 like the ancestor's
  // Without an ancestor the font's name (a string without default) is always streamed.
  EXPECT_FALSE(Default({FWidget2}, "Font"));
  FAncestorWidget->Font()->FSize = 12;
  EXPECT_FALSE(Default({FWidget}, "Font"));
  FAncestorWidget->Font()->FSize = 10;
  FWidget->Font()->FName = "Mono";
  EXPECT_FALSE(Default({FWidget}, "Font"));
}

TEST_F(IsDefault, CollectionsAreDefaultWhenTheyStreamLikeTheAncestors) {
  EXPECT_TRUE(Default({FWidget}, "Items"));
  static_cast<TTestItem*>(FWidget->Items()->Items(0))->FCaption = "B";
  EXPECT_FALSE(Default({FWidget}, "Items"));
  // Without an ancestor a collection is always streamed, even empty.
  EXPECT_FALSE(Default({FWidget2}, "Items"));
}

TEST_F(IsDefault, NestedObjectsAreJudgedOneLevelDeepIncludingValuesNeverStored) {
  TPropTestShape* Shape = Make<TPropTestShape>(FForm.get(), "Shape1");
  EXPECT_TRUE(Default({Shape}, "Pen"));
  Shape->Pen()->FScratch = 5;
  EXPECT_FALSE(Default({Shape}, "Pen")) << "a value that is never stored still differs";
  Shape->Pen()->FScratch = 0;
  Shape->Pen()->FDetail = new formwright::testing::TTestFont;
  Shape->Pen()->FDetail->FName = "";
  EXPECT_FALSE(Default({Shape}, "Pen")) << "an object inside is not looked into";
}

TEST_F(IsDefault, SubComponentsAreComparedWithTheirCounterpartInTheAncestor) {
  auto* AncestorLinks = Make<TPropTestLinks>(FAncestorForm.get(), "Links1");
  AncestorLinks->FInner->SetTag(5);
  auto* Links = Make<TPropTestLinks>(FForm.get(), "Links1");
  Links->SetAncestor(true);
  Links->FInner->SetTag(5);
  EXPECT_TRUE(Default({Links->FInner}, "Tag"));
  Links->FInner->SetTag(0);
  EXPECT_FALSE(Default({Links->FInner}, "Tag"));
  // An owner without a counterpart leaves the declared defaults to compare with.
  Links->SetName("Links2");
  Links->FInner->SetTag(5);
  EXPECT_FALSE(Default({Links->FInner}, "Tag"));
  // An owner the writer's walk never reaches is looked for from the ancestor root: the
  // sub-component by its name anywhere in the ancestor module.
  auto* Holder = Make<TComponent>(FForm.get(), "Holder1");
  auto* Unreached = Make<TPropTestLinks>(Holder, "Links3");
  Unreached->SetAncestor(true);
  Unreached->FInner->SetTag(5);
  EXPECT_TRUE(Default({Unreached->FInner}, "Tag"));
}

TEST_F(IsDefault, ComponentsOfAnEmbeddedFrameAreComparedWithTheAncestorsFrame) {
  Widget(InlineFrame(FAncestorForm.get(), "Frame1"), "Street", "Elm");
  orx::TFrame* Frame = InlineFrame(FForm.get(), "Frame1");
  TTestWidget* Street = Widget(Frame, "Street", "Elm");
  Frame->SetAncestor(true);
  EXPECT_TRUE(Default({Street}, "Caption"));
  Street->SetCaption("Oak");
  EXPECT_FALSE(Default({Street}, "Caption"));
}

TEST_F(IsDefault, FrameOfADesignedClassIsComparedWithThatClassesModule) {
  TMetaClass FrameClass("TAddressFrame", "AddressFrame", orx::TFrame::StaticClass());
  TOwned<orx::TFrame> Module(new orx::TFrame(nullptr));
  Module->SetName("AddressFrame");
  Widget(Module.get(), "Street", "Main");
  FDesigner->FRootAncestors["TAddressFrame"] = Module.get();
  TOwned<orx::TFrame> Frame(InlineFrame(FForm.get(), "AddressFrame1"));
  Frame->ChangeClass(&FrameClass);
  TTestWidget* Street = Widget(Frame.get(), "Street", "Main");
  Street->SetAncestor(true);
  EXPECT_TRUE(Default({Street}, "Caption"));
  Street->SetCaption("Side");
  EXPECT_FALSE(Default({Street}, "Caption"));
  FDesigner->FRootAncestors.clear();
}

TEST_F(IsDefault, SetElementsCompareTheirOwnBitWithTheDefault) {
  std::vector<IPtr<IProperty>> Elements = NestedOf(Prop({FWidget2}, "Shapes"));
  ASSERT_EQ(Elements.size(), 3u);
  auto ElementDefault = [&](size_t I) { return Supports<IProperty70>(Elements[I])->GetIsDefault(); };
  EXPECT_TRUE(ElementDefault(0));
  FWidget2->FShapes = TTestShapes{tsSquare};
  EXPECT_FALSE(Default({FWidget2}, "Shapes"));
  EXPECT_FALSE(ElementDefault(0));  // tsCircle left the default set
  EXPECT_FALSE(ElementDefault(1));  // tsSquare joined it
  EXPECT_TRUE(ElementDefault(2));
}

}  // namespace
}  // namespace formwright::testing
