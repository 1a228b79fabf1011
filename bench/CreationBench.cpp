// Creating components in a designed module and copying them between modules.
//
// BM_CreateButtonsScaling creates 10,000 and then 20,000 buttons into one form through the
// designer interface (named by UniqueName, placed, selected, the module told of each) and
// reports t(20k) / t(10k) as "ratio" (over four rounds): 2 means linear. Goal: ratio <= 2.1.
// BM_DesignerCopyPaste copies 100 and 1,000 selected components (with handlers and references
// between them) to the selection stream and pastes them into a second module that already holds
// components and handlers of the same names (every one renamed, every handler too), and reports
// the time per component of 1,000 over that of 100 as "ratio" (goal: ratio <= 1.3), the time of
// each step for 1,000 and the peak memory that paste added.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <ctime>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_creation {

// The CPU time of the calling thread: on a shared machine, waiting for a core would otherwise
// count against whichever side happened to wait.
struct Clock {
  static double now() {
    timespec T{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
    return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
  }
};

double Seconds(double A, double B) { return B - A; }

// Creates N buttons into a new form of Host; returns the seconds it took.
double CreateButtons(TReferenceHost& Host, const String& Name, int N) {
  IPtr<TReferenceRoot> Root = Host.New(Name, Name + ".fwf");
  TComponent* Form = Root->GetRoot();
  const auto A = Clock::now();
  for (int I = 0; I < N; ++I)
    benchmark::DoNotOptimize(
        Root->CreateComponent(orx::TButton::StaticClass(), Form, (I % 50) * 16, (I / 50 % 40) * 16, 75, 25));
  const auto B = Clock::now();
  Host.Close(Root);
  return Seconds(A, B);
}

void BM_CreateButtonsScaling(benchmark::State& State) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  TReferenceHost Host(Files);
  // Both sizes run on a heap that already held the larger module, with the allocator's own
  // settings: the case changes nothing that the cases after it in the process would meet (a
  // raised trim threshold also turned off the allocator's adjusting of its mmap threshold, so
  // that every large table of the larger module came from fresh pages, as in no program).
  CreateButtons(Host, "Warm", 20000);
  double T10 = 0, T20 = 0;
  int Round = 0;
  for (auto _ : State) {
    // Which size goes first alternates, so that neither always meets the other's leftovers.
    if (Round % 2) T20 += CreateButtons(Host, "Large" + IntToStr(Round), 20000);
    T10 += CreateButtons(Host, "Small" + IntToStr(Round), 10000);
    if (Round % 2 == 0) T20 += CreateButtons(Host, "Large" + IntToStr(Round), 20000);
    ++Round;
  }
  State.counters["t10k_s"] = T10 / Round;
  State.counters["t20k_s"] = T20 / Round;
  State.counters["ratio"] = T20 / T10;
}
BENCHMARK(BM_CreateButtonsScaling)->Unit(benchmark::kMillisecond)->Iterations(4);

// Bytes the allocator holds for the program.
size_t HeapInUse() { return mallinfo2().uordblks; }

// Source and target modules of N components each: labels referring to the button before them,
// buttons with a handler of their own, of the same names in both modules.
struct TCopyPasteModules {
  IPtr<TReferenceRoot> Source, Target;
  TCopyPasteModules(TReferenceHost& Host, const String& Name, int N)
      : Source(Host.New(Name + "Source", Name + "Source.fwf")),
        Target(Host.New(Name + "Target", Name + "Target.fwf")) {
    for (const IPtr<TReferenceRoot>& Root : {Source, Target}) {
      TComponent* Button = nullptr;
      for (int I = 0; I < N; ++I) {
        TComponentClass C = I % 2 ? orx::TLabel::StaticClass() : orx::TButton::StaticClass();
        TComponent* New = Root->CreateComponent(C, Root->GetRoot(), (I % 40) * 20, (I / 40) * 20, 60, 18);
        if (auto* Label = dynamic_cast<orx::TLabel*>(New)) {
          Label->SetFocusControl(dynamic_cast<orx::TWinControl*>(Button));
        } else {
          Button = New;
          const PPropInfo OnClick = GetPropInfo(New, "OnClick");
          SetMethodProp(New, OnClick,
                        Root->CreateMethod(New->Name() + "Click", GetTypeData(OnClick->PropType)));
        }
      }
    }
  }
};

// Copies everything selected in Source and pastes it into Target; the seconds of each step.
void CopyPaste(const TCopyPasteModules& M, double& Copy, double& Paste, size_t* Peak = nullptr) {
  M.Source->SelectAll();
  TMemoryStream Clip;
  const auto A = Clock::now();
  M.Source->CopySelectionToStream(&Clip, nullptr);
  const auto B = Clock::now();
  Clip.SetPosition(0);
  const size_t Before = HeapInUse();
  M.Target->PasteSelectionFromStream(&Clip, M.Target->GetRoot(), TRect{});
  const auto C = Clock::now();
  if (Peak) *Peak = std::max(*Peak, HeapInUse() - Before);
  Copy += Seconds(A, B);
  Paste += Seconds(B, C);
}

// Goal: ratio <= 1.3.
void BM_DesignerCopyPaste(benchmark::State& State) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  TReferenceHost Host(Files);
  double Copy = 0, Paste = 0, Copy100 = 0, Paste100 = 0;
  size_t Peak = 0;
  int Rounds = 0;
  for (auto _ : State) {
    State.PauseTiming();
    // Fresh modules every round: each paste adds to its target.
    const TCopyPasteModules Hundred(Host, "H" + IntToStr(Rounds), 100),
        Thousand(Host, "T" + IntToStr(Rounds), 1000);
    State.ResumeTiming();
    CopyPaste(Hundred, Copy100, Paste100);
    CopyPaste(Thousand, Copy, Paste, &Peak);
    State.PauseTiming();
    for (const TCopyPasteModules* M : {&Hundred, &Thousand}) {
      Host.Close(M->Source);
      Host.Close(M->Target);
    }
    State.ResumeTiming();
    ++Rounds;
  }
  State.counters["ratio"] = (Copy + Paste) / (10 * (Copy100 + Paste100));
  State.counters["copy_ms"] = Copy / Rounds * 1000;
  State.counters["paste_ms"] = Paste / Rounds * 1000;
  State.counters["paste_heap_growth_MB"] = static_cast<double>(Peak) / (1024 * 1024);
}
BENCHMARK(BM_DesignerCopyPaste)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace formwright::bench_creation
