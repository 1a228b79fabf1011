// The object model's cost: creating and freeing components through their class value, and
// reading every published property of each through the type information.
#include <benchmark/benchmark.h>

#include "platform/runtime/Classes.h"

namespace formwright::bench {

FW_ENUM(TBenchKind, bkOne, bkTwo, bkThree)
FW_SET(TBenchKinds, TBenchKind)
FW_EVENT(TBenchEvent, void(TObject*), "(Sender: TObject)")

class TBenchPart : public TPersistent {
  FW_CLASS(TBenchPart, TPersistent)
 public:
  static void DeclarePublished(TClassBuilder<TBenchPart>& C) {
    C.Property("Size", &TBenchPart::FSize).Default(8);
  }
  int32_t FSize = 8;
};

class TBenchComponent : public TComponent {
  FW_CLASS(TBenchComponent, TComponent)
 public:
  explicit TBenchComponent(TComponent* AOwner) : TComponent(AOwner), FPart(new TBenchPart) {}
  ~TBenchComponent() override { FPart->Free(); }
  static void DeclarePublished(TClassBuilder<TBenchComponent>& C) {
    C.Property("Left", &TBenchComponent::FLeft);
    C.Property("Top", &TBenchComponent::FTop);
    C.Property("Width", &TBenchComponent::FWidth).Default(75);
    C.Property("Height", &TBenchComponent::FHeight).Default(25);
    C.Property("Caption", &TBenchComponent::FCaption);
    C.Property("Hint", &TBenchComponent::FHint);
    C.Property("Visible", &TBenchComponent::FVisible).Default(true);
    C.Property("Kind", &TBenchComponent::FKind).Default(bkOne);
    C.Property("Kinds", &TBenchComponent::FKinds);
    C.Property("Ratio", &TBenchComponent::FRatio);
    C.Property("Part", &TBenchComponent::FPart, nullptr);
    C.Property("OnClick", &TBenchComponent::FOnClick);
  }
  int32_t FLeft = 0, FTop = 0, FWidth = 75, FHeight = 25;
  String FCaption = "Button", FHint;
  bool FVisible = true;
  TBenchKind FKind = bkOne;
  TBenchKinds FKinds;
  double FRatio = 0.5;
  TBenchPart* FPart;
  TBenchEvent FOnClick;
};
FW_REGISTER_CLASS(TBenchPart, "Bench")
FW_REGISTER_CLASS(TBenchComponent, "Bench")

// Reads one property by kind, as a stream writer or an inspector would.
int64_t ReadProperty(TObject* O, PPropInfo P) {
  switch (ValueKindOf(P->Kind())) {
    case TValueKind::Ordinal:
      return GetOrdProp(O, P);
    case TValueKind::Float:
      return static_cast<int64_t>(GetFloatProp(O, P));
    case TValueKind::String:
      return static_cast<int64_t>(GetStrProp(O, P).size());
    case TValueKind::Method:
      return GetMethodProp(O, P).Code != nullptr;
    case TValueKind::Object:
      return GetObjectProp(O, P) != nullptr;
    default:
      return 0;
  }
}

void BM_CreateAndFreeComponents(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  TClass Cls = TBenchComponent::StaticClass();
  for (auto _ : State) {
    TOwned<TComponent> Root(new TComponent(nullptr));
    for (int I = 0; I < N; ++I) Cls->Create<TComponent*>(Root.get());
    benchmark::DoNotOptimize(Root->ComponentCount());
  }
  State.SetItemsProcessed(State.iterations() * N);
}
BENCHMARK(BM_CreateAndFreeComponents)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadEveryPublishedProperty(benchmark::State& State) {
  const int N = static_cast<int>(State.range(0));
  TOwned<TComponent> Root(new TComponent(nullptr));
  for (int I = 0; I < N; ++I) new TBenchComponent(Root.get());
  const auto Props = GetPropList(TBenchComponent::StaticClass());
  int64_t Sum = 0;
  for (auto _ : State) {
    for (TComponent* C : Root->ComponentList())
      for (PPropInfo P : Props) Sum += ReadProperty(C, P);
  }
  benchmark::DoNotOptimize(Sum);
  State.SetItemsProcessed(State.iterations() * N * static_cast<int64_t>(Props.size()));
  State.counters["props/component"] = static_cast<double>(Props.size());
}
BENCHMARK(BM_ReadEveryPublishedProperty)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GetPropListPerClass(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(GetPropList(TBenchComponent::StaticClass()).size());
}
BENCHMARK(BM_GetPropListPerClass);

}  // namespace formwright::bench
