// The program's --package option and FORMWRIGHT_PACKAGES on the example package's module.
#include <cstdlib>

#include "formwright/testing.h"

namespace formwright::testing {
namespace {

using ::testing::AllOf;

class PackageOptionTest : public TProgramTest {
 protected:
  PackageOptionTest() : TProgramTest(FW_PROGRAM, "examples/packages") {}
  const std::string Gauges = FW_GAUGES_PACKAGE;
};

TEST_F(PackageOptionTest, AModuleOfThePackagesComponentsIsShownEditedAndSavedWithIt) {
  EXPECT_THAT(RunOk("show Meter.fwf --package " + Gauges).Out, HasSubstr("Gauge1: TGauge"));
  EXPECT_THAT(RunOk("classes --package " + Gauges).Out, HasSubstr("\nGauges      TTicker, TGauge\n"));
  RunOk("--package=" + Gauges + " set Meter.fwf Gauge1.Value=40");
  setenv("FORMWRIGHT_PACKAGES", (":" + Gauges + ":").c_str(), 1);
  RunOk("add Meter.fwf TTicker");
  unsetenv("FORMWRIGHT_PACKAGES");
  EXPECT_THAT(Read("Meter.fwf"),
              AllOf(HasSubstr("    Max = 250\n    Value = 40\n"), HasSubstr("Ticker2: TTicker")));
}

TEST_F(PackageOptionTest, WithoutItsPackageOrWithABadOneAModuleIsRefusedAndNothingChanges) {
  ExpectEachRefused({
      {"set Meter.fwf Gauge1.Value=40", 1,
       "Class TGauge not found (a design package may register it: --package LIB or FORMWRIGHT_PACKAGES)"},
      {"set Meter.fwf Gauge1.Value=40 --package Meter.pas", 1,
       "formwright: Cannot load design package Meter.pas: "},
      {"show Meter.fwf --package", 2, "formwright: --package needs the file of a design package"},
  });
}

}  // namespace
}  // namespace formwright::testing
