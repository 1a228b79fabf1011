// A package built for a later package API version than the program's.
#include "contracts/PackageEntry.h"

namespace {
bool GRegistered = false;
void Register() { GRegistered = true; }
}  // namespace

extern "C" __attribute__((visibility("default"))) const formwright::TDesignPackageEntry*
FormwrightDesignPackage() {
  static const formwright::TDesignPackageEntry Entry{formwright::DesignPackageAPIVersion + 1, "Newer",
                                                     &Register};
  return &Entry;
}
