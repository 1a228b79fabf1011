// Scope guards: the one way a level, flag, counter or saved value is set for the duration of a
// scope and put back when it ends, whether the scope ends normally or by an exception.
#pragma once

#include <utility>

namespace formwright {

// Gives `Ref` a new value for the scope and restores the value it had before. Re-entry guards,
// update levels taken as "set to true" and hooks replaced for one call all use it:
//   TValueScope Busy(FBusy, true);
template <class T>
class TValueScope {
 public:
  TValueScope(T& Ref, T NewValue) : FRef(Ref), FSaved(std::move(Ref)) { FRef = std::move(NewValue); }
  // Keeps the value `Ref` has now and puts it back at the end, whatever the scope does to it.
  explicit TValueScope(T& Ref) : FRef(Ref), FSaved(Ref) {}
  ~TValueScope() { FRef = std::move(FSaved); }
  TValueScope(const TValueScope&) = delete;
  TValueScope& operator=(const TValueScope&) = delete;

 private:
  T& FRef;
  T FSaved;
};

// Raises a counter for the scope and lowers it again (nested update levels, lock counts).
template <class T>
class TLevelScope {
 public:
  explicit TLevelScope(T& Level) noexcept : FLevel(Level) { ++FLevel; }
  ~TLevelScope() { --FLevel; }
  TLevelScope(const TLevelScope&) = delete;
  TLevelScope& operator=(const TLevelScope&) = delete;

 private:
  T& FLevel;
};

// Runs `Fn` when the scope ends, unless Release() was called: the clean-up of a step that has
// no object of its own (an end-update call, a state bit to clear).
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F Fn) : FFn(std::move(Fn)) {}
  ~TScopeExit() {
    if (FActive) FFn();
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  // The clean-up is not wanted any more (the step was committed).
  void Release() noexcept { FActive = false; }

 private:
  F FFn;
  bool FActive = true;
};

}  // namespace formwright
