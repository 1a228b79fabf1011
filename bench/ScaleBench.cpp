// How the work on a module grows with its size: the 50,000-component module against the
// 10,000-component one (bench/BenchModules.h), both in text form with their units, opened,
// edited, saved and closed through the reference host in the same iteration; and the
// formwright program's session showing a module of 40,000 components against one of 10,000.
//
// Counters: "ratio_open", "ratio_edit", "ratio_save", "ratio_close" (each t(50k)/t(10k), goal at
// most 5.5: linear with a little room) and "ratio_show_40k_vs_10k" (goal at most 4.5), each from
// the quickest time of every step over the iterations, with those times beside them; the same
// ratios with the caches emptied before every step (BM_ScaleOpenEditSaveCloseCold, informative:
// a module is mostly closed or saved long after it was last touched, and the 10,000-component
// module otherwise starts each step from the cache, which the 50,000 one does not fit);
// "raw_read_50k_ms", the time of one raw read of the 50,000-component stream, which the
// large-form bench measures itself against.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "bench/AllocationCounter.h"
#include "bench/BenchModules.h"
#include "editors/InspectorModel.h"
#include "host/root/ReferenceRoot.h"
#include "tools/Verbs.h"

using namespace formwright;
using namespace formwright::bench;

namespace {

const TModuleStreams& Module10k() {
  static const TModuleStreams M(500);
  return M;
}

// Opens the module "Scale.fwf" (with its unit) of Files, types a new caption into the
// inspector for the button in its middle, saves it and closes it; keeps each step's quickest
// time over the iterations (a step of the small module takes a few milliseconds, so a sum of a
// few iterations on a shared machine moves with whatever else ran).
struct TStepTimes {
  double Open = 1e9, Edit = 1e9, Save = 1e9, Close = 1e9;
};

// Writes a buffer three times the size of the machine's last-level cache (32 MB here), so that
// the step after it finds none of the module in the cache.
void EvictCaches() {
  static std::vector<char> Buffer(96u << 20);
  static char Round = 0;
  ++Round;
  for (size_t I = 0; I < Buffer.size(); I += 64) Buffer[I] = Round;
  benchmark::DoNotOptimize(Buffer.data());
  benchmark::ClobberMemory();
}

void OpenEditSaveClose(const TModuleStreams& M, TStepTimes& Times, benchmark::State& State,
                       bool Cold = false) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Scale.fwf", M.Text);
  Files->PutFile("Scale.pas", M.Unit);
  TReferenceHost Host(Files);
  const auto Start = [Cold] {
    if (Cold) EvictCaches();
    return Now();
  };
  double T = Start();
  IPtr<TReferenceRoot> Root = Host.Open("Scale.fwf");
  Times.Open = std::min(Times.Open, Now() - T);
  TComponent* Button = Root->GetRoot()->FindComponent(Format("Button%d", M.Components * 7 / 40));
  if (!Button) State.SkipWithError("the module has no middle button");
  T = Start();
  {
    TInspectorModel Inspector(Root->GetDesigner());
    Inspector.Select({Button});
    TInspectorModel::TypeValue(Inspector.Find("Caption"), "Caption", "Edited");
  }
  Times.Edit = std::min(Times.Edit, Now() - T);
  T = Start();
  Root->Save();
  Times.Save = std::min(Times.Save, Now() - T);
  T = Start();
  Host.Close(Root);
  Root = nullptr;
  Times.Close = std::min(Times.Close, Now() - T);
  if (Files->Contents("Scale.fwf").find("Caption = 'Edited'") == String::npos)
    State.SkipWithError("the edit was not saved");
}

// Runs the four steps on both modules and sets the counters, each name after Prefix.
void ScaleSteps(benchmark::State& State, bool Cold, const std::string& Prefix) {
  const TModuleStreams& Small = Module10k();
  const TModuleStreams& Large = Module50k();
  TStepTimes T10k, T50k;
  for (auto _ : State) {
    OpenEditSaveClose(Small, T10k, State, Cold);
    OpenEditSaveClose(Large, T50k, State, Cold);
  }
  State.counters[Prefix + "ratio_open"] = T50k.Open / T10k.Open;
  State.counters[Prefix + "ratio_edit"] = T50k.Edit / T10k.Edit;
  State.counters[Prefix + "ratio_save"] = T50k.Save / T10k.Save;
  State.counters[Prefix + "ratio_close"] = T50k.Close / T10k.Close;
  State.counters[Prefix + "open_50k_ms"] = T50k.Open * 1000;
  State.counters[Prefix + "edit_50k_ms"] = T50k.Edit * 1000;
  State.counters[Prefix + "save_50k_ms"] = T50k.Save * 1000;
  State.counters[Prefix + "close_50k_ms"] = T50k.Close * 1000;
  State.counters[Prefix + "close_10k_ms"] = T10k.Close * 1000;
}

