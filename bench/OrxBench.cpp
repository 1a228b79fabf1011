// The Orx framework's layout and streaming hooks on designer-sized modules: an align pass over
// a form of aligned and anchored controls (resizing the form), listing the children of a
// large module, and building and freeing a form of nested controls.
#include <benchmark/benchmark.h>

#include "platform/orx/Orx.h"

using namespace formwright;
using namespace formwright::orx;

namespace {

// A form with `N` panels: a quarter aligned to each edge, every panel holding two anchored
// buttons.
TOwned<TForm> LayoutForm(int N) {
  TOwned<TForm> Form(new TForm(nullptr));
  Form->SetBounds(0, 0, 4000, 4000);
  Form->DisableAlign();
  for (int I = 0; I < N; ++I) {
    auto* P = new TPanel(Form.get());
    P->SetParent(Form.get());
    P->SetBounds(I, I, 10, 10);
    P->SetAlign(static_cast<TAlign>(alTop + I % 4));
    for (int K = 0; K < 2; ++K) {
      auto* B = new TButton(Form.get());
      B->SetParent(P);
      B->SetBounds(2 + 10 * K, 2, 8, 6);
      B->SetAnchors(K ? TAnchors{akRight, akBottom} : TAnchors{akLeft, akTop, akRight});
    }
  }
  Form->EnableAlign();
  return Form;
}

void BM_OrxAlignPassOnResize(benchmark::State& State) {
  TOwned<TForm> Form = LayoutForm(static_cast<int>(State.range(0)));
  int W = 4000;
  for (auto _ : State) {
    W = W == 4000 ? 3900 : 4000;
    Form->SetWidth(W);
  }
  State.SetItemsProcessed(State.iterations() * Form->ComponentCount());
}
BENCHMARK(BM_OrxAlignPassOnResize)->Arg(40)->Arg(400);

void BM_OrxGetChildrenOfLargeModule(benchmark::State& State) {
  TOwned<TForm> Form = LayoutForm(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    int Count = 0;
    Form->GetChildren([&](TComponent*) { ++Count; }, Form.get());
    benchmark::DoNotOptimize(Count);
  }
  State.SetItemsProcessed(State.iterations() * Form->ComponentCount());
}
BENCHMARK(BM_OrxGetChildrenOfLargeModule)->Arg(400)->Arg(3000);

void BM_OrxBuildAndFreeForm(benchmark::State& State) {
  for (auto _ : State) {
    TOwned<TForm> Form = LayoutForm(static_cast<int>(State.range(0)));
    benchmark::DoNotOptimize(Form.get());
  }
  State.SetItemsProcessed(State.iterations() * State.range(0) * 3);
}
BENCHMARK(BM_OrxBuildAndFreeForm)->Arg(100);

}  // namespace
