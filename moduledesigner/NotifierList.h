// The notifiers registered with one tools-interface object (a module, a form editor), kept by
// the index their registration returned.
#pragma once

#include <functional>
#include <vector>

#include "platform/runtime/System.h"

namespace formwright {

// Notifiers of interface type I in registration order. Indexes are never reused, so a stale
// index cannot remove someone else's notifier, and a notifier may unregister itself (or
// another) while the list is being walked.
template <class I>
class TNotifierList {
 public:
  // Registers Notifier; the result identifies it for Remove (never negative).
  int Add(const IPtr<I>& Notifier) {
    FItems.push_back(Notifier);
    return static_cast<int>(FItems.size()) - 1;
  }
  // An unknown or already removed index does nothing.
  void Remove(int Index) {
    if (Index >= 0 && Index < static_cast<int>(FItems.size())) FItems[static_cast<size_t>(Index)].Reset();
  }
  int Count() const {
    int N = 0;
    for (const auto& Item : FItems) N += Item ? 1 : 0;
    return N;
  }
  void Clear() { FItems.clear(); }
  // Calls Proc for each notifier registered when the walk starts and still registered when its
  // turn comes, oldest first (or newest first with Backwards).
  void ForEach(const std::function<void(const IPtr<I>&)>& Proc, bool Backwards = false) const {
    const size_t Count = FItems.size();
    for (size_t K = 0; K < Count; ++K) {
      const size_t At = Backwards ? Count - 1 - K : K;
      if (At >= FItems.size()) continue;
      if (IPtr<I> Notifier = FItems[At]) Proc(Notifier);
    }
  }

 private:
  std::vector<IPtr<I>> FItems;
};

}  // namespace formwright
