// The reader's hooks, error recovery, cleanup after failures, references across modules and
// global loading.
#include <gtest/gtest.h>

#include <tuple>

#include "formwright/testing/Matchers.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"
#include "tests/support/ModuleFixture.h"
#include "tests/support/Samples.h"
#include "tests/support/TestClasses.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

class ReaderHooks : public TestModuleFixture {
 protected:
  // Reads the text form `Text` into Form with the hooks set up by `Prepare`.
  void ReadText(const String& Text, const std::function<void(TReader&)>& Prepare = nullptr) {
    const auto Binary = TStreamSamples::TextToBinary(TStreamSamples::AsBytes(Text));
    auto S = TStreamSamples::StreamOf(Binary);
    TReader R(S.get(), 1024);
    if (Prepare) Prepare(R);
    R.ReadRootComponent(Form.get());
  }
  String ErrorOf(const String& Text, const std::function<void(TReader&)>& Prepare = nullptr) {
    return MessageOf<EReadError>([&] { ReadText(Text, Prepare); });
  }
  TTestWidget* Widget(const char* Name) const {
    return dynamic_cast<TTestWidget*>(Form->FindComponent(Name));
  }
};

const String GoodText = Sample("ReaderHooks.fwf");

String Replace(String S, const String& From, const String& To) { return StringReplaceAll(S, From, To); }

TEST_F(ReaderHooks, ForwardReferencesResolveAndNamesIgnoreCase) {
  ReadText(Replace(GoodText, "Buddy = Widget2", "Buddy = WIDGET2"));
  ASSERT_NE(Widget("Widget1"), nullptr);
  EXPECT_EQ(Widget("Widget1")->Buddy(), Widget("Widget2"));
  EXPECT_EQ(PendingFixupCount(), 0);
}

TEST_F(ReaderHooks, ARefusedComponentNamesItselfAndLeavesNothingBehind) {
  const std::tuple<const char*, const char*, const char*> Cases[] = {
      {"    Width = 7\n", "    Bogus = 7\n", "Error reading Widget2.Bogus: Property Bogus does not exist"},
      {"    Width = 7\n", "    Bogus.Width = 7\n",
       "Error reading Widget2.Bogus.Width: Property Bogus.Width does not exist"},
      {"    Width = 7\n", "    Width.Bogus = 7\n",
       "Error reading Widget2.Width.Bogus: Property Width.Bogus does not exist"},
      {"object Widget1: TTestWidget", "object Widget1: TNoSuchClass",
       "Error reading Widget1: Class TNoSuchClass not found"},
      {"object Widget2", "object Widget1", "Error reading Widget1: A component named Widget1 already exists"},
      {"    Width = 7\n", "    Width = 7\n    OnClick = widgetclick\n    OnKey = NewHandler\n",
       "Error reading Widget2.OnKey: Method NewHandler not found"},
      {"object Widget2", "inherited Widget2", "Error reading Widget2: Ancestor for 'Widget2' not found"},
  };
  for (const auto& [From, To, Message] : Cases) {
    SCOPED_TRACE(To);
    Form.reset(new TTestModule(nullptr));
    EXPECT_EQ(ErrorOf(Replace(GoodText, From, To)), Message);
    EXPECT_EQ(Form->ComponentCount(), 1);  // only the module's own sub-component
    EXPECT_EQ(PendingFixupCount(), 0);
    EXPECT_FALSE(Form->ComponentState().Contains(csLoading));
    EXPECT_EQ(Form->Name(), "");
  }
}

