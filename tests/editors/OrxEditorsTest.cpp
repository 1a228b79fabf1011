// The editors of the framework's value types, and the inspector typing whole sets and string
// lists: what each shows, what it takes, and that refused text changes nothing.
#include <gmock/gmock.h>

#include "editors/InspectorModel.h"
#include "editors/OrxEditors.h"
#include "platform/orx/ActnList.h"
#include "platform/orx/StatusBands.h"
#include "tests/editors/PropTestSupport.h"

namespace formwright::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

class OrxEditors : public PropEditorTest {
 protected:
  OrxEditors() {
    FAction->SetName("Action1");
    FMemo->SetName("Memo1");
    FMemo2->SetName("Memo2");
  }
  // The editor of a dotted path over `Objects`, as the inspector finds it.
  IPtr<IProperty> Find(std::vector<TPersistent*> Objects, const String& Path) {
    TInspectorModel Inspector(Designer());
    Inspector.Select(Objects);
    IPtr<IProperty> P = Inspector.Find(Path);
    EXPECT_TRUE(P) << Path;
    return P;
  }
  orx::TAction* FAction = new orx::TAction(FForm.get());
  orx::TMemo* FMemo = new orx::TMemo(FForm.get());
  orx::TMemo* FMemo2 = new orx::TMemo(FForm.get());
  orx::TStatusBand* FBand = new orx::TStatusBand(FForm.get());
};

TEST_F(OrxEditors, EachFrameworkTypeGetsItsEditorWithItsAttributes) {
  struct TCase {
    TPersistent* Object;
    const char* Path;
    const char* Editor;
    TPropertyAttributes Attributes;
  };
  const TCase Cases[] = {
      {FEdit, "Color", "TColorProperty", {paValueList, paDialog, paMultiSelect, paRevertable}},
      {FEdit, "Cursor", "TCursorProperty", {paValueList, paMultiSelect, paSortList, paRevertable}},
      {FButton, "Font.Charset", "TFontCharsetProperty", {paValueList, paMultiSelect, paSortList}},
      {FButton, "ModalResult", "TModalResultProperty", {paValueList, paMultiSelect, paRevertable}},
      {FAction, "ShortCut", "TShortCutProperty", {paValueList, paMultiSelect, paRevertable}},
      {FMemo, "Lines", "TStringListProperty", {paDialog, paMultiSelect, paReadOnly}},
      {FBand, "Sections", "TCollectionProperty", {paDialog, paReadOnly, paOrx}},
  };
  for (const auto& [Object, Path, Editor, Attributes] : Cases) {
    SCOPED_TRACE(Path);
    const IPtr<IProperty> P = Find({Object}, Path);
    ASSERT_TRUE(P);
    EXPECT_EQ(TInspectorModel::Row(P).EditorClass, Editor);
    EXPECT_EQ(P->GetAttributes(), Attributes);
  }
}

struct TTyped {
  const char* Path;
  const char* Text;
  const char* Shown;  // after typing; for a refusal, the message
  bool Refused = false;
};

