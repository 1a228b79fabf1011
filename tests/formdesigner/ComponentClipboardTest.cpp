#include "formdesigner/ComponentClipboard.h"

#include <gmock/gmock.h>

#include "platform/orx/Orx.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "platform/runtime/TextParser.h"

using namespace formwright;
using namespace formwright::orx;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

class ComponentClipboardTest : public ::testing::Test {
 protected:
  ComponentClipboardTest() : Form(new TForm(nullptr)), Target(new TForm(nullptr)) {
    RegisterOrxClasses();
    Clipboard().Clear();
    Form->SetName("Form1");
    Target->SetName("Form2");
    Panel = new TPanel(Form.get());
    Panel->SetName("Panel1");
    Panel->SetParent(Form.get());
    Panel->SetBounds(10, 20, 200, 100);
    Button = new TButton(Form.get());
    Button->SetName("Button1");
    Button->SetParent(Panel);
    Button->SetCaption("Go");
    Label = new TLabel(Form.get());
    Label->SetName("Label1");
    Label->SetParent(Form.get());
    Label->SetFocusControl(Button);
  }
  ~ComponentClipboardTest() override { Clipboard().Clear(); }

  IPtr<IDesignerSelections> Selection(std::initializer_list<TPersistent*> Items) {
    IPtr<IDesignerSelections> S = CreateSelectionList();
    for (TPersistent* P : Items) S->Add(P);
    return S;
  }

  TOwned<TForm> Form;
  TOwned<TForm> Target;
  TPanel* Panel;
  TButton* Button;
  TLabel* Label;
};

}  // namespace

TEST(ComponentClipboard, TheFormatsAreRegisteredByName) {
  EXPECT_EQ(GetClipboardFormatName(CF_COMPONENTS), "Pellam Components");
  EXPECT_EQ(GetClipboardFormatName(CF_COMPONENT), "Pellam Component");
  EXPECT_NE(CF_COMPONENTS, CF_COMPONENT);
  EXPECT_EQ(RegisterClipboardFormat("pellam components"), CF_COMPONENTS);
}

TEST(ComponentClipboard, PossibleStreamLooksAtTheFirstWord) {
  for (const char* Text : {"object Button1: TButton\nend", "INLINE Frame1: TFrame1\nend",
                           " \t\r\n  Object Button1: TButton", "objectX"})
    EXPECT_TRUE(PossibleStream(Text)) << Text;
  for (const char* Text :
       {"inherited Button1: TButton\nend", "object", "inline", "", "      objec", "x object Button1: TButton",
        "\fobject Button1: TButton"})  // only tab, line breaks and blank are skipped
    EXPECT_FALSE(PossibleStream(Text)) << Text;
}

TEST_F(ComponentClipboardTest, CopyPutsTheBinaryStreamAndItsTextSkippingWhatIsNoComponent) {
  CopyComponents(Form.get(), Selection({Panel, Button->Font(), Label}));
  EXPECT_TRUE(Clipboard().HasFormat(CF_COMPONENTS));
  EXPECT_TRUE(ClipboardComponents());
  const String Text = Clipboard().AsText();
  EXPECT_THAT(Text, AllOf(StartsWith("object Panel1: TPanel"),
                          HasSubstr("object Button1: TButton"),  // children go with their parent
                          HasSubstr("object Label1: TLabel"), HasSubstr("FocusControl = Button1"),
                          Not(HasSubstr("TFont"))));
  // The text block ends with one 0 byte.
  const std::vector<uint8_t> Raw = Clipboard().GetData(CF_TEXT);
  ASSERT_FALSE(Raw.empty());
  EXPECT_EQ(Raw.back(), 0);
  EXPECT_EQ(Raw.size(), Text.size() + 1);
}

TEST_F(ComponentClipboardTest, ABinaryRoundTripRecreatesTheComponents) {
  CopyComponents(Form.get(), Selection({Panel, Label}));
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  PasteComponents(Target.get(), Target.get(), Pasted);
  ASSERT_EQ(Pasted->GetCount(), 2);
  auto* NewPanel = dynamic_cast<TPanel*>(Pasted->Get(0));
  auto* NewLabel = dynamic_cast<TLabel*>(Pasted->Get(1));
  ASSERT_NE(NewPanel, nullptr);
  ASSERT_NE(NewLabel, nullptr);
  EXPECT_EQ(NewPanel->Name(), "Panel1");
  EXPECT_EQ(NewPanel->Parent(), Target.get());
  EXPECT_EQ(NewPanel->BoundsRect(), Panel->BoundsRect());
  auto* NewButton = dynamic_cast<TButton*>(Target->FindComponent("Button1"));
  ASSERT_NE(NewButton, nullptr);
  EXPECT_EQ(NewButton->Parent(), NewPanel);
  EXPECT_EQ(NewButton->Caption(), "Go");
  EXPECT_EQ(NewLabel->FocusControl(), NewButton);
  EXPECT_EQ(Form->ComponentCount(), 3);  // the source is untouched
}

TEST_F(ComponentClipboardTest, PastingIntoTheSameOwnerRenamesAndReferencesFollow) {
  CopyComponents(Form.get(), Selection({Panel, Label}));
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  PasteComponents(Form.get(), Form.get(), Pasted);
  ASSERT_EQ(Pasted->GetCount(), 2);
  EXPECT_EQ(static_cast<TComponent*>(Pasted->Get(0))->Name(), "Panel2");
  EXPECT_EQ(static_cast<TComponent*>(Pasted->Get(1))->Name(), "Label2");
  auto* Button2 = dynamic_cast<TButton*>(Form->FindComponent("Button2"));
  ASSERT_NE(Button2, nullptr);
  EXPECT_EQ(static_cast<TLabel*>(Pasted->Get(1))->FocusControl(), Button2);
  EXPECT_EQ(Label->FocusControl(), Button);
  // A third paste takes the next free numbers.
  PasteComponents(Form.get(), Form.get(), CreateSelectionList());
  EXPECT_NE(Form->FindComponent("Panel3"), nullptr);
  EXPECT_NE(Form->FindComponent("Button3"), nullptr);
}

