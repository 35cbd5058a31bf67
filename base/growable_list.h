#pragma once
#include <cstddef>
#include <span>
#include <type_traits>

namespace zrv {

namespace growable_list_detail {
// Moves `used` bytes of `storage` into a new block of `room` bytes whose
// rest is zero, and frees the old one. One copy of the growth code for
// every list, whatever it holds.
void* regrow(void* storage, std::size_t used, std::size_t room);
void release(void* storage);
}  // namespace growable_list_detail

// A list that grows by about doubling, for the few lists of the Windows
// programs that grow one element at a time: a form's controls, its
// windows' widgets, the windows a front keeper remembers. It has no limit
// and no rule on where it sits in its owner. Not std::vector, whose growth
// code the image would carry once per element type (docs/size-rules.md).
//
// Its elements are of a trivially copyable type, so growing is one copy of
// bytes, and the room made holds zero bytes: the value-initialised element
// (null pointers, zero numbers) of the types it is used with.
template <typename T>
class GrowableList {
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>,
                "grown by copying bytes and cleared to zero bytes");

 public:
  GrowableList() = default;
  GrowableList(const GrowableList&) = delete;
  GrowableList& operator=(const GrowableList&) = delete;
  ~GrowableList() { growable_list_detail::release(items_); }

  std::size_t size() const { return size_; }
  T& operator[](std::size_t index) { return items_[index]; }
  const T& operator[](std::size_t index) const { return items_[index]; }
  std::span<T> items() { return {items_, size_}; }
  std::span<const T> items() const { return {items_, size_}; }

  // Takes its element by value: an element of this list, passed in, would
  // otherwise be read from the block that growing has just freed.
  T& push_back(T item) {
    grow_to(size_ + 1);
    return items_[size_ - 1] = item;
  }

  // Makes the list at least `count` long; the elements added are zero.
  // A shorter count changes nothing.
  void grow_to(std::size_t count) {
    if (count > room_) {
      const std::size_t room = count > 2 * room_ ? count : 2 * room_;
      items_ = static_cast<T*>(growable_list_detail::regrow(items_, size_ * sizeof(T), room * sizeof(T)));
      room_ = room;
    } else if (count <= size_) {
      return;
    }
    size_ = count;
  }

  // Empties the list and keeps its room, cleared for the next growth.
  void clear() {
    for (T& item : items()) item = T();
    size_ = 0;
  }

 private:
  T* items_ = nullptr;
  std::size_t size_ = 0;
  std::size_t room_ = 0;
};

}  // namespace zrv
