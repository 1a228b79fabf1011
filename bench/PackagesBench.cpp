// Design packages: loading and unloading the example package "Gauges", per cycle, and what many
// loaded packages cost the inspector.
//
// BM_PackageLoadUnload reports the time of one load and unload of the example package.
// BM_ComponentPropertiesWithPackages lists the properties of 100 selected framework controls
// with 50 design packages loaded (copies of bench/packages/EditorsPackage.cpp, each with its
// property editors, component editor and guidelines) against none, and reports
// "ratio_50_packages_vs_none" (goal ≤ 1.2).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>

#include <filesystem>

#include "editors/DesignEditors.h"
#include "editors/PropertyEditors.h"
#include "moduledesigner/DesignPackage.h"
#include "moduledesigner/PackageLoader.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::bench_packages {

namespace fs = std::filesystem;

void BM_PackageLoadUnload(benchmark::State& State) {
  TDesignPackageScope Package;
  for (auto _ : State) {
    PackageLoader().Load(FW_GAUGES_PACKAGE);
    PackageLoader().Unload("Gauges");
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_PackageLoadUnload)->Unit(benchmark::kMicrosecond);

// `Count` copies of the benchmark package in a folder of their own, removed at the end.
class TPackageCopies {
 public:
  explicit TPackageCopies(int Count)
      : FFolder(fs::temp_directory_path() / ("fw-bench-packages-" + IntToStr(getpid()))) {
    fs::create_directories(FFolder);
    for (int I = 0; I < Count; ++I) {
      Files.push_back((FFolder / ("Editors" + IntToStr(I) + ".so")).string());
      fs::copy_file(FW_BENCH_PACKAGE, Files.back(), fs::copy_options::overwrite_existing);
    }
  }
  ~TPackageCopies() {
    std::error_code Ec;
    fs::remove_all(FFolder, Ec);
  }
  std::vector<String> Files;

 private:
  fs::path FFolder;
};

// A form of 100 controls (buttons, edits, labels, check boxes in turn), all selected.
class TSelectedControls {
 public:
  TSelectedControls() {
    for (int I = 0; I < 100; ++I) {
      TComponent* C = nullptr;
      if (I % 4 == 0)
        C = new orx::TButton(FForm.get());
      else if (I % 4 == 1)
        C = new orx::TEdit(FForm.get());
      else if (I % 4 == 2)
        C = new orx::TLabel(FForm.get());
      else
        C = new orx::TCheckBox(FForm.get());
      C->SetName("Control" + IntToStr(I));
      Selection->Add(C);
    }
  }
  int ListProperties() const {
    int Count = 0;
    GetComponentProperties(Selection, tkAny, nullptr, [&Count](const IPtr<IProperty>&) { ++Count; });
    return Count;
  }
  IPtr<IDesignerSelections> Selection = CreateSelectionList();

 private:
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
};

void BM_ComponentPropertiesWithPackages(benchmark::State& State) {
  TPackageCopies Copies(50);
  TDesignPackageScope Package;
  TSelectedControls Controls;
  auto Time = [&Controls] {
    const auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < 20; ++I) benchmark::DoNotOptimize(Controls.ListProperties());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  };
  double None = 0, Fifty = 0;
  for (auto _ : State) {
    None += Time();
    for (const String& F : Copies.Files) PackageLoader().Load(F);
    Fifty += Time();
    State.PauseTiming();
    while (!PackageLoader().Packages().empty())
      PackageLoader().Unload(PackageLoader().Packages().back()->Name);
    State.ResumeTiming();
  }
  State.counters["ratio_50_packages_vs_none"] = Fifty / None;
}
BENCHMARK(BM_ComponentPropertiesWithPackages)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace formwright::bench_packages