TEST_F(ComponentClipboardTest, TextFromElsewhereIsReadBack) {
  Clipboard().SetAsText(
      "  \r\n\tobject Edit1: TEdit\r\n  Left = 5\r\n  Text = 'hello'\r\nend\r\n"
      "object Button7: TButton\r\n  Caption = 'OK'\r\nend\r\nnotes that follow the components\r\n");
  EXPECT_TRUE(ClipboardComponents());
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  PasteComponents(Target.get(), Target.get(), Pasted);
  ASSERT_EQ(Pasted->GetCount(), 2);
  auto* Edit = dynamic_cast<TEdit*>(Pasted->Get(0));
  ASSERT_NE(Edit, nullptr);
  EXPECT_EQ(Edit->Left(), 5);
  EXPECT_EQ(Edit->Text(), "hello");
  EXPECT_EQ(static_cast<TButton*>(Pasted->Get(1))->Caption(), "OK");
}

TEST_F(ComponentClipboardTest, ATextRoundTripGivesTheSameStream) {
  CopyComponents(Form.get(), Selection({Panel, Label}));
  const std::vector<uint8_t> Binary = Clipboard().GetData(CF_COMPONENTS);
  const String Text = Clipboard().AsText();
  Clipboard().SetAsText(Text);  // only the text is left
  ASSERT_FALSE(Clipboard().HasFormat(CF_COMPONENTS));
  TOwned<TMemoryStream> Back = GetClipboardStream();
  EXPECT_EQ(Back->Position(), 0);
  EXPECT_EQ(Back->Bytes(), Binary);
}

TEST_F(ComponentClipboardTest, TextThatIsNoComponentGivesAnEmptyListAndBadComponentTextIsRefused) {
  Clipboard().SetAsText("inherited Button1: TButton\nend\n");
  EXPECT_FALSE(ClipboardComponents());
  TOwned<TMemoryStream> S = GetClipboardStream();
  EXPECT_EQ(S->Bytes(), std::vector<uint8_t>{0});
  IPtr<IDesignerSelections> Pasted = CreateSelectionList();
  PasteComponents(Target.get(), Target.get(), Pasted);
  EXPECT_EQ(Pasted->GetCount(), 0);
  EXPECT_EQ(Target->ComponentCount(), 0);
  Clipboard().Clear();
  EXPECT_FALSE(ClipboardComponents());
  // Bad component text is refused, whichever component it is in, and nothing is pasted.
  for (const String Bad : {"object Edit1: TEdit\n  Left = \nend\n",
                           "object Edit1: TEdit\nend\nobject Edit2: TEdit\n  Left = \nend\n"}) {
    Clipboard().SetAsText(Bad);
    EXPECT_THROW(PasteComponents(Target.get(), Target.get(), CreateSelectionList()), EParserError);
    EXPECT_EQ(Target->ComponentCount(), 0);
    EXPECT_EQ(Clipboard().AsText(), Bad);
  }
}

TEST_F(ComponentClipboardTest, AStreamThatCannotBeConvertedLeavesTheClipboardAlone) {
  // Garbage, and a good component followed by one cut short.
  TMemoryStream Good;
  {
    TWriter Writer(&Good, 1024);
    Writer.SetRoot(Form.get());
    Writer.WriteSignature();
    Writer.WriteComponent(Label);
    Writer.WriteSignature();
    Writer.WriteComponent(Panel);
  }
  const String Cut(reinterpret_cast<const char*>(Good.Memory()), static_cast<size_t>(Good.Size() - 3));
  for (const String& Bytes : {String("garbage!"), Cut}) {
    Clipboard().SetAsText("keep me");
    TMemoryStream Bad;
    Bad.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
    Bad.SetPosition(3);
    EXPECT_THROW(CopyStreamToClipboard(&Bad), Exception);
    EXPECT_EQ(Bad.Position(), 3);
    EXPECT_EQ(Clipboard().AsText(), "keep me");
    EXPECT_FALSE(Clipboard().HasFormat(CF_COMPONENTS));
  }
}

TEST_F(ComponentClipboardTest, LeadingBoundsAndTrailingHandlerTextsStayOutOfTheText) {
  TMemoryStream Stream;
  {
    TWriter Writer(&Stream, 1024);
    Writer.SetRoot(Form.get());
    for (int Value : {10, 20, 300, 40000}) Writer.WriteInteger(Value);  // 8, 16 and 32 bits
    Writer.WriteSignature();
    Writer.WriteComponent(Label);
    Writer.WriteListEnd();
    const String Handler = "procedure TForm1.Label1Click(Sender: TObject);";
    Writer.Write(Handler.data(), static_cast<int64_t>(Handler.size()));
    Writer.WriteListEnd();
  }
  CopyStreamToClipboard(&Stream);
  EXPECT_EQ(Clipboard().GetData(CF_COMPONENTS), Stream.Bytes());
  EXPECT_THAT(Clipboard().AsText(), AllOf(StartsWith("object Label1: TLabel"), Not(HasSubstr("procedure"))));
}
