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
// Save: TComponentRoot::WriteRootStream against the open of the same module, and
// TWriter::WriteDescendent of the same root component with the same resource header (text
// modules: converted to text after, as the root does) against the plain stream writer on the
// stream bench's module of as many components: WritePlainModule for a binary module, and for a
// text module WritePlainModuleText, the same converted to text the same way (a text save is a
// binary write and a conversion; both sides of the ratio then do both).
// Goals (bench/README.md): "ratio" of the open cases at most 1.3 and their "close_vs_open" at most
// 1; "ratio_save_vs_open" at most 1.5 and "ratio_raw_write_vs_plain" at most 2. The absolute
// times in milliseconds per operation are shown beside the ratios.
#include <benchmark/benchmark.h>

#include "bench/BenchModules.h"
#include "host/root/ReferenceRoot.h"

using namespace formwright;
using namespace formwright::bench;
using namespace formwright::orx;

namespace {

constexpr int ComponentCount = 500 * ComponentsPerPanel;

// The module in both forms, with files in memory: "Bin.fwf" and "Text.fwf" alone, and
// "BinUnit.fwf" and "TextUnit.fwf" with their units.
struct TModuleFiles : TModuleStreams {
  IPtr<TMemoryFileSystem> Files = MakeIntf<TMemoryFileSystem>();

  TModuleFiles() : TModuleStreams(500) {
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

// Opens the module, then saves it through the root, writes its root component raw and writes
// the plain stream bench's module, in turns; the root's and the raw writer's bytes must agree.
void SaveVersusOpenAndRawWrite(benchmark::State& State, const String& FileName, bool IsText) {
  TReferenceHost Host(Module().Files);
  {
    IPtr<TReferenceRoot> Root = Host.Open(FileName);
    TStringStream A, B;
    Root->WriteRootStream(&A);
    RawWrite(Root->GetRoot(), &B, IsText);
    if (A.DataString() != B.DataString()) State.SkipWithError("the root and the raw writer disagree");
    Host.Close(Root);
  }
  double OpenSeconds = 0, SaveSeconds = 0, RawSeconds = 0, PlainSeconds = 0;
  int Iteration = 0;
  for (auto _ : State) {
    const double T0 = Now();
    IPtr<TReferenceRoot> Root = Host.Open(FileName);
    OpenSeconds += Now() - T0;
    // Which writer goes first turns, so that none always meets another's leftovers.
    const int First = Iteration++ % 3;
    for (int Turn = 0; Turn < 3; ++Turn) {
      TStringStream Out;
      const double T1 = Now();
      switch ((First + Turn) % 3) {
        case 0:
          Root->WriteRootStream(&Out);
          SaveSeconds += Now() - T1;
          break;
        case 1:
          RawWrite(Root->GetRoot(), &Out, IsText);
          RawSeconds += Now() - T1;
          break;
        default:
          if (IsText)
            WritePlainModuleText();
          else
            WritePlainModule();
          PlainSeconds += Now() - T1;
      }
    }
    State.PauseTiming();
    Host.Close(Root);
    State.ResumeTiming();
  }
  const double N = static_cast<double>(State.iterations());
  // Goals: the save at most 1.5 times the open; the raw writer at most twice the plain writer
  // per component (both modules have ComponentCount components).
  State.counters["ratio_save_vs_open"] = SaveSeconds / OpenSeconds;
  State.counters["ratio_raw_write_vs_plain"] = RawSeconds / PlainSeconds;
  State.counters["ratio_save_vs_raw_write"] = SaveSeconds / RawSeconds;
  State.counters["open_ms"] = OpenSeconds / N * 1000;
  State.counters["save_ms"] = SaveSeconds / N * 1000;
  State.counters["raw_write_ms"] = RawSeconds / N * 1000;
  State.counters["plain_write_ms"] = PlainSeconds / N * 1000;
}

void BM_ModuleRootSaveBinary(benchmark::State& State) { SaveVersusOpenAndRawWrite(State, "Bin.fwf", false); }
void BM_ModuleRootSaveText(benchmark::State& State) { SaveVersusOpenAndRawWrite(State, "Text.fwf", true); }
BENCHMARK(BM_ModuleRootSaveBinary)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ModuleRootSaveText)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
