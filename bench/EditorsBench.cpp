// Property enumeration for the inspector and value access through the standard editors.
//
// GetComponentProperties over 1, 100 and 1,000 selected framework controls of mixed classes
// should cost the same per selected component: BM_ComponentPropertiesScaling reports the
// ratio t(1000) / (1000 · t(1)) as "per_component_ratio" (1 means flat).
#include <benchmark/benchmark.h>

#include <chrono>

#include "editors/StdEditorReg.h"
#include "editors/StdPropEditors.h"
#include "platform/orx/Forms.h"
#include "platform/orx/StdCtrls.h"

namespace formwright::bench_editors {

// A form holding `N` controls, buttons, edits, labels and check boxes in turn.
class TMixedForm {
 public:
  explicit TMixedForm(int N) {
    for (int I = 0; I < N; ++I) {
      TComponent* C = nullptr;
      switch (I % 4) {
        case 0:
          C = new orx::TButton(FForm.get());
          break;
        case 1:
          C = new orx::TEdit(FForm.get());
          break;
        case 2:
          C = new orx::TLabel(FForm.get());
          break;
        default:
          C = new orx::TCheckBox(FForm.get());
          break;
      }
      C->SetName("Control" + IntToStr(I));
      FSelection->Add(C);
    }
  }
  const IPtr<IDesignerSelections>& Selection() const { return FSelection; }

 private:
  TOwned<orx::TForm> FForm{new orx::TForm(nullptr)};
  IPtr<IDesignerSelections> FSelection = CreateSelectionList();
};

// The number of properties listed for the selection.
int ListProperties(const IPtr<IDesignerSelections>& Selection) {
  int Count = 0;
  GetComponentProperties(Selection, tkAny, nullptr, [&Count](const IPtr<IProperty>&) { ++Count; });
  return Count;
}

void BM_ComponentProperties(benchmark::State& State) {
  TEditorsPackageScope Editors;
  TMixedForm Form(static_cast<int>(State.range(0)));
  for (auto _ : State) benchmark::DoNotOptimize(ListProperties(Form.Selection()));
  State.SetItemsProcessed(State.iterations() * State.range(0));
  State.counters["properties"] = ListProperties(Form.Selection());
}
BENCHMARK(BM_ComponentProperties)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ComponentPropertiesScaling(benchmark::State& State) {
  TEditorsPackageScope Editors;
  TMixedForm One(1), Thousand(1000);
  double T1 = 0, T1000 = 0;
  for (auto _ : State) {
    const auto A = std::chrono::steady_clock::now();
    for (int I = 0; I < 100; ++I) benchmark::DoNotOptimize(ListProperties(One.Selection()));
    const auto B = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ListProperties(Thousand.Selection()));
    const auto C = std::chrono::steady_clock::now();
    T1 += std::chrono::duration<double>(B - A).count() / 100;
    T1000 += std::chrono::duration<double>(C - B).count();
  }
  State.counters["per_component_ratio"] = T1000 / (1000 * T1);
}
BENCHMARK(BM_ComponentPropertiesScaling)->Unit(benchmark::kMillisecond)->Iterations(5);

// An editor for property `Name` of `Obj` as the registry chooses it.
IPtr<IProperty> EditorFor(TPersistent* Obj, const char* Name) {
  PPropInfo P = GetPropInfo(Obj, Name);
  return CreatePropertyEditor(GetEditorClass(P, Obj), nullptr, {{Obj, P}});
}

// GetValue, or SetValue of the texts in turn, per second, for property `Name` of a button.
void ValueAccess(benchmark::State& State, const char* Name, std::vector<String> Texts) {
  TEditorsPackageScope Editors;
  TOwned<orx::TForm> Form(new orx::TForm(nullptr));
  auto* Button = new orx::TButton(Form.get());
  Button->SetName("Button1");
  IPtr<IProperty> P = EditorFor(Button, Name);
  size_t I = 0;
  for (auto _ : State) {
    if (Texts.empty())
      benchmark::DoNotOptimize(P->GetValue());
    else
      P->SetValue(Texts[I++ % Texts.size()]);
  }
  State.SetItemsProcessed(State.iterations());
}
BENCHMARK_CAPTURE(ValueAccess, IntegerGet, "Left", {});
BENCHMARK_CAPTURE(ValueAccess, IntegerSet, "Left", {"10", "$20"});
BENCHMARK_CAPTURE(ValueAccess, StringGet, "Hint", {});
BENCHMARK_CAPTURE(ValueAccess, StringSet, "Hint", {"Press me", "Do not press"});
BENCHMARK_CAPTURE(ValueAccess, EnumGet, "Align", {});
BENCHMARK_CAPTURE(ValueAccess, EnumSet, "Align", {"alTop", "alClient"});
BENCHMARK_CAPTURE(ValueAccess, BooleanSet, "Cancel", {"True", "False"});
BENCHMARK_CAPTURE(ValueAccess, SetGet, "Anchors", {});
BENCHMARK_CAPTURE(ValueAccess, ClassGet, "Font", {});

}  // namespace formwright::bench_editors