TEST_F(ReaderHooks, HandledPropertyErrorSkipsOnlyThatValue) {
  std::vector<String> Messages;
  ReadText(Replace(GoodText, "    Width = 7\n",
                   "    Width = 'text'\n    Shapes = [tsNone]\n    Small = 300\n    Tag = 5\n"),
           [&](TReader& R) {
             R.OnError = [&](TReader*, const String& M, bool& Handled) {
               Messages.push_back(M);
               Handled = true;
             };
           });
  ASSERT_EQ(Messages.size(), 3u);
  EXPECT_EQ(Messages[0].rfind("Error reading Widget2.Width: Unexpected value at offset ", 0), 0u);
  EXPECT_TRUE(EndsText(": Integer expected", Messages[0])) << Messages[0];
  EXPECT_EQ(Messages[1].rfind("Error reading Widget2.Shapes: ", 0), 0u);
  EXPECT_EQ(Messages[2], "Error reading Widget2.Small: Value must be between 0 and 255");
  ASSERT_NE(Widget("Widget2"), nullptr);
  EXPECT_EQ(Widget("Widget2")->Tag(), 5);
  EXPECT_EQ(Widget("Widget1")->Buddy(), Widget("Widget2"));
}

TEST_F(ReaderHooks, AHandledUnknownClassIsSkippedWithItsChildren) {
  const String Text = Replace(GoodText, "object Widget1: TTestWidget", "object Widget1: TNoSuchClass");
  int Errors = 0;
  ReadText(Text, [&](TReader& R) {
    R.OnError = [&](TReader*, const String&, bool& Handled) {
      ++Errors;
      Handled = true;
    };
  });
  EXPECT_EQ(Errors, 1);
  EXPECT_EQ(Widget("Widget1"), nullptr);
  ASSERT_NE(Widget("Widget2"), nullptr);
  EXPECT_EQ(Widget("Widget2")->FWidth, 7);
}

TEST_F(ReaderHooks, FindComponentClassAndCreateComponentHooks) {
  std::vector<String> Asked;
  int Created = 0;
  ReadText(Replace(GoodText, "TTestWidget\n    Caption", "TOldWidget\n    Caption"), [&](TReader& R) {
    R.OnFindComponentClass = [&](TReader*, const String& Name, TClass& C) {
      Asked.push_back(Name);
      if (Name == "TOldWidget") C = TTestWidget::StaticClass();
    };
    R.OnCreateComponent = [&](TReader* Reader, TClass C, TComponent*& Component) {
      ++Created;
      Component = static_cast<TComponent*>(C->Create<TComponent*>(Reader->Owner()));
    };
  });
  EXPECT_EQ(Asked, std::vector<String>{"TOldWidget"});
  EXPECT_EQ(Created, 2);
  EXPECT_EQ(Widget("Widget1")->Caption(), "first");
}

TEST_F(ReaderHooks, SetNameAndReferenceNameHooksRename) {
  ReadText(GoodText, [](TReader& R) {
    R.OnSetName = [](TReader*, TComponent*, String& Name) {
      if (Name == "Widget2") Name = "Widget3";
    };
    R.OnReferenceName = [](TReader*, String& Name) {
      if (Name == "Widget2") Name = "Widget3";
    };
  });
  EXPECT_EQ(Widget("Widget2"), nullptr);
  ASSERT_NE(Widget("Widget3"), nullptr);
  EXPECT_EQ(Widget("Widget1")->Buddy(), Widget("Widget3"));
}

TEST_F(ReaderHooks, HandlersAreFoundByNameIgnoringCaseOrByTheHook) {
  const String Text = Replace(GoodText, "    Width = 7\n",
                              "    Width = 7\n    OnClick = widgetclick\n    OnKey = NewHandler\n");
  void* const Handle = reinterpret_cast<void*>(uintptr_t(17));
  ReadText(Text, [&](TReader& R) {
    R.OnFindMethod = [&](TReader*, const String& Name, void*& Address, bool& Error) {
      if (Name == "NewHandler" && Error) {
        Address = Handle;
        Error = false;
      }
    };
  });
  EXPECT_EQ(Widget("Widget2")->FOnClick.Method().Code, Form->MethodAddress("WidgetClick"));
  EXPECT_EQ(Widget("Widget2")->FOnKey.Method().Code, Handle);
  EXPECT_EQ(Widget("Widget2")->FOnKey.Method().Data, Form.get());
}

