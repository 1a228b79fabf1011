// Selection lists, the headless design surface and the component clipboard.
//
// Selecting every component of a module (Select All) adds each item once; the list refuses
// duplicates by a linear search, so selecting n items costs n²/2 comparisons.
// BM_SelectAllScaling reports t(1000) / (10 · t(100)) as "per_item_ratio": 1 would be linear,
// 10 is what a quadratic search gives. The comparisons are pointer compares, so that a
// 1,000-component Select All stays far below the 100 ms a person notices (BM_SelectAll/1000).
// A Tab press costs one pass over the container's children (BM_NextTabItem: linear in n).
#include <benchmark/benchmark.h>

#include <chrono>

#include "formdesigner/ComponentClipboard.h"
#include "formdesigner/Selections.h"
#include "host/root/Surface.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_surface {

// A form with `N` buttons on it, and its surface.
class TButtonForm {
 public:
  explicit TButtonForm(int N) {
    orx::RegisterOrxClasses();
    FForm->SetName("Form1");
    for (int I = 0; I < N; ++I) {
      auto* B = new orx::TButton(FForm.get());
      B->SetName("Button" + IntToStr(I + 1));
      B->SetParent(FForm.get());
      B->SetBounds((I % 20) * 80, (I / 20) * 30, 75, 25);
    }
    FSurface = MakeIntf<TOrxDesignSurface>(FForm.get());
  }
  ~TButtonForm() { FSurface.Reset(); }
  orx::TForm* Form() const { return FForm.get(); }
  const IPtr<TOrxDesignSurface>& Surface() const { return FSurface; }

 private:
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  IPtr<TOrxDesignSurface> FSurface;
};

// Selects every item of the surface in one update and clears the selection again.
void SelectAll(const IPtr<TOrxDesignSurface>& Surface, const IPtr<ISelections>& Selections) {
  {
    TSelectionsUpdate Update(Selections);
    const int Count = Surface->GetItemsCount();
    for (int I = 0; I < Count; ++I) Selections->Add(Surface->GetItems(I));
  }
  Selections->Clear();
}

void BM_SelectAll(benchmark::State& State) {
  TButtonForm Form(static_cast<int>(State.range(0)));
  IPtr<ISelections> Selections = MakeIntf<TSimpleSelections>();
  for (auto _ : State) SelectAll(Form.Surface(), Selections);
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_SelectAll)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_SelectAllScaling(benchmark::State& State) {
  TButtonForm Hundred(100), Thousand(1000);
  IPtr<ISelections> Selections = MakeIntf<TSimpleSelections>();
  double T100 = 0, T1000 = 0;
  for (auto _ : State) {
    const auto A = std::chrono::steady_clock::now();
    for (int I = 0; I < 10; ++I) SelectAll(Hundred.Surface(), Selections);
    const auto B = std::chrono::steady_clock::now();
    SelectAll(Thousand.Surface(), Selections);
    const auto C = std::chrono::steady_clock::now();
    T100 += std::chrono::duration<double>(B - A).count() / 10;
    T1000 += std::chrono::duration<double>(C - B).count();
  }
  State.counters["per_item_ratio"] = T1000 / (10 * T100);
}
BENCHMARK(BM_SelectAllScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

// Looking up the cached item of every component (what every Select does).
void BM_FindItem(benchmark::State& State) {
  TButtonForm Form(static_cast<int>(State.range(0)));
  for (auto _ : State)
    for (TComponent* C : Form.Form()->ComponentList()) benchmark::DoNotOptimize(Form.Surface()->FindItem(C));
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_FindItem)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// One Tab press on a form of `N` controls.
void BM_NextTabItem(benchmark::State& State) {
  TButtonForm Form(static_cast<int>(State.range(0)));
  IPtr<IItem> Current = Form.Surface()->NextTabItem(nullptr, true);
  for (auto _ : State) Current = Form.Surface()->NextTabItem(Current, true);
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_NextTabItem)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Copying `N` buttons to the clipboard and pasting them into another form.
void BM_ClipboardCopyPaste(benchmark::State& State) {
  TButtonForm Form(static_cast<int>(State.range(0)));
  IPtr<IDesignerSelections> Selection = CreateSelectionList();
  for (TComponent* C : Form.Form()->ComponentList()) Selection->Add(C);
  for (auto _ : State) {
    TOwned<orx::TForm> Target(new orx::TForm(nullptr));
    CopyComponents(Form.Form(), Selection);
    PasteComponents(Target.get(), Target.get(), CreateSelectionList());
    benchmark::DoNotOptimize(Target->ComponentCount());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_ClipboardCopyPaste)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace formwright::bench_surface
