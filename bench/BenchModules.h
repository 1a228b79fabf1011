// The designed modules the benches open, edit and save, and what the runtime alone does with
// their streams (the yardstick of every ratio).
//
// A module is a form of n panels, each holding 6 labels, 6 edits and 7 buttons (20 components
// a panel): every label refers to the edit beside it (a forward reference resolved by the
// fix-ups), every other button has a handler of its own and every third edit shares one. The
// 10,000-component module has 500 panels, the 50,000-component one 2,500.
#pragma once

#include <ctime>
#include <unordered_map>
#include <vector>

#include "platform/orx/Orx.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

namespace formwright::bench {

constexpr int ComponentsPerPanel = 20;
constexpr int LabelsPerPanel = 6;
constexpr int ButtonsPerPanel = 7;

// The CPU time of the calling thread: the machine is shared, and waiting for a core would
// otherwise count against whichever side happened to wait.
inline double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

// The form file of a module of `Panels` panels in text form; `Handlers` receives the handler
// names its components use.
inline String ModuleText(int Panels, std::vector<String>& Handlers) {
  String T =
      "object Form1: TForm1\n  Left = 0\n  Top = 0\n  Width = 1200\n  Height = 900\n"
      "  Caption = 'Large module'\n";
  Handlers.push_back("EditChange");
  int Label = 0, Edit = 0, Button = 0;
  for (int P = 1; P <= Panels; ++P) {
    T += Format(
        "  object Panel%d: TPanel\n    Left = %d\n    Top = %d\n    Width = 300\n"
        "    Height = 220\n    Caption = 'Panel %d'\n",
        P, (P % 4) * 300, (P / 4) * 220, P);
    for (int K = 0; K < LabelsPerPanel; ++K) {
      ++Label;
      ++Edit;
      T += Format(
          "    object Label%d: TLabel\n      Left = 8\n      Top = %d\n      Caption = 'Label %d'\n"
          "      FocusControl = Edit%d\n    end\n",
          Label, 8 + K * 24, Label, Edit);
      T += Format(
          "    object Edit%d: TEdit\n      Left = 80\n      Top = %d\n      Width = 120\n"
          "      Text = 'Edit %d'\n",
          Edit, 8 + K * 24, Edit);
      if (Edit % 3 == 0) T += "      OnChange = EditChange\n";
      T += "    end\n";
    }
    for (int K = 0; K < ButtonsPerPanel; ++K) {
      ++Button;
      T += Format(
          "    object Button%d: TButton\n      Left = %d\n      Top = 160\n      Width = 36\n"
          "      Height = 25\n      Caption = 'Button %d'\n",
          Button, 8 + K * 40, Button);
      if (Button % 2 == 0) {
        Handlers.push_back(Format("Button%dClick", Button));
        T += Format("      OnClick = Button%dClick\n", Button);
      }
      T += "    end\n";
    }
    T += "  end\n";
  }
  return T + "end\n";
}

// The unit beside the form file: the class with a field per component and the handlers.
inline String UnitText(const String& Module, const std::vector<String>& Handlers) {
  String T = "unit Main;\n\ninterface\n\ntype\n  TForm1 = class(TForm)\n";
  for (size_t At = Module.find("  object "); At != String::npos; At = Module.find("  object ", At + 1)) {
    const size_t NameStart = At + 9;
    const size_t End = Module.find('\n', NameStart);
    T += "    " + Module.substr(NameStart, End - NameStart) + ";\n";
  }
  for (const String& H : Handlers) T += "    procedure " + H + "(Sender: TObject);\n";
  T += "  end;\n\nimplementation\n\n";
  for (const String& H : Handlers) T += "procedure TForm1." + H + "(Sender: TObject);\nbegin\nend;\n\n";
  return T + "end.\n";
}

inline String TextToResource(const String& Text) {
  TStringStream In(Text), Out;
  ObjectTextToResource(&In, &Out);
  return Out.DataString();
}

// A module in both forms: its form file as text and as binary (resource) stream, and its unit;
// Components counts the components the form owns.
struct TModuleStreams {
  int Components = 0;
  std::vector<String> Handlers;  // before the texts: building them fills it
  String Text;
  String Binary;
  String Unit;

  explicit TModuleStreams(int Panels)
      : Components(Panels * ComponentsPerPanel),
        Text(ModuleText(Panels, Handlers)),
        Binary(TextToResource(Text)),
        Unit(UnitText(Text, Handlers)) {}
};

// The plain stream writer's yardstick (StreamsBench.cpp): writes the stream bench's module of
// 10,000 components of one class with the properties of a typical control, as WriteRootComponent
// does, into memory; the module is built on the first call.
void WritePlainModule();
// The same, then converted to text as a text module is saved: the yardstick of a text save.
void WritePlainModuleText();

// The 50,000-component module, built once.
inline const TModuleStreams& Module50k() {
  static const TModuleStreams M(2500);
  return M;
}

// What the runtime alone does with a module's stream: text converted to binary, the resource
// header skipped, the components read into a plain form in the framework's class group, the
// handler names resolved through OnFindMethod to one handle per name (the least a reader of
// such a stream needs).
inline TOwned<orx::TForm> RawRead(const String& Data, bool IsText) {
  TStringStream In(Data);
  TOwned<TMemoryStream> Converted;
  TStream* S = &In;
  if (IsText) {
    Converted.reset(new TMemoryStream);
    ObjectTextToBinary(&In, Converted.get());
    Converted->SetPosition(0);
    S = Converted.get();
  }
  S->ReadResHeader();
  TClassGroupScope Group(orx::TControl::StaticClass());
  TOwned<orx::TForm> Form(new orx::TForm(nullptr));
  std::unordered_map<String, uintptr_t> Handles;
  TReader Reader(S, 4096);
  Reader.OnFindMethod = [&Handles](TReader*, const String& Name, void*& Address, bool& Error) {
    auto [It, Added] = Handles.try_emplace(Name, Handles.size() + 1);
    Address = reinterpret_cast<void*>(It->second);
    Error = false;
  };
  Reader.ReadRootComponent(Form.get());
  return Form;
}

// What the runtime alone writes for a root component: header, components, and for a text
// module the text form. A descendant module is written against its ancestor's root component,
// as saving the module writes it (only what differs from the ancestor).
inline void RawWrite(TComponent* Root, TStream* Out, bool AsText, TComponent* Ancestor = nullptr) {
  TOwned<TMemoryStream> Binary(AsText ? new TMemoryStream : nullptr);
  TStream* Target = AsText ? Binary.get() : Out;
  int64_t Fixup = 0;
  Target->WriteResourceHeader(Root->ClassName(), Fixup);
  {
    TWriter Writer(Target, 4096);
    Writer.WriteDescendent(Root, Ancestor);
  }
  Target->FixupResourceHeader(Fixup);
  if (AsText) {
    Binary->SetPosition(0);
    ObjectResourceToText(Binary.get(), Out);
  }
}

// Gives `Form` the name Form1 and `N` buttons Button1..ButtonN in rows of 20, each 75 x 25 in a
// cell of 80 x 30.
inline void AddButtonRows(orx::TForm* Form, int N) {
  orx::RegisterOrxClasses();
  Form->SetName("Form1");
  for (int I = 0; I < N; ++I) {
    auto* B = new orx::TButton(Form);
    B->SetName("Button" + IntToStr(I + 1));
    B->SetParent(Form);
    B->SetBounds((I % 20) * 80, (I / 20) * 30, 75, 25);
  }
}

}  // namespace formwright::bench
