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

#include "bench/BenchModules.h"
#include "host/root/ReferenceRoot.h"

namespace formwright::bench_large_form {

using namespace orx;
using bench::Now;

constexpr int LargeFormPanels = 135;  // 2,700 controls

// Goal: ratio < 1 (the whole session on 2,700 controls under one raw read of 50,000 components).
void BM_LargeFormSession(benchmark::State& State) {
  const bench::TModuleStreams& Scale = bench::Module50k();
  const bench::TModuleStreams Large(LargeFormPanels);
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Main.fwf", Large.Binary);
  Files->PutFile("Main.pas", Large.Unit);
  TReferenceHost Host(Files);
  double Open = 0, SelectAll = 0, Move = 0, Save = 0, Close = 0, Raw = 0;
  for (auto _ : State) {
    double T = Now();
    IPtr<TReferenceRoot> Root = Host.Open("Main.fwf");
    Open += Now() - T;

    T = Now();
    Root->SelectAll();
    SelectAll += Now() - T;
    const IPtr<ISelections>& Selection = Root->Selections();
    if (Selection->GetCount() != LargeFormPanels * bench::ComponentsPerPanel)
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
    TOwned<TForm> Form = bench::RawRead(Scale.Binary, false);
    Raw += Now() - T;
    State.PauseTiming();
    if (Form->ComponentCount() != Scale.Components) State.SkipWithError("the raw read was not whole");
    Form.reset();
    // The next round opens what was read before the save, so every round does the same work.
    Files->PutFile("Main.fwf", Large.Binary);
    Files->PutFile("Main.pas", Large.Unit);
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
