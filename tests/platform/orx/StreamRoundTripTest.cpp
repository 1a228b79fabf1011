#include "formwright/testing/Forms.h"
#include "formwright/testing/Matchers.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

using namespace formwright;
using namespace formwright::orx;
using namespace formwright::testing;
using ::testing::AllOf;
using ::testing::AnyOf;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// Root's stream; with an ancestor, as its differences to that ancestor.
TOwned<TMemoryStream> Write(TComponent* Root, TComponent* Ancestor = nullptr) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  {
    TOwned<TWriter> W(new TWriter(S.get(), 4096));
    if (Ancestor)
      W->WriteDescendent(Root, Ancestor);
    else
      W->WriteRootComponent(Root);
  }
  S->SetPosition(0);
  return S;
}

TEST(StreamRoundTrip, AFormWithNestedControlsActionsAndMenusReadsBackAsItWasWritten) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  TOwned<TForm> Form(new TForm(nullptr));
  Form->SetName("Form1");
  Form->SetCaption("Round trip");
  Form->SetClientWidth(500);
  Form->SetClientHeight(300);
  auto* Panel = Make<TPanel>(Form.get(), "Panel1", Form.get());
  Panel->SetAlign(alTop);
  Panel->SetHeight(60);
  auto* List = Make<TActionList>(Form.get(), "ActionList1");
  auto* Save = Make<TAction>(Form.get(), "SaveAction");
  Save->SetActionList(List);
  Save->SetCaption("&Save");
  auto* Button = Make<TButton>(Form.get(), "Button1", Panel);
  Button->SetBounds(8, 8, 90, 25);
  Button->SetAction(Save);
  Button->Font()->SetStyle({fsBold});
  auto* Memo = Make<TMemo>(Form.get(), "Memo1", Form.get());
  Memo->SetAlign(alClient);
  Memo->Lines()->Add("one");
  Memo->Lines()->Add("two");
  auto* Menu = Make<TMainMenu>(Form.get(), "MainMenu1");
  auto* File = Make<TMenuItem>(Form.get(), "File1");
  Menu->Items()->Add(File);
  File->SetCaption("&File");
  Form->SetMenu(Menu);
  auto* Image = Make<TImage>(Form.get(), "Image1", Form.get());
  Image->Picture()->Bitmap()->SetSize(16, 8);

  TOwned<TMemoryStream> S = Write(Form.get());
  TOwned<TForm> Copy(new TForm(nullptr));
  {
    TOwned<TReader> R(new TReader(S.get(), 4096));
    R->ReadRootComponent(Copy.get());
  }
  EXPECT_EQ(Copy->Caption(), "Round trip");
  EXPECT_EQ(Copy->ClientWidth(), 500);
  auto* P = dynamic_cast<TPanel*>(Copy->FindComponent("Panel1"));
  auto* B = dynamic_cast<TButton*>(Copy->FindComponent("Button1"));
  auto* A = dynamic_cast<TAction*>(Copy->FindComponent("SaveAction"));
  auto* M = dynamic_cast<TMemo*>(Copy->FindComponent("Memo1"));
  ASSERT_TRUE(P && B && A && M);
  EXPECT_EQ(B->Parent(), P);
  EXPECT_EQ(B->BoundsRect(), Bounds(8, 8, 90, 25));
  EXPECT_EQ(B->Action(), A);
  EXPECT_EQ(B->Caption(), "&Save");
  EXPECT_TRUE(B->Font()->Style().Contains(fsBold));
  EXPECT_EQ(A->ActionList(), Copy->FindComponent("ActionList1"));
  EXPECT_EQ(P->BoundsRect(), Rect(0, 0, 500, 60));
  EXPECT_EQ(Copy->ClientHeight(), 280);  // the menu bar takes 20 of the 300
  EXPECT_EQ(M->BoundsRect(), Rect(0, 60, 500, 280));
  EXPECT_EQ(M->Lines()->Count(), 2);
  ASSERT_NE(Copy->Menu(), nullptr);
  ASSERT_EQ(Copy->Menu()->Items()->Count(), 1);
  EXPECT_EQ(Copy->Menu()->Items()->Items(0)->Caption(), "&File");
  auto* I = dynamic_cast<TImage*>(Copy->FindComponent("Image1"));
  ASSERT_NE(I, nullptr);
  EXPECT_EQ(I->Picture()->Width(), 16);
  EXPECT_EQ(ChildNames(Copy.get(), Copy.get()), ChildNames(Form.get(), Form.get()));
}

