// Deleting components from a form that embeds frames, against the same form with one frame.
//
// BM_DeleteWithEmbeddedFrames opens two forms of the same frame module (three components
// each frame): one embedding 1 frame, one embedding 20, each with 50 buttons of its own. It
// deletes the buttons one at a time through the module root (select, delete) in both forms and
// reports the time per deletion of each and their ratio "frames_ratio" (20 frames over 1). Every
// component of the form is told of a removal once, so the ratio follows the number of
// components told (4 against 80 more); the goal is at most 2.
#include <benchmark/benchmark.h>

#include <ctime>

#include "host/root/ReferenceRoot.h"
#include "platform/orx/Orx.h"

namespace formwright::bench_frames {

constexpr int ButtonCount = 50;

// The CPU time of the calling thread (the machine is shared).
double Now() {
  timespec T{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
  return static_cast<double>(T.tv_sec) + static_cast<double>(T.tv_nsec) * 1e-9;
}

const char* const FrameText =
    "object AddressFrame: TAddressFrame\n"
    "  Width = 320\n"
    "  Height = 96\n"
    "  object StreetLabel: TLabel\n"
    "    Caption = 'Street:'\n"
    "  end\n"
    "  object StreetEdit: TEdit\n"
    "    Left = 64\n"
    "  end\n"
    "  object CityEdit: TEdit\n"
    "    Left = 64\n"
    "    Top = 40\n"
    "  end\n"
    "end\n";

String FormText(const String& Name, int Frames) {
  String T = "object " + Name + ": T" + Name + "\n";
  for (int I = 1; I <= ButtonCount; ++I)
    T += Format("  object Button%d: TButton\n    Left = %d\n    Top = 8\n  end\n", I, I * 10);
  for (int I = 1; I <= Frames; ++I)
    T += Format("  inline Address%d: TAddressFrame\n    Top = %d\n    TabOrder = %d\n  end\n", I,
                40 + I * 100, ButtonCount + I);
  return T + "end\n";
}

// Deletes every button of the open form, last first; returns the seconds spent deleting.
double DeleteButtons(const IPtr<TReferenceRoot>& Form) {
  double Spent = 0;
  for (int I = ButtonCount; I >= 1; --I) {
    TComponent* Button = Form->GetRoot()->FindComponent(Format("Button%d", I));
    const double T0 = Now();
    Form->Select(Button, false);
    Form->DeleteSelection();
    Spent += Now() - T0;
  }
  return Spent;
}

void BM_DeleteWithEmbeddedFrames(benchmark::State& State) {
  auto Files = MakeIntf<TMemoryFileSystem>();
  Files->PutFile("Address.fwf", FrameText);
  Files->PutFile(
      "Address.pas",
      "unit Address;\ninterface\ntype\n  TAddressFrame = class(TFrame)\n  end;\nimplementation\nend.\n");
  Files->PutFile("One.fwf", FormText("One", 1));
  Files->PutFile("Twenty.fwf", FormText("Twenty", 20));
  TReferenceHost Host(Files);
  IPtr<TReferenceRoot> Frame = Host.Open("Address.fwf");
  double One = 0, Twenty = 0;
  int Round = 0;
  for (auto _ : State) {
    // Which form goes first alternates, so that neither always meets the other's leftovers.
    for (int Side = 0; Side < 2; ++Side) {
      const bool OneNow = (Side == 0) == (Round % 2 == 0);
      IPtr<TReferenceRoot> Form = Host.Open(OneNow ? "One.fwf" : "Twenty.fwf");
      (OneNow ? One : Twenty) += DeleteButtons(Form);
      Host.Close(Form);
    }
    ++Round;
  }
  const double Deletions = static_cast<double>(Round) * ButtonCount;
  State.counters["one_frame_us"] = One / Deletions * 1e6;
  State.counters["twenty_frames_us"] = Twenty / Deletions * 1e6;
  State.counters["frames_ratio"] = Twenty / One;
}
BENCHMARK(BM_DeleteWithEmbeddedFrames)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace formwright::bench_frames
