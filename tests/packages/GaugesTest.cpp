// The example package "Gauges" as its writer tests it: loaded into a fresh package, its
// components placed and edited with its editors, saved and reopened, and unloaded again.
#include "RegistrySnapshot.h"
#include "formwright/testing.h"
#include "moduledesigner/PackageLoader.h"

namespace formwright::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const char* const MeterForm =
    "object Form1: TForm1\n"
    "  object Gauge1: TGauge\n"
    "    Max = 250\n"
    "  end\n"
    "  object Ticker1: TTicker\n"
    "  end\n"
    "end\n";

class GaugesTest : public TModuleTest {
 protected:
  GaugesTest() : Before(TRegistrySnapshot::Take()) { PackageLoader().Load(FW_GAUGES_PACKAGE); }
  TRegistrySnapshot Before;
};

TEST_F(GaugesTest, ComponentsAreEditedWithThePackagesEditorsSavedAndReopened) {
  Open("Meter.fwf", MeterForm);
  EXPECT_EQ(SetProp("Gauge1.Value", "300"), "250") << "a value above Max is clamped";
  EXPECT_THAT(ValueList("Ticker1.Interval"), ElementsAre("100", "250", "500", "1000", "5000", "60000"));
  EXPECT_EQ(SetProp("Ticker1.Interval", "250"), "250");
  EXPECT_THAT(Verbs("Gauge1"), ElementsAre("Fill", "Empty"));
  ExecuteVerb("Gauge1", "Empty");
  EXPECT_EQ(Prop("Gauge1.Value"), "0");
  ExecuteVerb("Gauge1", "Fill");
  Module->Save();
  const String Saved = Files->Contents("Meter.fwf");
  EXPECT_THAT(Saved, HasSubstr("    Max = 250\n    Value = 250\n"));
  EXPECT_THAT(Saved, HasSubstr("Interval = 250"));

  Host.CloseAll();
  Open("Meter.fwf", Saved);
  EXPECT_EQ(Prop("Gauge1.Value"), "250");
  EXPECT_EQ(Written(Module), Saved);
}

TEST_F(GaugesTest, ARangeThatWouldInvertIsRefusedAndTheGaugeKeepsItsValues) {
  Open("Meter.fwf", MeterForm);
  SetProp("Gauge1.Value", "40");
  EXPECT_THAT([&] { SetProp("Gauge1.Min", "250"); }, Raises<EInvalidArgument>(HasSubstr("Min (250)")));
  EXPECT_EQ(SetProp("Gauge1.Min", "50"), "50");
  EXPECT_EQ(Prop("Gauge1.Value"), "50") << "raising Min drags Value along";
}

TEST_F(GaugesTest, UnloadingWaitsForTheModulesThatUseItsClassesThenLeavesTheRegistriesAsTheyWere) {
  Open("Meter.fwf", MeterForm);
  const String Text = Written(Module);
  EXPECT_THAT(
      [&] { PackageLoader().Unload("Gauges"); },
      Raises<EPackageError>("Design package Gauges is in use by Meter.fwf: close those modules first"));
  EXPECT_EQ(Written(Module), Text);
  EXPECT_THAT(Verbs("Gauge1"), ElementsAre("Fill", "Empty")) << "a refused unloading changes nothing";

  std::vector<String> Asked;
  PackageLoader().OnInUse = [&](const TLoadedPackage& P, const std::vector<String>& Modules) {
    Asked = Modules;
    Host.CloseAll();
    return true;
  };
  PackageLoader().Unload("Gauges");
  EXPECT_THAT(Asked, ElementsAre("Meter.fwf"));
  EXPECT_EQ(TRegistrySnapshot::Take(), Before);
  EXPECT_EQ(GetClass("TGauge"), nullptr);
  EXPECT_THAT([&] { Open("Meter.fwf", MeterForm); }, Raises<Exception>(HasSubstr("TGauge")));
}

TEST_F(GaugesTest, AComponentOfTheFrameworkUsesNoPackageAndUnloadsFreely) {
  Open("Plain.fwf", "object Form1: TForm1\n  object Button1: TButton\n  end\nend\n");
  EXPECT_THAT(PackageLoader().ModulesUsing(*PackageLoader().Packages().front()), ::testing::IsEmpty());
  PackageLoader().Unload(FW_GAUGES_PACKAGE);
  EXPECT_EQ(TRegistrySnapshot::Take(), Before);
  EXPECT_THAT(Written(Module), Not(HasSubstr("Gauge")));
}

}  // namespace
}  // namespace formwright::testing