void BM_ScaleOpenEditSaveClose(benchmark::State& State) { ScaleSteps(State, false, ""); }
BENCHMARK(BM_ScaleOpenEditSaveClose)->Unit(benchmark::kMillisecond)->Iterations(7);

// The same steps, each started with the caches emptied (counters "cold_ratio_*" and the
// times beside them): how much of each ratio above is the cache and how much the work.
void BM_ScaleOpenEditSaveCloseCold(benchmark::State& State) { ScaleSteps(State, true, "cold_"); }
BENCHMARK(BM_ScaleOpenEditSaveCloseCold)->Unit(benchmark::kMillisecond)->Iterations(5);

// One raw read of the 50,000-component binary stream (freeing the form is not counted).
void BM_ScaleRawRead50k(benchmark::State& State) {
  orx::RegisterOrxClasses();  // the case may run alone
  const String& Binary = Module50k().Binary;
  double Seconds = 0;
  for (auto _ : State) {
    const double T = Now();
    TOwned<orx::TForm> Form = RawRead(Binary, false);
    Seconds += Now() - T;
    State.PauseTiming();
    Form.reset();
    State.ResumeTiming();
  }
  State.counters["raw_read_50k_ms"] = Seconds / static_cast<double>(State.iterations()) * 1000;
}
BENCHMARK(BM_ScaleRawRead50k)->Unit(benchmark::kMillisecond)->Iterations(5);

// What a read module costs in memory: heap blocks and bytes per component of the
// 10,000-component module read raw (counters "allocations_per_component",
// "bytes_per_component"), and the sizes of the framework's controls, so that a change in a
// control's members shows here before it shows in opening and closing times.
void BM_ScaleFootprint(benchmark::State& State) {
  orx::RegisterOrxClasses();
  const TModuleStreams& M = Module10k();
  double Blocks = 0, Bytes = 0;
  for (auto _ : State) {
    const struct mallinfo2 Before = mallinfo2();
    const long Calls = AllocationCount();
    TOwned<orx::TForm> Form = RawRead(M.Binary, false);
    const struct mallinfo2 After = mallinfo2();
    Blocks += static_cast<double>(AllocationCount() - Calls);
    Bytes += static_cast<double>(After.uordblks) - static_cast<double>(Before.uordblks);
  }
  const double N = static_cast<double>(State.iterations()) * M.Components;
  State.counters["allocations_per_component"] = Blocks / N;
  State.counters["bytes_per_component"] = Bytes / N;
  State.counters["sizeof_button"] = sizeof(orx::TButton);
  State.counters["sizeof_edit"] = sizeof(orx::TEdit);
  State.counters["sizeof_label"] = sizeof(orx::TLabel);
  State.counters["sizeof_panel"] = sizeof(orx::TPanel);
  State.counters["sizeof_font"] = sizeof(orx::TFont);
  State.counters["sizeof_margins"] = sizeof(orx::TMargins);
}
BENCHMARK(BM_ScaleFootprint)->Iterations(2);

// The module files of the show case, in a folder of their own that goes with the run.
struct TShowFiles {
  std::filesystem::path Folder;
  TShowFiles() {
    Folder =
        std::filesystem::temp_directory_path() / Format("formwright-scale-%d", static_cast<int>(getpid()));
    std::filesystem::create_directories(Folder);
    for (int Panels : {500, 2000}) {
      const TModuleStreams M(Panels);
      const String Base = (Folder / Format("Show%d", M.Components)).string();
      std::ofstream(Base + ".fwf", std::ios::binary) << M.Text;
      std::ofstream(Base + ".pas", std::ios::binary) << M.Unit;
    }
  }
  ~TShowFiles() {
    std::error_code Ignored;
    std::filesystem::remove_all(Folder, Ignored);
  }
  String File(int Components) const { return (Folder / Format("Show%d.fwf", Components)).string(); }
};

// What `formwright show FILE` does in the program, output aside: a session opens the module,
// the verb describes it, the session ends.
double Show(const String& File, std::FILE* Sink) {
  const double T = Now();
  {
    tool::TSession Session;
    tool::RunVerb(Session, {"show", File}, Sink);
  }
  return Now() - T;
}

void BM_ScaleShow(benchmark::State& State) {
  static const TShowFiles Files;
  std::FILE* Sink = std::fopen("/dev/null", "w");
  // The quickest of the iterations, as for the steps above.
  double T10k = 1e9, T40k = 1e9;
  for (auto _ : State) {
    T10k = std::min(T10k, Show(Files.File(10000), Sink));
    T40k = std::min(T40k, Show(Files.File(40000), Sink));
  }
  std::fclose(Sink);
  State.counters["ratio_show_40k_vs_10k"] = T40k / T10k;
  State.counters["show_10k_ms"] = T10k * 1000;
  State.counters["show_40k_ms"] = T40k * 1000;
}
BENCHMARK(BM_ScaleShow)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