TEST(StreamRoundTrip, DataModulesKeepTheirDesignSizeAndOffset) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  TOwned<TDataModule> Module(new TDataModule(nullptr));
  Module->SetName("DataModule1");
  Module->SetDesignSize({300, 200});
  Module->SetDesignOffset({5, 7});
  Make<TActionList>(Module.get(), "ActionList1")->SetDesignInfo((20 << 16) | 10);
  TOwned<TMemoryStream> S = Write(Module.get());
  TOwned<TDataModule> Copy(new TDataModule(nullptr));
  {
    TOwned<TReader> R(new TReader(S.get(), 4096));
    R->ReadRootComponent(Copy.get());
  }
  EXPECT_EQ(Copy->DesignSize(), (TPoint{300, 200}));
  EXPECT_EQ(Copy->DesignOffset(), (TPoint{5, 7}));
  ASSERT_NE(Copy->FindComponent("ActionList1"), nullptr);
  EXPECT_EQ(Copy->FindComponent("ActionList1")->DesignInfo(), (20 << 16) | 10);
}

// Reads a form from its text form, then gives the writer's text of it.
String ReadTextWriteText(TForm* Form, const String& Text, TComponent* Ancestor = nullptr) {
  TStringStream In(Text);
  TMemoryStream Binary;
  ObjectTextToBinary(&In, &Binary);
  Binary.SetPosition(0);
  {
    TOwned<TReader> R(new TReader(&Binary, 4096));
    R->ReadRootComponent(Form);
  }
  TOwned<TMemoryStream> Out = Write(Form, Ancestor);
  TStringStream OutText;
  ObjectBinaryToText(Out.get(), &OutText);
  return OutText.DataString();
}

// Values people write by name read as their numbers, and the writer gives them back by name;
// a number with a name is written by its name, one without stays a number.
TEST(StreamRoundTrip, IntegerValuesWithIdentifiersReadAndWriteByName) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  struct TCase {
    const char* Line;
    const char* Written;
  };
  const TCase Cases[] = {
      {"Color = clFace", "Color = clFace"},    {"Color = clwindow", "Color = clWindow"},
      {"Color = -16777201", "Color = clFace"}, {"Color = 1193046", "Color = 1193046"},
      {"Cursor = crHand", "Cursor = crHand"},  {"Font.Charset = chGreek", "Font.Charset = chGreek"},
  };
  for (const TCase& C : Cases) {
    TOwned<TForm> Form(new TForm(nullptr));
    const String Text = ReadTextWriteText(Form.get(), String("object Form1: TForm\n  ") + C.Line + "\nend\n");
    EXPECT_THAT(Text, HasSubstr(C.Written)) << C.Line;
  }
  TOwned<TForm> Form(new TForm(nullptr));
  EXPECT_THAT(ReadTextWriteText(Form.get(),
                                "object Form1: TForm\n  object B: TButton\n    ModalResult = mrCancel\n"
                                "  end\nend\n"),
              HasSubstr("ModalResult = mrCancel"));
}

