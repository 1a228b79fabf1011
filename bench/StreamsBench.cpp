// Component stream throughput on a module of 10,000 components: writing and reading the
// binary form, writing and reading the text form, and the conversions between the forms.
// WritePlainModule is the plain writer the module root bench compares a module of controls with.
// Reported as MB/s of stream (bytes_per_second) and components/s (items_per_second). The goal
// is stated as a ratio within the run: reading the text form (conversion included) should cost
// no more than about three times reading the binary form ("text_vs_binary_read").
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/BenchModules.h"
#include "platform/runtime/Filer.h"
#include "platform/runtime/ObjectText.h"

using namespace formwright;

namespace {

constexpr int ComponentCount = 10000;

FW_ENUM(TBenchKind, bkPush, bkCheck, bkRadio)
FW_EVENT(TBenchNotify, void(TObject*), "(Sender: TObject)")

// A component with the properties of a typical control.
class TBenchButton : public TComponent {
  FW_CLASS(TBenchButton, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TBenchButton>& C) {
    C.Property("Left", &TBenchButton::FLeft).Default(0);
    C.Property("Top", &TBenchButton::FTop).Default(0);
    C.Property("Width", &TBenchButton::FWidth).Default(75);
    C.Property("Caption", &TBenchButton::FCaption);
    C.Property("Enabled", &TBenchButton::FEnabled).Default(true);
    C.Property("Kind", &TBenchButton::FKind).Default(bkPush);
    C.Property("Buddy", &TBenchButton::FBuddy);
    C.Property("OnClick", &TBenchButton::FOnClick);
  }
  int32_t FLeft = 0, FTop = 0, FWidth = 75;
  String FCaption;
  bool FEnabled = true;
  TBenchKind FKind = bkPush;
  TComponent* FBuddy = nullptr;
  TBenchNotify FOnClick;
};

// A module that streams every component it owns.
class TBenchModule : public TComponent {
  FW_CLASS(TBenchModule, TComponent)
 public:
  using TComponent::TComponent;
  static void DeclarePublished(TClassBuilder<TBenchModule>& C) {
    C.Method<&TBenchModule::Click>("ButtonClick");
  }
  void GetChildren(const TGetChildProc& Proc, TComponent*) override {
    for (TComponent* C : ComponentList()) Proc(C);
  }
  void Click(TObject*) {}
};

FW_REGISTER_CLASS(TBenchButton, "BenchUnit")
FW_REGISTER_CLASS(TBenchModule, "BenchUnit")

TOwned<TBenchModule> BuildModule() {
  RegisterClass(TBenchButton::StaticClass());
  TOwned<TBenchModule> M(new TBenchModule(nullptr));
  M->SetName("BenchForm");
  void* Click = M->MethodAddress("ButtonClick");
  TBenchButton* Previous = nullptr;
  for (int I = 0; I < ComponentCount; ++I) {
    auto* B = new TBenchButton(M.get());
    B->SetName("Button" + IntToStr(I));
    B->FLeft = (I % 100) * 8;
    B->FTop = (I / 100) * 25;
    B->FCaption = "Button number " + IntToStr(I);
    B->FEnabled = I % 7 != 0;
    B->FKind = static_cast<TBenchKind>(I % 3);
    B->FBuddy = Previous;
    if (I % 2) B->FOnClick = TBenchNotify(TMethod{Click, M.get()});
    Previous = B;
  }
  return M;
}

std::vector<uint8_t> Convert(const std::vector<uint8_t>& In, void (*Conv)(TStream*, TStream*)) {
  TOwned<TMemoryStream> I(new TMemoryStream), O(new TMemoryStream);
  I->WriteBuffer(In.data(), static_cast<int64_t>(In.size()));
  I->SetPosition(0);
  Conv(I.get(), O.get());
  return O->Bytes();
}

std::vector<uint8_t> WriteBinary(TComponent* Root) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  TOwned<TWriter> W(new TWriter(S.get(), 4096));
  W->WriteRootComponent(Root);
  return S->Bytes();
}

void ReadBinary(const std::vector<uint8_t>& Bytes) {
  TOwned<TMemoryStream> S(new TMemoryStream);
  S->WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  S->SetPosition(0);
  TOwned<TBenchModule> M(new TBenchModule(nullptr));
  TOwned<TReader> R(new TReader(S.get(), 4096));
  R->ReadRootComponent(M.get());
}

void Report(benchmark::State& State, size_t Bytes) {
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Bytes));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * ComponentCount);
}

