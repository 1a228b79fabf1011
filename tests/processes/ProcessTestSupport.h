// Helpers shared by the process runner tests.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/Waiting.h"
#include "platform/runtime/Scoped.h"
#include "platform/runtime/Threads.h"

namespace formwright::testing {

// Every process test runs under a time limit of its own and ends without children of the test
// process: none running, none left as a zombie.
class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override { FLimit = std::make_unique<TTestTimeLimit>(std::chrono::seconds(30)); }
  void TearDown() override {
    FLimit.reset();
    const pid_t Child = waitpid(-1, nullptr, WNOHANG);
    EXPECT_TRUE(Child == -1 && errno == ECHILD) << "a child process was left behind: " << Child;
  }

 private:
  std::unique_ptr<TTestTimeLimit> FLimit;
};

// Milliseconds since `Start`.
inline long long ElapsedMs(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - Start)
      .count();
}

// Lets the system reap every child as it ends, as a host that ignores child-exit signals does,
// until the returned guard goes.
inline auto IgnoreChildSignals() {
  const sighandler_t Previous = signal(SIGCHLD, SIG_IGN);
  return TScopeExit([Previous] { signal(SIGCHLD, Previous); });
}

// A /bin/sh command line running `Script`.
inline String Shell(const String& Script) { return "/bin/sh -c '" + Script + "'"; }

}  // namespace formwright::testing
