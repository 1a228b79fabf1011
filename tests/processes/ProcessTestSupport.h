// Helpers shared by the process runner tests.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/runtime/Scoped.h"
#include "platform/runtime/Threads.h"
#include "tests/support/MainThread.h"
#include "tests/support/Matchers.h"

namespace formwright::testing {

// Ends the test program with a message when the current test runs longer than its limit, so
// that a runner that never returns fails the suite instead of hanging it.
class TTestTimeLimit {
 public:
  explicit TTestTimeLimit(std::chrono::seconds Limit)
      : FName(::testing::UnitTest::GetInstance()->current_test_info()->name()), FWatchdog([this, Limit] {
          std::unique_lock Lock(FLock);
          if (FDone.wait_for(Lock, Limit, [this] { return FFinished; })) return;
          std::fprintf(stderr, "%s did not end within its time limit of %llds\n", FName.c_str(),
                       static_cast<long long>(Limit.count()));
          std::_Exit(1);
        }) {}
  ~TTestTimeLimit() {
    {
      std::lock_guard Lock(FLock);
      FFinished = true;
    }
    FDone.notify_one();
    FWatchdog.join();
  }
  TTestTimeLimit(const TTestTimeLimit&) = delete;
  TTestTimeLimit& operator=(const TTestTimeLimit&) = delete;

 private:
  std::string FName;
  std::mutex FLock;
  std::condition_variable FDone;
  bool FFinished = false;
  std::thread FWatchdog;
};

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
