#include "formwright/testing/Waiting.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace formwright::testing {

namespace {
std::string CurrentTestName() {
  const ::testing::TestInfo* Info = ::testing::UnitTest::GetInstance()->current_test_info();
  return Info ? std::string(Info->test_suite_name()) + "." + Info->name() : std::string("the test program");
}
}  // namespace

TTestTimeLimit::TTestTimeLimit(std::chrono::seconds Limit)
    : FName(CurrentTestName()), FWatchdog([this, Limit] {
        std::unique_lock Lock(FLock);
        if (FDone.wait_for(Lock, Limit, [this] { return FFinished; })) return;
        std::fprintf(stderr, "%s did not end within its time limit of %llds\n", FName.c_str(),
                     static_cast<long long>(Limit.count()));
        std::_Exit(1);
      }) {}

TTestTimeLimit::~TTestTimeLimit() {
  {
    std::lock_guard Lock(FLock);
    FFinished = true;
  }
  FDone.notify_one();
  FWatchdog.join();
}

}  // namespace formwright::testing
