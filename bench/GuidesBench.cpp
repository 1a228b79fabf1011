// Alignment guidelines on large forms. A drag collects the guides of every other item once, when
// it starts; each mouse move then looks only at the guides near the dragged item's guidelines
// (the lists are sorted), so a move costs the same among 10,000 items as among 1,000.
//
// BM_GuidesMouseMoveScaling: 100 mouse moves of a move drag with guidelines, the dragged button
//   among 10,000 vs 1,000 other buttons spread over the form (each on a place of its own),
//   t(10k) / t(1k) per move, the press and release not counted. Goal: ratio <= 2.
// BM_GetGuidesScaling: collecting and sorting the guides of 20,000 vs 10,000 buttons,
//   t(20k) / t(10k). Goal: ratio <= 2.3.
#include <benchmark/benchmark.h>

#include "bench/BenchModules.h"
#include "formdesigner/Designer.h"
#include "formdesigner/Selections.h"
#include "host/root/Surface.h"
#include "moduledesigner/DesignPackage.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_guides {

// A form of `N` buttons on a diagonal (each 90 px right of and 30 px below the one before, so no
// two share a guide), its surface and the designer, with our controls' guidelines registered.
class TGuidedForm {
 public:
  explicit TGuidedForm(int N) {
    orx::RegisterOrxClasses();
    FForm->SetName("Form1");
    FForm->SetBounds(0, 0, 90 * N + 200, 30 * N + 200);
    for (int I = 0; I < N; ++I) {
      auto* B = new orx::TButton(FForm.get());
      B->SetName("Button" + IntToStr(I + 1));
      B->SetParent(FForm.get());
      B->SetBounds(I * 90, I * 30, 75, 25);
    }
    FSurface = MakeIntf<TOrxDesignSurface>(FForm.get());
    FDesigner = MakeIntf<TDesigner>(FSurface, FSelections, nullptr);
  }
  ~TGuidedForm() {
    FDesigner.Reset();
    FSurface.Reset();
  }
  const IPtr<TOrxDesignSurface>& Surface() const { return FSurface; }
  const IPtr<ISelections>& Selections() const { return FSelections; }
  // The button in the middle of the form.
  IPtr<IItem> Middle() const { return FSurface->FindItem(FForm->Components(FForm->ComponentCount() / 2)); }
  TPoint MiddlePoint() const {
    const TRect R = Middle()->GetBoundsRect();
    return {R.Left + 10, R.Top + 10};
  }

 private:
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  IPtr<TOrxDesignSurface> FSurface;
  IPtr<ISelections> FSelections = MakeIntf<TSimpleSelections>();
  IPtr<TDesigner> FDesigner;
};

// The time of 100 mouse moves of a move drag of the middle button (a pixel at a time around
// its place, passing its neighbours' guides), the press and the release outside the clock.
double MouseMoves(const TGuidedForm& Form) {
  const IPtr<IDesignSurfaceListener>& Input = Form.Surface()->Listener();
  const TPoint P = Form.MiddlePoint();
  Input->MouseDown(Form.Middle(), {}, P.X, P.Y, false, {}, false);
  const double Start = bench::Now();
  for (int I = 1; I <= 100; ++I) Input->MouseMove({}, P.X + (I % 50) - 25, P.Y + (I / 2 % 40) - 20);
  const double Time = bench::Now() - Start;
  Input->MouseUp({}, P.X, P.Y);
  return Time;
}

void BM_GuidesMouseMoveScaling(benchmark::State& State) {
  TDesignPackageScope Package;
  const TGuidedForm Small(1001), Large(10001);
  double TSmall = 0, TLarge = 0;
  for (auto _ : State) {
    TSmall += MouseMoves(Small);
    TLarge += MouseMoves(Large);
  }
  State.counters["ratio"] = TLarge / TSmall;
  State.counters["move_us"] = TLarge / static_cast<double>(State.iterations()) / 100 * 1e6;
}
BENCHMARK(BM_GuidesMouseMoveScaling)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_GetGuidesScaling(benchmark::State& State) {
  TDesignPackageScope Package;
  const TGuidedForm Small(10000), Large(20000);
  TGuideList Horizontal, Vertical;
  double TSmall = 0, TLarge = 0;
  for (auto _ : State) {
    const double A = bench::Now();
    GetGuides(*Small.Surface(), Small.Selections(), Horizontal, Vertical);
    const double B = bench::Now();
    GetGuides(*Large.Surface(), Large.Selections(), Horizontal, Vertical);
    TSmall += B - A;
    TLarge += bench::Now() - B;
  }
  State.counters["ratio"] = TLarge / TSmall;
}
BENCHMARK(BM_GetGuidesScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace formwright::bench_guides
