// Tests that wait: for work other threads hand to the main thread, and against a test that
// never ends.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/runtime/Threads.h"

namespace formwright::testing {

// Runs the main thread's pending calls (CheckSynchronize) until `Done` holds or about ten
// seconds have passed; answers whether it holds. A component that reports through
// Synchronize or Queue is tested with it:
//   ASSERT_TRUE(PumpUntil([&] { return Monitor->Finished(); }));
template <class Predicate>
bool PumpUntil(Predicate Done) {
  for (int I = 0; I < 1000 && !Done(); ++I) CheckSynchronize(10);
  return Done();
}

// Ends the test program with a message naming the current test when it runs longer than
// `Limit`, so that code that never returns fails the suite instead of hanging it. Make one at
// the start of a test (or in a fixture's SetUp); the limit ends with the object.
class TTestTimeLimit {
 public:
  explicit TTestTimeLimit(std::chrono::seconds Limit);
  ~TTestTimeLimit();
  TTestTimeLimit(const TTestTimeLimit&) = delete;
  TTestTimeLimit& operator=(const TTestTimeLimit&) = delete;

 private:
  std::string FName;
  std::mutex FLock;
  std::condition_variable FDone;
  bool FFinished = false;
  std::thread FWatchdog;
};

}  // namespace formwright::testing
