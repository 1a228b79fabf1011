// Counts the program's calls of the global allocation function, for benchmarks that must not
// allocate. The replacement lives in its own translation unit so that the optimiser never sees
// it inlined beside the deallocation it pairs with.
#pragma once

namespace formwright::bench {

// The number of global operator new calls since the program started.
long AllocationCount();

}  // namespace formwright::bench
