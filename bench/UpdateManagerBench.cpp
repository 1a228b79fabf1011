// Open descendants following their ancestor module.
//
// BM_UpdateManagerDescendants: an ancestor of 2,000 components (100 panels of the large-module
// shape) with 1 and with 10 open descendants, each a copy of it with a manager of its own; one
// edit (a button's caption) in the ancestor, then the ancestor manager's Modified, which brings
// every descendant in line. "ratio_10_vs_1" is the time with 10 descendants over the time with
// 1; the goal is at most 11: each descendant costs the same, whatever the others do.
//
// BM_UpdateManagerFilter: Modified in a descendant of 10,000 components (its nodes re-check what
// still follows the ancestor) against writing the same module as saving it does, with the stream
// writer against the ancestor's root; "ratio_modified_vs_write", goal at most 1.
#include <benchmark/benchmark.h>

#include "bench/BenchModules.h"
#include "inheritance/UpdateManager.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_updatemanager {

using bench::Now;

// An ancestor with its open descendants, managers linked as the roots would link them.
struct TFamily {
  TOwned<orx::TForm> Ancestor;
  std::vector<TOwned<orx::TForm>> Descendants;
  IPtr<IUpdateManager> AncestorManager;
  std::vector<IPtr<IUpdateManager>> Managers;

  TFamily(const String& Text, int Count) : Ancestor((orx::RegisterOrxClasses(), bench::RawRead(Text, true))) {
    AncestorManager = MakeIntf<TUpdateManager>(Ancestor.get(), nullptr, nullptr, nullptr);
    for (int I = 0; I < Count; ++I) {
      Descendants.push_back(bench::RawRead(Text, true));
      TComponent* D = Descendants.back().get();
      D->SetName(Format("Form%d", I + 2));
      for (TComponent* C : D->ComponentList()) C->SetAncestor(true);
      Managers.push_back(MakeIntf<TUpdateManager>(D, Ancestor.get(), AncestorManager, nullptr));
    }
  }
  ~TFamily() {
    Managers.clear();
    AncestorManager.Reset();
  }

  // One caption edit in the ancestor reaching every descendant; the time it took.
  double Edit(int Round) {
    auto* Button = static_cast<orx::TButton*>(Ancestor->FindComponent("Button1"));
    Button->SetCaption(Format("Round %d", Round));
    const double T0 = Now();
    AncestorManager->Modified();
    const double T = Now() - T0;
    for (const auto& D : Descendants)
      if (static_cast<orx::TButton*>(D->FindComponent("Button1"))->Caption() != Button->Caption())
        throw Exception("a descendant did not follow its ancestor");
    return T;
  }
};

void BM_UpdateManagerDescendants(benchmark::State& State) {
  std::vector<String> Handlers;
  const String Text = bench::ModuleText(100, Handlers);
  TFamily One(Text, 1), Ten(Text, 10);
  double T1 = 0, T10 = 0;
  int Round = 0;
  for (auto _ : State) {
    for (int R = 0; R < 5; ++R) {
      T1 += One.Edit(++Round);
      T10 += Ten.Edit(++Round);
    }
  }
  State.counters["edit_1_ms"] = T1 * 1e3 / static_cast<double>(State.iterations() * 5);
  State.counters["edit_10_ms"] = T10 * 1e3 / static_cast<double>(State.iterations() * 5);
  State.counters["ratio_10_vs_1"] = T10 / T1;
}
BENCHMARK(BM_UpdateManagerDescendants)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UpdateManagerFilter(benchmark::State& State) {
  std::vector<String> Handlers;
  TFamily Family(bench::ModuleText(500, Handlers), 1);
  TComponent* Descendant = Family.Descendants[0].get();
  double Modified = 0, Write = 0;
  for (auto _ : State) {
    double T0 = Now();
    Family.Managers[0]->Modified();
    Modified += Now() - T0;
    TMemoryStream Out;
    T0 = Now();
    bench::RawWrite(Descendant, &Out, false, Family.Ancestor.get());
    Write += Now() - T0;
  }
  State.counters["modified_ms"] = Modified * 1e3 / static_cast<double>(State.iterations());
  State.counters["write_ms"] = Write * 1e3 / static_cast<double>(State.iterations());
  State.counters["ratio_modified_vs_write"] = Modified / Write;
}
BENCHMARK(BM_UpdateManagerFilter)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace formwright::bench_updatemanager
