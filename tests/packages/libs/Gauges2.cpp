// A second package that calls itself "Gauges", as the example package does.
#include "contracts/PackageEntry.h"

namespace {
void Register() {}
}  // namespace

FW_DESIGN_PACKAGE("Gauges", Register)