// Nested objects at and off their defaults, a collection, handlers, references and strings of
// every form, over many components: what the writer gives back reads and writes back byte for
// byte, and says exactly what differs from the defaults.
TEST(StreamRoundTrip, ControlsWithNestedObjectsWriteBackByteForByte) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  String Text = "object Form1: TForm\n  Caption = 'Nested'\n";
  // Enough components that the text's binary form fills the converter's buffer several times
  // over, so that values meet its end at every offset.
  for (int I = 1; I <= 400; ++I) {
    Text += Format("  object Panel%d: TPanel\n    Margins.Left = %d\n    Padding.Top = 2\n", I, I % 7);
    Text += Format("    object Button%d: TButton\n      Caption = 'Button number %d'\n", I, I);
    if (I % 3 == 0) Text += "      Font.Style = [fsBold]\n      ParentFont = False\n";
    if (I % 5 == 0) Text += "      Constraints.MaxWidth = 300\n      Hint = 'Caf\u00e9 #' + #9 + 'tab'\n";
    if (I % 11 == 0) Text += "      Caption = '" + String(300, 'x') + "'\n";
    Text += "    end\n";
    Text += Format("    object Label%d: TLabel\n      FocusControl = Button%d\n      Left = %d\n    end\n", I,
                   I, I * 300);
    Text += "  end\n";
  }
  Text +=
      "  object Status: TStatusBand\n    Sections = <\n      item\n        Text = 'One'\n      end\n"
      "      item\n        Width = 80\n        Bevel = bvRaised\n      end>\n  end\nend\n";
  TOwned<TForm> First(new TForm(nullptr)), Second(new TForm(nullptr));
  const String Written = ReadTextWriteText(First.get(), Text);
  EXPECT_EQ(ReadTextWriteText(Second.get(), Written), Written);
  EXPECT_THAT(Written,
              AllOf(HasSubstr("    Margins.Left = 6\n"), HasSubstr("    Padding.Top = 2\n"),
                    HasSubstr("      Constraints.MaxWidth = 300\n"), HasSubstr("Font.Style = [fsBold]"),
                    HasSubstr("'Caf\u00e9 #'#9'tab'"), HasSubstr("FocusControl = Button400"),
                    HasSubstr("Left = 120000"), HasSubstr("Bevel = bvRaised\n        Width = 80")));
  // Values at their defaults are not written: a left margin of 3, the other margin and padding
  // sides, the constraints of plain buttons.
  EXPECT_THAT(Written, HasSubstr("Margins.Left = 0"));
  EXPECT_THAT(Written, Not(AnyOf(HasSubstr("Margins.Left = 3"), HasSubstr("Padding.Left"),
                                 HasSubstr("Margins.Top"), HasSubstr("MinWidth"))));
}

// A control makes its margins, padding and constraints only when they are asked for, and the
// writer does not ask for them: a descendant still writes a value it put back to its default
// against an ancestor that changed it, and one it changed against an ancestor at the default.
TEST(StreamRoundTrip, NestedObjectsMadeOnFirstUseWriteTheirDifferencesToTheAncestor) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  const String Text =
      "object Form1: TForm\n  object Panel1: TPanel\n    Margins.Left = 5\n    Constraints.MinWidth = 9\n"
      "  end\n  object Panel2: TPanel\n  end\nend\n";
  TOwned<TForm> Ancestor(new TForm(nullptr)), Descendant(new TForm(nullptr));
  ReadTextWriteText(Ancestor.get(), Text);
  auto* Plain = dynamic_cast<TPanel*>(Ancestor->FindComponent("Panel2"));
  ASSERT_NE(Plain, nullptr);
  EXPECT_FALSE(Plain->IsMarginsStored() || Plain->IsPaddingStored() || Plain->IsConstraintsStored());

  ReadTextWriteText(Descendant.get(), Text);
  dynamic_cast<TPanel*>(Descendant->FindComponent("Panel1"))->Margins()->SetLeft(TMargins::DefaultWidth);
  dynamic_cast<TPanel*>(Descendant->FindComponent("Panel1"))->Constraints()->SetMinWidth(0);
  dynamic_cast<TPanel*>(Descendant->FindComponent("Panel2"))->Padding()->SetTop(4);
  TOwned<TMemoryStream> Out = Write(Descendant.get(), Ancestor.get());
  TStringStream OutText;
  ObjectBinaryToText(Out.get(), &OutText);
  EXPECT_THAT(OutText.DataString(),
              AllOf(HasSubstr("    Margins.Left = 3\n"), HasSubstr("    Constraints.MinWidth = 0\n"),
                    HasSubstr("    Padding.Top = 4\n")));
}

