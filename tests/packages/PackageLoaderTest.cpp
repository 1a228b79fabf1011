// Bad packages refused with a clear message and nothing left behind, and a thousand loads and
// unloadings that leave the registries and the heap as they were.
#include <malloc.h>

#include "RegistrySnapshot.h"
#include "formwright/testing.h"
#include "moduledesigner/PackageLoader.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
size_t HeapInUse() { return __sanitizer_get_current_allocated_bytes(); }
// The address sanitizer adds an exit handler of its own after every destructor a library
// registers, and the program's exit list keeps both entries when the library is closed: 65
// bytes (two entries of 32, in blocks of 32 with a 16-byte header) for each of the example
// package's five class records, at each load. A plain build has no such growth.
constexpr size_t RuntimeBytesPerCycle = 5 * 65;
#else
size_t HeapInUse() { return mallinfo2().uordblks; }
constexpr size_t RuntimeBytesPerCycle = 0;
#endif

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::StartsWith;

String Bad(const char* Name) { return String(FW_TEST_PACKAGES) + "/" + Name + ".so"; }

class PackageLoaderTest : public ::testing::TestWithParam<std::pair<String, const char*>> {
 protected:
  TDesignPackageScope Package;
};

TEST_P(PackageLoaderTest, ABadPackageIsRefusedWithItsReasonAndLeavesNothing) {
  TTempFolder Folder;
  const String File =
      GetParam().first.empty() ? Folder.Write("notes.so", "a gauge, soon\n") : GetParam().first;
  const auto Before = RegistrySnapshot();
  const int Group = CurrentGroup();
  EXPECT_THAT([&] { PackageLoader().Load(File); }, Raises<EPackageError>(HasSubstr(GetParam().second)));
  EXPECT_EQ(RegistrySnapshot(), Before);
  EXPECT_EQ(CurrentGroup(), Group);
  EXPECT_TRUE(PackageLoader().Packages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Packages, PackageLoaderTest,
    ::testing::Values(
        std::pair{String(), "Cannot load design package "},
        std::pair{Bad("MISSING"), "Cannot load design package "},
        std::pair{Bad("NO_ENTRY"),
                  "NO_ENTRY.so is not a design package: it exports no FormwrightDesignPackage"},
        std::pair{Bad("NEWER"), "was built for package API version 2; this program loads version 1"},
        std::pair{Bad("RAISING"), "Design package Dials failed to register: the dial needs a licence key"},
        std::pair{Bad("TAKEN"),
                  "Design package Dials failed to register: A class named TButton already exists"}));

using PackageLoaderCycles = PackageLoaderTest;

TEST_F(PackageLoaderCycles, ASecondPackageOfTheSameNameIsRefusedAndTheFirstStays) {
  const TLoadedPackage& Gauges = PackageLoader().Load(FW_GAUGES_PACKAGE);
  EXPECT_EQ(&PackageLoader().Load(FW_GAUGES_PACKAGE), &Gauges) << "the same file loads once";
  const auto Loaded = RegistrySnapshot();
  EXPECT_THAT(
      [&] { PackageLoader().Load(Bad("SAME_NAME")); },
      Raises<EPackageError>(AllOf(StartsWith("A design package named Gauges is loaded already, from /"),
                                  HasSubstr("gauges.so"))));
  EXPECT_EQ(RegistrySnapshot(), Loaded);
  EXPECT_THAT([&] { PackageLoader().Unload("Dials"); },
              Raises<EPackageError>("No design package Dials is loaded"));
}

TEST_F(PackageLoaderCycles, AThousandLoadsAndUnloadingsLeaveRegistriesAndHeapAsTheyWere) {
  const auto Before = RegistrySnapshot();
  auto Cycle = [] {
    PackageLoader().Load(FW_GAUGES_PACKAGE);
    PackageLoader().Unload("Gauges");
  };
  for (int I = 0; I < 10; ++I) Cycle();  // the first uses of the loader and the registries settle
  const size_t Heap = HeapInUse();
  for (int I = 0; I < 1000; ++I) Cycle();
  EXPECT_EQ(RegistrySnapshot(), Before);
  EXPECT_LE(HeapInUse(), Heap + 1000 * RuntimeBytesPerCycle + 4096);
}

}  // namespace
}  // namespace formwright::testing