TEST_F(OrxEditors, TypedTextIsStoredAndShownByNameAndRefusalsChangeNothing) {
  const TTyped Cases[] = {
      {"Color", "clwindow", "clWindow"},
      {"Color", "$00FF8000", "$00FF8000"},
      {"Color", "$FF000019", "$FF000019"},
      {"Color", "255", "clRed"},
      {"Color", "clPlaid", "'clPlaid' is not a valid colour", true},
      {"Color", "$1FFFFFFFF", "Value must be between", true},
      {"Cursor", "CRHAND", "crHand"},
      {"Cursor", "5", "5"},
      {"Cursor", "crPointer", "'crPointer' is not a valid cursor", true},
      {"Cursor", "40000", "Value must be between -32768 and 32767", true},
      {"Font.Charset", "chcyrillic", "chCyrillic"},
      {"Font.Charset", "3", "3"},
      {"Font.Charset", "256", "Value must be between 0 and 255", true},
      {"Font.Charset", "russian", "'russian' is not a valid character set", true},
      {"ModalResult", "mrcancel", "mrCancel"},
      {"ModalResult", "15", "15"},
      {"ModalResult", "", "mrNone"},
      {"ModalResult", "mrMaybe", "'mrMaybe' is not a valid modal result", true},
      {"ShortCut", "ctrl+o", "Ctrl+O"},
      {"ShortCut", "Shift+Ctrl+F1", "Shift+Ctrl+F1"},
      {"ShortCut", "(none)", "(None)"},
      {"ShortCut", "", "(None)"},
      {"ShortCut", "Ctrl+", "Invalid property value", true},
      {"ShortCut", "Hyper+X", "Invalid property value", true},
  };
  FButton->SetModalResult(orx::mrOk);
  FAction->SetShortCut(orx::ShortCut('S', {ssCtrl}));
  for (const TTyped& C : Cases) {
    SCOPED_TRACE(Format("%s='%s'", C.Path, C.Text));
    TPersistent* Object = StartsText("ShortCut", C.Path)      ? static_cast<TPersistent*>(FAction)
                          : StartsText("ModalResult", C.Path) ? static_cast<TPersistent*>(FButton)
                                                              : FEdit;
    const IPtr<IProperty> P = Find({Object}, C.Path);
    ASSERT_TRUE(P);
    const String Before = P->GetValue();
    if (C.Refused) {
      EXPECT_THAT([&] { TInspectorModel::TypeValue(P, C.Path, C.Text); },
                  Raises<EDesignPropertyError>(HasSubstr(C.Shown)));
      EXPECT_EQ(P->GetValue(), Before);
    } else {
      EXPECT_EQ(TInspectorModel::TypeValue(P, C.Path, C.Text), C.Shown);
      EXPECT_EQ(TInspectorModel::TypeValue(P, C.Path, C.Shown), C.Shown) << "the shown text types back";
    }
  }
  EXPECT_EQ(FEdit->Color(), orx::clRed);
  EXPECT_EQ(FAction->ShortCut(), 0);
}

TEST_F(OrxEditors, ValueListsComeFromTheFrameworksMaps) {
  const std::vector<String> Shortcuts = ValuesOf(Find({FAction}, "ShortCut"));
  ASSERT_EQ(Shortcuts.size(), 109u);
  EXPECT_THAT(std::vector<String>(Shortcuts.begin(), Shortcuts.begin() + 3),
              ElementsAre("(None)", "Ctrl+A", "Ctrl+B"));
  EXPECT_EQ(Shortcuts[27], "Ctrl+Alt+A");
  EXPECT_EQ(Shortcuts[53], "F1");
  EXPECT_EQ(Shortcuts[89], "Shift+Ctrl+F1");
  EXPECT_THAT(std::vector<String>(Shortcuts.end() - 8, Shortcuts.end()),
              ElementsAre("Ins", "Shift+Ins", "Ctrl+Ins", "Del", "Shift+Del", "Ctrl+Del", "Alt+BkSp",
                          "Shift+Alt+BkSp"));
  std::vector<String> Colours;
  orx::ColorIdents().GetValues([&](const String& S) { Colours.push_back(S); });
  EXPECT_THAT(ValuesOf(Find({FEdit}, "Color")), ElementsAreArray(Colours));
  const std::vector<String> Results = ValuesOf(Find({FButton}, "ModalResult"));
  EXPECT_THAT(Results, ElementsAre("mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes",
                                   "mrNo", "mrClose", "mrHelp", "mrTryAgain", "mrContinue", "mrAll",
                                   "mrNoToAll", "mrYesToAll"));
}

