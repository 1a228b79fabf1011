// The example package "Gauges" as its writer tests it: loaded into a fresh package, its components
// edited with its editors, saved and reopened, and unloaded once no module uses them.
#include <dlfcn.h>

#include "RegistrySnapshot.h"
#include "contracts/PackageObjects.h"
#include "formwright/testing.h"
#include "moduledesigner/PackageLoader.h"

namespace formwright::testing {
namespace {

using ::testing::ElementsAre;

const char* const MeterForm =
    "object Form1: TForm1\n  object Gauge1: TGauge\n    Max = 250\n  end\n"
    "  object Ticker1: TTicker\n  end\nend\n";

class GaugesTest : public TModuleTest {
 protected:
  GaugesTest() { PackageLoader().Load(FW_GAUGES_PACKAGE); }
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
  EXPECT_EQ(Written(Module), Saved);
}

TEST_F(GaugesTest, AFileGivesTheRangeInAnyOrderAndAnInvertedRangeIsRefused) {
  Open("Meter.fwf",
       "object Form1: TForm1\n  object Gauge1: TGauge\n    Value = 200\n    Min = 150\n    Max = 300\n  "
       "end\nend\n");
  EXPECT_EQ(Prop("Gauge1.Value"), "200");
  EXPECT_THAT(
      [&] {
        Open("Bad.fwf",
             "object Form1: TForm1\n  object Gauge1: TGauge\n    Min = 50\n    Max = 20\n  end\nend\n");
      },
      Raises<Exception>(HasSubstr("A gauge's Min (50) must stay below its Max (20)")));
}

TEST_F(GaugesTest, UnloadingWaitsForTheModulesThatUseItsClassesThenLeavesTheRegistriesAsTheyWere) {
  PackageLoader().Unload("Gauges");
  const auto Before = RegistrySnapshot();
  PackageLoader().Load(FW_GAUGES_PACKAGE);
  Open("Meter.fwf", MeterForm);
  const String Text = Written(Module);
  EXPECT_THAT(
      [&] { PackageLoader().Unload("Gauges"); },
      Raises<EPackageError>("Design package Gauges is in use by Meter.fwf: close those modules first"));
  EXPECT_EQ(Written(Module), Text);
  EXPECT_THAT(Verbs("Gauge1"), ElementsAre("Fill", "Empty")) << "a refused unloading changes nothing";

  std::vector<String> Asked;
  PackageLoader().OnInUse = [&](const TLoadedPackage&, const std::vector<String>& Modules) {
    Asked = Modules;
    Host.CloseAll();
    return true;
  };
  PackageLoader().Unload(FW_GAUGES_PACKAGE);
  EXPECT_THAT(Asked, ElementsAre("Meter.fwf"));
  EXPECT_EQ(RegistrySnapshot(), Before);
  EXPECT_THAT([&] { Open("Meter.fwf", MeterForm); }, Raises<Exception>(HasSubstr("Class TGauge not found")));
}

bool IsLoaded(const char* File) {
  void* Handle = dlopen(File, RTLD_NOW | RTLD_NOLOAD);
  if (Handle) dlclose(Handle);
  return Handle != nullptr;
}

TEST_F(GaugesTest, AnEditorHeldAcrossTheUnloadingKeepsThePackagesCodeUntilItGoes) {
  // Twice: the package loaded again (wherever the system puts it this time) is tracked anew.
  for (int Round = 0; Round < 2; ++Round) {
    SCOPED_TRACE(Round);
    if (Round > 0) PackageLoader().Load(FW_GAUGES_PACKAGE);
    Open("Meter.fwf", MeterForm);
    IPtr<IProperty> Interval = PropertyOf(Module->GetDesigner(), {Find("Ticker1")}, "Interval");
    ASSERT_EQ(Interval->GetValue(), "1000");
    EXPECT_THAT(Verbs("Gauge1"), ElementsAre("Fill", "Empty"));  // made and gone at once
    PackageLoader().OnInUse = [&](const TLoadedPackage&, const std::vector<String>&) {
      Host.CloseAll();
      return true;
    };
    PackageLoader().Unload("Gauges");
    ASSERT_TRUE(IsLoaded(FW_GAUGES_PACKAGE));
    EXPECT_EQ(Interval->GetName(), "Interval");
    Interval.Reset();
    CurrentPackageService<TPackageObjects>()->Prune();
    EXPECT_FALSE(IsLoaded(FW_GAUGES_PACKAGE));
  }
}

}  // namespace
}  // namespace formwright::testing
