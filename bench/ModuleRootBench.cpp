// Opening and saving a designed module of 10,000 components through the module root, against
// the raw runtime reader and writer on the same stream in the same run.
//
// The module is a form of 500 panels, each holding 6 labels, 6 edits and 7 buttons (10,000
// components); every label refers to the edit beside it (a forward reference resolved by the
// fix-ups), every other button has a handler of its own and every third edit shares one. It
// exists in binary (resource) form and in text form, each with and without its unit beside it.
//
// Open: TReferenceHost::Open over a TMemoryFileSystem (the root's CreateFromStream inside),
// against TReader::ReadRootComponent into a plain TForm with the framework's class group active
// (text is converted to binary first, as the root does). The raw reader resolves handler names
// through OnFindMethod to one handle per name, the least a reader of such a stream needs.
// Save: TComponentRoot::WriteRootStream against TWriter::WriteDescendent of the same root
// component with the same resource header (text modules: converted to text after, as the root
// does). Goals: open at most 1.5 times the raw read, save at most 1.3 times the raw write.
// Counters: the ratio and both absolute times in milliseconds per operation (the open cases also
// show what closing the module and freeing the raw form cost, and "close_vs_open", the close
// over the open through the root, whose goal is at most 1).
#include <benchmark/benchmark.h>

#include <ctime>
#include <unordered_map>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"

using namespace formwright;
using namespace formwright::orx;

