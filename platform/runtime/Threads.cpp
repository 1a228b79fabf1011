#include "platform/runtime/Threads.h"

#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

namespace formwright {

namespace {

// The main thread is the one that runs the runtime's static initialisation.
const std::thread::id GMainThreadID = std::this_thread::get_id();

struct TPendingCall {
  const void* Owner;  // nullptr for synchronized calls, which cannot be withdrawn
  std::function<void()> Method;
  std::promise<void>* Done;  // set for synchronized calls
};

// The main thread's queue of pending calls.
class TSyncQueue {
 public:
  void Add(TPendingCall Call) {
    {
      std::lock_guard Lock(FMutex);
      if (Call.Owner) ++FWithdrawable;
      FCalls.push_back(std::move(Call));
    }
    FArrived.notify_all();
  }

  // Every control calls this as it goes: with no call queued for an owner (the usual case),
  // it returns without taking the lock or looking at the queue.
  void Remove(const void* Owner) {
    if (FWithdrawable.load(std::memory_order_acquire) == 0) return;
    std::lock_guard Lock(FMutex);
    FWithdrawable -=
        std::erase_if(FCalls, [Owner](const TPendingCall& C) { return C.Owner && C.Owner == Owner; });
  }

  // Wakes a `Wait` without adding a call (a thread has finished).
  void Wake() {
    { std::lock_guard Lock(FMutex); }
    FArrived.notify_all();
  }

  bool Run(int TimeoutMs) {
    std::unique_lock Lock(FMutex);
    if (FCalls.empty() && TimeoutMs > 0) FArrived.wait_for(Lock, std::chrono::milliseconds(TimeoutMs));
    bool Ran = false;
    // Only the calls waiting now: those they queue run at the next call.
    for (size_t Waiting = FCalls.size(); Waiting > 0 && !FCalls.empty(); --Waiting) {
      TPendingCall Call = std::move(FCalls.front());
      FCalls.pop_front();
      if (Call.Owner) --FWithdrawable;
      Lock.unlock();
      Ran = true;
      if (Call.Done) {
        try {
          Call.Method();
          Call.Done->set_value();
        } catch (...) {
          Call.Done->set_exception(std::current_exception());
        }
      } else {
        Call.Method();
      }
      Lock.lock();
    }
    return Ran;
  }

 private:
  std::mutex FMutex;
  std::condition_variable FArrived;
  std::deque<TPendingCall> FCalls;
  // How many of the calls have an owner and can be withdrawn; changed under the lock.
  std::atomic<size_t> FWithdrawable{0};
};

TSyncQueue& SyncQueue() {
  static TSyncQueue Queue;
  return Queue;
}

}  // namespace

std::thread::id MainThreadID() { return GMainThreadID; }

bool IsMainThread() { return std::this_thread::get_id() == GMainThreadID; }

void Synchronize(const std::function<void()>& Method) {
  if (IsMainThread()) {
    Method();
    return;
  }
  std::promise<void> Done;
  std::future<void> Result = Done.get_future();
  SyncQueue().Add({nullptr, Method, &Done});
  Result.get();
}

void Queue(const void* Owner, std::function<void()> Method) {
  if (IsMainThread()) {
    Method();
    return;
  }
  SyncQueue().Add({Owner, std::move(Method), nullptr});
}

void Post(const void* Owner, std::function<void()> Method) {
  SyncQueue().Add({Owner, std::move(Method), nullptr});
}

void RemoveQueuedEvents(const void* Owner) { SyncQueue().Remove(Owner); }

bool CheckSynchronize(int TimeoutMs) {
  if (!IsMainThread()) throw EInvalidOperation("CheckSynchronize must be called on the main thread");
  return SyncQueue().Run(TimeoutMs);
}

// --- TThread ---

TThread::~TThread() {
  if (!FThread.joinable()) return;
  Terminate();
  WaitFor();
}

void TThread::Start() {
  if (FThread.joinable() || FFinished) throw EInvalidOperation("Thread already started");
  FThread = std::thread([this] {
    try {
      Execute();
    } catch (...) {
      FFatalException = std::current_exception();
    }
    FFinished = true;
    SyncQueue().Wake();
  });
}

void TThread::WaitFor() {
  if (!FThread.joinable()) return;
  if (IsMainThread())
    while (!FFinished) SyncQueue().Run(10);
  FThread.join();
}

void TThread::NameThreadForDebugging(const String& Name) {
  // Linux keeps 15 bytes and a terminator.
  pthread_setname_np(pthread_self(), Name.substr(0, 15).c_str());
}

}  // namespace formwright