TEST_F(ReaderHooks, TheAncestorHookSuppliesAMissingInheritedComponent) {
  const String Text = Replace(GoodText, "object Widget2", "inherited Widget2");
  TClass AskedClass = nullptr;
  ReadText(Text, [&](TReader& R) {
    R.OnAncestorNotFound = [&](TReader* Reader, const String& Name, TClass C, TComponent*& Component) {
      AskedClass = C;
      auto* W = new TTestWidget(Reader->Owner());
      W->SetName(Name);
      Component = W;
    };
  });
  EXPECT_EQ(AskedClass, TTestWidget::StaticClass());
  EXPECT_EQ(Widget("Widget2")->FWidth, 7);
}

TEST_F(ReaderHooks, AComponentListedTwiceIsLoadedOnce) {
  // Found components (inherited ones) and created ones alternate in the stream; each is loaded
  // once however often the stream names it.
  auto* Found = new TTestControl(Form.get());
  Found->SetName("Button1");
  ReadText(
      "object Form1: TTestModule\n  inherited Button1: TTestControl\n  end\n"
      "  object Button2: TTestControl\n  end\n  object Button3: TTestControl\n  end\n"
      "  inherited Button1: TTestControl\n  end\n  inherited Button2: TTestControl\n  end\nend\n");
  for (const char* Name : {"Button1", "Button2", "Button3"}) {
    auto* C = dynamic_cast<TTestControl*>(Form->FindComponent(Name));
    ASSERT_NE(C, nullptr) << Name;
    EXPECT_EQ(C->LoadedCalls, 1) << Name;
    EXPECT_FALSE(C->ComponentState().Contains(csLoading)) << Name;
  }
}

TEST_F(ReaderHooks, EveryTruncationFailsCleanly) {
  auto Sample = TStreamSamples::BuildModule();
  const auto Binary = TStreamSamples::Write(Sample.get());
  for (size_t Len = 0; Len < Binary.size(); Len += 7) {
    TOwned<TTestModule> M(new TTestModule(nullptr));
    auto S = TStreamSamples::StreamOf(std::vector<uint8_t>(Binary.begin(), Binary.begin() + Len));
    TReader R(S.get(), 64);
    EXPECT_THROW(R.ReadRootComponent(M.get()), EReadError) << Len;
    EXPECT_EQ(M->ComponentCount(), 1) << Len;
    EXPECT_EQ(PendingFixupCount(), 0) << Len;
    EXPECT_FALSE(M->ComponentState().Contains(csLoading));
  }
}

TEST_F(ReaderHooks, SelectionStreamWithLeadingIntegersAndComponentList) {
  auto Sample = TStreamSamples::BuildModule();
  TOwned<TMemoryStream> S(new TMemoryStream);
  {
    TWriter W(S.get(), 1024);
    W.SetRoot(Sample.get());
    for (int V : {10, 20, 300, 400000}) W.WriteInteger(V);
    for (const char* N : {"Widget1", "Panel1"}) {
      W.WriteSignature();
      W.WriteComponent(Sample->FindComponent(N));
    }
    W.WriteListEnd();
    const String Source = "procedure Handler;";
    W.Write(Source.data(), static_cast<int64_t>(Source.size()));
  }
  S->SetPosition(0);
  TReader R(S.get(), 1024);
  ASSERT_EQ(R.NextValue(), vaInt8);
  int Rect[4];
  for (int& V : Rect) V = R.ReadInteger();
  EXPECT_EQ(Rect[3], 400000);
  std::vector<String> Read;
  R.ReadComponents(Form.get(), Form.get(), [&](TComponent* C) { Read.push_back(C->Name()); });
  EXPECT_EQ(Read, (std::vector<String>{"Widget1", "Panel1"}));
  // Panel1's buttons came along; Widget1's reference to Button1 now points into Form.
  EXPECT_EQ(Widget("Widget1")->Buddy(), Form->FindComponent("Button1"));
  R.FlushBuffer();
  EXPECT_EQ(S->Size() - S->Position(), 18);
}

