// Creating components in a designed module and copying them between modules.
//
// BM_CreateButtonsScaling creates 10,000 and then 20,000 buttons into one form through the
// designer interface (named by UniqueName, placed, selected, the module told of each) and
// reports t(20k) / t(10k) as "scaling_ratio": 2 means linear; the goal is at most 2.2.
// BM_DesignerCopyPaste copies 1,000 selected components to the selection stream and pastes them into a
// second module that already holds components of the same names (every one renamed), and
// reports the time of each step and the peak memory the paste added.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_creation {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point A, Clock::time_point B) {
  return std::chrono::duration<double>(B - A).count();
}

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
  double T10 = 0, T20 = 0;
  int Round = 0;
  for (auto _ : State) {
    T10 += CreateButtons(Host, "Small" + IntToStr(Round), 10000);
    T20 += CreateButtons(Host, "Large" + IntToStr(Round), 20000);
    ++Round;
  }
  State.counters["t10k_s"] = T10 / Round;
  State.counters["t20k_s"] = T20 / Round;
  State.counters["scaling_ratio"] = T20 / T10;
}
BENCHMARK(BM_CreateButtonsScaling)->Unit(benchmark::kMillisecond)->Iterations(1);

// Bytes the allocator holds for the program.
size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_DesignerCopyPaste(benchmark::State& State) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  TReferenceHost Host(Files);
  IPtr<TReferenceRoot> Source = Host.New("Source", "Source.fwf");
  IPtr<TReferenceRoot> Target = Host.New("Target", "Target.fwf");
  for (int I = 0; I < 1000; ++I) {
    TComponentClass C = I % 2 ? orx::TLabel::StaticClass() : orx::TButton::StaticClass();
    Source->CreateComponent(C, Source->GetRoot(), (I % 40) * 20, (I / 40) * 20, 60, 18);
    Target->CreateComponent(C, Target->GetRoot(), (I % 40) * 20, (I / 40) * 20, 60, 18);
  }
  double Copy = 0, Paste = 0;
  size_t Peak = 0;
  int Rounds = 0;
  for (auto _ : State) {
    Source->SelectAll();
    TMemoryStream Clip;
    const auto A = Clock::now();
    Source->CopySelectionToStream(&Clip, nullptr);
    const auto B = Clock::now();
    Clip.SetPosition(0);
    const size_t Before = HeapInUse();
    Target->PasteSelectionFromStream(&Clip, Target->GetRoot(), TRect{});
    const auto C = Clock::now();
    Peak = std::max(Peak, HeapInUse() - Before);
    Copy += Seconds(A, B);
    Paste += Seconds(B, C);
    ++Rounds;
    State.counters["stream_bytes"] = static_cast<double>(Clip.Size());
  }
  State.counters["copy_ms"] = Copy / Rounds * 1000;
  State.counters["paste_ms"] = Paste / Rounds * 1000;
  State.counters["paste_heap_growth_MB"] = static_cast<double>(Peak) / (1024 * 1024);
}
BENCHMARK(BM_DesignerCopyPaste)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace formwright::bench_creation