TEST_F(OrxEditors, AWholeSetIsTypedAsShownOrRefusedWhole) {
  const IPtr<IProperty> Anchors = Find({FEdit, FButton}, "Anchors");
  EXPECT_EQ(TInspectorModel::TypeValue(Anchors, "Anchors", " [ akRight , akleft ] "), "[akLeft,akRight]");
  EXPECT_EQ(FButton->Anchors(), orx::TAnchors({orx::akLeft, orx::akRight}));
  EXPECT_EQ(TInspectorModel::TypeValue(Find({FEdit}, "Font.Style"), "Font.Style", "[fsBold]"), "[fsBold]");
  EXPECT_EQ(TInspectorModel::TypeValue(Find({FEdit}, "Font.Style"), "Font.Style", "[]"), "[]");
  const std::pair<const char*, const char*> Refused[] = {
      {"[akLeft,akMiddle]", "'akMiddle' is not an element of Anchors (akLeft,akTop,akRight,akBottom)"},
      {"akLeft", "'akLeft' is not a set: type the elements as shown, as in [akLeft,akTop,akRight,akBottom]"},
      {"[akLeft,]", "is not a set"},
  };
  for (const auto& [Text, Message] : Refused) {
    SCOPED_TRACE(Text);
    EXPECT_THAT([&] { TInspectorModel::TypeValue(Anchors, "Anchors", Text); },
                Raises<EDesignPropertyError>(HasSubstr(Message)));
    EXPECT_EQ(FButton->Anchors(), orx::TAnchors({orx::akLeft, orx::akRight}));
    EXPECT_EQ(FEdit->Anchors(), orx::TAnchors({orx::akLeft, orx::akRight}));
  }
}

TEST_F(OrxEditors, AStringListIsShownAndTypedAsItsLines) {
  const IPtr<IProperty> Lines = Find({FMemo, FMemo2}, "Lines");
  EXPECT_EQ(TInspectorModel::TypeValue(Lines, "Lines", "first\r\nsecond\n\n"), "(TStrings)");
  EXPECT_THAT(TInspectorModel::Row(Lines).Lines, ElementsAre("first", "second", ""));
  EXPECT_EQ(FMemo2->Lines()->Text(), FMemo->Lines()->Text());
  FMemo2->Lines()->Add("third");
  EXPECT_TRUE(TInspectorModel::Row(Lines).Lines.empty()) << "lists that differ show none";
  TInspectorModel::TypeValue(Find({FMemo}, "Lines"), "Lines", "");
  EXPECT_EQ(FMemo->Lines()->Count(), 0);
}

TEST_F(OrxEditors, ACollectionsItemsAreReachedByIndexAndChangedAsItsEditorAllows) {
  FBand->SetName("Band1");
  TInspectorModel Inspector(Designer());
  Inspector.Select({FBand});
  String Shown;
  ASSERT_TRUE(Inspector.TypeCollectionCommand("Sections.Count", "3", Shown));
  EXPECT_EQ(Shown, "3 items");
  EXPECT_EQ(TInspectorModel::TypeValue(Inspector.Find("sections[2].text"), "Text", "Caps"), "Caps");
  EXPECT_TRUE(Inspector.TypeCollectionCommand("Sections.Move", "2,0", Shown));
  EXPECT_TRUE(Inspector.TypeCollectionCommand("Sections.Delete", "1", Shown));
  EXPECT_EQ(Shown, "2 items");
  EXPECT_EQ(FBand->Sections()->Items(0)->Text(), "Caps");
  const TInspectorRow Row = TInspectorModel::Row(Inspector.Find("Sections"));
  EXPECT_EQ(Row.Value, "(TStatusSections)");
  ASSERT_EQ(Row.Items.size(), 2u);
  EXPECT_EQ(Row.Items[0].Value, "Caps");
  EXPECT_EQ(Row.Items[1].Value, "TStatusSection");
  // Not a command, or not a collection: nothing happens and the caller looks further.
  EXPECT_FALSE(Inspector.TypeCollectionCommand("Sections.Clear", "1", Shown));
  EXPECT_FALSE(Inspector.TypeCollectionCommand("Font.Count", "1", Shown));
  EXPECT_FALSE(Inspector.Find("Sections[0]")) << "an item is a way to its properties, not a row";
  EXPECT_FALSE(Inspector.Find("Font[0].Size"));
  EXPECT_THAT([&] { Inspector.Find("Sections[2].Text"); },
              Raises<EDesignPropertyError>("Band1.Sections has 2 items: there is no item 2"));
  EXPECT_THAT([&] { Inspector.TypeCollectionCommand("Sections.Count", "-1", Shown); },
              Raises<EDesignPropertyError>("Invalid property value"));
  EXPECT_EQ(FBand->Sections()->Count(), 2);
}

}  // namespace
}  // namespace formwright::testing