// Values written by name (identifiers, sets, enumerations) that change from one component to
// the next, or come back after others, are each written as their own.
TEST(StreamRoundTrip, ValuesWrittenByNameStayTheirOwnFromOneComponentToTheNext) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  const TColor Colors[] = {clRed, clRed, clWindow, TColor(1193046), clRed};
  const TCursor Cursors[] = {crHand, crArrow, crHand};
  const TFontStyles Styles[] = {{fsBold}, {fsBold, fsItalic}, {}};
  const TAlign Aligns[] = {alTop, alNone, alLeft, alLeft};
  TOwned<TForm> Form(new TForm(nullptr));
  Form->SetName("Form1");
  for (int I = 0; I < 60; ++I) {
    auto* B = Make<TPanel>(Form.get(), ("Panel" + IntToStr(I)).c_str(), Form.get());
    B->SetColor(Colors[I % 5]);
    B->SetCursor(Cursors[I % 3]);
    B->Font()->SetStyle(Styles[I % 3]);
    B->SetAlign(Aligns[I % 4]);
  }
  TOwned<TMemoryStream> S = Write(Form.get());
  TOwned<TForm> Copy(new TForm(nullptr));
  {
    TOwned<TReader> R(new TReader(S.get(), 4096));
    R->ReadRootComponent(Copy.get());
  }
  for (int I = 0; I < 60; ++I) {
    auto* B = As<TPanel>(Copy->FindComponent("Panel" + IntToStr(I)));
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(B->Color(), Colors[I % 5]) << I;
    EXPECT_EQ(B->Cursor(), Cursors[I % 3]) << I;
    EXPECT_EQ(B->Font()->Style(), Styles[I % 3]) << I;
    EXPECT_EQ(B->Align(), Aligns[I % 4]) << I;
  }
  EXPECT_EQ(Write(Copy.get())->Bytes(), S->Bytes());
}

TEST(StreamRoundTrip, AnUnknownIdentifierForAnIntegerValueIsRefused) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  for (const char* Line : {"Color = clFacee", "Cursor = clFace", "Width = clFace"}) {
    TOwned<TForm> Form(new TForm(nullptr));
    EXPECT_THAT([&] { ReadTextWriteText(Form.get(), String("object Form1: TForm\n  ") + Line + "\nend\n"); },
                Raises<EReadError>(HasSubstr(Line[0] == 'W' ? "Integer expected" : "Invalid property value")))
        << Line;
  }
}

// A form that scrolls automatically works its ranges out from its controls whenever it is read or
// laid out: writing them would make a control placed below the client area change the stream
// the next time the form is read. A range set on a form that does not is kept.
TEST(StreamRoundTrip, ScrollRangesAreWrittenOnlyWhenTheFormDoesNotWorkThemOut) {
  RegisterOrxClasses();
  TClassGroupScope Scope(TControl::StaticClass());
  TOwned<TForm> Form(new TForm(nullptr));
  Form->SetName("Form1");
  Make<TButton>(Form.get(), "Button1", Form.get(), Bounds(8, 400, 75, 25));
  auto Text = [](TComponent* Root) {
    TStringStream T;
    ObjectBinaryToText(Write(Root).get(), &T);
    return T.DataString();
  };
  const String Placed = Text(Form.get());
  EXPECT_THAT(Placed, Not(HasSubstr("Range")));
  TOwned<TForm> Again(new TForm(nullptr));
  EXPECT_EQ(ReadTextWriteText(Again.get(), Placed), Placed);
  Form->SetAutoScroll(false);
  Form->VertScrollBar()->SetRange(600);
  TOwned<TForm> Fixed(new TForm(nullptr));
  EXPECT_THAT(ReadTextWriteText(Fixed.get(), Text(Form.get())), HasSubstr("VertScrollBar.Range = 600"));
}

}  // namespace
