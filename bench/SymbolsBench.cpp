// Reserved-word lookups per second for both languages. The goal is a ratio within one run:
// a reserved-word check should cost about as much as a lookup in the standard library's hash
// set of the same words (ratio "vs_unordered_set" near 1 or below).
#include <benchmark/benchmark.h>

#include <chrono>
#include <unordered_set>

#include "symbols/CppSym.h"
#include "symbols/PasSym.h"

using namespace formwright;

namespace {

// Identifiers a form designer checks: half reserved words, half component and event names.
const std::vector<String>& Probes() {
  static const std::vector<String> Words = {
      "Button1", "begin", "OnClick",  "Class",    "FormCreate", "while",   "Label12",   "TForm1",
      "end",     "Edit3", "property", "Caption",  "unsigned",   "Memo1",   "inherited", "Panel2",
      "Width",   "xor",   "Timer1",   "template", "Visible",    "virtual", "Hint",      "try"};
  return Words;
}

std::unordered_set<String> HashSetOf(const TReservedWordTable& Table) {
  std::unordered_set<String> Set;
  TTableIterator It(Table.Table());
  for (int I = 0; const TBaseSymbol* S = It.GetSymbol(I); ++I) Set.insert(S->Name());
  return Set;
}

void BM_PascalIsReservedWord(benchmark::State& State) {
  for (auto _ : State)
    for (const String& W : Probes()) benchmark::DoNotOptimize(PasSym::IsReservedWord(W));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Probes().size()));
}
BENCHMARK(BM_PascalIsReservedWord);

void BM_PascalIsReservedWordUnicode(benchmark::State& State) {
  std::vector<WideString> Wide;
  for (const String& W : Probes()) Wide.push_back(Utf8ToWide(W));
  for (auto _ : State)
    for (const WideString& W : Wide) benchmark::DoNotOptimize(PasSym::IsReservedWord(W));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Wide.size()));
}
BENCHMARK(BM_PascalIsReservedWordUnicode);

void BM_CppIsReservedWord(benchmark::State& State) {
  for (auto _ : State)
    for (const String& W : Probes()) benchmark::DoNotOptimize(CppSym::IsReservedWord(W));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Probes().size()));
}
BENCHMARK(BM_CppIsReservedWord);

// The baseline: the C++ words in a std::unordered_set (case-sensitive, as the C++ table).
void BM_UnorderedSetBaseline(benchmark::State& State) {
  const auto Set = HashSetOf(CppSym::ReservedWords());
  for (auto _ : State)
    for (const String& W : Probes()) benchmark::DoNotOptimize(Set.count(W));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Probes().size()));
}
BENCHMARK(BM_UnorderedSetBaseline);

// Both lookups timed in the same iteration; the counter is the table's cost over the set's.
void BM_CppLookupVsUnorderedSet(benchmark::State& State) {
  const auto Set = HashSetOf(CppSym::ReservedWords());
  double TableSeconds = 0, SetSeconds = 0;
  for (auto _ : State) {
    auto T0 = std::chrono::steady_clock::now();
    for (int R = 0; R < 100; ++R)
      for (const String& W : Probes()) benchmark::DoNotOptimize(CppSym::IsReservedWord(W));
    auto T1 = std::chrono::steady_clock::now();
    for (int R = 0; R < 100; ++R)
      for (const String& W : Probes()) benchmark::DoNotOptimize(Set.count(W));
    auto T2 = std::chrono::steady_clock::now();
    TableSeconds += std::chrono::duration<double>(T1 - T0).count();
    SetSeconds += std::chrono::duration<double>(T2 - T1).count();
  }
  State.counters["vs_unordered_set"] = TableSeconds / SetSeconds;
}
BENCHMARK(BM_CppLookupVsUnorderedSet);

}  // namespace
