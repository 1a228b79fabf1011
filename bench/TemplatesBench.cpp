// Template expansion throughput (output lines per second) for a template with nested loops over
// 10,000 items (100 tables of 100 columns). The goal is a ratio within one run: expanding the
// loops should cost at most a few times what the filter spends passing the same number of
// tag-free lines through (counter "vs_plain_lines").
#include <benchmark/benchmark.h>

#include <chrono>

#include "templates/ExpertFilter.h"
#include "templates/LineProviders.h"

using namespace formwright;

namespace {

constexpr int Tables = 100;
constexpr int Columns = 100;

const char* const NestedTemplate =
    "unit [!UnitName];\n"
    "[!foreach(T in Tables)]\n"
    "type [!T.Name] = class\n"
    "[!foreach(C in T.Columns)]\n"
    "[!if=(C.Key)]\n"
    "  [!C.Name]: Integer; // key of [!T.Name]\n"
    "[!else]\n"
    "  [!C.Name]: string;\n"
    "[!endif]\n"
    "[!endforeach]\n"
    "end;\n"
    "[!endforeach]\n"
    "end.";

IExpertFilterPtr MakeFilter() {
  IExpertFilterPtr Filter = CoExpertFilter::Create();
  Filter->SetProperty("UnitName", String("Generated"));
  ICollectionPropertyPtr TableList = CoCollectionProperty::Create();
  for (int T = 0; T < Tables; ++T) {
    IPropertyValuesPtr Table = CoPropertyValues::Create();
    Table->SetProperty("Name", Format("TTable%d", T));
    ICollectionPropertyPtr ColumnList = CoCollectionProperty::Create();
    for (int C = 0; C < Columns; ++C) {
      IPropertyValuesPtr Column = CoPropertyValues::Create();
      Column->SetProperty("Name", Format("Field%d", C));
      Column->SetProperty("Key", C == 0);
      ColumnList->AddItem(Column);
    }
    Table->SetCollectionProperty("Columns", ColumnList);
    TableList->AddItem(Table);
  }
  Filter->SetCollectionProperty("Tables", TableList);
  return Filter;
}

// Output lines of the nested template: unit, per table "type" + columns + "end;", "end.".
constexpr int OutputLines = 2 + Tables * (Columns + 2);

String Run(IExpertFilter& Filter, const std::vector<String>& Lines) {
  String Output;
  Filter.Filter(std::make_shared<TListLineProvider>(Lines), Output);
  return Output;
}

void BM_ExpandNestedLoops(benchmark::State& State) {
  const IExpertFilterPtr Filter = MakeFilter();
  const std::vector<String> Lines = SplitTemplateLines(NestedTemplate);
  for (auto _ : State) benchmark::DoNotOptimize(Run(*Filter, Lines));
  State.SetItemsProcessed(State.iterations() * OutputLines);
}
BENCHMARK(BM_ExpandNestedLoops)->Unit(benchmark::kMillisecond);

// The baseline: as many tag-free lines of similar length as the nested template writes.
void BM_ExpandPlainLines(benchmark::State& State) {
  const IExpertFilterPtr Filter = CoExpertFilter::Create();
  const std::vector<String> Lines(OutputLines, "  Field42: Integer; // key of TTable42");
  for (auto _ : State) benchmark::DoNotOptimize(Run(*Filter, Lines));
  State.SetItemsProcessed(State.iterations() * OutputLines);
}
BENCHMARK(BM_ExpandPlainLines)->Unit(benchmark::kMillisecond);

void BM_NestedLoopsVsPlainLines(benchmark::State& State) {
  const IExpertFilterPtr Nested = MakeFilter(), Plain = CoExpertFilter::Create();
  const std::vector<String> NestedLines = SplitTemplateLines(NestedTemplate);
  const std::vector<String> PlainLines(OutputLines, "  Field42: Integer; // key of TTable42");
  double NestedSeconds = 0, PlainSeconds = 0;
  for (auto _ : State) {
    const auto T0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(Run(*Nested, NestedLines));
    const auto T1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(Run(*Plain, PlainLines));
    const auto T2 = std::chrono::steady_clock::now();
    NestedSeconds += std::chrono::duration<double>(T1 - T0).count();
    PlainSeconds += std::chrono::duration<double>(T2 - T1).count();
  }
  State.counters["vs_plain_lines"] = NestedSeconds / PlainSeconds;
}
BENCHMARK(BM_NestedLoopsVsPlainLines)->Unit(benchmark::kMillisecond);

}  // namespace
