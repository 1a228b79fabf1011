// Multicast events: package-wide happenings with more than one listener (a root activated, a
// component renamed, design windows shown or hidden).
//
// A handler is a method value (code and object, see TClosure::Bind). Handlers are called from
// the last added to the first, so that a handler may remove itself while it is called.
#pragma once

#include <memory>
#include <vector>

#include "platform/runtime/TypInfo.h"

namespace formwright {

namespace detail {

// The position of `Handler` in `List`: the most recently added entry is compared first (the
// common case of a listener removing itself again), then the list is scanned from the first
// entry; -1 when absent. `IsAt(I)` tells whether entry I is the handler.
template <class Equal>
int IndexOfHandler(int Count, const Equal& IsAt) {
  if (Count == 0) return -1;
  if (IsAt(Count - 1)) return Count - 1;
  for (int I = 0; I < Count - 1; ++I)
    if (IsAt(I)) return I;
  return -1;
}

// Calls `Call(I)` for every entry from the last to the first. A call may remove entries; the
// walk then continues below the current position.
template <class Size, class CallAt>
void CallLastFirst(const Size& Count, const CallAt& Call) {
  for (int I = Count() - 1; I >= 0; --I) {
    if (I >= Count()) I = Count() - 1;
    if (I < 0) break;
    Call(I);
  }
}

}  // namespace detail

// The handler signature of TEvent: the sender of the happening.
using TEventHandler = TClosure<void(TObject*)>;

// An event whose handlers receive the sender. Each handler is kept in a heap cell of its own.
class TEvent {
 public:
  TEvent() = default;
  TEvent(const TEvent&) = delete;
  TEvent& operator=(const TEvent&) = delete;
  // Destroying the event clears it.
  virtual ~TEvent() { Clear(); }

  // Appends `Handler` unless IndexOf already finds it.
  void Add(const TMethod& Handler);
  void Add(const TEventHandler& Handler) { Add(Handler.Method()); }
  // Appends `Handler` even when it is present.
  void ForceAdd(const TMethod& Handler);
  void ForceAdd(const TEventHandler& Handler) { ForceAdd(Handler.Method()); }
  // The position of `Handler` (equal code and object): the most recently added handler is
  // compared first, then the list from the first; -1 when absent.
  virtual int IndexOf(const TMethod& Handler) const;
  int IndexOf(const TEventHandler& Handler) const { return IndexOf(Handler.Method()); }
  // Removes the entry that IndexOf finds; nothing when absent.
  void Remove(const TMethod& Handler);
  void Remove(const TEventHandler& Handler) { Remove(Handler.Method()); }
  // Calls every handler with `Sender`, from the last added to the first, then sets the sent
  // flag. A handler without compiled code raises EInvalidOperation.
  void Send(TObject* Sender);
  // Removes every handler.
  void Clear() noexcept { FHandlers.clear(); }

  int Count() const noexcept { return static_cast<int>(FHandlers.size()); }
  // Raises EListError for an index out of range.
  const TMethod& Handler(int Index) const;
  // True once Send has run.
  bool Sent() const noexcept { return FSent; }

 private:
  std::vector<std::unique_ptr<TMethod>> FHandlers;
  bool FSent = false;
};

// An event with a handler signature of its own. Handlers are kept in a list of typed method
// values; a specific event derives from it and adds a typed Send that calls SendToAll.
//
//   class TRootRenamedEvent : public TEventT<void(TObject*, const String&)> {
//    public:
//     void Send(TObject* Root, const String& NewName) { SendToAll(Root, NewName); }
//   };
template <class Sig>
class TEventT;

template <class... A>
class TEventT<void(A...)> {
 public:
  using THandler = TClosure<void(A...)>;

  TEventT() = default;
  TEventT(const TEventT&) = delete;
  TEventT& operator=(const TEventT&) = delete;
  virtual ~TEventT() { Clear(); }

  // Appends `Handler` unless IndexOf already finds it.
  void Add(const THandler& Handler) {
    if (IndexOf(Handler) < 0) FHandlers.push_back(Handler);
  }
  // Appends `Handler` even when it is present.
  void ForceAdd(const THandler& Handler) { FHandlers.push_back(Handler); }
  // As TEvent::IndexOf.
  virtual int IndexOf(const THandler& Handler) const {
    return detail::IndexOfHandler(Count(), [&](int I) { return FHandlers[size_t(I)] == Handler; });
  }
  void Remove(const THandler& Handler) {
    const int I = IndexOf(Handler);
    if (I >= 0) FHandlers.erase(FHandlers.begin() + I);
  }
  void Clear() noexcept { FHandlers.clear(); }
  int Count() const noexcept { return static_cast<int>(FHandlers.size()); }
  // Raises EListError for an index out of range.
  const THandler& Handler(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
    return FHandlers[size_t(Index)];
  }
  bool Sent() const noexcept { return FSent; }

 protected:
  // Calls every handler with the arguments, from the last added to the first, then sets the
  // sent flag.
  void SendToAll(A... Args) {
    detail::CallLastFirst([this] { return Count(); },
                          [&](int I) {
                            const THandler H = FHandlers[size_t(I)];
                            H(Args...);
                          });
    FSent = true;
  }

 private:
  std::vector<THandler> FHandlers;
  bool FSent = false;
};

}  // namespace formwright
