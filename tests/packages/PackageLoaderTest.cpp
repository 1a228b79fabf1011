// Bad packages refused with a clear message and nothing left behind, and loading and unloading
// over and over that leaves the registries and the heap as they were.
#include "RegistrySnapshot.h"
#include "formwright/testing.h"
#include "moduledesigner/PackageLoader.h"

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's count of the bytes allocated and not freed yet.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace formwright::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr size_t Cycles = 1000;
#if defined(__SANITIZE_ADDRESS__)
size_t HeapInUse() { return __sanitizer_get_current_allocated_bytes(); }
// The address sanitizer adds an exit handler of its own, for the program, after every destructor
// that a library registers, and the program's exit list keeps both entries once the library is
// closed: 2 entries of 32 bytes, in blocks of 32 entries with a 16-byte header (65 bytes). The
// example package registers one destructor per class record (five) at each load. A plain build's
// heap has no such growth.
constexpr size_t RuntimeBytesPerCycle = 5 * 65;
#else
size_t HeapInUse() { return mallinfo2().uordblks; }
constexpr size_t RuntimeBytesPerCycle = 0;
#endif

String TestPackage(const char* Name) { return String(FW_TEST_PACKAGES) + "/" + Name + ".so"; }

class PackageLoaderTest : public ::testing::Test {
 protected:
  TDesignPackageScope Package;
};

struct TBadPackage {
  const char* Name;
  String File;
  const char* Message;
};

class BadPackageTest : public PackageLoaderTest, public ::testing::WithParamInterface<TBadPackage> {};

TEST_P(BadPackageTest, IsRefusedWithItsReasonAndLeavesNothing) {
  TTempFolder Folder;
  const String NotALibrary = Folder.Write("notes.so", "a gauge package, soon\n");
  const TRegistrySnapshot Before = TRegistrySnapshot::Take();
  const int Group = CurrentGroup();
  const String File = GetParam().File.empty() ? NotALibrary : GetParam().File;

  EXPECT_THAT([&] { PackageLoader().Load(File); }, Raises<EPackageError>(HasSubstr(GetParam().Message)));
  EXPECT_EQ(TRegistrySnapshot::Take(), Before);
  EXPECT_EQ(CurrentGroup(), Group);
  EXPECT_TRUE(PackageLoader().Packages().empty());
  EXPECT_EQ(GetClass("TDial"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Packages, BadPackageTest,
    ::testing::Values(TBadPackage{"NotALibrary", "", "Cannot load design package "},
                      TBadPackage{"Missing", TestPackage("Missing"), "Cannot load design package "},
                      TBadPackage{"NoEntry", TestPackage("NoEntry"),
                                  "NoEntry.so is not a design package: it exports no "
                                  "FormwrightDesignPackage entry point"},
                      TBadPackage{"NewerVersion", TestPackage("NewerVersion"),
                                  "was built for package API version 2; this program loads version 1"},
                      TBadPackage{"Raising", TestPackage("Raising"),
                                  "Design package Raising failed to register: the dial needs a licence key"},
                      TBadPackage{
                          "TakenName", TestPackage("TakenName"),
                          "Design package Taken failed to register: A class named TButton already exists"}),
    [](const auto& Info) { return String(Info.param.Name); });

TEST_F(PackageLoaderTest, ASecondPackageOfTheSameNameIsRefusedAndTheFirstStays) {
  const TLoadedPackage& Gauges = PackageLoader().Load(FW_GAUGES_PACKAGE);
  EXPECT_EQ(&PackageLoader().Load(FW_GAUGES_PACKAGE), &Gauges) << "the same file loads once";
  const TRegistrySnapshot Loaded = TRegistrySnapshot::Take();
  EXPECT_THAT(
      [&] { PackageLoader().Load(TestPackage("Gauges2")); },
      Raises<EPackageError>(AllOf(StartsWith("A design package named Gauges is loaded already, from /"),
                                  HasSubstr("gauges.so"))));
  EXPECT_EQ(TRegistrySnapshot::Take(), Loaded);
  EXPECT_THAT([&] { PackageLoader().Unload("Dials"); },
              Raises<EPackageError>("No design package Dials is loaded"));
}

TEST_F(PackageLoaderTest, LoadingAndUnloadingAThousandTimesLeavesRegistriesAndHeapAsTheyWere) {
  const TRegistrySnapshot Before = TRegistrySnapshot::Take();
  auto Cycle = [] {
    PackageLoader().Load(FW_GAUGES_PACKAGE);
    PackageLoader().Unload("Gauges");
  };
  for (int I = 0; I < 10; ++I) Cycle();  // first uses of the loader and the registries settle here
  const size_t Heap = HeapInUse();
  for (size_t I = 0; I < Cycles; ++I) Cycle();
  EXPECT_EQ(TRegistrySnapshot::Take(), Before);
  EXPECT_LE(HeapInUse(), Heap + Cycles * RuntimeBytesPerCycle + 4096) << "the heap grew over the cycles";
}
}  // namespace
}  // namespace formwright::testing
