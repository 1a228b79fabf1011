// Layout commands of a module root over its selection.
//
// BM_AlignScaling selects every button of a module of 5,000 and of 10,000 buttons and runs the
// alignment and spacing commands over them (edges, centres, spacing equally, spacing steps and
// removing space, in both directions), and reports t(10k) / t(5k) as "ratio": 2 is linear, the
// spacing commands sort once. Goal: ratio <= 2.3.
#include <benchmark/benchmark.h>

#include <ctime>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_layout {

double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

// A module of N buttons in rows of 20, all selected.
IPtr<TReferenceRoot> SelectedButtons(TReferenceHost& Host, const String& Name, int N) {
  IPtr<TReferenceRoot> Root = Host.New(Name, Name + ".fwf");
  auto* Form = dynamic_cast<orx::TForm*>(Root->GetRoot());
  for (int I = 0; I < N; ++I) {
    auto* B = new orx::TButton(Form);
    B->SetName("Button" + IntToStr(I + 1));
    B->SetParent(Form);
    B->SetBounds((I % 20) * 80 + I % 7, (I / 20) * 30 + I % 5, 75 - I % 3, 25 + I % 4);
  }
  Root->SelectAll();
  return Root;
}

const TOTAAffect Commands[] = {afHSpaceInc, afVSpaceInc, afHSpaceDec,  afVSpaceDec, afHSpace, afVSpace,
                               afHSpaceDel, afVSpaceDel, afHCenter,    afVCenter,   afRight,  afBottom,
                               afLeft,      afTop,       afHWinCenter, afVWinCenter};

double RunCommands(TReferenceRoot& Root) {
  const double A = Now();
  for (TOTAAffect C : Commands) Root.Align(C);
  return Now() - A;
}

void BM_AlignScaling(benchmark::State& State) {
  TReferenceHost Host(MakeIntf<TMemoryFileSystem>());
  double T5 = 0, T10 = 0;
  int Round = 0;
  for (auto _ : State) {
    // Fresh modules each round: the commands leave every button in one place.
    State.PauseTiming();
    IPtr<TReferenceRoot> Small = SelectedButtons(Host, "Small" + IntToStr(Round), 5000);
    IPtr<TReferenceRoot> Large = SelectedButtons(Host, "Large" + IntToStr(Round), 10000);
    State.ResumeTiming();
    if (Round % 2) T10 += RunCommands(*Large);
    T5 += RunCommands(*Small);
    if (Round % 2 == 0) T10 += RunCommands(*Large);
    State.PauseTiming();
    Host.Close(Small);
    Host.Close(Large);
    State.ResumeTiming();
    ++Round;
  }
  State.counters["t5k_s"] = T5 / Round;
  State.counters["t10k_s"] = T10 / Round;
  State.counters["ratio"] = T10 / T5;
}
BENCHMARK(BM_AlignScaling)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace formwright::bench_layout
