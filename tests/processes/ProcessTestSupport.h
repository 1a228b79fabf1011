// Helpers shared by the process runner tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>

#include "platform/runtime/Threads.h"

namespace formwright::testing {

// Every process test ends without children of the test process: none running, none left as
// a zombie.
class ProcessTest : public ::testing::Test {
 protected:
  void TearDown() override {
    const pid_t Child = waitpid(-1, nullptr, WNOHANG);
    EXPECT_TRUE(Child == -1 && errno == ECHILD) << "a child process was left behind: " << Child;
  }
};

// Milliseconds since `Start`.
inline long long ElapsedMs(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Start)
      .count();
}

// Runs the main thread's pending calls until `Done` holds or about ten seconds have passed.
template <class Predicate>
bool PumpUntil(Predicate Done) {
  for (int I = 0; I < 1000 && !Done(); ++I) CheckSynchronize(10);
  return Done();
}

// A /bin/sh command line running `Script`.
inline String Shell(const String& Script) { return "/bin/sh -c '" + Script + "'"; }

}  // namespace formwright::testing