TEST_F(ReaderHooks, ReferencesAcrossModulesWaitForTheOtherModule) {
  TOwned<TTestModule> Data(new TTestModule(nullptr));
  Data->SetName("DataModule2");
  auto* Table = new TTestDataSet(Data.get());
  Table->SetName("Table1");
  auto Sample = TStreamSamples::BuildModule();
  Sample->SetName("Form7");
  dynamic_cast<TTestWidget*>(Sample->FindComponent("Widget1"))->SetBuddy(Table);
  const auto Binary = TStreamSamples::Write(Sample.get());
  EXPECT_NE(TStreamSamples::AsString(TStreamSamples::BinaryToText(Binary)).find("Buddy = DataModule2.Table1"),
            String::npos);
  Sample.reset();
  {
    TGlobalLoadingScope Loading;
    auto S = TStreamSamples::StreamOf(Binary);
    TReader R(S.get(), 4096);
    R.ReadRootComponent(Form.get());
    auto* Button = dynamic_cast<TTestControl*>(Form->FindComponent("Button1"));
    EXPECT_EQ(Button->LoadedCalls, 0);  // deferred while global loading is active
    EXPECT_TRUE(Button->ComponentState().Contains(csLoading));
    NotifyGlobalLoading();
    EXPECT_EQ(Button->LoadedCalls, 1);
  }
  EXPECT_EQ(Widget("Widget1")->Buddy(), nullptr);
  auto Names = TOwned<TStringList>(new TStringList);
  GetFixupReferenceNames(Form.get(), Names.get());
  EXPECT_EQ(Names->CommaText(), "DataModule2");
  RedirectFixupReferences(Form.get(), "DataModule2", "DataModule3");
  Names->Clear();
  GetFixupReferenceNames(Form.get(), Names.get());
  EXPECT_EQ(Names->CommaText(), "DataModule3");
  Data->SetName("DataModule3");
  const int Finder = RegisterFindGlobalComponentProc(
      [&](const String& Name) -> TComponent* { return SameText(Name, Data->Name()) ? Data.get() : nullptr; });
  GlobalFixupReferences();
  UnregisterFindGlobalComponentProc(Finder);
  EXPECT_EQ(Widget("Widget1")->Buddy(), Table);
  EXPECT_EQ(PendingFixupCount(), 0);
  Form.reset();  // Widget1 refers to Table1 and is freed first
}

TEST_F(ReaderHooks, FreeingAModuleDropsItsPendingReferences) {
  ReadText(Replace(GoodText, "Buddy = Widget2", "Buddy = Elsewhere.Widget2"));
  EXPECT_EQ(PendingFixupCount(), 1);
  RemoveFixupReferences(Form.get(), "Other");
  EXPECT_EQ(PendingFixupCount(), 1);
  Form.reset();
  EXPECT_EQ(PendingFixupCount(), 0);
}

TEST_F(ReaderHooks, BadTextNamesTheLineAndColumn) {
  for (auto [Text, Message] :
       {std::pair<const char*, const char*>{"object A: TTestModule\n  Caption = 'open\nend",
                                            "Invalid string constant on line 2, column 13"},
        {"object A: TTestModule\n  Width 5\nend", "'=' expected on line 2, column 9"},
        {"object A: TTestModule\n\n  Data = {0G}\nend", "Invalid binary value on line 3, column 11"},
        {"thing A: TTestModule\nend", "object expected on line 1, column 1"},
        {"object A: TTestModule\n  X = #55296\nend", "Invalid character code on line 2, column 7"},
        {"object A: TTestModule\n  X = 12ab\nend", "Invalid numeric value on line 2, column 7"},
        {"object A: TTestModule\n  X = 1.23456c\nend", "Invalid numeric value on line 2, column 7"},
        {"object A: TTestModule\n  X = 5", "Identifier expected on line 2, column 8"}}) {
    auto In = TStreamSamples::StreamOf(TStreamSamples::AsBytes(Text));
    TOwned<TMemoryStream> Out(new TMemoryStream);
    EXPECT_THAT([&] { ObjectTextToBinary(In.get(), Out.get()); }, Raises<EParserError>(Message)) << Text;
    EXPECT_EQ(Out->Size(), 0);
    EXPECT_EQ(In->Position(), 0);
  }
}

}  // namespace