void BM_StreamWriteBinary(benchmark::State& State) {
  auto M = BuildModule();
  size_t Size = 0;
  for (auto _ : State) Size = WriteBinary(M.get()).size();
  Report(State, Size);
}
BENCHMARK(BM_StreamWriteBinary)->Unit(benchmark::kMillisecond);

void BM_StreamReadBinary(benchmark::State& State) {
  const auto Bytes = WriteBinary(BuildModule().get());
  for (auto _ : State) ReadBinary(Bytes);
  Report(State, Bytes.size());
}
BENCHMARK(BM_StreamReadBinary)->Unit(benchmark::kMillisecond);

void BM_StreamWriteText(benchmark::State& State) {
  auto M = BuildModule();
  size_t Size = 0;
  for (auto _ : State) Size = Convert(WriteBinary(M.get()), ObjectBinaryToText).size();
  Report(State, Size);
}
BENCHMARK(BM_StreamWriteText)->Unit(benchmark::kMillisecond);

void BM_StreamReadText(benchmark::State& State) {
  const auto Text = Convert(WriteBinary(BuildModule().get()), ObjectBinaryToText);
  for (auto _ : State) ReadBinary(Convert(Text, ObjectTextToBinary));
  Report(State, Text.size());
}
BENCHMARK(BM_StreamReadText)->Unit(benchmark::kMillisecond);

void BM_StreamBinaryToText(benchmark::State& State) {
  const auto Bytes = WriteBinary(BuildModule().get());
  for (auto _ : State) benchmark::DoNotOptimize(Convert(Bytes, ObjectBinaryToText));
  Report(State, Bytes.size());
}
BENCHMARK(BM_StreamBinaryToText)->Unit(benchmark::kMillisecond);

void BM_StreamTextToBinary(benchmark::State& State) {
  const auto Text = Convert(WriteBinary(BuildModule().get()), ObjectBinaryToText);
  for (auto _ : State) benchmark::DoNotOptimize(Convert(Text, ObjectTextToBinary));
  Report(State, Text.size());
}
BENCHMARK(BM_StreamTextToBinary)->Unit(benchmark::kMillisecond);

// Both conversions in the same iteration, each as bytes read per second (the binary stream one
// way, its text the other); the counter is binary to text's speed over text to binary's.
void BM_StreamConversionSpeeds(benchmark::State& State) {
  const auto Bytes = WriteBinary(BuildModule().get());
  const auto Text = Convert(Bytes, ObjectBinaryToText);
  double ToText = 0, ToBinary = 0;
  for (auto _ : State) {
    const double T0 = bench::Now();
    benchmark::DoNotOptimize(Convert(Bytes, ObjectBinaryToText));
    const double T1 = bench::Now();
    benchmark::DoNotOptimize(Convert(Text, ObjectTextToBinary));
    ToText += T1 - T0;
    ToBinary += bench::Now() - T1;
  }
  State.counters["ratio_binary_to_text_vs_text_to_binary"] =
      (static_cast<double>(Bytes.size()) / ToText) / (static_cast<double>(Text.size()) / ToBinary);
}
BENCHMARK(BM_StreamConversionSpeeds)->Unit(benchmark::kMillisecond);

// Both reads timed in the same iteration; the counter is the text read's cost over the binary's.
void BM_StreamTextVsBinaryRead(benchmark::State& State) {
  const auto Bytes = WriteBinary(BuildModule().get());
  const auto Text = Convert(Bytes, ObjectBinaryToText);
  double TextSeconds = 0, BinarySeconds = 0;
  for (auto _ : State) {
    const auto T0 = std::chrono::steady_clock::now();
    ReadBinary(Bytes);
    const auto T1 = std::chrono::steady_clock::now();
    ReadBinary(Convert(Text, ObjectTextToBinary));
    const auto T2 = std::chrono::steady_clock::now();
    BinarySeconds += std::chrono::duration<double>(T1 - T0).count();
    TextSeconds += std::chrono::duration<double>(T2 - T1).count();
  }
  State.counters["text_vs_binary_read"] = TextSeconds / BinarySeconds;
}
BENCHMARK(BM_StreamTextVsBinaryRead)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
TBenchModule* PlainModule() {
  static const TOwned<TBenchModule> M = BuildModule();
  return M.get();
}
}  // namespace

void formwright::bench::WritePlainModule() { benchmark::DoNotOptimize(WriteBinary(PlainModule())); }

void formwright::bench::WritePlainModuleText() {
  benchmark::DoNotOptimize(Convert(WriteBinary(PlainModule()), ObjectBinaryToText));
}
