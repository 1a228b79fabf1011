// Threads and the main-thread queue.
//
// The package runs on the host's main thread. A worker thread hands work to it with
// `Synchronize` (waits until the main thread has run it) or `Queue` (returns at once); the
// host's idle loop calls `CheckSynchronize`, which runs what is pending, so handlers always run
// on the main thread.
#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <thread>

#include "platform/runtime/SysUtils.h"

namespace formwright {

// The thread that loaded the runtime (the host's main thread).
std::thread::id MainThreadID();
bool IsMainThread();

// Runs `Method` on the main thread and waits until it has run; an exception it raises is raised
// again in the caller. Called on the main thread it runs `Method` at once.
void Synchronize(const std::function<void()>& Method);

// Has `Method` run on the main thread by a later `CheckSynchronize`, and returns at once.
// `Owner` tags the call so that `RemoveQueuedEvents(Owner)` can withdraw it, for instance when
// the owner is destroyed first. Called on the main thread it runs `Method` at once.
void Queue(const void* Owner, std::function<void()> Method);

// Has `Method` run on the main thread by a later `CheckSynchronize`, and returns at once, also
// when called on the main thread (a message posted to oneself). `Owner` tags it as for `Queue`.
void Post(const void* Owner, std::function<void()> Method);

// Withdraws the queued calls of `Owner` that have not run yet.
void RemoveQueuedEvents(const void* Owner);

// Runs, on the main thread, every synchronized and queued call that is pending, in the order
// they arrived, waiting up to `TimeoutMs` milliseconds for the first one. Answers whether any
// ran. Calls queued by the calls it runs wait for the next call, so a handler that posts
// itself again cannot keep it running forever. An exception raised by a queued call leaves this function;
// later calls stay pending. Raises EInvalidOperation when called on another thread.
bool CheckSynchronize(int TimeoutMs = 0);

// A thread with a cooperative stop request. Derive, implement `Execute`, call `Start`; call
// `WaitFor` in your destructor before your members go away (the base destructor only joins as a
// last resort). An exception leaving `Execute` ends the thread and is kept in `FatalException`.
class TThread {
 public:
  TThread() = default;
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts `Execute` on a new thread; raises EInvalidOperation when already started.
  void Start();
  // Asks `Execute` to stop: it should look at `Terminated()` regularly.
  void Terminate() noexcept { FTerminated = true; }
  bool Terminated() const noexcept { return FTerminated; }
  // True once `Execute` has returned.
  bool Finished() const noexcept { return FFinished; }
  // Waits until the thread has ended. On the main thread the pending synchronized calls keep
  // running meanwhile, so a thread waiting in `Synchronize` cannot dead-lock its waiter.
  void WaitFor();
  std::exception_ptr FatalException() const noexcept { return FFatalException; }

  // Names the calling thread for debuggers. The platform keeps at most 15 bytes of a name; a
  // longer name is cut.
  static void NameThreadForDebugging(const String& Name);

 protected:
  // The thread's work.
  virtual void Execute() = 0;

 private:
  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::exception_ptr FFatalException;
};

}  // namespace formwright
