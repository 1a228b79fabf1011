#include "platform/runtime/Threads.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <vector>

#include "formwright/testing/Matchers.h"
#include "formwright/testing/Waiting.h"

using namespace formwright;
using namespace formwright::testing;

namespace {

// A thread that runs a function.
class TFunctionThread : public TThread {
 public:
  explicit TFunctionThread(std::function<void(TFunctionThread&)> Work) : FWork(std::move(Work)) {}
  ~TFunctionThread() override { WaitFor(); }

 protected:
  void Execute() override { FWork(*this); }

 private:
  std::function<void(TFunctionThread&)> FWork;
};

}  // namespace

TEST(Threads, SynchronizedCallRunsOnTheMainThreadWhileTheWorkerWaits) {
  std::atomic<bool> WorkerResumed{false};
  std::thread::id RanOn;
  TFunctionThread Worker([&](TFunctionThread&) {
    Synchronize([&] { RanOn = std::this_thread::get_id(); });
    WorkerResumed = true;
  });
  Worker.Start();
  PumpUntil([&] { return WorkerResumed.load(); });
  Worker.WaitFor();
  EXPECT_TRUE(WorkerResumed);
  EXPECT_EQ(RanOn, MainThreadID());
  EXPECT_TRUE(IsMainThread());
}

TEST(Threads, ExceptionOfASynchronizedCallIsRaisedInTheWorker) {
  String Caught;
  TFunctionThread Worker([&](TFunctionThread&) {
    Caught = MessageOf([] { Synchronize([] { throw EInvalidOperation("handler failed"); }); });
  });
  Worker.Start();
  Worker.WaitFor();  // pumps the synchronized call itself
  EXPECT_EQ(Caught, "handler failed");
}

TEST(Threads, QueuedCallsRunInOrderOnlyWhenTheMainThreadChecks) {
  std::vector<int> Order;
  TFunctionThread Worker([&](TFunctionThread&) {
    Queue(nullptr, [&] { Order.push_back(1); });
    Queue(nullptr, [&] { Order.push_back(2); });
  });
  Worker.Start();
  while (!Worker.Finished()) std::this_thread::yield();
  EXPECT_TRUE(Order.empty()) << "nothing runs before the main thread checks";
  EXPECT_TRUE(CheckSynchronize());
  EXPECT_EQ(Order, (std::vector<int>{1, 2}));
  EXPECT_FALSE(CheckSynchronize());
  Worker.WaitFor();
}

TEST(Threads, RemovedQueuedEventsNeverRun) {
  int Kept = 0, Removed = 0;
  const int OwnerA = 0, OwnerB = 0;
  TFunctionThread Worker([&](TFunctionThread&) {
    Queue(&OwnerA, [&] { ++Removed; });
    Queue(&OwnerB, [&] { ++Kept; });
    Queue(&OwnerA, [&] { ++Removed; });
  });
  Worker.Start();
  while (!Worker.Finished()) std::this_thread::yield();
  RemoveQueuedEvents(&OwnerA);
  CheckSynchronize();
  EXPECT_EQ(Kept, 1);
  EXPECT_EQ(Removed, 0);
  Worker.WaitFor();
  // The calls that ran or were withdrawn are gone from the queue's count: one queued after them
  // is withdrawn as well.
  TFunctionThread Later([&](TFunctionThread&) { Queue(&OwnerA, [&] { ++Removed; }); });
  Later.Start();
  while (!Later.Finished()) std::this_thread::yield();
  RemoveQueuedEvents(&OwnerA);
  CheckSynchronize();
  EXPECT_EQ(Removed, 0);
  Later.WaitFor();
}

TEST(Threads, OnTheMainThreadCallsRunAtOnceAndOnlyItMayCheckForPendingCalls) {
  int Runs = 0;
  Synchronize([&] { ++Runs; });
  Queue(nullptr, [&] { ++Runs; });
  EXPECT_EQ(Runs, 2);
  TFunctionThread Worker([&](TFunctionThread&) { EXPECT_THROW(CheckSynchronize(), EInvalidOperation); });
  Worker.Start();
  Worker.WaitFor();
}

TEST(Threads, TerminateIsACooperativeRequestAndFatalExceptionsAreKept) {
  TFunctionThread Loop([](TFunctionThread& Self) {
    while (!Self.Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  Loop.Start();
  EXPECT_THROW(Loop.Start(), EInvalidOperation);
  Loop.Terminate();
  Loop.WaitFor();
  EXPECT_TRUE(Loop.Finished());
  EXPECT_EQ(Loop.FatalException(), nullptr);

  TFunctionThread Failing([](TFunctionThread&) { throw EConvertError("bad"); });
  Failing.Start();
  Failing.WaitFor();
  ASSERT_NE(Failing.FatalException(), nullptr);
  EXPECT_THROW(std::rethrow_exception(Failing.FatalException()), EConvertError);
}

TEST(Threads, ThreadNameIsCutToWhatThePlatformKeeps) {
  char Name[32] = {};
  TFunctionThread Named([&](TFunctionThread&) {
    TThread::NameThreadForDebugging("ProcessUtil Monitor Thread");
    pthread_getname_np(pthread_self(), Name, sizeof Name);
  });
  Named.Start();
  Named.WaitFor();
  EXPECT_STREQ(Name, "ProcessUtil Mon");
}
