// The form designer's drags and keyboard navigation on large forms: what one gesture costs must
// depend on what it touches, not on how many other items the form holds.
//
// BM_DesignerMoveDragScaling: a move drag (a press, 100 mouse moves, the release) of 50 selected
//   buttons among 20,000 vs 1,000 buttons, t(20k) / t(1k). Goal: ratio <= 1.3.
// BM_DesignerRubberBandScaling: a rubber band over every button of the form, 20,000 vs 10,000,
//   t(20k) / t(10k). Goal: ratio <= 2.2 (adding to the selection must not be quadratic).
// BM_DesignerNearestItemScaling: the nearest item to the right among 20,000 vs 10,000 siblings,
//   t(20k) / t(10k). Goal: ratio <= 2.2.
#include <benchmark/benchmark.h>

#include "bench/BenchModules.h"
#include "formdesigner/Designer.h"
#include "formdesigner/Selections.h"
#include "host/root/Surface.h"

namespace formwright::bench_designer {

// A form of `N` buttons in rows of 20, its surface, a selection list and the designer on them.
class TDesignedForm {
 public:
  explicit TDesignedForm(int N) {
    bench::AddButtonRows(FForm.get(), N);
    FSurface = MakeIntf<TOrxDesignSurface>(FForm.get());
    FDesigner = MakeIntf<TDesigner>(FSurface, FSelections, nullptr);
  }
  ~TDesignedForm() {
    FDesigner.Reset();
    FSurface.Reset();
  }
  TComponent* Button(int Index) const { return FForm->Components(Index); }
  IPtr<IItem> Item(int Index) const { return FSurface->FindItem(Button(Index)); }
  const IPtr<IDesignSurfaceListener>& Input() const { return FSurface->Listener(); }
  const IPtr<ISelections>& Selections() const { return FSelections; }
  const IPtr<TDesigner>& Designer() const { return FDesigner; }
  IPtr<IItem> Root() const { return FSurface->GetRoot(); }

 private:
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  IPtr<TOrxDesignSurface> FSurface;
  IPtr<ISelections> FSelections = MakeIntf<TSimpleSelections>();
  IPtr<TDesigner> FDesigner;
};

// t(Large) / t(Small), each side run by Run(form) once per iteration.
template <class TRun>
double Ratio(benchmark::State& State, const TDesignedForm& Small, const TDesignedForm& Large, TRun Run) {
  double TSmall = 0, TLarge = 0;
  for (auto _ : State) {
    const double A = bench::Now();
    Run(Small);
    const double B = bench::Now();
    Run(Large);
    TSmall += B - A;
    TLarge += bench::Now() - B;
  }
  return TLarge / TSmall;
}

// Presses on the first of 50 selected buttons, moves the mouse 100 times (every move changes the
// offset by a grid step) and releases it where it started, so nothing moves in the end.
void MoveDrag(const TDesignedForm& Form) {
  const IPtr<IDesignSurfaceListener>& Input = Form.Input();
  Input->MouseDown(Form.Item(0), {}, 10, 10, false, {}, false);
  for (int I = 1; I <= 100; ++I) Input->MouseMove({}, 10 + (I % 10) * 8, 10 + (I / 10) * 8);
  Input->MouseUp({}, 10, 10);
}

void BM_DesignerMoveDragScaling(benchmark::State& State) {
  const TDesignedForm Small(1000), Large(20000);
  for (const TDesignedForm* F : {&Small, &Large}) {
    TSelectionsUpdate Update(F->Selections());
    for (int I = 0; I < 50; ++I) F->Selections()->Add(F->Item(I));
  }
  State.counters["ratio"] = Ratio(State, Small, Large, MoveDrag);
}
BENCHMARK(BM_DesignerMoveDragScaling)->Unit(benchmark::kMillisecond)->Iterations(20);

// A rubber band from below the last row to the form's top-left corner, then a click on the form.
void RubberBand(const TDesignedForm& Form) {
  const IPtr<IDesignSurfaceListener>& Input = Form.Input();
  Input->MouseDown(Form.Root(), {}, 1700, 30 * 1001, false, {}, false);
  Input->MouseMove({}, 0, 0);
  Input->MouseUp({}, 0, 0);
  benchmark::DoNotOptimize(Form.Selections()->GetCount());
  Form.Designer()->Select(Form.Root(), false);
}

void BM_DesignerRubberBandScaling(benchmark::State& State) {
  const TDesignedForm Small(10000), Large(20000);
  State.counters["ratio"] = Ratio(State, Small, Large, RubberBand);
}
BENCHMARK(BM_DesignerRubberBandScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

void NearestItem(const TDesignedForm& Form) {
  benchmark::DoNotOptimize(Form.Designer()->FindNearestItem(Form.Item(10), dkRight));
}

void BM_DesignerNearestItemScaling(benchmark::State& State) {
  const TDesignedForm Small(10000), Large(20000);
  State.counters["ratio"] = Ratio(State, Small, Large, NearestItem);
}
BENCHMARK(BM_DesignerNearestItemScaling)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace formwright::bench_designer
