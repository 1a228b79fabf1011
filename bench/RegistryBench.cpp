// Property editor lookups per second with 1,000 registrations, the scan an inspector runs once
// per property and selected object. The lookup must not allocate: the allocation case counts
// the program's operator new calls around a loop of lookups and fails when there is any.
#include <benchmark/benchmark.h>

#include <deque>

#include "bench/AllocationCounter.h"
#include "editors/DesignEditors.h"

namespace formwright::bench_registry {

class TBenchFont : public TPersistent {
  FW_CLASS(TBenchFont, TPersistent)
 public:
  TBenchFont() = default;
};

class TBenchControl : public TComponent {
  FW_CLASS(TBenchControl, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TBenchControl>& C) {
    C.Property("Caption", &TBenchControl::FCaption);
    C.Property("Font", &TBenchControl::FFont);
    C.Property("Hint", &TBenchControl::FHint);
    C.Property("Width", &TBenchControl::FWidth);
  }
  String FCaption, FHint;
  TBenchFont* FFont = nullptr;
  int32_t FWidth = 0;
};

class TBenchButton : public TBenchControl {
  FW_CLASS(TBenchButton, TBenchControl)
 public:
  using TBenchControl::TBenchControl;
};

FW_REGISTER_CLASS(TBenchFont, "RegistryBench")
FW_REGISTER_CLASS(TBenchControl, "RegistryBench")
FW_REGISTER_CLASS(TBenchButton, "RegistryBench")

// 1,000 registrations of the kinds a loaded IDE has: most for types of other packages, some
// by class and name for the same types as the probed properties. Editor classes are only
// compared, never created, so one class value stands for all of them.
class TRegistrations {
 public:
  TRegistrations() {
    InstallEditorRegistries(FPackage);
    TClass Editor = TBasePropertyEditor::StaticClass();
    TClass Classes[] = {nullptr, TComponent::StaticClass(), TBenchControl::StaticClass()};
    for (int I = 0; I < 700; ++I) {
      FTypes.push_back(MakeStringType(("TForeign" + IntToStr(I)).c_str(), tkUString));
      RegisterPropertyEditor(&FTypes.back(), Classes[I % 3], I % 2 ? "Prop" + IntToStr(I) : String(), Editor);
    }
    for (int I = 0; I < 250; ++I)
      RegisterPropertyEditor(TypeInfoOf<String>(), Classes[1 + I % 2], "Text" + IntToStr(I), Editor);
    for (int I = 0; I < 46; ++I)
      RegisterPropertyEditor(TypeInfoOf<TPersistent>(), Classes[I % 3], "", Editor);
    RegisterPropertyEditor(TypeInfoOf<String>(), TBenchControl::StaticClass(), "Caption", Editor);
    RegisterPropertyEditor(TypeInfoOf<TBenchFont>(), nullptr, "", Editor);
    RegisterPropertyEditor(TypeInfoOf<String>(), nullptr, "", Editor);
    RegisterPropertyEditor(TypeInfoOf<int32_t>(), TBenchButton::StaticClass(), "Width", Editor);
  }
  TOwned<TBenchButton> FButton{new TBenchButton(nullptr)};
  const std::vector<PPropInfo> FProps = GetPropList(TBenchButton::StaticClass());

 private:
  TDesignPackage FPackage;
  std::deque<TTypeInfo> FTypes;
};

void BM_PropertyEditorLookup(benchmark::State& State) {
  TRegistrations R;
  for (auto _ : State)
    for (PPropInfo P : R.FProps) benchmark::DoNotOptimize(GetEditorClass(P, R.FButton.get()));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * R.FProps.size()));
}
BENCHMARK(BM_PropertyEditorLookup);

// Counts the allocations of 10,000 lookups; any allocation fails the case. The first lookup
// after a registration builds the index, and is made before counting.
void BM_PropertyEditorLookupAllocations(benchmark::State& State) {
  TRegistrations R;
  for (PPropInfo P : R.FProps) benchmark::DoNotOptimize(GetEditorClass(P, R.FButton.get()));
  long Allocations = 0;
  for (auto _ : State) {
    const long Before = bench::AllocationCount();
    for (int I = 0; I < 2500; ++I)
      for (PPropInfo P : R.FProps) benchmark::DoNotOptimize(GetEditorClass(P, R.FButton.get()));
    Allocations += bench::AllocationCount() - Before;
  }
  State.counters["allocations"] = static_cast<double>(Allocations);
  if (Allocations != 0) State.SkipWithError("the property editor lookup allocated");
}
BENCHMARK(BM_PropertyEditorLookupAllocations)->Iterations(10);

}  // namespace formwright::bench_registry
