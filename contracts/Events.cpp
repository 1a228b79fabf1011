// Multicast events with untyped sender handlers.
#include "contracts/Events.h"

namespace formwright {

void TEvent::Add(const TMethod& Handler) {
  if (IndexOf(Handler) < 0) ForceAdd(Handler);
}

void TEvent::ForceAdd(const TMethod& Handler) { FHandlers.push_back(std::make_unique<TMethod>(Handler)); }

int TEvent::IndexOf(const TMethod& Handler) const {
  return detail::IndexOfHandler(Count(), [&](int I) { return *FHandlers[size_t(I)] == Handler; });
}

void TEvent::Remove(const TMethod& Handler) {
  const int I = IndexOf(Handler);
  if (I >= 0) FHandlers.erase(FHandlers.begin() + I);
}

const TMethod& TEvent::Handler(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
  return *FHandlers[size_t(Index)];
}

void TEvent::Send(TObject* Sender) {
  detail::CallLastFirst([this] { return Count(); },
                        [&](int I) {
                          // A copy: the handler may remove its own cell while it runs.
                          const TMethod M = *FHandlers[size_t(I)];
                          const TEventHandler Call(M);
                          Call(Sender);
                        });
  FSent = true;
}

}  // namespace formwright
