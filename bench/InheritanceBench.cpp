// The dependencies of a module that refers into many others, and the units it needs.
//
// BM_DependenciesScaling opens 20 small modules (an edit each) and a form of n labels whose
// FocusControl each names an edit of one of them (label i the module i mod 20), for n = 10,000
// and 20,000. It times `UpdateDependencies` (after `ClearDependencies`, as a modification does)
// and `GetUnits` on each form, the quickest of 15 calls each, and reports "ratio_dependencies"
// and "ratio_units", t(20,000)/t(10,000); the goal is at most 2.2 for each: both visit every
// component once and look each referenced module up once.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/BenchModules.h"
#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_inheritance {

constexpr int ModuleCount = 20;

using bench::Now;

String FormText(const String& Name, int Labels) {
  String T = "object " + Name + ": T" + Name + "\n";
  for (int I = 1; I <= Labels; ++I)
    T += Format("  object Label%d: TLabel\n    FocusControl = Target%d.Edit1\n  end\n", I, I % ModuleCount);
  return T + "end\n";
}

// The quickest of the calls timed: on a shared machine a call that was interrupted says
// nothing about the code.
struct TTimes {
  double Dependencies = 1e9;
  double Units = 1e9;
};

void Measure(const IPtr<TReferenceRoot>& Form, int Rounds, TTimes& T) {
  size_t Seen = 0;
  for (int R = 0; R < Rounds; ++R) {
    Form->ClearDependencies();
    double T0 = Now();
    Form->UpdateDependencies();
    T.Dependencies = std::min(T.Dependencies, Now() - T0);
    T0 = Now();
    Form->GetUnits([&Seen](const String& U) { Seen += U.size(); });
    T.Units = std::min(T.Units, Now() - T0);
  }
  benchmark::DoNotOptimize(Seen);
}

void BM_DependenciesScaling(benchmark::State& State) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  for (int I = 0; I < ModuleCount; ++I)
    Files->PutFile(Format("Target%d.fwf", I),
                   Format("object Target%d: TTarget%d\n  object Edit1: TEdit\n  end\nend\n", I, I));
  Files->PutFile("Small.fwf", FormText("Small", 10000));
  Files->PutFile("Large.fwf", FormText("Large", 20000));
  TReferenceHost Host(Files);
  for (int I = 0; I < ModuleCount; ++I) Host.Open(Format("Target%d.fwf", I));
  IPtr<TReferenceRoot> Small = Host.Open("Small.fwf");
  IPtr<TReferenceRoot> Large = Host.Open("Large.fwf");
  TTimes S, L;
  for (auto _ : State) {
    Measure(Small, 5, S);
    Measure(Large, 5, L);
  }
  State.counters["deps_10k_ms"] = S.Dependencies * 1e3;
  State.counters["deps_20k_ms"] = L.Dependencies * 1e3;
  State.counters["units_10k_ms"] = S.Units * 1e3;
  State.counters["units_20k_ms"] = L.Units * 1e3;
  State.counters["ratio_dependencies"] = L.Dependencies / S.Dependencies;
  State.counters["ratio_units"] = L.Units / S.Units;
}
BENCHMARK(BM_DependenciesScaling)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace formwright::bench_inheritance
