// add: where the program may place a new component, and the refusals that leave every file alone.
#include "ToolFixture.h"

namespace formwright::testing {
namespace {

TEST_F(ToolTest, AddRefusesEveryPlaceInsideAnEmbeddedFrame) {
  for (const char* Parent : {"HomeAddress", "HomeAddress.StreetEdit"})
    ExpectRefused(Run(std::string("add Contact.fwf TButton --parent ") + Parent), 1,
                  "New components cannot be added to frame instances.");
  ExpectRefused(Run("add Contact.fwf TButton --parent WorkAddress --at 8,8"), 1,
                "New components cannot be added to frame instances.");
}

TEST_F(ToolTest, AddRefusesTheClassesOfModules) {
  for (const char* Class : {"TForm", "TDataModule", "TFrame"})
    ExpectRefused(Run(std::string("add Main.fwf ") + Class), 1,
                  std::string("Class ") + Class +
                      " is the class of a module and cannot be placed inside another module");
}

TEST_F(ToolTest, AddBesideAnEmbeddedFrameStillWorks) {
  TRunResult R = Run("add Contact.fwf TButton --at 16,220");
  ASSERT_EQ(R.Code, 0) << R.Err;
  EXPECT_NE(Read("Contact.fwf").find("object Button1: TButton"), std::string::npos);
}

}  // namespace
}  // namespace formwright::testing
