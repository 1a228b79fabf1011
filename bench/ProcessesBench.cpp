// Process runner overhead for a program printing 100 MB. The goal is a ratio within one run:
// collecting the output as lines through TConsoleProcess should take at most a few times what
// reading the same program's output through a plain pipe (popen) takes (counter "vs_popen").
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "processes/ConsoleProcess.h"

using namespace formwright;

namespace {

// 100 MB of output in lines of 100 bytes.
const char* const Printer =
    "/bin/sh -c 'yes 012345678901234567890123456789012345678901234567890123456789"
    "012345678901234567890123456789012345678 | head -c 100000000'";
constexpr int64_t PrintedBytes = 100000000;

size_t RunWithConsoleProcess() {
  TConsoleProcess Process;
  Process.SetCommandLine(Printer);
  Process.Run();
  return Process.GetOutput().size();
}

size_t RunWithPopen() {
  FILE* Pipe = popen(
      "yes 012345678901234567890123456789012345678901234567890123456789"
      "012345678901234567890123456789012345678 | head -c 100000000",
      "r");
  if (!Pipe) return 0;
  static char Buffer[65536];
  size_t Lines = 0, Got;
  while ((Got = fread(Buffer, 1, sizeof Buffer, Pipe)) > 0)
    for (size_t I = 0; I < Got; ++I) Lines += Buffer[I] == '\n';
  pclose(Pipe);
  return Lines;
}

void BM_ConsoleProcess100MB(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(RunWithConsoleProcess());
  State.SetBytesProcessed(State.iterations() * PrintedBytes);
}
BENCHMARK(BM_ConsoleProcess100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Popen100MBBaseline(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(RunWithPopen());
  State.SetBytesProcessed(State.iterations() * PrintedBytes);
}
BENCHMARK(BM_Popen100MBBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ConsoleProcessVsPopen(benchmark::State& State) {
  double Runner = 0, Plain = 0;
  for (auto _ : State) {
    const auto T0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(RunWithConsoleProcess());
    const auto T1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(RunWithPopen());
    const auto T2 = std::chrono::steady_clock::now();
    Runner += std::chrono::duration<double>(T1 - T0).count();
    Plain += std::chrono::duration<double>(T2 - T1).count();
  }
  State.counters["vs_popen"] = Runner / Plain;
}
BENCHMARK(BM_ConsoleProcessVsPopen)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