namespace {

constexpr int PanelCount = 500;
constexpr int LabelsPerPanel = 6;
constexpr int ButtonsPerPanel = 7;
constexpr int ComponentCount = PanelCount * (1 + 2 * LabelsPerPanel + ButtonsPerPanel);

// The CPU time of the calling thread: the machine is shared, and waiting for a core would
// otherwise count against whichever side happened to wait.
double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

// The form file in text form, with the handler names its components use.
String ModuleText(std::vector<String>& Handlers) {
  String T =
      "object Form1: TForm1\n  Left = 0\n  Top = 0\n  Width = 1200\n  Height = 900\n"
      "  Caption = 'Large module'\n";
  Handlers.push_back("EditChange");
  int Label = 0, Edit = 0, Button = 0;
  for (int P = 1; P <= PanelCount; ++P) {
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
String UnitText(const String& Module, const std::vector<String>& Handlers) {
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

String TextToResource(const String& Text) {
  TStringStream In(Text), Out;
  ObjectTextToResource(&In, &Out);
  return Out.DataString();
}

// The module in both forms, with files in memory: "Bin.fwf" and "Text.fwf" alone, and
// "BinUnit.fwf" and "TextUnit.fwf" with their units.
struct TModuleFiles {
  String Text;
  String Binary;
  std::vector<String> Handlers;
  IPtr<TMemoryFileSystem> Files = MakeIntf<TMemoryFileSystem>();

  TModuleFiles() : Text(ModuleText(Handlers)), Binary(TextToResource(Text)) {
    const String Unit = UnitText(Text, Handlers);
    Files->PutFile("Bin.fwf", Binary);
    Files->PutFile("Text.fwf", Text);
    Files->PutFile("BinUnit.fwf", Binary);
    Files->PutFile("BinUnit.pas", Unit);
    Files->PutFile("TextUnit.fwf", Text);
    Files->PutFile("TextUnit.pas", Unit);
  }
};

const TModuleFiles& Module() {
  static const TModuleFiles M;
  return M;
}

// What the runtime alone does with the stream: text converted to binary, the resource header
// skipped, the components read into a plain form in the framework's class group.
TOwned<TForm> RawRead(const String& Data, bool IsText) {
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
  TClassGroupScope Group(TControl::StaticClass());
  TOwned<TForm> Form(new TForm(nullptr));
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

// What the runtime alone writes for the same root component: header, components, and for a
// text module the text form.
void RawWrite(TComponent* Root, TStream* Out, bool AsText) {
  TOwned<TMemoryStream> Binary(AsText ? new TMemoryStream : nullptr);
  TStream* Target = AsText ? Binary.get() : Out;
  int64_t Fixup = 0;
  Target->WriteResourceHeader(Root->ClassName(), Fixup);
  {
    TWriter Writer(Target, 4096);
    Writer.WriteDescendent(Root, nullptr);
  }
  Target->FixupResourceHeader(Fixup);
  if (AsText) {
    Binary->SetPosition(0);
    ObjectResourceToText(Binary.get(), Out);
  }
}

void ReportRatio(benchmark::State& State, double RootSeconds, double RawSeconds) {
  const double N = static_cast<double>(State.iterations());
  State.counters["ratio"] = RootSeconds / RawSeconds;
  State.counters["root_ms"] = RootSeconds / N * 1000;
  State.counters["raw_ms"] = RawSeconds / N * 1000;
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * ComponentCount);
}

// Opens FileName through the module root and reads the same stream raw, alternately.
void OpenVersusRawRead(benchmark::State& State, const String& FileName, bool IsText) {
  const TModuleFiles& M = Module();
  TReferenceHost Host(M.Files);
  const String& Data = IsText ? M.Text : M.Binary;
  double RootSeconds = 0, RawSeconds = 0, CloseSeconds = 0, FreeSeconds = 0;
  int Iteration = 0;
  for (auto _ : State) {
    // Which side goes first alternates, so that neither always meets the other's leftovers.
    const bool RootFirst = Iteration++ % 2 == 0;
    IPtr<TReferenceRoot> Root;
    TOwned<TForm> Raw;
    for (int Side = 0; Side < 2; ++Side) {
      const double T0 = Now();
      if ((Side == 0) == RootFirst) {
        Root = Host.Open(FileName);
        RootSeconds += Now() - T0;
      } else {
        Raw = RawRead(Data, IsText);
        RawSeconds += Now() - T0;
      }
    }
    State.PauseTiming();
    if (Root->GetRoot()->ComponentCount() != ComponentCount || Raw->ComponentCount() != ComponentCount)
      State.SkipWithError("the module was not read whole");
    // Closing is not part of the goal; its cost is shown beside freeing the raw form.
    const double T3 = Now();
    Host.Close(Root);
    const double T4 = Now();
    Raw.reset();
    CloseSeconds += T4 - T3;
    FreeSeconds += Now() - T4;
    State.ResumeTiming();
  }
  ReportRatio(State, RootSeconds, RawSeconds);
  State.counters["close_ms"] = CloseSeconds / static_cast<double>(State.iterations()) * 1000;
  State.counters["raw_free_ms"] = FreeSeconds / static_cast<double>(State.iterations()) * 1000;
  // Goal: closing costs at most what opening did.
  State.counters["close_vs_open"] = CloseSeconds / RootSeconds;
}

void BM_ModuleRootOpenBinary(benchmark::State& State) { OpenVersusRawRead(State, "Bin.fwf", false); }
void BM_ModuleRootOpenText(benchmark::State& State) { OpenVersusRawRead(State, "Text.fwf", true); }
void BM_ModuleRootOpenBinaryWithUnit(benchmark::State& State) {
  OpenVersusRawRead(State, "BinUnit.fwf", false);
}
void BM_ModuleRootOpenTextWithUnit(benchmark::State& State) {
  OpenVersusRawRead(State, "TextUnit.fwf", true);
}
BENCHMARK(BM_ModuleRootOpenBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleRootOpenText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleRootOpenBinaryWithUnit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModuleRootOpenTextWithUnit)->Unit(benchmark::kMillisecond);

// Saves the open module through the root and writes its root component raw, alternately; the
// two must produce the same bytes.
void SaveVersusRawWrite(benchmark::State& State, const String& FileName, bool IsText) {
  TReferenceHost Host(Module().Files);
  IPtr<TReferenceRoot> Root = Host.Open(FileName);
  {
    TStringStream A, B;
    Root->WriteRootStream(&A);
    RawWrite(Root->GetRoot(), &B, IsText);
    if (A.DataString() != B.DataString()) State.SkipWithError("the root and the raw writer disagree");
  }
  double RootSeconds = 0, RawSeconds = 0;
  int Iteration = 0;
  for (auto _ : State) {
    const bool RootFirst = Iteration++ % 2 == 0;
    for (int Side = 0; Side < 2; ++Side) {
      TStringStream Out;
      const double T0 = Now();
      if ((Side == 0) == RootFirst) {
        Root->WriteRootStream(&Out);
        RootSeconds += Now() - T0;
      } else {
        RawWrite(Root->GetRoot(), &Out, IsText);
        RawSeconds += Now() - T0;
      }
    }
  }
  ReportRatio(State, RootSeconds, RawSeconds);
}

void BM_ModuleRootSaveBinary(benchmark::State& State) { SaveVersusRawWrite(State, "Bin.fwf", false); }
void BM_ModuleRootSaveText(benchmark::State& State) { SaveVersusRawWrite(State, "Text.fwf", true); }
BENCHMARK(BM_ModuleRootSaveBinary)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ModuleRootSaveText)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
