// A list of pointers that keeps its first element in place.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <type_traits>

namespace formwright {

// An ordered list of pointers that needs no heap block while it holds at most one: most
// components are linked to none or one other (a label to its edit), and a large form's links
// then cost neither an allocation when read nor a free when closed. From the second element on,
// the elements live in a block the list owns. Iterators and references stay valid until the
// list changes, as a vector's.
template <class T>
class TInlineList {
  static_assert(std::is_pointer_v<T>, "the list holds pointers");

 public:
  using value_type = T;
  using const_iterator = const T*;
  using iterator = T*;
  using const_reverse_iterator = std::reverse_iterator<const_iterator>;

  TInlineList() noexcept = default;
  TInlineList(const TInlineList&) = delete;
  TInlineList& operator=(const TInlineList&) = delete;

  size_t size() const noexcept { return FSize; }
  bool empty() const noexcept { return FSize == 0; }
  const_iterator begin() const noexcept { return Data(); }
  const_iterator end() const noexcept { return Data() + FSize; }
  const_reverse_iterator rbegin() const noexcept { return const_reverse_iterator(end()); }
  const_reverse_iterator rend() const noexcept { return const_reverse_iterator(begin()); }
  T back() const noexcept { return Data()[FSize - 1]; }

  void push_back(T Value) {
    if (FSize == Capacity()) Grow();
    Data()[FSize++] = Value;
  }
  // Removes the element at Position; those after it move up one place.
  void erase(const_iterator Position) noexcept {
    T* At = Data() + (Position - begin());
    std::move(At + 1, Data() + FSize, At);
    --FSize;
  }

 private:
  uint32_t Capacity() const noexcept { return FHeap ? FCapacity : 1; }
  T* Data() noexcept { return FHeap ? FHeap.get() : &FInline; }
  const T* Data() const noexcept { return FHeap ? FHeap.get() : &FInline; }
  void Grow() {
    const uint32_t NewCapacity = FHeap ? FCapacity * 2 : 4;
    auto Block = std::make_unique_for_overwrite<T[]>(NewCapacity);
    std::copy(begin(), end(), Block.get());
    FHeap = std::move(Block);
    FCapacity = NewCapacity;
  }

  T FInline = nullptr;
  std::unique_ptr<T[]> FHeap;
  uint32_t FSize = 0;
  uint32_t FCapacity = 0;  // the heap block's, when there is one
};

}  // namespace formwright
