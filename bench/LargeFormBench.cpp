// A form of 2,700 controls, the size at which a designer is expected to stay usable, edited from
// end to end through the module root: it opens (form file and unit), everything on it is
// selected, the selection is moved 8 pixels right and down, the module is saved and closed.
//
// BM_LargeFormSession reports "ratio": that whole session over one raw read of a module of
// 50,000 components (the runtime reader alone, into a plain form, the same kind of stream), both
// measured in the same run. Goal: ratio < 1. The other counters show where the session's time
// goes, in milliseconds.
//
// Both modules are forms of panels, each holding 6 labels, 6 edits and 7 buttons; every label
// refers to the edit beside it and every other button has a handler of its own.
#include <benchmark/benchmark.h>

#include <ctime>
#include <unordered_map>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"
#include "platform/runtime/ObjectText.h"

namespace formwright::bench_large_form {

using namespace orx;

constexpr int PerPanel = 20;          // the panel, 6 labels, 6 edits, 7 buttons
constexpr int LargeFormPanels = 135;  // 2,700 controls
constexpr int ScalePanels = 2500;     // 50,000 components

// The CPU time of the calling thread, so that waiting for a core on a shared machine counts
// against neither side.
double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

// The form file (text) of a form of Panels panels, and the unit beside it.
struct TPanelModule {
  String Text;
  String Unit;
};

TPanelModule PanelModule(int Panels) {
  TPanelModule M;
  String& T = M.Text;
  T = "object Form1: TForm1\n  Left = 0\n  Top = 0\n  Width = 1200\n  Height = 900\n";
  String Fields, Handlers;
  int Label = 0, Edit = 0, Button = 0;
  for (int P = 1; P <= Panels; ++P) {
    T += Format("  object Panel%d: TPanel\n    Left = %d\n    Top = %d\n    Width = 300\n    Height = 220\n",
                P, (P % 4) * 300, (P / 4) * 220);
    Fields += Format("    Panel%d: TPanel;\n", P);
    for (int K = 0; K < 6; ++K) {
      ++Label;
      ++Edit;
      T += Format(
          "    object Label%d: TLabel\n      Left = 8\n      Top = %d\n      Caption = 'Label %d'\n"
          "      FocusControl = Edit%d\n    end\n"
          "    object Edit%d: TEdit\n      Left = 80\n      Top = %d\n      Width = 120\n    end\n",
          Label, 8 + K * 24, Label, Edit, Edit, 8 + K * 24);
      Fields += Format("    Label%d: TLabel;\n    Edit%d: TEdit;\n", Label, Edit);
    }
    for (int K = 0; K < 7; ++K) {
      ++Button;
      T += Format("    object Button%d: TButton\n      Left = %d\n      Top = 160\n      Width = 36\n",
                  Button, 8 + K * 40);
      if (Button % 2 == 0) {
        T += Format("      OnClick = Button%dClick\n", Button);
        Handlers += Format("    procedure Button%dClick(Sender: TObject);\n", Button);
      }
      T += "    end\n";
      Fields += Format("    Button%d: TButton;\n", Button);
    }
    T += "  end\n";
  }
  T += "end\n";
  M.Unit = "unit Large;\n\ninterface\n\ntype\n  TForm1 = class(TForm)\n" + Fields + Handlers +
           "  end;\n\nimplementation\n\n";
  for (int B = 2; B <= Button; B += 2)
    M.Unit += Format("procedure TForm1.Button%dClick(Sender: TObject);\nbegin\nend;\n\n", B);
  M.Unit += "end.\n";
  return M;
}

String TextToResource(const String& Text) {
  TStringStream In(Text), Out;
  ObjectTextToResource(&In, &Out);
  return Out.DataString();
}

// What the runtime alone does with a module's stream: the resource header skipped, the
// components read into a plain form in the framework's class group, handler names resolved to
// one handle per name.
TOwned<TForm> RawRead(const String& Binary) {
  TStringStream In(Binary);
  In.ReadResHeader();
  TClassGroupScope Group(TControl::StaticClass());
  TOwned<TForm> Form(new TForm(nullptr));
  std::unordered_map<String, uintptr_t> Handles;
  TReader Reader(&In, 4096);
  Reader.OnFindMethod = [&Handles](TReader*, const String& Name, void*& Address, bool& Error) {
    auto [It, Added] = Handles.try_emplace(Name, Handles.size() + 1);
    Address = reinterpret_cast<void*>(It->second);
    Error = false;
  };
  Reader.ReadRootComponent(Form.get());
  return Form;
}

// Goal: ratio < 1 (the whole session on 2,700 controls under one raw read of 50,000 components).
void BM_LargeFormSession(benchmark::State& State) {
  const String Scale = TextToResource(PanelModule(ScalePanels).Text);
  const TPanelModule Large = PanelModule(LargeFormPanels);
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Large.fwf", TextToResource(Large.Text));
  Files->PutFile("Large.pas", Large.Unit);
  TReferenceHost Host(Files);
  double Open = 0, SelectAll = 0, Move = 0, Save = 0, Close = 0, Raw = 0;
  for (auto _ : State) {
    double T = Now();
    IPtr<TReferenceRoot> Root = Host.Open("Large.fwf");
    Open += Now() - T;

    T = Now();
    Root->SelectAll();
    SelectAll += Now() - T;
    const IPtr<ISelections>& Selection = Root->Selections();
    if (Selection->GetCount() != LargeFormPanels * PerPanel)
      State.SkipWithError("Select All missed components");

    // A drag of the whole selection ends with every selected item at its new place and one
    // modification.
    T = Now();
    for (int I = 0; I < Selection->GetCount(); ++I) {
      const IPtr<IItem> Item = Selection->GetItems(I);
      TRect R = Item->GetBoundsRect();
      R.Offset(8, 8);
      Item->SetBoundsRect(R);
    }
    Root->Modified();
    Move += Now() - T;

    T = Now();
    Root->Save();
    Save += Now() - T;

    T = Now();
    Host.Close(Root);
    Root.Reset();
    Close += Now() - T;

    T = Now();
    TOwned<TForm> Form = RawRead(Scale);
    Raw += Now() - T;
    State.PauseTiming();
    if (Form->ComponentCount() != ScalePanels * PerPanel) State.SkipWithError("the raw read was not whole");
    Form.reset();
    // The next round opens what was read before the save, so every round does the same work.
    Files->PutFile("Large.fwf", TextToResource(Large.Text));
    Files->PutFile("Large.pas", Large.Unit);
    State.ResumeTiming();
  }
  const double N = static_cast<double>(State.iterations());
  const double Session = Open + SelectAll + Move + Save + Close;
  State.counters["ratio"] = Session / Raw;
  State.counters["session_ms"] = Session / N * 1000;
  State.counters["raw_read_50k_ms"] = Raw / N * 1000;
  State.counters["open_ms"] = Open / N * 1000;
  State.counters["select_all_ms"] = SelectAll / N * 1000;
  State.counters["move_ms"] = Move / N * 1000;
  State.counters["save_ms"] = Save / N * 1000;
  State.counters["close_ms"] = Close / N * 1000;
}
BENCHMARK(BM_LargeFormSession)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace formwright::bench_large_form
