// Selection lists, the headless design surface and the component clipboard.
//
// Selecting every component of a module (Select All) adds each item once, and the list refuses
// duplicates. BM_SelectAllScaling (a surface of its own) and BM_RootSelectAllScaling (a module
// root's Select All, with its notifications and marks) report t(1000) / (10 · t(100)) as
// "ratio": 1 is linear, 10 would be a quadratic search. Goal: ratio <= 1.3 for both.
// BM_ClipboardCopyPasteScaling does the same for copying components to the clipboard and pasting
// them into another form, and BM_ClipboardTextPasteScaling for pasting them from text alone.
// Goal: ratio <= 1.3.
// A Tab press costs one pass over the container's children (BM_NextTabItem: linear in n).
#include <benchmark/benchmark.h>

#include <ctime>

#include "bench/BenchModules.h"
#include "formdesigner/ComponentClipboard.h"
#include "formdesigner/Selections.h"
#include "host/root/ReferenceRoot.h"
#include "host/root/Surface.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_surface {

// A form with `N` buttons on it, and its surface.
class TButtonForm {
 public:
  explicit TButtonForm(int N) {
    bench::AddButtonRows(FForm.get(), N);
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

// The CPU time of the calling thread: on a shared machine, waiting for a core would otherwise
// count against whichever side happened to wait.
double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

// t(1000) / (10 · t(100)), each side run by Run(side).
template <class TRun>
double PerItemRatio(benchmark::State& State, TRun Run) {
  double T100 = 0, T1000 = 0;
  for (auto _ : State) {
    const double A = Now();
    for (int I = 0; I < 10; ++I) Run(0);
    const double B = Now();
    Run(1);
    const double C = Now();
    T100 += (B - A) / 10;
    T1000 += C - B;
  }
  return T1000 / (10 * T100);
}

// Goal: ratio <= 1.3.
void BM_SelectAllScaling(benchmark::State& State) {
  TButtonForm Hundred(100), Thousand(1000);
  IPtr<ISelections> Selections = MakeIntf<TSimpleSelections>();
  State.counters["ratio"] =
      PerItemRatio(State, [&](int Side) { SelectAll((Side ? Thousand : Hundred).Surface(), Selections); });
}
BENCHMARK(BM_SelectAllScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

// A module root of `N` buttons, open in a headless host.
IPtr<TReferenceRoot> ButtonModule(TReferenceHost& Host, const String& Name, int N) {
  IPtr<TReferenceRoot> Root = Host.New(Name, Name + ".fwf");
  for (int I = 0; I < N; ++I)
    Root->CreateComponent(orx::TButton::StaticClass(), Root->GetRoot(), (I % 20) * 80, (I / 20) * 30, 75, 25);
  return Root;
}

// Select All of a module root and a click on the form (the selection cleared). Goal: ratio <= 1.3.
void BM_RootSelectAllScaling(benchmark::State& State) {
  TReferenceHost Host(MakeIntf<TMemoryFileSystem>());
  const IPtr<TReferenceRoot> Roots[] = {ButtonModule(Host, "Hundred", 100),
                                        ButtonModule(Host, "Thousand", 1000)};
  State.counters["ratio"] = PerItemRatio(State, [&](int Side) {
    Roots[Side]->SelectAll();
    Roots[Side]->Select(Roots[Side]->GetRoot(), false);
  });
}
BENCHMARK(BM_RootSelectAllScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

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

// Copies every button of Form to the clipboard and pastes them into a new form.
void CopyPaste(const TButtonForm& Form, const IPtr<IDesignerSelections>& Selection) {
  TOwned<orx::TForm> Target(new orx::TForm(nullptr));
  CopyComponents(Form.Form(), Selection);
  PasteComponents(Target.get(), Target.get(), CreateSelectionList());
  benchmark::DoNotOptimize(Target->ComponentCount());
}

IPtr<IDesignerSelections> Everything(const TButtonForm& Form) {
  IPtr<IDesignerSelections> Selection = CreateSelectionList();
  for (TComponent* C : Form.Form()->ComponentList()) Selection->Add(C);
  return Selection;
}

// Copying `N` buttons to the clipboard and pasting them into another form.
void BM_ClipboardCopyPaste(benchmark::State& State) {
  TButtonForm Form(static_cast<int>(State.range(0)));
  const IPtr<IDesignerSelections> Selection = Everything(Form);
  for (auto _ : State) CopyPaste(Form, Selection);
  State.SetItemsProcessed(State.iterations() * State.range(0));
}
BENCHMARK(BM_ClipboardCopyPaste)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Goal: ratio <= 1.3.
void BM_ClipboardCopyPasteScaling(benchmark::State& State) {
  const TButtonForm Forms[] = {TButtonForm(100), TButtonForm(1000)};
  const IPtr<IDesignerSelections> Selections[] = {Everything(Forms[0]), Everything(Forms[1])};
  State.counters["ratio"] = PerItemRatio(State, [&](int Side) { CopyPaste(Forms[Side], Selections[Side]); });
}
BENCHMARK(BM_ClipboardCopyPasteScaling)->Unit(benchmark::kMillisecond)->Iterations(3);

// Pasting components that reached the clipboard as text only (copied from a form file in an
// editor), which are converted to a stream first. Goal: ratio <= 1.3.
void BM_ClipboardTextPasteScaling(benchmark::State& State) {
  String Texts[2];
  for (int Side = 0; Side < 2; ++Side) {
    const TButtonForm Form(Side ? 1000 : 100);
    CopyComponents(Form.Form(), Everything(Form));
    Texts[Side] = Clipboard().AsText();
  }
  State.counters["ratio"] = PerItemRatio(State, [&](int Side) {
    Clipboard().SetAsText(Texts[Side]);
    TOwned<orx::TForm> Target(new orx::TForm(nullptr));
    PasteComponents(Target.get(), Target.get(), CreateSelectionList());
    benchmark::DoNotOptimize(Target->ComponentCount());
  });
}
BENCHMARK(BM_ClipboardTextPasteScaling)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace formwright::bench_surface
